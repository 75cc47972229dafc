#pragma once

namespace zq6
{
// One-pole follower with separate attack and release times: e = (e - x) k + x + 1e-18.
class ShapingFollower
{
public:
    void setup(double rate, double attackSeconds, double releaseSeconds) noexcept;
    void reset(float value) noexcept { state = value; }
    float value() const noexcept { return state; }

    // Envelope: attacks while rising toward x.
    float followRise(float x) noexcept { return step(x, state < x ? attack : release); }
    // Gain: attacks while falling toward the target.
    float followFall(float target) noexcept { return step(target, target < state ? attack : release); }

private:
    float step(float x, float k) noexcept
    {
        state = (state - x) * k + x + 1.0e-18f;
        return state;
    }

    float attack = 0.0f, release = 0.0f;
    float state = 0.0f;
};
} // namespace zq6
