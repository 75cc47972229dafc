#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

namespace zq6
{
class ZQ6AudioProcessor;
}

namespace zq6::ui
{
// The Source, Character and mode menus of the Learn panel: built from the processor's current
// choice, shown under the clicked window, and the chosen item run as the processor's action.
// While Learn listens they neither open nor act.
class LearnPopupMenus
{
public:
    // `afterChoice` runs after every handled result, also a dismissed menu.
    LearnPopupMenus(ZQ6AudioProcessor& processor, std::function<void()> afterChoice);

    juce::PopupMenu sourceMenu() const;
    juce::PopupMenu characterMenu() const;
    juce::PopupMenu modeMenu() const;
    // The mode menu's explanation lines: disabled items with ids from here on, which no action takes.
    static constexpr int explanationIdBase = 1000;

    void showSource(juce::Component& target);
    void showCharacter(juce::Component& target);
    void showMode(juce::Component& target);

    // What a menu result does; 0 (dismissed) and unknown ids do nothing.
    void sourceChosen(int menuResult);
    void characterChosen(int menuResult);
    void modeChosen(int menuResult);

private:
    using Handler = void (LearnPopupMenus::*)(int);
    void show(juce::PopupMenu menu, juce::Component& target, Handler handler);
    bool learnIdle() const;

    ZQ6AudioProcessor& processor;
    std::function<void()> afterChoice;
};
} // namespace zq6::ui
