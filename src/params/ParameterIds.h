#pragma once

#include "ParameterTable.h"

// Parameter identifiers by name, for the readers that find a parameter by its identifier.
namespace zq6::pid
{
inline constexpr const char* size = idOf(Param::size);
inline constexpr const char* decay = idOf(Param::decay);
inline constexpr const char* decayBeats = idOf(Param::decayBeats);
inline constexpr const char* decayUnit = idOf(Param::decayUnit);
inline constexpr const char* predelay = idOf(Param::predelay);
inline constexpr const char* predelayNote = idOf(Param::predelayNote);
inline constexpr const char* predelayUnit = idOf(Param::predelayUnit);
inline constexpr const char* attack = idOf(Param::attack);
inline constexpr const char* brightness = idOf(Param::brightness);
inline constexpr const char* lowcut = idOf(Param::lowcut);
inline constexpr const char* width = idOf(Param::width);
inline constexpr const char* cleanUnmask = idOf(Param::cleanUnmask);
inline constexpr const char* cleanShaping = idOf(Param::cleanShaping);
inline constexpr const char* deltaUnmask = idOf(Param::deltaUnmask);
inline constexpr const char* deltaShaping = idOf(Param::deltaShaping);
inline constexpr const char* mix = idOf(Param::mix);
inline constexpr const char* output = idOf(Param::output);
inline constexpr const char* bypass = idOf(Param::bypass);
inline constexpr const char* decayMultLow = idOf(Param::decayMultLow);
inline constexpr const char* erTrim = idOf(Param::erTrim);
inline constexpr const char* motion = idOf(Param::motion);
inline constexpr const char* diffusion = idOf(Param::diffusion);
inline constexpr const char* unmaskSpeed = idOf(Param::unmaskSpeed);
inline constexpr const char* shapeSibilance = idOf(Param::shapeSibilance);
inline constexpr const char* shapeBreath = idOf(Param::shapeBreath);
inline constexpr const char* shapeAttack = idOf(Param::shapeAttack);
inline constexpr const char* eqType[4] = { idOf(eqTypeParam(0)), idOf(eqTypeParam(1)), idOf(eqTypeParam(2)), idOf(eqTypeParam(3)) };
inline constexpr const char* eqFreq[4] = { idOf(eqFreqParam(0)), idOf(eqFreqParam(1)), idOf(eqFreqParam(2)), idOf(eqFreqParam(3)) };
inline constexpr const char* eqGain[4] = { idOf(eqGainParam(0)), idOf(eqGainParam(1)), idOf(eqGainParam(2)), idOf(eqGainParam(3)) };
inline constexpr const char* eqQ[4] = { idOf(eqQParam(0)), idOf(eqQParam(1)), idOf(eqQParam(2)), idOf(eqQParam(3)) };
inline constexpr const char* eqLp = idOf(Param::eqLp);

inline constexpr int count = parameterCount;
} // namespace zq6::pid
