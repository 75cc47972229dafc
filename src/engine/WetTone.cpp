#include "WetTone.h"

#include "TailEnergy.h"

#include <algorithm>
#include <cmath>

namespace zq6
{
namespace
{
struct Balance
{
    float er, tail;
};

// Equal-power ER/tail balance at the angle erWeight * pi / 2; without reflections (noEr = 1) their
// share goes to the tail, scaled by the tail-only gain cM.
Balance balance(float erWeight, float noEr, float cM) noexcept
{
    const auto theta = erWeight * 1.5707963267948966f;
    const auto s = std::sin(theta), c = std::cos(theta);
    return { std::sqrt(std::max(0.0f, 1.0f - noEr)) * s, std::sqrt(s * s * noEr * cM + c * c) };
}
} // namespace

void WetTone::prepare(double internalRate)
{
    rate = internalRate;
    tailConstant = tailLoudnessConstant();
    clear();
}

void WetTone::clear() noexcept
{
    tailOnlyDecay = -1.0f;
    voiceState[0] = voiceState[1] = 0.0f;
    voiceHz = -1.0f;
    lowCut = {};
    tilt = {};
    lowCutDesignedHz = undesignedHz;
    tiltDesignedDb = undesignedDb;
}

void WetTone::process(const float* erLeft, const float* erRight, const float* tailLeft, const float* tailRight,
                      float* outLeft, float* outRight, int m, const WetToneControls& controls) noexcept
{
    const auto cM = tailOnlyGain(controls.midDecay.end);
    const auto c = voiceCoefficient(controls.voiceLowPassHz.end);
    updateFilters(controls.lowCutHz.end, controls.tiltDb.end);

    const auto steadyBalance = controls.erLevel.start == controls.erLevel.end
                               && controls.noErWeight.start == controls.noErWeight.end;
    auto gains = balance(controls.erLevel.end, controls.noErWeight.end, cM);
    double left[maxChunkSamples], right[maxChunkSamples];
    for (int k = 0; k < m; ++k)
    {
        if (!steadyBalance)
            gains = balance(controls.erLevel.at(k, m), controls.noErWeight.at(k, m), cM);
        const auto [erGain, tailGain] = gains;

        auto& yL = voiceState[0];
        auto& yR = voiceState[1];
        yL += (1.0f - c) * (tailGain * tailLeft[k] + erGain * erLeft[k] - yL);
        yR += (1.0f - c) * (tailGain * tailRight[k] + erGain * erRight[k] - yR);

        const auto mid = (yL + yR) * 0.5f;
        const auto side = (yL - yR) * 0.5f * controls.width.at(k, m);
        left[k] = mid + side;
        right[k] = mid - side;
    }
    filter(left, right, outLeft, outRight, m);
}

void WetTone::filter(const double* left, const double* right, float* outLeft, float* outRight, int m) noexcept
{
    if (lowCut.ramping || tilt.ramping)
    {
        for (int k = 0; k < m; ++k)
        {
            const auto t = static_cast<double>(k + 1) / m;
            outLeft[k] = static_cast<float>(tilt.process(0, lowCut.process(0, left[k], t), t));
            outRight[k] = static_cast<float>(tilt.process(1, lowCut.process(1, right[k], t), t));
        }
        return;
    }
    // Settled designs: held in registers for the whole chunk.
    const auto settledLowCut = lowCut.to;
    const auto settledTilt = tilt.to;
    for (int k = 0; k < m; ++k)
    {
        outLeft[k] = static_cast<float>(tilt.states[0].process(settledTilt, lowCut.states[0].process(settledLowCut, left[k])));
        outRight[k] = static_cast<float>(tilt.states[1].process(settledTilt, lowCut.states[1].process(settledLowCut, right[k])));
    }
}

float WetTone::tailOnlyGain(float midDecay) noexcept
{
    if (midDecay != tailOnlyDecay)
    {
        tailOnlyDecay = midDecay;
        const auto decay = std::max(static_cast<double>(midDecay), 0.001);
        tailOnly = static_cast<float>(1.0 / (tailConstant * tailConstant * 1.75 * 0.0625 * std::sqrt(decay / 2.0)));
    }
    return tailOnly;
}

float WetTone::voiceCoefficient(float voiceLowPassHz) noexcept
{
    if (voiceLowPassHz != voiceHz)
    {
        voiceHz = voiceLowPassHz;
        const auto hz = std::min(static_cast<double>(std::max(voiceLowPassHz, 1.0f)), 0.49 * rate);
        voice = static_cast<float>(std::exp(-2.0 * M_PI * hz / rate));
    }
    return voice;
}

BiquadDesign WetTone::lowCutDesign(double lowCutHz, double rate) noexcept
{
    return designHighPass(lowCutHz, 0.7071, rate);
}

// Redesigns only while the smoothed values move; the first design after a clear applies at once.
void WetTone::updateFilters(float lowCutHz, float tiltDb) noexcept
{
    lowCut.ramping = tilt.ramping = false;
    if (std::abs(lowCutHz - lowCutDesignedHz) > lowCutHz * 0.001f)
    {
        lowCut.redesign(lowCutDesign(lowCutHz, rate), lowCutDesignedHz == undesignedHz);
        lowCutDesignedHz = lowCutHz;
    }
    if (std::abs(tiltDb - tiltDesignedDb) > 0.001f)
    {
        tilt.redesign(designHighShelf(std::min(0.45 * rate, 5000.0), tiltDb, rate), tiltDesignedDb == undesignedDb);
        tiltDesignedDb = tiltDb;
    }
}

void WetTone::RampedBiquad::redesign(const BiquadDesign& design, bool first) noexcept
{
    from = first ? design : to;
    to = design;
    ramping = !first;
}

double WetTone::RampedBiquad::process(int side, double x, double t) noexcept
{
    return states[side].process(ramping ? interpolate(from, to, t) : to, x);
}
} // namespace zq6
