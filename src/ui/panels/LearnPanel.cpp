#include "LearnPanel.h"

#include "../help/HelpTable.h"
#include "../../learn/LearnMenus.h"
#include "../../learn/SourcePresets.h"

namespace zq6::ui
{
namespace
{
constexpr const char* modeId = "learn.mode";
constexpr const char* sourceId = "learn.source";
constexpr const char* characterId = "learn.character";
constexpr const char* learnId = "learn.button";

juce::String statusText(const LearnDisplay& display)
{
    if (!display.listening())
        return {};
    if (display.waitingForSignal)
        return "Waiting for a signal...";
    return "Listening... " + juce::String(juce::roundToInt(display.progress * 100.0f)) + "%";
}

juce::String learnCaption(const LearnDisplay& display)
{
    if (display.listening())
        return "Cancel";
    return display.status == LearnStatus::learned ? "Learned" : "Learn";
}
} // namespace

LearnPanel::LearnPanel(const UiContext& uiContext)
    : PanelBase(uiContext, "learn"),
      modeWindow(uiContext, GlassButton::Style::window, {}, false),
      sourceWindow(uiContext, GlassButton::Style::window, {}, false),
      characterWindow(uiContext, GlassButton::Style::window, {}, false),
      learnButton(uiContext, GlassButton::Style::learn, "Learn", false)
{
    setUpWindow(modeWindow, modeId, "ui.mode", onModeClicked);
    setUpWindow(sourceWindow, sourceId, "ui.source", onSourceClicked);
    setUpWindow(characterWindow, characterId, "ui.character", onCharacterClicked);
    modeWindow.setKey("Routing");
    characterWindow.setKey("Character");

    learnButton.setLayoutId(learnId);
    setHelpOf(learnButton, "ui.learn");
    learnButton.onClick = [this] {
        if (onLearnClicked)
            onLearnClicked();
    };
    addAndMakeVisible(learnButton);
    update({});
}

void LearnPanel::setUpWindow(GlassButton& window, const char* layoutId, const char* helpKey,
                             std::function<void()>& callback)
{
    window.setLayoutId(layoutId);
    setHelpOf(window, helpKey);
    window.onClick = [&callback] {
        if (callback)
            callback();
    };
    addAndMakeVisible(window);
}

void LearnPanel::setHelpOf(GlassButton& button, const char* helpKey)
{
    applyHelp(button, helpKey);
    button.setTooltip(tooltipText(helpKey));
}

void LearnPanel::update(const LearnDisplay& display)
{
    if (shown == display)
        return;
    const auto stateChanged = shown.has_value() && shown->state != display.state;
    shown = display;
    showWindows(display);
    showLearnButton(display);
    if (stateChanged && onStateChanged)
        onStateChanged(static_cast<int>(display.state));
}

void LearnPanel::showWindows(const LearnDisplay& display)
{
    const auto& sel = display.selection;
    const auto group = foldSourceGroup(sel.group);
    const auto entryName = learnmenus::sourceEntryName(sel.group, sel.entry);
    modeWindow.setValue(display.send ? "Send" : "Insert");
    sourceWindow.setKey(learnmenus::sourceLabel(sel.group));
    sourceWindow.setValue(entryName);
    sourceWindow.setAccessibleValue(juce::String(sourceGroupNames[group]) + juce::String(juce::CharPointer_UTF8(" \xe2\x80\xba "))
                                    + entryName);
    characterWindow.setValue(learnmenus::characterChoiceText(sel.character, display.autoCharacter));
    for (auto* window : { &modeWindow, &sourceWindow, &characterWindow })
        window->setEnabled(!display.listening());
}

void LearnPanel::showLearnButton(const LearnDisplay& display)
{
    learnButton.setCaption(learnCaption(display));
    setHelpOf(learnButton, display.listening() ? "ui.learnCancel" : "ui.learn");
    learnButton.setStatus(statusText(display));
    learnButton.setProgress(display.listening() ? juce::jmin(display.progress, 1.0f) : -1.0f);
    learnButton.setLearned(display.status == LearnStatus::learned && !display.listening());
}

void LearnPanel::resized()
{
    modeWindow.setBounds(placeOf(modeId));
    sourceWindow.setBounds(placeOf(sourceId));
    characterWindow.setBounds(placeOf(characterId));
    learnButton.setBounds(placeOf(learnId));
}
} // namespace zq6::ui
