#include "WetEq.h"

namespace zq6
{
void WetEq::prepare(double internalRate)
{
    for (auto& band : bands)
        band.prepare(internalRate);
    lowPass.prepare(internalRate);
}

void WetEq::clear() noexcept
{
    for (auto& band : bands)
        band.clear();
    lowPass.clear();
}

void WetEq::process(float* left, float* right, int m, const WetEqControls& controls) noexcept
{
    for (int b = 0; b < bandCount; ++b)
        bands[b].process(left, right, m, controls.kind[b], controls.frequencyHz[b], controls.gainDb[b], controls.q[b]);
    lowPass.process(left, right, m, controls.lowPassHz);
}
} // namespace zq6
