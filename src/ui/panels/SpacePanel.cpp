#include "SpacePanel.h"

#include "../../params/ParameterIds.h"

namespace zq6::ui
{
namespace
{
// Labels at half the type size: 10 units, as legible as the knob titles.
constexpr float unitTypeSize = 20.0f;
constexpr const char* decayUnitId = "knob.decay.unit";
constexpr const char* preDelayUnitId = "knob.preDelay.unit";
// The Low decay knob reads "1.00x" and lights from x1.
constexpr KnobOptions lowDecayOptions { true, true, 1.0f, false };
} // namespace

SpacePanel::SpacePanel(const UiContext& uiContext, juce::AudioProcessorValueTreeState& state)
    : PanelBase(uiContext, "space"),
      parameters(state),
      knobs(uiContext, state, *this,
            { { pid::size, "knob.size", "Size" },
              { pid::decay, "knob.decay", "Decay", withUnitToggle },
              { pid::decayBeats, "knob.decay", "Decay", withUnitToggle },
              { pid::predelay, "knob.preDelay", "Pre-delay", withUnitToggle },
              { pid::predelayNote, "knob.preDelay", "Pre-delay", withUnitToggle },
              { pid::attack, "knob.attack", "Attack" },
              { pid::brightness, "knob.brightness", "Brightness" },
              { pid::lowcut, "knob.lowCut", "Low cut" },
              { pid::decayMultLow, "knob.lowDecay", "Low decay", lowDecayOptions },
              { pid::width, "knob.width", "Width" },
              { pid::motion, "knob.motion", "Motion" } }),
      decayUnit(uiContext, { "s", "beat" }, 2, unitTypeSize),
      preDelayUnit(uiContext, { "ms", "note" }, 2, unitTypeSize)
{
    decayUnit.useSegments(decayUnitId);
    preDelayUnit.useSegments(preDelayUnitId);
    setUpToggle(decayUnit, pid::decayUnit, "ui.unitDecay");
    setUpToggle(preDelayUnit, pid::predelayUnit, "ui.unitPreDelay");
    updateUnits();
}

void SpacePanel::setUpToggle(ChoiceGroup& toggle, const char* parameterId, const char* helpKey)
{
    toggle.attach(*parameters.getParameter(parameterId));
    toggle.setHelp(helpKey, {});
    toggle.onChange = [this](int) { updateUnits(); };
    addAndMakeVisible(toggle);
}

void SpacePanel::updateUnits()
{
    // The toggles follow their parameters before the parameter state's raw values do.
    const auto beats = decayUnit.getSelected() == 1;
    const auto note = preDelayUnit.getSelected() == 1;
    knob(pid::decay).setVisible(!beats);
    knob(pid::decayBeats).setVisible(beats);
    knob(pid::predelay).setVisible(!note);
    knob(pid::predelayNote).setVisible(note);
}

void SpacePanel::resized()
{
    knobs.place(origin());
    decayUnit.setBounds(placeOf(decayUnitId));
    preDelayUnit.setBounds(placeOf(preDelayUnitId));
}
} // namespace zq6::ui
