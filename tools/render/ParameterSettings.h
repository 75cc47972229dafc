#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <utility>
#include <vector>

namespace zq6::render
{
// Sets each "--set id=value" in order, the value in the parameter's own units or texts. A value
// outside the range is limited to it, and stderr says which value was used. Throws RenderError
// for an unknown id (naming the closest ones) or a value that does not read.
void applySettings(juce::AudioProcessorValueTreeState& state,
                   const std::vector<std::pair<juce::String, juce::String>>& settings);
} // namespace zq6::render
