#include "SlotExtra.h"

#include "LearnBaseline.h"

namespace zq6::slotextra
{
namespace
{
juce::ValueTree holding(const juce::ValueTree& baselineElement)
{
    juce::ValueTree extra(type);
    if (baselineElement.isValid())
    {
        auto copy = baselineElement.createCopy();
        dropForeignBaselineContent(copy);
        extra.appendChild(copy, nullptr);
    }
    return extra;
}
} // namespace

juce::ValueTree capture(const juce::ValueTree& stateTree)
{
    return holding(stateTree.getChildWithName(baselineids::element));
}

juce::ValueTree migrate(const juce::ValueTree& extra, const juce::AudioProcessorValueTreeState& parameters)
{
    if (!readBaseline(extra, parameters).valid)
        return {};
    return holding(extra.getChildWithName(baselineids::element));
}
} // namespace zq6::slotextra
