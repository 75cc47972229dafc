#pragma once

#include <cstddef>
#include <cstdint>

namespace zq6::test
{
// While an AllocationGuard lives on a thread, every heap allocation on that thread is counted.
// The test binary replaces the global operator new to do the counting.
class AllocationGuard
{
public:
    AllocationGuard();
    ~AllocationGuard();
    AllocationGuard(const AllocationGuard&) = delete;
    AllocationGuard& operator=(const AllocationGuard&) = delete;

    std::int64_t allocations() const;
    // False where a sanitizer owns the allocator and nothing is counted.
    static bool countsAllocations();
    // The largest single allocation counted while this guard lived (bytes).
    std::size_t largestAllocation() const;

    // While the guard lives, the given counted allocation (0 = the first) and every later one
    // throws std::bad_alloc, as they would with memory exhausted.
    void failFrom(std::int64_t index);

    // From now on count only allocations made with code of the shared library that holds `address`
    // on the call stack, so that a host's own allocations around a plug-in's processing are not counted.
    static void countOnlyFromModuleOf(const void* address);

private:
    std::int64_t startCount;
    std::size_t largestBefore;
};
} // namespace zq6::test
