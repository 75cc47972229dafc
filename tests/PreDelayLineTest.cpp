#include "dsp/ChunkSize.h"
#include "engine/PreDelayLine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace zq6::test
{
namespace
{
// Runs input through a fresh line at a constant delay, chunk by chunk.
std::vector<float> delayed(const std::vector<float>& input, double rate, double delaySamples, int chunk = maxChunkSamples)
{
    PreDelayLine line;
    line.prepare(rate);
    std::vector<float> output(input.size());
    for (size_t start = 0; start < input.size(); start += static_cast<size_t>(chunk))
    {
        const auto m = static_cast<int>(std::min(input.size() - start, static_cast<size_t>(chunk)));
        line.process(input.data() + start, output.data() + start, m, delaySamples);
    }
    return output;
}
} // namespace

struct DelayCase
{
    double rate;
    double ms;
    int expectedSamples;
};

class PreDelayLineImpulse : public testing::TestWithParam<DelayCase>
{
};

TEST_P(PreDelayLineImpulse, DelaysByTheSetTimePlusTwoSamples)
{
    const auto c = GetParam();
    std::vector<float> impulse(static_cast<size_t>(c.expectedSamples + 200), 0.0f);
    impulse[10] = 1.0f;
    const auto out = delayed(impulse, c.rate, c.ms * 0.001 * c.rate);
    for (size_t i = 0; i < out.size(); ++i)
        ASSERT_FLOAT_EQ(out[i], i == static_cast<size_t>(10 + c.expectedSamples) ? 1.0f : 0.0f) << "sample " << i;
}

INSTANTIATE_TEST_SUITE_P(Times, PreDelayLineImpulse,
                         testing::Values(DelayCase { 44100.0, 0.0, 2 }, DelayCase { 48000.0, 0.0, 2 },
                                         DelayCase { 48000.0, 20.0, 962 }, DelayCase { 48000.0, 100.0, 4802 },
                                         DelayCase { 44100.0, 100.0, 4412 }, DelayCase { 48000.0, 500.0, 24002 }));

TEST(PreDelayLine, FractionalDelayShiftsALowToneByThatFraction)
{
    const auto rate = 48000.0, hz = 500.0, delay = 7.37;
    std::vector<float> tone(2048);
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = static_cast<float>(std::sin(2.0 * M_PI * hz * i / rate));
    const auto out = delayed(tone, rate, delay);
    for (size_t i = 100; i < out.size(); ++i)
        ASSERT_NEAR(out[i], std::sin(2.0 * M_PI * hz * (i - delay - 2.0) / rate), 2e-4) << "sample " << i;
}

TEST(PreDelayLine, GlidesLinearlyAcrossAChunkFromThePreviousDelay)
{
    PreDelayLine line;
    line.prepare(48000.0);
    std::vector<float> ramp(64);
    for (size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = static_cast<float>(i);
    std::vector<float> out(64);
    line.process(ramp.data(), out.data(), 32, 4.0);
    line.process(ramp.data() + 32, out.data() + 32, 32, 36.0);
    // A linear input read through a linear delay ramp: sample j of the second chunk lags by
    // 4 + 32 (j + 1) / 32 + 2 samples.
    for (int j = 0; j < 32; ++j)
        EXPECT_NEAR(out[static_cast<size_t>(32 + j)], 32.0 + j - (4.0 + (j + 1) + 2.0), 1e-3) << j;
}

TEST(PreDelayLine, ClearSilencesAndStartsFromTheNextTarget)
{
    PreDelayLine line;
    line.prepare(48000.0);
    std::vector<float> ones(32, 1.0f), out(32);
    line.process(ones.data(), out.data(), 32, 3.0);
    line.clear();
    std::vector<float> impulse(32, 0.0f);
    impulse[0] = 1.0f;
    line.process(impulse.data(), out.data(), 32, 20.0);
    for (int j = 0; j < 32; ++j)
        EXPECT_FLOAT_EQ(out[static_cast<size_t>(j)], j == 22 ? 1.0f : 0.0f) << j;
}
} // namespace zq6::test
