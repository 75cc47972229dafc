#pragma once

#include "TailTables.h"

#include <array>

namespace zq6
{
// One sine LFO per tail line, each at its own rate multiplier and start phase. Within a chunk each
// oscillator advances by rotation, so only its start needs a sine and cosine.
class TailLfoBank
{
public:
    using Offsets = std::array<float, tailLineCount>;

    void prepare(double internalRate);
    void clear() noexcept;
    // Writes the read offsets in samples (depth x sine) for m samples, then advances every phase by m.
    // The depth moves linearly across the chunk from the previous chunk's depth.
    void process(Offsets* offsets, int m, float rateHz, float depthSamples) noexcept;

private:
    void setRate(float rateHz) noexcept;

    double rate = 48000.0;
    float currentRateHz = -1.0f;
    float lastDepth = -1.0f; // below 0 after a clear: the first chunk starts at its depth
    std::array<float, tailLineCount> phases {};
    std::array<double, tailLineCount> increments {};
    std::array<float, tailLineCount> incrementSin {}, incrementCos {};
};
} // namespace zq6
