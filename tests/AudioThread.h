#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>
#include <thread>

/** Runs a processor on a thread of its own, as a host's audio thread does,
    with a signal that clips every fifth block. */
class AudioThread
{
public:
    explicit AudioThread (juce::AudioProcessor& processorToRun) : processor (processorToRun)
    {
        processor.prepareToPlay (48000.0, 256);
        thread = std::thread ([this] { run(); });
    }

    ~AudioThread()
    {
        stop = true;
        thread.join();
        processor.releaseResources();
    }

    int blocks() const { return processed; }

private:
    void run()
    {
        juce::AudioBuffer<float> buffer (2, 256);
        juce::MidiBuffer midi;

        for (auto block = 0; ! stop; ++block)
        {
            const auto level = block % 5 == 0 ? 1.2f : 0.2f;
            for (auto ch = 0; ch < 2; ++ch)
                for (auto i = 0; i < 256; ++i)
                    buffer.setSample (ch, i, level * std::sin (0.03f * static_cast<float> (i + block)));

            processor.processBlock (buffer, midi);
            ++processed;
        }
    }

    juce::AudioProcessor& processor;
    std::atomic<bool> stop { false };
    std::atomic<int> processed { 0 };
    std::thread thread;
};
