#pragma once

#include <vector>

namespace zq6
{
// Stereo integer delay, in place; a delay of 0 passes the signal through.
class LatencyDelay
{
public:
    void prepare(int delaySamples);
    void clear() noexcept;
    void process(float* left, float* right, int n) noexcept;
    int getDelay() const noexcept { return delay; }

private:
    int delay = 0;
    int position = 0;
    std::vector<float> ringLeft, ringRight;
};
} // namespace zq6
