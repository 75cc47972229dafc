#pragma once

#include "../engine/BlockParams.h"
#include "../params/ParameterTable.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <atomic>

namespace zq6
{
// The raw-value pointers the audio thread reads, one per row of the parameter table, looked up
// once by identifier.
class ParameterPointers
{
public:
    explicit ParameterPointers(juce::AudioProcessorValueTreeState& state);

    // One snapshot of every parameter; hostTempo is 0 when the host gives none.
    BlockParams snapshot(double hostTempo, bool sendMode, bool learnListening, int character) const;

private:
    float load(Param param) const noexcept;
    bool isOn(Param param) const noexcept;

    std::array<const std::atomic<float>*, parameterCount> raw {};
};
} // namespace zq6
