#include "support/ProcessorHarness.h"
#include "support/ShippedUi.h"
#include "params/ParameterIds.h"
#include "ui/shell/BakedImageData.h"
#include "ui/views/BandsView.h"
#include "ui/views/InstrumentWindow.h"
#include "ui/views/MetersView.h"
#include "ui/shell/Palette.h"
#include "ui/views/TailInputReader.h"

#include <gtest/gtest.h>

namespace zq6::test
{
namespace
{
constexpr double rate = 48000.0;
constexpr int refreshSamples = 1584; // 33 ms

// Drum-like bursts of noise, one every 400 ms, under a quiet steady tone.
juce::AudioBuffer<float> bursts(int startSample, int samples)
{
    juce::AudioBuffer<float> buffer(2, samples);
    juce::Random random(startSample);
    for (int i = 0; i < samples; ++i)
    {
        const auto n = startSample + i;
        const auto sinceHit = static_cast<float>(n % 19200) / static_cast<float>(rate);
        const auto hit = 0.8f * std::exp(-sinceHit * 30.0f) * (random.nextFloat() * 2.0f - 1.0f);
        const auto tone = 0.05f * std::sin(2.0f * juce::MathConstants<float>::pi * 220.0f * static_cast<float>(n) / 48000.0f);
        buffer.setSample(0, i, hit + tone);
        buffer.setSample(1, i, 0.9f * hit + tone);
    }
    return buffer;
}

juce::Image bakedBackground()
{
    int size = 0;
    const auto* data = BakedResources::getNamedResource("zq6_baked_png", size);
    return data != nullptr ? juce::ImageFileFormat::loadFrom(data, static_cast<size_t>(size)) : juce::Image();
}

// The three views fed from a running processor, each refresh 33 ms of signal apart.
class ViewRendering : public testing::Test
{
protected:
    ViewRendering()
    {
        meters.setBounds(ui.layout.scaledRect("outlet.meter", 1.0f));
        bands.setBounds(ui.layout.scaledRect("clean.bands.fill", 1.0f));
        tail.setBounds(ui.layout.scaledRect("stage.window", 1.0f));
        harness.set(pid::cleanUnmask, 1.0f);
    }

    void play(int refreshes)
    {
        for (int i = 0; i < refreshes; ++i)
        {
            auto block = bursts(played, refreshSamples);
            harness.process(block);
            played += refreshSamples;
            nowMs += 33.0;

            auto& processor = harness.processor();
            const auto peaks = processor.getMeterPeaks().readAndClearAll();
            meters.update(peaks);
            bands.update(processor.getEngine().getUnmask().getReductionsDb());
            tail.refresh(reader.read(), peaks[0], peaks[1]);
        }
    }

    // The view as drawn, at the background's resolution; saved over its panel's part of the background
    // when a folder is named in ZQ6_PICTURE_DIR.
    juce::Image render(juce::Component& view, const char* panelId)
    {
        const auto bakeScale = static_cast<float>(ui.layout.bakeWidth) / static_cast<float>(ui.layout.baseWidth);
        auto live = view.createComponentSnapshot(view.getLocalBounds(), true, bakeScale);
        const auto panel = ui.layout.scaledRect(panelId, 1.0f);
        auto image = background.getClippedImage((panel.toFloat() * bakeScale).getSmallestIntegerContainer())
                         .createCopy()
                         .convertedToFormat(juce::Image::ARGB);
        {
            juce::Graphics g(image);
            const auto offset = (view.getPosition() - panel.getPosition()).toFloat() * bakeScale;
            g.drawImageAt(live, juce::roundToInt(offset.x), juce::roundToInt(offset.y));
        }
        saveIfAsked(image, panelId);
        return live;
    }

    static void saveIfAsked(const juce::Image& image, const char* name)
    {
        const auto folder = juce::SystemStats::getEnvironmentVariable("ZQ6_PICTURE_DIR", {});
        if (folder.isEmpty())
            return;
        juce::FileOutputStream out(juce::File(folder).getChildFile(juce::String(name) + ".png"));
        out.setPosition(0);
        out.truncate();
        juce::PNGImageFormat().writeImageToStream(image, out);
    }

