// Times processBlock against the bare filter structure it must run, and on
// silence after a loud burst, then prints the ratios that matter.
#include "processor/VornAudioProcessor.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

namespace
{
constexpr double sampleRate = 48000.0;
constexpr int numChannels = 2;
const int blockSizes[] { 32, 64, 256, 512, 1024, 4096 };

juce::AudioBuffer<float> makeNoise (int numSamples, float level)
{
    juce::Random random (42);
    juce::AudioBuffer<float> buffer (numChannels, numSamples);
    for (auto c = 0; c < numChannels; ++c)
        for (auto i = 0; i < numSamples; ++i)
            buffer.setSample (c, i, level * (random.nextFloat() * 2.0f - 1.0f));
    return buffer;
}

std::unique_ptr<VornAudioProcessor> makeProcessor (int blockSize)
{
    auto processor = std::make_unique<VornAudioProcessor>();
    processor->parameters.getParameter ("DryWetParam")->setValueNotifyingHost (0.5f);
    processor->prepareToPlay (sampleRate, blockSize);
    return processor;
}

void processBlockAtHalfSkimming (benchmark::State& state)
{
    const auto blockSize = static_cast<int> (state.range (0));
    auto processor = makeProcessor (blockSize);
    const auto input = makeNoise (blockSize, 0.25f);
    juce::AudioBuffer<float> buffer (numChannels, blockSize);
    juce::MidiBuffer midi;

    for (auto _ : state)
    {
        buffer.makeCopyOf (input, true);
        processor->processBlock (buffer, midi);
        benchmark::DoNotOptimize (buffer.getReadPointer (0));
    }

    state.SetItemsProcessed (state.iterations() * blockSize);
}

/** Forty peak sections and one high-pass per channel, each a plain JUCE filter. */
void bareCascade (benchmark::State& state)
{
    const auto blockSize = static_cast<int> (state.range (0));
    const auto peak = juce::dsp::IIR::Coefficients<float>::makePeakFilter (sampleRate, 1000.0f, 2.0f, 1.5f);
    const auto highPass = juce::dsp::IIR::Coefficients<float>::makeHighPass (sampleRate, 120.0f);

    std::vector<juce::dsp::IIR::Filter<float>> filters;
    for (auto c = 0; c < numChannels; ++c)
    {
        for (auto s = 0; s < 40; ++s)
            filters.emplace_back (peak);
        filters.emplace_back (highPass);
    }
    for (auto& filter : filters)
        filter.prepare ({ sampleRate, static_cast<juce::uint32> (blockSize), 1 });

    const auto input = makeNoise (blockSize, 0.25f);
    juce::AudioBuffer<float> buffer (numChannels, blockSize);

    for (auto _ : state)
    {
        buffer.makeCopyOf (input, true);
        juce::dsp::AudioBlock<float> block (buffer);

        for (size_t c = 0; c < numChannels; ++c)
        {
            auto channel = block.getSingleChannelBlock (c);
            const juce::dsp::ProcessContextReplacing<float> context (channel);
            for (size_t f = 0; f < 41; ++f)
                filters[c * 41 + f].process (context);
        }

        benchmark::DoNotOptimize (buffer.getReadPointer (0));
    }

    state.SetItemsProcessed (state.iterations() * blockSize);
}

constexpr int blocksPerRound = 8;

/** One loud block, then seven of silence while the filters ring out. */
void silenceAfterBurst (benchmark::State& state)
{
    const auto blockSize = static_cast<int> (state.range (0));
    auto processor = makeProcessor (blockSize);
    const auto burst = makeNoise (blockSize, 1.0f);
    juce::AudioBuffer<float> buffer (numChannels, blockSize);
    juce::MidiBuffer midi;

    for (auto _ : state)
    {
        buffer.makeCopyOf (burst, true);
        processor->processBlock (buffer, midi);

        for (auto b = 1; b < blocksPerRound; ++b)
        {
            buffer.clear();
            processor->processBlock (buffer, midi);
        }
        benchmark::DoNotOptimize (buffer.getReadPointer (0));
    }

    state.SetItemsProcessed (state.iterations() * blockSize * blocksPerRound);
}

/** The same rounds as above with noise in every block, for comparison. */
void noiseRounds (benchmark::State& state)
{
    const auto blockSize = static_cast<int> (state.range (0));
    auto processor = makeProcessor (blockSize);
    const auto noise = makeNoise (blockSize, 1.0f);
    juce::AudioBuffer<float> buffer (numChannels, blockSize);
    juce::MidiBuffer midi;

    for (auto _ : state)
    {
        for (auto b = 0; b < blocksPerRound; ++b)
        {
            buffer.makeCopyOf (noise, true);
            processor->processBlock (buffer, midi);
        }
        benchmark::DoNotOptimize (buffer.getReadPointer (0));
    }

    state.SetItemsProcessed (state.iterations() * blockSize * blocksPerRound);
}

/** Keeps each run's time per sample frame, keyed by benchmark and block size. */
class CollectingReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns (const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns (runs);

        for (const auto& run : runs)
        {
            const auto name = run.run_name.function_name;
            const auto blockSize = std::stoi (run.run_name.args);
            const auto frames = run.counters.at ("items_per_second");
            nanosecondsPerFrame[name][blockSize] = 1.0e9 / frames;
        }
    }

    std::map<std::string, std::map<int, double>> nanosecondsPerFrame;
};

void printSummary (const CollectingReporter& reporter)
{
    const auto& ns = reporter.nanosecondsPerFrame;
    std::printf ("\nVorn at 48 kHz stereo (ns per sample frame; core %% = share of one core in real time)\n");
    std::printf ("%6s %12s %12s %8s %10s %14s\n", "block", "processBlock", "bare", "ratio", "core %", "silence/noise");

    for (auto size : blockSizes)
    {
        const auto process = ns.at ("processBlock").at (size);
        const auto bare = ns.at ("bareCascade").at (size);
        const auto silence = ns.at ("silenceAfterBurst").at (size);
        const auto noise = ns.at ("noiseRounds").at (size);
        std::printf ("%6d %12.2f %12.2f %8.3f %10.3f %14.3f\n",
                     size, process, bare, process / bare, process * sampleRate * 1.0e-7, silence / noise);
    }
}
} // namespace

int main (int argc, char** argv)
{
    const juce::ScopedJuceInitialiser_GUI juce;

    for (auto size : blockSizes)
    {
        benchmark::RegisterBenchmark ("processBlock", processBlockAtHalfSkimming)->Arg (size);
        benchmark::RegisterBenchmark ("bareCascade", bareCascade)->Arg (size);
        benchmark::RegisterBenchmark ("silenceAfterBurst", silenceAfterBurst)->Arg (size);
        benchmark::RegisterBenchmark ("noiseRounds", noiseRounds)->Arg (size);
    }

    benchmark::Initialize (&argc, argv);
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks (&reporter);
    printSummary (reporter);
    benchmark::Shutdown();
    return 0;
}
