#include "CurveTestHelpers.h"

#include <gtest/gtest.h>

#include <cstring>

// The section bank's kernel against the framework's own filters: five banks
// of eight sections (forty per channel) in series, every output sample and
// every state after every block compared bit for bit.
namespace
{
using curve_test::VornCurve;

/** The framework's arithmetic for one section, written out as its filter
    runs it, with the states in view: the reference for the kernel's states.
    Its outputs are checked against the framework's filter as well. */
struct ScalarSection
{
    void process (const float* c, float* samples, int numSamples)
    {
        auto lv1 = s1, lv2 = s2;
        for (auto i = 0; i < numSamples; ++i)
        {
            const auto input = samples[i];
            const auto output = (input * c[0]) + lv1;
            samples[i] = output;
            lv1 = (input * c[1]) - (output * c[3]) + lv2;
            lv2 = (input * c[2]) - (output * c[4]);
        }
        juce::dsp::util::snapToZero (lv1);
        juce::dsp::util::snapToZero (lv2);
        s1 = lv1;
        s2 = lv2;
    }

    float s1 = 0.0f, s2 = 0.0f;
};

/** Five banks under test and, per channel, the same forty sections as
    framework filters and as the written-out reference. */
class Cascade
{
public:
    Cascade (std::vector<FilterSectionBank> banksToTest, int channelsToUse)
        : banks (std::move (banksToTest)), channels (channelsToUse)
    {
        for (auto c = 0; c < channels; ++c)
            for (const auto& bank : banks)
                for (const auto& coefficients : bank.coefficients)
                {
                    filters[static_cast<size_t> (c)].emplace_back (coefficients);
                    filters[static_cast<size_t> (c)].back().prepare ({ 48000.0, 4096, 1 });
                    scalar[static_cast<size_t> (c)].emplace_back();
                }
    }

    void reset()
    {
        for (auto& bank : banks)
            bank.reset();
        for (auto c = 0; c < channels; ++c)
        {
            for (auto& filter : filters[static_cast<size_t> (c)])
                filter.reset();
            for (auto& section : scalar[static_cast<size_t> (c)])
                section = {};
        }
    }

    /** Runs one block through all three and checks that they agree. */
    void processAndCompare (const juce::AudioBuffer<float>& input, const std::string& where)
    {
        auto underTest = input, framework = input, written = input;

        for (auto& bank : banks)
            bank.process (underTest);

        for (auto c = 0; c < channels; ++c)
        {
            auto block = juce::dsp::AudioBlock<float> (framework).getSingleChannelBlock (static_cast<size_t> (c));
            for (auto& filter : filters[static_cast<size_t> (c)])
                filter.process (juce::dsp::ProcessContextReplacing<float> (block));

            auto sections = scalar[static_cast<size_t> (c)].begin();
            for (const auto& bank : banks)
                for (const auto& coefficients : bank.coefficients)
                    (sections++)->process (coefficients->getRawCoefficients(), written.getWritePointer (c), written.getNumSamples());
        }

        for (auto c = 0; c < input.getNumChannels(); ++c)
        {
            const auto bytes = sizeof (float) * static_cast<size_t> (input.getNumSamples());
            EXPECT_TRUE (sameSamples (underTest, framework, c)) << where << ", channel " << c << ": kernel against the framework";
            EXPECT_EQ (std::memcmp (written.getReadPointer (c), framework.getReadPointer (c), bytes), 0) << where << ": reference";
        }

        compareStates (where);
    }

private:
    /** Bit for bit; a NaN sample must meet a NaN (see the non-finite test). */
    static bool sameSamples (const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b, int channel)
    {
        for (auto i = 0; i < a.getNumSamples(); ++i)
        {
            const auto x = a.getSample (channel, i), y = b.getSample (channel, i);
            if (std::memcmp (&x, &y, sizeof x) != 0 && ! (std::isnan (x) && std::isnan (y)))
                return false;
        }
        return true;
    }

    void compareStates (const std::string& where) const
    {
        for (auto c = 0; c < channels; ++c)
        {
            auto section = scalar[static_cast<size_t> (c)].begin();
            for (size_t b = 0; b < banks.size(); ++b)
                for (auto s = 0; s < FilterSectionBank::numSections; ++s, ++section)
                {
                    const auto state = banks[b].getState (c, s);
                    EXPECT_EQ (std::memcmp (&state.s1, &section->s1, sizeof (float)), 0) << where << ": s1 of bank " << b << " section " << s;
                    EXPECT_EQ (std::memcmp (&state.s2, &section->s2, sizeof (float)), 0) << where << ": s2 of bank " << b << " section " << s;
                }
        }
    }

