#pragma once

#include "BakeCanvas.h"

#include <ui/shell/LayoutItem.h>

// Captions printed on the front: Inter at a size in layout units, with letter spacing, centred
// vertically on the cap height; display inks get a faint phosphor halo, printed inks a hairline shadow.
class PrintedText
{
public:
    PrintedText(juce::Typeface::Ptr regular, juce::Typeface::Ptr bold);

    // Prints the item's "text" in its rectangle with its "px", "spacing", "bold", "align" and "tone";
    // without an "align" the text is centred when `centredByDefault` is set.
    void print(BakeCanvas& canvas, const zq6::ui::LayoutItem& item, bool centredByDefault = false) const;
    // Prints `text` left-aligned from `area`'s left edge, or centred in it.
    void print(BakeCanvas& canvas, const juce::String& text, juce::Rectangle<float> area, float px, float spacing,
               bool bold, bool centred, const juce::String& tone) const;

    // Advance width of the text without its trailing letter spacing, in layout units.
    float width(const juce::String& text, float px, float spacing, bool bold) const;

private:
    juce::Font font(float px, float spacing, bool bold) const;

    juce::Typeface::Ptr regularFace;
    juce::Typeface::Ptr boldFace;
};
