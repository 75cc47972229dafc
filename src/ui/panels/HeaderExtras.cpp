#include "HeaderExtras.h"

#include "../shell/Palette.h"

#include "../../../plugin-common/help/HelpMenu.h"

namespace zq6::ui
{
namespace
{
const char* const helpTitle = "Help";
const char* const helpDescription = "Send feedback, open the manual, contact support, or see the version.";

quil::update::UpdateNotice::Scaling noticeScaling(const UiContext& context)
{
    const auto designWidth = context.layout != nullptr ? context.layout->baseWidth : 0;
    return { designWidth, designWidth > 0 };
}
} // namespace

HeaderExtras::HeaderExtras(const UiContext& uiContext, juce::Component& editorComponent, Services editorServices)
    : context(uiContext),
      editor(editorComponent),
      services(std::move(editorServices)),
      help(context, GlassButton::Style::roundCap, {}, false),
      notice(services.updates, editor, noticeScaling(context)),
      overlay(editor)
{
    help.setName(helpTitle);
    help.setTitle(helpTitle);
    help.setDescription(helpDescription);
    help.setTooltip(helpDescription);
    help.onClick = [this] { showHelpMenu(); };
    editor.addAndMakeVisible(help);

    notice.setColours(quil::update::headerNoticeColours());
    notice.setTypeface(context.regular);
}

quil::ui::FeedbackDialog* HeaderExtras::feedbackDialog() const
{
    return dynamic_cast<quil::ui::FeedbackDialog*>(overlay.dialog());
}

void HeaderExtras::showHelpMenu()
{
    juce::Component::SafePointer<juce::Component> owner(&help);
    quil::help::helpPopupMenu(services.info)
        .showMenuAsync(juce::PopupMenu::Options().withTargetComponent(&help), [this, owner](int itemId) {
            if (owner != nullptr)
                chooseHelpItem(itemId);
        });
}

void HeaderExtras::chooseHelpItem(int itemId)
{
    if (itemId == quil::help::sendFeedbackItem)
    {
        openFeedback();
        return;
    }
    const auto page = quil::help::helpMenuPage(itemId, services.info);
    if (page.isNotEmpty() && services.openUrl)
        services.openUrl(page);
}

void HeaderExtras::openFeedback()
{
    const auto designWidth = context.layout != nullptr ? context.layout->baseWidth : editor.getWidth();
    auto dialog = std::make_unique<quil::ui::FeedbackDialog>(dialogStyle(), services.info, services.sendFeedback,
                                                             designWidth);
    dialog->onClose = [this] { closeFeedback(); };
    overlay.open(std::move(dialog));
}

void HeaderExtras::closeFeedback()
{
    overlay.close();
}

void HeaderExtras::raiseNotice()
{
    notice.toFront(false);
}

void HeaderExtras::layout()
{
    overlay.cover();
}

quil::ui::DialogStyle HeaderExtras::dialogStyle() const
{
    quil::ui::DialogStyle style;
    style.regular = context.regular;
    style.bold = context.bold;
    style.scale = context.scale;
    style.backdrop = palette::chassis.withAlpha(0.6f);
    style.panel = palette::menuBackground;
    style.outline = palette::whiteVeil.withAlpha(palette::tooltipOutlineAlpha);
    style.button = palette::graphite;
    style.field = palette::editorBackground;
    style.text = palette::brightText;
    style.softText = palette::softText;
    style.accent = palette::accent;
    style.error = palette::salmon;
    return style;
}
} // namespace zq6::ui
