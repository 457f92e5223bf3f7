#include "FileRenderer.h"

#include "ProcessorSetup.h"

#include <juce_audio_formats/juce_audio_formats.h>

namespace
{
juce::String displayName (const juce::File& file)
{
    return file.getFileName();
}

juce::AudioFormat* formatFor (juce::AudioFormatManager& formats, const juce::File& file)
{
    return formats.findFormatForFileExtension (file.getFileExtension());
}

int defaultBits (const juce::AudioFormatReader& reader)
{
    if (reader.usesFloatingPointData)
        return 32;

    return reader.bitsPerSample <= 16 ? 16 : 24;
}

std::optional<juce::String> checkOutputPath (const RenderOptions& options, juce::AudioFormatManager& formats, int bits)
{
    const auto& output = options.output;

    if (output == options.input
        || (output.exists() && output.getLinkedTarget() == options.input.getLinkedTarget()))
        return juce::String ("the output file must not be the input file (") + displayName (output) + ")";

    auto* format = formatFor (formats, output);
    if (format == nullptr)
        return "unknown output format for " + displayName (output) + ": use .wav, .aiff or .flac";

    if (! format->getPossibleBitDepths().contains (bits))
        return format->getFormatName() + " output cannot hold " + juce::String (bits) + "-bit samples; choose --bits "
             + juce::String (format->getPossibleBitDepths().contains (16) ? "16 or 24" : "24");

    const auto folder = output.getParentDirectory();
    if (! folder.isDirectory() || ! folder.hasWriteAccess())
        return "cannot write to the folder " + folder.getFullPathName();

    if (output.isDirectory())
        return output.getFullPathName() + " is a folder";

    return std::nullopt;
}
} // namespace

std::variant<FileRenderer::Summary, juce::String> FileRenderer::render (const RenderOptions& options, const ProgressCallback& progress)
{
    juce::AudioFormatManager formats;
    formats.registerFormat (new juce::WavAudioFormat(), true);
    formats.registerFormat (new juce::AiffAudioFormat(), false);
    formats.registerFormat (new juce::FlacAudioFormat(), false);

    if (! options.input.existsAsFile())
        return "cannot read " + options.input.getFullPathName() + ": no such file";

    std::unique_ptr<juce::AudioFormatReader> reader (formats.createReaderFor (options.input));
    if (reader == nullptr)
        return "cannot read " + displayName (options.input) + ": not a WAV, AIFF or FLAC file that can be decoded";

    const auto numChannels = static_cast<int> (reader->numChannels);
    if (numChannels < 1 || numChannels > 2)
        return "Vorn processes mono or stereo audio; " + displayName (options.input) + " has " + juce::String (numChannels) + " channels";

    const auto bits = options.bits.value_or (defaultBits (*reader));
    if (auto problem = checkOutputPath (options, formats, bits))
        return *problem;

    juce::TemporaryFile temporary (options.output, juce::TemporaryFile::useHiddenFile);
    std::unique_ptr<juce::AudioFormatWriter> writer;
    {
        auto stream = temporary.getFile().createOutputStream();
        if (stream == nullptr)
            return "cannot write to the folder " + options.output.getParentDirectory().getFullPathName();

        writer.reset (formatFor (formats, options.output)->createWriterFor (stream.get(), reader->sampleRate,
                                                                            static_cast<unsigned int> (numChannels),
                                                                            bits, {}, 0));
        if (writer == nullptr)
            return "cannot write " + displayName (options.output) + " at " + juce::String (bits) + " bits and "
                 + juce::String (reader->sampleRate) + " Hz";
        stream.release(); // the writer owns it now
    }

    VornAudioProcessor processor;
    setUpProcessor (processor, numChannels, reader->sampleRate, options.blockSize, options.skimmingPercent, options.outputDb);

    const auto started = juce::Time::getMillisecondCounterHiRes();
    const auto totalSamples = reader->lengthInSamples;
    juce::AudioBuffer<float> buffer (numChannels, options.blockSize);
    juce::MidiBuffer midi;
    Summary summary;

    for (juce::int64 position = 0; position < totalSamples; position += options.blockSize)
    {
        const auto n = static_cast<int> (std::min<juce::int64> (options.blockSize, totalSamples - position));
        buffer.setSize (numChannels, n, false, false, true);

        if (! reader->read (&buffer, 0, n, position, true, numChannels > 1))
            return "cannot read " + displayName (options.input) + ": the file ends early or is damaged";

        processor.processBlock (buffer, midi);

        for (auto c = 0; c < numChannels; ++c)
            summary.peak = juce::jmax (summary.peak, buffer.getMagnitude (c, 0, n));

        if (! writer->writeFromAudioSampleBuffer (buffer, 0, n))
            return "cannot write " + displayName (options.output) + ": the disk may be full";

        if (progress && ! progress (static_cast<double> (position + n) / static_cast<double> (totalSamples)))
            return juce::String ("interrupted; ") + displayName (options.output) + " was not written";
    }

    writer.reset(); // flushes and closes the temporary file

    if (! temporary.overwriteTargetFileWithTemporary())
        return "cannot replace " + options.output.getFullPathName();

    summary.audioSeconds = static_cast<double> (totalSamples) / reader->sampleRate;
    summary.elapsedSeconds = (juce::Time::getMillisecondCounterHiRes() - started) / 1000.0;
    summary.clipped = processor.clipFlag.load();
    return summary;
}
