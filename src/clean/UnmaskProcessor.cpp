#include "UnmaskProcessor.h"

#include <algorithm>
#include <cmath>

namespace zq6
{
void UnmaskProcessor::prepare(double hostRate, int frameSize)
{
    if (hostRate == rate && frameSize == frame)
        return;
    rate = hostRate;
    frame = frameSize;
    hopSize = frame / 4;

    window.resize(static_cast<size_t>(frame));
    for (int l = 0; l < frame; ++l)
        window[static_cast<size_t>(l)] = static_cast<float>(std::sqrt((1.0 - std::cos(2.0 * M_PI * l / frame)) / 2.0));

    for (int side = 0; side < 2; ++side)
    {
        wetRing[side].assign(static_cast<size_t>(frame), 0.0f);
        dryRing[side].assign(static_cast<size_t>(frame), 0.0f);
        accumulator[side].assign(static_cast<size_t>(frame), 0.0f);
        outputRing[side].assign(static_cast<size_t>(frame), 0.0f);
    }
    clear();
}

void UnmaskProcessor::clear() noexcept
{
    for (int side = 0; side < 2; ++side)
    {
        std::fill(wetRing[side].begin(), wetRing[side].end(), 0.0f);
        std::fill(dryRing[side].begin(), dryRing[side].end(), 0.0f);
        std::fill(accumulator[side].begin(), accumulator[side].end(), 0.0f);
        std::fill(outputRing[side].begin(), outputRing[side].end(), 0.0f);
    }
    inputWrite = 0;
    // The writer leads the reader by one hop, so a sample leaves exactly N samples after it entered.
    outputRead = 0;
    outputWrite = hopSize;
    hopCounter = 0;
    trackerDb = -200.0f;
    for (auto& r : reductions)
        r.store(0.0f, std::memory_order_relaxed);
}

void UnmaskProcessor::process(const float* wetLeft, const float* wetRight, const float* dryLeft, const float* dryRight,
                              float* outLeft, float* outRight, int n, Ramp amount, int speed) noexcept
{
    for (int j = 0; j < n; ++j)
    {
        outLeft[j] = outputRing[0][static_cast<size_t>(outputRead)];
        outRight[j] = outputRing[1][static_cast<size_t>(outputRead)];
        outputRead = (outputRead + 1) % frame;

        const auto w = static_cast<size_t>(inputWrite);
        wetRing[0][w] = wetLeft[j];
        wetRing[1][w] = wetRight[j];
        dryRing[0][w] = dryLeft[j];
        dryRing[1][w] = dryRight[j];
        inputWrite = (inputWrite + 1) % frame;

        if (++hopCounter == hopSize)
        {
            hopCounter = 0;
            hop(amount.at(j, n), speed);
        }
    }
}

void UnmaskProcessor::hop(float, int) noexcept
{
    addQuietFrame();
    trackerDb = std::max(-200.0f, trackerDb - static_cast<float>(hopSize / rate) * 3.0f);
    emitHop();
}

void UnmaskProcessor::addQuietFrame() noexcept
{
    // Four overlapping sqrt-Hann^2 windows at hop N/4 sum to 2, hence the 0.5.
    for (int side = 0; side < 2; ++side)
    {
        auto& acc = accumulator[side];
        const auto& ring = wetRing[side];
        for (int l = 0; l < frame; ++l)
        {
            const auto w = window[static_cast<size_t>(l)];
            acc[static_cast<size_t>(l)] += ring[static_cast<size_t>((inputWrite + l) % frame)] * 0.5f * w * w;
        }
    }
}

void UnmaskProcessor::emitHop() noexcept
{
    for (int side = 0; side < 2; ++side)
    {
        auto& acc = accumulator[side];
        auto& out = outputRing[side];
        for (int i = 0; i < hopSize; ++i)
            out[static_cast<size_t>((outputWrite + i) % frame)] = acc[static_cast<size_t>(i)];
        std::copy(acc.begin() + hopSize, acc.end(), acc.begin());
        std::fill(acc.end() - hopSize, acc.end(), 0.0f);
    }
    outputWrite = (outputWrite + hopSize) % frame;
}
} // namespace zq6
