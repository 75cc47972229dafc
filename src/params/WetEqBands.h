#pragma once

namespace zq6
{
// Filter kinds of the Wet EQ bands.
enum class EqKind : int
{
    lowShelf = 0,
    bell = 1,
    highShelf = 2
};

struct WetEqBand
{
    EqKind kinds[2]; // choice index 0 and 1
    float defaultFrequency;
    float defaultQ;
};

inline constexpr int wetEqBandCount = 4;

// One table feeds both the type parameters' choice texts and the engine's filter kinds.
inline constexpr WetEqBand wetEqBands[wetEqBandCount] = {
    { { EqKind::lowShelf, EqKind::bell }, 180.0f, 0.71f },
    { { EqKind::bell, EqKind::lowShelf }, 400.0f, 1.0f },
    { { EqKind::bell, EqKind::highShelf }, 3000.0f, 1.0f },
    { { EqKind::highShelf, EqKind::bell }, 8000.0f, 0.71f },
};

inline constexpr const char* eqKindName(EqKind kind)
{
    switch (kind)
    {
        case EqKind::lowShelf: return "Low Shelf";
        case EqKind::bell: return "Bell";
        case EqKind::highShelf: return "High Shelf";
    }
    return "";
}

// The kind a band's type parameter selects; raw values of 0.5 and more pick the second kind.
inline constexpr EqKind eqKindForChoice(int band, float rawChoice)
{
    return wetEqBands[band].kinds[rawChoice >= 0.5f ? 1 : 0];
}
} // namespace zq6
