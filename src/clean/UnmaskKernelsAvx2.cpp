// Built with -mavx2 -mfma (see CMakeLists.txt); runs only where CpuDispatch found both.
#include "UnmaskKernelBodies.h"

#include <immintrin.h>

namespace zq6
{
namespace
{
// exp to about one ulp: 2^n times a polynomial on the remainder, n the nearest integer to
// x / ln 2, ln 2 split in two parts so the remainder is exact.
__m256 exponential(__m256 x) noexcept
{
    x = _mm256_min_ps(_mm256_max_ps(x, _mm256_set1_ps(-87.0f)), _mm256_set1_ps(88.0f));
    const auto n = _mm256_round_ps(_mm256_mul_ps(x, _mm256_set1_ps(1.44269504f)),
                                   _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
    auto r = _mm256_fnmadd_ps(n, _mm256_set1_ps(0.693359375f), x);
    r = _mm256_fnmadd_ps(n, _mm256_set1_ps(-2.12194440e-4f), r);
    auto p = _mm256_set1_ps(1.9875691500e-4f);
    for (const auto c : { 1.3981999507e-3f, 8.3334519073e-3f, 4.1665795894e-2f, 1.6666665459e-1f, 5.0000001201e-1f })
        p = _mm256_fmadd_ps(p, r, _mm256_set1_ps(c));
    p = _mm256_fmadd_ps(p, _mm256_mul_ps(r, r), _mm256_add_ps(r, _mm256_set1_ps(1.0f)));
    const auto power = _mm256_slli_epi32(_mm256_add_epi32(_mm256_cvtps_epi32(n), _mm256_set1_epi32(127)), 23);
    return _mm256_mul_ps(p, _mm256_castsi256_ps(power));
}

struct Avx2Fma
{
    // Eight floats: one AVX register.
    using Lanes = float __attribute__((vector_size(32)));

    // Four blocks of four pairs (a 4 x 4 transpose of pairs) or two blocks of four quads.
    template <int length>
    static void loadQuarters(const float* x, Lanes (&q)[4]) noexcept
    {
        static_assert(length == 2 || length == 4);
        if constexpr (length == 2)
        {
            __m256d r[4];
            for (int b = 0; b < 4; ++b)
                r[b] = _mm256_castps_pd(_mm256_loadu_ps(x + 8 * b));
            transposePairs(r);
            for (int k = 0; k < 4; ++k)
                q[k] = _mm256_castpd_ps(r[k]);
        }
        else
        {
            for (int half = 0; half < 2; ++half)
            {
                const auto a = _mm256_loadu_ps(x + 8 * half), b = _mm256_loadu_ps(x + 16 + 8 * half);
                q[2 * half] = _mm256_permute2f128_ps(a, b, 0x20);
                q[2 * half + 1] = _mm256_permute2f128_ps(a, b, 0x31);
            }
        }
    }

    template <int length>
    static void storeQuarters(float* x, const Lanes (&q)[4]) noexcept
    {
        static_assert(length == 2 || length == 4);
        if constexpr (length == 2)
        {
            __m256d r[4];
            for (int k = 0; k < 4; ++k)
                r[k] = _mm256_castps_pd(q[k]);
            transposePairs(r);
            for (int b = 0; b < 4; ++b)
                _mm256_storeu_ps(x + 8 * b, _mm256_castpd_ps(r[b]));
        }
        else
        {
            for (int half = 0; half < 2; ++half)
            {
                _mm256_storeu_ps(x + 8 * half, _mm256_permute2f128_ps(q[2 * half], q[2 * half + 1], 0x20));
                _mm256_storeu_ps(x + 16 + 8 * half, _mm256_permute2f128_ps(q[2 * half], q[2 * half + 1], 0x31));
            }
        }
    }

    static void transposePairs(__m256d (&r)[4]) noexcept
    {
        const auto t0 = _mm256_unpacklo_pd(r[0], r[1]), t1 = _mm256_unpackhi_pd(r[0], r[1]);
        const auto t2 = _mm256_unpacklo_pd(r[2], r[3]), t3 = _mm256_unpackhi_pd(r[2], r[3]);
        r[0] = _mm256_permute2f128_pd(t0, t2, 0x20);
        r[1] = _mm256_permute2f128_pd(t1, t3, 0x20);
        r[2] = _mm256_permute2f128_pd(t0, t2, 0x31);
        r[3] = _mm256_permute2f128_pd(t1, t3, 0x31);
    }

    // Both 128-bit halves transposed at once: half h of row n holds lane n + 4h.
    static void scatter(float* out, const int* targets, const Lanes (&v)[4]) noexcept
    {
        const auto ab0 = _mm256_unpacklo_ps(v[0], v[1]), ab1 = _mm256_unpackhi_ps(v[0], v[1]);
        const auto cd0 = _mm256_unpacklo_ps(v[2], v[3]), cd1 = _mm256_unpackhi_ps(v[2], v[3]);
        const __m256 rows[4] = { _mm256_shuffle_ps(ab0, cd0, 0x44), _mm256_shuffle_ps(ab0, cd0, 0xee),
                                 _mm256_shuffle_ps(ab1, cd1, 0x44), _mm256_shuffle_ps(ab1, cd1, 0xee) };
        for (int n = 0; n < 4; ++n)
        {
            _mm_storeu_ps(out + targets[n], _mm256_castps256_ps128(rows[n]));
            _mm_storeu_ps(out + targets[n + 4], _mm256_extractf128_ps(rows[n], 1));
        }
    }

    static void scatter(float* out, const int* targets, const Lanes (&v)[2]) noexcept
    {
        const __m256 pairs[2] = { _mm256_unpacklo_ps(v[0], v[1]), _mm256_unpackhi_ps(v[0], v[1]) };
        for (int n = 0; n < 2; ++n)
        {
            const auto low = _mm256_castps256_ps128(pairs[n]), high = _mm256_extractf128_ps(pairs[n], 1);
            _mm_storel_pi(reinterpret_cast<__m64*>(out + targets[2 * n]), low);
            _mm_storeh_pi(reinterpret_cast<__m64*>(out + targets[2 * n + 1]), low);
            _mm_storel_pi(reinterpret_cast<__m64*>(out + targets[2 * n + 4]), high);
            _mm_storeh_pi(reinterpret_cast<__m64*>(out + targets[2 * n + 5]), high);
        }
    }

    static void exponentials(float* x, int n) noexcept
    {
        int i = 0;
        for (; i + 8 <= n; i += 8)
            _mm256_storeu_ps(x + i, exponential(_mm256_loadu_ps(x + i)));
        for (; i < n; ++i)
            x[i] = std::exp(x[i]);
    }
};
} // namespace

const UnmaskKernels unmaskAvx2FmaKernels = unmaskkernels::table<Avx2Fma>();
} // namespace zq6
