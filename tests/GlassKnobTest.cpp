#include "support/DisplayCheck.h"
#include "support/KnobBench.h"
#include "support/MessagePump.h"

#include "ui/help/HelpTable.h"

#include <gtest/gtest.h>

#include <optional>

namespace zq6::test
{
namespace
{
using ui::GlassKnob;
using ui::KnobOptions;

constexpr int ticks = 31;
const KnobOptions lowDecayOptions { true, true, 1.0f, false };

std::vector<bool> litFromTo(int first, int last)
{
    std::vector<bool> lit(ticks, false);
    for (int i = first; i <= last; ++i)
        lit[static_cast<size_t>(i)] = true;
    return lit;
}

juce::Point<float> centreOf(const juce::Component& component)
{
    return component.getLocalBounds().toFloat().getCentre();
}

juce::String accessibleText(GlassKnob& knob)
{
    return knob.getAccessibilityHandler()->getValueInterface()->getCurrentValueAsString();
}

class Knob : public testing::Test
{
protected:
    void SetUp() override { ZQ6_SKIP_WITHOUT_DISPLAY(); }
    KnobBench bench;
};

TEST_F(Knob, AtTheMinimumOnlyTickZeroIsLitAndAtTheMaximumAllAre)
{
    auto& knob = bench.add("size", "knob.size");
    bench.set("size", 0.0f);
    EXPECT_EQ(bench.litTicks(knob), litFromTo(0, 0));
    bench.set("size", 1.0f);
    EXPECT_EQ(bench.litTicks(knob), litFromTo(0, ticks - 1));
}

TEST_F(Knob, LowDecayLightsFromItsCentre)
{
    auto& knob = bench.add("decay_mult_low", "knob.lowDecay", lowDecayOptions);
    bench.set("decay_mult_low", 1.0f);
    EXPECT_EQ(bench.litTicks(knob), litFromTo(15, 15));
    // 0.5 sits at 0.31 of the skewed travel, so ticks 10 (0.33) to 15 (0.5) are lit.
    bench.set("decay_mult_low", 0.5f);
    EXPECT_EQ(bench.litTicks(knob), litFromTo(10, 15));
    bench.set("decay_mult_low", 4.0f);
    EXPECT_EQ(bench.litTicks(knob), litFromTo(15, ticks - 1));
}

TEST_F(Knob, AValueChangeUnderAQuarterOfTheKeyStepReusesTheCachedImage)
{
    auto& knob = bench.add("size", "knob.size");
    bench.set("size", 0.5f);
    KnobBench::snapshot(knob);
    const auto first = knob.getMarks().generation();
    bench.set("size", 0.5f + 1.0f / 5000.0f);
    KnobBench::snapshot(knob);
    EXPECT_EQ(knob.getMarks().generation(), first);
    bench.set("size", 0.5f + 1.0f / 1000.0f);
    KnobBench::snapshot(knob);
    EXPECT_EQ(knob.getMarks().generation(), first + 1);
}

TEST_F(Knob, ANewPixelScaleRendersTheMarksAgainAtThatResolution)
{
    auto& knob = bench.add("size", "knob.size");
    KnobBench::snapshot(knob);
    const auto first = knob.getMarks().generation();
    KnobBench::snapshot(knob, 2.0f);
    EXPECT_EQ(knob.getMarks().generation(), first + 1);
    EXPECT_EQ(knob.getMarks().image().getWidth(), 2 * knob.getWidth());
}

TEST_F(Knob, IsPlacedWithItsCompanionsFromTheLayout)
{
    auto& size = bench.add("size", "knob.size");
    auto& decay = bench.add("decay", "knob.decay", { false, false, 0.0f, true });
    const auto& layout = bench.layout;
    EXPECT_EQ(size.getBounds(), layout.scaledRect("knob.size", 1.0f).expanded(5));
    EXPECT_EQ(size.getReadout().getBounds(), layout.scaledRect("knob.size.value", 1.0f));
    EXPECT_EQ(size.getWindowHit().getBounds(), layout.scaledRect("knob.size.window", 1.0f));
    EXPECT_EQ(size.getTitleHit().getBounds(), layout.scaledRect("knob.size.title", 1.0f));
    EXPECT_EQ(decay.getWindowHit().getBounds(), layout.scaledRect("knob.decay.value", 1.0f));
}

TEST_F(Knob, HidingHidesTheCompanions)
{
    auto& knob = bench.add("decay_beats", "knob.decay");
    knob.setVisible(false);
    EXPECT_FALSE(knob.getReadout().isVisible());
    EXPECT_FALSE(knob.getWindowHit().isVisible());
    EXPECT_FALSE(knob.getTitleHit().isVisible());
    knob.setVisible(true);
    EXPECT_TRUE(knob.getTitleHit().isVisible());
}

struct DragCase
{
    const char* name;
    float scale;
    bool fine;
    // Upward travel of the pointer in base units, dead zone included.
    float travel;
    float change;
};

class KnobDragging : public testing::TestWithParam<DragCase>
{
protected:
    void SetUp() override { ZQ6_SKIP_WITHOUT_DISPLAY(); }
};

TEST_P(KnobDragging, MovesTheValueByTheDistanceDraggedBeyondTheDeadZone)
{
    const auto c = GetParam();
    KnobBench bench(c.scale);
    auto& knob = bench.add("size", "knob.size");
    bench.set("size", 0.25f);
    const auto mods = c.fine ? juce::ModifierKeys(juce::ModifierKeys::shiftModifier) : juce::ModifierKeys();
    const auto start = centreOf(knob);
    bench.mouse.press(knob, start, mods);
    for (float moved = 0.0f; moved < c.travel;)
    {
        moved = juce::jmin(c.travel, moved + 10.0f);
        bench.mouse.drag(knob, start.translated(0.0f, -moved * c.scale), mods);
    }
    bench.mouse.release(knob, start.translated(0.0f, -c.travel * c.scale), mods);
    EXPECT_NEAR(bench.valueOf("size") - 0.25f, c.change, 0.002f);
}

INSTANTIATE_TEST_SUITE_P(Drags, KnobDragging,
                         testing::Values(DragCase { "TwoPixels", 1.0f, false, 2.0f, 0.0f },
                                         DragCase { "TwoPixelsFine", 1.0f, true, 2.0f, 0.0f },
                                         DragCase { "TwoPixelsAtSmallestSize", 0.8f, false, 2.0f, 0.0f },
                                         DragCase { "HalfRange", 1.0f, false, 83.0f, 0.5f },
                                         DragCase { "HalfRangeAtLargestSize", 1280.0f / 1120.0f, false, 83.0f, 0.5f },
                                         DragCase { "FineSixth", 1.0f, true, 163.0f, 1.0f / 6.0f },
                                         DragCase { "FineSixthAtSmallestSize", 0.8f, true, 163.0f, 1.0f / 6.0f }),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

// Moves the pointer up one pixel per event, as a hand does.
void dragUpInSteps(KnobBench& bench, GlassKnob& knob, juce::Point<float> start, float from, float to,
                   juce::ModifierKeys mods = {})
{
    for (auto y = from + 1.0f; y <= to; y += 1.0f)
        bench.mouse.drag(knob, start.translated(0.0f, -y), mods);
}

TEST_F(Knob, SwitchingFineModeMidDragNeverJumps)
{
    auto& knob = bench.add("size", "knob.size");
    bench.set("size", 0.25f);
    const auto start = centreOf(knob);
    const juce::ModifierKeys shift(juce::ModifierKeys::shiftModifier);
    bench.mouse.press(knob, start);
    dragUpInSteps(bench, knob, start, 0.0f, 43.0f);
    EXPECT_NEAR(bench.valueOf("size"), 0.5f, 0.002f);
    // The first event with Shift still moves at full speed; the rest at a sixth.
    dragUpInSteps(bench, knob, start, 43.0f, 103.0f, shift);
    EXPECT_NEAR(bench.valueOf("size"), 0.5f + 1.0f / 160.0f + 59.0f / 960.0f, 0.002f);
    dragUpInSteps(bench, knob, start, 103.0f, 143.0f);
    bench.mouse.release(knob, start.translated(0.0f, -143.0f));
    EXPECT_NEAR(bench.valueOf("size"), 0.5f + 1.0f / 160.0f + 60.0f / 960.0f + 39.0f / 160.0f, 0.002f);
}

TEST_F(Knob, RightButtonAndDisabledKnobsDoNotDrag)
{
    auto& knob = bench.add("size", "knob.size");
    const auto start = centreOf(knob);
    const auto right = juce::ModifierKeys(juce::ModifierKeys::rightButtonModifier);
    bench.mouse.press(knob, start, right);
    bench.mouse.drag(knob, start.translated(0.0f, -60.0f), right);
    bench.mouse.release(knob, start.translated(0.0f, -60.0f), right);
    knob.setEnabled(false);
    bench.mouse.press(knob, start);
    bench.mouse.drag(knob, start.translated(0.0f, -60.0f));
    bench.mouse.release(knob, start.translated(0.0f, -60.0f));
    EXPECT_FLOAT_EQ(bench.valueOf("size"), 0.5f);
    EXPECT_FALSE(bench.popup.isVisible());
}

struct TypingCase
{
    const char* parameterId;
    const char* layoutId;
    const char* text;
    float expected;
};

void PrintTo(const TypingCase& c, std::ostream* out)
{
    *out << c.parameterId << " \"" << c.text << '"';
}

class KnobTyping : public testing::TestWithParam<TypingCase>
{
protected:
    void SetUp() override { ZQ6_SKIP_WITHOUT_DISPLAY(); }
    KnobBench bench;
};

TEST_P(KnobTyping, DoubleClickAndReturnEnterTheTypedValue)
{
    const auto c = GetParam();
    auto& knob = bench.add(c.parameterId, c.layoutId);
    bench.mouse.doubleClick(knob, centreOf(knob));
    ASSERT_TRUE(knob.isEditingValue());
    auto& editor = *knob.getValueEntry()->getEditor();
    editor.setText(c.text);
    editor.keyPressed(juce::KeyPress(juce::KeyPress::returnKey));
    ASSERT_TRUE(pumpMessagesUntil([&knob] { return !knob.isEditingValue(); }, 2000));
    EXPECT_NEAR(bench.valueOf(c.parameterId), c.expected, 1.0e-4f);
}

INSTANTIATE_TEST_SUITE_P(Texts, KnobTyping,
                         testing::Values(TypingCase { "decay", "knob.decay", "2,5", 2.5f },
                                         TypingCase { "decay", "knob.decay", "1.5 s", 1.5f },
                                         TypingCase { "output", "knob.output", "12 dB!", 0.0f },
                                         TypingCase { "size", "knob.size", "abc", 0.5f },
                                         TypingCase { "er_trim", "knob.erLevel", "-inf", -48.0f },
                                         TypingCase { "decay", "knob.decay", "99999", 20.0f },
                                         TypingCase { "size", "knob.size", "75 %", 0.75f },
                                         TypingCase { "output", "knob.output", "-3.456", -3.46f },
                                         TypingCase { "lowcut", "knob.lowCut", "0.5k", 500.0f },
                                         TypingCase { "lowcut", "knob.lowCut", "0.25 kHz", 250.0f },
                                         TypingCase { "lowcut", "knob.lowCut", "1.2k", 1000.0f },
                                         TypingCase { "decay", "knob.decay", "1k", 2.0f },
                                         TypingCase { "predelay", "knob.preDelay", "0.1 kms", 20.0f }));

TEST_F(Knob, TheEntryOpensOverTheValueWindowWithTheNumberAndTheKnobsName)
{
    auto& knob = bench.add("mix", "knob.mix");
    bench.mouse.doubleClick(knob.getWindowHit(), centreOf(knob.getWindowHit()));
    ASSERT_TRUE(knob.isEditingValue());
    const auto& editor = *knob.getValueEntry()->getEditor();
    EXPECT_EQ(editor.getBounds(), bench.layout.scaledRect("knob.mix.window", 1.0f).withSizeKeepingCentre(72, 24));
    EXPECT_EQ(editor.getText(), "30");
    EXPECT_EQ(editor.getDescription(), "Mix value");
    EXPECT_TRUE(knob.getTooltip().isEmpty());
}

TEST_F(Knob, DisabledAndDiscreteKnobsOpenNoEntry)
{
    auto& mix = bench.add("mix", "knob.mix");
    auto& note = bench.add("predelay_note", "knob.preDelay", { false, false, 0.0f, true });
    mix.setEnabled(false);
    bench.mouse.doubleClick(mix.getWindowHit(), centreOf(mix.getWindowHit()));
    EXPECT_FALSE(mix.isEditingValue());
    bench.mouse.doubleClick(note, centreOf(note));
    EXPECT_EQ(note.getValueEntry(), nullptr);
}

TEST_F(Knob, FixedShowsTheFixedValueReadOnly)
{
    auto& mix = bench.add("mix", "knob.mix");
    mix.setTooltip(ui::tooltipText("mix"));
    mix.setFixed(1.0f);
    mix.setEnabled(false);
    EXPECT_EQ(mix.displayText(), "100");
    EXPECT_EQ(accessibleText(mix), "100 % (fixed)");
    EXPECT_TRUE(accessibleText(mix).endsWith(" (fixed)"));
    auto* value = mix.getAccessibilityHandler()->getValueInterface();
    EXPECT_TRUE(value->isReadOnly());
    value->setValue(0.1);
    EXPECT_FLOAT_EQ(bench.valueOf("mix"), 0.3f);
    EXPECT_TRUE(mix.getTooltip().isEmpty());
    EXPECT_EQ(bench.litTicks(mix), litFromTo(0, ticks - 1));

    mix.clearFixed();
    mix.setEnabled(true);
    EXPECT_EQ(accessibleText(mix), "30 %");
    EXPECT_EQ(mix.getTooltip(), ui::tooltipText("mix"));
}

TEST_F(Knob, AccessibleValueSetsInOneGestureWithItsUnitAndStep)
{
    auto& decay = bench.add("decay_mult_low", "knob.lowDecay", lowDecayOptions);
    auto& output = bench.add("output", "knob.output");
    EXPECT_EQ(decay.getTitle(), "Low decay");
    EXPECT_EQ(decay.getDescription(), juce::String(ui::help("decay_mult_low")->body));
    EXPECT_EQ(decay.getAccessibilityHandler()->getRole(), juce::AccessibilityRole::slider);
    auto* value = decay.getAccessibilityHandler()->getValueInterface();
    EXPECT_EQ(accessibleText(decay), "1.00x");
    value->setValueAsString("2");
    EXPECT_FLOAT_EQ(bench.valueOf("decay_mult_low"), 2.0f);
    EXPECT_DOUBLE_EQ(value->getRange().getInterval(), 0.0375);
    EXPECT_NEAR(output.getAccessibilityHandler()->getValueInterface()->getRange().getInterval(), 0.01, 1.0e-6);
    EXPECT_EQ(accessibleText(output), "0.0 dB");
}

TEST_F(Knob, TheTitleFallsBackWhenTheParameterHasNoHelpEntry)
{
    auto& knob = *bench.knobs.emplace_back(std::make_unique<GlassKnob>(
        bench.context, bench.processor.getValueTreeState(), "eq1_gain", "knob.size", "Band gain"));
    EXPECT_EQ(knob.getTitle(), "Band gain");
    EXPECT_EQ(knob.getSuggestionIndex(), -1);
}

TEST_F(Knob, ASuggestionShowsOnlyWhenItDiffers)
{
    auto& decay = bench.add("decay", "knob.decay");
    EXPECT_EQ(decay.getSuggestionIndex(), 0);
    const auto marker = [this, &decay](float value) {
        const auto at = bench.ringPoint(decay, static_cast<float>(decay.valueToProportionOfLength(value)), 0.95f);
        const auto pixel = KnobBench::snapshot(decay).getPixelAt(juce::roundToInt(at.x), juce::roundToInt(at.y));
        return KnobBench::brightnessOverBlack(pixel);
    };

    decay.setSuggestion(true, 2.0f);
    EXPECT_FALSE(decay.showsSuggestion());
    EXPECT_EQ(accessibleText(decay), "2.00 s");
    EXPECT_LT(marker(2.0f), 0.2f);

    decay.setSuggestion(true, 3.0f);
    EXPECT_TRUE(decay.showsSuggestion());
    EXPECT_EQ(accessibleText(decay), "2.00 s, suggested 3.00 s");
    EXPECT_GT(marker(3.0f), 0.9f);

    decay.setSuggestion(false, 3.0f);
    EXPECT_LT(marker(3.0f), 0.2f);
}

TEST_F(Knob, ADiscreteSuggestionDiffersOnlyWhenItRoundsToAnotherChoice)
{
    auto& note = bench.add("predelay_note", "knob.preDelay", { false, false, 0.0f, true });
    note.setSuggestion(true, 4.4f);
    EXPECT_FALSE(note.showsSuggestion());
    note.setSuggestion(true, 5.0f);
    EXPECT_TRUE(note.showsSuggestion());
    EXPECT_EQ(note.suggestionText(), "1/4T");
}

TEST_F(Knob, AFixedKnobShowsNoSuggestion)
{
    auto& mix = bench.add("mix", "knob.mix");
    mix.setSuggestion(true, 0.8f);
    mix.setFixed(1.0f);
    EXPECT_FALSE(mix.showsSuggestion());
}

TEST_F(Knob, PressShowsTheHelpPopupAndNoTooltipUntilRelease)
{
    auto& decay = bench.add("decay", "knob.decay");
    decay.setTooltip(ui::tooltipText("decay"));
    decay.setSuggestion(true, 3.0f);
    const auto at = centreOf(decay);
    bench.mouse.press(decay, at);
    EXPECT_TRUE(bench.popup.isVisible());
    EXPECT_EQ(bench.popup.owner(), &decay);
    EXPECT_EQ(bench.popup.getHeading(), "Decay (s)");
    EXPECT_EQ(bench.popup.getExtra(), "Suggested: 3.00 s");
    EXPECT_TRUE(decay.getTooltip().isEmpty());
    EXPECT_TRUE(decay.getTitleHit().getTooltip().isEmpty());

    bench.mouse.release(decay, at);
    EXPECT_FALSE(bench.popup.isVisible());
    EXPECT_EQ(decay.getTooltip(), ui::tooltipText("decay"));
    EXPECT_EQ(decay.getTitleHit().getTooltip(), ui::tooltipText("decay"));
    decay.setVisible(false);
    EXPECT_TRUE(decay.getTitleHit().getTooltip().isEmpty());
}

TEST_F(Knob, TheHelpPopupSitsCentredAboveTheBody)
{
    auto& brightness = bench.add("brightness", "knob.brightness");
    bench.mouse.press(brightness, centreOf(brightness));
    const auto body = bench.layout.scaledRect("knob.brightness", 1.0f);
    EXPECT_EQ(bench.popup.getBottom(), body.getY() - 6);
    EXPECT_NEAR(bench.popup.getBounds().getCentreX(), body.getCentreX(), 1);
    bench.mouse.release(brightness, centreOf(brightness));
}

TEST_F(Knob, TheHelpPopupGoesBelowTheWindowWhenThereIsNoRoomAbove)
{
    auto& mix = bench.add("mix", "knob.mix");
    mix.setSuggestion(true, 0.8f);
    bench.mouse.press(mix, centreOf(mix));
    const auto body = bench.layout.scaledRect("knob.mix", 1.0f);
    ASSERT_LT(body.getY() - 6 - bench.popup.getHeight(), 0);
    EXPECT_EQ(bench.popup.getY(), bench.layout.scaledRect("knob.mix.window", 1.0f).getBottom() + 6);
}

TEST_F(Knob, ADiscreteKnobsPopupHasNoUnitAndNoTypingHint)
{
    auto& note = bench.add("predelay_note", "knob.preDelay", { false, false, 0.0f, true });
    bench.mouse.press(note, centreOf(note));
    EXPECT_EQ(bench.popup.getHeading(), "Pre-delay");
    bench.mouse.release(note, centreOf(note));
}

TEST_F(Knob, HidingOrDestroyingTheKnobClosesItsPopup)
{
    auto& size = bench.add("size", "knob.size");
    bench.mouse.press(size, centreOf(size));
    size.setVisible(false);
    EXPECT_FALSE(bench.popup.isVisible());
    bench.mouse.release(size, centreOf(size));

    auto& width = bench.add("width", "knob.width");
    bench.mouse.press(width, centreOf(width));
    ASSERT_TRUE(bench.popup.isVisible());
    bench.knobs.pop_back();
    EXPECT_FALSE(bench.popup.isVisible());
    EXPECT_EQ(bench.popup.owner(), nullptr);
}
} // namespace
} // namespace zq6::test
