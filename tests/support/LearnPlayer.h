#pragma once

#include "ProcessorHarness.h"

namespace zq6::test
{
// Feeds a prepared processor in tick-sized pieces of noise, each followed by the Learn tick on a
// clock that advances with the audio, so that seconds of listening take no wall time.
class LearnPlayer
{
public:
    static constexpr int samplesPerTick = 1600; // 33 ms at 48 kHz

    LearnPlayer(ProcessorHarness& harness, double sampleRate);

    // Plays `seconds` of noise (or silence at peak 0), ticking after every piece.
    void play(double seconds, float peak = 0.5f);
    double tickSeconds() const { return samplesPerTick / rate; }

private:
    ProcessorHarness& harness;
    const double rate;
    double nowMs = 1000.0;
    int seed = 0;
};
} // namespace zq6::test
