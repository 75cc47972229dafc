#pragma once

#include "CapSlide.h"
#include "../shell/UiContext.h"

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace zq6::ui
{
// A row or column of mutually exclusive items, optionally bound to a choice or switch parameter:
// the unit toggles, the Stage view switch and the Unmask speed. Items sit on a grid (the
// default), on two raised segments, or at rectangles of the layout.
class ChoiceGroup : public juce::Component, public juce::SettableTooltipClient, private juce::Timer
{
public:
    // A glowing bar under the selected item's label; lengths in base units, the offset from the
    // label's centre to the bar's top centre.
    struct SelectionMark
    {
        float width = 0.0f;
        float height = 0.0f;
        juce::Point<float> offset;
    };

    // typeSize is the height of a grid row and sets the size of the labels.
    ChoiceGroup(const UiContext& context, const juce::StringArray& items, int columns, float typeSize);
    ~ChoiceGroup() override;

    // Two segments side by side with a sliding cap; padding, gap and radii from the layout item.
    void useSegments(const juce::String& layoutId);
    // Each item at its layout rectangle, relative to the group's own.
    void useItemRects(const juce::String& groupLayoutId, const juce::StringArray& itemLayoutIds);
    void setSelectionMark(SelectionMark mark);
    // The mark as the layout places it against one item's label.
    static SelectionMark markFromLayout(const Layout& layout, const juce::String& markId, const juce::String& labelId);

    // With notify, onChange hears of a change of the selection.
    void select(int index, bool notify);
    int getSelected() const noexcept { return selected; }
    int getHovered() const noexcept { return hovered; }
    // The parameter's choice index (or 0/1 for a switch) selects the item; a press writes it.
    void attach(juce::RangedAudioParameter& parameter);
    // Accessible title and description of the group and of each item, and the group's tooltip,
    // from the help table.
    void setHelp(const juce::String& helpKey, const juce::StringArray& itemHelpKeys);

    // Called when a press or the parameter changes the selection.
    std::function<void(int)> onChange;

    int getNumItems() const noexcept { return items.size(); }
    const juce::String& itemText(int index) const { return items.getReference(index); }
    juce::Rectangle<float> itemArea(int index) const;
    // The face the item texts are drawn in: bold, half the type size.
    juce::Font labelFont() const;
    // 0 on the first segment, 1 on the second, in between while sliding.
    float capPosition() const noexcept { return slide.position(); }

    void paint(juce::Graphics& g) override;
    void resized() override;
    void mouseEnter(const juce::MouseEvent& event) override;
    void mouseMove(const juce::MouseEvent& event) override;
    void mouseExit(const juce::MouseEvent& event) override;
    void mouseDown(const juce::MouseEvent& event) override;
    std::unique_ptr<juce::AccessibilityHandler> createAccessibilityHandler() override;

    // One item as screen readers see it: a radio button that selects the item when pressed.
    class AccessItem : public juce::Component
    {
    public:
        AccessItem(ChoiceGroup& group, int index);
        std::unique_ptr<juce::AccessibilityHandler> createAccessibilityHandler() override;

        class Handler : public juce::AccessibilityHandler
        {
        public:
            explicit Handler(AccessItem& item);
            juce::AccessibleState getCurrentState() const override;

        private:
            AccessItem& item;
        };

    private:
        ChoiceGroup& group;
        const int index;
    };

private:
    enum class Geometry
    {
        grid,
        segments,
        itemRects
    };

    struct Segments
    {
        float pad = 0.0f, gap = 0.0f, capRadius = 0.0f, radius = 0.0f;
    };

    // A press on an item, or an accessible press.
    void choose(int index);
    void placeCap(bool animate);
    void timerCallback() override;
    int itemAt(juce::Point<float> point) const;
    void setHovered(int index);
    std::vector<juce::Rectangle<float>> gridAreas() const;
    std::vector<juce::Rectangle<float>> segmentAreas() const;
    std::vector<juce::Rectangle<float>> layoutAreas() const;
    float opacity() const;
    void paintCap(juce::Graphics& g, float alpha) const;
    void paintMark(juce::Graphics& g, float alpha) const;
    juce::Colour textColour(int index) const;

    const UiContext& context;
    const juce::StringArray items;
    const int columns;
    const float typeSize;
    Geometry geometry = Geometry::grid;
    Segments segments;
    juce::String groupLayoutId;
    juce::StringArray itemLayoutIds;
    std::vector<juce::Rectangle<float>> areas;
    std::vector<std::unique_ptr<AccessItem>> accessItems;
    std::optional<SelectionMark> mark;
    std::unique_ptr<juce::ParameterAttachment> attachment;
    CapSlide slide;
    int selected = 0;
    int hovered = -1;
    bool everSelected = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ChoiceGroup)
};
} // namespace zq6::ui
