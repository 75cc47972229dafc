#include "BakedLayer.h"

#include "BoxFilter.h"

namespace quil::ui
{
BakedLayer::BakedLayer(juce::Colour fillColour) : fill(fillColour)
{
    setInterceptsMouseClicks(false, false);
    setOpaque(true);
}

void BakedLayer::setImage(SharedImageCache::Handle image)
{
    source = std::move(image);
    scaled = {};
    scaledSize = {};
    repaint();
}

BakedLayer::CopyMethod BakedLayer::copyMethodFor(juce::Point<int> sourceSize, juce::Point<int> target) noexcept
{
    if (target == sourceSize)
        return CopyMethod::source;
    if (target.x > sourceSize.x)
        return CopyMethod::upscale;
    if (target.y <= sourceSize.y)
        return CopyMethod::boxFilter;
    return CopyMethod::mixed;
}

juce::Image BakedLayer::makeCopy(const juce::Image& image, juce::Point<int> target)
{
    switch (copyMethodFor({ image.getWidth(), image.getHeight() }, target))
    {
        case CopyMethod::source:
            return image;
        case CopyMethod::boxFilter:
            return BoxFilter::reduce(image, target.x, target.y);
        case CopyMethod::upscale:
        case CopyMethod::mixed:
            break;
    }
    return image.rescaled(target.x, target.y, juce::Graphics::highResamplingQuality);
}

void BakedLayer::paint(juce::Graphics& g)
{
    g.fillAll(fill);
    if (source == nullptr || source->isNull() || getWidth() <= 0 || getHeight() <= 0)
        return;

    const auto pixelScale = g.getInternalContext().getPhysicalPixelScaleFactor();
    const juce::Point<int> target { juce::jmax(1, juce::roundToInt(getWidth() * pixelScale)),
                                    juce::jmax(1, juce::roundToInt(getHeight() * pixelScale)) };
    const auto area = getLocalBounds().toFloat();

    if (scaled.isValid() && (scaledSize == target || !settled))
    {
        g.setImageResamplingQuality(scaledSize == target ? juce::Graphics::lowResamplingQuality
                                                         : juce::Graphics::mediumResamplingQuality);
        g.drawImage(scaled, area);
        return;
    }

    scaled = makeCopy(*source, target);
    scaledSize = target;
    ++copies;
    g.setImageResamplingQuality(juce::Graphics::lowResamplingQuality);
    g.drawImage(scaled, area);
}

void BakedLayer::resized()
{
    settled = false;
    startTimer(settleMilliseconds);
}

void BakedLayer::timerCallback()
{
    stopTimer();
    settled = true;
    repaint();
}
} // namespace quil::ui
