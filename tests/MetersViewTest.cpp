#include "support/ProcessorHarness.h"
#include "support/ShippedUi.h"
#include "support/TestSignals.h"
#include "ui/views/MetersView.h"

#include <gtest/gtest.h>

namespace zq6::test
{
namespace
{
using Peaks = ui::MetersView::Peaks;
constexpr Peaks silence { 0.0f, 0.0f, 0.0f, 0.0f };

class Meters : public testing::Test
{
protected:
    Meters() { view.setBounds(ui.layout.scaledRect("outlet.meter", 1.0f)); }

    void tick(const Peaks& peaks, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            view.update(peaks);
    }

    void click(juce::Rectangle<float> baseArea)
    {
        const auto at = baseArea.getCentre();
        const auto now = juce::Time::getCurrentTime();
        const juce::MouseEvent press(juce::Desktop::getInstance().getMainMouseSource(), at,
                                     juce::ModifierKeys::leftButtonModifier, juce::MouseInputSource::defaultPressure,
                                     0.0f, 0.0f, 0.0f, 0.0f, &view, &view, now, at, now, 1, false);
        ASSERT_TRUE(view.hitTest(juce::roundToInt(at.x), juce::roundToInt(at.y)));
        view.mouseDown(press);
    }

    int paintAndCountRenders()
    {
        juce::Image canvas(juce::Image::ARGB, view.getWidth(), view.getHeight(), true);
        juce::Graphics g(canvas);
        view.paintEntireComponent(g, false);
        return view.renderCount();
    }

