#include "DemoSignal.h"

#include <cmath>

namespace zq6::render
{
namespace
{
constexpr double demoSeconds = 6.0;
constexpr double beatSeconds = 0.5; // 120 bpm

void addKick(juce::AudioBuffer<float>& out, double rate, int start)
{
    double phase = 0.0;
    const auto length = static_cast<int>(0.35 * rate);
    for (int i = 0; i < length && start + i < out.getNumSamples(); ++i)
    {
        const auto t = i / rate;
        phase += 2.0 * M_PI * (45.0 + 110.0 * std::exp(-t * 30.0)) / rate;
        const auto v = static_cast<float>(0.6 * std::sin(phase) * std::exp(-t * 9.0));
        for (int c = 0; c < out.getNumChannels(); ++c)
            out.addSample(c, start + i, v);
    }
}

void addSnare(juce::AudioBuffer<float>& out, double rate, int start, juce::Random& random)
{
    const auto length = static_cast<int>(0.25 * rate);
    float lowPassed = 0.0f;
    for (int i = 0; i < length && start + i < out.getNumSamples(); ++i)
    {
        const auto t = i / rate;
        const auto noise = random.nextFloat() * 2.0f - 1.0f;
        lowPassed += 0.5f * (noise - lowPassed);
        const auto body = std::sin(2.0 * M_PI * 190.0 * t) * std::exp(-t * 25.0);
        const auto v = static_cast<float>((0.35 * lowPassed + 0.25 * body) * std::exp(-t * 16.0));
        out.addSample(0, start + i, v);
        out.addSample(1, start + i, v * 0.9f);
    }
}

void addPluck(juce::AudioBuffer<float>& out, double rate, int start, double frequency, float pan)
{
    const auto length = static_cast<int>(1.4 * rate);
    for (int i = 0; i < length && start + i < out.getNumSamples(); ++i)
    {
        const auto t = i / rate;
        const auto envelope = std::exp(-t * 3.5) * std::min(1.0, t * 400.0);
        const auto tone = std::sin(2.0 * M_PI * frequency * t) + 0.3 * std::sin(4.0 * M_PI * frequency * t)
                          + 0.1 * std::sin(6.0 * M_PI * frequency * t);
        const auto v = static_cast<float>(0.08 * envelope * tone);
        out.addSample(0, start + i, v * (1.0f - pan));
        out.addSample(1, start + i, v * (1.0f + pan));
    }
}
} // namespace

juce::AudioBuffer<float> makeDemoSignal(double rate)
{
    juce::AudioBuffer<float> out(2, static_cast<int>(demoSeconds * rate));
    out.clear();
    juce::Random random(0x2a6);
    const auto beat = [rate](double beats) { return static_cast<int>(beats * beatSeconds * rate); };

    for (int bar = 0; bar < 2; ++bar)
    {
        const auto first = bar * 4.0;
        addKick(out, rate, beat(first));
        addKick(out, rate, beat(first + 2.5));
        addSnare(out, rate, beat(first + 1.0), random);
        addSnare(out, rate, beat(first + 3.0), random);
    }

    const double chords[2][3] = { { 220.0, 277.18, 329.63 }, { 196.0, 246.94, 293.66 } };
    for (int c = 0; c < 2; ++c)
        for (int note = 0; note < 3; ++note)
            addPluck(out, rate, beat(c * 4.0 + note * 0.08), chords[c][note], (note - 1) * 0.4f);

    // The last bar leaves space for the tail: one snare alone.
    addSnare(out, rate, beat(9.0), random);
    return out;
}
} // namespace zq6::render
