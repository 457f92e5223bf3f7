#pragma once

#include "curve/BandStage.h"
#include "curve/BlueStage.h"
#include "curve/RedStage.h"

#include <cmath>

namespace curve_test
{
/** The five stages as the processor builds them, in processing order. */
struct VornCurve
{
    BandStage band1 { true, 177.0f, -58.0f, 28.0f };
    BandStage band2 { false, 20000.0f, 100.0f, 52.0f };
    BandStage band3 { false, 8304.0f, 37.0f, 100.0f };
    BlueStage blue { true, 15.0f, 72.0f, 72.0f };
    RedStage red { false, 29.0f, 51.0f, 68.0f };

    void prepare (double rate, int blockSize)
    {
        band1.prepare (rate, blockSize);
        band2.prepare (rate, blockSize);
        band3.prepare (rate, blockSize);
        blue.prepare (rate, blockSize);
        red.prepare (rate, blockSize);
    }

    void process (juce::AudioBuffer<float>& buffer)
    {
        band1.process (buffer);
        band2.process (buffer);
        band3.process (buffer);
        blue.process (buffer);
        red.process (buffer);
    }

    std::array<const FilterSectionBank*, 5> banks() const
    {
        return { &band1.getBank(), &band2.getBank(), &band3.getBank(), &blue.getBank(), &red.getBank() };
    }
};

/** Magnitude in dB of a bank's eight sections in series, from the coefficients
    the sections really hold. */
inline double bankMagnitudeDb (const FilterSectionBank& bank, double frequency, double rate)
{
    double magnitude = 1.0;

    for (const auto& section : bank.coefficients)
        magnitude *= section->getMagnitudeForFrequency (frequency, rate);

    return 20.0 * std::log10 (magnitude);
}
} // namespace curve_test
