#include "ParameterPointers.h"

#include "../params/EffectiveTimes.h"

namespace zq6
{
ParameterPointers::ParameterPointers(juce::AudioProcessorValueTreeState& state)
{
    for (const auto& spec : parameterTable)
    {
        raw[static_cast<size_t>(spec.param)] = state.getRawParameterValue(spec.id);
        jassert(raw[static_cast<size_t>(spec.param)] != nullptr);
    }
}

float ParameterPointers::load(Param param) const noexcept
{
    return raw[static_cast<size_t>(param)]->load(std::memory_order_relaxed);
}

bool ParameterPointers::isOn(Param param) const noexcept
{
    return load(param) >= 0.5f;
}

BlockParams ParameterPointers::snapshot(double hostTempo, bool sendMode, bool learnListening, int character) const
{
    BlockParams p;
    p.size = load(Param::size);
    p.decaySeconds = effectiveDecaySeconds(load(Param::decayUnit), load(Param::decay), load(Param::decayBeats), hostTempo);
    p.preDelayMs = effectivePreDelayMs(load(Param::predelayUnit), load(Param::predelay), load(Param::predelayNote), hostTempo);
    p.brightness = load(Param::brightness);
    p.lowCutHz = load(Param::lowcut);
    p.width = load(Param::width);
    p.unmaskAmount = load(Param::cleanUnmask);
    p.shapingAmount = load(Param::cleanShaping);
    p.deltaUnmask = isOn(Param::deltaUnmask);
    p.deltaShaping = isOn(Param::deltaShaping);
    p.mix = load(Param::mix);
    p.outputDb = load(Param::output);
    p.character = character;
    p.decayLowMultiplier = load(Param::decayMultLow);
    p.attackMs = load(Param::attack);
    p.erLevelDb = load(Param::erTrim);
    p.motion = load(Param::motion);
    p.diffusion = load(Param::diffusion);
    p.unmaskSpeed = static_cast<int>(std::lround(load(Param::unmaskSpeed)));
    p.shapeSibilance = load(Param::shapeSibilance);
    p.shapeBreath = load(Param::shapeBreath);
    p.shapeTransient = load(Param::shapeAttack);
    for (int band = 0; band < wetEqBandCount; ++band)
    {
        p.eq.kind[band] = static_cast<int>(eqKindForChoice(band, load(eqTypeParam(band))));
        p.eq.frequencyHz[band] = load(eqFreqParam(band));
        p.eq.gainDb[band] = load(eqGainParam(band));
        p.eq.q[band] = load(eqQParam(band));
    }
    p.eq.lowPassHz = load(Param::eqLp);
    p.sendMode = sendMode;
    p.learnListening = learnListening;
    return p;
}
} // namespace zq6
