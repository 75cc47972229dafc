#include "engine/TailLfoBank.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zq6::test
{
namespace
{
constexpr double rate = 48000.0;
constexpr float rateHz = 0.8f;

// Line i's sine at sample k of the first chunk after a clear.
double sineAt(int line, int k)
{
    const auto increment = 2.0 * 3.14159265358979323846 * rateHz * tailLfoRateMultiplier(line) / rate;
    return std::sin(tailLfoStartPhase(line) + k * increment);
}

struct DepthCase
{
    const char* name;
    float startDepth, endDepth;
};

class TailLfoDepth : public testing::TestWithParam<DepthCase>
{
};
} // namespace

// The depth moves linearly across the chunk and reaches the end depth at its last sample; a
// constant depth scales the sine as it always did.
TEST_P(TailLfoDepth, OffsetsFollowTheSineScaledByTheRampedDepth)
{
    const auto& depthCase = GetParam();
    TailLfoBank lfos;
    lfos.prepare(rate);
    constexpr int m = 32;
    TailLfoBank::Offsets offsets[m];
    lfos.process(offsets, m, rateHz, depthCase.startDepth, depthCase.endDepth);
    for (int k = 0; k < m; ++k)
    {
        const auto depth = depthCase.startDepth + (depthCase.endDepth - depthCase.startDepth) * (k + 1) / m;
        for (int line = 0; line < tailLineCount; ++line)
            ASSERT_NEAR(offsets[k][static_cast<size_t>(line)], depth * sineAt(line, k), 1.0e-5 + 1.0e-5 * depth)
                << "line " << line << " sample " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, TailLfoDepth,
                         testing::Values(DepthCase { "Constant", 57.6f, 57.6f }, DepthCase { "RisingFromZero", 0.0f, 57.6f },
                                         DepthCase { "FallingToZero", 20.0f, 0.0f }, DepthCase { "Off", 0.0f, 0.0f }),
                         [](const testing::TestParamInfo<DepthCase>& paramInfo) { return std::string(paramInfo.param.name); });
} // namespace zq6::test
