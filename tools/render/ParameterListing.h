#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

namespace zq6::render
{
// One line per parameter, in the order a host lists them: id, name, range or values, unit and
// default, all as --set takes them.
juce::String parameterListing(const juce::AudioProcessorValueTreeState& state);

// The ids nearest to a mistyped one, nearest first, by spelling of the id, the parameter's name
// or the knob's title ("low_decay" finds decay_mult_low).
juce::StringArray closestIds(const juce::AudioProcessorValueTreeState& state, const juce::String& typed);

// A number as --set takes it back: at most six significant digits, no trailing zeros.
juce::String numberText(double value);
} // namespace zq6::render
