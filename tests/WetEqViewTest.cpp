#include "dsp/ChunkSize.h"
#include "engine/BiquadDesign.h"
#include "engine/WetEq.h"
#include "engine/WetTone.h"
#include "params/ParameterIds.h"
#include "processor/ZQ6AudioProcessor.h"
#include "support/DisplayCheck.h"
#include "support/MessagePump.h"
#include "support/MouseDriver.h"
#include "support/ParameterGestures.h"
#include "support/SignalMeasures.h"
#include "ui/shell/GlassLookAndFeel.h"
#include "ui/help/TipPopup.h"
#include "ui/views/WetEqView.h"

#include <UiResources.h>
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <vector>

namespace zq6::test
{
namespace
{
constexpr int viewWidth = 726, viewHeight = 204;
constexpr int bandTwo = 2, bandThree = 3;

ui::UiContext interContext()
{
    ui::UiContext context;
    context.regular = juce::Typeface::createSystemTypefaceFor(UiResources::InterRegular_otf,
                                                              static_cast<size_t>(UiResources::InterRegular_otfSize));
    context.bold = juce::Typeface::createSystemTypefaceFor(UiResources::InterBold_otf,
                                                           static_cast<size_t>(UiResources::InterBold_otfSize));
    return context;
}

// A key press as the window's peer delivers it: to the focused component, then up its parents.
void pressKey(DesktopTestWindow& window, const juce::KeyPress& key)
{
    window.getPeer()->handleKeyPress(key);
}

// Counts the change gestures that controls open and close on the parameters.
class GestureCounter : private juce::AudioProcessorParameter::Listener
{
public:
    explicit GestureCounter(juce::AudioProcessor& processorToWatch) : processor(processorToWatch)
    {
        for (auto* parameter : processor.getParameters())
            parameter->addListener(this);
    }

    ~GestureCounter() override
    {
        for (auto* parameter : processor.getParameters())
            parameter->removeListener(this);
    }

    int begun(const char* id) const { return count(begins, id); }
    int ended(const char* id) const { return count(ends, id); }

private:
    static int count(const std::map<juce::String, int>& counts, const char* id)
    {
        const auto found = counts.find(id);
        return found != counts.end() ? found->second : 0;
    }

    void parameterValueChanged(int, float) override {}
    void parameterGestureChanged(int index, bool starting) override
    {
        const auto* parameter = dynamic_cast<juce::AudioProcessorParameterWithID*>(processor.getParameters()[index]);
        ++(starting ? begins : ends)[parameter->paramID];
    }

    juce::AudioProcessor& processor;
    std::map<juce::String, int> begins, ends;
};

// The view in a window of its own, with the help popup above it and the editor's look and feel.
class WetEqViewTest : public testing::Test
{
protected:
    void SetUp() override { ZQ6_SKIP_WITHOUT_DISPLAY(); }
    WetEqViewTest()
    {
        window.setLookAndFeel(&lookAndFeel);
        window.addAndMakeVisible(view);
        view.setBounds(30, 40, viewWidth, viewHeight);
        window.addChildComponent(popup);
        context.tipPopup = &popup;
    }

    ~WetEqViewTest() override
    {
        window.setLookAndFeel(nullptr);
    }

    void set(const char* id, float value)
    {
        auto* parameter = state.getParameter(id);
        parameter->setValueNotifyingHost(parameter->convertTo0to1(value));
    }

    float value(const char* id) const { return valueOf(state, id); }

    // The window's keyboard focus, once the display server's own focus event has come and gone:
    // arriving late, that event would take the focus from a text editor just opened.
    bool focusWindow()
    {
        for (int attempt = 0; attempt < 10; ++attempt)
        {
            if (!window.waitUntilFocused())
                return false;
            pumpMessages(100);
            if (window.hasKeyboardFocus(true))
                return true;
        }
        return false;
    }

    juce::Point<float> at(int point) const { return view.pointPosition(point); }

