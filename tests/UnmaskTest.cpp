#include "clean/UnmaskProcessor.h"
#include "dsp/ChunkSize.h"
#include "engine/ReverbEngine.h"
#include "support/AllocationGuard.h"
#include "support/ProcessorHarness.h"
#include "support/TestSignals.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zq6::test
{
namespace
{
constexpr int chunk = maxChunkSamples;

juce::AudioBuffer<float> scaled(const juce::AudioBuffer<float>& in, float gain)
{
    auto out = in;
    out.applyGain(gain);
    return out;
}

double rmsDb(const juce::AudioBuffer<float>& buffer, int channel, int from, int to)
{
    double sum = 0.0;
    for (int i = from; i < to; ++i)
        sum += static_cast<double>(buffer.getSample(channel, i)) * buffer.getSample(channel, i);
    return 10.0 * std::log10(sum / (to - from) + 1e-30);
}

// Largest |out[i] - in[i - delay]| over both channels, relative to the input's peak.
float delayedError(const juce::AudioBuffer<float>& in, const juce::AudioBuffer<float>& out, int delay)
{
    float worst = 0.0f;
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < out.getNumSamples(); ++i)
        {
            const auto expected = i >= delay ? in.getSample(c, i - delay) : 0.0f;
            worst = std::max(worst, std::abs(out.getSample(c, i) - expected));
        }
    return worst / in.getMagnitude(0, in.getNumSamples());
}

// Drives an UnmaskProcessor the way the engine does: chunks of 32 with a constant amount.
class UnmaskRig
{
public:
    explicit UnmaskRig(double sampleRate = 48000.0) : rate(sampleRate), frame(ReverbEngine::latencyForRate(sampleRate))
    {
        unmask.prepare(rate, frame);
    }

    // Runs wet and dry through; calls watch(end sample) after every chunk.
    template <typename Watch>
    juce::AudioBuffer<float> run(const juce::AudioBuffer<float>& wet, const juce::AudioBuffer<float>& dry, float amount,
                                 int speed, Watch watch)
    {
        juce::AudioBuffer<float> out(2, wet.getNumSamples());
        for (int start = 0; start < wet.getNumSamples(); start += chunk)
        {
            const auto n = std::min(chunk, wet.getNumSamples() - start);
            unmask.process(wet.getReadPointer(0, start), wet.getReadPointer(1, start), dry.getReadPointer(0, start),
                           dry.getReadPointer(1, start), out.getWritePointer(0, start), out.getWritePointer(1, start), n,
                           { amount, amount }, speed);
            watch(start + n);
        }
        return out;
    }

    juce::AudioBuffer<float> run(const juce::AudioBuffer<float>& wet, const juce::AudioBuffer<float>& dry, float amount,
                                 int speed = 1)
    {
        return run(wet, dry, amount, speed, [](int) {});
    }

    float largestReduction() const
    {
        float largest = 0.0f;
        for (int k = 0; k < UnmaskProcessor::numBands; ++k)
            largest = std::max(largest, unmask.getReductionDb(k));
        return largest;
    }

    int bandOf(double hz) const
    {
        const auto bin = hz * frame / rate;
        for (int k = 0; k < UnmaskProcessor::numBands; ++k)
            if (bin < unmask.getBand(k).hi - 0.5)
                return k;
        return UnmaskProcessor::numBands - 1;
    }

    double rate;
    int frame;
    UnmaskProcessor unmask;
};
} // namespace

class UnmaskBandBins : public testing::TestWithParam<double>
{
};

TEST_P(UnmaskBandBins, SpanFortyHertzToEighteenKilohertzAtLeastOneBinApart)
{
    const UnmaskRig rig(GetParam());
    const UnmaskRig reference(48000.0);
    const auto binHz = rig.rate / rig.frame;
    EXPECT_EQ(rig.unmask.getBand(0).lo, 1) << "about 47 Hz";
    for (int k = 0; k < UnmaskProcessor::numBands; ++k)
    {
        const auto& band = rig.unmask.getBand(k);
        EXPECT_GE(band.hi - band.lo, 1) << k;
        EXPECT_FLOAT_EQ(band.centreHz, reference.unmask.getBand(k).centreHz) << k;
    }
    EXPECT_EQ(rig.unmask.getBand(0).hi - rig.unmask.getBand(0).lo, 1) << "the lowest bands are one bin wide";
    EXPECT_NEAR(rig.unmask.getBand(UnmaskProcessor::numBands - 1).hi * binHz, 18000.0, binHz);
}

