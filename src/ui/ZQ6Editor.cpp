#include "ZQ6Editor.h"

#include "../processor/ParameterIds.h"
#include "../processor/ProductInfo.h"
#include "../processor/ZQ6AudioProcessor.h"
#include "BakedImageData.h"
#include "HistoryShortcut.h"
#include "Palette.h"

#include <UiResources.h>

namespace zq6
{
namespace
{
constexpr float bypassedPanelOpacity = 0.5f;

ui::Layout loadLayout()
{
    ui::Layout layout;
    layout.load(juce::String::fromUTF8(UiResources::layout_json, UiResources::layout_jsonSize));
    return layout;
}

quil::ui::SharedImageCache::Handle bakedImage()
{
    int size = 0;
    const auto* data = BakedResources::getNamedResource("zq6_baked_png", size);
    if (data == nullptr || size <= 0)
        return {};
    return quil::ui::SharedImageCache::get(data, static_cast<size_t>(size));
}

ui::UiContext makeContext(const ui::Layout& layout)
{
    ui::UiContext context;
    context.useEmbeddedFaces();
    context.layout = &layout;
    return context;
}
} // namespace

ZQ6Editor::ZQ6Editor(ZQ6AudioProcessor& p)
    : juce::AudioProcessorEditor(p),
      processor(p),
      layout(loadLayout()),
      context(makeContext(layout)),
      lookAndFeel(context),
      background(ui::palette::chassis),
      tipPopup(context),
      header(context, slotHistoryActions()),
      stagePanel(context),
      learnPanel(context, "learn"),
      outletPanel(context, "outlet"),
      spacePanel(context, "space"),
      cleanPanel(context, "clean"),
      headerExtras(context, *this, headerServices()),
      settings(ui::EditorSettings::open()),
      sizeKeeper(*this, layout, *settings),
      bypass(p.getValueTreeState().getRawParameterValue(pid::bypass))
{
    lookAndFeel.setDefaultSansSerifTypeface(context.regular);
    setLookAndFeel(&lookAndFeel);

    background.setImage(bakedImage());
    addAndMakeVisible(background, 0);

    stagePanel.setView(ui::EditorSettings::stageView(*settings), false);
    stagePanel.onViewChanged = [this](int view) {
        settings->setValue(ui::EditorSettings::stageViewKey, view);
        refresh();
    };

    addAndMakeVisible(header);
    for (auto* panel : panels())
    {
        addAndMakeVisible(*panel);
        placed.emplace_back(panel->getLayoutId(), panel);
    }
    placed.emplace_back("header.help", &headerExtras.helpCap());
    headerExtras.raiseNotice();
    addChildComponent(tipPopup);
    context.tipPopup = &tipPopup;

    resized();
    setWantsKeyboardFocus(true);
    refresh();
    startTimer(refreshMilliseconds);
}

ZQ6Editor::~ZQ6Editor()
{
    stopTimer();
    headerExtras.closeFeedback();
    setLookAndFeel(nullptr);
}

std::array<ui::PanelBase*, 5> ZQ6Editor::panels() noexcept
{
    return { &stagePanel, &learnPanel, &outletPanel, &spacePanel, &cleanPanel };
}

ui::HeaderExtras::Services ZQ6Editor::headerServices()
{
    return { sharedUpdateCore(), helpInfo(), quil::help::makeFeedbackSender(helpInfo()),
             [](const juce::String& url) { juce::URL(url).launchInDefaultBrowser(); } };
}

ui::SlotHistoryActions ZQ6Editor::slotHistoryActions()
{
    ui::SlotHistoryActions actions;
    actions.activeSlot = [this] { return processor.getActiveSlot(); };
    actions.learnRunning = [this] { return !processor.getLearnControl().isIdle(); };
    actions.canUndo = [this] { return processor.canUndo(); };
    actions.canRedo = [this] { return processor.canRedo(); };
    actions.switchSlot = [this](int index) { processor.switchSlot(index); };
    actions.copySlot = [this] { processor.copySlot(); };
    actions.undoOrRedo = [this](bool undo) { processor.undoOrRedo(undo); };
    return actions;
}

void ZQ6Editor::mouseDown(const juce::MouseEvent&)
{
    grabKeyboardFocus();
}

bool ZQ6Editor::keyPressed(const juce::KeyPress& key)
{
    const auto shortcut = ui::historyShortcutFor(key);
    if (shortcut == ui::HistoryShortcut::none)
        return false;
    header.undoOrRedo(shortcut == ui::HistoryShortcut::undo);
    return true;
}

void ZQ6Editor::resized()
{
    context.scale = static_cast<float>(getWidth()) / static_cast<float>(layout.baseWidth);
    background.setBounds(getLocalBounds());
    for (auto& [id, component] : placed)
        component->setBounds(layout.scaledRect(id, context.scale));
    header.setBounds(header.rowBounds());
    header.resized();
    headerExtras.layout();
    repaint();
}

void ZQ6Editor::refresh()
{
    refreshBypass();
    header.refresh();
}

void ZQ6Editor::refreshBypass()
{
    const auto bypassed = bypass != nullptr && bypass->load(std::memory_order_relaxed) >= 0.5f;
    if (bypassed == bypassShown)
        return;
    bypassShown = bypassed;
    for (auto* panel : panels())
        panel->setAlpha(bypassed ? bypassedPanelOpacity : 1.0f);
}
} // namespace zq6
