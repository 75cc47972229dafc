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

    void paint(juce::Graphics& g) override;

    static constexpr float numberSize = 13.0f;
    static constexpr float unitSize = 10.0f;

private:
    void paintNumberAndUnit(juce::Graphics& g, const juce::String& number, const juce::String& unit) const;

    GlassKnob& knob;
};
} // namespace zq6::ui
