#pragma once

#include "TailTables.h"

namespace zq6
{
// One chunk of one tail instance, read all at once and then fed back sample by sample: every line
// is longer than a chunk even at full modulation, so no read in the chunk needs a sample the chunk
// writes.
struct TailChunk
{
    float* lines;            // tailLineCount rings, lineStride apart
    int lineStride;
    int mask;                // ring length - 1
    int writeIndex;
    const double* delays;    // per line, samples
    const float* offsets;    // m x tailLineCount modulation offsets, samples
    const float* feedbackGains[3]; // low, mid, high, per line
    float* lowState;         // per line one-pole states
    float* midState;
    float crossover250, crossover3000;
    const float* inLeft;     // the chunk's input, already times the input gain
    const float* inRight;
    const float* outputGain; // per sample
    float* outLeft;          // added to
    float* outRight;
    int m;
};

// outputs[o] = sum over i < length of taps[i] * signal[o * stride + i], for o < count (<= maxChunkSamples),
// each sum taken in tap order. scratch holds (count - 1) * stride + length + stride floats.
struct FirOutputs
{
    const float* taps;
    int length;
    const float* signal;
    int stride;
    int count;
    float* outputs;
    float* scratch;
};

struct EngineKernels
{
    // Returns the chunk's largest absolute output sum.
    float (*tailChunk)(const TailChunk&) noexcept;
    void (*firOutputs)(const FirOutputs&) noexcept;

    // The build CpuDispatch selects now.
    static const EngineKernels& active() noexcept;
};

extern const EngineKernels baselineKernels;
extern const EngineKernels avx2FmaKernels;
} // namespace zq6
