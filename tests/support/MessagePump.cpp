#include "MessagePump.h"

#include <juce_events/juce_events.h>

namespace juce
{
// One step of the message loop, declared as JUCE's own Linux plug-in client declares it: the
// shipped code is built without modal loops, so the tests pump with this instead.
bool dispatchNextMessageOnSystemQueue(bool returnIfNoPendingMessages);
} // namespace juce

namespace zq6::test
{
void pumpMessages(int milliseconds)
{
    const auto end = juce::Time::currentTimeMillis() + milliseconds;
    do
    {
        if (!juce::dispatchNextMessageOnSystemQueue(true))
            juce::Thread::sleep(1);
    } while (juce::Time::currentTimeMillis() < end);
}

bool pumpMessagesUntil(const std::function<bool()>& condition, int timeoutMs)
{
    const auto end = juce::Time::getMillisecondCounter() + static_cast<juce::uint32>(timeoutMs);
    while (!condition())
    {
        if (juce::Time::getMillisecondCounter() >= end)
            return condition();
        pumpMessages(5);
    }
    return true;
}
} // namespace zq6::test
