#pragma once

namespace zq6::test
{
// Plug-in hosts install their own X error handler; this test binary is the host here. Without one,
// Xlib ends the process on the first harmless error, such as a window-type hint on a display with no
// window manager (Xvfb). Does nothing where there is no X library.
void tolerateXErrors();
} // namespace zq6::test
