#include "ParameterUndo.h"

#include "ParameterTree.h"

#include <cmath>
#include <utility>
#include <limits>

namespace quil
{
namespace
{
bool isMessageThread()
{
    return juce::MessageManager::existsAndIsCurrentThread();
}

bool approximatelyEqual(float a, float b)
{
    const auto difference = std::abs(a - b);
    return difference <= std::numeric_limits<float>::min()
        || difference <= std::numeric_limits<float>::epsilon() * std::max(std::abs(a), std::abs(b));
}
} // namespace

ParameterUndo::SetValueAction::SetValueAction(juce::AudioProcessorValueTreeState& valueTreeState, juce::String id,
                                              float valueBefore, float valueAfter)
    : state(valueTreeState), parameterId(std::move(id)), before(valueBefore), after(valueAfter)
{
}

bool ParameterUndo::SetValueAction::perform()
{
    // The first perform records a change the parameter has already made. Redo sets the value.
    if (std::exchange(alreadyLive, false))
        return true;
    return setParameterThroughTree(state, parameterId, after, nullptr);
}

bool ParameterUndo::SetValueAction::undo()
{
    return setParameterThroughTree(state, parameterId, before, nullptr);
}

ParameterUndo::ParameterUndo(juce::AudioProcessorValueTreeState& valueTreeState, juce::UndoManager& edits,
                             const juce::StringArray& exclusions, GestureBeginCallback onFirstBegin, Clock millisecondClock)
    : state(valueTreeState), editManager(edits), onFirstGestureBegin(std::move(onFirstBegin)), clock(std::move(millisecondClock))
{
    // A state with an undo manager of its own would record every tree change a second time.
    jassert(state.undoManager == nullptr);
    const auto& parameters = state.processor.getParameters();
    recordCount = parameters.size();
    records = std::make_unique<Record[]>(static_cast<size_t>(recordCount));
    for (auto* parameter : parameters)
    {
        auto& record = records[static_cast<size_t>(parameter->getParameterIndex())];
        record.parameter = dynamic_cast<juce::RangedAudioParameter*>(parameter);
        record.valid = record.parameter != nullptr && !exclusions.contains(record.parameter->getParameterID());
        if (record.valid)
            record.parameterId = record.parameter->getParameterID();
        parameter->addListener(this);
    }
    startTimer(timerIntervalMs);
}

ParameterUndo::~ParameterUndo()
{
    stopTimer();
    for (auto* parameter : state.processor.getParameters())
        parameter->removeListener(this);
}

ParameterUndo::Record* ParameterUndo::recordFor(int parameterIndex) const
{
    if (parameterIndex < 0 || parameterIndex >= recordCount || !records[static_cast<size_t>(parameterIndex)].valid)
        return nullptr;
    return &records[static_cast<size_t>(parameterIndex)];
}

void ParameterUndo::parameterValueChanged(int parameterIndex, float)
{
    if (auto* record = recordFor(parameterIndex))
        if (record->inGesture.load())
            record->lastTouch.store(clock());
}

void ParameterUndo::parameterGestureChanged(int parameterIndex, bool gestureIsStarting)
{
    if (auto* record = recordFor(parameterIndex))
    {
        if (gestureIsStarting)
            beginGesture(*record);
        else
            endGesture(*record);
    }
}

void ParameterUndo::beginGesture(Record& record)
{
    if (!isMessageThread() || record.inGesture.load())
        return;
    if (!isTimerRunning())
        startTimer(timerIntervalMs);
    if (record.deferred.exchange(false))
        recordChange(record, record.deferredFrom.load(), record.deferredTo.load());
    if (openGestures.load() == 0)
    {
        onFirstGestureBegin();
        editManager.beginNewTransaction("Edit");
    }
    record.startValue.store(valueInUnits(*record.parameter));
    record.lastTouch.store(clock());
    record.inGesture.store(true);
    ++openGestures;
}

void ParameterUndo::endGesture(Record& record)
{
    if (!record.inGesture.exchange(false))
        return;
    --openGestures;
    const auto start = record.startValue.load();
    const auto end = valueInUnits(*record.parameter);
    if (isMessageThread())
        recordChange(record, start, end);
    else
    {
        record.deferredFrom.store(start);
        record.deferredTo.store(end);
        record.deferred.store(true);
    }
}

void ParameterUndo::recordChange(const Record& record, float from, float to)
{
    if (approximatelyEqual(from, to))
        return;
    editManager.perform(new SetValueAction(state, record.parameterId, from, to));
}

void ParameterUndo::tick()
{
    for (int i = 0; i < recordCount; ++i)
    {
        auto& record = records[static_cast<size_t>(i)];
        if (!record.valid)
            continue;
        if (record.deferred.exchange(false))
            recordChange(record, record.deferredFrom.load(), record.deferredTo.load());
        if (record.inGesture.load() && hasTimedOut(record) && record.inGesture.exchange(false))
        {
            --openGestures;
            recordChange(record, record.startValue.load(), valueInUnits(*record.parameter));
        }
    }
}

bool ParameterUndo::hasTimedOut(const Record& record) const
{
    // The touch is read before the clock, so a touch from another thread cannot lie in the future.
    const auto lastTouch = record.lastTouch.load();
    return clock() - lastTouch > gestureTimeoutMs;
}

void ParameterUndo::cancelGestures()
{
    for (int i = 0; i < recordCount; ++i)
    {
        auto& record = records[static_cast<size_t>(i)];
        if (record.inGesture.exchange(false))
            --openGestures;
        record.deferred.store(false);
    }
}
} // namespace quil
