#include "RedStage.h"

RedStage::RedStage (bool doubledToUse, float keyToUse, float valueToUse, float percent)
    : doubled (doubledToUse),
      key (keyToUse),
      value (valueToUse),
      weight (percent / 100.0f)
{
}

void RedStage::prepare (double sampleRate, int maximumBlockSize)
{
    bank.sampleRate = static_cast<float> (sampleRate);
    applyKeyTable();
    update (value);
    bank.prepareSections (sampleRate, maximumBlockSize);
}

void RedStage::applyKeyTable()
{
    struct KeyRow
    {
        float key, baseFrequency, gainMultiplier;
        std::array<float, FilterSectionBank::numSections> q;
    };

    static const KeyRow rows[] {
        { 4.0f,  52.0f,    1.3f, { 5.6f, 10.0f, 10.0f, 30.0f, 4.5f,  4.5f,  4.5f,  4.5f } },
        { 6.0f,  80.0f,    1.2f, { 2.5f, 0.1f,  0.1f,  0.1f,  16.6f, 0.1f,  0.1f,  19.7f } },
        { 7.0f,  100.0f,   1.4f, { 2.5f, 0.1f,  0.1f,  0.1f,  16.6f, 0.1f,  0.1f,  19.7f } },
        { 29.0f, 12500.0f, 2.6f, { 2.3f, 14.4f, 18.8f, 6.7f,  30.0f, 30.0f, 30.0f, 30.0f } },
    };

    // An unknown key leaves everything at zero, which the bank turns into flat sections.
    baseFrequency = 0.0f;
    gainMultiplier = 0.0f;
    bank.sectionQ = {};

    for (const auto& row : rows)
    {
        if (row.key == key)
        {
            baseFrequency = row.baseFrequency;
            gainMultiplier = row.gainMultiplier;
            bank.sectionQ = row.q;
            break;
        }
    }
}

void RedStage::update (float newValue)
{
    auto level = newValue / 8.33f;

    if (doubled)
        level *= 2.0f;

    const auto x = level;
    const auto a = weight;
    const auto m = gainMultiplier;
    const auto b = baseFrequency;
    constexpr auto cap = 24000.0f;

    // The cuts beside the base deepen once the level passes the threshold.
    const auto threshold = doubled ? 7.2f : 3.6f;
    const auto k = x > threshold ? 2.0f : 1.0f;

    bank.setSection (0, b, x * m);

    if (0.062f * b < 12.0f)
        bank.setSection (1, 1000.0f, 0.0f);
    else
        bank.setSection (1, 0.062f * b, 0.667f * a * x * m);

    bank.setCappedSection (2, 0.25f * b, 0.5f * a * x * m, cap, 1000.0f);
    bank.setCappedSection (3, 0.5f * b, -0.333f * a * x * m * k, cap, 1000.0f);
    bank.setCappedSection (4, 2.0f * b, -0.333f * a * x * m * k, cap, b);
    bank.setCappedSection (5, 4.0f * b, 0.5f * a * x * m, cap, 1000.0f);
    bank.setCappedSection (6, 8.0f * b, 0.0f, cap, 1000.0f);
    bank.setCappedSection (7, 16.0f * b, 0.667f * a * x * m, cap, 1000.0f);

    bank.refreshCoefficients();
}

void RedStage::reset()
{
    bank.reset();
}

void RedStage::process (juce::AudioBuffer<float>& buffer)
{
    bank.process (buffer);
}
