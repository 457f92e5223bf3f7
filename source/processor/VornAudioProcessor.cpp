#include "VornAudioProcessor.h"

#include "editor/VornAudioProcessorEditor.h"

#include <algorithm>
#include <cmath>

namespace
{
const juce::String dryWetId { "DryWetParam" };
const juce::String masterGainId { "MasterGainParam" };

// A slot's index 0 holds the Skimming amount, index 1 the Output level.
const juce::String slotParameterIds[] { dryWetId, masterGainId };

juce::String skimmingToText (float value, int)
{
    return juce::String (juce::roundToInt (value * 100.0f));
}

float skimmingFromText (const juce::String& text)
{
    return juce::jlimit (0.0f, 1.0f, text.getFloatValue() / 100.0f);
}

juce::String outputToText (float decibels, int)
{
    return juce::String (decibels, 1);
}

float outputFromText (const juce::String& text)
{
    return juce::jlimit (-24.0f, 0.0f, text.getFloatValue());
}

// Locale-independent, like the parameter tree's own reading of the values.
bool isFiniteNumberText (const juce::String& text)
{
    const auto trimmed = text.trim();
    auto position = trimmed.getCharPointer();

    if (position.isEmpty())
        return false;

    const auto start = position;
    const auto number = juce::CharacterFunctions::readDoubleValue (position);
    return position != start && position.isEmpty() && std::isfinite (number);
}
} // namespace

//==============================================================================
VornAudioProcessor::VornAudioProcessor()
    : juce::AudioProcessor (BusesProperties()
                                .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                                .withOutput ("Output", juce::AudioChannelSet::stereo(), true)),
      parameters (*this, &undoManager, juce::Identifier ("OKUVORNSETTINGS"), createParameterLayout())
{
    parameters.addParameterListener (dryWetId, this);
    parameters.addParameterListener (masterGainId, this);
    dryWetValue = parameters.getRawParameterValue (dryWetId);
    masterGainValue = parameters.getRawParameterValue (masterGainId);
}

VornAudioProcessor::~VornAudioProcessor()
{
    parameters.removeParameterListener (dryWetId, this);
    parameters.removeParameterListener (masterGainId, this);
}

juce::AudioProcessorValueTreeState::ParameterLayout VornAudioProcessor::createParameterLayout()
{
    juce::AudioProcessorValueTreeState::ParameterLayout layout;

    layout.add (std::make_unique<juce::AudioParameterFloat> (juce::ParameterID { dryWetId, 1 },
                                                             "Skimming",
                                                             juce::NormalisableRange<float> (0.0f, 1.0f, 0.01f, 1.0f),
                                                             0.0f,
                                                             "%",
                                                             juce::AudioProcessorParameter::genericParameter,
                                                             skimmingToText,
                                                             skimmingFromText));

    layout.add (std::make_unique<juce::AudioParameterFloat> (juce::ParameterID { masterGainId, 1 },
                                                             "Output",
                                                             juce::NormalisableRange<float> (-24.0f, 0.0f, 0.01f, 1.0f),
                                                             0.0f,
                                                             "dB",
                                                             juce::AudioProcessorParameter::genericParameter,
                                                             outputToText,
                                                             outputFromText));
    return layout;
}

//==============================================================================
const juce::String VornAudioProcessor::getName() const { return "Vorn"; }

double VornAudioProcessor::getTailLengthSeconds() const { return 0.0; }
bool VornAudioProcessor::acceptsMidi() const { return false; }
bool VornAudioProcessor::producesMidi() const { return false; }
bool VornAudioProcessor::isMidiEffect() const { return false; }

juce::AudioProcessorEditor* VornAudioProcessor::createEditor()
{
    return new VornAudioProcessorEditor (*this, parameters);
}

bool VornAudioProcessor::hasEditor() const { return true; }

int VornAudioProcessor::getNumPrograms() { return 1; }
int VornAudioProcessor::getCurrentProgram() { return 0; }
void VornAudioProcessor::setCurrentProgram (int) {}
// Hosts list the one program by name (VST3 validators refuse an unnamed one);
// there is no program at any other index.
const juce::String VornAudioProcessor::getProgramName (int index) { return index == 0 ? "Default" : ""; }
void VornAudioProcessor::changeProgramName (int, const juce::String&) {}

void VornAudioProcessor::releaseResources() {}

void VornAudioProcessor::parameterChanged (const juce::String&, float) {}

bool VornAudioProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    const auto output = layouts.getMainOutputChannelSet();

    if (output != juce::AudioChannelSet::mono() && output != juce::AudioChannelSet::stereo())
        return false;

    return layouts.getMainInputChannelSet() == output;
}

