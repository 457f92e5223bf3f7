#pragma once

#include "ProcessorTestHelpers.h"
#include "gui/Knob.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace gui_test
{
/** A mouse event from the main mouse source, as the framework would deliver it. */
inline juce::MouseEvent mouseEvent (juce::Component& component, juce::ModifierKeys modifiers, int clicks = 1)
{
    const auto now = juce::Time::getCurrentTime();
    const auto position = component.getLocalBounds().getCentre().toFloat();
    return { juce::Desktop::getInstance().getMainMouseSource(), position, modifiers,
             juce::MouseInputSource::defaultPressure, 0.0f, 0.0f, 0.0f, 0.0f,
             &component, &component, now, position, now, clicks, false };
}

inline const juce::ModifierKeys leftButton { juce::ModifierKeys::leftButtonModifier };
inline const juce::ModifierKeys leftButtonWithShift { juce::ModifierKeys::leftButtonModifier | juce::ModifierKeys::shiftModifier };

/** Counts the change gestures a host sees on one parameter. */
struct GestureCounter : juce::AudioProcessorParameter::Listener
{
    explicit GestureCounter (juce::AudioProcessorParameter& p) : parameter (p) { parameter.addListener (this); }
    ~GestureCounter() override { parameter.removeListener (this); }

    void parameterValueChanged (int, float) override {}
    void parameterGestureChanged (int, bool starting) override { ++(starting ? begins : ends); }

    juce::AudioProcessorParameter& parameter;
    int begins = 0, ends = 0;
};

inline juce::RangedAudioParameter& parameter (VornAudioProcessor& processor, const char* id)
{
    return *processor.parameters.getParameter (id);
}

inline float plainValue (VornAudioProcessor& processor, const char* id)
{
    return processor.parameters.getRawParameterValue (id)->load();
}

/** A knob bound to one of a real processor's parameters, as in the editor. */
struct BoundKnob
{
    BoundKnob (const char* idToUse, float radius) : id (idToUse), knob (120.0f, 176.0f, radius)
    {
        attachment = std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment> (processor.parameters, id, knob);
    }

    ~BoundKnob() { attachment.reset(); }

    const char* id;
    VornAudioProcessor processor;
    vorn::gui::Knob knob;
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> attachment;
    GestureCounter gestures { parameter (processor, id) };
};

inline bool isWarmWhite (juce::Colour c) { return c.getRed() > 190 && c.getGreen() > 180 && c.getBlue() > 130; }
inline bool isMint (juce::Colour c) { return c.getGreen() > 90 && c.getGreen() > c.getRed() + 30; }

/** How many pixels of the area match. */
inline int countPixels (const juce::Image& image, juce::Rectangle<int> area, const std::function<bool (juce::Colour)>& matches)
{
    auto count = 0;
    for (auto y = area.getY(); y < area.getBottom(); ++y)
        for (auto x = area.getX(); x < area.getRight(); ++x)
            count += matches (image.getPixelAt (x, y)) ? 1 : 0;
    return count;
}

/** Whether any pixel within one pixel of p matches: thin lines drawn at
    fractional positions need not cover the pixel a probe rounds to. */
inline bool anyAround (const juce::Image& image, juce::Point<int> p, const std::function<bool (juce::Colour)>& matches)
{
    for (auto dy = -1; dy <= 1; ++dy)
        for (auto dx = -1; dx <= 1; ++dx)
            if (matches (image.getPixelAt (p.x + dx, p.y + dy)))
                return true;
    return false;
}
} // namespace gui_test
