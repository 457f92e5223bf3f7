#pragma once

#include "gui/Background.h"
#include "gui/LookAndFeel.h"

#include <juce_audio_processors/juce_audio_processors.h>

class VornAudioProcessor;

/** Vorn's window: a fixed 430 x 300 panel drawn in Vorn's own look. */
class VornAudioProcessorEditor : public juce::AudioProcessorEditor
{
public:
    VornAudioProcessorEditor (VornAudioProcessor&, juce::AudioProcessorValueTreeState&);
    ~VornAudioProcessorEditor() override;

    void paint (juce::Graphics&) override;
    void resized() override;

private:
    VornAudioProcessor& audioProcessor;
    juce::AudioProcessorValueTreeState& valueTreeState;

    vorn::gui::LookAndFeel lookAndFeel;
    juce::Component content;
    vorn::gui::Background background;
    juce::TooltipWindow tooltipWindow { this, 700 };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VornAudioProcessorEditor)
};
