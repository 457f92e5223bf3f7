#include "ResponseMeasurement.h"

#include "ProcessorSetup.h"

#include <juce_dsp/juce_dsp.h>

#include <cmath>

std::vector<float> ResponseMeasurement::impulseSpectrum (double sampleRate, float skimmingPercent, int fftOrder)
{
    constexpr int blockSize = 512;
    const auto fftSize = 1 << fftOrder;

    VornAudioProcessor processor;
    setUpProcessor (processor, 1, sampleRate, blockSize, skimmingPercent, 0.0f);

    std::vector<float> data (static_cast<size_t> (fftSize) * 2, 0.0f);
    data[0] = 1.0f;

    juce::MidiBuffer midi;
    for (auto start = 0; start < fftSize; start += blockSize)
    {
        float* channels[] { data.data() + start };
        juce::AudioBuffer<float> block (channels, 1, juce::jmin (blockSize, fftSize - start));
        processor.processBlock (block, midi);
    }

    juce::dsp::FFT (fftOrder).performFrequencyOnlyForwardTransform (data.data(), true);
    data.resize (static_cast<size_t> (fftSize / 2 + 1));
    return data;
}

std::vector<ResponseMeasurement::Point> ResponseMeasurement::measure (double sampleRate, float skimmingPercent, int numPoints)
{
    // About 0.7 Hz per bin at 48 kHz: fine enough for the narrowest section.
    const auto fftOrder = sampleRate > 100000.0 ? 18 : 16;
    const auto binWidth = sampleRate / (1 << fftOrder);

    const auto wet = impulseSpectrum (sampleRate, 100.0f, fftOrder);
    const auto blended = impulseSpectrum (sampleRate, skimmingPercent, fftOrder);

    const auto magnitudeDb = [&] (const std::vector<float>& spectrum, double frequency)
    {
        const auto bin = juce::jlimit<size_t> (0, spectrum.size() - 1, static_cast<size_t> (std::lround (frequency / binWidth)));
        return juce::Decibels::gainToDecibels (static_cast<double> (spectrum[bin]), -200.0);
    };

    std::vector<Point> points;
    const auto top = juce::jmin (20000.0, sampleRate * 0.5);
    for (auto i = 0; i < numPoints; ++i)
    {
        const auto frequency = 20.0 * std::pow (top / 20.0, i / static_cast<double> (numPoints - 1));
        points.push_back ({ frequency, magnitudeDb (wet, frequency), magnitudeDb (blended, frequency) });
    }

    return points;
}
