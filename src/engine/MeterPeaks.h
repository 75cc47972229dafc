#pragma once

#include <array>
#include <atomic>

namespace zq6
{
// Largest absolute samples since the editor last read them: input left/right, output left/right.
// The audio thread raises them; the editor reads and clears each with an exchange.
struct MeterPeaks
{
    enum Index
    {
        inputLeft = 0,
        inputRight = 1,
        outputLeft = 2,
        outputRight = 3
    };

    std::atomic<float> peaks[4] { {0.0f}, {0.0f}, {0.0f}, {0.0f} };

    void raise(int index, float value) noexcept
    {
        if (value > peaks[index].load(std::memory_order_relaxed))
            peaks[index].store(value, std::memory_order_relaxed);
    }

    float readAndClear(int index) noexcept { return peaks[index].exchange(0.0f, std::memory_order_relaxed); }

    // All four in index order, each reported once.
    std::array<float, 4> readAndClearAll() noexcept
    {
        return { readAndClear(inputLeft), readAndClear(inputRight), readAndClear(outputLeft), readAndClear(outputRight) };
    }
};
} // namespace zq6
