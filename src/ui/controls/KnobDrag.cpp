#include "KnobDrag.h"

#include <cmath>

namespace zq6::ui
{
void KnobDrag::press(juce::Point<float> at, bool fineNow)
{
    fine = {};
    fine.active = fineNow;
    fine.anchor = fine.virtualPoint = at;
    pressPosition = at;
    dragStarted = false;
    deadZoneOffset = {};
}

std::optional<juce::Point<float>> KnobDrag::move(juce::Point<float> at, bool fineNow, float deadZone)
{
    if (fineNow != fine.active)
        switchMode(at, fineNow);
    const auto point = mapped(at);
    if (!dragStarted)
    {
        const auto rawDy = at.y - pressPosition.y;
        if (std::abs(rawDy) < deadZone)
            return std::nullopt;
        dragStarted = true;
        const auto mapping = (point.y - pressPosition.y) / rawDy;
        deadZoneOffset = { 0.0f, deadZone * (rawDy > 0.0f ? 1.0f : -1.0f) * mapping };
    }
    return point - deadZoneOffset;
}

juce::Point<float> KnobDrag::mapped(juce::Point<float> at) const noexcept
{
    return fine.active ? (at - fine.anchor) / fineDivisor + fine.virtualPoint : at + fine.offset;
}

void KnobDrag::switchMode(juce::Point<float> at, bool fineNow) noexcept
{
    const auto point = mapped(at);
    if (fineNow)
    {
        fine.virtualPoint = point;
        fine.anchor = at;
    }
    else
    {
        fine.offset = point - at;
    }
    fine.active = fineNow;
}
} // namespace zq6::ui
