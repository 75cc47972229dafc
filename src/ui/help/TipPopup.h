#pragma once

#include "../shell/UiContext.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace zq6::ui
{
// The help panel shown while a knob or an EQ point is held. It never takes clicks; the owner that
// showed it is the one that hides it.
class TipPopup : public juce::Component
{
public:
    explicit TipPopup(const UiContext& context);

    // Stores the texts and sizes the popup to them; place() makes it visible.
    void show(juce::Component* newOwner, const juce::String& heading, const juce::String& body,
              const juce::String& hint, const juce::String& extra);
    // Keeps the rectangle inside the parent (moved left or up, shrunk to fit), then shows the popup in front.
    void place(juce::Rectangle<int> area);
    void hide();

    juce::Component* owner() const noexcept { return currentOwner.getComponent(); }
    const juce::String& getHeading() const noexcept { return heading; }
    const juce::String& getExtra() const noexcept { return extra; }

    void paint(juce::Graphics& g) override;

private:
    struct Line
    {
        juce::String text;
        juce::Font font;
        juce::Colour colour;
        const char* callSite;
    };

    std::vector<Line> lines() const;
    juce::TextLayout layoutBody(float width) const;
    float textWidth() const;
    float lineStep(const juce::Font& font) const;

    const UiContext& context;
    juce::Component::SafePointer<juce::Component> currentOwner;
    juce::String heading, body, hint, extra;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(TipPopup)
};
} // namespace zq6::ui
