#pragma once

#include <functional>

namespace zq6::test
{
// Runs the message loop on the calling (message) thread for about `milliseconds`: timers fire,
// repaints and posted calls run.
void pumpMessages(int milliseconds);

// Runs the message loop until the condition holds or the time is up; returns the condition.
bool pumpMessagesUntil(const std::function<bool()>& condition, int timeoutMs = 10000);
} // namespace zq6::test
