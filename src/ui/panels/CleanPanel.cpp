#include "CleanPanel.h"

#include "../help/HelpTable.h"
#include "../shell/Palette.h"
#include "../../params/ParameterIds.h"

namespace zq6::ui
{
namespace
{
constexpr float speedTypeSize = 20.0f;

// One stroke of the Delta outline, in base units.
struct OutlineStroke
{
    float inset;
    float line;
    juce::uint8 alpha;
};

constexpr OutlineStroke outlineStrokes[] = { { 3.0f, 4.0f, 41 }, { 1.0f, 2.0f, 230 } };
} // namespace

CleanPanel::CleanPanel(const UiContext& uiContext, juce::AudioProcessorValueTreeState& state)
    : PanelBase(uiContext, "clean"),
      parameters(state),
      knobs(uiContext, state, *this,
            { { pid::cleanUnmask, "knob.unmask", "Amount" },
              { pid::cleanShaping, "knob.shaping", "Amount" },
              { pid::shapeSibilance, "knob.sibilance", "Sibilance" },
              { pid::shapeBreath, "knob.breath", "Breath" },
              { pid::shapeAttack, "knob.transient", "Transient" },
              { pid::erTrim, "knob.erLevel", "ER level", litFromZero },
              { pid::diffusion, "knob.diffusion", "Diffusion" } }),
      speed(uiContext, { "Fast", "Med", "Slow" }, 1, speedTypeSize),
      bands(uiContext),
      deltaUnmask(uiContext, GlassButton::Style::delta, "Delta", true),
      deltaShaping(uiContext, GlassButton::Style::delta, "Delta", true)
{
    speed.useItemRects("clean.speed", { "clean.speed.fast", "clean.speed.med", "clean.speed.slow" });
    if (uiContext.layout != nullptr)
        speed.setSelectionMark(ChoiceGroup::markFromLayout(*uiContext.layout, "clean.speed.mark", "clean.speed.med"));
    speed.attach(*state.getParameter(pid::unmaskSpeed));
    speed.setHelp("ui.unmaskSpeed", {});
    addAndMakeVisible(speed);

    bands.setInterceptsMouseClicks(false, false);
    addAndMakeVisible(bands);

    setUpDelta(deltaUnmask, pid::deltaUnmask, pid::deltaShaping, "ui.deltaUnmask");
    setUpDelta(deltaShaping, pid::deltaShaping, pid::deltaUnmask, "ui.deltaShaping");
}

CleanPanel::~CleanPanel()
{
    deltaAttachments.clear();
}

void CleanPanel::setUpDelta(GlassButton& button, const char* parameterId, const char* otherParameterId,
                            const char* helpKey)
{
    applyHelp(button, helpKey);
    button.setTooltip(tooltipText(helpKey));
    // The framework's button attachment would report a host's change as a click; the panel acts on
    // real clicks only, so the rule below never answers automation.
    auto attachment = std::make_unique<juce::ParameterAttachment>(
        *parameters.getParameter(parameterId),
        [&button](float value) { button.setToggleState(value >= 0.5f, juce::dontSendNotification); });
    attachment->sendInitialUpdate();
    // One Delta at a time: a click that turns one on turns the other off.
    button.onClick = [&button, &bound = *attachment, other = parameters.getParameter(otherParameterId)] {
        bound.setValueAsCompleteGesture(button.getToggleState() ? 1.0f : 0.0f);
        if (!button.getToggleState() || other->getValue() <= 0.5f)
            return;
        other->beginChangeGesture();
        other->setValueNotifyingHost(0.0f);
        other->endChangeGesture();
    };
    deltaAttachments.push_back(std::move(attachment));
    addAndMakeVisible(button);
}

void CleanPanel::setDeltaActive(bool active)
{
    if (active == deltaActive)
        return;
    deltaActive = active;
    repaint();
}

void CleanPanel::resized()
{
    knobs.place(origin());
    speed.setBounds(placeOf("clean.speed"));
    bands.setBounds(placeOf("clean.bands.fill"));
    deltaUnmask.setBounds(placeOf("clean.delta.unmask"));
    deltaShaping.setBounds(placeOf("clean.delta.shaping"));
}

void CleanPanel::paintOverChildren(juce::Graphics& g)
{
    if (!deltaActive)
        return;
    const auto s = context.scale;
    const auto radius = context.layout != nullptr ? context.layout->styleNumber("panel", "rad") : 0.0f;
    for (const auto& stroke : outlineStrokes)
    {
        const auto inset = stroke.inset * s;
        // reduced() never gives a negative width or height.
        const auto area = getLocalBounds().toFloat().reduced(inset);
        g.setColour(palette::salmon.withAlpha(stroke.alpha));
        g.drawRoundedRectangle(area, juce::jmax(0.0f, radius - stroke.inset) * s, stroke.line * s);
    }
}
} // namespace zq6::ui
