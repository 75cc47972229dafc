#include "LearnButtonFace.h"

namespace zq6::ui
{
namespace
{
const juce::Colour faceTop { 0xFF2B2F36 };
const juce::Colour faceBottom { 0xFF16181C };
const juce::Colour listeningFaceTop { 0xFF22252B };
const juce::Colour listeningFaceBottom { 0xFF111316 };
const juce::Colour glowCentre { 0xFFC7B8FF };
const juce::Colour glowMiddle { 0xFF78C3E8 };
const juce::Colour glowRim { 0xFF284664 };
constexpr float listeningGlow = 0.85f;
constexpr float readyGlow = 0.85f;
constexpr float learnedGlow = 1.0f;
constexpr juce::uint8 shadeAlpha = 140;
constexpr juce::uint8 hoverVeilAlpha = 13;

bool showsProgress(const LearnFaceState& state)
{
    return state.progress >= 0.0f;
}

// A radial glow rising from below `area`, centred at `centre` of its width, at intensity i.
void paintGlow(juce::Graphics& g, juce::Rectangle<float> area, float centre, float intensity, float scale)
{
    if (area.isEmpty())
        return;
    const juce::Point<float> focus(area.getX() + centre * area.getWidth(), area.getBottom() + 0.15f * area.getHeight());
    const auto radius = juce::jmax(centre, 1.0f - centre) * 1.3f * area.getWidth() + 1.0f;
    juce::ColourGradient glow(glowCentre.withAlpha(0.7f * intensity), focus, glowRim.withAlpha(0.4f * intensity),
                              focus.translated(radius, 0.0f), true);
    glow.addColour(0.45, glowMiddle.withAlpha(0.5f * intensity));
    g.setGradientFill(glow);
    g.fillRect(area);

    const auto band = area.withTop(area.getBottom() - 4.0f * scale);
    const auto bandColour = glowMiddle.interpolatedWith(juce::Colours::white, 0.375f);
    g.setGradientFill(juce::ColourGradient(bandColour.withAlpha(0.22f * intensity), 0.0f, band.getBottom(),
                                           bandColour.withAlpha(0.0f), 0.0f, band.getY(), false));
    g.fillRect(band);
}

void paintLitLook(juce::Graphics& g, juce::Rectangle<float> face, const LearnFaceState& state)
{
    if (showsProgress(state))
        paintGlow(g, face.withWidth(juce::jmin(1.0f, state.progress) * face.getWidth()), 1.0f, listeningGlow,
                  state.scale);
    else if (state.enabled)
        paintGlow(g, face, 0.5f, state.learned ? learnedGlow : readyGlow, state.scale);
}

juce::ColourGradient shadeFrom(float top, float bottom)
{
    return { juce::Colours::black.withAlpha(shadeAlpha), 0.0f, top, juce::Colours::transparentBlack, 0.0f, bottom,
             false };
}

void paintInnerShade(juce::Graphics& g, const juce::Path& outline, juce::Rectangle<float> face,
                     const LearnFaceState& state)
{
    g.setGradientFill(shadeFrom(face.getY(), face.getCentreY()));
    g.strokePath(outline, juce::PathStrokeType(5.0f * state.scale));
    if (state.hovered || showsProgress(state))
    {
        const auto depth = 6.0f * state.scale;
        g.setGradientFill(shadeFrom(face.getY(), face.getY() + depth));
        g.fillRect(face.withHeight(depth));
    }
}

void paintHighlight(juce::Graphics& g, juce::Rectangle<float> bounds, juce::Rectangle<float> face, float corner,
                    const LearnFaceState& state)
{
    const auto quiet = !state.hovered && !showsProgress(state);
    const auto alpha = quiet ? (state.enabled ? 0.8f : 0.45f) : 0.1f;
    const auto height = 1.5f * state.scale;
    const auto left = face.getX() + 0.7f * corner;
    const auto right = face.getX() + 0.6f * face.getWidth();
    if (right <= left)
        return;
    const auto centreY = bounds.getY() + (state.groove + 2.0f) * state.scale;
    g.setGradientFill(juce::ColourGradient(juce::Colours::white.withAlpha(alpha), left, centreY,
                                           juce::Colours::white.withAlpha(0.0f), right, centreY, false));
    g.fillRoundedRectangle(left, centreY - 0.5f * height, right - left, height, 0.5f * height);
}

void paintOutline(juce::Graphics& g, const juce::Path& outline, juce::Rectangle<float> face,
                  const LearnFaceState& state)
{
    const auto quiet = !state.hovered && !showsProgress(state);
    g.setColour(juce::Colours::white.withAlpha(quiet ? 0.12f : 0.05f));
    g.strokePath(outline, juce::PathStrokeType(juce::jmax(0.8f * state.scale, 1.0f)));
    if (state.hovered && state.enabled && !state.pressed)
    {
        g.setColour(juce::Colours::white.withAlpha(hoverVeilAlpha));
        g.fillRect(face);
    }
}
} // namespace

juce::Rectangle<float> learnFaceArea(juce::Rectangle<float> bounds, const LearnFaceState& state)
{
    return bounds.reduced(state.groove * state.scale);
}

float learnFaceCorner(juce::Rectangle<float> face, const LearnFaceState& state)
{
    return juce::jmin(0.5f * face.getHeight(), juce::jmax(state.cornerRadius - state.groove, 0.0f) * state.scale);
}

void paintLearnFace(juce::Graphics& g, juce::Rectangle<float> bounds, const LearnFaceState& state)
{
    const auto face = learnFaceArea(bounds, state);
    if (face.isEmpty())
        return;
    const auto corner = learnFaceCorner(face, state);
    juce::Path outline;
    outline.addRoundedRectangle(face, corner);

    const juce::Graphics::ScopedSaveState clip(g);
    g.reduceClipRegion(outline);

    const auto listening = showsProgress(state);
    g.setGradientFill(juce::ColourGradient(listening ? listeningFaceTop : faceTop, 0.0f, face.getY(),
                                           listening ? listeningFaceBottom : faceBottom, 0.0f, face.getBottom(),
                                           false));
    g.fillRect(face);
    paintLitLook(g, face, state);
    paintInnerShade(g, outline, face, state);
    paintHighlight(g, bounds, face, corner, state);
    paintOutline(g, outline, face, state);
}
} // namespace zq6::ui
