#pragma once

#include <array>

namespace zq6
{
// The host tempo seen at each Learn tick, in half-beat-per-minute bins from 20 to 300.
class TempoHistogram
{
public:
    static constexpr int binCount = 561;

    void clear() noexcept;
    void countTick(double bpm) noexcept;

    // The mean tempo of the fullest bin, or 0 when the host reported a tempo too rarely.
    float estimate() const noexcept;

private:
    std::array<int, binCount> counts {};
    std::array<double, binCount> sums {};
    int ticks = 0;
    int ticksWithTempo = 0;
};
} // namespace zq6
