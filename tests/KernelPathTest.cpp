#include "dsp/CpuDispatch.h"
#include "params/ParameterIds.h"
#include "support/ProcessorHarness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

namespace zq6::test
{
namespace
{
// The AVX2/FMA build of the engine's, Shaping's and Unmask's kernels must sound like the baseline build: the same impulse
// and the same music-like signal through both may differ only by rounding, far below -100 dB of
// the output's peak.
struct PathCase
{
    const char* name;
    double rate;
    int characterChoice; // 0 keeps the default (Auto)
    ParameterSettings settings;
};

void PrintTo(const PathCase& pathCase, std::ostream* os)
{
    *os << pathCase.name;
}

// Plucked chords: harmonic tones with sharp onsets and exponential decays, a different note on each
// side, over a little noise.
juce::AudioBuffer<float> plucks(double rate)
{
    const auto samples = static_cast<int>(rate * 1.5);
    auto buffer = makeNoise(2, samples, 0.02f, 11);
    const double notes[2][4] = { { 196.0, 246.9, 293.7, 392.0 }, { 220.0, 277.2, 329.6, 440.0 } };
    const auto noteLength = static_cast<int>(rate * 0.3);
    for (int c = 0; c < 2; ++c)
        for (int note = 0; note < 4; ++note)
            for (int i = 0; i < noteLength; ++i)
            {
                const auto t = i / rate;
                double value = 0.0;
                for (int harmonic = 1; harmonic <= 5; ++harmonic)
                    value += std::sin(2.0 * juce::MathConstants<double>::pi * notes[c][note] * harmonic * t) / harmonic;
                buffer.addSample(c, note * noteLength + i, static_cast<float>(0.3 * value * std::exp(-t * 12.0)));
            }
    return buffer;
}

juce::AudioBuffer<float> render(const PathCase& pathCase, juce::AudioBuffer<float> input, KernelPath path)
{
    CpuDispatch::force(path);
    renderThrough(input, pathCase.rate, pathCase.characterChoice, pathCase.settings);
    CpuDispatch::release();
    return input;
}

double differenceToPeakDb(const juce::AudioBuffer<float>& reference, const juce::AudioBuffer<float>& other)
{
    double peak = 0.0, difference = 0.0;
    for (int c = 0; c < reference.getNumChannels(); ++c)
        for (int i = 0; i < reference.getNumSamples(); ++i)
        {
            const double a = reference.getSample(c, i);
            peak = std::max(peak, std::abs(a));
            difference = std::max(difference, std::abs(a - other.getSample(c, i)));
        }
    return 20.0 * std::log10(std::max(difference, 1.0e-30) / peak);
}

class KernelPaths : public testing::TestWithParam<PathCase>
{
};
} // namespace

TEST(CpuDispatch, ForcingThePathOverridesDetectionUntilReleased)
{
    CpuDispatch::force(KernelPath::baseline);
    EXPECT_EQ(CpuDispatch::active(), KernelPath::baseline);
    CpuDispatch::force(KernelPath::avx2Fma);
    EXPECT_EQ(CpuDispatch::active(), CpuDispatch::detected()) << "a path the CPU lacks falls back to the baseline";
    CpuDispatch::release();
    EXPECT_EQ(CpuDispatch::active(), CpuDispatch::detected());
}

TEST_P(KernelPaths, Avx2FmaRenderMatchesBaselineBelowMinus100Db)
{
    if (CpuDispatch::detected() != KernelPath::avx2Fma)
        GTEST_SKIP() << "this CPU runs only the baseline kernels";
    const auto& pathCase = GetParam();
    const std::pair<const char*, juce::AudioBuffer<float>> signals[] = { { "impulse", stereoImpulse(pathCase.rate, 1.5) },
                                                                         { "plucks", plucks(pathCase.rate) } };
    for (const auto& [name, signal] : signals)
    {
        const auto baseline = render(pathCase, signal, KernelPath::baseline);
        const auto wide = render(pathCase, signal, KernelPath::avx2Fma);
        EXPECT_LT(differenceToPeakDb(baseline, wide), -100.0) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Settings, KernelPaths,
    testing::Values(PathCase { "Defaults", 48000.0, 0, {} },
                    PathCase { "SmallRoomFullMotion", 44100.0, 1, { { pid::size, 0.0f }, { pid::motion, 1.0f } } },
                    PathCase { "LargePlateLongDecay", 48000.0, 4, { { pid::size, 1.0f }, { pid::decay, 12.0f } } },
                    PathCase { "Rate96k", 96000.0, 0, {} },
                    PathCase { "Rate192kChamber", 192000.0, 3, { { pid::motion, 0.8f } } },
                    PathCase { "ShapingFull", 48000.0, 0, { { pid::cleanShaping, 1.0f }, { pid::mix, 1.0f } } },
                    PathCase { "ShapingDelta96k", 96000.0, 0, { { pid::cleanShaping, 0.7f }, { pid::deltaShaping, 1.0f } } },
                    PathCase { "UnmaskFullWet", 48000.0, 0, { { pid::cleanUnmask, 1.0f }, { pid::mix, 1.0f } } },
                    PathCase { "UnmaskFullWetFast96k", 96000.0, 0,
                               { { pid::cleanUnmask, 1.0f }, { pid::mix, 1.0f }, { pid::unmaskSpeed, 0.0f } } }),
    [](const testing::TestParamInfo<PathCase>& paramInfo) { return std::string(paramInfo.param.name); });
} // namespace zq6::test
