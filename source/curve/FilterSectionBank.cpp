#include "FilterSectionBank.h"

#include "SectionPipeline.h"

#include <cmath>

namespace
{
// Coefficients (b0, b1, b2, a0, a1, a2) of a section that passes audio unchanged.
constexpr std::array<float, 6> flatCoefficients { 1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f };
}

FilterSectionBank::FilterSectionBank()
{
    for (auto& c : coefficients)
        c = new Coefficients (1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f);

    packTerms();
}

void FilterSectionBank::prepareSections (double, int)
{
    reset();
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
    for (size_t i = 0; i < coefficients.size(); ++i)
    {
        auto& section = *coefficients[i];

        if (isUnusableSection (sampleRate, sectionFrequency[i], sectionQ[i], sectionGainDb[i]))
            section = flatCoefficients;
        else
            section = juce::dsp::IIR::ArrayCoefficients<float>::makePeakFilter (
                static_cast<double> (sampleRate),
                sectionFrequency[i],
                sectionQ[i],
                juce::Decibels::decibelsToGain (sectionGainDb[i]));
    }

    packTerms();
}

void FilterSectionBank::packTerms()
{
    for (size_t i = 0; i < coefficients.size(); ++i)
    {
        // b0, b1, b2, a1, a2, already divided by a0.
        const auto* raw = coefficients[i]->getRawCoefficients();
        terms.b0[i] = raw[0];
        terms.b1[i] = raw[1];
        terms.b2[i] = raw[2];
        terms.a1[i] = raw[3];
        terms.a2[i] = raw[4];
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
    for (auto& channel : state)
        channel = {};
}

FilterSectionBank::SectionState FilterSectionBank::getState (int channel, int section) const noexcept
{
    const auto& s = state[static_cast<size_t> (channel)];
    return { s.s1[static_cast<size_t> (section)], s.s2[static_cast<size_t> (section)] };
}

void FilterSectionBank::process (juce::AudioBuffer<float>& buffer)
{
    const auto channelsToFilter = juce::jmin (buffer.getNumChannels(), preparedChannels);
    const auto numSamples = buffer.getNumSamples();

    if (channelsToFilter == 0 || numSamples == 0)
        return;

    const SectionPipeline::Terms pipelineTerms { terms.b0.data(), terms.b1.data(), terms.b2.data(), terms.a1.data(), terms.a2.data() };

    if (channelsToFilter == 2)
        SectionPipeline::processStereo (pipelineTerms,
                                        { buffer.getWritePointer (0), state[0].s1.data(), state[0].s2.data() },
                                        { buffer.getWritePointer (1), state[1].s1.data(), state[1].s2.data() },
                                        numSamples);
    else
        SectionPipeline::processMono (pipelineTerms, { buffer.getWritePointer (0), state[0].s1.data(), state[0].s2.data() }, numSamples);

    // As the framework's filter does at the end of every block.
    for (auto channel = 0; channel < channelsToFilter; ++channel)
        for (size_t i = 0; i < numSections; ++i)
        {
            juce::dsp::util::snapToZero (state[static_cast<size_t> (channel)].s1[i]);
            juce::dsp::util::snapToZero (state[static_cast<size_t> (channel)].s2[i]);
        }
}
