#pragma once

#include "GlassKnob.h"

namespace zq6::ui
{
// What screen readers read and set on a knob: the shown value with its unit, marked fixed or with
// the suggestion; changes arrive as one gesture each and are refused while the knob is fixed.
class GlassKnob::AccessibleValue : public juce::AccessibilityValueInterface
{
public:
    explicit AccessibleValue(GlassKnob& knob);

    bool isReadOnly() const override { return knob.isFixed(); }
    double getCurrentValue() const override { return knob.shownValue(); }
    void setValue(double newValue) override;
    juce::String getCurrentValueAsString() const override;
    void setValueAsString(const juce::String& newValue) override;
    AccessibleValueRange getRange() const override;

private:
    GlassKnob& knob;
};
} // namespace zq6::ui
