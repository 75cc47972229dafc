#include "support/MessagePump.h"

#include <BakedLayer.h>
#include <BoxFilter.h>
#include <gtest/gtest.h>

#include <numeric>

namespace zq6::test
{
namespace
{
using quil::ui::BakedLayer;
using quil::ui::BoxFilter;

class BoxSpans : public testing::TestWithParam<std::pair<int, int>>
{
};

TEST_P(BoxSpans, WeightsOfEveryTargetPixelSumToOne)
{
    const auto [source, target] = GetParam();
    const auto spans = BoxFilter::spans(source, target);
    ASSERT_EQ(static_cast<int>(spans.size()), target);
    for (const auto& span : spans)
    {
        EXPECT_NEAR(std::accumulate(span.weights.begin(), span.weights.end(), 0.0), 1.0, 1.0e-5);
        EXPECT_GE(span.first, 0);
        EXPECT_LE(span.first + static_cast<int>(span.weights.size()), source);
    }
}

INSTANTIATE_TEST_SUITE_P(Ratios, BoxSpans,
                         testing::Values(std::pair { 2560, 1680 }, std::pair { 1440, 945 }, std::pair { 2560, 896 },
                                         std::pair { 7, 3 }, std::pair { 10, 10 }, std::pair { 5, 1 }));

juce::Image filled(juce::Image::PixelFormat format, int w, int h, juce::Colour colour)
{
    juce::Image image(format, w, h, false);
    image.clear(image.getBounds(), colour);
    return image;
}

class ConstantImage : public testing::TestWithParam<juce::Image::PixelFormat>
{
};

TEST_P(ConstantImage, StaysConstantWhenReduced)
{
    const auto colour = GetParam() == juce::Image::SingleChannel ? juce::Colour(0x9d000000) : juce::Colour(0xff3a7bc1);
    const auto source = filled(GetParam(), 256, 144, colour);
    const auto reduced = BoxFilter::reduce(source, 168, 95);
    ASSERT_EQ(reduced.getFormat(), source.getFormat());
    for (int y = 0; y < reduced.getHeight(); y += 7)
        for (int x = 0; x < reduced.getWidth(); x += 5)
            ASSERT_EQ(reduced.getPixelAt(x, y), source.getPixelAt(0, 0)) << x << ", " << y;
}

INSTANTIATE_TEST_SUITE_P(Formats, ConstantImage,
                         testing::Values(juce::Image::RGB, juce::Image::ARGB, juce::Image::SingleChannel));

TEST(BoxFilterReduce, AveragesTheCoveredPixels)
{
    // Columns 0, 255, 0, 255 halved: every target pixel covers one black and one white column.
    juce::Image source(juce::Image::RGB, 4, 1, true);
    source.setPixelAt(1, 0, juce::Colours::white);
    source.setPixelAt(3, 0, juce::Colours::white);
    const auto reduced = BoxFilter::reduce(source, 2, 1);
    EXPECT_EQ(reduced.getPixelAt(0, 0).getRed(), 128);
    EXPECT_EQ(reduced.getPixelAt(1, 0).getGreen(), 128);
}

struct CopyCase
{
    juce::Point<int> target;
    BakedLayer::CopyMethod method;
};

class CopyMethod : public testing::TestWithParam<CopyCase>
{
};

TEST_P(CopyMethod, FollowsTheTargetSize)
{
    EXPECT_EQ(BakedLayer::copyMethodFor({ 2560, 1440 }, GetParam().target), GetParam().method);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, CopyMethod,
    testing::Values(CopyCase { { 2560, 1440 }, BakedLayer::CopyMethod::source },
                    CopyCase { { 1680, 945 }, BakedLayer::CopyMethod::boxFilter },
                    CopyCase { { 2560, 1000 }, BakedLayer::CopyMethod::boxFilter },
                    CopyCase { { 3000, 1688 }, BakedLayer::CopyMethod::upscale },
                    CopyCase { { 2000, 1500 }, BakedLayer::CopyMethod::mixed }));

class BakedLayerPaint : public testing::Test
{
protected:
    BakedLayerPaint() : layer(juce::Colours::black)
    {
        layer.setImage(std::make_shared<const juce::Image>(filled(juce::Image::RGB, 2560, 1440, juce::Colours::grey)));
        layer.setBounds(0, 0, 1120, 630);
        settle();
    }

    void paintAt(float displayScale)
    {
        juce::Image target(juce::Image::RGB, juce::roundToInt(layer.getWidth() * displayScale),
                           juce::roundToInt(layer.getHeight() * displayScale), true);
        juce::Graphics g(target);
        g.addTransform(juce::AffineTransform::scale(displayScale));
        layer.paint(g);
    }

    static void settle()
    {
        pumpMessages(2 * BakedLayer::settleMilliseconds + 60);
    }

    BakedLayer layer;
};

TEST_F(BakedLayerPaint, DisplayScaleOneAndAHalfAsksForAMatchingCopy)
{
    paintAt(1.5f);
    EXPECT_EQ(layer.copySize(), juce::Point<int>(1680, 945));
    EXPECT_EQ(layer.generation(), 1);
}

TEST_F(BakedLayerPaint, CopyIsMadeOncePerSize)
{
    paintAt(1.0f);
    paintAt(1.0f);
    EXPECT_EQ(layer.generation(), 1);
    EXPECT_EQ(layer.copySize(), juce::Point<int>(1120, 630));
}

TEST_F(BakedLayerPaint, ResizeStretchesTheOldCopyUntilSettled)
{
    paintAt(1.0f);
    layer.setBounds(0, 0, 1000, 563);
    EXPECT_FALSE(layer.isSettled());
    paintAt(1.0f);
    EXPECT_EQ(layer.generation(), 1);

    settle();
    EXPECT_TRUE(layer.isSettled());
    paintAt(1.0f);
    EXPECT_EQ(layer.generation(), 2);
    EXPECT_EQ(layer.copySize(), juce::Point<int>(1000, 563));
}

TEST(SharedImageCache, SharesOneDecodeWhileInUseAndRejectsBadData)
{
    juce::MemoryOutputStream png;
    juce::PNGImageFormat().writeImageToStream(filled(juce::Image::RGB, 8, 4, juce::Colours::red), png);
    const auto first = quil::ui::SharedImageCache::get(png.getData(), png.getDataSize());
    const auto second = quil::ui::SharedImageCache::get(png.getData(), png.getDataSize());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first.get(), second.get());
    EXPECT_EQ(first->getWidth(), 8);

    const char junk[] = "not an image";
    EXPECT_EQ(quil::ui::SharedImageCache::get(junk, sizeof(junk)), nullptr);
}
} // namespace
} // namespace zq6::test
