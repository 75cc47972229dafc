#include "CapSlide.h"

namespace zq6::ui
{
void CapSlide::jumpTo(float target) noexcept
{
    from = to = current = target;
    running = false;
}

void CapSlide::start(float target, double nowMs) noexcept
{
    from = current;
    to = target;
    startMs = nowMs;
    running = true;
}

bool CapSlide::advance(double nowMs) noexcept
{
    if (!running)
        return false;
    const auto t = (nowMs - startMs) / durationMs;
    if (t >= 1.0)
    {
        jumpTo(to);
        return false;
    }
    const auto remaining = 1.0 - (t < 0.0 ? 0.0 : t);
    current = from + (to - from) * static_cast<float>(1.0 - remaining * remaining * remaining);
    return true;
}
} // namespace zq6::ui
