#include "BandsView.h"

#include "../shell/GlassLookAndFeel.h"
#include "../shell/Palette.h"

#include <algorithm>
#include <cmath>

namespace zq6::ui
{
namespace
{
constexpr auto bandsId = "clean.bands.fill";
constexpr float fullScaleDb = 24.0f;
constexpr float riseShare = 0.6f;
constexpr float fallShare = 0.25f;
constexpr float snapDistance = 0.004f;
constexpr float visibleMove = 0.002f;
constexpr float insetUnits = 4.0f;
constexpr float shortestBarPixels = 0.5f;
constexpr juce::uint8 barAlpha = 230;

float bandsNumber(const UiContext& context, const char* key)
{
    return context.layout != nullptr ? context.layout->number(bandsId, key) : 0.0f;
}

float approach(float shown, float target)
{
    const auto next = shown + (target - shown) * (target > shown ? riseShare : fallShare);
    return std::abs(target - next) <= snapDistance ? target : next;
}
} // namespace

BandsView::BandsView(const UiContext& uiContext)
    : context(uiContext), gap(bandsNumber(uiContext, "gap")), barRatio(bandsNumber(uiContext, "barRatio"))
{
    setInterceptsMouseClicks(false, false);
}

void BandsView::update(const Reductions& reductionsDb)
{
    auto moved = false;
    for (size_t j = 0; j < values.size(); ++j)
    {
        // Written so that a NaN reduction reads as none.
        const auto r = reductionsDb[j];
        const auto target = r > 0.0f ? std::min(r / fullScaleDb, 1.0f) : 0.0f;
        const auto next = approach(values[j], target);
        moved = moved || std::abs(next - values[j]) > visibleMove;
        values[j] = next;
    }
    if (moved)
        repaint();
}

juce::Rectangle<float> BandsView::innerArea() const
{
    return getLocalBounds().toFloat().reduced(insetUnits * context.scale);
}

juce::Rectangle<float> BandsView::barArea(int band) const
{
    const auto inner = innerArea();
    const auto g = gap * context.scale;
    const auto slot = (inner.getWidth() - static_cast<float>(bandCount - 1) * g) / static_cast<float>(bandCount);
    const auto width = slot * barRatio;
    const auto height = inner.getHeight() * shown(band);
    if (height < shortestBarPixels || width <= 0.0f)
        return {};
    const auto x = inner.getX() + static_cast<float>(band) * (slot + g) + (slot - width) * 0.5f;
    return { x, inner.getY(), width, height };
}

void BandsView::paint(juce::Graphics& g)
{
    const auto innerHalf = innerArea().getHeight() * 0.5f;
    juce::Path bars;
    for (int j = 0; j < bandCount; ++j)
    {
        const auto bar = barArea(j);
        if (bar.isEmpty())
            continue;
        const auto corner = 0.45f * std::min({ bar.getHeight() * 0.5f, bar.getWidth() * 0.5f, innerHalf });
        bars.addRoundedRectangle(bar.getX(), bar.getY(), bar.getWidth(), bar.getHeight(), corner, corner, false, false,
                                 true, true);
    }
    if (!bars.isEmpty())
        GlassLookAndFeel::glowFill(g, bars, palette::accent.withAlpha(barAlpha), context.glow, context.scale);
}
} // namespace zq6::ui
