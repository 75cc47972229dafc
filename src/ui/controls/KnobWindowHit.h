#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zq6::ui
{
class GlassKnob;

// The knob's display window as a place to double-click and type a value.
class KnobWindowHit : public juce::Component
{
public:
    explicit KnobWindowHit(GlassKnob& knob);

    void mouseDoubleClick(const juce::MouseEvent& event) override;

private:
    GlassKnob& knob;
};
} // namespace zq6::ui
