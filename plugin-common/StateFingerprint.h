#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

// Texts that are equal exactly when the state they describe is equal, for telling whether a history
// step changed anything.
namespace quil::fingerprint
{
// The tree's type, its attributes sorted by name with their values, then its children, so that the
// order of the attributes does not matter.
juce::String canonicalText(const juce::ValueTree& tree);

// "id=normalised;" for every included parameter, normalised values with 9 decimals.
juce::String parameterText(const juce::AudioProcessorValueTreeState& state, const juce::StringArray& exclusions);

// The canonical texts of the state tree's children other than PARAM, sorted and joined by ",".
juce::String nonParameterChildrenText(const juce::ValueTree& stateTree);
} // namespace quil::fingerprint
