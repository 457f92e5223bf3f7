#pragma once

#include "FilterSectionBank.h"

/** A curve stage whose sections sit at fixed multiples of a base frequency:
    the base carries the full level, the multiples weighted shares of it. */
class BandStage
{
public:
    BandStage (bool doubled, float baseFrequency, float value, float percent);

    void prepare (double sampleRate, int maximumBlockSize);
    void reset();
    void update (float value);
    void process (juce::AudioBuffer<float>& buffer);

    const FilterSectionBank& getBank() const noexcept { return bank; }

private:
    void applyQTable();

    bool doubled;
    float baseFrequency;
    float value;
    float weight;
    FilterSectionBank bank;
};
