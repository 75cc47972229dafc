#include "ProcessorHarness.h"

#include "AllocationGuard.h"

namespace zq6::test
{
ProcessorHarness::ProcessorHarness(double sampleRate, int block, int numChannels)
    : instance(std::make_unique<ZQ6AudioProcessor>()), rate(sampleRate), blockSize(block), channels(numChannels)
{
    const auto set = channels == 1 ? juce::AudioChannelSet::mono() : juce::AudioChannelSet::stereo();
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add(set);
    layout.outputBuses.add(set);
    instance->setBusesLayout(layout);
    instance->setRateAndBufferSizeDetails(rate, blockSize);
    instance->prepareToPlay(rate, blockSize);
}

void ProcessorHarness::set(const char* id, float value)
{
    auto* parameter = instance->getValueTreeState().getParameter(id);
    jassert(parameter != nullptr);
    parameter->setValueNotifyingHost(parameter->convertTo0to1(value));
}

void ProcessorHarness::process(juce::AudioBuffer<float>& buffer, bool bypassedCallback)
{
    juce::MidiBuffer midi;
    for (int start = 0; start < buffer.getNumSamples(); start += blockSize)
    {
        const auto n = std::min(blockSize, buffer.getNumSamples() - start);
        juce::AudioBuffer<float> view(buffer.getArrayOfWritePointers(), buffer.getNumChannels(), start, n);
        const AllocationGuard guard;
        if (bypassedCallback)
            instance->processBlockBypassed(view, midi);
        else
            instance->processBlock(view, midi);
        allocations += guard.allocations();
    }
}

juce::AudioBuffer<float> ProcessorHarness::processSilence(double seconds)
{
    juce::AudioBuffer<float> buffer(channels, static_cast<int>(seconds * rate));
    buffer.clear();
    process(buffer);
    return buffer;
}

juce::AudioBuffer<float> makeNoise(int channels, int samples, float peak, int seed)
{
    juce::Random random(seed);
    juce::AudioBuffer<float> buffer(channels, samples);
    for (int c = 0; c < channels; ++c)
        for (int i = 0; i < samples; ++i)
            buffer.setSample(c, i, (random.nextFloat() * 2.0f - 1.0f) * peak);
    return buffer;
}
juce::AudioBuffer<float> stereoImpulse(double rate, double seconds)
{
    juce::AudioBuffer<float> buffer(2, static_cast<int>(rate * seconds));
    buffer.clear();
    buffer.setSample(0, 0, 1.0f);
    buffer.setSample(1, 0, 1.0f);
    return buffer;
}

void renderThrough(juce::AudioBuffer<float>& buffer, double rate, int characterChoice, const ParameterSettings& settings)
{
    ProcessorHarness harness(rate);
    if (characterChoice != 0)
        harness.processor().chooseCharacter(characterChoice);
    for (const auto& [id, value] : settings)
        harness.set(id, value);
    harness.process(buffer);
}
} // namespace zq6::test
