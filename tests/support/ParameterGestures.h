#pragma once

#include "MessagePump.h"

#include <juce_audio_processors/juce_audio_processors.h>

namespace zq6::test
{
// A user drag as a control sends it: gesture begin, one value in normalised units, gesture end.
void drag(juce::RangedAudioParameter& parameter, float normalisedValue);

// The parameter's value in its own units.
float valueOf(const juce::AudioProcessorValueTreeState& state, const char* id);

// Lets timers run on the message thread for `milliseconds`.
void pumpMessages(int milliseconds = 120);
} // namespace zq6::test
