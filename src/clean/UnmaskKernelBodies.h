#pragma once

// Unmask's kernels' code, included by each build of them. Every function is a template on the
// build's own tag type, which has internal linkage, so no instantiation can be shared with (and
// picked by the linker for) another build.
//
// A build's tag names its vector type Lanes (four floats in the baseline build, eight in the wide
// one), its exponentials(x, n), which replaces x[i] by exp(x[i]), and its scatter(out, targets, v),
// which stores output q of lane n at out[targets[n] + q] for a radix-2 or radix-4 group, and its
// loadQuarters<length>(x, q) / storeQuarters<length>(x, q), which move quarter k of the vector's
// blocks of 4 x length floats from x on to and from q[k]. Every lane does the scalar
// arithmetic in the scalar order, so the baseline build's results are bit for bit those of plain
// scalar code; the wide build is compiled with FMA and so rounds differently.

#include "UnmaskKernels.h"

#include <cmath>

namespace zq6::unmaskkernels
{
using Quad = float __attribute__((vector_size(16)));

constexpr float dbToGain = 0.11512925f; // ln(10) / 20

template <class V>
constexpr int width = static_cast<int>(sizeof(V) / sizeof(float));

// Everything in a build is a member of this template on its tag, so no code is shared between builds.
template <class Build>
struct Bodies
{
    using Lanes = typename Build::Lanes;

    template <class V>
    static V load(const float* x) noexcept
    {
        V v;
        __builtin_memcpy(&v, x, sizeof v);
        return v;
    }

    template <class V>
    static void store(float* x, V v) noexcept
    {
        __builtin_memcpy(x, &v, sizeof v);
    }

    template <class V>
    static V broadcast(float x) noexcept
    {
        return V {} + x;
    }

    template <class V>
    struct Butterfly4
    {
        V r[4], i[4];

        // Twiddle products on inputs 1..3, then the radix-4 combination, in the transform's order of
        // operations; turn -1 turns the odd outputs the other way round.
        void run(const V (&wr)[3], const V (&wi)[3], V turn) noexcept
        {
            const auto s0r = r[1] * wr[0] - i[1] * wi[0], s0i = r[1] * wi[0] + i[1] * wr[0];
            const auto s1r = r[2] * wr[1] - i[2] * wi[1], s1i = r[2] * wi[1] + i[2] * wr[1];
            const auto s2r = r[3] * wr[2] - i[3] * wi[2], s2i = r[3] * wi[2] + i[3] * wr[2];
            const auto s3r = s0r + s2r, s3i = s0i + s2i;
            const auto s4r = (s0r - s2r) * turn, s4i = (s0i - s2i) * turn;
            const auto s5r = r[0] - s1r, s5i = i[0] - s1i;
            const auto d0r = r[0] + s1r, d0i = i[0] + s1i;
            r[2] = d0r - s3r;
            i[2] = d0i - s3i;
            r[0] = d0r + s3r;
            i[0] = d0i + s3i;
            r[1] = s5r + s4i;
            i[1] = s5i - s4r;
            r[3] = s5r - s4i;
            i[3] = s5i + s4r;
        }
    };

    template <class V>
    struct Butterfly2
    {
        V r[2], i[2];

        void run(V wr, V wi) noexcept
        {
            const auto sr = r[1] * wr - i[1] * wi, si = r[1] * wi + i[1] * wr;
            r[1] = r[0] - sr;
            i[1] = i[0] - si;
            r[0] = r[0] + sr;
            i[0] = i[0] + si;
        }
    };

    // width<V> neighbouring butterflies of one block, from index k.
    template <class V>
    __attribute__((always_inline)) static void butterflyGroup(const UnmaskButterflies& p, float* r, float* i, int k) noexcept
    {
        const auto length = p.length;
        const auto* const* w = p.twiddles;
        if (p.radix == 4)
        {
            Butterfly4<V> b;
            for (int q = 0; q < 4; ++q)
            {
                b.r[q] = load<V>(r + q * length + k);
                b.i[q] = load<V>(i + q * length + k);
            }
            const V wr[3] = { load<V>(w[0] + k), load<V>(w[2] + k), load<V>(w[4] + k) };
            const V wi[3] = { load<V>(w[1] + k), load<V>(w[3] + k), load<V>(w[5] + k) };
            b.run(wr, wi, broadcast<V>(p.turn));
            for (int q = 0; q < 4; ++q)
            {
                store(r + q * length + k, b.r[q]);
                store(i + q * length + k, b.i[q]);
            }
            return;
        }
        Butterfly2<V> b;
        for (int q = 0; q < 2; ++q)
        {
            b.r[q] = load<V>(r + q * length + k);
            b.i[q] = load<V>(i + q * length + k);
        }
        b.run(load<V>(w[0] + k), load<V>(w[1] + k));
        for (int q = 0; q < 2; ++q)
        {
            store(r + q * length + k, b.r[q]);
            store(i + q * length + k, b.i[q]);
        }
    }

