#include "support/KnobBench.h"

#include <gtest/gtest.h>

namespace zq6::test
{
namespace
{
void writePng(const juce::Image& image, const juce::File& file)
{
    file.deleteFile();
    juce::FileOutputStream out(file);
    ASSERT_TRUE(out.openedOk());
    ASSERT_TRUE(juce::PNGImageFormat().writeImageToStream(image, out));
}

// Knobs in their main looks over the printed background, written as pictures to look at:
// run with ZQ6_PICTURE_DIR set to a folder.
TEST(KnobPicture, WritesTheKnobsInTheirMainLooks)
{
    const auto folder = juce::SystemStats::getEnvironmentVariable("ZQ6_PICTURE_DIR", {});
    if (folder.isEmpty())
        GTEST_SKIP() << "set ZQ6_PICTURE_DIR to write the pictures";

    KnobBench bench;
    const ui::KnobOptions toggle { false, false, 0.0f, true };
    bench.add("size", "knob.size");
    bench.set("size", 0.0f);
    bench.add("decay", "knob.decay", toggle).setSuggestion(true, 3.5f);
    bench.add("predelay", "knob.preDelay", toggle).setSuggestion(true, 20.0f);
    bench.add("attack", "knob.attack");
    bench.add("brightness", "knob.brightness");
    bench.set("brightness", 1.0f);
    bench.add("lowcut", "knob.lowCut").setSuggestion(true, 300.0f);
    bench.add("decay_mult_low", "knob.lowDecay", { true, true, 1.0f, false });
    bench.set("decay_mult_low", 0.5f);
    bench.add("width", "knob.width");
    bench.add("motion", "knob.motion");
    auto& mix = bench.add("mix", "knob.mix");
    mix.setFixed(1.0f);
    mix.setEnabled(false);
    bench.add("output", "knob.output", { false, true, 0.0f, false });
    bench.set("output", -6.0f);
    bench.add("er_trim", "knob.erLevel", { false, true, 0.0f, false });
    bench.set("er_trim", 6.0f);

    const juce::File out(folder);
    out.createDirectory();
    writePng(bench.picture(bench.window.getLocalBounds(), 1.0f), out.getChildFile("knobs-editor.png"));
    writePng(bench.picture(bench.layout.scaledRect("space", 1.0f), 2.0f), out.getChildFile("knobs-space.png"));
    writePng(bench.picture(bench.layout.scaledRect("outlet", 1.0f), 2.0f), out.getChildFile("knobs-outlet.png"));
    writePng(bench.picture(bench.layout.scaledRect("clean", 1.0f).removeFromRight(300), 2.0f),
             out.getChildFile("knobs-clean.png"));
    const auto decay = bench.layout.scaledRect("knob.decay.window", 1.0f);
    const auto lowCut = bench.layout.scaledRect("knob.lowCut", 1.0f);
    writePng(bench.picture(decay.getUnion(lowCut).expanded(8), 4.0f), out.getChildFile("knobs-closeup.png"));
}
} // namespace
} // namespace zq6::test
