#include "InstrumentWindow.h"

#include "../shell/GlassLookAndFeel.h"
#include "../shell/Palette.h"

#include <cmath>

namespace zq6::ui
{
namespace
{
constexpr auto windowId = "stage.window";
constexpr auto selectorId = "stage.view";
constexpr float labelSize = 10.0f;
constexpr float labelBoxWidth = 48.0f;
constexpr float labelBoxHeight = 14.0f;
constexpr juce::uint8 axisAlpha = 87;
constexpr float pulseSpread = 11.52f;
constexpr float pulseFloor = 0.05f;
constexpr float pulseBlend = 0.45f;
constexpr std::array<float, 3> frequencyTicks { 100.0f, 1000.0f, 10000.0f };
constexpr std::array<const char*, 3> frequencyLabels { "100 Hz", "1k", "10k" };

TailGraph::Frame frameOf(const UiContext& context)
{
    return context.layout != nullptr ? TailGraph::Frame::fromLayout(windowId, selectorId, *context.layout)
                                     : TailGraph::Frame {};
}

double highResolutionMs()
{
    return juce::Time::getMillisecondCounterHiRes();
}

juce::String tickLabel(float seconds, int decimals)
{
    const auto number = decimals > 0 && seconds > 0.0f ? juce::String(seconds, decimals)
                                                        : juce::String(juce::roundToInt(seconds));
    return number + " s";
}
} // namespace

InstrumentWindow::InstrumentWindow(const UiContext& uiContext, Clock clockToUse, MotionQuery motionQuery)
    : context(uiContext),
      frame(frameOf(uiContext)),
      clock(clockToUse ? std::move(clockToUse) : Clock(highResolutionMs)),
      graph(TailGraph::compute(inputs, frame))
{
    if (motionQuery)
        prefersReducedMotion = std::move(motionQuery);
    else
    {
        motionCheck = std::make_unique<ReducedMotionCheck>();
        prefersReducedMotion = [check = motionCheck.get()] { return check->prefersReducedMotion(); };
    }
    setInterceptsMouseClicks(false, false);
}

void InstrumentWindow::refresh(const TailGraphInputs& newInputs, float inputPeakLeft, float inputPeakRight)
{
    if (newInputs != inputs)
    {
        inputs = newInputs;
        graph = TailGraph::compute(inputs, frame);
        ++graphs;
        dirty = true;
        repaint();
    }
    if (pulse.update(inputPeakLeft, inputPeakRight, clock(), prefersReducedMotion))
        repaint(innerArea().getSmallestIntegerContainer());
}

juce::Rectangle<float> InstrumentWindow::innerArea() const
{
    return getLocalBounds().toFloat().reduced(TailGraph::innerInset * context.scale);
}

float InstrumentWindow::lineWidth() const
{
    return std::max(0.95f / context.scale, 1.15f);
}

void InstrumentWindow::paint(juce::Graphics& g)
{
    const auto inner = innerArea();
    if (inner.isEmpty())
        return;

    const auto pixelScale = g.getInternalContext().getPhysicalPixelScaleFactor();
    const juce::Point<int> pixelSize { std::max(1, juce::roundToInt(inner.getWidth() * pixelScale)),
                                       std::max(1, juce::roundToInt(inner.getHeight() * pixelScale)) };
    if (dirty || !image.isValid() || std::abs(pixelScale - imagePixelScale) > 0.001f
        || image.getBounds().getBottomRight() != pixelSize)
        renderGraph(pixelSize, pixelScale);

    g.drawImage(image, inner);
    paintLabels(g);
    if (pulse.running())
        paintPulse(g);
}

void InstrumentWindow::renderGraph(juce::Point<int> pixelSize, float pixelScale)
{
    image = juce::Image(juce::Image::ARGB, pixelSize.x, pixelSize.y, true);
    imagePixelScale = pixelScale;
    dirty = false;

    juce::Graphics g(image);
    g.addTransform(juce::AffineTransform::scale(context.scale * pixelScale));

    g.setColour(palette::value.withAlpha(axisAlpha));
    g.drawLine(graph.timeAxis(), 1.0f);

    const auto y0 = graph.baseline();
    for (const auto hz : frequencyTicks)
        g.fillRect(juce::Rectangle<float>(graph.frequencyX(hz) - 0.5f, y0, 1.0f, 3.0f));
    for (const auto tick : graph.timeTicks())
    {
        const auto at = graph.axisPoint(tick);
        g.fillRect(juce::Rectangle<float>(at.x - 4.0f, at.y - 0.5f, 3.0f, 1.0f));
    }

    const juce::PathStrokeType stroke(lineWidth(), juce::PathStrokeType::curved, juce::PathStrokeType::rounded);
    for (int r = 0; r < TailGraph::ridgeCount; ++r)
    {
        const auto& ridge = graph.ridge(r);
        g.setColour(ridge.colour.withMultipliedAlpha(ridge.alpha));
        g.strokePath(ridge.visiblePath, stroke);
    }
}

void InstrumentWindow::paintLabels(juce::Graphics& g) const
{
    const auto s = context.scale;
    const auto font = context.font(labelSize);
    const auto inset = TailGraph::innerInset;
    const auto y0 = graph.baseline() + inset;

    for (size_t i = 0; i < frequencyTicks.size(); ++i)
    {
        const auto x = graph.frequencyX(frequencyTicks[i]) + inset;
        const juce::Rectangle<float> box { x - labelBoxWidth * 0.5f, y0 + 4.0f, labelBoxWidth, labelBoxHeight };
        GlassLookAndFeel::drawText(g, this, frequencyLabels[i], box * s, font, palette::headerText,
                                   juce::Justification::centredTop, "axis");
    }

    // Time labels end left of their ticks, their baseline 4 units below the tick.
    const auto timeLabel = [&](float seconds) {
        const auto at = graph.axisPoint(seconds);
        const auto right = (at.x + inset - 8.0f) * s;
        const auto bottom = (at.y + inset + 4.0f) * s + font.getDescent();
        const auto height = labelBoxHeight * s;
        const juce::Rectangle<float> box { right - labelBoxWidth * s, bottom - height, labelBoxWidth * s, height };
        GlassLookAndFeel::drawText(g, this, tickLabel(seconds, graph.tickDecimals()), box, font, palette::headerText,
                                   juce::Justification::bottomRight, "axis");
    };
    timeLabel(0.0f);
    for (const auto tick : graph.timeTicks())
        timeLabel(tick);
}

void InstrumentWindow::paintPulse(juce::Graphics& g) const
{
    const auto inner = innerArea();
    const juce::Graphics::ScopedSaveState saved(g);
    g.reduceClipRegion(inner.getSmallestIntegerContainer());
    g.addTransform(juce::AffineTransform::scale(context.scale).translated(inner.getX(), inner.getY()));

    const auto colour = juce::Colours::white.interpolatedWith(palette::value, pulseBlend);
    for (int r = 0; r < TailGraph::ridgeCount; ++r)
    {
        const auto distance = static_cast<float>(r) - pulse.position();
        const auto weight = std::exp(-distance * distance / pulseSpread);
        if (weight < pulseFloor)
            continue;
        g.setColour(colour.withAlpha(std::min(0.8f * weight, 1.0f)));
        g.strokePath(graph.ridge(r).visiblePath,
                     juce::PathStrokeType(lineWidth() + 1.1f * weight, juce::PathStrokeType::curved,
                                          juce::PathStrokeType::rounded));
    }
}
} // namespace zq6::ui