//==============================================================================
void VornAudioProcessor::prepareToPlay (double sampleRate, int maximumExpectedSamplesPerBlock)
{
    bandStage1.prepare (sampleRate, maximumExpectedSamplesPerBlock);
    bandStage2.prepare (sampleRate, maximumExpectedSamplesPerBlock);
    bandStage3.prepare (sampleRate, maximumExpectedSamplesPerBlock);
    blueStage.prepare (sampleRate, maximumExpectedSamplesPerBlock);
    redStage.prepare (sampleRate, maximumExpectedSamplesPerBlock);

    resetFilters();

    *highPassFilters.state = juce::dsp::IIR::ArrayCoefficients<float>::makeHighPass (sampleRate, 120.0f);
    highPassFilters.prepare ({ sampleRate, static_cast<juce::uint32> (juce::jmax (0, maximumExpectedSamplesPerBlock)), 2 });
    highPassFilters.reset();

    bandStage1.update (-58.0f);
    bandStage2.update (100.0f);
    bandStage3.update (37.0f);
    blueStage.update (72.0f);
    redStage.update (51.0f);

    dryBuffer.setSize (2, maximumExpectedSamplesPerBlock, false, false, true);

    smoothedDryWet.reset (sampleRate, 0.02);
    smoothedDryWet.setCurrentAndTargetValue (dryWetValue->load());

    setLatencySamples (0);
}

void VornAudioProcessor::resetFilters()
{
    bandStage1.reset();
    bandStage2.reset();
    bandStage3.reset();
    blueStage.reset();
    redStage.reset();
    highPassFilters.reset();
}

void VornAudioProcessor::processCurve (juce::AudioBuffer<float>& buffer)
{
    bandStage1.process (buffer);
    bandStage2.process (buffer);
    bandStage3.process (buffer);
    blueStage.process (buffer);
    redStage.process (buffer);
}

void VornAudioProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    juce::ScopedNoDenormals noDenormals;

    const auto numSamples = buffer.getNumSamples();
    const auto numInputs = getTotalNumInputChannels();

    for (auto channel = numInputs; channel < getTotalNumOutputChannels(); ++channel)
        buffer.clear (channel, 0, numSamples);

    const auto numMixed = juce::jmin (numInputs, dryBuffer.getNumChannels(), buffer.getNumChannels());

    // A host may deliver more than it announced; this is the only allocation here.
    if (numSamples > dryBuffer.getNumSamples())
        dryBuffer.setSize (dryBuffer.getNumChannels(), numSamples, false, false, true);

    for (auto channel = 0; channel < numMixed; ++channel)
        dryBuffer.copyFrom (channel, 0, buffer, channel, 0, numSamples);

    processCurve (buffer);

    if (numMixed > 0)
    {
        auto wet = juce::dsp::AudioBlock<float> (buffer).getSubsetChannelBlock (0, static_cast<size_t> (numMixed));
        highPassFilters.process (juce::dsp::ProcessContextReplacing<float> (wet));
    }

    if (isWetSignalPoisoned (buffer, numMixed))
        resetFilters();

    smoothedDryWet.setTargetValue (dryWetValue->load());
    mixDryAndWet (buffer, numMixed);

    buffer.applyGain (juce::Decibels::decibelsToGain (masterGainValue->load()));

    detectClipping (buffer);
}

bool VornAudioProcessor::isWetSignalPoisoned (const juce::AudioBuffer<float>& wet, int numMixedChannels)
{
    // A non-finite sample anywhere in the block keeps the recursive filters'
    // output non-finite up to its end, so the last sample tells whether their
    // state is poisoned; NaN or infinity from upstream must not outlive its block.
    const auto last = wet.getNumSamples() - 1;

    for (auto channel = 0; channel < numMixedChannels && last >= 0; ++channel)
        if (! std::isfinite (wet.getSample (channel, last)))
            return true;

    return false;
}

void VornAudioProcessor::mixDryAndWet (juce::AudioBuffer<float>& buffer, int numMixedChannels)
{
    auto* const* wet = buffer.getArrayOfWritePointers();
    const auto* const* dry = dryBuffer.getArrayOfReadPointers();

    for (auto i = 0; i < buffer.getNumSamples(); ++i)
    {
        const auto mix = smoothedDryWet.getNextValue();

        for (auto channel = 0; channel < numMixedChannels; ++channel)
            wet[channel][i] = dry[channel][i] * (1.0f - mix) + wet[channel][i] * mix;
    }
}

