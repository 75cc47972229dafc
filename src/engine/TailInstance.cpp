#include "TailInstance.h"

#include "CubicHermite.h"
#include "HadamardMix.h"

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
    lines.assign(static_cast<size_t>(lineLength) * tailLineCount, 0.0f);
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
    clearCursor = 0;
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

float TailInstance::readLine(int line, double delay) const noexcept
{
    const auto position = static_cast<double>(writeIndex) - delay;
    const auto whole = std::floor(position);
    const auto f = static_cast<float>(position - whole);
    const auto base = static_cast<int>(whole);
    const auto* data = lines.data() + static_cast<size_t>(line) * static_cast<size_t>(lineLength);
    const auto ym1 = data[(base - 1) & mask];
    const auto y0 = data[base & mask];
    const auto y1 = data[(base + 1) & mask];
    const auto y2 = data[(base + 2) & mask];
    return cubicHermite(ym1, y0, y1, y2, f);
}

void TailInstance::process(const float* left, const float* right, float* outLeft, float* outRight, int m,
                           const TailLfoBank::Offsets* offsets, float loudnessGain) noexcept
{
    for (int k = 0; k < m; ++k)
        processSample(left[k], right[k], outLeft[k], outRight[k], offsets[k], loudnessGain);
}

void TailInstance::processSample(float inLeft, float inRight, float& outLeft, float& outRight,
                                 const TailLfoBank::Offsets& offsets, float scale) noexcept
{
    inputGain = moveToward(inputGain, inputTarget, inputStep);
    if (state == fadingOut)
        outputFade = std::max(0.0f, outputFade - fadeStep);
    const auto xLeft = inLeft * inputGain;
    const auto xRight = inRight * inputGain;

    std::array<float, tailLineCount> z;
    float sumLeft = 0.0f, sumRight = 0.0f;
    for (size_t i = 0; i < tailLineCount; ++i)
    {
        const auto y = readLine(static_cast<int>(i), delays[i] + offsets[i]);
        sumLeft += tailLeftOutputSign[i] * y;
        sumRight += tailRightOutputSign[i] * y;

        lowState[i] += crossover250 * (y - lowState[i]);
        midState[i] += crossover3000 * (y - midState[i]);
        const auto low = lowState[i];
        const auto belowHigh = midState[i];
        z[i] = (low * feedbackGains[0][i] + (belowHigh - low) * feedbackGains[1][i] + (y - belowHigh) * feedbackGains[2][i])
               * tailFeedbackSign[i];
    }

    const auto gain = scale * outputFade * 0.25f;
    outLeft += gain * sumLeft;
    outRight += gain * sumRight;
    peak = std::max(peak, std::max(std::abs(sumLeft), std::abs(sumRight)));

    hadamard(z);
    for (size_t i = 0; i < tailLineCount; ++i)
    {
        const auto input = xRight * tailRightInputGain[i] + xLeft * tailLeftInputGain[i];
        lines[i * static_cast<size_t>(lineLength) + static_cast<size_t>(writeIndex)] =
            0.25f * input + 0.25f * z[static_cast<size_t>(tailFeedbackSource(static_cast<int>(i)))];
    }
    writeIndex = (writeIndex + 1) & mask;
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
        clearCursor = 0;
    }
    else if (state == clearing)
    {
        clearSlice();
    }
    peak = 0.0f;
}

void TailInstance::clearSlice() noexcept
{
    const auto total = static_cast<int>(lines.size());
    const auto end = std::min(total, clearCursor + clearingSlice);
    std::fill(lines.begin() + clearCursor, lines.begin() + end, 0.0f);
    zeroedLastChunk = end - clearCursor;
    clearCursor = end;
    if (clearCursor >= total)
        state = idle;
}
} // namespace zq6
