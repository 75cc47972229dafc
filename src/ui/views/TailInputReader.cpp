#include "TailInputReader.h"

#include "../../engine/CharacterVoicing.h"
#include "../../engine/ErLevel.h"
#include "../../params/EffectiveTimes.h"
#include "../../params/ParameterIds.h"
#include "../../processor/ZQ6AudioProcessor.h"

namespace zq6::ui
{
TailInputReader::TailInputReader(ZQ6AudioProcessor& p)
    : processor(p),
      size(p.getValueTreeState().getRawParameterValue(pid::size)),
      decay(p.getValueTreeState().getRawParameterValue(pid::decay)),
      decayBeats(p.getValueTreeState().getRawParameterValue(pid::decayBeats)),
      decayUnit(p.getValueTreeState().getRawParameterValue(pid::decayUnit)),
      width(p.getValueTreeState().getRawParameterValue(pid::width)),
      erTrim(p.getValueTreeState().getRawParameterValue(pid::erTrim)),
      brightness(p.getValueTreeState().getRawParameterValue(pid::brightness)),
      lowcut(p.getValueTreeState().getRawParameterValue(pid::lowcut))
{
}

float TailInputReader::load(const std::atomic<float>* parameter, float fallback) const
{
    return parameter != nullptr ? parameter->load(std::memory_order_relaxed) : fallback;
}

TailGraphInputs TailInputReader::read() const
{
    const TailGraphInputs defaults;
    const auto& voicing = voicingFor(processor.getEffectiveCharacter());
    TailGraphInputs in;
    in.size = load(size, defaults.size);
    in.width = load(width, defaults.width);
    in.erWeight = erWeight(load(erTrim, 0.0f));
    in.erOrderThreshold = voicing.erOrderThreshold;
    in.erLowPassHz = voicing.erLowPassHz;
    in.voiceLowPassHz = voicing.voiceLowPassHz;
    in.decaySeconds = effectiveDecaySeconds(load(decayUnit, 0.0f), load(decay, defaults.decaySeconds),
                                            load(decayBeats, 4.0f), processor.getHostTempo());
    in.brightness = load(brightness, defaults.brightness);
    in.highDecayMult = voicing.highDecayMult;
    in.lowCutHz = load(lowcut, defaults.lowCutHz);
    return in;
}
} // namespace zq6::ui
