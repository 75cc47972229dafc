#include "EffectiveTimes.h"

#include "ParameterTable.h"

#include <algorithm>
#include <cmath>

namespace zq6
{
static_assert(std::size(noteValueBeats) == std::size(paramspec::notes), "one length per note choice");

double conversionTempo(double hostTempo)
{
    return hostTempo > 1.0 ? hostTempo : 120.0;
}

float effectiveDecaySeconds(float decayUnitRaw, float decaySeconds, float decayBeats, double tempo)
{
    if (decayUnitRaw < 0.5f)
        return decaySeconds;
    const auto& range = spec(Param::decay).range;
    const auto seconds = static_cast<float>(static_cast<double>(decayBeats) * 60.0 / conversionTempo(tempo));
    if (!(seconds >= range.start))
        return range.start;
    return std::min(seconds, range.end);
}

float effectivePreDelayMs(float preDelayUnitRaw, float preDelayMs, float preDelayNoteRaw, double tempo)
{
    if (preDelayUnitRaw < 0.5f)
        return preDelayMs;
    const auto& range = spec(Param::predelay).range;
    const auto lastNote = static_cast<int>(std::size(noteValueBeats)) - 1;
    const auto index = std::clamp(static_cast<int>(std::lround(preDelayNoteRaw)), 0, lastNote);
    const auto ms = static_cast<float>(noteValueBeats[index] * 60000.0 / conversionTempo(tempo));
    return std::clamp(ms, range.start, range.end);
}
} // namespace zq6
