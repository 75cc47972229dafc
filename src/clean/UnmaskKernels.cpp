#include "UnmaskKernels.h"

#include "../dsp/CpuDispatch.h"

namespace zq6
{
const UnmaskKernels& UnmaskKernels::active() noexcept
{
#if defined(ZQ6_AVX2_KERNELS)
    if (CpuDispatch::active() == KernelPath::avx2Fma)
        return unmaskAvx2FmaKernels;
#endif
    return unmaskBaselineKernels;
}
} // namespace zq6
