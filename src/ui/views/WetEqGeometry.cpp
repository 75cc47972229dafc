#include "WetEqGeometry.h"

#include <cmath>

namespace zq6::ui
{
namespace
{
constexpr double lowestHz = 20.0;
constexpr double highestHz = 20000.0;
constexpr double decades = 1000.0; // highest ÷ lowest
constexpr double gainRangeDb = 12.0;
constexpr double usedHalfHeight = 0.88;
} // namespace

WetEqGeometry WetEqGeometry::forSize(float componentWidth, float componentHeight, float s)
{
    WetEqGeometry g;
    g.scale = s;
    const auto inset = 2.4f * s;
    g.plot = { inset, inset, juce::jmax(0.0f, componentWidth - 2.0f * inset),
               juce::jmax(0.0f, componentHeight - 2.0f * inset) };
    g.x0 = g.plot.getX() + 28.0f * s;
    g.width = g.plot.getWidth() - 40.0f * s;
    g.y0 = 36.0f * s;
    g.height = g.plot.getHeight() + inset - 18.0f * s - 36.0f * s;
    return g;
}

float WetEqGeometry::xOf(double hz) const noexcept
{
    const auto c = std::log(juce::jlimit(lowestHz, highestHz, hz) / lowestHz) / std::log(decades);
    return x0 + static_cast<float>(c) * width;
}

double WetEqGeometry::frequencyAt(float x) const noexcept
{
    const auto c = juce::jlimit(0.0, 1.0, static_cast<double>(x - x0) / juce::jmax(width, 1.0f));
    return lowestHz * std::pow(decades, c);
}

float WetEqGeometry::yOf(double gainDb) const noexcept
{
    const auto g = juce::jlimit(-gainRangeDb, gainRangeDb, gainDb);
    return y0 + height / 2.0f - static_cast<float>(g / gainRangeDb * height / 2.0 * usedHalfHeight);
}

double WetEqGeometry::gainAt(float y) const noexcept
{
    const auto g = (y0 + height / 2.0f - y) / (height / 2.0 * usedHalfHeight) * gainRangeDb;
    return std::round(juce::jlimit(-gainRangeDb, gainRangeDb, g) * 10.0) / 10.0;
}
} // namespace zq6::ui
