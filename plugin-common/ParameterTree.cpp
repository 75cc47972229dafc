#include "ParameterTree.h"

#include <cmath>

namespace quil
{
float valueInUnits(const juce::RangedAudioParameter& parameter)
{
    return parameter.convertFrom0to1(parameter.getValue());
}

float legalValue(const juce::RangedAudioParameter& parameter, float value)
{
    return parameter.convertFrom0to1(juce::jlimit(0.0f, 1.0f, parameter.convertTo0to1(value)));
}

void pushParameterValuesToTree(juce::AudioProcessorValueTreeState& state)
{
    // The framework flushes the live values into the tree whenever it hands out a copy.
    juce::ignoreUnused(state.copyState());
}

bool setParameterThroughTree(juce::AudioProcessorValueTreeState& state, const juce::String& parameterId, float value,
                             juce::UndoManager* undoManager)
{
    const auto* parameter = state.getParameter(parameterId);
    if (parameter == nullptr || !std::isfinite(value))
        return false;
    for (auto child : state.state)
        if (child.hasType("PARAM") && child.getProperty("id").toString() == parameterId)
        {
            // The tree may still hold an older value than the parameter, and setting that value
            // again would not reach the parameter.
            child.setProperty("value", valueInUnits(*parameter), nullptr);
            child.setProperty("value", legalValue(*parameter, value), undoManager);
            return true;
        }
    return false;
}

juce::Array<juce::RangedAudioParameter*> includedParameters(const juce::AudioProcessorValueTreeState& state,
                                                            const juce::StringArray& exclusions)
{
    juce::Array<juce::RangedAudioParameter*> result;
    for (auto* parameter : state.processor.getParameters())
        if (auto* ranged = dynamic_cast<juce::RangedAudioParameter*>(parameter))
            if (!exclusions.contains(ranged->getParameterID()))
                result.add(ranged);
    return result;
}
} // namespace quil
