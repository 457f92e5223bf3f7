#include "ResponsePlot.h"

#include <cmath>

namespace
{
void drawGrid (juce::Graphics& g, juce::Rectangle<float> area)
{
    g.setFont (15.0f);

    for (auto frequency : { 20.0, 50.0, 100.0, 200.0, 500.0, 1000.0, 2000.0, 5000.0, 10000.0, 20000.0 })
    {
        const auto x = ResponsePlot::frequencyToX (frequency);
        g.setColour (ResponsePlot::gridColour);
        g.drawVerticalLine (juce::roundToInt (x), area.getY(), area.getBottom());

        const auto label = frequency >= 1000.0 ? juce::String (frequency / 1000.0) + "k" : juce::String (frequency);
        g.setColour (ResponsePlot::textColour);
        g.drawText (label, juce::Rectangle<float> (x - 30.0f, area.getBottom() + 6.0f, 60.0f, 18.0f), juce::Justification::centred);
    }

    for (auto decibels = ResponsePlot::minimumDb; decibels <= ResponsePlot::maximumDb; decibels += 6.0)
    {
        const auto y = ResponsePlot::decibelsToY (decibels);
        g.setColour (decibels == 0.0 ? ResponsePlot::textColour.withAlpha (0.5f) : ResponsePlot::gridColour);
        g.drawHorizontalLine (juce::roundToInt (y), area.getX(), area.getRight());

        g.setColour (ResponsePlot::textColour);
        g.drawText ((decibels > 0.0 ? "+" : "") + juce::String (static_cast<int> (decibels)),
                    juce::Rectangle<float> (area.getX() - 58.0f, y - 9.0f, 50.0f, 18.0f), juce::Justification::centredRight);
    }

    g.setColour (ResponsePlot::textColour);
    g.drawText ("Hz", juce::Rectangle<float> (area.getRight() - 40.0f, area.getBottom() + 26.0f, 40.0f, 18.0f), juce::Justification::centredRight);
    g.drawText ("dB", juce::Rectangle<float> (area.getX() - 58.0f, area.getY() - 30.0f, 50.0f, 18.0f), juce::Justification::centredRight);
}

void drawCurve (juce::Graphics& g, const std::vector<ResponseMeasurement::Point>& points,
                double ResponseMeasurement::Point::* member, juce::Colour colour, float thickness)
{
    juce::Path path;

    for (const auto& point : points)
    {
        const auto x = ResponsePlot::frequencyToX (point.frequency);
        const auto y = ResponsePlot::decibelsToY (juce::jlimit (ResponsePlot::minimumDb - 6.0, ResponsePlot::maximumDb + 6.0, point.*member));

        if (&point == &points.front())
            path.startNewSubPath (x, y);
        else
            path.lineTo (x, y);
    }

    g.setColour (colour);
    g.strokePath (path, juce::PathStrokeType (thickness, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
}

void drawLegend (juce::Graphics& g, juce::Rectangle<float> area, float skimmingPercent)
{
    auto row = juce::Rectangle<float> (area.getX() + 16.0f, area.getY() + 14.0f, 300.0f, 20.0f);
    g.setFont (16.0f);

    const auto entry = [&] (juce::Colour colour, const juce::String& text)
    {
        g.setColour (colour);
        g.fillRect (row.withWidth (26.0f).withSizeKeepingCentre (26.0f, 3.0f));
        g.setColour (ResponsePlot::textColour);
        g.drawText (text, row.withTrimmedLeft (36.0f), juce::Justification::centredLeft);
        row.translate (0.0f, 24.0f);
    };

    entry (ResponsePlot::wetColour, "Wet path (curve + 120 Hz high-pass)");
    if (skimmingPercent < 100.0f)
        entry (ResponsePlot::blendColour, "Output at Skimming " + juce::String (juce::roundToInt (skimmingPercent)) + " %");
}
} // namespace

juce::Rectangle<float> ResponsePlot::plotArea()
{
    return { 80.0f, 60.0f, static_cast<float> (width) - 120.0f, static_cast<float> (height) - 130.0f };
}

float ResponsePlot::frequencyToX (double frequency)
{
    const auto area = plotArea();
    const auto proportion = std::log (frequency / 20.0) / std::log (1000.0);
    return area.getX() + static_cast<float> (proportion) * area.getWidth();
}

float ResponsePlot::decibelsToY (double decibels)
{
    const auto area = plotArea();
    const auto proportion = (decibels - minimumDb) / (maximumDb - minimumDb);
    return area.getBottom() - static_cast<float> (proportion) * area.getHeight();
}

juce::Image ResponsePlot::draw (const std::vector<ResponseMeasurement::Point>& points, double sampleRate, float skimmingPercent)
{
    juce::Image image (juce::Image::ARGB, width, height, true);
    juce::Graphics g (image);
    const auto area = plotArea();

    g.fillAll (background);
    g.setColour (background.brighter (0.15f));
    g.fillRect (area);

    g.setColour (textColour);
    g.setFont (22.0f);
    g.drawText ("Vorn " VORN_VERSION_STRING " magnitude response at " + juce::String (sampleRate / 1000.0) + " kHz",
                juce::Rectangle<float> (area.getX(), 14.0f, area.getWidth(), 30.0f), juce::Justification::centredLeft);

    drawGrid (g, area);

    g.saveState();
    g.reduceClipRegion (area.toNearestInt());
    if (skimmingPercent < 100.0f)
        drawCurve (g, points, &ResponseMeasurement::Point::blendedDb, blendColour, 2.0f);
    drawCurve (g, points, &ResponseMeasurement::Point::wetDb, wetColour, 3.0f);
    g.restoreState();

    drawLegend (g, area, skimmingPercent);
    return image;
}
