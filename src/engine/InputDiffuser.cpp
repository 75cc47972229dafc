#include "InputDiffuser.h"

#include "../dsp/ChunkSize.h"

#include <algorithm>
#include <cmath>

namespace zq6
{
namespace
{
// Left and right differ so the two sides decorrelate.
constexpr double delaysMs[2][InputDiffuser::stageCount] = { { 5.3, 7.9, 11.3, 14.9 }, { 5.9, 8.7, 12.1, 16.3 } };
} // namespace

void InputDiffuser::prepare(double internalRate)
{
    for (int side = 0; side < 2; ++side)
        for (int s = 0; s < stageCount; ++s)
        {
            delays[side][s] = std::max(maxChunkSamples, static_cast<int>(std::lround(delaysMs[side][s] * 0.001 * internalRate)));
            rings[side][s].prepare(delays[side][s] + 12);
        }
    clear();
}

void InputDiffuser::clear() noexcept
{
    for (auto& side : rings)
        for (auto& ring : side)
            ring.clear();
}

// Every delay exceeds a chunk, so a stage reads only samples written before the chunk and runs
// over the whole chunk at once, in pieces where neither its read nor its write wraps.
void InputDiffuser::allpassRun(DelayRing& ring, int delay, float* x, int m, float coefficient) noexcept
{
    for (int k = 0; k < m;)
    {
        const auto piece = std::min({ m - k, ring.readStretch(delay), ring.writeStretch() });
        const float* __restrict r = ring.readPointer(delay);
        float* __restrict w = ring.writePointer();
        float* __restrict io = x + k;
        for (int i = 0; i < piece; ++i)
        {
            const auto v = io[i] + coefficient * r[i];
            w[i] = v;
            io[i] = r[i] - coefficient * v;
        }
        ring.advance(piece);
        k += piece;
    }
}

void InputDiffuser::process(float* left, float* right, int m, float coefficient) noexcept
{
    float* sides[2] = { left, right };
    for (int side = 0; side < 2; ++side)
        for (int s = 0; s < stageCount; ++s)
            allpassRun(rings[side][s], delays[side][s], sides[side], m, coefficient);
}
} // namespace zq6
