#include "FocusOnShow.h"

namespace quil::ui
{
FocusOnShow::FocusOnShow(juce::Component& component) : target(component)
{
    target.addComponentListener(this);
}

FocusOnShow::~FocusOnShow()
{
    target.removeComponentListener(this);
}

void FocusOnShow::componentVisibilityChanged(juce::Component&)
{
    focusIfShowing();
}

void FocusOnShow::componentParentHierarchyChanged(juce::Component&)
{
    focusIfShowing();
}

void FocusOnShow::focusIfShowing()
{
    if (target.isShowing() && !target.hasKeyboardFocus(true))
        target.grabKeyboardFocus();
}
} // namespace quil::ui
