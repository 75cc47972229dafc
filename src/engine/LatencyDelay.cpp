#include "LatencyDelay.h"

#include <algorithm>

namespace zq6
{
void LatencyDelay::prepare(int delaySamples)
{
    delay = std::max(0, delaySamples);
    ringLeft.assign(static_cast<size_t>(delay), 0.0f);
    ringRight.assign(static_cast<size_t>(delay), 0.0f);
    position = 0;
}

void LatencyDelay::clear() noexcept
{
    std::fill(ringLeft.begin(), ringLeft.end(), 0.0f);
    std::fill(ringRight.begin(), ringRight.end(), 0.0f);
    position = 0;
}

void LatencyDelay::process(float* left, float* right, int n) noexcept
{
    if (delay == 0)
        return;
    for (int j = 0; j < n; ++j)
    {
        std::swap(left[j], ringLeft[static_cast<size_t>(position)]);
        std::swap(right[j], ringRight[static_cast<size_t>(position)]);
        if (++position == delay)
            position = 0;
    }
}
} // namespace zq6
