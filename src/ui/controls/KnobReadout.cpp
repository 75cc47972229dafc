#include "KnobReadout.h"

#include "GlassKnob.h"
#include "../shell/GlassLookAndFeel.h"
#include "../shell/Palette.h"

namespace zq6::ui
{
namespace
{
constexpr float textPadding = 2.0f;
constexpr float unitGap = 2.5f;
constexpr float unitDrop = 1.0f;
// Room kept free at each side of the window, so a long number never touches a unit toggle.
constexpr float sideMargin = 1.5f;
constexpr int maxShrinkSteps = 12;
constexpr float shrinkStep = 0.96f;
} // namespace

KnobReadout::KnobReadout(GlassKnob& knobToUse) : knob(knobToUse)
{
    setInterceptsMouseClicks(false, false);
}

KnobReadout::Fitted KnobReadout::fitted() const
{
    const auto& context = knob.getContext();
    const auto s = context.scale;
    const auto& options = knob.getOptions();
    const auto separateUnit = !(options.unitAttached || knob.getUnit().isEmpty() || options.hasUnitToggle);

    Fitted result;
    result.number = options.unitAttached ? knob.displayText() + knob.getUnit() : knob.displayText();
    result.unit = separateUnit ? knob.getUnit() : juce::String();
    const auto room = juce::jmax(0.0f, static_cast<float>(getWidth()) - 2.0f * sideMargin * s);
    const auto gap = separateUnit ? unitGap * s : 0.0f;

    auto size = 1.0f;
    auto numberWidth = 0.0f;
    auto unitWidth = 0.0f;
    for (int step = 0; step <= maxShrinkSteps; ++step)
    {
        result.numberFont = context.font(numberSize * size, true);
        result.unitFont = context.font(unitSize * size);
        numberWidth = GlassLookAndFeel::textWidth(result.numberFont, result.number) + textPadding;
        unitWidth = separateUnit ? GlassLookAndFeel::textWidth(result.unitFont, result.unit) + textPadding : 0.0f;
        const auto needed = numberWidth + gap + unitWidth;
        if (needed <= room)
            break;
        size *= step == 0 ? juce::jmax(0.5f, room / needed) : shrinkStep;
    }

    const auto height = static_cast<float>(getHeight());
    const auto left = static_cast<float>(getWidth()) * 0.5f - (numberWidth + gap + unitWidth) * 0.5f;
    result.numberArea = { left, 0.0f, numberWidth, height };
    if (separateUnit)
        result.unitArea = { left + numberWidth + gap, unitDrop * s, unitWidth, height };
    return result;
}

// A separate unit is smaller, dimmer and a little lower than the number, centred with it as one group.
void KnobReadout::paint(juce::Graphics& g)
{
    const auto opacity = knob.isEnabled() ? 1.0f : GlassKnob::disabledOpacity;
    const auto text = fitted();
    GlassLookAndFeel::drawText(g, this, text.number, text.numberArea, text.numberFont,
                               palette::value.withMultipliedAlpha(opacity), juce::Justification::centred, "value");
    GlassLookAndFeel::drawText(g, this, text.unit, text.unitArea, text.unitFont,
                               palette::softText.withMultipliedAlpha(opacity), juce::Justification::centredLeft, "unit");
}
} // namespace zq6::ui
