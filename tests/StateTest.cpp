#include "ProcessorTestHelpers.h"

#include <gtest/gtest.h>

using namespace processor_test;

namespace
{
juce::MemoryBlock saveState (VornAudioProcessor& processor)
{
    juce::MemoryBlock block;
    processor.getStateInformation (block);
    return block;
}

std::unique_ptr<juce::XmlElement> savedXml (VornAudioProcessor& processor)
{
    const auto block = saveState (processor);
    return juce::AudioProcessor::getXmlFromBinary (block.getData(), static_cast<int> (block.getSize()));
}

void restore (VornAudioProcessor& processor, const juce::MemoryBlock& block)
{
    processor.setStateInformation (block.getData(), static_cast<int> (block.getSize()));
}

juce::MemoryBlock blobOf (const juce::String& xmlText)
{
    juce::MemoryBlock block;
    juce::AudioProcessor::copyXmlToBinary (*juce::parseXML (xmlText), block);
    return block;
}

float plainValue (VornAudioProcessor& processor, const char* id)
{
    return processor.parameters.getRawParameterValue (id)->load();
}

double slotProperty (VornAudioProcessor& processor, const char* name)
{
    return processor.parameters.state.getProperty (name);
}

const auto minusThreeNormalised = (-3.0f + 24.0f) / 24.0f;

//==============================================================================
TEST (SavedState, FreshInstanceHasTheDocumentedLayout)
{
    VornAudioProcessor processor;
    EXPECT_EQ (processor.getActiveSlot(), 0);

    const auto block = saveState (processor);
    const auto* bytes = static_cast<const juce::uint8*> (block.getData());
    ASSERT_GT (block.getSize(), 9u);

    EXPECT_EQ (juce::ByteOrder::littleEndianInt (bytes), 0x21324356u);
    EXPECT_EQ (juce::String::fromUTF8 (reinterpret_cast<const char*> (bytes), 4), "VC2!");
    const auto length = juce::ByteOrder::littleEndianInt (bytes + 4);
    EXPECT_EQ (length + 9u, block.getSize());
    EXPECT_EQ (bytes[block.getSize() - 1], 0);

    const auto text = juce::String::fromUTF8 (reinterpret_cast<const char*> (bytes + 8), static_cast<int> (length));
    EXPECT_TRUE (text.startsWith ("<?xml"));
    EXPECT_FALSE (text.containsChar ('\n'));

    const auto xml = savedXml (processor);
    ASSERT_NE (xml, nullptr);
    EXPECT_TRUE (xml->hasTagName ("OKUVORNSETTINGS"));
    for (auto* name : { "abSlot", "abA0", "abA1", "abB0", "abB1" })
        EXPECT_FALSE (xml->hasAttribute (name)) << name;

    ASSERT_EQ (xml->getNumChildElements(), 2);
    EXPECT_EQ (xml->getChildElement (0)->getTagName(), "PARAM");
    EXPECT_EQ (xml->getChildElement (0)->getStringAttribute ("id"), "DryWetParam");
    EXPECT_EQ (xml->getChildElement (1)->getStringAttribute ("id"), "MasterGainParam");
    EXPECT_EQ (xml->getChildElement (1)->getDoubleAttribute ("value"), 0.0);
}

TEST (SavedState, RestoreBringsBackParametersAndSlots)
{
    VornAudioProcessor processor;
    setSkimming (processor, 0.4f);
    setOutputDb (processor, -3.0f);
    processor.switchToSlot (1);
    setSkimming (processor, 0.8f);
    const auto saved = saveState (processor);

    setSkimming (processor, 0.1f);
    setOutputDb (processor, -20.0f);
    processor.switchToSlot (0);
    restore (processor, saved);

    EXPECT_FLOAT_EQ (plainValue (processor, "DryWetParam"), 0.8f);
    EXPECT_FLOAT_EQ (plainValue (processor, "MasterGainParam"), -3.0f);
    EXPECT_EQ (processor.getActiveSlot(), 1);
    EXPECT_FLOAT_EQ (static_cast<float> (slotProperty (processor, "abA0")), 0.4f);
    EXPECT_FLOAT_EQ (static_cast<float> (slotProperty (processor, "abB0")), 0.4f);
}

TEST (SavedState, SaveRestoreSaveIsByteIdentical)
{
    VornAudioProcessor original;
    setSkimming (original, 0.37f);
    setOutputDb (original, -6.5f);
    original.switchToSlot (1);
    setOutputDb (original, -12.25f);
    const auto first = saveState (original);

    VornAudioProcessor restored;
    restore (restored, first);
    EXPECT_EQ (saveState (restored), first);

    VornAudioProcessor fresh;
    const auto freshBlob = saveState (fresh);
    VornAudioProcessor freshRestored;
    restore (freshRestored, freshBlob);
    EXPECT_EQ (saveState (freshRestored), freshBlob);
}

//==============================================================================
struct RefusedCase
{
    const char* name;
    std::function<juce::MemoryBlock (const juce::MemoryBlock& valid)> make;
};

std::ostream& operator<< (std::ostream& os, const RefusedCase& c) { return os << c.name; }

class RefusedStateTest : public testing::TestWithParam<RefusedCase> {};

TEST_P (RefusedStateTest, LeavesEverySettingUnchanged)
{
    VornAudioProcessor source;
    setSkimming (source, 0.9f);
    setOutputDb (source, -1.0f);
    source.switchToSlot (1);
    const auto valid = saveState (source);

    VornAudioProcessor processor;
    setSkimming (processor, 0.25f);
    setOutputDb (processor, -7.0f);
    const auto before = saveState (processor);

    const auto blob = GetParam().make (valid);
    processor.setStateInformation (blob.getData(), static_cast<int> (blob.getSize()));

    EXPECT_EQ (saveState (processor), before);
    EXPECT_FLOAT_EQ (plainValue (processor, "DryWetParam"), 0.25f);
    EXPECT_EQ (processor.getActiveSlot(), 0);
}

juce::MemoryBlock replaced (const juce::MemoryBlock& valid, const juce::String& from, const juce::String& to)
{
    auto xml = juce::AudioProcessor::getXmlFromBinary (valid.getData(), static_cast<int> (valid.getSize()));
    return blobOf (xml->toString().replace (from, to));
}

INSTANTIATE_TEST_SUITE_P (Blobs, RefusedStateTest, testing::Values (
    RefusedCase { "other_root", [] (const auto&) { return blobOf ("<OTHERPLUGIN><PARAM id=\"DryWetParam\" value=\"1\"/></OTHERPLUGIN>"); } },
    RefusedCase { "no_magic", [] (const auto& valid) { auto b = valid; static_cast<char*> (b.getData())[0] = 'X'; return b; } },
    RefusedCase { "plain_xml", [] (const auto& valid)
        {
            const auto text = juce::AudioProcessor::getXmlFromBinary (valid.getData(), static_cast<int> (valid.getSize()))->toString();
            return juce::MemoryBlock (text.toRawUTF8(), text.getNumBytesAsUTF8());
        } },
    RefusedCase { "cut_inside_xml", [] (const auto& valid) { return juce::MemoryBlock (valid.getData(), valid.getSize() / 2); } },
    RefusedCase { "header_only", [] (const auto& valid) { return juce::MemoryBlock (valid.getData(), 8); } },
    RefusedCase { "empty", [] (const auto&) { return juce::MemoryBlock(); } },
    RefusedCase { "invalid_utf8", [] (const auto& valid) { auto b = valid; static_cast<juce::uint8*> (b.getData())[b.getSize() - 4] = 0xf0; return b; } },
    RefusedCase { "nan_parameter", [] (const auto& valid) { return replaced (valid, "value=\"0.8999999761581421\"", "value=\"nan\""); } },
    RefusedCase { "inf_parameter", [] (const auto& valid) { return replaced (valid, "value=\"-1.0\"", "value=\"inf\""); } },
    RefusedCase { "text_parameter", [] (const auto& valid) { return replaced (valid, "value=\"-1.0\"", "value=\"loud\""); } },
    RefusedCase { "nan_slot", [] (const auto& valid) { return replaced (valid, "abA0=\"", "abA0=\"nan\" x=\""); } },
    RefusedCase { "infinite_slot", [] (const auto& valid) { return replaced (valid, "abB1=\"", "abB1=\"-inf\" x=\""); } },
    RefusedCase { "huge_slot", [] (const auto& valid) { return replaced (valid, "abB1=\"", "abB1=\"1e999\" x=\""); } }),
    [] (const auto& info) { return std::string (info.param.name); });

TEST (SavedState, RefusalCasesReallyChangeTheValidBlob)
{
    // Guards the table above: each textual edit must hit the saved text.
    VornAudioProcessor source;
    setSkimming (source, 0.9f);
    setOutputDb (source, -1.0f);
    source.switchToSlot (1);
    const auto text = savedXml (source)->toString();

    for (auto* fragment : { "value=\"0.8999999761581421\"", "value=\"-1.0\"", "abA0=\"", "abB1=\"" })
        EXPECT_TRUE (text.contains (fragment)) << fragment << " in " << text;
}

TEST (SavedState, RandomAndMutatedBlobsNeverCrashOrBreakTheState)
{
    VornAudioProcessor source;
    setSkimming (source, 0.6f);
    source.switchToSlot (1);
    const auto valid = saveState (source);

    juce::Random random (1234);
    VornAudioProcessor processor;
    const auto before = saveState (processor);

    for (auto round = 0; round < 3000; ++round)
    {
        juce::MemoryBlock blob;

        if (round % 2 == 0)
        {
            // Random bytes, half of them behind a correct magic number.
            blob.setSize (static_cast<size_t> (random.nextInt (200)));
            random.fillBitsRandomly (blob.getData(), blob.getSize());
            if (round % 4 == 0 && blob.getSize() >= 4)
                blob.copyFrom ("VC2!", 0, 4);

            processor.setStateInformation (blob.getData(), static_cast<int> (blob.getSize()));
            ASSERT_EQ (saveState (processor), before) << "round " << round;
            continue;
        }

        // A saved state with a few bytes flipped, dropped or cut off.
        blob = valid;
        auto* bytes = static_cast<juce::uint8*> (blob.getData());
        for (auto flips = random.nextInt ({ 1, 5 }); --flips >= 0;)
            bytes[random.nextInt (static_cast<int> (blob.getSize()))] = static_cast<juce::uint8> (random.nextInt (256));
        const auto size = random.nextBool() ? static_cast<int> (blob.getSize()) : random.nextInt (static_cast<int> (blob.getSize()));

        VornAudioProcessor target;
        target.setStateInformation (blob.getData(), size);

        for (auto* id : { "DryWetParam", "MasterGainParam" })
        {
            const auto value = plainValue (target, id);
            const auto& range = target.parameters.getParameter (id)->getNormalisableRange();
            ASSERT_TRUE (std::isfinite (value)) << "round " << round;
            ASSERT_TRUE (range.getRange().contains (value) || value == range.end) << "round " << round;
        }
        ASSERT_TRUE (target.getActiveSlot() == 0 || target.getActiveSlot() == 1);
        target.switchToSlot (1 - target.getActiveSlot());
    }
}

//==============================================================================
class SlotListener : public juce::AudioProcessorParameter::Listener
{
public:
    void parameterValueChanged (int index, float) override
    {
        events.add ("value " + juce::String (index));
    }

