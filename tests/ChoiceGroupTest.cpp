#include "params/ParameterIds.h"
#include "processor/ZQ6AudioProcessor.h"
#include "support/DisplayCheck.h"
#include "support/MessagePump.h"
#include "support/MouseDriver.h"
#include "support/ShippedUi.h"
#include "ui/controls/CapSlide.h"
#include "ui/controls/ChoiceGroup.h"

#include <gtest/gtest.h>

namespace zq6::test
{
namespace
{
// Counts what reaches the host from a parameter: gestures and value changes.
struct HostRecord : juce::AudioProcessorParameter::Listener
{
    explicit HostRecord(juce::AudioProcessorParameter& p) : parameter(p) { parameter.addListener(this); }
    ~HostRecord() override { parameter.removeListener(this); }

    void parameterValueChanged(int, float) override { ++values; }
    void parameterGestureChanged(int, bool starting) override { gestures += starting ? 1 : 0; }

    juce::AudioProcessorParameter& parameter;
    int values = 0;
    int gestures = 0;
};

// The Unmask speed selector as the Clean panel places it: three items at their layout rectangles.
class SpeedGroup : public testing::Test
{
protected:
    void SetUp() override { ZQ6_SKIP_WITHOUT_DISPLAY(); }
    SpeedGroup()
    {
        group.setBounds(ui.layout.scaledRect("clean.speed", 1.0f).withZeroOrigin());
        group.useItemRects("clean.speed", { "clean.speed.fast", "clean.speed.med", "clean.speed.slow" });
        group.attach(parameter);
        group.onChange = [this](int index) { changes.push_back(index); };
        window.addAndMakeVisible(group);
    }

    juce::Point<float> centreOf(int index) const { return group.itemArea(index).getCentre(); }

