#pragma once

namespace zq6
{
// Which build of the vector kernels runs: the baseline x86-64 one, or the one compiled for AVX2
// with FMA. The choice is made at run time so the shipped binaries load on any x86-64 CPU.
enum class KernelPath : int
{
    baseline = 0,
    avx2Fma = 1
};

class CpuDispatch
{
public:
    // The widest path this CPU runs.
    static KernelPath detected() noexcept;
    // The path the kernels take now: the detected one unless a narrower one is forced.
    static KernelPath active() noexcept;
    // Lets tests and benchmarks compare the paths; a path the CPU lacks falls back to the baseline.
    static void force(KernelPath path) noexcept;
    static void release() noexcept;

    // The build of a kernel table the active path selects.
    template <class Kernels>
    static const Kernels& pick(const Kernels& baseline, const Kernels& avx2Fma) noexcept
    {
        return active() == KernelPath::avx2Fma ? avx2Fma : baseline;
    }
};
} // namespace zq6
