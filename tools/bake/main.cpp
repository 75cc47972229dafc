// zq6-bake: renders the editor's background from the embedded layout file into a PNG.
//   zq6-bake <output.png>

#include "BakeRenderer.h"
#include "PngTextChunk.h"

#include <UiResources.h>

#include <iostream>

namespace
{
juce::Typeface::Ptr typeface(const char* data, int size)
{
    return juce::Typeface::createSystemTypefaceFor(data, static_cast<size_t>(size));
}

juce::String bakeNote(const zq6::ui::Layout& layout, int height)
{
    auto note = std::make_unique<juce::DynamicObject>();
    note->setProperty("layer", "baked");
    note->setProperty("variant", "direct");
    note->setProperty("size", juce::Array<juce::var> { layout.bakeWidth, height });
    return juce::JSON::toString(juce::var(note.release()), true);
}
} // namespace

int main(int argc, char* argv[])
{
    // The font caches are process-wide singletons that only an application shutdown frees.
    struct FreeSingletonsOnExit
    {
        ~FreeSingletonsOnExit() { juce::DeletedAtShutdown::deleteAll(); }
    } freeSingletons;

    if (argc != 2)
    {
        std::cerr << "usage: zq6-bake <output.png>\n";
        return 2;
    }

    zq6::ui::Layout layout;
    if (const auto loaded = layout.load(juce::String::fromUTF8(UiResources::layout_json, UiResources::layout_jsonSize));
        loaded.failed())
    {
        std::cerr << loaded.getErrorMessage() << "\n";
        return 1;
    }

    const BakeRenderer renderer(layout, typeface(UiResources::InterRegular_otf, UiResources::InterRegular_otfSize),
                                typeface(UiResources::InterBold_otf, UiResources::InterBold_otfSize));
    const auto image = renderer.render(layout.bakeWidth);

    juce::MemoryOutputStream encoded;
    juce::PNGImageFormat().writeImageToStream(image, encoded);
    const auto png = PngTextChunk::insert(encoded.getMemoryBlock(), "quil.bake",
                                          bakeNote(layout, image.getHeight()));

    const juce::File output(juce::File::getCurrentWorkingDirectory().getChildFile(juce::String(argv[1])));
    if (!output.replaceWithData(png.getData(), png.getSize()))
    {
        std::cerr << "cannot write " << output.getFullPathName() << "\n";
        return 1;
    }
    return 0;
}
