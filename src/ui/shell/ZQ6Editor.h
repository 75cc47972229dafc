#pragma once

#include "../help/DelayedTooltipWindow.h"
#include "EditorSettings.h"
#include "GlassLookAndFeel.h"
#include "../panels/HeaderCaps.h"
#include "../panels/CleanPanel.h"
#include "../panels/HeaderExtras.h"
#include "Layout.h"
#include "../panels/LearnPanel.h"
#include "../panels/LearnPopupMenus.h"
#include "../panels/OutletPanel.h"
#include "SizeKeeper.h"
#include "../panels/SpacePanel.h"
#include "../panels/StagePanel.h"
#include "../views/TailInputReader.h"
#include "../help/TipPopup.h"
#include "UiContext.h"

#include "../../../plugin-common/BakedLayer.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
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
    ui::LearnPanel& getLearnPanel() noexcept { return learnPanel; }
    ui::OutletPanel& getOutletPanel() noexcept { return outletPanel; }
    ui::SpacePanel& getSpacePanel() noexcept { return spacePanel; }
    ui::CleanPanel& getCleanPanel() noexcept { return cleanPanel; }
    ui::LearnPopupMenus& getLearnMenus() noexcept { return learnMenus; }
    ui::HeaderExtras& getHeaderExtras() noexcept { return headerExtras; }
    ui::TipPopup& getTipPopup() noexcept { return tipPopup; }

    // Reads what the processor shows and updates every display that changed.
    void refresh();

    static constexpr int refreshMilliseconds = 33;

private:
    void timerCallback() override { refresh(); }
    void refreshViews();
    void refreshSuggestions();
    void refreshBypass();
    void refreshDelta();
    ui::LearnDisplay learnDisplay() const;
    void connectLearnPanel();
    std::vector<ui::GlassKnob*> knobs() const;
    bool switchedOn(const char* parameterId) const;
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
    ui::LearnPanel learnPanel;
    ui::OutletPanel outletPanel;
    ui::SpacePanel spacePanel;
    ui::CleanPanel cleanPanel;
    ui::LearnPopupMenus learnMenus;
    ui::TailInputReader tailInputs;
    ui::HeaderExtras headerExtras;
    std::unique_ptr<juce::PropertiesFile> settings;
    ui::SizeKeeper sizeKeeper;
    bool bypassShown = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZQ6Editor)
};
} // namespace zq6
