#include "ShapingKernels.h"

#include "../dsp/CpuDispatch.h"

namespace zq6
{
const ShapingKernels& ShapingKernels::active() noexcept
{
#if defined(ZQ6_AVX2_KERNELS)
    if (CpuDispatch::active() == KernelPath::avx2Fma)
        return avx2FmaShapingKernels;
#endif
    return baselineShapingKernels;
}
} // namespace zq6
