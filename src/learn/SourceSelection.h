#pragma once

namespace zq6
{
inline constexpr int sourceGroupCount = 7;
// Entries per Source group, in menu order.
inline constexpr int sourceEntryCounts[sourceGroupCount] = { 3, 2, 4, 2, 3, 2, 3 };
inline constexpr int characterChoiceCount = 5;

// The chosen Source (group, entry) and Character choice (0 Auto, 1 Room, 2 Hall, 3 Chamber, 4 Plate).
struct SourceSelection
{
    int group = 0;
    int entry = 0;
    int character = 0;

    bool operator==(const SourceSelection& other) const noexcept
    {
        return group == other.group && entry == other.entry && character == other.character;
    }
    bool operator!=(const SourceSelection& other) const noexcept { return !(*this == other); }

    bool isValid() const noexcept
    {
        return group >= 0 && group < sourceGroupCount && entry >= 0 && entry < sourceEntryCounts[group]
            && character >= 0 && character < characterChoiceCount;
    }
};
} // namespace zq6
