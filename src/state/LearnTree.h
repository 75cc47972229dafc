#pragma once

#include "../learn/LearnRecord.h"

#include <juce_data_structures/juce_data_structures.h>

namespace zq6
{
namespace learnids
{
inline const juce::Identifier element { "ZQ6LEARN" };
inline const juce::Identifier version { "v" };
inline const juce::Identifier mode { "mode" };
inline constexpr int currentVersion = 1;
} // namespace learnids

// The stored Learn result with the insert/send mode, as a saved state holds them.
struct LoadedLearn
{
    int mode = 0;
    LearnRecord record;
};

// The ZQ6LEARN element: "v", "mode", then every stored field of the record as number text.
juce::ValueTree writeLearnTree(int mode, const LearnRecord& record);

// Reads a ZQ6LEARN element. A result that is incomplete or out of range gives a fresh record (the
// mode is still read); the fields that are not required are clamped into range. No element: Insert
// and a fresh record.
LoadedLearn readLearnTree(const juce::ValueTree& element);
} // namespace zq6
