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

private:
    std::int64_t startCount;
};
} // namespace zq6::test
