#pragma once

#include "../../plugin-common/SpinLock.h"
#include "../engine/CharacterVoicing.h"
#include "LearnDerivation.h"
#include "LearnSnapshot.h"
#include "SourceSelection.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>

namespace zq6
{
class SlotBank;

// The stored Learn result and what follows from it: the Source selection mirrored from the baseline,
// the Character values that the engine and the editor read, and the writing of proposals into the
// parameters and the baseline. Message thread under the processor lock, except the atomics.
class LearnSettings
{
public:
    LearnSettings(juce::AudioProcessorValueTreeState& state, SlotBank& slots, juce::CriticalSection& processorLock,
                  const std::atomic<int>& mode);

    LearnRecord copyRecord() const;
    void storeRecord(const LearnRecord& record);

    // The current Source and Character choice, as the baseline holds them.
    SourceSelection selection() const;
    // Reads the selection from the baseline ((0, 0, 0) without a valid one) and republishes.
    void refreshSelection();

    // The selection the stored record was last derived for.
    SourceSelection derivedFor() const;
    void setDerivedFor(SourceSelection sel);

    // Lock-free, for the audio thread and the editor.
    int engineCharacter() const noexcept { return engineChar.load(std::memory_order_relaxed); }
    int autoCharacterNow() const noexcept { return autoChar.load(std::memory_order_relaxed); }
    int characterOverride() const noexcept { return overrideChar.load(std::memory_order_relaxed); }
    void setCharacterOverride(int character) noexcept { overrideChar.store(character, std::memory_order_relaxed); }

    // Writes the proposals into the parameters (keeping the user's offsets from the baseline when
    // asked) and stores them as the new baseline through the undo manager.
    void applyLearnSettings(const LearnDerivation& derived, SourceSelection sel, bool keepUserEdits,
                            juce::UndoManager* undoManager);
    // Re-derives the stored result for a new selection.
    void rederiveLearnResult(SourceSelection sel);
    // The proposals that a change of Source or Character applies.
    LearnDerivation suggestLearnSettings(SourceSelection sel, double hostTempo);
    // A baseline that suggests every parameter's current value, stored through the undo manager (if any).
    void resetLearnBaseline(SourceSelection sel, juce::UndoManager* undoManager);
    // Recomputes the Character values from the selection and the stored result.
    void publishCharacters();

private:
    float appliedValue(const juce::RangedAudioParameter& parameter, bool isChoice, float proposal, double current,
                       std::optional<float> suggested) const;

    juce::AudioProcessorValueTreeState& state;
    SlotBank& slots;
    juce::CriticalSection& processorLock;
    const std::atomic<int>& mode;

    LearnRecord record;
    mutable quil::SpinLock recordLock;
    SourceSelection mirror;
    SourceSelection key = noSelection;
    std::atomic<int> overrideChar { -1 };
    std::atomic<int> engineChar { hall };
    std::atomic<int> autoChar { hall };

    JUCE_DECLARE_NON_COPYABLE(LearnSettings)
};
} // namespace zq6
