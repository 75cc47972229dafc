#include "DeltaIcon.h"

namespace zq6::ui
{
namespace
{
constexpr float designSize = 16.0f;
constexpr float strokeWidth = 1.4f;
} // namespace

juce::Path deltaIconPath(juce::Rectangle<float> box)
{
    juce::Path headphones;
    // From 9 o'clock over the top to 3 o'clock.
    headphones.addCentredArc(8.0f, 9.2f, 5.6f, 5.6f, 0.0f, -juce::MathConstants<float>::halfPi,
                             juce::MathConstants<float>::halfPi, true);
    headphones.addRoundedRectangle(1.6f, 9.2f, 3.4f, 4.9f, 1.3f);
    headphones.addRoundedRectangle(11.0f, 9.2f, 3.4f, 4.9f, 1.3f);

    juce::Path outline;
    juce::PathStrokeType(strokeWidth, juce::PathStrokeType::curved, juce::PathStrokeType::rounded)
        .createStrokedPath(outline, headphones);
    outline.applyTransform(juce::AffineTransform::scale(box.getWidth() / designSize, box.getHeight() / designSize)
                               .translated(box.getX(), box.getY()));
    return outline;
}
} // namespace zq6::ui
