#pragma once

#include "HelpInfo.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <vector>

namespace quil::help
{
enum HelpMenuId : int
{
    sendFeedbackItem = 1,
    manualItem = 2,
    supportItem = 3,
    versionItem = 4
};

struct HelpMenuItem
{
    int id = 0;
    juce::String text;
    bool enabled = true;
    bool separatorBefore = false;
};

// The Help button's menu, in order; the manual item exists only with a manual path.
std::vector<HelpMenuItem> helpMenuItems(const HelpInfo& info);

// The menu as the Help button shows it: the items with their ids, a separator before the version.
juce::PopupMenu helpPopupMenu(const HelpInfo& info);

// The page an item opens in the browser, or empty for items that open none.
juce::String helpMenuPage(int itemId, const HelpInfo& info);
} // namespace quil::help
