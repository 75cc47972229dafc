#include "learn/LearnTargets.h"
#include "params/ParameterIds.h"
#include "state/LearnBaseline.h"
#include "support/ParameterGestures.h"
#include "support/LearnPlayer.h"
#include "support/ProcessorHarness.h"

#include "ParameterTree.h"

#include <gtest/gtest.h>

namespace zq6::test
{
namespace
{
constexpr double rate = 48000.0;
constexpr int samplesPerTick = LearnPlayer::samplesPerTick;

// A prepared processor fed in tick-sized pieces on a clock that advances with the audio.
class LearnCycleTest : public testing::Test
{
protected:
    ZQ6AudioProcessor& processor() { return harness.processor(); }
    LearnCycle& cycle() { return processor().getLearnCycle(); }
    LearnControl& control() { return processor().getLearnControl(); }
    LearnStatus status() { return static_cast<LearnStatus>(control().status.load()); }
    float value(const char* id) { return valueOf(processor().getValueTreeState(), id); }

    void play(double seconds, float peak = 0.5f) { player.play(seconds, peak); }

    // Plays noise until Learn leaves Listening; returns the seconds heard, or -1 past `limit`.
    double playUntilDone(double limit)
    {
        for (double heard = 0.0; heard < limit; heard += samplesPerTick / rate)
        {
            play(samplesPerTick / rate);
            if (control().isIdle())
                return heard + samplesPerTick / rate;
        }
        return -1.0;
    }

    std::vector<float> targetValues()
    {
        std::vector<float> values;
        for (const auto& target : learnTargets)
            values.push_back(value(target.parameterId));
        return values;
    }

