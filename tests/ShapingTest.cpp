#include "clean/ShapingProcessor.h"
#include "dsp/ChunkSize.h"
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

struct Shares
{
    float amount, sibilance, breath, transient;
};

// Drives a ShapingProcessor the way the engine does: chunks of 32 with constant amounts.
class ShapingRig
{
public:
    explicit ShapingRig(double sampleRate = 48000.0) : rate(sampleRate) { shaping.prepare(rate); }

    void set(Shares s, bool listening = true)
    {
        controls.active = ShapingProcessor::isActive(s.amount, s.sibilance, s.breath, s.transient);
        controls.deltaListening = listening;
        controls.sibilance = { s.amount * s.sibilance, s.amount * s.sibilance };
        controls.breath = { s.amount * s.breath, s.amount * s.breath };
        controls.transient = { s.amount * s.transient, s.amount * s.transient };
    }

    // Shapes `feed` in place from sample `from` on and writes the delta; both stereo.
    void run(juce::AudioBuffer<float>& feed, juce::AudioBuffer<float>& delta, int from = 0)
    {
        for (int start = from; start < feed.getNumSamples(); start += chunk)
        {
            const auto n = std::min(chunk, feed.getNumSamples() - start);
            shaping.process(feed.getWritePointer(0, start), feed.getWritePointer(1, start), delta.getWritePointer(0, start),
                            delta.getWritePointer(1, start), n, controls);
        }
    }

    // Runs with `first` up to switchAt, then with `second` and Delta Shaping listening.
    void runSwitching(juce::AudioBuffer<float>& feed, juce::AudioBuffer<float>& delta, int switchAt, Shares first,
                      Shares second, bool listeningFirst = true)
    {
        set(first, listeningFirst);
        juce::AudioBuffer<float> feedBefore(feed.getArrayOfWritePointers(), 2, switchAt);
        juce::AudioBuffer<float> deltaBefore(delta.getArrayOfWritePointers(), 2, switchAt);
        run(feedBefore, deltaBefore);
        set(second);
        run(feed, delta, switchAt);
    }

    double rate;
    ShapingProcessor shaping;
    ShapingControls controls;
};

juce::AudioBuffer<float> sum(const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b)
{
    auto out = a;
    for (int c = 0; c < 2; ++c)
        out.addFrom(c, 0, b, c, 0, b.getNumSamples());
    return out;
}

double energy(const juce::AudioBuffer<float>& buffer, int from, int to)
{
    double total = 0.0;
    for (int c = 0; c < 2; ++c)
        for (int i = from; i < to; ++i)
            total += static_cast<double>(buffer.getSample(c, i)) * buffer.getSample(c, i);
    return total;
}

// Level of `part` relative to `whole` over [from, to), in dB.
double relativeDb(const juce::AudioBuffer<float>& part, const juce::AudioBuffer<float>& whole, int from, int to)
{
    return 10.0 * std::log10(energy(part, from, to) / energy(whole, from, to));
}

// Loud noise for `loudSamples`, then the same noise times burstGain for `burstSamples`.
juce::AudioBuffer<float> makeBurst(int loudSamples, int burstSamples, float burstGain)
{
    auto buffer = makeNoise(2, loudSamples + burstSamples, 0.5f, 21);
    buffer.applyGain(loudSamples, burstSamples, burstGain);
    return buffer;
}

// Silence, then a DC step to 0.5 at `at`.
juce::AudioBuffer<float> makeStep(int samples, int at)
{
    juce::AudioBuffer<float> buffer(2, samples);
    buffer.clear();
    for (int c = 0; c < 2; ++c)
        juce::FloatVectorOperations::fill(buffer.getWritePointer(c, at), 0.5f, samples - at);
    return buffer;
}

// The same input through a bare oversampler up and down, as the shaped feed plus its delta must be.
juce::AudioBuffer<float> roundTrip(const juce::AudioBuffer<float>& in)
{
    juce::dsp::Oversampling<float> oversampler(2, 1, juce::dsp::Oversampling<float>::filterHalfBandPolyphaseIIR, true);
    oversampler.initProcessing(chunk);
    auto out = in;
    for (int start = 0; start < out.getNumSamples(); start += chunk)
    {
        juce::dsp::AudioBlock<float> block(out.getArrayOfWritePointers(), 2, static_cast<size_t>(start),
                                           static_cast<size_t>(std::min(chunk, out.getNumSamples() - start)));
        oversampler.processSamplesUp(block);
        oversampler.processSamplesDown(block);
    }
    return out;
}

