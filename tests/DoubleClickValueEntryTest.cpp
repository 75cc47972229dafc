#include "support/DisplayCheck.h"
#include "support/MessagePump.h"
#include "support/MouseDriver.h"

#include "../plugin-common/DoubleClickValueEntry.h"

#include <gtest/gtest.h>

#include <optional>

namespace zq6::test
{
namespace
{
using quil::ui::DoubleClickValueEntry;

struct ParseCase
{
    const char* text;
    std::optional<double> value;
    bool kiloSuffix = false;
};

void PrintTo(const ParseCase& c, std::ostream* out)
{
    *out << '"' << c.text << '"';
}

class ValueEntryParse : public testing::TestWithParam<ParseCase>
{
};

TEST_P(ValueEntryParse, ReadsWhatWasTyped)
{
    const auto c = GetParam();
    const auto value = DoubleClickValueEntry::parse(c.text, { -48.0, 12.0 }, c.kiloSuffix);
    ASSERT_EQ(value.has_value(), c.value.has_value());
    if (value)
    {
        EXPECT_DOUBLE_EQ(*value, *c.value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ValueEntryParse,
    testing::Values(ParseCase { "2,5", 2.5 }, ParseCase { "1.5 s", 1.5 }, ParseCase { " -3.25dB ", -3.25 },
                    ParseCase { "12 dB!", std::nullopt }, ParseCase { "abc", std::nullopt },
                    ParseCase { "", std::nullopt }, ParseCase { "   ", std::nullopt },
                    ParseCase { "-inf", -48.0 }, ParseCase { "inf", 12.0 }, ParseCase { "+INF", 12.0 },
                    ParseCase { "99999", 12.0 }, ParseCase { "-99999", -48.0 }, ParseCase { "+4", 4.0 },
                    ParseCase { ".5", 0.5 }, ParseCase { "-.5e1", -5.0 }, ParseCase { "1e1x", 10.0 },
                    ParseCase { "1e999", std::nullopt }, ParseCase { "1,2,5", std::nullopt },
                    ParseCase { "1.5,0", std::nullopt }, ParseCase { "6 %", 6.0 }, ParseCase { "3 beats/s", 3.0 },
                    ParseCase { "3 ninechars", std::nullopt }, ParseCase { "3 eightchr", 3.0 },
                    ParseCase { "0.002k", 2.0, true }, ParseCase { "0.0015 KHz", 1.5, true },
                    ParseCase { "0.002k", std::nullopt }, ParseCase { "2 kHz", std::nullopt }, ParseCase { "k", std::nullopt, true }));

// A control in a window, with an entry that records what it commits.
class ValueEntry : public testing::Test
{
protected:
    void SetUp() override { ZQ6_SKIP_WITHOUT_DISPLAY(); }
    ValueEntry()
    {
        window.addAndMakeVisible(control);
        control.setBounds(100, 50, 60, 20);
        window.addAndMakeVisible(elsewhere);
        elsewhere.setBounds(0, 0, 20, 20);
        elsewhere.setWantsKeyboardFocus(true);
    }

    DoubleClickValueEntry::Callbacks callbacks()
    {
        return { [] { return juce::String("2.50"); }, [] { return juce::Range<double>(-48.0, 12.0); },
                 [this](double value) { commits.push_back(value); },
                 [this](juce::TextEditor& editor) { editor.setDescription("typed value"), ++setUps; },
                 [this] { return openArea; } };
    }

    bool openByDoubleClick()
    {
        mouse.doubleClick(control, { 30.0f, 10.0f });
        return entry.isOpen();
    }

    // Types the text and ends it with the key; the editor acts on the key on the message loop.
    void typeAndEnd(const juce::String& text, int keyCode)
    {
        ASSERT_TRUE(openByDoubleClick());
        auto& editor = *entry.getEditor();
        editor.setText(text);
        editor.keyPressed(juce::KeyPress(keyCode));
        EXPECT_TRUE(pumpMessagesUntil([this] { return !entry.isOpen(); }, 2000));
    }

    DesktopTestWindow window { 400, 200 };
    MouseDriver mouse { window };
    juce::Component control, elsewhere;
    juce::Rectangle<int> openArea { 0, 0, 60, 20 };
    std::vector<double> commits;
    int setUps = 0;
    DoubleClickValueEntry entry { control, callbacks() };
};

TEST_F(ValueEntry, DoubleClickOpensTheEditorCentredOnTheWindowWithAllTextSelected)
{
    ASSERT_TRUE(window.waitUntilFocused());
    ASSERT_TRUE(openByDoubleClick());
    const auto& editor = *entry.getEditor();
    EXPECT_EQ(editor.getParentComponent(), &window);
    EXPECT_EQ(editor.getBounds(), juce::Rectangle<int>(94, 48, 72, 24));
    EXPECT_EQ(editor.getText(), "2.50");
    EXPECT_EQ(editor.getHighlightedRegion(), juce::Range<int>(0, 4));
    EXPECT_TRUE(editor.hasKeyboardFocus(false));
    EXPECT_EQ(setUps, 1);
    EXPECT_EQ(editor.getDescription(), "typed value");
}

TEST_F(ValueEntry, OpeningAgainKeepsTheOneEditor)
{
    ASSERT_TRUE(openByDoubleClick());
    const auto* editor = entry.getEditor();
    entry.open();
    EXPECT_EQ(entry.getEditor(), editor);
    EXPECT_EQ(setUps, 1);
}

TEST_F(ValueEntry, ReturnCommitsTheNumberAndRemovesTheEditor)
{
    typeAndEnd("2,5", juce::KeyPress::returnKey);
    EXPECT_EQ(commits, std::vector<double> { 2.5 });
    EXPECT_EQ(window.getNumChildComponents(), 2);
}

TEST_F(ValueEntry, EscapeClosesWithoutAChange)
{
    typeAndEnd("7", juce::KeyPress::escapeKey);
    EXPECT_TRUE(commits.empty());
    EXPECT_EQ(window.getNumChildComponents(), 2);
}

TEST_F(ValueEntry, TextThatIsNoValueClosesWithoutAChange)
{
    typeAndEnd("12 dB!", juce::KeyPress::returnKey);
    EXPECT_TRUE(commits.empty());
}

TEST_F(ValueEntry, FocusLossCommits)
{
    ASSERT_TRUE(window.waitUntilFocused());
    ASSERT_TRUE(openByDoubleClick());
    entry.getEditor()->setText("-3");
    elsewhere.grabKeyboardFocus();
    EXPECT_TRUE(pumpMessagesUntil([this] { return !entry.isOpen(); }, 2000));
    EXPECT_EQ(commits, std::vector<double> { -3.0 });
}

TEST_F(ValueEntry, RightButtonDoubleClickOpensNothing)
{
    mouse.doubleClick(control, { 30.0f, 10.0f }, juce::ModifierKeys::rightButtonModifier);
    EXPECT_FALSE(entry.isOpen());
}

TEST_F(ValueEntry, DisabledControlOpensNothing)
{
    control.setEnabled(false);
    entry.open();
    EXPECT_FALSE(entry.isOpen());
}

TEST_F(ValueEntry, EditorStaysInsideTheParent)
{
    control.setBounds(360, 180, 40, 20);
    openArea = { 0, 0, 40, 20 };
    entry.open();
    ASSERT_TRUE(entry.isOpen());
    EXPECT_EQ(entry.getEditor()->getBounds(), juce::Rectangle<int>(328, 176, 72, 24));
}

TEST_F(ValueEntry, ClosingWithTheControlLeavesNoEditorBehind)
{
    {
        juce::Component owner;
        window.addAndMakeVisible(owner);
        owner.setBounds(10, 10, 80, 20);
        DoubleClickValueEntry ownEntry(owner, callbacks());
        ownEntry.open();
        ASSERT_TRUE(ownEntry.isOpen());
        EXPECT_EQ(window.getNumChildComponents(), 4);
    }
    EXPECT_EQ(window.getNumChildComponents(), 2);
    EXPECT_TRUE(commits.empty());
}
} // namespace
} // namespace zq6::test
