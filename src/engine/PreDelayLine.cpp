#include "PreDelayLine.h"

#include "CubicHermite.h"

#include <algorithm>
#include <cmath>

namespace zq6
{
void PreDelayLine::prepare(double internalRate)
{
    const auto needed = static_cast<int>(std::ceil(maximumMs / 1000.0 * internalRate)) + 24;
    int size = 1;
    while (size < needed)
        size <<= 1;
    ring.assign(static_cast<size_t>(size), 0.0f);
    mask = size - 1;
    maxDelay = static_cast<double>(size - 8);
    clear();
}

void PreDelayLine::clear() noexcept
{
    std::fill(ring.begin(), ring.end(), 0.0f);
    newest = 0;
    currentDelay = 0.0;
    initialised = false;
}

void PreDelayLine::process(const float* input, float* output, int m, double delaySamples) noexcept
{
    // Also catches NaN, which would otherwise index outside the ring.
    const auto target = delaySamples >= 0.0 ? std::min(delaySamples, maxDelay) : 0.0;
    const auto start = initialised ? currentDelay : target;
    if (start == target && !readsPastChunkStart(target, m))
    {
        processSteady(input, output, m, target + readOffset);
    }
    else
    {
        for (int j = 0; j < m; ++j)
        {
            newest = (newest + 1) & mask;
            ring[static_cast<size_t>(newest)] = input[j];
            const auto delay = start + (target - start) * (j + 1) / m;
            output[j] = read(delay + readOffset);
        }
    }
    currentDelay = target;
    initialised = true;
}

// Whether a read at this delay could reach a slot that a later sample of the chunk overwrites.
bool PreDelayLine::readsPastChunkStart(double delay, int m) const noexcept
{
    return delay + readOffset + m + 2 >= static_cast<double>(mask);
}

// A delay held across the chunk: write the chunk, then read it as one run of the ring where
// the run does not wrap.
void PreDelayLine::processSteady(const float* input, float* output, int m, double delay) noexcept
{
    const auto first = newest + 1;
    for (int j = 0; j < m; ++j)
        ring[static_cast<size_t>((first + j) & mask)] = input[j];

    const auto whole = static_cast<int>(delay);
    const auto fraction = delay - whole;
    const auto base = (fraction > 0.0 ? first - whole - 1 : first - whole) & mask;
    const auto f = fraction > 0.0 ? static_cast<float>(1.0 - fraction) : 0.0f;
    if (base >= 1 && base + m + 2 <= mask)
    {
        const auto* x = ring.data() + base;
        for (int j = 0; j < m; ++j)
            output[j] = cubicHermite(x[j - 1], x[j], x[j + 1], x[j + 2], f);
        newest = (newest + m) & mask;
    }
    else
    {
        for (int j = 0; j < m; ++j)
        {
            newest = (newest + 1) & mask;
            output[j] = read(delay);
        }
    }
}

float PreDelayLine::read(double delay) const noexcept
{
    const auto whole = static_cast<int>(delay);
    const auto fraction = delay - whole;
    // Position newest - delay lies between base and base + 1.
    const auto base = fraction > 0.0 ? newest - whole - 1 : newest - whole;
    const auto f = fraction > 0.0 ? static_cast<float>(1.0 - fraction) : 0.0f;
    const auto at = [this, base](int offset) { return ring[static_cast<size_t>((base + offset) & mask)]; };
    return cubicHermite(at(-1), at(0), at(1), at(2), f);
}
} // namespace zq6
