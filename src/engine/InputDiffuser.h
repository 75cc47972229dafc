#pragma once

#include "DelayRing.h"

namespace zq6
{
// Four allpasses in series per side smear the tail's input before it enters the lines.
class InputDiffuser
{
public:
    static constexpr int stageCount = 4;

    void prepare(double internalRate);
    void clear() noexcept;
    // In place; coefficient is the allpass gain (0 passes the input straight).
    void process(float* left, float* right, int m, float coefficient) noexcept;

private:
    static void allpassRun(DelayRing& ring, int delay, float* x, int m, float coefficient) noexcept;

    DelayRing rings[2][stageCount];
    int delays[2][stageCount] {};
};
} // namespace zq6
