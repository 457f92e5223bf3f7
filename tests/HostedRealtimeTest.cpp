#include "HostedPlugin.h"
#include "RealtimeWatch.h"

#include <gtest/gtest.h>

// Counts the heap allocations made on the audio thread by the real VST3
// process call of the built plug-in: JUCE's host hands the block to the
// plug-in's wrapper, which runs processBlock.
namespace
{
struct BlockCase
{
    double rate;
    int blockSize;
};

std::ostream& operator<< (std::ostream& os, const BlockCase& c) { return os << c.rate << " Hz, " << c.blockSize; }

class HostedVst3RealtimeTest : public testing::TestWithParam<BlockCase> {};

TEST_P (HostedVst3RealtimeTest, ProcessCallAllocatesNothingAfterWarmUp)
{
    const auto& c = GetParam();
    auto hosted = HostedPlugin::loadVst3();
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

INSTANTIATE_TEST_SUITE_P (Blocks, HostedVst3RealtimeTest, testing::Values (
    BlockCase { 44100.0, 64 }, BlockCase { 48000.0, 256 }, BlockCase { 96000.0, 512 }));
} // namespace
