#pragma once

#include <gtest/gtest.h>

namespace zq6::test
{
// Whether an X display answers: windows on the desktop, focus and real mouse events need one.
bool hasDisplay();
} // namespace zq6::test

// Skips the running test, saying why, when there is no display.
#define ZQ6_SKIP_WITHOUT_DISPLAY()                                                                                     \
    if (!::zq6::test::hasDisplay())                                                                                    \
    GTEST_SKIP() << "needs a display; run under xvfb-run -a"
