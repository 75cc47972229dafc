#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zq6::ui
{
// The rest a pointer needs before a tooltip shows: 1000 ms on the same component with the same
// tip, restarted by any change of either, by a move of more than 12 pixels and by every click or
// wheel step.
class TooltipWait
{
public:
    static constexpr double waitMs = 1000.0;
    static constexpr float moveTolerance = 12.0f;

    // The tip to show at `nowMs`: empty until the wait is over. An empty tip forgets the component.
    // `mouseEvents` counts the clicks and wheel steps so far; any new one restarts the wait.
    juce::String answer(juce::Component* component, const juce::String& tip, juce::Point<float> pointer,
                        double nowMs, int mouseEvents = 0);

private:
    juce::Component::SafePointer<juce::Component> lastComponent;
    juce::String lastTip;
    juce::Point<float> lastPointer;
    bool hasPointer = false;
    int lastMouseEvents = 0;
    double waitStartMs = 0.0;
};
} // namespace zq6::ui
