#include "GlassButton.h"

#include "DeltaIcon.h"
#include "../shell/GlassLookAndFeel.h"
#include "LearnButtonFace.h"
#include "../shell/Palette.h"
#include "StateButtonHandler.h"

namespace zq6::ui
{
namespace
{
constexpr float chipCaptionSize = 10.0f;
constexpr float deltaCaptionSize = 10.0f;
constexpr float deltaIconSize = 11.0f;
constexpr float deltaIconGap = 4.0f;
constexpr float keySize = 11.5f;
constexpr float valueSize = 13.0f;
constexpr float learnCaptionSize = 13.0f;
constexpr float statusSize = 10.0f;
constexpr float disabledTextOpacity = 0.45f;
constexpr juce::uint8 pressedVeilAlpha = 31;
constexpr juce::uint8 hoveredVeilAlpha = 18;
const juce::Colour deltaOnBackground { 0xFF2A0B05 };

// Caps, chips and Delta buttons share the rounding of the header caps.
float capCorner(juce::Rectangle<float> area)
{
    return 0.18f * juce::jmin(area.getWidth(), area.getHeight());
}

juce::Path roundedShape(juce::Rectangle<float> area, float corner)
{
    juce::Path shape;
    shape.addRoundedRectangle(area, corner);
    return shape;
}

juce::Path textPath(const juce::Font& font, const juce::String& text, juce::Rectangle<float> area)
{
    juce::GlyphArrangement glyphs;
    glyphs.addFittedText(font, text, area.getX(), area.getY(), area.getWidth(), area.getHeight(),
                         juce::Justification::centredLeft, 1, 1.0f);
    juce::Path path;
    glyphs.createPath(path);
    return path;
}
} // namespace

GlassButton::GlassButton(const UiContext& uiContext, Style buttonStyle, const juce::String& captionText, bool toggles)
    : juce::Button(captionText), context(uiContext), style(buttonStyle), caption(captionText)
{
    setMouseCursor(juce::MouseCursor::PointingHandCursor);
    setClickingTogglesState(toggles);
}

void GlassButton::showText(juce::String& shown, const juce::String& newText)
{
    if (newText == shown)
        return;
    shown = newText;
    repaint();
}

void GlassButton::setCaption(const juce::String& newText)
{
    showText(caption, newText);
}

void GlassButton::setKey(const juce::String& newText)
{
    showText(key, newText);
}

void GlassButton::setValue(const juce::String& newText)
{
    showText(value, newText);
}

juce::String GlassButton::accessibleValueText() const
{
    if (accessibleValue.isNotEmpty())
        return accessibleValue;
    return style == Style::learn ? status : value;
}

void GlassButton::setStatus(const juce::String& newText)
{
    showText(status, newText);
}

void GlassButton::setProgress(float newProgress)
{
    const auto shown = newProgress < 0.0f ? -1.0f : juce::jmin(1.0f, newProgress);
    if (shown == progress)
        return;
    progress = shown;
    repaint();
}

void GlassButton::setLearned(bool isLearned)
{
    if (isLearned == learned)
        return;
    learned = isLearned;
    repaint();
}

void GlassButton::setLayoutId(const juce::String& id)
{
    layoutId = id;
    resized();
    repaint();
}

juce::Rectangle<float> GlassButton::layoutArea(const juce::String& suffix) const
{
    if (context.layout == nullptr || layoutId.isEmpty())
        return {};
    const auto origin = context.layout->scaledRect(layoutId, context.scale).getPosition();
    return (context.layout->scaledRect(layoutId + suffix, context.scale) - origin).toFloat();
}

void GlassButton::resized()
{
    areas = { layoutArea(".key"), layoutArea(".value"), layoutArea(".title"), layoutArea(".status"),
              layoutArea(".single") };
}

float GlassButton::textOpacity() const
{
    return isEnabled() ? 1.0f : disabledTextOpacity;
}

void GlassButton::paintButton(juce::Graphics& g, bool isHighlighted, bool isDown)
{
    switch (style)
    {
        case Style::chip: paintChip(g, isHighlighted, isDown); break;
        case Style::delta: paintDelta(g, isHighlighted, isDown); break;
        case Style::window: paintWindow(g); break;
        case Style::roundCap: paintRoundCap(g, isHighlighted, isDown); break;
        case Style::learn: paintLearn(g, isHighlighted, isDown); break;
    }
}

void GlassButton::paintVeil(juce::Graphics& g, const juce::Path& shape, bool isHighlighted, bool isDown)
{
    if (!isEnabled() || !(isHighlighted || isDown))
        return;
    g.setColour(palette::whiteVeil.withAlpha(isDown ? pressedVeilAlpha : hoveredVeilAlpha));
    g.fillPath(shape);
}

void GlassButton::paintChip(juce::Graphics& g, bool isHighlighted, bool isDown)
{
    const auto area = getLocalBounds().toFloat();
    const auto shape = roundedShape(area, 0.5f * area.getHeight());
    g.setColour(palette::graphite);
    g.fillPath(shape);
    g.setColour(palette::whiteVeil.withAlpha(0.1f));
    g.strokePath(shape, juce::PathStrokeType(juce::jmax(1.0f, 0.8f * context.scale)));

    const auto lit = getToggleState() || (isEnabled() && isHighlighted);
    const auto colour = (lit ? palette::brightText : palette::softText).withMultipliedAlpha(textOpacity());
    GlassLookAndFeel::drawText(g, this, caption, area, context.font(chipCaptionSize, true), colour,
                               juce::Justification::centred, "chip");
    paintVeil(g, shape, isHighlighted, isDown);
}

void GlassButton::paintDelta(juce::Graphics& g, bool isHighlighted, bool isDown)
{
    const auto s = context.scale;
    const auto area = getLocalBounds().toFloat();
    const auto shape = roundedShape(area, capCorner(area));
    const auto on = getToggleState();
    if (on)
    {
        g.setColour(deltaOnBackground);
        g.fillPath(shape);
    }

    const auto font = context.font(deltaCaptionSize, true);
    const auto iconSide = deltaIconSize * s;
    const auto gap = deltaIconGap * s;
    const auto captionWidth = GlassLookAndFeel::textWidth(font, caption);
    const auto left = area.getCentreX() - 0.5f * (iconSide + gap + captionWidth);
    const auto icon = deltaIconPath({ left, area.getCentreY() - 0.5f * iconSide, iconSide, iconSide });
    const auto captionArea = area.withLeft(left + iconSide + gap).withWidth(captionWidth + 2.0f * s);

    if (on)
    {
        auto lit = icon;
        lit.addPath(textPath(font, caption, captionArea));
        GlassLookAndFeel::glowFill(g, lit, palette::accent.withMultipliedAlpha(textOpacity()), context.glow, s);
    }
    else
    {
        const auto lit = isEnabled() && isHighlighted;
        const auto colour = (lit ? palette::brightText : palette::softText).withMultipliedAlpha(textOpacity());
        g.setColour(colour);
        g.fillPath(icon);
        GlassLookAndFeel::drawText(g, this, caption, captionArea, font, colour, juce::Justification::centredLeft,
                                   "delta");
    }
    paintVeil(g, shape, isHighlighted, isDown);
}

void GlassButton::paintWindow(juce::Graphics& g)
{
    const auto whole = getLocalBounds().toFloat();
    const auto keyArea = areas.key.isEmpty() ? whole.withHeight(0.4f * whole.getHeight()) : areas.key;
    const auto valueArea = areas.value.isEmpty() ? whole.withTrimmedTop(0.4f * whole.getHeight()) : areas.value;
    const auto opacity = textOpacity();
    GlassLookAndFeel::drawText(g, this, key, keyArea, context.font(keySize), palette::softText.withMultipliedAlpha(opacity),
                               juce::Justification::centredLeft, "label");
    GlassLookAndFeel::drawText(g, this, value, valueArea, context.font(valueSize, true),
                               palette::brightText.withMultipliedAlpha(opacity), juce::Justification::centredLeft,
                               "button");
}

void GlassButton::paintRoundCap(juce::Graphics& g, bool isHighlighted, bool isDown)
{
    juce::Path shape;
    shape.addEllipse(getLocalBounds().toFloat());
    paintVeil(g, shape, isHighlighted, isDown);
}

void GlassButton::paintLearn(juce::Graphics& g, bool isHighlighted, bool isDown)
{
    LearnFaceState face;
    face.scale = context.scale;
    if (context.layout != nullptr && layoutId.isNotEmpty())
    {
        face.groove = context.layout->number(layoutId, "groove");
        face.cornerRadius = context.layout->number(layoutId, "rad");
    }
    face.progress = progress;
    face.learned = learned;
    face.enabled = isEnabled();
    face.hovered = isHighlighted;
    face.pressed = isDown;
    paintLearnFace(g, getLocalBounds().toFloat(), face);

    const auto opacity = textOpacity();
    const auto whole = getLocalBounds().toFloat();
    const auto captionFont = context.font(learnCaptionSize, true);
    const auto captionColour = palette::brightText.withMultipliedAlpha(opacity);
    if (status.isEmpty())
    {
        GlassLookAndFeel::drawText(g, this, caption, areas.single.isEmpty() ? whole : areas.single, captionFont,
                                   captionColour, juce::Justification::centred, "button");
        return;
    }
    const auto title = areas.title.isEmpty() ? whole.withHeight(0.55f * whole.getHeight()) : areas.title;
    const auto line = areas.status.isEmpty() ? whole.withTrimmedTop(0.55f * whole.getHeight()) : areas.status;
    GlassLookAndFeel::drawText(g, this, caption, title, captionFont, captionColour, juce::Justification::centred,
                               "button");
    GlassLookAndFeel::drawText(g, this, status, line, context.font(statusSize),
                               palette::softText.withMultipliedAlpha(opacity), juce::Justification::centred, "status");
}

std::unique_ptr<juce::AccessibilityHandler> GlassButton::createAccessibilityHandler()
{
    const auto role = getClickingTogglesState() ? juce::AccessibilityRole::toggleButton
                                                : juce::AccessibilityRole::button;
    StateButtonHandler::ValueText valueText;
    if (style == Style::window || style == Style::learn)
        valueText = [this] { return accessibleValueText(); };
    return std::make_unique<StateButtonHandler>(*this, role, std::move(valueText));
}
} // namespace zq6::ui
