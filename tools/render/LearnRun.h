#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

namespace zq6
{
class ZQ6AudioProcessor;
}

namespace zq6::render
{
// Runs a real Learn cycle on audio through a prepared processor, the way the plug-in does: the
// capture fills while the audio plays, the 33 ms tick drains and analyses it, and the finished
// cycle derives and applies the settings. Throws RenderError (exit 3) when the audio is too short
// or too quiet to finish. Returns the report that says what Learn heard and set.
juce::String runLearn(ZQ6AudioProcessor& processor, const juce::AudioBuffer<float>& audio, double sampleRate);
} // namespace zq6::render