    ProcessorHarness harness { rate, 256 };
    LearnPlayer player { harness, rate };
};
} // namespace

TEST(LearnCycleStart, RefusedBeforePrepareAndBelow8000Hz)
{
    ZQ6AudioProcessor unprepared;
    EXPECT_FALSE(unprepared.startLearn());
    EXPECT_TRUE(unprepared.getLearnControl().isIdle());

    ZQ6AudioProcessor slow;
    slow.prepareToPlay(4000.0, 256);
    EXPECT_FALSE(slow.startLearn());
    EXPECT_EQ(slow.getLearnControl().status.load(), static_cast<int>(LearnStatus::none));

    ZQ6AudioProcessor edge;
    edge.prepareToPlay(8000.0, 256);
    EXPECT_TRUE(edge.startLearn());
}

struct ListenCase
{
    int mode;
    double seconds;
};

class LearnListenTime : public LearnCycleTest, public testing::WithParamInterface<ListenCase>
{
};

TEST_P(LearnListenTime, FinishesAfterTheSourcesListenTimeOfSignal)
{
    processor().setMode(GetParam().mode);
    ASSERT_TRUE(processor().startLearn());
    EXPECT_EQ(status(), LearnStatus::listening);

    const auto heard = playUntilDone(GetParam().seconds + 2.0);
    EXPECT_NEAR(heard, GetParam().seconds, 0.25);
    EXPECT_EQ(status(), LearnStatus::learned);
    EXPECT_FLOAT_EQ(control().progress.load(), 1.0f);
}

INSTANTIATE_TEST_SUITE_P(Modes, LearnListenTime, testing::Values(ListenCase { 0, 8.0 }, ListenCase { 1, 12.0 }));

TEST_F(LearnCycleTest, HalfTimeSignalTakesAboutTwiceAsLong)
{
    ASSERT_TRUE(processor().startLearn());
    double heard = 0.0;
    while (!control().isIdle() && heard < 24.0)
    {
        play(0.5);
        play(0.5, 0.0f);
        heard += 1.0;
    }
    EXPECT_NEAR(heard, 16.0, 1.01);
}

TEST_F(LearnCycleTest, WaitsForASignalAfterThreeSecondsOfSilence)
{
    ASSERT_TRUE(processor().startLearn());
    play(2.5, 0.0f);
    EXPECT_FALSE(control().waitingForSignal.load());
    play(1.0, 0.0f);
    EXPECT_TRUE(control().waitingForSignal.load());
    EXPECT_TRUE(control().isListening());
    EXPECT_EQ(control().progress.load(), 0.0f);
}

TEST_F(LearnCycleTest, WaitsWhenProgressStallsAndResumesWhereItStopped)
{
    ASSERT_TRUE(processor().startLearn());
    play(2.0);
    const auto reached = control().progress.load();
    EXPECT_GT(reached, 0.2f);
    play(2.5, 0.0f);
    EXPECT_FALSE(control().waitingForSignal.load());
    play(1.0, 0.0f);
    EXPECT_TRUE(control().waitingForSignal.load());
    EXPECT_FLOAT_EQ(control().progress.load(), reached);

    play(0.5);
    EXPECT_FALSE(control().waitingForSignal.load());
    EXPECT_GT(control().progress.load(), reached);
}

TEST_F(LearnCycleTest, PressingLearnTwiceCancelsAndChangesNothing)
{
    harness.set(pid::size, 0.8f);
    const auto before = targetValues();
    const auto steps = processor().getHistory().getStepManager().getUndoDescriptions().size();

    ASSERT_TRUE(processor().startLearn());
    play(1.0);
    EXPECT_TRUE(processor().cancelLearn());
    EXPECT_EQ(status(), LearnStatus::cancelled);
    EXPECT_TRUE(control().isIdle());
    play(8.0);

    EXPECT_EQ(targetValues(), before);
    EXPECT_EQ(processor().getLearnSettings().copyRecord().hasResult, 0);
    EXPECT_EQ(processor().getHistory().getStepManager().getUndoDescriptions().size(), steps);
    EXPECT_FALSE(processor().cancelLearn());
}

TEST_F(LearnCycleTest, RateChangeWhileListeningCancelsOnTheNextTick)
{
    const auto before = targetValues();
    ASSERT_TRUE(processor().startLearn());
    play(1.0);
    processor().prepareToPlay(44100.0, 256);
    EXPECT_EQ(control().getState(), LearnState::cancelRequested);
    EXPECT_EQ(processor().getEngine().getLearnCapture().state.load(), LearnCapture::off);

    processor().tickLearn();
    EXPECT_TRUE(control().isIdle());
    EXPECT_EQ(status(), LearnStatus::cancelled);
    EXPECT_EQ(control().progress.load(), 0.0f);
    EXPECT_EQ(targetValues(), before);
}

TEST_F(LearnCycleTest, FinishedLearnSetsTargetsAndBaselineAsOneUndoableStep)
{
    harness.set(pid::size, 0.8f);
    harness.set(pid::mix, 0.1f);
    const auto before = targetValues();
    const auto steps = processor().getHistory().getStepManager().getUndoDescriptions().size();

    ASSERT_TRUE(processor().startLearn());
    ASSERT_GT(playUntilDone(10.0), 0.0);

    auto& state = processor().getValueTreeState();
    const auto record = processor().getLearnSettings().copyRecord();
    const auto baseline = readBaseline(state.state, state);
    ASSERT_EQ(record.hasResult, 1);
    ASSERT_TRUE(baseline.valid);
    for (int i = 0; i < learnTargetCount; ++i)
    {
        const auto& target = learnTargets[i];
        const auto proposal = quil::legalValue(*state.getParameter(target.parameterId), target.proposal(record));
        EXPECT_NEAR(value(target.parameterId), proposal, 1.0e-3f * (1.0f + std::abs(proposal))) << target.parameterId;
        ASSERT_TRUE(baseline.values[static_cast<size_t>(i)].has_value());
        EXPECT_NEAR(*baseline.values[static_cast<size_t>(i)], proposal, 1.0e-3f * (1.0f + std::abs(proposal)));
    }
    auto& history = processor().getHistory().getStepManager();
    EXPECT_EQ(history.getUndoDescriptions().size(), steps + 1);
    EXPECT_EQ(history.getUndoDescription(), "Learn");

    ASSERT_TRUE(processor().undoOrRedo(true));
    const auto restored = targetValues();
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_NEAR(restored[i], before[i], 1.0e-4f * (1.0f + std::abs(before[i]))) << learnTargets[i].parameterId;
    EXPECT_EQ(status(), LearnStatus::none);
    EXPECT_EQ(processor().getLearnSettings().copyRecord().hasResult, 0);

    ASSERT_TRUE(processor().undoOrRedo(false));
    EXPECT_EQ(status(), LearnStatus::learned);
    EXPECT_EQ(processor().getLearnSettings().copyRecord().hasResult, 1);
}

TEST_F(LearnCycleTest, SendModeLeavesMixAlone)
{
    harness.set(pid::mix, 0.42f);
    processor().setMode(ZQ6AudioProcessor::send);
    ASSERT_TRUE(processor().startLearn());
    ASSERT_GT(playUntilDone(14.0), 0.0);
    EXPECT_EQ(status(), LearnStatus::learned);
    EXPECT_NEAR(value(pid::mix), 0.42f, 1.0e-4f);
}

TEST_F(LearnCycleTest, StalledTickOverflowsTheCaptureAndCountsTheDrop)
{
    ASSERT_TRUE(processor().startLearn());
    play(0.5);
    auto& capture = processor().getEngine().getLearnCapture();

    auto stalled = makeNoise(2, static_cast<int>(3.0 * rate), 0.5f, 99);
    harness.process(stalled);
    EXPECT_EQ(harness.allocationsOnAudioPath(), 0);
    const auto dropped = capture.dropped.load();
    EXPECT_GT(dropped, static_cast<std::int64_t>(0.9 * rate));

    processor().tickLearn();
    EXPECT_EQ(cycle().getAnalyzer().overflowCount(), 1);
    EXPECT_EQ(cycle().getAnalyzer().droppedWhileListening(), dropped);
    play(0.5);
    EXPECT_EQ(cycle().getAnalyzer().overflowCount(), 1);
    EXPECT_TRUE(control().isListening());
}
} // namespace zq6::test
