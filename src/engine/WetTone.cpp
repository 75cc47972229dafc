#include "WetTone.h"

namespace zq6
{
void WetTone::prepare(double) {}

void WetTone::clear() noexcept {}

void WetTone::process(const float* erLeft, const float* erRight, const float* tailLeft, const float* tailRight,
                      float* outLeft, float* outRight, int m, const NetworkControls&) noexcept
{
    for (int k = 0; k < m; ++k)
    {
        outLeft[k] = erLeft[k] + tailLeft[k];
        outRight[k] = erRight[k] + tailRight[k];
    }
}
} // namespace zq6
