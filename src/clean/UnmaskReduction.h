#pragma once

#include "UnmaskBands.h"

#include <array>
#include <cstddef>

namespace zq6
{
// One hop's analysis: the wet and dry level of every band and the dry level over all bands, in dB.
struct UnmaskLevels
{
    std::array<float, UnmaskBands::count> wetDb {}, dryDb {};
    float maxDryDb = -200.0f;
    float dryLevelDb = -200.0f;
};

// Turns band levels into the smoothed reduction of each band: masking of the dry by the wet, the
// dry band's presence and a gate on the dry level, moved by the attack and release of the speed.
class UnmaskReduction
{
public:
    void prepare(double hopSeconds);
    void clear() noexcept;

    // True once every band is back within 0.001 dB of no reduction.
    bool isReleased() const noexcept;
    // A hop without analysis: the dry level tracker falls.
    void idle() noexcept;
    void update(const UnmaskLevels& levels, float amount, int speed) noexcept;

    // Smoothed reduction of band k in dB (0 or negative).
    float reductionDb(int band) const noexcept { return reduction[static_cast<std::size_t>(band)]; }

private:
    float gate(float dryDb) noexcept;

    struct Coefficients
    {
        float attack, release;
    };

    std::array<Coefficients, 3> speeds {};
    float trackerFall = 0.0f;
    float trackerDb = -200.0f;
    std::array<float, UnmaskBands::count> reduction {};
};
} // namespace zq6
