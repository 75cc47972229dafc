#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zq6::ui
{
class GlassKnob;

// The knob's value, printed in its display window. It never takes clicks.
class KnobReadout : public juce::Component
{
public:
    explicit KnobReadout(GlassKnob& knob);

    // What the window shows: the number (with the unit when attached) and a separate unit, each
    // in an area as wide as its text. Long texts get smaller type, so nothing is ever cut off.
    struct Fitted
    {
        juce::String number, unit;
        juce::Font numberFont, unitFont;
        juce::Rectangle<float> numberArea, unitArea;
    };
    Fitted fitted() const;

    void paint(juce::Graphics& g) override;

    static constexpr float numberSize = 13.0f;
    static constexpr float unitSize = 10.0f;

private:
    GlassKnob& knob;
};
} // namespace zq6::ui
