#pragma once

#include "../dsp/BlockSmoother.h"
#include "../params/ParameterTable.h"
#include "SvfDesign.h"

namespace zq6
{
// The Wet EQ low-pass: a smoothed log-cutoff with ramped coefficients, blended in and out by an
// engage smoother so that turning it "Off" fades it out; off, it costs nothing.
class EqLowPass
{
public:
    static constexpr float offHz = lowPassOffHz;

    void prepare(double internalRate);
    void clear() noexcept;
    void process(float* left, float* right, int m, float cutoffHz) noexcept;

private:
    double rate = 48000.0;
    BlockSmoother cutoff { 0.025f, true }, engage { 0.02f, false };
    SvfDesign design;
    bool designed = false;
    SvfState states[2];
};
} // namespace zq6
