#include "OverlaySlot.h"

namespace quil::ui
{
OverlaySlot::OverlaySlot(juce::Component& hostComponent) : host(hostComponent) {}

OverlaySlot::~OverlaySlot()
{
    close();
}

void OverlaySlot::open(std::unique_ptr<juce::Component> dialog)
{
    close();
    current = std::move(dialog);
    if (current == nullptr)
        return;
    current->setBounds(host.getLocalBounds());
    host.addAndMakeVisible(*current);
    current->toFront(false);
}

void OverlaySlot::close()
{
    // Taken out of the slot first: destroying the dialog may close the slot again.
    const auto closing = std::move(current);
    if (closing != nullptr)
        host.removeChildComponent(closing.get());
}

void OverlaySlot::cover()
{
    if (current != nullptr)
        current->setBounds(host.getLocalBounds());
}
} // namespace quil::ui
