#pragma once

#include <juce_graphics/juce_graphics.h>

namespace quil::update
{
struct NoticeColours
{
    juce::Colour background;
    juce::Colour outline;
    juce::Colour text;
    juce::Colour cross;
};

// Where the notice sits in its parent and where its parts sit inside it, in pixels.
struct NoticeGeometry
{
    juce::Rectangle<int> bounds;
    juce::Rectangle<int> closeBox;
    juce::Rectangle<int> textArea;
    float cornerRadius = 0.0f;
    float fontHeight = 0.0f;
    float crossInset = 0.0f;
};

enum class NoticeClick
{
    outside,
    closeBox,
    page
};

constexpr float noticeOutlineThickness = 1.0f;
constexpr float noticeCrossThickness = 1.5f;

NoticeColours defaultNoticeColours();
// The editor header's colours, which replace the defaults there.
NoticeColours headerNoticeColours();

juce::String noticeText(const juce::String& version);

// The editor's scale: parent width over design width when the editor scales, else 1.
float noticeScale(int parentWidth, int designWidth, bool editorScales);
NoticeGeometry noticeGeometry(int parentWidth, float scale);

// What a mouse-up at a point in the notice's own coordinates means.
NoticeClick noticeClickAt(juce::Point<int> point, const NoticeGeometry& geometry);
} // namespace quil::update
