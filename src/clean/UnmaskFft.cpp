#include "UnmaskFft.h"

#include <cmath>
#include <emmintrin.h>

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

struct Twiddles
{
    float r1, i1, r2, i2, r3, i3;
};

// One radix-4 butterfly at index k of the four quarters, with the framework's order of operations;
// turn is -1 for the inverse, which turns the odd outputs the other way round.
inline void butterfly4(float* __restrict r0, float* __restrict r1, float* __restrict r2, float* __restrict r3,
                       float* __restrict i0, float* __restrict i1, float* __restrict i2, float* __restrict i3, int k,
                       Twiddles w, float turn) noexcept
{
    const auto s0r = r1[k] * w.r1 - i1[k] * w.i1, s0i = r1[k] * w.i1 + i1[k] * w.r1;
    const auto s1r = r2[k] * w.r2 - i2[k] * w.i2, s1i = r2[k] * w.i2 + i2[k] * w.r2;
    const auto s2r = r3[k] * w.r3 - i3[k] * w.i3, s2i = r3[k] * w.i3 + i3[k] * w.r3;
    const auto s3r = s0r + s2r, s3i = s0i + s2i;
    const auto s4r = (s0r - s2r) * turn, s4i = (s0i - s2i) * turn;
    const auto s5r = r0[k] - s1r, s5i = i0[k] - s1i;
    const auto d0r = r0[k] + s1r, d0i = i0[k] + s1i;
    r2[k] = d0r - s3r;
    i2[k] = d0i - s3i;
    r0[k] = d0r + s3r;
    i0[k] = d0i + s3i;
    r1[k] = s5r + s4i;
    i1[k] = s5i - s4r;
    r3[k] = s5r - s4i;
    i3[k] = s5i + s4r;
}

struct TwiddleRuns
{
    const float *r1, *i1, *r2, *i2, *r3, *i3;
};

// Four neighbouring butterflies at once, lane for lane the same operations as butterfly4 (SSE2 is
// part of every x86-64 CPU).
inline void butterfly4x4(float* re, float* im, int length, TwiddleRuns w, float turn) noexcept
{
    const auto complexProduct = [](__m128 xr, __m128 xi, __m128 wr, __m128 wi, __m128& outR, __m128& outI) {
        outR = _mm_sub_ps(_mm_mul_ps(xr, wr), _mm_mul_ps(xi, wi));
        outI = _mm_add_ps(_mm_mul_ps(xr, wi), _mm_mul_ps(xi, wr));
    };
    const auto at = [](const float* p) { return _mm_loadu_ps(p); };
    __m128 s0r, s0i, s1r, s1i, s2r, s2i;
    complexProduct(at(re + length), at(im + length), at(w.r1), at(w.i1), s0r, s0i);
    complexProduct(at(re + 2 * length), at(im + 2 * length), at(w.r2), at(w.i2), s1r, s1i);
    complexProduct(at(re + 3 * length), at(im + 3 * length), at(w.r3), at(w.i3), s2r, s2i);
    const auto t = _mm_set1_ps(turn);
    const auto s3r = _mm_add_ps(s0r, s2r), s3i = _mm_add_ps(s0i, s2i);
    const auto s4r = _mm_mul_ps(_mm_sub_ps(s0r, s2r), t), s4i = _mm_mul_ps(_mm_sub_ps(s0i, s2i), t);
    const auto x0r = at(re), x0i = at(im);
    const auto s5r = _mm_sub_ps(x0r, s1r), s5i = _mm_sub_ps(x0i, s1i);
    const auto d0r = _mm_add_ps(x0r, s1r), d0i = _mm_add_ps(x0i, s1i);
    _mm_storeu_ps(re + 2 * length, _mm_sub_ps(d0r, s3r));
    _mm_storeu_ps(im + 2 * length, _mm_sub_ps(d0i, s3i));
    _mm_storeu_ps(re, _mm_add_ps(d0r, s3r));
    _mm_storeu_ps(im, _mm_add_ps(d0i, s3i));
    _mm_storeu_ps(re + length, _mm_add_ps(s5r, s4i));
    _mm_storeu_ps(im + length, _mm_sub_ps(s5i, s4r));
    _mm_storeu_ps(re + 3 * length, _mm_sub_ps(s5r, s4i));
    _mm_storeu_ps(im + 3 * length, _mm_add_ps(s5i, s4r));
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
        if (level->radix == 2)
            radix2(*level, direction);
        else if (level->length == 1)
            radix4Leaves(*level, direction);
        else
            radix4(*level, direction);
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

void UnmaskFft::radix4(const Level& level, int direction) noexcept
{
    const auto length = level.length;
    const auto* w1r = level.twiddleRe[direction][0].data();
    const auto* w1i = level.twiddleIm[direction][0].data();
    const auto* w2r = level.twiddleRe[direction][1].data();
    const auto* w2i = level.twiddleIm[direction][1].data();
    const auto* w3r = level.twiddleRe[direction][2].data();
    const auto* w3i = level.twiddleIm[direction][2].data();
    const auto turn = direction == 0 ? 1.0f : -1.0f;
    for (int block = 0; block < size; block += 4 * length)
    {
        auto* r0 = re.data() + block;
        auto* i0 = im.data() + block;
        int k = 0;
        if (length % 4 == 0)
            for (; k < length; k += 4)
                butterfly4x4(r0 + k, i0 + k, length, { w1r + k, w1i + k, w2r + k, w2i + k, w3r + k, w3i + k }, turn);
        for (; k < length; ++k)
            butterfly4(r0, r0 + length, r0 + 2 * length, r0 + 3 * length, i0, i0 + length, i0 + 2 * length,
                       i0 + 3 * length, k, { w1r[k], w1i[k], w2r[k], w2i[k], w3r[k], w3i[k] }, turn);
    }
}

// The innermost level: every butterfly takes four neighbours and the same twiddles.
void UnmaskFft::radix4Leaves(const Level& level, int direction) noexcept
{
    const Twiddles w { level.twiddleRe[direction][0][0], level.twiddleIm[direction][0][0],
                       level.twiddleRe[direction][1][0], level.twiddleIm[direction][1][0],
                       level.twiddleRe[direction][2][0], level.twiddleIm[direction][2][0] };
    const auto turn = direction == 0 ? 1.0f : -1.0f;
    float* __restrict r = re.data();
    float* __restrict i = im.data();
    for (int block = 0; block < size; block += 4)
        butterfly4(r, r + 1, r + 2, r + 3, i, i + 1, i + 2, i + 3, block, w, turn);
}

void UnmaskFft::radix2(const Level& level, int direction) noexcept
{
    const auto length = level.length;
    const auto* wr = level.twiddleRe[direction][0].data();
    const auto* wi = level.twiddleIm[direction][0].data();
    for (int block = 0; block < size; block += 2 * length)
    {
        float* __restrict r0 = re.data() + block;
        float* __restrict r1 = r0 + length;
        float* __restrict i0 = im.data() + block;
        float* __restrict i1 = i0 + length;
        for (int k = 0; k < length; ++k)
        {
            const auto sr = r1[k] * wr[k] - i1[k] * wi[k], si = r1[k] * wi[k] + i1[k] * wr[k];
            r1[k] = r0[k] - sr;
            i1[k] = i0[k] - si;
            r0[k] += sr;
            i0[k] += si;
        }
    }
}
} // namespace zq6
