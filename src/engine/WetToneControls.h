#pragma once

#include "../dsp/Ramp.h"

namespace zq6
{
// What the wet tone reads in one chunk: the ER balance ramps within the chunk, the rest is read at
// the chunk's end.
struct WetToneControls
{
    Ramp erLevel, noErWeight;
    Ramp midDecay, voiceLowPassHz, width, lowCutHz, tiltDb;
};
} // namespace zq6