    void parameterGestureChanged (int index, bool starting) override
    {
        events.add ((starting ? "begin " : "end ") + juce::String (index));
    }

    juce::StringArray events;
};

TEST (Slots, TheDocumentedSequence)
{
    VornAudioProcessor processor;
    setSkimming (processor, 0.4f);
    setOutputDb (processor, -3.0f);

    processor.switchToSlot (1);
    EXPECT_EQ (processor.getActiveSlot(), 1);
    EXPECT_EQ (static_cast<int> (processor.parameters.state.getProperty ("abSlot")), 1);
    EXPECT_FLOAT_EQ (static_cast<float> (slotProperty (processor, "abA0")), 0.4f);
    EXPECT_FLOAT_EQ (static_cast<float> (slotProperty (processor, "abB0")), 0.4f);
    EXPECT_FLOAT_EQ (static_cast<float> (slotProperty (processor, "abA1")), minusThreeNormalised);
    EXPECT_FLOAT_EQ (static_cast<float> (slotProperty (processor, "abB1")), minusThreeNormalised);
    EXPECT_FLOAT_EQ (plainValue (processor, "DryWetParam"), 0.4f);
    EXPECT_FLOAT_EQ (plainValue (processor, "MasterGainParam"), -3.0f);

    setSkimming (processor, 0.8f);

    SlotListener listener;
    for (auto* parameter : processor.getParameters())
        parameter->addListener (&listener);

    processor.switchToSlot (0);

    for (auto* parameter : processor.getParameters())
        parameter->removeListener (&listener);

    EXPECT_EQ (processor.getActiveSlot(), 0);
    EXPECT_FLOAT_EQ (static_cast<float> (slotProperty (processor, "abB0")), 0.8f);
    EXPECT_FLOAT_EQ (plainValue (processor, "DryWetParam"), 0.4f);
    EXPECT_FLOAT_EQ (plainValue (processor, "MasterGainParam"), -3.0f);

    // Each recall is one complete gesture, Skimming first.
    EXPECT_EQ (listener.events, juce::StringArray ({ "begin 0", "value 0", "end 0", "begin 1", "value 1", "end 1" }));
}

TEST (Slots, SwitchingToTheActiveSlotDoesNothing)
{
    VornAudioProcessor processor;
    setSkimming (processor, 0.3f);
    const auto before = saveState (processor);

    processor.switchToSlot (0);
    EXPECT_EQ (saveState (processor), before);
    EXPECT_FALSE (processor.parameters.state.hasProperty ("abA0"));

    processor.switchToSlot (1);
    setSkimming (processor, 0.7f);
    const auto onB = processor.parameters.state.createCopy();
    processor.switchToSlot (1);
    EXPECT_TRUE (processor.parameters.state.isEquivalentTo (onB));
}

TEST (Slots, SlotNumbersOtherThanOneMeanA)
{
    VornAudioProcessor processor;
    processor.switchToSlot (7);
    EXPECT_EQ (processor.getActiveSlot(), 0);
    EXPECT_FALSE (processor.parameters.state.hasProperty ("abA0"));

    setSkimming (processor, 0.55f);
    processor.storeSlot (7);
    EXPECT_FLOAT_EQ (static_cast<float> (slotProperty (processor, "abB0")), 0.55f);
    EXPECT_TRUE (processor.parameters.state.hasProperty ("abB1"));
    EXPECT_FALSE (processor.parameters.state.hasProperty ("abA0"));

    EXPECT_EQ (VornAudioProcessor::slotPropertyName (0, 1).toString(), "abA1");
    EXPECT_EQ (VornAudioProcessor::slotPropertyName (-1, 0).toString(), "abB0");
}

TEST (Slots, SlotChangesStayOutOfTheUndoHistory)
{
    VornAudioProcessor processor;
    processor.switchToSlot (1);
    processor.switchToSlot (0);
    EXPECT_FALSE (processor.parameters.undoManager->canUndo());
}

struct RestoredSlotCase
{
    const char* name;
    const char* rootAttributes;
    float expectedSkimming, expectedOutputDb;
    int activeSlot;
};

std::ostream& operator<< (std::ostream& os, const RestoredSlotCase& c) { return os << c.name; }

class RestoredSlotTest : public testing::TestWithParam<RestoredSlotCase> {};

// The restored instance sits on one slot; switching recalls the other.
TEST_P (RestoredSlotTest, RecallClampsAndFillsMissingValues)
{
    const auto& c = GetParam();
    VornAudioProcessor processor;
    restore (processor, blobOf (juce::String ("<OKUVORNSETTINGS ") + c.rootAttributes + ">"
                                "<PARAM id=\"DryWetParam\" value=\"0.2\"/><PARAM id=\"MasterGainParam\" value=\"-2.0\"/>"
                                "</OKUVORNSETTINGS>"));

    EXPECT_EQ (processor.getActiveSlot(), c.activeSlot);
    processor.switchToSlot (1 - c.activeSlot);

    EXPECT_FLOAT_EQ (plainValue (processor, "DryWetParam"), c.expectedSkimming);
    EXPECT_FLOAT_EQ (plainValue (processor, "MasterGainParam"), c.expectedOutputDb);
}

INSTANTIATE_TEST_SUITE_P (Trees, RestoredSlotTest, testing::Values (
    RestoredSlotCase { "clamped_above", "abSlot=\"1\" abA0=\"1.7\" abA1=\"0.5\"", 1.0f, -12.0f, 1 },
    RestoredSlotCase { "clamped_below", "abSlot=\"1\" abA0=\"-3\" abA1=\"2\"", 0.0f, 0.0f, 1 },
    RestoredSlotCase { "missing_output", "abB0=\"0.6\"", 0.6f, -24.0f, 0 },
    RestoredSlotCase { "slot_two_reads_a", "abSlot=\"2\" abB0=\"0.3\" abB1=\"1\"", 0.3f, 0.0f, 0 },
    RestoredSlotCase { "never_stored_copies", "abSlot=\"1\"", 0.2f, -2.0f, 1 }),
    [] (const auto& info) { return std::string (info.param.name); });
} // namespace
