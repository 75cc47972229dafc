#pragma once

#include "UpdateCore.h"
#include "UpdateNoticeLook.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace quil::update
{
// The small notice in the editor's top-right corner: "Update available - v" and the version.
// A click opens the product page and dismisses the version; the close box only dismisses it.
class UpdateNotice : public juce::Component,
                     private UpdateCore::Listener,
                     private juce::ComponentListener,
                     private juce::Timer
{
public:
    // How the notice follows the editor's size: scale = parent width / design width when the
    // editor scales, else 1.
    struct Scaling
    {
        int designWidth = 0;
        bool editorScales = false;
    };

    static constexpr int pollMilliseconds = 250;

    // Adds itself, hidden, to the parent and starts the core's check.
    UpdateNotice(std::shared_ptr<UpdateCore> core, juce::Component& parent, Scaling scaling);
    ~UpdateNotice() override;

    void setColours(const NoticeColours& newColours);
    void setTypeface(juce::Typeface::Ptr face);
    const NoticeColours& getColours() const noexcept { return colours; }
    const juce::String& shownVersion() const noexcept { return version; }
    juce::String text() const { return noticeText(version); }
    const NoticeGeometry& geometry() const noexcept { return placed; }

    void paint(juce::Graphics& g) override;
    void mouseUp(const juce::MouseEvent& event) override;

private:
    void updateStateChanged() override { refresh(); }
    void componentMovedOrResized(juce::Component& component, bool wasMoved, bool wasResized) override;
    void timerCallback() override;
    void refresh();
    void place();

    const std::shared_ptr<UpdateCore> core;
    juce::Component& parent;
    const Scaling scaling;
    NoticeColours colours = defaultNoticeColours();
    NoticeGeometry placed;
    juce::Typeface::Ptr typeface;
    juce::String version;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(UpdateNotice)
};
} // namespace quil::update
