#include "KnobTitleHit.h"

#include "GlassKnob.h"

namespace zq6::ui
{
KnobTitleHit::KnobTitleHit(GlassKnob& knobToUse) : knob(knobToUse)
{
}

juce::String KnobTitleHit::getTooltip()
{
    return knob.isVisible() ? knob.getTooltip() : juce::String();
}
} // namespace zq6::ui
