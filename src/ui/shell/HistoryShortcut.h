#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zq6::ui
{
enum class HistoryShortcut
{
    none,
    undo,
    redo
};

// Ctrl (Cmd on macOS) with Z undoes, with Shift+Z or Y redoes; every other key is not ours.
HistoryShortcut historyShortcutFor(const juce::KeyPress& key);
} // namespace zq6::ui
