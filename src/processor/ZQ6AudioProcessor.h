#pragma once

#include "../../plugin-common/ParameterUndo.h"
#include "../../plugin-common/StepHistory.h"
#include "../engine/ReverbEngine.h"
#include "../../plugin-common/web/LivenessToken.h"
#include "../learn/LearnControl.h"
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

    SourceSelection getSourceSelection() const;

    juce::AudioProcessorValueTreeState& getValueTreeState() noexcept { return state; }
    ReverbEngine& getEngine() noexcept { return engine; }
    MeterPeaks& getMeterPeaks() noexcept { return engine.getMeterPeaks(); }
    LearnControl& getLearnControl() noexcept { return learnControl; }
    double getHostTempo() const noexcept { return hostTempo.load(std::memory_order_relaxed); }
    int getEffectiveCharacter() const noexcept { return effectiveCharacter.load(std::memory_order_relaxed); }
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
    void beginHistoryStep(const juce::String& name);
    void commitPendingStep();
    void installSlotCallbacks();
    void applySlotExtra(const juce::ValueTree& extra, juce::UndoManager* undoManager);
    // A baseline that suggests the current parameter values for the current Source selection.
    void rebuildBaseline(juce::UndoManager* undoManager);

    // First in, last out: web requests see this instance alive for its whole life.
    quil::web::LivenessToken liveness;
    quil::StepHistory history;
    juce::AudioProcessorValueTreeState state;
    quil::ParameterUndo parameterUndo;
    SlotBank slots;
    ReverbEngine engine;
    LearnControl learnControl;
    std::atomic<int> mode { insert };
    std::atomic<int> effectiveCharacter { 1 };
    std::atomic<double> hostTempo { 0.0 };
    SourceSelection sourceSelection;
    juce::CriticalSection processorLock;
    ParameterPointers parameters;
    juce::AudioParameterBool* bypassParameter = nullptr;
    bool enginePrepared = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZQ6AudioProcessor)
};
} // namespace zq6
