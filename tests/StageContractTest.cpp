#include "clean/ShapingProcessor.h"
#include "clean/UnmaskProcessor.h"
#include "dsp/ChunkSize.h"
#include "engine/AttackSpreader.h"
#include "engine/EarlyReflections.h"
#include "engine/HadamardMix.h"
#include "engine/InputDiffuser.h"
#include "engine/LatencyDelay.h"
#include "engine/LateTail.h"
#include "engine/PreDelayLine.h"
#include "engine/RateConverter.h"
#include "engine/TailOffsetLine.h"
#include "engine/WetEq.h"
#include "engine/WetTone.h"
#include "support/ProcessorHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <numeric>
#include <vector>

namespace zq6::test
{
namespace
{
constexpr double rate = 48000.0;

// How each stage is prepared and driven in place over one chunk, with settings that make it work.
template <typename Stage>
struct Rig;

template <>
struct Rig<ShapingProcessor>
{
    static void prepare(ShapingProcessor& s) { s.prepare(rate); }
    static void run(ShapingProcessor& s, float* left, float* right, int n)
    {
        ShapingControls controls;
        controls.sibilance = controls.breath = controls.transient = { 1.0f, 1.0f };
        controls.active = controls.deltaListening = true;
        float deltaLeft[maxChunkSamples], deltaRight[maxChunkSamples];
        s.process(left, right, deltaLeft, deltaRight, n, controls);
        for (int j = 0; j < n; ++j)
        {
            left[j] += deltaLeft[j];
            right[j] += deltaRight[j];
        }
    }
};

template <>
struct Rig<RateConverter>
{
    static void prepare(RateConverter& s) { s.prepare(2); }
    static void run(RateConverter& s, float* left, float* right, int n)
    {
        float downLeft[maxChunkSamples], downRight[maxChunkSamples];
        const auto m = s.decimate(left, right, n, downLeft, downRight);
        s.interpolate(downLeft, downRight, m);
        s.read(left, right, n);
    }
};

template <>
struct Rig<PreDelayLine>
{
    static void prepare(PreDelayLine& s) { s.prepare(rate); }
    static void run(PreDelayLine& s, float* left, float* right, int n)
    {
        float out[maxChunkSamples];
        s.process(left, out, n, 300.0);
        std::copy(out, out + n, left);
        std::copy(out, out + n, right);
    }
};

template <>
struct Rig<EarlyReflections>
{
    static void prepare(EarlyReflections& s) { s.prepare(rate); }
    static void run(EarlyReflections& s, float* left, float* right, int n)
    {
        const std::vector<float> mono(left, left + n);
        s.process(mono.data(), left, right, n, 1, 1.0f, 0.65f, 14000.0f);
    }
};

template <>
struct Rig<LateTail>
{
    static void prepare(LateTail& s) { s.prepare(rate); }
    static void run(LateTail& s, float* left, float* right, int n)
    {
        TailControls controls;
        controls.attackMs = 40.0f;
        const std::vector<float> inLeft(left, left + n), inRight(right, right + n);
        s.process(inLeft.data(), inRight.data(), left, right, n, controls);
    }
};

template <>
struct Rig<TailOffsetLine>
{
    static void prepare(TailOffsetLine& s) { s.prepare(rate); }
    static void run(TailOffsetLine& s, float* left, float* right, int n)
    {
        const std::vector<float> inLeft(left, left + n), inRight(right, right + n);
        s.process(inLeft.data(), inRight.data(), left, right, n, TailOffsetLine::maximumMs);
    }
};

template <>
struct Rig<AttackSpreader>
{
    static void prepare(AttackSpreader& s) { s.prepare(rate); }
    static void run(AttackSpreader& s, float* left, float* right, int n) { s.process(left, right, n, 120.0f); }
};

template <>
struct Rig<InputDiffuser>
{
    static void prepare(InputDiffuser& s) { s.prepare(rate); }
    static void run(InputDiffuser& s, float* left, float* right, int n) { s.process(left, right, n, 0.6f); }
};

template <>
struct Rig<WetTone>
{
    static void prepare(WetTone& s) { s.prepare(rate); }
    static void run(WetTone& s, float* left, float* right, int n)
    {
        WetToneControls controls;
        controls.erLevel = controls.noErWeight = { 0.5f, 0.5f };
        controls.midDecay = { 2.0f, 2.0f };
        controls.voiceLowPassHz = { 12000.0f, 12000.0f };
        controls.width = { 1.0f, 1.0f };
        controls.lowCutHz = { 100.0f, 100.0f };
        controls.tiltDb = { 4.0f, 4.0f };
        const std::vector<float> inLeft(left, left + n), inRight(right, right + n);
        s.process(inLeft.data(), inRight.data(), inRight.data(), inLeft.data(), left, right, n, controls);
    }
};

template <>
struct Rig<WetEq>
{
    static void prepare(WetEq& s) { s.prepare(rate); }
    static void run(WetEq& s, float* left, float* right, int n)
    {
        WetEqControls controls;
        for (auto& gain : controls.gainDb)
            gain = 6.0f;
        controls.lowPassHz = 6000.0f;
        s.process(left, right, n, controls);
    }
};

template <>
struct Rig<UnmaskProcessor>
{
    static void prepare(UnmaskProcessor& s) { s.prepare(rate, 1024); }
    static void run(UnmaskProcessor& s, float* left, float* right, int n)
    {
        const std::vector<float> wetLeft(left, left + n), wetRight(right, right + n);
        s.process(wetLeft.data(), wetRight.data(), wetRight.data(), wetLeft.data(), left, right, n, { 1.0f, 1.0f }, 0);
    }
};

template <>
struct Rig<LatencyDelay>
{
    static void prepare(LatencyDelay& s) { s.prepare(1024); }
    static void run(LatencyDelay& s, float* left, float* right, int n) { s.process(left, right, n); }
};

// Runs the buffer through the stage chunk by chunk; returns the largest absolute output sample.
template <typename Stage>
float runThrough(Stage& stage, juce::AudioBuffer<float>& buffer)
{
    float peak = 0.0f;
    for (int start = 0; start < buffer.getNumSamples(); start += maxChunkSamples)
    {
        const auto n = std::min(maxChunkSamples, buffer.getNumSamples() - start);
        auto* left = buffer.getWritePointer(0, start);
        auto* right = buffer.getWritePointer(1, start);
        Rig<Stage>::run(stage, left, right, n);
        for (int j = 0; j < n; ++j)
            peak = std::max({ peak, std::abs(left[j]), std::abs(right[j]) });
    }
    return peak;
}
} // namespace

template <typename Stage>
class StageContract : public testing::Test
{
};

using Stages = testing::Types<ShapingProcessor, RateConverter, PreDelayLine, EarlyReflections, LateTail, TailOffsetLine,
                              AttackSpreader, InputDiffuser, WetTone, WetEq, UnmaskProcessor, LatencyDelay>;
TYPED_TEST_SUITE(StageContract, Stages);

TYPED_TEST(StageContract, IsExactlySilentAfterNoiseThenClear)
{
    auto stage = std::make_unique<TypeParam>();
    Rig<TypeParam>::prepare(*stage);
    auto noise = makeNoise(2, static_cast<int>(rate * 0.5));
    ASSERT_GT(runThrough(*stage, noise), 0.0f) << "the stage must sound before it is cleared";

    stage->clear();
    juce::AudioBuffer<float> silence(2, static_cast<int>(rate));
    silence.clear();
    EXPECT_EQ(runThrough(*stage, silence), 0.0f);
}

TEST(HadamardMix, ScaledByAQuarterKeepsTheEnergyOfEveryImpulseAndOfNoise)
{
    const auto energy = [](const std::array<float, tailLineCount>& z) {
        return std::accumulate(z.begin(), z.end(), 0.0, [](double sum, float x) { return sum + 0.0625 * x * x; });
    };
    for (int i = 0; i < tailLineCount; ++i)
    {
        std::array<float, tailLineCount> z {};
        z[static_cast<size_t>(i)] = 1.0f;
        hadamard(z);
        EXPECT_DOUBLE_EQ(energy(z), 1.0) << "impulse at " << i;
    }

    juce::Random random(5);
    std::array<float, tailLineCount> z {};
    double inputEnergy = 0.0;
    for (auto& x : z)
    {
        x = random.nextFloat() * 2.0f - 1.0f;
        inputEnergy += static_cast<double>(x) * x;
    }
    hadamard(z);
    EXPECT_NEAR(energy(z), inputEnergy, 1.0e-5 * inputEnergy);
}
} // namespace zq6::test
