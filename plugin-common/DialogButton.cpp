#include "DialogButton.h"

namespace quil::ui
{
namespace
{
constexpr float cornerRadius = 5.0f;
constexpr float textSize = 12.0f;
constexpr float disabledOpacity = 0.4f;
constexpr juce::uint8 pressedVeilAlpha = 31;
constexpr juce::uint8 hoveredVeilAlpha = 18;
} // namespace

DialogButton::DialogButton(const DialogStyle& dialogStyle, const juce::String& text)
    : juce::Button(text), style(dialogStyle)
{
    setMouseCursor(juce::MouseCursor::PointingHandCursor);
    // A click leaves the typing where it was.
    setMouseClickGrabsKeyboardFocus(false);
}

void DialogButton::paintButton(juce::Graphics& g, bool isHighlighted, bool isDown)
{
    const auto area = getLocalBounds().toFloat().reduced(0.5f);
    const auto corner = style.px(cornerRadius);
    const auto on = getToggleState();
    const auto opacity = isEnabled() ? 1.0f : disabledOpacity;

    const auto fill = on ? style.button.overlaidWith(style.accent.withAlpha(0.16f)) : style.button;
    g.setColour(fill.withMultipliedAlpha(opacity));
    g.fillRoundedRectangle(area, corner);
    g.setColour((on ? style.accent : style.outline).withMultipliedAlpha(opacity));
    g.drawRoundedRectangle(area, corner, 1.0f);

    if (isEnabled() && (isHighlighted || isDown))
    {
        g.setColour(juce::Colours::white.withAlpha(isDown ? pressedVeilAlpha : hoveredVeilAlpha));
        g.fillRoundedRectangle(area, corner);
    }

    g.setColour((on || isHighlighted ? style.text : style.softText).withMultipliedAlpha(opacity));
    g.setFont(style.font(textSize, true));
    g.drawText(getButtonText(), area, juce::Justification::centred, true);
}
} // namespace quil::ui
