#pragma once

namespace zq6
{
// Fractional delay of one side of the reverb feed. Until the pre-delay stage lands it passes the
// signal through.
class PreDelayLine
{
public:
    void prepare(double internalRate);
    void clear() noexcept;
    // delaySamples: the chunk's target delay in internal samples.
    void process(const float* input, float* output, int m, double delaySamples) noexcept;
};
} // namespace zq6
