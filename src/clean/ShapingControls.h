#pragma once

#include "../dsp/Ramp.h"

namespace zq6
{
// What Shaping reads in one chunk.
struct ShapingControls
{
    Ramp sibilance, breath, transient; // smoothed amount x share of each stage
    bool active = false;               // see ShapingProcessor::isActive
    bool deltaListening = false;       // Delta Shaping is on
};
} // namespace zq6
