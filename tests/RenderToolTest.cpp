#include "CurveTestHelpers.h"
#include "ProcessorTestHelpers.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <gtest/gtest.h>

#include <complex>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

// Runs the built vorn-render program as a user would and checks its files
// against the processor run in this process.
namespace
{
struct Run
{
    int exitCode;
    juce::String output;
};

Run runTool (const juce::StringArray& arguments)
{
    juce::ChildProcess process;
    juce::StringArray command { VORN_RENDER_PATH };
    command.addArray (arguments);

    if (! process.start (command))
        return { -1, "could not start" };

    const auto output = process.readAllProcessOutput();
    process.waitForProcessToFinish (60000);
    return { static_cast<int> (process.getExitCode()), output };
}

class RenderToolTest : public testing::Test
{
public:
    void SetUp() override { folder.createDirectory(); }
    void TearDown() override { folder.deleteRecursively(); }

    juce::File file (const juce::String& name) const { return folder.getChildFile (name); }
    juce::String path (const juce::String& name) const { return file (name).getFullPathName(); }
    void makeInput() { writeInput ("in.wav", 2, 16); }

    juce::AudioBuffer<float> writeInput (const juce::String& name, int channels, int bits, double rate = 44100.0, int length = 20000)
    {
        juce::AudioBuffer<float> buffer (channels, length);
        juce::Random random (7);
        for (auto c = 0; c < channels; ++c)
            for (auto i = 0; i < length; ++i)
                buffer.setSample (c, i, 0.3f * std::sin (0.02f * static_cast<float> (i * (c + 1))) + 0.05f * (random.nextFloat() - 0.5f));

        juce::AudioFormatManager formats;
        formats.registerBasicFormats();
        auto* format = formats.findFormatForFileExtension (file (name).getFileExtension());
        auto stream = file (name).createOutputStream();
        std::unique_ptr<juce::AudioFormatWriter> writer (format->createWriterFor (stream.get(), rate, static_cast<unsigned> (channels), bits, {}, 0));
        stream.release();
        writer->writeFromAudioSampleBuffer (buffer, 0, length);
        writer.reset();
        return readFile (name);
    }

    juce::AudioBuffer<float> readFile (const juce::String& name) const
    {
        juce::AudioFormatManager formats;
        formats.registerBasicFormats();
        std::unique_ptr<juce::AudioFormatReader> reader (formats.createReaderFor (file (name)));
        if (reader == nullptr)
            return {};
        juce::AudioBuffer<float> buffer (static_cast<int> (reader->numChannels), static_cast<int> (reader->lengthInSamples));
        reader->read (&buffer, 0, buffer.getNumSamples(), 0, true, true);
        return buffer;
    }

