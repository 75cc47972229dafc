#include "EngineKernelBodies.h"

namespace zq6
{
namespace
{
struct Baseline
{
    // Four floats: one SSE register, part of every x86-64 CPU.
    using Lanes = float __attribute__((vector_size(16)));
    // Sums keep the scalar order, so this build's output is bit for bit the scalar one.
    static constexpr bool keepsTapOrder = true;
};

float tailChunk(const TailChunk& chunk) noexcept
{
    return kernels::tailChunk<Baseline>(chunk);
}

void firOutputs(const FirOutputs& run) noexcept
{
    kernels::firOutputs<Baseline>(run);
}
} // namespace

const EngineKernels baselineKernels { tailChunk, firOutputs };
} // namespace zq6
