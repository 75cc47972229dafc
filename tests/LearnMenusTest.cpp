#include "learn/LearnMenus.h"
#include "learn/SourcePresets.h"

#include <gtest/gtest.h>

namespace zq6::test
{
using namespace learnmenus;

TEST(SourceMenu, NineteenEntryIdsAndInit)
{
    const std::vector<int> expectedIds = { 1, 2, 3, 9, 10, 17, 18, 19, 20, 25, 26, 33, 34, 35, 41, 42, 49, 50, 51 };
    std::vector<int> ids;
    for (int g = 0; g < sourceGroupCount; ++g)
        for (int e = 0; e < sourceEntryCount(g); ++e)
            ids.push_back(sourceId(g, e));
    EXPECT_EQ(ids, expectedIds);

    for (int id = -1; id <= 1000; ++id)
    {
        const auto action = sourceAction(id);
        const auto offered = std::find(ids.begin(), ids.end(), id) != ids.end();
        if (id == initId)
            EXPECT_EQ(action.kind, SourceMenuAction::Kind::init);
        else if (!offered)
            EXPECT_EQ(action.kind, SourceMenuAction::Kind::nothing) << id;
        else
        {
            ASSERT_EQ(action.kind, SourceMenuAction::Kind::source) << id;
            EXPECT_EQ(sourceId(action.group, action.entry), id);
        }
    }
}

TEST(SourceMenu, PanelTexts)
{
    EXPECT_EQ(sourceLabel(2), juce::String(juce::CharPointer_UTF8("Source \xc2\xb7 Drums")));
    EXPECT_EQ(sourceLabel(5), juce::String(juce::CharPointer_UTF8("Source \xc2\xb7 Strings / Pad")));
    EXPECT_EQ(sourceEntryName(2, 2), "Kick-Tom");
    EXPECT_EQ(sourceEntryName(6, 1), "Vocal Bus");
}

TEST(CharacterMenu, ItemsAndResults)
{
    const juce::StringArray expected = { "Auto (Plate)", "Room", "Hall", "Chamber", "Plate" };
    for (int choice = 0; choice < 5; ++choice)
    {
        EXPECT_EQ(characterId(choice), choice + 1);
        EXPECT_EQ(characterChoiceText(choice, plate), expected[choice]);
        EXPECT_EQ(characterChoiceFor(choice + 1), choice);
    }
    EXPECT_EQ(characterChoiceFor(0), std::nullopt);
    EXPECT_EQ(characterChoiceFor(6), std::nullopt);
    EXPECT_EQ(characterChoiceText(0, room), "Auto (Room)");
    EXPECT_EQ(characterChoiceText(0, 9), "Auto (Hall)");
}

TEST(ModeMenu, ItemsAndResults)
{
    EXPECT_EQ(modeId(0), 1);
    EXPECT_EQ(modeId(1), 2);
    EXPECT_STREQ(modeNames[0], "Insert");
    EXPECT_STREQ(modeNames[1], "Send");
    EXPECT_EQ(modeFor(1), 0);
    EXPECT_EQ(modeFor(2), 1);
    EXPECT_EQ(modeFor(0), std::nullopt);
    EXPECT_EQ(modeFor(3), std::nullopt);
}
} // namespace zq6::test
