#pragma once

#include "../params/ParameterTable.h"

namespace zq6
{
// The Wet EQ's settings for one block: each band's filter kind (an EqKind index), frequency, gain
// and Q, then the low-pass. Before it is filled it holds the parameters' defaults.
struct WetEqControls
{
    int kind[wetEqBandCount] = { defaultKind(0), defaultKind(1), defaultKind(2), defaultKind(3) };
    float frequencyHz[wetEqBandCount] = { defaultOf(eqFreqParam(0)), defaultOf(eqFreqParam(1)),
                                          defaultOf(eqFreqParam(2)), defaultOf(eqFreqParam(3)) };
    float gainDb[wetEqBandCount] = { defaultOf(eqGainParam(0)), defaultOf(eqGainParam(1)), defaultOf(eqGainParam(2)),
                                     defaultOf(eqGainParam(3)) };
    float q[wetEqBandCount] = { defaultOf(eqQParam(0)), defaultOf(eqQParam(1)), defaultOf(eqQParam(2)),
                                defaultOf(eqQParam(3)) };
    float lowPassHz = defaultOf(Param::eqLp);

private:
    static constexpr int defaultKind(int band)
    {
        return static_cast<int>(eqKindForChoice(band, defaultOf(eqTypeParam(band))));
    }
};
} // namespace zq6
