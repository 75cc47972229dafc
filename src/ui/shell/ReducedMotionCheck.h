#pragma once

#include <juce_core/juce_core.h>

#include <atomic>

namespace zq6::ui
{
// Whether the desktop asks for reduced motion. On Linux the answer is read from GNOME's
// animation setting on a background thread and kept for a while; on Windows it is the client-area
// animation setting. When the answer is unknown, animations are allowed.
class ReducedMotionCheck : private juce::Thread
{
public:
    ReducedMotionCheck();
    ~ReducedMotionCheck() override;

    bool prefersReducedMotion();

private:
    enum Answer
    {
        unknown,
        allowed,
        reduced
    };

    void run() override;
    void refreshIfStale();
    static Answer readDesktopSetting();

    std::atomic<int> answer { unknown };
    double lastReadMs = 0.0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ReducedMotionCheck)
};
} // namespace zq6::ui
