#include "BlueStage.h"

BlueStage::BlueStage (bool doubledToUse, float keyToUse, float valueToUse, float percent)
    : doubled (doubledToUse),
      key (keyToUse),
      value (valueToUse),
      weight (percent / 100.0f)
{
}

void BlueStage::prepare (double sampleRate, int maximumBlockSize)
{
    bank.sampleRate = static_cast<float> (sampleRate);
    applyKeyTable();
    update (value);
    bank.prepareSections (sampleRate, maximumBlockSize);
}

void BlueStage::applyKeyTable()
{
    struct KeyRow
    {
        float key, baseFrequency;
        std::array<float, FilterSectionBank::numSections> q;
    };

    static const KeyRow rows[] {
        { 5.0f,  520.0f,   { 1.0f, 11.0f, 3.3f, 4.5f, 3.9f, 30.0f, 30.0f, 6.9f } },
        { 6.0f,  1030.0f,  { 1.0f, 1.0f,  3.3f, 4.5f, 3.9f, 30.0f, 30.0f, 6.9f } },
        { 11.0f, 6300.0f,  { 1.0f, 1.7f,  1.2f, 2.0f, 1.9f, 0.1f,  30.0f, 0.1f } },
        { 13.0f, 10300.0f, { 1.0f, 0.9f,  1.2f, 2.0f, 1.9f, 0.1f,  4.5f,  0.1f } },
        { 14.0f, 12000.0f, { 1.0f, 0.9f,  1.2f, 2.0f, 1.9f, 0.1f,  4.5f,  0.1f } },
        { 15.0f, 16380.0f, { 1.0f, 0.9f,  1.2f, 2.0f, 1.9f, 0.1f,  4.5f,  0.1f } },
    };

    // An unknown key leaves base frequency and Q at zero, which the bank turns
    // into flat sections.
    baseFrequency = 0.0f;
    bank.sectionQ = {};

    for (const auto& row : rows)
    {
        if (row.key == key)
        {
            baseFrequency = row.baseFrequency;
            bank.sectionQ = row.q;
            break;
        }
    }
}

void BlueStage::update (float newValue)
{
    auto level = newValue / 8.33f;

    if (doubled)
        level *= 2.0f;

    const auto x = level;
    const auto a = weight;
    const auto b = baseFrequency;
    constexpr auto cap = 20000.0f;

    // Sections 1 and 7 limit the level they follow: to 9 dB when doubled, else 4.5 dB.
    const auto levelLimit = doubled ? 9.0f : 4.5f;
    const auto overLimit = x > levelLimit;

    float section1Gain = 0.0f;
    if (! (0.0638f * b < 12.0f))
        section1Gain = doubled ? (overLimit ? 4.5f * a : 0.5f * a * x)
                               : (overLimit ? 0.5f * a * 4.5f : 0.5f * a * x);

    const auto section5Share = (key > 5.0f && key < 9.0f) ? 0.8f : 0.375f;

    float section6Frequency, section6Gain;
    if (b > 8000.0f)
    {
        section6Frequency = 0.015625f * b;
        section6Gain = 0.5f * a * x;
    }
    else if (b < 129.0f)
    {
        section6Frequency = 128.0f * b;
        section6Gain = 0.5f * a * x;
    }
    else
    {
        section6Frequency = 3.0f * b;
        section6Gain = (key > 5.0f && key < 11.0f) ? 0.8f * a * x : 0.0f;
    }

    const auto section7Factor = doubled ? (overLimit ? 1.5f : 0.375f)
                                        : (overLimit ? 0.75f : 0.375f);

    bank.setSection (0, b, x);
    bank.setSection (1, 0.0638f * b, section1Gain);
    bank.setCappedSection (2, 0.257f * b, 0.375f * a * x, cap, cap);
    bank.setCappedSection (3, 0.515f * b, -0.375f * a * x, cap, cap);
    bank.setCappedSection (4, 2.0f * b, -0.25f * a * x, cap, cap);
    bank.setCappedSection (5, 4.0f * b, section5Share * a * x, cap, cap);
    bank.setSection (6, section6Frequency, section6Gain);
    bank.setCappedSection (7, 16.0f * b, x * a * section7Factor, cap, cap);

    bank.refreshCoefficients();
}

void BlueStage::reset()
{
    bank.reset();
}

void BlueStage::process (juce::AudioBuffer<float>& buffer)
{
    bank.process (buffer);
}
