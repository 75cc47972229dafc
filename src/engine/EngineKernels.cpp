#include "EngineKernels.h"

#include "../dsp/CpuDispatch.h"

namespace zq6
{
const EngineKernels& EngineKernels::active() noexcept
{
    return CpuDispatch::pick(baselineKernels, avx2FmaKernels);
}
} // namespace zq6
