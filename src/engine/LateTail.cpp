#include "LateTail.h"

#include <algorithm>
#include <cmath>

namespace zq6
{
namespace
{
// Size changes this small keep the running instance.
constexpr double sizeTolerance = 0.002;
constexpr double switchSpacingSeconds = 0.25;
constexpr float maximumDiffusion = 0.77f;
} // namespace

void LateTail::prepare(double internalRate)
{
    rate = internalRate;
    for (auto& instance : instances)
        instance.prepare(rate);
    offsetLine.prepare(rate);
    attackSpreader.prepare(rate);
    diffuser.prepare(rate);
    lfos.prepare(rate);
    clear();
}

void LateTail::clear() noexcept
{
    for (auto& instance : instances)
        instance.clear();
    activeIndex = -1;
    samplesSinceSwitch = switchCounterLimit;
    offsetLine.clear();
    attackSpreader.clear();
    diffuser.clear();
    lfos.clear();
    lastModulationDepth = -1.0f;
}

void LateTail::process(const float* left, const float* right, float* outLeft, float* outRight, int m,
                       const TailControls& controls) noexcept
{
    for (int start = 0; start < m; start += maxChunkSamples)
    {
        const auto length = std::min(maxChunkSamples, m - start);
        processSlice(left + start, right + start, outLeft + start, outRight + start, length, controls);
    }
}

void LateTail::processSlice(const float* left, const float* right, float* outLeft, float* outRight, int m,
                            const TailControls& controls) noexcept
{
    std::fill(outLeft, outLeft + m, 0.0f);
    std::fill(outRight, outRight + m, 0.0f);

    const auto size = std::isfinite(controls.size) ? std::clamp(controls.size, tailSmallestSize, tailLargestSize) : 1.0;
    switchInstances(size);
    for (auto& instance : instances)
        if (instance.isRunning())
            instance.setDecays(controls.lowDecay, controls.midDecay, controls.highDecay);

    float feedLeft[maxChunkSamples], feedRight[maxChunkSamples];
    offsetLine.process(left, right, feedLeft, feedRight, m, controls.tailOffsetMs);
    attackSpreader.process(feedLeft, feedRight, m, controls.attackMs);
    diffuser.process(feedLeft, feedRight, m, std::clamp(0.7f * controls.diffusion, 0.0f, maximumDiffusion));

    TailLfoBank::Offsets offsets[maxChunkSamples];
    const auto depth = static_cast<float>(rate * tailMaximumModulationSeconds) * std::clamp(controls.modulationDepth, 0.0f, 1.0f);
    // The depth glides across the chunk from the previous chunk's, so Motion never steps the reads.
    const auto fromDepth = lastModulationDepth < 0.0f ? depth : lastModulationDepth;
    lastModulationDepth = depth;
    lfos.process(offsets, m, controls.lfoRateHz, fromDepth, depth);

    for (int i = 0; i < 2; ++i)
        if (instances[i].isRunning())
            instances[i].process(feedLeft, feedRight, outLeft, outRight, m, offsets, controls.loudnessGain[i]);
    for (int i = 0; i < 2; ++i)
        instances[i].finishChunk(m, controls.loudnessGain[i]);

    samplesSinceSwitch = std::min(switchCounterLimit, samplesSinceSwitch + m);
}

void LateTail::switchInstances(double size) noexcept
{
    if (activeIndex < 0)
    {
        instances[0].start(size, 1.0f);
        activeIndex = 0;
        return;
    }

    auto& current = instances[activeIndex];
    if (std::abs(size / current.getSize() - 1.0) <= sizeTolerance
        || static_cast<double>(samplesSinceSwitch) < switchSpacingSeconds * rate)
        return;

    auto& other = instances[1 - activeIndex];
    if (other.getState() == TailInstance::idle)
    {
        current.ringOut();
        other.start(size, 0.0f);
        activeIndex = 1 - activeIndex;
        samplesSinceSwitch = 0;
    }
    else if (other.getState() == TailInstance::ringingOut)
    {
        other.hurry();
    }
}
} // namespace zq6
