#include "CapButton.h"

#include "../shell/GlassLookAndFeel.h"
#include "../shell/Palette.h"
#include "StateButtonHandler.h"

namespace zq6::ui
{
namespace
{
constexpr float captionSize = 11.5f;
constexpr float disabledCaptionOpacity = 0.4f;
constexpr juce::uint8 disabledVeilAlpha = 115;
constexpr juce::uint8 pressedVeilAlpha = 31;
constexpr juce::uint8 hoveredVeilAlpha = 18;
} // namespace

CapButton::CapButton(const UiContext& uiContext, const juce::String& name, const juce::String& captionText,
                     bool isToggle)
    : juce::Button(name), context(uiContext), caption(captionText), toggle(isToggle)
{
    setMouseCursor(juce::MouseCursor::PointingHandCursor);
    setClickingTogglesState(false);
}

void CapButton::setCaption(const juce::String& newCaption)
{
    if (newCaption == caption)
        return;
    caption = newCaption;
    repaint();
}

void CapButton::paintButton(juce::Graphics& g, bool isHighlighted, bool isDown)
{
    const auto s = context.scale;
    const auto area = getLocalBounds().toFloat();
    const auto enabled = isEnabled();
    const auto on = toggle && getToggleState();

    if (caption.isNotEmpty())
    {
        const auto lit = on || (enabled && (isHighlighted || isDown));
        auto colour = lit ? palette::brightText : palette::softText;
        if (!enabled)
            colour = colour.withMultipliedAlpha(disabledCaptionOpacity);
        GlassLookAndFeel::drawText(g, this, caption, area, context.font(captionSize, true), colour,
                                   juce::Justification::centred, "cap");
    }

    if (on)
    {
        juce::Path bar;
        bar.addRoundedRectangle(area.getCentreX() - 7.0f * s, area.getCentreY() + 8.0f * s, 14.0f * s, 1.4f * s,
                                0.7f * s);
        GlassLookAndFeel::glowFill(g, bar, palette::accent, context.glow, s);
    }

    const auto corner = 0.18f * juce::jmin(area.getWidth(), area.getHeight());
    if (!enabled)
        g.setColour(palette::chassis.withAlpha(disabledVeilAlpha));
    else if (isDown)
        g.setColour(palette::whiteVeil.withAlpha(pressedVeilAlpha));
    else if (isHighlighted)
        g.setColour(palette::whiteVeil.withAlpha(hoveredVeilAlpha));
    else
        return;
    g.fillRoundedRectangle(area, corner);
}

std::unique_ptr<juce::AccessibilityHandler> CapButton::createAccessibilityHandler()
{
    // Plain caps behave as the framework's buttons: a press and a title, no value.
    if (!toggle)
        return std::make_unique<StateButtonHandler>(*this, juce::AccessibilityRole::button,
                                                    StateButtonHandler::ValueText());
    return std::make_unique<StateButtonHandler>(*this, juce::AccessibilityRole::toggleButton,
                                                [this] { return caption.isNotEmpty() ? caption : getName(); });
}
} // namespace zq6::ui
