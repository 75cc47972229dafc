#include "ParameterTree.h"
#include "learn/LearnTargets.h"
#include "learn/SourcePresets.h"
#include "params/ParameterIds.h"
#include "processor/ZQ6AudioProcessor.h"
#include "state/LearnBaseline.h"
#include "support/LearnedResult.h"
#include "support/ParameterGestures.h"
#include "support/ProcessorHarness.h"

#include <gtest/gtest.h>

#include <future>

namespace zq6::test
{
namespace
{
constexpr SourceSelection natural { 0, 0, 0 };
constexpr SourceSelection snare { 2, 1, 0 };
constexpr SourceSelection pad { 5, 1, 0 };
} // namespace

class SourceChoice : public testing::Test
{
protected:
    float value(const char* id) const { return valueOf(state, id); }
    LearnBaseline baseline() const { return readBaseline(state.state, state); }
    juce::StringArray steps() const { return processor.getHistory().getStepManager().getUndoDescriptions(); }

    // Automation-style change: not a step of its own.
    void set(const char* id, float valueInUnits)
    {
        auto& p = *state.getParameter(id);
        p.setValueNotifyingHost(p.convertTo0to1(valueInUnits));
    }

    float proposed(SourceSelection sel, int target) const
    {
        const auto derived = deriveLearnSettings(std::nullopt, sel.group, sel.entry, sel.character, 0.0);
        return quil::legalValue(*state.getParameter(learnTargets[target].parameterId),
                                learnTargets[target].proposal(derived.record));
    }

