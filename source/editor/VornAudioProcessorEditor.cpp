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

    setSize (430, 300);
}

VornAudioProcessorEditor::~VornAudioProcessorEditor()
{
    // The look-and-feel is a member: no component may still point at it when
    // the members go.
    setLookAndFeel (nullptr);
}

void VornAudioProcessorEditor::paint (juce::Graphics& g)
{
    g.fillAll (vorn::gui::backgroundColour);
}

void VornAudioProcessorEditor::resized() {}
