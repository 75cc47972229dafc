#include "ScopedSettingsHome.h"

#include <cstdlib>

namespace zq6::test
{
ScopedSettingsHome::ScopedSettingsHome() : home(juce::File::createTempFile("zq6-home"))
{
    home.createDirectory();
    if (const auto* current = std::getenv("HOME"))
    {
        previous = juce::String::fromUTF8(current);
        hadPrevious = true;
    }
    setenv("HOME", home.getFullPathName().toRawUTF8(), 1);
}

ScopedSettingsHome::~ScopedSettingsHome()
{
    if (hadPrevious)
        setenv("HOME", previous.toRawUTF8(), 1);
    else
        unsetenv("HOME");
    home.deleteRecursively();
}
} // namespace zq6::test
