#include "AllocationGuard.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace
{
thread_local int guardDepth = 0;
thread_local std::int64_t guardedAllocations = 0;

// A place for a debugger breakpoint ("break countGuardedAllocation") to find who allocates.
[[gnu::noinline]] void countGuardedAllocation()
{
    ++guardedAllocations;
    asm volatile("");
}

void* allocate(std::size_t size)
{
    if (guardDepth > 0)
        countGuardedAllocation();
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

void* allocateAligned(std::size_t size, std::align_val_t alignment)
{
    if (guardDepth > 0)
        countGuardedAllocation();
    const auto a = static_cast<std::size_t>(alignment);
    if (void* p = std::aligned_alloc(a, (size + a - 1) / a * a))
        return p;
    throw std::bad_alloc();
}
} // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try { return allocate(size); } catch (...) { return nullptr; }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    try { return allocate(size); } catch (...) { return nullptr; }
}
void* operator new(std::size_t size, std::align_val_t a) { return allocateAligned(size, a); }
void* operator new[](std::size_t size, std::align_val_t a) { return allocateAligned(size, a); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }

namespace zq6::test
{
AllocationGuard::AllocationGuard() : startCount(guardedAllocations)
{
    ++guardDepth;
}

AllocationGuard::~AllocationGuard()
{
    --guardDepth;
}

std::int64_t AllocationGuard::allocations() const
{
    return guardedAllocations - startCount;
}
} // namespace zq6::test
