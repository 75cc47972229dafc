#pragma once

#include "engine/BlockParams.h"

#include <juce_audio_basics/juce_audio_basics.h>

namespace zq6::test
{
// Runs the engine itself (no processor) on a unit impulse at sample 0 in both channels and returns
// `seconds` of its stereo output. The wet path is delayed by the engine's latency.
juce::AudioBuffer<float> renderEngineImpulse(const BlockParams& params, double seconds, double rate = 48000.0);
} // namespace zq6::test
