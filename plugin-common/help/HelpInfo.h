#pragma once

#include <juce_core/juce_core.h>

namespace quil::help
{
// The product as the help menu and the feedback form name it.
struct HelpInfo
{
    juce::String name;
    juce::String slug;
    juce::String version;
    juce::String manualPath;
};
} // namespace quil::help
