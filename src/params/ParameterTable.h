#pragma once

#include "WetEqBands.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace zq6
{
// Every parameter, in the order the host lists them; the index of its row in parameterTable.
enum class Param : int
{
    size, decay, decayBeats, decayUnit, predelay, predelayNote, predelayUnit, attack, brightness, lowcut, width,
    cleanUnmask, cleanShaping, deltaUnmask, deltaShaping, mix, output, bypass, decayMultLow, erTrim, motion,
    diffusion, unmaskSpeed, shapeSibilance, shapeBreath, shapeAttack,
    eq1Type, eq1Freq, eq1Gain, eq1Q, eq2Type, eq2Freq, eq2Gain, eq2Q,
    eq3Type, eq3Freq, eq3Gain, eq3Q, eq4Type, eq4Freq, eq4Gain, eq4Q,
    eqLp,
    count
};

inline constexpr int parameterCount = static_cast<int>(Param::count);

// Float: a continuous range; choice: a list of texts, raw value the index; toggle: off or on, raw 0 or 1.
enum class ParameterKind { continuous, choice, toggle };

// How a continuous parameter's value and text convert into each other.
enum class TextFamily { none, percent, number, bandFrequency, lowPassFrequency, levelWithFloor };

struct ParameterText
{
    TextFamily family = TextFamily::none;
    const char* unit = "";
    int decimals = 0; // of the number family
};

struct ParameterRange
{
    static constexpr float linear = -1.0f;

    float start = 0.0f, end = 1.0f, step = 0.0f;
    float centre = linear; // value at the middle of the travel; linear when none
};

struct ParameterSpec
{
    Param param;
    const char* id;
    const char* name;
    ParameterKind kind;
    ParameterRange range;
    float defaultValue; // the choice index of a choice, 0 for a toggle
    ParameterText text;
    const char* const* choices;
    int choiceCount;
};

namespace paramspec
{
constexpr ParameterText percent() { return { TextFamily::percent, "%", 0 }; }
constexpr ParameterText number(const char* unit, int decimals) { return { TextFamily::number, unit, decimals }; }
constexpr ParameterText bandFrequency() { return { TextFamily::bandFrequency, "Hz", 0 }; }
constexpr ParameterText lowPassFrequency() { return { TextFamily::lowPassFrequency, "Hz", 0 }; }
constexpr ParameterText levelWithFloor() { return { TextFamily::levelWithFloor, "dB", 1 }; }

constexpr ParameterSpec continuous(Param param, const char* id, const char* name, ParameterRange range,
                                   float defaultValue, ParameterText text)
{
    return { param, id, name, ParameterKind::continuous, range, defaultValue, text, nullptr, 0 };
}

template <std::size_t N>
constexpr ParameterSpec choice(Param param, const char* id, const char* name, const char* const (&texts)[N],
                               int defaultIndex)
{
    return { param, id, name, ParameterKind::choice, { 0.0f, static_cast<float>(N - 1), 1.0f },
             static_cast<float>(defaultIndex), {}, texts, static_cast<int>(N) };
}

constexpr ParameterSpec toggle(Param param, const char* id, const char* name)
{
    return { param, id, name, ParameterKind::toggle, { 0.0f, 1.0f, 1.0f }, 0.0f, {}, nullptr, 0 };
}

inline constexpr const char* decayUnits[] = { "Seconds", "Beats" };
inline constexpr const char* notes[] = { "1/32", "1/16T", "1/16", "1/8T", "1/8", "1/4T", "1/4", "1/2" };
inline constexpr const char* preDelayUnits[] = { "Ms", "Note" };
inline constexpr const char* unmaskSpeeds[] = { "Fast", "Med", "Slow" };
// The names of each band's two filter kinds.
inline constexpr const char* eqTypes[wetEqBandCount][2] = {
    { eqKindName(wetEqBands[0].kinds[0]), eqKindName(wetEqBands[0].kinds[1]) },
    { eqKindName(wetEqBands[1].kinds[0]), eqKindName(wetEqBands[1].kinds[1]) },
    { eqKindName(wetEqBands[2].kinds[0]), eqKindName(wetEqBands[2].kinds[1]) },
    { eqKindName(wetEqBands[3].kinds[0]), eqKindName(wetEqBands[3].kinds[1]) },
};

constexpr ParameterSpec eqType(Param param, const char* id, const char* name, int band)
{
    return choice(param, id, name, eqTypes[band], 0);
}

constexpr ParameterSpec eqFreq(Param param, const char* id, const char* name, int band)
{
    return continuous(param, id, name, { 20.0f, 20000.0f, 0.0f, 1000.0f }, wetEqBands[band].defaultFrequency, bandFrequency());
}

constexpr ParameterSpec eqGain(Param param, const char* id, const char* name)
{
    return continuous(param, id, name, { -12.0f, 12.0f, 0.1f }, 0.0f, number("dB", 1));
}

constexpr ParameterSpec eqQ(Param param, const char* id, const char* name, int band)
{
    return continuous(param, id, name, { 0.3f, 8.0f, 0.0f, 1.0f }, wetEqBands[band].defaultQ, number("", 2));
}

constexpr ParameterRange zeroToOne { 0.0f, 1.0f };
} // namespace paramspec

// The one declaration of every parameter: identifier (version hint 1), display name, range and
// curve, default, kind, unit and text family.
inline constexpr ParameterSpec parameterTable[parameterCount] = {
    paramspec::continuous(Param::size, "size", "Size", paramspec::zeroToOne, 0.5f, paramspec::percent()),
    paramspec::continuous(Param::decay, "decay", "Decay", { 0.1f, 20.0f, 0.0f, 2.0f }, 2.0f, paramspec::number("s", 2)),
    paramspec::continuous(Param::decayBeats, "decay_beats", "Decay Beats", { 0.25f, 32.0f, 0.0f, 4.0f }, 4.0f,
                          paramspec::number("beats", 2)),
    paramspec::choice(Param::decayUnit, "decay_unit", "Decay Unit", paramspec::decayUnits, 0),
    paramspec::continuous(Param::predelay, "predelay", "Pre-delay", { 0.0f, 500.0f, 0.0f, 60.0f }, 20.0f,
                          paramspec::number("ms", 0)),
    paramspec::choice(Param::predelayNote, "predelay_note", "Pre-delay Note", paramspec::notes, 4),
    paramspec::choice(Param::predelayUnit, "predelay_unit", "Pre-delay Unit", paramspec::preDelayUnits, 0),
    paramspec::continuous(Param::attack, "attack", "Attack", { 0.0f, 250.0f, 0.0f, 60.0f }, 0.0f, paramspec::number("ms", 0)),
    paramspec::continuous(Param::brightness, "brightness", "Brightness", paramspec::zeroToOne, 0.5f, paramspec::percent()),
    paramspec::continuous(Param::lowcut, "lowcut", "Low Cut", { 20.0f, 1000.0f, 0.0f, 150.0f }, 100.0f,
                          paramspec::bandFrequency()),
    paramspec::continuous(Param::width, "width", "Width", { 0.0f, 2.0f }, 1.0f, paramspec::percent()),
    paramspec::continuous(Param::cleanUnmask, "clean_unmask", "Clean Unmask", paramspec::zeroToOne, 0.0f, paramspec::percent()),
    paramspec::continuous(Param::cleanShaping, "clean_shaping", "Clean Shaping", paramspec::zeroToOne, 0.0f, paramspec::percent()),
    paramspec::toggle(Param::deltaUnmask, "delta_unmask", "Delta Unmask"),
    paramspec::toggle(Param::deltaShaping, "delta_shaping", "Delta Shaping"),
    paramspec::continuous(Param::mix, "mix", "Mix", paramspec::zeroToOne, 0.3f, paramspec::percent()),
    paramspec::continuous(Param::output, "output", "Output", { -24.0f, 12.0f, 0.01f }, 0.0f, paramspec::number("dB", 1)),
    paramspec::toggle(Param::bypass, "bypass", "Bypass"),
    paramspec::continuous(Param::decayMultLow, "decay_mult_low", "Decay Low Multiplier", { 0.25f, 4.0f, 0.0f, 1.0f }, 1.0f,
                          paramspec::number("x", 2)),
    paramspec::continuous(Param::erTrim, "er_trim", "ER Level", { -48.0f, 12.0f, 0.1f, 0.0f }, 0.0f,
                          paramspec::levelWithFloor()),
    paramspec::continuous(Param::motion, "motion", "Motion", paramspec::zeroToOne, 0.3f, paramspec::percent()),
    paramspec::continuous(Param::diffusion, "diffusion", "Diffusion", paramspec::zeroToOne, 0.7f, paramspec::percent()),
    paramspec::choice(Param::unmaskSpeed, "unmask_speed", "Unmask Speed", paramspec::unmaskSpeeds, 1),
    paramspec::continuous(Param::shapeSibilance, "shape_sibilance", "Shape Sibilance", paramspec::zeroToOne, 1.0f,
                          paramspec::percent()),
    paramspec::continuous(Param::shapeBreath, "shape_breath", "Shape Breath", paramspec::zeroToOne, 1.0f, paramspec::percent()),
    paramspec::continuous(Param::shapeAttack, "shape_attack", "Shape Transient", paramspec::zeroToOne, 1.0f, paramspec::percent()),
    paramspec::eqType(Param::eq1Type, "eq1_type", "EQ1 Type", 0),
    paramspec::eqFreq(Param::eq1Freq, "eq1_freq", "EQ1 Freq", 0),
    paramspec::eqGain(Param::eq1Gain, "eq1_gain", "EQ1 Gain"),
    paramspec::eqQ(Param::eq1Q, "eq1_q", "EQ1 Q", 0),
    paramspec::eqType(Param::eq2Type, "eq2_type", "EQ2 Type", 1),
    paramspec::eqFreq(Param::eq2Freq, "eq2_freq", "EQ2 Freq", 1),
    paramspec::eqGain(Param::eq2Gain, "eq2_gain", "EQ2 Gain"),
    paramspec::eqQ(Param::eq2Q, "eq2_q", "EQ2 Q", 1),
    paramspec::eqType(Param::eq3Type, "eq3_type", "EQ3 Type", 2),
    paramspec::eqFreq(Param::eq3Freq, "eq3_freq", "EQ3 Freq", 2),
    paramspec::eqGain(Param::eq3Gain, "eq3_gain", "EQ3 Gain"),
    paramspec::eqQ(Param::eq3Q, "eq3_q", "EQ3 Q", 2),
    paramspec::eqType(Param::eq4Type, "eq4_type", "EQ4 Type", 3),
    paramspec::eqFreq(Param::eq4Freq, "eq4_freq", "EQ4 Freq", 3),
    paramspec::eqGain(Param::eq4Gain, "eq4_gain", "EQ4 Gain"),
    paramspec::eqQ(Param::eq4Q, "eq4_q", "EQ4 Q", 3),
    paramspec::continuous(Param::eqLp, "eq_lp", "EQ Low-pass", { 1000.0f, 20000.0f, 0.0f, 5000.0f }, 20000.0f,
                          paramspec::lowPassFrequency()),
};

constexpr const ParameterSpec& spec(Param param)
{
    return parameterTable[static_cast<int>(param)];
}

constexpr const char* idOf(Param param)
{
    return spec(param).id;
}

constexpr float defaultOf(Param param)
{
    return spec(param).defaultValue;
}

// The value limited to the parameter's range, as the engine reads it.
constexpr float clampToRange(Param param, float value)
{
    return std::clamp(value, spec(param).range.start, spec(param).range.end);
}

// Levels with a floor sound (and read) as silence at or below this.
inline constexpr float levelFloorDb = -47.95f;
// The Wet EQ low-pass is off at or above this.
inline constexpr float lowPassOffHz = 19999.5f;

// The four parameters of a Wet EQ band, band 0 to 3.
constexpr Param eqTypeParam(int band) { return static_cast<Param>(static_cast<int>(Param::eq1Type) + 4 * band); }
constexpr Param eqFreqParam(int band) { return static_cast<Param>(static_cast<int>(Param::eq1Freq) + 4 * band); }
constexpr Param eqGainParam(int band) { return static_cast<Param>(static_cast<int>(Param::eq1Gain) + 4 * band); }
constexpr Param eqQParam(int band) { return static_cast<Param>(static_cast<int>(Param::eq1Q) + 4 * band); }

namespace paramspec
{
constexpr bool rowsInEnumOrder()
{
    for (int i = 0; i < parameterCount; ++i)
        if (static_cast<int>(parameterTable[i].param) != i)
            return false;
    return true;
}
} // namespace paramspec
static_assert(paramspec::rowsInEnumOrder(), "each row sits at the index of its Param");
} // namespace zq6
