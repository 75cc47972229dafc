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

// The 24 log-spaced bands from 40 Hz to 18 kHz (or 0.475 x rate if lower), each at least one bin
// wide and inside the spectrum of an N-point transform.
struct UnmaskBands
{
    static constexpr int count = 24;

    void design(double rate, int frame);

    std::array<UnmaskBand, count> bands {};
    // Where each spectrum bin (N/2 + 1 of them) sits between two band centres, for interpolating
    // the band reductions: the lower band, and the fraction of the way to the next band's centre.
    std::vector<int> lowerBands;
    std::vector<float> fractions;
};
} // namespace zq6
