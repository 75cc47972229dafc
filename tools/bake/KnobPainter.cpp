#include "KnobPainter.h"

#include "BakeInks.h"

namespace
{
// The metal ring takes the outer part of the body; the glass sits inside it.
constexpr float glassShare = 0.84f;

juce::Path circle(juce::Point<float> centre, float radius)
{
    juce::Path p;
    p.addEllipse(centre.x - radius, centre.y - radius, 2.0f * radius, 2.0f * radius);
    return p;
}

juce::ColourGradient linear(juce::Colour from, juce::Point<float> a, juce::Colour to, juce::Point<float> b)
{
    return juce::ColourGradient(from, a, to, b, false);
}
} // namespace

void KnobPainter::paint(BakeCanvas& canvas, juce::Point<float> centre, float bodyRadius, float ringOuter)
{
    paintWell(canvas, centre, bodyRadius * ringOuter);
    canvas.dropShadow(circle(centre, bodyRadius), juce::Colours::black.withAlpha(0.9f), bodyRadius * 0.12f,
                      { 0.0f, bodyRadius * 0.07f });
    paintMetalRing(canvas, centre, bodyRadius, bodyRadius * glassShare);
    paintGlass(canvas, centre, bodyRadius * glassShare);
}

void KnobPainter::paintWell(BakeCanvas& canvas, juce::Point<float> centre, float radius)
{
    auto& g = canvas.graphics();
    const auto well = circle(centre, radius);

    // A soft lip of light under the well, as if the chassis were milled.
    g.setColour(juce::Colours::white.withAlpha(0.07f));
    g.fillPath(circle(centre.translated(0.0f, 0.7f), radius));

    g.setGradientFill(linear(bake::wellFloor, centre.translated(0.0f, -radius), juce::Colour(0xFF0C0E11),
                             centre.translated(0.0f, radius)));
    g.fillPath(well);
    canvas.innerShadow(well, juce::Colours::black.withAlpha(0.95f), radius * 0.12f, { 0.0f, radius * 0.06f });
    g.setColour(juce::Colours::black.withAlpha(0.9f));
    g.strokePath(well, juce::PathStrokeType(0.6f));
}

void KnobPainter::paintMetalRing(BakeCanvas& canvas, juce::Point<float> centre, float outer, float inner)
{
    auto& g = canvas.graphics();
    const auto ring = circle(centre, outer);

    // Brushed metal: a cool light from the upper left, a second reflection low on the right.
    juce::ColourGradient metal(juce::Colour(0xFFD7DDE4), centre.translated(-outer * 0.7f, -outer * 0.75f),
                               juce::Colour(0xFF1C1F23), centre.translated(outer * 0.6f, outer * 0.8f), false);
    metal.addColour(0.28, juce::Colour(0xFF9BA3AD));
    metal.addColour(0.52, juce::Colour(0xFF3D424A));
    metal.addColour(0.78, juce::Colour(0xFF6E7680));
    g.setGradientFill(metal);
    g.fillPath(ring);

    juce::ColourGradient sheen(juce::Colours::white.withAlpha(0.0f), centre.translated(-outer, 0.0f),
                               juce::Colours::white.withAlpha(0.0f), centre.translated(outer, 0.0f), false);
    sheen.addColour(0.5, juce::Colours::white.withAlpha(0.16f));
    g.setGradientFill(sheen);
    g.fillPath(ring);

    // Bright chamfer on the outer edge, dark seam where the glass is set in.
    g.setGradientFill(linear(juce::Colours::white.withAlpha(0.55f), centre.translated(0.0f, -outer),
                             juce::Colours::white.withAlpha(0.05f), centre.translated(0.0f, outer)));
    g.strokePath(circle(centre, outer - 0.35f), juce::PathStrokeType(0.7f));
    g.setColour(juce::Colours::black.withAlpha(0.85f));
    g.strokePath(circle(centre, inner + 0.2f), juce::PathStrokeType(0.9f));
}

void KnobPainter::paintGlass(BakeCanvas& canvas, juce::Point<float> centre, float radius)
{
    auto& g = canvas.graphics();
    const auto glass = circle(centre, radius);

    juce::ColourGradient body(juce::Colour(0xFF2B323C), centre.translated(-radius * 0.15f, -radius * 0.35f),
                              juce::Colour(0xFF07080B), centre.translated(0.0f, radius * 1.05f), true);
    body.addColour(0.55, juce::Colour(0xFF151A21));
    g.setGradientFill(body);
    g.fillPath(glass);

    // Light caught inside the lower rim of the glass.
    {
        const juce::Graphics::ScopedSaveState state(g);
        g.reduceClipRegion(glass);
        canvas.glow(circle(centre.translated(0.0f, radius * 0.95f), radius * 0.55f),
                    bake::disp.withAlpha(0.22f), radius * 0.3f);
    }
    canvas.innerShadow(glass, juce::Colours::black.withAlpha(0.8f), radius * 0.14f, { 0.0f, radius * 0.05f });

    // The specular highlight: a broad soft gloss over the upper glass and a crisp reflection of the
    // light along its upper-left rim.
    {
        const juce::Graphics::ScopedSaveState state(g);
        g.reduceClipRegion(glass);
        juce::Path gloss;
        gloss.addEllipse(centre.x - radius * 0.78f, centre.y - radius * 1.02f, radius * 1.56f, radius * 1.0f);
        juce::ColourGradient fade(juce::Colours::white.withAlpha(0.2f), centre.translated(0.0f, -radius),
                                  juce::Colours::white.withAlpha(0.0f), centre.translated(0.0f, -radius * 0.05f),
                                  false);
        g.setGradientFill(fade);
        g.fillPath(gloss);
    }
    juce::Path rim;
    rim.addCentredArc(centre.x, centre.y, radius * 0.86f, radius * 0.86f, 0.0f, -1.75f, -0.35f, true);
    canvas.glow(rim, juce::Colours::white.withAlpha(0.25f), radius * 0.12f);
    g.setColour(juce::Colours::white.withAlpha(0.45f));
    g.strokePath(rim, juce::PathStrokeType(radius * 0.035f, juce::PathStrokeType::curved,
                                           juce::PathStrokeType::rounded));

    g.setColour(juce::Colours::white.withAlpha(0.10f));
    g.strokePath(circle(centre, radius - 0.3f), juce::PathStrokeType(0.5f));
}