    void dragPoint(int point, juce::Point<float> to, juce::ModifierKeys mods = {})
    {
        mouse.press(view, at(point), mods);
        mouse.drag(view, (at(point) + to) / 2.0f, mods);
        mouse.drag(view, to, mods);
        mouse.release(view, to, mods);
    }

    void wheel(float deltaY, int times)
    {
        auto* peer = window.getPeer();
        const auto position = window.getLocalPoint(&view, view.getLocalBounds().getCentre().toFloat());
        juce::MouseWheelDetails details { 0.0f, deltaY, false, false, false };
        for (int i = 0; i < times; ++i)
            peer->handleMouseWheel(juce::MouseInputSource::InputSourceType::mouse, position,
                                   juce::Time::currentTimeMillis(), details);
    }

    void type(ui::WetEqView::Field field, const juce::String& text)
    {
        auto* editor = view.getField(field).getEditor();
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
        pressKey(window, juce::KeyPress(juce::KeyPress::returnKey));
        EXPECT_TRUE(pumpMessagesUntil([&] { return !view.getField(field).isOpen(); }));
    }

    ZQ6AudioProcessor processor;
    juce::AudioProcessorValueTreeState& state = processor.getValueTreeState();
    ui::UiContext context = interContext();
    ui::GlassLookAndFeel lookAndFeel { context };
    DesktopTestWindow window { 800, 300 };
    ui::TipPopup popup { context };
    ui::WetEqView view { context, state };
    MouseDriver mouse { window };
};

// The Wet EQ and the low cut of the engine itself, fed an impulse at the view's rate.
class MeasuredResponse
{
public:
    MeasuredResponse(const juce::AudioProcessorValueTreeState& state, double rateToUse) : rate(rateToUse)
    {
        constexpr int length = 1 << 15, chunk = maxChunkSamples;
        WetEqControls params;
        for (int b = 0; b < 4; ++b)
        {
            params.kind[b] = static_cast<int>(eqKindForChoice(b, valueOf(state, pid::eqType[b])));
            params.frequencyHz[b] = valueOf(state, pid::eqFreq[b]);
            params.gainDb[b] = valueOf(state, pid::eqGain[b]);
            params.q[b] = valueOf(state, pid::eqQ[b]);
        }
        params.lowPassHz = valueOf(state, pid::eqLp);

        std::vector<float> right(length, 0.0f);
        eqImpulse.assign(length, 0.0f);
        eqImpulse[0] = right[0] = 1.0f;
        WetEq eq;
        eq.prepare(rate);
        for (int start = 0; start < length; start += chunk)
            eq.process(eqImpulse.data() + start, right.data() + start, chunk, params);

        const auto lowCut = WetTone::lowCutDesign(valueOf(state, pid::lowcut), rate);
        BiquadState lowCutState;
        lowCutImpulse.resize(length);
        for (int i = 0; i < length; ++i)
            lowCutImpulse[static_cast<size_t>(i)] = static_cast<float>(lowCutState.process(lowCut, i == 0 ? 1.0 : 0.0));
    }

