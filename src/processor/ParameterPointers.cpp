#include "ParameterPointers.h"

#include "ParameterIds.h"
#include "ParameterLayout.h"
#include "WetEqBands.h"

namespace zq6
{
namespace
{
const std::atomic<float>* lookUp(juce::AudioProcessorValueTreeState& state, const char* id)
{
    auto* raw = state.getRawParameterValue(id);
    jassert(raw != nullptr);
    return raw;
}

float load(const std::atomic<float>* raw)
{
    return raw->load(std::memory_order_relaxed);
}
} // namespace

ParameterPointers::ParameterPointers(juce::AudioProcessorValueTreeState& state)
    : size(lookUp(state, pid::size)), decay(lookUp(state, pid::decay)), decayBeats(lookUp(state, pid::decayBeats)),
      decayUnit(lookUp(state, pid::decayUnit)), predelay(lookUp(state, pid::predelay)),
      predelayNote(lookUp(state, pid::predelayNote)), predelayUnit(lookUp(state, pid::predelayUnit)),
      attack(lookUp(state, pid::attack)), brightness(lookUp(state, pid::brightness)), lowcut(lookUp(state, pid::lowcut)),
      width(lookUp(state, pid::width)), cleanUnmask(lookUp(state, pid::cleanUnmask)),
      cleanShaping(lookUp(state, pid::cleanShaping)), deltaUnmask(lookUp(state, pid::deltaUnmask)),
      deltaShaping(lookUp(state, pid::deltaShaping)), mix(lookUp(state, pid::mix)), output(lookUp(state, pid::output)),
      decayMultLow(lookUp(state, pid::decayMultLow)), erTrim(lookUp(state, pid::erTrim)), motion(lookUp(state, pid::motion)),
      diffusion(lookUp(state, pid::diffusion)), unmaskSpeed(lookUp(state, pid::unmaskSpeed)),
      shapeSibilance(lookUp(state, pid::shapeSibilance)), shapeBreath(lookUp(state, pid::shapeBreath)),
      shapeAttack(lookUp(state, pid::shapeAttack)), eqLp(lookUp(state, pid::eqLp))
{
    for (int band = 0; band < 4; ++band)
    {
        eqType[band] = lookUp(state, pid::eqType[band]);
        eqFreq[band] = lookUp(state, pid::eqFreq[band]);
        eqGain[band] = lookUp(state, pid::eqGain[band]);
        eqQ[band] = lookUp(state, pid::eqQ[band]);
    }
}

BlockParams ParameterPointers::snapshot(double hostTempo, bool sendMode, bool learnListening, int character) const
{
    BlockParams p;
    p.size = load(size);
    p.decaySeconds = effectiveDecaySeconds(load(decayUnit), load(decay), load(decayBeats), hostTempo);
    p.preDelayMs = effectivePreDelayMs(load(predelayUnit), load(predelay), load(predelayNote), hostTempo);
    p.brightness = load(brightness);
    p.lowCutHz = load(lowcut);
    p.width = load(width);
    p.unmaskAmount = load(cleanUnmask);
    p.shapingAmount = load(cleanShaping);
    p.deltaUnmask = load(deltaUnmask) >= 0.5f;
    p.deltaShaping = load(deltaShaping) >= 0.5f;
    p.mix = load(mix);
    p.outputDb = load(output);
    p.character = character;
    p.decayLowMultiplier = load(decayMultLow);
    p.attackMs = load(attack);
    p.erLevelDb = load(erTrim);
    p.motion = load(motion);
    p.diffusion = load(diffusion);
    p.unmaskSpeed = static_cast<int>(std::lround(load(unmaskSpeed)));
    p.shapeSibilance = load(shapeSibilance);
    p.shapeBreath = load(shapeBreath);
    p.shapeTransient = load(shapeAttack);
    for (int band = 0; band < 4; ++band)
    {
        p.eqKind[band] = static_cast<int>(eqKindForChoice(band, load(eqType[band])));
        p.eqFrequency[band] = load(eqFreq[band]);
        p.eqGain[band] = load(eqGain[band]);
        p.eqQ[band] = load(eqQ[band]);
    }
    p.eqLowPassHz = load(eqLp);
    p.sendMode = sendMode;
    p.learnListening = learnListening;
    return p;
}
} // namespace zq6
