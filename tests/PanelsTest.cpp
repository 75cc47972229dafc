#include "learn/LearnMenus.h"
#include "params/ParameterIds.h"
#include "support/DisplayCheck.h"
#include "support/LearnPlayer.h"
#include "support/MessagePump.h"
#include "support/MouseDriver.h"
#include "support/ParameterGestures.h"
#include "support/ProcessorHarness.h"
#include "support/ScopedSettingsHome.h"
#include "ui/help/HelpTable.h"
#include "ui/shell/GlassLookAndFeel.h"
#include "ui/shell/ZQ6Editor.h"

#include <gtest/gtest.h>

namespace zq6::test
{
namespace
{
constexpr double rate = 48000.0;

juce::String accessibleValue(juce::Component& component)
{
    return component.getAccessibilityHandler()->getValueInterface()->getCurrentValueAsString();
}

// The real editor in a desktop window, on a prepared processor whose Learn clock advances with the
// audio it is fed.
class Panels : public testing::Test
{
protected:
    void SetUp() override { ZQ6_SKIP_WITHOUT_DISPLAY(); }
    Panels() { window.addAndMakeVisible(*editor); }

    ZQ6AudioProcessor& processor() { return harness.processor(); }
    std::vector<ui::GlassKnob*> allKnobs()
    {
        std::vector<ui::GlassKnob*> knobs;
        for (const auto* owned : { &editor->getSpacePanel().allKnobs(), &clean().allKnobs(), &editor->getOutletPanel().allKnobs() })
            for (const auto& knob : *owned)
                knobs.push_back(knob.get());
        return knobs;
    }
    void showAtWidth(int width) { editor->setSize(width, editor->getUiContext().layout->heightForWidth(width)); }
    juce::AudioProcessorValueTreeState& state() { return processor().getValueTreeState(); }
    ui::LearnPanel& learn() { return editor->getLearnPanel(); }
    ui::CleanPanel& clean() { return editor->getCleanPanel(); }

    void setSwitch(const char* id, bool on) { state().getParameter(id)->setValueNotifyingHost(on ? 1.0f : 0.0f); }
    bool isOn(const char* id) { return valueOf(state(), id) >= 0.5f; }

    // Plays `seconds` of noise (silence at peak 0) through Learn, then refreshes.
    void play(double seconds, float peak = 0.5f)
    {
        player.play(seconds, peak);
        editor->refresh();
    }

