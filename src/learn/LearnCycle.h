#pragma once

#include "../engine/LearnCapture.h"
#include "LearnAnalyzer.h"
#include "LearnControl.h"

#include <array>
#include <cstdint>
#include <functional>

namespace zq6
{
// The listening half of Learn on the message thread: starting, cancelling, draining the capture
// into the analyzer every tick and publishing progress. The owner finishes the cycle when tick()
// reports that enough signal was heard.
class LearnCycle
{
public:
    using Clock = std::function<double()>; // milliseconds

    LearnCycle(LearnControl& control, LearnCapture& capture);

    // False below 8000 Hz or before the capture was prepared.
    bool canStart() const noexcept;
    // Configures the analyzer and starts listening; the caller checked canStart().
    void start(const AnalyzerConfig& config);
    // Listening -> Idle with status Cancelled; false when Learn was not listening.
    bool cancel();

    // One 33 ms tick with the host's tempo. True when listening reached its target and the owner
    // should finish (under its lock, if the state is still Listening).
    bool tick(double hostBpm);

    // The end of a cycle: Learned with full progress, or Cancelled.
    void publishLearned();
    void publishCancelled();

    const LearnAnalyzer& getAnalyzer() const noexcept { return analyzer; }
    void setClock(Clock newClock) { clock = std::move(newClock); }

    static constexpr double minimumSampleRate = 8000.0;
    static constexpr double waitingAfterMs = 3000.0;

private:
    void publishEnd(float progress, LearnStatus status);
    // Analyses the given number of captured samples, no more.
    void drainCapture(int samples) noexcept;
    void publishProgress();

    LearnControl& control;
    LearnCapture& capture;
    LearnAnalyzer analyzer;
    Clock clock;
    std::array<float, 4096> scratch {};
    std::int64_t droppedSeen = 0;
    double progressTimeMs = -1.0;
    float bestListenedSeconds = 0.0f;
};
} // namespace zq6
