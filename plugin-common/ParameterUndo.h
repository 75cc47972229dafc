#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>
#include <functional>
#include <memory>

namespace quil
{
// Turns the host change gestures of the parameters (begin, set, end) into undoable actions in the
// edit manager. Changes outside gestures (automation, undo, recalls) are never recorded. Gesture
// callbacks may come from any thread; only message-thread begins count, and ends from other threads
// are recorded at the next tick. The gesture callbacks run under the parameter's listener lock while a
// load holds the tree's lock and sets parameters, so nothing here takes the tree's lock: whoever undoes
// or redoes brings the tree up to the live value before setting one.
class ParameterUndo : private juce::AudioProcessorParameter::Listener, private juce::Timer
{
public:
    using GestureBeginCallback = std::function<void()>;
    using Clock = std::function<juce::uint32()>;

    static constexpr juce::uint32 gestureTimeoutMs = 8000;
    static constexpr int timerIntervalMs = 50;

    // Sets one parameter to a value in its own units through the value tree, without undo manager.
    // Recording it writes nothing: the parameter already holds the value.
    class SetValueAction : public juce::UndoableAction
    {
    public:
        SetValueAction(juce::AudioProcessorValueTreeState& state, juce::String parameterId, float before, float after);

        bool perform() override;
        bool undo() override;
        int getSizeInUnits() override { return 10; }

    private:
        juce::AudioProcessorValueTreeState& state;
        juce::String parameterId;
        float before;
        float after;
        bool alreadyLive = true;
    };

    ParameterUndo(juce::AudioProcessorValueTreeState& state, juce::UndoManager& editManager,
                  const juce::StringArray& exclusions, GestureBeginCallback onFirstGestureBegin,
                  Clock clock = juce::Time::getMillisecondCounter);
    ~ParameterUndo() override;

    // Records deferred gesture ends and closes gestures idle for longer than the timeout.
    void tick();

    // Forgets every open and deferred gesture without recording anything.
    void cancelGestures();

    bool isGestureOpen() const noexcept { return openGestures.load() > 0; }

private:
    struct Record
    {
        bool valid = false;
        juce::String parameterId;
        juce::RangedAudioParameter* parameter = nullptr;
        std::atomic<bool> inGesture { false };
        std::atomic<juce::uint32> lastTouch { 0 };
        std::atomic<float> startValue { 0.0f };
        std::atomic<float> deferredFrom { 0.0f };
        std::atomic<float> deferredTo { 0.0f };
        std::atomic<bool> deferred { false };
    };

    void parameterValueChanged(int parameterIndex, float newValue) override;
    void parameterGestureChanged(int parameterIndex, bool gestureIsStarting) override;
    void timerCallback() override { tick(); }

    Record* recordFor(int parameterIndex) const;
    void beginGesture(Record& record);
    void endGesture(Record& record);
    void recordChange(const Record& record, float from, float to);
    bool hasTimedOut(const Record& record) const;

    juce::AudioProcessorValueTreeState& state;
    juce::UndoManager& editManager;
    GestureBeginCallback onFirstGestureBegin;
    Clock clock;
    std::unique_ptr<Record[]> records;
    int recordCount = 0;
    std::atomic<int> openGestures { 0 };

    JUCE_DECLARE_NON_COPYABLE(ParameterUndo)
};
} // namespace quil
