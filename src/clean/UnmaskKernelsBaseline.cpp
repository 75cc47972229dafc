#include "UnmaskKernelBodies.h"

#include <xmmintrin.h>

namespace zq6
{
namespace
{
struct Baseline
{
    // Four floats: one SSE register, part of every x86-64 CPU.
    using Lanes = float __attribute__((vector_size(16)));

    // Two blocks of four pairs.
    template <int length>
    static void loadQuarters(const float* x, Lanes (&q)[4]) noexcept
    {
        static_assert(length == 2);
        for (int half = 0; half < 2; ++half)
        {
            const auto a = _mm_loadu_ps(x + 4 * half), b = _mm_loadu_ps(x + 8 + 4 * half);
            q[2 * half] = _mm_movelh_ps(a, b);
            q[2 * half + 1] = _mm_movehl_ps(b, a);
        }
    }

    template <int length>
    static void storeQuarters(float* x, const Lanes (&q)[4]) noexcept
    {
        static_assert(length == 2);
        for (int half = 0; half < 2; ++half)
        {
            _mm_storeu_ps(x + 4 * half, _mm_movelh_ps(q[2 * half], q[2 * half + 1]));
            _mm_storeu_ps(x + 8 + 4 * half, _mm_movehl_ps(q[2 * half + 1], q[2 * half]));
        }
    }

    static void scatter(float* out, const int* targets, const Lanes (&v)[4]) noexcept
    {
        __m128 a = v[0], b = v[1], c = v[2], d = v[3];
        _MM_TRANSPOSE4_PS(a, b, c, d);
        _mm_storeu_ps(out + targets[0], a);
        _mm_storeu_ps(out + targets[1], b);
        _mm_storeu_ps(out + targets[2], c);
        _mm_storeu_ps(out + targets[3], d);
    }

    static void scatter(float* out, const int* targets, const Lanes (&v)[2]) noexcept
    {
        const auto low = _mm_unpacklo_ps(v[0], v[1]), high = _mm_unpackhi_ps(v[0], v[1]);
        _mm_storel_pi(reinterpret_cast<__m64*>(out + targets[0]), low);
        _mm_storeh_pi(reinterpret_cast<__m64*>(out + targets[1]), low);
        _mm_storel_pi(reinterpret_cast<__m64*>(out + targets[2]), high);
        _mm_storeh_pi(reinterpret_cast<__m64*>(out + targets[3]), high);
    }

    // Neighbouring bins often share their reduction (all of them while nothing is reduced), and
    // then their gain.
    static void exponentials(float* x, int n) noexcept
    {
        auto argument = 0.0f, value = 1.0f;
        for (int i = 0; i < n; ++i)
        {
            if (x[i] != argument)
            {
                argument = x[i];
                value = std::exp(argument);
            }
            x[i] = value;
        }
    }
};
} // namespace

const UnmaskKernels unmaskBaselineKernels = unmaskkernels::table<Baseline>();
} // namespace zq6
