#pragma once

// Parameter identifiers, in the order the host lists them.
namespace zq6::pid
{
inline constexpr const char* size = "size";
inline constexpr const char* decay = "decay";
inline constexpr const char* decayBeats = "decay_beats";
inline constexpr const char* decayUnit = "decay_unit";
inline constexpr const char* predelay = "predelay";
inline constexpr const char* predelayNote = "predelay_note";
inline constexpr const char* predelayUnit = "predelay_unit";
inline constexpr const char* attack = "attack";
inline constexpr const char* brightness = "brightness";
inline constexpr const char* lowcut = "lowcut";
inline constexpr const char* width = "width";
inline constexpr const char* cleanUnmask = "clean_unmask";
inline constexpr const char* cleanShaping = "clean_shaping";
inline constexpr const char* deltaUnmask = "delta_unmask";
inline constexpr const char* deltaShaping = "delta_shaping";
inline constexpr const char* mix = "mix";
inline constexpr const char* output = "output";
inline constexpr const char* bypass = "bypass";
inline constexpr const char* decayMultLow = "decay_mult_low";
inline constexpr const char* erTrim = "er_trim";
inline constexpr const char* motion = "motion";
inline constexpr const char* diffusion = "diffusion";
inline constexpr const char* unmaskSpeed = "unmask_speed";
inline constexpr const char* shapeSibilance = "shape_sibilance";
inline constexpr const char* shapeBreath = "shape_breath";
inline constexpr const char* shapeAttack = "shape_attack";
inline constexpr const char* eqType[4] = { "eq1_type", "eq2_type", "eq3_type", "eq4_type" };
inline constexpr const char* eqFreq[4] = { "eq1_freq", "eq2_freq", "eq3_freq", "eq4_freq" };
inline constexpr const char* eqGain[4] = { "eq1_gain", "eq2_gain", "eq3_gain", "eq4_gain" };
inline constexpr const char* eqQ[4] = { "eq1_q", "eq2_q", "eq3_q", "eq4_q" };
inline constexpr const char* eqLp = "eq_lp";

inline constexpr int count = 43;
} // namespace zq6::pid
