#include "TailLoudness.h"

#include "CharacterVoicing.h"
#include "TailEnergy.h"

#include <algorithm>
#include <cmath>

namespace zq6
{
namespace
{
constexpr double shortestBandDecay = 0.02;

double bandWidth(double upper, double lower)
{
    return upper > lower ? std::log(upper / lower) : 0.0;
}
} // namespace

namespace
{
const double referenceGain = tailLoudnessConstant();
} // namespace

void TailLoudness::prepare(double hostRate)
{
    for (auto& instance : instances)
        instance.smoother.prepare(hostRate);
}

void TailLoudness::clear() noexcept
{
    for (auto& instance : instances)
        instance.smoother.clear();
}

bool TailLoudness::CompensationInputs::operator==(const CompensationInputs& o) const noexcept
{
    return decay == o.decay && lowMultiplier == o.lowMultiplier && brightnessFactor == o.brightnessFactor
           && lowDecayMult == o.lowDecayMult && highDecayMult == o.highDecayMult && lowCut == o.lowCut
           && voiceLowPass == o.voiceLowPass && size == o.size;
}

float TailLoudness::baseGain(float midDecay, double size) noexcept
{
    return static_cast<float>(referenceGain * std::sqrt(std::sqrt(midDecay / 2.0) / tailEnergyGain(midDecay, size)));
}

float TailLoudness::compensationDb(const CompensationInputs& in) noexcept
{
    const double lowCut = in.lowCut, voice = in.voiceLowPass;
    const auto lowWidth = bandWidth(250.0, lowCut);
    const auto midWidth = bandWidth(std::min(voice, 3000.0), std::max(250.0, lowCut));
    const auto highWidth = bandWidth(voice, 3000.0);

    const double t = in.decay;
    const auto lowT = in.lowMultiplier * t;
    const auto highT = in.brightnessFactor * t;
    const auto g = [&in](double decay) { return tailEnergyGain(std::max(decay, shortestBandDecay), in.size); };
    const auto mid = g(t) * midWidth;
    const auto numerator = g(lowT) * lowWidth + mid + g(highT) * highWidth;
    const auto denominator = g(in.lowDecayMult * lowT) * lowWidth + mid + g(in.highDecayMult * highT) * highWidth;
    const auto compensation = numerator > 0.0 && denominator > 0.0 ? std::sqrt(numerator / denominator) : 1.0;
    return static_cast<float>(20.0 * std::log10(std::max(1.0e-12, compensation)));
}

float TailLoudness::gainFor(InstanceGain& gain, const CompensationInputs& inputs, float midDecay, int n) noexcept
{
    if (midDecay != gain.midDecay || inputs.size != gain.size)
    {
        gain.midDecay = midDecay;
        gain.size = inputs.size;
        gain.base = baseGain(midDecay, inputs.size);
    }
    if (!gain.hasCompensation || !(inputs == gain.inputs))
    {
        gain.inputs = inputs;
        gain.hasCompensation = true;
        gain.compensationDb = compensationDb(inputs);
    }
    const auto smoothedDb = gain.smoother.advance(gain.compensationDb, n).end;
    return gain.base * std::pow(10.0f, smoothedDb / 20.0f);
}

std::array<float, 2> TailLoudness::process(const TailLoudnessControls& controls, const LateTail& tail, int n) noexcept
{
    const auto& voicing = voicingFor(controls.character);
    CompensationInputs inputs { controls.decay,          controls.lowMultiplier,   controls.brightnessFactor,
                                voicing.lowDecayMult,    voicing.highDecayMult,    controls.lowCutHz,
                                voicing.voiceLowPassHz,  0.0 };

    std::array<float, 2> gains { 1.0f, 1.0f };
    for (int i = 0; i < 2; ++i)
    {
        const auto& instance = tail.getInstance(i);
        auto& gain = instances[static_cast<size_t>(i)];
        if (!instance.isRunning())
        {
            gain.smoother.clear();
            continue;
        }
        inputs.size = instance.getSize();
        gains[static_cast<size_t>(i)] = gainFor(gain, inputs, controls.midDecay, n);
    }
    return gains;
}
} // namespace zq6
