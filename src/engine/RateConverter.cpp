#include "RateConverter.h"

#include "EngineKernels.h"

#include <algorithm>
#include <cmath>

namespace zq6
{
namespace
{
constexpr double kaiserBeta = 9.62046;

double besselI0(double x)
{
    double sum = 1.0, term = 1.0;
    const auto halfX = x * 0.5;
    for (int k = 1; k < 500; ++k)
    {
        term *= (halfX / k) * (halfX / k);
        sum += term;
        if (term < sum * 1e-18)
            break;
    }
    return sum;
}

int roundUpTo8(int n)
{
    return (n + 7) & ~7;
}
} // namespace

std::vector<double> RateConverter::designPrototype(int f)
{
    const auto transition = 0.16 / f;
    const auto initialLength = static_cast<int>(std::ceil(88.05 / (transition * 14.36)));
    const auto half = (initialLength + (initialLength & 1)) / 2;
    const auto taps = 2 * (f + half - ((half + f - 1) % f)) - 1;

    std::vector<double> h(static_cast<size_t>(taps));
    const auto centre = (taps - 1) / 2.0;
    const auto cutoff = 0.5 / f;
    const auto i0Beta = besselI0(kaiserBeta);
    double sum = 0.0;
    for (int i = 0; i < taps; ++i)
    {
        const auto x = i - centre;
        const auto sinc = x == 0.0 ? 2.0 * cutoff : std::sin(2.0 * M_PI * x * cutoff) / (M_PI * x);
        const auto ratio = x / centre;
        const auto window = besselI0(kaiserBeta * std::sqrt(std::max(0.0, 1.0 - ratio * ratio))) / i0Beta;
        h[static_cast<size_t>(i)] = sinc * window;
        sum += h[static_cast<size_t>(i)];
    }
    for (auto& tap : h)
        tap /= sum;
    return h;
}

void RateConverter::prepare(int decimationFactor)
{
    factor = std::max(1, decimationFactor);
    if (factor == 1)
    {
        numTaps = 1;
        decimatorTaps.clear();
        phaseTaps.clear();
        for (auto& side : sides)
        {
            side.decimatorHistory.clear();
            side.interpolatorHistory.clear();
        }
        clear();
        return;
    }

    const auto h = designPrototype(factor);
    numTaps = static_cast<int>(h.size());

    decimatorLength = roundUpTo8(numTaps);
    decimatorTaps.assign(static_cast<size_t>(decimatorLength), 0.0f);
    const auto padding = decimatorLength - numTaps;
    for (int i = 0; i < numTaps; ++i)
        decimatorTaps[static_cast<size_t>(padding + i)] = static_cast<float>(h[static_cast<size_t>(numTaps - 1 - i)]);

    // Phase p holds h[p + k f]; reversed so that the newest sample meets k = 0.
    phaseLength = roundUpTo8((numTaps + factor - 1) / factor);
    phaseTaps.assign(static_cast<size_t>(phaseLength * factor), 0.0f);
    for (int p = 0; p < factor; ++p)
        for (int k = 0; p + k * factor < numTaps; ++k)
            phaseTaps[static_cast<size_t>(p * phaseLength + phaseLength - 1 - k)] =
                static_cast<float>(h[static_cast<size_t>(p + k * factor)] * factor);

    for (auto& side : sides)
    {
        side.decimatorHistory.assign(static_cast<size_t>(decimatorLength + maxChunkSamples), 0.0f);
        side.interpolatorHistory.assign(static_cast<size_t>(phaseLength + maxChunkSamples), 0.0f);
    }
    firScratch.assign(static_cast<size_t>(decimatorLength + maxChunkSamples + factor), 0.0f);
    clear();
}

void RateConverter::clear() noexcept
{
    for (auto& side : sides)
    {
        std::fill(side.decimatorHistory.begin(), side.decimatorHistory.end(), 0.0f);
        std::fill(side.interpolatorHistory.begin(), side.interpolatorHistory.end(), 0.0f);
        std::fill(std::begin(side.ring), std::end(side.ring), 0.0f);
    }
    phase = 0;
    writeIndex = 0;
    // The reader trails the writer by factor - 1 samples: a chunk whose length is not a multiple
    // of the factor never reads a sample that has not been produced yet.
    readIndex = static_cast<std::uint8_t>(256 - (factor - 1));
}

int RateConverter::decimate(const float* left, const float* right, int n, float* outLeft, float* outRight) noexcept
{
    if (factor == 1)
    {
        std::copy(left, left + n, outLeft);
        std::copy(right, right + n, outRight);
        return n;
    }

    // Sample j of the chunk gives an output when the phase counter reaches factor - 1 there.
    const auto firstOutput = (factor - 1 - phase % factor + factor) % factor;
    const auto count = firstOutput < n ? (n - 1 - firstOutput) / factor + 1 : 0;
    const auto& kernels = EngineKernels::active();
    const float* inputs[2] = { left, right };
    float* outputs[2] = { outLeft, outRight };
    for (int s = 0; s < 2; ++s)
    {
        auto& history = sides[s].decimatorHistory;
        std::copy(inputs[s], inputs[s] + n, history.begin() + decimatorLength);
        if (count > 0)
            kernels.firOutputs({ decimatorTaps.data(), decimatorLength, history.data() + firstOutput + 1, factor, count,
                                 outputs[s], firScratch.data() });
        std::copy(history.begin() + n, history.begin() + n + decimatorLength, history.begin());
    }
    phase = (phase + n) % factor;
    return count;
}

void RateConverter::interpolate(const float* left, const float* right, int m) noexcept
{
    if (factor == 1)
        return;
    const auto& kernels = EngineKernels::active();
    const float* inputs[2] = { left, right };
    for (int s = 0; s < 2; ++s)
    {
        auto& side = sides[s];
        auto& history = side.interpolatorHistory;
        std::copy(inputs[s], inputs[s] + m, history.begin() + phaseLength);
        for (int p = 0; p < factor; ++p)
        {
            float phaseOutputs[maxChunkSamples];
            kernels.firOutputs({ phaseTaps.data() + p * phaseLength, phaseLength, history.data() + 1, 1, m, phaseOutputs, nullptr });
            std::uint8_t w = static_cast<std::uint8_t>(writeIndex + p);
            for (int k = 0; k < m; ++k, w = static_cast<std::uint8_t>(w + factor))
                side.ring[w] = phaseOutputs[k];
        }
        std::copy(history.begin() + m, history.begin() + m + phaseLength, history.begin());
    }
    writeIndex = static_cast<std::uint8_t>(writeIndex + m * factor);
}

void RateConverter::read(float* left, float* right, int n) noexcept
{
    for (int j = 0; j < n; ++j)
    {
        left[j] = sides[0].ring[readIndex];
        right[j] = sides[1].ring[readIndex];
        ++readIndex;
    }
}
} // namespace zq6
