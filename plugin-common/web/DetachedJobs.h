#pragma once

#include <functional>

namespace quil::web
{
enum class LibraryPhase : int
{
    startingUp = 0,
    running = 1,
    tearingDown = 2
};

// The library's own life: starting up until its static objects exist, tearing down once they
// are being destroyed. Jobs are launched only while it runs.
LibraryPhase libraryPhase() noexcept;
void setLibraryPhase(LibraryPhase phase) noexcept;

// Runs the job on a new native thread that keeps the library loaded. False when the library is
// starting up or tearing down, or no thread could be started.
bool launchDetached(std::function<void()> job);

// Background jobs still running.
int detachedJobCount() noexcept;
} // namespace quil::web
