#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zq6::ui
{
class GlassKnob;

// The knob's printed title, which explains the knob like the knob itself does.
class KnobTitleHit : public juce::Component, public juce::TooltipClient
{
public:
    explicit KnobTitleHit(GlassKnob& knob);

    juce::String getTooltip() override;

private:
    GlassKnob& knob;
};
} // namespace zq6::ui
