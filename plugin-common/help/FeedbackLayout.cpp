#include "FeedbackLayout.h"

namespace quil::help
{
namespace
{
// Design lengths, scaled and rounded one by one.
struct Scaled
{
    float scale;
    int operator()(float length) const { return juce::roundToInt(length * scale); }
};
} // namespace

int feedbackInnerWidth(float scale)
{
    const Scaled px { scale };
    return px(460.0f) - 2 * px(26.0f);
}

FeedbackLayout feedbackLayout(juce::Rectangle<int> editor, float scale, int privacyNoteLines)
{
    const Scaled px { scale };
    const auto lines = juce::jmax(1, privacyNoteLines);
    const auto lineHeight = px(15.0f);
    const auto height = lines * lineHeight + px(56.0f) + px(28.0f) + 2 * px(10.0f) + px(150.0f) + px(6.0f)
                        + 2 * px(22.0f) + px(4.0f) + px(30.0f);

    FeedbackLayout layout;
    layout.panel = juce::Rectangle<int>(px(460.0f), height).withCentre(editor.getCentre());
    const auto inner = layout.panel.reduced(px(26.0f), 0).withHeight(0);
    const auto top = layout.panel.getY();

    layout.title = { inner.getX(), top + px(21.0f), inner.getWidth() - px(76.0f), px(18.0f) };
    layout.closeButton = { inner.getRight() - px(64.0f), top + px(16.0f), px(64.0f), px(28.0f) };

    const auto gap = px(8.0f);
    const auto buttonWidth = (inner.getWidth() - 2 * gap) / 3;
    auto y = top + px(56.0f);
    for (size_t i = 0; i < layout.categoryButtons.size(); ++i)
        layout.categoryButtons[i] = { inner.getX() + static_cast<int>(i) * (buttonWidth + gap), y, buttonWidth, px(28.0f) };

    y += px(28.0f) + px(10.0f);
    layout.textEditor = { inner.getX(), y, inner.getWidth(), px(150.0f) };
    y += px(150.0f) + px(6.0f);
    layout.statusLine = { inner.getX(), y, inner.getWidth(), px(22.0f) };
    y += px(22.0f) + px(4.0f);
    layout.privacyNote = { inner.getX(), y, inner.getWidth(), lines * lineHeight };
    layout.privacyNoteLineHeight = lineHeight;
    y += lines * lineHeight + px(10.0f);
    layout.sendButton = { inner.getRight() - px(100.0f), y, px(100.0f), px(30.0f) };
    layout.cancelButton = layout.sendButton.translated(-(px(100.0f) + gap), 0);
    return layout;
}
} // namespace quil::help
