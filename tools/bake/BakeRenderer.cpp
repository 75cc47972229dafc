#include "BakeRenderer.h"

#include "BakeInks.h"
#include "KnobPainter.h"

#include <ui/shell/GlassLookAndFeel.h>

using zq6::ui::LayoutItem;

namespace
{
juce::Rectangle<float> rectOf(const LayoutItem& item)
{
    return { item.x, item.y, item.w, item.h };
}

juce::Path rounded(juce::Rectangle<float> area, float corner)
{
    juce::Path p;
    p.addRoundedRectangle(area, corner);
    return p;
}

juce::ColourGradient vertical(juce::Colour top, juce::Colour bottom, juce::Rectangle<float> area)
{
    return juce::ColourGradient(top, area.getTopLeft(), bottom, area.getBottomLeft(), false);
}

// A line cut into the surface: a dark groove with light catching its lower or right edge.
void engrave(juce::Graphics& g, juce::Rectangle<float> line, juce::Point<float> lightOffset, float fade)
{
    const auto horizontal = line.getWidth() > line.getHeight();
    const auto paint = [&](juce::Rectangle<float> r, juce::Colour c) {
        juce::ColourGradient gradient(c.withAlpha(0.0f), r.getTopLeft(), c.withAlpha(0.0f),
                                      horizontal ? r.getTopRight() : r.getBottomLeft(), false);
        gradient.addColour(fade, c);
        gradient.addColour(1.0 - fade, c);
        g.setGradientFill(gradient);
        g.fillRect(r);
    };
    paint(line, juce::Colours::black.withAlpha(0.75f));
    paint(line + lightOffset, juce::Colours::white.withAlpha(0.07f));
}
} // namespace

BakeRenderer::BakeRenderer(const zq6::ui::Layout& l, juce::Typeface::Ptr regular, juce::Typeface::Ptr bold)
    : layout(l), text(std::move(regular), std::move(bold))
{
}

juce::Image BakeRenderer::render(int width) const
{
    juce::Image image(juce::Image::RGB, width, layout.heightForWidth(width), true);
    {
        BakeCanvas canvas(image, static_cast<float>(width) / static_cast<float>(layout.baseWidth));
        for (const auto& item : layout.items)
            if (item.kind == "chassis")
                chassis(canvas, item);
        // Shadows first, so no panel's shadow falls across a neighbour.
        for (const auto& item : layout.items)
            if (isBaked(item) && (item.kind == "panel" || item.props.hasProperty("lift")))
                panelShadow(canvas, item);
        for (const auto& item : layout.items)
            if (isBaked(item) && item.kind != "chassis")
                drawItem(canvas, item);
    }
    dither(image);
    return image;
}

bool BakeRenderer::isBaked(const LayoutItem& item)
{
    if (item.props["layer"].toString() == "live")
        return false;
    const auto onlyIn = item.props["onlyIn"].toString();
    return onlyIn.isEmpty() || onlyIn == "direct";
}

void BakeRenderer::drawItem(BakeCanvas& canvas, const LayoutItem& item) const
{
    const auto& kind = item.kind;
    if (kind == "panel")
        panel(canvas, item);
    else if (kind == "window")
        window(canvas, item);
    else if (kind == "knob")
        knob(canvas, item);
    else if (kind == "cap")
        cap(canvas, item);
    else if (kind == "learnbtn")
        learnWell(canvas, item);
    else if (kind == "meter")
        meterScale(canvas, item);
    else if (kind == "group")
        group(canvas, item);
    else if (kind == "rule")
        rule(canvas, item);
    else if (kind == "chevron")
        chevron(canvas, item);
    else if (kind == "text")
        text.print(canvas, item);
}