    juce::File folder = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("vorn-render-test-" + juce::String (juce::Random::getSystemRandom().nextInt64()));
};

/** The same samples through the processor in this process, block by block. */
juce::AudioBuffer<float> processInProcess (juce::AudioBuffer<float> audio, double rate, float skimming, float outputDb, int blockSize)
{
    using namespace processor_test;

    VornAudioProcessor processor;
    useLayout (processor, audio.getNumChannels() == 1 ? juce::AudioChannelSet::mono() : juce::AudioChannelSet::stereo());
    setSkimming (processor, skimming);
    setOutputDb (processor, outputDb);
    processor.prepareToPlay (rate, blockSize);

    for (auto start = 0; start < audio.getNumSamples(); start += blockSize)
    {
        const auto n = juce::jmin (blockSize, audio.getNumSamples() - start);
        juce::AudioBuffer<float> block (audio.getArrayOfWritePointers(), audio.getNumChannels(), start, n);
        process (processor, block);
    }
    return audio;
}

struct RoundTrip
{
    const char* extension;
    int channels, inputBits, outputBits;
    float tolerance;
};

class RenderRoundTripTest : public RenderToolTest, public testing::WithParamInterface<RoundTrip> {};

TEST_P (RenderRoundTripTest, RenderEqualsInProcessProcessing)
{
    const auto& c = GetParam();
    const auto input = juce::String ("in.") + c.extension;
    const auto output = juce::String ("out.") + c.extension;
    const auto samples = writeInput (input, c.channels, c.inputBits);

    const auto run = runTool ({ file (input).getFullPathName(), file (output).getFullPathName(),
                                "--skimming", "60", "--output", "-6", "--block", "300", "--bits", juce::String (c.outputBits) });
    ASSERT_EQ (run.exitCode, 0) << run.output;
    EXPECT_TRUE (run.output.contains ("realtime")) << run.output;

    const auto rendered = readFile (output);
    const auto expected = processInProcess (samples, 44100.0, 0.6f, -6.0f, 300);
    ASSERT_EQ (rendered.getNumChannels(), c.channels);
    ASSERT_EQ (rendered.getNumSamples(), expected.getNumSamples());

    for (auto ch = 0; ch < c.channels; ++ch)
        for (auto i = 0; i < expected.getNumSamples(); ++i)
            ASSERT_NEAR (rendered.getSample (ch, i), expected.getSample (ch, i), c.tolerance) << "channel " << ch << ", sample " << i;
}

INSTANTIATE_TEST_SUITE_P (Formats, RenderRoundTripTest, testing::Values (
    RoundTrip { "wav", 2, 32, 32, 0.0f },
    RoundTrip { "wav", 1, 32, 32, 0.0f },
    RoundTrip { "wav", 2, 16, 16, 1.0f / 32768.0f },
    RoundTrip { "wav", 1, 24, 24, 1.0f / 8388608.0f },
    RoundTrip { "aiff", 2, 24, 24, 1.0f / 8388608.0f },
    RoundTrip { "aiff", 1, 16, 16, 1.0f / 32768.0f },
    RoundTrip { "flac", 2, 24, 24, 1.0f / 8388608.0f },
    RoundTrip { "flac", 1, 16, 16, 1.0f / 32768.0f }));

TEST_F (RenderToolTest, DefaultsAreFullSkimmingAndTheInputsBitDepth)
{
    const auto samples = writeInput ("in.wav", 2, 32);
    ASSERT_EQ (runTool ({ file ("in.wav").getFullPathName(), file ("out.wav").getFullPathName() }).exitCode, 0);

    const auto rendered = readFile ("out.wav");
    const auto expected = processInProcess (samples, 44100.0, 1.0f, 0.0f, 512);
    for (auto i = 0; i < expected.getNumSamples(); ++i)
        ASSERT_EQ (rendered.getSample (1, i), expected.getSample (1, i)) << i;
}

struct FormatCase
{
    int bits;
    double rate;
};

class RenderFormatTest : public RenderToolTest, public testing::WithParamInterface<FormatCase> {};

TEST_P (RenderFormatTest, OutputKeepsTheInputsBitDepthAndRate)
{
    const auto& c = GetParam();
    writeInput ("in.wav", 2, c.bits, c.rate, 4000);
    ASSERT_EQ (runTool ({ path ("in.wav"), path ("out.wav") }).exitCode, 0);

    juce::AudioFormatManager formats;
    formats.registerBasicFormats();
    const std::unique_ptr<juce::AudioFormatReader> reader (formats.createReaderFor (file ("out.wav")));
    ASSERT_NE (reader, nullptr);
    EXPECT_EQ (static_cast<int> (reader->bitsPerSample), c.bits);
    EXPECT_EQ (reader->sampleRate, c.rate);
}

INSTANTIATE_TEST_SUITE_P (Inputs, RenderFormatTest, testing::Values (
    FormatCase { 16, 44100.0 }, FormatCase { 24, 44100.0 }, FormatCase { 24, 96000.0 }));

TEST_F (RenderToolTest, InterruptedRenderLeavesNothingBehindAndTheTargetUntouched)
{
    // A long input, rendered a sample at a time, so that the render is still
    // running when it is interrupted.
    writeInput ("in.wav", 2, 16, 48000.0, 48000 * 30);
    file ("out.wav").replaceWithText ("precious");

    const auto pid = fork();
    if (pid == 0)
    {
        const auto devNull = open ("/dev/null", O_WRONLY);
        dup2 (devNull, STDOUT_FILENO);
        dup2 (devNull, STDERR_FILENO);
        execl (VORN_RENDER_PATH, VORN_RENDER_PATH, path ("in.wav").toRawUTF8(), path ("out.wav").toRawUTF8(),
               "--block", "1", static_cast<char*> (nullptr));
        _exit (127);
    }

    std::this_thread::sleep_for (std::chrono::milliseconds (500));
    ASSERT_EQ (waitpid (pid, nullptr, WNOHANG), 0) << "the render ended before it could be interrupted";
    kill (pid, SIGINT);

    int status = 0;
    ASSERT_EQ (waitpid (pid, &status, 0), pid);
    EXPECT_TRUE (WIFEXITED (status) && WEXITSTATUS (status) != 0) << "wait status " << status;
    EXPECT_EQ (file ("out.wav").loadFileAsString(), "precious");

    juce::StringArray left;
    for (const auto& entry : juce::RangedDirectoryIterator (folder, false, "*", juce::File::findFilesAndDirectories))
        left.add (entry.getFile().getFileName());
    left.sort (false);
    EXPECT_EQ (left, juce::StringArray ({ "in.wav", "out.wav" })) << "no temporary file left behind";
}

struct BadInput
{
    const char* name;
    std::function<juce::StringArray (RenderToolTest&)> arguments;
    int exitCode;
    const char* message;
};

class RenderErrorTest : public RenderToolTest, public testing::WithParamInterface<BadInput> {};

std::ostream& operator<< (std::ostream& os, const BadInput& c) { return os << c.name; }

TEST_P (RenderErrorTest, FailsWithAClearMessageAndLeavesNoOutput)
{
    const auto& c = GetParam();
    const auto run = runTool (c.arguments (*this));

    EXPECT_EQ (run.exitCode, c.exitCode) << run.output;
    EXPECT_TRUE (run.output.contains (c.message)) << run.output;
    EXPECT_EQ (run.output.trim().indexOfChar ('\n'), -1) << "one line: " << run.output;

    for (const auto& f : juce::RangedDirectoryIterator (folder, false, "*", juce::File::findFilesAndDirectories | juce::File::ignoreHiddenFiles))
        EXPECT_TRUE (f.getFile().getFileName().startsWith ("in.")) << "left behind: " << f.getFile().getFileName();
    EXPECT_EQ (folder.findChildFiles (juce::File::findFiles, false, ".*").size(), 0) << "temporary file left behind";
}

INSTANTIATE_TEST_SUITE_P (Table, RenderErrorTest, testing::Values (
    BadInput { "missing_input", [] (RenderToolTest& t) { return juce::StringArray { t.path ("none.wav"), t.path ("out.wav") }; }, 1, "no such file" },
    BadInput { "unreadable_input", [] (RenderToolTest& t) { t.file ("in.wav").replaceWithText ("not audio"); return juce::StringArray { t.path ("in.wav"), t.path ("out.wav") }; }, 1, "cannot read in.wav" },
    BadInput { "six_channels", [] (RenderToolTest& t) { t.writeInput ("in.wav", 6, 16); return juce::StringArray { t.path ("in.wav"), t.path ("out.wav") }; }, 1,
               "Vorn processes mono or stereo audio; in.wav has 6 channels" },
    BadInput { "unknown_format", [] (RenderToolTest& t) { t.makeInput(); return juce::StringArray { t.path ("in.wav"), t.path ("out.mp3") }; }, 1, "unknown output format" },
    BadInput { "ogg_output", [] (RenderToolTest& t) { t.makeInput(); return juce::StringArray { t.path ("in.wav"), t.path ("out.ogg") }; }, 1, "unknown output format" },
    BadInput { "skimming_range", [] (RenderToolTest& t) { t.makeInput(); return juce::StringArray { t.path ("in.wav"), t.path ("out.wav"), "--skimming", "150" }; }, 2,
               "--skimming must be between 0 and 100" },
    BadInput { "output_range", [] (RenderToolTest& t) { t.makeInput(); return juce::StringArray { t.path ("in.wav"), t.path ("out.wav"), "--output", "3" }; }, 2,
               "--output must be between -24 and 0" },
    BadInput { "not_a_number", [] (RenderToolTest& t) { t.makeInput(); return juce::StringArray { t.path ("in.wav"), t.path ("out.wav"), "--output", "loud" }; }, 2,
               "--output needs a number" },
    BadInput { "bits", [] (RenderToolTest& t) { t.makeInput(); return juce::StringArray { t.path ("in.wav"), t.path ("out.wav"), "--bits", "20" }; }, 2, "--bits must be 16, 24 or 32" },
    BadInput { "fractional_bits", [] (RenderToolTest& t) { t.makeInput(); return juce::StringArray { t.path ("in.wav"), t.path ("out.wav"), "--bits", "24.5" }; }, 2, "--bits must be 16, 24 or 32" },
    BadInput { "fractional_block", [] (RenderToolTest& t) { t.makeInput(); return juce::StringArray { t.path ("in.wav"), t.path ("out.wav"), "--block", "300.5" }; }, 2, "--block needs a whole number" },
    BadInput { "zero_block", [] (RenderToolTest& t) { t.makeInput(); return juce::StringArray { t.path ("in.wav"), t.path ("out.wav"), "--block", "0" }; }, 2, "--block must be between 1 and 65536" },
    BadInput { "missing_value", [] (RenderToolTest& t) { t.makeInput(); return juce::StringArray { t.path ("in.wav"), t.path ("out.wav"), "--skimming" }; }, 2, "--skimming needs a value" },
    BadInput { "flac_float", [] (RenderToolTest& t) { t.makeInput(); return juce::StringArray { t.path ("in.wav"), t.path ("out.flac"), "--bits", "32" }; }, 1, "cannot hold 32-bit" },
    BadInput { "same_file", [] (RenderToolTest& t) { t.makeInput(); return juce::StringArray { t.path ("in.wav"), t.path ("in.wav") }; }, 1, "must not be the input" },
    BadInput { "missing_folder", [] (RenderToolTest& t) { t.makeInput(); return juce::StringArray { t.path ("in.wav"), t.path ("no/such/out.wav") }; }, 1, "cannot write to the folder" },
    BadInput { "unknown_option", [] (RenderToolTest& t) { t.makeInput(); return juce::StringArray { t.path ("in.wav"), t.path ("out.wav"), "--louder" }; }, 2, "unknown option --louder" },
    BadInput { "one_file", [] (RenderToolTest& t) { t.makeInput(); return juce::StringArray { t.path ("in.wav") }; }, 2, "expected an INPUT and an OUTPUT" },
    BadInput { "screenshot_slot", [] (RenderToolTest& t) { return juce::StringArray { "--screenshot", t.path ("panel.png"), "--slot", "C" }; }, 2, "--slot must be A or B" },
    BadInput { "screenshot_scale", [] (RenderToolTest& t) { return juce::StringArray { "--screenshot", t.path ("panel.png"), "--scale", "3" }; }, 2, "--scale must be 1 or 2" },
    BadInput { "screenshot_skimming", [] (RenderToolTest& t) { return juce::StringArray { "--screenshot", t.path ("panel.png"), "--skimming", "101" }; }, 2, "--skimming must be between 0 and 100" },
    BadInput { "screenshot_not_png", [] (RenderToolTest& t) { return juce::StringArray { "--screenshot", t.path ("panel.jpg") }; }, 2, "give a file name ending in .png" },
    BadInput { "screenshot_rate", [] (RenderToolTest& t) { return juce::StringArray { "--screenshot", t.path ("panel.png"), "--rate", "44100" }; }, 2, "--screenshot takes only" },
    BadInput { "slot_without_screenshot", [] (RenderToolTest& t) { t.makeInput(); return juce::StringArray { t.path ("in.wav"), t.path ("out.wav"), "--slot", "B" }; }, 2, "belong to --screenshot" }),
    [] (const auto& info) { return std::string (info.param.name); });

TEST_F (RenderToolTest, FailedRenderLeavesAnExistingOutputUntouched)
{
    writeInput ("in.wav", 6, 16);
    file ("out.wav").replaceWithText ("precious");
    EXPECT_EQ (runTool ({ file ("in.wav").getFullPathName(), file ("out.wav").getFullPathName() }).exitCode, 1);
    EXPECT_EQ (file ("out.wav").loadFileAsString(), "precious");
}

TEST_F (RenderToolTest, VersionComesFromTheVersionFile)
{
    const auto run = runTool ({ "--version" });
    EXPECT_EQ (run.exitCode, 0);
    EXPECT_EQ (run.output.trim(), juce::String ("vorn-render ") + VORN_VERSION_STRING);
}

TEST_F (RenderToolTest, PlotHasItsSizeAndTheCurveInItsColour)
{
    const auto run = runTool ({ "--plot", file ("curve.png").getFullPathName(), "--rate", "48000" });
    ASSERT_EQ (run.exitCode, 0) << run.output;

    const auto image = juce::ImageFileFormat::loadFrom (file ("curve.png"));
    ASSERT_EQ (image.getWidth(), 1200);
    ASSERT_EQ (image.getHeight(), 600);

    // The wet curve's colour where the response is known: about -13.3 dB at
    // 177 Hz and about +4 dB at 1 kHz once the high-pass is counted in.
    const juce::Colour wet (0xff42b78a);
    const auto plotLeft = 80.0, plotWidth = 1080.0, plotTop = 60.0, plotHeight = 470.0;
    auto found = 0;

    for (auto [frequency, decibels] : { std::pair { 177.0, -13.3 }, std::pair { 1000.0, 3.6 }, std::pair { 12500.0, 26.1 } })
    {
        const auto x = static_cast<int> (plotLeft + std::log (frequency / 20.0) / std::log (1000.0) * plotWidth);
        const auto y = static_cast<int> (plotTop + plotHeight - (decibels + 36.0) / 66.0 * plotHeight);
        auto hit = false;
        for (auto dy = -6; dy <= 6 && ! hit; ++dy)
        {
            const auto pixel = image.getPixelAt (x, y + dy);
            hit = std::abs (pixel.getRed() - wet.getRed()) < 30 && std::abs (pixel.getGreen() - wet.getGreen()) < 30
               && std::abs (pixel.getBlue() - wet.getBlue()) < 30;
        }
        found += hit ? 1 : 0;
        EXPECT_TRUE (hit) << frequency << " Hz";
    }
    EXPECT_EQ (found, 3);
}

TEST_F (RenderToolTest, ScreenshotIsThePanelAtEitherScale)
{
    for (auto scale : { 1, 2 })
    {
        const auto name = "panel" + juce::String (scale) + ".png";
        const auto run = runTool ({ "--screenshot", path (name), "--skimming", "37", "--output", "-6.5",
                                    "--slot", "B", "--clip", "--scale", juce::String (scale) });
        ASSERT_EQ (run.exitCode, 0) << run.output;

        const auto image = juce::ImageFileFormat::loadFrom (file (name));
        ASSERT_EQ (image.getWidth(), 430 * scale);
        ASSERT_EQ (image.getHeight(), 300 * scale);

        // The panel's fill, away from every widget and caption.
        const auto panel = image.getPixelAt (200 * scale, 140 * scale);
        EXPECT_NEAR (panel.getRed(), 0x1b, 3);
        EXPECT_NEAR (panel.getGreen(), 0x1d, 3);
        EXPECT_NEAR (panel.getBlue(), 0x1f, 3);

        // The lamp lit, and B lit rather than A.
        EXPECT_GT (image.getPixelAt (392 * scale, 74 * scale).getRed(), 200);
        EXPECT_GT (image.getPixelAt (225 * scale, 28 * scale).getGreen(), 110);
        EXPECT_LT (image.getPixelAt (185 * scale, 28 * scale).getGreen(), 60);
    }
}

TEST_F (RenderToolTest, ScreenshotDefaultsToSlotAWithTheLampDark)
{
    ASSERT_EQ (runTool ({ "--screenshot", path ("panel.png") }).exitCode, 0);
    const auto image = juce::ImageFileFormat::loadFrom (file ("panel.png"));

    EXPECT_LT (image.getPixelAt (392, 74).getRed(), 80);
    EXPECT_GT (image.getPixelAt (185, 28).getGreen(), 110);
    EXPECT_LT (image.getPixelAt (225, 28).getGreen(), 60);
}

TEST_F (RenderToolTest, ResponseAtHalfSkimmingIsTheBlendOfDryAndWet)
{
    // The wet path's complex response from the sections' own coefficients and
    // the 120 Hz high-pass; half Skimming sums it with the dry signal.
    curve_test::VornCurve curve;
    curve.prepare (48000.0, 512);
    std::vector<juce::dsp::IIR::Coefficients<float>::Ptr> sections;
    for (const auto* bank : curve.banks())
        for (const auto& section : bank->coefficients)
            sections.push_back (section);
    sections.push_back (juce::dsp::IIR::Coefficients<float>::makeHighPass (48000.0, 120.0f));

    const auto blendDb = [&sections] (double frequency)
    {
        std::complex<double> wet (1.0, 0.0);
        for (const auto& s : sections)
            wet *= std::polar (s->getMagnitudeForFrequency (frequency, 48000.0), s->getPhaseForFrequency (frequency, 48000.0));
        return 20.0 * std::log10 (std::abs (0.5 + 0.5 * wet));
    };

    const auto run = runTool ({ "--response", "--rate", "48000", "--skimming", "50" });
    ASSERT_EQ (run.exitCode, 0);

    auto lines = juce::StringArray::fromLines (run.output.trim());
    lines.remove (0); // the header

    std::vector<std::pair<double, double>> rows;
    for (const auto& line : lines)
        rows.push_back ({ line.upToFirstOccurrenceOf (",", false, false).getDoubleValue(),
                          line.fromFirstOccurrenceOf (",", false, false).getDoubleValue() });
    ASSERT_GT (rows.size(), 100u);

    for (auto target : { 300.0, 1000.0, 5000.0, 12500.0 })
    {
        const auto& [frequency, measured] = *std::min_element (rows.begin(), rows.end(), [target] (const auto& a, const auto& b)
        {
            return std::abs (std::log (a.first / target)) < std::abs (std::log (b.first / target));
        });
        EXPECT_NEAR (measured, blendDb (frequency), 0.15) << frequency << " Hz";
    }
}

TEST_F (RenderToolTest, ResponseIsCsvFrom20HzTo20kHz)
{
    const auto run = runTool ({ "--response", "--rate", "44100" });
    ASSERT_EQ (run.exitCode, 0);
    auto lines = juce::StringArray::fromLines (run.output.trim());
    EXPECT_EQ (lines[0], "frequency_hz,db");
    EXPECT_TRUE (lines[1].startsWith ("20.00,"));
    EXPECT_TRUE (lines[lines.size() - 1].startsWith ("20000.00,"));
}
} // namespace
