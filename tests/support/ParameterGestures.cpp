#include "ParameterGestures.h"

namespace zq6::test
{
void drag(juce::RangedAudioParameter& parameter, float normalisedValue)
{
    parameter.beginChangeGesture();
    parameter.setValueNotifyingHost(normalisedValue);
    parameter.endChangeGesture();
}

float valueOf(const juce::AudioProcessorValueTreeState& state, const char* id)
{
    const auto* parameter = state.getParameter(id);
    return parameter->convertFrom0to1(parameter->getValue());
}
} // namespace zq6::test
