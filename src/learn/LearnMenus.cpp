#include "LearnMenus.h"

#include "SourcePresets.h"

namespace zq6::learnmenus
{
namespace
{
// Items numbered 1 to count stand for the indices 0 to count - 1.
std::optional<int> indexFor(int menuResult, int count)
{
    if (menuResult < 1 || menuResult > count)
        return std::nullopt;
    return menuResult - 1;
}
} // namespace

int sourceId(int group, int entry)
{
    return group * sourceEntrySlots + entry + 1;
}

SourceMenuAction sourceAction(int menuResult)
{
    if (menuResult == initId)
        return { SourceMenuAction::Kind::init };
    if (menuResult < 1 || menuResult > sourceGroupCount * sourceEntrySlots)
        return {};
    const auto group = (menuResult - 1) / sourceEntrySlots;
    const auto entry = (menuResult - 1) % sourceEntrySlots;
    if (entry >= sourceEntryCount(group))
        return {};
    return { SourceMenuAction::Kind::source, group, entry };
}

int characterId(int choice)
{
    return choice + 1;
}

std::optional<int> characterChoiceFor(int menuResult)
{
    return indexFor(menuResult, 5);
}

juce::String characterName(int character)
{
    return characterNames[character >= room && character <= plate ? character : hall];
}

juce::String characterChoiceText(int choice, int autoCharacter)
{
    if (choice >= 1 && choice <= 4)
        return characterName(choice - 1);
    return "Auto (" + characterName(autoCharacter) + ")";
}

int modeId(int mode)
{
    return mode + 1;
}

std::optional<int> modeFor(int menuResult)
{
    return indexFor(menuResult, 2);
}

juce::String sourceLabel(int group)
{
    return juce::String("Source ") + juce::String(juce::CharPointer_UTF8("\xc2\xb7")) + " "
         + sourceGroupNames[foldSourceGroup(group)];
}

juce::String sourceEntryName(int group, int entry)
{
    return sourcePreset(group, entry).name;
}
} // namespace zq6::learnmenus
