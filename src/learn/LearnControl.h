#pragma once

#include <atomic>

namespace zq6
{
enum class LearnState : int
{
    idle = 0,
    listening = 1,
    cancelRequested = 2
};

enum class LearnStatus : int
{
    none = 0,
    listening = 1,
    learned = 2,
    cancelled = 3
};

// What the audio thread and the editor read of the Learn cycle, lock-free.
struct LearnControl
{
    std::atomic<int> state { static_cast<int>(LearnState::idle) };
    std::atomic<int> status { static_cast<int>(LearnStatus::none) };
    std::atomic<float> progress { 0.0f };
    std::atomic<bool> waitingForSignal { false };

    LearnState getState() const noexcept { return static_cast<LearnState>(state.load()); }
    bool isIdle() const noexcept { return getState() == LearnState::idle; }
    bool isListening() const noexcept { return getState() == LearnState::listening; }

    // Listening -> CancelRequested; returns true when Learn was listening.
    bool requestCancel() noexcept
    {
        int expected = static_cast<int>(LearnState::listening);
        return state.compare_exchange_strong(expected, static_cast<int>(LearnState::cancelRequested));
    }
};
} // namespace zq6
