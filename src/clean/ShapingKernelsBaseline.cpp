// The reference build: the targets sample by sample with the library's log10 and exp, so the
// rendered output is bit for bit what it has always been.
#include "ShapingKernels.h"

#include <algorithm>
#include <cmath>

namespace zq6
{
namespace
{
using namespace shaping;

float clamp01(float v) noexcept
{
    return std::clamp(v, 0.0f, 1.0f);
}

float attenuation(float depthDb) noexcept
{
    return std::exp(-depthDb * dbToNeper);
}

// A detector whose ratio exceeds its threshold is turned down by slope x its excess in dB, at most
// maxDepth dB, times the amount; silence and amount 0 leave the gain at 1.
float ratioTarget(float level, float ratio, float threshold, float slope, float maxDepth, float amount) noexcept
{
    if (level <= presence || amount <= 0.0f || ratio <= threshold)
        return 1.0f;
    const auto depth = std::clamp(20.0f * std::log10(ratio / threshold) * slope, 0.0f, maxDepth);
    return attenuation(depth * amount);
}

float breathTarget(const ShapingDetection& d, int j, float amount) noexcept
{
    const auto a = d.level[static_cast<size_t>(j)];
    if (amount <= 0.0f || a <= presence)
        return 1.0f;
    const auto ratio = a / (d.longTerm[static_cast<size_t>(j)] + tiny);
    if (ratio >= breathRatio)
        return 1.0f;
    const auto quiet = clamp01((-12.0f - 20.0f * std::log10(std::max(1.0e-12f, ratio))) / 12.0f);

    double product = 1.0, sum = 0.0;
    for (size_t i = 0; i < shapingBandCount; ++i)
    {
        // per Hz of the band's width
        const auto e = d.bandEnergy[i][static_cast<size_t>(j)] / (shapingBandCentresHz[i] / shapingBandQ) + 1.0e-14;
        product *= e;
        sum += e;
    }
    // 1 for a flat, noise-like spectrum.
    const auto flatness = static_cast<float>(std::sqrt(std::sqrt(product)) / (sum / shapingBandCount));
    const auto noise = clamp01((flatness - 0.3f) / 0.3f);
    return attenuation(18.0f * amount * noise * quiet);
}

void targets(ShapingDetection& d) noexcept
{
    for (int j = 0; j < d.m; ++j)
    {
        const auto k = static_cast<size_t>(j);
        d.sibilanceTarget[k] = ratioTarget(d.level[k], d.highBand[k] / (d.level[k] + tiny), sibilanceRatio, sibilanceSlope, sibilanceMaxDb,
                                           d.sibilanceAmount.at(j, d.m));
        d.transientTarget[k] = ratioTarget(d.level[k], d.fast[k] / (d.slow[k] + tiny), transientRatio, transientSlope, transientMaxDb,
                                           d.transientAmount.at(j, d.m));
        d.breathTarget[k] = breathTarget(d, j, d.breathAmount.at(j, d.m));
    }
}
} // namespace

const ShapingKernels baselineShapingKernels { targets };
} // namespace zq6
