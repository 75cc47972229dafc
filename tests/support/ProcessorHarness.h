#pragma once

#include "processor/ZQ6AudioProcessor.h"

#include <memory>
#include <utility>
#include <vector>

namespace zq6::test
{
// A processor prepared at a rate, fed in blocks, with every processBlock call run under an
// AllocationGuard so any heap allocation on the audio path is counted.
class ProcessorHarness
{
public:
    explicit ProcessorHarness(double sampleRate = 48000.0, int blockSize = 256, int channels = 2);

    ZQ6AudioProcessor& processor() { return *instance; }
    int latency() const { return instance->getLatencySamples(); }

    // Sets a parameter in its own units (seconds, Hz, choice index, 0/1).
    void set(const char* id, float value);

    // Processes the whole buffer in place, block by block.
    void process(juce::AudioBuffer<float>& buffer, bool bypassedCallback = false);
    // Processes `seconds` of silence and returns it.
    juce::AudioBuffer<float> processSilence(double seconds);

    std::int64_t allocationsOnAudioPath() const { return allocations; }

private:
    std::unique_ptr<ZQ6AudioProcessor> instance;
    double rate;
    int blockSize;
    int channels;
    std::int64_t allocations = 0;
};

// Deterministic white noise at the given peak.
juce::AudioBuffer<float> makeNoise(int channels, int samples, float peak = 0.5f, int seed = 1);

// A unit impulse on both channels, then silence, `seconds` long in all.
juce::AudioBuffer<float> stereoImpulse(double rate, double seconds);

using ParameterSettings = std::vector<std::pair<const char*, float>>;

// Renders the buffer in place through a fresh processor at the rate, with a Character (0 keeps
// the default) and parameter values in their own units.
void renderThrough(juce::AudioBuffer<float>& buffer, double rate, int characterChoice, const ParameterSettings& settings);
} // namespace zq6::test