    // A radix-4 level whose blocks are shorter than a vector: each vector holds the same quarter of
    // the next few blocks, so lane n uses twiddle n % length.
    template <int length>
    static void shortBlocks(const UnmaskButterflies& p) noexcept
    {
        constexpr auto lanes = width<Lanes>;
        float w[6][lanes];
        for (int t = 0; t < 6; ++t)
            for (int n = 0; n < lanes; ++n)
                w[t][n] = p.twiddles[t][n % length];
        const Lanes wr[3] = { load<Lanes>(w[0]), load<Lanes>(w[2]), load<Lanes>(w[4]) };
        const Lanes wi[3] = { load<Lanes>(w[1]), load<Lanes>(w[3]), load<Lanes>(w[5]) };
        const auto turn = broadcast<Lanes>(p.turn);
        for (int block = 0; block < p.size; block += 4 * lanes)
        {
            Butterfly4<Lanes> b;
            Build::template loadQuarters<length>(p.re + block, b.r);
            Build::template loadQuarters<length>(p.im + block, b.i);
            b.run(wr, wi, turn);
            Build::template storeQuarters<length>(p.re + block, b.r);
            Build::template storeQuarters<length>(p.im + block, b.i);
        }
    }

    static void butterflies(const UnmaskButterflies& p) noexcept
    {
        const auto length = p.length;
        constexpr auto lanes = width<Lanes>;
        if (p.radix == 4 && length * 2 == lanes && p.size % (4 * lanes) == 0)
            return shortBlocks<lanes / 2>(p);
        if constexpr (lanes == 8)
            if (p.radix == 4 && length * 4 == lanes && p.size % (4 * lanes) == 0)
                return shortBlocks<lanes / 4>(p);
        for (int block = 0; block < p.size; block += p.radix * length)
        {
            auto* r = p.re + block;
            auto* i = p.im + block;
            int k = 0;
            if (length % width<Lanes> == 0)
                for (; k < length; k += width<Lanes>)
                    butterflyGroup<Lanes>(p, r, i, k);
            else if (length % width<Quad> == 0)
                for (; k < length; k += width<Quad>)
                    butterflyGroup<Quad>(p, r, i, k);
            for (; k < length; ++k)
                butterflyGroup<float>(p, r, i, k);
        }
    }

    // Groups j.. j + width<V> - 1 of the innermost level.
    template <class V>
    __attribute__((always_inline)) static void leafGroup(const UnmaskLeaves& p, int j) noexcept
    {
        const auto spacing = p.size / p.radix;
        const auto* targets = p.targets + j;
        if (p.radix == 4)
        {
            Butterfly4<V> b;
            for (int q = 0; q < 4; ++q)
            {
                b.r[q] = load<V>(p.inRe + j + q * spacing);
                b.i[q] = load<V>(p.inIm + j + q * spacing);
            }
            const V wr[3] = { broadcast<V>(p.twiddles[0]), broadcast<V>(p.twiddles[2]), broadcast<V>(p.twiddles[4]) };
            const V wi[3] = { broadcast<V>(p.twiddles[1]), broadcast<V>(p.twiddles[3]), broadcast<V>(p.twiddles[5]) };
            b.run(wr, wi, broadcast<V>(p.turn));
            scatter(p.re, targets, b.r);
            scatter(p.im, targets, b.i);
            return;
        }
        Butterfly2<V> b;
        for (int q = 0; q < 2; ++q)
        {
            b.r[q] = load<V>(p.inRe + j + q * spacing);
            b.i[q] = load<V>(p.inIm + j + q * spacing);
        }
        b.run(broadcast<V>(p.twiddles[0]), broadcast<V>(p.twiddles[1]));
        scatter(p.re, targets, b.r);
        scatter(p.im, targets, b.i);
    }

