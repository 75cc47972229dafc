#include "processor/ZQ6AudioProcessor.h"
#include "support/DisplayCheck.h"
#include "support/MessagePump.h"
#include "support/MouseDriver.h"
#include "support/ScopedSettingsHome.h"
#include "support/ShippedUi.h"
#include "ui/controls/CapButton.h"
#include "ui/help/HelpTable.h"
#include "ui/shell/ZQ6Editor.h"

#include <gtest/gtest.h>

namespace zq6::test
{
namespace
{
class CapClicks : public testing::Test
{
protected:
    void SetUp() override { ZQ6_SKIP_WITHOUT_DISPLAY(); }
    CapClicks()
    {
        cap.setBounds(10, 10, 34, 20);
        cap.onClick = [this] { ++clicks; };
        window.addAndMakeVisible(cap);
    }

    ShippedUi ui;
    ui::CapButton cap { ui.context, "A", "A", true };
    DesktopTestWindow window { 60, 40 };
    MouseDriver mouse { window };
    int clicks = 0;
};

TEST_F(CapClicks, EnabledCapTakesAClickAndADisabledOneNone)
{
    mouse.clickCentre(cap);
    EXPECT_EQ(clicks, 1);

    cap.setEnabled(false);
    mouse.clickCentre(cap);
    EXPECT_EQ(clicks, 1);
}

TEST_F(CapClicks, ToggleCapReadsAsAToggleWithItsCaption)
{
    cap.setToggleState(true, juce::dontSendNotification);
    auto* handler = cap.getAccessibilityHandler();
    ASSERT_NE(handler, nullptr);
    EXPECT_EQ(handler->getRole(), juce::AccessibilityRole::toggleButton);
    EXPECT_TRUE(handler->getCurrentState().isChecked());
    ASSERT_NE(handler->getValueInterface(), nullptr);
    EXPECT_EQ(handler->getValueInterface()->getCurrentValueAsString(), "A");
    EXPECT_TRUE(handler->getValueInterface()->isReadOnly());

    handler->getActions().invoke(juce::AccessibilityActionType::press);
    pumpMessages(20);
    EXPECT_EQ(clicks, 1);
}

TEST(CapAccessibility, ToggleWithoutCaptionReadsItsNameAndPlainCapsHaveNoValue)
{
    ZQ6_SKIP_WITHOUT_DISPLAY();
    ShippedUi ui;
    ui::CapButton nameless(ui.context, "Slot", {}, true);
    ui::CapButton plain(ui.context, "Undo", {}, false);
    DesktopTestWindow window(80, 20);
    window.addAndMakeVisible(nameless);
    window.addAndMakeVisible(plain);

    EXPECT_EQ(nameless.getAccessibilityHandler()->getValueInterface()->getCurrentValueAsString(), "Slot");
    EXPECT_EQ(plain.getAccessibilityHandler()->getRole(), juce::AccessibilityRole::button);
    EXPECT_EQ(plain.getAccessibilityHandler()->getValueInterface(), nullptr);
    EXPECT_EQ(plain.getAccessibilityHandler()->getTitle(), "Undo");
    EXPECT_FALSE(plain.getAccessibilityHandler()->getActions().contains(juce::AccessibilityActionType::toggle));
    EXPECT_TRUE(nameless.getAccessibilityHandler()->getActions().contains(juce::AccessibilityActionType::toggle));
}

// The veil over a cap's empty corner, painted over black: none, hover, press, or the dark veil of
// a disabled cap (measured over white).
struct VeilCase
{
    const char* name;
    bool enabled;
    bool highlighted;
    bool down;
    juce::Colour under;
    int expectedLevel;
};

class CapVeil : public testing::TestWithParam<VeilCase>
{
};

TEST_P(CapVeil, CoversTheCapWithItsAlpha)
{
    const auto c = GetParam();
    ShippedUi ui;
    ui::CapButton cap(ui.context, "B", "B", true);
    cap.setBounds(0, 0, 34, 20);
    cap.setEnabled(c.enabled);

    juce::Image image(juce::Image::RGB, 34, 20, true);
    juce::Graphics g(image);
    g.fillAll(c.under);
    cap.paintButton(g, c.highlighted, c.down);

    EXPECT_NEAR(image.getPixelAt(5, 5).getRed(), c.expectedLevel, 1);
}

INSTANTIATE_TEST_SUITE_P(
    States, CapVeil,
    testing::Values(VeilCase { "idle", true, false, false, juce::Colours::black, 0 },
                    VeilCase { "hovered", true, true, false, juce::Colours::black, 18 },
                    VeilCase { "pressed", true, true, true, juce::Colours::black, 31 },
                    VeilCase { "disabled", false, true, true, juce::Colours::white, 255 - 115 }),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(CapCaption, DisabledCaptionIsDrawnAtFortyPercent)
{
    ShippedUi ui(4.0f);
    ui::CapButton cap(ui.context, "B", "B", false);
    cap.setBounds(0, 0, 136, 80);
    const auto brightest = [&cap](bool enabled) {
        cap.setEnabled(enabled);
        juce::Image image(juce::Image::RGB, 136, 80, true);
        juce::Graphics g(image);
        cap.paintButton(g, false, false);
        int level = 0;
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 136; ++x)
                level = juce::jmax(level, static_cast<int>(image.getPixelAt(x, y).getGreen()));
        return level;
    };

    const auto enabled = brightest(true);
    // Black veil over the caption: 0.4 x (1 - 115/255) of the enabled brightness.
    EXPECT_NEAR(brightest(false), enabled * 0.4 * (1.0 - 115.0 / 255.0), 3.0);
}

class HeaderCapsInEditor : public testing::Test
{
protected:
    void SetUp() override { ZQ6_SKIP_WITHOUT_DISPLAY(); }
    HeaderCapsInEditor() { window.addAndMakeVisible(*editor); }

