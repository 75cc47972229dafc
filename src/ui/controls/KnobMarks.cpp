#include "KnobMarks.h"

#include "../shell/CacheKey.h"
#include "../shell/GlassLookAndFeel.h"
#include "../shell/Palette.h"

#include <cmath>

namespace zq6::ui
{
namespace
{
constexpr float litTolerance = 0.000001f;
constexpr double keySteps = 2000.0;

// A bar along the radius at `angleDeg`, from radius `inner` to `outer`.
juce::Path radialBar(juce::Point<float> centre, float angleDeg, float inner, float outer, float width, float corner)
{
    juce::Path bar;
    bar.addRoundedRectangle(inner, -0.5f * width, outer - inner, width, corner);
    bar.applyTransform(juce::AffineTransform::rotation(-juce::degreesToRadians(angleDeg)).translated(centre));
    return bar;
}

std::int64_t keyStep(float proportion)
{
    return static_cast<std::int64_t>(std::llround(static_cast<double>(proportion) * keySteps));
}

juce::Colour unlitTickColour()
{
    return palette::accent.withMultipliedBrightness(0.28f).withMultipliedSaturation(0.9f);
}
} // namespace

KnobMarks::KnobMarks(const UiContext& uiContext) : context(uiContext)
{
}

std::vector<bool> KnobMarks::litTicks(int ticks, const Scene& scene)
{
    std::vector<bool> lit(static_cast<size_t>(juce::jmax(0, ticks)));
    const auto from = scene.centre ? juce::jmin(scene.value, *scene.centre) - litTolerance : -1.0f;
    const auto to = (scene.centre ? juce::jmax(scene.value, *scene.centre) : scene.value) + litTolerance;
    for (int i = 0; i < ticks; ++i)
    {
        const auto t = ticks > 1 ? static_cast<float>(i) / static_cast<float>(ticks - 1) : 0.0f;
        lit[static_cast<size_t>(i)] = t >= from && t <= to;
    }
    return lit;
}

std::uint64_t KnobMarks::keyFor(const Scene& scene, juce::Point<int> size, float pixelScale) noexcept
{
    return cacheKey({ keyStep(scene.value), scene.suggestion ? keyStep(*scene.suggestion) + 1 : 0, size.x, size.y,
                      static_cast<std::int64_t>(std::llround(static_cast<double>(pixelScale) * 100.0)) });
}

void KnobMarks::paint(juce::Graphics& g, juce::Point<int> size, float bodyRadius, const Scene& scene, float opacity)
{
    if (size.x <= 0 || size.y <= 0)
        return;
    const auto pixelScale = g.getInternalContext().getPhysicalPixelScaleFactor();
    const auto newKey = keyFor(scene, size, pixelScale);
    if (!cache.isValid() || newKey != key)
    {
        render(size, pixelScale, bodyRadius, scene);
        key = newKey;
        ++renderings;
    }
    g.setOpacity(opacity);
    g.drawImage(cache, juce::Rectangle<int>({}, size).toFloat());
}

void KnobMarks::render(juce::Point<int> size, float pixelScale, float bodyRadius, const Scene& scene)
{
    const auto width = juce::jmax(1, juce::roundToInt(static_cast<float>(size.x) * pixelScale));
    const auto height = juce::jmax(1, juce::roundToInt(static_cast<float>(size.y) * pixelScale));
    cache = juce::Image(juce::Image::ARGB, width, height, true);
    juce::Graphics g(cache);
    g.addTransform(juce::AffineTransform::scale(static_cast<float>(width) / static_cast<float>(size.x),
                                                static_cast<float>(height) / static_cast<float>(size.y)));
    drawMarks(g, juce::Rectangle<int>({}, size).toFloat().getCentre(), bodyRadius, scene);
}

void KnobMarks::drawMarks(juce::Graphics& g, juce::Point<float> centre, float bodyRadius, const Scene& scene) const
{
    if (context.layout == nullptr)
        return;
    const auto style = KnobStyle::fromLayout(*context.layout);
    const auto r = bodyRadius;
    const auto tickLength = style.tickLength * r;
    const auto tickWidth = style.tickWidth * r;
    const auto tickRadius = style.tickRadius * r;

    juce::Path lit, unlit;
    const auto litFlags = litTicks(style.ticks, scene);
    for (size_t i = 0; i < litFlags.size(); ++i)
    {
        const auto t = style.ticks > 1 ? static_cast<float>(i) / static_cast<float>(style.ticks - 1) : 0.0f;
        const auto tick = radialBar(centre, style.angleOf(t), tickRadius - 0.5f * tickLength,
                                    tickRadius + 0.5f * tickLength, tickWidth, 0.0f);
        (litFlags[i] ? lit : unlit).addPath(tick);
    }
    g.setColour(unlitTickColour());
    g.fillPath(unlit);
    GlassLookAndFeel::glowFill(g, lit, palette::accent, context.glow, context.scale);

    const auto pointerWidth = style.pointerWidth * r;
    g.setColour(palette::pointer);
    g.fillPath(radialBar(centre, style.angleOf(scene.value), style.pointerInner * r, style.pointerOuter * r,
                         pointerWidth, 0.4f * pointerWidth));

    if (scene.suggestion)
    {
        const auto outer = tickRadius + 0.5f * tickLength;
        const auto marker = radialBar(centre, style.angleOf(*scene.suggestion), outer - 1.9f * tickLength, outer,
                                      1.6f * tickWidth, 0.5f * tickWidth);
        GlassLookAndFeel::glowFill(g, marker, palette::suggestion, context.glow, context.scale);
    }
}
} // namespace zq6::ui
