#pragma once

#include "gui/Background.h"
#include "gui/ClipLed.h"
#include "gui/HeaderButton.h"
#include "gui/HotSpot.h"
#include "gui/Knob.h"
#include "gui/LookAndFeel.h"
#include "gui/Readout.h"

#include <juce_audio_processors/juce_audio_processors.h>

class VornAudioProcessor;

/** Vorn's window: a fixed 430 x 300 panel drawn in Vorn's own look. */
class VornAudioProcessorEditor : public juce::AudioProcessorEditor,
                                 public juce::Timer
{
public:
    /** What a click on the logo does with the maker's web address. */
    using UrlOpener = std::function<void (const juce::URL&)>;

    VornAudioProcessorEditor (VornAudioProcessor&, juce::AudioProcessorValueTreeState&,
                              UrlOpener openUrl = openInDefaultBrowser);
    ~VornAudioProcessorEditor() override;

    void paint (juce::Graphics&) override;
    void resized() override;

    static void openInDefaultBrowser (const juce::URL&);

private:
    void timerCallback() override;

    void addKnobsAndReadouts();
    void addClipLedAndSlotButtons();
    void addHotSpots (UrlOpener openUrl);
    void showActiveSlot();
    void switchToSlot (int slot);

    VornAudioProcessor& audioProcessor;
    juce::AudioProcessorValueTreeState& valueTreeState;

    vorn::gui::LookAndFeel lookAndFeel;
    juce::Component content;
    vorn::gui::Background background;
    vorn::gui::Knob skimmingKnob { 120.0f, 176.0f, 56.0f };
    vorn::gui::Knob outputKnob { 319.0f, 176.0f, 40.0f };
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> skimmingAttachment;
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> outputAttachment;
    vorn::gui::Readout skimmingReadout { skimmingKnob, vorn::gui::Readout::Unit::percentage };
    vorn::gui::Readout outputReadout { outputKnob, vorn::gui::Readout::Unit::decibels };
    vorn::gui::ClipLed clipLed;
    vorn::gui::HeaderButton buttonA { "A" };
    vorn::gui::HeaderButton buttonB { "B" };
    vorn::gui::HotSpot logoHotSpot;
    vorn::gui::HotSpot versionHotSpot;
    juce::TooltipWindow tooltipWindow { this, 700 };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VornAudioProcessorEditor)
};
