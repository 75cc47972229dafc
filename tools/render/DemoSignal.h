#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

namespace zq6::render
{
// A few seconds of synthesised drums and plucked chords, deterministic, stereo.
juce::AudioBuffer<float> makeDemoSignal(double sampleRate);
} // namespace zq6::render
