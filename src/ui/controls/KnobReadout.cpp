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
} // namespace

KnobReadout::KnobReadout(GlassKnob& knobToUse) : knob(knobToUse)
{
    setInterceptsMouseClicks(false, false);
}

void KnobReadout::paint(juce::Graphics& g)
{
    const auto& context = knob.getContext();
    const auto number = knob.displayText();
    const auto& unit = knob.getUnit();
    const auto& options = knob.getOptions();
    const auto opacity = knob.isEnabled() ? 1.0f : GlassKnob::disabledOpacity;

    if (options.unitAttached || unit.isEmpty() || options.hasUnitToggle)
    {
        const auto text = options.unitAttached ? number + unit : number;
        GlassLookAndFeel::drawText(g, this, text, getLocalBounds().toFloat(), context.font(numberSize, true),
                                   palette::value.withMultipliedAlpha(opacity), juce::Justification::centred, "value");
        return;
    }
    paintNumberAndUnit(g, number, unit);
}

// Number and unit side by side, centred as one group; the unit smaller, dimmer and a little lower.
void KnobReadout::paintNumberAndUnit(juce::Graphics& g, const juce::String& number, const juce::String& unit) const
{
    const auto& context = knob.getContext();
    const auto s = context.scale;
    const auto opacity = knob.isEnabled() ? 1.0f : GlassKnob::disabledOpacity;
    const auto numberFont = context.font(numberSize, true);
    const auto unitFont = context.font(unitSize);
    const auto numberWidth = GlassLookAndFeel::textWidth(numberFont, number) + textPadding;
    const auto unitWidth = GlassLookAndFeel::textWidth(unitFont, unit) + textPadding;
    const auto gap = unitGap * s;
    const auto height = static_cast<float>(getHeight());
    const auto left = static_cast<float>(getWidth()) * 0.5f - (numberWidth + gap + unitWidth) * 0.5f;

    GlassLookAndFeel::drawText(g, this, number, { left, 0.0f, numberWidth, height }, numberFont,
                               palette::value.withMultipliedAlpha(opacity), juce::Justification::centredLeft, "value");
    GlassLookAndFeel::drawText(g, this, unit, { left + numberWidth + gap, unitDrop * s, unitWidth, height }, unitFont,
                               palette::softText.withMultipliedAlpha(opacity), juce::Justification::centredLeft,
                               "unit");
}
} // namespace zq6::ui
