#include "UnmaskFft.h"

#include <cmath>

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
    re.assign(static_cast<size_t>(size), 0.0f);
    im.assign(static_cast<size_t>(size), 0.0f);

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

    inputOrder.assign(static_cast<size_t>(size), 0);
    if (!levels.empty())
        buildOrder(0, 0, 1, 0);
}

// Where each input lands before the first butterflies, following the framework's recursion.
void UnmaskFft::buildOrder(int from, int to, int stride, size_t level)
{
    const auto& factor = levels[level];
    for (int k = 0; k < factor.radix; ++k)
    {
        if (factor.length == 1)
            inputOrder[static_cast<size_t>(to + k)] = from + k * stride;
        else
            buildOrder(from + k * stride, to + k * factor.length, stride * factor.radix, level + 1);
    }
}

void UnmaskFft::perform(const Complex* input, Complex* output, bool inverse) noexcept
{
    if (levels.empty())
    {
        output[0] = input[0];
        return;
    }
    for (int i = 0; i < size; ++i)
    {
        const auto& x = input[inputOrder[static_cast<size_t>(i)]];
        re[static_cast<size_t>(i)] = x.real();
        im[static_cast<size_t>(i)] = x.imag();
    }

    const auto direction = inverse ? 1 : 0;
    for (auto level = levels.rbegin(); level != levels.rend(); ++level)
    {
        const auto blockSize = level->radix * level->length;
        for (int block = 0; block < size; block += blockSize)
        {
            if (level->radix == 4)
                radix4(*level, direction, block);
            else
                radix2(*level, direction, block);
        }
    }

    if (inverse)
    {
        const auto scale = 1.0f / static_cast<float>(size);
        for (int i = 0; i < size; ++i)
            output[i] = { re[static_cast<size_t>(i)] * scale, im[static_cast<size_t>(i)] * scale };
    }
    else
    {
        for (int i = 0; i < size; ++i)
            output[i] = { re[static_cast<size_t>(i)], im[static_cast<size_t>(i)] };
    }
}

void UnmaskFft::radix4(const Level& level, int direction, int block) noexcept
{
    const auto length = level.length;
    float* __restrict r0 = re.data() + block;
    float* __restrict r1 = r0 + length;
    float* __restrict r2 = r1 + length;
    float* __restrict r3 = r2 + length;
    float* __restrict i0 = im.data() + block;
    float* __restrict i1 = i0 + length;
    float* __restrict i2 = i1 + length;
    float* __restrict i3 = i2 + length;
    const auto* __restrict w1r = level.twiddleRe[direction][0].data();
    const auto* __restrict w1i = level.twiddleIm[direction][0].data();
    const auto* __restrict w2r = level.twiddleRe[direction][1].data();
    const auto* __restrict w2i = level.twiddleIm[direction][1].data();
    const auto* __restrict w3r = level.twiddleRe[direction][2].data();
    const auto* __restrict w3i = level.twiddleIm[direction][2].data();
    // The inverse turns the odd outputs the other way round.
    const auto turn = direction == 0 ? 1.0f : -1.0f;

    for (int i = 0; i < length; ++i)
    {
        const auto s0r = r1[i] * w1r[i] - i1[i] * w1i[i], s0i = r1[i] * w1i[i] + i1[i] * w1r[i];
        const auto s1r = r2[i] * w2r[i] - i2[i] * w2i[i], s1i = r2[i] * w2i[i] + i2[i] * w2r[i];
        const auto s2r = r3[i] * w3r[i] - i3[i] * w3i[i], s2i = r3[i] * w3i[i] + i3[i] * w3r[i];
        const auto s3r = s0r + s2r, s3i = s0i + s2i;
        const auto s4r = (s0r - s2r) * turn, s4i = (s0i - s2i) * turn;
        const auto s5r = r0[i] - s1r, s5i = i0[i] - s1i;
        const auto d0r = r0[i] + s1r, d0i = i0[i] + s1i;
        r2[i] = d0r - s3r;
        i2[i] = d0i - s3i;
        r0[i] = d0r + s3r;
        i0[i] = d0i + s3i;
        r1[i] = s5r + s4i;
        i1[i] = s5i - s4r;
        r3[i] = s5r - s4i;
        i3[i] = s5i + s4r;
    }
}

void UnmaskFft::radix2(const Level& level, int direction, int block) noexcept
{
    const auto length = level.length;
    float* __restrict r0 = re.data() + block;
    float* __restrict r1 = r0 + length;
    float* __restrict i0 = im.data() + block;
    float* __restrict i1 = i0 + length;
    const auto* __restrict wr = level.twiddleRe[direction][0].data();
    const auto* __restrict wi = level.twiddleIm[direction][0].data();
    for (int i = 0; i < length; ++i)
    {
        const auto sr = r1[i] * wr[i] - i1[i] * wi[i], si = r1[i] * wi[i] + i1[i] * wr[i];
        r1[i] = r0[i] - sr;
        i1[i] = i0[i] - si;
        r0[i] += sr;
        i0[i] += si;
    }
}
} // namespace zq6
