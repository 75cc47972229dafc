#include "LearnCycle.h"

#include <juce_core/juce_core.h>

#include <algorithm>

namespace zq6
{
LearnCycle::LearnCycle(LearnControl& c, LearnCapture& cap)
    : control(c), capture(cap), clock([] { return juce::Time::getMillisecondCounterHiRes(); })
{
}

bool LearnCycle::canStart() const noexcept
{
    const auto rate = capture.lastRate.load();
    const quil::SpinLock::ScopedLock lock(capture.lock);
    return rate >= minimumSampleRate && capture.capacity() > 0;
}

void LearnCycle::start(const AnalyzerConfig& config)
{
    capture.state.store(LearnCapture::off);
    analyzer.configure(config);
    droppedSeen = capture.dropped.load();
    progressTimeMs = -1.0;
    bestListenedSeconds = 0.0f;

    control.progress.store(0.0f);
    control.waitingForSignal.store(false);
    control.status.store(static_cast<int>(LearnStatus::listening));
    control.state.store(static_cast<int>(LearnState::listening));
    capture.state.store(LearnCapture::restart);
}

bool LearnCycle::cancel()
{
    if (!control.requestCancel())
        return false;
    publishCancelled();
    return true;
}

void LearnCycle::publishCancelled()
{
    publishEnd(0.0f, LearnStatus::cancelled);
}

void LearnCycle::publishLearned()
{
    publishEnd(1.0f, LearnStatus::learned);
}

void LearnCycle::publishEnd(float progress, LearnStatus status)
{
    capture.state.store(LearnCapture::off);
    control.state.store(static_cast<int>(LearnState::idle));
    control.progress.store(progress);
    control.waitingForSignal.store(false);
    control.status.store(static_cast<int>(status));
}

bool LearnCycle::tick(double hostBpm)
{
    if (control.getState() == LearnState::cancelRequested)
    {
        publishCancelled();
        return false;
    }
    if (!control.isListening())
        return false;
    if (progressTimeMs < 0.0)
        progressTimeMs = clock();

    if (capture.state.load() == LearnCapture::capturing)
    {
        // What was ready when the drops were counted lies before the gap; anything written while
        // draining lies after it and waits for the next tick.
        const auto dropped = capture.dropped.load(std::memory_order_acquire);
        drainCapture(capture.ready());
        if (dropped > droppedSeen)
        {
            analyzer.discontinuity(dropped - droppedSeen);
            droppedSeen = dropped;
        }
        analyzer.countTick(hostBpm);
    }
    publishProgress();
    return analyzer.validBlocks() >= analyzer.targetBlocks();
}

void LearnCycle::drainCapture(int samples) noexcept
{
    const quil::SpinLock::ScopedLock lock(capture.lock);
    for (int count; samples > 0 && (count = capture.read(scratch.data(), std::min(samples, static_cast<int>(scratch.size())))) > 0;)
    {
        analyzer.addSamples(scratch.data(), count);
        samples -= count;
    }
}

void LearnCycle::publishProgress()
{
    const auto now = clock();
    const auto rate = analyzer.sampleRate();
    const auto listened = static_cast<float>(analyzer.validBlocks() * static_cast<double>(analyzer.blockLength()) / rate);
    if (listened > bestListenedSeconds)
    {
        bestListenedSeconds = listened;
        progressTimeMs = now;
    }
    const auto target = std::max(1, analyzer.targetBlocks());
    const auto progress = std::min(1.0f, static_cast<float>(analyzer.validBlocks()) / static_cast<float>(target));
    control.progress.store(progress);
    const auto analysedSeconds = static_cast<double>(analyzer.analysedSamples()) / rate;
    control.waitingForSignal.store((analysedSeconds > 3.0 && progress < 0.05f) || now - progressTimeMs > waitingAfterMs);
}
} // namespace zq6
