#include "FilterSectionBank.h"

#include <cmath>

namespace
{
// Coefficients (b0, b1, b2, a0, a1, a2) of a section that passes audio unchanged.
constexpr std::array<float, 6> flatCoefficients { 1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f };
}

void FilterSectionBank::prepareSections (double hostSampleRate, int maximumBlockSize)
{
    const juce::dsp::ProcessSpec spec { hostSampleRate,
                                        static_cast<juce::uint32> (juce::jmax (0, maximumBlockSize)),
                                        static_cast<juce::uint32> (numChannels) };

    for (auto& section : sections)
        section.prepare (spec);

    preparedChannels = numChannels;
}

bool FilterSectionBank::isUnusableSection (float rate, float frequency, float q, float gainDb)
{
    if (! (std::isfinite (rate) && std::isfinite (frequency) && std::isfinite (q) && std::isfinite (gainDb)))
        return true;

    // Above 95 % of Nyquist the bilinear peak filter loses its stability margin.
    return rate <= 0.0f
        || frequency <= 0.0f
        || frequency >= 0.475f * rate
        || q <= 0.0f
        || gainDb <= -100.0f;
}

void FilterSectionBank::refreshCoefficients()
{
    for (size_t i = 0; i < sections.size(); ++i)
    {
        auto& coefficients = *sections[i].state;

        if (isUnusableSection (sampleRate, sectionFrequency[i], sectionQ[i], sectionGainDb[i]))
        {
            coefficients = flatCoefficients;
            continue;
        }

        coefficients = juce::dsp::IIR::ArrayCoefficients<float>::makePeakFilter (
            static_cast<double> (sampleRate),
            sectionFrequency[i],
            sectionQ[i],
            juce::Decibels::decibelsToGain (sectionGainDb[i]));
    }
}

void FilterSectionBank::setSection (size_t index, float frequency, float gainDb)
{
    sectionFrequency[index] = frequency;
    sectionGainDb[index] = gainDb;
}

void FilterSectionBank::setCappedSection (size_t index, float frequency, float gainDb, float cap, float parkedAt)
{
    if (frequency > cap)
        setSection (index, parkedAt, 0.0f);
    else
        setSection (index, frequency, gainDb);
}

void FilterSectionBank::reset()
{
    for (auto& section : sections)
        section.reset();
}

void FilterSectionBank::process (juce::AudioBuffer<float>& buffer)
{
    const auto channelsToFilter = juce::jmin (buffer.getNumChannels(), preparedChannels);

    if (channelsToFilter == 0 || buffer.getNumSamples() == 0)
        return;

    auto block = juce::dsp::AudioBlock<float> (buffer).getSubsetChannelBlock (0, static_cast<size_t> (channelsToFilter));
    const juce::dsp::ProcessContextReplacing<float> context (block);

    for (auto& section : sections)
        section.process (context);
}
