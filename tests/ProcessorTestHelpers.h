#pragma once

#include "CurveTestHelpers.h"
#include "processor/VornAudioProcessor.h"

namespace processor_test
{
inline void setPlainValue (VornAudioProcessor& processor, const char* id, float plainValue)
{
    auto* parameter = processor.parameters.getParameter (id);
    parameter->setValueNotifyingHost (parameter->convertTo0to1 (plainValue));
}

inline void setSkimming (VornAudioProcessor& processor, float fraction) { setPlainValue (processor, "DryWetParam", fraction); }
inline void setOutputDb (VornAudioProcessor& processor, float decibels) { setPlainValue (processor, "MasterGainParam", decibels); }

inline void useLayout (VornAudioProcessor& processor, const juce::AudioChannelSet& set)
{
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add (set);
    layout.outputBuses.add (set);
    processor.setBusesLayout (layout);
}

inline juce::AudioBuffer<float> noise (int channels, int samples, int seed, float level = 0.5f)
{
    juce::Random random (seed);
    juce::AudioBuffer<float> buffer (channels, samples);
    for (auto c = 0; c < channels; ++c)
        for (auto i = 0; i < samples; ++i)
            buffer.setSample (c, i, level * (random.nextFloat() * 2.0f - 1.0f));
    return buffer;
}

inline void process (VornAudioProcessor& processor, juce::AudioBuffer<float>& buffer)
{
    juce::MidiBuffer midi;
    processor.processBlock (buffer, midi);
}

/** The wet path built independently of the processor: the five stages, then a
    120 Hz Butterworth high-pass per channel. */
struct ReferenceWetPath
{
    explicit ReferenceWetPath (double rate, int blockSize)
    {
        curve.prepare (rate, blockSize);
        auto coefficients = juce::dsp::IIR::Coefficients<float>::makeHighPass (rate, 120.0f);
        for (auto& filter : highPass)
        {
            filter.coefficients = coefficients;
            filter.prepare ({ rate, static_cast<juce::uint32> (blockSize), 1 });
        }
    }

    void process (juce::AudioBuffer<float>& buffer)
    {
        curve.process (buffer);
        for (auto c = 0; c < juce::jmin (2, buffer.getNumChannels()); ++c)
        {
            juce::dsp::AudioBlock<float> block (buffer);
            auto channel = block.getSingleChannelBlock (static_cast<size_t> (c));
            highPass[static_cast<size_t> (c)].process (juce::dsp::ProcessContextReplacing<float> (channel));
        }
    }

    curve_test::VornCurve curve;
    std::array<juce::dsp::IIR::Filter<float>, 2> highPass;
};
} // namespace processor_test
