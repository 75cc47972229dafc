#include "params/ParameterIds.h"
#include "support/HistoryFixture.h"

#include "ParameterUndo.h"
#include "StateFingerprint.h"
#include "StepHistory.h"

#include <gtest/gtest.h>

#include <thread>

namespace zq6::test
{
class History : public HistoryFixture
{
protected:
    // One committed step that moves `size` to 0.8, then undone, so that a redo is waiting.
    void leaveARedoWaiting()
    {
        drag(parameter(pid::size), 0.8f);
        pumpMessages();
        ASSERT_TRUE(undo());
        ASSERT_TRUE(processor.canRedo());
    }
};

TEST_F(History, KnobDragIsOneStepThatUndoAndRedoReverse)
{
    drag(parameter(pid::size), 0.8f);
    pumpMessages();
    EXPECT_EQ(steps(), juce::StringArray { "Edit" });
    EXPECT_TRUE(processor.canUndo());

    ASSERT_TRUE(undo());
    EXPECT_FLOAT_EQ(value(pid::size), 0.5f);
    EXPECT_TRUE(processor.canRedo());
    ASSERT_TRUE(redo());
    EXPECT_FLOAT_EQ(value(pid::size), 0.8f);
    EXPECT_FALSE(processor.canRedo());
}

TEST_F(History, UndoOfAChoiceRestoresTheChoice)
{
    auto& note = parameter(pid::predelayNote);
    drag(note, note.convertTo0to1(7.0f));
    pumpMessages();
    ASSERT_TRUE(undo());
    EXPECT_EQ(value(pid::predelayNote), 4.0f);
}

TEST_F(History, ReturningAKnobToItsStartLeavesNoStepAndKeepsTheRedo)
{
    leaveARedoWaiting();
    auto& size = parameter(pid::size);
    size.beginChangeGesture();
    size.setValueNotifyingHost(0.9f);
    size.setValueNotifyingHost(0.5f);
    size.endChangeGesture();
    pumpMessages();

    EXPECT_TRUE(steps().isEmpty());
    EXPECT_TRUE(processor.canRedo());
    ASSERT_TRUE(redo());
    EXPECT_FLOAT_EQ(value(pid::size), 0.8f);
}

TEST_F(History, StepWhoseChangesCancelOutIsRolledBackAndKeepsTheRedo)
{
    leaveARedoWaiting();
    auto& mix = parameter(pid::mix);
    mix.beginChangeGesture();
    drag(parameter(pid::width), 0.9f);
    drag(parameter(pid::width), 0.5f);
    mix.endChangeGesture();
    pumpMessages();

    EXPECT_TRUE(steps().isEmpty());
    EXPECT_FALSE(processor.canUndo());
    ASSERT_TRUE(redo());
    EXPECT_FLOAT_EQ(value(pid::size), 0.8f);
    EXPECT_FLOAT_EQ(value(pid::width), 1.0f);
}

TEST_F(History, TwoKnobsHeldAtOnceGiveOneStep)
{
    auto& frequency = parameter(pid::eqFreq[0]);
    auto& gain = parameter(pid::eqGain[0]);
    const auto frequencyBefore = value(pid::eqFreq[0]);
    frequency.beginChangeGesture();
    gain.beginChangeGesture();
    frequency.setValueNotifyingHost(0.7f);
    gain.setValueNotifyingHost(0.9f);
    gain.endChangeGesture();
    frequency.endChangeGesture();
    pumpMessages();

    EXPECT_EQ(steps(), juce::StringArray { "Edit" });
    ASSERT_TRUE(undo());
    EXPECT_FLOAT_EQ(value(pid::eqFreq[0]), frequencyBefore);
    EXPECT_FLOAT_EQ(value(pid::eqGain[0]), 0.0f);
}

TEST_F(History, GestureBegunOffTheMessageThreadIsIgnored)
{
    std::thread([this] { drag(parameter(pid::size), 0.8f); }).join();
    pumpMessages();
    EXPECT_FLOAT_EQ(value(pid::size), 0.8f);
    EXPECT_TRUE(steps().isEmpty());
    EXPECT_FALSE(processor.canUndo());
}

TEST_F(History, GestureEndedOffTheMessageThreadIsRecordedAtTheNextTick)
{
    auto& size = parameter(pid::size);
    size.beginChangeGesture();
    size.setValueNotifyingHost(0.8f);
    std::thread([&size] { size.endChangeGesture(); }).join();
    EXPECT_TRUE(steps().isEmpty());
    pumpMessages();

    EXPECT_EQ(steps(), juce::StringArray { "Edit" });
    ASSERT_TRUE(undo());
    EXPECT_FLOAT_EQ(value(pid::size), 0.5f);
}

TEST_F(History, HostAutomationAndBypassAreNeverRecorded)
{
    parameter(pid::size).setValueNotifyingHost(0.1f);
    parameter(pid::decay).setValueNotifyingHost(0.9f);
    drag(parameter(pid::bypass), 1.0f);
    pumpMessages();
    EXPECT_TRUE(steps().isEmpty());
    EXPECT_FALSE(processor.canUndo());
    EXPECT_FALSE(undo());
    EXPECT_FLOAT_EQ(value(pid::size), 0.1f);
}

TEST_F(History, TheThousandAndFirstStepDropsTheOldest)
{
    auto& size = parameter(pid::size);
    for (int step = 1; step <= 1001; ++step)
        drag(size, static_cast<float>(step) / 2000.0f);
    pumpMessages();
    EXPECT_EQ(steps().size(), 1000);

    for (int i = 0; i < 1000; ++i)
        ASSERT_TRUE(undo()) << i;
    EXPECT_FLOAT_EQ(value(pid::size), 1.0f / 2000.0f);
    EXPECT_FALSE(undo());
}

TEST_F(History, ClearingLeavesNeitherUndoNorRedo)
{
    leaveARedoWaiting();
    drag(parameter(pid::mix), 0.9f);
    drag(parameter(pid::size), 0.1f);
    ASSERT_TRUE(processor.canUndo());

    processor.getParameterUndo().cancelGestures();
    processor.getHistory().clear();
    EXPECT_FALSE(processor.canUndo());
    EXPECT_FALSE(processor.canRedo());
    EXPECT_FALSE(undo());
}

TEST_F(History, UndoIsRefusedWhileLearnListens)
{
    drag(parameter(pid::size), 0.8f);
    pumpMessages();
    processor.getLearnControl().state.store(static_cast<int>(LearnState::listening));
    EXPECT_FALSE(processor.canUndo());
    EXPECT_FALSE(undo());
    EXPECT_FLOAT_EQ(value(pid::size), 0.8f);

    processor.getLearnControl().state.store(static_cast<int>(LearnState::idle));
    EXPECT_TRUE(undo());
}

TEST_F(History, PendingChangeCanBeUndoneButHidesRedo)
{
    leaveARedoWaiting();
    auto& mix = parameter(pid::mix);
    mix.beginChangeGesture();
    drag(parameter(pid::width), 0.9f);
    EXPECT_TRUE(processor.canUndo());
    EXPECT_FALSE(processor.canRedo());
    mix.endChangeGesture();
}

namespace
{
// A minimal processor with three parameters, for driving ParameterUndo on its own.
class ParameterHost : public juce::AudioProcessor
{
public:
    ParameterHost() : state(*this, nullptr, "HOST", layout()) {}

