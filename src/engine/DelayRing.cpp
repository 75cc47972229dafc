#include "DelayRing.h"

#include <algorithm>
#include <cmath>

namespace zq6
{
void DelayRing::prepare(int minimumLength)
{
    int length = 1;
    while (length < minimumLength)
        length <<= 1;
    buffer.assign(static_cast<size_t>(length), 0.0f);
    mask = length - 1;
    writeIndex = 0;
}

void DelayRing::clear() noexcept
{
    std::fill(buffer.begin(), buffer.end(), 0.0f);
    writeIndex = 0;
}

float DelayRing::readFractional(double delay) const noexcept
{
    const auto whole = std::floor(delay);
    const auto fraction = static_cast<float>(delay - whole);
    const auto d = static_cast<int>(whole);
    return read(d) + fraction * (read(d + 1) - read(d));
}
} // namespace zq6
