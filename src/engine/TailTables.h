#pragma once

#include <array>

namespace zq6
{
inline constexpr int tailLineCount = 16;

// The rate of the base line lengths.
inline constexpr double tailBaseRate = 48000.0;
// Base line lengths in samples at 48 kHz, scaled by the internal rate and the instance size.
inline constexpr std::array<int, tailLineCount> tailDelayLengths = { 1009, 1193, 1381, 1571, 1777, 1951, 2141, 2333,
                                                                     2521, 2711, 2903, 3109, 3299, 3491, 3671, 3851 };

inline constexpr std::array<float, tailLineCount> tailLeftInputGain = { 1, -1, 1, 1, -1, 1, -1, -1,
                                                                        1, 1, -1, 1, -1, -1, 1, -1 };
inline constexpr std::array<float, tailLineCount> tailRightInputGain = { 1, 1, -1, 1, 1, -1, -1, 1,
                                                                         -1, 1, 1, -1, -1, 1, 1, -1 };
inline constexpr std::array<float, tailLineCount> tailFeedbackSign = { 1, -1, 1, 1, 1, -1, -1, 1,
                                                                       -1, 1, -1, -1, 1, 1, -1, 1 };
inline constexpr std::array<float, tailLineCount> tailLeftOutputSign = { 1, 1, -1, -1, 1, -1, 1, 1,
                                                                         -1, 1, 1, -1, -1, 1, -1, 1 };
inline constexpr std::array<float, tailLineCount> tailRightOutputSign = { 1, -1, -1, 1, -1, -1, 1, -1,
                                                                          1, -1, 1, 1, 1, 1, -1, -1 };

// The longest base line in seconds.
inline constexpr double tailLongestLineSeconds = tailDelayLengths.back() / tailBaseRate;
// Instance sizes the rings are made to hold, and the deepest modulation of a line's read.
inline constexpr double tailSmallestSize = 0.25;
inline constexpr double tailLargestSize = 2.3;
inline constexpr double tailMaximumModulationSeconds = 0.0012;

// Line i is fed from output p(i) of the Hadamard mix.
inline constexpr int tailFeedbackSource(int line)
{
    return (5 * line + 3) % tailLineCount;
}

// 0.85 to 1.15, so no two lines share an LFO rate.
inline constexpr double tailLfoRateMultiplier(int line)
{
    return ((7 * line) % tailLineCount) * 0.3 / 15.0 + 0.85;
}

inline constexpr double tailLfoStartPhase(int line)
{
    return ((5 * line) % tailLineCount) * 2.0 * 3.14159265358979323846 / tailLineCount;
}
} // namespace zq6
