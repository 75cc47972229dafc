#include "LearnCapture.h"

#include <cmath>

namespace zq6
{
LearnCapture::LearnCapture() = default;

bool LearnCapture::prepare(double sampleRate)
{
    const quil::SpinLock::ScopedLock scoped(lock);
    const bool rateMoved = std::abs(sampleRate - lastRate.load()) > 0.5;
    if (rateMoved)
        state.store(off);

    const auto newCapacity = std::max(4096, static_cast<int>(std::ceil(2.0 * sampleRate)));
    if (newCapacity != static_cast<int>(buffer.size()))
    {
        state.store(off);
        buffer.assign(static_cast<size_t>(newCapacity), 0.0f);
        fifo.setTotalSize(newCapacity);
        fifo.reset();
    }
    lastRate.store(sampleRate);
    return rateMoved;
}

int LearnCapture::capacity() const noexcept
{
    return static_cast<int>(buffer.size());
}

void LearnCapture::write(const float* const* channels, int numChannels, int numSamples) noexcept
{
    auto current = state.load(std::memory_order_acquire);
    if (current == off || numChannels <= 0 || buffer.empty())
        return;
    if (current == restart)
    {
        fifo.reset();
        state.store(capturing, std::memory_order_release);
    }

    const auto toWrite = std::min(numSamples, fifo.getFreeSpace());
    const auto scope = fifo.write(toWrite);
    auto writeRange = [&](int start, int size, int sourceOffset) {
        for (int i = 0; i < size; ++i)
        {
            float best = channels[0][sourceOffset + i];
            for (int c = 1; c < numChannels; ++c)
            {
                const auto candidate = channels[c][sourceOffset + i];
                if (std::abs(candidate) > std::abs(best))
                    best = candidate;
            }
            buffer[static_cast<size_t>(start + i)] = best;
        }
    };
    writeRange(scope.startIndex1, scope.blockSize1, 0);
    writeRange(scope.startIndex2, scope.blockSize2, scope.blockSize1);
    if (toWrite < numSamples)
        dropped.fetch_add(numSamples - toWrite, std::memory_order_release);
}

int LearnCapture::ready() const noexcept
{
    return fifo.getNumReady();
}

int LearnCapture::read(float* destination, int maxSamples) noexcept
{
    const auto scope = fifo.read(std::min(maxSamples, fifo.getNumReady()));
    std::copy_n(buffer.data() + scope.startIndex1, scope.blockSize1, destination);
    std::copy_n(buffer.data() + scope.startIndex2, scope.blockSize2, destination + scope.blockSize1);
    return scope.blockSize1 + scope.blockSize2;
}
} // namespace zq6
