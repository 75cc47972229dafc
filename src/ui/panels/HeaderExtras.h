#pragma once

#include "../controls/GlassButton.h"
#include "../shell/UiContext.h"

#include "../../../plugin-common/OverlaySlot.h"
#include "../../../plugin-common/help/FeedbackDialog.h"
#include "../../../plugin-common/update/UpdateNotice.h"

namespace zq6::ui
{
// What the header holds besides the slot caps: the help cap with its menu, the update notice in
// the top-right corner and the slot in which the feedback form opens over the editor.
class HeaderExtras
{
public:
    struct Services
    {
        std::shared_ptr<quil::update::UpdateCore> updates;
        quil::help::HelpInfo info;
        quil::help::FeedbackSender sendFeedback;
        std::function<void(const juce::String&)> openUrl;
    };

    HeaderExtras(const UiContext& context, juce::Component& editor, Services services);

    GlassButton& helpCap() noexcept { return help; }
    quil::update::UpdateNotice& updateNotice() noexcept { return notice; }
    // The open feedback form, or nullptr.
    quil::ui::FeedbackDialog* feedbackDialog() const;

    // The help menu at the help cap; the chosen item goes to chooseHelpItem.
    void showHelpMenu();
    void chooseHelpItem(int itemId);
    void openFeedback();
    void closeFeedback();

    // Keeps the notice above the editor's panels, which are added after it.
    void raiseNotice();
    // Lays an open form over the whole editor.
    void layout();

private:
    quil::ui::DialogStyle dialogStyle() const;

    const UiContext& context;
    juce::Component& editor;
    Services services;
    GlassButton help;
    quil::update::UpdateNotice notice;
    quil::ui::OverlaySlot overlay;

    JUCE_DECLARE_NON_COPYABLE(HeaderExtras)
};
} // namespace zq6::ui
