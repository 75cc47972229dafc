#include "TailOffsetLine.h"

#include <algorithm>
#include <cmath>

namespace zq6
{
namespace
{
constexpr double slewPerSample = 0.01;
}

void TailOffsetLine::prepare(double internalRate)
{
    rate = internalRate;
    const auto length = static_cast<int>(std::ceil(maximumMs * 0.001 * rate)) + 16;
    ringLeft.prepare(length);
    ringRight.prepare(length);
    clear();
}

void TailOffsetLine::clear() noexcept
{
    ringLeft.clear();
    ringRight.clear();
    offset = 0.0;
    initialised = false;
}

void TailOffsetLine::process(const float* left, const float* right, float* outLeft, float* outRight, int m,
                             float offsetMs) noexcept
{
    const auto target = static_cast<double>(std::clamp(offsetMs, 0.0f, maximumMs)) * 0.001 * rate;
    if (!initialised)
    {
        offset = target;
        initialised = true;
    }

    // A held offset reads the chunk as one run, once the chunk is written.
    if (offset == target && offset + m + 2.0 < ringLeft.length())
    {
        ringLeft.writeRun(left, m);
        ringRight.writeRun(right, m);
        ringLeft.readFractionalRun(offset + 1.0, outLeft, m);
        ringRight.readFractionalRun(offset + 1.0, outRight, m);
        return;
    }
    for (int k = 0; k < m; ++k)
    {
        offset += std::clamp(target - offset, -slewPerSample, slewPerSample);
        ringLeft.write(left[k]);
        ringRight.write(right[k]);
        // read(1) is the sample just written: an offset of 0 passes the input straight.
        outLeft[k] = ringLeft.readFractional(offset + 1.0);
        outRight[k] = ringRight.readFractional(offset + 1.0);
    }
}
} // namespace zq6
