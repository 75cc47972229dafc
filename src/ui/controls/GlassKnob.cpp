#include "GlassKnob.h"

#include "GlassKnobAccessibleValue.h"
#include "../shell/GlassLookAndFeel.h"
#include "../help/HelpTable.h"
#include "../help/TipPopup.h"

#include "../../params/ParameterText.h"

#include <algorithm>
#include <cmath>

namespace zq6::ui
{
namespace
{
constexpr float suggestionTolerance = 0.000002f;
constexpr double outOfRangeNumber = 1.0e9;
constexpr int minimumDragDistance = 10;
constexpr float helpGap = 6.0f;
constexpr float companionGrowth = 5.0f;

juce::RangedAudioParameter& boundParameter(juce::AudioProcessorValueTreeState& parameters, const juce::String& id)
{
    auto* parameter = parameters.getParameter(id);
    // Knobs are built from a fixed table of parameter IDs.
    jassert(parameter != nullptr);
    return *parameter;
}

int suggestionIndexOf(const juce::String& id)
{
    const auto& ids = GlassKnob::suggestionIds;
    const auto found = std::find_if(ids.begin(), ids.end(), [&id](const char* s) { return id == s; });
    return found != ids.end() ? static_cast<int>(found - ids.begin()) : -1;
}

// The number an end of the range shows as: "-inf", "+inf" and "Off" stand beyond any typed value.
double rangeEndNumber(const juce::String& text)
{
    const auto trimmed = text.trim();
    if (trimmed.containsIgnoreCase("inf"))
        return trimmed.startsWithChar('-') ? -outOfRangeNumber : outOfRangeNumber;
    if (trimmed.startsWithIgnoreCase("off"))
        return outOfRangeNumber;
    return paramtext::leadingNumber(trimmed);
}
} // namespace

GlassKnob::GlassKnob(const UiContext& uiContext, juce::AudioProcessorValueTreeState& parameters,
                     const juce::String& parameterId, const juce::String& knobLayoutId,
                     const juce::String& fallbackTitle, KnobOptions knobOptions)
    : context(uiContext),
      layoutId(knobLayoutId),
      options(knobOptions),
      parameter(boundParameter(parameters, parameterId)),
      unit(parameter.getLabel()),
      suggestionIndex(suggestionIndexOf(parameterId)),
      marks(uiContext)
{
    setSliderStyle(RotaryVerticalDrag);
    setTextBoxStyle(NoTextBox, true, 0, 0);
    setWantsKeyboardFocus(false);
    // Vertical movement always maps straight to the value; no key swaps to velocity dragging.
    setVelocityModeParameters(1.0, 1, 0.0, false);

    const auto* entry = help(parameterId);
    setTitle(entry != nullptr ? juce::String(entry->title) : fallbackTitle);
    setDescription(entry != nullptr ? juce::String(entry->body) : juce::String());

    attachment = std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment>(parameters, parameterId, *this);
    // Double-click types a value instead.
    setDoubleClickReturnValue(false, 0.0);
    // Frequencies read "1k" as 1000 Hz; elsewhere a kilo suffix makes the text no value.
    if (!parameter.isDiscrete())
        valueEntry = std::make_unique<quil::ui::DoubleClickValueEntry>(*this, valueEntryCallbacks(), unit == "Hz");
}

GlassKnob::~GlassKnob()
{
    closeHelp();
    valueEntry.reset();
    attachment.reset();
}

void GlassKnob::addTo(juce::Component& panel)
{
    for (auto* component : std::initializer_list<juce::Component*> { this, &readout, &windowHit, &titleHit })
        panel.addAndMakeVisible(component);
}

void GlassKnob::place(juce::Point<int> panelOrigin)
{
    if (context.layout == nullptr)
        return;
    const auto s = context.scale;
    const auto rect = [this, s, panelOrigin](const juce::String& id) {
        return context.layout->scaledRect(id, s) - panelOrigin;
    };
    setBounds(rect(layoutId).expanded(juce::roundToInt(companionGrowth * s)));
    readout.setBounds(rect(layoutId + ".value"));
    titleHit.setBounds(rect(layoutId + ".title"));
    windowHit.setBounds(rect(layoutId + (options.hasUnitToggle ? ".value" : ".window")));
}

void GlassKnob::setFixed(float value)
{
    if (fixed && fixedValue == value)
        return;
    fixed = true;
    fixedValue = value;
    repaint();
    readout.repaint();
}

void GlassKnob::clearFixed()
{
    if (!fixed)
        return;
    fixed = false;
    repaint();
    readout.repaint();
}

void GlassKnob::setSuggestion(bool present, float value)
{
    if (present == hasSuggestion && (!present || value == suggestedValue))
        return;
    hasSuggestion = present;
    suggestedValue = value;
    repaint();
}

bool GlassKnob::showsSuggestion() const
{
    if (!hasSuggestion || fixed)
        return false;
    const auto current = parameter.getValue();
    if (parameter.isDiscrete())
        return std::lround(suggestedValue) != std::lround(parameter.convertFrom0to1(current));
    return std::abs(parameter.convertTo0to1(suggestedValue) - current) > suggestionTolerance;
}

juce::String GlassKnob::displayText()
{
    return getTextFromValue(shownValue());
}

juce::String GlassKnob::suggestionText()
{
    return withUnit(getTextFromValue(suggestedValue));
}

juce::String GlassKnob::withUnit(const juce::String& text) const
{
    if (unit.isEmpty())
        return text;
    return options.unitAttached ? text + unit : text + " " + unit;
}

void GlassKnob::openValueEntry()
{
    if (valueEntry != nullptr)
        valueEntry->open();
}

void GlassKnob::closeHelp()
{
    if (showsHelp())
        context.tipPopup->hide();
}

bool GlassKnob::showsHelp() const
{
    return context.tipPopup != nullptr && context.tipPopup->owner() == this;
}

juce::Rectangle<int> GlassKnob::bodyBounds() const
{
    const auto body = context.layout != nullptr ? context.layout->scaledRect(layoutId, context.scale)
                                                : juce::Rectangle<int>();
    return getLocalBounds().withSizeKeepingCentre(body.getWidth(), body.getHeight());
}

juce::String GlassKnob::getTooltip()
{
    if (juce::Component::isMouseButtonDownAnywhere() || fixed || showsHelp() || isEditingValue())
        return {};
    return juce::Slider::getTooltip();
}

void GlassKnob::mouseDown(const juce::MouseEvent& event)
{
    if (event.mods.isRightButtonDown() || !isEnabled())
        return;
    pressed = true;
    drag.press(event.position, event.mods.isShiftDown());
    juce::Slider::mouseDown(event);
    showHelp();
}

void GlassKnob::mouseDrag(const juce::MouseEvent& event)
{
    if (!pressed)
        return;
    if (const auto point = drag.move(event.position, event.mods.isShiftDown(), deadZone * context.scale))
        juce::Slider::mouseDrag(event.withNewPosition(*point));
}

void GlassKnob::mouseUp(const juce::MouseEvent& event)
{
    if (pressed)
    {
        pressed = false;
        juce::Slider::mouseUp(event);
    }
    closeHelp();
}

void GlassKnob::setVisible(bool shouldBeVisible)
{
    juce::Slider::setVisible(shouldBeVisible);
    for (auto* companion : std::initializer_list<juce::Component*> { &readout, &windowHit, &titleHit })
        companion->setVisible(shouldBeVisible);
    if (!shouldBeVisible)
        closeHelp();
}

void GlassKnob::paint(juce::Graphics& g)
{
    const auto bodyRadius = context.layout != nullptr ? context.layout->number(layoutId, "bodyRadius") * context.scale
                                                      : 0.0f;
    marks.paint(g, { getWidth(), getHeight() }, bodyRadius, scene(), isEnabled() ? 1.0f : disabledOpacity);
}

void GlassKnob::resized()
{
    juce::Slider::resized();
    setMouseDragSensitivity(juce::jmax(minimumDragDistance, juce::roundToInt(baseDragDistance * context.scale)));
}

std::unique_ptr<juce::AccessibilityHandler> GlassKnob::createAccessibilityHandler()
{
    return std::make_unique<juce::AccessibilityHandler>(
        *this, juce::AccessibilityRole::slider, juce::AccessibilityActions {},
        juce::AccessibilityHandler::Interfaces { std::make_unique<AccessibleValue>(*this) });
}

void GlassKnob::valueChanged()
{
    readout.repaint();
}

KnobMarks::Scene GlassKnob::scene()
{
    KnobMarks::Scene shown;
    shown.value = proportionOf(shownValue());
    if (showsSuggestion())
        shown.suggestion = proportionOf(suggestedValue);
    if (options.lightFromCentre)
        shown.centre = proportionOf(options.centre);
    return shown;
}

float GlassKnob::proportionOf(double value)
{
    return juce::jlimit(0.0f, 1.0f, static_cast<float>(valueToProportionOfLength(value)));
}

void GlassKnob::showHelp()
{
    auto* popup = context.tipPopup;
    if (popup == nullptr)
        return;
    const auto heading = unit.isEmpty() ? getTitle() : getTitle() + " (" + unit + ")";
    const auto hint = parameter.isDiscrete() ? juce::String() : juce::String("Double-click to type");
    const auto extra = showsSuggestion() ? "Suggested: " + suggestionText() : juce::String();
    popup->show(this, heading, getDescription(), hint, extra);
    popup->place(helpArea(popup->getLocalBounds()));
}

// Centred above the body, or below the value window when there is no room above.
juce::Rectangle<int> GlassKnob::helpArea(juce::Rectangle<int> popupSize) const
{
    const auto* editor = context.tipPopup->getParentComponent();
    const auto inEditor = [editor](const juce::Component& component, juce::Rectangle<int> area) {
        return editor != nullptr ? editor->getLocalArea(&component, area) : component.localAreaToGlobal(area);
    };
    const auto gap = juce::roundToInt(helpGap * context.scale);
    const auto body = inEditor(*this, bodyBounds());
    auto area = popupSize.withPosition(body.getCentreX() - popupSize.getWidth() / 2,
                                       body.getY() - gap - popupSize.getHeight());
    if (area.getY() < 0)
    {
        const auto below = windowHit.getParentComponent() != nullptr
                               ? inEditor(windowHit, windowHit.getLocalBounds())
                               : body;
        area.setY(below.getBottom() + gap);
    }
    return area;
}

quil::ui::DoubleClickValueEntry::Callbacks GlassKnob::valueEntryCallbacks()
{
    return { [this] { return displayText(); }, [this] { return typedRange(); },
             [this](double number) { commitTyped(number); },
             [this](juce::TextEditor& editor) {
                 if (const auto* look = dynamic_cast<GlassLookAndFeel*>(&getLookAndFeel()))
                     look->styleTextEditor(editor);
                 editor.setDescription(getTitle() + " value");
             },
             [this] { return getLocalArea(&windowHit, windowHit.getLocalBounds()); } };
}

juce::Range<double> GlassKnob::typedRange()
{
    const auto low = rangeEndNumber(getTextFromValue(getMinimum()));
    const auto high = rangeEndNumber(getTextFromValue(getMaximum()));
    return { juce::jmin(low, high), juce::jmax(low, high) };
}

void GlassKnob::commitTyped(double number)
{
    setValueAsGesture(getValueFromText(juce::String(number, 6)));
}

void GlassKnob::setValueAsGesture(double value)
{
    parameter.beginChangeGesture();
    setValue(value, juce::sendNotificationSync);
    parameter.endChangeGesture();
}
} // namespace zq6::ui
