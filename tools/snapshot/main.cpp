// zq6-snapshot: renders the editor offscreen into a PNG, for review and for the README.
//   zq6-snapshot <output.png> [--width <editor width>] [--scale <display scale>] [--state <file>]
//                [--set id=value]...
// --state and --set work as zq6-render's do, so any state can be looked at.
// Needs a display (run under xvfb-run on a headless machine). The editor's remembered settings are
// kept in a throw-away folder, so a snapshot never changes the user's own.

#include "ParameterSettings.h"
#include "RenderOptions.h"
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
    juce::File state;
    std::vector<std::pair<juce::String, juce::String>> settings;
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
        else if (arg == "--state" && hasValue)
            options.state = juce::File::getCurrentWorkingDirectory().getChildFile(args[++i]);
        else if (arg == "--set" && hasValue && args[i + 1].containsChar('='))
        {
            const auto setting = args[++i];
            options.settings.emplace_back(setting.upToFirstOccurrenceOf("=", false, false).trim(),
                                          setting.fromFirstOccurrenceOf("=", false, false).trim());
        }
        else if (!arg.startsWith("--") && options.output == juce::File())
            options.output = juce::File::getCurrentWorkingDirectory().getChildFile(arg);
        else
            return false;
    }
    return options.output != juce::File() && options.width > 0 && options.scale > 0.0f;
}

// The state file first, then each --set in order; throws RenderError as zq6-render would.
void applyState(zq6::ZQ6AudioProcessor& processor, const Options& options)
{
    if (options.state != juce::File())
    {
        juce::MemoryBlock block;
        if (!options.state.loadFileAsData(block))
            throw zq6::render::RenderError("cannot read " + options.state.getFullPathName());
        if (!processor.restoreState(block.getData(), static_cast<int>(block.getSize())))
            throw zq6::render::RenderError(options.state.getFullPathName() + " is not a saved ZQ-6 state");
    }
    zq6::render::applySettings(processor.getValueTreeState(), options.settings);
}

juce::Image snapshot(const Options& options)
{
    zq6::ZQ6AudioProcessor processor;
    applyState(processor, options);
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
        std::cerr << "usage: zq6-snapshot <output.png> [--width <editor width>] [--scale <display scale>] "
                     "[--state <file>] [--set id=value]...\n";
        return 2;
    }

    const auto settingsHome = juce::File::createTempFile("zq6-snapshot-home");
    settingsHome.createDirectory();
    setenv("HOME", settingsHome.getFullPathName().toRawUTF8(), 1);

    juce::Image image;
    try
    {
        const juce::ScopedJuceInitialiser_GUI gui;
        image = snapshot(options);
    }
    catch (const zq6::render::RenderError& error)
    {
        settingsHome.deleteRecursively();
        std::cerr << "zq6-snapshot: " << error.what() << "\n";
        return error.exitCode;
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
