#include "TooltipWait.h"

namespace zq6::ui
{
juce::String TooltipWait::answer(juce::Component* component, const juce::String& tip, juce::Point<float> pointer,
                                 double nowMs, int mouseEvents)
{
    const auto moved = hasPointer && pointer.getDistanceFrom(lastPointer) > moveTolerance;
    const auto clicked = mouseEvents != lastMouseEvents;
    lastPointer = pointer;
    lastMouseEvents = mouseEvents;
    hasPointer = true;

    if (tip.isEmpty())
    {
        lastComponent = nullptr;
        lastTip = {};
        return {};
    }
    if (component != lastComponent.getComponent() || tip != lastTip || moved || clicked)
    {
        lastComponent = component;
        lastTip = tip;
        waitStartMs = nowMs;
    }
    return nowMs - waitStartMs >= waitMs ? tip : juce::String();
}
} // namespace zq6::ui
