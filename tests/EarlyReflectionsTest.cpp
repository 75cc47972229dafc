#include "dsp/ChunkSize.h"
#include "engine/EarlyReflections.h"
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
// The normalisation gain starts at 0 after a clear; inputs start once it has settled.
constexpr int settle = 64 * chunk;

struct Settings
{
    int character = 1;
    float size = 1.0f;
    float orderThreshold = 0.65f;
};

struct Stereo
{
    std::vector<float> left, right;
};

// Runs mono input through fresh reflections; settingsAt gives the settings of the chunk at a sample.
Stereo reflect(const std::vector<float>& mono, const std::function<Settings(int)>& settingsAt)
{
    EarlyReflections er;
    er.prepare(rate);
    Stereo out { std::vector<float>(mono.size()), std::vector<float>(mono.size()) };
    for (int start = 0; start < static_cast<int>(mono.size()); start += chunk)
    {
        const auto s = settingsAt(start);
        const auto m = std::min(chunk, static_cast<int>(mono.size()) - start);
        er.process(mono.data() + start, out.left.data() + start, out.right.data() + start, m, s.character, s.size,
                   s.orderThreshold, 14000.0f);
    }
    return out;
}

Stereo reflect(const std::vector<float>& mono, Settings settings)
{
    return reflect(mono, [settings](int) { return settings; });
}

std::vector<float> impulseAt(int index, int length)
{
    std::vector<float> x(static_cast<size_t>(length), 0.0f);
    x[static_cast<size_t>(index)] = 1.0f;
    return x;
}

std::vector<float> noise(int length)
{
    juce::Random random(7);
    std::vector<float> x(static_cast<size_t>(length));
    for (auto& v : x)
        v = random.nextFloat() * 2.0f - 1.0f;
    return x;
}

double rms(const std::vector<float>& x, int from, int to)
{
    double sum = 0.0;
    for (int i = from; i < to; ++i)
        sum += static_cast<double>(x[static_cast<size_t>(i)]) * x[static_cast<size_t>(i)];
    return std::sqrt(sum / (to - from));
}
} // namespace

struct SizeCase
{
    int character;
    float size;
};

class ErSize : public testing::TestWithParam<SizeCase>
{
};

TEST_P(ErSize, StretchesEveryTapDelay)
{
    const auto c = GetParam();
    const auto length = settle + 14000;
    // With every tap sounding, the response runs from the first tap to the last.
    const auto out = reflect(impulseAt(settle, length), Settings { c.character, c.size, 2.0f }).left;
    const auto* taps = erTapTable[c.character][0];
    const auto samplesPerMs = 0.001 * rate * c.size;
    const auto first = settle + static_cast<int>(taps[0].delayMs * samplesPerMs);
    const auto last = settle + static_cast<int>(taps[erTapCount - 1].delayMs * samplesPerMs);

    EXPECT_EQ(firstAbove(out.data(), length, 0.0f), first);
    EXPECT_GT(std::max(std::abs(out[static_cast<size_t>(last)]), std::abs(out[static_cast<size_t>(last + 1)])), 0.01f);
    EXPECT_LT(rms(out, last + 8, length), 1e-6);
}

// Size factors 0.5 and 2 are the size parameter at 0 and 1.
INSTANTIATE_TEST_SUITE_P(Sizes, ErSize,
                         testing::Values(SizeCase { 0, 0.5f }, SizeCase { 0, 1.0f }, SizeCase { 0, 2.0f },
                                         SizeCase { 1, 0.5f }, SizeCase { 1, 1.0f }, SizeCase { 1, 2.0f },
                                         SizeCase { 2, 0.5f }, SizeCase { 2, 2.0f }));

TEST(EarlyReflections, PlateNeverReflects)
{
    const auto out = reflect(noise(settle + 8000), Settings { 3, 1.0f, 0.65f });
    EXPECT_EQ(rms(out.left, 0, static_cast<int>(out.left.size())), 0.0);
    EXPECT_EQ(rms(out.right, 0, static_cast<int>(out.right.size())), 0.0);
}

TEST(EarlyReflections, ThinningKeepsTheEnergy)
{
    const auto input = noise(settle + 24000);
    const auto thinned = reflect(input, Settings { 1, 1.0f, 0.65f });
    const auto full = reflect(input, Settings { 1, 1.0f, 2.0f });
    const auto from = settle + 8000, to = settle + 24000;
    EXPECT_NEAR(20.0 * std::log10(rms(thinned.left, from, to) / rms(full.left, from, to)), 0.0, 0.5);
    EXPECT_NEAR(20.0 * std::log10(rms(thinned.right, from, to) / rms(full.right, from, to)), 0.0, 0.5);
}

TEST(EarlyReflections, HallToPlateFadesOutOver50Ms)
{
    const auto switchAt = settle + 9600;
    const auto ms = static_cast<int>(rate / 1000.0);
    const auto out = reflect(noise(switchAt + 120 * ms),
                             [switchAt](int start) { return Settings { start < switchAt ? 1 : 3, 1.0f, 0.65f }; })
                         .left;
    const auto early = rms(out, switchAt, switchAt + 10 * ms);
    const auto late = rms(out, switchAt + 35 * ms, switchAt + 45 * ms);
    EXPECT_GT(early, 0.05);
    EXPECT_GT(late, 0.0);
    EXPECT_LT(late, early * 0.5);
    EXPECT_EQ(rms(out, switchAt + 60 * ms, switchAt + 120 * ms), 0.0);
}

TEST(EarlyReflections, SizeChangeCrossfadesWithoutAJump)
{
    const auto switchAt = settle + 9600;
    const auto length = switchAt + 9600;
    std::vector<float> tone(static_cast<size_t>(length));
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = static_cast<float>(0.5 * std::sin(2.0 * M_PI * 220.0 * i / rate));
    const auto out = reflect(tone, [switchAt](int start) { return Settings { 1, start < switchAt ? 1.0f : 1.7f, 0.65f }; })
                         .left;
    const auto steady = std::max(largestStep(out.data(), switchAt - 4800, switchAt),
                                 largestStep(out.data(), switchAt + 4800, length));
    EXPECT_LT(largestStep(out.data(), switchAt, switchAt + 4800), steady * 1.2f);
}
} // namespace zq6::test
