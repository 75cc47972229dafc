#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

namespace quil
{
// A tiny lock for short copies shared with the message thread: compare-and-swap 0 -> 1,
// 20 immediate retries, then retries that yield the time slice. Holders never wait on anything else.
class SpinLock
{
public:
    void lock() noexcept
    {
        for (int tries = 0; !tryLock(); ++tries)
            if (tries >= 20)
                std::this_thread::yield();
    }

    bool tryLock() noexcept
    {
        int expected = 0;
        return flag.compare_exchange_strong(expected, 1, std::memory_order_acquire, std::memory_order_relaxed);
    }

    void unlock() noexcept { flag.store(0, std::memory_order_release); }

    class ScopedLock
    {
    public:
        explicit ScopedLock(SpinLock& l) noexcept : lockRef(l) { lockRef.lock(); }
        ~ScopedLock() { lockRef.unlock(); }
        ScopedLock(const ScopedLock&) = delete;
        ScopedLock& operator=(const ScopedLock&) = delete;

    private:
        SpinLock& lockRef;
    };

private:
    std::atomic<std::int32_t> flag { 0 };
};
} // namespace quil
