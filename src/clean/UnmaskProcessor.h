#pragma once

#include "../dsp/Ramp.h"
#include "UnmaskBands.h"
#include "UnmaskFft.h"
#include "UnmaskReduction.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <vector>

namespace zq6
{
// STFT ducking of the wet signal keyed by the dry signal. Frame N, hop N/4, sqrt-Hann analysis
// and synthesis; the output is the wet signal delayed by exactly N samples when nothing is reduced.
class UnmaskProcessor
{
public:
    static constexpr int numBands = UnmaskBands::count;

    void prepare(double hostRate, int frameSize);
    void clear() noexcept;

    // n host samples: wet before Unmask and the clamped dry key in, ducked wet out.
    void process(const float* wetLeft, const float* wetRight, const float* dryLeft, const float* dryRight,
                 float* outLeft, float* outRight, int n, Ramp amount, int speed) noexcept;

    // Published reduction of a band in positive dB (0 = none); any thread.
    float getReductionDb(int band) const noexcept { return reductions[static_cast<std::size_t>(band)].load(std::memory_order_relaxed); }
    std::array<float, numBands> getReductionsDb() const noexcept
    {
        std::array<float, numBands> all {};
        for (int band = 0; band < numBands; ++band)
            all[static_cast<std::size_t>(band)] = getReductionDb(band);
        return all;
    }
    const UnmaskBand& getBand(int band) const noexcept { return layout.bands[static_cast<std::size_t>(band)]; }

private:
    // Real and imaginary parts.
    using Split = std::vector<float>[2];

    void hop(float amount, int speed) noexcept;
    void addQuietFrame() noexcept;
    void analyse(float amount, int speed) noexcept;
    UnmaskLevels measureLevels() const noexcept;
    void applyGains() noexcept;
    void publish(bool reducing) noexcept;
    void emitHop() noexcept;

    double rate = 0.0;
    int frame = 0;
    int hopSize = 0;
    int hopCounter = 0;
    std::vector<float> window;
    std::vector<float> wetRing[2], dryRing[2];
    int inputWrite = 0;
    std::vector<float> accumulator[2];
    std::vector<float> outputRing[2];
    int outputWrite = 0, outputRead = 0;

    UnmaskFft transform;
    float inverseScale = 1.0f;
    Split wetFrame, dryFrame, wetSpectrum, drySpectrum;
    std::vector<float> wetPowers, dryPowers; // per bin below N/2
    std::vector<float> binGains;
    UnmaskBands layout;
    UnmaskReduction reduction;
    std::array<std::atomic<float>, numBands> reductions {};
};
} // namespace zq6
