#pragma once

#include "AnalyzerTiming.h"

#include <cstdint>
#include <vector>

namespace zq6
{
// Peak envelope with a short hold, kept in a ring long enough to look back over an onset and
// measure how fast its attack rises.
class AttackEnvelope
{
public:
    // Sizes the ring and the median scratch; the only step that allocates.
    void prepare(const AnalyzerTiming& timing);
    void clear() noexcept;

    void push(float x, std::int64_t position) noexcept;

    // Rise time in seconds of the onset at position onset, from what was heard before position
    // end; negative when the onset has no measurable attack.
    float measureAttack(std::int64_t onset, std::int64_t end) noexcept;

private:
    float at(std::int64_t position) const noexcept;
    std::int64_t peakPosition(std::int64_t from, std::int64_t to) const noexcept;
    float median(std::int64_t from, std::int64_t to) noexcept;

    AnalyzerTiming timing;
    std::vector<float> ring;
    std::vector<float> scratch;
    std::int64_t ringMask = 0;
    float envelope = 0.0f;
    int holdCounter = 0;
};
} // namespace zq6
