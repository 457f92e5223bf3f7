#include "ProcessorTestHelpers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace processor_test;

namespace
{
// Behaves like a busy host: automation every 32 samples on the audio thread,
// state saves from a worker thread and slot switches on the message thread,
// all while audio runs; between runs the host re-prepares with other settings.
TEST (HostStress, ConcurrentAutomationSavesAndSlotSwitchesStayClean)
{
    VornAudioProcessor processor;
    auto* skimming = processor.parameters.getParameter ("DryWetParam");
    auto* output = processor.parameters.getParameter ("MasterGainParam");

    const std::pair<double, int> settings[] { { 44100.0, 512 }, { 96000.0, 64 }, { 48000.0, 1024 }, { 22050.0, 128 } };

    for (const auto& [rate, blockSize] : settings)
    {
        processor.prepareToPlay (rate, blockSize);

        std::atomic<bool> running { true };
        std::atomic<bool> allFinite { true };
        std::atomic<int> blocksProcessed { 0 }, statesSaved { 0 };

        std::thread audio ([&]
        {
            juce::Random random (static_cast<juce::int64> (rate));
            juce::AudioBuffer<float> buffer (2, blockSize);
            juce::MidiBuffer midi;

            while (running)
            {
                for (auto start = 0; start < blockSize; start += 32)
                {
                    skimming->setValue (random.nextFloat());
                    output->setValue (random.nextFloat());

                    const auto n = juce::jmin (32, blockSize - start);
                    buffer.setSize (2, n, false, false, true);
                    for (auto c = 0; c < 2; ++c)
                        for (auto i = 0; i < n; ++i)
                            buffer.setSample (c, i, random.nextFloat() * 2.0f - 1.0f);

                    processor.processBlock (buffer, midi);

                    for (auto c = 0; c < 2; ++c)
                        for (auto i = 0; i < n; ++i)
                            if (! std::isfinite (buffer.getSample (c, i)))
                                allFinite = false;
                }
                ++blocksProcessed;
            }
        });

        std::thread saver ([&]
        {
            while (running)
            {
                juce::MemoryBlock block;
                processor.getStateInformation (block);
                if (block.getSize() > 8)
                    ++statesSaved;
            }
        });

        for (auto i = 0; i < 400; ++i)
        {
            processor.switchToSlot (i % 2);
            std::this_thread::yield();
        }

        while (blocksProcessed < 50 || statesSaved < 50)
            std::this_thread::yield();

        running = false;
        audio.join();
        saver.join();

        EXPECT_TRUE (allFinite.load()) << rate << " Hz, " << blockSize << " samples";
    }

    // A saved state from the stressed instance still restores cleanly.
    juce::MemoryBlock block;
    processor.getStateInformation (block);
    VornAudioProcessor restored;
    restored.setStateInformation (block.getData(), static_cast<int> (block.getSize()));
    juce::MemoryBlock again;
    restored.getStateInformation (again);
    EXPECT_EQ (again, block);
}
} // namespace
