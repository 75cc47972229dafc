#include "DisplayCheck.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <cstdlib>

namespace zq6::test
{
bool hasDisplay()
{
    static const bool available = [] {
        const char* display = std::getenv("DISPLAY");
        return display != nullptr && *display != '\0'
               && juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() != nullptr;
    }();
    return available;
}
} // namespace zq6::test
