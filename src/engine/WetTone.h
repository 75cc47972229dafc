#pragma once

#include "NetworkControls.h"

namespace zq6
{
// Balance of reflections and tail, voice low-pass, width, low cut and tilt. Until the tone stage
// lands it sums reflections and tail.
class WetTone
{
public:
    void prepare(double internalRate);
    void clear() noexcept;
    void process(const float* erLeft, const float* erRight, const float* tailLeft, const float* tailRight,
                 float* outLeft, float* outRight, int m, const NetworkControls& controls) noexcept;
};
} // namespace zq6
