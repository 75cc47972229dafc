#pragma once

namespace zq6::ui
{
// The raised cap of a two-segment group gliding from one segment (0) to the other (1), easing out
// over 140 ms.
class CapSlide
{
public:
    static constexpr double durationMs = 140.0;
    static constexpr int frameMs = 16;

    void jumpTo(float target) noexcept;
    void start(float target, double nowMs) noexcept;
    // Moves the cap to where it is at `nowMs`; false once it has arrived.
    bool advance(double nowMs) noexcept;

    float position() const noexcept { return current; }
    bool isRunning() const noexcept { return running; }

private:
    float from = 0.0f;
    float to = 0.0f;
    float current = 0.0f;
    double startMs = 0.0;
    bool running = false;
};
} // namespace zq6::ui