    std::vector<FilterSectionBank> banks;
    int channels;
    std::array<std::vector<juce::dsp::IIR::Filter<float>>, 2> filters;
    std::array<std::vector<ScalarSection>, 2> scalar;
};

std::vector<FilterSectionBank> vornCurveBanks (double rate)
{
    VornCurve curve;
    curve.prepare (rate, 4096);
    std::vector<FilterSectionBank> banks;
    for (const auto* bank : curve.banks())
        banks.push_back (*bank);
    return banks;
}

/** Five banks of random but stable peak sections. */
std::vector<FilterSectionBank> randomBanks (int seed)
{
    juce::Random random (seed);
    std::vector<FilterSectionBank> banks (5);
    for (auto& bank : banks)
    {
        bank.sampleRate = 48000.0f;
        for (size_t s = 0; s < FilterSectionBank::numSections; ++s)
        {
            bank.sectionFrequency[s] = 20.0f * std::pow (1000.0f, random.nextFloat());
            bank.sectionQ[s] = 0.3f + 9.7f * random.nextFloat();
            bank.sectionGainDb[s] = -24.0f + 48.0f * random.nextFloat();
        }
        bank.prepareSections (48000.0, 4096);
        bank.refreshCoefficients();
    }
    return banks;
}

enum class Signal { noise, sweep, impulse, denormalRange, silenceAfterLoud };

juce::AudioBuffer<float> makeSignal (Signal signal, int channels, int numSamples, int blockIndex)
{
    juce::AudioBuffer<float> buffer (channels, numSamples);
    juce::Random random (blockIndex + 11);

    for (auto c = 0; c < channels; ++c)
        for (auto i = 0; i < numSamples; ++i)
        {
            const auto n = static_cast<float> (blockIndex * 4096 + i);
            auto value = 0.0f;
            switch (signal)
            {
                case Signal::noise:            value = random.nextFloat() * 2.0f - 1.0f; break;
                case Signal::sweep:            value = 0.7f * std::sin (n * (0.001f + n * 1.0e-7f)); break;
                case Signal::impulse:          value = blockIndex == 0 && i == 0 ? 1.0f : 0.0f; break;
                case Signal::denormalRange:    value = (random.nextFloat() - 0.5f) * 1.0e-38f; break;
                case Signal::silenceAfterLoud: value = blockIndex == 0 ? 4.0f * (random.nextFloat() - 0.5f) : 0.0f; break;
            }
            buffer.setSample (c, i, value * (c == 0 ? 1.0f : -0.75f));
        }

    return buffer;
}

struct IdentityCase
{
    std::string source;
    std::function<std::vector<FilterSectionBank>()> banks;
    Signal signal;
    const char* signalName;
    int channels;
};

std::ostream& operator<< (std::ostream& os, const IdentityCase& c) { return os << c.source << '_' << c.signalName << '_' << c.channels; }

class SectionPipelineIdentityTest : public testing::TestWithParam<IdentityCase> {};

TEST_P (SectionPipelineIdentityTest, EveryBlockSizeAndAMixedSequenceMatchTheFramework)
{
    const auto& c = GetParam();
    const int blockSizes[] { 0, 1, 2, 3, 7, 31, 32, 33, 64, 511, 512, 513, 4096 };

    // Each size on its own, three blocks in a row so the state carries over.
    for (auto size : blockSizes)
    {
        Cascade cascade (c.banks(), c.channels);
        for (auto block = 0; block < 3; ++block)
            cascade.processAndCompare (makeSignal (c.signal, c.channels, size, block), "blocks of " + std::to_string (size) + ", block " + std::to_string (block));
    }

    // Mixed sizes, with a reset in the middle.
    Cascade cascade (c.banks(), c.channels);
    const int mixed[] { 1, 7, 33, 0, 512, 3, 4096, 31, 2, 513, 64 };
    auto block = 0;
    for (auto size : mixed)
    {
        if (block == 6)
            cascade.reset();
        cascade.processAndCompare (makeSignal (c.signal, c.channels, size, block), "mixed block " + std::to_string (block) + " of " + std::to_string (size));
        ++block;
    }
}

std::vector<IdentityCase> identityCases()
{
    std::vector<IdentityCase> cases;
    const std::pair<Signal, const char*> signals[] { { Signal::noise, "noise" }, { Signal::sweep, "sweep" }, { Signal::impulse, "impulse" },
                                                     { Signal::denormalRange, "denormal_range" }, { Signal::silenceAfterLoud, "silence_after_loud" } };

    std::vector<std::pair<std::string, std::function<std::vector<FilterSectionBank>()>>> sources;
    for (auto rate : { 44100, 48000, 96000 })
        sources.push_back ({ "curve_" + std::to_string (rate), [rate] { return vornCurveBanks (rate); } });
    for (auto seed : { 1, 2 })
        sources.push_back ({ "random_" + std::to_string (seed), [seed] { return randomBanks (seed); } });

    for (const auto& [name, banks] : sources)
        for (const auto& [signal, signalName] : signals)
            for (auto channels : { 1, 2 })
                cases.push_back ({ name, banks, signal, signalName, channels });
    return cases;
}

INSTANTIATE_TEST_SUITE_P (Table, SectionPipelineIdentityTest, testing::ValuesIn (identityCases()),
                          [] (const auto& info)
                          {
                              std::ostringstream name;
                              name << info.param;
                              return name.str();
                          });

TEST (SectionPipelineIdentity, AgreesAfterANonFiniteBlockAndWithDenormalsFlushed)
{
    for (auto flush : { false, true })
    {
        const std::unique_ptr<juce::ScopedNoDenormals> noDenormals (flush ? new juce::ScopedNoDenormals() : nullptr);
        Cascade cascade (vornCurveBanks (48000.0), 2);

        auto poisoned = makeSignal (Signal::noise, 2, 100, 0);
        poisoned.setSample (0, 40, std::numeric_limits<float>::quiet_NaN());
        poisoned.setSample (1, 10, std::numeric_limits<float>::infinity());
        cascade.processAndCompare (poisoned, "non-finite block");

        for (auto block = 1; block < 4; ++block)
            cascade.processAndCompare (makeSignal (Signal::denormalRange, 2, 300, block), "after it, block " + std::to_string (block));
    }
}
} // namespace
