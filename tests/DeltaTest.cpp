#include "clean/ShapingProcessor.h"
#include "params/ParameterIds.h"
#include "support/ProcessorHarness.h"
#include "support/TestSignals.h"

#include <gtest/gtest.h>

namespace zq6::test
{
namespace
{
struct Switches
{
    const char* name;
    bool shaping, unmask;
};

void setSwitches(ProcessorHarness& harness, Switches s)
{
    harness.set(pid::deltaShaping, s.shaping ? 1.0f : 0.0f);
    harness.set(pid::deltaUnmask, s.unmask ? 1.0f : 0.0f);
}

// Loud noise with a quiet stretch and a fresh attack, so every Shaping stage has work.
juce::AudioBuffer<float> makeProgramme(int samples)
{
    auto buffer = makeNoise(2, samples, 0.5f, 31);
    buffer.applyGain(samples / 3, samples / 3, 0.1f);
    buffer.applyGain(0, samples / 10, 0.0f);
    return buffer;
}

// The Shaping delta of a standalone processor, delayed as the frame delays it: N - latency.
juce::AudioBuffer<float> expectedShapingDelta(const juce::AudioBuffer<float>& in, double rate, int latency)
{
    ShapingProcessor shaping;
    shaping.prepare(rate);
    ShapingControls controls;
    controls.active = true;
    controls.deltaListening = true;
    controls.sibilance = controls.breath = controls.transient = { 1.0f, 1.0f };

    auto feed = in;
    juce::AudioBuffer<float> delta(2, in.getNumSamples());
    for (int start = 0; start < in.getNumSamples(); start += maxChunkSamples)
    {
        const auto n = std::min(maxChunkSamples, in.getNumSamples() - start);
        shaping.process(feed.getWritePointer(0, start), feed.getWritePointer(1, start), delta.getWritePointer(0, start),
                        delta.getWritePointer(1, start), n, controls);
    }
    const auto delay = latency - shaping.getLatencySamples();
    juce::AudioBuffer<float> aligned(2, in.getNumSamples());
    aligned.clear();
    for (int c = 0; c < 2; ++c)
        aligned.copyFrom(c, delay, delta, c, 0, in.getNumSamples() - delay);
    return aligned;
}

struct RouteCase
{
    const char* name;
    double rate;
    Switches switches;
    float unmaskAmount;
    bool hearsShaping;
};
} // namespace

class DeltaWithoutClean : public testing::TestWithParam<Switches>
{
};

// With both Clean amounts at 0 nothing is removed: a Delta switch fades the output to silence.
TEST_P(DeltaWithoutClean, FadesTheOutputToSilence)
{
    ProcessorHarness harness;
    auto before = makeNoise(2, 14400, 0.5f, 32);
    harness.process(before);
    setSwitches(harness, GetParam());
    auto after = makeNoise(2, 24000, 0.5f, 33);
    harness.process(after);
    EXPECT_GT(peakBetween(after, 0, after.getNumSamples()), 0.1f) << "a crossfade, not a cut";
    EXPECT_LT(after.getMagnitude(0, 720, 48), 0.5f * 0.7f) << "about a third left after 15 ms";
    EXPECT_LT(peakBetween(after, 14400, after.getNumSamples()), 1.0e-6f);
    EXPECT_EQ(harness.allocationsOnAudioPath(), 0);
}

INSTANTIATE_TEST_SUITE_P(Switches, DeltaWithoutClean,
                         testing::Values(Switches { "shaping", true, false }, Switches { "unmask", false, true },
                                         Switches { "both", true, true }),
                         [](const auto& testCase) { return std::string(testCase.param.name); });
class DeltaRouting : public testing::TestWithParam<RouteCase>
{
};

// The Shaping delta reaches the output aligned with the dry path, and only while Delta Shaping is on.
TEST_P(DeltaRouting, PlaysWhatShapingRemovedAlignedWithTheDry)
{
    const auto c = GetParam();
    ProcessorHarness harness(c.rate);
    harness.set(pid::cleanShaping, 1.0f);
    harness.set(pid::cleanUnmask, c.unmaskAmount);
    setSwitches(harness, c.switches);
    const auto in = makeProgramme(static_cast<int>(c.rate));
    auto out = in;
    harness.process(out);

    auto expected = expectedShapingDelta(in, c.rate, harness.latency());
    if (!c.hearsShaping)
        expected.clear();
    float worst = 0.0f;
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < in.getNumSamples(); ++i)
            worst = std::max(worst, std::abs(out.getSample(ch, i) - expected.getSample(ch, i)));
    EXPECT_LT(worst, 1.0e-6f);
    if (c.hearsShaping)
    {
        EXPECT_GT(peakBetween(out, 0, out.getNumSamples()), 0.05f);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, DeltaRouting,
                         testing::Values(RouteCase { "shaping", 48000.0, { "", true, false }, 0.0f, true },
                                         RouteCase { "shaping_96k", 96000.0, { "", true, false }, 0.0f, true },
                                         // Unmask at 0 removes nothing, so its delta adds nothing to the routing.
                                         RouteCase { "unmask_only", 48000.0, { "", false, true }, 0.0f, false },
                                         RouteCase { "both", 48000.0, { "", true, true }, 0.0f, true }),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

class CleanSwitching : public testing::TestWithParam<double>
{
};

TEST_P(CleanSwitching, NeverAllocatesOnTheAudioThread)
{
    ProcessorHarness harness(GetParam());
    const auto steps = { std::pair { pid::cleanShaping, 1.0f }, std::pair { pid::deltaShaping, 1.0f },
                         std::pair { pid::cleanUnmask, 1.0f },  std::pair { pid::deltaUnmask, 1.0f },
                         std::pair { pid::cleanShaping, 0.0f }, std::pair { pid::deltaShaping, 0.0f },
                         std::pair { pid::cleanUnmask, 0.0f },  std::pair { pid::cleanShaping, 1.0f },
                         std::pair { pid::bypass, 1.0f },       std::pair { pid::bypass, 0.0f } };
    for (const auto& [id, value] : steps)
    {
        harness.set(id, value);
        auto block = makeProgramme(9600);
        harness.process(block);
    }
    EXPECT_EQ(harness.allocationsOnAudioPath(), 0);
}

INSTANTIATE_TEST_SUITE_P(Rates, CleanSwitching, testing::Values(48000.0, 96000.0),
                         [](const auto& testCase) { return std::to_string(static_cast<int>(testCase.param)); });
} // namespace zq6::test
