#include "UnmaskProcessor.h"

#include "UnmaskKernels.h"

#include <algorithm>
#include <cmath>

namespace zq6
{
namespace
{
constexpr float quietAmount = 1.0e-4f;
constexpr float energyFloor = 1.0e-12f;

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
    for (auto* split : { &wetFrame, &dryFrame, &wetSpectrum, &drySpectrum })
        for (auto& part : *split)
            part.assign(static_cast<size_t>(frame), 0.0f);
    // Whatever scaling the transform applies, a forward and inverse pass must give unity.
    wetFrame[0][0] = 1.0f;
    transform.transform(wetFrame[0].data(), wetFrame[1].data(), wetSpectrum[0].data(), wetSpectrum[1].data(), false);
    transform.transform(wetSpectrum[0].data(), wetSpectrum[1].data(), dryFrame[0].data(), dryFrame[1].data(), true);
    inverseScale = 1.0f / (dryFrame[0][0] * transform.outputScale());

    wetPowers.assign(static_cast<size_t>(frame / 2), 0.0f);
    dryPowers.assign(static_cast<size_t>(frame / 2), 0.0f);
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
        analyse(amount, speed);
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

// Left + j right of the last N samples, windowed, through the transform; the wet spectrum ducked
// and back into the accumulators.
void UnmaskProcessor::analyse(float amount, int speed) noexcept
{
    const auto& kernels = UnmaskKernels::active();
    const auto monoWet = kernels.loadFrames({ { wetRing[0].data(), wetRing[1].data(), dryRing[0].data(), dryRing[1].data() },
                                              window.data(),
                                              frame,
                                              inputWrite,
                                              { wetFrame[0].data(), wetFrame[1].data(), dryFrame[0].data(), dryFrame[1].data() } });
    transform.transform(wetFrame[0].data(), wetFrame[1].data(), wetSpectrum[0].data(), wetSpectrum[1].data(), false);
    transform.transform(dryFrame[0].data(), dryFrame[1].data(), drySpectrum[0].data(), drySpectrum[1].data(), false);
    kernels.binPowers({ wetSpectrum[0].data(), wetSpectrum[1].data(), frame, wetPowers.data() });
    kernels.binPowers({ drySpectrum[0].data(), drySpectrum[1].data(), frame, dryPowers.data() });
    reduction.update(measureLevels(), amount, speed);
    applyGains();
    transform.transform(wetSpectrum[0].data(), wetSpectrum[1].data(), wetFrame[0].data(), wetFrame[1].data(), true);
    // A mono wet leaves through the real part on both sides, so rounding cannot split it.
    kernels.overlapAdd({ wetFrame[0].data(), monoWet ? wetFrame[0].data() : wetFrame[1].data(), window.data(),
                         transform.outputScale(), inverseScale * 0.5f, frame, accumulator[0].data(), accumulator[1].data() });
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
            wet += wetPowers[static_cast<size_t>(b)];
            dry += dryPowers[static_cast<size_t>(b)];
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
    std::array<float, numBands> reductionDb {};
    for (int k = 0; k < numBands; ++k)
        reductionDb[static_cast<size_t>(k)] = reduction.reductionDb(k);
    UnmaskKernels::active().applyGains({ layout.lowerBands.data(), layout.fractions.data(), reductionDb.data(), binGains.data(), wetSpectrum[0].data(),
                                         wetSpectrum[1].data(), frame });
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
