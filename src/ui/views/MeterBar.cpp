#include "MeterBar.h"

#include <algorithm>
#include <cmath>

namespace zq6::ui
{
namespace
{
constexpr float floorDb = 36.0f;
constexpr float fallShare = 0.18f;
constexpr float silentLevel = 0.002f;
constexpr float heldFallPerTick = 0.012f;

int segmentsAt(float level, int count)
{
    return std::clamp(static_cast<int>(std::lround(static_cast<float>(count) * level)), 0, count);
}
} // namespace

float MeterBar::position(float peak)
{
    // Written so that a NaN peak reads as silence.
    const auto db = peak > 0.000001f ? 20.0f * std::log10(peak) : -120.0f;
    return std::clamp((db + floorDb) / floorDb, 0.0f, 1.0f);
}

bool MeterBar::update(float peak, int segmentCount)
{
    follow(position(peak));
    hold();

    const auto newLit = segmentsAt(shown, segmentCount);
    auto newMark = held > 0.0f ? segmentsAt(held, segmentCount) - 1 : -1;
    if (newMark < newLit)
        newMark = -1;

    const auto changed = newLit != lit || newMark != mark;
    lit = newLit;
    mark = newMark;
    return changed;
}

void MeterBar::follow(float target)
{
    shown = target > shown ? target : shown + (target - shown) * fallShare;
    if (shown < silentLevel)
        shown = 0.0f;
}

void MeterBar::hold()
{
    if (shown >= held)
    {
        held = shown;
        holdCounter = holdTicks;
        return;
    }
    holdCounter = std::max(holdCounter - 1, 0);
    if (holdCounter < 1)
        held = std::max(held - heldFallPerTick, shown);
}
} // namespace zq6::ui
