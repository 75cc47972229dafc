#include "TestSignals.h"

#include <cmath>

namespace zq6::test
{
juce::AudioBuffer<float> makeSine(int channels, int samples, double rate, double hz, float peak)
{
    juce::AudioBuffer<float> buffer(channels, samples);
    for (int c = 0; c < channels; ++c)
        for (int i = 0; i < samples; ++i)
            buffer.setSample(c, i, peak * static_cast<float>(std::sin(2.0 * M_PI * hz * i / rate)));
    return buffer;
}

float peakBetween(const juce::AudioBuffer<float>& buffer, int from, int to)
{
    float largest = 0.0f;
    for (int c = 0; c < buffer.getNumChannels(); ++c)
        largest = std::max(largest, buffer.getMagnitude(c, from, to - from));
    return largest;
}
} // namespace zq6::test
