#include "AttackEnvelope.h"

#include <algorithm>
#include <cmath>

namespace zq6
{
void AttackEnvelope::prepare(const AnalyzerTiming& newTiming)
{
    timing = newTiming;
    ring.assign(static_cast<size_t>(timing.ringSize), 0.0f);
    scratch.assign(static_cast<size_t>(timing.scratchSize), 0.0f);
    ringMask = timing.ringSize - 1;
    clear();
}

void AttackEnvelope::clear() noexcept
{
    std::fill(ring.begin(), ring.end(), 0.0f);
    envelope = 0.0f;
    holdCounter = 0;
}

void AttackEnvelope::push(float x, std::int64_t position) noexcept
{
    const float m = std::abs(x);
    if (m > envelope)
    {
        envelope = m + (envelope - m) * timing.envelopeAttack;
        holdCounter = timing.holdSamples;
    }
    else if (holdCounter > 0)
        --holdCounter;
    else
        envelope = m + (envelope - m) * timing.envelopeRelease;
    ring[static_cast<size_t>(position & ringMask)] = envelope;
}

float AttackEnvelope::at(std::int64_t position) const noexcept
{
    return ring[static_cast<size_t>(position & ringMask)];
}

std::int64_t AttackEnvelope::peakPosition(std::int64_t from, std::int64_t to) const noexcept
{
    auto peak = from;
    for (auto k = from + 1; k <= to; ++k)
        if (at(k) > at(peak))
            peak = k;
    return peak;
}

// Upper median of an even count; 0 for an empty window or one larger than the scratch.
float AttackEnvelope::median(std::int64_t from, std::int64_t to) noexcept
{
    const auto count = to - from + 1;
    if (count <= 0 || count > static_cast<std::int64_t>(scratch.size()))
        return 0.0f;
    for (std::int64_t i = 0; i < count; ++i)
        scratch[static_cast<size_t>(i)] = at(from + i);
    const auto middle = scratch.begin() + count / 2;
    std::nth_element(scratch.begin(), middle, scratch.begin() + count);
    return *middle;
}

float AttackEnvelope::measureAttack(std::int64_t onset, std::int64_t end) noexcept
{
    const std::int64_t hop = timing.hop;
    const auto lo0 = std::max<std::int64_t>(0, onset - 5 * hop);
    const auto lo = std::max(lo0, onset - hop);
    const auto hi = std::min(onset + timing.attackLookahead, end - 1);
    if (hi <= lo)
        return -1.0f;

    const auto peak = peakPosition(lo, hi);
    if (at(peak) <= 0.0f)
        return -1.0f;

    const float floor = median(lo0, std::max(lo0, onset - 3 * hop));
    const float top = median(std::max(lo, peak - timing.peakHalfWidth), std::min(hi, peak + timing.peakHalfWidth));
    if (top < 1.5f * std::max(1.0e-6f, floor))
        return -1.0f;

    // Twice the time from 10 % to 50 % of the rise, found by walking back from the peak.
    const float rise = top - floor;
    auto start = peak;
    while (start > lo0 && at(start) > floor + 0.1f * rise)
        --start;
    auto half = start;
    while (half < peak && at(half) < floor + 0.5f * rise)
        ++half;
    return static_cast<float>(2.0 * static_cast<double>(half - start) / timing.sampleRate);
}
} // namespace zq6
