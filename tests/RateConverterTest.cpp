#include "dsp/ChunkSize.h"
#include "engine/RateConverter.h"
#include "engine/ReverbEngine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace zq6::test
{
namespace
{
// Round trip of a mono signal (both sides equal) through decimator and interpolator, in chunks of 32.
std::vector<float> roundTrip(RateConverter& converter, const std::vector<float>& input)
{
    std::vector<float> output(input.size());
    float down[maxChunkSamples], downRight[maxChunkSamples], outRight[maxChunkSamples];
    for (size_t start = 0; start < input.size(); start += maxChunkSamples)
    {
        const auto n = static_cast<int>(std::min<size_t>(maxChunkSamples, input.size() - start));
        const auto m = converter.decimate(&input[start], &input[start], n, down, downRight);
        converter.interpolate(down, downRight, m);
        converter.read(&output[start], outRight, n);
    }
    return output;
}

std::vector<float> sine(double frequency, double rate, int length)
{
    std::vector<float> s(static_cast<size_t>(length));
    for (int i = 0; i < length; ++i)
        s[static_cast<size_t>(i)] = static_cast<float>(std::sin(2.0 * M_PI * frequency * i / rate));
    return s;
}

double rms(const std::vector<float>& s, size_t from)
{
    double sum = 0.0;
    for (auto i = from; i < s.size(); ++i)
        sum += static_cast<double>(s[i]) * s[i];
    return std::sqrt(sum / static_cast<double>(s.size() - from));
}

double decibels(double ratio)
{
    return 20.0 * std::log10(std::max(ratio, 1e-20));
}
} // namespace

TEST(RateConverter, FactorAndLatencyFollowTheHostRate)
{
    EXPECT_EQ(ReverbEngine::decimationForRate(44100.0), 1);
    EXPECT_EQ(ReverbEngine::decimationForRate(96000.0), 2);
    EXPECT_EQ(ReverbEngine::decimationForRate(192000.0), 4);
    EXPECT_EQ(ReverbEngine::decimationForRate(384000.0), 8);

    ReverbEngine engine;
    engine.prepare(96000.0);
    EXPECT_EQ(engine.getDecimationFactor(), 2);
    EXPECT_DOUBLE_EQ(engine.getInternalRate(), 48000.0);
    EXPECT_EQ(engine.getLatency(), 2048);
}

TEST(RateConverter, PrototypeIsOddSymmetricAndUnitGain)
{
    for (int factor : { 2, 4, 8 })
    {
        const auto h = RateConverter::designPrototype(factor);
        ASSERT_EQ(h.size() % 2, 1u);
        EXPECT_EQ((h.size() - 1) % static_cast<size_t>(2 * factor), 0u) << "the round trip is whole internal samples";
        double sum = 0.0;
        for (size_t i = 0; i < h.size(); ++i)
        {
            EXPECT_NEAR(h[i], h[h.size() - 1 - i], 1e-15);
            sum += h[i];
        }
        EXPECT_NEAR(sum, 1.0, 1e-12);
    }
}

TEST(RateConverter, RoundTripDelaysAnImpulseByTapsMinusOne)
{
    for (int factor : { 2, 4, 8 })
    {
        RateConverter converter;
        converter.prepare(factor);
        std::vector<float> impulse(2048, 0.0f);
        // Any phase of the impulse against the decimator must come out at the same delay.
        for (int offset = 0; offset < factor; ++offset)
        {
            converter.clear();
            std::fill(impulse.begin(), impulse.end(), 0.0f);
            impulse[static_cast<size_t>(100 + offset)] = 1.0f;
            const auto out = roundTrip(converter, impulse);
            const auto peak = std::max_element(out.begin(), out.end(), [](float a, float b) { return std::abs(a) < std::abs(b); });
            EXPECT_EQ(peak - out.begin(), 100 + offset + converter.getNumTaps() - 1) << "factor " << factor;
            EXPECT_EQ(converter.latencyInternalSamples() * factor, converter.getNumTaps() - 1);
        }
    }
}

TEST(RateConverter, At96kHzRejectsWhatWouldAliasByNinetyDecibels)
{
    RateConverter converter;
    converter.prepare(2);
    for (double frequency : { 29000.0, 33000.0, 40000.0, 47000.0 })
    {
        converter.clear();
        const auto out = roundTrip(converter, sine(frequency, 96000.0, 16384));
        EXPECT_LT(decibels(rms(out, 4096) / std::sqrt(0.5)), -90.0) << frequency << " Hz";
    }
}

TEST(RateConverter, PassbandIsFlat)
{
    RateConverter converter;
    converter.prepare(2);
    for (double frequency : { 100.0, 1000.0, 5000.0, 10000.0, 15000.0, 18000.0 })
    {
        converter.clear();
        const auto in = sine(frequency, 96000.0, 16384);
        const auto out = roundTrip(converter, in);
        const auto delay = static_cast<size_t>(converter.getNumTaps() - 1);
        const std::vector<float> delayed(in.begin(), in.end() - static_cast<long>(delay));
        const std::vector<float> aligned(out.begin() + static_cast<long>(delay), out.end());
        EXPECT_NEAR(decibels(rms(aligned, 4096) / rms(delayed, 4096)), 0.0, 0.02) << frequency << " Hz";
    }
}

TEST(RateConverter, ShortChunksNeverReadAheadOfTheWriter)
{
    RateConverter converter;
    converter.prepare(4);
    std::vector<float> impulse(4096, 0.0f);
    impulse[200] = 1.0f;
    // Chunks of 1, 3, 5 ... samples: the output must equal the one from whole chunks.
    std::vector<float> output(impulse.size());
    float down[maxChunkSamples], downRight[maxChunkSamples], outRight[maxChunkSamples];
    size_t start = 0;
    for (int n = 1; start < impulse.size(); n = n % 31 + 2)
    {
        const auto len = static_cast<int>(std::min<size_t>(static_cast<size_t>(n), impulse.size() - start));
        const auto m = converter.decimate(&impulse[start], &impulse[start], len, down, downRight);
        converter.interpolate(down, downRight, m);
        converter.read(&output[start], outRight, len);
        start += static_cast<size_t>(len);
    }
    RateConverter reference;
    reference.prepare(4);
    const auto expected = roundTrip(reference, impulse);
    for (size_t i = 0; i < output.size(); ++i)
        ASSERT_NEAR(output[i], expected[i], 1e-6f) << i;
}
} // namespace zq6::test
