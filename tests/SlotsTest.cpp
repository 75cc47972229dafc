#include "params/ParameterIds.h"
#include "state/LearnBaseline.h"
#include "support/HistoryFixture.h"

#include <gtest/gtest.h>

namespace zq6::test
{
class Slots : public HistoryFixture
{
protected:
    SlotBank& slots() { return processor.getSlots(); }
    juce::String baselineSelection() const { return state.state.getChildWithName("ZQ6BASE")["sel"].toString(); }

    // Automation-style change: not a step of its own.
    void set(const char* id, float valueInUnits)
    {
        auto& p = parameter(id);
        p.setValueNotifyingHost(p.convertTo0to1(valueInUnits));
    }

    // A loaded slots tree with B holding `size` 0.25 and a baseline for the Source (2, 3, 4).
    juce::ValueTree loadedWithFilledB()
    {
        juce::ValueTree baselineHolder("ZQ6SLOT");
        LearnBaseline baseline;
        baseline.sel = { 2, 3, 4 };
        writeBaseline(baselineHolder, baseline, nullptr);
        juce::ValueTree extra("EXTRA");
        extra.appendChild(baselineHolder, nullptr);
        juce::ValueTree b("SLOT");
        b.setProperty(pid::size, "0.25", nullptr);
        b.setProperty(pid::bypass, "0.0", nullptr);
        b.appendChild(extra, nullptr);
        juce::ValueTree loaded("QuilAB");
        loaded.setProperty("active", "0", nullptr);
        loaded.appendChild(juce::ValueTree("SLOT"), nullptr);
        loaded.appendChild(b, nullptr);
        return loaded;
    }
};

TEST_F(Slots, SwitchingToAnEmptySlotKeepsTheSoundAndIsOneStep)
{
    set(pid::size, 0.8f);
    ASSERT_TRUE(processor.switchSlot(1));

    EXPECT_EQ(processor.getActiveSlot(), 1);
    EXPECT_FLOAT_EQ(value(pid::size), 0.8f);
    EXPECT_FLOAT_EQ(static_cast<float>(slots().slotValues(0).at(pid::size)), 0.8f);
    EXPECT_TRUE(slots().slotValues(1).empty());
    EXPECT_EQ(steps(), juce::StringArray { "Switch to B" });

    ASSERT_TRUE(undo());
    EXPECT_EQ(processor.getActiveSlot(), 0);
    EXPECT_FLOAT_EQ(value(pid::size), 0.8f);
    EXPECT_TRUE(slots().slotValues(0).empty());
    EXPECT_TRUE(slots().slotValues(1).empty());
}

TEST_F(Slots, SwitchingRecallsEachSlotsSettings)
{
    set(pid::size, 0.8f);
    processor.switchSlot(1);
    set(pid::size, 0.3f);
    set(pid::predelayNote, 6.0f);
    ASSERT_TRUE(processor.switchSlot(0));
    EXPECT_FLOAT_EQ(value(pid::size), 0.8f);
    EXPECT_EQ(value(pid::predelayNote), 4.0f);
    ASSERT_TRUE(processor.switchSlot(1));
    EXPECT_FLOAT_EQ(value(pid::size), 0.3f);
    EXPECT_EQ(value(pid::predelayNote), 6.0f);
    EXPECT_EQ(steps(), (juce::StringArray { "Switch to B", "Switch to A", "Switch to B" }));

    ASSERT_TRUE(undo());
    EXPECT_EQ(processor.getActiveSlot(), 0);
    EXPECT_FLOAT_EQ(value(pid::size), 0.8f);
}

TEST_F(Slots, SwitchingToTheActiveSlotRecordsNothing)
{
    set(pid::size, 0.8f);
    EXPECT_FALSE(processor.switchSlot(0));
    EXPECT_FALSE(processor.switchSlot(-3)) << "an index below A folds to A";
    EXPECT_TRUE(steps().isEmpty());
    EXPECT_TRUE(slots().slotValues(0).empty());
}

TEST_F(Slots, CopyFillsTheOtherSlotWithoutMovingParameters)
{
    set(pid::size, 0.8f);
    processor.copySlot();

    EXPECT_EQ(processor.getActiveSlot(), 0);
    EXPECT_FLOAT_EQ(value(pid::size), 0.8f);
    EXPECT_TRUE(slots().slotValues(0).empty());
    EXPECT_EQ(slots().slotValues(1), slots().captureValues());
    EXPECT_EQ(steps(), juce::StringArray { "Copy A to B" });

    processor.copySlot();
    EXPECT_EQ(steps().size(), 1) << "a copy that changes nothing is no step";
}

TEST_F(Slots, BypassNeverChangesOnASwitchAndIsNeverStored)
{
    slots().restore(loadedWithFilledB());
    set(pid::bypass, 1.0f);
    ASSERT_TRUE(processor.switchSlot(1));
    EXPECT_EQ(value(pid::bypass), 1.0f);
    ASSERT_TRUE(processor.switchSlot(0));
    EXPECT_EQ(value(pid::bypass), 1.0f);
    EXPECT_EQ(slots().slotValues(0).count(pid::bypass), 0u);
}

TEST_F(Slots, RecalledSlotSetsMissingParametersToDefaultsAndCarriesItsBaseline)
{
    slots().restore(loadedWithFilledB());
    set(pid::decay, 9.0f);
    ASSERT_TRUE(processor.switchSlot(1));
    EXPECT_FLOAT_EQ(value(pid::size), 0.25f);
    EXPECT_FLOAT_EQ(value(pid::decay), 2.0f);
    EXPECT_EQ(baselineSelection(), "2 3 4");

    ASSERT_TRUE(undo());
    EXPECT_FLOAT_EQ(value(pid::decay), 9.0f);
    EXPECT_EQ(baselineSelection(), "0 0 0");
}

TEST_F(Slots, SlotWithoutUsableBaselineGetsOneBuiltFromItsValues)
{
    auto loaded = loadedWithFilledB();
    loaded.getChild(1).getChildWithName("EXTRA").getChild(0).getChildWithName("ZQ6BASE").setProperty("v", 1, nullptr);
    slots().restore(loaded);
    EXPECT_FALSE(slots().slotExtra(1).isValid());

    ASSERT_TRUE(processor.switchSlot(1));
    const auto baseline = readBaseline(state.state, state);
    ASSERT_TRUE(baseline.valid);
    EXPECT_EQ(baseline.sel, SourceSelection {});
    EXPECT_EQ(baseline.values[12], 0.25f) << "bSize follows the recalled size";
}

TEST_F(Slots, SwitchAndCopyAreRefusedWhileLearnListens)
{
    processor.getLearnControl().state.store(static_cast<int>(LearnState::listening));
    EXPECT_FALSE(processor.switchSlot(1));
    processor.copySlot();
    EXPECT_EQ(processor.getActiveSlot(), 0);
    EXPECT_TRUE(slots().slotValues(1).empty());
    EXPECT_TRUE(steps().isEmpty());
    processor.getLearnControl().state.store(static_cast<int>(LearnState::idle));
}

TEST_F(Slots, SwitchEndsOpenGesturesWithoutRecordingThem)
{
    auto& size = parameter(pid::size);
    size.beginChangeGesture();
    size.setValueNotifyingHost(0.8f);
    ASSERT_TRUE(processor.switchSlot(1));
    size.endChangeGesture();
    pumpMessages();
    EXPECT_EQ(steps(), juce::StringArray { "Switch to B" });
}

struct ActiveCase
{
    const char* text;
    int active;
};

class SlotsRestoreActive : public Slots, public testing::WithParamInterface<ActiveCase>
{
};

TEST_P(SlotsRestoreActive, OnlyOneMeansB)
{
    auto loaded = loadedWithFilledB();
    loaded.setProperty("active", GetParam().text, nullptr);
    slots().restore(loaded);
    EXPECT_EQ(slots().activeSlot(), GetParam().active);
}

INSTANTIATE_TEST_SUITE_P(Texts, SlotsRestoreActive,
                         testing::Values(ActiveCase { "1", 1 }, ActiveCase { "2", 0 }, ActiveCase { "0", 0 },
                                         ActiveCase { "1.0", 0 }, ActiveCase { "", 0 }));

TEST_F(Slots, RestoreSkipsUnreadableValuesAndIgnoresExtraChildren)
{
    auto loaded = loadedWithFilledB();
    auto a = loaded.getChild(0);
    a.setProperty(pid::size, "abc", nullptr);
    a.setProperty(pid::mix, " 0.25 ", nullptr);
    a.setProperty(pid::width, 1.5, nullptr);
    a.setProperty(pid::decay, "1e999", nullptr);
    juce::ValueTree third("SLOT");
    third.setProperty(pid::size, "0.9", nullptr);
    loaded.appendChild(third, nullptr);
    slots().restore(loaded);

    const auto values = slots().slotValues(0);
    EXPECT_EQ(values.count(pid::size), 0u);
    EXPECT_EQ(values.count(pid::decay), 0u);
    EXPECT_EQ(values.at(pid::mix), 0.25);
    EXPECT_EQ(values.at(pid::width), 1.5);
    EXPECT_FALSE(slots().slotExtra(0).getChildWithName("ZQ6BASE").isValid());
    EXPECT_EQ(slots().slotValues(1).at(pid::size), 0.25);
    EXPECT_TRUE(slots().slotExtra(1).getChildWithName("ZQ6BASE").isValid());
    EXPECT_EQ(slots().slotsToTree().getNumChildren(), 2);
}

TEST_F(Slots, RestoreOfAnotherTreeLeavesEmptySlots)
{
    slots().restore(loadedWithFilledB());
    slots().restore(juce::ValueTree("SOMETHING"));
    EXPECT_EQ(slots().activeSlot(), 0);
    EXPECT_TRUE(slots().slotValues(1).empty());
}

TEST_F(Slots, SavedFormWritesSlotNumberText)
{
    set(pid::size, 0.5f);
    processor.copySlot();
    const auto saved = slots().slotsToTree();
    EXPECT_EQ(saved.getType().toString(), "QuilAB");
    EXPECT_EQ(saved["active"].toString(), "0");
    const auto b = saved.getChild(1);
    EXPECT_EQ(b[pid::size].toString(), "0.5");
    EXPECT_EQ(b[pid::predelayNote].toString(), "4.0");
    EXPECT_EQ(b[pid::mix].toString(), "0.30000001192092896");
    EXPECT_TRUE(b.getChildWithName("EXTRA").getChild(0).getChildWithName("ZQ6BASE").isValid());
}
} // namespace zq6::test
