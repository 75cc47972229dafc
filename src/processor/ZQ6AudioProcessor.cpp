#include "ZQ6AudioProcessor.h"

#include "../../plugin-common/ParameterTree.h"
#include "../../plugin-common/StateFingerprint.h"
#include "../state/ExclusionList.h"
#include "../state/LearnBaseline.h"
#include "../state/LearnTree.h"
#include "../state/SlotExtra.h"
#include "../state/StateTree.h"
#include "../learn/SourcePresets.h"
#include "LearnSnapshotAction.h"
#include "../ui/shell/ZQ6Editor.h"
#include "../params/ParameterIds.h"
#include "ParameterLayout.h"

namespace zq6
{
namespace
{
// JUCE's LV2 wrapper tells a host a value only in the run after the value changed, and never
// answers a host that asks. Announcing every value makes the next run report all of them, the
// ones a restore left as they were included.
void announceValuesToLv2Host(juce::AudioProcessor& processor)
{
    if (processor.wrapperType != juce::AudioProcessor::wrapperType_LV2)
        return;
    for (auto* parameter : processor.getParameters())
        parameter->sendValueChangedMessageToListeners(parameter->getValue());
}
} // namespace

ZQ6AudioProcessor::ZQ6AudioProcessor()
    : juce::AudioProcessor(BusesProperties()
                               .withInput("Input", juce::AudioChannelSet::stereo(), true)
                               .withOutput("Output", juce::AudioChannelSet::stereo(), true)),
      history([this] { return stateFingerprint(); }),
      state(*this, nullptr, "ZQ6STATE", buildParameterLayout()),
      parameterUndo(state, history.getEditManager(), exclusionList(),
                    [this] { history.beginStep({}); }),
      slots(state, history.getEditManager(), exclusionList()),
      learnSettings(state, slots, processorLock, mode),
      parameters(state)
{
    bypassParameter = dynamic_cast<juce::AudioParameterBool*>(state.getParameter(pid::bypass));
    jassert(bypassParameter != nullptr);
    installSlotCallbacks();
    state.state.addListener(this);
    learnSettings.resetLearnBaseline({}, nullptr);
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
    if (!enginePrepared.load() || sampleRate != engine.getHostRate())
    {
        engine.prepare(sampleRate);
        enginePrepared.store(true);
    }
    const auto latency = latencyForRate(sampleRate);
    if (latency != getLatencySamples())
        setLatencySamples(latency);

    if (engine.getLearnCapture().prepare(sampleRate))
        learnControl.requestCancel();
    announceValuesToLv2Host(*this);
}

void ZQ6AudioProcessor::reset()
{
    engine.clear();
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
    if (auto* host = getPlayHead())
        if (const auto position = host->getPosition())
            if (const auto bpm = position->getBpm())
                return *bpm;
    return 0.0;
}

void ZQ6AudioProcessor::runEngine(juce::AudioBuffer<float>& buffer, bool bypassed)
{
    if (!enginePrepared.load(std::memory_order_acquire))
        return;
    const juce::ScopedNoDenormals noDenormals;
    const auto tempo = readHostTempo();
    hostTempo.store(tempo, std::memory_order_relaxed);
    const auto params = parameters.snapshot(tempo, mode.load(std::memory_order_relaxed) == send,
                                            learnControl.isListening(), learnSettings.engineCharacter());
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
    const juce::ScopedLock lock(processorLock);
    parameterUndo.tick();
    // After deferred gesture ends are recorded, before the commit, so a finishing Learn commits its own step.
    tickLearn();
    if (!parameterUndo.isGestureOpen() && history.stepPending())
        history.commitStep();
}

bool ZQ6AudioProcessor::startLearn()
{
    if (!learnControl.isIdle() || !learnCycle.canStart())
        return false;
    learnBefore = currentLearnSnapshot();
    const auto sel = learnSettings.selection();
    AnalyzerConfig config;
    config.sampleRate = engine.getLearnCapture().lastRate.load();
    config.mode = mode.load();
    config.sourceGroup = foldSourceGroup(sel.group);
    config.sourceEntry = foldSourceEntry(config.sourceGroup, sel.entry);
    config.listenSeconds = sourcePreset(config.sourceGroup, config.sourceEntry).listenSeconds;
    learnCycle.start(config);
    return true;
}

bool ZQ6AudioProcessor::cancelLearn()
{
    return learnCycle.cancel();
}

void ZQ6AudioProcessor::tickLearn()
{
    if (!learnCycle.tick(getHostTempo()))
        return;
    const juce::ScopedLock lock(processorLock);
    if (learnControl.isListening())
        finishLearn();
    else
        learnCycle.publishCancelled();
}

void ZQ6AudioProcessor::finishLearn()
{
    beginHistoryStep("Learn");
    const auto features = learnCycle.getAnalyzer().computeLearnFeatures();
    learnCycle.publishLearned();
    if (features.fValid == 1)
    {
        const auto sel = learnSettings.selection();
        auto derived = deriveLearnSettings(features, sel.group, sel.entry, sel.character, 0.0);
        derived.record.hasResult = 1;
        learnSettings.setCharacterOverride(derived.record.sSpaceOverride);
        learnSettings.setDerivedFor(sel);
        learnSettings.storeRecord(derived.record);
        learnSettings.applyLearnSettings(derived, sel, false, &history.getEditManager());
        history.getEditManager().perform(new LearnSnapshotAction(*this, learnBefore, currentLearnSnapshot()));
    }
    commitPendingStep();
}

juce::String ZQ6AudioProcessor::stateFingerprint() const
{
    namespace fp = quil::fingerprint;
    return fp::parameterText(state, exclusionList()) + fp::nonParameterChildrenText(state.state)
         + fp::canonicalText(slots.slotsToTree()) + learnFingerprint() + ";phase="
         + juce::String(learnControl.status.load()) + ";";
}

// The mode and the stored Learn result as they are saved, which a step such as "Init" may change alone.
juce::String ZQ6AudioProcessor::learnFingerprint() const
{
    return quil::fingerprint::canonicalText(writeLearnTree(mode.load(), learnSettings.copyRecord()));
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
    const juce::ScopedLock lock(processorLock);
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
        learnSettings.resetLearnBaseline(learnSettings.selection(), undoManager);
}

bool ZQ6AudioProcessor::chooseSource(int group, int entry)
{
    if (!learnControl.isIdle())
        return false;
    const juce::ScopedLock lock(processorLock);
    auto sel = learnSettings.selection();
    const auto g = foldSourceGroup(group);
    const auto e = foldSourceEntry(g, entry);
    if (g == sel.group && e == sel.entry)
        return false;
    sel.group = g;
    sel.entry = e;
    changeSelection(sel, "Source");
    return true;
}

bool ZQ6AudioProcessor::chooseCharacter(int choice)
{
    if (!learnControl.isIdle())
        return false;
    const juce::ScopedLock lock(processorLock);
    auto sel = learnSettings.selection();
    const auto c = juce::jlimit(0, characterChoiceCount - 1, choice);
    if (c == sel.character)
        return false;
    sel.character = c;
    changeSelection(sel, "Character");
    return true;
}

void ZQ6AudioProcessor::changeSelection(SourceSelection sel, const juce::String& stepName)
{
    beginHistoryStep(stepName);
    learnSettings.applyLearnSettings(learnSettings.suggestLearnSettings(sel, getHostTempo()), sel, true,
                                     &history.getEditManager());
    commitPendingStep();
}

bool ZQ6AudioProcessor::chooseInit()
{
    if (!learnControl.isIdle())
        return false;
    const juce::ScopedLock lock(processorLock);
    beginHistoryStep("Init");
    auto& edits = history.getEditManager();
    slots.applyValues({});
    removeForeignChildren();
    edits.perform(new LearnSnapshotAction(*this, currentLearnSnapshot(), LearnSnapshot {}));
    learnSettings.resetLearnBaseline({}, &edits);
    commitPendingStep();
    return true;
}

// Everything in the state tree but the parameters and the baseline.
void ZQ6AudioProcessor::removeForeignChildren()
{
    for (int i = state.state.getNumChildren(); --i >= 0;)
    {
        const auto child = state.state.getChild(i);
        if (!child.hasType("PARAM") && !child.hasType(baselineids::element))
            state.state.removeChild(i, &history.getEditManager());
    }
}

LearnSnapshot ZQ6AudioProcessor::currentLearnSnapshot() const
{
    LearnSnapshot snapshot;
    snapshot.record = learnSettings.copyRecord();
    snapshot.mode = mode.load();
    snapshot.status = learnControl.status.load();
    snapshot.derivedFor = learnSettings.derivedFor();
    return snapshot;
}

void ZQ6AudioProcessor::applyLearnSnapshot(const LearnSnapshot& snapshot)
{
    const juce::ScopedLock lock(processorLock);
    storeLearnResult(snapshot.mode, snapshot.record);
    learnSettings.setDerivedFor(snapshot.derivedFor);
    const auto learned = snapshot.status == static_cast<int>(LearnStatus::learned);
    learnControl.status.store(snapshot.status);
    learnControl.progress.store(learned ? 1.0f : 0.0f);
    learnSettings.publishCharacters();
}

void ZQ6AudioProcessor::storeLearnResult(int newMode, const LearnRecord& record)
{
    mode.store(juce::jlimit(static_cast<int>(insert), static_cast<int>(send), newMode));
    learnSettings.storeRecord(record);
    learnSettings.setCharacterOverride(record.hasResult == 1 ? record.sSpaceOverride : -1);
}

void ZQ6AudioProcessor::valueTreePropertyChanged(juce::ValueTree& tree, const juce::Identifier& property)
{
    if (tree.hasType(baselineids::element) && property == baselineids::selection)
        learnSettings.refreshSelection();
}

void ZQ6AudioProcessor::valueTreeChildAdded(juce::ValueTree&, juce::ValueTree& child)
{
    if (child.hasType(baselineids::element))
        learnSettings.refreshSelection();
}

void ZQ6AudioProcessor::valueTreeChildRemoved(juce::ValueTree&, juce::ValueTree& child, int)
{
    if (child.hasType(baselineids::element))
        learnSettings.refreshSelection();
}

void ZQ6AudioProcessor::valueTreeRedirected(juce::ValueTree&)
{
    learnSettings.refreshSelection();
}

juce::AudioProcessorEditor* ZQ6AudioProcessor::createEditor()
{
    return new ZQ6Editor(*this);
}

// Hosts save from any thread. Every message-thread writer of the tree and the slots holds the
// processor lock, so the copy here never meets a tree in the middle of a change.
void ZQ6AudioProcessor::getStateInformation(juce::MemoryBlock& destData)
{
    const juce::ScopedLock lock(processorLock);
    auto tree = state.copyState();
    tree.appendChild(slots.slotsToTree(), nullptr);
    tree.appendChild(writeLearnTree(mode.load(), learnSettings.copyRecord()), nullptr);
    tree.setProperty(statetree::versionId, stateVersion.load(), nullptr);
    statetree::writeBlock(tree, destData);
}

void ZQ6AudioProcessor::setStateInformation(const void* data, int sizeInBytes)
{
    if (restoreState(data, sizeInBytes))
        announceValuesToLv2Host(*this);
}

// A block that exhausts memory or trips the framework's reader is refused like any damaged one:
// an exception must never reach the host, which would take its session down with it.
bool ZQ6AudioProcessor::restoreState(const void* data, int sizeInBytes) noexcept
{
    try
    {
        return loadState(data, sizeInBytes);
    }
    catch (...)
    {
        return false;
    }
}

// Everything is read from the block before anything changes.
bool ZQ6AudioProcessor::loadState(const void* data, int sizeInBytes)
{
    auto tree = statetree::readBlock(data, sizeInBytes, state.state.getType());
    if (!tree.isValid())
        return false;
    const auto version = statetree::takeVersion(tree);
    const auto slotTree = statetree::takeChild(tree, SlotBank::treeType);
    const auto learn = readLearnTree(statetree::takeChild(tree, learnids::element));

    const juce::ScopedLock lock(processorLock);
    slots.restore(slotTree);
    stateVersion.store(version);
    learnControl.requestCancel();
    storeLearnResult(learn.mode, learn.record);
    learnSettings.setDerivedFor(noSelection);
    restoreParameters(tree);
    parameterUndo.cancelGestures();
    history.clear();
    learnSettings.publishCharacters();
    return true;
}

// A baseline that does not read is rebuilt from the loaded parameters.
void ZQ6AudioProcessor::restoreParameters(juce::ValueTree tree)
{
    statetree::keepKnownChildren(tree, state);
    const auto baselineValid = readBaseline(tree, state).valid;
    if (!baselineValid)
        statetree::takeChild(tree, baselineids::element);
    statetree::completeParameters(tree, state);
    state.replaceState(tree);
    if (!baselineValid)
        learnSettings.resetLearnBaseline({}, nullptr);
}
} // namespace zq6

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new zq6::ZQ6AudioProcessor();
}
