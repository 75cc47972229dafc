#pragma once

#include "SharedImageCache.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace quil::ui
{
// The pre-rendered background under an editor's live controls. It keeps one copy scaled to the
// device pixels it covers, made once per size; while a resize is under way the last copy is
// stretched, and a sharp copy follows once the size has been still for a moment.
class BakedLayer : public juce::Component, private juce::Timer
{
public:
    enum class CopyMethod
    {
        source,
        upscale,
        boxFilter,
        mixed
    };

    explicit BakedLayer(juce::Colour fillColour);

    void setImage(SharedImageCache::Handle image);
    const SharedImageCache::Handle& image() const noexcept { return source; }

    // How a copy of `target` pixels is made from `sourceSize` pixels.
    static CopyMethod copyMethodFor(juce::Point<int> sourceSize, juce::Point<int> target) noexcept;
    static juce::Image makeCopy(const juce::Image& source, juce::Point<int> target);

    juce::Point<int> copySize() const noexcept { return scaledSize; }
    int generation() const noexcept { return copies; }
    bool isSettled() const noexcept { return settled; }

    void paint(juce::Graphics& g) override;
    void resized() override;

    static constexpr int settleMilliseconds = 120;

private:
    void timerCallback() override;

    juce::Colour fill;
    SharedImageCache::Handle source;
    juce::Image scaled;
    juce::Point<int> scaledSize;
    int copies = 0;
    bool settled = true;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(BakedLayer)
};
} // namespace quil::ui
