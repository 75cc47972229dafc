#pragma once

#include <vector>

namespace zq6::test
{
// Magnitude in dB of an impulse response at hz (one bin of a direct Fourier sum).
double responseDb(const std::vector<float>& impulseResponse, double hz, double rate);

// Largest absolute difference between neighbouring samples of x[from..to).
float largestStep(const float* x, int from, int to);

// Index of the first sample whose magnitude exceeds threshold, or -1.
int firstAbove(const float* x, int n, float threshold);
} // namespace zq6::test
