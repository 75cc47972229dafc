#include "GlassKnobAccessibleValue.h"

namespace zq6::ui
{
namespace
{
constexpr double stepsWithoutInterval = 100.0;
} // namespace

GlassKnob::AccessibleValue::AccessibleValue(GlassKnob& knobToUse) : knob(knobToUse)
{
}

void GlassKnob::AccessibleValue::setValue(double newValue)
{
    if (!knob.isFixed())
        knob.setValueAsGesture(newValue);
}

juce::String GlassKnob::AccessibleValue::getCurrentValueAsString() const
{
    auto text = knob.withUnit(knob.displayText());
    if (knob.isFixed())
        return text + " (fixed)";
    if (knob.showsSuggestion())
        text << ", suggested " << knob.suggestionText();
    return text;
}

void GlassKnob::AccessibleValue::setValueAsString(const juce::String& newValue)
{
    setValue(knob.getValueFromText(newValue));
}

juce::AccessibilityValueInterface::AccessibleValueRange GlassKnob::AccessibleValue::getRange() const
{
    const auto interval = knob.getInterval();
    const auto step = interval > 0.0 ? interval : (knob.getMaximum() - knob.getMinimum()) / stepsWithoutInterval;
    return { { knob.getMinimum(), knob.getMaximum() }, step };
}
} // namespace zq6::ui
