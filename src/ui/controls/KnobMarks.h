#pragma once

#include "KnobStyle.h"
#include "../shell/UiContext.h"

#include <juce_graphics/juce_graphics.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace zq6::ui
{
// What moves on a knob: the tick ring lit up to the value (or from a centre), the pointer and the
// suggestion marker. They are rendered once into an image per distinct look and then blitted.
class KnobMarks
{
public:
    // Positions are proportions of the knob's travel, 0 at the minimum and 1 at the maximum.
    struct Scene
    {
        float value = 0.0f;
        std::optional<float> suggestion;
        // Ticks light between this and the value instead of from the start.
        std::optional<float> centre;
    };

    explicit KnobMarks(const UiContext& context);

    // Draws the marks over `size` (component pixels) with `bodyRadius` in the same pixels, at the
    // device's pixel scale; the image is rendered again only when the look's key changed.
    void paint(juce::Graphics& g, juce::Point<int> size, float bodyRadius, const Scene& scene, float opacity);

    // Which of the ring's ticks are lit for the scene.
    static std::vector<bool> litTicks(int ticks, const Scene& scene);
    // Looks closer than 1/2000 of the travel share a key, so a slow drag reuses the image.
    static std::uint64_t keyFor(const Scene& scene, juce::Point<int> size, float pixelScale) noexcept;

    // Counts the renderings.
    int generation() const noexcept { return renderings; }
    const juce::Image& image() const noexcept { return cache; }

private:
    void render(juce::Point<int> size, float pixelScale, float bodyRadius, const Scene& scene);
    void drawMarks(juce::Graphics& g, juce::Point<float> centre, float bodyRadius, const Scene& scene) const;

    const UiContext& context;
    juce::Image cache;
    std::uint64_t key = 0;
    int renderings = 0;
};
} // namespace zq6::ui
