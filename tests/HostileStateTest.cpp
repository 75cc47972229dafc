#include "params/ParameterIds.h"
#include "state/DocumentLimits.h"
#include "support/AllocationGuard.h"
#include "support/CraftedStates.h"
#include "support/HistoryFixture.h"
#include "support/StateBlocks.h"

#include <gtest/gtest.h>

#include <functional>

// States from project files that someone crafted or damaged: each kind the framework's reader
// cannot be trusted with, and its near neighbours that a real state may still hold.
namespace zq6::test
{
namespace
{
using Limits = statetree::DocumentLimits;

juce::String repeated(const juce::String& text, int times)
{
    return juce::String::repeatedString(text, times);
}

using crafted::attributes;
using crafted::nested;
const auto withInRoot = crafted::inRoot;
const auto withOnElement = crafted::onElement;

// Sets decay to 7.25 s, so a load that goes through shows.
juce::String withDecay(const juce::String& document)
{
    const juce::String attribute = "id=\"decay\" value=\"";
    const auto start = document.indexOf(attribute) + attribute.length();
    return document.replaceSection(start, document.indexOfChar(start, '"') - start, "7.25");
}

struct HostileCase
{
    const char* name;
    std::function<juce::String(const juce::String& freshDocument)> make;
    bool loads;
};

void PrintTo(const HostileCase& c, std::ostream* out)
{
    *out << c.name;
}

class CraftedStateLoad : public HistoryFixture
{
protected:
    void SetUp() override
    {
        ZQ6AudioProcessor fresh;
        freshDocument = textOf(saveOf(fresh));
        ASSERT_TRUE(freshDocument.contains("id=\"decay\" value=\""));
        parameter(pid::size).setValueNotifyingHost(0.8f);
        ASSERT_TRUE(processor.switchSlot(1));
        ASSERT_TRUE(processor.chooseSource(2, 1));
    }

    // Loaded or refused, a block never makes the load allocate much more than the block itself
    // (the framework's reader once asked for 200 MB on a 2.7 KB block).
    void expectLoad(const juce::String& document, bool loads)
    {
        ASSERT_NE(document, freshDocument);
        const auto block = headerWithText(withDecay(document));
        const auto before = saveOf(processor);
        const auto stepsBefore = steps();

        std::size_t largest = 0;
        {
            AllocationGuard guard;
            loadInto(processor, block);
            largest = guard.largestAllocation();
        }
        EXPECT_LE(largest, 2 * block.getSize() + 65536);

        if (loads)
        {
            EXPECT_FLOAT_EQ(value(pid::decay), 7.25f);
            const auto saved = saveOf(processor);
            EXPECT_TRUE(statetree::isWithinDocumentLimits(textOf(saved).toRawUTF8(), saved.getSize() - 9));
            loadInto(processor, saved);
            EXPECT_EQ(saveOf(processor), saved) << "what loaded saves and loads back the same";
        }
        else
        {
            EXPECT_EQ(saveOf(processor), before);
            EXPECT_EQ(steps(), stepsBefore);
        }
    }

