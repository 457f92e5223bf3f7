#include "ProcessorTestHelpers.h"

#include <gtest/gtest.h>

using namespace processor_test;

namespace
{
void expectIdentical (const juce::AudioBuffer<float>& actual, const juce::AudioBuffer<float>& expected)
{
    ASSERT_EQ (actual.getNumChannels(), expected.getNumChannels());
    ASSERT_EQ (actual.getNumSamples(), expected.getNumSamples());

    for (auto c = 0; c < actual.getNumChannels(); ++c)
        for (auto i = 0; i < actual.getNumSamples(); ++i)
            ASSERT_EQ (actual.getSample (c, i), expected.getSample (c, i)) << "channel " << c << ", sample " << i;
}

class AudioPathTest : public testing::Test
{
protected:
    VornAudioProcessor processor;
};

TEST_F (AudioPathTest, DefaultsPassAudioThroughBitExact)
{
    processor.prepareToPlay (48000.0, 512);

    for (auto block = 0; block < 4; ++block)
    {
        auto buffer = noise (2, 512, block);
        const auto input = buffer;
        process (processor, buffer);
        expectIdentical (buffer, input);
    }
}

TEST_F (AudioPathTest, FullSkimmingIsTheCurveFollowedByTheHighPass)
{
    setSkimming (processor, 1.0f);
    processor.prepareToPlay (44100.0, 512);
    ReferenceWetPath reference (44100.0, 512);

    for (auto block = 0; block < 4; ++block)
    {
        auto buffer = noise (2, 512, block);
        auto expected = buffer;
        process (processor, buffer);
        reference.process (expected);
        expectIdentical (buffer, expected);
    }
}

struct HighPassCase
{
    double rate, frequency, highPassDb;
};

class WetResponseTest : public testing::TestWithParam<HighPassCase> {};

// A sine through the processor at full Skimming comes out at the curve's level
// plus the 120 Hz high-pass's.
TEST_P (WetResponseTest, SineComesOutAtCurvePlusHighPass)
{
    const auto& c = GetParam();
    const auto length = static_cast<int> (c.rate);

    VornAudioProcessor processor;
    setSkimming (processor, 1.0f);
    processor.prepareToPlay (c.rate, length);

    juce::AudioBuffer<float> buffer (2, length);
    for (auto i = 0; i < length; ++i)
        for (auto ch = 0; ch < 2; ++ch)
            buffer.setSample (ch, i, static_cast<float> (0.1 * std::sin (juce::MathConstants<double>::twoPi * c.frequency * i / c.rate)));

    process (processor, buffer);

    curve_test::VornCurve curve;
    curve.prepare (c.rate, 64);
    double curveDb = 0.0;
    for (const auto* bank : curve.banks())
        curveDb += curve_test::bankMagnitudeDb (*bank, c.frequency, c.rate);

    double sumOfSquares = 0.0;
    for (auto i = length / 2; i < length; ++i)
        sumOfSquares += juce::square (static_cast<double> (buffer.getSample (0, i)));
    const auto measuredDb = juce::Decibels::gainToDecibels (std::sqrt (2.0 * sumOfSquares / (length / 2)) / 0.1);

    EXPECT_NEAR (measuredDb - curveDb, c.highPassDb, 0.1);
}

INSTANTIATE_TEST_SUITE_P (Corner, WetResponseTest, testing::Values (
    HighPassCase { 44100.0, 120.0, -3.01 }, HighPassCase { 48000.0, 120.0, -3.01 },
    HighPassCase { 44100.0, 60.0, -12.3 },  HighPassCase { 48000.0, 60.0, -12.3 },
    HighPassCase { 44100.0, 20.0, -31.1 },  HighPassCase { 48000.0, 20.0, -31.1 },
    HighPassCase { 44100.0, 1000.0, -0.001 }, HighPassCase { 48000.0, 1000.0, -0.001 }));

//==============================================================================
/** Runs the processor and the independent wet path side by side, so the mix
    amount of every output sample can be checked against the ramp it should follow. */
class MixRampTest : public testing::Test
{
protected:
    explicit MixRampTest (double rateToUse = 48000.0)
        : rate (rateToUse), rampLength (static_cast<int> (rateToUse * 0.02)), reference (rateToUse, 4096)
    {
    }

    void SetUp() override
    {
        processor.prepareToPlay (rate, 4096);
    }

    const double rate;
    const int rampLength;

