#include "learn/LearnDerivation.h"
#include "params/ParameterIds.h"
#include "processor/ZQ6AudioProcessor.h"

#include <cstdio>
#include <functional>

// Writes the seed corpus of the state fuzzer: the states that processors in several settings save.
namespace zq6
{
namespace
{
void set(ZQ6AudioProcessor& processor, const char* id, float value)
{
    auto* parameter = processor.getValueTreeState().getParameter(id);
    parameter->setValueNotifyingHost(parameter->convertTo0to1(value));
}

void edit(ZQ6AudioProcessor& p)
{
    set(p, pid::decayUnit, 1.0f);
    set(p, pid::decayBeats, 8.0f);
    set(p, pid::predelayUnit, 1.0f);
    set(p, pid::mix, 0.42f);
    set(p, pid::eqGain[1], -4.5f);
    set(p, pid::eqType[3], 2.0f);
    set(p, pid::eqLp, 20000.0f);
}

void fillBothSlots(ZQ6AudioProcessor& p)
{
    set(p, pid::size, 0.8f);
    p.switchSlot(1);
    set(p, pid::decay, 3.0f);
    p.chooseSource(2, 1);
    p.switchSlot(0);
}

void learnInSendMode(ZQ6AudioProcessor& p)
{
    LearnFeatures features;
    features.fValid = 1;
    features.fOnsetCount = 31;
    features.fGapCount = 24;
    features.fGapMedianSec = 0.45f;
    features.fGapP75Sec = 0.6f;
    features.fAttackSharp = 0.8f;
    features.fTempoBpm = 96.0f;
    p.chooseSource(3, 0);
    LearnSnapshot snapshot;
    snapshot.record = deriveLearnSettings(features, 3, 0, 0, 0.0).record;
    snapshot.record.hasResult = 1;
    snapshot.mode = ZQ6AudioProcessor::send;
    snapshot.status = static_cast<int>(LearnStatus::learned);
    p.applyLearnSnapshot(snapshot);
    set(p, pid::bypass, 1.0f);
}

struct Seed
{
    const char* name;
    std::function<void(ZQ6AudioProcessor&)> apply;
};

const Seed seeds[] = {
    { "fresh", [](ZQ6AudioProcessor&) {} },
    { "edited", edit },
    { "slots", fillBothSlots },
    { "slotBActive", [](ZQ6AudioProcessor& p) { fillBothSlots(p); p.switchSlot(1); } },
    { "sourcePlate", [](ZQ6AudioProcessor& p) { p.chooseSource(2, 1); p.chooseCharacter(4); } },
    { "learnedSend", learnInSendMode },
};
} // namespace
} // namespace zq6

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fputs("usage: zq6-state-seeds folder\n", stderr);
        return 2;
    }
    const juce::ScopedJuceInitialiser_GUI juce;
    const auto folder = juce::File::getCurrentWorkingDirectory().getChildFile(argv[1]);
    if (!folder.createDirectory())
        return 1;
    for (const auto& seed : zq6::seeds)
    {
        zq6::ZQ6AudioProcessor processor;
        seed.apply(processor);
        juce::MemoryBlock state;
        processor.getStateInformation(state);
        if (!folder.getChildFile(juce::String(seed.name) + ".state").replaceWithData(state.getData(), state.getSize()))
            return 1;
    }
    return 0;
}
