#include "processor/VornAudioProcessor.h"

#include <gtest/gtest.h>

namespace
{
juce::RangedAudioParameter& parameter (VornAudioProcessor& processor, const char* id)
{
    return *processor.parameters.getParameter (id);
}

struct TextCase
{
    const char* id;
    float plainValue;
    const char* text;
};

class ParameterTextTest : public testing::TestWithParam<TextCase> {};

TEST_P (ParameterTextTest, PlainValueShowsItsText)
{
    VornAudioProcessor processor;
    auto& p = parameter (processor, GetParam().id);
    EXPECT_EQ (p.getText (p.convertTo0to1 (GetParam().plainValue), 100), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P (Texts, ParameterTextTest, testing::Values (
    TextCase { "DryWetParam", 0.0f, "0" },
    TextCase { "DryWetParam", 0.37f, "37" },
    TextCase { "DryWetParam", 1.0f, "100" },
    TextCase { "DryWetParam", 0.5f, "50" },
    TextCase { "MasterGainParam", -24.0f, "-24.0" },
    TextCase { "MasterGainParam", -6.5f, "-6.5" },
    TextCase { "MasterGainParam", 0.0f, "0.0" },
    TextCase { "MasterGainParam", -0.04f, "-0.0" },
    TextCase { "MasterGainParam", -12.0f, "-12.0" },
    TextCase { "MasterGainParam", -3.26f, "-3.3" }));

struct ParseCase
{
    const char* id;
    const char* text;
    float plainValue;
};

class ParameterParseTest : public testing::TestWithParam<ParseCase> {};

TEST_P (ParameterParseTest, TextGivesClampedPlainValue)
{
    VornAudioProcessor processor;
    auto& p = parameter (processor, GetParam().id);
    EXPECT_FLOAT_EQ (p.convertFrom0to1 (p.getValueForText (GetParam().text)), GetParam().plainValue);
}

INSTANTIATE_TEST_SUITE_P (Parsing, ParameterParseTest, testing::Values (
    ParseCase { "DryWetParam", "37", 0.37f },
    ParseCase { "DryWetParam", "37 %", 0.37f },
    ParseCase { "DryWetParam", "250", 1.0f },
    ParseCase { "DryWetParam", "-10", 0.0f },
    ParseCase { "DryWetParam", "abc", 0.0f },
    ParseCase { "DryWetParam", "", 0.0f },
    ParseCase { "MasterGainParam", "-6", -6.0f },
    ParseCase { "MasterGainParam", "-6.5dB", -6.5f },
    ParseCase { "MasterGainParam", "3", 0.0f },
    ParseCase { "MasterGainParam", "-40", -24.0f },
    ParseCase { "MasterGainParam", "", 0.0f },
    ParseCase { "MasterGainParam", "-0.0", 0.0f },
    ParseCase { "MasterGainParam", "loud", 0.0f }));

TEST (ParameterText, EveryLegalValueRoundTripsThroughItsText)
{
    VornAudioProcessor processor;

    for (auto* id : { "DryWetParam", "MasterGainParam" })
    {
        auto& p = parameter (processor, id);
        const auto& range = p.getNormalisableRange();

        for (auto plain = range.start; plain <= range.end; plain += 0.37f)
        {
            const auto snapped = range.snapToLegalValue (plain);
            const auto text = p.getText (p.convertTo0to1 (snapped), 100);
            const auto parsed = p.convertFrom0to1 (p.getValueForText (text));
            EXPECT_NEAR (parsed, snapped, 0.051f) << id << " " << text;
        }
    }
}

struct RangeCase
{
    const char* id;
    const char* name;
    const char* label;
    float start, end, interval, defaultPlain;
    int index;
};

class ParameterRangeTest : public testing::TestWithParam<RangeCase> {};

TEST_P (ParameterRangeTest, IdentityRangeAndDefault)
{
    VornAudioProcessor processor;
    const auto& c = GetParam();
    auto& p = parameter (processor, c.id);

    EXPECT_EQ (processor.getParameters()[c.index], &p);
    EXPECT_EQ (p.getName (100), c.name);
    EXPECT_EQ (p.getLabel(), c.label);
    EXPECT_EQ (p.getCategory(), juce::AudioProcessorParameter::genericParameter);
    EXPECT_TRUE (p.isAutomatable());

    const auto& range = p.getNormalisableRange();
    EXPECT_EQ (range.start, c.start);
    EXPECT_EQ (range.end, c.end);
    EXPECT_FLOAT_EQ (range.interval, c.interval);
    EXPECT_EQ (range.skew, 1.0f);
    EXPECT_FALSE (range.symmetricSkew);

    EXPECT_EQ (p.convertFrom0to1 (p.getDefaultValue()), c.defaultPlain);
    EXPECT_EQ (processor.parameters.getRawParameterValue (c.id)->load(), c.defaultPlain);
}

INSTANTIATE_TEST_SUITE_P (Both, ParameterRangeTest, testing::Values (
    RangeCase { "DryWetParam", "Skimming", "%", 0.0f, 1.0f, 0.01f, 0.0f, 0 },
    RangeCase { "MasterGainParam", "Output", "dB", -24.0f, 0.0f, 0.01f, 0.0f, 1 }));

TEST (ParameterRange, FreshProcessorHasNormalisedDefaultsZeroAndOne)
{
    VornAudioProcessor processor;
    EXPECT_EQ (processor.getParameters().size(), 2);
    EXPECT_EQ (parameter (processor, "DryWetParam").getValue(), 0.0f);
    EXPECT_EQ (parameter (processor, "MasterGainParam").getValue(), 1.0f);
}

TEST (ParameterRange, HalfwayOutputIsMinusTwelveDecibels)
{
    VornAudioProcessor processor;
    parameter (processor, "MasterGainParam").setValueNotifyingHost (0.5f);
    EXPECT_FLOAT_EQ (processor.parameters.getRawParameterValue ("MasterGainParam")->load(), -12.0f);
}

TEST (ParameterRange, PlainValuesSnapToHundredths)
{
    VornAudioProcessor processor;
    auto& skimming = parameter (processor, "DryWetParam");
    skimming.setValueNotifyingHost (0.3749f);
    EXPECT_FLOAT_EQ (processor.parameters.getRawParameterValue ("DryWetParam")->load(), 0.37f);

    auto& output = parameter (processor, "MasterGainParam");
    output.setValueNotifyingHost (output.convertTo0to1 (-6.503f));
    EXPECT_NEAR (processor.parameters.getRawParameterValue ("MasterGainParam")->load(), -6.5f, 1e-5f);
}
} // namespace
