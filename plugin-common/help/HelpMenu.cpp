#include "HelpMenu.h"

#include "../web/WebClient.h"

namespace quil::help
{
std::vector<HelpMenuItem> helpMenuItems(const HelpInfo& info)
{
    std::vector<HelpMenuItem> items;
    items.push_back({ sendFeedbackItem, "Send feedback...", true, false });
    if (info.manualPath.isNotEmpty())
        items.push_back({ manualItem, "Manual", true, false });
    items.push_back({ supportItem, "Support", true, false });
    items.push_back({ versionItem, info.name + " v" + info.version, false, true });
    return items;
}

juce::PopupMenu helpPopupMenu(const HelpInfo& info)
{
    juce::PopupMenu menu;
    for (const auto& item : helpMenuItems(info))
    {
        if (item.separatorBefore)
            menu.addSeparator();
        menu.addItem(item.id, item.text, item.enabled);
    }
    return menu;
}

juce::String helpMenuPage(int itemId, const HelpInfo& info)
{
    if (itemId == manualItem && info.manualPath.isNotEmpty())
        return web::baseUrl() + info.manualPath;
    if (itemId == supportItem)
        return web::baseUrl() + "/contact";
    return {};
}
} // namespace quil::help
