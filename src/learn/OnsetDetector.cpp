#include "OnsetDetector.h"

#include <algorithm>

namespace zq6
{
void OnsetDetector::reset(int holdHops) noexcept
{
    last = previous = beforePrevious = silentDb;
    count = maxCount;
    hold = holdHops;
}

bool OnsetDetector::step(float level, float threshold, bool enabled) noexcept
{
    const float floor = std::min({ last, previous, beforePrevious });
    const bool fires = hold == 0 && enabled && level - floor >= threshold && count >= minHopsBetweenOnsets;
    beforePrevious = previous;
    previous = last;
    last = level;
    if (fires)
    {
        count = 0;
        return true;
    }
    if (hold > 0)
        --hold;
    count = std::min(count + 1, maxCount);
    return false;
}
} // namespace zq6
