#include "engine/BiquadDesign.h"
#include "engine/ErLevel.h"
#include "engine/TailEnergy.h"
#include "engine/WetTone.h"
#include "support/SignalMeasures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

namespace zq6::test
{
namespace
{
constexpr double rate = 48000.0;
constexpr int chunk = 32;

Ramp steady(float value)
{
    return { value, value };
}

// ER weight 1 hands the reflections the whole balance.
constexpr float fullEr = 1.0f;

WetToneControls controls(float erWeightValue = 0.5f, float noEr = 0.0f, float tiltDb = 0.0f, float lowCutHz = 20.0f)
{
    WetToneControls c;
    c.erLevel = steady(erWeightValue);
    c.noErWeight = steady(noEr);
    c.midDecay = steady(2.0f);
    c.voiceLowPassHz = steady(12000.0f);
    c.width = steady(1.0f);
    c.lowCutHz = steady(lowCutHz);
    c.tiltDb = steady(tiltDb);
    return c;
}

struct Feed
{
    std::vector<float> erLeft, erRight, tailLeft, tailRight;
};

struct Output
{
    std::vector<float> left, right;
};

Output tone(const Feed& feed, const WetToneControls& c)
{
    WetTone wetTone;
    wetTone.prepare(rate);
    const auto length = static_cast<int>(feed.erLeft.size());
    Output out { std::vector<float>(feed.erLeft.size()), std::vector<float>(feed.erLeft.size()) };
    for (int start = 0; start < length; start += chunk)
    {
        const auto m = std::min(chunk, length - start);
        wetTone.process(feed.erLeft.data() + start, feed.erRight.data() + start, feed.tailLeft.data() + start,
                        feed.tailRight.data() + start, out.left.data() + start, out.right.data() + start, m, c);
    }
    return out;
}

std::vector<float> impulse(int length)
{
    std::vector<float> x(static_cast<size_t>(length), 0.0f);
    x[0] = 1.0f;
    return x;
}

// Impulse responses of the ER and the tail inputs through the tone stage, left side.
struct Responses
{
    std::vector<float> er, tail;
};

Responses responses(const WetToneControls& c, int length = 8192)
{
    const std::vector<float> silence(static_cast<size_t>(length), 0.0f);
    const auto pulse = impulse(length);
    return { tone({ pulse, pulse, silence, silence }, c).left, tone({ silence, silence, pulse, pulse }, c).left };
}

double energy(const std::vector<float>& x)
{
    double sum = 0.0;
    for (const auto v : x)
        sum += static_cast<double>(v) * v;
    return sum;
}

double levelDb(const std::vector<float>& x)
{
    return 10.0 * std::log10(energy(x));
}

// The voice one-pole and the low cut as designed, without the tilt.
double untiltedDb(double hz, float lowCutHz)
{
    const auto c = std::exp(-2.0 * M_PI * 12000.0 / rate);
    const auto z1 = std::polar(1.0, -2.0 * M_PI * hz / rate);
    const auto onePole = std::abs((1.0 - c) / (1.0 - c * z1));
    return 20.0 * std::log10(onePole * magnitudeAt(designHighPass(lowCutHz, 0.7071, rate), hz, rate));
}
} // namespace

struct BalanceCase
{
    float erLevelDb;
    float noEr;
    double expectedErGain, expectedTailGain;
};

class WetToneBalance : public testing::TestWithParam<BalanceCase>
{
};

TEST_P(WetToneBalance, SetsErAndTailGains)
{
    const auto c = GetParam();
    const auto r = responses(controls(erWeight(c.erLevelDb), c.noEr));
    const auto reference = responses(controls(fullEr)).er;
    const auto erGain = std::sqrt(energy(r.er) / energy(reference));
    const auto tailGain = std::sqrt(energy(r.tail) / energy(reference));
    EXPECT_NEAR(erGain, c.expectedErGain, 1e-4);
    EXPECT_NEAR(tailGain, c.expectedTailGain, 1e-4);
}

namespace
{
const double cM = 1.0 / (std::pow(tailLoudnessConstant(), 2.0) * 1.75 * 0.0625);
const double sinAt12 = std::sin(std::atan(std::pow(10.0, 12.0 / 20.0)));
const double cosAt12 = std::cos(std::atan(std::pow(10.0, 12.0 / 20.0)));
} // namespace

INSTANTIATE_TEST_SUITE_P(
    Levels, WetToneBalance,
    testing::Values(BalanceCase { 0.0f, 0.0f, std::sqrt(0.5), std::sqrt(0.5) },
                    BalanceCase { -48.0f, 0.0f, 0.0, 1.0 }, BalanceCase { 12.0f, 0.0f, sinAt12, cosAt12 },
                    BalanceCase { 0.0f, 1.0f, 0.0, std::sqrt(0.5 * cM + 0.5) },
                    BalanceCase { 12.0f, 1.0f, 0.0, std::sqrt(sinAt12 * sinAt12 * cM + cosAt12 * cosAt12) }));

TEST(ErLevel, MapsDecibelsToTheBalanceWeight)
{
    EXPECT_EQ(erWeight(-48.0f), 0.0f);
    EXPECT_EQ(erWeight(-47.95f), 0.0f);
    EXPECT_GT(erWeight(-47.9f), 0.0f);
    EXPECT_EQ(erWeight(0.0f), 0.5f);
    EXPECT_NEAR(erWeight(12.0f), std::atan(3.981072) / (M_PI / 2.0), 1e-6);
    EXPECT_EQ(erWeight(30.0f), erWeight(12.0f));
    EXPECT_LT(erWeight(-6.0f), erWeight(6.0f));
}

TEST(WetTone, ErLevelPlus12DbPutsReflectionsAbout12DbAboveTheTail)
{
    const auto r = responses(controls(erWeight(12.0f)));
    EXPECT_NEAR(levelDb(r.er) - levelDb(r.tail), 12.0, 0.05);
}

TEST(WetTone, ErLevelMinus48DbSilencesTheReflections)
{
    const auto r = responses(controls(erWeight(-48.0f)));
    EXPECT_EQ(energy(r.er), 0.0);
}

struct TiltCase
{
    float tiltDb;
    double hz;
    double expectedDb, tolerance;
};

class WetToneTilt : public testing::TestWithParam<TiltCase>
{
};

TEST_P(WetToneTilt, ShelvesAbove5kHz)
{
    const auto c = GetParam();
    const auto measured = responseDb(responses(controls(fullEr, 0.0f, c.tiltDb)).er, c.hz, rate);
    EXPECT_NEAR(measured - untiltedDb(c.hz, 20.0f), c.expectedDb, c.tolerance) << c.hz << " Hz";
}

// Brightness 0.5 is a 0 dB tilt, brightness 1 a +8 dB one.
INSTANTIATE_TEST_SUITE_P(Brightness, WetToneTilt,
                         testing::Values(TiltCase { 0.0f, 100.0, 0.0, 0.01 }, TiltCase { 0.0f, 5000.0, 0.0, 0.01 },
                                         TiltCase { 0.0f, 15000.0, 0.0, 0.01 }, TiltCase { 8.0f, 100.0, 0.0, 0.01 },
                                         TiltCase { 8.0f, 5000.0, 4.0, 0.01 }, TiltCase { 8.0f, 12000.0, 8.0, 0.15 },
                                         TiltCase { 8.0f, 18000.0, 8.0, 0.01 }, TiltCase { -8.0f, 18000.0, -8.0, 0.01 }));

TEST(WetTone, LowCutAt1kHzRemovesTheLows)
{
    const auto response = responses(controls(fullEr, 0.0f, 0.0f, 1000.0f), 48000).er;
    EXPECT_LT(responseDb(response, 100.0, rate), -38.0);
    EXPECT_NEAR(responseDb(response, 1000.0, rate), untiltedDb(1000.0, 1000.0f), 0.01);
    EXPECT_NEAR(responseDb(response, 5000.0, rate), untiltedDb(5000.0, 1000.0f), 0.01);
}

TEST(WetTone, WidthZeroMakesBothSidesEqual)
{
    auto c = controls();
    c.width = steady(0.0f);
    const std::vector<float> silence(512, 0.0f);
    const auto out = tone({ impulse(512), silence, silence, impulse(512) }, c);
    EXPECT_EQ(out.left, out.right);
    EXPECT_GT(energy(out.left), 0.0);
}
} // namespace zq6::test
