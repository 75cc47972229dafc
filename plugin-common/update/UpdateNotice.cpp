#include "UpdateNotice.h"

namespace quil::update
{
UpdateNotice::UpdateNotice(std::shared_ptr<UpdateCore> updateCore, juce::Component& parentComponent,
                           Scaling editorScaling)
    : core(std::move(updateCore)), parent(parentComponent), scaling(editorScaling)
{
    setMouseCursor(juce::MouseCursor::PointingHandCursor);
    setTitle("Update available");
    setVisible(false);
    parent.addChildComponent(*this);
    parent.addComponentListener(this);
    core->addListener(this);

    core->start();
    core->poll();
    refresh();
    if (core->isInFlight())
        startTimer(pollMilliseconds);
}

UpdateNotice::~UpdateNotice()
{
    core->removeListener(this);
    parent.removeComponentListener(this);
}

void UpdateNotice::setColours(const NoticeColours& newColours)
{
    colours = newColours;
    repaint();
}

void UpdateNotice::setTypeface(juce::Typeface::Ptr face)
{
    typeface = std::move(face);
    repaint();
}

void UpdateNotice::componentMovedOrResized(juce::Component&, bool, bool wasResized)
{
    if (wasResized)
        place();
}

void UpdateNotice::timerCallback()
{
    if (!core->poll())
        stopTimer();
}

void UpdateNotice::refresh()
{
    version = core->available().version;
    place();
    setVisible(version.isNotEmpty());
    repaint();
}

void UpdateNotice::place()
{
    const auto scale = noticeScale(parent.getWidth(), scaling.designWidth, scaling.editorScales);
    placed = noticeGeometry(parent.getWidth(), scale);
    setBounds(placed.bounds);
}

void UpdateNotice::paint(juce::Graphics& g)
{
    const auto body = getLocalBounds().toFloat().reduced(0.5f);
    g.setColour(colours.background);
    g.fillRoundedRectangle(body, placed.cornerRadius);
    g.setColour(colours.outline);
    g.drawRoundedRectangle(body, placed.cornerRadius, noticeOutlineThickness);

    const auto face = typeface != nullptr ? juce::Font(typeface) : juce::Font();
    g.setColour(colours.text);
    g.setFont(face.withHeight(placed.fontHeight));
    g.drawText(text(), placed.textArea, juce::Justification::centredLeft, true);

    const auto cross = placed.closeBox.toFloat().reduced(placed.crossInset);
    g.setColour(colours.cross);
    g.drawLine({ cross.getTopLeft(), cross.getBottomRight() }, noticeCrossThickness);
    g.drawLine({ cross.getBottomLeft(), cross.getTopRight() }, noticeCrossThickness);
}

void UpdateNotice::mouseUp(const juce::MouseEvent& event)
{
    switch (noticeClickAt(event.getPosition(), placed))
    {
        case NoticeClick::closeBox: core->dismiss(); break;
        case NoticeClick::page: core->openUpdatePage(); break;
        case NoticeClick::outside: break;
    }
}
} // namespace quil::update
