#include "UnmaskProcessor.h"

#include <algorithm>
#include <cmath>

namespace zq6
{
namespace
{
constexpr float quietAmount = 1.0e-4f;
constexpr float energyFloor = 1.0e-12f;
constexpr float dbToGain = 0.11512925f; // ln(10) / 20

float powerDb(float energy) noexcept
{
    return 10.0f * std::log10(std::max(energyFloor, energy));
}
} // namespace

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

    transform.prepare(static_cast<int>(std::lround(std::log2(frame))));
    for (auto* spectrum : { &wetFrame, &dryFrame, &wetSpectrum, &drySpectrum })
        spectrum->assign(static_cast<size_t>(frame), {});
    // Whatever scaling the transform applies, a forward and inverse pass must give unity.
    wetFrame[0] = 1.0f;
    transform.perform(wetFrame.data(), wetSpectrum.data(), false);
    transform.perform(wetSpectrum.data(), dryFrame.data(), true);
    inverseScale = 1.0f / dryFrame[0].real();

    binGains.assign(static_cast<size_t>(frame / 2 + 1), 1.0f);
    layout.design(rate, frame);
    reduction.prepare(hopSize / rate);
    clear();
}

void UnmaskProcessor::clear() noexcept
{
    for (int side = 0; side < 2; ++side)
        for (auto* buffer : { &wetRing[side], &dryRing[side], &accumulator[side], &outputRing[side] })
            std::fill(buffer->begin(), buffer->end(), 0.0f);
    inputWrite = 0;
    // The writer leads the reader by one hop, so a sample leaves exactly N samples after it entered.
    outputRead = 0;
    outputWrite = hopSize;
    hopCounter = 0;
    reduction.clear();
    publish(false);
}

void UnmaskProcessor::process(const float* wetLeft, const float* wetRight, const float* dryLeft, const float* dryRight,
                              float* outLeft, float* outRight, int n, Ramp amount, int speed) noexcept
{
    // Both indices move in step with the hop counter and the frame is four hops, so a run up to the
    // next hop never wraps either ring.
    const auto mask = frame - 1;
    for (int j = 0; j < n;)
    {
        const auto run = std::min(n - j, hopSize - hopCounter);
        const auto read = static_cast<size_t>(outputRead);
        std::copy_n(outputRing[0].data() + read, run, outLeft + j);
        std::copy_n(outputRing[1].data() + read, run, outRight + j);
        outputRead = (outputRead + run) & mask;

        const auto write = static_cast<size_t>(inputWrite);
        std::copy_n(wetLeft + j, run, wetRing[0].data() + write);
        std::copy_n(wetRight + j, run, wetRing[1].data() + write);
        std::copy_n(dryLeft + j, run, dryRing[0].data() + write);
        std::copy_n(dryRight + j, run, dryRing[1].data() + write);
        inputWrite = (inputWrite + run) & mask;

        j += run;
        hopCounter += run;
        if (hopCounter == hopSize)
        {
            hopCounter = 0;
            hop(amount.at(j - 1, n), speed);
        }
    }
}

void UnmaskProcessor::hop(float amount, int speed) noexcept
{
    if (amount < quietAmount && reduction.isReleased())
    {
        addQuietFrame();
        reduction.idle();
        publish(false);
    }
    else
    {
        const auto monoWet = loadFrames();
        transform.perform(wetFrame.data(), wetSpectrum.data(), false);
        transform.perform(dryFrame.data(), drySpectrum.data(), false);
        reduction.update(measureLevels(), amount, speed);
        applyGains();
        transform.perform(wetSpectrum.data(), wetFrame.data(), true);
        addReducedFrame(monoWet);
        publish(true);
    }
    emitHop();
}

void UnmaskProcessor::addQuietFrame() noexcept
{
    // Four overlapping sqrt-Hann^2 windows at hop N/4 sum to 2, hence the 0.5. The frame starts at
    // the oldest sample, so it reads the ring as two straight runs.
    const auto newerRun = frame - inputWrite;
    for (int side = 0; side < 2; ++side)
    {
        auto* acc = accumulator[side].data();
        const auto* ring = wetRing[side].data();
        const auto* w = window.data();
        for (int l = 0; l < newerRun; ++l)
            acc[l] += ring[inputWrite + l] * 0.5f * w[l] * w[l];
        for (int l = newerRun; l < frame; ++l)
            acc[l] += ring[l - newerRun] * 0.5f * w[l] * w[l];
    }
}

