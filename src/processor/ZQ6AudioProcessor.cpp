#include "ZQ6AudioProcessor.h"

#include "../../plugin-common/ParameterTree.h"
#include "../../plugin-common/StateFingerprint.h"
#include "../state/ExclusionList.h"
#include "../state/LearnBaseline.h"
#include "../state/SlotExtra.h"
#include "../ui/ZQ6Editor.h"
#include "ParameterIds.h"
#include "ParameterLayout.h"

namespace zq6
{
ZQ6AudioProcessor::ZQ6AudioProcessor()
    : juce::AudioProcessor(BusesProperties()
                               .withInput("Input", juce::AudioChannelSet::stereo(), true)
                               .withOutput("Output", juce::AudioChannelSet::stereo(), true)),
      history([this] { return stateFingerprint(); }),
      state(*this, nullptr, "ZQ6STATE", buildParameterLayout()),
      parameterUndo(state, history.getEditManager(), exclusionList(),
                    [this] { history.beginStep({}); }),
      slots(state, history.getEditManager(), exclusionList()),
      parameters(state)
{
    bypassParameter = dynamic_cast<juce::AudioParameterBool*>(state.getParameter(pid::bypass));
    jassert(bypassParameter != nullptr);
    installSlotCallbacks();
    state.state.addListener(this);
    rebuildBaseline(nullptr);
    startTimer(33);
    setLatencySamples(latencyForRate(48000.0));
}

ZQ6AudioProcessor::~ZQ6AudioProcessor()
{
    stopTimer();
    state.state.removeListener(this);
}

bool ZQ6AudioProcessor::isBusesLayoutSupported(const BusesLayout& layouts) const
{
    const auto output = layouts.getMainOutputChannelSet();
    if (output != juce::AudioChannelSet::mono() && output != juce::AudioChannelSet::stereo())
        return false;
    return layouts.getMainInputChannelSet() == output;
}

void ZQ6AudioProcessor::prepareToPlay(double sampleRate, int)
{
    if (!enginePrepared || sampleRate != engine.getHostRate())
    {
        engine.prepare(sampleRate);
        enginePrepared = true;
    }
    const auto latency = latencyForRate(sampleRate);
    if (latency != getLatencySamples())
        setLatencySamples(latency);

    if (engine.getLearnCapture().prepare(sampleRate))
        learnControl.requestCancel();
}

void ZQ6AudioProcessor::reset()
{
    engine.reset();
}

double ZQ6AudioProcessor::tailSecondsForRate(double sampleRate) noexcept
{
    const auto rate = sampleRate > 0.0 ? sampleRate : 48000.0;
    return latencyForRate(rate) / rate + 80.75;
}

double ZQ6AudioProcessor::getTailLengthSeconds() const
{
    return tailSecondsForRate(getSampleRate());
}

juce::AudioProcessorParameter* ZQ6AudioProcessor::getBypassParameter() const
{
    return bypassParameter;
}

double ZQ6AudioProcessor::readHostTempo() const
{
    if (auto* playHead = getPlayHead())
        if (const auto position = playHead->getPosition())
            if (const auto bpm = position->getBpm())
                return *bpm;
    return 0.0;
}

void ZQ6AudioProcessor::runEngine(juce::AudioBuffer<float>& buffer, bool bypassed)
{
    const juce::ScopedNoDenormals noDenormals;
    const auto tempo = readHostTempo();
    hostTempo.store(tempo, std::memory_order_relaxed);
    const auto params = parameters.snapshot(tempo, mode.load(std::memory_order_relaxed) == send,
                                            learnControl.isListening(), effectiveCharacter.load(std::memory_order_relaxed));
    engine.processHostBlock(buffer, getMainBusNumInputChannels(), bypassed, params);
}

void ZQ6AudioProcessor::processBlock(juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    runEngine(buffer, bypassParameter->get());
}

void ZQ6AudioProcessor::processBlockBypassed(juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    runEngine(buffer, true);
}

void ZQ6AudioProcessor::setMode(int newMode)
{
    if (!learnControl.isIdle())
        return;
    mode.store(std::clamp(newMode, static_cast<int>(insert), static_cast<int>(send)));
}

void ZQ6AudioProcessor::timerCallback()
{
    parameterUndo.tick();
    // The Learn cycle's work runs here: after deferred gesture ends are recorded, before the commit,
    // so a Learn that finishes in this tick commits its own step.
    if (!parameterUndo.isGestureOpen() && history.stepPending())
        history.commitStep();
}

juce::String ZQ6AudioProcessor::stateFingerprint() const
{
    namespace fp = quil::fingerprint;
    return fp::parameterText(state, exclusionList()) + fp::nonParameterChildrenText(state.state)
         + fp::canonicalText(slots.slotsToTree()) + ";phase=" + juce::String(learnControl.status.load())
         + ";";
}

void ZQ6AudioProcessor::beginHistoryStep(const juce::String& name)
{
    commitPendingStep();
    quil::pushParameterValuesToTree(state);
    history.beginStep(name);
}

void ZQ6AudioProcessor::commitPendingStep()
{
    if (history.stepPending())
        history.commitStep();
}

bool ZQ6AudioProcessor::undoOrRedo(bool undo)
{
    if (!learnControl.isIdle())
        return false;
    quil::pushParameterValuesToTree(state);
    commitPendingStep();
    auto& steps = history.getStepManager();
    if (undo ? !steps.canUndo() : !steps.canRedo())
        return false;
    parameterUndo.cancelGestures();
    const auto done = undo ? steps.undo() : steps.redo();
    parameterUndo.cancelGestures();
    history.disarm();
    return done;
}

bool ZQ6AudioProcessor::canUndo() const
{
    const auto& steps = history.getStepManager();
    return learnControl.isIdle() && (steps.canUndo() || history.hasPendingChange());
}

bool ZQ6AudioProcessor::canRedo() const
{
    const auto& steps = history.getStepManager();
    return learnControl.isIdle() && steps.canRedo() && !history.hasPendingChange();
}

bool ZQ6AudioProcessor::switchSlot(int index)
{
    if (!learnControl.isIdle())
        return false;
    parameterUndo.cancelGestures();
    const juce::ScopedLock lock(processorLock);
    beginHistoryStep("A/B");
    const auto switched = slots.switchTo(juce::jlimit(0, 1, index));
    commitPendingStep();
    return switched;
}

void ZQ6AudioProcessor::copySlot()
{
    if (!learnControl.isIdle())
        return;
    parameterUndo.cancelGestures();
    const juce::ScopedLock lock(processorLock);
    beginHistoryStep("A/B copy");
    slots.copyToOther();
    commitPendingStep();
}

SourceSelection ZQ6AudioProcessor::getSourceSelection() const
{
    const juce::ScopedLock lock(processorLock);
    return sourceSelection;
}

void ZQ6AudioProcessor::installSlotCallbacks()
{
    slots.setExtraCallbacks([this] { return slotextra::capture(state.state); },
                            [this](const juce::ValueTree& extra, juce::UndoManager* undoManager)
                            { applySlotExtra(extra, undoManager); },
                            [this](const juce::ValueTree& extra, const SlotBank::Values&)
                            { return slotextra::migrate(extra, state); });
}

void ZQ6AudioProcessor::applySlotExtra(const juce::ValueTree& extra, juce::UndoManager* undoManager)
{
    const auto baseline = readBaseline(extra, state);
    if (baseline.valid)
        writeBaseline(state.state, baseline, undoManager);
    else
        rebuildBaseline(undoManager);
}

void ZQ6AudioProcessor::rebuildBaseline(juce::UndoManager* undoManager)
{
    writeBaseline(state.state, baselineFromParameters(state, getSourceSelection(), effectiveCharacter.load()), undoManager);
}

juce::AudioProcessorEditor* ZQ6AudioProcessor::createEditor()
{
    return new ZQ6Editor(*this);
}

void ZQ6AudioProcessor::getStateInformation(juce::MemoryBlock& destData)
{
    const auto copy = state.copyState();
    if (const auto xml = copy.createXml())
        copyXmlToBinary(*xml, destData);
}

void ZQ6AudioProcessor::setStateInformation(const void* data, int sizeInBytes)
{
    const auto xml = getXmlFromBinary(data, sizeInBytes);
    if (xml != nullptr && xml->hasTagName(state.state.getType()))
        state.replaceState(juce::ValueTree::fromXml(*xml));
}
} // namespace zq6

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new zq6::ZQ6AudioProcessor();
}
