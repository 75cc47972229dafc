#include "ShapingCore.h"

#include <algorithm>
#include <cmath>

namespace zq6
{
namespace
{
constexpr double lowPassHz = 5000.0;
constexpr double lowPassQ = 0.7071;
constexpr double bandQ = 1.6;
constexpr double bandCentresHz[] = { 460.0, 1060.0, 2470.0, 5800.0 };
constexpr double bandEnergySeconds = 0.015;
constexpr float presence = 1.0e-5f;
constexpr float tiny = 1.0e-18f;

constexpr float sibilanceRatio = 0.45f;
constexpr float transientRatio = 1.25f;
constexpr float breathRatio = 0.2511886f; // 12 dB under the long-term level

float clamp01(float v) noexcept
{
    return std::clamp(v, 0.0f, 1.0f);
}

// 10^(-depthDb / 20)
float attenuation(float depthDb) noexcept
{
    return std::exp(-depthDb * 0.11512925f);
}
} // namespace

void ShapingCore::prepare(double rate)
{
    for (auto& filter : lowPass)
        filter.setLowPass(rate, lowPassHz, lowPassQ);
    for (size_t i = 0; i < bandPass.size(); ++i)
        bandPass[i].setBandPass(rate, std::min(bandCentresHz[i], 0.45 * rate), bandQ);
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

void ShapingCore::process(float& left, float& right, const ShapingAmounts& amounts) noexcept
{
    const auto lowLeft = static_cast<float>(lowPass[0].process(left));
    const auto lowRight = static_cast<float>(lowPass[1].process(right));
    const auto mid = (left + right) * 0.5f;
    const auto magnitude = std::abs(mid);

    highBand.followRise(std::abs(mid - (lowLeft + lowRight) * 0.5f));
    longTerm.followRise(level.followRise(magnitude));
    fast.followRise(magnitude);
    slow.followRise(magnitude);
    updateBandEnergies(mid);

    const auto sibilance = sibilanceGain.followFall(sibilanceTarget(amounts.sibilance));
    const auto transient = transientGain.followFall(transientTarget(amounts.transient));
    const auto breath = breathGain.followFall(breathTarget(amounts.breath));

    // Sibilance acts above 5 kHz only; transient and breath on the whole signal.
    const auto whole = breath * transient;
    left = whole * (lowLeft + sibilance * (left - lowLeft));
    right = whole * (lowRight + sibilance * (right - lowRight));
}

void ShapingCore::updateBandEnergies(double mid) noexcept
{
    for (size_t i = 0; i < bandPass.size(); ++i)
    {
        const auto band = bandPass[i].process(mid);
        bandEnergy[i] = (1.0 - energyCoefficient) * band * band + energyCoefficient * bandEnergy[i];
    }
}

float ShapingCore::sibilanceTarget(float amount) const noexcept
{
    const auto a = level.value();
    if (a <= presence || amount <= 0.0f)
        return 1.0f;
    const auto ratio = highBand.value() / (a + tiny);
    if (ratio <= sibilanceRatio)
        return 1.0f;
    const auto depth = std::clamp(20.0f * std::log10(ratio / sibilanceRatio) * 0.75f, 0.0f, 12.0f);
    return attenuation(depth * amount);
}

float ShapingCore::transientTarget(float amount) const noexcept
{
    if (level.value() <= presence || amount <= 0.0f)
        return 1.0f;
    const auto ratio = fast.value() / (slow.value() + tiny);
    if (ratio <= transientRatio)
        return 1.0f;
    const auto depth = std::clamp(20.0f * std::log10(ratio / transientRatio) * 0.6f, 0.0f, 10.0f);
    return attenuation(depth * amount);
}

float ShapingCore::breathTarget(float amount) const noexcept
{
    const auto a = level.value();
    if (amount <= 0.0f || a <= presence)
        return 1.0f;
    const auto ratio = a / (longTerm.value() + tiny);
    if (ratio >= breathRatio)
        return 1.0f;
    const auto quiet = clamp01((-12.0f - 20.0f * std::log10(std::max(1.0e-12f, ratio))) / 12.0f);

    double product = 1.0, sum = 0.0;
    for (size_t i = 0; i < bandEnergy.size(); ++i)
    {
        const auto e = bandEnergy[i] / (bandCentresHz[i] / bandQ) + 1.0e-14; // per Hz of the band's width
        product *= e;
        sum += e;
    }
    // 1 for a flat, noise-like spectrum.
    const auto flatness = static_cast<float>(std::sqrt(std::sqrt(product)) / (sum / numBands));
    const auto noise = clamp01((flatness - 0.3f) / 0.3f);
    return attenuation(18.0f * amount * noise * quiet);
}
} // namespace zq6
