#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <functional>
#include <map>

namespace zq6
{
// Slots A and B: two complete sets of settings, one of them live. Every change it makes to the
// parameters or to its own tree goes through the edit manager, so the settings history can undo it.
// Message thread only.
class SlotBank
{
public:
    // Parameter values in their own units, ordered by identifier.
    using Values = std::map<juce::String, double>;
    // The state a slot carries beside its values (the baseline), as a new tree.
    using CaptureExtra = std::function<juce::ValueTree()>;
    using ApplyExtra = std::function<void(const juce::ValueTree& extra, juce::UndoManager* undoManager)>;
    // Turns a loaded extra into the current form; an invalid tree drops it.
    using MigrateExtra = std::function<juce::ValueTree(const juce::ValueTree& extra, const Values& slotValues)>;

    static const juce::Identifier treeType;
    static const juce::Identifier activeId;
    static const juce::Identifier slotType;
    static const juce::Identifier extraType;

    SlotBank(juce::AudioProcessorValueTreeState& state, juce::UndoManager& editManager, juce::StringArray exclusions);

    void setExtraCallbacks(CaptureExtra capture, ApplyExtra apply, MigrateExtra migrate);

    // Slot A active, both slots empty.
    void reset();

    int activeSlot() const;

    Values captureValues() const;
    juce::ValueTree captureExtra() const;
    Values slotValues(int index) const;
    juce::ValueTree slotExtra(int index) const;

    void storeSlot(int index, const Values& values, const juce::ValueTree& extra);

    // Sets every included parameter to its value in the map, or to its default when absent.
    void applyValues(const Values& values);

    // Stores the live settings into the active slot and recalls slot `index`; an empty slot takes
    // the live settings. False when `index` is already active.
    bool switchTo(int index);

    // Stores the live settings into the slot that is not active.
    void copyToOther();

    // Takes the slots from a loaded tree, skipping unreadable values; parameters are not touched.
    // The slots change only once the loaded tree has been read whole.
    void restore(const juce::ValueTree& loaded);

    // The slots with every slot value written as slot number text, as they are saved.
    juce::ValueTree slotsToTree() const;

private:
    static juce::ValueTree emptyTree();
    static Values valuesOf(const juce::ValueTree& source);
    juce::ValueTree slot(int index) const { return tree.getChild(index); }
    void restoreSlot(juce::ValueTree target, const juce::ValueTree& loadedSlot) const;

    juce::AudioProcessorValueTreeState& state;
    juce::UndoManager& editManager;
    juce::StringArray exclusions;
    juce::ValueTree tree;
    CaptureExtra captureExtraCallback;
    ApplyExtra applyExtraCallback;
    MigrateExtra migrateExtraCallback;

    JUCE_DECLARE_NON_COPYABLE(SlotBank)
};
} // namespace zq6
