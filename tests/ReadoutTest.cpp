#include "GuiTestHelpers.h"
#include "gui/Knob.h"
#include "gui/Readout.h"

#include <gtest/gtest.h>

using namespace gui_test;
using vorn::gui::Readout;
using Unit = vorn::gui::Readout::Unit;

namespace
{
struct TextCase
{
    double value;
    Unit unit;
    juce::String text;
};

class ReadoutTextTest : public testing::TestWithParam<TextCase> {};

TEST_P (ReadoutTextTest, ShowsTheCanonicalText)
{
    EXPECT_EQ (Readout::textForValue (GetParam().value, GetParam().unit), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P (Values, ReadoutTextTest, testing::Values (
    TextCase { 0.37, Unit::percentage, "37" },
    TextCase { 0.0, Unit::percentage, "0" },
    TextCase { 1.0, Unit::percentage, "100" },
    TextCase { -6.5, Unit::decibels, "-6.5" },
    TextCase { -0.04, Unit::decibels, "0.0" },
    TextCase { 0.0, Unit::decibels, "0.0" },
    TextCase { -0.05, Unit::decibels, juce::String (-0.05, 1) },
    TextCase { -24.0, Unit::decibels, "-24.0" }));

struct TypedCase
{
    const char* typed;
    Unit unit;
    double value;
};

std::ostream& operator<< (std::ostream& os, const TypedCase& c) { return os << '"' << c.typed << '"'; }

class ReadoutTypedTest : public testing::TestWithParam<TypedCase> {};

TEST_P (ReadoutTypedTest, TypedTextGivesAClampedValue)
{
    EXPECT_DOUBLE_EQ (Readout::valueForText (GetParam().typed, GetParam().unit, -24.0, 0.0), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P (Texts, ReadoutTypedTest, testing::Values (
    TypedCase { "12,5", Unit::percentage, 0.125 },
    TypedCase { "150", Unit::percentage, 1.0 },
    TypedCase { "-3", Unit::percentage, 0.0 },
    TypedCase { "37.0", Unit::percentage, 0.37 },
    TypedCase { "-30", Unit::decibels, -24.0 },
    TypedCase { "6", Unit::decibels, 0.0 },
    TypedCase { "-6,5", Unit::decibels, -6.5 },
    TypedCase { "", Unit::percentage, 0.0 },
    TypedCase { "", Unit::decibels, 0.0 },
    TypedCase { "-", Unit::decibels, 0.0 },
    TypedCase { "abc", Unit::percentage, 0.0 }));

/** A read-out under a knob bound to a real parameter, as in the editor. */
struct BoundReadout
{
    BoundReadout (const char* idToUse, Unit unit) : id (idToUse), readout (knob, unit)
    {
        attachment = std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment> (processor.parameters, id, knob);
        knob.onValueChange = [this] { readout.refreshText(); };
        readout.setBounds (0, 0, 66, 25);
        readout.refreshText();
    }

    ~BoundReadout() { attachment.reset(); }

    /** Double-click, type, press Return. */
    void type (const juce::String& text)
    {
        readout.showEditor();
        auto* editor = readout.getCurrentTextEditor();
        editor->insertTextAtCaret (text);
        readout.hideEditor (false);
    }

    const char* id;
    VornAudioProcessor processor;
    vorn::gui::Knob knob { 120.0f, 176.0f, 56.0f };
    Readout readout;
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> attachment;
    GestureCounter gestures { parameter (processor, id) };
};

TEST (ReadoutTyping, ACommittedValueReachesTheParameterInOneGestureAndTheTextIsCanonical)
{
    BoundReadout bound ("DryWetParam", Unit::percentage);
    bound.type ("12,5");

    EXPECT_NEAR (plainValue (bound.processor, "DryWetParam"), 0.13f, 1e-6f) << "snapped to the 0.01 interval";
    EXPECT_EQ (bound.readout.getText(), "13");
    EXPECT_EQ (bound.gestures.begins, 1);
    EXPECT_EQ (bound.gestures.ends, 1);
}

TEST (ReadoutTyping, TheSameValueTypedDifferentlyGoesBackToItsCanonicalText)
{
    BoundReadout bound ("DryWetParam", Unit::percentage);
    bound.knob.setValue (0.37, juce::sendNotificationSync);
    bound.type ("37.0");

    EXPECT_NEAR (plainValue (bound.processor, "DryWetParam"), 0.37f, 1e-6f);
    EXPECT_EQ (bound.readout.getText(), "37");
}

TEST (ReadoutTyping, OutputIsClampedAndAnEmptyFieldGivesZero)
{
    BoundReadout bound ("MasterGainParam", Unit::decibels);
    bound.type ("-30");
    EXPECT_EQ (plainValue (bound.processor, "MasterGainParam"), -24.0f);
    EXPECT_EQ (bound.readout.getText(), "-24.0");

    bound.readout.showEditor();
    bound.readout.getCurrentTextEditor()->clear();
    bound.readout.hideEditor (false);
    EXPECT_EQ (plainValue (bound.processor, "MasterGainParam"), 0.0f);
    EXPECT_EQ (bound.readout.getText(), "0.0");
}

TEST (ReadoutTyping, TheFieldTakesSixCharactersOfDigitsSignsAndSeparators)
{
    BoundReadout bound ("MasterGainParam", Unit::decibels);
    bound.readout.showEditor();
    auto* editor = bound.readout.getCurrentTextEditor();
    ASSERT_NE (editor, nullptr);

    EXPECT_EQ (editor->getText(), "0.0");
    EXPECT_EQ (editor->getHighlightedText(), "0.0") << "typing replaces the shown value";

    editor->insertTextAtCaret ("-1x2,3a4567");
    EXPECT_EQ (editor->getText(), "-12,34");
    EXPECT_EQ (editor->getFont().getTypefacePtr()->getName(), "Barlow Condensed");

    bound.readout.hideEditor (true);
    EXPECT_EQ (plainValue (bound.processor, "MasterGainParam"), 0.0f) << "Escape discards the edit";
}

juce::Image paintedReadout (Readout& readout)
{
    juce::Image image (juce::Image::ARGB, 66, 25, true);
    juce::Graphics g (image);
    readout.paint (g);
    return image;
}

int countMint (const juce::Image& image)
{
    auto count = 0;
    for (auto y = 0; y < image.getHeight(); ++y)
        for (auto x = 0; x < image.getWidth(); ++x)
            count += isMint (image.getPixelAt (x, y)) ? 1 : 0;
    return count;
}

TEST (ReadoutFace, ShowsItsTextOnThePlateExceptWhileEditing)
{
    BoundReadout bound ("MasterGainParam", Unit::decibels);
    bound.knob.setValue (-6.5, juce::sendNotificationSync);

    const auto shown = paintedReadout (bound.readout);
    EXPECT_EQ (shown.getPixelAt (1, 12).getAlpha(), 0xff) << "the plate covers the read-out";
    EXPECT_LT (shown.getPixelAt (4, 12).getRed(), 0x12) << "the dark well";
    EXPECT_GT (countMint (shown), 20);

    // The number sits left of the centre, the small unit right of it.
    EXPECT_GT (countMint (shown.getClippedImage ({ 10, 0, 23, 25 })), 10);
    EXPECT_GT (countMint (shown.getClippedImage ({ 40, 0, 16, 25 })), 0);

    bound.readout.showEditor();
    const auto editing = paintedReadout (bound.readout);
    EXPECT_EQ (editing.getPixelAt (1, 12).getAlpha(), 0xff);
    EXPECT_EQ (countMint (editing), 0);
    bound.readout.hideEditor (true);
}
} // namespace
