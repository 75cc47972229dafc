#include "StateButtonHandler.h"

namespace zq6::ui
{
namespace
{
juce::AccessibilityActions clickActions(juce::Button& button, juce::AccessibilityRole role)
{
    auto actions = juce::AccessibilityActions().addAction(juce::AccessibilityActionType::press,
                                                          [&button] { button.triggerClick(); });
    if (role == juce::AccessibilityRole::toggleButton)
        actions.addAction(juce::AccessibilityActionType::toggle, [&button] { button.triggerClick(); });
    return actions;
}

juce::AccessibilityHandler::Interfaces valueInterface(StateButtonHandler::ValueText valueText)
{
    if (!valueText)
        return {};
    return { std::make_unique<StateButtonHandler::TextValue>(std::move(valueText)) };
}
} // namespace

StateButtonHandler::StateButtonHandler(juce::Button& buttonToWrap, juce::AccessibilityRole buttonRole,
                                       ValueText valueText)
    : juce::AccessibilityHandler(buttonToWrap, buttonRole, clickActions(buttonToWrap, buttonRole), valueInterface(std::move(valueText))),
      button(buttonToWrap)
{
}

juce::AccessibleState StateButtonHandler::getCurrentState() const
{
    const auto state = juce::AccessibilityHandler::getCurrentState();
    if (getRole() != juce::AccessibilityRole::toggleButton)
        return state;
    return button.getToggleState() ? state.withCheckable().withChecked() : state.withCheckable();
}

juce::String StateButtonHandler::getTitle() const
{
    const auto title = juce::AccessibilityHandler::getTitle();
    return title.isNotEmpty() ? title : button.getName();
}

juce::String StateButtonHandler::getHelp() const
{
    return button.getTooltip();
}

StateButtonHandler::TextValue::TextValue(ValueText valueText) : text(std::move(valueText)) {}

juce::String StateButtonHandler::TextValue::getCurrentValueAsString() const
{
    return text();
}
} // namespace zq6::ui
