#include <juce_audio_processors/juce_audio_processors.h>

#include <gtest/gtest.h>

// Loads the plug-in bundles that this build produced through JUCE's own hosts,
// the way a DAW would, and checks what a host sees.
namespace
{
juce::File vst3Bundle()
{
    // The module binary sits in Vorn.vst3/Contents/<arch>/.
    return juce::File (VORN_VST3_BINARY).getParentDirectory().getParentDirectory().getParentDirectory();
}

#ifdef VORN_LV2_BINARY
juce::File lv2Bundle()
{
    return juce::File (VORN_LV2_BINARY).getParentDirectory();
}
#endif

struct HostedPlugin
{
    std::unique_ptr<juce::AudioPluginFormat> format;
    juce::PluginDescription description;
    std::unique_ptr<juce::AudioPluginInstance> instance;
};

HostedPlugin loadVst3()
{
    HostedPlugin hosted { std::make_unique<juce::VST3PluginFormat>(), {}, {} };
    juce::OwnedArray<juce::PluginDescription> types;
    hosted.format->findAllTypesForFile (types, vst3Bundle().getFullPathName());

    if (types.size() == 1)
    {
        hosted.description = *types[0];
        juce::String error;
        hosted.instance = hosted.format->createInstanceFromDescription (hosted.description, 48000.0, 256, error);
    }

    return hosted;
}

#ifdef VORN_LV2_BINARY
HostedPlugin loadLv2()
{
    HostedPlugin hosted { std::make_unique<juce::LV2PluginFormat>(), {}, {} };

    const auto uris = hosted.format->searchPathsForPlugins (juce::FileSearchPath (lv2Bundle().getParentDirectory().getFullPathName()), false, false);

    if (uris.contains (JucePlugin_LV2URI))
    {
        juce::OwnedArray<juce::PluginDescription> types;
        hosted.format->findAllTypesForFile (types, JucePlugin_LV2URI);

        if (types.size() == 1)
        {
            hosted.description = *types[0];
            juce::String error;
            hosted.instance = hosted.format->createInstanceFromDescription (hosted.description, 48000.0, 256, error);
        }
    }

    return hosted;
}
#endif

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

const FormatCase builtFormats[] {
    { "VST3", loadVst3 },
   #ifdef VORN_LV2_BINARY
    { "LV2", loadLv2 },
   #endif
};

INSTANTIATE_TEST_SUITE_P (Formats, PluginHostTest, testing::ValuesIn (builtFormats),
                          [] (const auto& info) { return std::string (info.param.name); });
} // namespace
