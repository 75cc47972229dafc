#include "InputDiffuser.h"

#include <cmath>

namespace zq6
{
namespace
{
// Left and right differ so the two sides decorrelate.
constexpr double delaysMs[2][InputDiffuser::stageCount] = { { 5.3, 7.9, 11.3, 14.9 }, { 5.9, 8.7, 12.1, 16.3 } };
} // namespace

void InputDiffuser::prepare(double internalRate)
{
    for (int side = 0; side < 2; ++side)
        for (int s = 0; s < stageCount; ++s)
        {
            delays[side][s] = static_cast<int>(std::lround(delaysMs[side][s] * 0.001 * internalRate));
            rings[side][s].prepare(delays[side][s] + 12);
        }
    clear();
}

void InputDiffuser::clear() noexcept
{
    for (auto& side : rings)
        for (auto& ring : side)
            ring.clear();
}

float InputDiffuser::allpass(DelayRing& ring, int delay, float x, float coefficient) noexcept
{
    const auto r = ring.read(delay);
    const auto v = x + coefficient * r;
    ring.write(v);
    return r - coefficient * v;
}

void InputDiffuser::process(float* left, float* right, int m, float coefficient) noexcept
{
    float* sides[2] = { left, right };
    for (int side = 0; side < 2; ++side)
        for (int k = 0; k < m; ++k)
        {
            auto x = sides[side][k];
            for (int s = 0; s < stageCount; ++s)
                x = allpass(rings[side][s], delays[side][s], x, coefficient);
            sides[side][k] = x;
        }
}
} // namespace zq6
