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

void DelayRing::writeRun(const float* in, int m) noexcept
{
    const auto straight = std::min(m, mask + 1 - writeIndex);
    std::copy_n(in, straight, buffer.data() + writeIndex);
    std::copy_n(in + straight, m - straight, buffer.data());
    writeIndex = (writeIndex + m) & mask;
}

float DelayRing::readFractional(double delay) const noexcept
{
    const auto whole = std::floor(delay);
    const auto fraction = static_cast<float>(delay - whole);
    const auto d = static_cast<int>(whole);
    return read(d) + fraction * (read(d + 1) - read(d));
}

void DelayRing::readFractionalRun(double delay, float* out, int m) const noexcept
{
    const auto whole = std::floor(delay);
    const auto fraction = static_cast<float>(delay - whole);
    const auto d = static_cast<int>(whole);
    // Sample k reads between position first + k and the one before it.
    const auto first = (writeIndex - m + 1 - d) & mask;
    if (first >= 1 && first + m <= mask)
    {
        const auto* x = buffer.data() + first;
        for (int k = 0; k < m; ++k)
            out[k] = x[k] + fraction * (x[k - 1] - x[k]);
        return;
    }
    for (int k = 0; k < m; ++k)
    {
        const auto at = [this, first, k](int back) { return buffer[static_cast<std::size_t>((first + k - back) & mask)]; };
        out[k] = at(0) + fraction * (at(1) - at(0));
    }
}
} // namespace zq6
