#include "HostedPlugin.h"
#include "RealtimeWatch.h"

#include <gtest/gtest.h>

// Counts the heap allocations made on the audio thread by the real process
// call of the built plug-in: JUCE's host hands the block to the format's
// wrapper inside the plug-in, which runs processBlock.
namespace
{
struct HostedBlockCase
{
    const char* format;
    HostedPlugin (*load)();
    double rate;
    int blockSize;
};

std::ostream& operator<< (std::ostream& os, const HostedBlockCase& c)
{
    return os << c.format << ", " << c.rate << " Hz, " << c.blockSize;
}

class HostedRealtimeTest : public testing::TestWithParam<HostedBlockCase> {};

TEST_P (HostedRealtimeTest, ProcessCallAllocatesNothingAfterWarmUp)
{
    const auto& c = GetParam();
    auto hosted = c.load();
    ASSERT_NE (hosted.instance, nullptr);

    auto& plugin = *hosted.instance;
    plugin.getParameters()[0]->setValueNotifyingHost (0.5f);
    plugin.prepareToPlay (c.rate, c.blockSize);

    juce::AudioBuffer<float> buffer (2, c.blockSize);
    juce::MidiBuffer midi;
    juce::Random random (7);

    const auto processBlock = [&]
    {
        for (auto ch = 0; ch < 2; ++ch)
            for (auto i = 0; i < c.blockSize; ++i)
                buffer.setSample (ch, i, 0.5f * (random.nextFloat() * 2.0f - 1.0f));

        return RealtimeWatch::count ([&] { plugin.processBlock (buffer, midi); });
    };

    for (auto block = 0; block < 4; ++block)
        processBlock();

    for (auto block = 0; block < 16; ++block)
        EXPECT_EQ (processBlock().allocations, 0) << "block " << block;

    plugin.releaseResources();
}

const HostedBlockCase hostedBlocks[] {
    { "VST3", HostedPlugin::loadVst3, 44100.0, 64 },
    { "VST3", HostedPlugin::loadVst3, 48000.0, 256 },
    { "VST3", HostedPlugin::loadVst3, 96000.0, 512 },
   #ifdef VORN_LV2_BINARY
    { "LV2", HostedPlugin::loadLv2, 44100.0, 64 },
    { "LV2", HostedPlugin::loadLv2, 96000.0, 512 },
   #endif
};

INSTANTIATE_TEST_SUITE_P (Blocks, HostedRealtimeTest, testing::ValuesIn (hostedBlocks),
                          [] (const auto& info)
                          {
                              const auto& c = info.param;
                              return std::string (c.format) + "_" + std::to_string (static_cast<int> (c.rate))
                                     + "_" + std::to_string (c.blockSize);
                          });
} // namespace
