#pragma once

#include "../params/ParameterIds.h"

#include <juce_core/juce_core.h>

namespace zq6
{
// Parameters that the settings history and the slots never touch.
inline juce::StringArray exclusionList()
{
    return { pid::bypass };
}
} // namespace zq6
