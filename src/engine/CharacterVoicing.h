#pragma once

#include <algorithm>

namespace zq6
{
// Effective Characters: the engine's voicing index.
enum Character : int
{
    room = 0,
    hall = 1,
    chamber = 2,
    plate = 3
};

struct CharacterVoicing
{
    float sizeMult;
    float diffusionMult;
    float motionMult;
    float lowDecayMult;
    float highDecayMult;
    float tailOffsetMs;
    float voiceLowPassHz;
    float erOrderThreshold;
    float erLowPassHz;
};

inline constexpr CharacterVoicing characterVoicings[4] = {
    { 0.7f, 1.15f, 0.6f, 1.0f, 0.7f, 0.0f, 12000.0f, 0.65f, 14000.0f },
    { 1.15f, 0.8f, 1.4f, 1.15f, 1.0f, 12.0f, 12000.0f, 0.65f, 14000.0f },
    { 0.95f, 1.05f, 0.8f, 0.9f, 0.85f, 4.0f, 12000.0f, 0.65f, 14000.0f },
    { 0.85f, 1.3f, 1.0f, 0.8f, 1.3f, 0.0f, 12000.0f, 0.65f, 14000.0f },
};

inline constexpr const char* characterNames[4] = { "Room", "Hall", "Chamber", "Plate" };

inline constexpr int clampCharacter(int character)
{
    return std::clamp(character, 0, 3);
}

inline constexpr const CharacterVoicing& voicingFor(int character)
{
    return characterVoicings[clampCharacter(character)];
}
} // namespace zq6