    ShippedUi ui;
    ui::MetersView view { ui.context };
};

TEST_F(Meters, ShippedLayoutGivesFortyOneSegments)
{
    EXPECT_EQ(view.getGeometry().segmentCount, 41);
    EXPECT_FLOAT_EQ(view.getGeometry().segmentBottom, 300.0f);
}

TEST_F(Meters, SteadySineAtMinusSixDbLightsThirtyFourSegments)
{
    ProcessorHarness harness(48000.0, 256);
    const auto refreshSamples = 1584; // 33 ms at 48 kHz
    for (int i = 0; i < 12; ++i)
    {
        auto block = makeSine(2, refreshSamples, 48000.0, 997.0, juce::Decibels::decibelsToGain(-6.0f));
        harness.process(block);
        view.update(harness.processor().getMeterPeaks().readAndClearAll());
    }
    for (int bar : { 0, 1 })
    {
        EXPECT_NEAR(view.bar(bar).level(), 30.0f / 36.0f, 0.002f);
        EXPECT_EQ(view.bar(bar).litSegments(), 34);
        EXPECT_EQ(view.bar(bar).markSegment(), -1);
    }
    EXPECT_EQ(view.readout(ui::MeterGeometry::input).text(), "-6.0");
}

struct PeakCase
{
    float peak;
    const char* text;
    bool clipped;
};

class PeakNumbers : public Meters, public testing::WithParamInterface<PeakCase>
{
};

TEST_P(PeakNumbers, ShowTheHeldPeakAndClipAtFullScale)
{
    const auto c = GetParam();
    tick({ c.peak, 0.0f, 0.0f, 0.0f });
    const auto& input = view.readout(ui::MeterGeometry::input);
    EXPECT_EQ(input.text(), c.text);
    EXPECT_EQ(input.clipped(), c.clipped);
    EXPECT_EQ(view.readout(ui::MeterGeometry::output).text(), "-inf");
    EXPECT_FALSE(view.readout(ui::MeterGeometry::output).clipped());
}

INSTANTIATE_TEST_SUITE_P(Levels, PeakNumbers,
                         testing::Values(PeakCase { 1.0f, "0.0", true }, PeakCase { 1.2f, "+1.6", true },
                                         PeakCase { 0.99f, "-0.1", false }, PeakCase { 0.5f, "-6.0", false },
                                         PeakCase { 0.00003f, "-inf", false }, PeakCase { 0.0f, "-inf", false }));

TEST_F(Meters, NumberHoldsTheHighestPeakAndTheClipMarkStays)
{
    tick({ 0.0f, 0.0f, 1.5f, 0.5f });
    tick({ 0.0f, 0.0f, 0.25f, 0.1f }, 10);
    const auto& output = view.readout(ui::MeterGeometry::output);
    EXPECT_EQ(output.text(), "+3.5");
    EXPECT_TRUE(output.clipped());
}

TEST_F(Meters, BarFallsToNothingAfterThirtyTwoSilentTicks)
{
    tick({ 1.0f, 1.0f, 1.0f, 1.0f });
    tick(silence, 31);
    EXPECT_GT(view.bar(0).level(), 0.0f);
    tick(silence);
    EXPECT_EQ(view.bar(0).level(), 0.0f);
    EXPECT_EQ(view.bar(0).litSegments(), 0);
}

TEST_F(Meters, HeldPeakWaitsFortyFiveTicksThenFalls)
{
    tick({ 1.0f, 1.0f, 1.0f, 1.0f });
    tick(silence, 44);
    EXPECT_EQ(view.bar(2).heldLevel(), 1.0f);
    EXPECT_EQ(view.bar(2).markSegment(), 40);
    tick(silence);
    EXPECT_NEAR(view.bar(2).heldLevel(), 1.0f - 0.012f, 1e-6f);
    tick(silence, 40);
    EXPECT_LT(view.bar(2).markSegment(), 40);
    EXPECT_GT(view.bar(2).markSegment(), view.bar(2).litSegments());
}

TEST_F(Meters, MarkShowsOnlyAboveTheLitSegments)
{
    tick({ 0.5f, 0.0f, 0.0f, 0.0f });
    EXPECT_EQ(view.bar(0).markSegment(), -1);
    tick({ 0.1f, 0.0f, 0.0f, 0.0f });
    EXPECT_EQ(view.bar(0).markSegment(), 33);
}

TEST_F(Meters, ClickingOneNumberResetsOnlyItsSide)
{
    tick({ 1.0f, 1.0f, 1.1f, 1.1f });
    click(view.getGeometry().clickArea(ui::MeterGeometry::input));
    EXPECT_EQ(view.readout(ui::MeterGeometry::input).text(), "-inf");
    EXPECT_FALSE(view.readout(ui::MeterGeometry::input).clipped());
    EXPECT_EQ(view.readout(ui::MeterGeometry::output).text(), "+0.8");
    EXPECT_TRUE(view.readout(ui::MeterGeometry::output).clipped());

    click(view.getGeometry().lamp[ui::MeterGeometry::output]);
    EXPECT_FALSE(view.readout(ui::MeterGeometry::output).clipped());
}

TEST_F(Meters, OnlyTheNumbersAndLampsTakeClicks)
{
    const auto& g = view.getGeometry();
    const auto bar = g.segment(0, 10).getCentre();
    EXPECT_FALSE(view.hitTest(juce::roundToInt(bar.x), juce::roundToInt(bar.y)));
    const auto beside = g.clickArea(ui::MeterGeometry::output);
    EXPECT_TRUE(view.hitTest(juce::roundToInt(beside.getX() + 1.0f), juce::roundToInt(beside.getCentreY())));
    EXPECT_FALSE(view.hitTest(juce::roundToInt(beside.getCentreX()), juce::roundToInt(beside.getY() - 2.0f)));
}

TEST_F(Meters, CarriesItsHelpEntry)
{
    EXPECT_EQ(view.getTitle(), "Level meters");
    EXPECT_TRUE(view.getDescription().startsWith("Input and output peak levels."));
    EXPECT_TRUE(view.getTooltip().startsWith("Level meters - Input and output peak levels."));
}

TEST_F(Meters, AccessibleTextReadsBothSides)
{
    tick({ 1.0f, 0.2f, 0.5f, 0.0f });
    EXPECT_EQ(view.accessibleText(), "Input peak 0.0 dB (clipped), Output peak -6.0 dB");
    const auto handler = view.createAccessibilityHandler();
    EXPECT_EQ(handler->getRole(), juce::AccessibilityRole::staticText);
    ASSERT_NE(handler->getValueInterface(), nullptr);
    EXPECT_TRUE(handler->getValueInterface()->isReadOnly());
    EXPECT_EQ(handler->getValueInterface()->getCurrentValueAsString(), view.accessibleText());
}

TEST_F(Meters, SegmentsAreRenderedAgainOnlyWhenTheyChange)
{
    tick({ 0.5f, 0.5f, 0.5f, 0.5f });
    EXPECT_EQ(paintAndCountRenders(), 1);
    tick({ 0.5f, 0.5f, 0.505f, 0.5f });
    EXPECT_EQ(paintAndCountRenders(), 1);
    tick({ 0.9f, 0.5f, 0.5f, 0.5f });
    EXPECT_EQ(paintAndCountRenders(), 2);
}
} // namespace
} // namespace zq6::test
