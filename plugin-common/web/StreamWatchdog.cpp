#include "StreamWatchdog.h"

namespace quil::http
{
StreamWatchdog::StreamWatchdog(juce::uint32 deadlineTicks, std::function<bool()> cancelCheck,
                               std::function<void()> abort)
    : juce::Thread("QUIL_NetWatchdog"),
      deadline(deadlineTicks),
      shouldCancel(std::move(cancelCheck)),
      abortStream(std::move(abort))
{
}

StreamWatchdog::~StreamWatchdog()
{
    stop();
}

void StreamWatchdog::start()
{
    startThread();
}

void StreamWatchdog::stop()
{
    signalThreadShouldExit();
    notify();
    stopThread(3000);
}

bool StreamWatchdog::deadlineReached() const noexcept
{
    // Signed difference, so the tick counter may wrap.
    return static_cast<juce::int32>(juce::Time::getMillisecondCounter() - deadline) >= 0;
}

void StreamWatchdog::run()
{
    while (!threadShouldExit())
    {
        auto reason = Reason::none;
        if (shouldCancel())
            reason = Reason::cancelled;
        else if (deadlineReached())
            reason = Reason::timedOut;

        if (reason != Reason::none)
        {
            recorded.store(reason);
            abortStream();
            return;
        }
        wait(pollIntervalMs);
    }
}
} // namespace quil::http
