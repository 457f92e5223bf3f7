#pragma once

#include <juce_graphics/juce_graphics.h>

/** Vorn's editor as a host would show it, drawn off screen: a real processor
    with the given settings, its real editor, its timers run once. */
struct EditorScreenshot
{
    struct Settings
    {
        float skimmingPercent = 0.0f;
        float outputDb = 0.0f;
        int activeSlot = 0;
        bool clipped = false;
        int scale = 1;
    };

    /** 430 x 300 pixels times the scale, drawn at that scale. */
    static juce::Image take (const Settings&);
};
