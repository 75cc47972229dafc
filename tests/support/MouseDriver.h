#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zq6::test
{
// A borderless top-level window on the desktop (under Xvfb on a headless machine), so that its
// children get real mouse and keyboard events through the window's peer.
class DesktopTestWindow : public juce::Component
{
public:
    DesktopTestWindow(int width, int height);
    ~DesktopTestWindow() override;

    // Waits until the window is showing and has the keyboard focus; false when it never does.
    bool waitUntilFocused();
    // Delivers a key through the window's peer to the component with the keyboard focus (or the
    // modal one); true when a component used it.
    bool pressKey(const juce::KeyPress& key);
};

// Sends mouse events through the window's peer, as the operating system would: the framework finds
// the component under the pointer, counts double-clicks and calls mouse listeners. Each event is
// 20 ms after the one before on the driver's own clock.
class MouseDriver
{
public:
    explicit MouseDriver(DesktopTestWindow& window);
    // Lets go of a button still held, so that the next test starts with the mouse up.
    ~MouseDriver();

    // Positions are in the coordinates of `component`; without a button in `mods` the left one is used.
    // The pointer moves with no button held.
    void move(const juce::Component& component, juce::Point<float> to);
    void press(const juce::Component& component, juce::Point<float> at, juce::ModifierKeys mods = {});
    void drag(const juce::Component& component, juce::Point<float> to, juce::ModifierKeys mods = {});
    void release(const juce::Component& component, juce::Point<float> at, juce::ModifierKeys mods = {});
    void click(const juce::Component& component, juce::Point<float> at, juce::ModifierKeys mods = {});
    void clickCentre(const juce::Component& component);
    void doubleClick(const juce::Component& component, juce::Point<float> at, juce::ModifierKeys mods = {});
    // Leaves the pointer outside every component and clears the click count.
    void leave();

private:
    void send(const juce::Component& component, juce::Point<float> at, juce::ModifierKeys mods);

    DesktopTestWindow& window;
    juce::Point<float> lastPosition;
    juce::ModifierKeys held;
};
} // namespace zq6::test
