#pragma once

#include "../../plugin-common/SpinLock.h"

#include <juce_core/juce_core.h>

#include <atomic>
#include <cstdint>
#include <vector>

namespace zq6
{
// Single-producer single-consumer feed of Learn: the audio thread writes one value per input
// sample (the largest magnitude across channels), the Learn timer drains it.
class LearnCapture
{
public:
    enum State : int
    {
        off = 0,
        restart = 1,
        capturing = 2
    };

    LearnCapture();

    // Message thread, with the audio callback stopped. Returns true when the rate moved by more
    // than 0.5 Hz since the last preparation, so that a running Learn must be cancelled.
    bool prepare(double sampleRate);

    // Audio thread: never locks, never allocates; the surplus of a full ring is dropped and counted.
    void write(const float* const* channels, int numChannels, int numSamples) noexcept;

    // Reader side (message thread), under the lock. Samples ready once `dropped` has been read all
    // came before the drops it counts: the writer counts a drop only after writing what preceded it.
    int ready() const noexcept;
    int read(float* destination, int maxSamples) noexcept;
    int capacity() const noexcept;

    std::atomic<int> state { off };
    std::atomic<std::int64_t> dropped { 0 };
    std::atomic<double> lastRate { 0.0 };
    quil::SpinLock lock;

private:
    std::vector<float> buffer;
    juce::AbstractFifo fifo { 1 };
};
} // namespace zq6
