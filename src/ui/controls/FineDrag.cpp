#include "FineDrag.h"

namespace zq6::ui
{
void FineDrag::start(juce::Point<float> pointer, juce::Point<float> dragged, bool fine) noexcept
{
    active = fine;
    offset = dragged - pointer;
    anchor = pointer;
    virtualPoint = dragged;
}

juce::Point<float> FineDrag::map(juce::Point<float> pointer, bool fine) noexcept
{
    if (fine != active)
    {
        const auto here = mapped(pointer);
        if (fine)
        {
            virtualPoint = here;
            anchor = pointer;
        }
        else
        {
            offset = here - pointer;
        }
        active = fine;
    }
    return mapped(pointer);
}

juce::Point<float> FineDrag::mapped(juce::Point<float> pointer) const noexcept
{
    return active ? (pointer - anchor) / ratio + virtualPoint : pointer + offset;
}
} // namespace zq6::ui
