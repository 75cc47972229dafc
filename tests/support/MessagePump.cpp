#include "MessagePump.h"

#include <juce_events/juce_events.h>

namespace zq6::test
{
void pumpMessages(int milliseconds)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil(milliseconds);
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
