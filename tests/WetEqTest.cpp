#include "dsp/ChunkSize.h"
#include "engine/SvfDesign.h"
#include "engine/WetEq.h"
#include "params/WetEqBands.h"
#include "support/SignalMeasures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <juce_core/juce_core.h>
#include <vector>

namespace zq6::test
{
namespace
{
constexpr double rate = 48000.0;
constexpr int chunk = maxChunkSamples;
constexpr int ms = 48;

struct Stereo
{
    std::vector<float> left, right;
};

// Runs a signal on both sides through a fresh Wet EQ; paramsAt gives the chunk's parameters.
Stereo equalise(const std::vector<float>& input, const std::function<WetEqControls(int)>& paramsAt)
{
    WetEq eq;
    eq.prepare(rate);
    Stereo out { input, input };
    for (int start = 0; start < static_cast<int>(input.size()); start += chunk)
    {
        const auto m = std::min(chunk, static_cast<int>(input.size()) - start);
        eq.process(out.left.data() + start, out.right.data() + start, m, paramsAt(start));
    }
    return out;
}

WetEqControls band(int index, int choice, float hz, float gainDb, float q)
{
    WetEqControls p;
    p.kind[index] = static_cast<int>(eqKindForChoice(index, static_cast<float>(choice)));
    p.frequencyHz[index] = hz;
    p.gainDb[index] = gainDb;
    p.q[index] = q;
    return p;
}

WetEqControls lowPass(float hz)
{
    WetEqControls p;
    p.lowPassHz = hz;
    return p;
}

std::vector<float> impulse(int length)
{
    std::vector<float> x(static_cast<size_t>(length), 0.0f);
    x[0] = 1.0f;
    return x;
}

std::vector<float> sine(double hz, float amplitude, int length)
{
    std::vector<float> x(static_cast<size_t>(length));
    for (size_t i = 0; i < x.size(); ++i)
        x[i] = amplitude * static_cast<float>(std::sin(2.0 * M_PI * hz * i / rate));
    return x;
}

std::vector<float> noise(int length)
{
    juce::Random random(3);
    std::vector<float> x(static_cast<size_t>(length));
    for (auto& v : x)
        v = (random.nextFloat() * 2.0f - 1.0f) * 0.5f;
    return x;
}

double rmsDifference(const std::vector<float>& a, const std::vector<float>& b, int from, int to)
{
    double sum = 0.0;
    for (int i = from; i < to; ++i)
    {
        const double d = a[static_cast<size_t>(i)] - b[static_cast<size_t>(i)];
        sum += d * d;
    }
    return std::sqrt(sum / (to - from));
}

std::function<WetEqControls(int)> switchedAt(int sample, WetEqControls before, WetEqControls after)
{
    return [=](int start) { return start < sample ? before : after; };
}
} // namespace

struct ResponseCase
{
    const char* name;
    WetEqControls params;
    SvfDesign design;
};

class WetEqResponse : public testing::TestWithParam<ResponseCase>
{
};

TEST_P(WetEqResponse, MatchesTheEvaluationFunction)
{
    const auto& c = GetParam();
    const auto measured = equalise(impulse(1 << 15), [&c](int) { return c.params; }).left;
    for (int i = 0; i <= 40; ++i)
    {
        const auto hz = 20.0 * std::pow(1000.0, i / 40.0);
        const auto expected = 20.0 * std::log10(magnitudeAt(c.design, hz, rate));
        EXPECT_NEAR(responseDb(measured, hz, rate), expected, 0.1) << hz << " Hz";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, WetEqResponse,
    testing::Values(
        ResponseCase { "lowShelf", band(0, 0, 180.0f, 9.0f, 0.71f), designEqBand(EqKind::lowShelf, 180.0, 9.0, 0.71, rate) },
        ResponseCase { "bellCut", band(0, 1, 180.0f, -6.0f, 2.0f), designEqBand(EqKind::bell, 180.0, -6.0, 2.0, rate) },
        ResponseCase { "narrowBell", band(1, 0, 1000.0f, 12.0f, 8.0f), designEqBand(EqKind::bell, 1000.0, 12.0, 8.0, rate) },
        ResponseCase { "lowShelfCut", band(1, 1, 400.0f, -12.0f, 1.0f), designEqBand(EqKind::lowShelf, 400.0, -12.0, 1.0, rate) },
        ResponseCase { "highShelf", band(2, 1, 3000.0f, 6.0f, 1.0f), designEqBand(EqKind::highShelf, 3000.0, 6.0, 1.0, rate) },
        ResponseCase { "highShelfCut", band(3, 0, 8000.0f, -9.0f, 0.71f), designEqBand(EqKind::highShelf, 8000.0, -9.0, 0.71, rate) },
        ResponseCase { "lowPass", lowPass(5000.0f), designEqLowPass(5000.0, rate) },
        ResponseCase { "lowPassAt19999", lowPass(19999.0f), designEqLowPass(19999.0, rate) }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WetEq, AllBandsAtZeroAndTheLowPassOffPassTheSignalUnchanged)
{
    const auto input = noise(4800);
    const auto out = equalise(input, [](int) { return WetEqControls {}; });
    EXPECT_EQ(out.left, input);
    EXPECT_EQ(out.right, input);
}

TEST(WetEq, KindSwitchAtNonZeroGainCrossfadesWithoutAClick)
{
    const auto switchAt = 100 * ms, length = 300 * ms;
    const auto input = sine(1000.0, 0.25f, length);
    const auto bell = band(1, 0, 1000.0f, 12.0f, 1.0f), shelf = band(1, 1, 1000.0f, 12.0f, 1.0f);
    const auto out = equalise(input, switchedAt(switchAt, bell, shelf)).left;
    const auto steady = std::max(largestStep(out.data(), switchAt - 20 * ms, switchAt),
                                 largestStep(out.data(), switchAt + 100 * ms, length));
    EXPECT_LT(largestStep(out.data(), switchAt, switchAt + 30 * ms), steady * 1.05f);

    // Midway through the 15 ms crossfade both kinds are heard; afterwards only the new one.
    const auto bellOnly = equalise(input, [bell](int) { return bell; }).left;
    const auto shelfOnly = equalise(input, [shelf](int) { return shelf; }).left;
    EXPECT_GT(rmsDifference(out, bellOnly, switchAt + 6 * ms, switchAt + 8 * ms), 0.05);
    EXPECT_GT(rmsDifference(out, shelfOnly, switchAt + 6 * ms, switchAt + 8 * ms), 0.05);
    EXPECT_LT(rmsDifference(out, shelfOnly, switchAt + 100 * ms, length), 1e-4);
}

// Switching back while the first crossfade runs turns that fade around from what is heard.
TEST(WetEq, KindSwitchBackDuringACrossfadeStartsFromWhatIsHeard)
{
    const auto switchAt = 100 * ms, backAt = switchAt + 5 * ms, length = 300 * ms;
    const auto input = sine(1000.0, 0.25f, length);
    const auto bell = band(1, 0, 1000.0f, 12.0f, 1.0f), shelf = band(1, 1, 1000.0f, 12.0f, 1.0f);
    const auto out = equalise(input, [=](int start) { return start >= switchAt && start < backAt ? shelf : bell; }).left;
    const auto steady = std::max(largestStep(out.data(), switchAt - 20 * ms, switchAt),
                                 largestStep(out.data(), backAt + 100 * ms, length));
    EXPECT_LT(largestStep(out.data(), switchAt, backAt + 30 * ms), steady * 1.05f);
    const auto bellOnly = equalise(input, [bell](int) { return bell; }).left;
    EXPECT_LT(rmsDifference(out, bellOnly, backAt + 100 * ms, length), 1e-4);
}

TEST(WetEq, KindSwitchAtZeroGainIsSilentAndImmediate)
{
    const auto switchAt = 50 * ms, raiseAt = 100 * ms, length = 200 * ms;
    const auto input = noise(length);
    const auto out = equalise(input, [=](int start) {
        return start < switchAt ? band(1, 0, 1000.0f, 0.0f, 1.0f)
                                : band(1, 1, 1000.0f, start < raiseAt ? 0.0f : 12.0f, 1.0f);
    });
    for (int i = 0; i < raiseAt; ++i)
        ASSERT_EQ(out.left[static_cast<size_t>(i)], input[static_cast<size_t>(i)]) << "sample " << i;

    // Once the gain rises, the new kind sounds exactly as if it had been chosen from the start.
    const auto direct = equalise(input, [=](int start) {
        return band(1, 1, 1000.0f, start < raiseAt ? 0.0f : 12.0f, 1.0f);
    });
    EXPECT_EQ(out.left, direct.left);
}

TEST(WetEq, LowPassAt20000FadesOutThenPassesTheSignal)
{
    const auto switchAt = 50 * ms, length = 400 * ms;
    const auto input = noise(length);
    const auto out = equalise(input, switchedAt(switchAt, lowPass(19999.0f), lowPass(20000.0f))).left;
    const auto window = [&](int fromMs) { return rmsDifference(out, input, switchAt + fromMs * ms, switchAt + (fromMs + 10) * ms); };
    EXPECT_GT(window(-10), 0.01);
    const auto ratio = window(20) / window(0);
    EXPECT_GT(ratio, 0.2);
    EXPECT_LT(ratio, 0.55);
    for (int i = switchAt + 250 * ms; i < length; ++i)
        ASSERT_EQ(out[static_cast<size_t>(i)], input[static_cast<size_t>(i)]) << "sample " << i;
}
} // namespace zq6::test
