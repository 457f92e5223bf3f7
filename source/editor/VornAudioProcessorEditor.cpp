#include "VornAudioProcessorEditor.h"

#include "gui/GuiConstants.h"
#include "processor/VornAudioProcessor.h"

namespace
{
const juce::String webSiteHost (VORN_WEBSITE_HOST);
const juce::String webSiteUrl ("https://" + webSiteHost);
} // namespace

VornAudioProcessorEditor::VornAudioProcessorEditor (VornAudioProcessor& processor,
                                                    juce::AudioProcessorValueTreeState& tree,
                                                    UrlOpener openUrl)
    : juce::AudioProcessorEditor (processor),
      audioProcessor (processor),
      valueTreeState (tree),
      clipLed (processor.clipFlag)
{
    setLookAndFeel (&lookAndFeel);
    setOpaque (true);
    setTitle ("Vorn");

    addAndMakeVisible (content);
    content.setBounds (0, 0, 430, 300);

    content.addAndMakeVisible (background);
    background.setBounds (0, 0, 430, 300);

    addKnobsAndReadouts();
    addClipLedAndSlotButtons();
    addHotSpots (std::move (openUrl));

    setSize (430, 300);
    startTimerHz (10);
}

void VornAudioProcessorEditor::addKnobsAndReadouts()
{
    using Attachment = juce::AudioProcessorValueTreeState::SliderAttachment;

    content.addAndMakeVisible (skimmingKnob);
    content.addAndMakeVisible (outputKnob);

    // From here on each knob and its parameter follow each other, and the
    // knob has the parameter's range.
    skimmingAttachment = std::make_unique<Attachment> (valueTreeState, "DryWetParam", skimmingKnob);
    outputAttachment = std::make_unique<Attachment> (valueTreeState, "MasterGainParam", outputKnob);

    for (auto* knob : { &skimmingKnob, &outputKnob })
        knob->setDoubleClickReturnValue (true, 0.0, juce::ModifierKeys::altModifier);

    // What a screen reader says: the parameter's name and its text with the unit.
    skimmingKnob.setTitle ("Skimming");
    skimmingKnob.setTextValueSuffix (" %");
    outputKnob.setTitle ("Output");
    outputKnob.setTextValueSuffix (" dB");

    skimmingKnob.setTooltip ("Skimming: how much of the Vorn curve is applied.\n"
                             "Drag or scroll to adjust, hold Shift for fine control, double-click to reset.");
    outputKnob.setTooltip ("Output level in dB.\n"
                           "Drag or scroll to adjust, hold Shift for fine control, double-click for 0 dB.");

    skimmingReadout.setTitle ("Skimming value");
    outputReadout.setTitle ("Output value");
    content.addAndMakeVisible (skimmingReadout);
    skimmingReadout.setBounds (vorn::gui::skimmingReadoutBounds);
    content.addAndMakeVisible (outputReadout);
    outputReadout.setBounds (vorn::gui::outputReadoutBounds);

    skimmingKnob.onValueChange = [this] { skimmingReadout.refreshText(); };
    outputKnob.onValueChange = [this] { outputReadout.refreshText(); };

    // The read-outs were made before the attachments gave the knobs their values.
    skimmingReadout.refreshText();
    outputReadout.refreshText();
}

void VornAudioProcessorEditor::addClipLedAndSlotButtons()
{
    content.addAndMakeVisible (clipLed);
    clipLed.setBounds (vorn::gui::clipLedBounds);
    clipLed.setTitle ("Clip lamp");

    // The buttons mirror the processor's active slot, never their click history.
    content.addAndMakeVisible (buttonA);
    buttonA.setClickingTogglesState (false);
    content.addAndMakeVisible (buttonB);
    buttonB.setClickingTogglesState (false);
    buttonA.setBounds (vorn::gui::buttonABounds);
    buttonB.setBounds (vorn::gui::buttonBBounds);

    buttonA.setTitle ("Setting A");
    buttonB.setTitle ("Setting B");
    buttonA.setTooltip ("Setting A. Switch between A and B to compare two settings.");
    buttonB.setTooltip ("Setting B. Switch between A and B to compare two settings.");

    buttonA.onClick = [this] { switchToSlot (0); };
    buttonB.onClick = [this] { switchToSlot (1); };

    showActiveSlot();
}

void VornAudioProcessorEditor::addHotSpots (UrlOpener openUrl)
{
    content.addAndMakeVisible (logoHotSpot);
    logoHotSpot.setBounds (vorn::gui::logoBounds);
    logoHotSpot.setMouseCursor (juce::MouseCursor::PointingHandCursor);
    logoHotSpot.setTooltip (webSiteHost);
    logoHotSpot.onClick = [openUrl] { openUrl (juce::URL (webSiteUrl)); };
    logoHotSpot.setTitle ("OKU Laboratories web site");
    logoHotSpot.setDescription (webSiteUrl);
    logoHotSpot.invalidateAccessibilityHandler();

    // Resting on the product caption shows the version; a click there does nothing.
    content.addAndMakeVisible (versionHotSpot);
    versionHotSpot.setBounds (vorn::gui::versionBounds);
    versionHotSpot.setTooltip ("OKU Laboratories Vorn v" VORN_VERSION_STRING);
}

void VornAudioProcessorEditor::openInDefaultBrowser (const juce::URL& url)
{
    url.launchInDefaultBrowser();
}

void VornAudioProcessorEditor::showActiveSlot()
{
    const auto slot = audioProcessor.getActiveSlot();
    buttonA.setToggleState (slot == 0, juce::dontSendNotification);
    buttonB.setToggleState (slot == 1, juce::dontSendNotification);
}

void VornAudioProcessorEditor::switchToSlot (int slot)
{
    audioProcessor.switchToSlot (slot);
    showActiveSlot();
}

// Follows slot changes that do not come through the buttons, such as a host
// restoring a state saved with the other slot active.
void VornAudioProcessorEditor::timerCallback()
{
    showActiveSlot();
}

VornAudioProcessorEditor::~VornAudioProcessorEditor()
{
    stopTimer();
    // No attachment may outlive its knob, nor act on one half torn down.
    skimmingAttachment.reset();
    outputAttachment.reset();

    // The look-and-feel is a member: no component may still point at it when
    // the members go.
    setLookAndFeel (nullptr);
}

void VornAudioProcessorEditor::paint (juce::Graphics& g)
{
    g.fillAll (vorn::gui::backgroundColour);
}

void VornAudioProcessorEditor::resized() {}
