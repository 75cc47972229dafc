#include "HeaderCaps.h"

#include "../help/HelpTable.h"

namespace zq6::ui
{
HeaderCaps::HeaderCaps(const UiContext& uiContext, SlotHistoryActions slotHistory)
    : context(uiContext), actions(std::move(slotHistory))
{
    setName("Settings history");
    caps[slotA] = std::make_unique<CapButton>(context, "A", "A", true);
    caps[slotB] = std::make_unique<CapButton>(context, "B", "B", true);
    caps[copy] = std::make_unique<CapButton>(context, "A>B", "A>B", false);
    caps[undo] = std::make_unique<CapButton>(context, "Undo", juce::String(), false);
    caps[redo] = std::make_unique<CapButton>(context, "Redo", juce::String(), false);
    for (auto& c : caps)
        addAndMakeVisible(*c);
    applyHelp(*this, "ui.panelHeader");
    for (auto [index, key] : { std::pair { slotA, "ui.slotA" }, std::pair { slotB, "ui.slotB" },
                               std::pair { undo, "ui.undo" }, std::pair { redo, "ui.redo" } })
        showHelp(*caps[static_cast<size_t>(index)], key);

    caps[slotA]->onClick = [this] {
        if (actions.switchSlot)
            actions.switchSlot(0);
        refresh();
    };
    caps[slotB]->onClick = [this] {
        if (actions.switchSlot)
            actions.switchSlot(1);
        refresh();
    };
    caps[copy]->onClick = [this] {
        if (actions.copySlot)
            actions.copySlot();
        refresh();
    };
    caps[undo]->onClick = [this] { undoOrRedo(true); };
    caps[redo]->onClick = [this] { undoOrRedo(false); };
    refresh();
}

void HeaderCaps::undoOrRedo(bool undoStep)
{
    if (actions.undoOrRedo)
        actions.undoOrRedo(undoStep);
    refresh();
}

bool HeaderCaps::learnRunning() const
{
    return actions.learnRunning && actions.learnRunning();
}

void HeaderCaps::refresh()
{
    const auto slot = actions.activeSlot ? actions.activeSlot() : 0;
    const auto learning = learnRunning();
    caps[slotA]->setToggleState(slot == 0, juce::dontSendNotification);
    caps[slotB]->setToggleState(slot == 1, juce::dontSendNotification);
    const juce::String copyCaption(slot == 1 ? "B>A" : "A>B");
    if (caps[copy]->getCaption() != copyCaption || caps[copy]->getTooltip().isEmpty())
    {
        caps[copy]->setCaption(copyCaption);
        showHelp(*caps[copy], slot == 1 ? "ui.copyBtoA" : "ui.copyAtoB");
    }

    for (auto index : { slotA, slotB, copy })
        caps[static_cast<size_t>(index)]->setEnabled(!learning);
    caps[undo]->setEnabled(!learning && actions.canUndo && actions.canUndo());
    caps[redo]->setEnabled(!learning && actions.canRedo && actions.canRedo());
}

void HeaderCaps::showHelp(CapButton& cap, const char* key)
{
    applyHelp(cap, key);
    cap.setTooltip(tooltipText(key));
}

const char* HeaderCaps::layoutIdOf(int index) noexcept
{
    static const char* const ids[capCount] = { "header.ab.a", "header.ab.b", "header.ab.copy", "header.undo",
                                               "header.redo" };
    return ids[index];
}

juce::Rectangle<int> HeaderCaps::rowBounds() const
{
    juce::Rectangle<int> row;
    for (int i = 0; i < capCount; ++i)
    {
        const auto r = context.layout->scaledRect(layoutIdOf(i), context.scale);
        if (!r.isEmpty())
            row = row.isEmpty() ? r : row.getUnion(r);
    }
    return row;
}

void HeaderCaps::resized()
{
    const auto origin = rowBounds().getPosition();
    for (int i = 0; i < capCount; ++i)
        caps[static_cast<size_t>(i)]->setBounds(context.layout->scaledRect(layoutIdOf(i), context.scale) - origin);
}
} // namespace zq6::ui
