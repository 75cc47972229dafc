#include "ChoiceGroup.h"

#include "../shell/GlassLookAndFeel.h"
#include "../help/HelpTable.h"
#include "../shell/Palette.h"

namespace zq6::ui
{
namespace
{
// The labels' em size as a share of the type size (the row height).
constexpr float labelEmPerTypeSize = 0.5f;
constexpr float disabledOpacity = 0.45f;
constexpr float gridInset = 3.0f;
constexpr float gridSpacing = 2.0f;
const juce::Colour capTop { 0xFF404349 };
const juce::Colour capBottom { 0xFF26282C };

juce::Path roundedBar(juce::Rectangle<float> area)
{
    juce::Path bar;
    bar.addRoundedRectangle(area, 0.5f * juce::jmin(area.getWidth(), area.getHeight()));
    return bar;
}
} // namespace

ChoiceGroup::ChoiceGroup(const UiContext& uiContext, const juce::StringArray& itemTexts, int columnCount,
                         float labelTypeSize)
    : context(uiContext), items(itemTexts), columns(juce::jmax(1, columnCount)), typeSize(labelTypeSize)
{
    for (int i = 0; i < items.size(); ++i)
    {
        accessItems.push_back(std::make_unique<AccessItem>(*this, i));
        addAndMakeVisible(*accessItems.back());
    }
    setMouseCursor(juce::MouseCursor::PointingHandCursor);
    // Screen readers list the items as the group's children.
    setFocusContainerType(juce::Component::FocusContainerType::focusContainer);
}

ChoiceGroup::~ChoiceGroup()
{
    // The attachment goes first: its callback uses the rest of the group.
    attachment.reset();
}

void ChoiceGroup::useSegments(const juce::String& layoutId)
{
    geometry = Geometry::segments;
    if (context.layout != nullptr)
    {
        const auto& item = context.layout->item(layoutId);
        segments = { item.number("pad"), item.number("gap"), item.number("capRad"), item.number("rad") };
    }
    resized();
}

void ChoiceGroup::useItemRects(const juce::String& layoutId, const juce::StringArray& layoutIds)
{
    geometry = Geometry::itemRects;
    groupLayoutId = layoutId;
    itemLayoutIds = layoutIds;
    resized();
}

void ChoiceGroup::setSelectionMark(SelectionMark newMark)
{
    mark = newMark;
    repaint();
}

ChoiceGroup::SelectionMark ChoiceGroup::markFromLayout(const Layout& layout, const juce::String& markId,
                                                       const juce::String& labelId)
{
    const auto& bar = layout.item(markId);
    const auto& label = layout.item(labelId);
    const juce::Point<float> labelCentre(label.x + 0.5f * label.w, label.y + 0.5f * label.h);
    return { bar.w, bar.h, juce::Point<float>(bar.x + 0.5f * bar.w, bar.y) - labelCentre };
}

void ChoiceGroup::select(int index, bool notify)
{
    const auto clamped = juce::jlimit(0, juce::jmax(0, items.size() - 1), index);
    const auto changed = clamped != selected;
    const auto first = !everSelected;
    everSelected = true;
    selected = clamped;
    if (changed || first)
        placeCap(!first && isShowing());
    if (!changed)
        return;
    repaint();
    for (auto& item : accessItems)
        if (auto* handler = item->getAccessibilityHandler())
            handler->notifyAccessibilityEvent(juce::AccessibilityEvent::valueChanged);
    if (notify && onChange)
        onChange(selected);
}

void ChoiceGroup::attach(juce::RangedAudioParameter& parameter)
{
    attachment = std::make_unique<juce::ParameterAttachment>(
        parameter, [this](float value) { select(juce::roundToInt(value), true); }, nullptr);
    attachment->sendInitialUpdate();
}

void ChoiceGroup::setHelp(const juce::String& helpKey, const juce::StringArray& itemHelpKeys)
{
    applyHelp(*this, helpKey);
    setTooltip(tooltipText(helpKey));
    for (int i = 0; i < juce::jmin(itemHelpKeys.size(), static_cast<int>(accessItems.size())); ++i)
        applyHelp(*accessItems[static_cast<size_t>(i)], itemHelpKeys[i]);
}

void ChoiceGroup::choose(int index)
{
    if (index < 0 || index >= items.size())
        return;
    if (attachment != nullptr)
        attachment->setValueAsCompleteGesture(static_cast<float>(index));
    select(index, true);
}

void ChoiceGroup::placeCap(bool animate)
{
    const auto target = selected > 0 ? 1.0f : 0.0f;
    if (geometry != Geometry::segments || !animate)
    {
        slide.jumpTo(target);
        stopTimer();
        return;
    }
    slide.start(target, juce::Time::getMillisecondCounterHiRes());
    startTimer(CapSlide::frameMs);
}

void ChoiceGroup::timerCallback()
{
    if (!slide.advance(juce::Time::getMillisecondCounterHiRes()))
        stopTimer();
    repaint();
}

juce::Rectangle<float> ChoiceGroup::itemArea(int index) const
{
    return juce::isPositiveAndBelow(index, static_cast<int>(areas.size())) ? areas[static_cast<size_t>(index)]
                                                                            : juce::Rectangle<float>();
}

std::vector<juce::Rectangle<float>> ChoiceGroup::gridAreas() const
{
    const auto s = context.scale;
    const auto spacing = gridSpacing * s;
    const auto cellWidth = (static_cast<float>(getWidth()) - 2.0f * gridInset * s
                            - static_cast<float>(columns - 1) * spacing)
                           / static_cast<float>(columns);
    const auto rowHeight = typeSize * s;
    std::vector<juce::Rectangle<float>> cells;
    for (int i = 0; i < items.size(); ++i)
        cells.emplace_back(gridInset * s + static_cast<float>(i % columns) * (cellWidth + spacing),
                           gridInset * s + static_cast<float>(i / columns) * (rowHeight + spacing), cellWidth,
                           rowHeight);
    return cells;
}

std::vector<juce::Rectangle<float>> ChoiceGroup::segmentAreas() const
{
    const auto s = context.scale;
    const auto inner = getLocalBounds().toFloat().reduced(segments.pad * s);
    const auto width = juce::jmax(0.0f, 0.5f * (inner.getWidth() - segments.gap * s));
    const auto first = inner.withWidth(width);
    std::vector<juce::Rectangle<float>> halves { first, first.translated(width + segments.gap * s, 0.0f) };
    halves.resize(static_cast<size_t>(items.size()), first);
    return halves;
}

std::vector<juce::Rectangle<float>> ChoiceGroup::layoutAreas() const
{
    std::vector<juce::Rectangle<float>> rects;
    if (context.layout == nullptr)
        return rects;
    const auto origin = context.layout->scaledRect(groupLayoutId, context.scale).getPosition();
    for (int i = 0; i < items.size(); ++i)
        rects.push_back((context.layout->scaledRect(itemLayoutIds[i], context.scale) - origin).toFloat());
    return rects;
}

void ChoiceGroup::resized()
{
    switch (geometry)
    {
        case Geometry::grid: areas = gridAreas(); break;
        case Geometry::segments: areas = segmentAreas(); break;
        case Geometry::itemRects: areas = layoutAreas(); break;
    }
    for (size_t i = 0; i < accessItems.size(); ++i)
        accessItems[i]->setBounds(itemArea(static_cast<int>(i)).getSmallestIntegerContainer());
}

int ChoiceGroup::itemAt(juce::Point<float> point) const
{
    for (size_t i = 0; i < areas.size(); ++i)
        if (areas[i].contains(point))
            return static_cast<int>(i);
    return -1;
}

void ChoiceGroup::setHovered(int index)
{
    if (index == hovered)
        return;
    hovered = index;
    repaint();
}

void ChoiceGroup::mouseEnter(const juce::MouseEvent& event)
{
    setHovered(itemAt(event.position));
    repaint();
}

void ChoiceGroup::mouseMove(const juce::MouseEvent& event)
{
    setHovered(itemAt(event.position));
}

void ChoiceGroup::mouseExit(const juce::MouseEvent&)
{
    setHovered(-1);
    repaint();
}

void ChoiceGroup::mouseDown(const juce::MouseEvent& event)
{
    if (isEnabled())
        choose(itemAt(event.position));
}

float ChoiceGroup::opacity() const
{
    return isEnabled() ? 1.0f : disabledOpacity;
}

juce::Colour ChoiceGroup::textColour(int index) const
{
    const auto hoveredHere = index == hovered && isEnabled();
    if (geometry == Geometry::segments)
        return index == selected ? palette::brightText : (hoveredHere ? palette::softText : palette::steel);
    return index == selected || hoveredHere ? palette::brightText : palette::softText;
}

juce::Font ChoiceGroup::labelFont() const
{
    return context.font(typeSize * labelEmPerTypeSize, true);
}

void ChoiceGroup::paint(juce::Graphics& g)
{
    const auto alpha = opacity();
    if (geometry == Geometry::segments)
        paintCap(g, alpha);

    const auto font = labelFont();
    const auto justification = geometry == Geometry::itemRects ? juce::Justification::centredLeft
                                                               : juce::Justification::centred;
    for (int i = 0; i < items.size(); ++i)
        GlassLookAndFeel::drawText(g, this, items[i], itemArea(i), font, textColour(i).withMultipliedAlpha(alpha),
                                   justification, "segment");
    paintMark(g, alpha);
}

void ChoiceGroup::paintCap(juce::Graphics& g, float alpha) const
{
    const auto s = context.scale;
    if (isEnabled() && isMouseOver(true))
    {
        g.setColour(palette::whiteVeil.withAlpha(0.05f));
        g.fillRoundedRectangle(getLocalBounds().toFloat(), segments.radius * s);
    }
    if (areas.size() < 2)
        return;

    const auto position = slide.position();
    const auto& from = areas[0];
    const auto cap = from.withX(from.getX() + position * (areas[1].getX() - from.getX()));
    const auto corner = segments.capRadius * s;

    g.setColour(juce::Colours::black.withAlpha(0.5f * alpha));
    g.fillRoundedRectangle(cap.translated(0.0f, 0.8f * s), corner);
    g.setGradientFill(juce::ColourGradient(capTop.withAlpha(alpha), 0.0f, cap.getY(), capBottom.withAlpha(alpha), 0.0f,
                                           cap.getBottom(), false));
    g.fillRoundedRectangle(cap, corner);
    g.setColour(juce::Colours::white.withAlpha(0.16f * alpha));
    g.drawRoundedRectangle(cap.reduced(0.4f * s), (segments.capRadius - 0.4f) * s, juce::jmax(0.8f * s, 0.8f));
    g.setColour(juce::Colours::white.withAlpha(0.14f * alpha));
    g.fillRect(juce::Rectangle<float>(cap.getX() + corner, cap.getY() + 0.7f * s,
                                      juce::jmax(0.0f, cap.getWidth() - 2.0f * corner), juce::jmax(0.6f * s, 0.6f)));
}

void ChoiceGroup::paintMark(juce::Graphics& g, float alpha) const
{
    if (!mark.has_value() || selected >= static_cast<int>(areas.size()))
        return;
    const auto s = context.scale;
    const auto top = itemArea(selected).getCentre() + mark->offset * s;
    const juce::Rectangle<float> bar(top.x - 0.5f * mark->width * s, top.y, mark->width * s, mark->height * s);
    GlassLookAndFeel::glowFill(g, roundedBar(bar), palette::accent.withMultipliedAlpha(alpha), context.glow, s);
}

std::unique_ptr<juce::AccessibilityHandler> ChoiceGroup::createAccessibilityHandler()
{
    return std::make_unique<juce::AccessibilityHandler>(*this, juce::AccessibilityRole::group);
}

ChoiceGroup::AccessItem::AccessItem(ChoiceGroup& owner, int itemIndex) : group(owner), index(itemIndex)
{
    setInterceptsMouseClicks(false, false);
    setTitle(group.itemText(index));
}

std::unique_ptr<juce::AccessibilityHandler> ChoiceGroup::AccessItem::createAccessibilityHandler()
{
    return std::make_unique<Handler>(*this);
}

ChoiceGroup::AccessItem::Handler::Handler(AccessItem& accessItem)
    : juce::AccessibilityHandler(accessItem, juce::AccessibilityRole::radioButton,
                                 juce::AccessibilityActions().addAction(
                                     juce::AccessibilityActionType::press,
                                     [&accessItem] { accessItem.group.choose(accessItem.index); })),
      item(accessItem)
{
}

juce::AccessibleState ChoiceGroup::AccessItem::Handler::getCurrentState() const
{
    const auto state = juce::AccessibilityHandler::getCurrentState().withCheckable();
    return item.group.getSelected() == item.index ? state.withChecked() : state;
}
} // namespace zq6::ui
