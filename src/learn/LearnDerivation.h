#pragma once

#include "LearnRecord.h"

#include <optional>

namespace zq6
{
// Character choices: 0 Auto, then the effective Characters 0 to 3 shifted by one.
inline constexpr int autoCharacterChoice = 0;

// The engine's voicing for a choice: a fixed Character, else the analysis's override (0 to 3),
// else the Source's default Character.
int effectiveCharacter(int choice, int group, int entry, int spaceOverride);

// The Character that Auto stands for.
int autoCharacter(int group, int entry, int spaceOverride);

// The Character the analysis prefers to the Source's default, or -1 when none wins clearly.
int autoRuleOverride(const LearnFeatures& features, int defaultCharacter);

struct LearnDerivation
{
    LearnRecord record; // fields 1 to 38; hasResult is the caller's
    int effectiveCharacter = 1;
};

// Proposals for the Learn targets from the features (or, without valid ones, the Source's neutral
// description and the tempo), the Source and the Character choice. Pure.
LearnDerivation deriveLearnSettings(const std::optional<LearnFeatures>& features, int group, int entry, int choice,
                                    double tempo);
} // namespace zq6
