#include "ZQ6Editor.h"

#include "../../params/ParameterIds.h"
#include "../../processor/ProductInfo.h"
#include "../../processor/ZQ6AudioProcessor.h"
#include "BakedImageData.h"
#include "HistoryShortcut.h"
#include "Palette.h"
#include "../../state/LearnBaseline.h"

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
      stagePanel(context, p.getValueTreeState()),
      learnPanel(context),
      outletPanel(context, p.getValueTreeState()),
      spacePanel(context, p.getValueTreeState()),
      cleanPanel(context, p.getValueTreeState()),
      learnMenus(p, [this] { refresh(); }),
      tailInputs(p),
      headerExtras(context, *this, headerServices()),
      settings(ui::EditorSettings::open()),
      sizeKeeper(*this, layout, *settings)
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
    connectLearnPanel();

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

void ZQ6Editor::connectLearnPanel()
{
    learnPanel.onModeClicked = [this] { learnMenus.showMode(learnPanel.getModeWindow()); };
    learnPanel.onSourceClicked = [this] { learnMenus.showSource(learnPanel.getSourceWindow()); };
    learnPanel.onCharacterClicked = [this] { learnMenus.showCharacter(learnPanel.getCharacterWindow()); };
    learnPanel.onLearnClicked = [this] {
        if (processor.getLearnControl().isIdle())
            processor.startLearn();
        else
            processor.cancelLearn();
        refresh();
    };
    // The caps are refused while Learn runs; they follow its state at once.
    learnPanel.onStateChanged = [this](int) { header.refresh(); };
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
    refreshViews();
    refreshSuggestions();
    outletPanel.setSendMode(processor.getMode() == ZQ6AudioProcessor::send);
    stagePanel.getEq().followHostRate(processor.getSampleRate());
    refreshBypass();
    header.refresh();
    learnPanel.update(learnDisplay());
    refreshDelta();
}

void ZQ6Editor::refreshViews()
{
    // Each peak is reported once: read them a single time for the meters and the tail pulse.
    const auto peaks = processor.getMeterPeaks().readAndClearAll();
    outletPanel.getMeters().update(peaks);
    if (stagePanel.getView() == 0)
        stagePanel.getTail().refresh(tailInputs.read(), peaks[0], peaks[1]);
    cleanPanel.getBands().update(processor.getEngine().getUnmask().getReductionsDb());
}

void ZQ6Editor::refreshSuggestions()
{
    auto& state = processor.getValueTreeState();
    const auto baseline = readBaseline(state.state, state);
    for (auto* knob : knobs())
    {
        const auto index = knob->getSuggestionIndex();
        if (index < 0)
            continue;
        const auto& value = baseline.values[static_cast<size_t>(index)];
        knob->setSuggestion(baseline.valid && value.has_value(), value.value_or(0.0f));
    }
}

std::vector<ui::GlassKnob*> ZQ6Editor::knobs() const
{
    std::vector<ui::GlassKnob*> all;
    for (const auto* owned : { &spacePanel.allKnobs(), &cleanPanel.allKnobs(), &outletPanel.allKnobs() })
        for (const auto& knob : *owned)
            all.push_back(knob.get());
    return all;
}

ui::LearnDisplay ZQ6Editor::learnDisplay() const
{
    const auto& control = processor.getLearnControl();
    ui::LearnDisplay display;
    display.send = processor.getMode() == ZQ6AudioProcessor::send;
    display.selection = processor.getSourceSelection();
    display.autoCharacter = processor.getAutoCharacter();
    display.state = control.getState();
    display.status = static_cast<LearnStatus>(control.status.load(std::memory_order_relaxed));
    display.progress = control.progress.load(std::memory_order_relaxed);
    display.waitingForSignal = control.waitingForSignal.load(std::memory_order_relaxed);
    return display;
}

bool ZQ6Editor::switchedOn(const char* parameterId) const
{
    const auto* value = processor.getValueTreeState().getRawParameterValue(parameterId);
    return value != nullptr && value->load(std::memory_order_relaxed) >= 0.5f;
}

void ZQ6Editor::refreshBypass()
{
    const auto bypassed = switchedOn(pid::bypass);
    if (bypassed == bypassShown)
        return;
    bypassShown = bypassed;
    for (auto* panel : panels())
        panel->setAlpha(bypassed ? bypassedPanelOpacity : 1.0f);
}

void ZQ6Editor::refreshDelta()
{
    cleanPanel.setDeltaActive(switchedOn(pid::deltaUnmask) || switchedOn(pid::deltaShaping));
}
} // namespace zq6
