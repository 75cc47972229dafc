#include "StereoHistory.h"

#include <algorithm>

namespace zq6
{
void StereoHistory::prepare(int capacity)
{
    leftRing.assign(static_cast<std::size_t>(capacity), 0.0f);
    rightRing.assign(static_cast<std::size_t>(capacity), 0.0f);
    mask = capacity - 1;
    write = 0;
}

void StereoHistory::clear() noexcept
{
    std::fill(leftRing.begin(), leftRing.end(), 0.0f);
    std::fill(rightRing.begin(), rightRing.end(), 0.0f);
    write = 0;
}
} // namespace zq6
