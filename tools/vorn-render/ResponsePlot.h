#pragma once

#include "ResponseMeasurement.h"

#include <juce_graphics/juce_graphics.h>

/** Draws a measured response as a picture in the plug-in's colours. */
class ResponsePlot
{
public:
    static constexpr int width = 1200;
    static constexpr int height = 600;

    static inline const juce::Colour background { 0xff00293f };
    static inline const juce::Colour wetColour { 0xff42b78a };
    static inline const juce::Colour blendColour { 0xffdfe9e5 };
    static inline const juce::Colour gridColour { 0x33dfe9e5 };
    static inline const juce::Colour textColour { 0xffdfe9e5 };

    static constexpr double minimumDb = -36.0;
    static constexpr double maximumDb = 30.0;

    /** The area of the picture that holds the curves. */
    static juce::Rectangle<float> plotArea();

    static float frequencyToX (double frequency);
    static float decibelsToY (double decibels);

    static juce::Image draw (const std::vector<ResponseMeasurement::Point>& points, double sampleRate, float skimmingPercent);
};
