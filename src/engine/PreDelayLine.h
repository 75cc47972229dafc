#pragma once

#include "../params/ParameterTable.h"

#include <vector>

namespace zq6
{
// Fractional delay of one side of the reverb feed. The delay glides linearly from the previous
// chunk's value to the new one; the cubic read sits two samples back so it never reads ahead,
// hence a delay of 0 still delays by two samples.
class PreDelayLine
{
public:
    static constexpr int readOffset = 2;
    static constexpr float maximumMs = spec(Param::predelay).range.end;

    void prepare(double internalRate);
    void clear() noexcept;
    // delaySamples: the chunk's target delay in internal samples, reached at its last sample.
    void process(const float* input, float* output, int m, double delaySamples) noexcept;

private:
    bool readsPastChunkStart(double delay, int m) const noexcept;
    void processSteady(const float* input, float* output, int m, double delay) noexcept;
    float read(double delay) const noexcept;

    std::vector<float> ring;
    int mask = 0;
    int newest = 0;
    double maxDelay = 0.0;
    double currentDelay = 0.0;
    bool initialised = false;
};
} // namespace zq6
