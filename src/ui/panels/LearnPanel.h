#pragma once

#include "../controls/GlassButton.h"
#include "LearnDisplay.h"
#include "PanelBase.h"

#include <functional>
#include <optional>

namespace zq6::ui
{
// The Learn panel: the Routing, Source and Character windows and the Learn button. It shows the
// last LearnDisplay it was given; the editor binds the clicks to the Learn actions and menus.
class LearnPanel : public PanelBase
{
public:
    explicit LearnPanel(const UiContext& context);

    // Changes texts and states only when something shown differs from the last update.
    void update(const LearnDisplay& display);

    std::function<void()> onModeClicked;
    std::function<void()> onSourceClicked;
    std::function<void()> onCharacterClicked;
    std::function<void()> onLearnClicked;
    // The Learn state (a LearnState value) changed between two updates.
    std::function<void(int)> onStateChanged;

    GlassButton& getModeWindow() noexcept { return modeWindow; }
    GlassButton& getSourceWindow() noexcept { return sourceWindow; }
    GlassButton& getCharacterWindow() noexcept { return characterWindow; }
    GlassButton& getLearnButton() noexcept { return learnButton; }

    void resized() override;

private:
    void setUpWindow(GlassButton& window, const char* layoutId, const char* helpKey, std::function<void()>& callback);
    void setHelpOf(GlassButton& button, const char* helpKey);
    void showWindows(const LearnDisplay& display);
    void showLearnButton(const LearnDisplay& display);

    GlassButton modeWindow;
    GlassButton sourceWindow;
    GlassButton characterWindow;
    GlassButton learnButton;
    std::optional<LearnDisplay> shown;
};
} // namespace zq6::ui
