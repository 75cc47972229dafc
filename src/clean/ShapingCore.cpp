#include "ShapingCore.h"

#include <algorithm>
#include <cmath>

namespace zq6
{
namespace
{
constexpr double lowPassHz = 5000.0;
constexpr double lowPassQ = 0.7071;
constexpr double bandEnergySeconds = 0.015;
} // namespace

void ShapingCore::prepare(double rate)
{
    for (auto& filter : lowPass)
        filter.setLowPass(rate, lowPassHz, lowPassQ);
    for (size_t i = 0; i < bandPass.size(); ++i)
        bandPass[i].setBandPass(rate, std::min(shapingBandCentresHz[i], 0.45 * rate), shapingBandQ);
    energyCoefficient = std::exp(-1.0 / (rate * bandEnergySeconds));

    highBand.setup(rate, 0.0003, 0.015);
    level.setup(rate, 0.001, 0.04);
    fast.setup(rate, 0.0001, 0.003);
    slow.setup(rate, 0.006, 0.04);
    longTerm.setup(rate, 0.005, 3.0);
    sibilanceGain.setup(rate, 0.0002, 0.02);
    transientGain.setup(rate, 0.0002, 0.015);
    breathGain.setup(rate, 0.005, 0.06);
    reset();
}

void ShapingCore::reset() noexcept
{
    for (auto& filter : lowPass)
        filter.clear();
    for (auto& filter : bandPass)
        filter.clear();
    bandEnergy.fill(0.0);
    for (auto* follower : { &highBand, &level, &fast, &slow, &longTerm })
        follower->reset(0.0f);
    for (auto* gain : { &sibilanceGain, &transientGain, &breathGain })
        gain->reset(1.0f);
}

void ShapingCore::process(float* left, float* right, int m, const ShapingAmounts& amounts) noexcept
{
    detection.m = m;
    detection.sibilanceAmount = amounts.sibilance;
    detection.breathAmount = amounts.breath;
    detection.transientAmount = amounts.transient;
    float lowLeft[maxShapingSamples], lowRight[maxShapingSamples];
    detect(left, right, lowLeft, lowRight);
    ShapingKernels::active().targets(detection);
    applyGains(left, right, lowLeft, lowRight);
}

void ShapingCore::detect(const float* left, const float* right, float* lowLeft, float* lowRight) noexcept
{
    for (int j = 0; j < detection.m; ++j)
    {
        const auto k = static_cast<size_t>(j);
        lowLeft[j] = static_cast<float>(lowPass[0].process(left[j]));
        lowRight[j] = static_cast<float>(lowPass[1].process(right[j]));
        const auto mid = (left[j] + right[j]) * 0.5f;
        const auto magnitude = std::abs(mid);

        detection.highBand[k] = highBand.followRise(std::abs(mid - (lowLeft[j] + lowRight[j]) * 0.5f));
        detection.level[k] = level.followRise(magnitude);
        detection.longTerm[k] = longTerm.followRise(detection.level[k]);
        detection.fast[k] = fast.followRise(magnitude);
        detection.slow[k] = slow.followRise(magnitude);
        for (size_t i = 0; i < bandPass.size(); ++i)
        {
            const auto band = bandPass[i].process(static_cast<double>(mid));
            bandEnergy[i] = (1.0 - energyCoefficient) * band * band + energyCoefficient * bandEnergy[i];
            detection.bandEnergy[i][k] = bandEnergy[i];
        }
    }
}

// Sibilance acts above 5 kHz only; transient and breath on the whole signal.
void ShapingCore::applyGains(float* left, float* right, const float* lowLeft, const float* lowRight) noexcept
{
    for (int j = 0; j < detection.m; ++j)
    {
        const auto k = static_cast<size_t>(j);
        const auto sibilance = sibilanceGain.followFall(detection.sibilanceTarget[k]);
        const auto transient = transientGain.followFall(detection.transientTarget[k]);
        const auto breath = breathGain.followFall(detection.breathTarget[k]);
        const auto whole = breath * transient;
        left[j] = whole * (lowLeft[j] + sibilance * (left[j] - lowLeft[j]));
        right[j] = whole * (lowRight[j] + sibilance * (right[j] - lowRight[j]));
    }
}
} // namespace zq6
