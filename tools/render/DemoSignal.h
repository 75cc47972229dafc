#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

namespace zq6::render
{
// Six seconds of synthesised music, deterministic, stereo: two bars of chords, a plucked line and
// a light beat, then a last note and room for the tail.
juce::AudioBuffer<float> makeDemoSignal(double sampleRate);
} // namespace zq6::render
