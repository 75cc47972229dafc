#include "MessagePump.h"

#include <juce_events/juce_events.h>

namespace juce
{
// The framework's own loop step; its timed loop is compiled only where modal loops are allowed.
bool dispatchNextMessageOnSystemQueue(bool returnIfNoPendingMessages);
} // namespace juce

namespace zq6::test
{
void pumpMessages(int milliseconds)
{
    const auto end = juce::Time::getMillisecondCounter() + static_cast<juce::uint32>(milliseconds);
    while (juce::Time::getMillisecondCounter() < end)
        if (!juce::dispatchNextMessageOnSystemQueue(true))
            juce::Thread::sleep(1);
}
} // namespace zq6::test
