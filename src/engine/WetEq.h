#pragma once

#include "WetEqControls.h"
#include "EqBandFilter.h"
#include "EqLowPass.h"

namespace zq6
{
// The four Wet EQ bands in series, then its low-pass, on the wet signal only.
class WetEq
{
public:
    static constexpr int bandCount = wetEqBandCount;

    void prepare(double internalRate);
    void clear() noexcept;
    void process(float* left, float* right, int m, const WetEqControls& controls) noexcept;

private:
    EqBandFilter bands[bandCount];
    EqLowPass lowPass;
};
} // namespace zq6
