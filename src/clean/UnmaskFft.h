#pragma once

#include <complex>
#include <vector>

namespace zq6
{
// The framework's fallback FFT (mixed radix 4 and 2, decimation in time), computed with exactly the
// same twiddles and the same operations per butterfly, so it gives bit-identical results. The data
// runs as separate real and imaginary arrays, one level at a time, so each butterfly loop is a
// vector loop. The inverse is scaled by 1/N as the framework's is.
class UnmaskFft
{
public:
    // Sizes everything for 2^order points; may allocate.
    void prepare(int order);
    void perform(const std::complex<float>* input, std::complex<float>* output, bool inverse) noexcept;

private:
    struct Level
    {
        int radix, length, stride;
        // Per direction, per butterfly input q = 1..radix-1: the twiddle of each index i < length.
        std::vector<float> twiddleRe[2][3], twiddleIm[2][3];
    };

    void buildOrder(int from, int to, int stride, size_t level);
    void radix4(const Level& level, int direction) noexcept;
    void radix4Leaves(const Level& level, int direction) noexcept;
    void radix2(const Level& level, int direction) noexcept;

    int size = 0;
    std::vector<int> inputOrder;
    std::vector<Level> levels;
    std::vector<float> re, im;
};
} // namespace zq6
