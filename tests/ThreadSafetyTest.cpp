#include "params/ParameterIds.h"
#include "processor/ZQ6AudioProcessor.h"
#include "state/StateTree.h"
#include "support/MessagePump.h"
#include "support/ProcessorHarness.h"
#include "support/ScopedSettingsHome.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace zq6::test
{
// The audio thread processes, a second thread automates and reads every parameter, and the message
// thread runs the editor and saves and loads the state, all at once. Under the tsan preset this
// proves the shared values race-free; in the normal build it checks nothing breaks.
TEST(ThreadSafety, AudioAutomationEditorAndStateAtOnce)
{
    ScopedSettingsHome home;
    ZQ6AudioProcessor processor;
    processor.setPlayConfigDetails(2, 2, 48000.0, 128);
    processor.prepareToPlay(48000.0, 128);
    std::unique_ptr<juce::AudioProcessorEditor> editor(processor.createEditor());
    juce::MemoryBlock saved;
    processor.getStateInformation(saved);

    std::atomic<bool> running { true };
    std::atomic<bool> outputFinite { true };
    std::thread audio([&] {
        juce::MidiBuffer midi;
        auto block = makeNoise(2, 128, 0.5f, 8);
        while (running.load())
        {
            auto buffer = block;
            processor.processBlock(buffer, midi);
            for (int c = 0; c < 2; ++c)
                for (int i = 0; i < 128; ++i)
                    if (!std::isfinite(buffer.getSample(c, i)))
                        outputFinite.store(false);
        }
    });
    std::thread automation([&] {
        juce::Random random(12);
        // One sweep over every parameter per millisecond: far denser than any host automates,
        // yet leaves the message thread time to follow under a sanitizer's slowdown.
        while (running.load())
        {
            for (auto* parameter : processor.getParameters())
            {
                parameter->setValueNotifyingHost(random.nextFloat());
                juce::ignoreUnused(parameter->getText(parameter->getValue(), 16));
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });

    for (int round = 0; round < 20; ++round)
    {
        juce::MemoryBlock state;
        processor.getStateInformation(state);
        EXPECT_GT(state.getSize(), 0u);
        if (round % 5 == 4)
            processor.setStateInformation(saved.getData(), static_cast<int>(saved.getSize()));
        pumpMessages(40);
    }
    running.store(false);
    audio.join();
    automation.join();
    EXPECT_TRUE(outputFinite.load());
}
} // namespace zq6::test

namespace zq6::test
{
// Hosts autosave from background threads. A thread saves in a loop while the message thread does
// everything that rewrites the state: slot switches and copies, undo, redo, gestures and loads.
// Under the tsan preset this proves the saves race-free; here every save must load back whole.
TEST(ThreadSafety, SavingWhileSlotsHistoryAndLoadsChangeTheState)
{
    ZQ6AudioProcessor processor;
    juce::MemoryBlock fresh;
    processor.getStateInformation(fresh);

    std::atomic<bool> running { true };
    std::atomic<int> saves { 0 };
    std::atomic<int> unreadable { 0 };
    std::thread saver([&] {
        while (running.load())
        {
            juce::MemoryBlock block;
            processor.getStateInformation(block);
            const auto tree = statetree::readBlock(block.getData(), static_cast<int>(block.getSize()), "ZQ6STATE");
            if (!tree.isValid() || tree.getNumChildren() != pid::count + 3)
                ++unreadable;
            ++saves;
        }
    });

    auto& size = *processor.getValueTreeState().getParameter(pid::size);
    juce::Random random(5);
    for (int round = 0; round < 60 || saves.load() < 60; ++round)
    {
        size.beginChangeGesture();
        size.setValueNotifyingHost(random.nextFloat());
        size.endChangeGesture();
        processor.switchSlot(round % 2);
        processor.copySlot();
        processor.undoOrRedo(true);
        processor.undoOrRedo(round % 3 != 0);
        if (round % 10 == 9)
            processor.setStateInformation(fresh.getData(), static_cast<int>(fresh.getSize()));
        pumpMessages(1);
    }
    running.store(false);
    saver.join();
    EXPECT_EQ(unreadable.load(), 0);
}
} // namespace zq6::test
