#pragma once

#include "GlowStyle.h"
#include "UiContext.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <vector>

namespace zq6::ui
{
// The editor's drawing conventions: palette, faces at the editor's scale, the text and glow
// routines, and the framework's popup menus, tooltips and text editors restyled to match.
class GlassLookAndFeel : public juce::LookAndFeel_V4
{
public:
    explicit GlassLookAndFeel(const UiContext& context);

    // One ring of a glow: a stroke of this half-width drawn at this share of the colour's alpha.
    struct GlowStroke
    {
        float halfWidth;
        float alpha;
    };

    // The strokes of a glow, widest first; strokes with nothing to add are left out.
    static std::vector<GlowStroke> glowStrokes(const GlowStyle& style, float scale);
    // The glow strokes around `path`, then the path filled in `colour`.
    static void glowFill(juce::Graphics& g, const juce::Path& path, juce::Colour colour, const GlowStyle& style,
                         float scale);
    // White at `alpha` over the part of the rounded rectangle that a copy moved by `offset` leaves bare.
    static void recessedShade(juce::Graphics& g, juce::Rectangle<float> area, float corner, juce::Point<float> offset,
                              float alpha);

    // One line of text, ended by an ellipsis when it does not fit; nothing for an empty text.
    // The component (none for menu items) and the call-site name say who draws; they do not change
    // the drawing.
    static void drawText(juce::Graphics& g, const juce::Component* component, const juce::String& text,
                         juce::Rectangle<float> area, const juce::Font& font, juce::Colour colour,
                         juce::Justification justification, const char* callSite);
    // Right edge of the last glyph of the text laid out on one line from 0.
    static float textWidth(const juce::Font& font, const juce::String& text);

    float panelCornerRadius() const;
    // Face, colours, indents and border of a text editor for typed values and forms.
    void styleTextEditor(juce::TextEditor& editor) const;

    void drawPopupMenuBackground(juce::Graphics& g, int width, int height) override;
    void drawPopupMenuItem(juce::Graphics& g, const juce::Rectangle<int>& area, bool isSeparator, bool isActive,
                           bool isHighlighted, bool isTicked, bool hasSubMenu, const juce::String& text,
                           const juce::String& shortcutKeyText, const juce::Drawable* icon,
                           const juce::Colour* textColour) override;
    juce::Font getPopupMenuFont() override;
    void getIdealPopupMenuItemSize(const juce::String& text, bool isSeparator, int standardMenuItemHeight,
                                   int& idealWidth, int& idealHeight) override;
    int getPopupMenuBorderSize() override;

    juce::Rectangle<int> getTooltipBounds(const juce::String& tipText, juce::Point<int> screenPos,
                                          juce::Rectangle<int> parentArea) override;
    void drawTooltip(juce::Graphics& g, const juce::String& text, int width, int height) override;

    void drawCornerResizer(juce::Graphics& g, int w, int h, bool isMouseOver, bool isMouseDragging) override;

    void fillTextEditorBackground(juce::Graphics& g, int width, int height, juce::TextEditor& editor) override;
    void drawTextEditorOutline(juce::Graphics& g, int width, int height, juce::TextEditor& editor) override;

private:
    juce::TextLayout layoutTooltip(const juce::String& text) const;
    float scale() const noexcept { return context.scale; }

    const UiContext& context;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(GlassLookAndFeel)
};
} // namespace zq6::ui
