#include "EditorScreenshot.h"

#include "ProcessorSetup.h"

namespace
{
/** Runs the message loop long enough for every editor timer (the slowest
    ticks at 10 Hz) to fire once. */
void letTimersRunOnce()
{
    juce::Timer::callAfterDelay (150, [] { juce::MessageManager::getInstance()->stopDispatchLoop(); });
    juce::MessageManager::getInstance()->runDispatchLoop();
}
} // namespace

juce::Image EditorScreenshot::take (const Settings& settings)
{
    VornAudioProcessor processor;

    // The slot first: switching recalls the slot's stored values, which the
    // given settings then replace. Then ready to play, as in a host.
    if (settings.activeSlot == 1)
        processor.switchToSlot (1);

    setUpProcessor (processor, 2, 48000.0, 512, settings.skimmingPercent, settings.outputDb);
    processor.clipFlag = settings.clipped;

    std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditorIfNeeded());
    letTimersRunOnce();

    return editor->createComponentSnapshot (editor->getLocalBounds(), true, static_cast<float> (settings.scale));
}
