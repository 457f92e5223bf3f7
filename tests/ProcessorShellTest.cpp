#include "processor/VornAudioProcessor.h"

#include <gtest/gtest.h>

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter();

namespace
{
using Set = juce::AudioChannelSet;

struct LayoutCase
{
    const char* name;
    Set input, output;
    bool hasInputBus, hasOutputBus;
    bool accepted;
};

std::ostream& operator<< (std::ostream& os, const LayoutCase& c) { return os << c.name; }

class BusLayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P (BusLayoutTest, AcceptsOnlyMatchingMonoOrStereo)
{
    VornAudioProcessor processor;
    const auto& c = GetParam();

    juce::AudioProcessor::BusesLayout layout;
    if (c.hasInputBus)
        layout.inputBuses.add (c.input);
    if (c.hasOutputBus)
        layout.outputBuses.add (c.output);

    EXPECT_EQ (processor.checkBusesLayoutSupported (layout), c.accepted);
}

INSTANTIATE_TEST_SUITE_P (Layouts, BusLayoutTest, testing::Values (
    LayoutCase { "stereo_to_stereo", Set::stereo(), Set::stereo(), true, true, true },
    LayoutCase { "mono_to_mono", Set::mono(), Set::mono(), true, true, true },
    LayoutCase { "mono_to_stereo", Set::mono(), Set::stereo(), true, true, false },
    LayoutCase { "stereo_to_mono", Set::stereo(), Set::mono(), true, true, false },
    LayoutCase { "surround", Set::create5point1(), Set::create5point1(), true, true, false },
    LayoutCase { "disabled_input", Set::disabled(), Set::stereo(), true, true, false },
    LayoutCase { "no_input_bus", {}, Set::stereo(), false, true, false },
    LayoutCase { "no_output_bus", Set::stereo(), {}, true, false, false },
    LayoutCase { "disabled_both", Set::disabled(), Set::disabled(), true, true, false }),
    [] (const auto& info) { return std::string (info.param.name); });

TEST (ProcessorShell, IdentityProgramsMidiAndTail)
{
    VornAudioProcessor processor;

    EXPECT_EQ (processor.getName(), "Vorn");
    EXPECT_FALSE (processor.acceptsMidi());
    EXPECT_FALSE (processor.producesMidi());
    EXPECT_FALSE (processor.isMidiEffect());
    EXPECT_EQ (processor.getTailLengthSeconds(), 0.0);
    EXPECT_TRUE (processor.hasEditor());

    EXPECT_EQ (processor.getNumPrograms(), 1);
    EXPECT_EQ (processor.getProgramName (5), "");
    EXPECT_EQ (processor.getProgramName (0), "Default");
    processor.setCurrentProgram (3);
    EXPECT_EQ (processor.getCurrentProgram(), 0);
    processor.changeProgramName (0, "renamed");
    EXPECT_EQ (processor.getProgramName (0), "Default");
}

TEST (ProcessorShell, BusesAreNamedStereoInputAndOutput)
{
    VornAudioProcessor processor;

    ASSERT_EQ (processor.getBusCount (true), 1);
    ASSERT_EQ (processor.getBusCount (false), 1);
    EXPECT_EQ (processor.getBus (true, 0)->getName(), "Input");
    EXPECT_EQ (processor.getBus (false, 0)->getName(), "Output");
    EXPECT_EQ (processor.getMainBusNumInputChannels(), 2);
    EXPECT_EQ (processor.getMainBusNumOutputChannels(), 2);
    EXPECT_TRUE (processor.getBus (true, 0)->isEnabledByDefault());
}

TEST (ProcessorShell, LatencyIsZeroAfterEveryPreparation)
{
    VornAudioProcessor processor;

    for (auto rate : { 44100.0, 48000.0, 96000.0 })
    {
        processor.prepareToPlay (rate, 256);
        EXPECT_EQ (processor.getLatencySamples(), 0);
    }
}

TEST (ProcessorShell, MidiBufferIsLeftAlone)
{
    VornAudioProcessor processor;
    processor.prepareToPlay (48000.0, 64);

    juce::AudioBuffer<float> audio (2, 64);
    audio.clear();
    juce::MidiBuffer midi;
    midi.addEvent (juce::MidiMessage::noteOn (1, 60, 0.5f), 3);

    processor.processBlock (audio, midi);
    EXPECT_EQ (midi.getNumEvents(), 1);
}

TEST (ProcessorShell, CreatedAndDestroyedWithoutPreparationOrEditor)
{
    for (auto i = 0; i < 3; ++i)
    {
        auto processor = std::make_unique<VornAudioProcessor>();
        EXPECT_FALSE (processor->clipFlag.load());
        processor.reset();
    }
}

TEST (ProcessorShell, FactoryMakesAVornProcessor)
{
    std::unique_ptr<juce::AudioProcessor> processor (createPluginFilter());
    ASSERT_NE (dynamic_cast<VornAudioProcessor*> (processor.get()), nullptr);
}

TEST (ProcessorShell, ReleaseResourcesKeepsItProcessing)
{
    VornAudioProcessor processor;
    processor.prepareToPlay (44100.0, 32);
    processor.releaseResources();

    juce::AudioBuffer<float> audio (2, 32);
    audio.clear();
    audio.setSample (0, 0, 0.5f);
    juce::MidiBuffer midi;
    processor.processBlock (audio, midi);
    EXPECT_EQ (audio.getSample (0, 0), 0.5f);
}
} // namespace
