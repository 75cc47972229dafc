#include "PeerInput.h"

namespace zq6::test
{
namespace
{
// Far enough apart that two clicks never count as one double-click.
juce::int64 nextEventTime()
{
    static juce::int64 time = juce::Time::currentTimeMillis();
    time += 1000;
    return time;
}
} // namespace

void PeerInput::send(juce::Component& target, juce::Point<int> point, juce::ModifierKeys modifiers)
{
    auto* peer = target.getPeer();
    jassert(peer != nullptr);
    if (peer == nullptr)
        return;
    const auto inPeer = peer->getComponent().getLocalPoint(&target, point.toFloat());
    peer->handleMouseEvent(juce::MouseInputSource::InputSourceType::mouse, inPeer, modifiers,
                           juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                           nextEventTime());
}

void PeerInput::move(juce::Component& target, juce::Point<int> point)
{
    send(target, point, {});
}

void PeerInput::press(juce::Component& target, juce::Point<int> point, juce::ModifierKeys modifiers)
{
    send(target, point, modifiers.withoutMouseButtons());
    send(target, point, modifiers.withFlags(juce::ModifierKeys::leftButtonModifier));
}

void PeerInput::release(juce::Component& target, juce::Point<int> point, juce::ModifierKeys modifiers)
{
    send(target, point, modifiers.withoutMouseButtons());
}

void PeerInput::click(juce::Component& target, juce::Point<int> point, juce::ModifierKeys modifiers)
{
    press(target, point, modifiers);
    release(target, point, modifiers);
}

bool PeerInput::key(juce::Component& anyInWindow, const juce::KeyPress& key)
{
    auto* peer = anyInWindow.getPeer();
    return peer != nullptr && peer->handleKeyPress(key);
}

TestWindow::TestWindow(juce::Component& content, int width, int height)
{
    holder.setSize(width, height);
    holder.addAndMakeVisible(content);
    holder.addToDesktop(0);
    holder.setVisible(true);
}

TestWindow::~TestWindow()
{
    holder.removeFromDesktop();
}
} // namespace zq6::test
