#include "WetEqView.h"

#include "../shell/GlassLookAndFeel.h"
#include "../help/HelpTable.h"
#include "../shell/Palette.h"
#include "../help/TipPopup.h"

#include "../../engine/ReverbEngine.h"
#include "../../params/ParameterIds.h"

namespace zq6::ui
{
namespace
{
constexpr float hitRadius = 13.0f;
constexpr float qStep = 1.1f;
constexpr float lowestQ = 0.3f, highestQ = 8.0f;
constexpr float lowPassOffFromHz = 19000.0f;
constexpr float lowPassOffHz = 20000.0f;
constexpr int minimumCurveSteps = 24;
constexpr double lowestEffectiveRate = 8000.0;
constexpr double rateTolerance = 0.5;

constexpr float textSize = 11.5f;
constexpr float axisTextSize = 10.0f;
constexpr float popupMargin = 10.0f;

// The row above the graph: point label, shape chip, value fields.
constexpr float rowTop = 9.0f;
constexpr float rowHeight = 18.0f;
constexpr float rowGap = 8.0f;
constexpr float chipPadding = 14.0f;

const juce::Colour pointOutline = juce::Colour::fromRGB(6, 19, 42).withAlpha(0.8f);
constexpr juce::uint8 selectedPointAlpha = 255, otherPointAlpha = 140;
constexpr juce::uint8 lowCutAlpha = 178;
constexpr juce::uint8 fillAlpha = 31;
constexpr juce::uint8 frequencyGridAlpha = 26, gainGridAlpha = 15, zeroLineAlpha = 46;

constexpr double gridFrequencies[] = { 100.0, 1000.0, 10000.0 };
constexpr const char* gridFrequencyTexts[] = { "100", "1k", "10k" };
constexpr double gridGains[] = { -12.0, -6.0, 6.0, 12.0 };
constexpr double labelledGains[] = { 12.0, 6.0, 0.0, -6.0, -12.0 };

juce::String gainLabel(double gain)
{
    return (gain > 0.0 ? "+" : "") + juce::String(juce::roundToInt(gain));
}
} // namespace

class WetEqView::NodeAccess::Value : public juce::AccessibilityValueInterface
{
public:
    Value(WetEqView& viewToUse, int pointToUse) : view(viewToUse), point(pointToUse) {}

    bool isReadOnly() const override { return false; }
    double getCurrentValue() const override { return parameter().convertFrom0to1(parameter().getValue()); }
    juce::String getCurrentValueAsString() const override;
    void setValue(double newValue) override;
    void setValueAsString(const juce::String& newValue) override;
    AccessibleValueRange getRange() const override;

private:
    juce::RangedAudioParameter& parameter() const { return view.frequencyParameter(point); }

