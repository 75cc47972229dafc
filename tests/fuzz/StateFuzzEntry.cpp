#include "StateFuzzEntry.h"

#include "processor/ZQ6AudioProcessor.h"
#include "state/DocumentLimits.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace zq6::fuzz
{
namespace
{
constexpr double sampleRate = 48000.0;
constexpr int blockSize = 64;

void check(bool condition, const char* what)
{
    if (condition)
        return;
    std::fprintf(stderr, "state fuzz check failed: %s\n", what);
    std::abort();
}

// The block a host would hold: the magic, the payload's length, the payload and a zero byte.
juce::MemoryBlock wrappedPayload(const std::uint8_t* data, std::size_t size)
{
    static constexpr char magic[] = { 'V', 'C', '2', '!' };
    const auto hasMagic = size >= 8 && std::memcmp(data, magic, sizeof(magic)) == 0;
    const auto* payload = hasMagic ? data + 8 : data;
    const auto payloadSize = static_cast<juce::uint32>(hasMagic ? size - 8 : size);

    juce::MemoryOutputStream out;
    out.write(magic, sizeof(magic));
    out.writeInt(static_cast<int>(payloadSize + 1));
    out.write(payload, payloadSize);
    out.writeByte(0);
    return out.getMemoryBlock();
}

class StateRig
{
public:
    StateRig()
    {
        juce::AudioProcessor::BusesLayout layout;
        layout.inputBuses.add(juce::AudioChannelSet::stereo());
        layout.outputBuses.add(juce::AudioChannelSet::stereo());
        processor.setBusesLayout(layout);
        processor.setRateAndBufferSizeDetails(sampleRate, blockSize);
        processor.prepareToPlay(sampleRate, blockSize);
        processor.getStateInformation(freshState);
    }

    void feed(const void* data, std::size_t size)
    {
        startFresh();
        processor.setStateInformation(data, static_cast<int>(std::min<std::size_t>(size, 1u << 30)));
        checkRoundTrip();
        processBlock();
    }

    // Each load that goes through stays for the next input, as successive loads in a host do.
    void parse(const void* data, std::size_t size)
    {
        if (!processor.restoreState(data, static_cast<int>(std::min<std::size_t>(size, 1u << 30))))
            return;
        juce::MemoryBlock saved;
        processor.getStateInformation(saved);
        const auto* bytes = static_cast<const char*>(saved.getData());
        check(saved.getSize() > 9 && statetree::isWithinDocumentLimits(bytes + 8, std::strlen(bytes + 8)),
              "a saved state is within the limits a load accepts");
    }

private:
    void startFresh()
    {
        check(processor.restoreState(freshState.getData(), static_cast<int>(freshState.getSize())),
              "a new instance's state loads");
    }

    void checkRoundTrip()
    {
        juce::MemoryBlock saved;
        processor.getStateInformation(saved);
        check(processor.restoreState(saved.getData(), static_cast<int>(saved.getSize())), "a saved state loads");
        juce::MemoryBlock again;
        processor.getStateInformation(again);
        check(again == saved, "a saved state loads back to the same bytes");
    }

    void processBlock()
    {
        juce::AudioBuffer<float> buffer(2, blockSize);
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < blockSize; ++i)
                buffer.setSample(c, i, 0.5f * std::sin(0.05f * static_cast<float>(i + 7 * c)));
        juce::MidiBuffer midi;
        processor.processBlock(buffer, midi);
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < blockSize; ++i)
                check(std::isfinite(buffer.getSample(c, i)), "the output is finite");
    }

    const juce::ScopedJuceInitialiser_GUI juce;
    ZQ6AudioProcessor processor;
    juce::MemoryBlock freshState;
};

// Never destroyed: it would otherwise go after JUCE's own statics at exit.
StateRig& rig()
{
    static auto& instance = *new StateRig();
    return instance;
}
} // namespace

void runStateInput(const std::uint8_t* data, std::size_t size)
{
    rig().feed(data, size);
    const auto wrapped = wrappedPayload(data, size);
    rig().feed(wrapped.getData(), wrapped.getSize());
}

void runStateParseInput(const std::uint8_t* data, std::size_t size)
{
    rig().parse(data, size);
    const auto wrapped = wrappedPayload(data, size);
    if (wrapped.getSize() != size || std::memcmp(wrapped.getData(), data, size) != 0)
        rig().parse(wrapped.getData(), wrapped.getSize());
}
} // namespace zq6::fuzz
