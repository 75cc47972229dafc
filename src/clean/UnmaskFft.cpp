#include "UnmaskFft.h"

#include "UnmaskKernels.h"

#include <cmath>
#include <complex>

namespace zq6
{
namespace
{
using Complex = std::complex<float>;

// The framework's twiddle table for one direction, built the same way value for value.
std::vector<Complex> twiddleTable(int n, bool inverse)
{
    std::vector<Complex> table(static_cast<size_t>(n));
    const auto factor = (inverse ? 2.0 : -2.0) * M_PI / static_cast<double>(n);
    const auto at = [&table](int i) -> Complex& { return table[static_cast<size_t>(i)]; };
    if (n <= 4)
    {
        for (int i = 0; i < n; ++i)
            at(i) = { static_cast<float>(std::cos(i * factor)), static_cast<float>(std::sin(i * factor)) };
        return table;
    }
    for (int i = 0; i < n / 4; ++i)
        at(i) = { static_cast<float>(std::cos(i * factor)), static_cast<float>(std::sin(i * factor)) };
    for (int i = n / 4; i < n / 2; ++i)
    {
        const auto other = at(i - n / 4);
        at(i) = { inverse ? -other.imag() : other.imag(), inverse ? other.real() : -other.real() };
    }
    at(n / 2) = { -1.0f, 0.0f };
    for (int i = n / 2; i < n; ++i)
        at(i) = std::conj(at(n / 2 - (i - n / 2)));
    return table;
}
} // namespace

void UnmaskFft::prepare(int order)
{
    size = 1 << order;
    // Radix 4 while it divides, then 2, as the framework factors a power of two.
    levels.clear();
    int stride = 1;
    for (int n = size; n > 1;)
    {
        const auto radix = n % 4 == 0 ? 4 : 2;
        n /= radix;
        Level level;
        level.radix = radix;
        level.length = n;
        level.stride = stride;
        levels.push_back(std::move(level));
        stride *= radix;
    }

    const std::vector<Complex> tables[2] = { twiddleTable(size, false), twiddleTable(size, true) };
    for (auto& level : levels)
        for (int direction = 0; direction < 2; ++direction)
            for (int q = 1; q < level.radix; ++q)
            {
                auto& twRe = level.twiddleRe[direction][q - 1];
                auto& twIm = level.twiddleIm[direction][q - 1];
                twRe.resize(static_cast<size_t>(level.length));
                twIm.resize(static_cast<size_t>(level.length));
                for (int i = 0; i < level.length; ++i)
                {
                    const auto& t = tables[direction][static_cast<size_t>(q * i * level.stride)];
                    twRe[static_cast<size_t>(i)] = t.real();
                    twIm[static_cast<size_t>(i)] = t.imag();
                }
            }

    leafTargets.assign(static_cast<size_t>(levels.empty() ? 1 : size / levels.back().radix), 0);
    if (!levels.empty())
        buildOrder(0, 0, 1, 0);
}

// Where each leaf group's outputs start, following the framework's recursion: the leaf at `to`
// takes the inputs from + k * stride, and from is below that stride.
void UnmaskFft::buildOrder(int from, int to, int stride, size_t level)
{
    const auto& factor = levels[level];
    if (factor.length == 1)
    {
        leafTargets[static_cast<size_t>(from)] = to;
        return;
    }
    for (int k = 0; k < factor.radix; ++k)
        buildOrder(from + k * stride, to + k * factor.length, stride * factor.radix, level + 1);
}

void UnmaskFft::transform(const float* inRe, const float* inIm, float* outRe, float* outIm, bool inverse) noexcept
{
    if (levels.empty())
    {
        outRe[0] = inRe[0];
        outIm[0] = inIm[0];
        return;
    }
    const auto& kernels = UnmaskKernels::active();
    const auto direction = inverse ? 1 : 0;
    const auto turn = inverse ? -1.0f : 1.0f;

    const auto& leaf = levels.back();
    UnmaskLeaves leafPass { inRe, inIm, outRe, outIm, size, leaf.radix, leafTargets.data(), {}, turn };
    for (int q = 1; q < leaf.radix; ++q)
    {
        leafPass.twiddles[2 * (q - 1)] = leaf.twiddleRe[direction][q - 1][0];
        leafPass.twiddles[2 * (q - 1) + 1] = leaf.twiddleIm[direction][q - 1][0];
    }
    kernels.leaves(leafPass);

    for (auto level = levels.rbegin() + 1; level != levels.rend(); ++level)
    {
        UnmaskButterflies pass { outRe, outIm, size, level->radix, level->length, {}, turn };
        for (int q = 1; q < level->radix; ++q)
        {
            pass.twiddles[2 * (q - 1)] = level->twiddleRe[direction][q - 1].data();
            pass.twiddles[2 * (q - 1) + 1] = level->twiddleIm[direction][q - 1].data();
        }
        kernels.butterflies(pass);
    }
}
} // namespace zq6
