#pragma once

#include "processor/VornAudioProcessor.h"

/** Sets a processor up as a host would before playback: layout and
    parameters first, then preparation, so audio starts without a glide. */
inline void setUpProcessor (VornAudioProcessor& processor, int numChannels, double sampleRate, int blockSize,
                            float skimmingPercent, float outputDb)
{
    const auto set = numChannels == 1 ? juce::AudioChannelSet::mono() : juce::AudioChannelSet::stereo();
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add (set);
    layout.outputBuses.add (set);
    processor.setBusesLayout (layout);

    // Through the parameters themselves, so values snap exactly as in a host.
    const auto setPlain = [&] (const char* id, float plainValue)
    {
        auto* parameter = processor.parameters.getParameter (id);
        parameter->setValueNotifyingHost (parameter->convertTo0to1 (plainValue));
    };

    setPlain ("DryWetParam", skimmingPercent / 100.0f);
    setPlain ("MasterGainParam", outputDb);
    processor.prepareToPlay (sampleRate, blockSize);
}
