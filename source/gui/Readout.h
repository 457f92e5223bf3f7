#pragma once

#include "SharedFonts.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace vorn::gui
{
/** The value under a knob: a whole percentage or decibels with one decimal,
    in mint on a recessed plate. A double-click opens a field to type a value,
    which goes to the knob, clamped into its range. */
class Readout : public juce::Label
{
public:
    enum class Unit { percentage = 0, decibels = 1 };

    Readout (juce::Slider& slider, Unit unit);
    ~Readout() override;

    /** Shows the slider's current value in its canonical form. */
    void refreshText();

    void paint (juce::Graphics&) override;

    /** "37" for 0.37 as a percentage; "-6.5" for -6.5 dB, and "0.0" for
        anything above -0.05 dB, never "-0.0". */
    static juce::String textForValue (double value, Unit unit);

    /** The slider value that typed text stands for: a decimal comma counts as
        a point, text without a leading number is 0, and the result is clamped
        into [minimum, maximum] (into [0, 1] for a percentage). */
    static double valueForText (const juce::String& text, Unit unit, double minimum, double maximum);

    /** The unit drawn small after the number. */
    static juce::String unitText (Unit unit);

    /** Reports the value with its unit; pressing it opens the field. */
    std::unique_ptr<juce::AccessibilityHandler> createAccessibilityHandler() override;

protected:
    void textWasEdited() override;
    void editorShown (juce::TextEditor*) override;

private:
    void drawPlate (juce::Graphics&, juce::Rectangle<float> bounds) const;
    void drawValueText (juce::Graphics&, juce::Rectangle<float> bounds) const;

    juce::Slider& slider;
    Unit unit;
    juce::SharedResourcePointer<SharedFonts> fonts;

    JUCE_DECLARE_NON_COPYABLE (Readout)
};
} // namespace vorn::gui
