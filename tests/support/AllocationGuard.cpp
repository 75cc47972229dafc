#include "AllocationGuard.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <dlfcn.h>
#include <execinfo.h>
#include <new>

// ThreadSanitizer brings its own allocator and operators; there the guard counts nothing and the
// normal build does the counting.
#if defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define ZQ6_ALLOCATOR_OWNED_BY_SANITIZER 1
#endif
#endif

namespace
{
thread_local int guardDepth = 0;
thread_local std::int64_t guardedAllocations = 0;
thread_local std::size_t largestGuarded = 0;
thread_local std::int64_t failingFrom = -1;
thread_local bool inspecting = false;
std::atomic<const void*> moduleFilter { nullptr };

bool calledFromFilteredModule()
{
    const auto* module = moduleFilter.load();
    if (module == nullptr)
        return true;
    if (inspecting)
        return false;
    inspecting = true;
    void* frames[48];
    const auto count = backtrace(frames, 48);
    bool found = false;
    for (int i = 2; i < count && !found; ++i)
    {
        Dl_info info;
        found = dladdr(frames[i], &info) != 0 && info.dli_fbase == module;
    }
    inspecting = false;
    return found;
}

#ifndef ZQ6_ALLOCATOR_OWNED_BY_SANITIZER
// A place for a debugger breakpoint ("break countGuardedAllocation") to find who allocates.
[[gnu::noinline]] void countGuardedAllocation(std::size_t size)
{
    largestGuarded = std::max(largestGuarded, size);
    if (failingFrom >= 0 && guardedAllocations >= failingFrom)
        throw std::bad_alloc();
    ++guardedAllocations;
    asm volatile("");
}

void* allocate(std::size_t size)
{
    if (guardDepth > 0 && calledFromFilteredModule())
        countGuardedAllocation(size);
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

void* allocateAligned(std::size_t size, std::align_val_t alignment)
{
    if (guardDepth > 0 && calledFromFilteredModule())
        countGuardedAllocation(size);
    const auto a = static_cast<std::size_t>(alignment);
    if (void* p = std::aligned_alloc(a, (size + a - 1) / a * a))
        return p;
    throw std::bad_alloc();
}
#endif
} // namespace

#ifndef ZQ6_ALLOCATOR_OWNED_BY_SANITIZER
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
#endif

#ifdef ZQ6_WRAPPED_MALLOC
// The framework's memory blocks come from malloc, not from operator new: the test program is linked
// with these in malloc's place, so that a guard sees their sizes too (they are not counted as
// allocations, and never made to fail).
extern "C"
{
void* __real_malloc(std::size_t size);
void* __real_calloc(std::size_t count, std::size_t size);
void* __real_realloc(void* p, std::size_t size);

void* __wrap_malloc(std::size_t size)
{
    if (guardDepth > 0)
        largestGuarded = std::max(largestGuarded, size);
    return __real_malloc(size);
}

void* __wrap_calloc(std::size_t count, std::size_t size)
{
    if (guardDepth > 0)
        largestGuarded = std::max(largestGuarded, count * size);
    return __real_calloc(count, size);
}

void* __wrap_realloc(void* p, std::size_t size)
{
    if (guardDepth > 0)
        largestGuarded = std::max(largestGuarded, size);
    return __real_realloc(p, size);
}
}
#endif

namespace zq6::test
{
void AllocationGuard::countOnlyFromModuleOf(const void* address)
{
    Dl_info info;
    if (dladdr(address, &info) == 0)
        return;
    void* warmUp[4];
    backtrace(warmUp, 4); // loads the unwinder now, not inside a guarded allocation
    moduleFilter.store(info.dli_fbase);
}

AllocationGuard::AllocationGuard() : startCount(guardedAllocations), largestBefore(largestGuarded)
{
    ++guardDepth;
    largestGuarded = 0;
}

AllocationGuard::~AllocationGuard()
{
    --guardDepth;
    failingFrom = -1;
    largestGuarded = std::max(largestGuarded, largestBefore);
}

bool AllocationGuard::countsAllocations()
{
#ifdef ZQ6_ALLOCATOR_OWNED_BY_SANITIZER
    return false;
#else
    return true;
#endif
}

std::size_t AllocationGuard::largestAllocation() const
{
    return largestGuarded;
}

void AllocationGuard::failFrom(std::int64_t index)
{
    failingFrom = startCount + index;
}

std::int64_t AllocationGuard::allocations() const
{
    return guardedAllocations - startCount;
}
} // namespace zq6::test
