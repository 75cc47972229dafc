#include "params/ParameterIds.h"
#include "processor/ZQ6AudioProcessor.h"
#include "state/LearnBaseline.h"

#include <gtest/gtest.h>

namespace zq6::test
{
namespace
{
int indexOf(const char* parameterId)
{
    for (int i = 0; i < baselineTargetCount; ++i)
        if (juce::String(baselineTargets[i].parameterId) == parameterId)
            return i;
    return -1;
}
} // namespace

class Baseline : public testing::Test
{
protected:
    // A valid element with selection "2 3 4", eff 3 and a decay of 1.5 s.
    juce::ValueTree treeWithElement()
    {
        juce::ValueTree tree("ZQ6SLOT");
        LearnBaseline baseline;
        baseline.sel = { 2, 3, 4 };
        baseline.eff = 3;
        baseline.values[static_cast<size_t>(indexOf(pid::decay))] = 1.5f;
        writeBaseline(tree, baseline, nullptr);
        return tree;
    }

    LearnBaseline read(const juce::ValueTree& tree) { return readBaseline(tree, state); }

    ZQ6AudioProcessor processor;
    const juce::AudioProcessorValueTreeState& state = processor.getValueTreeState();
};

TEST_F(Baseline, WritesItsAttributesInOrderAndReadsThemBack)
{
    const auto tree = treeWithElement();
    const auto element = tree.getChildWithName("ZQ6BASE");
    ASSERT_EQ(element.getNumProperties(), 4);
    EXPECT_EQ(element.getPropertyName(0).toString(), "v");
    EXPECT_EQ(element.getPropertyName(1).toString(), "eff");
    EXPECT_EQ(element.getPropertyName(2).toString(), "bDecay");
    EXPECT_EQ(element.getPropertyName(3).toString(), "sel");
    EXPECT_EQ(element["sel"].toString(), "2 3 4");
    EXPECT_EQ(element["bDecay"].toString(), "1.5");

    const auto baseline = read(tree);
    ASSERT_TRUE(baseline.valid);
    EXPECT_EQ(baseline.sel, (SourceSelection { 2, 3, 4 }));
    EXPECT_EQ(baseline.eff, 3);
    EXPECT_EQ(baseline.values[static_cast<size_t>(indexOf(pid::decay))], 1.5f);
    EXPECT_FALSE(baseline.values[static_cast<size_t>(indexOf(pid::mix))].has_value());
}

struct AttributeCase
{
    const char* attribute;
    const char* text;
    bool valid;
};

class BaselineValidity : public Baseline, public testing::WithParamInterface<AttributeCase>
{
};

TEST_P(BaselineValidity, FollowsVersionSelectionAndCharacter)
{
    auto tree = treeWithElement();
    tree.getChildWithName("ZQ6BASE").setProperty(GetParam().attribute, GetParam().text, nullptr);
    EXPECT_EQ(read(tree).valid, GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(Cases, BaselineValidity,
                         testing::Values(AttributeCase { "sel", "0 0", false }, AttributeCase { "sel", "0 0 0 0", false },
                                         AttributeCase { "sel", "1 2 0", false }, AttributeCase { "sel", "1 1 0", true },
                                         AttributeCase { "sel", "6 2 4", true }, AttributeCase { "sel", "7 0 0", false },
                                         AttributeCase { "sel", "0 0 5", false }, AttributeCase { "sel", "-1 0 0", false },
                                         AttributeCase { "sel", "0  0 0", false }, AttributeCase { "sel", "0 0 +1", false },
                                         AttributeCase { "sel", "", false }, AttributeCase { "v", "1", false },
                                         AttributeCase { "v", "2.0", false }, AttributeCase { "v", "2", true },
                                         AttributeCase { "eff", "4", false }, AttributeCase { "eff", "-1", false },
                                         AttributeCase { "eff", "0", true }, AttributeCase { "eff", "x", false }));

TEST_F(Baseline, MissingElementOrVersionIsInvalid)
{
    EXPECT_FALSE(read(juce::ValueTree("ZQ6SLOT")).valid);
    auto tree = treeWithElement();
    tree.getChildWithName("ZQ6BASE").removeProperty("v", nullptr);
    EXPECT_FALSE(read(tree).valid);
}

struct ValueCase
{
    const char* text;
    bool present;
};

class BaselineValue : public Baseline, public testing::WithParamInterface<ValueCase>
{
};

// Decay ranges over 0.1 to 20 s.
TEST_P(BaselineValue, IsPresentOnlyWhenReadableAndWithinTheWidenedRange)
{
    auto tree = treeWithElement();
    tree.getChildWithName("ZQ6BASE").setProperty("bDecay", GetParam().text, nullptr);
    const auto baseline = read(tree);
    EXPECT_TRUE(baseline.valid);
    EXPECT_EQ(baseline.values[static_cast<size_t>(indexOf(pid::decay))].has_value(), GetParam().present);
}

INSTANTIATE_TEST_SUITE_P(Cases, BaselineValue,
                         testing::Values(ValueCase { "20.00005", true }, ValueCase { "20.0002", false },
                                         ValueCase { "0.09995", true }, ValueCase { "0.0998", false },
                                         ValueCase { "2e1", true }, ValueCase { "abc", false }, ValueCase { "+2", false },
                                         ValueCase { " 2", false }, ValueCase { "1e39", false }));

TEST_F(Baseline, WritingWithoutAValueRemovesTheOldAttribute)
{
    auto tree = treeWithElement();
    auto element = tree.getChildWithName("ZQ6BASE");
    element.setProperty("bMix", "0.3", nullptr);
    writeBaseline(tree, read(treeWithElement()), nullptr);
    EXPECT_FALSE(element.hasProperty("bMix"));
    EXPECT_TRUE(element.hasProperty("bDecay"));
}

TEST_F(Baseline, ChangesAreUndoableButTheCreatedElementStays)
{
    juce::UndoManager undoManager;
    juce::ValueTree tree("ZQ6SLOT");
    LearnBaseline baseline;
    baseline.sel = { 1, 1, 2 };
    writeBaseline(tree, baseline, &undoManager);
    undoManager.undo();
    const auto element = tree.getChildWithName("ZQ6BASE");
    ASSERT_TRUE(element.isValid());
    EXPECT_FALSE(element.hasProperty("sel"));
}

TEST_F(Baseline, NewProcessorSuggestsItsDefaults)
{
    const auto baseline = read(state.state);
    ASSERT_TRUE(baseline.valid);
    EXPECT_EQ(baseline.sel, SourceSelection {});
    for (int i = 0; i < baselineTargetCount; ++i)
    {
        const auto* parameter = state.getParameter(baselineTargets[i].parameterId);
        EXPECT_EQ(baseline.values[static_cast<size_t>(i)], parameter->convertFrom0to1(parameter->getDefaultValue()))
            << baselineTargets[i].attribute;
    }
    EXPECT_FALSE(processor.canUndo());
}
} // namespace zq6::test
