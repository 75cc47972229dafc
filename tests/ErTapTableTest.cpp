#include "engine/ErTapTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

namespace zq6::test
{
struct TellingRow
{
    int character, side, tap;
    float delayMs, gain, order;
};

class ErTellingRows : public testing::TestWithParam<TellingRow>
{
};

TEST_P(ErTellingRows, HoldExactly)
{
    const auto r = GetParam();
    const auto& tap = erTapTable[r.character][r.side][r.tap];
    EXPECT_FLOAT_EQ(tap.delayMs, r.delayMs);
    EXPECT_FLOAT_EQ(tap.gain, r.gain);
    EXPECT_NEAR(tap.order, r.order, 5e-5);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, ErTellingRows, testing::Values(
    TellingRow { 0, 0, 0, 3.456f, 0.3539f, 0.0f },      TellingRow { 0, 0, 1, 4.363f, 0.2673f, 0.0417f },
    TellingRow { 0, 0, 2, 5.003f, 0.2814f, 0.0208f },   TellingRow { 0, 0, 47, 20.336f, 0.0756f, 0.9792f },
    TellingRow { 0, 1, 0, 3.409f, 0.3523f, 0.0f },      TellingRow { 0, 1, 1, 4.309f, 0.2664f, 0.0417f },
    TellingRow { 0, 1, 2, 5.306f, 0.2723f, 0.0208f },   TellingRow { 0, 1, 47, 20.49f, 0.0798f, 0.9167f },
    TellingRow { 1, 0, 0, 1.414f, 0.4183f, 0.0f },      TellingRow { 1, 0, 1, 32.281f, 0.2624f, 0.0208f },
    TellingRow { 1, 0, 2, 33.018f, 0.1946f, 0.1042f },  TellingRow { 1, 0, 47, 136.697f, 0.0863f, 0.8958f },
    TellingRow { 1, 1, 0, 1.407f, 0.4169f, 0.0f },      TellingRow { 1, 1, 1, 32.561f, 0.261f, 0.0208f },
    TellingRow { 1, 1, 2, 33.293f, 0.1936f, 0.1042f },  TellingRow { 1, 1, 47, 136.769f, 0.0825f, 0.9792f },
    TellingRow { 2, 0, 0, 3.381f, 0.3549f, 0.0f },      TellingRow { 2, 0, 1, 8.9f, 0.2691f, 0.0208f },
    TellingRow { 2, 0, 2, 10.961f, 0.2147f, 0.0417f },  TellingRow { 2, 0, 47, 40.951f, 0.0916f, 0.9792f },
    TellingRow { 2, 1, 0, 3.346f, 0.3529f, 0.0f },      TellingRow { 2, 1, 1, 9.195f, 0.2639f, 0.0208f },
    TellingRow { 2, 1, 2, 11.216f, 0.2114f, 0.0625f },  TellingRow { 2, 1, 47, 40.834f, 0.0918f, 0.9792f }));
// clang-format on

struct SideRange
{
    int character, side;
    float firstMs, lastMs;
};

class ErTableSide : public testing::TestWithParam<SideRange>
{
protected:
    const ErTap* taps() const { return erTapTable[GetParam().character][GetParam().side]; }
};

TEST_P(ErTableSide, DelaysAscendWithinTheRange)
{
    const auto* t = taps();
    EXPECT_NEAR(t[0].delayMs, GetParam().firstMs, 0.1f);
    EXPECT_NEAR(t[erTapCount - 1].delayMs, GetParam().lastMs, 0.2f);
    for (int i = 1; i < erTapCount; ++i)
        EXPECT_LT(t[i - 1].delayMs, t[i].delayMs) << "tap " << i;
}

TEST_P(ErTableSide, GainsArePositiveWithUnitEnergyAndTheFirstTapStrongest)
{
    const auto* t = taps();
    double energy = 0.0;
    for (int i = 0; i < erTapCount; ++i)
    {
        EXPECT_GE(t[i].gain, 0.07f) << "tap " << i;
        EXPECT_LE(t[i].gain, 0.42f) << "tap " << i;
        if (i > 0)
        {
            EXPECT_LT(t[i].gain, t[0].gain) << "tap " << i;
        }
        energy += static_cast<double>(t[i].gain) * t[i].gain;
    }
    EXPECT_NEAR(energy, 1.0, 1e-5);
}

TEST_P(ErTableSide, OrderIsThePlaceByDescendingGain)
{
    const auto* t = taps();
    int places[erTapCount];
    std::iota(places, places + erTapCount, 0);
    std::stable_sort(places, places + erTapCount, [t](int a, int b) { return t[a].gain > t[b].gain; });
    for (int place = 0; place < erTapCount; ++place)
        EXPECT_FLOAT_EQ(t[places[place]].order, static_cast<float>(place) / erTapCount) << "place " << place;
}

TEST_P(ErTableSide, DiffersSlightlyFromTheOtherSide)
{
    const auto* t = taps();
    const auto* other = erTapTable[GetParam().character][1 - GetParam().side];
    int differing = 0;
    for (int i = 0; i < erTapCount; ++i)
    {
        differing += t[i].delayMs != other[i].delayMs ? 1 : 0;
        EXPECT_NEAR(t[i].delayMs, other[i].delayMs, 0.1f * t[erTapCount - 1].delayMs) << "tap " << i;
    }
    EXPECT_GT(differing, erTapCount / 2);
}

INSTANTIATE_TEST_SUITE_P(Sides, ErTableSide,
                         testing::Values(SideRange { 0, 0, 3.4f, 20.5f }, SideRange { 0, 1, 3.4f, 20.5f },
                                         SideRange { 1, 0, 1.41f, 136.8f }, SideRange { 1, 1, 1.41f, 136.8f },
                                         SideRange { 2, 0, 3.35f, 41.0f }, SideRange { 2, 1, 3.35f, 41.0f }));

TEST(ErTapTable, PlateHasNoTaps)
{
    EXPECT_EQ(erTapsFor(3, 0), nullptr);
    EXPECT_EQ(erTapsFor(3, 1), nullptr);
    EXPECT_EQ(erTapsFor(1, 1), erTapTable[1][1]);
}
} // namespace zq6::test
