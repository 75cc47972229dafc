#include "BoxFilter.h"

#include <algorithm>
#include <cmath>

namespace quil::ui
{
std::vector<BoxFilter::Span> BoxFilter::spans(int sourceSize, int targetSize)
{
    std::vector<Span> result(static_cast<size_t>(std::max(0, targetSize)));
    if (targetSize <= 0 || sourceSize <= 0)
        return result;

    const auto ratio = static_cast<double>(sourceSize) / targetSize;
    for (int c = 0; c < targetSize; ++c)
    {
        const auto start = c * ratio;
        const auto end = std::min(static_cast<double>(sourceSize), (c + 1) * ratio);
        auto& span = result[static_cast<size_t>(c)];
        span.first = static_cast<int>(std::floor(start));
        const auto last = std::min(sourceSize, static_cast<int>(std::ceil(end)));
        for (int j = span.first; j < last; ++j)
        {
            const auto overlap = std::min(j + 1.0, end) - std::max(static_cast<double>(j), start);
            span.weights.push_back(static_cast<float>(std::max(0.0, overlap) / ratio));
        }
    }
    return result;
}

juce::Image BoxFilter::reduce(const juce::Image& source, int width, int height)
{
    jassert(width <= source.getWidth() && height <= source.getHeight());
    const auto columns = spans(source.getWidth(), width);
    const auto rows = spans(source.getHeight(), height);

    juce::Image target(source.getFormat(), width, height, false);
    const juce::Image::BitmapData in(source, juce::Image::BitmapData::readOnly);
    const juce::Image::BitmapData out(target, juce::Image::BitmapData::writeOnly);
    const auto channels = in.pixelStride;

    // Every source row filtered horizontally, then the rows accumulated with the vertical weights.
    const auto rowLength = static_cast<size_t>(width * channels);
    std::vector<float> filtered(rowLength * static_cast<size_t>(source.getHeight()));
    for (int y = 0; y < source.getHeight(); ++y)
    {
        const auto* line = in.getLinePointer(y);
        auto* dest = filtered.data() + rowLength * static_cast<size_t>(y);
        for (int c = 0; c < width; ++c)
        {
            const auto& span = columns[static_cast<size_t>(c)];
            for (size_t k = 0; k < span.weights.size(); ++k)
            {
                const auto* pixel = line + (span.first + static_cast<int>(k)) * channels;
                for (int ch = 0; ch < channels; ++ch)
                    dest[c * channels + ch] += span.weights[k] * pixel[ch];
            }
        }
    }

    std::vector<float> sum(rowLength);
    for (int r = 0; r < height; ++r)
    {
        std::fill(sum.begin(), sum.end(), 0.0f);
        const auto& span = rows[static_cast<size_t>(r)];
        for (size_t k = 0; k < span.weights.size(); ++k)
        {
            const auto* row = filtered.data() + rowLength * static_cast<size_t>(span.first + static_cast<int>(k));
            for (size_t i = 0; i < rowLength; ++i)
                sum[i] += span.weights[k] * row[i];
        }
        auto* line = out.getLinePointer(r);
        for (size_t i = 0; i < rowLength; ++i)
            line[i] = static_cast<juce::uint8>(juce::jlimit(0, 255, static_cast<int>(sum[i] + 0.5f)));
    }
    return target;
}
} // namespace quil::ui