void BakeRenderer::chassis(BakeCanvas& canvas, const LayoutItem& item) const
{
    auto& g = canvas.graphics();
    const auto area = rectOf(item);
    g.setGradientFill(vertical(bake::chassisTop, bake::chassisBottom, area));
    g.fillRect(area);

    // A faint cool light from above the centre, falling off toward the corners.
    juce::ColourGradient light(juce::Colour(0xFF1A1E24).withAlpha(0.55f),
                               { area.getCentreX(), -area.getHeight() * 0.2f }, juce::Colours::transparentBlack,
                               { area.getCentreX(), area.getHeight() * 0.9f }, true);
    g.setGradientFill(light);
    g.fillRect(area);

    // Machined top edge.
    g.setColour(juce::Colours::white.withAlpha(0.08f));
    g.fillRect(area.withHeight(0.8f));
}

void BakeRenderer::panelShadow(BakeCanvas& canvas, const LayoutItem& item) const
{
    if (item.props.hasProperty("depth") && !item.props.hasProperty("lift"))
        return;
    const auto area = rectOf(item);
    const auto corner = item.props.hasProperty("rad") ? item.number("rad") : layout.styleNumber("panel", "rad");
    const auto lift = item.number("lift");
    const auto outline = rounded(area, corner);
    canvas.dropShadow(outline, juce::Colours::black.withAlpha(0.85f), 2.0f + lift * 160.0f, { 0.0f, lift * 70.0f });
    canvas.dropShadow(outline, juce::Colours::black.withAlpha(0.7f), 1.2f, { 0.0f, 0.8f });
}

void BakeRenderer::panel(BakeCanvas& canvas, const LayoutItem& item) const
{
    const auto area = rectOf(item);
    const auto corner = item.props.hasProperty("rad") ? item.number("rad") : layout.styleNumber("panel", "rad");
    if (item.props.hasProperty("depth"))
        recessed(canvas, area, corner, item.number("depth"), vertical(bake::wellFloor, juce::Colour(0xFF0B0C0F), area));
    else
        raised(canvas, area, corner, item.number("lift"));
}

void BakeRenderer::raised(BakeCanvas& canvas, juce::Rectangle<float> area, float corner, float lift) const
{
    auto& g = canvas.graphics();
    const auto outline = rounded(area, corner);
    g.setGradientFill(vertical(bake::panelTop, bake::panelBottom, area));
    g.fillPath(outline);

    // Satin sheen over the upper part of the face.
    juce::ColourGradient sheen(juce::Colours::white.withAlpha(0.045f), area.getTopLeft(),
                               juce::Colours::white.withAlpha(0.0f), area.getRelativePoint(0.0f, 0.5f), false);
    g.setGradientFill(sheen);
    g.fillPath(outline);

    zq6::ui::GlassLookAndFeel::recessedShade(g, area, corner, { 0.0f, 1.0f }, 0.05f + lift * 1.4f);
    canvas.innerShadow(outline, juce::Colours::black.withAlpha(0.45f), 2.5f, { 0.0f, -1.2f });
    g.setColour(juce::Colours::black.withAlpha(0.9f));
    g.drawRoundedRectangle(area.expanded(0.35f), corner + 0.35f, 0.7f);
}

void BakeRenderer::recessed(BakeCanvas& canvas, juce::Rectangle<float> area, float corner, float depth,
                            juce::ColourGradient floor) const
{
    auto& g = canvas.graphics();
    const auto outline = rounded(area, corner);

    // Light catching the lower lip of the cut-out.
    g.setColour(juce::Colours::white.withAlpha(0.085f));
    g.fillPath(rounded(area.translated(0.0f, 0.9f), corner));

    g.setGradientFill(floor);
    g.fillPath(outline);
    canvas.innerShadow(outline, juce::Colours::black.withAlpha(0.92f), 1.5f + depth * 50.0f,
                       { 0.0f, 0.8f + depth * 20.0f });
    g.setColour(juce::Colours::black.withAlpha(0.9f));
    g.drawRoundedRectangle(area, corner, 0.6f);
}

