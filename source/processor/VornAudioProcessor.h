#pragma once

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_dsp/juce_dsp.h>

#include "curve/BandStage.h"
#include "curve/BlueStage.h"
#include "curve/RedStage.h"

#include <atomic>

/** The Vorn processor: the curve, the Skimming blend, the Output level, the
    clip flag, the saved state and the A/B setting slots. */
class VornAudioProcessor : public juce::AudioProcessor,
                           public juce::AudioProcessorValueTreeState::Listener
{
public:
    VornAudioProcessor();
    ~VornAudioProcessor() override;

    const juce::String getName() const override;

    void prepareToPlay (double sampleRate, int maximumExpectedSamplesPerBlock) override;
    void releaseResources() override;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midiMessages) override;
    using juce::AudioProcessor::processBlock;

    double getTailLengthSeconds() const override;
    bool acceptsMidi() const override;
    bool producesMidi() const override;
    bool isMidiEffect() const override;

    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override;

    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram (int index) override;
    const juce::String getProgramName (int index) override;
    void changeProgramName (int index, const juce::String& newName) override;

    void getStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;

    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;

    void parameterChanged (const juce::String& parameterID, float newValue) override;

    int getActiveSlot() const;
    void storeSlot (int slot);
    void switchToSlot (int slot);
    static juce::Identifier slotPropertyName (int slot, int index);

    static juce::AudioProcessorValueTreeState::ParameterLayout createParameterLayout();

    std::atomic<bool> clipFlag { false };
    juce::AudioProcessorValueTreeState parameters;

private:
    using HighPass = juce::dsp::ProcessorDuplicator<juce::dsp::IIR::Filter<float>,
                                                    juce::dsp::IIR::Coefficients<float>>;

    void processCurve (juce::AudioBuffer<float>& buffer);
    void resetFilters();
    static bool isWetSignalPoisoned (const juce::AudioBuffer<float>& wet, int numMixedChannels);
    void mixDryAndWet (juce::AudioBuffer<float>& buffer, int numMixedChannels);
    void detectClipping (const juce::AudioBuffer<float>& buffer);
    void recallSlot (int slot);
    static bool isAcceptableState (const juce::XmlElement& xml);
    static std::unique_ptr<juce::XmlElement> readStateBlob (const void* data, int sizeInBytes);

    juce::AudioBuffer<float> dryBuffer;
    HighPass highPassFilters;
    juce::SmoothedValue<float> smoothedDryWet;
    BandStage bandStage1 { true, 177.0f, -58.0f, 28.0f };
    BandStage bandStage2 { false, 20000.0f, 100.0f, 52.0f };
    BandStage bandStage3 { false, 8304.0f, 37.0f, 100.0f };
    BlueStage blueStage { true, 15.0f, 72.0f, 72.0f };
    RedStage redStage { false, 29.0f, 51.0f, 68.0f };
    std::atomic<float>* dryWetValue = nullptr;
    std::atomic<float>* masterGainValue = nullptr;
    juce::UndoManager undoManager;

    // Guards the tree against a host that saves the state from another thread
    // while the user switches slots; never taken on the audio thread.
    juce::CriticalSection stateLock;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VornAudioProcessor)
};
