#include "DemoSignal.h"

#include <cmath>
#include <vector>

namespace zq6::render
{
namespace
{
constexpr double demoSeconds = 6.0;
constexpr double beatSeconds = 0.5; // 120 bpm

double noteFrequency(int midiNote)
{
    return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

void addStereo(juce::AudioBuffer<float>& out, int index, float value, float pan)
{
    if (index < 0 || index >= out.getNumSamples())
        return;
    out.addSample(0, index, value * (1.0f - pan));
    out.addSample(1, index, value * (1.0f + pan));
}

void addKick(juce::AudioBuffer<float>& out, double rate, int start)
{
    double phase = 0.0;
    const auto length = static_cast<int>(0.35 * rate);
    for (int i = 0; i < length; ++i)
    {
        const auto t = i / rate;
        phase += 2.0 * M_PI * (45.0 + 110.0 * std::exp(-t * 30.0)) / rate;
        addStereo(out, start + i, static_cast<float>(0.55 * std::sin(phase) * std::exp(-t * 9.0)), 0.0f);
    }
}

void addSnare(juce::AudioBuffer<float>& out, double rate, int start, juce::Random& random)
{
    const auto length = static_cast<int>(0.3 * rate);
    float lowPassed = 0.0f;
    for (int i = 0; i < length; ++i)
    {
        const auto t = i / rate;
        const auto noise = random.nextFloat() * 2.0f - 1.0f;
        lowPassed += 0.45f * (noise - lowPassed);
        const auto body = std::sin(2.0 * M_PI * 185.0 * t) * std::exp(-t * 28.0);
        const auto v = (0.3 * lowPassed * std::exp(-t * 14.0) + 0.25 * body) * std::min(1.0, t * 2000.0);
        addStereo(out, start + i, static_cast<float>(v), 0.1f);
    }
}

// A plucked string: a burst of noise circulating in a damped delay line (Karplus-Strong).
void addPluck(juce::AudioBuffer<float>& out, double rate, int start, int midiNote, float level, float pan,
              juce::Random& random)
{
    const auto period = juce::jmax(2, static_cast<int>(std::lround(rate / noteFrequency(midiNote))));
    std::vector<float> line(static_cast<size_t>(period));
    float smoothed = 0.0f;
    for (auto& sample : line)
    {
        smoothed += 0.6f * ((random.nextFloat() * 2.0f - 1.0f) - smoothed);
        sample = smoothed;
    }
    const auto length = static_cast<int>(1.8 * rate);
    size_t position = 0;
    for (int i = 0; i < length; ++i)
    {
        const auto next = (position + 1) % line.size();
        const auto v = line[position];
        line[position] = 0.996f * 0.5f * (v + line[next]);
        position = next;
        const auto fadeOut = juce::jmin(1.0f, static_cast<float>(length - i) / static_cast<float>(0.05 * rate));
        addStereo(out, start + i, level * v * fadeOut, pan);
    }
}

// A soft electric-piano chord: each note a sine with a faint bell partial, decaying slowly.
void addChord(juce::AudioBuffer<float>& out, double rate, int start, std::initializer_list<int> notes, double seconds)
{
    const auto length = static_cast<int>(seconds * rate);
    auto pan = -0.3f;
    for (const auto note : notes)
    {
        const auto f = noteFrequency(note);
        for (int i = 0; i < length; ++i)
        {
            const auto t = i / rate;
            const auto envelope = std::min(1.0, t * 200.0) * std::exp(-t * 1.1)
                                  * std::min(1.0, (length - i) / (0.1 * rate));
            const auto tone = std::sin(2.0 * M_PI * f * t) + 0.15 * std::sin(2.0 * M_PI * 3.98 * f * t) * std::exp(-t * 6.0);
            addStereo(out, start + i, static_cast<float>(0.045 * envelope * tone), pan);
        }
        pan += 0.3f;
    }
}
} // namespace

juce::AudioBuffer<float> makeDemoSignal(double rate)
{
    juce::AudioBuffer<float> out(2, static_cast<int>(demoSeconds * rate));
    out.clear();
    juce::Random random(0x2a6);
    const auto at = [rate](double beats) { return static_cast<int>(beats * beatSeconds * rate); };

    // Two bars in A minor: a chord on each bar, a plucked line over it, a light beat under it.
    addChord(out, rate, at(0.0), { 57, 60, 64 }, 2.0);
    addChord(out, rate, at(4.0), { 53, 57, 60, 64 }, 2.0);

    const struct
    {
        double beat;
        int note;
    } melody[] = { { 0.0, 69 }, { 0.5, 72 }, { 1.0, 76 }, { 2.0, 74 }, { 2.5, 72 }, { 3.0, 69 },
                   { 4.0, 72 }, { 4.5, 69 }, { 5.0, 65 }, { 6.0, 67 }, { 7.0, 69 } };
    auto pan = 0.25f;
    for (const auto& note : melody)
    {
        addPluck(out, rate, at(note.beat), note.note, 0.22f, pan, random);
        pan = -pan;
    }

    for (const auto beat : { 0.0, 2.5, 4.0, 6.5 })
        addKick(out, rate, at(beat));
    for (const auto beat : { 1.0, 3.0, 5.0, 7.0 })
        addSnare(out, rate, at(beat), random);

    // The last two beats leave room for the tail after a final low pluck and one snare.
    addPluck(out, rate, at(8.0), 45, 0.3f, 0.0f, random);
    addSnare(out, rate, at(8.0), random);

    // Headroom for the reverb: the dry mix peaks at -3 dBFS.
    const auto peak = juce::jmax(out.getMagnitude(0, 0, out.getNumSamples()), out.getMagnitude(1, 0, out.getNumSamples()));
    if (peak > 0.0f)
        out.applyGain(juce::Decibels::decibelsToGain(-3.0f) / peak);
    return out;
}
} // namespace zq6::render
