#include "LearnTree.h"

#include "NumberText.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace zq6
{
namespace
{
// What reading a stored field accepts.
struct FieldRule
{
    enum Kind
    {
        result,      // the result counts only when this is 1
        required,    // must be read and lie within low … high, or the whole result is dropped
        clamped,     // limited to low … high
        keptOrNone,  // kept within low … high, else -1
        flag,        // 1 stays 1, anything else becomes 0
        nonNegative  // negative becomes 0
    };

    Kind kind;
    float low = 0.0f;
    float high = 0.0f;
};

constexpr FieldRule result { FieldRule::result };
constexpr FieldRule flag { FieldRule::flag };
constexpr FieldRule nonNegative { FieldRule::nonNegative };
constexpr FieldRule required(float low, float high) { return { FieldRule::required, low, high }; }
constexpr FieldRule clamped(float low, float high) { return { FieldRule::clamped, low, high }; }
constexpr FieldRule keptOrNone(float low, float high) { return { FieldRule::keptOrNone, low, high }; }

// Every stored field of the record in the order it is written, with its reading rule. The record's
// copy of the mode and its Source group and entry are not stored.
template <typename Visit>
void forEachStoredField(LearnRecord& r, Visit&& visit)
{
    auto& f = r.features;
    visit("hasResult", r.hasResult, result);
    visit("sSpaceOverride", r.sSpaceOverride, keptOrNone(0, 3));
    visit("fValid", f.fValid, flag);
    visit("fOnsetCount", f.fOnsetCount, nonNegative);
    visit("fCrowdedBand", f.fCrowdedBand, keptOrNone(-1, 7));
    visit("fGapCount", f.fGapCount, nonNegative);
    visit("fAttackCount", f.fAttackCount, nonNegative);
    visit("fValidSeconds", f.fValidSeconds, clamped(0, 100000));
    visit("fSpanSeconds", f.fSpanSeconds, clamped(0, 100000));
    visit("fOnsetsPerSec", f.fOnsetsPerSec, clamped(0, 1000));
    visit("fGapMedianSec", f.fGapMedianSec, clamped(0, 1000));
    visit("fGapP75Sec", f.fGapP75Sec, clamped(0, 1000));
    visit("fLowDb", f.fLowDb, clamped(-200, 200));
    visit("fHighDb", f.fHighDb, clamped(-200, 200));
    visit("fSibilanceDb", f.fSibilanceDb, clamped(-200, 50));
    visit("fBreathShare", f.fBreathShare, clamped(0, 1));
    visit("fAttackSharp", f.fAttackSharp, clamped(0, 1));
    visit("fLevelDb", f.fLevelDb, clamped(-200, 50));
    visit("fTempoBpm", f.fTempoBpm, clamped(0, 300));
    visit("pDecaySeconds", r.pDecaySeconds, required(0.1f, 20));
    visit("pDecayBeats", r.pDecayBeats, required(0.25f, 32));
    visit("pPreDelayMs", r.pPreDelayMs, required(0, 500));
    visit("pPreDelayNote", r.pPreDelayNote, required(0, 7));
    visit("pBrightness", r.pBrightness, required(0, 1));
    visit("pLowCutHz", r.pLowCutHz, required(20, 1000));
    visit("pErTrimDb", r.pErTrimDb, required(-12, 12));
    visit("pCleanShaping", r.pCleanShaping, required(0, 1));
    visit("pShapeSibilance", r.pShapeSibilance, required(0, 1));
    visit("pShapeBreath", r.pShapeBreath, required(0, 1));
    visit("pShapeAttack", r.pShapeAttack, required(0, 1));
    visit("pCleanUnmask", r.pCleanUnmask, clamped(0, 1));
    visit("pSize", r.pSize, clamped(0, 1));
    visit("pMix", r.pMix, clamped(0, 1));
    visit("pGapUsedSec", r.pGapUsedSec, clamped(0, 1000));
    visit("pTempoKnown", r.pTempoKnown, flag);
    visit("pTempoBpm", r.pTempoBpm, clamped(0, 300));
}

juce::String fieldText(std::int32_t value) { return numbertext::integerText(value); }
juce::String fieldText(float value) { return numbertext::shortestFloatText(value); }

std::optional<std::int32_t> readField(const juce::String& text, std::int32_t) { return numbertext::readStrictInteger(text); }
std::optional<float> readField(const juce::String& text, float) { return numbertext::readStrictFloat(text); }

template <typename T>
bool within(T value, const FieldRule& rule)
{
    return static_cast<double>(value) >= rule.low && static_cast<double>(value) <= rule.high;
}

template <typename T>
void sanitise(T& value, const FieldRule& rule)
{
    switch (rule.kind)
    {
        case FieldRule::clamped: value = std::clamp(value, static_cast<T>(rule.low), static_cast<T>(rule.high)); break;
        case FieldRule::keptOrNone: value = within(value, rule) ? value : static_cast<T>(-1); break;
        case FieldRule::flag: value = value == 1 ? 1 : 0; break;
        case FieldRule::nonNegative: value = std::max(value, static_cast<T>(0)); break;
        case FieldRule::result:
        case FieldRule::required: break;
    }
}

// Takes every field that reads strictly; false unless the result flag is 1 and every required field
// was read within its range.
bool readFields(const juce::ValueTree& element, LearnRecord& record)
{
    auto complete = true;
    forEachStoredField(record, [&](const char* name, auto& value, const FieldRule& rule)
    {
        const auto* text = element.getPropertyPointer(name);
        const auto read = text != nullptr ? readField(text->toString(), value) : std::nullopt;
        if (read)
            value = *read;
        if (rule.kind == FieldRule::result)
            complete = complete && read == 1;
        if (rule.kind == FieldRule::required)
            complete = complete && read && within(*read, rule);
    });
    return complete;
}

void sanitiseFields(LearnRecord& record)
{
    forEachStoredField(record, [](const char*, auto& value, const FieldRule& rule) { sanitise(value, rule); });
}
} // namespace

juce::ValueTree writeLearnTree(int mode, const LearnRecord& record)
{
    juce::ValueTree element(learnids::element);
    element.setProperty(learnids::version, learnids::currentVersion, nullptr);
    element.setProperty(learnids::mode, numbertext::integerText(mode), nullptr);
    auto copy = record;
    forEachStoredField(copy, [&element](const char* name, auto& value, const FieldRule&)
                       { element.setProperty(name, fieldText(value), nullptr); });
    return element;
}

LoadedLearn readLearnTree(const juce::ValueTree& element)
{
    LoadedLearn loaded;
    if (!element.isValid())
        return loaded;
    loaded.mode = numbertext::readStrictInteger(element[learnids::mode].toString()) == 1 ? 1 : 0;
    LearnRecord record;
    if (!readFields(element, record))
        return loaded;
    sanitiseFields(record);
    record.features.mode = loaded.mode;
    loaded.record = record;
    return loaded;
}
} // namespace zq6
