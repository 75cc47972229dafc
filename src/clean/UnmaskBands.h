#pragma once

#include <array>
#include <vector>

namespace zq6
{
struct UnmaskBand
{
    int lo = 0;            // first bin
    int hi = 0;            // end bin (exclusive)
    float centreBin = 0.0f;
    float centreHz = 0.0f;
};

// Where a spectrum bin sits between two band centres, for interpolating the band reductions.
struct BinPosition
{
    int lowerBand = 0;
    float fraction = 0.0f; // 0 at lowerBand's centre, 1 at the next band's centre
};

// The 24 log-spaced bands from 40 Hz to 18 kHz (or 0.475 x rate if lower), each at least one bin
// wide and inside the spectrum of an N-point transform.
struct UnmaskBands
{
    static constexpr int count = 24;

    void design(double rate, int frame);

    std::array<UnmaskBand, count> bands {};
    std::vector<BinPosition> bins; // N/2 + 1 entries
};
} // namespace zq6
