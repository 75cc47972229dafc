#pragma once

#include "../dsp/ChunkSize.h"

#include <cstdint>
#include <vector>

namespace zq6
{
// Kaiser-windowed polyphase decimator and interpolator that move the reverb feed down to the
// internal rate and the wet signal back up. The round trip delays by (taps - 1) host samples.
class RateConverter
{
public:
    // factor 1 disables conversion.
    void prepare(int decimationFactor);
    void clear() noexcept;

    int getFactor() const noexcept { return factor; }
    int getNumTaps() const noexcept { return numTaps; }
    // Round-trip latency in internal samples.
    int latencyInternalSamples() const noexcept { return factor > 1 ? (numTaps - 1) / factor : 0; }

    // Filters n host samples per side and keeps every factor-th output; returns the count written.
    int decimate(const float* left, const float* right, int n, float* outLeft, float* outRight) noexcept;
    // Turns m internal samples into m * factor host samples in the output ring.
    void interpolate(const float* left, const float* right, int m) noexcept;
    // Reads the next n host samples of the output ring.
    void read(float* left, float* right, int n) noexcept;

    // The prototype low-pass, normalised to unit sum (exposed for tests).
    static std::vector<double> designPrototype(int factor);

private:
    struct Side
    {
        std::vector<float> decimatorHistory, interpolatorHistory;
        float ring[256] {};
    };

    int factor = 1;
    int numTaps = 1;
    int decimatorLength = 0; // padded to a multiple of 8
    int phaseLength = 0;     // per interpolator phase, padded to a multiple of 8
    std::vector<float> decimatorTaps; // reversed, zero padded at the front
    std::vector<float> phaseTaps;     // factor phases of phaseLength, reversed, scaled by factor
    Side sides[2];
    std::vector<float> firScratch; // the decimator's history split into its factor phases
    int phase = 0;
    std::uint8_t writeIndex = 0, readIndex = 0;
};
} // namespace zq6
