#pragma once

#include "BakeCanvas.h"

// The printed part of a glass knob: the dark well that holds the live tick ring, a machined metal
// ring, and the smoked-glass body with its specular highlight. The pointer and ticks are live.
class KnobPainter
{
public:
    // centre and bodyRadius in layout units; ringOuter as a multiple of bodyRadius.
    static void paint(BakeCanvas& canvas, juce::Point<float> centre, float bodyRadius, float ringOuter);

private:
    static void paintWell(BakeCanvas& canvas, juce::Point<float> centre, float radius);
    static void paintMetalRing(BakeCanvas& canvas, juce::Point<float> centre, float outer, float inner);
    static void paintGlass(BakeCanvas& canvas, juce::Point<float> centre, float radius);
};
