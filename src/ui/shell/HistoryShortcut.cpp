#include "HistoryShortcut.h"

namespace zq6::ui
{
HistoryShortcut historyShortcutFor(const juce::KeyPress& key)
{
    const auto modifiers = key.getModifiers();
    if (!modifiers.isCommandDown())
        return HistoryShortcut::none;
    const auto letter = juce::CharacterFunctions::toUpperCase(static_cast<juce::juce_wchar>(key.getKeyCode()));
    if (letter == 'Z')
        return modifiers.isShiftDown() ? HistoryShortcut::redo : HistoryShortcut::undo;
    if (letter == 'Y')
        return HistoryShortcut::redo;
    return HistoryShortcut::none;
}
} // namespace zq6::ui
