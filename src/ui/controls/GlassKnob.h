#pragma once

#include "KnobDrag.h"
#include "KnobMarks.h"
#include "KnobOptions.h"
#include "KnobReadout.h"
#include "KnobTitleHit.h"
#include "KnobWindowHit.h"
#include "../shell/UiContext.h"

#include "../../../plugin-common/DoubleClickValueEntry.h"
#include "../../params/LearnSuggestions.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <memory>

namespace zq6::ui
{
// The rotary control of a continuous parameter. The glass body is printed in the background; the
// knob draws the lit tick ring, the pointer and the value Learn suggests, and brings three
// companions that its panel places: the readout in the display window, a hit area over that window
// for typing a value, and a hit area over the printed title. Pressing it shows its help popup.
class GlassKnob : public juce::Slider
{
public:
    // The parameters whose knobs can show a suggestion, in the order of the Learn suggestions.
    static constexpr const auto& suggestionIds = learnSuggestionIds;
    static constexpr float disabledOpacity = 0.45f;
    static constexpr float baseDragDistance = 160.0f;
    static constexpr float deadZone = 3.0f;

    GlassKnob(const UiContext& context, juce::AudioProcessorValueTreeState& parameters,
              const juce::String& parameterId, const juce::String& layoutId, const juce::String& fallbackTitle,
              KnobOptions options = {});
    ~GlassKnob() override;

    // Adds the knob and its three companions to the panel.
    void addTo(juce::Component& panel);
    // Places the knob and its companions from the layout; `panelOrigin` is the panel's scaled position.
    void place(juce::Point<int> panelOrigin);

    // Shows `value` (parameter units) instead of the parameter's; the panel disables a fixed knob.
    void setFixed(float value);
    void clearFixed();
    bool isFixed() const noexcept { return fixed; }

    void setSuggestion(bool present, float value);
    // A suggestion is present, the knob is not fixed, and the suggestion differs from the value.
    bool showsSuggestion() const;
    int getSuggestionIndex() const noexcept { return suggestionIndex; }

    // The value shown: the fixed value while fixed, else the slider's.
    double shownValue() const noexcept { return fixed ? static_cast<double>(fixedValue) : getValue(); }
    // The shown value's text, without unit.
    juce::String displayText();
    // The suggested value's text with its unit.
    juce::String suggestionText();
    // The text followed by the unit, attached or after a space.
    juce::String withUnit(const juce::String& text) const;

    void openValueEntry();
    bool isEditingValue() const noexcept { return valueEntry != nullptr && valueEntry->isOpen(); }
    quil::ui::DoubleClickValueEntry* getValueEntry() noexcept { return valueEntry.get(); }

    // Hides the help popup when this knob shows it.
    void closeHelp();
    bool showsHelp() const;

    const UiContext& getContext() const noexcept { return context; }
    const juce::String& getLayoutId() const noexcept { return layoutId; }
    const juce::String& getUnit() const noexcept { return unit; }
    const KnobOptions& getOptions() const noexcept { return options; }
    const KnobMarks& getMarks() const noexcept { return marks; }
    KnobReadout& getReadout() noexcept { return readout; }
    KnobWindowHit& getWindowHit() noexcept { return windowHit; }
    KnobTitleHit& getTitleHit() noexcept { return titleHit; }
    // The body printed in the background: the layout item's size, centred in the knob.
    juce::Rectangle<int> bodyBounds() const;

    // Empty while a mouse button is down, while fixed, while the help popup or the value entry shows.
    juce::String getTooltip() override;

    void mouseDown(const juce::MouseEvent& event) override;
    void mouseDrag(const juce::MouseEvent& event) override;
    void mouseUp(const juce::MouseEvent& event) override;
    void setVisible(bool shouldBeVisible) override;
    void paint(juce::Graphics& g) override;
    void resized() override;
    std::unique_ptr<juce::AccessibilityHandler> createAccessibilityHandler() override;
    void valueChanged() override;

    class AccessibleValue;

private:
    KnobMarks::Scene scene();
    float proportionOf(double value);
    void showHelp();
    juce::Rectangle<int> helpArea(juce::Rectangle<int> popupSize) const;
    quil::ui::DoubleClickValueEntry::Callbacks valueEntryCallbacks();
    juce::Range<double> typedRange();
    void commitTyped(double number);
    void setValueAsGesture(double value);

    const UiContext& context;
    const juce::String layoutId;
    const KnobOptions options;
    juce::RangedAudioParameter& parameter;
    const juce::String unit;
    const int suggestionIndex;
    bool hasSuggestion = false;
    float suggestedValue = 0.0f;
    bool fixed = false;
    float fixedValue = 0.0f;
    bool pressed = false;
    KnobDrag drag;
    KnobMarks marks;
    KnobReadout readout { *this };
    KnobWindowHit windowHit { *this };
    KnobTitleHit titleHit { *this };
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> attachment;
    std::unique_ptr<quil::ui::DoubleClickValueEntry> valueEntry;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(GlassKnob)
};
} // namespace zq6::ui
