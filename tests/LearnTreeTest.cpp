#include "state/LearnTree.h"
#include "support/LearnedResult.h"

#include <gtest/gtest.h>

namespace zq6::test
{
namespace
{
// A result as a finished Learn stores it.
LearnRecord learnedRecord()
{
    return learnedSnapshot({ 2, 1, 0 }).record;
}

// The element of a stored Learn result in Send mode, with one attribute set (or removed when the
// text is null).
juce::ValueTree learnedElementWith(const char* attribute, const char* text)
{
    auto element = writeLearnTree(1, learnedRecord());
    if (text == nullptr)
        element.removeProperty(attribute, nullptr);
    else
        element.setProperty(attribute, text, nullptr);
    return element;
}
} // namespace

TEST(LearnTree, WritesModeAndEveryStoredFieldInOrder)
{
    const auto element = writeLearnTree(1, LearnRecord {});
    const juce::StringArray expected { "v", "mode", "hasResult", "sSpaceOverride", "fValid", "fOnsetCount",
                                       "fCrowdedBand", "fGapCount", "fAttackCount", "fValidSeconds", "fSpanSeconds",
                                       "fOnsetsPerSec", "fGapMedianSec", "fGapP75Sec", "fLowDb", "fHighDb",
                                       "fSibilanceDb", "fBreathShare", "fAttackSharp", "fLevelDb", "fTempoBpm",
                                       "pDecaySeconds", "pDecayBeats", "pPreDelayMs", "pPreDelayNote", "pBrightness",
                                       "pLowCutHz", "pErTrimDb", "pCleanShaping", "pShapeSibilance", "pShapeBreath",
                                       "pShapeAttack", "pCleanUnmask", "pSize", "pMix", "pGapUsedSec", "pTempoKnown",
                                       "pTempoBpm" };
    juce::StringArray names;
    for (int i = 0; i < element.getNumProperties(); ++i)
        names.add(element.getPropertyName(i).toString());
    EXPECT_EQ(names, expected);

    EXPECT_EQ(element.getType().toString(), "ZQ6LEARN");
    EXPECT_EQ(element["v"].toString(), "1");
    EXPECT_EQ(element["mode"].toString(), "1");
    EXPECT_EQ(element["sSpaceOverride"].toString(), "-1");
    EXPECT_EQ(element["fSibilanceDb"].toString(), "-100");
    EXPECT_EQ(element["fAttackSharp"].toString(), "0.5");
    EXPECT_EQ(element["pDecaySeconds"].toString(), "2");
    EXPECT_EQ(element["pPreDelayNote"].toString(), "4");
    EXPECT_EQ(element["pMix"].toString(), "0.3");
}

TEST(LearnTree, ReadsBackTheResultItWrote)
{
    auto record = learnedRecord();
    const auto loaded = readLearnTree(writeLearnTree(1, record));
    EXPECT_EQ(loaded.mode, 1);
    // The mode is the loaded one; the Source of the analysis is not stored.
    record.features.mode = 1;
    record.features.sourceGroup = 0;
    record.features.sourceEntry = 0;
    EXPECT_TRUE(sameRecord(loaded.record, record));
}

TEST(LearnTree, NoElementIsInsertWithoutAResult)
{
    const auto loaded = readLearnTree({});
    EXPECT_EQ(loaded.mode, 0);
    EXPECT_TRUE(sameRecord(loaded.record, LearnRecord {}));
}

struct AttributeCase
{
    const char* name;
    const char* attribute;
    const char* text; // null: the attribute is missing
};

class LearnTreeRefusal : public testing::TestWithParam<AttributeCase>
{
};

// A result that is not complete or lies outside the required ranges is dropped as a whole.
TEST_P(LearnTreeRefusal, GivesAFreshRecordAndKeepsTheMode)
{
    const auto loaded = readLearnTree(learnedElementWith(GetParam().attribute, GetParam().text));
    EXPECT_EQ(loaded.mode, 1);
    EXPECT_TRUE(sameRecord(loaded.record, LearnRecord {}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LearnTreeRefusal,
    testing::Values(AttributeCase { "noResultFlag", "hasResult", nullptr },
                    AttributeCase { "resultZero", "hasResult", "0" },
                    AttributeCase { "resultTwo", "hasResult", "2" },
                    AttributeCase { "noShapeAttack", "pShapeAttack", nullptr },
                    AttributeCase { "noDecaySeconds", "pDecaySeconds", nullptr },
                    AttributeCase { "preDelayNoteEight", "pPreDelayNote", "8" },
                    AttributeCase { "preDelayNoteAsFloat", "pPreDelayNote", "4.0" },
                    AttributeCase { "erTrimMinus20", "pErTrimDb", "-20" },
                    AttributeCase { "lowCutTen", "pLowCutHz", "10" },
                    AttributeCase { "decayBeatsBelowRange", "pDecayBeats", "0.2" },
                    AttributeCase { "brightnessAboveOne", "pBrightness", "1.01" },
                    AttributeCase { "preDelayNotANumber", "pPreDelayMs", "nan" },
                    AttributeCase { "decayWithPlus", "pDecaySeconds", "+2" }),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

struct SanitiseCase
{
    const char* name;
    const char* attribute;
    const char* text;
    const char* loadedText; // the field as it is written after loading
};

class LearnTreeSanitising : public testing::TestWithParam<SanitiseCase>
{
};

TEST_P(LearnTreeSanitising, KeepsTheResultWithTheFieldInRange)
{
    const auto& c = GetParam();
    const auto loaded = readLearnTree(learnedElementWith(c.attribute, c.text));
    ASSERT_EQ(loaded.record.hasResult, 1);
    EXPECT_EQ(writeLearnTree(loaded.mode, loaded.record)[c.attribute].toString(), c.loadedText);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LearnTreeSanitising,
    testing::Values(SanitiseCase { "overrideKept", "sSpaceOverride", "3", "3" },
                    SanitiseCase { "overrideOutOfRange", "sSpaceOverride", "4", "-1" },
                    SanitiseCase { "validFlagFive", "fValid", "5", "0" },
                    SanitiseCase { "negativeOnsets", "fOnsetCount", "-3", "0" },
                    SanitiseCase { "crowdedBandSeven", "fCrowdedBand", "7", "7" },
                    SanitiseCase { "crowdedBandEight", "fCrowdedBand", "8", "-1" },
                    SanitiseCase { "crowdedBandMinusTwo", "fCrowdedBand", "-2", "-1" },
                    SanitiseCase { "negativeAttacks", "fAttackCount", "-1", "0" },
                    SanitiseCase { "validSecondsHigh", "fValidSeconds", "200000", "1e+05" },
                    SanitiseCase { "negativeGap", "fGapP75Sec", "-1", "0" },
                    SanitiseCase { "lowDbLow", "fLowDb", "-300", "-200" },
                    SanitiseCase { "sibilanceHigh", "fSibilanceDb", "80", "50" },
                    SanitiseCase { "breathShareHigh", "fBreathShare", "1.5", "1" },
                    SanitiseCase { "levelHigh", "fLevelDb", "60", "50" },
                    SanitiseCase { "tempoHigh", "fTempoBpm", "301", "300" },
                    SanitiseCase { "unmaskNegative", "pCleanUnmask", "-0.5", "0" },
                    SanitiseCase { "sizeTwo", "pSize", "2", "1" },
                    SanitiseCase { "mixHigh", "pMix", "1.5", "1" },
                    SanitiseCase { "gapUsedHigh", "pGapUsedSec", "2000", "1000" },
                    SanitiseCase { "tempoKnownTwo", "pTempoKnown", "2", "0" },
                    SanitiseCase { "proposedTempoHigh", "pTempoBpm", "400", "300" },
                    SanitiseCase { "unreadableFloatIsFresh", "fLowDb", "abc", "0" },
                    SanitiseCase { "unreadableIntIsFresh", "fOnsetCount", "1.5", "0" },
                    SanitiseCase { "missingFieldIsFresh", "fSibilanceDb", nullptr, "-100" },
                    SanitiseCase { "versionNotChecked", "v", "7", "1" }),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

struct ModeCase
{
    const char* text;
    int mode;
};

class LearnTreeMode : public testing::TestWithParam<ModeCase>
{
};

TEST_P(LearnTreeMode, IsInsertUnlessItIsOne)
{
    const auto loaded = readLearnTree(learnedElementWith("mode", GetParam().text));
    EXPECT_EQ(loaded.mode, GetParam().mode);
    EXPECT_EQ(loaded.record.hasResult, 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, LearnTreeMode,
                         testing::Values(ModeCase { "0", 0 }, ModeCase { "1", 1 }, ModeCase { "2", 0 },
                                         ModeCase { "-1", 0 }, ModeCase { "send", 0 }, ModeCase { nullptr, 0 }));
} // namespace zq6::test
