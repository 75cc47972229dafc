#pragma once

namespace zq6::ui
{
// How one knob shows its value; everything off by default.
struct KnobOptions
{
    // The unit follows the number without a space ("1.00x").
    bool unitAttached = false;
    // Ticks light between `centre` (in parameter units) and the value instead of from the start.
    bool lightFromCentre = false;
    float centre = 0.0f;
    // The display window also holds a unit toggle, so the readout shows the number alone.
    bool hasUnitToggle = false;
};
} // namespace zq6::ui
