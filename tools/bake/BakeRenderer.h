#pragma once

#include "BakeCanvas.h"
#include "PrintedText.h"

#include <ui/shell/Layout.h>

// Draws every element of the layout that the plug-in does not draw live: the chassis, panels,
// display windows, knob bodies, caps, headings, rules, chevrons, the meter scale and the captions.
class BakeRenderer
{
public:
    BakeRenderer(const zq6::ui::Layout& layout, juce::Typeface::Ptr regular, juce::Typeface::Ptr bold);

    // The front at `width` pixels, height following the canvas, as an RGB image.
    juce::Image render(int width) const;

private:
    static bool isBaked(const zq6::ui::LayoutItem& item);
    void drawItem(BakeCanvas& canvas, const zq6::ui::LayoutItem& item) const;

    void chassis(BakeCanvas& canvas, const zq6::ui::LayoutItem& item) const;
    void panelShadow(BakeCanvas& canvas, const zq6::ui::LayoutItem& item) const;
    void panel(BakeCanvas& canvas, const zq6::ui::LayoutItem& item) const;
    void raised(BakeCanvas& canvas, juce::Rectangle<float> area, float corner, float lift) const;
    void recessed(BakeCanvas& canvas, juce::Rectangle<float> area, float corner, float depth,
                  juce::ColourGradient floor) const;
    void window(BakeCanvas& canvas, const zq6::ui::LayoutItem& item) const;
    void bezel(BakeCanvas& canvas, juce::Rectangle<float> area, float corner, float lift) const;
    void cap(BakeCanvas& canvas, const zq6::ui::LayoutItem& item) const;
    void learnWell(BakeCanvas& canvas, const zq6::ui::LayoutItem& item) const;
    void meterScale(BakeCanvas& canvas, const zq6::ui::LayoutItem& item) const;
    void group(BakeCanvas& canvas, const zq6::ui::LayoutItem& item) const;
    void rule(BakeCanvas& canvas, const zq6::ui::LayoutItem& item) const;
    void chevron(BakeCanvas& canvas, const zq6::ui::LayoutItem& item) const;
    void knob(BakeCanvas& canvas, const zq6::ui::LayoutItem& item) const;

    // Fine grain over the whole front: hides gradient banding and gives the surfaces a finish.
    static void dither(juce::Image& image);

    const zq6::ui::Layout& layout;
    PrintedText text;
};