struct OffCase
{
    const char* name;
    double rate;
    Shares shares;
};

struct ShapingRateCase
{
    double rate;
    bool oversampling;
};

struct SineCase
{
    double hz;
    bool reduced;
};
} // namespace

class ShapingOff : public testing::TestWithParam<OffCase>
{
};

TEST_P(ShapingOff, PassesTheFeedUntouchedAndRemovesNothing)
{
    const auto c = GetParam();
    ShapingRig rig(c.rate);
    rig.set(c.shares);
    const auto in = makeNoise(2, 9600, 0.5f, 12);
    auto feed = in;
    juce::AudioBuffer<float> delta(2, in.getNumSamples());
    rig.run(feed, delta);
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < in.getNumSamples(); ++i)
        {
            ASSERT_EQ(feed.getSample(ch, i), in.getSample(ch, i)) << i;
            ASSERT_EQ(delta.getSample(ch, i), 0.0f) << i;
        }
}

INSTANTIATE_TEST_SUITE_P(Cases, ShapingOff,
                         testing::Values(OffCase { "amount0", 48000.0, { 0.0f, 1.0f, 1.0f, 1.0f } },
                                         OffCase { "shares0", 48000.0, { 1.0f, 0.0f, 0.0f, 0.0f } },
                                         OffCase { "amount0_96k", 96000.0, { 0.0f, 1.0f, 1.0f, 1.0f } },
                                         OffCase { "shares0_96k", 96000.0, { 1.0f, 0.0f, 0.0f, 0.0f } }),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(Shaping, PassesTheInputExactlyOnceTheFifteenMillisecondFadeHasEnded)
{
    ShapingRig rig;
    const auto in = makeNoise(2, 24000, 0.5f, 13);
    auto feed = in;
    juce::AudioBuffer<float> delta(2, in.getNumSamples());
    const auto switchAt = 12000;
    rig.runSwitching(feed, delta, switchAt, { 1.0f, 1.0f, 1.0f, 1.0f }, { 0.0f, 1.0f, 1.0f, 1.0f });

    int exactFrom = feed.getNumSamples();
    while (exactFrom > 0 && feed.getSample(0, exactFrom - 1) == in.getSample(0, exactFrom - 1)
           && feed.getSample(1, exactFrom - 1) == in.getSample(1, exactFrom - 1))
        --exactFrom;
    // The last fading chunk already ends on the input; the fade is over from the next chunk.
    exactFrom = (exactFrom + chunk - 1) / chunk * chunk;
    EXPECT_GT(peakBetween(delta, switchAt, switchAt + chunk), 0.0f) << "fades out rather than stopping at once";
    EXPECT_GT(exactFrom, switchAt + 600);
    EXPECT_LE(exactFrom, switchAt + 720 + 2 * chunk) << "15 ms at 48 kHz is 720 samples";
    EXPECT_EQ(peakBetween(delta, exactFrom, feed.getNumSamples()), 0.0f);
}
class ShapingRate : public testing::TestWithParam<ShapingRateCase>
{
};

// Steady low tones are left alone, so the feed is the input delayed by the reported latency.
TEST_P(ShapingRate, ReportsTheOversamplersLatencyOnlyWhenOversampling)
{
    const auto c = GetParam();
    ShapingRig rig(c.rate);
    EXPECT_EQ(rig.shaping.isOversampling(), c.oversampling);
    const juce::dsp::Oversampling<float> reference(2, 1, juce::dsp::Oversampling<float>::filterHalfBandPolyphaseIIR, true);
    const auto expected = c.oversampling ? static_cast<int>(std::lround(reference.getLatencyInSamples())) : 0;
    EXPECT_EQ(rig.shaping.getLatencySamples(), expected);

    rig.set({ 1.0f, 1.0f, 1.0f, 1.0f });
    const auto samples = static_cast<int>(c.rate / 2);
    const auto in = sum(makeSine(2, samples, c.rate, 200.0, 0.3f), makeSine(2, samples, c.rate, 600.0, 0.2f));
    auto feed = in;
    juce::AudioBuffer<float> delta(2, samples);
    rig.run(feed, delta);
    auto delayed = in;
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < samples; ++i)
            delayed.setSample(ch, i, i >= expected ? in.getSample(ch, i - expected) : 0.0f);
    auto error = feed;
    for (int ch = 0; ch < 2; ++ch)
        error.addFrom(ch, 0, delayed, ch, 0, samples, -1.0f);
    EXPECT_LT(relativeDb(error, in, samples / 2, samples), -35.0);
}