void VornAudioProcessor::detectClipping (const juce::AudioBuffer<float>& buffer)
{
    const auto numChannels = juce::jmin (getTotalNumInputChannels(), buffer.getNumChannels());

    for (auto channel = 0; channel < numChannels; ++channel)
        if (buffer.getMagnitude (channel, 0, buffer.getNumSamples()) >= 0.99f)
            clipFlag.store (true);
}

//==============================================================================
void VornAudioProcessor::getStateInformation (juce::MemoryBlock& destData)
{
    const juce::ScopedLock lock (stateLock);

    if (auto xml = parameters.copyState().createXml())
        copyXmlToBinary (*xml, destData);
}

bool VornAudioProcessor::isAcceptableState (const juce::XmlElement& xml)
{
    for (auto slot : { 0, 1 })
        for (auto index : { 0, 1 })
        {
            const auto name = slotPropertyName (slot, index).toString();

            if (xml.hasAttribute (name) && ! isFiniteNumberText (xml.getStringAttribute (name)))
                return false;
        }

    if (xml.hasAttribute ("abSlot") && ! isFiniteNumberText (xml.getStringAttribute ("abSlot")))
        return false;

    for (auto* child : xml.getChildWithTagNameIterator ("PARAM"))
        if (child->hasAttribute ("value") && ! isFiniteNumberText (child->getStringAttribute ("value")))
            return false;

    return true;
}

std::unique_ptr<juce::XmlElement> VornAudioProcessor::readStateBlob (const void* data, int sizeInBytes)
{
    constexpr int headerSize = 8;

    if (data == nullptr || sizeInBytes <= headerSize)
        return {};

    const auto* bytes = static_cast<const char*> (data);
    const auto declaredLength = static_cast<juce::int64> (juce::ByteOrder::littleEndianInt (bytes + 4));
    const auto textLength = static_cast<int> (std::min<juce::int64> (declaredLength, sizeInBytes - headerSize));

    // The XML parser reads past the end of text that is not valid UTF-8, so a
    // damaged blob is refused before it gets there.
    if (! juce::CharPointer_UTF8::isValidString (bytes + headerSize, textLength))
        return {};

    return getXmlFromBinary (data, sizeInBytes);
}

void VornAudioProcessor::setStateInformation (const void* data, int sizeInBytes)
{
    const auto xml = readStateBlob (data, sizeInBytes);

    if (xml == nullptr || ! xml->hasTagName (parameters.state.getType().toString()) || ! isAcceptableState (*xml))
        return;

    const juce::ScopedLock lock (stateLock);
    parameters.replaceState (juce::ValueTree::fromXml (*xml));
}

//==============================================================================
juce::Identifier VornAudioProcessor::slotPropertyName (int slot, int index)
{
    return juce::String ("ab") + (slot == 0 ? "A" : "B") + juce::String (index);
}

int VornAudioProcessor::getActiveSlot() const
{
    const juce::ScopedLock lock (stateLock);
    return static_cast<int> (parameters.state.getProperty ("abSlot", 0)) == 1 ? 1 : 0;
}

void VornAudioProcessor::storeSlot (int slot)
{
    const juce::ScopedLock lock (stateLock);

    for (auto index : { 0, 1 })
    {
        const auto normalised = parameters.getParameter (slotParameterIds[index])->getValue();
        parameters.state.setProperty (slotPropertyName (slot, index), static_cast<double> (normalised), nullptr);
    }
}

void VornAudioProcessor::recallSlot (int slot)
{
    for (auto index : { 0, 1 })
    {
        float value;
        {
            const juce::ScopedLock lock (stateLock);
            value = static_cast<float> (parameters.state.getProperty (slotPropertyName (slot, index), 0.0));
        }

        // The host is notified outside the lock, so it may ask for the state meanwhile.
        auto* parameter = parameters.getParameter (slotParameterIds[index]);
        parameter->beginChangeGesture();
        parameter->setValueNotifyingHost (juce::jlimit (0.0f, 1.0f, value));
        parameter->endChangeGesture();
    }
}

void VornAudioProcessor::switchToSlot (int slot)
{
    const auto target = slot == 1 ? 1 : 0;

    const auto active = getActiveSlot();

    if (active == target)
        return;

    storeSlot (active);

    const auto targetStored = [&]
    {
        const juce::ScopedLock lock (stateLock);
        return parameters.state.hasProperty (slotPropertyName (target, 0));
    }();

    if (targetStored)
        recallSlot (target);
    else
        storeSlot (target);

    const juce::ScopedLock lock (stateLock);
    parameters.state.setProperty ("abSlot", target, nullptr);
}

//==============================================================================
juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new VornAudioProcessor();
}
