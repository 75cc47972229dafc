#pragma once

#include <functional>

namespace zq6::ui
{
// What the header caps and the undo shortcuts need of the processor's slots and settings history.
// A function left empty reads as slot A, nothing to undo or redo, and a click that does nothing.
struct SlotHistoryActions
{
    std::function<int()> activeSlot;
    std::function<bool()> learnRunning;
    std::function<bool()> canUndo;
    std::function<bool()> canRedo;
    std::function<void(int)> switchSlot;
    std::function<void()> copySlot;
    std::function<void(bool)> undoOrRedo;
};
} // namespace zq6::ui
