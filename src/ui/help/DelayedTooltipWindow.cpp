#include "DelayedTooltipWindow.h"

namespace zq6::ui
{
namespace
{
double highResolutionMs()
{
    return juce::Time::getMillisecondCounterHiRes();
}
} // namespace

// The whole wait is counted in the tip lookup; a delay in the base window would add a second one.
DelayedTooltipWindow::DelayedTooltipWindow(juce::Component* parent, Clock clockToUse)
    : juce::TooltipWindow(parent, 0), clock(clockToUse ? std::move(clockToUse) : Clock(highResolutionMs))
{
}

juce::String DelayedTooltipWindow::getTipFor(juce::Component& component)
{
    auto& desktop = juce::Desktop::getInstance();
    const auto pointer = desktop.getMainMouseSource().getScreenPosition();
    const auto mouseEvents = desktop.getMouseButtonClickCounter() + desktop.getMouseWheelMoveCounter();
    return wait.answer(&component, tipOf(component), pointer, clock(), mouseEvents);
}

juce::String DelayedTooltipWindow::tipOf(juce::Component& component)
{
    if (juce::ModifierKeys::currentModifiers.isAnyMouseButtonDown())
        return {};
    auto* client = dynamic_cast<juce::TooltipClient*>(&component);
    if (client == nullptr || component.isCurrentlyBlockedByAnotherModalComponent())
        return {};
    return client->getTooltip();
}
} // namespace zq6::ui
