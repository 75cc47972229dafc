#pragma once

#include "TailLfoBank.h"
#include "TailTables.h"

#include <array>
#include <vector>

namespace zq6
{
// One 16-line feedback delay network at a fixed size. A size change starts the other instance and
// lets this one ring out, fade and clear itself a slice per chunk before it can be reused.
class TailInstance
{
public:
    enum State : int
    {
        idle = 0,
        active = 1,
        ringingOut = 2,
        fadingOut = 3,
        clearing = 4
    };

    // Ring samples zeroed per chunk while clearing.
    static constexpr int clearingSlice = 16384;

    void prepare(double internalRate);
    // Zeroes everything at once and goes idle.
    void clear() noexcept;

    void start(double size, float inputGain) noexcept;
    // Stops taking input; the tail rings on until it is quiet for one loop.
    void ringOut() noexcept;
    // Fades out in 30 ms so a pending switch can reuse this instance.
    void hurry() noexcept;

    // Per-line gains for a 60 dB decay in the given times; recomputed only when a time changed.
    void setDecays(float lowSeconds, float midSeconds, float highSeconds) noexcept;

    // Adds this instance's output, scaled by its loudness gain, to outLeft/outRight.
    void process(const float* left, const float* right, float* outLeft, float* outRight, int m,
                 const TailLfoBank::Offsets* offsets, float loudnessGain) noexcept;
    // The end-of-chunk state changes: quiet detection, fade end and one clearing slice.
    void finishChunk(int m, float loudnessGain) noexcept;

    State getState() const noexcept { return state; }
    bool isRunning() const noexcept { return state == active || state == ringingOut || state == fadingOut; }
    double getSize() const noexcept { return size; }
    int getSamplesZeroedLastChunk() const noexcept { return zeroedLastChunk; }

private:
    struct Decays
    {
        float low, mid, high;
    };

    void processRun(const float* left, const float* right, float* outLeft, float* outRight, int m,
                    const TailLfoBank::Offsets* offsets, float loudnessGain) noexcept;
    void clearSlice() noexcept;
    void zeroFilters() noexcept;

    double rate = 48000.0;
    float crossover250 = 0.0f, crossover3000 = 0.0f;
    State state = idle;
    double size = 1.0;
    // The rings one after another, each padded by a cache line so that the 16 lines' samples at one
    // index do not all fall into the same cache set.
    std::vector<float> lines;
    int lineLength = 1;
    int lineStride = 1;
    int mask = 0;
    int writeIndex = 0;
    int runLimit = 1;
    std::array<double, tailLineCount> delays {};
    std::array<std::array<float, tailLineCount>, 3> feedbackGains {};
    std::array<float, tailLineCount> lowState {}, midState {};
    Decays gainDecays { 0.0f, 0.0f, 0.0f };
    bool gainsComputed = false;
    float inputGain = 0.0f, inputTarget = 0.0f, outputFade = 1.0f;
    float inputStep = 0.0f, fadeStep = 0.0f;
    int quietSamples = 0;
    float peak = 0.0f;
    int clearLine = 0, clearCursor = 0;
    int zeroedLastChunk = 0;
};
} // namespace zq6
