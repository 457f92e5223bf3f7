#pragma once

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_dsp/juce_dsp.h>

#include <array>

/** Eight second-order peak sections in series, for up to two channels. Every
    curve stage owns one bank and fills in its frequencies, Q values and gains;
    the bank turns them into coefficients and runs them.

    The result is, bit for bit, that of running a juce::dsp::IIR::Filter<float>
    per section and channel, one section after the other, with the same
    coefficients: the same single-precision operations in the same order for
    every section and sample, the states snapped to zero at the end of each
    block. Only the order of independent work differs: all eight sections run
    side by side in vector lanes, lane k one sample behind lane k - 1, so a
    sample runs through the bank while the next ones follow it. */
class FilterSectionBank
{
public:
    static constexpr int numSections = 8;

    /** The bank filters at most this many channels; further channels pass
        through untouched. */
    static constexpr int numChannels = 2;

    using Coefficients = juce::dsp::IIR::Coefficients<float>;

    FilterSectionBank();

    /** Clears the state of both channels' sections and enables processing. */
    void prepareSections (double hostSampleRate, int maximumBlockSize);

    /** Rebuilds every section's coefficients from the tables, in place,
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

    /** The two state variables of one section for one channel, as a
        juce::dsp::IIR::Filter<float> keeps them. */
    struct SectionState
    {
        float s1 = 0.0f, s2 = 0.0f;
    };

    SectionState getState (int channel, int section) const noexcept;

    float sampleRate = 0.0f;
    std::array<float, numSections> sectionFrequency {};
    std::array<float, numSections> sectionGainDb {};
    std::array<float, numSections> sectionQ {};

    /** Each section's coefficients, normalised by the framework's own class. */
    std::array<Coefficients::Ptr, numSections> coefficients;

private:
    /** The normalised coefficients, one array per term, lane k for section k. */
    struct Terms
    {
        alignas (16) std::array<float, numSections> b0 {}, b1 {}, b2 {}, a1 {}, a2 {};
    };

    /** One channel's states, lane k for section k. */
    struct ChannelState
    {
        alignas (16) std::array<float, numSections> s1 {}, s2 {};
    };

    void packTerms();

    Terms terms;
    std::array<ChannelState, numChannels> state;
    int preparedChannels = 0;
};
