#include "ProcessorTestHelpers.h"

#include "RealtimeWatch.h"

#include <gtest/gtest.h>

using namespace processor_test;

namespace
{
RealtimeWatch::Counts processWatched (VornAudioProcessor& processor, juce::AudioBuffer<float>& buffer)
{
    juce::MidiBuffer midi;
    return RealtimeWatch::count ([&] { processor.processBlock (buffer, midi); });
}

TEST (RealtimeSafetyCheck, TheCountersSeeAllocationsAndLocks)
{
    juce::CriticalSection lock;
    juce::HeapBlock<float> block;
    const auto counts = RealtimeWatch::count ([&]
    {
        block.malloc (16);
        const juce::ScopedLock sl (lock);
    });

    EXPECT_EQ (counts.allocations, 1);
    EXPECT_EQ (counts.mutexLocks, 1);
}

struct RealtimeCase
{
    int channels;
    double rate;
};

class RealtimeSafetyTest : public testing::TestWithParam<RealtimeCase> {};

TEST_P (RealtimeSafetyTest, ProcessBlockNeitherAllocatesNorLocks)
{
    const auto& c = GetParam();
    constexpr int prepared = 1024;

    VornAudioProcessor processor;
    useLayout (processor, c.channels == 1 ? juce::AudioChannelSet::mono() : juce::AudioChannelSet::stereo());
    processor.prepareToPlay (c.rate, prepared);

    auto block = 0;
    for (auto size : { 1, 17, 32, 64, 256, 512, 1000, prepared, 0 })
    {
        // Parameter moves between blocks keep the glide and the gain changing.
        setSkimming (processor, (block % 3) * 0.5f);
        setOutputDb (processor, -3.0f * static_cast<float> (block % 4));
        ++block;

        auto buffer = noise (c.channels, size, size, 1.5f);
        const auto counts = processWatched (processor, buffer);
        EXPECT_EQ (counts.allocations, 0) << size << " samples";
        EXPECT_EQ (counts.mutexLocks, 0) << size << " samples";
    }
}

INSTANTIATE_TEST_SUITE_P (Layouts, RealtimeSafetyTest, testing::Values (
    RealtimeCase { 1, 44100.0 }, RealtimeCase { 2, 44100.0 },
    RealtimeCase { 1, 48000.0 }, RealtimeCase { 2, 48000.0 },
    RealtimeCase { 1, 96000.0 }, RealtimeCase { 2, 96000.0 }));

TEST (RealtimeSafety, LongerBlockAllocatesOnceThenNeverAgain)
{
    VornAudioProcessor processor;
    setSkimming (processor, 0.5f);
    processor.prepareToPlay (48000.0, 256);

    auto longer = noise (2, 2048, 1);
    EXPECT_GE (processWatched (processor, longer).allocations, 1);

    for (auto size : { 2048, 2048, 256, 1500, 2048 })
    {
        auto buffer = noise (2, size, size);
        EXPECT_EQ (processWatched (processor, buffer).allocations, 0) << size << " samples";
    }
}
} // namespace
