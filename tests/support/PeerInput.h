#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace zq6::test
{
// Mouse and key input delivered to components on the desktop through their window's peer, the way
// the windowing system delivers it: hit testing, enablement, hover, focus and click counting all
// run as in a host. Points are in the target component's own coordinates.
class PeerInput
{
public:
    static void move(juce::Component& target, juce::Point<int> point);
    static void press(juce::Component& target, juce::Point<int> point, juce::ModifierKeys modifiers = {});
    static void release(juce::Component& target, juce::Point<int> point, juce::ModifierKeys modifiers = {});
    static void click(juce::Component& target, juce::Point<int> point, juce::ModifierKeys modifiers = {});
    static void clickCentre(juce::Component& target) { click(target, target.getLocalBounds().getCentre()); }
    // The key goes to the component with the keyboard focus, or to the window.
    static bool key(juce::Component& anyInWindow, const juce::KeyPress& key);

private:
    static void send(juce::Component& target, juce::Point<int> point, juce::ModifierKeys modifiers);
};

// A window on the desktop that holds a component under test at the given size.
class TestWindow
{
public:
    TestWindow(juce::Component& content, int width, int height);
    ~TestWindow();

    juce::Component& component() noexcept { return holder; }

private:
    juce::Component holder;
};
} // namespace zq6::test
