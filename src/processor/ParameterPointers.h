#pragma once

#include "../engine/BlockParams.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>

namespace zq6
{
// The raw-value pointers the audio thread reads, looked up once by identifier.
class ParameterPointers
{
public:
    explicit ParameterPointers(juce::AudioProcessorValueTreeState& state);

    // One snapshot of every parameter; hostTempo is 0 when the host gives none.
    BlockParams snapshot(double hostTempo, bool sendMode, bool learnListening, int character) const;

private:
    using Raw = const std::atomic<float>*;
    Raw size, decay, decayBeats, decayUnit, predelay, predelayNote, predelayUnit, attack, brightness, lowcut, width,
        cleanUnmask, cleanShaping, deltaUnmask, deltaShaping, mix, output, decayMultLow, erTrim, motion, diffusion,
        unmaskSpeed, shapeSibilance, shapeBreath, shapeAttack, eqLp;
    Raw eqType[4], eqFreq[4], eqGain[4], eqQ[4];
};
} // namespace zq6
