#include "EngineKernels.h"

#include "../dsp/CpuDispatch.h"

namespace zq6
{
const EngineKernels& EngineKernels::active() noexcept
{
#if defined(ZQ6_AVX2_KERNELS)
    if (CpuDispatch::active() == KernelPath::avx2Fma)
        return avx2FmaKernels;
#endif
    return baselineKernels;
}
} // namespace zq6