INSTANTIATE_TEST_SUITE_P(Rates, ShapingRate,
                         testing::Values(ShapingRateCase { 44100.0, true }, ShapingRateCase { 48000.0, true },
                                         ShapingRateCase { 96000.0, false }, ShapingRateCase { 192000.0, false }),
                         [](const auto& testCase) { return std::to_string(static_cast<int>(testCase.param.rate)); });

class ShapingReconstruction : public testing::TestWithParam<double>
{
};

// What the feed lost is exactly what the delta carries, through matching oversampler filters.
TEST_P(ShapingReconstruction, FeedPlusDeltaIsTheInputThroughTheOversampler)
{
    const auto rate = GetParam();
    ShapingRig rig(rate);
    rig.set({ 1.0f, 1.0f, 1.0f, 1.0f });
    const auto samples = static_cast<int>(rate);
    auto in = makeBurst(samples / 2, samples / 2, 0.1f);
    in.applyGain(0, samples / 8, 0.0f);
    auto feed = in;
    juce::AudioBuffer<float> delta(2, samples);
    rig.run(feed, delta);
    const auto expected = rig.shaping.isOversampling() ? roundTrip(in) : in;
    const auto whole = sum(feed, delta);
    float worst = 0.0f;
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < samples; ++i)
            worst = std::max(worst, std::abs(whole.getSample(ch, i) - expected.getSample(ch, i)));
    EXPECT_LT(worst, 1.0e-5f);
    EXPECT_GT(relativeDb(delta, in, 0, samples), -20.0) << "shaping must have removed something";
}

INSTANTIATE_TEST_SUITE_P(Rates, ShapingReconstruction, testing::Values(48000.0, 96000.0),
                         [](const auto& testCase) { return std::to_string(static_cast<int>(testCase.param)); });
class ShapingSibilance : public testing::TestWithParam<SineCase>
{
};

TEST_P(ShapingSibilance, TouchesOnlyHighSteadySines)
{
    const auto c = GetParam();
    ShapingRig rig;
    rig.set({ 1.0f, 1.0f, 0.0f, 0.0f });
    const auto in = makeSine(2, 24000, rig.rate, c.hz, 0.5f);
    auto feed = in;
    juce::AudioBuffer<float> delta(2, in.getNumSamples());
    rig.run(feed, delta);
    if (c.reduced)
        EXPECT_LT(relativeDb(feed, sum(feed, delta), 12000, 24000), -3.0);
    else
        EXPECT_LT(peakBetween(delta, 12000, 24000), 1.0e-4f) << "once the onset has passed";
}

INSTANTIATE_TEST_SUITE_P(Tones, ShapingSibilance,
                         testing::Values(SineCase { 100.0, false }, SineCase { 440.0, false },
                                         SineCase { 1000.0, false }, SineCase { 1500.0, false },
                                         SineCase { 8000.0, true }),
                         [](const auto& testCase) { return std::to_string(static_cast<int>(testCase.param.hz)) + "Hz"; });

class ShapingBreath : public testing::TestWithParam<Shares>
{
};

// 20 dB under the recent level is 8 dB into the 12 dB ramp of the breath stage.
TEST_P(ShapingBreath, SoftensQuietNoiseButNotNoiseAtTheRecentLevel)
{
    const auto shares = GetParam();
    ShapingRig rig;
    rig.set(shares);
    const auto loud = 96000;
    auto feed = makeBurst(loud, 24000, 0.1f);
    juce::AudioBuffer<float> delta(2, feed.getNumSamples());
    rig.run(feed, delta);
    const auto whole = sum(feed, delta);
    const auto expected = -18.0 * shares.amount * shares.breath * 8.0 / 12.0;
    EXPECT_NEAR(relativeDb(feed, whole, loud + 7200, loud + 14400), expected, 0.6) << "150 to 300 ms into the burst";
    EXPECT_NEAR(relativeDb(feed, whole, loud / 2, loud), 0.0, 0.01);
}

