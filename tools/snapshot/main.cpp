// zq6-snapshot: renders the editor offscreen into a PNG, for review and for the README.
//   zq6-snapshot <output.png> [--width <editor width>] [--scale <display scale>]
// Needs a display (run under xvfb-run on a headless machine). The editor's remembered settings are
// kept in a throw-away folder, so a snapshot never changes the user's own.

#include "processor/ZQ6AudioProcessor.h"
#include "ui/shell/ZQ6Editor.h"

#include <cstdlib>
#include <iostream>

namespace
{
struct Options
{
    juce::File output;
    int width = 1120;
    float scale = 1.0f;
};

bool parse(int argc, char* argv[], Options& options)
{
    const juce::StringArray args(argv + 1, argc - 1);
    for (int i = 0; i < args.size(); ++i)
    {
        const auto& arg = args[i];
        const auto hasValue = i + 1 < args.size();
        if (arg == "--width" && hasValue)
            options.width = args[++i].getIntValue();
        else if (arg == "--scale" && hasValue)
            options.scale = args[++i].getFloatValue();
        else if (!arg.startsWith("--") && options.output == juce::File())
            options.output = juce::File::getCurrentWorkingDirectory().getChildFile(arg);
        else
            return false;
    }
    return options.output != juce::File() && options.width > 0 && options.scale > 0.0f;
}

juce::Image snapshot(const Options& options)
{
    zq6::ZQ6AudioProcessor processor;
    std::unique_ptr<juce::AudioProcessorEditor> editor(processor.createEditorIfNeeded());
    auto& zq6Editor = dynamic_cast<zq6::ZQ6Editor&>(*editor);
    // Painted for the first time, the background makes its sharp copy for this size at once.
    editor->setSize(options.width, zq6Editor.getUiContext().layout->heightForWidth(options.width));
    auto image = editor->createComponentSnapshot(editor->getLocalBounds(), true, options.scale);
    return image;
}
} // namespace

int main(int argc, char* argv[])
{
    Options options;
    if (!parse(argc, argv, options))
    {
        std::cerr << "usage: zq6-snapshot <output.png> [--width <editor width>] [--scale <display scale>]\n";
        return 2;
    }

    const auto settingsHome = juce::File::createTempFile("zq6-snapshot-home");
    settingsHome.createDirectory();
    setenv("HOME", settingsHome.getFullPathName().toRawUTF8(), 1);

    juce::Image image;
    {
        const juce::ScopedJuceInitialiser_GUI gui;
        image = snapshot(options);
    }
    settingsHome.deleteRecursively();

    juce::FileOutputStream out(options.output);
    if (!out.openedOk() || !out.setPosition(0) || !out.truncate().wasOk()
        || !juce::PNGImageFormat().writeImageToStream(image, out))
    {
        std::cerr << "cannot write " << options.output.getFullPathName() << "\n";
        return 1;
    }
    std::cout << options.output.getFullPathName() << " " << image.getWidth() << " x " << image.getHeight() << "\n";
    return 0;
}
