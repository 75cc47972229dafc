#include "TailInstance.h"

#include "../dsp/ChunkSize.h"
#include "EngineKernels.h"

#include <algorithm>
#include <cmath>

namespace zq6
{
namespace
{
constexpr double twoPi = 2.0 * 3.14159265358979323846;
// Ring length in seconds: the longest line at the largest size plus the deepest modulation.
constexpr double ringSeconds = tailLongestLineSeconds * tailLargestSize + tailMaximumModulationSeconds;
constexpr float quietLevel = 1.0e-5f;
constexpr int linePadding = 16;

float crossover(double rate, double hz)
{
    return static_cast<float>(1.0 - std::exp(-twoPi * std::min(0.49 * rate, hz) / rate));
}

float moveToward(float value, float target, float step) noexcept
{
    return value < target ? std::min(target, value + step) : std::max(target, value - step);
}
} // namespace

void TailInstance::prepare(double internalRate)
{
    rate = internalRate;
    crossover250 = crossover(rate, 250.0);
    crossover3000 = crossover(rate, 3000.0);
    inputStep = static_cast<float>(1.0 / (rate * 0.008));
    fadeStep = static_cast<float>(1.0 / (rate * 0.03));

    const auto minimum = static_cast<int>(std::ceil(rate * ringSeconds)) + 16;
    lineLength = 1;
    while (lineLength < minimum)
        lineLength <<= 1;
    mask = lineLength - 1;
    lineStride = lineLength + linePadding;
    lines.assign(static_cast<size_t>(lineStride) * tailLineCount, 0.0f);
    clear();
}

void TailInstance::clear() noexcept
{
    std::fill(lines.begin(), lines.end(), 0.0f);
    writeIndex = 0;
    zeroFilters();
    state = idle;
    size = 1.0;
    gainsComputed = false;
    inputGain = inputTarget = 0.0f;
    outputFade = 1.0f;
    quietSamples = 0;
    peak = 0.0f;
    clearLine = clearCursor = 0;
    zeroedLastChunk = 0;
}

void TailInstance::zeroFilters() noexcept
{
    lowState.fill(0.0f);
    midState.fill(0.0f);
}

void TailInstance::start(double newSize, float startInputGain) noexcept
{
    state = active;
    size = newSize;
    for (int i = 0; i < tailLineCount; ++i)
        delays[static_cast<size_t>(i)] = tailDelayLengths[static_cast<size_t>(i)] / tailBaseRate * rate * size;
    // A run reads all its samples before it writes any, so it must end before the shortest
    // modulated read reaches the run's first write (only ever shorter than a chunk at very low rates).
    const auto shortestRead = static_cast<int>(std::floor(delays[0] - rate * tailMaximumModulationSeconds));
    runLimit = std::clamp(shortestRead - 3, 1, maxChunkSamples);
    gainsComputed = false;
    inputGain = startInputGain;
    inputTarget = 1.0f;
    outputFade = 1.0f;
    quietSamples = 0;
    peak = 0.0f;
}

void TailInstance::ringOut() noexcept
{
    state = ringingOut;
    inputTarget = 0.0f;
    quietSamples = 0;
}

void TailInstance::hurry() noexcept
{
    state = fadingOut;
}

void TailInstance::setDecays(float low, float mid, float high) noexcept
{
    if (gainsComputed && gainDecays.low == low && gainDecays.mid == mid && gainDecays.high == high)
        return;
    gainDecays = { low, mid, high };
    gainsComputed = true;
    const float decays[3] = { low, mid, high };
    for (size_t band = 0; band < 3; ++band)
        for (size_t i = 0; i < tailLineCount; ++i)
        {
            const auto seconds = tailDelayLengths[i] / tailBaseRate * size;
            feedbackGains[band][i] = static_cast<float>(std::pow(10.0, -3.0 * seconds / decays[band]));
        }
}

void TailInstance::process(const float* left, const float* right, float* outLeft, float* outRight, int m,
                           const TailLfoBank::Offsets* offsets, float loudnessGain) noexcept
{
    for (int start = 0; start < m; start += runLimit)
    {
        const auto length = std::min(runLimit, m - start);
        processRun(left + start, right + start, outLeft + start, outRight + start, length, offsets + start, loudnessGain);
    }
}

void TailInstance::processRun(const float* left, const float* right, float* outLeft, float* outRight, int m,
                              const TailLfoBank::Offsets* offsets, float loudnessGain) noexcept
{
    float xLeft[maxChunkSamples], xRight[maxChunkSamples], outputGain[maxChunkSamples];
    for (int k = 0; k < m; ++k)
    {
        inputGain = moveToward(inputGain, inputTarget, inputStep);
        if (state == fadingOut)
            outputFade = std::max(0.0f, outputFade - fadeStep);
        xLeft[k] = left[k] * inputGain;
        xRight[k] = right[k] * inputGain;
        outputGain[k] = loudnessGain * outputFade * 0.25f;
    }

    const TailChunk chunk { lines.data(), lineStride, mask, writeIndex, delays.data(), offsets[0].data(),
                            { feedbackGains[0].data(), feedbackGains[1].data(), feedbackGains[2].data() },
                            lowState.data(), midState.data(), crossover250, crossover3000,
                            xLeft, xRight, outputGain, outLeft, outRight, m };
    peak = std::max(peak, EngineKernels::active().tailChunk(chunk));
    writeIndex = (writeIndex + m) & mask;
}

void TailInstance::finishChunk(int m, float loudnessGain) noexcept
{
    zeroedLastChunk = 0;
    if (state == ringingOut)
    {
        quietSamples = peak * loudnessGain < quietLevel ? quietSamples + m : 0;
        const auto oneLoop = static_cast<int>(std::ceil(size * tailLongestLineSeconds * rate)) + 32;
        if (quietSamples >= oneLoop)
            state = fadingOut;
    }
    else if (state == fadingOut && outputFade <= 0.0f)
    {
        zeroFilters();
        state = clearing;
        inputTarget = 0.0f;
        outputFade = 1.0f;
        clearLine = clearCursor = 0;
    }
    else if (state == clearing)
    {
        clearSlice();
    }
    peak = 0.0f;
}

void TailInstance::clearSlice() noexcept
{
    zeroedLastChunk = 0;
    while (clearLine < tailLineCount && zeroedLastChunk < clearingSlice)
    {
        const auto count = std::min(lineLength - clearCursor, clearingSlice - zeroedLastChunk);
        auto* ring = lines.data() + static_cast<size_t>(clearLine) * static_cast<size_t>(lineStride);
        std::fill(ring + clearCursor, ring + clearCursor + count, 0.0f);
        zeroedLastChunk += count;
        clearCursor += count;
        if (clearCursor == lineLength)
        {
            ++clearLine;
            clearCursor = 0;
        }
    }
    if (clearLine == tailLineCount)
        state = idle;
}
} // namespace zq6
