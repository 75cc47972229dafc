#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

namespace quil::ui
{
// The place over an editor where one dialog at a time opens; the dialog covers the whole editor
// and is destroyed when it closes.
class OverlaySlot
{
public:
    explicit OverlaySlot(juce::Component& host);
    ~OverlaySlot();

    // Replaces an open dialog.
    void open(std::unique_ptr<juce::Component> dialog);
    void close();

    bool isOpen() const noexcept { return current != nullptr; }
    juce::Component* dialog() const noexcept { return current.get(); }
    // Lays the open dialog over the whole host.
    void cover();

private:
    juce::Component& host;
    std::unique_ptr<juce::Component> current;

    JUCE_DECLARE_NON_COPYABLE(OverlaySlot)
};
} // namespace quil::ui
