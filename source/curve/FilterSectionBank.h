#pragma once

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_dsp/juce_dsp.h>

#include <array>

/** Eight second-order peak sections in series, each shared by one filter per
    channel. Every curve stage owns one bank and fills in its frequencies, Q
    values and gains; the bank turns them into coefficients and runs them. */
class FilterSectionBank
{
public:
    static constexpr int numSections = 8;

    /** Each section filters at most this many channels; further channels pass
        through untouched. */
    static constexpr int numChannels = 2;

    using Section = juce::dsp::ProcessorDuplicator<juce::dsp::IIR::Filter<float>,
                                                   juce::dsp::IIR::Coefficients<float>>;

    FilterSectionBank() = default;

    /** Creates two filters per section with cleared state. */
    void prepareSections (double hostSampleRate, int maximumBlockSize);

    /** Rebuilds every section's shared coefficients from the tables, in place,
        without clearing the filters' state. */
    void refreshCoefficients();

    void reset();

    void setSection (size_t index, float frequency, float gainDb);

    /** Places a section at the frequency, unless that lies strictly above the
        cap: then the section is parked flat at the given frequency. */
    void setCappedSection (size_t index, float frequency, float gainDb, float cap, float parkedAt);

    /** Filters the buffer in place; leaves it unchanged until prepared. */
    void process (juce::AudioBuffer<float>& buffer);

    /** True when a section with these settings would not be a stable, usable
        peak filter at this rate; such a section is made flat instead. */
    static bool isUnusableSection (float sampleRate, float frequency, float q, float gainDb);

    float sampleRate = 0.0f;
    std::array<float, numSections> sectionFrequency {};
    std::array<float, numSections> sectionGainDb {};
    std::array<float, numSections> sectionQ {};
    std::array<Section, numSections> sections;

private:
    int preparedChannels = 0;
};
