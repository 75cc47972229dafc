#include "WetEqValueField.h"

#include "../shell/GlassLookAndFeel.h"
#include "../shell/Palette.h"

namespace zq6::ui
{
namespace
{
constexpr float textSize = 11.5f;
constexpr float disabledOpacity = 0.4f;
} // namespace

WetEqValueField::WetEqValueField(const UiContext& contextToUse, quil::ui::DoubleClickValueEntry::Callbacks callbacksToUse,
                                 bool kiloSuffix)
    : context(contextToUse),
      callbacks(std::move(callbacksToUse)),
      allowsKiloSuffix(kiloSuffix),
      entry(std::make_unique<quil::ui::DoubleClickValueEntry>(*this, callbacks, allowsKiloSuffix))
{
    setMouseCursor(juce::MouseCursor::IBeamCursor);
}

void WetEqValueField::setText(const juce::String& newText)
{
    if (newText == text)
        return;
    text = newText;
    repaint();
}

int WetEqValueField::idealWidth() const
{
    return juce::roundToInt(GlassLookAndFeel::textWidth(font(), text) + 4.0f * context.scale);
}

void WetEqValueField::discard()
{
    // A fresh entry: the old one closes its editor as it goes and commits nothing.
    if (entry->isOpen())
        entry = std::make_unique<quil::ui::DoubleClickValueEntry>(*this, callbacks, allowsKiloSuffix);
}

void WetEqValueField::paint(juce::Graphics& g)
{
    const auto colour = isEnabled() ? palette::value : palette::value.withMultipliedAlpha(disabledOpacity);
    GlassLookAndFeel::drawText(g, this, text, getLocalBounds().toFloat(), font(), colour,
                               juce::Justification::centredLeft, "value");
}

juce::Font WetEqValueField::font() const
{
    return context.font(textSize, true);
}
} // namespace zq6::ui
