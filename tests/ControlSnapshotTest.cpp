// Renders the editor with the buttons, choice groups, feedback form and update notice in their
// main states into PNG files for review. Runs only when ZQ6_SNAPSHOT_DIR names a folder.

#include "help/FeedbackDialog.h"
#include "params/ParameterIds.h"
#include "processor/ZQ6AudioProcessor.h"
#include "support/MessagePump.h"
#include "support/ProcessorHarness.h"
#include "support/ScopedSettingsHome.h"
#include "ui/controls/ChoiceGroup.h"
#include "ui/controls/GlassButton.h"
#include "ui/shell/ZQ6Editor.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace zq6::test
{
namespace
{
using Style = ui::GlassButton::Style;

juce::File snapshotFolder()
{
    const auto* folder = std::getenv("ZQ6_SNAPSHOT_DIR");
    return folder != nullptr ? juce::File(juce::String::fromUTF8(folder)) : juce::File();
}

void writeSnapshot(juce::Component& component, const char* name, float scale = 1.0f)
{
    pumpMessages(200);
    const auto image = component.createComponentSnapshot(component.getLocalBounds(), true, scale);
    juce::FileOutputStream out(snapshotFolder().getChildFile(name));
    ASSERT_TRUE(out.openedOk());
    out.setPosition(0);
    out.truncate();
    ASSERT_TRUE(juce::PNGImageFormat().writeImageToStream(image, out));
}

// The controls mounted over their printed places, as the panels will hold them.
class Mounted
{
public:
    Mounted(ZQ6Editor& editorToUse, ZQ6AudioProcessor& processor) : editor(editorToUse)
    {
        const auto& context = editor.getUiContext();
        auto& state = processor.getValueTreeState();
        window("learn.mode", "Routing", "Insert");
        window("learn.source", juce::String::fromUTF8("Source \xc2\xb7 Vocal"), "Lead vocal");
        window("learn.character", "Character", "Auto (Hall)");
        learn = &add(std::make_unique<ui::GlassButton>(context, Style::learn, "Learn", false), "learn.button");
        learn->setLayoutId("learn.button");
        deltaUnmask = &add(std::make_unique<ui::GlassButton>(context, Style::delta, "Delta", true), "clean.delta.unmask");
        add(std::make_unique<ui::GlassButton>(context, Style::delta, "Delta", true), "clean.delta.shaping");

        auto& stage = addGroup(std::make_unique<ui::ChoiceGroup>(context, juce::StringArray { "Tail", "EQ" }, 2, 20.0f),
                               "stage.view");
        stage.setSelectionMark(ui::ChoiceGroup::markFromLayout(*context.layout, "stage.view.mark", "stage.view.tail"));
        for (auto [id, items, parameter] : { std::tuple { "knob.decay.unit", juce::StringArray { "s", "beat" }, pid::decayUnit },
                                             std::tuple { "knob.preDelay.unit", juce::StringArray { "ms", "note" }, pid::predelayUnit } })
        {
            auto& unit = addGroup(std::make_unique<ui::ChoiceGroup>(context, items, 2, 14.0f), id);
            unit.useSegments(id);
            unit.attach(*state.getParameter(parameter));
        }
        auto& speed = addGroup(std::make_unique<ui::ChoiceGroup>(context, juce::StringArray { "Fast", "Med", "Slow" }, 1, 20.0f),
                               "clean.speed");
        speed.useItemRects("clean.speed", { "clean.speed.fast", "clean.speed.med", "clean.speed.slow" });
        speed.setSelectionMark(ui::ChoiceGroup::markFromLayout(*context.layout, "clean.speed.mark", "clean.speed.med"));
        speed.attach(*state.getParameter(pid::unmaskSpeed));
    }

    ui::GlassButton* learn = nullptr;
    ui::GlassButton* deltaUnmask = nullptr;

private:
    void window(const char* id, const juce::String& key, const juce::String& value)
    {
        auto& button = add(std::make_unique<ui::GlassButton>(editor.getUiContext(), Style::window, juce::String(), false), id);
        button.setLayoutId(id);
        button.setKey(key);
        button.setValue(value);
    }

    template <typename ComponentType>
    ComponentType& place(std::unique_ptr<ComponentType> component, const char* id)
    {
        const auto& context = editor.getUiContext();
        component->setBounds(context.layout->scaledRect(id, context.scale));
        editor.addAndMakeVisible(*component);
        auto& placed = *component;
        owned.push_back(std::move(component));
        return placed;
    }

    ui::GlassButton& add(std::unique_ptr<ui::GlassButton> button, const char* id) { return place(std::move(button), id); }
    ui::ChoiceGroup& addGroup(std::unique_ptr<ui::ChoiceGroup> group, const char* id) { return place(std::move(group), id); }

    ZQ6Editor& editor;
    std::vector<std::unique_ptr<juce::Component>> owned;
};

// Runs only when a snapshot folder is named.
class SnapshotTest : public testing::Test
{
protected:
    void SetUp() override
    {
        if (snapshotFolder() == juce::File())
            GTEST_SKIP() << "set ZQ6_SNAPSHOT_DIR to write the snapshots";
        snapshotFolder().createDirectory();
    }
};

class ControlSnapshots : public SnapshotTest
{
protected:

    void write(juce::Component& component, const char* name, float scale = 1.0f)
    {
        writeSnapshot(component, name, scale);
    }

    ScopedSettingsHome home;
    ZQ6AudioProcessor processor;
    std::unique_ptr<ZQ6Editor> editor { dynamic_cast<ZQ6Editor*>(processor.createEditor()) };
};

TEST_F(ControlSnapshots, EditorWithItsControls)
{
    Mounted controls(*editor, processor);
    write(*editor, "controls-idle.png");
    write(*editor, "controls-idle-2x.png", 2.0f);

    controls.learn->setCaption("Cancel");
    controls.learn->setStatus("Listening... 40%");
    controls.learn->setProgress(0.4f);
    controls.deltaUnmask->setToggleState(true, juce::dontSendNotification);
    processor.getValueTreeState().getParameter(pid::decayUnit)->setValueNotifyingHost(1.0f);
    write(*editor, "controls-listening-2x.png", 2.0f);

    controls.learn->setCaption("Learned");
    controls.learn->setStatus({});
    controls.learn->setProgress(-1.0f);
    controls.learn->setLearned(true);
    write(*editor, "controls-learned-2x.png", 2.0f);
}

// Each style in the states the editor rarely shows at rest, side by side at four times the size.
TEST_F(ControlSnapshots, ButtonStates)
{
    auto context = editor->getUiContext();
    context.scale = 4.0f;
    struct State
    {
        Style style;
        const char* caption;
        bool on, enabled, highlighted, down;
        juce::Rectangle<int> base;
    };
    const State states[] = {
        { Style::chip, "Bell", false, true, false, false, { 0, 0, 40, 16 } },
        { Style::chip, "Bell", true, true, false, false, { 0, 0, 40, 16 } },
        { Style::chip, "Bell", false, true, true, false, { 0, 0, 40, 16 } },
        { Style::delta, "Delta", false, true, true, false, { 0, 0, 54, 18 } },
        { Style::roundCap, "", false, true, true, false, { 0, 0, 16, 16 } },
        { Style::roundCap, "", false, true, true, true, { 0, 0, 16, 16 } },
        { Style::learn, "Learn", false, true, true, false, { 0, 0, 124, 52 } },
        { Style::learn, "Learn", false, false, false, false, { 0, 0, 124, 52 } },
    };
    juce::Image strip(juce::Image::RGB, 4 * (40 * 3 + 54 + 16 * 2 + 124 * 2 + 9 * 8), 4 * 60, true);
    juce::Graphics g(strip);
    g.fillAll(juce::Colour(0xFF1A1C20));
    int x = 0;
    for (const auto& state : states)
    {
        ui::GlassButton button(context, state.style, state.caption, false);
        button.setBounds(state.base * 4);
        button.setEnabled(state.enabled);
        button.setToggleState(state.on, juce::dontSendNotification);
        if (state.style == Style::learn)
            button.setLayoutId("learn.button");
        const juce::Graphics::ScopedSaveState saved(g);
        g.setOrigin(x, 8);
        button.paintButton(g, state.highlighted, state.down);
        x += button.getWidth() + 4 * 9;
    }
    juce::FileOutputStream out(snapshotFolder().getChildFile("button-states-4x.png"));
    ASSERT_TRUE(out.openedOk());
    out.setPosition(0);
    out.truncate();
    ASSERT_TRUE(juce::PNGImageFormat().writeImageToStream(strip, out));
}

TEST_F(ControlSnapshots, FeedbackFormAndUpdateNotice)
{
    editor->getHeaderExtras().openFeedback();
    auto& form = *editor->getHeaderExtras().feedbackDialog();
    form.textEditor().setText("The tail clicks when I switch Character while playing.");
    write(*editor, "feedback-form.png");

    quil::update::UpdateCore::Config config;
    config.product = "ZQ-6";
    config.currentVersion = "1.0.0";
    config.baseUrl = "https://example.invalid";
    config.transport = [](const quil::api::Request&) {
        return quil::http::Result { quil::http::Status::ok, 200,
                                    R"({"status":"ok","product":"ZQ-6","latest_version":"1.0.1",)"
                                    R"("page_url":"https://example.invalid/zq6"})" };
    };
    config.launcher = [](std::function<void()> job) {
        job();
        return true;
    };
    editor->getHeaderExtras().closeFeedback();
    quil::update::UpdateNotice notice(std::make_shared<quil::update::UpdateCore>(config), *editor, { 1120, true });
    notice.setColours(quil::update::headerNoticeColours());
    notice.setTypeface(editor->getUiContext().regular);
    write(*editor, "update-notice-2x.png", 2.0f);
}
// The editor as its panels build it, in its main states, fed by a prepared processor.
class EditorSnapshots : public SnapshotTest
{
protected:
    void set(const char* id, float value)
    {
        harness.set(id, value);
        editor->refresh();
    }

    // Plays noise through the processor in 33 ms steps, each followed by the editor's tick.
    void play(double seconds)
    {
        constexpr int tick = 48000 * ZQ6Editor::refreshMilliseconds / 1000;
        for (int done = 0; done < static_cast<int>(seconds * 48000.0); done += tick)
        {
            auto block = makeNoise(2, tick, 0.7f, ++seed);
            harness.process(block);
            processor().tickLearn();
            editor->refresh();
        }
    }

    int seed = 0;

    ZQ6AudioProcessor& processor() { return harness.processor(); }

    ScopedSettingsHome home;
    ProcessorHarness harness { 48000.0, 256 };
    std::unique_ptr<ZQ6Editor> editor { dynamic_cast<ZQ6Editor*>(processor().createEditor()) };
};

TEST_F(EditorSnapshots, MainStates)
{
    writeSnapshot(*editor, "editor-default.png");
    writeSnapshot(*editor, "editor-default-2x.png", 2.0f);

    harness.set(pid::cleanUnmask, 1.0f);
    play(0.5);
    writeSnapshot(*editor, "editor-signal.png");
    harness.set(pid::cleanUnmask, 0.0f);

    processor().startLearn();
    play(2.0);
    writeSnapshot(*editor, "editor-learn-listening.png");
    processor().cancelLearn();
    processor().tickLearn();

    processor().setMode(ZQ6AudioProcessor::send);
    writeSnapshot(*editor, "editor-send.png");
    processor().setMode(ZQ6AudioProcessor::insert);

    set(pid::deltaUnmask, 1.0f);
    writeSnapshot(*editor, "editor-delta.png");
    set(pid::deltaUnmask, 0.0f);

    editor->getStagePanel().setView(1, false);
    writeSnapshot(*editor, "editor-eq.png");
    editor->getStagePanel().setView(0, false);

    set(pid::bypass, 1.0f);
    writeSnapshot(*editor, "editor-bypass.png");
}
} // namespace
} // namespace zq6::test
