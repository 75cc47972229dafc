#pragma once

#include "DelayedTooltipWindow.h"
#include "EditorSettings.h"
#include "GlassLookAndFeel.h"
#include "HeaderCaps.h"
#include "HeaderExtras.h"
#include "Layout.h"
#include "SizeKeeper.h"
#include "StagePanel.h"
#include "TipPopup.h"
#include "UiContext.h"

#include "../../plugin-common/BakedLayer.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <atomic>
#include <utility>
#include <vector>

namespace zq6
{
class ZQ6AudioProcessor;

// The plug-in window: the baked background filling it, the live panels and header caps placed
// from the layout file and scaled with the window, refreshed from the processor every 33 ms.
class ZQ6Editor : public juce::AudioProcessorEditor, private juce::Timer
{
public:
    explicit ZQ6Editor(ZQ6AudioProcessor& processor);
    ~ZQ6Editor() override;

    void mouseDown(const juce::MouseEvent& event) override;
    bool keyPressed(const juce::KeyPress& key) override;
    void resized() override;

    const ui::UiContext& getUiContext() const noexcept { return context; }
    const quil::ui::BakedLayer& getBackground() const noexcept { return background; }
    ui::HeaderCaps& getHeaderCaps() noexcept { return header; }
    ui::StagePanel& getStagePanel() noexcept { return stagePanel; }
    ui::HeaderExtras& getHeaderExtras() noexcept { return headerExtras; }
    ui::TipPopup& getTipPopup() noexcept { return tipPopup; }

    // Reads what the processor shows and updates every display that changed.
    void refresh();

    static constexpr int refreshMilliseconds = 33;

private:
    void timerCallback() override { refresh(); }
    void refreshBypass();
    ui::SlotHistoryActions slotHistoryActions();
    static ui::HeaderExtras::Services headerServices();
    std::array<ui::PanelBase*, 5> panels() noexcept;

    ZQ6AudioProcessor& processor;
    ui::Layout layout;
    ui::UiContext context;
    ui::GlassLookAndFeel lookAndFeel;
    quil::ui::BakedLayer background;
    std::vector<std::pair<juce::String, juce::Component*>> placed;
    ui::DelayedTooltipWindow tooltipWindow { this };
    ui::TipPopup tipPopup;
    ui::HeaderCaps header;
    ui::StagePanel stagePanel;
    ui::PanelBase learnPanel;
    ui::PanelBase outletPanel;
    ui::PanelBase spacePanel;
    ui::PanelBase cleanPanel;
    ui::HeaderExtras headerExtras;
    std::unique_ptr<juce::PropertiesFile> settings;
    ui::SizeKeeper sizeKeeper;
    std::atomic<float>* bypass = nullptr;
    bool bypassShown = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZQ6Editor)
};
} // namespace zq6
