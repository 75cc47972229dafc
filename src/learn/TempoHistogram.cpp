#include "TempoHistogram.h"

#include <algorithm>
#include <cmath>

namespace zq6
{
void TempoHistogram::clear() noexcept
{
    counts.fill(0);
    sums.fill(0.0);
    ticks = 0;
    ticksWithTempo = 0;
}

void TempoHistogram::countTick(double bpm) noexcept
{
    ++ticks;
    if (! (bpm >= 20.0 && bpm <= 300.0))
        return;
    ++ticksWithTempo;
    const auto bin = std::clamp(static_cast<int>(std::floor((bpm - 20.0) * 2.0)), 0, binCount - 1);
    ++counts[static_cast<size_t>(bin)];
    sums[static_cast<size_t>(bin)] += bpm;
}

float TempoHistogram::estimate() const noexcept
{
    if (ticksWithTempo < 5 || ticksWithTempo < 0.5 * ticks)
        return 0.0f;
    // max_element keeps the first of equal counts: the lowest tempo wins a tie.
    const auto fullest = std::max_element(counts.begin(), counts.end());
    if (*fullest <= 0)
        return 0.0f;
    const auto bin = static_cast<size_t>(fullest - counts.begin());
    return static_cast<float>(sums[bin] / counts[bin]);
}
} // namespace zq6
