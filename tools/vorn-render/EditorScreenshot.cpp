#include "EditorScreenshot.h"

#include "processor/VornAudioProcessor.h"

namespace
{
void setPlainValue (VornAudioProcessor& processor, const char* id, float plainValue)
{
    auto* parameter = processor.parameters.getParameter (id);
    parameter->setValueNotifyingHost (parameter->convertTo0to1 (plainValue));
}

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
    // given settings then replace.
    if (settings.activeSlot == 1)
        processor.switchToSlot (1);

    setPlainValue (processor, "DryWetParam", settings.skimmingPercent / 100.0f);
    setPlainValue (processor, "MasterGainParam", settings.outputDb);
    processor.clipFlag = settings.clipped;

    std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditorIfNeeded());
    letTimersRunOnce();

    return editor->createComponentSnapshot (editor->getLocalBounds(), true, static_cast<float> (settings.scale));
}
