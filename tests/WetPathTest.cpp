#include "engine/ErTapTable.h"
#include "params/ParameterIds.h"
#include "support/ProcessorHarness.h"
#include "support/SignalMeasures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zq6::test
{
namespace
{
constexpr int pulseLength = 64;

// Wet only, unmodulated, no low cut; the default Hall Character's first reflection is the onset.
void wetOnly(ProcessorHarness& harness)
{
    harness.set(pid::mix, 1.0f);
    harness.set(pid::motion, 0.0f);
    harness.set(pid::lowcut, 20.0f);
}

// A smooth pulse peaking at start + pulseLength / 2, on both channels.
juce::AudioBuffer<float> pulseAt(int start, int length)
{
    juce::AudioBuffer<float> buffer(2, length);
    buffer.clear();
    for (int i = 0; i <= pulseLength; ++i)
    {
        const auto s = std::sin(M_PI * i / pulseLength);
        for (int c = 0; c < 2; ++c)
            buffer.setSample(c, start + i, static_cast<float>(s * s));
    }
    return buffer;
}

juce::AudioBuffer<float> sine(double hz, double rate, int length)
{
    juce::AudioBuffer<float> buffer(2, length);
    for (int i = 0; i < length; ++i)
        for (int c = 0; c < 2; ++c)
            buffer.setSample(c, i, 0.5f * static_cast<float>(std::sin(2.0 * M_PI * hz * i / rate)));
    return buffer;
}

int peakIndex(const float* x, int from, int to)
{
    int best = from;
    for (int i = from; i < to; ++i)
        if (std::abs(x[i]) > std::abs(x[best]))
            best = i;
    return best;
}

double rms(const float* x, int from, int to)
{
    double sum = 0.0;
    for (int i = from; i < to; ++i)
        sum += static_cast<double>(x[i]) * x[i];
    return std::sqrt(sum / (to - from));
}
} // namespace

class PreDelayOnset : public testing::TestWithParam<double>
{
protected:
    double rate() const { return GetParam(); }
    int samples(double ms) const { return static_cast<int>(std::lround(ms * 0.001 * rate())); }

    juce::AudioBuffer<float> render(float preDelayMs, int pulseStart, int length, std::int64_t& allocations) const
    {
        ProcessorHarness harness(rate());
        wetOnly(harness);
        harness.set(pid::predelay, preDelayMs);
        auto buffer = pulseAt(pulseStart, length);
        harness.process(buffer);
        allocations += harness.allocationsOnAudioPath();
        return buffer;
    }
};

TEST_P(PreDelayOnset, MovesTheWetOnsetByExactlyThePreDelay)
{
    const auto pulseStart = samples(100.0), length = samples(500.0);
    std::int64_t allocations = 0;
    const auto near = render(20.0f, pulseStart, length, allocations);
    const auto far = render(120.0f, pulseStart, length, allocations);
    EXPECT_EQ(allocations, 0);

    const auto shift = samples(100.0);
    float worst = 0.0f, peak = 0.0f;
    for (int i = 0; i + shift < length; ++i)
    {
        worst = std::max(worst, std::abs(far.getSample(0, i + shift) - near.getSample(0, i)));
        peak = std::max(peak, std::abs(near.getSample(0, i)));
    }
    EXPECT_GT(peak, 0.05f);
    EXPECT_LT(worst, peak * 1e-4f);
}

TEST_P(PreDelayOnset, PlacesTheFirstReflectionAfterLatencyPreDelayAndTheTwoSampleRead)
{
    ProcessorHarness harness(rate());
    wetOnly(harness);
    harness.set(pid::predelay, 20.0f);
    const auto pulseStart = samples(100.0);
    auto buffer = pulseAt(pulseStart, samples(400.0));
    harness.process(buffer);

    // The converter's round trip is taken off the pre-delay, so only the read's two internal
    // samples remain on top of the set time.
    const auto factor = rate() > 50000.0 ? 2 : 1;
    const auto expected = pulseStart + pulseLength / 2 + harness.latency() + 0.02 * rate() + 2 * factor
                          + erTapTable[1][0][0].delayMs * 0.001 * rate();
    const auto from = pulseStart + harness.latency() + samples(20.0);
    EXPECT_NEAR(peakIndex(buffer.getReadPointer(0), from, from + samples(30.0)), expected, 1.0);
}

INSTANTIATE_TEST_SUITE_P(Rates, PreDelayOnset, testing::Values(44100.0, 48000.0, 96000.0),
                         [](const auto& info) { return std::to_string(static_cast<int>(info.param)); });

TEST(WetPath, PreDelayJumpFrom20To200MsGlidesWithoutAClick)
{
    const auto rate = 48000.0;
    ProcessorHarness harness(rate);
    wetOnly(harness);
    harness.set(pid::predelay, 20.0f);
    auto before = sine(100.0, rate, 48000);
    harness.process(before);
    harness.set(pid::predelay, 200.0f);
    auto after = sine(100.0, rate, 48000);
    harness.process(after);

    // The wet of the jump reaches the output one latency later. The glide reads the line up to
    // three times faster than real time, which may at most double the tone's slope.
    const auto latency = harness.latency();
    const auto steady = largestStep(before.getReadPointer(0), 24000, 48000);
    EXPECT_GT(steady, 0.0f);
    EXPECT_LT(largestStep(after.getReadPointer(0), latency, latency + 24000), steady * 3.0f);
    EXPECT_EQ(harness.allocationsOnAudioPath(), 0);
}

TEST(WetPath, WidthZeroGivesEqualSides)
{
    ProcessorHarness harness;
    wetOnly(harness);
    harness.set(pid::width, 0.0f);
    auto buffer = makeNoise(2, 24000);
    harness.process(buffer);
    EXPECT_GT(rms(buffer.getReadPointer(0), 0, 24000), 0.01);
    for (int i = 0; i < buffer.getNumSamples(); ++i)
        ASSERT_EQ(buffer.getSample(0, i), buffer.getSample(1, i)) << "sample " << i;
}

TEST(WetPath, LowCutAt1kHzRemovesTheWetLowsOnly)
{
    const auto rate = 48000.0;
    const auto wetLevel = [rate](float lowCutHz) {
        ProcessorHarness harness(rate);
        wetOnly(harness);
        harness.set(pid::lowcut, lowCutHz);
        auto buffer = sine(100.0, rate, 48000);
        harness.process(buffer);
        return rms(buffer.getReadPointer(0), 24000, 48000);
    };
    EXPECT_LT(20.0 * std::log10(wetLevel(1000.0f) / wetLevel(20.0f)), -30.0);

    ProcessorHarness harness(rate);
    harness.set(pid::mix, 0.0f);
    harness.set(pid::lowcut, 1000.0f);
    const auto input = sine(100.0, rate, 24000);
    auto buffer = input;
    harness.process(buffer);
    const auto latency = harness.latency();
    for (int i = latency; i < buffer.getNumSamples(); ++i)
        ASSERT_EQ(buffer.getSample(0, i), input.getSample(0, i - latency)) << "sample " << i;
}
} // namespace zq6::test
