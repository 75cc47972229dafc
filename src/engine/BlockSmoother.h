#pragma once

namespace zq6
{
// The chunk-start and chunk-end values of a smoothed quantity; stages that need sample accuracy
// ramp linearly between them.
struct Ramp
{
    float start = 0.0f;
    float end = 0.0f;

    // Value at sample j of n, using the fraction (j + 1) / n.
    float at(int j, int n) const noexcept { return start + (end - start) * static_cast<float>(j + 1) / static_cast<float>(n); }
};

// One-pole smoother advanced once per chunk: new = k (old - target) + target, k = exp(-n / (rate tau)).
// In the log domain it smooths ln(target) and exponentiates.
class BlockSmoother
{
public:
    void setup(double hostRate, float tauSeconds, bool logDomain);
    void reset() noexcept { initialised = false; }
    bool isInitialised() const noexcept { return initialised; }

    // Moves toward target over a chunk of n samples; returns the chunk's start and end values.
    Ramp advance(float target, int n) noexcept;
    float current() const noexcept;

private:
    float coefficientFor(int n) noexcept;

    double rate = 48000.0;
    float tau = 0.02f;
    bool logDomain = false;
    bool initialised = false;
    float value = 0.0f; // ln(value) in the log domain
    int cachedLength = -1;
    float cachedCoefficient = 0.0f;
};
} // namespace zq6
