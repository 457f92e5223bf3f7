#pragma once

#include <juce_core/juce_core.h>

#include <vector>

/** The magnitude response of the processor itself: an impulse through
    processBlock and an FFT of what comes out. */
class ResponseMeasurement
{
public:
    struct Point
    {
        double frequency, wetDb, blendedDb;
    };

    /** Log-spaced points from 20 Hz to 20 kHz of the wet path (Skimming 100 %)
        and of the blend at the given Skimming. */
    static std::vector<Point> measure (double sampleRate, float skimmingPercent, int numPoints = 240);

    /** The magnitude spectrum (linear) of the processor's impulse response. */
    static std::vector<float> impulseSpectrum (double sampleRate, float skimmingPercent, int fftOrder);
};
