#include "BandStage.h"

BandStage::BandStage (bool doubledToUse, float baseFrequencyToUse, float valueToUse, float percent)
    : doubled (doubledToUse),
      baseFrequency (baseFrequencyToUse),
      value (valueToUse),
      weight (percent / 100.0f)
{
}

void BandStage::prepare (double sampleRate, int maximumBlockSize)
{
    bank.sampleRate = static_cast<float> (sampleRate);
    applyQTable();
    update (value);
    bank.prepareSections (sampleRate, maximumBlockSize);
}

void BandStage::applyQTable()
{
    struct QRow { float upperBound, q0, q4; };

    // Upper bounds are inclusive; anything above the last row gets the broadest pair.
    static constexpr QRow rows[] { { 6300.0f, 4.5f, 4.5f },
                                   { 6600.0f, 4.0f, 3.7f },
                                   { 6900.0f, 3.5f, 3.1f },
                                   { 7200.0f, 2.5f, 2.3f },
                                   { 7500.0f, 1.5f, 1.3f } };

    float q0 = 1.5f, q4 = 0.1f;

    for (const auto& row : rows)
    {
        if (baseFrequency <= row.upperBound)
        {
            q0 = row.q0;
            q4 = row.q4;
            break;
        }
    }

    bank.sectionQ = { q0, 4.5f, 4.5f, 4.5f, q4, 4.5f, 4.5f, 4.5f };
}

void BandStage::update (float newValue)
{
    auto level = newValue / 8.33f;

    if (doubled)
        level *= 2.0f;

    const auto f = baseFrequency;
    const auto a = weight;
    constexpr auto cap = 20000.0f;

    bank.setSection (0, f, level);
    bank.setSection (1, 0.062f * f < 20.0f ? 1000.0f : 0.062f * f, 0.0f);
    bank.setCappedSection (2, 0.25f * f, 0.333f * level * a, cap, 1000.0f);
    bank.setCappedSection (3, 0.5f * f, -0.333f * level * a, cap, 1000.0f);
    bank.setCappedSection (4, 2.0f * f, 0.33f * level * a, cap, f);
    bank.setCappedSection (5, 4.0f * f, 0.333f * level * a, cap, 1000.0f);
    bank.setCappedSection (6, 8.0f * f, 0.167f * level * a, cap, 1000.0f);
    bank.setSection (7, bank.sectionFrequency[6], 0.0f);

    bank.refreshCoefficients();
}

void BandStage::reset()
{
    bank.reset();
}

void BandStage::process (juce::AudioBuffer<float>& buffer)
{
    bank.process (buffer);
}
