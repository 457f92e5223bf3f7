#include "EditorScreenshot.h"
#include "FileRenderer.h"
#include "ResponsePlot.h"

#include <juce_audio_formats/juce_audio_formats.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace
{
std::atomic<bool> interrupted { false };

void requestStop (int) { interrupted = true; }

void printError (const juce::String& message)
{
    std::fprintf (stderr, "vorn-render: %s\n", message.toRawUTF8());
}

bool showProgress (double proportion)
{
    constexpr int barWidth = 40;
    const auto filled = static_cast<int> (proportion * barWidth);
    std::fprintf (stderr, "\r[%s%s] %3d%%", juce::String::repeatedString ("#", filled).toRawUTF8(),
                  juce::String::repeatedString (" ", barWidth - filled).toRawUTF8(), static_cast<int> (proportion * 100.0));
    return ! interrupted;
}

int render (const RenderOptions& options)
{
    const auto onTerminal = isatty (fileno (stderr)) != 0;
    const auto result = FileRenderer::render (options, [onTerminal] (double p) { return onTerminal ? showProgress (p) : ! interrupted; });

    if (onTerminal)
        std::fprintf (stderr, "\r%60s\r", "");

    if (const auto* message = std::get_if<juce::String> (&result))
    {
        printError (*message);
        return 1;
    }

    const auto& summary = std::get<FileRenderer::Summary> (result);
    const auto speed = summary.elapsedSeconds > 0.0 ? summary.audioSeconds / summary.elapsedSeconds : 0.0;
    auto line = options.output.getFileName() + ": " + juce::String (summary.audioSeconds, 2) + " s of audio in "
              + juce::String (summary.elapsedSeconds, 2) + " s (" + juce::String (speed, 1) + "x realtime), peak "
              + juce::String (juce::Decibels::gainToDecibels (summary.peak, -120.0f), 1) + " dBFS";

    if (summary.clipped)
        line << "; warning: the output peaked at or above 0.99 of full scale (clip)";

    std::printf ("%s\n", line.toRawUTF8());
    return 0;
}

bool namesPng (const juce::File& target, const juce::String& what)
{
    if (target.hasFileExtension ("png"))
        return true;

    printError ("the " + what + " is a PNG picture: give a file name ending in .png");
    return false;
}

/** Writes a PNG beside the target under a hidden name and renames it at the
    end, so a failure never leaves a partial picture or harms an old one. */
bool writePng (const juce::Image& image, const juce::File& target, const juce::String& what)
{
    juce::TemporaryFile temporary (target, juce::TemporaryFile::useHiddenFile);
    {
        auto stream = temporary.getFile().createOutputStream();
        if (stream == nullptr || ! juce::PNGImageFormat().writeImageToStream (image, *stream))
        {
            printError ("cannot write the " + what + " to " + target.getFullPathName());
            return false;
        }
    }

    if (! temporary.overwriteTargetFileWithTemporary())
    {
        printError ("cannot write the " + what + " to " + target.getFullPathName());
        return false;
    }

    std::printf ("%s: %s, %d x %d\n", target.getFullPathName().toRawUTF8(), what.toRawUTF8(), image.getWidth(), image.getHeight());
    return true;
}

int plot (const RenderOptions& options)
{
    if (! namesPng (options.output, "plot"))
        return 2;

    const auto image = ResponsePlot::draw (ResponseMeasurement::measure (options.rate, options.skimmingPercent),
                                           options.rate, options.skimmingPercent);
    return writePng (image, options.output, "response plot") ? 0 : 1;
}

int screenshot (const RenderOptions& options)
{
    if (! namesPng (options.output, "screenshot"))
        return 2;

    const auto image = EditorScreenshot::take ({ options.skimmingPercent, options.outputDb, options.activeSlot,
                                                 options.clipped, options.scale });
    return writePng (image, options.output, "screenshot") ? 0 : 1;
}

int response (const RenderOptions& options)
{
    std::printf ("frequency_hz,db\n");
    for (const auto& point : ResponseMeasurement::measure (options.rate, options.skimmingPercent))
        std::printf ("%.2f,%.3f\n", point.frequency, point.blendedDb);
    return 0;
}
} // namespace

int main (int argc, char** argv)
{
    const juce::ScopedJuceInitialiser_GUI juce;

    juce::StringArray arguments;
    for (auto i = 1; i < argc; ++i)
        arguments.add (juce::String::fromUTF8 (argv[i]));

    const auto parsed = RenderOptions::parse (arguments);
    if (const auto* message = std::get_if<juce::String> (&parsed))
    {
        printError (*message);
        return 2;
    }

    const auto& options = std::get<RenderOptions> (parsed);
    std::signal (SIGINT, requestStop);
    std::signal (SIGTERM, requestStop);

    switch (options.mode)
    {
        case RenderOptions::Mode::help:     std::printf ("%s", RenderOptions::usage().toRawUTF8()); return 0;
        case RenderOptions::Mode::version:  std::printf ("vorn-render %s\n", VORN_VERSION_STRING); return 0;
        case RenderOptions::Mode::plot:     return plot (options);
        case RenderOptions::Mode::screenshot: return screenshot (options);
        case RenderOptions::Mode::response: return response (options);
        case RenderOptions::Mode::render:   return render (options);
    }

    return 0;
}