    ShippedUi ui;
    ProcessorHarness harness { rate, 256 };
    ui::TailInputReader reader { harness.processor() };
    double nowMs = 0.0;
    int played = 0;
    ui::MetersView meters { ui.context };
    ui::BandsView bands { ui.context };
    ui::InstrumentWindow tail { ui.context, [this] { return nowMs; }, [] { return false; } };
    juce::Image background = bakedBackground();
};

float distance(juce::Colour a, juce::Colour b)
{
    return std::abs(a.getFloatRed() - b.getFloatRed()) + std::abs(a.getFloatGreen() - b.getFloatGreen())
           + std::abs(a.getFloatBlue() - b.getFloatBlue());
}

TEST_F(ViewRendering, MetersLightTheirSegmentsAndTheClipLamp)
{
    play(45);
    meters.update({ 1.2f, 0.3f, 0.0f, 0.0f });
    const auto image = render(meters, "outlet");
    const auto scale = static_cast<float>(image.getWidth()) / static_cast<float>(meters.getWidth());
    const auto& geometry = meters.getGeometry();
    const auto pixelAt = [&](int bar, int segment) {
        const auto centre = geometry.segment(bar, segment).getCentre() * scale;
        return image.getPixelAt(juce::roundToInt(centre.x), juce::roundToInt(centre.y));
    };
    ASSERT_GT(meters.bar(0).litSegments(), 2);
    EXPECT_LT(distance(pixelAt(0, 0), ui::palette::accent), 0.05f);
    EXPECT_EQ(pixelAt(0, 0).getAlpha(), 255);
    EXPECT_LT(distance(pixelAt(0, geometry.segmentCount - 1), juce::Colour::fromHSV(1.0f, 0.72f, 0.35f, 1.0f)), 0.05f);
    EXPECT_LT(pixelAt(2, geometry.segmentCount - 1).getAlpha(), 128);
    EXPECT_GT(meters.readout(ui::MeterGeometry::output).heldDb(), -30.0f);
    const auto lamp = [&](int side) {
        const auto centre = geometry.lamp[static_cast<size_t>(side)].getCentre() * scale;
        return image.getPixelAt(juce::roundToInt(centre.x), juce::roundToInt(centre.y));
    };
    EXPECT_LT(distance(lamp(ui::MeterGeometry::input), ui::palette::salmon), 0.05f);
    EXPECT_EQ(lamp(ui::MeterGeometry::output).getAlpha(), 0);
}

TEST_F(ViewRendering, UnmaskBandsHangFromTheTop)
{
    play(60);
    const auto image = render(bands, "clean");
    auto tallest = 0;
    for (int j = 1; j < ui::BandsView::bandCount; ++j)
        if (bands.shown(j) > bands.shown(tallest))
            tallest = j;
    ASSERT_GT(bands.shown(tallest), 0.05f);
    const auto scale = static_cast<float>(image.getWidth()) / static_cast<float>(bands.getWidth());
    const auto bar = bands.barArea(tallest) * scale;
    EXPECT_GT(image.getPixelAt(juce::roundToInt(bar.getCentreX()), juce::roundToInt(bar.getY() + 2.0f)).getAlpha(),
              200);
}

TEST_F(ViewRendering, TailDrawsItsRidgesAndThePulseOfAnOnset)
{
    play(20);
    ASSERT_GT(tail.getPulse().onsetCount(), 0);
    const auto image = render(tail, "stage");
    const auto& front = tail.getGraph().ridge(0);
    const auto scale = static_cast<float>(image.getWidth()) / static_cast<float>(tail.getWidth());
    const auto at = (juce::Point<float>(front.x[50], front.y[50]) + juce::Point<float>(2.4f, 2.4f)) * scale;
    EXPECT_GT(image.getPixelAt(juce::roundToInt(at.x), juce::roundToInt(at.y)).getAlpha(), 100);
}
} // namespace
} // namespace zq6::test
