#include "TipPopup.h"

#include "../shell/GlassLookAndFeel.h"
#include "../shell/Palette.h"

namespace zq6::ui
{
namespace
{
constexpr float headingSize = 11.5f;
constexpr float textSize = 10.0f;
constexpr float sidePadding = 7.0f;
constexpr float endPadding = 10.0f;
// The body wraps at this width unless a one-line text is wider, up to the widest popup.
constexpr float bodyWidth = 210.0f;
constexpr float widestText = 320.0f;
constexpr float cornerRadius = 5.0f;
} // namespace

TipPopup::TipPopup(const UiContext& contextToUse) : context(contextToUse)
{
    setInterceptsMouseClicks(false, false);
    setVisible(false);
}

void TipPopup::show(juce::Component* newOwner, const juce::String& newHeading, const juce::String& newBody,
                    const juce::String& newHint, const juce::String& newExtra)
{
    currentOwner = newOwner;
    heading = newHeading;
    body = newBody;
    hint = newHint;
    extra = newExtra;

    const auto width = textWidth();
    auto height = 0.0f;
    for (const auto& line : lines())
        height += line.text.isEmpty() ? 0.0f : lineStep(line.font);
    if (body.isNotEmpty())
        height += layoutBody(width).getHeight();

    const auto s = context.scale;
    setSize(juce::roundToInt(width + 2.0f * sidePadding * s), juce::roundToInt(height + 2.0f * endPadding * s));
    repaint();
}

void TipPopup::place(juce::Rectangle<int> area)
{
    if (auto* parent = getParentComponent())
    {
        area = area.withSize(juce::jmin(area.getWidth(), parent->getWidth()),
                             juce::jmin(area.getHeight(), parent->getHeight()));
        area.setPosition(juce::jlimit(0, parent->getWidth() - area.getWidth(), area.getX()),
                         juce::jlimit(0, parent->getHeight() - area.getHeight(), area.getY()));
    }
    setBounds(area);
    setVisible(true);
    toFront(false);
    repaint();
}

void TipPopup::hide()
{
    currentOwner = nullptr;
    setVisible(false);
}

void TipPopup::paint(juce::Graphics& g)
{
    const auto s = context.scale;
    const auto area = getLocalBounds().toFloat();
    g.setColour(palette::tooltipBackground);
    g.fillRoundedRectangle(area, cornerRadius * s);
    g.setColour(palette::whiteVeil.withAlpha(palette::tooltipOutlineAlpha));
    g.drawRoundedRectangle(area.reduced(0.5f), cornerRadius * s, 1.0f);

    auto text = area.reduced(sidePadding * s, endPadding * s);
    const auto drawLine = [&](const Line& line) {
        if (line.text.isEmpty())
            return;
        const auto step = lineStep(line.font);
        GlassLookAndFeel::drawText(g, this, line.text, text.removeFromTop(step), line.font, line.colour,
                                   juce::Justification::centredLeft, line.callSite);
    };

    const auto all = lines();
    drawLine(all.front());
    if (body.isNotEmpty())
    {
        const auto layout = layoutBody(text.getWidth());
        layout.draw(g, text.removeFromTop(layout.getHeight()));
    }
    for (size_t i = 1; i < all.size(); ++i)
        drawLine(all[i]);
}

// Heading, hint and extra line; the wrapped body sits between the heading and the hint.
std::vector<TipPopup::Line> TipPopup::lines() const
{
    return { { heading, context.font(headingSize, true), palette::brightText, "tip-heading" },
             { hint, context.font(textSize), palette::softText.withMultipliedAlpha(0.7f), "tip-hint" },
             { extra, context.font(textSize), palette::suggestion, "tip-extra" } };
}

juce::TextLayout TipPopup::layoutBody(float width) const
{
    juce::AttributedString text;
    text.setLineSpacing(0.3f * context.font(textSize).getHeight());
    text.append(body, context.font(textSize), palette::softText);
    juce::TextLayout layout;
    layout.createLayout(text, width);
    return layout;
}

float TipPopup::textWidth() const
{
    const auto s = context.scale;
    auto width = body.isNotEmpty() ? bodyWidth * s : 0.0f;
    for (const auto& line : lines())
        width = juce::jmax(width, GlassLookAndFeel::textWidth(line.font, line.text) + 1.0f);
    return juce::jmin(width, widestText * s);
}

float TipPopup::lineStep(const juce::Font& font) const
{
    return 1.3f * font.getHeight();
}
} // namespace zq6::ui
