#include "LearnPlayer.h"

namespace zq6::test
{
LearnPlayer::LearnPlayer(ProcessorHarness& harnessToUse, double sampleRate) : harness(harnessToUse), rate(sampleRate)
{
    harness.processor().getLearnCycle().setClock([this] { return nowMs; });
}

void LearnPlayer::play(double seconds, float peak)
{
    const auto pieces = static_cast<int>(seconds / tickSeconds() + 0.5);
    for (int i = 0; i < pieces; ++i)
    {
        auto block = makeNoise(2, samplesPerTick, peak, ++seed);
        harness.process(block);
        nowMs += 1000.0 * tickSeconds();
        harness.processor().tickLearn();
    }
}
} // namespace zq6::test
