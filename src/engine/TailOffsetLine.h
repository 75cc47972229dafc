#pragma once

#include "DelayRing.h"

namespace zq6
{
// Holds the tail back behind the early reflections by the Character's offset (0 to 12 ms). The
// offset slews at 0.01 samples per sample so a Character change never jumps the read position.
class TailOffsetLine
{
public:
    static constexpr float maximumMs = 12.0f;

    void prepare(double internalRate);
    void clear() noexcept;
    void process(const float* left, const float* right, float* outLeft, float* outRight, int m, float offsetMs) noexcept;

    double getOffsetSamples() const noexcept { return offset; }

private:
    double rate = 48000.0;
    DelayRing ringLeft, ringRight;
    double offset = 0.0;
    bool initialised = false;
};
} // namespace zq6