    // Output q of lane n goes to out[targets[n] + q].
    template <int radix>
    __attribute__((always_inline)) static void scatter(float* out, const int* targets, const float (&v)[radix]) noexcept
    {
        for (int q = 0; q < radix; ++q)
            out[targets[0] + q] = v[q];
    }

    template <int radix>
    __attribute__((always_inline)) static void scatter(float* out, const int* targets, const Lanes (&v)[radix]) noexcept
    {
        Build::scatter(out, targets, v);
    }

    static void leaves(const UnmaskLeaves& p) noexcept
    {
        const auto groups = p.size / p.radix;
        int j = 0;
        if (groups % width<Lanes> == 0)
            for (; j < groups; j += width<Lanes>)
                leafGroup<Lanes>(p, j);
        for (; j < groups; ++j)
            leafGroup<float>(p, j);
    }

    static bool loadFrames(const UnmaskFrameLoad& p) noexcept
    {
        const auto newerRun = p.frame - p.start;
        int differs = 0;
        // The frame starts at the oldest sample, so it reads each ring as two straight runs.
        for (int l = 0; l < newerRun; ++l)
            differs |= p.rings[0][p.start + l] != p.rings[1][p.start + l];
        for (int l = newerRun; l < p.frame; ++l)
            differs |= p.rings[0][l - newerRun] != p.rings[1][l - newerRun];
        for (int c = 0; c < 4; ++c)
        {
            const float* __restrict ring = p.rings[c];
            const float* __restrict w = p.window;
            float* __restrict out = p.frames[c];
            for (int l = 0; l < newerRun; ++l)
                out[l] = ring[p.start + l] * w[l];
            for (int l = newerRun; l < p.frame; ++l)
                out[l] = ring[l - newerRun] * w[l];
        }
        return differs == 0;
    }

    static void binPowers(const UnmaskBinPowers& p) noexcept
    {
        const float* __restrict re = p.re;
        const float* __restrict im = p.im;
        float* __restrict powers = p.powers;
        for (int b = 1; b < p.frame / 2; ++b)
        {
            const auto m = p.frame - b;
            powers[b] = ((re[b] * re[b] + im[b] * im[b]) + (re[m] * re[m] + im[m] * im[m])) * 0.5f;
        }
    }

    static void applyGains(const UnmaskGains& p) noexcept
    {
        const auto half = p.frame / 2;
        float* __restrict gains = p.gains;
        // Per band: its reduction and the step to the next band's.
        float lower[UnmaskBands::count], step[UnmaskBands::count];
        for (int k = 0; k + 1 < UnmaskBands::count; ++k)
        {
            lower[k] = p.reductionDb[k];
            step[k] = p.reductionDb[k + 1] - p.reductionDb[k];
        }
        const int* __restrict lowerBands = p.lowerBands;
        const float* __restrict fractions = p.fractions;
        for (int i = 0; i <= half; ++i)
            gains[i] = (lower[lowerBands[i]] + step[lowerBands[i]] * fractions[i]) * dbToGain;
        Build::exponentials(gains, half + 1);

        float* __restrict re = p.re;
        float* __restrict im = p.im;
        for (int i = 0; i <= half; ++i)
        {
            re[i] *= gains[i];
            im[i] *= gains[i];
        }
        for (int i = 1; i < half; ++i)
        {
            re[p.frame - i] *= gains[i];
            im[p.frame - i] *= gains[i];
        }
    }

    static void overlapAdd(const UnmaskOverlapAdd& p) noexcept
    {
        const float* __restrict re = p.re;
        const float* __restrict im = p.im;
        const float* __restrict w = p.window;
        float* __restrict left = p.left;
        float* __restrict right = p.right;
        for (int l = 0; l < p.frame; ++l)
        {
            const auto weight = p.weight * w[l];
            left[l] += weight * (re[l] * p.outputScale);
            right[l] += weight * (im[l] * p.outputScale);
        }
    }
};

template <class Build>
constexpr UnmaskKernels table() noexcept
{
    using B = Bodies<Build>;
    return { B::leaves, B::butterflies, B::loadFrames, B::binPowers, B::applyGains, B::overlapAdd };
}
} // namespace zq6::unmaskkernels
