#pragma once

#include <juce_core/juce_core.h>

#include <atomic>
#include <functional>

namespace quil::http
{
// Ends a running request from the outside: when its cancel check fires or its deadline passes,
// it records why and aborts the stream, then stops.
class StreamWatchdog : private juce::Thread
{
public:
    enum class Reason : int
    {
        none,
        timedOut,
        cancelled
    };

    StreamWatchdog(juce::uint32 deadlineTicks, std::function<bool()> shouldCancel, std::function<void()> abortStream);
    ~StreamWatchdog() override;

    void start();
    // Tells the thread to end and waits up to 3 s for it.
    void stop();
    Reason reason() const noexcept { return recorded.load(); }

    static constexpr int pollIntervalMs = 25;

private:
    void run() override;
    bool deadlineReached() const noexcept;

    const juce::uint32 deadline;
    const std::function<bool()> shouldCancel;
    const std::function<void()> abortStream;
    std::atomic<Reason> recorded { Reason::none };
};
} // namespace quil::http
