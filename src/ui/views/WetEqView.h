#pragma once

#include "../../../plugin-common/ParameterWatch.h"
#include "../controls/FineDrag.h"
#include "../controls/GlassButton.h"
#include "../shell/UiContext.h"
#include "WetEqGeometry.h"
#include "WetEqSettings.h"
#include "WetEqValueField.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <memory>

namespace zq6::ui
{
// The Stage panel's EQ page: the summed response of the Wet EQ (low cut, four bands, low-pass)
// over a logarithmic frequency axis, with points to drag for frequency and gain, the wheel for Q,
// fields to type values into, and a button that switches the selected band's shape.
class WetEqView : public juce::Component, private juce::Timer
{
public:
    static constexpr int lowCutPoint = 0;
    static constexpr int lowPassPoint = 5;
    static constexpr int noPoint = -1;
    static constexpr int wheelGestureMs = 400;
    enum Field
    {
        frequencyField,
        gainField,
        qField,
        fieldCount
    };

    WetEqView(const UiContext& context, juce::AudioProcessorValueTreeState& parameters);
    ~WetEqView() override;

    // The rate the reverb runs at; the curve is the response at this rate.
    void setSampleRate(double rate);
    double getSampleRate() const noexcept { return sampleRate; }
    // Follows the host's rate: the reverb runs at it divided down to 44.1 or 48 kHz.
    void followHostRate(double hostRate);

    // 1..4 for the bands, 5 for the low-pass.
    void setSelected(int point);
    int getSelected() const noexcept { return selected; }

    // Re-reads the parameters and rebuilds the curve, the label and the place of the controls.
    void recompute();

    const WetEqGeometry& getGeometry() const noexcept { return geometry; }
    const WetEqSettings& getSettings() const noexcept { return settings; }
    const juce::Path& getCurve() const noexcept { return curve; }
    const juce::String& getLabel() const noexcept { return label; }
    juce::Point<float> pointPosition(int point) const;
    // The point nearest to `position` within reach, or noPoint.
    int pointAt(juce::Point<float> position) const;
    GlassButton& getShapeButton() noexcept { return shapeButton; }
    WetEqValueField& getField(Field field) noexcept { return *fields[static_cast<size_t>(field)]; }

    void mouseDown(const juce::MouseEvent& event) override;
    void mouseDrag(const juce::MouseEvent& event) override;
    void mouseUp(const juce::MouseEvent& event) override;
    void mouseDoubleClick(const juce::MouseEvent& event) override;
    void mouseWheelMove(const juce::MouseEvent& event, const juce::MouseWheelDetails& wheel) override;
    bool keyPressed(const juce::KeyPress& key) override;
    void visibilityChanged() override;
    void parentHierarchyChanged() override;
    void paint(juce::Graphics& g) override;
    void resized() override;

    // What a screen reader finds for one point: its name, and its frequency as a value that can be set.
    class NodeAccess : public juce::Component
    {
    public:
        NodeAccess(WetEqView& view, int point);

        int getPoint() const noexcept { return point; }
        std::unique_ptr<juce::AccessibilityHandler> createAccessibilityHandler() override;

    private:
        class Value;

        WetEqView& view;
        const int point;
    };

    NodeAccess& getNodeAccess(int point) noexcept { return *nodes[static_cast<size_t>(point - 1)]; }

private:
    struct BandAttachments
    {
        std::unique_ptr<juce::ParameterAttachment> type, frequency, gain, q;
    };

    void timerCallback() override { endWheelGesture(); }

    void addControls();
    void attachParameters();

    juce::RangedAudioParameter& parameter(const char* id) const;
    void attach(std::unique_ptr<juce::ParameterAttachment>& attachment, const char* id);
    juce::ParameterAttachment& frequencyAttachment(int point) const;
    juce::RangedAudioParameter& frequencyParameter(int point) const;
    juce::RangedAudioParameter& fieldParameter(Field field) const;
    juce::ParameterAttachment& fieldAttachment(Field field) const;
    static bool isBand(int point) noexcept { return point >= 1 && point < lowPassPoint; }

    void readParameters();
    void buildCurve();
    void placeControls();
    // Returns where the row goes on.
    float placeShapeButton(float x);
    void placeFields(float x);
    juce::String pointName(int point) const;
    juce::String shapeName(int band) const;
    juce::String fieldText(Field field) const;
    quil::ui::DoubleClickValueEntry::Callbacks fieldCallbacks(Field field);

    // The point under a press of any button but the right one.
    int pointPressed(const juce::MouseEvent& event) const;
    void moveDraggedPoint(juce::Point<float> position);
    void endDrag();
    void stepQ(bool up);
    void endWheelGesture();
    void switchShape();
    void discardEntries();
    int openField() const;

    void showPopup(int point);
    void placePopup(int point);
    void hidePopup();

    void paintGrid(juce::Graphics& g, float line) const;
    void paintAxisLabels(juce::Graphics& g) const;
    void paintPoints(juce::Graphics& g) const;

    const UiContext& context;
    juce::AudioProcessorValueTreeState& parameters;

    WetEqSettings settings;
    WetEqGeometry geometry;
    double sampleRate = 48000.0;
    int selected = 2;

    int dragPoint = noPoint;
    bool dragStarted = false;
    FineDrag fine;
    int wheelBand = noPoint;

    juce::Path curve, fill;
    juce::String label;
    juce::Rectangle<float> labelArea;

    GlassButton shapeButton;
    std::array<std::unique_ptr<WetEqValueField>, fieldCount> fields;
    std::array<std::unique_ptr<NodeAccess>, lowPassPoint> nodes;

    std::array<BandAttachments, WetEqSettings::bandCount> bands;
    std::unique_ptr<juce::ParameterAttachment> lowPass, lowCut;
    // Last, so it stops calling before anything it redraws goes.
    quil::ParameterWatch watch;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(WetEqView)
};
} // namespace zq6::ui