INSTANTIATE_TEST_SUITE_P(Rates, UnmaskBandBins, testing::Values(48000.0, 96000.0, 192000.0),
                         [](const auto& testCase) { return std::to_string(static_cast<int>(testCase.param)); });

TEST(UnmaskBands, StayInsideTheSpectrumWhenTheRateIsLow)
{
    UnmaskBands bands;
    bands.design(22050.0, 1024);
    EXPECT_EQ(bands.bands.front().lo, 2);
    EXPECT_LE(bands.bands.back().hi, 512);
    EXPECT_NEAR(bands.bands.back().hi * 22050.0 / 1024, 0.475 * 22050.0, 22050.0 / 1024);
}

class UnmaskQuietPath : public testing::TestWithParam<double>
{
};

// Amount 0 runs the windowed copy: the wet leaves delayed by exactly N, so Delta Unmask is silent.
TEST_P(UnmaskQuietPath, DelaysTheWetByTheFrameSize)
{
    UnmaskRig rig(GetParam());
    const auto wet = makeNoise(2, 3 * rig.frame + 100, 0.5f, 4);
    const auto dry = makeNoise(2, wet.getNumSamples(), 0.5f, 5);
    const auto out = rig.run(wet, dry, 0.0f);
    EXPECT_LT(delayedError(wet, out, rig.frame), 1.0e-6f);
    EXPECT_EQ(rig.largestReduction(), 0.0f);
}

INSTANTIATE_TEST_SUITE_P(Rates, UnmaskQuietPath, testing::Values(44100.0, 96000.0, 192000.0),
                         [](const auto& testCase) { return std::to_string(static_cast<int>(testCase.param)); });

TEST(Unmask, NeverReducesAWetSignalWhenTheDryIsSilent)
{
    UnmaskRig rig;
    const auto wet = makeNoise(2, 48000, 0.5f, 6);
    juce::AudioBuffer<float> dry(2, wet.getNumSamples());
    dry.clear();
    float worst = 0.0f;
    const auto out = rig.run(wet, dry, 1.0f, 0, [&](int) { worst = std::max(worst, rig.largestReduction()); });
    EXPECT_EQ(worst, 0.0f);
    EXPECT_LT(delayedError(wet, out, rig.frame), 1.0e-5f);
}

TEST(Unmask, LeavesBandsWhereTheDryIsTwelveDecibelsAboveTheWet)
{
    UnmaskRig rig;
    const auto wet = makeNoise(2, 48000, 0.1f, 7);
    float worst = 0.0f;
    const auto out = rig.run(wet, scaled(wet, 4.0f), 1.0f, 0, [&](int) { worst = std::max(worst, rig.largestReduction()); });
    EXPECT_EQ(worst, 0.0f);
    EXPECT_LT(delayedError(wet, out, rig.frame), 1.0e-5f);
}

// Dry and wet equal where the dry is strongest, amount 100 %: that band goes 24 dB down.
TEST(Unmask, DucksTheStrongestDryBandByTwentyFourDecibels)
{
    UnmaskRig rig;
    const auto band = 18;
    const auto hz = static_cast<double>(rig.unmask.getBand(band).centreHz);
    ASSERT_EQ(rig.bandOf(hz), band);
    const auto signal = makeSine(2, 96000, rig.rate, hz, 0.5f);
    const auto out = rig.run(signal, signal, 1.0f);
    EXPECT_NEAR(rig.unmask.getReductionDb(band), 24.0f, 0.01f);
    for (int c = 0; c < 2; ++c)
        EXPECT_NEAR(rmsDb(out, c, 72000, 96000) - rmsDb(signal, c, 72000, 96000), -24.0, 0.5);
}

