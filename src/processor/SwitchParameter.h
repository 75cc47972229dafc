#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

namespace zq6
{
// An on/off parameter that reads back exactly 0 or 1, whatever normalised value a host wrote:
// hosts compare what they read after a state restore with what they read before it.
class SwitchParameter : public juce::AudioParameterBool
{
public:
    SwitchParameter(const juce::ParameterID& parameterId, const juce::String& parameterName, bool defaultValue);

    float getValue() const override;
};
} // namespace zq6
