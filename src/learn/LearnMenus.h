#pragma once

#include <juce_core/juce_core.h>

#include <optional>

// Item ids and texts of the Source, Character and mode menus, and what a chosen id means.
namespace zq6::learnmenus
{
inline constexpr int initId = 998;

// Source entries are numbered group * 8 + entry + 1, so ids 1 to 56.
int sourceId(int group, int entry);

struct SourceMenuAction
{
    enum class Kind
    {
        nothing,
        init,
        source
    };
    Kind kind = Kind::nothing;
    int group = 0;
    int entry = 0;
};

// A dismissed menu (or an id of no entry) does nothing.
SourceMenuAction sourceAction(int menuResult);

// Character items are ids 1 to 5: Auto, Room, Hall, Chamber, Plate.
int characterId(int choice);
std::optional<int> characterChoiceFor(int menuResult);

// A Character's name; one outside 0 to 3 reads as Hall.
juce::String characterName(int character);

// "Auto (Hall)" for Auto, else the Character's name: the menu item and the panel's value.
juce::String characterChoiceText(int choice, int autoCharacter);

// Mode items: "Insert" id 1, "Send" id 2.
inline constexpr const char* modeNames[2] = { "Insert", "Send" };
int modeId(int mode);
std::optional<int> modeFor(int menuResult);

// The Learn panel's Source label ("Source · Drums") and value (the entry's name).
juce::String sourceLabel(int group);
juce::String sourceEntryName(int group, int entry);
} // namespace zq6::learnmenus
