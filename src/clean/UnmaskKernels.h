#pragma once

#include "UnmaskBands.h"

namespace zq6
{
// One butterfly level of the transform over split real and imaginary arrays, in place.
struct UnmaskButterflies
{
    float* re;
    float* im;
    int size;
    int radix;              // 4 or 2
    int length;             // butterflies per block
    const float* twiddles[6]; // per butterfly input q = 1..radix-1: real run, imaginary run, length entries each
    float turn;             // -1 for the inverse
};

// The innermost level, read straight from the input so the reordering costs no pass of its own:
// group j takes inputs j, j + size/radix, ... and writes its radix outputs from targets[j] on.
struct UnmaskLeaves
{
    const float* inRe;
    const float* inIm;
    float* re;
    float* im;
    int size;
    int radix;
    const int* targets;
    float twiddles[6]; // the first entry of each run; every leaf uses the same ones
    float turn;
};

// The last frame of the four input rings (wet left, wet right, dry left, dry right) times the
// window; start is the oldest sample's index.
struct UnmaskFrameLoad
{
    const float* rings[4];
    const float* window;
    int frame;
    int start;
    float* frames[4];
};

// Per bin b in 1..frame/2 - 1: (|Z_b|^2 + |Z_frame-b|^2) / 2.
struct UnmaskBinPowers
{
    const float* re;
    const float* im;
    int frame;
    float* powers;
};

// Every bin and its mirror times the gain interpolated from the band reductions.
struct UnmaskGains
{
    const int* lowerBands;   // per bin, frame/2 + 1 entries
    const float* fractions;  // per bin
    const float* reductionDb;
    float* gains;            // frame/2 + 1 entries
    float* re;
    float* im;
    int frame;
};

// The inverse transform's output, scaled and windowed, added into the accumulators.
struct UnmaskOverlapAdd
{
    const float* re;
    const float* im; // re again for a mono wet
    const float* window;
    float outputScale; // the transform's own 1/N
    float weight;      // times the window
    int frame;
    float* left;
    float* right;
};

struct UnmaskKernels
{
    void (*leaves)(const UnmaskLeaves&) noexcept;
    void (*butterflies)(const UnmaskButterflies&) noexcept;
    // Returns whether the wet frame is mono (left equals right everywhere).
    bool (*loadFrames)(const UnmaskFrameLoad&) noexcept;
    void (*binPowers)(const UnmaskBinPowers&) noexcept;
    void (*applyGains)(const UnmaskGains&) noexcept;
    void (*overlapAdd)(const UnmaskOverlapAdd&) noexcept;

    // The build CpuDispatch selects now.
    static const UnmaskKernels& active() noexcept;
};

extern const UnmaskKernels unmaskBaselineKernels;
extern const UnmaskKernels unmaskAvx2FmaKernels;
} // namespace zq6