// Packs left + j right of the last N samples, windowed; returns whether the wet is mono.
bool UnmaskProcessor::loadFrames() noexcept
{
    const auto newerRun = frame - inputWrite;
    auto monoWet = true;
    const auto load = [&](int l, int i) {
        const auto w = window[static_cast<size_t>(l)];
        const auto at = static_cast<size_t>(i);
        monoWet = monoWet && wetRing[0][at] == wetRing[1][at];
        wetFrame[static_cast<size_t>(l)] = { wetRing[0][at] * w, wetRing[1][at] * w };
        dryFrame[static_cast<size_t>(l)] = { dryRing[0][at] * w, dryRing[1][at] * w };
    };
    for (int l = 0; l < newerRun; ++l)
        load(l, inputWrite + l);
    for (int l = newerRun; l < frame; ++l)
        load(l, l - newerRun);
    return monoWet;
}

UnmaskLevels UnmaskProcessor::measureLevels() const noexcept
{
    UnmaskLevels levels;
    const auto toPower = 2.0f / static_cast<float>(frame);
    float drySum = 0.0f;
    for (int k = 0; k < numBands; ++k)
    {
        const auto& band = layout.bands[static_cast<size_t>(k)];
        float wet = 0.0f, dry = 0.0f;
        // (|Z_b|^2 + |Z_N-b|^2) / 2 is the power of left plus right at bin b.
        for (int b = band.lo; b < band.hi; ++b)
        {
            const auto mirror = static_cast<size_t>(frame - b);
            wet += (std::norm(wetSpectrum[static_cast<size_t>(b)]) + std::norm(wetSpectrum[mirror])) * 0.5f;
            dry += (std::norm(drySpectrum[static_cast<size_t>(b)]) + std::norm(drySpectrum[mirror])) * 0.5f;
        }
        const auto perBin = toPower / static_cast<float>((band.hi - band.lo) * 2);
        levels.wetDb[static_cast<size_t>(k)] = powerDb(wet * perBin);
        levels.dryDb[static_cast<size_t>(k)] = powerDb(dry * perBin);
        levels.maxDryDb = std::max(levels.maxDryDb, levels.dryDb[static_cast<size_t>(k)]);
        drySum += dry;
    }
    levels.dryLevelDb = powerDb(drySum * toPower / static_cast<float>(frame));
    return levels;
}

void UnmaskProcessor::applyGains() noexcept
{
    const auto half = frame / 2;
    for (int i = 0; i <= half; ++i)
    {
        const auto& position = layout.bins[static_cast<size_t>(i)];
        const auto lower = reduction.reductionDb(position.lowerBand);
        const auto upper = reduction.reductionDb(position.lowerBand + 1);
        binGains[static_cast<size_t>(i)] = std::exp((lower + (upper - lower) * position.fraction) * dbToGain);
    }
    wetSpectrum[0] *= binGains[0];
    for (int i = 1; i < half; ++i)
    {
        wetSpectrum[static_cast<size_t>(i)] *= binGains[static_cast<size_t>(i)];
        wetSpectrum[static_cast<size_t>(frame - i)] *= binGains[static_cast<size_t>(i)];
    }
    wetSpectrum[static_cast<size_t>(half)] *= binGains[static_cast<size_t>(half)];
}

void UnmaskProcessor::addReducedFrame(bool monoWet) noexcept
{
    auto* left = accumulator[0].data();
    auto* right = accumulator[1].data();
    const auto* z = reinterpret_cast<const float*>(wetFrame.data());
    // A mono wet leaves through the real part on both sides, so rounding cannot split it.
    const auto rightPart = monoWet ? 0 : 1;
    for (int l = 0; l < frame; ++l)
    {
        const auto weight = inverseScale * 0.5f * window[static_cast<size_t>(l)];
        left[l] += weight * z[2 * l];
        right[l] += weight * z[2 * l + rightPart];
    }
}

void UnmaskProcessor::publish(bool reducing) noexcept
{
    for (int k = 0; k < numBands; ++k)
        reductions[static_cast<size_t>(k)].store(reducing ? 0.0f - reduction.reductionDb(k) : 0.0f,
                                                 std::memory_order_relaxed);
}

void UnmaskProcessor::emitHop() noexcept
{
    const auto mask = frame - 1;
    for (int side = 0; side < 2; ++side)
    {
        auto& acc = accumulator[side];
        auto& out = outputRing[side];
        for (int i = 0; i < hopSize; ++i)
            out[static_cast<size_t>((outputWrite + i) & mask)] = acc[static_cast<size_t>(i)];
        std::copy(acc.begin() + hopSize, acc.end(), acc.begin());
        std::fill(acc.end() - hopSize, acc.end(), 0.0f);
    }
    outputWrite = (outputWrite + hopSize) & mask;
}
} // namespace zq6