    double db(double hz) const { return responseDb(eqImpulse, hz, rate) + responseDb(lowCutImpulse, hz, rate); }

private:
    double rate;
    std::vector<float> eqImpulse, lowCutImpulse;
};

std::vector<juce::Point<float>> vertices(const juce::Path& path)
{
    std::vector<juce::Point<float>> points;
    for (juce::Path::Iterator i(path); i.next();)
        if (i.elementType == juce::Path::Iterator::startNewSubPath || i.elementType == juce::Path::Iterator::lineTo)
            points.emplace_back(i.x1, i.y1);
    return points;
}
} // namespace

TEST(WetEqGeometry, MapsFrequencyAndGainBothWays)
{
    const auto g = ui::WetEqGeometry::forSize(viewWidth, viewHeight, 1.0f);
    EXPECT_FLOAT_EQ(g.x0, 30.4f);
    EXPECT_FLOAT_EQ(g.width, 681.2f);
    EXPECT_FLOAT_EQ(g.y0, 36.0f);
    EXPECT_FLOAT_EQ(g.height, 147.6f);
    EXPECT_FLOAT_EQ(g.xOf(20.0), g.x0);
    EXPECT_FLOAT_EQ(g.xOf(20000.0), g.x0 + g.width);
    EXPECT_FLOAT_EQ(g.xOf(5.0), g.x0);
    EXPECT_NEAR(g.frequencyAt(g.xOf(1234.0)), 1234.0, 0.01);
    EXPECT_DOUBLE_EQ(g.frequencyAt(g.x0 + g.width + 50.0f), 20000.0);

    EXPECT_FLOAT_EQ(g.yOf(12.0), g.y0 + g.height * 0.06f);
    EXPECT_FLOAT_EQ(g.yOf(30.0), g.yOf(12.0));
    EXPECT_DOUBLE_EQ(g.gainAt(g.yOf(-4.26)), -4.3);
    EXPECT_DOUBLE_EQ(g.gainAt(-100.0f), 12.0);
}

TEST(WetEqGeometry, TooSmallLeavesNoArea)
{
    EXPECT_FALSE(ui::WetEqGeometry::forSize(30.0f, 200.0f, 1.0f).hasArea());
    EXPECT_FALSE(ui::WetEqGeometry::forSize(300.0f, 50.0f, 1.0f).hasArea());
}

TEST_F(WetEqViewTest, TooSmallHasNoCurveAndNothingToHit)
{
    view.setSize(40, 40);
    EXPECT_TRUE(view.getCurve().isEmpty());
    EXPECT_EQ(view.pointAt(at(bandTwo)), ui::WetEqView::noPoint);
}

struct CurveCase
{
    const char* name;
    double hostRate;
    double viewRate;
};

class WetEqViewCurve : public WetEqViewTest, public testing::WithParamInterface<CurveCase>
{
};

TEST_P(WetEqViewCurve, IsTheMeasuredResponseOfTheEngineAtItsRate)
{
    set(pid::lowcut, 60.0f);
    set(pid::eqGain[0], 4.0f);
    set(pid::eqType[1], 1.0f); // band 2 as low shelf
    set(pid::eqFreq[1], 700.0f);
    set(pid::eqGain[1], -5.0f);
    set(pid::eqGain[2], 6.0f);
    set(pid::eqQ[2], 3.0f);
    set(pid::eqGain[3], -3.0f);
    set(pid::eqLp, 9000.0f);
    if (GetParam().hostRate > 0.0)
        view.followHostRate(GetParam().hostRate);
    ASSERT_DOUBLE_EQ(view.getSampleRate(), GetParam().viewRate);

    const MeasuredResponse measured(state, GetParam().viewRate);
    const auto& g = view.getGeometry();
    const auto points = vertices(view.getCurve());
    ASSERT_EQ(points.size(), static_cast<size_t>(juce::roundToInt(g.width / 2.0f) + 1));
    // Half a pixel is about 0.1 dB here.
    const auto tolerance = 0.5f;
    for (size_t i = 0; i < points.size(); i += 17)
        EXPECT_NEAR(points[i].y, g.yOf(measured.db(g.frequencyAt(points[i].x))), tolerance) << points[i].x;
}

INSTANTIATE_TEST_SUITE_P(Rates, WetEqViewCurve,
                         testing::Values(CurveCase { "untilTheEditorSetsIt", 0.0, 48000.0 },
                                         CurveCase { "at44100", 44100.0, 44100.0 },
                                         CurveCase { "at88200", 88200.0, 44100.0 },
                                         CurveCase { "at96000", 96000.0, 48000.0 },
                                         CurveCase { "at192000", 192000.0, 48000.0 }),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(WetEqViewTest, LowPassStepsInOnlyBelowOff)
{
    const auto& g = view.getGeometry();
    const auto zero = g.yOf(0.0);
    EXPECT_FLOAT_EQ(at(ui::WetEqView::lowPassPoint).x, g.lowPassOffX());
    EXPECT_NEAR(vertices(view.getCurve()).back().y, zero, 0.01f);

    set(pid::eqLp, 19999.0f);
    EXPECT_FLOAT_EQ(at(ui::WetEqView::lowPassPoint).x, g.xOf(19999.0));
    EXPECT_GT(vertices(view.getCurve()).back().y, zero + 1.0f);
}

TEST_F(WetEqViewTest, PointingFindsTheNearestPointWithinReach)
{
    set(pid::eqFreq[2], 400.0f); // band 3 on band 2's place
    set(pid::eqGain[2], 0.0f);
    EXPECT_EQ(view.pointAt(at(bandTwo)), bandTwo);
    EXPECT_EQ(view.pointAt(at(bandTwo) + juce::Point<float>(0.0f, 13.0f)), bandTwo);
    EXPECT_EQ(view.pointAt(at(bandTwo) + juce::Point<float>(0.0f, 13.5f)), ui::WetEqView::noPoint);

    set(pid::eqGain[2], 3.0f);
    const auto between = (at(bandTwo) + at(bandThree)) / 2.0f;
    EXPECT_EQ(view.pointAt(between + juce::Point<float>(0.0f, 0.5f)), bandTwo);
    EXPECT_EQ(view.pointAt(between - juce::Point<float>(0.0f, 0.5f)), bandThree);
    EXPECT_EQ(view.pointAt(at(ui::WetEqView::lowCutPoint)), ui::WetEqView::noPoint);
}

struct LowPassDrop
{
    const char* name;
    bool toRightEdge;
};

class WetEqViewLowPassDrag : public WetEqViewTest, public testing::WithParamInterface<LowPassDrop>
{
};

TEST_P(WetEqViewLowPassDrag, EndsOff)
{
    set(pid::eqLp, 5000.0f);
    const auto& g = view.getGeometry();
    const auto x = GetParam().toRightEdge ? static_cast<float>(view.getWidth()) : g.xOf(19200.0);
    dragPoint(ui::WetEqView::lowPassPoint, { x, g.yOf(6.0) });
    EXPECT_FLOAT_EQ(value(pid::eqLp), 20000.0f);
    EXPECT_EQ(at(ui::WetEqView::lowPassPoint), juce::Point<float>(g.lowPassOffX(), g.yOf(0.0)));
    EXPECT_EQ(view.getSelected(), ui::WetEqView::lowPassPoint);
}

INSTANTIATE_TEST_SUITE_P(Drops, WetEqViewLowPassDrag,
                         testing::Values(LowPassDrop { "atTheRightEdge", true }, LowPassDrop { "at19200Hz", false }),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(WetEqViewTest, DraggingABandSetsFrequencyAndGainInOneGestureEach)
{
    const GestureCounter gestures(processor);
    const auto& g = view.getGeometry();
    dragPoint(bandThree, { g.xOf(1500.0), g.yOf(-4.5) });
    EXPECT_NEAR(value(pid::eqFreq[2]), 1500.0f, 1.0f);
    EXPECT_FLOAT_EQ(value(pid::eqGain[2]), -4.5f);
    EXPECT_EQ(gestures.begun(pid::eqFreq[2]), 1);
    EXPECT_EQ(gestures.ended(pid::eqFreq[2]), 1);
    EXPECT_EQ(gestures.begun(pid::eqGain[2]), 1);
    EXPECT_EQ(gestures.ended(pid::eqGain[2]), 1);
    EXPECT_EQ(view.getSelected(), bandThree);
}

TEST_F(WetEqViewTest, ClosingMidDragEndsTheGesturesAndTheHelp)
{
    const GestureCounter gestures(processor);
    auto closing = std::make_unique<ui::WetEqView>(context, state);
    window.addAndMakeVisible(*closing);
    closing->setBounds(view.getBounds());
    mouse.press(*closing, closing->pointPosition(bandTwo));
    mouse.drag(*closing, closing->pointPosition(bandTwo) + juce::Point<float>(20.0f, -20.0f));
    ASSERT_EQ(popup.owner(), closing.get());
    closing.reset();
    EXPECT_EQ(gestures.ended(pid::eqFreq[1]), 1);
    EXPECT_EQ(gestures.ended(pid::eqGain[1]), 1);
    EXPECT_FALSE(popup.isVisible());
    mouse.release(window, {});
}

TEST_F(WetEqViewTest, GainDragPastTheTopGivesTwelveDecibels)
{
    dragPoint(bandTwo, { at(bandTwo).x, -40.0f });
    EXPECT_FLOAT_EQ(value(pid::eqGain[1]), 12.0f);
    EXPECT_NEAR(value(pid::eqFreq[1]), 400.0f, 0.5f);
}

TEST_F(WetEqViewTest, ShiftDragsASixthAsFar)
{
    const auto& g = view.getGeometry();
    const auto start = at(bandTwo);
    dragPoint(bandTwo, start + juce::Point<float>(0.0f, -60.0f), juce::ModifierKeys::shiftModifier);
    EXPECT_FLOAT_EQ(value(pid::eqGain[1]), static_cast<float>(g.gainAt(start.y - 10.0f)));
}

TEST_F(WetEqViewTest, PressingAPointShowsItsHelpOnTheFarSideUntilRelease)
{
    mouse.press(view, at(bandTwo));
    ASSERT_TRUE(popup.isVisible());
    EXPECT_EQ(popup.owner(), &view);
    EXPECT_EQ(popup.getHeading(), "EQ band 2 (Bell)");
    EXPECT_EQ(popup.getRight(), view.getRight() - 10);
    EXPECT_EQ(popup.getBounds().getCentreY(), view.getBounds().getCentreY());

    const auto rightHalf = juce::Point<float>(view.getGeometry().xOf(12000.0), at(bandTwo).y);
    mouse.drag(view, rightHalf);
    EXPECT_EQ(popup.getX(), view.getX() + 10);
    mouse.release(view, rightHalf);
    EXPECT_FALSE(popup.isVisible());

    mouse.press(view, at(ui::WetEqView::lowPassPoint));
    EXPECT_EQ(popup.getHeading(), "EQ low-pass");
    mouse.release(view, at(ui::WetEqView::lowPassPoint));
}

TEST_F(WetEqViewTest, FiveWheelStepsUpFromQOneGive1Point61051InOneGesture)
{
    const GestureCounter gestures(processor);
    ASSERT_FLOAT_EQ(value(pid::eqQ[1]), 1.0f);
    wheel(0.1f, 5);
    EXPECT_NEAR(value(pid::eqQ[1]), 1.61051f, 1.0e-5f);
    EXPECT_EQ(gestures.begun(pid::eqQ[1]), 1);
    EXPECT_EQ(gestures.ended(pid::eqQ[1]), 0);
    EXPECT_TRUE(pumpMessagesUntil([&] { return gestures.ended(pid::eqQ[1]) == 1; }));
}

TEST_F(WetEqViewTest, WheelKeepsQWithinItsRange)
{
    wheel(0.1f, 40);
    EXPECT_FLOAT_EQ(value(pid::eqQ[1]), 8.0f);
    wheel(-0.1f, 60);
    EXPECT_FLOAT_EQ(value(pid::eqQ[1]), 0.3f);
    wheel(0.0f, 3);
    EXPECT_FLOAT_EQ(value(pid::eqQ[1]), 0.3f);
}

TEST_F(WetEqViewTest, WheelOverAnotherBandSelectsItAndMovesToItsGesture)
{
    const GestureCounter gestures(processor);
    wheel(0.1f, 1);
    const auto position = window.getLocalPoint(&view, at(bandThree));
    window.getPeer()->handleMouseWheel(juce::MouseInputSource::InputSourceType::mouse, position,
                                       juce::Time::currentTimeMillis(), { 0.0f, -0.1f, false, false, false });
    EXPECT_EQ(view.getSelected(), bandThree);
    EXPECT_NEAR(value(pid::eqQ[2]), 1.0f / 1.1f, 1.0e-5f);
    EXPECT_EQ(gestures.ended(pid::eqQ[1]), 1);
    EXPECT_EQ(gestures.begun(pid::eqQ[2]), 1);
}

TEST_F(WetEqViewTest, TypingAKiloSuffixSetsTheFrequencyOnly)
{
    ASSERT_TRUE(focusWindow());
    mouse.doubleClick(view, at(bandThree));
    EXPECT_EQ(view.getSelected(), bandThree);
    ASSERT_TRUE(view.getField(ui::WetEqView::frequencyField).isOpen());
    type(ui::WetEqView::frequencyField, "1.2k");
    EXPECT_FLOAT_EQ(value(pid::eqFreq[2]), 1200.0f);

    mouse.leave();
    auto& q = view.getField(ui::WetEqView::qField);
    mouse.doubleClick(q, q.getLocalBounds().getCentre().toFloat());
    ASSERT_TRUE(q.isOpen());
    type(ui::WetEqView::qField, "1.2k");
    EXPECT_FLOAT_EQ(value(pid::eqQ[2]), 1.0f);
}

TEST_F(WetEqViewTest, TabCommitsAndMovesThroughTheEnabledFields)
{
    ASSERT_TRUE(focusWindow());
    auto& frequency = view.getField(ui::WetEqView::frequencyField);
    auto& gain = view.getField(ui::WetEqView::gainField);
    frequency.open();
    frequency.getEditor()->setText("800");
    pressKey(window, juce::KeyPress(juce::KeyPress::tabKey));
    EXPECT_TRUE(pumpMessagesUntil([&] { return !frequency.isOpen(); }));
    EXPECT_TRUE(gain.isOpen());
    EXPECT_FLOAT_EQ(value(pid::eqFreq[1]), 800.0f);

    pressKey(window, juce::KeyPress(juce::KeyPress::tabKey, juce::ModifierKeys::shiftModifier, 0));
    EXPECT_TRUE(pumpMessagesUntil([&] { return frequency.isOpen() && !gain.isOpen(); }));

    view.setSelected(ui::WetEqView::lowPassPoint);
    EXPECT_FALSE(frequency.isOpen());
    EXPECT_FLOAT_EQ(value(pid::eqFreq[1]), 800.0f);
    // Were the key left unused, the window would move the focus on to this neighbour.
    juce::Component neighbour;
    neighbour.setWantsKeyboardFocus(true);
    window.addAndMakeVisible(neighbour);
    neighbour.setBounds(window.getWidth() - 20, window.getHeight() - 20, 10, 10);
    ASSERT_TRUE(focusWindow());
    frequency.open();
    pressKey(window, juce::KeyPress(juce::KeyPress::tabKey));
    EXPECT_FALSE(gain.isEnabled());
    EXPECT_FALSE(gain.isOpen());
    EXPECT_EQ(juce::Component::getCurrentlyFocusedComponent(), frequency.getEditor());
}

TEST_F(WetEqViewTest, ShapeButtonSwitchesTheSelectedBandInOneGesture)
{
    const GestureCounter gestures(processor);
    auto& button = view.getShapeButton();
    EXPECT_EQ(button.getCaption(), "Bell");
    EXPECT_EQ(button.getTitle(), "EQ band 2 shape");
    EXPECT_TRUE(button.getTooltip().startsWith("EQ band shape - "));

    mouse.click(button, button.getLocalBounds().getCentre().toFloat());
    EXPECT_FLOAT_EQ(value(pid::eqType[1]), 1.0f);
    EXPECT_EQ(button.getCaption(), "Low Shelf");
    EXPECT_EQ(gestures.begun(pid::eqType[1]), 1);
    EXPECT_EQ(gestures.ended(pid::eqType[1]), 1);
    mouse.click(button, button.getLocalBounds().getCentre().toFloat());
    EXPECT_FLOAT_EQ(value(pid::eqType[1]), 0.0f);

    view.setSelected(ui::WetEqView::lowPassPoint);
    EXPECT_FALSE(button.isVisible());
    EXPECT_EQ(view.getLabel(), "Low-pass");
}

TEST_F(WetEqViewTest, EveryPointHasAnAccessibleSliderForItsFrequency)
{
    set(pid::eqGain[0], 3.0f);
    for (int point = 1; point <= ui::WetEqView::lowPassPoint; ++point)
    {
        auto* handler = view.getNodeAccess(point).getAccessibilityHandler();
        ASSERT_NE(handler, nullptr);
        EXPECT_EQ(handler->getRole(), juce::AccessibilityRole::slider);
        ASSERT_NE(handler->getValueInterface(), nullptr);
    }
    EXPECT_EQ(view.getNodeAccess(1).getTitle(), "EQ band 1");
    EXPECT_EQ(view.getNodeAccess(1).getAccessibilityHandler()->getValueInterface()->getCurrentValueAsString(),
              "Low Shelf, 180 Hz, 3.0 dB, Q 0.71");
    EXPECT_EQ(view.getNodeAccess(5).getAccessibilityHandler()->getValueInterface()->getCurrentValueAsString(), "Off");

    view.getNodeAccess(4).getAccessibilityHandler()->getValueInterface()->setValue(5000.0);
    EXPECT_NEAR(value(pid::eqFreq[3]), 5000.0f, 0.5f);
    EXPECT_EQ(view.getTitle(), "Wet EQ");
}
} // namespace zq6::test

namespace zq6::test
{
namespace
{
// Renders the view over the window glass; with ZQ6_SNAPSHOT_DIR set, also writes it there for review.
juce::Image render(juce::Component& view, const juce::String& name)
{
    juce::Image image(juce::Image::ARGB, view.getWidth(), view.getHeight(), true);
    {
        juce::Graphics g(image);
        g.fillAll(juce::Colour(0xFF0A1424));
        view.paintEntireComponent(g, true);
    }
    const auto folder = juce::SystemStats::getEnvironmentVariable("ZQ6_SNAPSHOT_DIR", {});
    if (folder.isNotEmpty())
    {
        juce::FileOutputStream out(juce::File(folder).getChildFile("wet-eq-" + name + ".png"));
        out.setPosition(0);
        out.truncate();
        juce::PNGImageFormat().writeImageToStream(image, out);
    }
    return image;
}

bool isCurveColour(juce::Colour c)
{
    return c.getBlue() > 200 && c.getRed() > 150 && c.getGreen() < c.getBlue() - 40;
}
} // namespace

TEST_F(WetEqViewTest, DrawsTheCurveWhereItComputesIt)
{
    set(pid::eqGain[0], 5.0f);
    set(pid::eqGain[2], -8.0f);
    set(pid::eqQ[2], 4.0f);
    set(pid::eqType[3], 1.0f);
    set(pid::eqFreq[3], 9000.0f);
    set(pid::eqGain[3], 7.0f);
    set(pid::eqLp, 14000.0f);
    view.setSelected(bandThree);
    const auto image = render(view, "bands");

    const auto awayFromThePoints = [this](juce::Point<float> p) {
        for (int point = ui::WetEqView::lowCutPoint; point <= ui::WetEqView::lowPassPoint; ++point)
            if (std::abs(p.x - at(point).x) < 8.0f)
                return false;
        return true;
    };
    const auto points = vertices(view.getCurve());
    for (size_t i = 1; i < points.size(); i += 10)
    {
        // Where the curve crosses the middle of a pixel column, it is drawn within a pixel of it.
        const auto x = std::floor(points[i].x) + 0.5f;
        if (x < points[i - 1].x || !awayFromThePoints(points[i]))
            continue;
        const auto y = points[i - 1].y + (points[i].y - points[i - 1].y) * (x - points[i - 1].x) / (points[i].x - points[i - 1].x);
        auto lit = false;
        for (int dy = -1; dy <= 1; ++dy)
            lit = lit || isCurveColour(image.getPixelAt(static_cast<int>(x), juce::roundToInt(y) + dy));
        EXPECT_TRUE(lit) << "curve not drawn at x " << x;
    }

    set(pid::eqLp, 20000.0f);
    view.setSelected(ui::WetEqView::lowPassPoint);
    render(view, "low-pass-off");
    view.setSelected(bandTwo);
    render(view, "band-two");
}
} // namespace zq6::test
