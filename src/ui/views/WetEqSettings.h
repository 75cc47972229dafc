#pragma once

#include "../../engine/BiquadDesign.h"
#include "../../engine/SvfDesign.h"
#include "../../params/WetEqBands.h"

#include <vector>

namespace zq6::ui
{
// The Wet EQ's parameter values as the view last read them, in parameter units, and the summed
// response they give, evaluated with the engine's own filter designs.
struct WetEqSettings
{
    static constexpr int bandCount = 4;

    float type[bandCount] = { 0.0f, 0.0f, 0.0f, 0.0f }; // raw choice values
    float frequency[bandCount] = { wetEqBands[0].defaultFrequency, wetEqBands[1].defaultFrequency,
                                   wetEqBands[2].defaultFrequency, wetEqBands[3].defaultFrequency };
    float gain[bandCount] = { 0.0f, 0.0f, 0.0f, 0.0f };
    float q[bandCount] = { wetEqBands[0].defaultQ, wetEqBands[1].defaultQ, wetEqBands[2].defaultQ,
                           wetEqBands[3].defaultQ };
    float lowPassHz = 20000.0f;
    float lowCutHz = 100.0f;

    EqKind kind(int band) const noexcept { return eqKindForChoice(band, type[band]); }
    bool lowPassOff() const noexcept;
    // The low cut, the four bands and the low-pass when on, designed once for a whole curve.
    struct Filters
    {
        BiquadDesign lowCut;
        std::vector<SvfDesign> eq;
    };
    Filters designs(double rate) const;
    // Those filters in series, in dB at hz.
    static double responseDb(const Filters& filters, double hz, double rate) noexcept;
};
} // namespace zq6::ui
