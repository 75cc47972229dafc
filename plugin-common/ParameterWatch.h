#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <functional>
#include <vector>

namespace quil
{
// Calls one function when any of a set of parameters changes. A change made on the message thread
// is answered at once; changes from other threads (automation while audio runs) are gathered into
// a single call on the message thread, however many parameters moved in between.
class ParameterWatch : private juce::AudioProcessorParameter::Listener, private juce::AsyncUpdater
{
public:
    explicit ParameterWatch(std::function<void()> onChange);
    ~ParameterWatch() override;

    void watch(juce::AudioProcessorParameter& parameter);

private:
    void parameterValueChanged(int parameterIndex, float newValue) override;
    void parameterGestureChanged(int, bool) override {}
    void handleAsyncUpdate() override { onChange(); }

    std::function<void()> onChange;
    std::vector<juce::AudioProcessorParameter*> watched;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ParameterWatch)
};
} // namespace quil