    ZQ6AudioProcessor processor;
    juce::AudioProcessorValueTreeState& state = processor.getValueTreeState();
};

TEST_F(SourceChoice, ANewInstanceSuggestsItsDefaults)
{
    const auto b = baseline();
    ASSERT_TRUE(b.valid);
    EXPECT_EQ(b.sel, natural);
    EXPECT_EQ(b.eff, hall);
    for (int i = 0; i < learnTargetCount; ++i)
        EXPECT_EQ(b.values[static_cast<size_t>(i)], value(learnTargets[i].parameterId)) << learnTargets[i].parameterId;
    EXPECT_EQ(processor.getEffectiveCharacter(), hall);
    EXPECT_TRUE(steps().isEmpty());
}

TEST_F(SourceChoice, AFreshApplicationSetsEveryProposal)
{
    set(pid::size, 0.9f);
    set(pid::predelayNote, 7.0f);
    {
        const juce::ScopedLock lock(processor.getProcessorLock());
        auto& learn = processor.getLearnSettings();
        learn.applyLearnSettings(learn.suggestLearnSettings(snare, 0.0), snare, false, nullptr);
    }
    const auto b = baseline();
    EXPECT_EQ(b.sel, snare);
    EXPECT_EQ(b.eff, plate);
    for (int i = 0; i < learnTargetCount; ++i)
    {
        EXPECT_FLOAT_EQ(value(learnTargets[i].parameterId), proposed(snare, i)) << learnTargets[i].parameterId;
        EXPECT_EQ(b.values[static_cast<size_t>(i)], proposed(snare, i)) << learnTargets[i].parameterId;
    }
    EXPECT_EQ(processor.getSourceSelection(), snare);
}

TEST_F(SourceChoice, KeepsTheUsersOffsetsFromTheSuggestion)
{
    ASSERT_TRUE(processor.chooseCharacter(2)); // Hall: Natural suggests 50 % size, Subtle 40 %
    EXPECT_FLOAT_EQ(value(pid::size), 0.5f);
    set(pid::size, 0.6f);
    set(pid::predelayNote, 7.0f);

    ASSERT_TRUE(processor.chooseSource(0, 1));
    const SourceSelection subtleHall { 0, 1, 2 };
    EXPECT_NEAR(value(pid::size), 0.5f, 1.0e-6f);
    EXPECT_EQ(value(pid::predelayNote), 7.0f);
    EXPECT_FLOAT_EQ(value(pid::decay), proposed(subtleHall, 0));
    EXPECT_EQ(baseline().values[12], proposed(subtleHall, 12)) << "the baseline holds the suggestion, not the kept value";
    EXPECT_EQ(steps(), (juce::StringArray { "Source", "Character" })) << "newest first";
}

TEST_F(SourceChoice, ChoosingTheCurrentSourceOrCharacterDoesNothing)
{
    ASSERT_TRUE(processor.chooseSource(2, 3));
    set(pid::decay, 7.0f);
    EXPECT_FALSE(processor.chooseSource(2, 3));
    EXPECT_FALSE(processor.chooseSource(2, 42)) << "folds to Perc, the current Source";
    EXPECT_FALSE(processor.chooseCharacter(0));
    EXPECT_FALSE(processor.chooseCharacter(-5)) << "limited to Auto, the current choice";
    EXPECT_EQ(value(pid::decay), 7.0f);
    EXPECT_EQ(steps(), juce::StringArray { "Source" });
}

TEST_F(SourceChoice, OutOfRangeChoicesAreFolded)
{
    ASSERT_TRUE(processor.chooseSource(2, 1));
    ASSERT_TRUE(processor.chooseSource(9, -3));
    EXPECT_EQ(processor.getSourceSelection(), natural) << "a group outside 0 to 6 reads as Universal";
    ASSERT_TRUE(processor.chooseSource(2, 42));
    EXPECT_EQ(processor.getSourceSelection(), (SourceSelection { 2, 3, 0 }));
    ASSERT_TRUE(processor.chooseCharacter(12));
    EXPECT_EQ(processor.getSourceSelection().character, 4);
}

TEST_F(SourceChoice, SendModeLeavesTheMixAndItsSuggestion)
{
    const auto mixSuggestion = baseline().values[mixTargetIndex];
    processor.setMode(ZQ6AudioProcessor::send);
    set(pid::mix, 0.77f);
    ASSERT_TRUE(processor.chooseSource(pad.group, pad.entry));
    EXPECT_FLOAT_EQ(value(pid::mix), 0.77f);
    EXPECT_EQ(baseline().values[mixTargetIndex], mixSuggestion);
    EXPECT_FLOAT_EQ(value(pid::decay), proposed(pad, 0));
}

TEST_F(SourceChoice, RefusedWhileLearnIsBusy)
{
    processor.getLearnControl().state.store(static_cast<int>(LearnState::listening));
    EXPECT_FALSE(processor.chooseSource(2, 1));
    EXPECT_FALSE(processor.chooseCharacter(4));
    EXPECT_FALSE(processor.chooseInit());
    processor.getLearnControl().state.store(static_cast<int>(LearnState::cancelRequested));
    EXPECT_FALSE(processor.chooseSource(2, 1));
    EXPECT_EQ(processor.getSourceSelection(), natural);
    EXPECT_TRUE(steps().isEmpty());
}

TEST_F(SourceChoice, UndoRestoresTheOldSourceThroughTheBaseline)
{
    ASSERT_TRUE(processor.chooseSource(snare.group, snare.entry));
    ASSERT_TRUE(processor.chooseSource(pad.group, pad.entry));
    ASSERT_TRUE(processor.undoOrRedo(true));
    EXPECT_EQ(processor.getSourceSelection(), snare);
    EXPECT_EQ(processor.getEffectiveCharacter(), plate);
    EXPECT_FLOAT_EQ(value(pid::decay), proposed(snare, 0));
    ASSERT_TRUE(processor.undoOrRedo(false));
    EXPECT_EQ(processor.getSourceSelection(), pad);
    EXPECT_EQ(processor.getEffectiveCharacter(), hall);
}

TEST_F(SourceChoice, InitThenUndoGivesBackEverything)
{
    ASSERT_TRUE(processor.chooseSource(snare.group, snare.entry));
    processor.applyLearnSnapshot(learnedSnapshot(snare));
    ASSERT_TRUE(processor.chooseCharacter(1));
    processor.setMode(ZQ6AudioProcessor::send);
    set(pid::width, 1.5f);
    set(pid::eqGain[2], -6.0f);

    const auto before = state.copyState().createCopy();
    const auto beforeSnapshot = processor.currentLearnSnapshot();
    const auto beforeSelection = processor.getSourceSelection();
    ASSERT_EQ(beforeSnapshot.record.hasResult, 1);

    ASSERT_TRUE(processor.chooseInit());
    EXPECT_EQ(processor.getSourceSelection(), natural);
    EXPECT_EQ(processor.getMode(), ZQ6AudioProcessor::insert);
    EXPECT_TRUE(sameRecord(processor.getLearnSettings().copyRecord(), LearnRecord {}));
    EXPECT_EQ(processor.getLearnControl().status.load(), static_cast<int>(LearnStatus::none));
    EXPECT_EQ(value(pid::width), 1.0f);
    EXPECT_EQ(value(pid::eqGain[2]), 0.0f);
    EXPECT_EQ(processor.getEffectiveCharacter(), hall);
    EXPECT_EQ(baseline().values[0], value(pid::decay)) << "every suggestion is the default";
    EXPECT_EQ(steps().joinIntoString(","), "Init,Character,Source");

    ASSERT_TRUE(processor.undoOrRedo(true));
    EXPECT_TRUE(state.copyState().isEquivalentTo(before));
    EXPECT_EQ(processor.getSourceSelection(), beforeSelection);
    EXPECT_EQ(processor.getMode(), ZQ6AudioProcessor::send);
    const auto after = processor.currentLearnSnapshot();
    EXPECT_TRUE(sameRecord(after.record, beforeSnapshot.record));
    EXPECT_EQ(after.status, beforeSnapshot.status);
    EXPECT_EQ(after.derivedFor, beforeSnapshot.derivedFor);
    EXPECT_EQ(processor.getEffectiveCharacter(), room);
}

// Only the mode and the Learn state change here, and that is still a step.
TEST_F(SourceChoice, InitInSendModeOnAFreshInstanceIsAStep)
{
    processor.setMode(ZQ6AudioProcessor::send);
    ASSERT_TRUE(processor.chooseInit());
    EXPECT_EQ(processor.getMode(), ZQ6AudioProcessor::insert);
    EXPECT_EQ(steps(), juce::StringArray { "Init" });
    ASSERT_TRUE(processor.undoOrRedo(true));
    EXPECT_EQ(processor.getMode(), ZQ6AudioProcessor::send);
}

TEST_F(SourceChoice, ASlotSwitchCarriesTheSource)
{
    ASSERT_TRUE(processor.chooseSource(snare.group, snare.entry));
    ASSERT_TRUE(processor.switchSlot(1));
    EXPECT_EQ(processor.getSourceSelection(), snare);
    ASSERT_TRUE(processor.chooseSource(pad.group, pad.entry));

    ASSERT_TRUE(processor.switchSlot(0));
    EXPECT_EQ(processor.getSourceSelection(), snare);
    EXPECT_EQ(processor.getEffectiveCharacter(), plate);
    EXPECT_FLOAT_EQ(value(pid::decay), proposed(snare, 0));
    ASSERT_TRUE(processor.switchSlot(1));
    EXPECT_EQ(processor.getSourceSelection(), pad);
    EXPECT_EQ(processor.getEffectiveCharacter(), hall);
}

TEST_F(SourceChoice, ALoadedStateBringsItsSource)
{
    ASSERT_TRUE(processor.chooseSource(snare.group, snare.entry));
    juce::MemoryBlock saved;
    processor.getStateInformation(saved);

    ZQ6AudioProcessor other;
    other.setStateInformation(saved.getData(), static_cast<int>(saved.getSize()));
    EXPECT_EQ(other.getSourceSelection(), snare);
    EXPECT_EQ(other.getEffectiveCharacter(), plate);
}

// The stored result follows the Source: a Source change re-derives it and with it the Character
// that Auto stands for.
TEST_F(SourceChoice, ALearnResultIsRederivedForANewSource)
{
    ASSERT_TRUE(processor.chooseSource(snare.group, snare.entry));
    processor.applyLearnSnapshot(learnedSnapshot(snare));
    EXPECT_EQ(processor.getCharacterOverride(), hall);
    EXPECT_EQ(processor.getEffectiveCharacter(), hall);

    ASSERT_TRUE(processor.chooseSource(pad.group, pad.entry)); // Pad is a Hall already: no override
    EXPECT_EQ(processor.getCharacterOverride(), -1);
    EXPECT_EQ(processor.getLearnSettings().copyRecord().features.sourceGroup, pad.group);
    EXPECT_EQ(processor.getLearnSettings().copyRecord().hasResult, 1);
}

class EngineCharacter : public testing::TestWithParam<std::pair<int, int>>
{
};

TEST_P(EngineCharacter, FollowsTheChoiceAndIsReadWithoutTheLock)
{
    const auto [choice, expected] = GetParam();
    ProcessorHarness harness;
    auto& processor = harness.processor();
    ASSERT_TRUE(processor.chooseSource(snare.group, snare.entry)); // Auto stands for Plate here
    processor.chooseCharacter(choice);
    EXPECT_EQ(processor.getEffectiveCharacter(), expected);
    EXPECT_EQ(processor.getAutoCharacter(), plate);

    // The audio thread must get through while the message thread holds the processor lock.
    std::future<void> audio;
    bool finishedUnderTheLock = false;
    {
        const juce::ScopedLock lock(processor.getProcessorLock());
        audio = std::async(std::launch::async, [&harness] { harness.processSilence(0.05); });
        finishedUnderTheLock = audio.wait_for(std::chrono::seconds(30)) == std::future_status::ready;
    }
    audio.wait();
    EXPECT_TRUE(finishedUnderTheLock);
    EXPECT_EQ(harness.allocationsOnAudioPath(), 0);
}

INSTANTIATE_TEST_SUITE_P(Choices, EngineCharacter,
                         testing::Values(std::pair { 1, room }, std::pair { 2, hall }, std::pair { 3, chamber },
                                         std::pair { 4, plate }, std::pair { 0, plate }));
} // namespace zq6::test
