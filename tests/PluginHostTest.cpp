#include "AudioThread.h"
#include "HostedPlugin.h"
#include "TestDesktop.h"

#include <pluginterfaces/vst/ivstcomponent.h>
#include <pluginterfaces/vst/ivstunits.h>

#include <juce_audio_formats/juce_audio_formats.h>

#include <cstring>

#include <gtest/gtest.h>

// Loads the plug-in bundles that this build produced through JUCE's own hosts,
// the way a DAW would, and checks what a host sees.
namespace
{
using Loader = HostedPlugin (*)();

struct FormatCase
{
    const char* name;
    Loader load;
};

std::ostream& operator<< (std::ostream& os, const FormatCase& c) { return os << c.name; }

class PluginHostTest : public testing::TestWithParam<FormatCase>
{
protected:
    void SetUp() override
    {
        hosted = GetParam().load();
        ASSERT_NE (hosted.instance, nullptr) << "the " << GetParam().name << " bundle did not load";
    }

    void TearDown() override
    {
        hosted.instance.reset();
    }

    juce::AudioProcessorParameter& parameterAt (int index)
    {
        return *hosted.instance->getParameters()[index];
    }

    /** A format's wrapper may put its own bypass switch first. */
    juce::AudioProcessorParameter& parameterNamed (const juce::String& name)
    {
        for (auto* parameter : hosted.instance->getParameters())
            if (parameter->getName (100) == name)
                return *parameter;
        ADD_FAILURE() << "no parameter " << name;
        return *hosted.instance->getParameters()[0];
    }

