#pragma once

namespace zq6
{
// How a Character shapes Learn's proposals: the decay and pre-delay it scales and the size it shifts.
struct CharacterScale
{
    float decayScale;
    float preDelayScale;
    float sizeOffset;
};

// Indexed by effective Character: Room, Hall, Chamber, Plate.
inline constexpr CharacterScale characterScales[4] = {
    { 0.75f, 0.8f, -0.15f },
    { 1.0f, 1.0f, 0.0f },
    { 0.9f, 0.9f, -0.05f },
    { 0.85f, 1.3f, -0.1f },
};

// An effective Character outside 0 to 3 reads as Hall.
constexpr const CharacterScale& characterScaleFor(int character)
{
    return characterScales[character >= 0 && character < 4 ? character : 1];
}
} // namespace zq6
