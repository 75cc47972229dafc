#pragma once

#include "RenderOptions.h"

#include <juce_audio_basics/juce_audio_basics.h>

namespace zq6
{
class ZQ6AudioProcessor;
}

namespace zq6::render
{
// Renders a file (or the demo) through ZQ-6 with the latency removed and the tail appended.
class RenderJob
{
public:
    explicit RenderJob(RenderOptions options);
    // Throws RenderError; never leaves a half-written output file.
    void run();

private:
    struct Input
    {
        juce::AudioBuffer<float> audio;
        double sampleRate = 48000.0;
        int bitsPerSample = 24;
    };

    Input loadInput() const;
    void loadState(ZQ6AudioProcessor& processor) const;
    void saveState(ZQ6AudioProcessor& processor) const;
    void applySource(ZQ6AudioProcessor& processor) const;
    void applySettings(ZQ6AudioProcessor& processor) const;
    void prepare(ZQ6AudioProcessor& processor, const Input& input) const;
    juce::AudioBuffer<float> process(ZQ6AudioProcessor& processor, const Input& input) const;
    void write(const juce::AudioBuffer<float>& audio, const Input& input) const;
    void showProgress(double fraction) const;

    RenderOptions options;
};
} // namespace zq6::render
