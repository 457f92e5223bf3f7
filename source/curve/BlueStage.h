#pragma once

#include "FilterSectionBank.h"

/** The fourth curve stage: a table row chosen by its key gives the base
    frequency and the Q values; the sections sit at fixed multiples of the base
    and anything above 20 kHz is parked flat. */
class BlueStage
{
public:
    BlueStage (bool doubled, float key, float value, float percent);

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
    FilterSectionBank bank;
};
