#include "GlassLookAndFeel.h"

#include "Palette.h"

#include <cmath>

namespace zq6::ui
{
namespace
{
constexpr float menuFontSize = 13.0f;
constexpr float tooltipFontSize = 11.5f;
constexpr float tooltipMaxWidth = 300.0f;
constexpr float editorFontSize = 13.0f;

juce::Path tickMark(juce::Rectangle<float> box)
{
    juce::Path tick;
    tick.startNewSubPath(box.getRelativePoint(0.0f, 0.55f));
    tick.lineTo(box.getRelativePoint(0.38f, 0.9f));
    tick.lineTo(box.getRelativePoint(1.0f, 0.1f));
    juce::Path outline;
    juce::PathStrokeType(box.getWidth() * 0.16f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded)
        .createStrokedPath(outline, tick);
    return outline;
}

juce::Path subMenuArrow(juce::Rectangle<float> box)
{
    juce::Path arrow;
    arrow.startNewSubPath(box.getRelativePoint(0.3f, 0.0f));
    arrow.lineTo(box.getRelativePoint(0.7f, 0.5f));
    arrow.lineTo(box.getRelativePoint(0.3f, 1.0f));
    return arrow;
}
} // namespace

GlassLookAndFeel::GlassLookAndFeel(const UiContext& uiContext) : context(uiContext)
{
    using namespace palette;
    setColour(juce::PopupMenu::backgroundColourId, menuBackground);
    setColour(juce::PopupMenu::textColourId, softText);
    setColour(juce::PopupMenu::headerTextColourId, headerText);
    setColour(juce::PopupMenu::highlightedBackgroundColourId, whiteVeil.withAlpha(menuHighlightAlpha));
    setColour(juce::PopupMenu::highlightedTextColourId, brightText);

    setColour(juce::TooltipWindow::backgroundColourId, tooltipBackground);
    setColour(juce::TooltipWindow::outlineColourId, whiteVeil.withAlpha(tooltipOutlineAlpha));
    setColour(juce::TooltipWindow::textColourId, brightText);

    setColour(juce::TextEditor::backgroundColourId, editorBackground);
    setColour(juce::TextEditor::textColourId, brightText);
    setColour(juce::TextEditor::highlightColourId, accent.withAlpha(static_cast<juce::uint8>(115)));
    setColour(juce::TextEditor::highlightedTextColourId, brightText);
    setColour(juce::TextEditor::outlineColourId, accent.withAlpha(static_cast<juce::uint8>(178)));
    setColour(juce::TextEditor::focusedOutlineColourId, accent);
    setColour(juce::CaretComponent::caretColourId, brightText);
}

std::vector<GlassLookAndFeel::GlowStroke> GlassLookAndFeel::glowStrokes(const GlowStyle& style, float scale)
{
    const auto steps = juce::jmax(1, style.steps);
    const auto radius = juce::jmax(0.0001f, style.radius * scale);
    const auto reach = radius * style.spread;

    std::vector<GlowStroke> strokes;
    auto covered = 0.0f;
    for (int j = 0; j < steps; ++j)
    {
        const auto halfWidth = static_cast<float>(steps - j) * reach / static_cast<float>(steps);
        const auto inner = static_cast<float>(steps - j - 1) * reach / static_cast<float>(steps);
        const auto middle = (inner + halfWidth) * 0.5f / radius;
        const auto target = juce::jmin(0.999f, juce::jmax(0.0f, std::exp(-middle * middle) * style.intensity));
        const auto alpha = covered < target ? 1.0f - (1.0f - target) / (1.0f - covered) : 0.0f;
        covered = juce::jmax(covered, target);
        if (alpha > 0.0f)
            strokes.push_back({ halfWidth, alpha });
    }
    return strokes;
}

void GlassLookAndFeel::glowFill(juce::Graphics& g, const juce::Path& path, juce::Colour colour,
                                const GlowStyle& style, float scale)
{
    for (const auto& stroke : glowStrokes(style, scale))
    {
        g.setColour(colour.withMultipliedAlpha(stroke.alpha));
        g.strokePath(path, juce::PathStrokeType(2.0f * stroke.halfWidth, juce::PathStrokeType::curved,
                                                juce::PathStrokeType::rounded));
    }
    g.setColour(colour);
    g.fillPath(path);
}

void GlassLookAndFeel::recessedShade(juce::Graphics& g, juce::Rectangle<float> area, float corner,
                                     juce::Point<float> offset, float alpha)
{
    juce::Path shape;
    shape.addRoundedRectangle(area, corner);
    juce::Path bare(shape);
    bare.addRoundedRectangle(area + offset, corner);
    bare.setUsingNonZeroWinding(false);

    const juce::Graphics::ScopedSaveState state(g);
    g.reduceClipRegion(shape);
    g.setColour(palette::whiteVeil.withAlpha(alpha));
    g.fillPath(bare);
}

void GlassLookAndFeel::drawText(juce::Graphics& g, const juce::Component*, const juce::String& text,
                                juce::Rectangle<float> area, const juce::Font& font, juce::Colour colour,
                                juce::Justification justification, const char*)
{
    if (text.isEmpty())
        return;
    g.setColour(colour);
    g.setFont(font);
    g.drawText(text, area, justification, true);
}

float GlassLookAndFeel::textWidth(const juce::Font& font, const juce::String& text)
{
    juce::GlyphArrangement glyphs;
    glyphs.addLineOfText(font, text, 0.0f, 0.0f);
    const auto count = glyphs.getNumGlyphs();
    return count > 0 ? glyphs.getGlyph(count - 1).getRight() : 0.0f;
}

float GlassLookAndFeel::panelCornerRadius() const
{
    return context.layout != nullptr ? context.layout->styleNumber("panel", "rad") * scale() : 0.0f;
}

void GlassLookAndFeel::styleTextEditor(juce::TextEditor& editor) const
{
    editor.setFont(context.font(editorFontSize));
    editor.setIndents(juce::roundToInt(2.0f * scale()), juce::roundToInt(2.0f * scale()));
    editor.setBorder(juce::BorderSize<int>(juce::roundToInt(4.0f * scale())));
    for (auto id : { juce::TextEditor::backgroundColourId, juce::TextEditor::textColourId,
                     juce::TextEditor::highlightColourId, juce::TextEditor::highlightedTextColourId,
                     juce::TextEditor::outlineColourId, juce::TextEditor::focusedOutlineColourId })
        editor.setColour(id, findColour(id));
    editor.applyFontToAllText(editor.getFont());
}

void GlassLookAndFeel::drawPopupMenuBackground(juce::Graphics& g, int width, int height)
{
    const auto area = juce::Rectangle<float>(static_cast<float>(width), static_cast<float>(height));
    const auto corner = 6.0f * scale();
    g.setColour(palette::menuBackground);
    g.fillRoundedRectangle(area, corner);
    recessedShade(g, area, corner, { 0.0f, 1.5f * scale() }, 0.16f);
    recessedShade(g, area, corner, { 0.0f, -1.5f * scale() }, 0.06f);
    const auto line = 1.5f * scale();
    g.setColour(palette::whiteVeil.withAlpha(0.1f));
    g.drawRoundedRectangle(area.reduced(line * 0.5f), corner, line);
}

void GlassLookAndFeel::drawPopupMenuItem(juce::Graphics& g, const juce::Rectangle<int>& area, bool isSeparator,
                                         bool isActive, bool isHighlighted, bool isTicked, bool hasSubMenu,
                                         const juce::String& text, const juce::String&, const juce::Drawable*,
                                         const juce::Colour* textColour)
{
    const auto s = scale();
    auto r = area.toFloat().reduced(4.0f * s, 0.0f);
    if (isSeparator)
    {
        g.setColour(palette::whiteVeil.withAlpha(0.1f));
        g.fillRect(r.withSizeKeepingCentre(r.getWidth(), juce::jmax(1.0f, s)));
        return;
    }

    const auto lit = isHighlighted && isActive;
    if (lit)
    {
        g.setColour(findColour(juce::PopupMenu::highlightedBackgroundColourId));
        g.fillRoundedRectangle(r.reduced(0.0f, 1.0f * s), 4.0f * s);
    }

    auto colour = lit ? findColour(juce::PopupMenu::highlightedTextColourId)
                      : (textColour != nullptr ? *textColour : findColour(juce::PopupMenu::textColourId));
    if (!isActive)
        colour = colour.withMultipliedAlpha(0.5f);

    const auto tickColumn = r.removeFromLeft(20.0f * s);
    if (isTicked)
        glowFill(g, tickMark(tickColumn.withSizeKeepingCentre(9.0f * s, 7.0f * s)), palette::accent, context.glow, s);

    r.removeFromRight(20.0f * s);
    if (hasSubMenu)
    {
        g.setColour(colour);
        const auto arrowBox = juce::Rectangle<float>(r.getRight() + 6.0f * s, r.getCentreY() - 4.0f * s, 8.0f * s,
                                                     8.0f * s);
        g.strokePath(subMenuArrow(arrowBox), juce::PathStrokeType(1.3f * s));
    }
    drawText(g, nullptr, text, r, getPopupMenuFont(), colour, juce::Justification::centredLeft, "menu");
}

juce::Font GlassLookAndFeel::getPopupMenuFont()
{
    return context.font(menuFontSize);
}

void GlassLookAndFeel::getIdealPopupMenuItemSize(const juce::String& text, bool isSeparator,
                                                 int standardMenuItemHeight, int& idealWidth, int& idealHeight)
{
    const auto s = scale();
    if (isSeparator)
    {
        idealWidth = 50;
        idealHeight = standardMenuItemHeight > 0 ? standardMenuItemHeight / 10 : juce::roundToInt(9.0f * s);
        return;
    }
    idealHeight = standardMenuItemHeight > 0 ? standardMenuItemHeight : juce::roundToInt(26.0f * s);
    idealWidth = juce::roundToInt(textWidth(getPopupMenuFont(), text) + 48.0f * s);
}

int GlassLookAndFeel::getPopupMenuBorderSize()
{
    return juce::roundToInt(7.0f * scale());
}

juce::TextLayout GlassLookAndFeel::layoutTooltip(const juce::String& text) const
{
    juce::AttributedString styled;
    styled.setJustification(juce::Justification::centredLeft);
    styled.append(text, context.font(tooltipFontSize), palette::brightText);
    juce::TextLayout layout;
    layout.createLayoutWithBalancedLineLengths(styled, tooltipMaxWidth * context.scale);
    return layout;
}

juce::Rectangle<int> GlassLookAndFeel::getTooltipBounds(const juce::String& tipText, juce::Point<int> screenPos,
                                                        juce::Rectangle<int> parentArea)
{
    const auto s = scale();
    const auto layout = layoutTooltip(tipText);
    const auto w = static_cast<int>(std::ceil(layout.getWidth() + 16.0f * s));
    const auto h = static_cast<int>(std::ceil(layout.getHeight() + 10.0f * s));
    const auto x = screenPos.x > parentArea.getCentreX() ? screenPos.x - (w + 12) : screenPos.x + 24;
    const auto y = screenPos.y > parentArea.getCentreY() ? screenPos.y - (h + 6) : screenPos.y + 6;
    return juce::Rectangle<int>(x, y, w, h).constrainedWithin(parentArea);
}

void GlassLookAndFeel::drawTooltip(juce::Graphics& g, const juce::String& text, int width, int height)
{
    const auto s = scale();
    const auto area = juce::Rectangle<float>(static_cast<float>(width), static_cast<float>(height));
    g.setColour(palette::tooltipBackground);
    g.fillRoundedRectangle(area, 4.0f * s);
    g.setColour(palette::whiteVeil.withAlpha(palette::tooltipOutlineAlpha));
    g.drawRoundedRectangle(area.reduced(0.5f), 4.0f * s, 1.0f);
    layoutTooltip(text).draw(g, area.reduced(8.0f * s, 5.0f * s));
}

void GlassLookAndFeel::drawCornerResizer(juce::Graphics& g, int w, int h, bool isMouseOver, bool isMouseDragging)
{
    // Three short grooves in the corner, quiet until the pointer finds them.
    const auto size = static_cast<float>(juce::jmin(w, h));
    g.setColour(palette::softText.withMultipliedAlpha(isMouseOver || isMouseDragging ? 0.55f : 0.22f));
    for (auto step : { 0.3f, 0.55f, 0.8f })
    {
        const auto inset = size * (1.0f - step);
        g.drawLine(inset + 2.0f, size - 3.0f, size - 3.0f, inset + 2.0f, 1.0f);
    }
}

void GlassLookAndFeel::fillTextEditorBackground(juce::Graphics& g, int width, int height, juce::TextEditor& editor)
{
    g.setColour(editor.findColour(juce::TextEditor::backgroundColourId));
    g.fillRoundedRectangle(juce::Rectangle<float>(static_cast<float>(width), static_cast<float>(height)),
                           3.0f * scale());
}

void GlassLookAndFeel::drawTextEditorOutline(juce::Graphics& g, int width, int height, juce::TextEditor& editor)
{
    if (!editor.isEnabled())
        return;
    const auto focused = editor.hasKeyboardFocus(true) && !editor.isReadOnly();
    g.setColour(editor.findColour(focused ? juce::TextEditor::focusedOutlineColourId
                                          : juce::TextEditor::outlineColourId));
    const auto line = juce::jmax(1.0f, scale());
    g.drawRoundedRectangle(juce::Rectangle<float>(static_cast<float>(width), static_cast<float>(height))
                               .reduced(line * 0.5f),
                           3.0f * scale(), line);
}
} // namespace zq6::ui
