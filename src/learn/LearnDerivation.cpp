#include "LearnDerivation.h"

#include "../params/EffectiveTimes.h"
#include "CharacterScale.h"
#include "SourcePresets.h"

#include <algorithm>
#include <cmath>

namespace zq6
{
namespace
{
constexpr bool isCharacter(int value)
{
    return value >= room && value <= plate;
}

float clamp01(float value)
{
    return std::clamp(value, 0.0f, 1.0f);
}

bool isUsableTempo(double tempo)
{
    return std::isfinite(tempo) && tempo >= 20.0 && tempo <= 300.0;
}

// The gap the Auto rule weighs, in seconds, or in half beats when a tempo is known; 0 when unknown.
float autoRuleGap(const LearnFeatures& features)
{
    float gap = 0.0f;
    if (features.fGapMedianSec > 0.0f)
        gap = features.fGapMedianSec;
    else if (features.fOnsetsPerSec >= 0.05f)
        gap = 1.0f / features.fOnsetsPerSec;
    if (gap > 0.0f && features.fTempoBpm > 1.0f)
        gap = static_cast<float>(gap / (60.0 / features.fTempoBpm) * 0.5);
    return gap;
}

void describeNeutrally(LearnFeatures& features, const SourcePreset& preset, double tempo)
{
    features.fLowDb = preset.lowRefDb;
    features.fHighDb = preset.highRefDb;
    features.fSibilanceDb = -21.0f;
    features.fBreathShare = 0.125f;
    features.fAttackSharp = 0.5f;
    features.fLevelDb = -100.0f;
    features.fTempoBpm = isUsableTempo(tempo) ? static_cast<float>(tempo) : 0.0f;
}

int nearestNoteIndex(double preDelayMs, double beatSeconds)
{
    int best = 0;
    double bestDistance = 0.0;
    for (int n = 0; n < 8; ++n)
    {
        const auto distance = std::abs(std::log(noteValueBeats[n] * beatSeconds * 1000.0 / std::max(preDelayMs, 1.0)));
        if (n == 0 || distance < bestDistance)
        {
            best = n;
            bestDistance = distance;
        }
    }
    return best;
}

// Sets the time proposals from the gap G and the beat length b.
void proposeTimes(LearnRecord& r, const SourcePreset& preset, const CharacterScale& scale, float gap, bool tempoKnown,
                  double beat)
{
    auto decay = std::clamp(preset.decayFactor * gap * scale.decayScale, preset.decayMinSeconds, preset.decayMaxSeconds);
    r.pDecayBeats = static_cast<float>(std::clamp(std::round(decay / beat * 4.0) / 4.0, 0.25, 32.0));
    if (tempoKnown)
        decay = static_cast<float>(r.pDecayBeats * beat);
    r.pDecaySeconds = std::clamp(decay, 0.1f, 20.0f);

    const auto preDelay = std::clamp(preset.preDelayFactor * gap * 1000.0f * scale.preDelayScale, preset.preDelayMinMs,
                                     preset.preDelayMaxMs);
    r.pPreDelayMs = std::clamp(preDelay, 0.0f, 500.0f);
    r.pPreDelayNote = nearestNoteIndex(r.pPreDelayMs, beat);
}

void proposeTone(LearnRecord& r, const SourcePreset& preset)
{
    const auto& f = r.features;
    r.pLowCutHz = std::clamp(preset.lowCutHz * std::exp2((f.fLowDb - preset.lowRefDb) * 0.12f), 30.0f, 600.0f);
    r.pBrightness = std::clamp(preset.brightness - (f.fHighDb - preset.highRefDb) * 0.01f, 0.3f, 0.7f);
    r.pErTrimDb = std::clamp(preset.erTrimDb + 6.0f * (f.fAttackSharp - 0.5f), -9.0f, 9.0f);
}

// Shaping amount and the three shares, the largest share being 1.
void proposeShaping(LearnRecord& r, const SourcePreset& preset)
{
    const auto& f = r.features;
    const auto sibilance = clamp01(preset.sibilanceWeight * (f.fSibilanceDb + 28.0f) / 14.0f);
    const auto breath = clamp01(preset.breathWeight * f.fBreathShare * 4.0f);
    const auto attack = clamp01(preset.transientBase + 0.4f * (f.fAttackSharp - 0.5f));
    const auto largest = std::max({ sibilance, breath, attack });
    if (largest < 0.02f)
    {
        r.pCleanShaping = 0.0f;
        r.pShapeSibilance = r.pShapeBreath = r.pShapeAttack = 1.0f;
        return;
    }
    r.pCleanShaping = largest;
    r.pShapeSibilance = sibilance / largest;
    r.pShapeBreath = breath / largest;
    r.pShapeAttack = attack / largest;
}
} // namespace

int effectiveCharacter(int choice, int group, int entry, int spaceOverride)
{
    if (choice >= 1 && choice <= 4)
        return choice - 1;
    return autoCharacter(group, entry, spaceOverride);
}

int autoCharacter(int group, int entry, int spaceOverride)
{
    return isCharacter(spaceOverride) ? spaceOverride : sourcePreset(group, entry).defaultCharacter;
}

int autoRuleOverride(const LearnFeatures& features, int defaultCharacter)
{
    const auto x = autoRuleGap(features);
    const auto hasGap = x > 0.0f;
    const auto a = features.fAttackSharp;
    const auto gapTerm = [hasGap](float term) { return hasGap ? term : 0.0f; };
    const float scores[4] = {
        gapTerm(2.0f * clamp01((x - 0.4f) / -0.28f)) + 1.5f * clamp01((a - 0.45f) / 0.4f),
        gapTerm(2.0f * clamp01((x - 0.35f) / 0.65f)) + 1.5f * clamp01((a - 0.55f) / -0.4f),
        std::max(0.0f, 1.0f - std::abs(a - 0.5f) / 0.2f) + gapTerm(std::max(0.0f, 1.0f - 4.0f * std::abs(x - 0.4f))),
        gapTerm(1.5f * clamp01((x - 0.35f) / 0.65f)) + 1.5f * clamp01((a - 0.45f) / 0.4f),
    };

    int best = -1;
    for (int c = room; c <= plate; ++c)
        if (c != defaultCharacter && (best < 0 || scores[c] > scores[best]))
            best = c;
    const auto defaultScore = isCharacter(defaultCharacter) ? scores[defaultCharacter] : 0.0f;
    return scores[best] - defaultScore >= 1.5f ? best : -1;
}

LearnDerivation deriveLearnSettings(const std::optional<LearnFeatures>& features, int group, int entry, int choice,
                                    double tempo)
{
    const auto g = foldSourceGroup(group);
    const auto e = foldSourceEntry(g, entry);
    const auto& preset = sourcePresets[g][e];

    LearnDerivation result;
    auto& r = result.record;
    if (features.has_value() && features->fValid == 1)
    {
        r.features = *features;
        r.sSpaceOverride = autoRuleOverride(r.features, preset.defaultCharacter);
    }
    else
    {
        describeNeutrally(r.features, preset, tempo);
    }
    r.features.sourceGroup = g;
    r.features.sourceEntry = e;

    result.effectiveCharacter = effectiveCharacter(choice, g, e, r.sSpaceOverride);
    const auto& scale = characterScaleFor(result.effectiveCharacter);

    const auto tempoBpm = r.features.fTempoBpm;
    const auto tempoKnown = tempoBpm > 1.0f;
    const auto beat = tempoKnown ? 60.0 / tempoBpm : 0.5;
    r.pTempoKnown = tempoKnown ? 1 : 0;
    r.pTempoBpm = tempoKnown ? tempoBpm : 0.0f;

    auto gap = std::clamp(r.features.fGapP75Sec > 0.0f ? r.features.fGapP75Sec : preset.defaultGapSeconds, 0.08f, 4.0f);
    if (tempoKnown)
        gap = static_cast<float>(std::max(1.0, std::round(gap / (beat / 2.0))) * beat / 2.0);
    r.pGapUsedSec = gap;

    r.pSize = clamp01(preset.size + scale.sizeOffset);
    r.pMix = sourceMix[g][e];
    r.pCleanUnmask = preset.unmask;
    proposeTimes(r, preset, scale, gap, tempoKnown, beat);
    proposeTone(r, preset);
    proposeShaping(r, preset);
    return result;
}
} // namespace zq6
