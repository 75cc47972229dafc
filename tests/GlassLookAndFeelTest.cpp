#include "ui/shell/GlassLookAndFeel.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zq6::test
{
namespace
{
using ui::GlassLookAndFeel;

TEST(Glow, OneStepDrawsOneStrokeOfTheFullReach)
{
    ui::GlowStyle style;
    style.steps = 1;
    const auto scale = 1.5f;
    const auto strokes = GlassLookAndFeel::glowStrokes(style, scale);
    ASSERT_EQ(strokes.size(), 1u);

    const auto radius = style.radius * scale;
    EXPECT_FLOAT_EQ(strokes[0].halfWidth, radius * style.spread);
    // The ring's middle sits at half the reach, k / 2 radii out.
    const auto middle = style.spread * 0.5f;
    EXPECT_NEAR(strokes[0].alpha, std::exp(-middle * middle) * style.intensity, 1.0e-6);
}

TEST(Glow, StepsNarrowAndStackToTheirTargets)
{
    const ui::GlowStyle style;
    const auto strokes = GlassLookAndFeel::glowStrokes(style, 1.0f);
    ASSERT_EQ(strokes.size(), 6u);
    auto covered = 0.0f;
    for (size_t j = 0; j < strokes.size(); ++j)
    {
        if (j > 0)
        {
            EXPECT_LT(strokes[j].halfWidth, strokes[j - 1].halfWidth);
        }
        covered = 1.0f - (1.0f - covered) * (1.0f - strokes[j].alpha);
        const auto inner = static_cast<float>(5 - j) * 2.5f * 2.5f / 6.0f;
        const auto middle = (inner + strokes[j].halfWidth) * 0.5f / 2.5f;
        EXPECT_NEAR(covered, std::exp(-middle * middle) * style.intensity, 1.0e-5) << j;
    }
}

TEST(Glow, ZeroStepsCountAsOne)
{
    ui::GlowStyle style;
    style.steps = 0;
    EXPECT_EQ(GlassLookAndFeel::glowStrokes(style, 1.0f).size(), 1u);
}

juce::Image blank()
{
    juce::Image image(juce::Image::ARGB, 40, 20, true);
    return image;
}

bool isBlank(const juce::Image& image)
{
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (image.getPixelAt(x, y).getAlpha() != 0)
                return false;
    return true;
}

TEST(TextRoutine, EmptyTextDrawsNothing)
{
    auto image = blank();
    {
        juce::Graphics g(image);
        GlassLookAndFeel::drawText(g, nullptr, {}, image.getBounds().toFloat(), juce::Font(12.0f),
                                   juce::Colours::white, juce::Justification::centred, "label");
    }
    EXPECT_TRUE(isBlank(image));
}

TEST(TextRoutine, WidthEndsAtTheLastGlyph)
{
    const juce::Font font(14.0f);
    EXPECT_EQ(GlassLookAndFeel::textWidth(font, {}), 0.0f);
    const auto one = GlassLookAndFeel::textWidth(font, "A");
    EXPECT_GT(one, 0.0f);
    EXPECT_GT(GlassLookAndFeel::textWidth(font, "AA"), one * 1.5f);
}

TEST(RecessedShade, LightsOnlyTheBandTheOffsetCopyLeaves)
{
    auto image = blank();
    {
        juce::Graphics g(image);
        GlassLookAndFeel::recessedShade(g, image.getBounds().toFloat(), 0.0f, { 0.0f, 3.0f }, 1.0f);
    }
    EXPECT_EQ(image.getPixelAt(20, 1).getAlpha(), 255);
    EXPECT_EQ(image.getPixelAt(20, 10).getAlpha(), 0);
    EXPECT_EQ(image.getPixelAt(20, 19).getAlpha(), 0);
}

class ScaledLookAndFeel : public testing::Test
{
protected:
    ScaledLookAndFeel() : lookAndFeel(context) { context.scale = 0.8f; }

    ui::UiContext context;
    GlassLookAndFeel lookAndFeel;
};

TEST_F(ScaledLookAndFeel, PopupBorderFollowsTheScale)
{
    EXPECT_EQ(lookAndFeel.getPopupMenuBorderSize(), 6);
}

TEST_F(ScaledLookAndFeel, MenuItemSizesFollowTheScale)
{
    int w = 0, h = 0;
    lookAndFeel.getIdealPopupMenuItemSize("Hall", false, 0, w, h);
    EXPECT_EQ(h, 21);
    EXPECT_EQ(w, juce::roundToInt(GlassLookAndFeel::textWidth(lookAndFeel.getPopupMenuFont(), "Hall") + 48.0f * 0.8f));

    lookAndFeel.getIdealPopupMenuItemSize({}, true, 0, w, h);
    EXPECT_EQ(w, 50);
    EXPECT_EQ(h, 7);
    lookAndFeel.getIdealPopupMenuItemSize({}, true, 30, w, h);
    EXPECT_EQ(h, 3);
    lookAndFeel.getIdealPopupMenuItemSize("Hall", false, 30, w, h);
    EXPECT_EQ(h, 30);
}
} // namespace
} // namespace zq6::test
