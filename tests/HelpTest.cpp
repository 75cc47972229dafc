#include "params/ParameterIds.h"
#include "processor/ZQ6AudioProcessor.h"
#include "support/ScopedSettingsHome.h"
#include "ui/help/HelpTable.h"
#include "ui/help/TipPopup.h"
#include "ui/shell/ZQ6Editor.h"

#include <gtest/gtest.h>

#include <set>

namespace zq6::test
{
TEST(HelpTable, HoldsOneEntryPerKeyForEveryParameterShownAndTheUiKeys)
{
    const auto& entries = ui::helpEntries();
    ASSERT_EQ(entries.size(), 51u);
    std::set<juce::String> keys;
    for (const auto& entry : entries)
    {
        EXPECT_TRUE(keys.insert(entry.key).second) << entry.key;
        EXPECT_STRNE(entry.title, "");
        EXPECT_STRNE(entry.body, "");
    }
    EXPECT_STREQ(entries.front().key, "size");
    EXPECT_STREQ(entries.back().key, "ui.panelHeader");
}

TEST(HelpTable, LooksUpByExactKey)
{
    EXPECT_EQ(ui::help("unknown"), nullptr);
    EXPECT_EQ(ui::help("Mix"), nullptr);
    EXPECT_TRUE(ui::tooltipText("unknown").isEmpty());
    EXPECT_EQ(ui::tooltipText("output"), "Output - Output level after the reverb, in dB.");
    EXPECT_EQ(ui::tooltipText("ui.learnCancel"), "Cancel - Stop listening.");
}

TEST(HelpTable, ApplyHelpSetsTheAccessibleTitleAndDescription)
{
    juce::Component component;
    ui::applyHelp(component, "mix");
    EXPECT_EQ(component.getTitle(), "Mix");
    EXPECT_EQ(component.getDescription(), "How much reverb is in the output. It is fixed at 100% in Send mode.");

    ui::applyHelp(component, "unknown");
    EXPECT_EQ(component.getTitle(), "Mix");
}

class TipPopupInEditor : public testing::Test
{
protected:
    ScopedSettingsHome home;
    ZQ6AudioProcessor processor;
    std::unique_ptr<ZQ6Editor> editor { dynamic_cast<ZQ6Editor*>(processor.createEditor()) };
    ui::TipPopup& popup = editor->getTipPopup();
};

TEST_F(TipPopupInEditor, IsTheContextsPopupHiddenAndDeafToClicks)
{
    EXPECT_EQ(editor->getUiContext().tipPopup, &popup);
    EXPECT_FALSE(popup.isVisible());
    bool clicksSelf = true, clicksChildren = true;
    popup.getInterceptsMouseClicks(clicksSelf, clicksChildren);
    EXPECT_FALSE(clicksSelf);
    EXPECT_FALSE(clicksChildren);
}

TEST_F(TipPopupInEditor, GrowsWithItsTextsAndStaysInsideTheEditor)
{
    juce::Component owner;
    popup.show(&owner, "Mix", "", "", "");
    const auto headingOnly = popup.getBounds();
    popup.show(&owner, "Mix", ui::help("mix")->body, "Double-click to type", "Suggested: 30%");
    EXPECT_GT(popup.getHeight(), headingOnly.getHeight());
    EXPECT_EQ(popup.owner(), &owner);

    const auto size = popup.getBounds().getWidth();
    popup.place({ editor->getWidth() - 20, 40, size, popup.getHeight() });
    EXPECT_TRUE(popup.isVisible());
    EXPECT_EQ(popup.getRight(), editor->getWidth());
    EXPECT_EQ(popup.getWidth(), size);

    popup.place({ -30, -10, size, popup.getHeight() });
    EXPECT_EQ(popup.getPosition(), juce::Point<int>(0, 0));

    popup.place({ 10, 10, editor->getWidth() * 2, editor->getHeight() * 2 });
    EXPECT_EQ(popup.getBounds(), editor->getLocalBounds());
}

TEST_F(TipPopupInEditor, HidingForgetsTheOwner)
{
    juce::Component owner;
    popup.show(&owner, "Size", "Room size.", "", "");
    popup.place({ 0, 0, popup.getWidth(), popup.getHeight() });
    popup.hide();
    EXPECT_FALSE(popup.isVisible());
    EXPECT_EQ(popup.owner(), nullptr);
}
} // namespace zq6::test
