#include "params/ParameterIds.h"
#include "processor/ZQ6AudioProcessor.h"
#include "support/MessagePump.h"
#include "support/ScopedSettingsHome.h"
#include "support/ShippedLayout.h"
#include "support/ShippedUi.h"
#include "ui/shell/EditorSettings.h"
#include "ui/shell/HistoryShortcut.h"
#include "ui/shell/SizeKeeper.h"
#include "ui/shell/ZQ6Editor.h"

#include <gtest/gtest.h>

namespace zq6::test
{
namespace
{
void remember(const char* key, int value)
{
    auto settings = ui::EditorSettings::open();
    settings->setValue(key, value);
    ASSERT_TRUE(settings->save());
}

int remembered(const char* key)
{
    return ui::EditorSettings::open()->getIntValue(key, -1);
}

// An editor with nothing in it, to size on its own.
struct BareEditor : juce::AudioProcessorEditor
{
    explicit BareEditor(juce::AudioProcessor& p) : juce::AudioProcessorEditor(p) {}
};

struct SizeCase
{
    int rememberedWidth;
    int width;
    int height;
};

class Sizing : public testing::TestWithParam<SizeCase>
{
protected:
    ScopedSettingsHome home;
    ZQ6AudioProcessor processor;
};

TEST_P(Sizing, OpensAtTheRememberedWidthWithinLimits)
{
    const auto c = GetParam();
    if (c.rememberedWidth > 0)
        remember(ui::EditorSettings::editorWidthKey, c.rememberedWidth);
    const auto layout = shippedLayout();
    BareEditor editor(processor);
    auto settings = ui::EditorSettings::open();
    const ui::SizeKeeper keeper(editor, layout, *settings);
    EXPECT_EQ(editor.getWidth(), c.width);
    EXPECT_EQ(editor.getHeight(), c.height);
}

INSTANTIATE_TEST_SUITE_P(Widths, Sizing,
                         testing::Values(SizeCase { 2000, 1280, 720 }, SizeCase { 500, 896, 504 },
                                         SizeCase { 1000, 1000, 563 }, SizeCase { 0, 1120, 630 }),
                         [](const auto& testInfo) { return std::to_string(testInfo.param.rememberedWidth); });

TEST_F(Sizing, RejectedLayoutOpensAtTheFallbackSize)
{
    const ui::Layout rejected;
    BareEditor editor(processor);
    auto settings = ui::EditorSettings::open();
    const ui::SizeKeeper keeper(editor, rejected, *settings);
    EXPECT_EQ(editor.getWidth(), 960);
    EXPECT_EQ(editor.getHeight(), 540);
}

TEST_F(Sizing, LimitsAndAspectRatioHoldForTheHost)
{
    const auto layout = shippedLayout();
    BareEditor editor(processor);
    auto settings = ui::EditorSettings::open();
    const ui::SizeKeeper keeper(editor, layout, *settings);
    auto* constrainer = editor.getConstrainer();
    ASSERT_NE(constrainer, nullptr);
    EXPECT_EQ(constrainer->getMinimumWidth(), 896);
    EXPECT_EQ(constrainer->getMinimumHeight(), 504);
    EXPECT_EQ(constrainer->getMaximumWidth(), 1280);
    EXPECT_EQ(constrainer->getMaximumHeight(), 720);
    EXPECT_DOUBLE_EQ(constrainer->getFixedAspectRatio(), 1120.0 / 630.0);
    EXPECT_TRUE(editor.isResizable());
}

TEST_F(Sizing, ClosingWritesAChangedWidthOnly)
{
    const auto layout = shippedLayout();
    {
        BareEditor editor(processor);
        auto settings = ui::EditorSettings::open();
        const ui::SizeKeeper keeper(editor, layout, *settings);
        editor.setSize(1300, 700);
    }
    EXPECT_EQ(remembered(ui::EditorSettings::editorWidthKey), 1280);

    {
        BareEditor editor(processor);
        auto settings = ui::EditorSettings::open();
        const ui::SizeKeeper keeper(editor, layout, *settings);
        remember(ui::EditorSettings::editorWidthKey, 1000);
    }
    EXPECT_EQ(remembered(ui::EditorSettings::editorWidthKey), 1000);
}

// Plain key code and modifiers: gtest keeps its cases past JUCE's leak check at exit.
struct ShortcutCase
{
    const char* name;
    int keyCode;
    int modifiers;
    ui::HistoryShortcut expected;
};

class Shortcuts : public testing::TestWithParam<ShortcutCase>
{
};

TEST_P(Shortcuts, MapToUndoAndRedo)
{
    const auto& c = GetParam();
    EXPECT_EQ(ui::historyShortcutFor(juce::KeyPress(c.keyCode, c.modifiers, 0)), c.expected);
}

const auto command = juce::ModifierKeys::commandModifier;
const auto shift = juce::ModifierKeys::shiftModifier;

INSTANTIATE_TEST_SUITE_P(
    Keys, Shortcuts,
    testing::Values(ShortcutCase { "CtrlZ", 'z', command, ui::HistoryShortcut::undo },
                    ShortcutCase { "CtrlUpperZ", 'Z', command, ui::HistoryShortcut::undo },
                    ShortcutCase { "CtrlShiftZ", 'Z', command | shift, ui::HistoryShortcut::redo },
                    ShortcutCase { "CtrlY", 'y', command, ui::HistoryShortcut::redo },
                    ShortcutCase { "ShiftZ", 'Z', shift, ui::HistoryShortcut::none },
                    ShortcutCase { "PlainZ", 'z', 0, ui::HistoryShortcut::none },
                    ShortcutCase { "CtrlX", 'x', command, ui::HistoryShortcut::none }),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

class Editor : public testing::Test
{
protected:
    std::unique_ptr<ZQ6Editor> open()
    {
        return std::unique_ptr<ZQ6Editor>(dynamic_cast<ZQ6Editor*>(processor.createEditor()));
    }

    void setBypass(bool on)
    {
        auto* parameter = processor.getValueTreeState().getParameter(pid::bypass);
        parameter->setValueNotifyingHost(on ? 1.0f : 0.0f);
    }

    ScopedSettingsHome home;
    ZQ6AudioProcessor processor;
};

TEST_F(Editor, OpensOnScreenAndCloses)
{
    auto editor = open();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->getWidth(), 1120);
    EXPECT_EQ(editor->getHeight(), 630);
    editor->addToDesktop(0);
    editor->setVisible(true);
    pumpMessages(200);
    EXPECT_TRUE(editor->isShowing());
    EXPECT_NE(editor->getBackground().image(), nullptr);
    editor.reset();
    EXPECT_EQ(remembered(ui::EditorSettings::editorWidthKey), 1120);
}

TEST_F(Editor, PlacesPanelsAndCapsFromTheLayout)
{
    auto editor = open();
    editor->setSize(896, 504);
    const auto& layout = *editor->getUiContext().layout;
    EXPECT_FLOAT_EQ(editor->getUiContext().scale, 0.8f);
    EXPECT_EQ(editor->getStagePanel().getBounds(), layout.scaledRect("stage", 0.8f));
    EXPECT_EQ(editor->getBackground().getBounds(), editor->getLocalBounds());

    auto& caps = editor->getHeaderCaps();
    EXPECT_EQ(caps.getBounds().getPosition(), layout.scaledRect("header.ab.a", 0.8f).getPosition());
    EXPECT_EQ(caps.cap(ui::HeaderCaps::slotA).getBounds(), juce::Rectangle<int>(0, 0, 27, 16));
    EXPECT_EQ(caps.cap(ui::HeaderCaps::redo).getBounds() + caps.getPosition(),
              layout.scaledRect("header.redo", 0.8f));
}

TEST_F(Editor, TwoEditorsShareOneDecodedBackground)
{
    ZQ6AudioProcessor second;
    auto first = open();
    std::unique_ptr<ZQ6Editor> other(dynamic_cast<ZQ6Editor*>(second.createEditor()));
    ASSERT_NE(first->getBackground().image(), nullptr);
    EXPECT_EQ(first->getBackground().image().get(), other->getBackground().image().get());
    EXPECT_EQ(first->getBackground().image()->getWidth(), 2560);
    EXPECT_EQ(first->getBackground().image()->getHeight(), 1440);
}

TEST_F(Editor, ShortcutsAreTakenAndOtherKeysPassedOn)
{
    auto editor = open();
    EXPECT_TRUE(editor->keyPressed(juce::KeyPress('z', command, 0)));
    EXPECT_TRUE(editor->keyPressed(juce::KeyPress('Z', command | shift, 0)));
    EXPECT_TRUE(editor->keyPressed(juce::KeyPress('y', command, 0)));
    EXPECT_FALSE(editor->keyPressed(juce::KeyPress('Z', shift, 0)));
}

TEST_F(Editor, BypassDimsThePanelsButNotTheHeader)
{
    auto editor = open();
    setBypass(true);
    editor->refresh();
    // Opacity is kept in 8 bits.
    EXPECT_NEAR(editor->getStagePanel().getAlpha(), 0.5f, 1.0f / 255.0f);
    EXPECT_FLOAT_EQ(editor->getHeaderCaps().getAlpha(), 1.0f);
    setBypass(false);
    editor->refresh();
    EXPECT_FLOAT_EQ(editor->getStagePanel().getAlpha(), 1.0f);
}

TEST_F(Editor, LearnRunDisablesTheSlotCaps)
{
    auto editor = open();
    auto& caps = editor->getHeaderCaps();
    EXPECT_TRUE(caps.cap(ui::HeaderCaps::slotA).isEnabled());
    EXPECT_TRUE(caps.cap(ui::HeaderCaps::slotA).getToggleState());
    EXPECT_EQ(caps.cap(ui::HeaderCaps::copy).getCaption(), "A>B");

    processor.getLearnControl().state.store(static_cast<int>(LearnState::listening));
    editor->refresh();
    for (auto index : { ui::HeaderCaps::slotA, ui::HeaderCaps::slotB, ui::HeaderCaps::copy, ui::HeaderCaps::undo })
        EXPECT_FALSE(caps.cap(index).isEnabled()) << index;
    processor.getLearnControl().state.store(static_cast<int>(LearnState::idle));
}

struct ViewCase
{
    int index;
    bool notify;
    int shown;
    bool calledBack;
};

void PrintTo(const ViewCase& c, std::ostream* os)
{
    *os << "setView(" << c.index << ", " << c.notify << ")";
}

class StageView : public testing::TestWithParam<ViewCase>
{
};

TEST_P(StageView, ClampsAndCallsBackOnlyWhenAsked)
{
    const ShippedUi ui;
    ZQ6AudioProcessor processor;
    ui::StagePanel panel(ui.context, processor.getValueTreeState());
    panel.setView(1 - GetParam().shown, false);
    int calls = 0;
    panel.onViewChanged = [&calls](int) { ++calls; };
    panel.setView(GetParam().index, GetParam().notify);
    EXPECT_EQ(panel.getView(), GetParam().shown);
    EXPECT_EQ(panel.getEq().isVisible(), GetParam().shown == 1);
    EXPECT_EQ(panel.getTail().isVisible(), GetParam().shown == 0);
    EXPECT_EQ(panel.getViewSwitch().getSelected(), GetParam().shown);
    EXPECT_EQ(calls, GetParam().calledBack ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Indices, StageView,
                         testing::Values(ViewCase { 5, true, 1, true }, ViewCase { -1, false, 0, false },
                                         ViewCase { 0, true, 0, true }),
                         [](const auto& testInfo) {
                             return (testInfo.param.index < 0 ? "minus" + std::to_string(-testInfo.param.index)
                                                              : std::to_string(testInfo.param.index))
                                    + (testInfo.param.notify ? "Notified" : "Quiet");
                         });

struct RememberedView
{
    int stored;
    int shown;
};

class StageViewSetting : public Editor, public testing::WithParamInterface<RememberedView>
{
};

TEST_P(StageViewSetting, IsRestoredWhenTheEditorOpens)
{
    remember(ui::EditorSettings::stageViewKey, GetParam().stored);
    auto editor = open();
    EXPECT_EQ(editor->getStagePanel().getView(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Values, StageViewSetting,
                         testing::Values(RememberedView { 1, 1 }, RememberedView { 0, 0 }, RememberedView { 7, 0 }));

TEST_F(Editor, ChangingTheViewIsRemembered)
{
    {
        auto editor = open();
        editor->getStagePanel().setView(1, true);
    }
    EXPECT_EQ(remembered(ui::EditorSettings::stageViewKey), 1);
}
} // namespace
} // namespace zq6::test
