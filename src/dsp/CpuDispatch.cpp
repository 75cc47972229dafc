#include "CpuDispatch.h"

#include <atomic>

namespace zq6
{
namespace
{
constexpr int notForced = -1;
std::atomic<int> forcedPath { notForced };

KernelPath detect() noexcept
{
#if defined(ZQ6_AVX2_KERNELS) && (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma"))
        return KernelPath::avx2Fma;
#endif
    return KernelPath::baseline;
}

// Detected when the library loads, so the audio thread never runs a guarded initialisation.
const KernelPath detectedPath = detect();
} // namespace

KernelPath CpuDispatch::detected() noexcept
{
    return detectedPath;
}

KernelPath CpuDispatch::active() noexcept
{
    const auto forced = forcedPath.load(std::memory_order_relaxed);
    if (forced == notForced || forced > static_cast<int>(detected()))
        return detected();
    return static_cast<KernelPath>(forced);
}

void CpuDispatch::force(KernelPath path) noexcept
{
    forcedPath.store(static_cast<int>(path), std::memory_order_relaxed);
}

void CpuDispatch::release() noexcept
{
    forcedPath.store(notForced, std::memory_order_relaxed);
}
} // namespace zq6
