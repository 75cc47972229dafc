#pragma once

#include "../shell/UiContext.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace zq6::ui
{
// A button drawn over the printed background in one of five styles: the Wet EQ shape chip, the
// Delta buttons, the Learn panel's display windows, the header's round help cap and the Learn
// button.
class GlassButton : public juce::Button
{
public:
    enum class Style
    {
        chip = 0,
        delta = 1,
        window = 2,
        roundCap = 3,
        learn = 4
    };

    // A toggling button flips its toggle state on each click.
    GlassButton(const UiContext& context, Style style, const juce::String& caption, bool toggles);

    Style getStyle() const noexcept { return style; }

    void setCaption(const juce::String& newText);
    const juce::String& getCaption() const noexcept { return caption; }
    // Display window: the small key label and the value below it.
    void setKey(const juce::String& newText);
    void setValue(const juce::String& newText);
    const juce::String& getKey() const noexcept { return key; }
    const juce::String& getValue() const noexcept { return value; }
    // What a screen reader reads as the value; the value text of a window when empty.
    void setAccessibleValue(const juce::String& newText) { accessibleValue = newText; }
    juce::String accessibleValueText() const;

    // Learn button: the status line under the caption, the listening progress (below 0 for none)
    // and the lit look after a finished Learn.
    void setStatus(const juce::String& newText);
    void setProgress(float newProgress);
    void setLearned(bool isLearned);
    const juce::String& getStatus() const noexcept { return status; }
    float getProgress() const noexcept { return progress; }
    bool isLearned() const noexcept { return learned; }

    // The layout item the button sits on: a window's ".key" and ".value" texts, the Learn button's
    // corner radius, groove and ".title", ".status" and ".single" texts are read from it.
    void setLayoutId(const juce::String& id);

    void paintButton(juce::Graphics& g, bool isHighlighted, bool isDown) override;
    void resized() override;
    std::unique_ptr<juce::AccessibilityHandler> createAccessibilityHandler() override;

private:
    // Text rectangles in the button's own pixels.
    struct TextAreas
    {
        juce::Rectangle<float> key, value, title, status, single;
    };

    // Stores a changed text and repaints.
    void showText(juce::String& shown, const juce::String& newText);
    void paintChip(juce::Graphics& g, bool isHighlighted, bool isDown);
    void paintDelta(juce::Graphics& g, bool isHighlighted, bool isDown);
    void paintWindow(juce::Graphics& g);
    void paintRoundCap(juce::Graphics& g, bool isHighlighted, bool isDown);
    void paintLearn(juce::Graphics& g, bool isHighlighted, bool isDown);
    void paintVeil(juce::Graphics& g, const juce::Path& shape, bool isHighlighted, bool isDown);
    juce::Rectangle<float> layoutArea(const juce::String& suffix) const;
    float textOpacity() const;

    const UiContext& context;
    const Style style;
    juce::String caption, key, value, accessibleValue, status;
    float progress = -1.0f;
    bool learned = false;
    juce::String layoutId;
    TextAreas areas;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(GlassButton)
};
} // namespace zq6::ui
