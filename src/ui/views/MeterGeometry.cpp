#include "MeterGeometry.h"

#include "../shell/LayoutNumbers.h"

#include <cmath>

namespace zq6::ui
{
namespace
{
constexpr auto meterId = "outlet.meter";
constexpr float clickMargin = 4.0f;

juce::Rectangle<float> relativeRect(const Layout& layout, const char* id, const LayoutItem& meter)
{
    const auto& item = layout.item(id);
    return { item.x - meter.x, item.y - meter.y, item.w, item.h };
}
} // namespace

MeterGeometry MeterGeometry::fromLayout(const Layout& layout)
{
    MeterGeometry g;
    const auto& meter = layout.item(meterId);
    if (meter.id.isEmpty())
        return g;

    g.barWidth = meter.number("barW");
    g.barGap = meter.number("barGap");
    g.segmentHeight = meter.number("segH");
    g.segmentGap = meter.number("segGap");
    g.segmentTop = meter.number("segTop");
    g.segmentBottom = meter.h - meter.number("segBottomPad");
    const auto& columns = meter.props["columns"];
    for (int side = 0; side < 2; ++side)
        g.columns[static_cast<size_t>(side)] = isLayoutNumber(columns[side]) ? static_cast<float>(columns[side]) : 0.0f;
    g.segmentCount = countFor(g.segmentTop, g.segmentBottom, g.segmentHeight, g.segmentGap);
    g.peakText = { relativeRect(layout, "outlet.meter.in.peak", meter), relativeRect(layout, "outlet.meter.out.peak", meter) };
    g.lamp = { relativeRect(layout, "outlet.meter.in.lamp", meter), relativeRect(layout, "outlet.meter.out.lamp", meter) };
    return g;
}

int MeterGeometry::countFor(float top, float bottom, float height, float gap)
{
    const auto pitch = height + gap;
    // A missing pitch would divide by zero; one segment still draws something sane.
    if (!(pitch > 0.0f))
        return 1;
    const auto count = std::trunc((bottom - top) / pitch);
    return count >= 1.0f ? static_cast<int>(juce::jmin(count, 10000.0f)) : 1;
}

juce::Rectangle<float> MeterGeometry::segment(int bar, int j) const
{
    const auto x = columns[static_cast<size_t>(bar / 2)] + static_cast<float>(bar % 2) * (barWidth + barGap);
    const auto y = segmentBottom - (segmentHeight + segmentGap) * static_cast<float>(j + 1);
    return { x, y, barWidth, segmentHeight };
}

juce::Rectangle<float> MeterGeometry::clickArea(int side) const
{
    const auto i = static_cast<size_t>(side);
    return peakText[i].getUnion(lamp[i]).expanded(clickMargin, 0.0f);
}
} // namespace zq6::ui