void BakeRenderer::bezel(BakeCanvas& canvas, juce::Rectangle<float> area, float corner, float lift) const
{
    auto& g = canvas.graphics();
    const auto width = lift * 150.0f;
    const auto frame = area.expanded(width);
    const auto outline = rounded(frame, corner + width);
    g.setGradientFill(vertical(juce::Colour(0xFF24272D), juce::Colour(0xFF101115), frame));
    g.fillPath(outline);
    zq6::ui::GlassLookAndFeel::recessedShade(g, frame, corner + width, { 0.0f, 0.9f }, 0.1f);
    g.setColour(juce::Colours::black.withAlpha(0.9f));
    g.drawRoundedRectangle(frame.expanded(0.35f), corner + width + 0.35f, 0.7f);
}

void BakeRenderer::window(BakeCanvas& canvas, const LayoutItem& item) const
{
    auto& g = canvas.graphics();
    const auto area = rectOf(item);
    const auto corner = item.number("rad");
    if (item.props.hasProperty("lift"))
        bezel(canvas, area, corner, item.number("lift"));

    recessed(canvas, area, corner, item.number("depth"), vertical(bake::displayTop, bake::displayBottom, area));

    const auto outline = rounded(area, corner);
    const juce::Graphics::ScopedSaveState state(g);
    g.reduceClipRegion(outline);

    // The display's own faint backlight, strongest in the middle.
    juce::ColourGradient bloom(bake::displayBloom.withAlpha(0.7f), area.getCentre(), bake::displayBloom.withAlpha(0.0f),
                               area.getCentre().translated(area.getWidth() * 0.55f, area.getHeight() * 0.4f), true);
    g.setGradientFill(bloom);
    g.fillRect(area);

    // Glass over the display: a diagonal reflection across the upper part.
    juce::Path reflection;
    reflection.startNewSubPath(area.getTopLeft());
    reflection.lineTo(area.getRelativePoint(0.62f, 0.0f));
    reflection.lineTo(area.getRelativePoint(0.38f, 0.42f));
    reflection.lineTo(area.getRelativePoint(0.0f, 0.42f));
    reflection.closeSubPath();
    g.setGradientFill(vertical(juce::Colours::white.withAlpha(0.035f), juce::Colours::white.withAlpha(0.0f),
                               area.withHeight(area.getHeight() * 0.42f)));
    g.fillPath(reflection);
}

void BakeRenderer::cap(BakeCanvas& canvas, const LayoutItem& item) const
{
    auto& g = canvas.graphics();
    const auto area = rectOf(item);
    juce::Path body;
    if (static_cast<bool>(item.props["round"]))
        body.addEllipse(area);
    else
        body.addRoundedRectangle(area, 0.18f * juce::jmin(area.getWidth(), area.getHeight()));

    canvas.dropShadow(body, juce::Colours::black.withAlpha(0.8f), 1.4f, { 0.0f, 0.9f });
    g.setGradientFill(vertical(bake::capTop, bake::capBottom, area));
    g.fillPath(body);
    {
        const juce::Graphics::ScopedSaveState state(g);
        g.reduceClipRegion(body);
        g.setGradientFill(vertical(juce::Colours::white.withAlpha(0.16f), juce::Colours::white.withAlpha(0.0f),
                                   area.withHeight(1.6f)));
        g.fillRect(area.withHeight(1.6f));
    }
    g.setColour(juce::Colours::black.withAlpha(0.9f));
    g.strokePath(body, juce::PathStrokeType(0.6f));

    if (item.props["textLayer"].toString() == "baked")
        text.print(canvas, item, true);
}

void BakeRenderer::learnWell(BakeCanvas& canvas, const LayoutItem& item) const
{
    const auto area = rectOf(item);
    recessed(canvas, area, item.number("rad"), item.number("depth"),
             vertical(bake::wellFloor, juce::Colour(0xFF0A0B0E), area));
}

