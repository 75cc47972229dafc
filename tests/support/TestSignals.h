#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

namespace zq6::test
{
// A sine of the given peak on every channel, starting at phase 0.
juce::AudioBuffer<float> makeSine(int channels, int samples, double rate, double hz, float peak);

// Largest absolute sample over all channels in [from, to).
float peakBetween(const juce::AudioBuffer<float>& buffer, int from, int to);
} // namespace zq6::test
