#include "support/ShippedUi.h"
#include "ui/views/BandsView.h"

#include <gtest/gtest.h>

namespace zq6::test
{
namespace
{
class Bands : public testing::Test
{
protected:
    Bands() { view.setBounds(ui.layout.scaledRect("clean.bands.fill", 1.0f)); }

    void tickWith(int band, float db, int times = 1)
    {
        ui::BandsView::Reductions reductions {};
        reductions[static_cast<size_t>(band)] = db;
        for (int i = 0; i < times; ++i)
            view.update(reductions);
    }

    ShippedUi ui;
    ui::BandsView view { ui.context };
};

TEST_F(Bands, ThirtyDbDrawsAFullHeightBar)
{
    tickWith(7, 30.0f, 8);
    EXPECT_EQ(view.shown(7), 1.0f);
    const auto innerHeight = static_cast<float>(view.getHeight()) - 8.0f;
    EXPECT_FLOAT_EQ(view.barArea(7).getHeight(), innerHeight);
    EXPECT_FLOAT_EQ(view.barArea(7).getY(), 4.0f);
    EXPECT_TRUE(view.barArea(6).isEmpty());
}

TEST_F(Bands, RisesQuicklyAndFallsSlowly)
{
    tickWith(0, 12.0f);
    EXPECT_FLOAT_EQ(view.shown(0), 0.3f);
    tickWith(0, 0.0f);
    EXPECT_FLOAT_EQ(view.shown(0), 0.225f);
}

TEST_F(Bands, SnapsOntoTheTargetWhenClose)
{
    tickWith(3, 24.0f, 8);
    EXPECT_EQ(view.shown(3), 1.0f);
    tickWith(3, 0.0f, 20);
    EXPECT_EQ(view.shown(3), 0.0f);
}

TEST_F(Bands, BarsSitCentredInTwentyFourSlots)
{
    ui::BandsView::Reductions full;
    full.fill(24.0f);
    for (int i = 0; i < 8; ++i)
        view.update(full);
    const auto first = view.barArea(0);
    const auto last = view.barArea(ui::BandsView::bandCount - 1);
    const auto innerWidth = static_cast<float>(view.getWidth()) - 8.0f;
    const auto slot = (innerWidth - 23.0f * 3.0f) / 24.0f;
    EXPECT_NEAR(first.getWidth(), slot * 0.6f, 1e-4f);
    EXPECT_NEAR(first.getX() - 4.0f, (slot - first.getWidth()) * 0.5f, 1e-4f);
    EXPECT_NEAR(4.0f + innerWidth - last.getRight(), (slot - last.getWidth()) * 0.5f, 1e-3f);
}
} // namespace
} // namespace zq6::test
