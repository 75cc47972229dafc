#include "clean/ShapingKernels.h"
#include "dsp/CpuDispatch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace zq6::test
{
namespace
{
// Detector values spread over every branch of the targets: silence and presence, ratios below,
// just above and far above each threshold (into the depth clamps), flat and peaked band energies,
// and amounts ramping from 0 to 1 across the run.
ShapingDetection spreadDetection(unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    const auto logUniform = [&](float low, float high) { return low * std::pow(high / low, unit(random)); };
    ShapingDetection d;
    d.m = maxShapingSamples;
    d.sibilanceAmount = { 0.0f, 1.0f };
    d.breathAmount = { 0.0f, 1.0f };
    d.transientAmount = { 1.0f, 0.0f };
    for (size_t j = 0; j < maxShapingSamples; ++j)
    {
        const auto level = j % 8 == 0 ? logUniform(1.0e-8f, 1.0e-5f) : logUniform(1.0e-5f, 1.0f);
        d.level[j] = level;
        d.highBand[j] = level * logUniform(0.1f, 20.0f);
        d.slow[j] = level;
        d.fast[j] = level * logUniform(0.5f, 20.0f);
        d.longTerm[j] = level * logUniform(0.5f, 5.0e3f);
        const auto peaked = j % 3 == 0;
        for (size_t i = 0; i < shapingBandCount; ++i)
            d.bandEnergy[i][j] = (peaked && i != 1 ? 1.0e-6 : 1.0) * shapingBandCentresHz[i] * logUniform(1.0e-9f, 1.0e-2f);
    }
    return d;
}
} // namespace

// The wide build computes log10 and exp by polynomial: its targets may differ from the library's
// by rounding only (a millionth, -120 dB), and must take every branch the same way.
TEST(ShapingKernels, Avx2FmaTargetsMatchTheBaselineOnEveryBranch)
{
    if (CpuDispatch::detected() != KernelPath::avx2Fma)
        GTEST_SKIP() << "this CPU runs only the baseline kernels";
    int shaped[3] = {};
    for (unsigned seed = 1; seed <= 200; ++seed)
    {
        auto baseline = spreadDetection(seed);
        auto wide = baseline;
        baselineShapingKernels.targets(baseline);
        avx2FmaShapingKernels.targets(wide);
        const ShapingDetection::Samples ShapingDetection::*targets[] = { &ShapingDetection::sibilanceTarget,
                                                                        &ShapingDetection::transientTarget,
                                                                        &ShapingDetection::breathTarget };
        for (size_t t = 0; t < 3; ++t)
            for (size_t j = 0; j < maxShapingSamples; ++j)
            {
                const auto expected = (baseline.*targets[t])[j];
                ASSERT_NEAR((wide.*targets[t])[j], expected, 1.0e-6f * expected) << "target " << t << " seed " << seed << " sample " << j;
                shaped[t] += expected < 1.0f ? 1 : 0;
            }
    }
    for (const auto count : shaped)
        EXPECT_GT(count, 100) << "the spread reaches the shaping branches";
}
} // namespace zq6::test
