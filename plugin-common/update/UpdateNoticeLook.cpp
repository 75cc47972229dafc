#include "UpdateNoticeLook.h"

namespace quil::update
{
namespace
{
int pixels(float length)
{
    return juce::roundToInt(length);
}
} // namespace

NoticeColours defaultNoticeColours()
{
    return { juce::Colour(0xf0202428), juce::Colour(0xff5a6670), juce::Colour(0xfff0f0f0), juce::Colour(0xffb8c0c8) };
}

NoticeColours headerNoticeColours()
{
    return { juce::Colour(0xf00e1a30), juce::Colours::white.withAlpha(static_cast<juce::uint8>(56)),
             juce::Colour(0xfff3f8fc), juce::Colour(0xf2deeaf5) };
}

juce::String noticeText(const juce::String& version)
{
    // A service that sends "v1.0.1" must not make the notice read "vv1.0.1".
    auto number = version.trim();
    if (number.startsWithChar('v') || number.startsWithChar('V'))
        number = number.substring(1);
    return "Update available - v" + number;
}

float noticeScale(int parentWidth, int designWidth, bool editorScales)
{
    if (!editorScales || designWidth <= 0)
        return 1.0f;
    return static_cast<float>(parentWidth) / static_cast<float>(designWidth);
}

NoticeGeometry noticeGeometry(int parentWidth, float scale)
{
    NoticeGeometry geometry;
    const auto width = pixels(220.0f * scale);
    const auto height = pixels(44.0f * scale);
    geometry.bounds = { parentWidth - pixels(8.0f * scale) - width, pixels(8.0f * scale), width, height };

    const auto closeSide = pixels(20.0f * scale);
    geometry.closeBox = { width - pixels(4.0f * scale) - closeSide, pixels(4.0f * scale), closeSide, closeSide };

    const auto textLeft = pixels(12.0f * scale);
    geometry.textArea = { textLeft, 0, juce::jmax(0, geometry.closeBox.getX() - 2 - textLeft), height };

    geometry.cornerRadius = 6.0f * scale;
    geometry.fontHeight = 13.0f * scale;
    geometry.crossInset = 5.0f * scale;
    return geometry;
}

NoticeClick noticeClickAt(juce::Point<int> point, const NoticeGeometry& geometry)
{
    if (!geometry.bounds.withZeroOrigin().contains(point))
        return NoticeClick::outside;
    return geometry.closeBox.contains(point) ? NoticeClick::closeBox : NoticeClick::page;
}
} // namespace quil::update
