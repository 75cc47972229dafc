#pragma once

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

    // From now on count only allocations made with code of the shared library that holds `address`
    // on the call stack, so that a host's own allocations around a plug-in's processing are not counted.
    static void countOnlyFromModuleOf(const void* address);

private:
    std::int64_t startCount;
};
} // namespace zq6::test
