#include "learn/LearnDerivation.h"
#include "learn/SourcePresets.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace zq6::test
{
namespace
{
double field(const LearnRecord& r, const std::string& name)
{
    static const std::map<std::string, std::function<double(const LearnRecord&)>> fields = {
        { "pDecaySeconds", [](const LearnRecord& x) { return x.pDecaySeconds; } },
        { "pDecayBeats", [](const LearnRecord& x) { return x.pDecayBeats; } },
        { "pPreDelayMs", [](const LearnRecord& x) { return x.pPreDelayMs; } },
        { "pPreDelayNote", [](const LearnRecord& x) { return x.pPreDelayNote; } },
        { "pBrightness", [](const LearnRecord& x) { return x.pBrightness; } },
        { "pLowCutHz", [](const LearnRecord& x) { return x.pLowCutHz; } },
        { "pErTrimDb", [](const LearnRecord& x) { return x.pErTrimDb; } },
        { "pCleanShaping", [](const LearnRecord& x) { return x.pCleanShaping; } },
        { "pShapeSibilance", [](const LearnRecord& x) { return x.pShapeSibilance; } },
        { "pShapeBreath", [](const LearnRecord& x) { return x.pShapeBreath; } },
        { "pShapeAttack", [](const LearnRecord& x) { return x.pShapeAttack; } },
        { "pCleanUnmask", [](const LearnRecord& x) { return x.pCleanUnmask; } },
        { "pSize", [](const LearnRecord& x) { return x.pSize; } },
        { "pMix", [](const LearnRecord& x) { return x.pMix; } },
        { "pGapUsedSec", [](const LearnRecord& x) { return x.pGapUsedSec; } },
        { "pTempoKnown", [](const LearnRecord& x) { return x.pTempoKnown; } },
        { "pTempoBpm", [](const LearnRecord& x) { return x.pTempoBpm; } },
        { "sSpaceOverride", [](const LearnRecord& x) { return x.sSpaceOverride; } },
        { "fValid", [](const LearnRecord& x) { return x.features.fValid; } },
        { "fLowDb", [](const LearnRecord& x) { return x.features.fLowDb; } },
        { "fSibilanceDb", [](const LearnRecord& x) { return x.features.fSibilanceDb; } },
        { "fCrowdedBand", [](const LearnRecord& x) { return x.features.fCrowdedBand; } },
        { "fTempoBpm", [](const LearnRecord& x) { return x.features.fTempoBpm; } },
    };
    return fields.at(name)(r);
}

LearnFeatures measured(float gapP75, float tempoBpm = 0.0f)
{
    LearnFeatures f;
    f.fValid = 1;
    f.fGapP75Sec = gapP75;
    f.fTempoBpm = tempoBpm;
    return f;
}

struct DerivationCase
{
    const char* name;
    int group, entry, choice;
    double tempo;
    std::optional<LearnFeatures> features;
    int effective;
    std::vector<std::pair<std::string, double>> expected;
};

class Derivation : public testing::TestWithParam<DerivationCase>
{
};

const DerivationCase derivationCases[] = {
    { "naturalAutoNoTempo", 0, 0, 0, 0.0, std::nullopt, hall,
      { { "pGapUsedSec", 0.5 }, { "pDecaySeconds", 0.75 }, { "pDecayBeats", 1.5 }, { "pPreDelayMs", 30 },
        { "pPreDelayNote", 0 }, { "pLowCutHz", 110 }, { "pBrightness", 0.5 }, { "pErTrimDb", 0 }, { "pSize", 0.5 },
        { "pMix", 0.3 }, { "pCleanUnmask", 0.15 }, { "pCleanShaping", 0.25 }, { "pShapeSibilance", 0.6 },
        { "pShapeBreath", 0.2 }, { "pShapeAttack", 1.0 }, { "pTempoKnown", 0 }, { "pTempoBpm", 0 },
        { "sSpaceOverride", -1 }, { "fValid", 0 }, { "fLowDb", -5 }, { "fSibilanceDb", -21 }, { "fCrowdedBand", -1 } } },
    { "naturalAutoAt100Bpm", 0, 0, 0, 100.0, std::nullopt, hall,
      { { "pGapUsedSec", 0.6 }, { "pDecaySeconds", 0.9 }, { "pDecayBeats", 1.5 }, { "pPreDelayMs", 36 },
        { "pPreDelayNote", 0 }, { "pTempoKnown", 1 }, { "pTempoBpm", 100 } } },
    { "tempoOutsideRangeIgnored", 0, 0, 0, 400.0, std::nullopt, hall,
      { { "pGapUsedSec", 0.5 }, { "pTempoKnown", 0 }, { "fTempoBpm", 0 } } },
    { "quantisedDecayBelowMinimum", 0, 0, 0, 0.0, measured(0.3f, 120.0f), hall,
      { { "pGapUsedSec", 0.25 }, { "pDecayBeats", 0.75 }, { "pDecaySeconds", 0.375 }, { "pTempoKnown", 1 } } },
    { "longGapLimited", 0, 0, 0, 0.0, measured(10.0f), hall,
      { { "pGapUsedSec", 4 }, { "pDecaySeconds", 4 }, { "pDecayBeats", 8 }, { "pPreDelayMs", 60 } } },
    { "shortGapLimited", 0, 0, 0, 0.0, measured(0.01f), hall,
      { { "pGapUsedSec", 0.08 }, { "pDecaySeconds", 0.4 }, { "pPreDelayMs", 8 } } },
    { "invalidFeaturesUseTheSource", 0, 0, 0, 0.0, LearnFeatures {}, hall,
      { { "pGapUsedSec", 0.5 }, { "pDecaySeconds", 0.75 }, { "fValid", 0 }, { "fSibilanceDb", -21 } } },
    { "snare", 2, 1, 0, 0.0, std::nullopt, plate,
      { { "pDecaySeconds", 0.2295 }, { "pPreDelayMs", 11.7 }, { "pLowCutHz", 180 }, { "pBrightness", 0.525 },
        { "pErTrimDb", 2.4 }, { "pSize", 0.3 }, { "pMix", 0.25 }, { "pCleanUnmask", 0.1 } } },
    { "pad", 5, 1, 0, 0.0, std::nullopt, hall,
      { { "pDecaySeconds", 2.6 }, { "pPreDelayMs", 40 }, { "pSize", 0.65 }, { "pMix", 0.35 } } },
    { "roomOnNatural", 0, 0, 1, 0.0, std::nullopt, room,
      { { "pDecaySeconds", 0.5625 }, { "pPreDelayMs", 24 }, { "pSize", 0.35 } } },
    { "leadAutoIsPlate", 1, 0, 0, 0.0, std::nullopt, plate, { { "sSpaceOverride", -1 } } },
    { "foldedSourceIsPerc", 2, 99, 0, 0.0, std::nullopt, chamber, { { "pMix", 0.22 } } },
};

INSTANTIATE_TEST_SUITE_P(Examples, Derivation, testing::ValuesIn(derivationCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });
} // namespace

TEST_P(Derivation, ProposesTheWorkedValues)
{
    const auto& c = GetParam();
    const auto result = deriveLearnSettings(c.features, c.group, c.entry, c.choice, c.tempo);
    EXPECT_EQ(result.effectiveCharacter, c.effective);
    for (const auto& [name, value] : c.expected)
        EXPECT_NEAR(field(result.record, name), value, std::abs(value) * 2.0e-6 + 1.0e-6) << name;
}

TEST(Derivation, KeepsTheFoldedSourceInTheRecord)
{
    const auto result = deriveLearnSettings(std::nullopt, 9, -4, 0, 0.0);
    EXPECT_EQ(result.record.features.sourceGroup, 0);
    EXPECT_EQ(result.record.features.sourceEntry, 0);
    EXPECT_EQ(result.record.hasResult, 0);
}

namespace
{
struct AutoCase
{
    const char* name;
    int group, entry;
    float gapMedian, onsetsPerSec, attack, tempo;
    int expectedOverride;
};

class AutoRule : public testing::TestWithParam<AutoCase>
{
};

const AutoCase autoCases[] = {
    { "snareLongGapsSoftAttacksIsHall", 2, 1, 1.0f, 0.0f, 0.15f, 0.0f, hall },
    { "snareSparseOnsetsSoftAttacksIsHall", 2, 1, 0.0f, 0.5f, 0.15f, 0.0f, hall },
    { "snareShortGapsSharpAttacksIsRoom", 2, 1, 0.1f, 0.0f, 0.9f, 0.0f, room },
    { "snareRoomAheadByLessKeepsPlate", 2, 1, 0.2f, 0.0f, 0.7f, 0.0f, -1 },
    { "snareLongGapsSharpAttacksKeepsPlate", 2, 1, 1.0f, 0.0f, 0.9f, 0.0f, -1 },
    { "snareNoGapsMiddlingAttacksKeepsPlate", 2, 1, 0.0f, 0.0f, 0.5f, 0.0f, -1 },
    { "snareNoGapsSoftAttacksJustReachesHall", 2, 1, 0.0f, 0.0f, 0.15f, 0.0f, hall },
    { "naturalGapInBeatsIsChamber", 0, 0, 0.8f, 0.0f, 0.5f, 60.0f, chamber },
    { "naturalSameGapInSecondsKeepsHall", 0, 0, 0.8f, 0.0f, 0.5f, 0.0f, -1 },
};

INSTANTIATE_TEST_SUITE_P(Cases, AutoRule, testing::ValuesIn(autoCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });
} // namespace

TEST_P(AutoRule, OverridesOnlyForAClearWinner)
{
    const auto& c = GetParam();
    LearnFeatures f;
    f.fValid = 1;
    f.fGapMedianSec = c.gapMedian;
    f.fOnsetsPerSec = c.onsetsPerSec;
    f.fAttackSharp = c.attack;
    f.fTempoBpm = c.tempo;

    const auto autoChoice = deriveLearnSettings(f, c.group, c.entry, autoCharacterChoice, 0.0);
    EXPECT_EQ(autoChoice.record.sSpaceOverride, c.expectedOverride);
    const auto expectedEffective = c.expectedOverride >= 0 ? c.expectedOverride : sourcePreset(c.group, c.entry).defaultCharacter;
    EXPECT_EQ(autoChoice.effectiveCharacter, expectedEffective);

    // A fixed Character wins over the override, which is still recorded.
    const auto plateChoice = deriveLearnSettings(f, c.group, c.entry, 4, 0.0);
    EXPECT_EQ(plateChoice.record.sSpaceOverride, c.expectedOverride);
    EXPECT_EQ(plateChoice.effectiveCharacter, plate);
}

TEST(Characters, EffectiveAndAutoCharacter)
{
    struct Case
    {
        int choice, group, entry, spaceOverride, effective, automatic;
    };
    const Case cases[] = {
        { 0, 0, 0, -1, hall, hall },     // Natural's own
        { 0, 1, 0, -1, plate, plate },   // Lead's own
        { 0, 1, 0, 2, chamber, chamber }, // the analysis's override
        { 1, 1, 0, 2, room, chamber },    // a fixed choice; Auto would still mean the override
        { 4, 0, 0, -1, plate, hall },
        { 7, 2, 0, -1, room, room },      // a choice outside 1 to 4 acts as Auto
        { 0, 2, 0, 4, room, room },       // an override outside 0 to 3 is none
        { 0, 9, 1, -1, chamber, chamber }, // group folded to Universal: Subtle
        { 0, 2, 99, -1, chamber, chamber }, // entry folded to Perc
        { 0, 2, -3, -1, room, room },     // entry folded to Full Kit
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(effectiveCharacter(c.choice, c.group, c.entry, c.spaceOverride), c.effective)
            << c.choice << " " << c.group << " " << c.entry << " " << c.spaceOverride;
        EXPECT_EQ(autoCharacter(c.group, c.entry, c.spaceOverride), c.automatic);
    }
}

TEST(SourceTables, NineteenSourcesInSevenGroups)
{
    const int counts[sourceGroupCount] = { 3, 2, 4, 2, 3, 2, 3 };
    for (int g = 0; g < sourceGroupCount; ++g)
    {
        EXPECT_EQ(sourceEntryCount(g), counts[g]) << sourceGroupNames[g];
        for (int e = counts[g]; e < sourceEntrySlots; ++e)
        {
            EXPECT_EQ(sourcePresets[g][e].listenSeconds, 0.0f);
            EXPECT_EQ(sourceMix[g][e], 0.0f);
        }
    }
    EXPECT_EQ(sourceCount, 19);
}

TEST(SourceTables, FoldsOutOfRangeIndices)
{
    struct Case
    {
        int group, entry, foldedGroup, foldedEntry;
    };
    for (const auto& c : { Case { 0, 0, 0, 0 }, Case { 2, 3, 2, 3 }, Case { 7, 1, 0, 1 }, Case { -1, 2, 0, 2 },
                           Case { 1, 5, 1, 1 }, Case { 6, -2, 6, 0 }, Case { 99, 99, 0, 2 } })
    {
        const auto g = foldSourceGroup(c.group);
        EXPECT_EQ(g, c.foldedGroup) << c.group;
        EXPECT_EQ(foldSourceEntry(g, c.entry), c.foldedEntry) << c.group << "/" << c.entry;
    }
}
} // namespace zq6::test
