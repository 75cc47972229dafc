#include "ShapingKernels.h"

#include "../dsp/CpuDispatch.h"

namespace zq6
{
const ShapingKernels& ShapingKernels::active() noexcept
{
    return CpuDispatch::pick(baselineShapingKernels, avx2FmaShapingKernels);
}
} // namespace zq6
