#pragma once

// The kernels' code, included by each build of them. Every function is a template on the build's
// own tag type, which has internal linkage, so no instantiation can be shared with (and picked by the
// linker for) another build. The helpers it calls are always inlined for the same reason.
//
// A build's tag names its vector type Lanes: four floats (SSE) in the baseline build, eight (AVX)
// in the wide one. In the baseline build every lane does exactly the scalar arithmetic in the same
// order, so its results are bit for bit those of plain scalar code.

#include "../dsp/ChunkSize.h"
#include "CubicHermite.h"
#include "EngineKernels.h"
#include "HadamardMix.h"

#include <cmath>

namespace zq6::kernels
{
template <class Build>
constexpr int width = static_cast<int>(sizeof(typename Build::Lanes) / sizeof(float));

template <class Build>
typename Build::Lanes load(const float* x) noexcept
{
    typename Build::Lanes v;
    __builtin_memcpy(&v, x, sizeof v);
    return v;
}

template <class Build>
void store(float* x, typename Build::Lanes v) noexcept
{
    __builtin_memcpy(x, &v, sizeof v);
}

template <class Build>
float largest(float a, float b) noexcept
{
    return a < b ? b : a;
}

// Line i's samples from..m-1 of the chunk, each read at its modulated delay.
template <class Build>
void readLine(const TailChunk& c, int i, int from, float (*y)[tailLineCount], float* sumLeft, float* sumRight) noexcept
{
    const float* data = c.lines + i * c.lineStride;
    const double delay = c.delays[i];
    const float leftSign = tailLeftOutputSign[static_cast<size_t>(i)];
    const float rightSign = tailRightOutputSign[static_cast<size_t>(i)];
    for (int k = from; k < c.m; ++k)
    {
        const auto position = static_cast<double>((c.writeIndex + k) & c.mask)
                              - (delay + static_cast<double>(c.offsets[k * tailLineCount + i]));
        // floor without a library call on baseline x86-64, which lacks a rounding instruction
        const auto truncated = static_cast<int>(position);
        const auto base = truncated - (static_cast<double>(truncated) > position ? 1 : 0);
        const auto f = static_cast<float>(position - static_cast<double>(base));
        const auto value = cubicHermite(data[(base - 1) & c.mask], data[base & c.mask], data[(base + 1) & c.mask],
                                        data[(base + 2) & c.mask], f);
        y[k][i] = value;
        sumLeft[k] += leftSign * value;
        sumRight[k] += rightSign * value;
    }
}

// A build with gathers reads the leading samples of a line several at a time and returns how many
// it read; the rest go through readLine.
template <class Build>
int readLineWide(const TailChunk&, int, float (*)[tailLineCount], float*, float*) noexcept
{
    return 0;
}

template <class Build>
void readChunk(const TailChunk& c, float (*y)[tailLineCount], float* sumLeft, float* sumRight) noexcept
{
    for (int k = 0; k < c.m; ++k)
        sumLeft[k] = sumRight[k] = 0.0f;
    for (int i = 0; i < tailLineCount; ++i)
        readLine<Build>(c, i, readLineWide<Build>(c, i, y, sumLeft, sumRight), y, sumLeft, sumRight);
}

// Sample k's values are mixed[k * tailLineCount + j] for output j of the mix; line i takes output
// (5 i + 3) mod 16.
template <class Build>
void writeChunk(const TailChunk& c, const float* mixed) noexcept
{
    const int ringLength = c.mask + 1;
    const int first = c.m < ringLength - c.writeIndex ? c.m : ringLength - c.writeIndex;
    for (int i = 0; i < tailLineCount; ++i)
    {
        float* data = c.lines + i * c.lineStride;
        const float* source = mixed + tailFeedbackSource(i);
        for (int k = 0; k < first; ++k)
            data[c.writeIndex + k] = source[k * tailLineCount];
        for (int k = first; k < c.m; ++k)
            data[k - first] = source[k * tailLineCount];
    }
}

// The per-sample feedback with the 16 lines in vectors: damping, the Hadamard mix and the values to
// write, kept in the mix's output order so the routing to the lines costs nothing here.
template <class Build>
float tailChunk(const TailChunk& c) noexcept
{
    using Lanes = typename Build::Lanes;
    constexpr auto lanes = static_cast<size_t>(width<Build>);
    constexpr auto vectors = static_cast<size_t>(tailLineCount) / lanes;

    float y[maxChunkSamples][tailLineCount];
    float sumLeft[maxChunkSamples], sumRight[maxChunkSamples];
    readChunk<Build>(c, y, sumLeft, sumRight);

    // The input gains of the line that takes each output of the mix.
    float leftGainByOutput[tailLineCount], rightGainByOutput[tailLineCount];
    for (int i = 0; i < tailLineCount; ++i)
    {
        leftGainByOutput[tailFeedbackSource(i)] = tailLeftInputGain[static_cast<size_t>(i)];
        rightGainByOutput[tailFeedbackSource(i)] = tailRightInputGain[static_cast<size_t>(i)];
    }

    Lanes low[vectors], belowHigh[vectors], gainLow[vectors], gainMid[vectors], gainHigh[vectors];
    Lanes feedbackSign[vectors], leftGain[vectors], rightGain[vectors];
    for (size_t q = 0; q < vectors; ++q)
    {
        const auto line = q * lanes;
        low[q] = load<Build>(c.lowState + line);
        belowHigh[q] = load<Build>(c.midState + line);
        gainLow[q] = load<Build>(c.feedbackGains[0] + line);
        gainMid[q] = load<Build>(c.feedbackGains[1] + line);
        gainHigh[q] = load<Build>(c.feedbackGains[2] + line);
        feedbackSign[q] = load<Build>(tailFeedbackSign.data() + line);
        leftGain[q] = load<Build>(leftGainByOutput + line);
        rightGain[q] = load<Build>(rightGainByOutput + line);
    }

    float mixed[maxChunkSamples * tailLineCount];
    float peak = 0.0f;
    for (int k = 0; k < c.m; ++k)
    {
        Lanes z[vectors];
        for (size_t q = 0; q < vectors; ++q)
        {
            const auto v = load<Build>(y[k] + q * lanes);
            low[q] += c.crossover250 * (v - low[q]);
            belowHigh[q] += c.crossover3000 * (v - belowHigh[q]);
            z[q] = (low[q] * gainLow[q] + (belowHigh[q] - low[q]) * gainMid[q] + (v - belowHigh[q]) * gainHigh[q])
                   * feedbackSign[q];
        }
        hadamard(z);
        const auto xLeft = c.inLeft[k];
        const auto xRight = c.inRight[k];
        for (size_t q = 0; q < vectors; ++q)
            store<Build>(mixed + static_cast<size_t>(k * tailLineCount) + q * lanes,
                         0.25f * (xRight * rightGain[q] + xLeft * leftGain[q]) + 0.25f * z[q]);

        c.outLeft[k] += c.outputGain[k] * sumLeft[k];
        c.outRight[k] += c.outputGain[k] * sumRight[k];
        peak = largest<Build>(peak, largest<Build>(std::abs(sumLeft[k]), std::abs(sumRight[k])));
    }

    for (size_t q = 0; q < vectors; ++q)
    {
        store<Build>(c.lowState + q * lanes, low[q]);
        store<Build>(c.midState + q * lanes, belowHigh[q]);
    }
    writeChunk<Build>(c, mixed);
    return peak;
}

// Adds every tap to outputs [first, first + blocks * lanes), blocks independent sums in registers,
// taking tap i's samples from phase (i mod stride) of the split signal. A build that need not keep
// the tap order splits each sum into two chains, even and odd taps, for twice the throughput.
template <class Build, size_t Blocks>
void firBlocks(const FirOutputs& r, const float* split, int phaseLength, int first) noexcept
{
    using Lanes = typename Build::Lanes;
    constexpr auto lanes = static_cast<size_t>(width<Build>);
    Lanes even[Blocks] = {}, odd[Blocks] = {};
    int i = 0, p = 0, q = 0;
    const auto next = [&] {
        if (++p == r.stride)
            p = 0, ++q;
    };
    if constexpr (!Build::keepsTapOrder)
        for (; i + 1 < r.length; i += 2)
        {
            const float* x = split + p * phaseLength + q + first;
            next();
            const float* y = split + p * phaseLength + q + first;
            next();
            for (size_t b = 0; b < Blocks; ++b)
            {
                even[b] += r.taps[i] * load<Build>(x + b * lanes);
                odd[b] += r.taps[i + 1] * load<Build>(y + b * lanes);
            }
        }
    for (; i < r.length; ++i)
    {
        const float* x = split + p * phaseLength + q + first;
        for (size_t b = 0; b < Blocks; ++b)
            even[b] += r.taps[i] * load<Build>(x + b * lanes);
        next();
    }
    for (size_t b = 0; b < Blocks; ++b)
        store<Build>(r.outputs + first + b * lanes, Build::keepsTapOrder ? even[b] : even[b] + odd[b]);
}

template <class Build>
void firRemainder(const FirOutputs& r, const float* split, int phaseLength, int first) noexcept
{
    for (int o = first; o < r.count; ++o)
    {
        float sum = 0.0f;
        for (int i = 0, p = 0, q = 0; i < r.length; ++i)
        {
            sum += r.taps[i] * split[p * phaseLength + q + o];
            if (++p == r.stride)
                p = 0, ++q;
        }
        r.outputs[o] = sum;
    }
}

template <class Build>
void firOutputs(const FirOutputs& r) noexcept
{
    constexpr int lanes = width<Build>;
    const float* split = r.signal;
    int phaseLength = 0;
    if (r.stride > 1)
    {
        // Split the signal into its stride phases so that each tap meets its outputs' samples one
        // after another.
        const int span = (r.count - 1) * r.stride + r.length;
        phaseLength = (span + r.stride - 1) / r.stride;
        for (int p = 0; p < r.stride; ++p)
            for (int q = 0; q < phaseLength; ++q)
            {
                const int index = q * r.stride + p;
                r.scratch[p * phaseLength + q] = index < span ? r.signal[index] : 0.0f;
            }
        split = r.scratch;
    }
    int first = 0;
    for (; first + 2 * lanes <= r.count; first += 2 * lanes)
        firBlocks<Build, 2>(r, split, phaseLength, first);
    for (; first + lanes <= r.count; first += lanes)
        firBlocks<Build, 1>(r, split, phaseLength, first);
    firRemainder<Build>(r, split, phaseLength, first);
}
} // namespace zq6::kernels