    ShippedUi ui;
    ZQ6AudioProcessor processor;
    juce::RangedAudioParameter& parameter = *processor.getValueTreeState().getParameter(pid::unmaskSpeed);
    ui::ChoiceGroup group { ui.context, { "Fast", "Med", "Slow" }, 1, 20.0f };
    DesktopTestWindow window { 200, 200 };
    MouseDriver mouse { window };
    std::vector<int> changes;
};

TEST_F(SpeedGroup, ParameterSelectsTheItem)
{
    EXPECT_EQ(group.getSelected(), 1);
    parameter.setValueNotifyingHost(parameter.convertTo0to1(2.0f));
    EXPECT_EQ(group.getSelected(), 2);
    EXPECT_EQ(changes, std::vector<int>({ 2 }));
}

TEST_F(SpeedGroup, ClickingTheSelectedItemWritesNothing)
{
    const HostRecord host(parameter);
    mouse.click(group, centreOf(1));

    EXPECT_EQ(host.values, 0);
    EXPECT_EQ(host.gestures, 0);
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(group.getSelected(), 1);
}

TEST_F(SpeedGroup, ClickingAnotherItemWritesItAsOneGesture)
{
    const HostRecord host(parameter);
    mouse.click(group, centreOf(0));

    EXPECT_EQ(host.gestures, 1);
    EXPECT_EQ(host.values, 1);
    EXPECT_EQ(juce::roundToInt(parameter.convertFrom0to1(parameter.getValue())), 0);
    EXPECT_EQ(group.getSelected(), 0);
    EXPECT_EQ(changes, std::vector<int>({ 0 }));
}

TEST_F(SpeedGroup, PressOutsideTheItemsOrOnADisabledGroupDoesNothing)
{
    const HostRecord host(parameter);
    mouse.click(group, { 2.0f, 2.0f });
    group.setEnabled(false);
    mouse.click(group, centreOf(2));

    EXPECT_EQ(host.values, 0);
    EXPECT_EQ(group.getSelected(), 1);
}

TEST_F(SpeedGroup, PointerHoversTheItemUnderIt)
{
    mouse.move(group, centreOf(2));
    EXPECT_EQ(group.getHovered(), 2);
    mouse.move(group, { 2.0f, 2.0f });
    EXPECT_EQ(group.getHovered(), -1);
    mouse.move(group, centreOf(0));
    mouse.move(window, { 199.0f, 199.0f });
    EXPECT_EQ(group.getHovered(), -1);
}

TEST_F(SpeedGroup, ItemsSitAtTheirLayoutRectanglesRelativeToTheGroup)
{
    EXPECT_EQ(group.itemArea(0), juce::Rectangle<float>(17.0f, 11.0f, 40.0f, 14.0f));
    EXPECT_EQ(group.itemArea(2), juce::Rectangle<float>(17.0f, 67.0f, 40.0f, 14.0f));
}

TEST_F(SpeedGroup, ScreenReadersSeeOneRadioButtonPerItem)
{
    auto* groupHandler = group.getAccessibilityHandler();
    ASSERT_NE(groupHandler, nullptr);
    EXPECT_EQ(groupHandler->getRole(), juce::AccessibilityRole::group);
    const auto children = groupHandler->getChildren();
    ASSERT_EQ(children.size(), 3u);
    EXPECT_EQ(children[0]->getRole(), juce::AccessibilityRole::radioButton);
    EXPECT_EQ(children[2]->getTitle(), "Slow");
    EXPECT_TRUE(children[1]->getCurrentState().isChecked());
    EXPECT_FALSE(children[2]->getCurrentState().isChecked());

    const HostRecord host(parameter);
    children[2]->getActions().invoke(juce::AccessibilityActionType::press);
    EXPECT_EQ(group.getSelected(), 2);
    EXPECT_EQ(host.gestures, 1);
    EXPECT_TRUE(children[2]->getCurrentState().isChecked());
}

TEST_F(SpeedGroup, HelpNamesTheGroupAndItsItems)
{
    group.setHelp("ui.unmaskSpeed", { "ui.stageTail", "ui.stageEq" });
    EXPECT_EQ(group.getTitle(), "Unmask speed");
    const auto children = group.getAccessibilityHandler()->getChildren();
    ASSERT_EQ(children.size(), 3u);
    EXPECT_EQ(children[1]->getTitle(), "EQ");
    EXPECT_EQ(children[2]->getTitle(), "Slow");
}

TEST(ChoiceGroupGeometry, GridCellsAreTypeSizeHighWithTwoUnitGaps)
{
    ShippedUi ui(1.0f);
    ui::ChoiceGroup stage(ui.context, { "Tail", "EQ" }, 2, 20.0f);
    stage.setBounds(ui.layout.scaledRect("stage.view", 1.0f));

    // (100 - 6 - 2) / 2 = 46 wide from 3 in, matching the printed labels.
    EXPECT_EQ(stage.itemArea(0), juce::Rectangle<float>(3.0f, 3.0f, 46.0f, 20.0f));
    EXPECT_EQ(stage.itemArea(1), juce::Rectangle<float>(51.0f, 3.0f, 46.0f, 20.0f));

    ui::ChoiceGroup column(ui.context, { "a", "b", "c" }, 1, 10.0f);
    column.setBounds(0, 0, 50, 40);
    EXPECT_EQ(column.itemArea(2), juce::Rectangle<float>(3.0f, 27.0f, 44.0f, 10.0f));
}

TEST(ChoiceGroupGeometry, SegmentsSplitTheInnerAreaAroundTheGap)
{
    ShippedUi ui(2.0f);
    ui::ChoiceGroup unit(ui.context, { "s", "beat" }, 2, 14.0f);
    unit.setBounds(ui.layout.scaledRect("knob.decay.unit", 2.0f).withZeroOrigin());
    unit.useSegments("knob.decay.unit");

    // 116 x 32 at scale 2, padding 4, gap 4.
    EXPECT_EQ(unit.itemArea(0), juce::Rectangle<float>(4.0f, 4.0f, 52.0f, 24.0f));
    EXPECT_EQ(unit.itemArea(1), juce::Rectangle<float>(60.0f, 4.0f, 52.0f, 24.0f));
}

TEST(ChoiceGroupGeometry, MarksTakeTheirPlaceFromTheLayout)
{
    ShippedUi ui;
    const auto stage = ui::ChoiceGroup::markFromLayout(ui.layout, "stage.view.mark", "stage.view.tail");
    EXPECT_FLOAT_EQ(stage.width, 28.0f);
    EXPECT_FLOAT_EQ(stage.height, 1.4f);
    EXPECT_FLOAT_EQ(stage.offset.x, 0.0f);
    EXPECT_FLOAT_EQ(stage.offset.y, 7.0f);

    const auto speed = ui::ChoiceGroup::markFromLayout(ui.layout, "clean.speed.mark", "clean.speed.med");
    EXPECT_FLOAT_EQ(speed.offset.x, 119.8f - 147.0f);
    EXPECT_FLOAT_EQ(speed.offset.y, -7.0f);
}

struct SlideCase
{
    double elapsedMs;
    float position;
    bool running;
};

class CapSlideEasing : public testing::TestWithParam<SlideCase>
{
};

TEST_P(CapSlideEasing, EasesOutOverItsDuration)
{
    ui::CapSlide slide;
    slide.jumpTo(0.0f);
    slide.start(1.0f, 1000.0);
    EXPECT_EQ(slide.advance(1000.0 + GetParam().elapsedMs), GetParam().running);
    EXPECT_NEAR(slide.position(), GetParam().position, 1e-5f);
}

INSTANTIATE_TEST_SUITE_P(Times, CapSlideEasing,
                         testing::Values(SlideCase { 0.0, 0.0f, true }, SlideCase { 70.0, 0.875f, true },
                                         SlideCase { 139.0, 1.0f - 1.0f / 140.0f / 140.0f / 140.0f, true },
                                         SlideCase { 140.0, 1.0f, false }, SlideCase { 500.0, 1.0f, false }));

TEST(CapSlideEasing, ReversingMidwayStartsFromWhereTheCapIs)
{
    ui::CapSlide slide;
    slide.start(1.0f, 0.0);
    slide.advance(70.0);
    slide.start(0.0f, 70.0);
    slide.advance(140.0);
    EXPECT_NEAR(slide.position(), 0.875f * 0.125f, 1e-5f);
}

TEST(ChoiceGroupSlide, SlidesWhileShowingAndJumpsWhileHidden)
{
    ZQ6_SKIP_WITHOUT_DISPLAY();
    ShippedUi ui;
    ui::ChoiceGroup unit(ui.context, { "ms", "note" }, 2, 14.0f);
    unit.setBounds(0, 0, 58, 16);
    unit.useSegments("knob.preDelay.unit");
    unit.select(0, false);

    unit.select(1, false);
    EXPECT_FLOAT_EQ(unit.capPosition(), 1.0f);

    DesktopTestWindow window(80, 30);
    window.addAndMakeVisible(unit);
    unit.select(0, false);
    EXPECT_FLOAT_EQ(unit.capPosition(), 1.0f);
    pumpMessages(60);
    EXPECT_GT(unit.capPosition(), 0.0f);
    EXPECT_LT(unit.capPosition(), 1.0f);
    EXPECT_TRUE(pumpMessagesUntil([&unit] { return unit.capPosition() == 0.0f; }, 1000));
}

TEST(ChoiceGroupSlide, FirstSelectionPlacesTheCapAtOnce)
{
    ZQ6_SKIP_WITHOUT_DISPLAY();
    ShippedUi ui;
    ui::ChoiceGroup unit(ui.context, { "s", "beat" }, 2, 14.0f);
    unit.setBounds(0, 0, 58, 16);
    unit.useSegments("knob.decay.unit");
    DesktopTestWindow window(80, 30);
    window.addAndMakeVisible(unit);

    unit.select(1, false);
    EXPECT_FLOAT_EQ(unit.capPosition(), 1.0f);
}
} // namespace
} // namespace zq6::test
