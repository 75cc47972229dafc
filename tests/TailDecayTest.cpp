#include "engine/CharacterVoicing.h"
#include "support/DecayAnalysis.h"
#include "support/EngineRender.h"

#include <gtest/gtest.h>

namespace zq6::test
{
namespace
{
constexpr double rate = 48000.0;

// Long enough for a T30 fit with room to spare: 0.9 x the longest decay reaches -54 dB.
juce::AudioBuffer<float> impulseResponse(const BlockParams& params, double longestDecay)
{
    return renderEngineImpulse(params, longestDecay * 0.9 + 0.4, rate);
}

double bandDecay(const juce::AudioBuffer<float>& response, double centreHz)
{
    return reverberationTime(octaveBandEnergy(response, rate, centreHz), rate);
}

BlockParams wetOnly(float decay)
{
    BlockParams params;
    params.mix = 1.0f;
    params.decaySeconds = decay;
    return params;
}
} // namespace

class MidDecay : public testing::TestWithParam<float>
{
};

TEST_P(MidDecay, FollowsDecayInThe500HzTo2kHzOctaves)
{
    const auto decay = GetParam();
    const auto response = impulseResponse(wetOnly(decay), decay);
    for (const auto centre : { 500.0, 1000.0, 2000.0 })
    {
        const auto measured = bandDecay(response, centre);
        std::printf("[ RT60     ] decay %5.2f s, %4.0f Hz octave: %6.3f s (%+.1f %%)\n", decay, centre, measured,
                    (measured / decay - 1.0) * 100.0);
        EXPECT_NEAR(measured, decay, 0.1 * decay) << centre << " Hz";
    }
}

INSTANTIATE_TEST_SUITE_P(Decays, MidDecay, testing::Values(0.3f, 1.0f, 2.0f, 5.0f, 10.0f),
                         [](const auto& c) { return std::to_string(static_cast<int>(c.param * 10.0f)) + "ds"; });

struct BandCase
{
    const char* name;
    float decay, lowMultiplier, brightness;
    double centreHz;
    double expected; // seconds, by the low-decay or brightness rule for Hall
};

class BandDecay : public testing::TestWithParam<BandCase>
{
};

TEST_P(BandDecay, FollowsItsRule)
{
    const auto c = GetParam();
    auto params = wetOnly(c.decay);
    params.decayLowMultiplier = c.lowMultiplier;
    params.brightness = c.brightness;
    const auto measured = bandDecay(impulseResponse(params, std::max(c.expected, double { c.decay })), c.centreHz);
    std::printf("[ RT60     ] %s: %.3f s at %.0f Hz, rule %.3f s\n", c.name, measured, c.centreHz, c.expected);
    EXPECT_NEAR(measured, c.expected, 0.2 * c.expected);
}

// Hall: low-decay mult 1.15, high-decay mult 1. The low band is read an octave below its 250 Hz
// crossover and the high band two above its 3 kHz one, where each band's own gain dominates.
INSTANTIATE_TEST_SUITE_P(Rules, BandDecay,
                         testing::Values(BandCase { "low_x0_5", 2.0f, 0.5f, 0.5f, 63.0, 2.0 * 0.5 * 1.15 },
                                         BandCase { "low_x1", 1.0f, 1.0f, 0.5f, 63.0, 1.0 * 1.15 },
                                         BandCase { "low_x2", 2.0f, 2.0f, 0.5f, 63.0, 2.0 * 2.0 * 1.15 },
                                         BandCase { "brightness_0", 2.0f, 1.0f, 0.0f, 16000.0, 2.0 / 4.0 },
                                         BandCase { "brightness_0_25", 1.0f, 1.0f, 0.25f, 16000.0, 1.0 / 2.0 }),
                         [](const auto& c) { return std::string(c.param.name); });

TEST(BandDecay, BrightnessLengthensTheHighBand)
{
    const auto highToMid = [](float brightness) {
        auto params = wetOnly(2.0f);
        params.brightness = brightness;
        const auto response = impulseResponse(params, 4.0);
        return bandDecay(response, 8000.0) / bandDecay(response, 1000.0);
    };
    const auto neutral = highToMid(0.5f), bright = highToMid(1.0f);
    std::printf("[ RT60     ] 8 kHz / 1 kHz decay: %.2f at brightness 0.5, %.2f at brightness 1\n", neutral, bright);
    EXPECT_GT(bright, 1.6 * neutral);
}

TEST(TailLoudnessSpread, StaysWithinASaneBoundForEveryCharacter)
{
    const float decays[] = { 0.5f, 2.0f, 10.0f };
    const float sizes[] = { 0.0f, 0.5f, 1.0f };
    std::printf("[ LOUDNESS ] tail RMS for unit white noise, dB; decays 0.5, 2, 10 s at each size\n");
    double overallLow = 1.0e9, overallHigh = -1.0e9;
    for (int character = 0; character < 4; ++character)
    {
        double low = 1.0e9, high = -1.0e9;
        std::printf("[ LOUDNESS ] %-8s", characterNames[character]);
        for (const auto size : sizes)
        {
            std::printf(" | size %.1f:", size);
            for (const auto decay : decays)
            {
                auto params = wetOnly(decay);
                params.size = size;
                params.character = character;
                // Energy left after 0.4 x the decay is 24 dB down: well inside 0.05 dB of the total.
                const auto level = energyDb(renderEngineImpulse(params, decay * 0.4 + 0.3, rate));
                std::printf(" %5.2f", level);
                low = std::min(low, level);
                high = std::max(high, level);
            }
        }
        std::printf(" | spread %.2f dB\n", high - low);
        EXPECT_LT(high - low, 8.0) << characterNames[character];
        overallLow = std::min(overallLow, low);
        overallHigh = std::max(overallHigh, high);
    }
    std::printf("[ LOUDNESS ] all Characters: %.2f to %.2f dB, spread %.2f dB\n", overallLow, overallHigh,
                overallHigh - overallLow);
    EXPECT_LT(overallHigh - overallLow, 9.0);
}
} // namespace zq6::test
