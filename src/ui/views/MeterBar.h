#pragma once

namespace zq6::ui
{
// One level bar's ballistics: instant rise, an 18 % fall per tick, a peak mark held for 45 ticks,
// and the segments they light.
class MeterBar
{
public:
    static constexpr int holdTicks = 45;

    // Bar position of a linear peak: -36 dBFS and below is 0, 0 dBFS and above is 1.
    static float position(float peak);

    // One refresh tick with the peak read since the last; true when the lit count or the mark moved.
    bool update(float peak, int segmentCount);

    float level() const noexcept { return shown; }
    float heldLevel() const noexcept { return held; }
    int litSegments() const noexcept { return lit; }
    // Index of the segment that shows the held peak, or -1.
    int markSegment() const noexcept { return mark; }

private:
    void follow(float target);
    void hold();

    float shown = 0.0f;
    float held = 0.0f;
    int holdCounter = 0;
    int lit = 0;
    int mark = -1;
};
} // namespace zq6::ui
