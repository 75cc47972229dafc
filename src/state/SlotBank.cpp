#include "SlotBank.h"

#include "../../plugin-common/ParameterTree.h"
#include "NumberText.h"

#include <cmath>
#include <limits>

namespace zq6
{
const juce::Identifier SlotBank::treeType { "QuilAB" };
const juce::Identifier SlotBank::activeId { "active" };
const juce::Identifier SlotBank::slotType { "SLOT" };
const juce::Identifier SlotBank::extraType { "EXTRA" };

namespace
{
constexpr int slotCount = 2;

float toFloat(double value)
{
    constexpr auto largest = static_cast<double>(std::numeric_limits<float>::max());
    return static_cast<float>(std::clamp(value, -largest, largest));
}
} // namespace

SlotBank::SlotBank(juce::AudioProcessorValueTreeState& valueTreeState, juce::UndoManager& edits,
                   juce::StringArray excluded)
    : state(valueTreeState), editManager(edits), exclusions(std::move(excluded)), tree(treeType)
{
    reset();
}

void SlotBank::setExtraCallbacks(CaptureExtra capture, ApplyExtra apply, MigrateExtra migrate)
{
    captureExtraCallback = std::move(capture);
    applyExtraCallback = std::move(apply);
    migrateExtraCallback = std::move(migrate);
}

juce::ValueTree SlotBank::emptyTree()
{
    juce::ValueTree empty(treeType);
    empty.setProperty(activeId, 0, nullptr);
    for (int i = 0; i < slotCount; ++i)
        empty.appendChild(juce::ValueTree(slotType), nullptr);
    return empty;
}

void SlotBank::reset()
{
    tree = emptyTree();
}

int SlotBank::activeSlot() const
{
    return static_cast<int>(tree[activeId]) == 1 ? 1 : 0;
}

SlotBank::Values SlotBank::captureValues() const
{
    Values values;
    for (auto* parameter : quil::includedParameters(state, exclusions))
        values[parameter->getParameterID()] = quil::valueInUnits(*parameter);
    return values;
}

juce::ValueTree SlotBank::captureExtra() const
{
    return captureExtraCallback ? captureExtraCallback() : juce::ValueTree();
}

SlotBank::Values SlotBank::slotValues(int index) const
{
    return valuesOf(slot(index));
}

SlotBank::Values SlotBank::valuesOf(const juce::ValueTree& source)
{
    Values values;
    for (int i = 0; i < source.getNumProperties(); ++i)
    {
        const auto name = source.getPropertyName(i);
        values[name.toString()] = static_cast<double>(source[name]);
    }
    return values;
}

juce::ValueTree SlotBank::slotExtra(int index) const
{
    const auto extra = slot(index).getChildWithName(extraType).getChild(0);
    return extra.isValid() ? extra.createCopy() : juce::ValueTree();
}

void SlotBank::storeSlot(int index, const Values& values, const juce::ValueTree& extra)
{
    auto target = slot(index);
    target.removeAllProperties(&editManager);
    for (const auto& [id, value] : values)
        target.setProperty(id, value, &editManager);
    if (!captureExtraCallback)
        return;
    target.removeAllChildren(&editManager);
    juce::ValueTree holder(extraType);
    if (extra.isValid())
        holder.appendChild(extra.createCopy(), nullptr);
    target.appendChild(holder, &editManager);
}

void SlotBank::applyValues(const Values& values)
{
    for (auto* parameter : quil::includedParameters(state, exclusions))
    {
        const auto id = parameter->getParameterID();
        const auto found = values.find(id);
        const auto value = found != values.end() && std::isfinite(found->second)
                             ? toFloat(found->second)
                             : parameter->convertFrom0to1(parameter->getDefaultValue());
        quil::setParameterThroughTree(state, id, value, &editManager);
    }
}

bool SlotBank::switchTo(int index)
{
    if (index == activeSlot())
        return false;
    editManager.setCurrentTransactionName(index == 1 ? "Switch to B" : "Switch to A");
    quil::pushParameterValuesToTree(state);
    const auto live = captureValues();
    const auto liveExtra = captureExtra();
    storeSlot(activeSlot(), live, liveExtra);

    auto target = slotValues(index);
    auto targetExtra = slotExtra(index);
    if (target.empty())
    {
        target = live;
        targetExtra = liveExtra;
    }
    tree.setProperty(activeId, index, &editManager);
    applyValues(target);
    if (applyExtraCallback)
        applyExtraCallback(targetExtra, &editManager);
    return true;
}

void SlotBank::copyToOther()
{
    const auto source = activeSlot();
    const auto values = captureValues();
    if (values.empty())
        return;
    const auto extra = captureExtra();
    editManager.setCurrentTransactionName(source == 0 ? "Copy A to B" : "Copy B to A");
    storeSlot(1 - source, values, extra);
}

void SlotBank::restore(const juce::ValueTree& loaded)
{
    auto restored = emptyTree();
    if (loaded.hasType(treeType))
    {
        restored.setProperty(activeId, numbertext::readStrictInteger(loaded[activeId].toString()) == 1 ? 1 : 0, nullptr);
        for (int i = 0; i < std::min(slotCount, loaded.getNumChildren()); ++i)
            if (const auto loadedSlot = loaded.getChild(i); loadedSlot.hasType(slotType))
                restoreSlot(restored.getChild(i), loadedSlot);
    }
    tree = restored;
}

void SlotBank::restoreSlot(juce::ValueTree target, const juce::ValueTree& loadedSlot) const
{
    for (int i = 0; i < loadedSlot.getNumProperties(); ++i)
    {
        const auto name = loadedSlot.getPropertyName(i);
        if (const auto value = numbertext::readSlotValue(loadedSlot[name]))
            target.setProperty(name, *value, nullptr);
    }
    if (!captureExtraCallback || target.getNumProperties() == 0)
        return;
    auto extra = loadedSlot.getChildWithName(extraType).getChild(0);
    if (extra.isValid() && migrateExtraCallback)
        extra = migrateExtraCallback(extra, valuesOf(target));
    juce::ValueTree holder(extraType);
    if (extra.isValid())
        holder.appendChild(extra.createCopy(), nullptr);
    target.appendChild(holder, nullptr);
}

juce::ValueTree SlotBank::slotsToTree() const
{
    auto copy = tree.createCopy();
    for (auto slotCopy : copy)
        for (int i = 0; i < slotCopy.getNumProperties(); ++i)
        {
            const auto name = slotCopy.getPropertyName(i);
            slotCopy.setProperty(name, numbertext::slotNumberText(static_cast<double>(slotCopy[name])), nullptr);
        }
    return copy;
}
} // namespace zq6