    HostedPlugin hosted;
};

TEST_P (PluginHostTest, HostSeesTheEffectVorn)
{
    EXPECT_EQ (hosted.description.name, "Vorn");
    EXPECT_EQ (hosted.instance->getName(), "Vorn");
    EXPECT_FALSE (hosted.description.isInstrument);
    EXPECT_EQ (hosted.instance->getLatencySamples(), 0);
    EXPECT_EQ (hosted.instance->getTailLengthSeconds(), 0.0);
    EXPECT_FALSE (hosted.instance->acceptsMidi());
    EXPECT_FALSE (hosted.instance->producesMidi());
    EXPECT_EQ (hosted.instance->getMainBusNumInputChannels(), 2);
    EXPECT_EQ (hosted.instance->getMainBusNumOutputChannels(), 2);
}

TEST_P (PluginHostTest, HostSeesBothParametersInOrder)
{
    // A format's wrapper may add its own bypass switch; apart from it the host
    // sees exactly the plug-in's two parameters, in this order.
    juce::StringArray names;
    for (auto* parameter : hosted.instance->getParameters())
        if (! parameter->getName (100).containsIgnoreCase ("bypass"))
            names.add (parameter->getName (100));

    EXPECT_EQ (names, juce::StringArray ({ "Skimming", "Output" }));
}

TEST_P (PluginHostTest, HostSeesLabelsAndValueTexts)
{
    // LV2 carries neither units nor value texts through JUCE's wrapper and host.
    if (juce::String (GetParam().name) != "VST3")
        GTEST_SKIP();

    auto& skimming = parameterAt (0);
    EXPECT_EQ (skimming.getName (100), "Skimming");
    EXPECT_EQ (skimming.getLabel(), "%");
    EXPECT_EQ (skimming.getText (0.37f, 100), "37");
    EXPECT_EQ (skimming.getText (1.0f, 100), "100");
    EXPECT_NEAR (skimming.getDefaultValue(), 0.0f, 1e-6f);

    auto& output = parameterAt (1);
    EXPECT_EQ (output.getName (100), "Output");
    EXPECT_EQ (output.getLabel(), "dB");
    EXPECT_EQ (output.getText (0.5f, 100), "-12.0");
    EXPECT_EQ (output.getText (0.0f, 100), "-24.0");
    EXPECT_EQ (output.getText (1.0f, 100), "0.0");
    EXPECT_NEAR (output.getDefaultValue(), 1.0f, 1e-6f);
}

TEST_P (PluginHostTest, HostSeesTheAcceptedLayouts)
{
    using Set = juce::AudioChannelSet;
    const auto layout = [] (Set in, Set out)
    {
        juce::AudioProcessor::BusesLayout l;
        l.inputBuses.add (in);
        l.outputBuses.add (out);
        return l;
    };

    EXPECT_TRUE (hosted.instance->checkBusesLayoutSupported (layout (Set::stereo(), Set::stereo())));

    // LV2 fixes its ports in the bundle's metadata; only VST3 negotiates.
    if (juce::String (GetParam().name) == "VST3")
    {
        EXPECT_TRUE (hosted.instance->checkBusesLayoutSupported (layout (Set::mono(), Set::mono())));
        EXPECT_FALSE (hosted.instance->checkBusesLayoutSupported (layout (Set::mono(), Set::stereo())));
        EXPECT_FALSE (hosted.instance->checkBusesLayoutSupported (layout (Set::create5point1(), Set::create5point1())));
    }
}

TEST_P (PluginHostTest, DefaultSettingsPassAudioThrough)
{
    auto& plugin = *hosted.instance;
    plugin.prepareToPlay (48000.0, 256);

    juce::AudioBuffer<float> buffer (2, 256);
    for (auto c = 0; c < 2; ++c)
        for (auto i = 0; i < 256; ++i)
            buffer.setSample (c, i, 0.25f * std::sin (0.05f * static_cast<float> (i + c)));

    const auto input = buffer;
    juce::MidiBuffer midi;
    plugin.processBlock (buffer, midi);
    plugin.releaseResources();

    for (auto c = 0; c < 2; ++c)
        for (auto i = 0; i < 256; ++i)
            ASSERT_NEAR (buffer.getSample (c, i), input.getSample (c, i), 1e-6f);
}

TEST_P (PluginHostTest, EditorOpensAtItsSizeFiftyTimesWhileAudioRuns)
{
    ASSERT_TRUE (hosted.instance->hasEditor());
    test_desktop::ignoreXErrors();
    AudioThread audio (*hosted.instance);

    for (auto round = 0; round < 50; ++round)
    {
        std::unique_ptr<juce::AudioProcessorEditor> editor (hosted.instance->createEditorIfNeeded());
        ASSERT_NE (editor, nullptr) << "round " << round;
        test_desktop::putOnDesktop (*editor);
        editor->setVisible (true);

        EXPECT_EQ (editor->getWidth(), 430) << "round " << round;
        EXPECT_EQ (editor->getHeight(), 300) << "round " << round;
    }

    EXPECT_GT (audio.blocks(), 0);
}

/** Noise through a plug-in in blocks of 256, as a host plays it. */
juce::AudioBuffer<float> playThrough (juce::AudioPluginInstance& plugin, const juce::AudioBuffer<float>& input)
{
    plugin.prepareToPlay (48000.0, 256);
    auto output = input;
    juce::MidiBuffer midi;
    for (auto start = 0; start < output.getNumSamples(); start += 256)
    {
        juce::AudioBuffer<float> block (output.getArrayOfWritePointers(), 2, start, juce::jmin (256, output.getNumSamples() - start));
        plugin.processBlock (block, midi);
    }
    plugin.releaseResources();
    return output;
}

juce::AudioBuffer<float> noiseInput()
{
    juce::Random random (21);
    juce::AudioBuffer<float> input (2, 48000 / 2);
    for (auto c = 0; c < 2; ++c)
        for (auto i = 0; i < input.getNumSamples(); ++i)
            input.setSample (c, i, 0.3f * (random.nextFloat() * 2.0f - 1.0f));
    return input;
}

/** The same input through vorn-render, which runs Vorn's processor in its own process. */
juce::AudioBuffer<float> renderedByTheProcessor (const juce::AudioBuffer<float>& input, const juce::File& folder)
{
    juce::WavAudioFormat wav;
    {
        std::unique_ptr<juce::AudioFormatWriter> writer (wav.createWriterFor (folder.getChildFile ("in.wav").createOutputStream().release(),
                                                                              48000.0, 2, 32, {}, 0));
        writer->writeFromAudioSampleBuffer (input, 0, input.getNumSamples());
    }

    juce::ChildProcess render;
    render.start (juce::StringArray { VORN_RENDER_PATH, folder.getChildFile ("in.wav").getFullPathName(), folder.getChildFile ("out.wav").getFullPathName(),
                                      "--skimming", "100", "--output", "-6", "--block", "256", "--bits", "32" });
    render.waitForProcessToFinish (60000);

    std::unique_ptr<juce::AudioFormatReader> reader (wav.createReaderFor (folder.getChildFile ("out.wav").createInputStream().release(), true));
    juce::AudioBuffer<float> output (2, input.getNumSamples());
    output.clear();
    if (reader != nullptr)
        reader->read (&output, 0, output.getNumSamples(), 0, true, true);
    return output;
}

/** Bit for bit, from the given sample on. */
bool sameFrom (const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b, int start)
{
    for (auto c = 0; c < 2; ++c)
        if (std::memcmp (a.getReadPointer (c, start), b.getReadPointer (c, start), sizeof (float) * static_cast<size_t> (a.getNumSamples() - start)) != 0)
            return false;
    return true;
}

TEST_P (PluginHostTest, SoundsLikeTheProcessorAndItsSavedStateSoundsTheSameInAFreshInstance)
{
    auto& plugin = *hosted.instance;
    parameterNamed ("Skimming").setValueNotifyingHost (1.0f);
    parameterNamed ("Output").setValueNotifyingHost (0.75f); // -6 dB

    const auto input = noiseInput();
    const auto hostedOutput = playThrough (plugin, input);

    // Saved after playing, as a host saves a session: some formats hand new
    // values to the plug-in only with the next block.
    juce::MemoryBlock state;
    plugin.getStateInformation (state);

    // A host may hand the new values over with the first block, which then
    // glides to them over 20 ms; from there on every sample must match.
    const auto folder = juce::File::createTempFile ("vorn-host");
    folder.createDirectory();
    const auto reference = renderedByTheProcessor (input, folder);
    folder.deleteRecursively();
    EXPECT_TRUE (sameFrom (hostedOutput, reference, 1024)) << "hosted output against the processor's";

    auto fresh = GetParam().load();
    ASSERT_NE (fresh.instance, nullptr);
    fresh.instance->setStateInformation (state.getData(), static_cast<int> (state.getSize()));
    EXPECT_TRUE (sameFrom (playThrough (*fresh.instance, input), reference, 1024)) << "restored instance against the processor's";
}

TEST (PluginHostVst3, PublishesOneProgramNamedDefault)
{
    // JUCE's host lists programs only for plug-ins with a program-change
    // parameter, which a single program does not get; VST3 validators and
    // hosts read the program list from the component's unit information.
    auto hosted = HostedPlugin::loadVst3();
    ASSERT_NE (hosted.instance, nullptr);

    struct ComponentFinder : juce::ExtensionsVisitor
    {
        void visitVST3Client (const VST3Client& client) override { component = client.getIComponentPtr(); }
        Steinberg::Vst::IComponent* component = nullptr;
    } finder;
    hosted.instance->getExtensions (finder);
    auto* component = finder.component;
    ASSERT_NE (component, nullptr);

    Steinberg::Vst::IUnitInfo* units = nullptr;
    ASSERT_EQ (component->queryInterface (Steinberg::Vst::IUnitInfo_iid, reinterpret_cast<void**> (&units)), Steinberg::kResultOk);

    ASSERT_EQ (units->getProgramListCount(), 1);
    Steinberg::Vst::ProgramListInfo list {};
    ASSERT_EQ (units->getProgramListInfo (0, list), Steinberg::kResultOk);
    EXPECT_EQ (list.programCount, 1);

    Steinberg::Vst::String128 name {};
    EXPECT_EQ (units->getProgramName (list.id, 0, name), Steinberg::kResultOk);
    EXPECT_EQ (juce::String (juce::CharPointer_UTF16 (reinterpret_cast<juce::CharPointer_UTF16::CharType*> (name))), "Default");

    units->release();
}

#ifdef VORN_LV2_BINARY
TEST (PluginHostLv2, ListsOneProgramNamedDefault)
{
    auto hosted = HostedPlugin::loadLv2();
    ASSERT_NE (hosted.instance, nullptr);
    EXPECT_EQ (hosted.instance->getNumPrograms(), 1);
    EXPECT_EQ (hosted.instance->getProgramName (0), "Default");
}
#endif

const FormatCase builtFormats[] {
    { "VST3", HostedPlugin::loadVst3 },
   #ifdef VORN_LV2_BINARY
    { "LV2", HostedPlugin::loadLv2 },
   #endif
};

INSTANTIATE_TEST_SUITE_P (Formats, PluginHostTest, testing::ValuesIn (builtFormats),
                          [] (const auto& info) { return std::string (info.param.name); });
} // namespace
