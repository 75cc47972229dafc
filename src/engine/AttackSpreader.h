#pragma once

#include "../params/ParameterTable.h"
#include "DelayRing.h"

#include <array>

namespace zq6
{
// Fades the tail in over the attack time: the input is spread over up to 49 taps with rising
// weights, normalised to constant energy. An attack of 0 passes the input straight.
class AttackSpreader
{
public:
    static constexpr int tapCount = 49;
    static constexpr float maximumMs = spec(Param::attack).range.end;
    using Gains = std::array<float, tapCount>;

    // Tap times in ms: evenly spread over 0 to 250 ms with a fixed jitter.
    static const std::array<double, tapCount>& tapTimesMs() noexcept;
    // Gains for an attack of attackMs; returns the number of taps in use (unused gains are 0).
    static int tapGains(double attackMs, Gains& gains) noexcept;

    void prepare(double internalRate);
    void clear() noexcept;
    // In place. The attack moves toward its target by at most 250 ms per second of audio.
    void process(float* left, float* right, int m, float attackMs) noexcept;

    double getAttackMs() const noexcept { return attack; }

private:
    void spread(float* left, float* right, int m, const Gains& next, int taps) noexcept;

    double rate = 48000.0;
    std::array<int, tapCount> tapDelays {};
    DelayRing historyLeft, historyRight;
    double attack = 0.0;
    bool initialised = false;
    Gains gains {};
    int gainCount = 1;
};
} // namespace zq6
