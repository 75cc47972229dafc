#pragma once

#include <juce_core/juce_core.h>

namespace zq6::test
{
// Points the per-user folders at a fresh temporary home for its lifetime, so editor tests read and
// write their own settings file and never the user's.
class ScopedSettingsHome
{
public:
    ScopedSettingsHome();
    ~ScopedSettingsHome();

    const juce::File& folder() const noexcept { return home; }

private:
    juce::File home;
    juce::String previous;
    bool hadPrevious = false;

    JUCE_DECLARE_NON_COPYABLE(ScopedSettingsHome)
};
} // namespace zq6::test
