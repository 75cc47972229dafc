#pragma once

#include "../engine/BlockParams.h"
#include "../engine/NetworkControls.h"

namespace zq6
{
// Softens sibilance, breaths and sharp attacks in the reverb feed. Passes the feed through
// until the Shaping stage lands.
class ShapingProcessor
{
public:
    void prepare(double hostRate);
    void clear() noexcept;
    // Oversampling latency in host samples (0 when not oversampling).
    int getLatencySamples() const noexcept { return 0; }
    // In place on the feed; writes what was removed into the delta buffers.
    void process(float* left, float* right, float* deltaLeft, float* deltaRight, int n, const BlockParams& params,
                 const NetworkControls& controls) noexcept;
};
} // namespace zq6