INSTANTIATE_TEST_SUITE_P(Shares, ShapingBreath,
                         testing::Values(Shares { 1.0f, 0.0f, 1.0f, 0.0f }, Shares { 0.5f, 0.0f, 1.0f, 0.0f },
                                         Shares { 1.0f, 0.0f, 0.5f, 0.0f }));

class ShapingTransient : public testing::TestWithParam<float>
{
};

TEST_P(ShapingTransient, SoftensASharpAttackByAtMostTenDecibelsTimesTheAmount)
{
    const auto amount = GetParam();
    ShapingRig rig;
    rig.set({ amount, 0.0f, 0.0f, 1.0f });
    const auto stepAt = 4800;
    auto feed = makeStep(24000, stepAt);
    juce::AudioBuffer<float> delta(2, feed.getNumSamples());
    rig.run(feed, delta);
    const auto whole = sum(feed, delta);
    auto deepest = 0.0f;
    for (int i = stepAt; i < feed.getNumSamples(); ++i)
        if (std::abs(whole.getSample(0, i)) > 0.25f)
            deepest = std::min(deepest, 20.0f * std::log10(feed.getSample(0, i) / whole.getSample(0, i)));
    EXPECT_GE(deepest, -10.0f * amount - 0.01f);
    EXPECT_LE(deepest, -9.0f * amount);
    EXPECT_NEAR(feed.getSample(0, feed.getNumSamples() - 1), whole.getSample(0, feed.getNumSamples() - 1), 1.0e-4f)
        << "released once the level is steady";
}

INSTANTIATE_TEST_SUITE_P(Amounts, ShapingTransient, testing::Values(1.0f, 0.5f, 0.2f));

// Switching on mid-signal: the detectors start from the recent input, so a steady tone is no attack.
TEST(Shaping, WarmsUpOnTheRecentInputWhenSwitchedOn)
{
    ShapingRig rig;
    auto feed = makeSine(2, 36000, rig.rate, 200.0, 0.5f);
    juce::AudioBuffer<float> delta(2, feed.getNumSamples());
    const auto switchAt = 24000;
    rig.runSwitching(feed, delta, switchAt, { 0.0f, 0.0f, 0.0f, 1.0f }, { 1.0f, 0.0f, 0.0f, 1.0f });
    EXPECT_LT(peakBetween(delta, switchAt, feed.getNumSamples()), 0.01f) << "cold detectors would take 10 dB off";
}

// Turning Delta Shaping on mid-signal gives the delta as if it had been listened to all along.
TEST(Shaping, SettlesTheDeltaOversamplerWhenListeningStarts)
{
    const auto in = makeBurst(24000, 24000, 0.1f);
    const auto switchAt = 30016;
    juce::AudioBuffer<float> always(2, in.getNumSamples()), late(2, in.getNumSamples());
    for (auto* delta : { &always, &late })
    {
        ShapingRig rig;
        auto feed = in;
        const Shares all { 1.0f, 1.0f, 1.0f, 1.0f };
        rig.runSwitching(feed, *delta, switchAt, all, all, delta == &always);
    }
    float worst = 0.0f;
    for (int ch = 0; ch < 2; ++ch)
        for (int i = switchAt; i < in.getNumSamples(); ++i)
            worst = std::max(worst, std::abs(always.getSample(ch, i) - late.getSample(ch, i)));
    EXPECT_GT(peakBetween(always, switchAt, in.getNumSamples()), 0.01f);
    EXPECT_LT(worst, 1.0e-5f);
}

TEST(Shaping, DoesNotAllocateWhenSwitchingOnAndOff)
{
    ShapingRig rig;
    const auto in = makeBurst(4800, 4800, 0.1f);
    juce::AudioBuffer<float> delta(2, in.getNumSamples());
    const AllocationGuard guard;
    for (auto shares : { Shares { 1.0f, 1.0f, 1.0f, 1.0f }, Shares { 0.0f, 1.0f, 1.0f, 1.0f }, Shares { 1.0f, 0.0f, 1.0f, 0.0f } })
        for (auto listening : { true, false })
        {
            rig.set(shares, listening);
            auto feed = in;
            rig.run(feed, delta);
        }
    rig.shaping.clear();
    EXPECT_EQ(guard.allocations(), 0);
}
} // namespace zq6::test
