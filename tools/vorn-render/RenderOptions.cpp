#include "RenderOptions.h"

#include <cmath>

namespace
{
std::optional<double> parseNumber (const juce::String& text)
{
    const auto trimmed = text.trim();
    auto position = trimmed.getCharPointer();

    if (position.isEmpty())
        return std::nullopt;

    const auto start = position;
    const auto number = juce::CharacterFunctions::readDoubleValue (position);

    if (position == start || ! position.isEmpty() || ! std::isfinite (number))
        return std::nullopt;

    return number;
}

/** Reads the value after an option and checks it against its range. */
std::variant<double, juce::String> readValue (const juce::StringArray& arguments, int& index,
                                              double minimum, double maximum, const juce::String& unit)
{
    const auto option = arguments[index];

    if (index + 1 >= arguments.size())
        return option + " needs a value";

    const auto text = arguments[++index];
    const auto number = parseNumber (text);

    if (! number)
        return option + " needs a number, not \"" + text + "\"";

    if (*number < minimum || *number > maximum)
        return option + " must be between " + juce::String (minimum) + " and " + juce::String (maximum)
             + unit + " (got " + text + ")";

    return *number;
}
} // namespace

juce::String RenderOptions::usage()
{
    return "Usage:\n"
           "  vorn-render INPUT OUTPUT [--skimming PERCENT] [--output DB] [--block N] [--bits 16|24|32]\n"
           "  vorn-render --plot FILE.png [--rate HZ] [--skimming PERCENT]\n"
           "  vorn-render --response [--rate HZ] [--skimming PERCENT]\n"
           "  vorn-render --screenshot FILE.png [--skimming PERCENT] [--output DB] [--slot A|B] [--clip] [--scale 1|2]\n"
           "  vorn-render --help | --version\n"
           "\n"
           "Runs WAV, AIFF or FLAC files (mono or stereo) through the Vorn processor.\n"
           "  --skimming PERCENT  how much of the Vorn curve is applied, 0 to 100 (default 100)\n"
           "  --output DB         output level, -24 to 0 dB (default 0)\n"
           "  --block N           block size handed to the processor (default 512)\n"
           "  --bits 16|24|32     output bit depth; 32 is floating point (default: as the input)\n"
           "  --plot FILE.png     draw the magnitude response as a picture\n"
           "  --response          print the magnitude response as CSV (Hz, dB)\n"
           "  --rate HZ           sample rate for --plot and --response (default 48000)\n"
           "  --screenshot FILE.png  draw the plug-in's window as a host shows it\n"
           "                      (Skimming and Output default to the plug-in's own 0 % and 0 dB)\n"
           "  --slot A|B          the active setting slot in the screenshot (default A)\n"
           "  --clip              the clip lamp lit in the screenshot\n"
           "  --scale 1|2         the screenshot's display scale (default 1)\n";
}

std::variant<RenderOptions, juce::String> RenderOptions::parse (const juce::StringArray& arguments)
{
    RenderOptions options;
    juce::StringArray positional;
    // Which options were given, to refuse those that mean nothing to the mode.
    bool sawOutput = false, sawBlockOrBits = false, sawScreenshotOnlyOption = false, sawRate = false, sawSkimming = false;

    for (auto i = 0; i < arguments.size(); ++i)
    {
        const auto& argument = arguments[i];

        const auto take = [&] (double minimum, double maximum, const juce::String& unit, auto&& store) -> std::optional<juce::String>
        {
            auto value = readValue (arguments, i, minimum, maximum, unit);
            if (auto* message = std::get_if<juce::String> (&value))
                return *message;
            store (std::get<double> (value));
            return std::nullopt;
        };

        // The screenshot's options take one of a few words.
        const auto takeChoice = [&] (const juce::StringArray& choices, auto&& store) -> std::optional<juce::String>
        {
            sawScreenshotOnlyOption = true;
            const auto value = i + 1 < arguments.size() ? arguments[++i] : juce::String();
            if (! choices.contains (value))
                return argument + " must be " + choices.joinIntoString (" or ") + " (got \"" + value + "\")";
            store (value);
            return std::nullopt;
        };

        std::optional<juce::String> error;

        if (argument == "--help" || argument == "-h")
            options.mode = Mode::help;
        else if (argument == "--version")
            options.mode = Mode::version;
        else if (argument == "--response")
            options.mode = Mode::response;
        else if (argument == "--plot" || argument == "--screenshot")
        {
            if (i + 1 >= arguments.size())
                return argument + " needs a file name";
            options.mode = argument == "--plot" ? Mode::plot : Mode::screenshot;
            options.output = juce::File::getCurrentWorkingDirectory().getChildFile (arguments[++i]);
        }
        else if (argument == "--skimming")
            error = take (0.0, 100.0, " %", [&] (double v) { options.skimmingPercent = static_cast<float> (v); sawSkimming = true; });
        else if (argument == "--output")
            error = take (-24.0, 0.0, " dB", [&] (double v) { options.outputDb = static_cast<float> (v); sawOutput = true; });
        else if (argument == "--slot")
            error = takeChoice ({ "A", "B" }, [&] (const juce::String& v) { options.activeSlot = v == "B" ? 1 : 0; });
        else if (argument == "--clip")
        {
            sawScreenshotOnlyOption = true;
            options.clipped = true;
        }
        else if (argument == "--scale")
            error = takeChoice ({ "1", "2" }, [&] (const juce::String& v) { options.scale = v.getIntValue(); });
        else if (argument == "--block")
        {
            error = take (1.0, 65536.0, " samples", [&] (double v) { options.blockSize = static_cast<int> (v); sawBlockOrBits = true; });
            if (! error && options.blockSize != arguments[i].getDoubleValue())
                error = "--block needs a whole number of samples (got " + arguments[i] + ")";
        }
        else if (argument == "--bits")
        {
            error = take (16.0, 32.0, "", [&] (double v) { options.bits = static_cast<int> (v); sawBlockOrBits = true; });
            if (! error && (*options.bits != arguments[i].getDoubleValue() || (*options.bits != 16 && *options.bits != 24 && *options.bits != 32)))
                error = "--bits must be 16, 24 or 32 (got " + arguments[i] + ")";
        }
        else if (argument == "--rate")
            error = take (8000.0, 384000.0, " Hz", [&] (double v) { options.rate = v; sawRate = true; });
        else if (argument.startsWith ("-") && argument.length() > 1)
            return "unknown option " + argument + " (see --help)";
        else
            positional.add (argument);

        if (error)
            return *error;
    }

    if (options.mode == Mode::help || options.mode == Mode::version)
        return options;

    if (options.mode == Mode::screenshot)
    {
        if (! positional.isEmpty() || sawRate || sawBlockOrBits)
            return juce::String ("--screenshot takes only --skimming, --output, --slot, --clip and --scale (see --help)");
        if (! sawSkimming)
            options.skimmingPercent = 0.0f;
        return options;
    }

    if (sawScreenshotOnlyOption)
        return juce::String ("--slot, --clip and --scale belong to --screenshot (see --help)");

    if (options.mode != Mode::render)
    {
        if (! positional.isEmpty() || sawOutput || sawBlockOrBits)
            return juce::String ("--plot and --response take only --rate and --skimming (see --help)");
        return options;
    }

    if (positional.size() != 2)
        return juce::String ("expected an INPUT and an OUTPUT file (see --help)");

    options.input = juce::File::getCurrentWorkingDirectory().getChildFile (positional[0]);
    options.output = juce::File::getCurrentWorkingDirectory().getChildFile (positional[1]);
    return options;
}
