#pragma once

#include "KnobOptions.h"

namespace zq6::ui
{
// One row of a panel's knob table.
struct KnobSpec
{
    const char* parameterId;
    const char* layoutId;
    const char* title;
    KnobOptions options {};
};

// Output and ER level light their ticks from 0 dB.
inline constexpr KnobOptions litFromZero { false, true, 0.0f, false };
inline constexpr KnobOptions withUnitToggle { false, false, 0.0f, true };
} // namespace zq6::ui
