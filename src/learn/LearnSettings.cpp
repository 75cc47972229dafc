#include "LearnSettings.h"

#include "../../plugin-common/ParameterTree.h"
#include "../state/LearnBaseline.h"
#include "../state/SlotBank.h"
#include "LearnTargets.h"

#include <cmath>

namespace zq6
{
namespace
{
// Differences this small are rounding, not a user's edit.
constexpr double editTolerance = 2.0e-6;

constexpr bool targetsFollowTheBaselineOrder()
{
    for (int i = 0; i < learnTargetCount; ++i)
        if (learnTargets[i].parameterId != baselineTargets[i].parameterId)
            return false;
    return learnTargetCount == baselineTargetCount;
}
static_assert(targetsFollowTheBaselineOrder());
} // namespace

LearnSettings::LearnSettings(juce::AudioProcessorValueTreeState& s, SlotBank& b, juce::CriticalSection& lock,
                             const std::atomic<int>& m)
    : state(s), slots(b), processorLock(lock), mode(m)
{
}

LearnRecord LearnSettings::copyRecord() const
{
    const quil::SpinLock::ScopedLock lock(recordLock);
    return record;
}

void LearnSettings::storeRecord(const LearnRecord& newRecord)
{
    const quil::SpinLock::ScopedLock lock(recordLock);
    record = newRecord;
}

SourceSelection LearnSettings::selection() const
{
    const juce::ScopedLock lock(processorLock);
    return mirror;
}

void LearnSettings::refreshSelection()
{
    const juce::ScopedLock lock(processorLock);
    const auto baseline = readBaseline(state.state, state);
    mirror = baseline.valid ? baseline.sel : SourceSelection {};
    publishCharacters();
}

SourceSelection LearnSettings::derivedFor() const
{
    const juce::ScopedLock lock(processorLock);
    return key;
}

void LearnSettings::setDerivedFor(SourceSelection sel)
{
    const juce::ScopedLock lock(processorLock);
    key = sel;
}

float LearnSettings::appliedValue(const juce::RangedAudioParameter& parameter, bool isChoice, float proposal,
                                  double current, std::optional<float> suggested) const
{
    if (!suggested.has_value())
        return proposal;
    if (isChoice)
        return std::lround(current) != std::lround(*suggested) ? static_cast<float>(current) : proposal;
    const auto offset = static_cast<double>(parameter.convertTo0to1(static_cast<float>(current)))
                      - parameter.convertTo0to1(*suggested);
    if (std::abs(offset) <= editTolerance)
        return proposal;
    const auto moved = juce::jlimit(0.0, 1.0, parameter.convertTo0to1(proposal) + offset);
    return parameter.convertFrom0to1(static_cast<float>(moved));
}

void LearnSettings::applyLearnSettings(const LearnDerivation& derived, SourceSelection sel, bool keepUserEdits,
                                       juce::UndoManager* undoManager)
{
    const juce::ScopedLock lock(processorLock);
    const auto previous = readBaseline(state.state, state);
    auto values = slots.captureValues();
    const auto sendMode = mode.load() == 1;

    LearnBaseline next;
    next.valid = true;
    next.sel = sel;
    next.eff = derived.effectiveCharacter;
    for (int i = 0; i < learnTargetCount; ++i)
    {
        const auto& target = learnTargets[i];
        const auto index = static_cast<size_t>(i);
        auto* parameter = state.getParameter(target.parameterId);
        if (parameter == nullptr)
            continue;
        if (sendMode && i == mixTargetIndex)
        {
            next.values[index] = previous.valid ? previous.values[index] : std::nullopt;
            continue;
        }
        const auto proposal = quil::legalValue(*parameter, target.proposal(derived.record));
        const auto suggested = keepUserEdits && previous.valid ? previous.values[index] : std::nullopt;
        values[target.parameterId] = appliedValue(*parameter, target.isChoice, proposal, values[target.parameterId], suggested);
        next.values[index] = proposal;
    }
    slots.applyValues(values);
    writeBaseline(state.state, next, undoManager);
    publishCharacters();
}

void LearnSettings::rederiveLearnResult(SourceSelection sel)
{
    const juce::ScopedLock lock(processorLock);
    if (sel == key)
        return;
    key = sel;
    const quil::SpinLock::ScopedLock recordGuard(recordLock);
    if (record.hasResult != 1)
    {
        setCharacterOverride(-1);
        return;
    }
    const auto derived = deriveLearnSettings(record.features, sel.group, sel.entry, sel.character, 0.0);
    record = derived.record;
    record.hasResult = 1;
    setCharacterOverride(record.sSpaceOverride);
}

LearnDerivation LearnSettings::suggestLearnSettings(SourceSelection sel, double hostTempo)
{
    const juce::ScopedLock lock(processorLock);
    rederiveLearnResult(sel);
    const auto stored = copyRecord();
    const auto features = stored.hasResult == 1 ? std::optional<LearnFeatures>(stored.features) : std::nullopt;
    auto derived = deriveLearnSettings(features, sel.group, sel.entry, sel.character, hostTempo);
    setCharacterOverride(derived.record.sSpaceOverride);
    return derived;
}

void LearnSettings::resetLearnBaseline(SourceSelection sel, juce::UndoManager* undoManager)
{
    const juce::ScopedLock lock(processorLock);
    key = noSelection;
    rederiveLearnResult(sel);
    const auto eff = effectiveCharacter(sel.character, sel.group, sel.entry, characterOverride());
    writeBaseline(state.state, baselineFromParameters(state, sel, eff), undoManager);
    publishCharacters();
}

void LearnSettings::publishCharacters()
{
    const juce::ScopedLock lock(processorLock);
    rederiveLearnResult(mirror);
    const auto spaceOverride = characterOverride();
    engineChar.store(effectiveCharacter(mirror.character, mirror.group, mirror.entry, spaceOverride),
                     std::memory_order_relaxed);
    autoChar.store(autoCharacter(mirror.group, mirror.entry, spaceOverride), std::memory_order_relaxed);
}
} // namespace zq6
