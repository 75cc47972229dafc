#include "MetersView.h"

#include "../shell/CacheKey.h"
#include "../shell/GlassLookAndFeel.h"
#include "../help/HelpTable.h"
#include "../shell/Palette.h"

namespace zq6::ui
{
namespace
{
constexpr auto helpKey = "ui.meters";
constexpr float peakTextSize = 8.0f;
constexpr float hotShare = 0.9f;
const juce::Colour hotSegment = juce::Colour::fromHSV(1.0f, 0.72f, 0.35f, 1.0f);
const juce::Colour clipLamp = palette::salmon;
const juce::Colour peakMark = palette::salmon;

MeterGeometry geometryOf(const UiContext& context)
{
    return context.layout != nullptr ? MeterGeometry::fromLayout(*context.layout) : MeterGeometry {};
}

// The meter reads as one line of text and never takes a value.
class PeakTextValue : public juce::AccessibilityTextValueInterface
{
public:
    explicit PeakTextValue(const MetersView& view) : meters(view) {}
    bool isReadOnly() const override { return true; }
    juce::String getCurrentValueAsString() const override { return meters.accessibleText(); }
    void setValueAsString(const juce::String&) override {}

private:
    const MetersView& meters;
};
} // namespace

MetersView::MetersView(const UiContext& uiContext) : context(uiContext), geometry(geometryOf(uiContext))
{
    applyHelp(*this, helpKey);
    setTooltip(tooltipText(helpKey));
}

void MetersView::update(const Peaks& peaks)
{
    auto changed = false;
    for (size_t i = 0; i < bars.size(); ++i)
        changed = bars[i].update(peaks[i], geometry.segmentCount) || changed;

    auto textChanged = false;
    for (size_t side = 0; side < readouts.size(); ++side)
        textChanged = readouts[side].update(peaks[2 * side], peaks[2 * side + 1]) || textChanged;

    if (textChanged)
        announce();
    if (changed || textChanged)
        repaint();
}

void MetersView::resetSide(int side)
{
    readouts[static_cast<size_t>(side)].reset();
    announce();
    repaint();
}

juce::String MetersView::accessibleText() const
{
    const auto sideText = [this](const char* name, int side) {
        const auto& r = readout(side);
        return juce::String(name) + " peak " + r.text() + " dB" + (r.clipped() ? " (clipped)" : "");
    };
    return sideText("Input", MeterGeometry::input) + ", " + sideText("Output", MeterGeometry::output);
}

std::uint64_t MetersView::marksKey(float pixelScale) const
{
    return cacheKey({ bars[0].litSegments(), bars[1].litSegments(), bars[2].litSegments(), bars[3].litSegments(),
                      bars[0].markSegment(), bars[1].markSegment(), bars[2].markSegment(), bars[3].markSegment(),
                      getWidth(), getHeight(), juce::roundToInt(pixelScale * 100.0f) });
}

void MetersView::paint(juce::Graphics& g)
{
    if (getLocalBounds().isEmpty())
        return;

    const auto pixelScale = g.getInternalContext().getPhysicalPixelScaleFactor();
    const auto key = marksKey(pixelScale);
    if (!marks.isValid() || key != marksCacheKey)
    {
        renderMarks(pixelScale);
        marksCacheKey = key;
    }
    g.drawImage(marks, getLocalBounds().toFloat());
    paintReadouts(g);
}

void MetersView::renderMarks(float pixelScale)
{
    marks = juce::Image(juce::Image::ARGB, juce::jmax(1, juce::roundToInt(static_cast<float>(getWidth()) * pixelScale)),
                        juce::jmax(1, juce::roundToInt(static_cast<float>(getHeight()) * pixelScale)), true);
    juce::Graphics g(marks);
    g.addTransform(juce::AffineTransform::scale(pixelScale));

    juce::Path unlit, cool, hot, held;
    const auto count = geometry.segmentCount;
    for (int b = 0; b < static_cast<int>(bars.size()); ++b)
    {
        const auto& bar = bars[static_cast<size_t>(b)];
        for (int j = 0; j < count; ++j)
        {
            const auto rect = scaled(geometry.segment(b, j));
            if (j == bar.markSegment())
                held.addRectangle(rect);
            else if (j >= bar.litSegments())
                unlit.addRectangle(rect);
            else if ((static_cast<float>(j) + 0.5f) / static_cast<float>(count) > hotShare)
                hot.addRectangle(rect);
            else
                cool.addRectangle(rect);
        }
    }

    g.setColour(palette::unlitSegment);
    g.fillPath(unlit);
    GlassLookAndFeel::glowFill(g, cool, palette::accent, context.glow, context.scale);
    GlassLookAndFeel::glowFill(g, hot, hotSegment, context.glow, context.scale);
    GlassLookAndFeel::glowFill(g, held, peakMark, context.glow, context.scale);
    ++renders;
}

void MetersView::paintReadouts(juce::Graphics& g) const
{
    const auto font = context.font(peakTextSize);
    for (int side = 0; side < 2; ++side)
    {
        const auto& r = readout(side);
        if (r.clipped())
        {
            juce::Path lamp;
            const auto area = scaled(geometry.lamp[static_cast<size_t>(side)]);
            lamp.addRoundedRectangle(area, area.getHeight() * 0.5f);
            GlassLookAndFeel::glowFill(g, lamp, clipLamp, context.glow, context.scale);
        }
        GlassLookAndFeel::drawText(g, this, r.text(), scaled(geometry.peakText[static_cast<size_t>(side)]), font,
                                   palette::value, juce::Justification::centred, "peak");
    }
}

juce::Rectangle<float> MetersView::scaled(juce::Rectangle<float> baseRect) const
{
    return baseRect * context.scale;
}

int MetersView::sideAt(juce::Point<float> position) const
{
    for (int side = 0; side < 2; ++side)
        if (scaled(geometry.clickArea(side)).contains(position))
            return side;
    return -1;
}

bool MetersView::hitTest(int x, int y)
{
    return sideAt({ static_cast<float>(x), static_cast<float>(y) }) >= 0;
}

void MetersView::mouseDown(const juce::MouseEvent& event)
{
    const auto side = sideAt(event.position);
    if (side >= 0)
        resetSide(side);
}

void MetersView::announce()
{
    if (auto* handler = getAccessibilityHandler())
        handler->notifyAccessibilityEvent(juce::AccessibilityEvent::valueChanged);
}

std::unique_ptr<juce::AccessibilityHandler> MetersView::createAccessibilityHandler()
{
    return std::make_unique<juce::AccessibilityHandler>(*this, juce::AccessibilityRole::staticText,
                                                        juce::AccessibilityActions {},
                                                        juce::AccessibilityHandler::Interfaces {
                                                            std::make_unique<PeakTextValue>(*this) });
}
} // namespace zq6::ui
