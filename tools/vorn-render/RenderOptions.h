#pragma once

#include <juce_core/juce_core.h>

#include <optional>
#include <variant>

/** What the command line asks vorn-render to do. */
struct RenderOptions
{
    enum class Mode { render, plot, response, screenshot, help, version };

    Mode mode = Mode::render;
    juce::File input, output;
    float skimmingPercent = 100.0f;
    float outputDb = 0.0f;
    int blockSize = 512;
    std::optional<int> bits;
    double rate = 48000.0;

    // --screenshot only: the editor's state and the picture's scale.
    int activeSlot = 0;
    bool clipped = false;
    int scale = 1;

    /** Parses the arguments (without the program name); on failure returns
        the one-line message to show. */
    static std::variant<RenderOptions, juce::String> parse (const juce::StringArray& arguments);

    static juce::String usage();
};
