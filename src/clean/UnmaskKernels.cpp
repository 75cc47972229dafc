#include "UnmaskKernels.h"

#include "../dsp/CpuDispatch.h"

namespace zq6
{
const UnmaskKernels& UnmaskKernels::active() noexcept
{
    return CpuDispatch::pick(unmaskBaselineKernels, unmaskAvx2FmaKernels);
}
} // namespace zq6
