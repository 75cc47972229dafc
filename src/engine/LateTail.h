#pragma once

#include "../dsp/ChunkSize.h"
#include "AttackSpreader.h"
#include "InputDiffuser.h"
#include "TailControls.h"
#include "TailInstance.h"
#include "TailLfoBank.h"
#include "TailOffsetLine.h"

#include <cstdint>

namespace zq6
{
// The 16-line late tail. Two instances let a size change start a fresh network while the old one
// rings out, so the change never cuts the tail.
class LateTail
{
public:
    static constexpr std::int64_t switchCounterLimit = std::int64_t { 1 } << 40;

    void prepare(double internalRate);
    void clear() noexcept;
    // Writes (does not add) the tail of m internal samples.
    void process(const float* left, const float* right, float* outLeft, float* outRight, int m,
                 const TailControls& controls) noexcept;

    const TailInstance& getInstance(int index) const noexcept { return instances[index]; }
    // -1 until the first chunk after a clear.
    int getActiveIndex() const noexcept { return activeIndex; }

private:
    void processSlice(const float* left, const float* right, float* outLeft, float* outRight, int m,
                      const TailControls& controls) noexcept;
    void switchInstances(double size) noexcept;

    double rate = 48000.0;
    TailInstance instances[2];
    int activeIndex = -1;
    std::int64_t samplesSinceSwitch = switchCounterLimit;
    TailOffsetLine offsetLine;
    AttackSpreader attackSpreader;
    InputDiffuser diffuser;
    TailLfoBank lfos;
    float lastModulationDepth = -1.0f; // below 0 after a clear: the first chunk starts at its depth
};
} // namespace zq6
