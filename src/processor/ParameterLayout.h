#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

namespace zq6
{
// The host parameters, one per row of the parameter table, in its order.
juce::AudioProcessorValueTreeState::ParameterLayout buildParameterLayout();

// Skew that puts `centre` at the middle of the normalised travel.
float skewForCentre(float start, float end, float centre);
} // namespace zq6