    /** Processes n samples and checks out = dry * (1 - m) + wet * m with m from the ramp. */
    void processAndCheck (int n, const std::function<float (int)>& expectedMix)
    {
        auto buffer = noise (2, n, seed++);
        const auto dry = buffer;
        auto wet = buffer;
        reference.process (wet);
        process (processor, buffer);

        for (auto i = 0; i < n; ++i, ++position)
        {
            const auto m = expectedMix (position);
            for (auto c = 0; c < 2; ++c)
            {
                const auto expected = dry.getSample (c, i) * (1.0f - m) + wet.getSample (c, i) * m;
                // The ramp accumulates its steps in single precision.
                const auto tolerance = 2e-5f * (1.0f + std::abs (wet.getSample (c, i) - dry.getSample (c, i)));
                ASSERT_NEAR (buffer.getSample (c, i), expected, tolerance) << "sample " << position;

                if (m == 1.0f)
                {
                    ASSERT_EQ (buffer.getSample (c, i), wet.getSample (c, i)) << "sample " << position;
                }
            }
        }
    }

    VornAudioProcessor processor;
    ReferenceWetPath reference;
    int seed = 10;
    int position = 0;
};

/** The glide lasts floor (rate x 0.02) samples at every rate. */
class MixRampRateTest : public MixRampTest, public testing::WithParamInterface<std::pair<double, int>>
{
protected:
    MixRampRateTest() : MixRampTest (GetParam().first) {}
};

TEST_P (MixRampRateTest, GlidesLinearlyOverTwentyMillisecondsAndLandsOnTarget)
{
    setSkimming (processor, 1.0f);

    const auto length = GetParam().second;
    const auto ramp = [length] (int i) { return i < length - 1 ? static_cast<float> (i + 1) / static_cast<float> (length) : 1.0f; };
    for (auto block = 0; block < 2 + 2 * length / 256; ++block)
        processAndCheck (256, ramp);
}

INSTANTIATE_TEST_SUITE_P (Rates, MixRampRateTest, testing::Values (
    std::pair { 44100.0, 882 }, std::pair { 48000.0, 960 }, std::pair { 96000.0, 1920 }));

TEST_F (MixRampTest, NewValueMidGlideStartsAFullGlideFromWhereItIs)
{
    setSkimming (processor, 1.0f);
    processAndCheck (480, [this] (int i) { return static_cast<float> (i + 1) / static_cast<float> (rampLength); });

    setSkimming (processor, 0.0f);
    processAndCheck (1200, [this] (int i)
    {
        const auto step = i - 480 + 1;
        return step < rampLength ? 0.5f - 0.5f * static_cast<float> (step) / static_cast<float> (rampLength) : 0.0f;
    });
}

TEST_F (MixRampTest, ZeroLengthBlockTakesTheTargetButDoesNotAdvance)
{
    setSkimming (processor, 1.0f);
    juce::AudioBuffer<float> empty (2, 0);
    process (processor, empty);

    EXPECT_FALSE (processor.clipFlag.load());
    processAndCheck (1024, [this] (int i) { return i < rampLength - 1 ? static_cast<float> (i + 1) / static_cast<float> (rampLength) : 1.0f; });
}

TEST_F (AudioPathTest, PreparationPlacesTheMixWithoutGlide)
{
    processor.prepareToPlay (48000.0, 256);
    setSkimming (processor, 1.0f);
    processor.prepareToPlay (48000.0, 256);

    ReferenceWetPath reference (48000.0, 256);
    auto buffer = noise (2, 256, 3);
    auto expected = buffer;
    process (processor, buffer);
    reference.process (expected);
    expectIdentical (buffer, expected);
}

//==============================================================================
TEST_F (AudioPathTest, OutputLevelScalesFromTheNextBlockWithoutRamp)
{
    processor.prepareToPlay (48000.0, 256);

    auto buffer = noise (2, 256, 4);
    const auto input = buffer;
    process (processor, buffer);
    expectIdentical (buffer, input);

    setOutputDb (processor, -24.0f);
    buffer = input;
    process (processor, buffer);

    const auto gain = std::pow (10.0f, -24.0f * 0.05f);
    EXPECT_NEAR (gain, 0.0631f, 1e-4f);
    for (auto c = 0; c < 2; ++c)
        for (auto i = 0; i < 256; ++i)
            ASSERT_FLOAT_EQ (buffer.getSample (c, i), input.getSample (c, i) * gain);
}

struct ClipCase
{
    float peak;
    float outputDb;
    int channel;
    bool raised;
};

class ClipFlagTest : public testing::TestWithParam<ClipCase> {};

TEST_P (ClipFlagTest, RaisedOnlyWhenTheFinalPeakReachesThreshold)
{
    const auto& c = GetParam();
    VornAudioProcessor processor;
    setOutputDb (processor, c.outputDb);
    processor.prepareToPlay (48000.0, 64);

    juce::AudioBuffer<float> buffer (2, 64);
    buffer.clear();
    buffer.setSample (c.channel, 17, c.peak);
    process (processor, buffer);

    EXPECT_EQ (processor.clipFlag.load(), c.raised);
}

INSTANTIATE_TEST_SUITE_P (Threshold, ClipFlagTest, testing::Values (
    ClipCase { 0.99f, 0.0f, 0, true },
    ClipCase { -0.99f, 0.0f, 0, true },
    ClipCase { 0.99f, 0.0f, 1, true },
    ClipCase { -0.99f, 0.0f, 1, true },
    ClipCase { 0.98f, 0.0f, 0, false },
    ClipCase { 0.9899f, 0.0f, 0, false },
    ClipCase { -0.98f, 0.0f, 1, false },
    ClipCase { 1.5f, -6.0f, 0, false },
    ClipCase { 2.0f, -6.0f, 1, true }));

TEST_F (AudioPathTest, ClipFlagStaysRaisedUntilCleared)
{
    processor.prepareToPlay (48000.0, 64);
    auto loud = noise (2, 64, 5, 1.0f);
    loud.setSample (0, 3, 1.0f);
    process (processor, loud);
    ASSERT_TRUE (processor.clipFlag.load());

    auto quiet = noise (2, 64, 6, 0.1f);
    process (processor, quiet);
    EXPECT_TRUE (processor.clipFlag.exchange (false));
    process (processor, quiet);
    EXPECT_FALSE (processor.clipFlag.load());
}

//==============================================================================
TEST_F (AudioPathTest, MonoLayoutMixesChannelZeroOnly)
{
    useLayout (processor, juce::AudioChannelSet::mono());
    setSkimming (processor, 1.0f);
    processor.prepareToPlay (48000.0, 256);
    ASSERT_EQ (processor.getTotalNumInputChannels(), 1);

    ReferenceWetPath reference (48000.0, 256);
    for (auto block = 0; block < 3; ++block)
    {
        auto buffer = noise (1, 256, 20 + block);
        auto expected = buffer;
        process (processor, buffer);
        reference.process (expected);
        expectIdentical (buffer, expected);
    }
}

TEST_F (AudioPathTest, BlockLongerThanPreparedIsProcessedLikeAnyOther)
{
    setSkimming (processor, 1.0f);
    processor.prepareToPlay (48000.0, 128);
    ReferenceWetPath reference (48000.0, 128);

    for (auto size : { 128, 1000, 4096, 64 })
    {
        auto buffer = noise (2, size, size);
        auto expected = buffer;
        process (processor, buffer);
        reference.process (expected);
        expectIdentical (buffer, expected);
    }
}

TEST_F (AudioPathTest, UnpreparedProcessorLeavesAudioAlone)
{
    auto buffer = noise (2, 64, 7);
    const auto input = buffer;
    process (processor, buffer);
    expectIdentical (buffer, input);
}

/** A bad sample's value, and the channel it arrives on. */
class NonFiniteInputTest : public testing::TestWithParam<std::tuple<float, int>> {};

TEST_P (NonFiniteInputTest, PluginRecoversAtTheNextBlock)
{
    VornAudioProcessor processor, fresh;
    for (auto* p : { &processor, &fresh })
    {
        setSkimming (*p, 0.5f);
        p->prepareToPlay (48000.0, 256);
    }

    auto poisoned = noise (2, 256, 8);
    poisoned.setSample (std::get<1> (GetParam()), 100, std::get<0> (GetParam()));
    process (processor, poisoned);

    // The faulty block itself carries the bad sample through the dry path; the
    // next one must sound exactly as if the plug-in had just been prepared.
    auto buffer = noise (2, 256, 9);
    auto expected = buffer;
    process (processor, buffer);
    process (fresh, expected);
    expectIdentical (buffer, expected);
}

INSTANTIATE_TEST_SUITE_P (Values, NonFiniteInputTest,
                          testing::Combine (testing::Values (std::numeric_limits<float>::quiet_NaN(),
                                                             std::numeric_limits<float>::infinity(),
                                                             -std::numeric_limits<float>::infinity(),
                                                             3.0e38f),
                                            testing::Values (0, 1)));
} // namespace
