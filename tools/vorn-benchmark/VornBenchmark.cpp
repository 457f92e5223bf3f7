// Times processBlock against the framework's filter cascade of the same 41
// sections per channel, and on silence after a loud burst, then prints the
// ratios that matter.
#include "curve/BandStage.h"
#include "curve/BlueStage.h"
#include "curve/RedStage.h"
#include "curve/SectionPipeline.h"
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

/** The Vorn curve's forty sections and the 120 Hz high-pass, per channel,
    each a framework filter run over the block before the next one: the
    structure the processor ran before its section kernel. */
std::vector<juce::dsp::IIR::Coefficients<float>::Ptr> curveCoefficients()
{
    BandStage band1 (true, 177.0f, -58.0f, 28.0f), band2 (false, 20000.0f, 100.0f, 52.0f), band3 (false, 8304.0f, 37.0f, 100.0f);
    BlueStage blue (true, 15.0f, 72.0f, 72.0f);
    RedStage red (false, 29.0f, 51.0f, 68.0f);

    std::vector<juce::dsp::IIR::Coefficients<float>::Ptr> coefficients;
    const auto add = [&] (auto& stage)
    {
        stage.prepare (sampleRate, 512);
        for (const auto& section : stage.getBank().coefficients)
            coefficients.push_back (new juce::dsp::IIR::Coefficients<float> (*section));
    };
    add (band1);
    add (band2);
    add (band3);
    add (blue);
    add (red);
    coefficients.push_back (juce::dsp::IIR::Coefficients<float>::makeHighPass (sampleRate, 120.0f));
    return coefficients;
}

void frameworkCascade (benchmark::State& state)
{
    const auto blockSize = static_cast<int> (state.range (0));
    const auto coefficients = curveCoefficients();

    std::vector<juce::dsp::IIR::Filter<float>> filters;
    for (auto c = 0; c < numChannels; ++c)
        for (const auto& section : coefficients)
            filters.emplace_back (section);
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
    std::printf ("\nVorn at 48 kHz stereo, section kernel: %s (ns per sample frame; core %% = share of one core in real time)\n",
                 SectionPipeline::instructionSet());
    std::printf ("%6s %12s %12s %8s %10s %14s\n", "block", "processBlock", "framework", "ratio", "core %", "silence/noise");

    for (auto size : blockSizes)
    {
        const auto process = ns.at ("processBlock").at (size);
        const auto framework = ns.at ("frameworkCascade").at (size);
        const auto silence = ns.at ("silenceAfterBurst").at (size);
        const auto noise = ns.at ("noiseRounds").at (size);
        std::printf ("%6d %12.2f %12.2f %8.3f %10.3f %14.3f\n",
                     size, process, framework, process / framework, process * sampleRate * 1.0e-7, silence / noise);
    }
}
} // namespace

int main (int argc, char** argv)
{
    const juce::ScopedJuceInitialiser_GUI juce;

    for (auto size : blockSizes)
    {
        benchmark::RegisterBenchmark ("processBlock", processBlockAtHalfSkimming)->Arg (size);
        benchmark::RegisterBenchmark ("frameworkCascade", frameworkCascade)->Arg (size);
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
