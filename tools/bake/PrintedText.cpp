#include "PrintedText.h"

#include "BakeInks.h"

namespace
{
// Inter's capital height as a share of its em.
constexpr float capHeightPerEm = 0.727f;
} // namespace

PrintedText::PrintedText(juce::Typeface::Ptr regular, juce::Typeface::Ptr bold)
    : regularFace(std::move(regular)), boldFace(std::move(bold))
{
}

juce::Font PrintedText::font(float px, float spacing, bool bold) const
{
    auto f = juce::Font(bold ? boldFace : regularFace).withPointHeight(px);
    return f.withExtraKerningFactor(spacing / f.getHeight());
}

float PrintedText::width(const juce::String& text, float px, float spacing, bool bold) const
{
    juce::GlyphArrangement glyphs;
    glyphs.addLineOfText(font(px, spacing, bold), text, 0.0f, 0.0f);
    const auto count = glyphs.getNumGlyphs();
    return count > 0 ? glyphs.getGlyph(count - 1).getRight() - spacing : 0.0f;
}

void PrintedText::print(BakeCanvas& canvas, const zq6::ui::LayoutItem& item, bool centredByDefault) const
{
    const auto text = item.props["text"].toString();
    if (text.isEmpty())
        return;
    const juce::Rectangle<float> area { item.x, item.y, item.w, item.h };
    const auto& align = item.props["align"];
    const auto centred = align.isString() ? align.toString() == "C" : centredByDefault;
    print(canvas, text, area, item.number("px"), item.number("spacing"), static_cast<bool>(item.props["bold"]),
          centred, item.props["tone"].toString());
}

void PrintedText::print(BakeCanvas& canvas, const juce::String& text, juce::Rectangle<float> area, float px,
                        float spacing, bool bold, bool centred, const juce::String& tone) const
{
    const auto advance = width(text, px, spacing, bold);
    const auto x = centred ? area.getCentreX() - advance * 0.5f : area.getX();
    const auto baseline = area.getCentreY() + px * capHeightPerEm * 0.5f;

    juce::GlyphArrangement glyphs;
    glyphs.addLineOfText(font(px, spacing, bold), text, x, baseline);
    juce::Path outline;
    glyphs.createPath(outline);

    const auto colour = bake::ink(tone);
    if (bake::isDisplayInk(tone))
        canvas.glow(outline, colour.withMultipliedAlpha(0.55f), px * 0.28f);
    else
        canvas.dropShadow(outline, juce::Colours::black.withAlpha(0.85f), 0.5f, { 0.0f, 0.6f });

    auto& g = canvas.graphics();
    g.setColour(colour);
    g.fillPath(outline);
}
