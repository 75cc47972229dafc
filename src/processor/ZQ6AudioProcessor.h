#pragma once

#include "../../plugin-common/ParameterUndo.h"
#include "../../plugin-common/StepHistory.h"
#include "../engine/ReverbEngine.h"
#include "../../plugin-common/web/LivenessToken.h"
#include "../learn/LearnControl.h"
#include "../learn/LearnCycle.h"
#include "../learn/LearnSettings.h"
#include "../learn/LearnSnapshot.h"
#include "../learn/SourceSelection.h"
#include "../state/SlotBank.h"
#include "ParameterPointers.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>
#include <memory>

namespace zq6
{
class ZQ6AudioProcessor : public juce::AudioProcessor, private juce::Timer, private juce::ValueTree::Listener
{
public:
    enum Mode : int
    {
        insert = 0,
        send = 1
    };

    ZQ6AudioProcessor();
    ~ZQ6AudioProcessor() override;

    const juce::String getName() const override { return "ZQ-6"; }
    bool isBusesLayoutSupported(const BusesLayout& layouts) const override;
    void prepareToPlay(double sampleRate, int maximumExpectedSamplesPerBlock) override;
    void releaseResources() override {}
    void processBlock(juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    void processBlockBypassed(juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    using juce::AudioProcessor::processBlock;
    using juce::AudioProcessor::processBlockBypassed;
    void reset() override;
    double getTailLengthSeconds() const override;
    juce::AudioProcessorParameter* getBypassParameter() const override;

    bool hasEditor() const override { return true; }
    juce::AudioProcessorEditor* createEditor() override;

    int getNumPrograms() override { return 1; }
    int getCurrentProgram() override { return 0; }
    void setCurrentProgram(int) override {}
    const juce::String getProgramName(int) override { return "Default"; }
    void changeProgramName(int, const juce::String&) override {}

    bool acceptsMidi() const override { return false; }
    bool producesMidi() const override { return false; }
    bool isMidiEffect() const override { return false; }

    void getStateInformation(juce::MemoryBlock& destData) override;
    void setStateInformation(const void* data, int sizeInBytes) override;
    // Loads a saved state as setStateInformation does. False when the block was refused, which changes
    // nothing, or when applying it ran out of memory part-way, which may leave some of it applied.
    bool restoreState(const void* data, int sizeInBytes) noexcept;

    static int latencyForRate(double sampleRate) noexcept { return ReverbEngine::latencyForRate(sampleRate); }
    static double tailSecondsForRate(double sampleRate) noexcept;

    void setMode(int newMode);
    int getMode() const noexcept { return mode.load(); }

    // Settings history. Refused (false) while Learn is not idle.
    bool undoOrRedo(bool undo);
    bool canUndo() const;
    bool canRedo() const;

    // Slots A (0) and B (1), each one history step. Refused while Learn is not idle.
    bool switchSlot(int index);
    void copySlot();
    int getActiveSlot() const { return slots.activeSlot(); }

    // The Learn panel's Source, Character and "Init" choices, each one history step. Refused (false)
    // while Learn is not idle; false too when the choice is the current one.
    bool chooseSource(int group, int entry);
    bool chooseCharacter(int choice);
    bool chooseInit();

    SourceSelection getSourceSelection() const { return learnSettings.selection(); }
    LearnSettings& getLearnSettings() noexcept { return learnSettings; }

    // The Learn button: start while idle (false below 8000 Hz or before prepare), cancel otherwise
    // (false when there was nothing to cancel).
    bool startLearn();
    bool cancelLearn();
    // The Learn work of the 33 ms tick; finishes the cycle as the history step "Learn".
    void tickLearn();
    LearnCycle& getLearnCycle() noexcept { return learnCycle; }

    // The Learn state that a history step restores as a whole.
    class LearnSnapshotAction;
    LearnSnapshot currentLearnSnapshot() const;
    void applyLearnSnapshot(const LearnSnapshot& snapshot);

    juce::AudioProcessorValueTreeState& getValueTreeState() noexcept { return state; }
    ReverbEngine& getEngine() noexcept { return engine; }
    MeterPeaks& getMeterPeaks() noexcept { return engine.getMeterPeaks(); }
    LearnControl& getLearnControl() noexcept { return learnControl; }
    double getHostTempo() const noexcept { return hostTempo.load(std::memory_order_relaxed); }
    // The Character values, lock-free: the engine's voicing, what Auto stands for, the analysis's override.
    int getEffectiveCharacter() const noexcept { return learnSettings.engineCharacter(); }
    int getAutoCharacter() const noexcept { return learnSettings.autoCharacterNow(); }
    int getCharacterOverride() const noexcept { return learnSettings.characterOverride(); }
    juce::CriticalSection& getProcessorLock() noexcept { return processorLock; }
    quil::StepHistory& getHistory() noexcept { return history; }
    const quil::StepHistory& getHistory() const noexcept { return history; }
    quil::ParameterUndo& getParameterUndo() noexcept { return parameterUndo; }
    SlotBank& getSlots() noexcept { return slots; }
    const SlotBank& getSlots() const noexcept { return slots; }

private:
    void timerCallback() override;
    void runEngine(juce::AudioBuffer<float>& buffer, bool bypassed);
    double readHostTempo() const;

    juce::String stateFingerprint() const;
    juce::String learnFingerprint() const;
    void storeLearnResult(int newMode, const LearnRecord& record);
    bool loadState(const void* data, int sizeInBytes);
    void restoreParameters(juce::ValueTree tree);
    void beginHistoryStep(const juce::String& name);
    void commitPendingStep();
    void installSlotCallbacks();
    void applySlotExtra(const juce::ValueTree& extra, juce::UndoManager* undoManager);
    void changeSelection(SourceSelection sel, const juce::String& stepName);
    void finishLearn();
    void removeForeignChildren();

    // The Source selection follows the baseline.
    void valueTreePropertyChanged(juce::ValueTree& tree, const juce::Identifier& property) override;
    void valueTreeChildAdded(juce::ValueTree& parent, juce::ValueTree& child) override;
    void valueTreeChildRemoved(juce::ValueTree& parent, juce::ValueTree& child, int index) override;
    void valueTreeRedirected(juce::ValueTree& tree) override;

    // First in, last out: web requests see this instance alive for its whole life.
    quil::web::LivenessToken liveness;
    quil::StepHistory history;
    juce::AudioProcessorValueTreeState state;
    quil::ParameterUndo parameterUndo;
    SlotBank slots;
    ReverbEngine engine;
    LearnControl learnControl;
    LearnCycle learnCycle { learnControl, engine.getLearnCapture() };
    LearnSnapshot learnBefore;
    std::atomic<int> mode { insert };
    // Written into saved states; a loaded state sets it to the version it was saved with.
    std::atomic<int> stateVersion { 1 };
    std::atomic<double> hostTempo { 0.0 };
    juce::CriticalSection processorLock;
    LearnSettings learnSettings;
    ParameterPointers parameters;
    juce::AudioParameterBool* bypassParameter = nullptr;
    // Some hosts and scanners process before preparing; until then the input passes untouched.
    std::atomic<bool> enginePrepared { false };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZQ6AudioProcessor)
};
} // namespace zq6
