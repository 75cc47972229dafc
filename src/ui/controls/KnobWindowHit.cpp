#include "KnobWindowHit.h"

#include "GlassKnob.h"

namespace zq6::ui
{
KnobWindowHit::KnobWindowHit(GlassKnob& knobToUse) : knob(knobToUse)
{
    setMouseCursor(juce::MouseCursor::IBeamCursor);
}

void KnobWindowHit::mouseDoubleClick(const juce::MouseEvent& event)
{
    if (!event.mods.isRightButtonDown())
        knob.openValueEntry();
}
} // namespace zq6::ui
