#include "LearnBaseline.h"

#include "../../plugin-common/ParameterTree.h"
#include "NumberText.h"

#include <algorithm>

namespace zq6
{
namespace
{
constexpr float rangeTolerance = 0.0001f;

// Splits at every single space, so two spaces in a row give an empty token.
juce::StringArray splitAtSpaces(const juce::String& text)
{
    juce::StringArray tokens;
    int start = 0;
    for (int index = text.indexOfChar(' '); index >= 0; index = text.indexOfChar(start, ' '))
    {
        tokens.add(text.substring(start, index));
        start = index + 1;
    }
    tokens.add(text.substring(start));
    return tokens;
}

std::optional<SourceSelection> readSelection(const juce::String& text)
{
    const auto tokens = splitAtSpaces(text);
    if (tokens.size() != 3)
        return std::nullopt;
    const auto group = numbertext::readStrictInteger(tokens[0]);
    const auto entry = numbertext::readStrictInteger(tokens[1]);
    const auto character = numbertext::readStrictInteger(tokens[2]);
    if (!group || !entry || !character)
        return std::nullopt;
    const SourceSelection sel { *group, *entry, *character };
    return sel.isValid() ? std::optional<SourceSelection>(sel) : std::nullopt;
}

juce::String selectionText(SourceSelection sel)
{
    using numbertext::integerText;
    return integerText(sel.group) + " " + integerText(sel.entry) + " " + integerText(sel.character);
}

std::optional<float> readTargetValue(const juce::ValueTree& element, const BaselineTarget& target,
                                     const juce::AudioProcessorValueTreeState& parameters)
{
    const auto* parameter = parameters.getParameter(target.parameterId);
    const auto* text = element.getPropertyPointer(target.attribute);
    if (parameter == nullptr || text == nullptr)
        return std::nullopt;
    const auto value = numbertext::readStrictFloat(text->toString());
    const auto& range = parameter->getNormalisableRange();
    if (!value || *value < range.start - rangeTolerance || *value > range.end + rangeTolerance)
        return std::nullopt;
    return value;
}
} // namespace

void writeBaseline(juce::ValueTree& tree, const LearnBaseline& baseline, juce::UndoManager* undoManager)
{
    auto element = tree.getChildWithName(baselineids::element);
    if (!element.isValid())
    {
        element = juce::ValueTree(baselineids::element);
        tree.appendChild(element, nullptr);
    }
    element.setProperty(baselineids::version, baselineids::currentVersion, undoManager);
    element.setProperty(baselineids::effective, numbertext::integerText(baseline.eff), undoManager);
    for (int i = 0; i < baselineTargetCount; ++i)
    {
        const juce::Identifier attribute { baselineTargets[i].attribute };
        if (const auto& value = baseline.values[static_cast<size_t>(i)])
            element.setProperty(attribute, numbertext::shortestFloatText(*value), undoManager);
        else
            element.removeProperty(attribute, undoManager);
    }
    element.setProperty(baselineids::selection, selectionText(baseline.sel), undoManager);
}

LearnBaseline readBaseline(const juce::ValueTree& tree, const juce::AudioProcessorValueTreeState& parameters)
{
    LearnBaseline baseline;
    const auto element = tree.getChildWithName(baselineids::element);
    if (!element.isValid()
        || numbertext::readStrictInteger(element[baselineids::version].toString()) != baselineids::currentVersion)
        return baseline;
    const auto sel = readSelection(element[baselineids::selection].toString());
    const auto eff = numbertext::readStrictInteger(element[baselineids::effective].toString());
    if (!sel || !eff || *eff < 0 || *eff > 3)
        return baseline;
    baseline.valid = true;
    baseline.sel = *sel;
    baseline.eff = *eff;
    for (int i = 0; i < baselineTargetCount; ++i)
        baseline.values[static_cast<size_t>(i)] = readTargetValue(element, baselineTargets[i], parameters);
    return baseline;
}

void dropForeignBaselineContent(juce::ValueTree element)
{
    element.removeAllChildren(nullptr);
    const auto isKnown = [](const juce::Identifier& name)
    {
        return name == baselineids::version || name == baselineids::effective || name == baselineids::selection
            || std::any_of(std::begin(baselineTargets), std::end(baselineTargets),
                           [&](const BaselineTarget& target) { return name.toString() == target.attribute; });
    };
    for (int i = element.getNumProperties(); --i >= 0;)
        if (const auto name = element.getPropertyName(i); !isKnown(name))
            element.removeProperty(name, nullptr);
}

LearnBaseline baselineFromParameters(const juce::AudioProcessorValueTreeState& parameters, SourceSelection sel, int eff)
{
    LearnBaseline baseline;
    baseline.valid = true;
    baseline.sel = sel;
    baseline.eff = eff;
    for (int i = 0; i < baselineTargetCount; ++i)
        if (const auto* parameter = parameters.getParameter(baselineTargets[i].parameterId))
            baseline.values[static_cast<size_t>(i)] = quil::valueInUnits(*parameter);
    return baseline;
}
} // namespace zq6