    WetEqView& view;
    const int point;
};

WetEqView::WetEqView(const UiContext& contextToUse, juce::AudioProcessorValueTreeState& parametersToUse)
    : context(contextToUse),
      parameters(parametersToUse),
      shapeButton(contextToUse, GlassButton::Style::chip, {}, false),
      watch([this] { recompute(); })
{
    applyHelp(*this, "ui.stageEq");
    setTitle("Wet EQ");
    addControls();
    attachParameters();
    recompute();
}

void WetEqView::addControls()
{
    applyHelp(shapeButton, "ui.eqShape");
    shapeButton.setTooltip(tooltipText("ui.eqShape"));
    shapeButton.onClick = [this] { switchShape(); };
    shapeButton.setWantsKeyboardFocus(false);
    addChildComponent(shapeButton);

    for (int f = 0; f < fieldCount; ++f)
    {
        const auto field = static_cast<Field>(f);
        auto& slot = fields[static_cast<size_t>(f)];
        slot = std::make_unique<WetEqValueField>(context, fieldCallbacks(field), field == frequencyField);
        addAndMakeVisible(*slot);
    }
    for (int point = 1; point <= lowPassPoint; ++point)
    {
        auto& slot = nodes[static_cast<size_t>(point - 1)];
        slot = std::make_unique<NodeAccess>(*this, point);
        addAndMakeVisible(*slot);
    }
}

void WetEqView::attachParameters()
{
    for (int b = 0; b < WetEqSettings::bandCount; ++b)
    {
        auto& band = bands[static_cast<size_t>(b)];
        attach(band.type, pid::eqType[b]);
        attach(band.frequency, pid::eqFreq[b]);
        attach(band.gain, pid::eqGain[b]);
        attach(band.q, pid::eqQ[b]);
    }
    attach(lowPass, pid::eqLp);
    attach(lowCut, pid::lowcut);
}

WetEqView::~WetEqView()
{
    stopTimer();
    endWheelGesture();
    endDrag();
    hidePopup();
}

juce::RangedAudioParameter& WetEqView::parameter(const char* id) const
{
    auto* p = parameters.getParameter(id);
    jassert(p != nullptr);
    return *p;
}

void WetEqView::attach(std::unique_ptr<juce::ParameterAttachment>& attachment, const char* id)
{
    // The attachment only carries the view's own edits and gestures; the watch redraws.
    attachment = std::make_unique<juce::ParameterAttachment>(parameter(id), nullptr);
    watch.watch(parameter(id));
}

juce::ParameterAttachment& WetEqView::frequencyAttachment(int point) const
{
    return point == lowPassPoint ? *lowPass : *bands[static_cast<size_t>(point - 1)].frequency;
}

juce::RangedAudioParameter& WetEqView::frequencyParameter(int point) const
{
    return parameter(point == lowPassPoint ? pid::eqLp : pid::eqFreq[point - 1]);
}

juce::RangedAudioParameter& WetEqView::fieldParameter(Field field) const
{
    if (field == frequencyField || !isBand(selected))
        return frequencyParameter(selected);
    return parameter(field == gainField ? pid::eqGain[selected - 1] : pid::eqQ[selected - 1]);
}

juce::ParameterAttachment& WetEqView::fieldAttachment(Field field) const
{
    if (field == frequencyField || !isBand(selected))
        return frequencyAttachment(selected);
    const auto& band = bands[static_cast<size_t>(selected - 1)];
    return field == gainField ? *band.gain : *band.q;
}

void WetEqView::setSampleRate(double rate)
{
    sampleRate = rate;
    recompute();
}

void WetEqView::followHostRate(double hostRate)
{
    if (hostRate <= 0.0)
        return;
    const auto rate = hostRate / ReverbEngine::decimationForRate(hostRate);
    if (rate > lowestEffectiveRate && std::abs(rate - sampleRate) > rateTolerance)
        setSampleRate(rate);
}

void WetEqView::setSelected(int point)
{
    const auto clamped = juce::jlimit(1, lowPassPoint, point);
    if (clamped == selected)
        return;
    discardEntries();
    selected = clamped;
    recompute();
}

void WetEqView::recompute()
{
    readParameters();
    buildCurve();
    placeControls();
    repaint();
}

void WetEqView::readParameters()
{
    // From the parameters themselves: their raw-value mirrors may not have heard of a change yet
    // when an attachment reports it.
    const auto valueOf = [this](const char* id) {
        const auto& p = parameter(id);
        return p.convertFrom0to1(p.getValue());
    };
    for (int b = 0; b < WetEqSettings::bandCount; ++b)
    {
        settings.type[b] = valueOf(pid::eqType[b]);
        settings.frequency[b] = valueOf(pid::eqFreq[b]);
        settings.gain[b] = valueOf(pid::eqGain[b]);
        settings.q[b] = valueOf(pid::eqQ[b]);
    }
    settings.lowPassHz = valueOf(pid::eqLp);
    settings.lowCutHz = valueOf(pid::lowcut);
}

void WetEqView::buildCurve()
{
    curve.clear();
    fill.clear();
    if (!geometry.hasArea())
        return;

    const auto steps = juce::jmax(minimumCurveSteps, juce::roundToInt(geometry.width / 2.0f));
    const auto filters = settings.designs(sampleRate);
    for (int i = 0; i <= steps; ++i)
    {
        const auto x = geometry.x0 + static_cast<float>(i) * geometry.width / static_cast<float>(steps);
        const auto y = geometry.yOf(WetEqSettings::responseDb(filters, geometry.frequencyAt(x), sampleRate));
        if (i == 0)
            curve.startNewSubPath(x, y);
        else
            curve.lineTo(x, y);
    }
    fill = curve;
    fill.lineTo(geometry.x0 + geometry.width, geometry.y0 + geometry.height);
    fill.lineTo(geometry.x0, geometry.y0 + geometry.height);
    fill.closeSubPath();
}

juce::String WetEqView::pointName(int point) const
{
    return point == lowPassPoint ? juce::String("Low-pass") : "Band " + juce::String(point);
}

juce::String WetEqView::shapeName(int band) const
{
    return eqKindName(settings.kind(band - 1));
}

juce::String WetEqView::fieldText(Field field) const
{
    if (field != frequencyField && !isBand(selected))
        return field == gainField ? "- dB" : "Q -";
    const auto text = fieldParameter(field).getCurrentValueAsText();
    if (field == gainField)
        return text + " dB";
    if (field == qField)
        return "Q " + text;
    return selected == lowPassPoint && settings.lowPassOff() ? text : text + " Hz";
}

void WetEqView::placeControls()
{
    const auto s = context.scale;
    label = pointName(selected);
    const auto labelWidth = GlassLookAndFeel::textWidth(context.font(textSize, true), label) + 2.0f * s;
    labelArea = { geometry.x0, rowTop * s, labelWidth, rowHeight * s };
    const auto afterChip = placeShapeButton(labelArea.getRight() + rowGap * s);
    placeFields(afterChip + rowGap * s);

    const auto reach = juce::roundToInt(2.0f * hitRadius * context.scale);
    for (auto& node : nodes)
        node->setBounds(juce::Rectangle<int>(reach, reach).withCentre(pointPosition(node->getPoint()).toInt()));
}

float WetEqView::placeShapeButton(float x)
{
    const auto band = isBand(selected);
    shapeButton.setVisible(band);
    if (!band)
        return x;
    const auto shape = shapeName(selected);
    shapeButton.setCaption(shape);
    shapeButton.setButtonText(shape);
    shapeButton.setTitle("EQ band " + juce::String(selected) + " shape");
    const auto width = GlassLookAndFeel::textWidth(context.font(textSize, true), shape) + chipPadding * context.scale;
    shapeButton.setBounds(labelArea.withX(x).withWidth(width).toNearestInt());
    return static_cast<float>(shapeButton.getRight()) + rowGap * context.scale;
}

void WetEqView::placeFields(float x)
{
    for (int f = 0; f < fieldCount; ++f)
    {
        auto& field = *fields[static_cast<size_t>(f)];
        field.setText(fieldText(static_cast<Field>(f)));
        field.setEnabled(isBand(selected) || f == frequencyField);
        const auto width = static_cast<float>(field.idealWidth());
        field.setBounds(labelArea.withX(x).withWidth(width).toNearestInt());
        x += width + rowGap * context.scale;
    }
}

juce::Point<float> WetEqView::pointPosition(int point) const
{
    const auto zeroDb = geometry.yOf(0.0);
    if (point == lowCutPoint)
        return { geometry.xOf(settings.lowCutHz), zeroDb };
    if (point == lowPassPoint)
        return { settings.lowPassOff() ? geometry.lowPassOffX() : geometry.xOf(settings.lowPassHz), zeroDb };
    return { geometry.xOf(settings.frequency[point - 1]), geometry.yOf(settings.gain[point - 1]) };
}

int WetEqView::pointAt(juce::Point<float> position) const
{
    if (!geometry.hasArea())
        return noPoint;
    auto nearest = noPoint;
    auto nearestDistance = hitRadius * context.scale;
    for (int point = 1; point <= lowPassPoint; ++point)
    {
        const auto distance = position.getDistanceFrom(pointPosition(point));
        if (distance < nearestDistance || (nearest == noPoint && distance <= nearestDistance))
        {
            nearest = point;
            nearestDistance = distance;
        }
    }
    return nearest;
}

quil::ui::DoubleClickValueEntry::Callbacks WetEqView::fieldCallbacks(Field field)
{
    quil::ui::DoubleClickValueEntry::Callbacks callbacks;
    callbacks.text = [this, field] { return fieldParameter(field).getCurrentValueAsText(); };
    callbacks.range = [this, field] {
        const auto& range = fieldParameter(field).getNormalisableRange();
        return juce::Range<double>(range.start, range.end);
    };
    callbacks.commit = [this, field](double value) {
        fieldAttachment(field).setValueAsCompleteGesture(static_cast<float>(value));
    };
    callbacks.setUpEditor = [this, field](juce::TextEditor& editor) {
        if (auto* glass = dynamic_cast<GlassLookAndFeel*>(&getLookAndFeel()))
            glass->styleTextEditor(editor);
        static constexpr const char* names[] = { " frequency value", " gain value", " Q value" };
        editor.setDescription(pointName(selected) + names[field]);
    };
    callbacks.bounds = [this, field] { return getField(field).getLocalBounds(); };
    return callbacks;
}

int WetEqView::pointPressed(const juce::MouseEvent& event) const
{
    return event.mods.isRightButtonDown() ? noPoint : pointAt(event.position);
}

void WetEqView::mouseDown(const juce::MouseEvent& event)
{
    const auto point = pointPressed(event);
    if (point == noPoint)
        return;
    setSelected(point);
    endWheelGesture();
    dragPoint = point;
    dragStarted = false;
    fine.start(event.position, pointPosition(point), event.mods.isShiftDown());
    showPopup(point);
}

void WetEqView::mouseDrag(const juce::MouseEvent& event)
{
    if (dragPoint == noPoint)
        return;
    if (!dragStarted)
    {
        dragStarted = true;
        frequencyAttachment(dragPoint).beginGesture();
        if (isBand(dragPoint))
            bands[static_cast<size_t>(dragPoint - 1)].gain->beginGesture();
    }
    moveDraggedPoint(fine.map(event.position, event.mods.isShiftDown()));
    placePopup(dragPoint);
}

void WetEqView::moveDraggedPoint(juce::Point<float> position)
{
    const auto& range = frequencyParameter(dragPoint).getNormalisableRange();
    auto hz = juce::jlimit(range.start, range.end, static_cast<float>(geometry.frequencyAt(position.x)));
    if (dragPoint == lowPassPoint)
    {
        if (hz >= lowPassOffFromHz)
            hz = lowPassOffHz;
        lowPass->setValueAsPartOfGesture(hz);
        return;
    }
    auto& band = bands[static_cast<size_t>(dragPoint - 1)];
    band.frequency->setValueAsPartOfGesture(hz);
    band.gain->setValueAsPartOfGesture(static_cast<float>(geometry.gainAt(position.y)));
}

void WetEqView::mouseUp(const juce::MouseEvent&)
{
    endDrag();
}

void WetEqView::endDrag()
{
    if (dragPoint == noPoint)
        return;
    if (dragStarted)
    {
        frequencyAttachment(dragPoint).endGesture();
        if (isBand(dragPoint))
            bands[static_cast<size_t>(dragPoint - 1)].gain->endGesture();
    }
    dragPoint = noPoint;
    dragStarted = false;
    hidePopup();
}

void WetEqView::mouseDoubleClick(const juce::MouseEvent& event)
{
    const auto point = pointPressed(event);
    if (point == noPoint)
        return;
    hidePopup();
    setSelected(point);
    getField(frequencyField).open();
}

void WetEqView::mouseWheelMove(const juce::MouseEvent& event, const juce::MouseWheelDetails& wheel)
{
    if (wheel.deltaY == 0.0f)
        return;
    const auto point = pointAt(event.position);
    if (point != noPoint)
        setSelected(point);
    if (isBand(selected))
        stepQ(wheel.deltaY > 0.0f);
}

void WetEqView::stepQ(bool up)
{
    auto& q = *bands[static_cast<size_t>(selected - 1)].q;
    if (wheelBand != selected)
    {
        endWheelGesture();
        q.beginGesture();
        wheelBand = selected;
    }
    const auto current = settings.q[selected - 1];
    q.setValueAsPartOfGesture(juce::jlimit(lowestQ, highestQ, up ? current * qStep : current / qStep));
    startTimer(wheelGestureMs);
}

void WetEqView::endWheelGesture()
{
    stopTimer();
    if (wheelBand == noPoint)
        return;
    bands[static_cast<size_t>(wheelBand - 1)].q->endGesture();
    wheelBand = noPoint;
}

void WetEqView::switchShape()
{
    endWheelGesture();
    if (!isBand(selected))
        return;
    const auto band = selected - 1;
    bands[static_cast<size_t>(band)].type->setValueAsCompleteGesture(settings.type[band] >= 0.5f ? 0.0f : 1.0f);
}

int WetEqView::openField() const
{
    for (int f = 0; f < fieldCount; ++f)
        if (fields[static_cast<size_t>(f)]->isOpen())
            return f;
    return -1;
}

bool WetEqView::keyPressed(const juce::KeyPress& key)
{
    const auto open = openField();
    if (key.getKeyCode() != juce::KeyPress::tabKey || open < 0)
        return false;
    const auto next = open + (key.getModifiers().isShiftDown() ? -1 : 1);
    if (next < 0 || next >= fieldCount)
        return true;
    auto& field = *fields[static_cast<size_t>(next)];
    // Opening the next field takes the keyboard focus, and the field losing it commits.
    if (field.isEnabled())
        field.open();
    return true;
}

void WetEqView::discardEntries()
{
    for (auto& field : fields)
        field->discard();
}

void WetEqView::visibilityChanged()
{
    if (isVisible())
        return;
    discardEntries();
    hidePopup();
}

void WetEqView::parentHierarchyChanged()
{
    if (getParentComponent() == nullptr)
        discardEntries();
}

void WetEqView::showPopup(int point)
{
    auto* popup = context.tipPopup;
    if (popup == nullptr)
        return;
    const auto heading = point == lowPassPoint ? juce::String("EQ low-pass")
                                               : "EQ band " + juce::String(point) + " (" + shapeName(point) + ")";
    const auto* entry = help(point == lowPassPoint ? "ui.eqLowpass" : "ui.eqBand");
    popup->show(this, heading, entry != nullptr ? juce::String::fromUTF8(entry->body) : juce::String(), {}, {});
    placePopup(point);
}

void WetEqView::placePopup(int point)
{
    auto* popup = context.tipPopup;
    auto* editor = popup != nullptr ? popup->getParentComponent() : nullptr;
    if (editor == nullptr || popup->owner() != this)
        return;
    const auto view = editor->getLocalArea(this, getLocalBounds());
    const auto margin = juce::roundToInt(popupMargin * context.scale);
    const auto inLeftHalf = pointPosition(point).x < static_cast<float>(getWidth()) / 2.0f;
    const auto x = inLeftHalf ? view.getRight() - margin - popup->getWidth() : view.getX() + margin;
    popup->place({ x, view.getCentreY() - popup->getHeight() / 2, popup->getWidth(), popup->getHeight() });
}

void WetEqView::hidePopup()
{
    if (auto* popup = context.tipPopup; popup != nullptr && popup->owner() == this)
        popup->hide();
}

void WetEqView::resized()
{
    geometry = WetEqGeometry::forSize(static_cast<float>(getWidth()), static_cast<float>(getHeight()), context.scale);
    recompute();
}

void WetEqView::paint(juce::Graphics& g)
{
    if (!geometry.hasArea())
        return;
    const auto s = context.scale;
    {
        const juce::Graphics::ScopedSaveState clipped(g);
        g.reduceClipRegion(geometry.gainArea().getSmallestIntegerContainer());
        paintGrid(g, juce::jmax(0.6f * s, 1.0f));
        g.setColour(palette::wetEq.withAlpha(fillAlpha));
        g.fillPath(fill);
        g.setColour(palette::wetEq);
        g.strokePath(curve, juce::PathStrokeType(1.4f * s, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
    }
    paintAxisLabels(g);
    paintPoints(g);
    GlassLookAndFeel::drawText(g, this, label, labelArea, context.font(textSize, true), palette::brightText,
                               juce::Justification::centredLeft, "label");
}

void WetEqView::paintGrid(juce::Graphics& g, float line) const
{
    const auto area = geometry.gainArea();
    g.setColour(palette::whiteVeil.withAlpha(frequencyGridAlpha));
    for (auto hz : gridFrequencies)
        g.fillRect(juce::Rectangle<float>(geometry.xOf(hz) - line / 2.0f, area.getY(), line, area.getHeight()));
    g.setColour(palette::whiteVeil.withAlpha(gainGridAlpha));
    for (auto gain : gridGains)
        g.fillRect(juce::Rectangle<float>(area.getX(), geometry.yOf(gain) - line / 2.0f, area.getWidth(), line));
    g.setColour(palette::whiteVeil.withAlpha(zeroLineAlpha));
    g.fillRect(juce::Rectangle<float>(area.getX(), geometry.yOf(0.0) - line / 2.0f, area.getWidth(), line));
}

void WetEqView::paintAxisLabels(juce::Graphics& g) const
{
    const auto s = context.scale;
    const auto font = context.font(axisTextSize);
    const auto boxHeight = 12.0f * s;
    for (auto gain : labelledGains)
    {
        const juce::Rectangle<float> box(0.0f, geometry.yOf(gain) - boxHeight / 2.0f, geometry.x0, boxHeight);
        GlassLookAndFeel::drawText(g, this, gainLabel(gain), box, font, palette::headerText,
                                   juce::Justification::centredRight, "axis");
    }
    const auto boxWidth = 40.0f * s;
    const auto top = geometry.y0 + geometry.height + 1.0f * s;
    for (size_t i = 0; i < std::size(gridFrequencies); ++i)
    {
        const juce::Rectangle<float> box(geometry.xOf(gridFrequencies[i]) - boxWidth / 2.0f, top, boxWidth, boxHeight);
        GlassLookAndFeel::drawText(g, this, gridFrequencyTexts[i], box, font, palette::headerText,
                                   juce::Justification::centred, "axis");
    }
}

void WetEqView::paintPoints(juce::Graphics& g) const
{
    const auto s = context.scale;
    const auto circle = [](juce::Point<float> centre, float radius) {
        return juce::Rectangle<float>(2.0f * radius, 2.0f * radius).withCentre(centre);
    };

    g.setColour(palette::salmon.withAlpha(lowCutAlpha));
    g.drawEllipse(circle(pointPosition(lowCutPoint), 3.2f * s), 1.2f * s);

    for (int point = 1; point <= lowPassPoint; ++point)
    {
        const auto isSelected = point == selected;
        const auto area = circle(pointPosition(point), (isSelected ? 4.2f : 3.2f) * s);
        const auto white = palette::whiteVeil.withAlpha(isSelected ? selectedPointAlpha : otherPointAlpha);
        if (point == lowPassPoint && settings.lowPassOff())
        {
            g.setColour(white);
            g.drawEllipse(area, 1.2f * s);
            continue;
        }
        g.setColour(white);
        g.fillEllipse(area);
        g.setColour(pointOutline);
        g.drawEllipse(area, 0.8f * s);
    }
}

WetEqView::NodeAccess::NodeAccess(WetEqView& viewToUse, int pointToUse) : view(viewToUse), point(pointToUse)
{
    setInterceptsMouseClicks(false, false);
    setTitle(point == lowPassPoint ? juce::String("EQ low-pass") : "EQ band " + juce::String(point));
    if (const auto* entry = help(point == lowPassPoint ? "ui.eqLowpass" : "ui.eqBand"))
        setDescription(juce::String::fromUTF8(entry->body));
}

std::unique_ptr<juce::AccessibilityHandler> WetEqView::NodeAccess::createAccessibilityHandler()
{
    auto select = juce::AccessibilityActions().addAction(juce::AccessibilityActionType::press,
                                                         [this] { view.setSelected(point); });
    return std::make_unique<juce::AccessibilityHandler>(*this, juce::AccessibilityRole::slider, std::move(select),
                                                        juce::AccessibilityHandler::Interfaces {
                                                            std::make_unique<Value>(view, point) });
}

juce::String WetEqView::NodeAccess::Value::getCurrentValueAsString() const
{
    const auto frequency = parameter().getCurrentValueAsText();
    if (point == lowPassPoint)
        return view.settings.lowPassOff() ? frequency : frequency + " Hz";
    const auto band = point - 1;
    const auto& parameters = view.parameters;
    return view.shapeName(point) + ", " + frequency + " Hz, "
           + parameters.getParameter(pid::eqGain[band])->getCurrentValueAsText() + " dB, Q "
           + parameters.getParameter(pid::eqQ[band])->getCurrentValueAsText();
}

void WetEqView::NodeAccess::Value::setValue(double newValue)
{
    view.frequencyAttachment(point).setValueAsCompleteGesture(static_cast<float>(newValue));
}

void WetEqView::NodeAccess::Value::setValueAsString(const juce::String& newValue)
{
    setValue(parameter().convertFrom0to1(parameter().getValueForText(newValue)));
}

juce::AccessibilityValueInterface::AccessibleValueRange WetEqView::NodeAccess::Value::getRange() const
{
    const auto& range = parameter().getNormalisableRange();
    return { { range.start, range.end }, (range.end - range.start) / 100.0 };
}
} // namespace zq6::ui
