#pragma once

#include <juce_graphics/juce_graphics.h>

#include <array>

namespace quil::help
{
// Where the feedback form's parts sit in the editor, in pixels.
struct FeedbackLayout
{
    juce::Rectangle<int> panel;
    juce::Rectangle<int> title;
    juce::Rectangle<int> closeButton;
    std::array<juce::Rectangle<int>, 3> categoryButtons;
    juce::Rectangle<int> textEditor;
    juce::Rectangle<int> statusLine;
    juce::Rectangle<int> privacyNote;
    int privacyNoteLineHeight = 0;
    juce::Rectangle<int> sendButton;
    juce::Rectangle<int> cancelButton;
};

// The panel's inner width, to which the privacy note is wrapped.
int feedbackInnerWidth(float scale);

// The panel centred in the editor, tall enough for the privacy note's lines (at least one).
FeedbackLayout feedbackLayout(juce::Rectangle<int> editor, float scale, int privacyNoteLines);
} // namespace quil::help
