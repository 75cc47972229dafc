#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

// Helpers for changing parameters through the value-tree state's tree, so that an undo manager can
// record the change and the host is told by the framework.
namespace quil
{
// The parameter's current value in its own units, clamped to its range and snapped to a legal value.
float valueInUnits(const juce::RangedAudioParameter& parameter);

// The value, clamped to the parameter's range and snapped to a legal value.
float legalValue(const juce::RangedAudioParameter& parameter, float value);

// Writes the parameters' current values into their PARAM children, so that a later change of a
// child is compared against the live value rather than a stale one.
void pushParameterValuesToTree(juce::AudioProcessorValueTreeState& state);

// Sets the PARAM child's "value" to the legal value nearest `value`; false when the value is not
// finite or the identifier has no parameter or PARAM child.
bool setParameterThroughTree(juce::AudioProcessorValueTreeState& state, const juce::String& parameterId, float value,
                             juce::UndoManager* undoManager);

// The processor's ranged parameters, in parameter order, except the excluded identifiers.
juce::Array<juce::RangedAudioParameter*> includedParameters(const juce::AudioProcessorValueTreeState& state,
                                                            const juce::StringArray& exclusions);
} // namespace quil