    const juce::String getName() const override { return "host"; }
    void prepareToPlay(double, int) override {}
    void releaseResources() override {}
    void processBlock(juce::AudioBuffer<float>&, juce::MidiBuffer&) override {}
    double getTailLengthSeconds() const override { return 0.0; }
    bool acceptsMidi() const override { return false; }
    bool producesMidi() const override { return false; }
    juce::AudioProcessorEditor* createEditor() override { return nullptr; }
    bool hasEditor() const override { return false; }
    int getNumPrograms() override { return 1; }
    int getCurrentProgram() override { return 0; }
    void setCurrentProgram(int) override {}
    const juce::String getProgramName(int) override { return {}; }
    void changeProgramName(int, const juce::String&) override {}
    void getStateInformation(juce::MemoryBlock&) override {}
    void setStateInformation(const void*, int) override {}

    juce::AudioProcessorValueTreeState state;

private:
    static juce::AudioProcessorValueTreeState::ParameterLayout layout()
    {
        juce::AudioProcessorValueTreeState::ParameterLayout result;
        result.add(std::make_unique<juce::AudioParameterFloat>(juce::ParameterID { "a", 1 }, "A", 0.0f, 10.0f, 5.0f));
        result.add(std::make_unique<juce::AudioParameterFloat>(juce::ParameterID { "b", 1 }, "B", 0.0f, 1.0f, 0.5f));
        result.add(std::make_unique<juce::AudioParameterBool>(juce::ParameterID { "bypass", 1 }, "Bypass", false));
        return result;
    }
};
} // namespace

// Time is driven by hand here, and ticks are called directly instead of by the timers.
class GestureTimeout : public testing::Test
{
protected:
    juce::RangedAudioParameter& a() { return *host.state.getParameter("a"); }

    ParameterHost host;
    juce::uint32 now = 100000;
    quil::StepHistory history { [this] { return quil::fingerprint::parameterText(host.state, { "bypass" }); } };
    quil::ParameterUndo parameterUndo { host.state, history.getEditManager(), { "bypass" },
                                        [this] { history.beginStep({}); }, [this] { return now; } };
};

TEST_F(GestureTimeout, GestureThatNeverEndsIsClosedAfterEightSeconds)
{
    a().beginChangeGesture();
    a().setValueNotifyingHost(0.8f);
    now += quil::ParameterUndo::gestureTimeoutMs;
    parameterUndo.tick();
    EXPECT_TRUE(parameterUndo.isGestureOpen());

    now += 1;
    parameterUndo.tick();
    EXPECT_FALSE(parameterUndo.isGestureOpen());
    ASSERT_TRUE(history.commitStep());
    ASSERT_TRUE(history.getStepManager().undo());
    EXPECT_FLOAT_EQ(valueOf(host.state, "a"), 5.0f);

    a().endChangeGesture();
    EXPECT_FALSE(history.stepPending());
}

TEST_F(GestureTimeout, EveryValueChangeRestartsTheTimeout)
{
    a().beginChangeGesture();
    now += 7000;
    a().setValueNotifyingHost(0.8f);
    now += 7000;
    parameterUndo.tick();
    EXPECT_TRUE(parameterUndo.isGestureOpen());
    a().endChangeGesture();
    EXPECT_TRUE(history.commitStep());
}

TEST_F(GestureTimeout, CancelledGesturesRecordNothing)
{
    a().beginChangeGesture();
    a().setValueNotifyingHost(0.8f);
    parameterUndo.cancelGestures();
    EXPECT_FALSE(parameterUndo.isGestureOpen());
    a().endChangeGesture();
    EXPECT_FALSE(history.commitStep());
}
} // namespace zq6::test
