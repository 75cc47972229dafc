#pragma once

#include <cstddef>
#include <vector>

namespace zq6
{
// The framework's fallback FFT (mixed radix 4 and 2, decimation in time), computed with exactly the
// same twiddles and the same operations per butterfly, so its baseline build gives bit-identical
// results. The data runs as separate real and imaginary arrays, one level at a time, so each
// butterfly loop is a vector loop.
class UnmaskFft
{
public:
    // Sizes everything for 2^order points; may allocate.
    void prepare(int order);
    // Split real and imaginary arrays in and out (output distinct from input). The inverse's
    // scaling is left to the caller, as outputScale().
    void transform(const float* inRe, const float* inIm, float* outRe, float* outIm, bool inverse) noexcept;
    float outputScale() const noexcept { return 1.0f / static_cast<float>(size); }

private:
    struct Level
    {
        int radix, length, stride;
        // Per direction, per butterfly input q = 1..radix-1: the twiddle of each index i < length.
        std::vector<float> twiddleRe[2][3], twiddleIm[2][3];
    };

    void buildOrder(int from, int to, int stride, std::size_t level);

    int size = 0;
    std::vector<int> leafTargets;
    std::vector<Level> levels;
};
} // namespace zq6
