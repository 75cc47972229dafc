#pragma once

namespace zq6
{
// The Characters' early-reflection patterns. Silent until the reflections stage lands.
class EarlyReflections
{
public:
    void prepare(double internalRate);
    void clear() noexcept;
    void process(const float* mono, float* left, float* right, int m, int character, float sizeFactor,
                 float orderThreshold, float lowPassHz) noexcept;
};
} // namespace zq6
