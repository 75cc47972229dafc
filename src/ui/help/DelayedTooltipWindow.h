#pragma once

#include "TooltipWait.h"

#include <functional>

namespace zq6::ui
{
// The editor's tooltip window: a tip shows once the pointer has rested on a control for 1000 ms,
// never while a mouse button is held.
class DelayedTooltipWindow : public juce::TooltipWindow
{
public:
    // Milliseconds from a steady counter; the high-resolution counter unless a test supplies one.
    using Clock = std::function<double()>;

    explicit DelayedTooltipWindow(juce::Component* parent, Clock clock = {});

    juce::String getTipFor(juce::Component& component) override;

private:
    static juce::String tipOf(juce::Component& component);

    Clock clock;
    TooltipWait wait;
};
} // namespace zq6::ui
