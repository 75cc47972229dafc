#pragma once

namespace zq6::test
{
// Runs the message loop on the calling (message) thread for about `milliseconds`: timers fire,
// repaints and posted calls run.
void pumpMessages(int milliseconds);
} // namespace zq6::test
