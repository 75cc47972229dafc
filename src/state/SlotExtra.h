#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

// What a slot carries beside its parameter values: a "ZQ6SLOT" tree holding the slot's baseline.
namespace zq6::slotextra
{
inline const juce::Identifier type { "ZQ6SLOT" };

// A new extra holding a copy of the state's baseline (empty when there is none).
juce::ValueTree capture(const juce::ValueTree& stateTree);

// A loaded extra reduced to its baseline, or an invalid tree when that baseline is not valid.
juce::ValueTree migrate(const juce::ValueTree& extra, const juce::AudioProcessorValueTreeState& parameters);
} // namespace zq6::slotextra
