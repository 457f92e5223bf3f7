#pragma once

#include "RenderOptions.h"

#include <functional>

/** Runs an audio file through the Vorn processor block by block, as a host
    does, and writes the result through a temporary file beside the target. */
class FileRenderer
{
public:
    struct Summary
    {
        double audioSeconds = 0.0;
        double elapsedSeconds = 0.0;
        float peak = 0.0f;
        bool clipped = false;
    };

    /** Called after each block; returning false stops the render, leaving no output. */
    using ProgressCallback = std::function<bool (double proportionDone)>;

    static std::variant<Summary, juce::String> render (const RenderOptions& options, const ProgressCallback& progress);
};
