#include "ParameterWatch.h"

namespace quil
{
ParameterWatch::ParameterWatch(std::function<void()> onChangeToCall) : onChange(std::move(onChangeToCall)) {}

ParameterWatch::~ParameterWatch()
{
    for (auto* parameter : watched)
        parameter->removeListener(this);
    cancelPendingUpdate();
}

void ParameterWatch::watch(juce::AudioProcessorParameter& parameter)
{
    parameter.addListener(this);
    watched.push_back(&parameter);
}

void ParameterWatch::parameterValueChanged(int, float)
{
    if (juce::MessageManager::existsAndIsCurrentThread())
    {
        cancelPendingUpdate();
        onChange();
        return;
    }
    triggerAsyncUpdate();
}
} // namespace quil
