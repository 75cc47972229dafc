#include "processor/ZQ6AudioProcessor.h"
#include "support/ScopedSettingsHome.h"
#include "ui/help/DelayedTooltipWindow.h"
#include "ui/shell/ZQ6Editor.h"

#include <gtest/gtest.h>

namespace zq6::test
{
namespace
{
constexpr auto tip = "Size - Room size.";

struct Control : juce::Component, juce::SettableTooltipClient
{
    Control() { setTooltip(tip); }
};

class TooltipTiming : public testing::Test
{
protected:
    juce::String askAt(double ms, juce::Component* component = nullptr, juce::Point<float> pointer = {})
    {
        return wait.answer(component != nullptr ? component : &control,
                           component != nullptr ? juce::String("Other - tip") : juce::String(tip), pointer, ms);
    }

    Control control;
    ui::TooltipWait wait;
};

TEST_F(TooltipTiming, ShowsAfterAFullSecondOfRest)
{
    EXPECT_EQ(askAt(0.0), "");
    EXPECT_EQ(askAt(999.0), "");
    EXPECT_EQ(askAt(1000.0), tip);
}

struct MoveCase
{
    float dx, dy;
    bool restarts;
};

class TooltipMoves : public TooltipTiming, public testing::WithParamInterface<MoveCase>
{
};

TEST_P(TooltipMoves, OnlyAMoveOfMoreThanTwelvePixelsRestartsTheWait)
{
    const auto move = GetParam();
    const juce::Point<float> from { 100.0f, 100.0f };
    const auto to = from + juce::Point<float>(move.dx, move.dy);
    askAt(0.0, nullptr, from);
    askAt(500.0, nullptr, to);
    EXPECT_EQ(askAt(1000.0, nullptr, to).isEmpty(), move.restarts);
    EXPECT_EQ(askAt(1500.0, nullptr, to), tip);
}

INSTANTIATE_TEST_SUITE_P(Distances, TooltipMoves,
                         testing::Values(MoveCase { 0.0f, 12.0f, false }, MoveCase { 5.0f, 12.0f, true },
                                         MoveCase { 12.0f, 0.0f, false }, MoveCase { 13.0f, 0.0f, true },
                                         MoveCase { 3.0f, 4.0f, false }));

TEST_F(TooltipTiming, AnotherComponentOrAnEmptyTipStartsAgain)
{
    Control other;
    askAt(0.0);
    EXPECT_EQ(askAt(600.0, &other), "");
    EXPECT_EQ(askAt(1200.0, &other), "");
    EXPECT_EQ(askAt(1600.0, &other), "Other - tip");

    EXPECT_EQ(wait.answer(&other, {}, {}, 1700.0), "");
    EXPECT_EQ(askAt(1800.0, &other), "");
    EXPECT_EQ(askAt(2800.0, &other), "Other - tip");
}

// A click or wheel step hides a showing tip; it comes back only after another full second of rest.
TEST_F(TooltipTiming, EveryClickOrWheelStepRestartsTheWait)
{
    wait.answer(&control, tip, {}, 0.0, 0);
    EXPECT_EQ(wait.answer(&control, tip, {}, 1000.0, 0), tip);
    EXPECT_EQ(wait.answer(&control, tip, {}, 1500.0, 1), "");
    EXPECT_EQ(wait.answer(&control, tip, {}, 2499.0, 1), "");
    EXPECT_EQ(wait.answer(&control, tip, {}, 2500.0, 1), tip);
    EXPECT_EQ(wait.answer(&control, tip, {}, 2600.0, 2), "");
    EXPECT_EQ(wait.answer(&control, tip, {}, 3600.0, 2), tip);
}

class DelayedTooltips : public testing::Test
{
protected:
    ~DelayedTooltips() override { juce::ModifierKeys::currentModifiers = juce::ModifierKeys(); }

    double now = 0.0;
    juce::Component editor;
    ui::DelayedTooltipWindow window { &editor, [this] { return now; } };
    Control control;
};

TEST_F(DelayedTooltips, LookupAnswersOnlyAfterTheWait)
{
    EXPECT_EQ(window.getTipFor(control), "");
    now = 999.0;
    EXPECT_EQ(window.getTipFor(control), "");
    now = 1000.0;
    EXPECT_EQ(window.getTipFor(control), tip);
}

TEST_F(DelayedTooltips, NoTipWhileAButtonIsHeldAndTheWaitStartsAgainAfterIt)
{
    window.getTipFor(control);
    juce::ModifierKeys::currentModifiers = juce::ModifierKeys(juce::ModifierKeys::leftButtonModifier);
    now = 1500.0;
    EXPECT_EQ(window.getTipFor(control), "");
    juce::ModifierKeys::currentModifiers = juce::ModifierKeys();
    now = 1600.0;
    EXPECT_EQ(window.getTipFor(control), "");
    now = 2600.0;
    EXPECT_EQ(window.getTipFor(control), tip);
}

TEST_F(DelayedTooltips, ComponentsThatAreNotTooltipClientsHaveNoTip)
{
    juce::Component plain;
    now = 5000.0;
    window.getTipFor(plain);
    now = 9000.0;
    EXPECT_EQ(window.getTipFor(plain), "");
}
TEST(EditorTooltips, TheEditorHoldsOneDelayedTooltipWindow)
{
    const ScopedSettingsHome home;
    ZQ6AudioProcessor processor;
    const std::unique_ptr<juce::AudioProcessorEditor> editor(processor.createEditor());
    auto windows = 0;
    for (auto* child : editor->getChildren())
        windows += dynamic_cast<ui::DelayedTooltipWindow*>(child) != nullptr ? 1 : 0;
    EXPECT_EQ(windows, 1);
}
} // namespace
} // namespace zq6::test
