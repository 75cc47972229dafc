#include "DialogTextEditor.h"

namespace quil::ui
{
namespace
{
constexpr float textSize = 13.0f;
constexpr float indent = 2.0f;
constexpr float border = 4.0f;
constexpr juce::uint8 selectionAlpha = 115;
constexpr juce::uint8 outlineAlpha = 178;
} // namespace

DialogTextEditor::DialogTextEditor(const DialogStyle& dialogStyle, const juce::String& placeholderText)
    : style(dialogStyle), placeholder(placeholderText)
{
    setMultiLine(true, true);
    setReturnKeyStartsNewLine(true);
    setScrollbarsShown(true);
    setEscapeAndReturnKeysConsumed(false);
    setExplicitFocusOrder(1);
    applyStyle();
}

void DialogTextEditor::applyStyle()
{
    setColour(backgroundColourId, style.field);
    setColour(textColourId, style.text);
    setColour(highlightColourId, style.accent.withAlpha(selectionAlpha));
    setColour(highlightedTextColourId, style.text);
    setColour(outlineColourId, style.accent.withAlpha(outlineAlpha));
    setColour(focusedOutlineColourId, style.accent);
    setColour(juce::CaretComponent::caretColourId, style.text);
    setFont(style.font(textSize));
    applyFontToAllText(getFont());
    setIndents(juce::roundToInt(style.px(indent)), juce::roundToInt(style.px(indent)));
    setBorder(juce::BorderSize<int>(juce::roundToInt(style.px(border))));
    setTextToShowWhenEmpty(placeholder, style.softText.withMultipliedAlpha(0.5f));
}
} // namespace quil::ui
