#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <optional>

namespace vorn::gui
{
/** Draws the knob: shadow, body, knurled rim, groove, turned cap with sheen,
    the 33-tick scale lit up to the proportion, and the glowing pointer. The
    centre (cx, cy) is in the graphics context's coordinates. */
void drawKnobFace (juce::Graphics&, juce::Colour baseColour, bool highlighted, float cx, float cy, float r,
                   float proportion, float startAngle, float endAngle);

/** The rotary control: a slider with a relative drag under a hidden pointer,
    its own wheel steps, a circular hit area and a machined face. */
class Knob : public juce::Slider
{
public:
    /** The centre is in the parent's coordinates; the knob sizes and places
        itself around it. */
    Knob (float centreX, float centreY, float radius);
    ~Knob() override;

    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override;
    bool hitTest (int x, int y) override;
    void paint (juce::Graphics&) override;

    /** The proportion after one drag step between two screen positions:
        up or right raises it, horizontal motion counts half, the full range
        takes 260 px (1600 px when fine). Clamped to [0, 1]. */
    static double proportionAfterDrag (double proportion, juce::Point<float> from, juce::Point<float> to, bool fine);

    /** The proportion after one wheel event: 12 % of the range per unit of
        wheel delta (2 % when fine), never less than the given minimum step.
        Nothing when the wheel did not move. */
    static std::optional<double> proportionAfterWheel (double proportion, const juce::MouseWheelDetails&,
                                                       bool fine, double minimumStep);

private:
    juce::Point<float> localCentre() const;

    float centreX, centreY, radius;
    juce::Point<float> lastDragPosition, dragStartPosition;
    bool dragging = false;

    JUCE_DECLARE_NON_COPYABLE (Knob)
};
} // namespace vorn::gui
