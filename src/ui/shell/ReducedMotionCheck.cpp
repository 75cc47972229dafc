#include "ReducedMotionCheck.h"

#if JUCE_WINDOWS
 #include <windows.h>
#endif

namespace zq6::ui
{
namespace
{
// A changed desktop setting is noticed within this time.
constexpr double staleAfterMs = 10000.0;
constexpr int stopTimeoutMs = 4000;
} // namespace

ReducedMotionCheck::ReducedMotionCheck() : juce::Thread("ZQ-6 motion setting")
{
    refreshIfStale();
}

ReducedMotionCheck::~ReducedMotionCheck()
{
    stopThread(stopTimeoutMs);
}

bool ReducedMotionCheck::prefersReducedMotion()
{
    refreshIfStale();
    return answer.load(std::memory_order_relaxed) == reduced;
}

void ReducedMotionCheck::refreshIfStale()
{
    const auto now = juce::Time::getMillisecondCounterHiRes();
    if (lastReadMs > 0.0 && now - lastReadMs < staleAfterMs)
        return;
#if JUCE_WINDOWS
    answer.store(readDesktopSetting(), std::memory_order_relaxed);
    lastReadMs = now;
#else
    if (isThreadRunning())
        return;
    lastReadMs = now;
    startThread();
#endif
}

void ReducedMotionCheck::run()
{
    answer.store(readDesktopSetting(), std::memory_order_relaxed);
}

#if JUCE_WINDOWS
ReducedMotionCheck::Answer ReducedMotionCheck::readDesktopSetting()
{
    using Query = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT);
    static const auto query = [] {
        const auto user32 = GetModuleHandleW(L"user32.dll");
        return user32 != nullptr ? reinterpret_cast<Query>(GetProcAddress(user32, "SystemParametersInfoW")) : nullptr;
    }();
    BOOL animate = TRUE;
    if (query == nullptr || !query(SPI_GETCLIENTAREAANIMATION, 0, &animate, 0))
        return unknown;
    return animate ? allowed : reduced;
}
#elif JUCE_LINUX || JUCE_BSD
ReducedMotionCheck::Answer ReducedMotionCheck::readDesktopSetting()
{
    constexpr int settingTimeoutMs = 2000;
    juce::ChildProcess gsettings;
    if (!gsettings.start("gsettings get org.gnome.desktop.interface enable-animations",
                         juce::ChildProcess::wantStdOut))
        return unknown;
    if (!gsettings.waitForProcessToFinish(settingTimeoutMs))
    {
        gsettings.kill();
        return unknown;
    }
    const auto reply = gsettings.readAllProcessOutput().trim();
    if (gsettings.getExitCode() != 0)
        return unknown;
    return reply == "false" ? reduced : reply == "true" ? allowed : unknown;
}
#else
ReducedMotionCheck::Answer ReducedMotionCheck::readDesktopSetting()
{
    return unknown;
}
#endif
} // namespace zq6::ui
