#include "SwitchParameter.h"

namespace zq6
{
SwitchParameter::SwitchParameter(const juce::ParameterID& parameterId, const juce::String& parameterName, bool defaultValue)
    : juce::AudioParameterBool(parameterId, parameterName, defaultValue)
{
}

float SwitchParameter::getValue() const
{
    return get() ? 1.0f : 0.0f;
}
} // namespace zq6
