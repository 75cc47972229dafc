#include "SoftMask.h"

#include <vector>

SoftMask::SoftMask(const juce::Path& path, float radius, bool inverted)
{
    const auto margin = static_cast<int>(std::ceil(radius * 3.0f)) + 2;
    const auto area = path.getBounds().getSmallestIntegerContainer().expanded(margin);
    topLeft = area.getPosition();
    mask = juce::Image(juce::Image::SingleChannel, juce::jmax(1, area.getWidth()), juce::jmax(1, area.getHeight()),
                       true);
    {
        juce::Graphics g(mask);
        g.setColour(juce::Colours::white);
        auto local = path;
        local.applyTransform(juce::AffineTransform::translation(-static_cast<float>(topLeft.x),
                                                                -static_cast<float>(topLeft.y)));
        if (inverted)
        {
            local.addRectangle(mask.getBounds().toFloat().expanded(1.0f));
            local.setUsingNonZeroWinding(false);
        }
        g.fillPath(local);
    }
    blur(mask, juce::roundToInt(radius / 1.7f));
}

void SoftMask::boxPass(juce::uint8* data, int count, int stride, int radius, std::vector<int>& scratch)
{
    scratch.assign(static_cast<size_t>(count), 0);
    for (int i = 0; i < count; ++i)
        scratch[static_cast<size_t>(i)] = data[i * stride];

    const auto window = 2 * radius + 1;
    const auto at = [&](int i) { return scratch[static_cast<size_t>(juce::jlimit(0, count - 1, i))]; };
    int sum = 0;
    for (int i = -radius; i <= radius; ++i)
        sum += at(i);
    for (int i = 0; i < count; ++i)
    {
        data[i * stride] = static_cast<juce::uint8>((sum + window / 2) / window);
        sum += at(i + radius + 1) - at(i - radius);
    }
}

void SoftMask::blur(juce::Image& image, int radius)
{
    if (radius < 1)
        return;
    const juce::Image::BitmapData bits(image, juce::Image::BitmapData::readWrite);
    std::vector<int> scratch;
    for (int pass = 0; pass < 3; ++pass)
    {
        for (int y = 0; y < bits.height; ++y)
            boxPass(bits.getLinePointer(y), bits.width, bits.pixelStride, radius, scratch);
        for (int x = 0; x < bits.width; ++x)
            boxPass(bits.getPixelPointer(x, 0), bits.height, bits.lineStride, radius, scratch);
    }
}
