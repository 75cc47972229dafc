#pragma once

#include "../engine/CharacterVoicing.h"
#include "SourceSelection.h"

#include <algorithm>

namespace zq6
{
// How Learn starts for one kind of sound. Times in seconds, pre-delays in milliseconds, levels in dB.
struct SourcePreset
{
    const char* name;
    float listenSeconds;
    float defaultGapSeconds;
    float decayFactor;
    float decayMinSeconds;
    float decayMaxSeconds;
    float preDelayFactor;
    float preDelayMinMs;
    float preDelayMaxMs;
    float lowCutHz;
    float lowRefDb;
    float brightness;
    float highRefDb;
    float erTrimDb;
    float sibilanceWeight;
    float breathWeight;
    float transientBase;
    float unmask;
    float size;
    int defaultCharacter;
    int reserved;
};

inline constexpr int sourceEntrySlots = 8;

inline constexpr const char* sourceGroupNames[sourceGroupCount] = {
    "Universal", "Vocal", "Drums", "Guitar", "Keys", "Strings / Pad", "Bus / Send",
};

// Slots beyond a group's entries are all zero (no name).
inline constexpr SourcePreset sourcePresets[sourceGroupCount][sourceEntrySlots] = {
    {
        { "Natural", 8, 0.5f, 1.5f, 0.4f, 4, 0.06f, 8, 60, 110, -5, 0.5f, -14, 0, 0.3f, 0.1f, 0.25f, 0.15f, 0.5f, hall, 0 },
        { "Subtle", 8, 0.5f, 1, 0.3f, 2.5f, 0.04f, 5, 40, 130, -5, 0.5f, -14, 0.8f, 0.3f, 0.1f, 0.25f, 0.1f, 0.4f, chamber, 0 },
        { "Lush", 8, 0.5f, 2.2f, 0.6f, 7, 0.06f, 8, 60, 100, -5, 0.475f, -14, -1.5f, 0.3f, 0.1f, 0.25f, 0.2f, 0.65f, hall, 0 },
    },
    {
        { "Lead", 8, 0.5f, 1.6f, 0.4f, 4, 0.08f, 10, 80, 120, -6, 0.5f, -16, -1.4f, 1, 1, 0.15f, 0.3f, 0.5f, plate, 0 },
        { "Backing", 8, 0.5f, 2, 0.5f, 5, 0.04f, 5, 50, 140, -6, 0.475f, -16, -2, 0.6f, 0.5f, 0.15f, 0.2f, 0.55f, hall, 0 },
    },
    {
        { "Full Kit", 8, 0.35f, 1, 0.2f, 2, 0.04f, 0, 30, 150, -3, 0.5f, -10, 1.6f, 0.4f, 0, 0.5f, 0.1f, 0.5f, room, 0 },
        { "Snare", 6, 0.3f, 0.9f, 0.2f, 1.8f, 0.03f, 0, 20, 180, -3, 0.525f, -10, 2.4f, 0.3f, 0, 0.6f, 0.1f, 0.4f, plate, 0 },
        { "Kick-Tom", 8, 0.4f, 0.8f, 0.2f, 1.5f, 0.02f, 0, 10, 200, -3, 0.475f, -10, 2, 0, 0, 0.6f, 0.15f, 0.35f, room, 0 },
        { "Perc", 8, 0.4f, 1.4f, 0.3f, 3, 0.04f, 0, 40, 160, -3, 0.5f, -10, 1, 0.5f, 0, 0.45f, 0.1f, 0.5f, chamber, 0 },
    },
    {
        { "Electric", 8, 0.5f, 1.5f, 0.4f, 4, 0.06f, 8, 60, 110, -5, 0.5f, -14, 0, 0.2f, 0, 0.25f, 0.15f, 0.5f, chamber, 0 },
        { "Acoustic", 8, 0.5f, 1.7f, 0.5f, 4.5f, 0.05f, 8, 60, 130, -5, 0.525f, -14, 0.5f, 0.3f, 0, 0.35f, 0.15f, 0.5f, hall, 0 },
    },
    {
        { "Piano", 8, 0.6f, 1.8f, 0.5f, 5, 0.06f, 8, 60, 100, -4, 0.5f, -16, 0, 0.1f, 0, 0.2f, 0.15f, 0.5f, hall, 0 },
        { "EP-Organ", 8, 0.6f, 1.6f, 0.4f, 4, 0.05f, 8, 50, 110, -4, 0.5f, -14, -0.5f, 0.1f, 0, 0.15f, 0.15f, 0.5f, chamber, 0 },
        { "Synth", 8, 0.6f, 2, 0.5f, 6, 0.05f, 8, 60, 120, -4, 0.475f, -14, 0.5f, 0.1f, 0, 0.3f, 0.15f, 0.55f, hall, 0 },
    },
    {
        { "Strings", 10, 1, 2.2f, 0.8f, 8, 0.05f, 10, 80, 100, -4, 0.5f, -18, -3.3f, 0.1f, 0.1f, 0.05f, 0.1f, 0.6f, hall, 0 },
        { "Pad", 10, 1, 2.6f, 1, 10, 0.04f, 10, 80, 100, -4, 0.475f, -18, -4, 0, 0, 0.05f, 0.05f, 0.65f, hall, 0 },
    },
    {
        { "Mix", 12, 0.5f, 1.4f, 0.4f, 4, 0.06f, 8, 60, 130, -4, 0.5f, -13, 0, 0.4f, 0.2f, 0.3f, 0.2f, 0.5f, hall, 0 },
        { "Vocal Bus", 10, 0.5f, 1.5f, 0.4f, 4, 0.07f, 8, 70, 130, -5, 0.5f, -14, -0.8f, 0.8f, 0.6f, 0.2f, 0.25f, 0.5f, plate, 0 },
        { "Drum Bus", 10, 0.4f, 1.1f, 0.2f, 2.5f, 0.03f, 0, 30, 150, -3, 0.5f, -11, 1.2f, 0.4f, 0, 0.45f, 0.12f, 0.45f, room, 0 },
    },
};

// The mix that a Source proposes, in the same shape as the presets.
inline constexpr float sourceMix[sourceGroupCount][sourceEntrySlots] = {
    { 0.3f, 0.18f, 0.4f },
    { 0.22f, 0.32f },
    { 0.18f, 0.25f, 0.12f, 0.22f },
    { 0.22f, 0.28f },
    { 0.25f, 0.22f, 0.3f },
    { 0.3f, 0.35f },
    { 0.15f, 0.2f, 0.15f },
};

constexpr int sourceEntryCount(int group)
{
    return group >= 0 && group < sourceGroupCount ? sourceEntryCounts[group] : 0;
}

// A group's entries are exactly its named rows.
constexpr bool presetRowsMatchEntryCounts()
{
    for (int g = 0; g < sourceGroupCount; ++g)
        for (int e = 0; e < sourceEntrySlots; ++e)
            if ((sourcePresets[g][e].name != nullptr) != (e < sourceEntryCounts[g]))
                return false;
    return true;
}
static_assert(presetRowsMatchEntryCounts());

inline constexpr int sourceCount = [] {
    int total = 0;
    for (int g = 0; g < sourceGroupCount; ++g)
        total += sourceEntryCount(g);
    return total;
}();

// Out-of-range Source indices are folded, never refused: a group outside 0 to 6 reads as 0, a negative
// entry as 0 and one past the group's last entry as the last entry.
constexpr int foldSourceGroup(int group)
{
    return group >= 0 && group < sourceGroupCount ? group : 0;
}

constexpr int foldSourceEntry(int foldedGroup, int entry)
{
    return std::clamp(entry, 0, sourceEntryCount(foldedGroup) - 1);
}

constexpr const SourcePreset& sourcePreset(int group, int entry)
{
    const auto g = foldSourceGroup(group);
    return sourcePresets[g][foldSourceEntry(g, entry)];
}
} // namespace zq6
