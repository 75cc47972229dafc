#pragma once

#include "../processor/WetEqBands.h"

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
    // Low cut, the four bands and (unless off) the low-pass in series, in dB at hz.
    double responseDb(double hz, double rate) const noexcept;
};
} // namespace zq6::ui
