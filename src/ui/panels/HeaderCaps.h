#pragma once

#include "../controls/CapButton.h"
#include "../shell/SlotHistoryActions.h"

#include <array>

namespace zq6::ui
{
// The header's row of caps: slot A, slot B, copy to the other slot, Undo and Redo.
class HeaderCaps : public juce::Component
{
public:
    HeaderCaps(const UiContext& context, SlotHistoryActions actions);

    // Steps the settings history back (undo) or forward, then shows the result.
    void undoOrRedo(bool undo);
    // Shows the active slot, the copy direction and what can be undone or redone.
    void refresh();

    // The union of the caps' rectangles at the current scale; each cap is placed inside it.
    juce::Rectangle<int> rowBounds() const;
    void resized() override;

    CapButton& cap(int index) noexcept { return *caps[static_cast<size_t>(index)]; }

    enum CapIndex
    {
        slotA,
        slotB,
        copy,
        undo,
        redo,
        capCount
    };

private:
    static const char* layoutIdOf(int index) noexcept;
    // The entry's accessible title and description, and its title and body as the tooltip.
    static void showHelp(CapButton& cap, const char* key);
    bool learnRunning() const;

    const UiContext& context;
    SlotHistoryActions actions;
    std::array<std::unique_ptr<CapButton>, capCount> caps;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(HeaderCaps)
};
} // namespace zq6::ui
