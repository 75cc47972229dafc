#include "KnobBench.h"

#include "ShippedLayout.h"

#include "ui/shell/BakedImageData.h"
#include "ui/controls/KnobStyle.h"
#include "ui/shell/Palette.h"

#include <cmath>

namespace zq6::test
{
namespace
{
ui::UiContext contextFor(const ui::Layout& layout, float scale)
{
    ui::UiContext context;
    context.useEmbeddedFaces();
    context.layout = &layout;
    context.scale = scale;
    return context;
}

quil::ui::SharedImageCache::Handle bakedImage()
{
    int size = 0;
    const auto* data = BakedResources::getNamedResource("zq6_baked_png", size);
    return data != nullptr && size > 0 ? quil::ui::SharedImageCache::get(data, static_cast<size_t>(size))
                                       : quil::ui::SharedImageCache::Handle();
}

// A lit tick shows the accent at nearly full brightness; an unlit one stays dark under its
// neighbours' glow.
constexpr float litBrightness = 0.6f;
} // namespace

float KnobBench::brightnessOverBlack(juce::Colour pixel)
{
    return pixel.getBrightness() * pixel.getFloatAlpha();
}

KnobBench::KnobBench(float scale)
    : layout(shippedLayout()),
      context(contextFor(layout, scale)),
      lookAndFeel(std::make_unique<ui::GlassLookAndFeel>(context)),
      window(juce::roundToInt(static_cast<float>(layout.baseWidth) * scale),
             layout.heightForWidth(juce::roundToInt(static_cast<float>(layout.baseWidth) * scale))),
      background(ui::palette::chassis),
      popup(context)
{
    window.setLookAndFeel(lookAndFeel.get());
    background.setImage(bakedImage());
    background.setBounds(window.getLocalBounds());
    window.addAndMakeVisible(background);
    window.addChildComponent(popup);
    context.tipPopup = &popup;
}

KnobBench::~KnobBench()
{
    knobs.clear();
    window.setLookAndFeel(nullptr);
}

ui::GlassKnob& KnobBench::add(const juce::String& parameterId, const juce::String& layoutId, ui::KnobOptions options)
{
    auto& knob = *knobs.emplace_back(std::make_unique<ui::GlassKnob>(context, processor.getValueTreeState(),
                                                                     parameterId, layoutId, parameterId, options));
    knob.addTo(window);
    knob.place({});
    popup.toFront(false);
    return knob;
}

void KnobBench::set(const juce::String& parameterId, float value)
{
    auto* parameter = processor.getValueTreeState().getParameter(parameterId);
    parameter->setValueNotifyingHost(parameter->convertTo0to1(value));
}

float KnobBench::valueOf(const juce::String& parameterId)
{
    return processor.getValueTreeState().getRawParameterValue(parameterId)->load();
}

juce::Image KnobBench::snapshot(ui::GlassKnob& knob, float pixelScale)
{
    return knob.createComponentSnapshot(knob.getLocalBounds(), true, pixelScale);
}

juce::Point<float> KnobBench::ringPoint(ui::GlassKnob& knob, float proportion, float radius) const
{
    const auto style = ui::KnobStyle::fromLayout(layout);
    const auto r = radius * layout.number(knob.getLayoutId(), "bodyRadius") * context.scale;
    const auto angle = juce::degreesToRadians(style.angleOf(proportion));
    const auto centre = knob.getLocalBounds().toFloat().getCentre();
    return { centre.x + r * std::cos(angle), centre.y - r * std::sin(angle) };
}

std::vector<bool> KnobBench::litTicks(ui::GlassKnob& knob)
{
    constexpr float pixelScale = 2.0f;
    const auto style = ui::KnobStyle::fromLayout(layout);
    const auto image = snapshot(knob, pixelScale);
    std::vector<bool> lit;
    for (int i = 0; i < style.ticks; ++i)
    {
        const auto at = ringPoint(knob, static_cast<float>(i) / static_cast<float>(style.ticks - 1), style.tickRadius)
                        * pixelScale;
        lit.push_back(tickColourAt(image, at.roundToInt()).getBrightness() > litBrightness);
    }
    return lit;
}

// The most opaque pixel around the point: the tick's own colour rather than a glow or its edge.
juce::Colour KnobBench::tickColourAt(const juce::Image& image, juce::Point<int> at)
{
    auto best = image.getPixelAt(at.x, at.y);
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
        {
            const auto pixel = image.getPixelAt(at.x + dx, at.y + dy);
            if (pixel.getAlpha() > best.getAlpha())
                best = pixel;
        }
    return best;
}

juce::Image KnobBench::picture(juce::Rectangle<int> area, float pixelScale)
{
    return window.createComponentSnapshot(area, true, pixelScale);
}
} // namespace zq6::test
