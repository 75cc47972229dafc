#include "support/DisplayCheck.h"
#include "support/MouseDriver.h"
#include "support/ShippedUi.h"
#include "ui/controls/DeltaIcon.h"
#include "ui/controls/GlassButton.h"
#include "ui/controls/LearnButtonFace.h"

#include <gtest/gtest.h>

namespace zq6::test
{
namespace
{
using Style = ui::GlassButton::Style;

// Average brightness of a column band of an image.
float brightness(const juce::Image& image, int fromX, int toX)
{
    float sum = 0.0f;
    int count = 0;
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = fromX; x < toX; ++x, ++count)
            sum += image.getPixelAt(x, y).getBrightness();
    return count > 0 ? sum / static_cast<float>(count) : 0.0f;
}

// The Learn button at its layout place, painted without its texts.
juce::Image learnFace(float progress, bool learned, bool enabled)
{
    ui::LearnFaceState state;
    state.groove = 2.5f;
    state.cornerRadius = 10.5f;
    state.progress = progress;
    state.learned = learned;
    state.enabled = enabled;
    juce::Image image(juce::Image::RGB, 124, 52, true);
    juce::Graphics g(image);
    ui::paintLearnFace(g, { 0.0f, 0.0f, 124.0f, 52.0f }, state);
    return image;
}

TEST(LearnFace, GlowGrowsFromTheLeftWhileListening)
{
    const auto dark = learnFace(0.0f, false, true);
    const auto half = learnFace(0.5f, false, true);

    EXPECT_NEAR(brightness(dark, 10, 50), brightness(dark, 74, 114), 0.02f);
    EXPECT_GT(brightness(half, 10, 50), brightness(half, 74, 114) + 0.05f);
    EXPECT_NEAR(brightness(half, 74, 114), brightness(dark, 74, 114), 0.01f);
}

TEST(LearnFace, LearnedGlowsBrightestAndDisabledNotAtAll)
{
    const auto learned = brightness(learnFace(-1.0f, true, true), 0, 124);
    const auto ready = brightness(learnFace(-1.0f, false, true), 0, 124);
    const auto disabled = brightness(learnFace(-1.0f, false, false), 0, 124);
    const auto listeningAtZero = brightness(learnFace(0.0f, false, true), 0, 124);

    EXPECT_GT(learned, ready);
    EXPECT_GT(ready, disabled + 0.05f);
    EXPECT_LT(listeningAtZero, disabled);
}

TEST(LearnFace, FaceSitsInsideTheGroove)
{
    ui::LearnFaceState state;
    state.scale = 2.0f;
    state.groove = 2.5f;
    state.cornerRadius = 10.5f;
    const auto face = ui::learnFaceArea({ 0.0f, 0.0f, 248.0f, 104.0f }, state);

    EXPECT_EQ(face, juce::Rectangle<float>(5.0f, 5.0f, 238.0f, 94.0f));
    EXPECT_FLOAT_EQ(ui::learnFaceCorner(face, state), 16.0f);
    state.cornerRadius = 1.0f;
    EXPECT_FLOAT_EQ(ui::learnFaceCorner(face, state), 0.0f);
}

TEST(DeltaIcon, HeadphonesFillTheirBoxSymmetrically)
{
    const auto bounds = ui::deltaIconPath({ 0.0f, 0.0f, 16.0f, 16.0f }).getBounds();

    // Cups from 1.6 to 14.4 and the band's top at 9.2 - 5.6, grown by half the 1.4 stroke.
    EXPECT_NEAR(bounds.getX(), 0.9f, 0.05f);
    EXPECT_NEAR(bounds.getRight(), 15.1f, 0.05f);
    EXPECT_NEAR(bounds.getY(), 2.9f, 0.05f);
    EXPECT_NEAR(bounds.getBottom(), 14.8f, 0.05f);
    EXPECT_EQ(ui::deltaIconPath({ 10.0f, 20.0f, 32.0f, 32.0f }).getBounds(),
              bounds.transformedBy(juce::AffineTransform::scale(2.0f).translated(10.0f, 20.0f)));
}

TEST(GlassButtonClicks, DeltaTogglesAndReadsAsAToggle)
{
    ZQ6_SKIP_WITHOUT_DISPLAY();
    ShippedUi ui;
    ui::GlassButton delta(ui.context, Style::delta, "Delta", true);
    delta.setBounds(0, 0, 54, 18);
    DesktopTestWindow window(60, 30);
    window.addAndMakeVisible(delta);
    MouseDriver mouse(window);

    mouse.clickCentre(delta);
    EXPECT_TRUE(delta.getToggleState());
    EXPECT_EQ(delta.getAccessibilityHandler()->getRole(), juce::AccessibilityRole::toggleButton);
    EXPECT_TRUE(delta.getAccessibilityHandler()->getCurrentState().isChecked());

    mouse.clickCentre(delta);
    EXPECT_FALSE(delta.getToggleState());
}

TEST(GlassButtonClicks, DisabledWindowTakesNoClick)
{
    ZQ6_SKIP_WITHOUT_DISPLAY();
    ShippedUi ui;
    ui::GlassButton window(ui.context, Style::window, {}, false);
    window.setBounds(0, 0, 90, 52);
    DesktopTestWindow host(100, 60);
    host.addAndMakeVisible(window);
    MouseDriver mouse(host);
    int clicks = 0;
    window.onClick = [&clicks] { ++clicks; };

    mouse.clickCentre(window);
    window.setEnabled(false);
    mouse.clickCentre(window);

    EXPECT_EQ(clicks, 1);
}

TEST(GlassButtonLayout, WindowAndLearnTextsComeFromTheLayoutRelativeToTheButton)
{
    ShippedUi ui(1.0f);
    ui::GlassButton mode(ui.context, Style::window, {}, false);
    mode.setBounds(ui.layout.scaledRect("learn.mode", 1.0f));
    mode.setLayoutId("learn.mode");
    mode.setKey("Routing");
    mode.setValue("Insert");

    juce::Image image(juce::Image::ARGB, mode.getWidth(), mode.getHeight(), true);
    juce::Graphics g(image);
    mode.paintButton(g, false, false);
    // The value "Insert" starts at the value rectangle's left edge (12 in) and lies in its rows.
    const auto valueTop = 222 - 198;
    bool inkLeftOfText = false;
    bool inkInValueRows = false;
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (image.getPixelAt(x, y).getAlpha() > 40)
            {
                inkLeftOfText = inkLeftOfText || x < 11;
                inkInValueRows = inkInValueRows || (y > valueTop && y < valueTop + 18);
            }
    EXPECT_FALSE(inkLeftOfText);
    EXPECT_TRUE(inkInValueRows);
}

TEST(GlassButtonAccessibility, WindowsReadTheirValueAndTheLearnButtonItsStatus)
{
    ZQ6_SKIP_WITHOUT_DISPLAY();
    ShippedUi ui;
    ui::GlassButton source(ui.context, Style::window, {}, false);
    DesktopTestWindow sourceWindow(40, 20);
    sourceWindow.addAndMakeVisible(source);
    source.setValue("Lead vocal");
    EXPECT_EQ(source.getAccessibilityHandler()->getValueInterface()->getCurrentValueAsString(), "Lead vocal");
    source.setAccessibleValue(juce::String::fromUTF8("Vocal \xe2\x80\xba Lead vocal"));
    EXPECT_EQ(source.getAccessibilityHandler()->getValueInterface()->getCurrentValueAsString(),
              juce::String::fromUTF8("Vocal \xe2\x80\xba Lead vocal"));
    EXPECT_EQ(source.getAccessibilityHandler()->getRole(), juce::AccessibilityRole::button);

    ui::GlassButton learn(ui.context, Style::learn, "Learn", false);
    DesktopTestWindow learnWindow(40, 20);
    learnWindow.addAndMakeVisible(learn);
    learn.setStatus("Listening... 40%");
    EXPECT_EQ(learn.getAccessibilityHandler()->getValueInterface()->getCurrentValueAsString(), "Listening... 40%");
    EXPECT_EQ(learn.getAccessibilityHandler()->getTitle(), "Learn");
}

TEST(GlassButtonState, ProgressIsClampedAndNegativeMeansNone)
{
    ShippedUi ui;
    ui::GlassButton learn(ui.context, Style::learn, "Learn", false);
    learn.setProgress(1.7f);
    EXPECT_FLOAT_EQ(learn.getProgress(), 1.0f);
    learn.setProgress(-0.2f);
    EXPECT_FLOAT_EQ(learn.getProgress(), -1.0f);
}
} // namespace
} // namespace zq6::test
