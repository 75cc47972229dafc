#include "SignalMeasures.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace zq6::test
{
double responseDb(const std::vector<float>& impulseResponse, double hz, double rate)
{
    std::complex<double> sum;
    const auto step = std::polar(1.0, -2.0 * M_PI * hz / rate);
    std::complex<double> phase(1.0, 0.0);
    for (const auto sample : impulseResponse)
    {
        sum += static_cast<double>(sample) * phase;
        phase *= step;
    }
    return 20.0 * std::log10(std::abs(sum));
}

float largestStep(const float* x, int from, int to)
{
    float largest = 0.0f;
    for (int i = std::max(from, 1); i < to; ++i)
        largest = std::max(largest, std::abs(x[i] - x[i - 1]));
    return largest;
}

int firstAbove(const float* x, int n, float threshold)
{
    for (int i = 0; i < n; ++i)
        if (std::abs(x[i]) > threshold)
            return i;
    return -1;
}
} // namespace zq6::test
