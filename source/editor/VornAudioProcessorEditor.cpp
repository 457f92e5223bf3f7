#include "VornAudioProcessorEditor.h"

#include "gui/GuiConstants.h"
#include "processor/VornAudioProcessor.h"

VornAudioProcessorEditor::VornAudioProcessorEditor (VornAudioProcessor& processor,
                                                    juce::AudioProcessorValueTreeState& tree)
    : juce::AudioProcessorEditor (processor),
      audioProcessor (processor),
      valueTreeState (tree)
{
    setLookAndFeel (&lookAndFeel);
    setOpaque (true);

    addAndMakeVisible (content);
    content.setBounds (0, 0, 430, 300);

    content.addAndMakeVisible (background);
    background.setBounds (0, 0, 430, 300);

    addKnobsAndReadouts();

    setSize (430, 300);
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

    skimmingKnob.setTooltip ("Skimming: how much of the Vorn curve is applied.\n"
                             "Drag or scroll to adjust, hold Shift for fine control, double-click to reset.");
    outputKnob.setTooltip ("Output level in dB.\n"
                           "Drag or scroll to adjust, hold Shift for fine control, double-click for 0 dB.");

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

VornAudioProcessorEditor::~VornAudioProcessorEditor()
{
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
