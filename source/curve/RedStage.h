#pragma once

#include "FilterSectionBank.h"

/** The last curve stage: a table row chosen by its key gives the base
    frequency, a gain multiplier and the Q values; multiples above 24 kHz are
    made flat. */
class RedStage
{
public:
    RedStage (bool doubled, float key, float value, float percent);

    void prepare (double sampleRate, int maximumBlockSize);
    void reset();
    void update (float value);
    void process (juce::AudioBuffer<float>& buffer);

    const FilterSectionBank& getBank() const noexcept { return bank; }

private:
    void applyKeyTable();

    bool doubled;
    float key;
    float value;
    float weight;
    float baseFrequency = 0.0f;
    float gainMultiplier = 0.0f;
    FilterSectionBank bank;
};
