#pragma once

#include "../shell/Layout.h"

namespace zq6::ui
{
// Shape of every knob's live marks, from "style.knob"; lengths are fractions of the body radius.
struct KnobStyle
{
    int ticks = 0;
    float tickRadius = 0.0f;
    float tickLength = 0.0f;
    float tickWidth = 0.0f;
    float startDeg = 0.0f;
    float sweepDeg = 0.0f;
    float pointerInner = 0.0f;
    float pointerOuter = 0.0f;
    float pointerWidth = 0.0f;

    static KnobStyle fromLayout(const Layout& layout)
    {
        const auto n = [&layout](const char* key) { return layout.styleNumber("knob", key); };
        return { static_cast<int>(n("ticks")), n("tickRadius"), n("tickLength"), n("tickWidth"), n("startDeg"),
                 n("sweepDeg"), n("pointerInner"), n("pointerOuter"), n("pointerWidth") };
    }

    // Degrees counter-clockwise from the positive x axis of the point `proportion` of the way round.
    float angleOf(float proportion) const noexcept { return startDeg - proportion * sweepDeg; }
};
} // namespace zq6::ui
