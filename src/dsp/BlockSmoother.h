#pragma once

#include "Ramp.h"

#include <limits>

namespace zq6
{
// One-pole smoother advanced once per chunk: new = k (old - target) + target, k = exp(-n / (rate tau)).
// In the log domain it smooths ln(target) and exponentiates.
class BlockSmoother
{
public:
    BlockSmoother() = default;
    BlockSmoother(float tauSeconds, bool useLogDomain) noexcept : tau(tauSeconds), logDomain(useLogDomain) {}

    void prepare(double hostRate) noexcept;
    // The next advance jumps to its target.
    void clear() noexcept { initialised = false; }
    bool isInitialised() const noexcept { return initialised; }

    // Moves toward target over a chunk of n samples; returns the chunk's start and end values.
    Ramp advance(float target, int n) noexcept;
    float current() const noexcept;

private:
    float coefficientFor(int n) noexcept;
    float logOf(float target) noexcept;
    float expOf(float x) noexcept;

    double rate = 48000.0;
    float tau = 0.02f;
    bool logDomain = false;
    bool initialised = false;
    float value = 0.0f; // ln(value) in the log domain
    int cachedLength = -1;
    float cachedCoefficient = 0.0f;
    float lastTarget = std::numeric_limits<float>::quiet_NaN(), lastLog = 0.0f;
    float lastExponent = std::numeric_limits<float>::quiet_NaN(), lastExp = 0.0f;
};
} // namespace zq6