    juce::String freshDocument;
};

TEST_F(CraftedStateLoad, TheKindsThatOnceBrokeTheReaderAreRefusedWithNothingChanged)
{
    for (const auto& [name, document] : crafted::hostileDocuments(freshDocument))
    {
        SCOPED_TRACE(name);
        expectLoad(document, false);
    }
}

class HostileState : public CraftedStateLoad, public testing::WithParamInterface<HostileCase>
{
};

TEST_P(HostileState, IsRefusedWithNothingChangedOrLoadsWhole)
{
    expectLoad(GetParam().make(freshDocument), GetParam().loads);
}

using D = const juce::String&;

INSTANTIATE_TEST_SUITE_P(
    Cases, HostileState,
    testing::Values(
        // The framework decodes "base64:" attributes into memory blocks of the size they state.
        HostileCase { "base64OnAParameter", [](D d) { return withOnElement(d, "PARAM", "base64:value=\"-1.AAAA\""); }, false },
        HostileCase { "base64OnTheRoot", [](D d) { return withOnElement(d, "ZQ6STATE", "base64:v=\"99999999.AA\""); }, false },
        HostileCase { "prefixedAttribute", [](D d) { return withOnElement(d, "ZQ6BASE", "q:sel=\"1 0 0\""); }, false },
        HostileCase { "prefixedElement", [](D d) { return withInRoot(d, "<q:FUTURE/>"); }, false },
        // The reader recurses once per level.
        HostileCase { "nested10000", [](D d) { return withInRoot(d, nested(10000)); }, false },
        HostileCase { "nestedOneTooDeep", [](D d) { return withInRoot(d, nested(Limits::maxDepth)); }, false },
        HostileCase { "nestedBehindCommentsThatHideTheirEnds",
                      [](D d) { return withInRoot(d, repeated("<a><!--></a>-->", 5000)); }, false },
        HostileCase { "nestedUnclosed", [](D d) { return withInRoot(d, repeated("<a>", 20000)); }, false },
        HostileCase { "tooManyElements", [](D d) { return withInRoot(d, repeated("<x/>", Limits::maxElements)); }, false },
        HostileCase { "tooManyAttributesOnOneElement",
                      [](D d) { return withInRoot(d, "<x" + attributes(Limits::maxAttributesPerElement + 1) + "/>"); }, false },
        HostileCase { "tooManyAttributesInAll",
                      [](D d)
                      {
                          const auto perElement = Limits::maxAttributesPerElement;
                          return withInRoot(d, repeated("<x" + attributes(perElement) + "/>", Limits::maxAttributes / perElement + 1));
                      },
                      false },
        HostileCase { "attributeTwiceFarApart",
                      [](D d) { return withOnElement(d, "ZQ6LEARN", "mode=\"1\"" + attributes(200)); }, false },
        HostileCase { "overAMegabyte",
                      [](D d) { return withInRoot(d, juce::String::repeatedString(" ", static_cast<int>(Limits::maxBytes))); }, false },
        HostileCase { "unknownEntity", [](D d) { return withOnElement(d, "ZQ6BASE", "x=\"&future;\""); }, false },
        HostileCase { "ampersandsWithoutEnd", [](D d) { return withOnElement(d, "ZQ6BASE", "x=\"" + repeated("&", 100000) + ";\""); }, false },
        HostileCase { "referenceToNothing", [](D d) { return withOnElement(d, "ZQ6BASE", "x=\"&#0;\""); }, false },
        HostileCase { "referenceToASurrogate", [](D d) { return withOnElement(d, "ZQ6BASE", "x=\"&#xd800;\""); }, false },
        HostileCase { "referenceBeyondUnicode", [](D d) { return withOnElement(d, "ZQ6BASE", "x=\"&#x110000;\""); }, false },
        HostileCase { "characterData", [](D d) { return withInRoot(d, "<![CDATA[text]]>"); }, false },
        HostileCase { "instructionAfterTheDeclaration", [](D d) { return withInRoot(d, "<?note?>"); }, false },
        HostileCase { "lessThanInAValue", [](D d) { return withOnElement(d, "ZQ6BASE", "x=\"a<b\""); }, false },
        // Near neighbours that a state may hold.
        HostileCase { "nestedAsDeepAsAState", [](D d) { return withInRoot(d, nested(Limits::maxDepth - 1)); }, true },
        HostileCase { "manyUnknownElements", [](D d) { return withInRoot(d, repeated("<x/>", Limits::maxElements - 100)); }, true },
        HostileCase { "manyAttributesOnUnknownElements",
                      [](D d) { return withInRoot(d, repeated("<x" + attributes(Limits::maxAttributesPerElement) + "/>", 10)); }, true },
        HostileCase { "manyUnknownAttributesOnKnownElements",
                      [](D d)
                      {
                          auto text = withOnElement(d, "ZQ6BASE", attributes(200));
                          return withOnElement(withOnElement(text, "PARAM", attributes(200)), "ZQ6LEARN", attributes(200));
                      },
                      true },
        HostileCase { "childrenOfTheBaseline",
                      [](D d) { return d.replaceFirstOccurrenceOf("\"/><QuilAB", "\"><a><b/></a></ZQ6BASE><QuilAB"); }, true },
        HostileCase { "commentsAndReferences",
                      [](D d)
                      {
                          return withInRoot(d.replaceFirstOccurrenceOf("?>", "?><!-- saved by hand -->"),
                                            "<!-- a <b> c --><FUTURE note=\"caf&#233; &amp; &lt;&#x1F3B5;&gt; &quot;&apos;\" data-x.y=\"1\"/>");
                      },
                      true },
        HostileCase { "justUnderAMegabyte",
                      [](D d) { return withInRoot(d, juce::String::repeatedString(" ", static_cast<int>(Limits::maxBytes) - d.length() - 64)); },
                      true }),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });
} // namespace

// Memory running out anywhere in a load must never let an exception reach the host: every
// allocation of a full load fails in turn, and the processor is left whole to load again.
TEST(HostileStateMemory, AnAllocationFailingAnywhereInALoadIsCaught)
{
    if (!AllocationGuard::countsAllocations())
        GTEST_SKIP() << "the sanitizer's allocator cannot be made to fail";
    ZQ6AudioProcessor source;
    ASSERT_TRUE(source.switchSlot(1));
    ASSERT_TRUE(source.chooseSource(2, 1));
    const auto block = saveOf(source);

    ZQ6AudioProcessor processor;
    std::int64_t allocationsOfALoad = 0;
    {
        AllocationGuard guard;
        loadInto(processor, block);
        allocationsOfALoad = guard.allocations();
    }
    ASSERT_GT(allocationsOfALoad, 100);

    for (std::int64_t failing = 0; failing < allocationsOfALoad; ++failing)
    {
        {
            AllocationGuard guard;
            guard.failFrom(failing);
            EXPECT_NO_THROW(loadInto(processor, block)) << failing;
        }
        ASSERT_TRUE(processor.restoreState(block.getData(), static_cast<int>(block.getSize()))) << failing;
    }
    EXPECT_EQ(saveOf(processor), block);
}
} // namespace zq6::test
