#include "MouseDriver.h"

#include "DisplayCheck.h"

#include "MessagePump.h"

namespace zq6::test
{
namespace
{
constexpr juce::int64 eventStepMs = 20;
// Far enough apart that presses of one test never join a click of the test before.
constexpr juce::int64 testGapMs = 2000;

juce::int64& clock()
{
    static juce::int64 now = juce::Time::currentTimeMillis();
    return now;
}

juce::ModifierKeys withButton(juce::ModifierKeys mods)
{
    return mods.isAnyMouseButtonDown() ? mods : mods.withFlags(juce::ModifierKeys::leftButtonModifier);
}
} // namespace

DesktopTestWindow::DesktopTestWindow(int width, int height)
{
    setSize(width, height);
    setWantsKeyboardFocus(true);
    // Without a display the test skips itself; a window here would crash it first.
    if (hasDisplay())
        addToDesktop(0);
    setVisible(true);
}

DesktopTestWindow::~DesktopTestWindow()
{
    removeFromDesktop();
}

bool DesktopTestWindow::waitUntilFocused()
{
    return pumpMessagesUntil(
        [this] {
            if (!isShowing())
                return false;
            if (!hasKeyboardFocus(true))
                grabKeyboardFocus();
            return hasKeyboardFocus(true);
        },
        3000);
}

bool DesktopTestWindow::pressKey(const juce::KeyPress& key)
{
    auto* peer = getPeer();
    return peer != nullptr && peer->handleKeyPress(key);
}

MouseDriver::MouseDriver(DesktopTestWindow& windowToUse) : window(windowToUse)
{
    clock() += testGapMs;
}

void MouseDriver::move(const juce::Component& component, juce::Point<float> to)
{
    send(component, to, {});
}

void MouseDriver::press(const juce::Component& component, juce::Point<float> at, juce::ModifierKeys mods)
{
    send(component, at, withButton(mods));
}

void MouseDriver::drag(const juce::Component& component, juce::Point<float> to, juce::ModifierKeys mods)
{
    send(component, to, withButton(mods));
}

void MouseDriver::release(const juce::Component& component, juce::Point<float> at, juce::ModifierKeys mods)
{
    send(component, at, mods.withoutMouseButtons());
}

void MouseDriver::click(const juce::Component& component, juce::Point<float> at, juce::ModifierKeys mods)
{
    press(component, at, mods);
    release(component, at, mods);
}

void MouseDriver::clickCentre(const juce::Component& component)
{
    click(component, component.getLocalBounds().getCentre().toFloat());
}

void MouseDriver::doubleClick(const juce::Component& component, juce::Point<float> at, juce::ModifierKeys mods)
{
    click(component, at, mods);
    click(component, at, mods);
}

void MouseDriver::leave()
{
    send(window, { -50.0f, -50.0f }, {});
    clock() += testGapMs;
}

MouseDriver::~MouseDriver()
{
    if (held.isAnyMouseButtonDown())
        send(window, lastPosition, {});
}

void MouseDriver::send(const juce::Component& component, juce::Point<float> at, juce::ModifierKeys mods)
{
    auto* peer = window.getPeer();
    jassert(peer != nullptr);
    clock() += eventStepMs;
    juce::ModifierKeys::currentModifiers = mods;
    lastPosition = window.getLocalPoint(&component, at);
    held = mods;
    peer->handleMouseEvent(juce::MouseInputSource::InputSourceType::mouse, lastPosition, mods,
                           juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                           clock());
}
} // namespace zq6::test