    ui::CapButton& cap(int index) { return editor->getHeaderCaps().cap(index); }

    ScopedSettingsHome home;
    ZQ6AudioProcessor processor;
    std::unique_ptr<ZQ6Editor> editor { dynamic_cast<ZQ6Editor*>(processor.createEditor()) };
    DesktopTestWindow window { 1120, 630 };
    MouseDriver mouse { window };
};

TEST_F(HeaderCapsInEditor, SwitchingToBTurnsTheCopyCapAround)
{
    EXPECT_EQ(cap(ui::HeaderCaps::copy).getCaption(), "A>B");
    EXPECT_EQ(cap(ui::HeaderCaps::copy).getTooltip(), ui::tooltipText("ui.copyAtoB"));

    mouse.clickCentre(cap(ui::HeaderCaps::slotB));

    EXPECT_EQ(processor.getActiveSlot(), 1);
    EXPECT_TRUE(cap(ui::HeaderCaps::slotB).getToggleState());
    EXPECT_FALSE(cap(ui::HeaderCaps::slotA).getToggleState());
    EXPECT_EQ(cap(ui::HeaderCaps::copy).getCaption(), "B>A");
    EXPECT_EQ(cap(ui::HeaderCaps::copy).getTooltip(), ui::tooltipText("ui.copyBtoA"));
    EXPECT_EQ(cap(ui::HeaderCaps::copy).getTitle(), "Copy B to A");

    mouse.clickCentre(cap(ui::HeaderCaps::slotA));
    EXPECT_EQ(cap(ui::HeaderCaps::copy).getCaption(), "A>B");
}

TEST_F(HeaderCapsInEditor, CapsCarryTheirHelp)
{
    EXPECT_EQ(editor->getHeaderCaps().getTitle(), "Settings history");
    EXPECT_EQ(cap(ui::HeaderCaps::slotA).getTooltip(), ui::tooltipText("ui.slotA"));
    EXPECT_EQ(cap(ui::HeaderCaps::slotB).getTitle(), "Slot B");
    EXPECT_EQ(cap(ui::HeaderCaps::undo).getTooltip(), ui::tooltipText("ui.undo"));
    EXPECT_EQ(cap(ui::HeaderCaps::redo).getDescription(), ui::help("ui.redo")->body);
}

TEST_F(HeaderCapsInEditor, DisabledSlotCapIgnoresTheClickWhileLearnRuns)
{
    processor.getLearnControl().state.store(static_cast<int>(LearnState::listening));
    editor->refresh();

    mouse.clickCentre(cap(ui::HeaderCaps::slotB));

    EXPECT_EQ(processor.getActiveSlot(), 0);
    processor.getLearnControl().state.store(static_cast<int>(LearnState::idle));
}
} // namespace
} // namespace zq6::test
