#include "params/ParameterIds.h"
#include "state/LearnBaseline.h"
#include "support/HistoryFixture.h"
#include "support/LearnedResult.h"
#include "support/ProcessorHarness.h"
#include "support/StateBlocks.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace zq6::test
{
namespace
{
juce::XmlElement* parameterElement(juce::XmlElement& document, const char* id)
{
    return document.getChildByAttribute("id", id);
}

bool isFreshRecord(const LearnRecord& record)
{
    return sameRecord(record, LearnRecord {});
}

constexpr SourceSelection snare { 2, 1, 0 };

LearnSnapshot learnedInSendMode()
{
    auto snapshot = learnedSnapshot(snare);
    snapshot.mode = ZQ6AudioProcessor::send;
    return snapshot;
}
} // namespace

class SavedState : public HistoryFixture
{
protected:
    juce::MemoryBlock save() { return saveOf(processor); }
    void load(const juce::MemoryBlock& block) { loadInto(processor, block); }

    void set(const char* id, float valueInUnits)
    {
        auto& p = parameter(id);
        p.setValueNotifyingHost(p.convertTo0to1(valueInUnits));
    }

    // This processor's state with one change made to its document.
    juce::MemoryBlock editedSave(const std::function<void(juce::XmlElement&)>& change)
    {
        auto document = documentOf(save());
        change(*document);
        return blockOf(*document);
    }

    // Everything a state holds, away from a new instance: parameters, both slots, a Source, Send mode
    // and a Learn result, with history steps.
    void moveAwayFromNew()
    {
        set(pid::size, 0.8f);
        ASSERT_TRUE(processor.switchSlot(1));
        ASSERT_TRUE(processor.chooseSource(snare.group, snare.entry));
        set(pid::decay, 6.5f);
        set(pid::eqLp, 9000.0f);
        processor.applyLearnSnapshot(learnedInSendMode());
        ASSERT_TRUE(processor.canUndo());
    }

    juce::String baselineSelection() const { return state.state.getChildWithName("ZQ6BASE")["sel"].toString(); }
};

TEST_F(SavedState, ANewInstancesStateLoadsAsANewInstance)
{
    ZQ6AudioProcessor fresh;
    const auto freshState = saveOf(fresh);
    moveAwayFromNew();

    load(freshState);
    for (auto* p : processor.getParameters())
        EXPECT_NEAR(p->getValue(), p->getDefaultValue(), 1.0e-6f) << p->getName(32);
    EXPECT_EQ(processor.getActiveSlot(), 0);
    EXPECT_TRUE(processor.getSlots().slotValues(0).empty());
    EXPECT_TRUE(processor.getSlots().slotValues(1).empty());
    EXPECT_EQ(processor.getMode(), ZQ6AudioProcessor::insert);
    EXPECT_TRUE(isFreshRecord(processor.getLearnSettings().copyRecord()));
    EXPECT_EQ(baselineSelection(), "0 0 0");
    EXPECT_EQ(save(), freshState);
}

TEST_F(SavedState, EverythingSavedLoadsIntoANewInstance)
{
    moveAwayFromNew();
    const auto saved = save();

    ZQ6AudioProcessor other;
    loadInto(other, saved);
    EXPECT_EQ(other.getActiveSlot(), 1);
    EXPECT_EQ(other.getSourceSelection(), snare);
    EXPECT_EQ(other.getMode(), ZQ6AudioProcessor::send);
    EXPECT_EQ(other.getLearnSettings().copyRecord().hasResult, 1);
    EXPECT_FLOAT_EQ(valueOf(other.getValueTreeState(), pid::decay), 6.5f);
    EXPECT_EQ(saveOf(other), saved);
}

TEST_F(SavedState, TheBlockIsTheFrameworksXmlInBinaryFormat)
{
    const auto block = save();
    const auto* bytes = static_cast<const std::uint8_t*>(block.getData());
    ASSERT_GT(block.getSize(), 9u);
    EXPECT_EQ(std::memcmp(bytes, "VC2!", 4), 0);
    EXPECT_EQ(juce::ByteOrder::littleEndianInt(bytes + 4), block.getSize() - 9);
    EXPECT_EQ(bytes[block.getSize() - 1], 0);
    const auto text = juce::String::fromUTF8(reinterpret_cast<const char*>(bytes + 8), static_cast<int>(block.getSize() - 9));
    EXPECT_TRUE(text.startsWith("<?xml"));
    EXPECT_FALSE(text.containsChar('\n'));

    const auto document = documentOf(block);
    EXPECT_EQ(document->getTagName(), "ZQ6STATE");
    EXPECT_EQ(document->getStringAttribute("zq6StateVersion"), "1");
    juce::StringArray types;
    for (auto* child : document->getChildIterator())
        if (!child->hasTagName("PARAM"))
            types.add(child->getTagName());
    EXPECT_EQ(types, (juce::StringArray { "ZQ6BASE", "QuilAB", "ZQ6LEARN" }));
    EXPECT_EQ(document->getNumChildElements(), pid::count + 3);
}

struct DamageCase
{
    const char* name;
    std::function<juce::MemoryBlock(const juce::MemoryBlock& valid)> damage;
};

juce::MemoryBlock withByte(juce::MemoryBlock block, size_t index, std::uint8_t value)
{
    block[index] = static_cast<char>(value);
    return block;
}

class DamagedState : public SavedState, public testing::WithParamInterface<DamageCase>
{
};

// The damaged blocks are made from a new instance's state, which would change everything if it loaded.
TEST_P(DamagedState, ChangesNothing)
{
    ZQ6AudioProcessor fresh;
    const auto damaged = GetParam().damage(saveOf(fresh));
    moveAwayFromNew();
    const auto before = save();
    const auto stepsBefore = steps();

    load(damaged);
    EXPECT_EQ(save(), before);
    EXPECT_EQ(steps(), stepsBefore);
    EXPECT_TRUE(processor.canUndo());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedState,
    testing::Values(
        DamageCase { "empty", [](const juce::MemoryBlock&) { return juce::MemoryBlock(); } },
        DamageCase { "headerOnly", [](const juce::MemoryBlock& valid) { return juce::MemoryBlock(valid.getData(), 8); } },
        DamageCase { "wrongMagic", [](const juce::MemoryBlock& valid) { return withByte(valid, 0, 'W'); } },
        DamageCase { "zeroLength",
                     [](const juce::MemoryBlock& valid)
                     { return withByte(withByte(withByte(withByte(valid, 4, 0), 5, 0), 6, 0), 7, 0); } },
        DamageCase { "lengthWithTopBit", [](const juce::MemoryBlock& valid) { return withByte(valid, 7, 0x80); } },
        DamageCase { "lengthCutsTheDocument", [](const juce::MemoryBlock& valid) { return withByte(withByte(valid, 5, 0), 6, 0); } },
        DamageCase { "blockCutInHalf",
                     [](const juce::MemoryBlock& valid) { return juce::MemoryBlock(valid.getData(), valid.getSize() / 2); } },
        DamageCase { "notXml", [](const juce::MemoryBlock&) { return headerWithText("decay=6.5"); } },
        DamageCase { "invalidUtf8",
                     [](const juce::MemoryBlock& valid)
                     {
                         const std::string bytes(static_cast<const char*>(valid.getData()), valid.getSize());
                         return withByte(valid, bytes.find("id=\"attack\"") + 4, 0xff);
                     } },
        DamageCase { "attributeTwice",
                     [](const juce::MemoryBlock& valid)
                     { return headerWithText(textOf(valid).replace("id=\"decay\"", "id=\"decay\" value=\"9.0\"")); } },
        DamageCase { "instructionInsideTheRoot",
                     [](const juce::MemoryBlock& valid)
                     { return headerWithText(textOf(valid).replace("<ZQ6BASE", "<?note?>text<ZQ6BASE")); } },
        DamageCase { "otherRoot",
                     [](const juce::MemoryBlock& valid)
                     {
                         auto document = documentOf(valid);
                         document->setTagName("ZQ6PRESET");
                         return blockOf(*document);
                     } }),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

struct LearnElementCase
{
    const char* name;
    const char* attribute;
    const char* text; // null: the attribute is removed
    bool resultKept;
    int mode;
};

class LoadedLearnElement : public SavedState, public testing::WithParamInterface<LearnElementCase>
{
};

TEST_P(LoadedLearnElement, KeepsOrDropsTheResult)
{
    const auto& c = GetParam();
    processor.applyLearnSnapshot(learnedInSendMode());
    const auto block = editedSave(
        [&c](juce::XmlElement& document)
        {
            auto* learn = document.getChildByName("ZQ6LEARN");
            if (c.text == nullptr)
                learn->removeAttribute(c.attribute);
            else
                learn->setAttribute(c.attribute, c.text);
        });

    ZQ6AudioProcessor other;
    loadInto(other, block);
    EXPECT_EQ(other.getMode(), c.mode);
    const auto record = other.getLearnSettings().copyRecord();
    if (c.resultKept)
        EXPECT_EQ(record.hasResult, 1);
    else
        EXPECT_TRUE(isFreshRecord(record));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadedLearnElement,
    testing::Values(LearnElementCase { "complete", "v", "1", true, 1 },
                    LearnElementCase { "noShapeAttack", "pShapeAttack", nullptr, false, 1 },
                    LearnElementCase { "preDelayNoteEight", "pPreDelayNote", "8", false, 1 },
                    LearnElementCase { "erTrimMinus20", "pErTrimDb", "-20", false, 1 },
                    LearnElementCase { "lowCutTen", "pLowCutHz", "10", false, 1 },
                    LearnElementCase { "modeTwo", "mode", "2", true, 0 },
                    LearnElementCase { "unknownAttribute", "pFuture", "1", true, 1 }),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(SavedState, NoLearnElementLoadsInsertWithoutAResult)
{
    processor.applyLearnSnapshot(learnedInSendMode());
    const auto block = editedSave([](juce::XmlElement& document)
                                  { document.removeChildElement(document.getChildByName("ZQ6LEARN"), true); });
    load(block);
    EXPECT_EQ(processor.getMode(), ZQ6AudioProcessor::insert);
    EXPECT_TRUE(isFreshRecord(processor.getLearnSettings().copyRecord()));
}

struct BaselineCase
{
    const char* name;
    std::function<void(juce::XmlElement& baseline)> damage;
};

class LoadedBaseline : public SavedState, public testing::WithParamInterface<BaselineCase>
{
};

TEST_P(LoadedBaseline, IsRebuiltFromTheLoadedParametersWhenInvalid)
{
    ASSERT_TRUE(processor.chooseSource(snare.group, snare.entry));
    set(pid::decay, 6.5f);
    set(pid::mix, 0.42f);
    const auto& damage = GetParam().damage;
    const auto block = editedSave([&damage](juce::XmlElement& document) { damage(*document.getChildByName("ZQ6BASE")); });

    ZQ6AudioProcessor other;
    loadInto(other, block);
    const auto& otherState = other.getValueTreeState();
    const auto baseline = readBaseline(otherState.state, otherState);
    ASSERT_TRUE(baseline.valid);
    EXPECT_EQ(baseline.sel, SourceSelection {});
    EXPECT_EQ(other.getSourceSelection(), SourceSelection {});
    for (int i = 0; i < baselineTargetCount; ++i)
    {
        const auto* id = baselineTargets[i].parameterId;
        ASSERT_TRUE(baseline.values[static_cast<size_t>(i)].has_value()) << id;
        EXPECT_FLOAT_EQ(*baseline.values[static_cast<size_t>(i)], valueOf(otherState, id)) << id;
    }
    EXPECT_FLOAT_EQ(valueOf(otherState, pid::decay), 6.5f);
    EXPECT_FLOAT_EQ(valueOf(otherState, pid::mix), 0.42f);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadedBaseline,
    testing::Values(BaselineCase { "versionOne", [](juce::XmlElement& b) { b.setAttribute("v", 1); } },
                    BaselineCase { "entryOutOfGroup", [](juce::XmlElement& b) { b.setAttribute("sel", "1 2 0"); } },
                    BaselineCase { "effectiveFour", [](juce::XmlElement& b) { b.setAttribute("eff", 4); } },
                    BaselineCase { "renamed", [](juce::XmlElement& b) { b.setTagName("ZQ6BASE2"); } }),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(SavedState, TheVersionIsKeptAsLoadedAndZeroWhenMissing)
{
    for (const auto* version : { "", "5", "x" })
    {
        const auto block = editedSave(
            [version](juce::XmlElement& document)
            {
                if (*version == 0)
                    document.removeAttribute("zq6StateVersion");
                else
                    document.setAttribute("zq6StateVersion", version);
                parameterElement(document, pid::decay)->setAttribute("value", 7.25);
            });
        ZQ6AudioProcessor other;
        loadInto(other, block);
        EXPECT_FLOAT_EQ(valueOf(other.getValueTreeState(), pid::decay), 7.25f);
        const auto expected = juce::String(version) == "5" ? "5" : "0";
        EXPECT_EQ(documentOf(saveOf(other))->getStringAttribute("zq6StateVersion"), expected) << version;
    }
}

// The framework would set a parameter without a PARAM child to its default.
TEST_F(SavedState, AParameterMissingFromTheStateKeepsItsValue)
{
    ZQ6AudioProcessor source;
    auto& sourceState = source.getValueTreeState();
    for (const auto& [id, value] : { std::pair { pid::decay, 6.5f }, std::pair { pid::eqLp, 5000.0f } })
    {
        auto* p = sourceState.getParameter(id);
        p->setValueNotifyingHost(p->convertTo0to1(value));
    }
    auto document = documentOf(saveOf(source));
    document->removeChildElement(parameterElement(*document, pid::eqLp), true);

    set(pid::eqLp, 9000.0f);
    load(blockOf(*document));
    EXPECT_FLOAT_EQ(value(pid::decay), 6.5f);
    EXPECT_FLOAT_EQ(value(pid::eqLp), 9000.0f);
    ASSERT_NE(parameterElement(*documentOf(save()), pid::eqLp), nullptr);

    load(save());
    EXPECT_FLOAT_EQ(value(pid::eqLp), 9000.0f);
}

struct ParameterValueCase
{
    const char* name;
    const char* text; // null: no "value" attribute
    float decay;
};

class LoadedParameterValue : public SavedState, public testing::WithParamInterface<ParameterValueCase>
{
};

TEST_P(LoadedParameterValue, IsFoldedIntoRange)
{
    const auto* text = GetParam().text;
    const auto block = editedSave(
        [text](juce::XmlElement& document)
        {
            auto* decay = parameterElement(document, pid::decay);
            if (text == nullptr)
                decay->removeAttribute("value");
            else
                decay->setAttribute("value", text);
        });
    set(pid::decay, 9.0f);
    load(block);
    EXPECT_FLOAT_EQ(value(pid::decay), GetParam().decay);
}

INSTANTIATE_TEST_SUITE_P(Cases, LoadedParameterValue,
                         testing::Values(ParameterValueCase { "inRange", "3.5", 3.5f },
                                         ParameterValueCase { "absent", nullptr, 2.0f },
                                         ParameterValueCase { "notANumber", "nan", 2.0f },
                                         ParameterValueCase { "infinite", "inf", 2.0f },
                                         ParameterValueCase { "notANumberText", "1rim", 2.0f },
                                         ParameterValueCase { "exponentTooLong", "1e3811020851", 2.0f },
                                         ParameterValueCase { "huge", "1e300", 20.0f },
                                         ParameterValueCase { "negative", "-5", 0.1f }),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(SavedState, UnknownChildrenAndParametersAreDropped)
{
    const auto block = editedSave(
        [](juce::XmlElement& document)
        {
            document.createNewChildElement("FUTURE")->setAttribute("x", 1);
            auto* unknown = document.createNewChildElement("PARAM");
            unknown->setAttribute("id", "reverse");
            unknown->setAttribute("value", 1.0);
            auto* secondBaseline = new juce::XmlElement(*document.getChildByName("ZQ6BASE"));
            secondBaseline->setAttribute("sel", "6 2 4");
            document.addChildElement(secondBaseline);
            auto* earlierDecay = new juce::XmlElement(*parameterElement(document, pid::decay));
            earlierDecay->setAttribute("value", 11.0);
            document.insertChildElement(earlierDecay, 0);
            parameterElement(document, pid::size)->setAttribute("value", 0.7);
        });
    load(block);

    EXPECT_FLOAT_EQ(value(pid::size), 0.7f);
    EXPECT_FLOAT_EQ(value(pid::decay), 2.0f) << "a parameter named twice takes its last entry";
    EXPECT_EQ(baselineSelection(), "0 0 0");
    const auto saved = documentOf(save());
    EXPECT_EQ(saved->getChildByName("FUTURE"), nullptr);
    EXPECT_EQ(parameterElement(*saved, "reverse"), nullptr);
    EXPECT_EQ(saved->getNumChildElements(), pid::count + 3);
    EXPECT_EQ(state.state.getNumChildren(), pid::count + 1);
}

TEST_F(SavedState, ALoadForgetsTheHistoryAndOpenGestures)
{
    ASSERT_TRUE(processor.chooseSource(snare.group, snare.entry));
    ASSERT_TRUE(processor.chooseCharacter(4));
    ASSERT_TRUE(undo());
    ASSERT_TRUE(processor.canUndo());
    ASSERT_TRUE(processor.canRedo());
    parameter(pid::size).beginChangeGesture();
    ASSERT_TRUE(processor.getParameterUndo().isGestureOpen());

    load(save());
    EXPECT_FALSE(processor.canUndo());
    EXPECT_FALSE(processor.canRedo());
    EXPECT_TRUE(steps().isEmpty());
    EXPECT_FALSE(processor.getParameterUndo().isGestureOpen());
    EXPECT_FALSE(undo());
}

TEST(SavedStateLearn, ALoadWhileLearnListensCancelsIt)
{
    ProcessorHarness harness;
    auto& processor = harness.processor();
    ZQ6AudioProcessor source;
    source.getValueTreeState().getParameter(pid::size)->setValueNotifyingHost(0.9f);
    const auto block = saveOf(source);

    ASSERT_TRUE(processor.startLearn());
    auto noise = makeNoise(2, 4800);
    harness.process(noise);
    loadInto(processor, block);
    EXPECT_EQ(processor.getLearnControl().getState(), LearnState::cancelRequested);
    EXPECT_FLOAT_EQ(processor.getValueTreeState().getParameter(pid::size)->getValue(), 0.9f);

    processor.tickLearn();
    EXPECT_TRUE(processor.getLearnControl().isIdle());
    EXPECT_EQ(processor.getLearnControl().status.load(), static_cast<int>(LearnStatus::cancelled));
    EXPECT_TRUE(isFreshRecord(processor.getLearnSettings().copyRecord()));
}
} // namespace zq6::test

namespace zq6::test
{
// A host loading states between blocks switches the engine's Character; the audio path must follow
// without allocating.
TEST(SavedStateOnTheAudioPath, LoadsBetweenBlocksChangeTheCharacterWithoutAllocating)
{
    ProcessorHarness harness;
    auto& processor = harness.processor();
    juce::MemoryBlock hall, plate;
    processor.getStateInformation(hall);
    ASSERT_TRUE(processor.chooseCharacter(4));
    processor.getStateInformation(plate);
    const auto plateCharacter = processor.getEffectiveCharacter();

    auto audio = makeNoise(2, 256, 0.5f, 3);
    for (int round = 0; round < 8; ++round)
    {
        const auto& state = round % 2 == 0 ? hall : plate;
        processor.setStateInformation(state.getData(), static_cast<int>(state.getSize()));
        EXPECT_EQ(processor.getEffectiveCharacter() == plateCharacter, round % 2 == 1);
        harness.process(audio);
    }
    EXPECT_EQ(harness.allocationsOnAudioPath(), 0);
}
} // namespace zq6::test
