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

// In runs up to the ring's end, so each run is one straight exchange of the two arrays.
void LatencyDelay::process(float* left, float* right, int n) noexcept
{
    if (delay == 0)
        return;
    for (int j = 0; j < n;)
    {
        const auto run = std::min(n - j, delay - position);
        std::swap_ranges(left + j, left + j + run, ringLeft.data() + position);
        std::swap_ranges(right + j, right + j + run, ringRight.data() + position);
        j += run;
        position += run;
        if (position == delay)
            position = 0;
    }
}
} // namespace zq6
