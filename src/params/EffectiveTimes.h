#pragma once

namespace zq6
{
// Length in beats of each pre-delay note choice.
inline constexpr double noteValueBeats[8] = { 0.125, 1.0 / 6.0, 0.25, 1.0 / 3.0, 0.5, 2.0 / 3.0, 1.0, 2.0 };

// Host tempo to use for beat conversions: the host's when above 1 bpm, else 120.
double conversionTempo(double hostTempo);

// Effective decay in seconds from the raw values of decay_unit, decay and decay_beats.
float effectiveDecaySeconds(float decayUnitRaw, float decaySeconds, float decayBeats, double tempo);

// Effective pre-delay in milliseconds from the raw values of predelay_unit, predelay and predelay_note.
float effectivePreDelayMs(float preDelayUnitRaw, float preDelayMs, float preDelayNoteRaw, double tempo);
} // namespace zq6