    ScopedSettingsHome home;
    ProcessorHarness harness { rate, 256 };
    LearnPlayer player { harness, rate };
    std::unique_ptr<ZQ6Editor> editor { dynamic_cast<ZQ6Editor*>(processor().createEditor()) };
    DesktopTestWindow window { 1120, 630 };
    MouseDriver mouse { window };
};

TEST_F(Panels, EveryPanelAndKnobCarriesItsHelp)
{
    const std::pair<juce::Component*, const char*> panels[] = {
        { &editor->getStagePanel(), "Stage" }, { &learn(), "Learn" }, { &editor->getOutletPanel(), "Output" },
        { &editor->getSpacePanel(), "Space" }, { &clean(), "Clean" }
    };
    for (const auto& [panel, title] : panels)
        EXPECT_EQ(panel->getTitle(), title);

    const auto knobs = allKnobs();
    ASSERT_EQ(knobs.size(), 20u);
    for (auto* knob : knobs)
    {
        EXPECT_EQ(knob->getTooltip(), ui::tooltipText(knob->getComponentID())) << knob->getComponentID();
        EXPECT_TRUE(knob->getParentComponent()->getLocalBounds().contains(knob->getReadout().getBounds()))
            << knob->getComponentID();
    }
    EXPECT_EQ(learn().getSourceWindow().getTooltip(), ui::tooltipText("ui.source"));
    EXPECT_EQ(clean().getDeltaShaping().getTitle(), "Delta Shaping");
}

// Every value window shows the whole text of every value of its parameter at every editor width: a
// long text is drawn smaller, never cut off, and keeps clear of the window's edges and a unit toggle.
TEST_F(Panels, ReadoutsShowTheWholeTextOfEveryValueAtEveryWidth)
{
    constexpr int steps = 200;
    for (const auto width : { 896, 1120, 1280 })
    {
        showAtWidth(width);
        const auto s = editor->getUiContext().scale;
        for (auto* knob : allKnobs())
        {
            auto* parameter = state().getParameter(knob->getComponentID());
            const auto& readout = knob->getReadout();
            for (int step = 0; step <= steps; ++step)
            {
                parameter->setValueNotifyingHost(static_cast<float>(step) / steps);
                const auto fit = readout.fitted();
                const auto text = parameter->getCurrentValueAsText();
                const auto where = knob->getComponentID() + " = " + text + " at " + juce::String(width);
                ASSERT_EQ(fit.number, knob->getOptions().unitAttached ? text + parameter->getLabel() : text) << where;
                ASSERT_LE(ui::GlassLookAndFeel::textWidth(fit.numberFont, fit.number), fit.numberArea.getWidth()) << where;
                ASSERT_GE(fit.numberArea.getX(), s) << where;
                ASSERT_LE(fit.numberArea.getRight(), readout.getWidth() - s) << where;
                ASSERT_GE(fit.numberFont.getHeightInPoints(), 0.7f * ui::KnobReadout::numberSize * s) << where;
                if (fit.unit.isNotEmpty())
                {
                    ASSERT_LE(ui::GlassLookAndFeel::textWidth(fit.unitFont, fit.unit), fit.unitArea.getWidth()) << where;
                    ASSERT_LE(fit.unitArea.getRight(), readout.getWidth() - s) << where;
                }
            }
            parameter->setValueNotifyingHost(parameter->getDefaultValue());
        }
    }
}

// The unit toggles label their items at 10 units, as large as the Stage view and Unmask speed
// labels, and explain themselves on hover like every other control.
TEST_F(Panels, UnitTogglesReadAtTenUnitsAndEveryChoiceGroupHasATip)
{
    showAtWidth(896);
    const auto s = editor->getUiContext().scale;
    auto& space = editor->getSpacePanel();
    const std::pair<ui::ChoiceGroup*, const char*> groups[] = { { &space.getDecayUnit(), "ui.unitDecay" },
                                                                { &space.getPreDelayUnit(), "ui.unitPreDelay" },
                                                                { &editor->getStagePanel().getViewSwitch(), "ui.stageView" },
                                                                { &clean().getSpeed(), "ui.unmaskSpeed" } };
    for (const auto& [group, key] : groups)
    {
        EXPECT_NEAR(group->labelFont().getHeightInPoints(), 10.0f * s, 0.01f) << key;
        EXPECT_EQ(group->getTooltip(), ui::tooltipText(key));
        EXPECT_TRUE(group->getTooltip().isNotEmpty()) << key;
        for (int i = 0; i < group->getNumItems(); ++i)
            EXPECT_LE(ui::GlassLookAndFeel::textWidth(group->labelFont(), group->itemText(i)), group->itemArea(i).getWidth())
                << key << " " << group->itemText(i);
    }
}

TEST_F(Panels, ClickingEqShowsTheWetEqAndRemembersIt)
{
    auto& stage = editor->getStagePanel();
    auto& viewSwitch = stage.getViewSwitch();
    mouse.click(viewSwitch, viewSwitch.itemArea(1).getCentre());

    EXPECT_EQ(stage.getView(), 1);
    EXPECT_TRUE(stage.getEq().isVisible());
    EXPECT_FALSE(stage.getTail().isVisible());
    EXPECT_EQ(stage.getEq().getBounds(), stage.getTail().getBounds());
}

TEST_F(Panels, SwitchingTheDecayUnitSwapsTheVisibleKnobAtOnce)
{
    auto& space = editor->getSpacePanel();
    auto& seconds = space.knob(pid::decay);
    auto& beats = space.knob(pid::decayBeats);
    EXPECT_TRUE(seconds.isVisible());
    EXPECT_FALSE(beats.isVisible());

    auto& toggle = space.getDecayUnit();
    mouse.click(toggle, toggle.itemArea(1).getCentre());

    EXPECT_TRUE(isOn(pid::decayUnit));
    EXPECT_FALSE(seconds.isVisible());
    EXPECT_FALSE(seconds.getReadout().isVisible());
    EXPECT_TRUE(beats.isVisible());
    EXPECT_EQ(beats.getBounds(), seconds.getBounds());

    state().getParameter(pid::decay)->setValueNotifyingHost(state().getParameter(pid::decay)->convertTo0to1(7.5f));
    pumpMessages(20);
    EXPECT_NEAR(seconds.getValue(), 7.5, 0.01);

    setSwitch(pid::predelayUnit, true);
    EXPECT_TRUE(space.knob(pid::predelayNote).isVisible());
    EXPECT_FALSE(space.knob(pid::predelay).isVisible());
}

struct DeltaCase
{
    bool unmaskBefore;
    bool shapingBefore;
    bool unmaskAfter;
    bool shapingAfter;
};

class DeltaButtons : public Panels, public testing::WithParamInterface<DeltaCase>
{
};

TEST_P(DeltaButtons, OneAtATimeByAClick)
{
    const auto c = GetParam();
    setSwitch(pid::deltaUnmask, c.unmaskBefore);
    setSwitch(pid::deltaShaping, c.shapingBefore);
    pumpMessages(20);

    mouse.clickCentre(clean().getDeltaShaping());

    EXPECT_EQ(isOn(pid::deltaUnmask), c.unmaskAfter);
    EXPECT_EQ(isOn(pid::deltaShaping), c.shapingAfter);
    editor->refresh();
    EXPECT_EQ(clean().isDeltaActive(), c.unmaskAfter || c.shapingAfter);
}

INSTANTIATE_TEST_SUITE_P(Clicks, DeltaButtons,
                         testing::Values(DeltaCase { true, false, false, true }, DeltaCase { true, true, true, false },
                                         DeltaCase { false, true, false, false }));

TEST_F(Panels, AutomatedDeltaLeavesTheOtherOn)
{
    setSwitch(pid::deltaUnmask, true);
    setSwitch(pid::deltaShaping, true);
    pumpMessages(20);

    EXPECT_TRUE(isOn(pid::deltaUnmask));
    EXPECT_TRUE(clean().getDeltaUnmask().getToggleState());
    EXPECT_TRUE(clean().getDeltaShaping().getToggleState());
}

TEST_F(Panels, SendModeFixesMixAtAHundredAndLetsClicksThrough)
{
    auto& mix = editor->getOutletPanel().getMix();
    const auto before = valueOf(state(), pid::mix);
    processor().setMode(ZQ6AudioProcessor::send);
    editor->refresh();

    EXPECT_EQ(mix.displayText(), "100");
    EXPECT_TRUE(accessibleValue(mix).endsWith(" (fixed)"));
    EXPECT_FALSE(mix.isEnabled());
    EXPECT_FALSE(mix.getReadout().isEnabled());

    const auto centre = mix.getLocalBounds().toFloat().getCentre();
    mouse.press(mix, centre);
    EXPECT_EQ(editor->getTipPopup().owner(), nullptr);
    mouse.drag(mix, centre.translated(0.0f, -60.0f));
    mouse.release(mix, centre.translated(0.0f, -60.0f));
    mouse.doubleClick(mix.getWindowHit(), mix.getWindowHit().getLocalBounds().toFloat().getCentre());
    EXPECT_FLOAT_EQ(valueOf(state(), pid::mix), before);
    EXPECT_FALSE(mix.isEditingValue());

    processor().setMode(ZQ6AudioProcessor::insert);
    editor->refresh();
    EXPECT_TRUE(mix.isEnabled());
    EXPECT_FALSE(accessibleValue(mix).endsWith(" (fixed)"));
    EXPECT_NE(mix.displayText(), "100");
}

TEST_F(Panels, LearnStatusFollowsARealCycle)
{
    mouse.clickCentre(learn().getLearnButton());
    ASSERT_TRUE(processor().getLearnControl().isListening());
    editor->refresh();
    auto& button = learn().getLearnButton();
    EXPECT_EQ(button.getCaption(), "Cancel");
    EXPECT_EQ(button.getStatus(), "Listening... 0%");
    EXPECT_EQ(button.getTooltip(), ui::tooltipText("ui.learnCancel"));
    EXPECT_FALSE(learn().getSourceWindow().isEnabled());
    EXPECT_FALSE(editor->getHeaderCaps().cap(ui::HeaderCaps::slotB).isEnabled());

    play(1.0, 0.0f);
    EXPECT_EQ(button.getStatus(), "Listening... 0%");
    play(2.5, 0.0f);
    EXPECT_EQ(button.getStatus(), "Waiting for a signal...");

    play(2.0);
    EXPECT_TRUE(button.getStatus().startsWith("Listening... "));
    EXPECT_GT(button.getProgress(), 0.0f);

    for (int i = 0; i < 40 && !processor().getLearnControl().isIdle(); ++i)
        play(0.5);
    EXPECT_EQ(button.getCaption(), "Learned");
    EXPECT_EQ(button.getStatus(), "");
    EXPECT_LT(button.getProgress(), 0.0f);
    EXPECT_TRUE(button.isLearned());
    EXPECT_TRUE(learn().getSourceWindow().isEnabled());
    EXPECT_EQ(button.getTooltip(), ui::tooltipText("ui.learn"));
}

TEST_F(Panels, WindowsShowTheSourceAndWhatAutoStandsFor)
{
    ASSERT_TRUE(processor().chooseSource(0, 1)); // "Subtle" defaults to Chamber
    editor->refresh();

    EXPECT_EQ(learn().getCharacterWindow().getValue(), "Auto (Chamber)");
    EXPECT_EQ(learn().getSourceWindow().getKey(), juce::String::fromUTF8("Source \xc2\xb7 Universal"));
    EXPECT_EQ(learn().getSourceWindow().getValue(), "Subtle");
    EXPECT_EQ(learn().getSourceWindow().accessibleValueText(), juce::String::fromUTF8("Universal \xe2\x80\xba Subtle"));
    EXPECT_EQ(learn().getModeWindow().getKey(), "Routing");
    EXPECT_EQ(learn().getModeWindow().getValue(), "Insert");
}

struct MenuItem
{
    int id;
    juce::String text;
    bool ticked;
    bool enabled;
};

std::vector<MenuItem> itemsOf(const juce::PopupMenu& menu)
{
    std::vector<MenuItem> items;
    for (juce::PopupMenu::MenuItemIterator it(menu, true); it.next();)
    {
        const auto& item = it.getItem();
        if (item.itemID != 0)
            items.push_back({ item.itemID, item.text, item.isTicked, item.isEnabled });
    }
    return items;
}

TEST_F(Panels, MenusTickTheCurrentChoice)
{
    ASSERT_TRUE(processor().chooseSource(2, 1));
    auto& menus = editor->getLearnMenus();

    const auto sources = itemsOf(menus.sourceMenu());
    ASSERT_EQ(sources.size(), 20u);
    EXPECT_EQ(sources.front().id, learnmenus::initId);
    EXPECT_EQ(sources.front().text, "Init");
    std::vector<int> ticked;
    for (const auto& item : sources)
        if (item.ticked)
            ticked.push_back(item.id);
    EXPECT_EQ(ticked, std::vector<int> { learnmenus::sourceId(2, 1) });
    juce::PopupMenu::MenuItemIterator groups(menus.sourceMenu());
    while (groups.next() && groups.getItem().text != "Drums") {}
    EXPECT_TRUE(groups.getItem().isTicked);

    const auto characters = itemsOf(menus.characterMenu());
    ASSERT_EQ(characters.size(), 5u);
    EXPECT_EQ(characters[0].text, "Auto (Plate)"); // "Snare" defaults to Plate
    EXPECT_TRUE(characters[0].ticked);
    EXPECT_EQ(characters[4].text, "Plate");

    // Each mode comes with its explanation, one line per sentence, which cannot be chosen.
    const auto modes = itemsOf(menus.modeMenu());
    ASSERT_EQ(modes.size(), 6u);
    EXPECT_EQ(modes[0].text, "Insert");
    EXPECT_TRUE(modes[0].ticked);
    EXPECT_EQ(modes[1].text + " " + modes[2].text, ui::help("ui.modeInsert")->body);
    EXPECT_EQ(modes[3].text, "Send");
    EXPECT_FALSE(modes[3].ticked);
    EXPECT_EQ(modes[4].text + " " + modes[5].text, ui::help("ui.modeSend")->body);
    for (const auto* line : { &modes[1], &modes[2], &modes[4], &modes[5] })
    {
        EXPECT_FALSE(line->enabled) << line->text;
        menus.modeChosen(line->id);
        EXPECT_EQ(processor().getMode(), ZQ6AudioProcessor::insert);
    }
}

TEST_F(Panels, AChosenIdRunsItsActionAndRefreshes)
{
    auto& menus = editor->getLearnMenus();
    menus.sourceChosen(learnmenus::sourceId(5, 1));
    EXPECT_EQ(processor().getSourceSelection().group, 5);
    EXPECT_EQ(learn().getSourceWindow().getValue(), "Pad");

    menus.characterChosen(learnmenus::characterId(1));
    EXPECT_EQ(processor().getSourceSelection().character, 1);
    EXPECT_EQ(learn().getCharacterWindow().getValue(), "Room");

    menus.modeChosen(learnmenus::modeId(ZQ6AudioProcessor::send));
    EXPECT_EQ(processor().getMode(), ZQ6AudioProcessor::send);
    EXPECT_EQ(learn().getModeWindow().getValue(), "Send");
    EXPECT_TRUE(editor->getOutletPanel().getMix().isFixed());

    menus.sourceChosen(0);
    EXPECT_EQ(processor().getSourceSelection().group, 5);
    menus.sourceChosen(learnmenus::initId);
    EXPECT_EQ(processor().getSourceSelection().group, 0);
    EXPECT_EQ(processor().getMode(), ZQ6AudioProcessor::insert);
}

TEST_F(Panels, MenusDoNothingWhileLearnListens)
{
    ASSERT_TRUE(processor().startLearn());
    auto& menus = editor->getLearnMenus();
    menus.sourceChosen(learnmenus::sourceId(3, 0));
    menus.modeChosen(learnmenus::modeId(ZQ6AudioProcessor::send));
    EXPECT_EQ(processor().getSourceSelection().group, 0);
    EXPECT_EQ(processor().getMode(), ZQ6AudioProcessor::insert);
    processor().cancelLearn();
}

TEST_F(Panels, BaselineSuggestionShowsOnTheKnobAfterRefresh)
{
    ASSERT_TRUE(processor().chooseSource(2, 1)); // "Snare" suggests 0.2295 s
    harness.set(pid::decay, 3.0f);
    auto& decay = editor->getSpacePanel().knob(pid::decay);
    auto& motion = editor->getSpacePanel().knob(pid::motion);
    editor->refresh();

    EXPECT_TRUE(decay.showsSuggestion());
    EXPECT_TRUE(accessibleValue(decay).contains("suggested"));
    EXPECT_FALSE(motion.showsSuggestion());

    harness.set(pid::decay, 0.2295f);
    editor->refresh();
    EXPECT_FALSE(decay.showsSuggestion());
}
} // namespace
} // namespace zq6::test
