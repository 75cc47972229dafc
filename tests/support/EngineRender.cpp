#include "EngineRender.h"

#include "engine/ReverbEngine.h"

#include <memory>

namespace zq6::test
{
juce::AudioBuffer<float> renderEngineImpulse(const BlockParams& params, double seconds, double rate)
{
    const juce::ScopedNoDenormals noDenormals;
    auto engine = std::make_unique<ReverbEngine>();
    engine->prepare(rate);
    juce::AudioBuffer<float> buffer(2, static_cast<int>(seconds * rate));
    buffer.clear();
    buffer.setSample(0, 0, 1.0f);
    buffer.setSample(1, 0, 1.0f);
    constexpr int blockSize = 512;
    for (int start = 0; start < buffer.getNumSamples(); start += blockSize)
    {
        juce::AudioBuffer<float> block(buffer.getArrayOfWritePointers(), 2, start,
                                       std::min(blockSize, buffer.getNumSamples() - start));
        engine->processHostBlock(block, 2, false, params);
    }
    return buffer;
}
} // namespace zq6::test