TEST(Unmask, SpeedsChangeOnlyHowFastTheReductionMoves)
{
    const auto band = 12;
    float finalDb[3] {};
    int halfway[3] {};
    for (int speed = 0; speed < 3; ++speed)
    {
        UnmaskRig rig;
        const auto signal = makeSine(2, 96000, rig.rate, rig.unmask.getBand(band).centreHz, 0.5f);
        halfway[speed] = -1;
        rig.run(signal, signal, 1.0f, speed, [&](int end) {
            if (halfway[speed] < 0 && rig.unmask.getReductionDb(band) >= 12.0f)
                halfway[speed] = end;
        });
        finalDb[speed] = rig.unmask.getReductionDb(band);
    }
    EXPECT_NEAR(finalDb[0], 24.0f, 0.01f);
    EXPECT_NEAR(finalDb[1], finalDb[0], 0.01f);
    EXPECT_NEAR(finalDb[2], finalDb[0], 0.01f);
    EXPECT_GT(halfway[0], 0);
    EXPECT_LT(halfway[0], halfway[1]);
    EXPECT_LT(halfway[1], halfway[2]);
}

TEST(Unmask, KeepsAMonoWetMono)
{
    UnmaskRig rig;
    auto wet = makeNoise(2, 48000, 0.3f, 8);
    wet.copyFrom(1, 0, wet, 0, 0, wet.getNumSamples());
    auto dry = makeNoise(2, wet.getNumSamples(), 0.3f, 9);
    const auto out = rig.run(wet, dry, 1.0f);
    EXPECT_GT(rig.largestReduction(), 1.0f);
    for (int i = 0; i < out.getNumSamples(); ++i)
        ASSERT_EQ(out.getSample(0, i), out.getSample(1, i)) << i;
}

// After the amount falls to 0 the bands release at the release speed, then the windowed copy resumes.
TEST(Unmask, ReleasesToTheQuietPathAfterTheAmountFallsToZero)
{
    UnmaskRig rig;
    const auto signal = makeSine(2, 48000, rig.rate, 1000.0, 0.5f);
    rig.run(signal, signal, 1.0f, 0);
    ASSERT_GT(rig.largestReduction(), 20.0f);

    float previous = rig.largestReduction();
    bool monotonic = true;
    int released = -1;
    const auto wet = makeNoise(2, 72000, 0.5f, 10);
    const auto key = makeSine(2, 72000, rig.rate, 1000.0, 0.5f);
    const auto out = rig.run(wet, key, 0.0f, 0, [&](int end) {
        const auto now = rig.largestReduction();
        monotonic = monotonic && now <= previous;
        previous = now;
        if (released < 0 && now == 0.0f)
            released = end;
    });
    EXPECT_TRUE(monotonic);
    // 24 dB to within 0.001 dB at the Fast release of 80 ms: 0.08 s x ln(24000), about 0.81 s.
    EXPECT_NEAR(released / rig.rate, 0.81, 0.02);
    juce::AudioBuffer<float> tailIn(2, 4 * rig.frame), tailOut(2, 4 * rig.frame);
    const auto from = out.getNumSamples() - 4 * rig.frame;
    for (int c = 0; c < 2; ++c)
    {
        tailIn.copyFrom(c, 0, wet, c, from - rig.frame, 4 * rig.frame);
        tailOut.copyFrom(c, 0, out, c, from, 4 * rig.frame);
    }
    EXPECT_LT(delayedError(tailIn, tailOut, 0), 1.0e-6f);
}

TEST(Unmask, DoesNotAllocateWhileProcessing)
{
    UnmaskRig rig;
    const auto signal = makeNoise(2, 8192, 0.5f, 11);
    const AllocationGuard guard;
    rig.run(signal, signal, 1.0f);
    rig.run(signal, signal, 0.0f);
    EXPECT_EQ(guard.allocations(), 0);
}
} // namespace zq6::test
