#include "LearnPopupMenus.h"

#include "../../learn/LearnMenus.h"
#include "../../learn/SourcePresets.h"
#include "../../processor/ZQ6AudioProcessor.h"
#include "../help/HelpTable.h"

namespace zq6::ui
{
LearnPopupMenus::LearnPopupMenus(ZQ6AudioProcessor& p, std::function<void()> after)
    : processor(p), afterChoice(std::move(after))
{
}

juce::PopupMenu LearnPopupMenus::sourceMenu() const
{
    const auto current = processor.getSourceSelection();
    juce::PopupMenu menu;
    menu.addItem(learnmenus::initId, "Init");
    menu.addSeparator();
    for (int group = 0; group < sourceGroupCount; ++group)
    {
        juce::PopupMenu entries;
        for (int entry = 0; entry < sourceEntryCount(group); ++entry)
            entries.addItem(learnmenus::sourceId(group, entry), learnmenus::sourceEntryName(group, entry), true,
                            current.group == group && current.entry == entry);
        menu.addSubMenu(sourceGroupNames[group], entries, true, nullptr, current.group == group);
    }
    return menu;
}

juce::PopupMenu LearnPopupMenus::characterMenu() const
{
    const auto current = processor.getSourceSelection().character;
    juce::PopupMenu menu;
    for (int choice = 0; choice < characterChoiceCount; ++choice)
        menu.addItem(learnmenus::characterId(choice),
                     learnmenus::characterChoiceText(choice, processor.getAutoCharacter()), true, choice == current);
    return menu;
}

// Each mode is followed by what it means, one dimmed line per sentence, so the menu itself says
// that Send fixes Mix at 100 %.
juce::PopupMenu LearnPopupMenus::modeMenu() const
{
    const auto current = processor.getMode();
    const char* const helpKeys[] = { "ui.modeInsert", "ui.modeSend" };
    juce::PopupMenu menu;
    auto lineId = explanationIdBase;
    for (int mode = 0; mode < 2; ++mode)
    {
        menu.addItem(learnmenus::modeId(mode), learnmenus::modeNames[mode], true, mode == current);
        const auto* entry = help(helpKeys[mode]);
        if (entry == nullptr)
            continue;
        for (const auto& sentence : juce::StringArray::fromTokens(juce::String(entry->body).replace(". ", ".\n"), "\n", ""))
            menu.addItem(lineId++, sentence, false);
    }
    return menu;
}

void LearnPopupMenus::showSource(juce::Component& target)
{
    show(sourceMenu(), target, &LearnPopupMenus::sourceChosen);
}

void LearnPopupMenus::showCharacter(juce::Component& target)
{
    show(characterMenu(), target, &LearnPopupMenus::characterChosen);
}

void LearnPopupMenus::showMode(juce::Component& target)
{
    show(modeMenu(), target, &LearnPopupMenus::modeChosen);
}

void LearnPopupMenus::show(juce::PopupMenu menu, juce::Component& target, Handler handler)
{
    if (!learnIdle())
        return;
    // The target goes with the editor, which owns these menus too.
    menu.showMenuAsync(juce::PopupMenu::Options().withTargetComponent(&target),
                       [this, handler, alive = juce::Component::SafePointer<juce::Component>(&target)](int result) {
                           if (alive != nullptr)
                               (this->*handler)(result);
                       });
}

void LearnPopupMenus::sourceChosen(int menuResult)
{
    const auto action = learnmenus::sourceAction(menuResult);
    if (learnIdle())
    {
        if (action.kind == learnmenus::SourceMenuAction::Kind::init)
            processor.chooseInit();
        else if (action.kind == learnmenus::SourceMenuAction::Kind::source)
            processor.chooseSource(action.group, action.entry);
    }
    afterChoice();
}

void LearnPopupMenus::characterChosen(int menuResult)
{
    if (const auto choice = learnmenus::characterChoiceFor(menuResult); choice.has_value() && learnIdle())
        processor.chooseCharacter(*choice);
    afterChoice();
}

void LearnPopupMenus::modeChosen(int menuResult)
{
    if (const auto mode = learnmenus::modeFor(menuResult); mode.has_value() && learnIdle())
        processor.setMode(*mode);
    afterChoice();
}

bool LearnPopupMenus::learnIdle() const
{
    return processor.getLearnControl().isIdle();
}
} // namespace zq6::ui
