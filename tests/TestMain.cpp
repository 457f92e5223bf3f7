#include <juce_events/juce_events.h>

#include <gtest/gtest.h>

// The processor's parameter tree and the hosting classes expect a message
// manager on the thread that creates them; the tests run on that thread.
int main (int argc, char** argv)
{
    testing::InitGoogleTest (&argc, argv);
    const juce::ScopedJuceInitialiser_GUI juce;
    return RUN_ALL_TESTS();
}
