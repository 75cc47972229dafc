#include "UnmaskKernelBodies.h"

namespace zq6
{
namespace
{
struct Baseline
{
    // Four floats: one SSE register, part of every x86-64 CPU.
    using Lanes = float __attribute__((vector_size(16)));

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
