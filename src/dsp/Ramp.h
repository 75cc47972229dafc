#pragma once

namespace zq6
{
// The chunk-start and chunk-end values of a smoothed quantity; stages that need sample accuracy
// ramp linearly between them.
struct Ramp
{
    float start = 0.0f;
    float end = 0.0f;

    // Value at sample j of n, using the fraction (j + 1) / n.
    float at(int j, int n) const noexcept { return start + (end - start) * static_cast<float>(j + 1) / static_cast<float>(n); }
};
} // namespace zq6