void BakeRenderer::meterScale(BakeCanvas& canvas, const LayoutItem& item) const
{
    auto& g = canvas.graphics();
    const auto area = rectOf(item);
    recessed(canvas, area, item.number("rad"), item.number("depth"),
             vertical(bake::displayTop, bake::displayBottom, area));

    const auto pitch = item.number("segH") + item.number("segGap");
    const auto segTop = item.number("segTop");
    const auto segBottom = item.h - item.number("segBottomPad");
    const auto segments = juce::jmax(1, static_cast<int>((segBottom - segTop) / pitch));
    const auto floorDb = item.number("floor");
    const auto& columns = item.props["columns"];
    const auto barsWidth = 2.0f * item.number("barW") + item.number("barGap");
    const auto labelX = area.getX() + item.number("tickX");
    const auto tickPx = item.number("tickPx");

    const auto& ticks = item.props["ticks"];
    for (int i = 0; i < ticks.size(); ++i)
    {
        const auto db = static_cast<float>(static_cast<double>(ticks[i]));
        const auto level = juce::jlimit(0.0f, 1.0f, (floorDb - db) / floorDb);
        const auto y = area.getY() + segBottom - level * segments * pitch + item.number("segGap") * 0.5f;
        text.print(canvas, juce::String(juce::roundToInt(db)), { labelX - 10.0f, y - 6.0f, 20.0f, 12.0f },
                   tickPx, 0.0f, false, true, "dispDim");

        // Hairline ticks reaching from each column of bars toward the figures.
        g.setColour(bake::dispDim.withAlpha(0.55f));
        for (int c = 0; c < columns.size(); ++c)
        {
            const auto left = area.getX() + static_cast<float>(static_cast<double>(columns[c]));
            const auto x = left + barsWidth < labelX ? left + barsWidth + 1.0f : left - 3.0f;
            g.fillRect(x, y - 0.3f, 2.0f, 0.6f);
        }
    }
}

void BakeRenderer::group(BakeCanvas& canvas, const LayoutItem& item) const
{
    const auto area = rectOf(item);
    const auto caption = item.props["text"].toString();
    text.print(canvas, caption, area, item.number("px"), item.number("spacing"), false, false,
               item.props["tone"].toString());
    const auto from = item.number("lineFrom");
    engrave(canvas.graphics(), { from, area.getCentreY() - 0.4f, area.getRight() - from, 0.8f }, { 0.0f, 0.8f },
            0.04f);
}

void BakeRenderer::rule(BakeCanvas& canvas, const LayoutItem& item) const
{
    engrave(canvas.graphics(), rectOf(item), { item.w, 0.0f }, 0.12f);
}

void BakeRenderer::chevron(BakeCanvas& canvas, const LayoutItem& item) const
{
    const auto centre = rectOf(item).getCentre();
    const auto half = item.number("halfW");
    juce::Path stroke;
    stroke.startNewSubPath(centre.translated(-half, -half * 0.5f));
    stroke.lineTo(centre.translated(0.0f, half * 0.5f));
    stroke.lineTo(centre.translated(half, -half * 0.5f));
    juce::Path outline;
    juce::PathStrokeType(item.number("stroke"), juce::PathStrokeType::curved, juce::PathStrokeType::rounded)
        .createStrokedPath(outline, stroke);

    const auto colour = bake::ink(item.props["tone"].toString());
    canvas.glow(outline, colour.withMultipliedAlpha(0.5f), 1.5f);
    canvas.graphics().setColour(colour);
    canvas.graphics().fillPath(outline);
}

void BakeRenderer::knob(BakeCanvas& canvas, const LayoutItem& item) const
{
    KnobPainter::paint(canvas, rectOf(item).getCentre(), item.number("bodyRadius"),
                       layout.styleNumber("knob", "ringOuter"));
}

void BakeRenderer::dither(juce::Image& image)
{
    const juce::Image::BitmapData bits(image, juce::Image::BitmapData::readWrite);
    juce::Random random(0x2b0f6);
    for (int y = 0; y < bits.height; ++y)
    {
        auto* line = bits.getLinePointer(y);
        for (int x = 0; x < bits.width; ++x)
        {
            const auto grain = random.nextInt(5) - 2;
            for (int c = 0; c < bits.pixelStride; ++c)
            {
                auto& v = line[x * bits.pixelStride + c];
                v = static_cast<juce::uint8>(juce::jlimit(0, 255, v + grain));
            }
        }
    }
}
