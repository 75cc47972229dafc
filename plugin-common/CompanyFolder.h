#pragma once

#include <juce_core/juce_core.h>

namespace quil
{
// The per-user folder that holds the maker's settings and caches: the platform's application-data
// folder (the roaming AppData on Windows), then "QUIL AUDIO".
juce::File companyDataFolder();
} // namespace quil
