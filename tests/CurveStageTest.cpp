#include "CurveTestHelpers.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

using namespace curve_test;

namespace
{
enum class Stage { band1, band2, band3, blue, red };

const FilterSectionBank& bankOf (const VornCurve& curve, Stage stage)
{
    return *curve.banks()[static_cast<size_t> (stage)];
}

//==============================================================================
struct SectionRow
{
    Stage stage;
    int section;
    float frequency, q, gainDb;
};

class VornSectionTest : public testing::TestWithParam<SectionRow> {};

TEST_P (VornSectionTest, SectionMatchesTableAtEveryRate)
{
    const auto& row = GetParam();

    for (auto rate : { 44100.0, 48000.0, 96000.0 })
    {
        VornCurve curve;
        curve.prepare (rate, 64);
        const auto& bank = bankOf (curve, row.stage);
        const auto i = static_cast<size_t> (row.section);

        EXPECT_NEAR (bank.sectionFrequency[i], row.frequency, 0.01f) << rate;
        EXPECT_FLOAT_EQ (bank.sectionQ[i], row.q) << rate;
        EXPECT_NEAR (bank.sectionGainDb[i], row.gainDb, 0.0051f) << rate;
    }
}

INSTANTIATE_TEST_SUITE_P (FortySections, VornSectionTest, testing::Values (
    SectionRow { Stage::band1, 0, 177.0f, 4.5f, -13.93f },
    SectionRow { Stage::band1, 1, 1000.0f, 4.5f, 0.0f },
    SectionRow { Stage::band1, 2, 44.25f, 4.5f, -1.30f },
    SectionRow { Stage::band1, 3, 88.5f, 4.5f, 1.30f },
    SectionRow { Stage::band1, 4, 354.0f, 4.5f, -1.29f },
    SectionRow { Stage::band1, 5, 708.0f, 4.5f, -1.30f },
    SectionRow { Stage::band1, 6, 1416.0f, 4.5f, -0.65f },
    SectionRow { Stage::band1, 7, 1416.0f, 4.5f, 0.0f },

    SectionRow { Stage::band2, 0, 20000.0f, 1.5f, 12.00f },
    SectionRow { Stage::band2, 1, 1240.0f, 4.5f, 0.0f },
    SectionRow { Stage::band2, 2, 5000.0f, 4.5f, 2.08f },
    SectionRow { Stage::band2, 3, 10000.0f, 4.5f, -2.08f },
    SectionRow { Stage::band2, 4, 20000.0f, 0.1f, 0.0f },
    SectionRow { Stage::band2, 5, 1000.0f, 4.5f, 0.0f },
    SectionRow { Stage::band2, 6, 1000.0f, 4.5f, 0.0f },
    SectionRow { Stage::band2, 7, 1000.0f, 4.5f, 0.0f },

    SectionRow { Stage::band3, 0, 8304.0f, 1.5f, 4.44f },
    SectionRow { Stage::band3, 1, 514.85f, 4.5f, 0.0f },
    SectionRow { Stage::band3, 2, 2076.0f, 4.5f, 1.48f },
    SectionRow { Stage::band3, 3, 4152.0f, 4.5f, -1.48f },
    SectionRow { Stage::band3, 4, 16608.0f, 0.1f, 1.47f },
    SectionRow { Stage::band3, 5, 1000.0f, 4.5f, 0.0f },
    SectionRow { Stage::band3, 6, 1000.0f, 4.5f, 0.0f },
    SectionRow { Stage::band3, 7, 1000.0f, 4.5f, 0.0f },

    SectionRow { Stage::blue, 0, 16380.0f, 1.0f, 17.29f },
    SectionRow { Stage::blue, 1, 1045.04f, 0.9f, 3.24f },
    SectionRow { Stage::blue, 2, 4209.66f, 1.2f, 4.67f },
    SectionRow { Stage::blue, 3, 8435.7f, 2.0f, -4.67f },
    SectionRow { Stage::blue, 4, 20000.0f, 1.9f, 0.0f },
    SectionRow { Stage::blue, 5, 20000.0f, 0.1f, 0.0f },
    SectionRow { Stage::blue, 6, 255.94f, 4.5f, 6.22f },
    SectionRow { Stage::blue, 7, 20000.0f, 0.1f, 0.0f },

    SectionRow { Stage::red, 0, 12500.0f, 2.3f, 15.92f },
    SectionRow { Stage::red, 1, 775.0f, 14.4f, 7.22f },
    SectionRow { Stage::red, 2, 3125.0f, 18.8f, 5.41f },
    SectionRow { Stage::red, 3, 6250.0f, 6.7f, -7.21f },
    SectionRow { Stage::red, 4, 12500.0f, 30.0f, 0.0f },
    SectionRow { Stage::red, 5, 1000.0f, 30.0f, 0.0f },
    SectionRow { Stage::red, 6, 1000.0f, 30.0f, 0.0f },
    SectionRow { Stage::red, 7, 1000.0f, 30.0f, 0.0f }));

//==============================================================================
/** What a prepared stage's bank holds; the bank itself owns filters and is not copyable. */
struct BankSnapshot
{
    std::array<float, FilterSectionBank::numSections> sectionFrequency, sectionGainDb, sectionQ;
    std::array<juce::dsp::IIR::Coefficients<float>::Ptr, FilterSectionBank::numSections> coefficients;
};

using BankFactory = std::function<BankSnapshot (double rate)>;

template <typename StageType>
BankFactory makeBank (bool doubled, float baseOrKey, float value, float percent)
{
    return [=] (double rate)
    {
        StageType stage (doubled, baseOrKey, value, percent);
        stage.prepare (rate, 32);
        const auto& bank = stage.getBank();
        BankSnapshot snapshot { bank.sectionFrequency, bank.sectionGainDb, bank.sectionQ, {} };
        for (size_t i = 0; i < snapshot.coefficients.size(); ++i)
            snapshot.coefficients[i] = bank.coefficients[i];
        return snapshot;
    };
}

constexpr auto any = std::numeric_limits<float>::quiet_NaN();

struct RuleCase
{
    const char* name;
    BankFactory make;
    int section;
    float frequency, q, gainDb;
};

std::ostream& operator<< (std::ostream& os, const RuleCase& c) { return os << c.name; }

class StageRuleTest : public testing::TestWithParam<RuleCase> {};

TEST_P (StageRuleTest, SectionFollowsTheRule)
{
    const auto& c = GetParam();
    const auto bank = c.make (48000.0);
    const auto i = static_cast<size_t> (c.section);

    if (! std::isnan (c.frequency)) { EXPECT_NEAR (bank.sectionFrequency[i], c.frequency, 0.01f); }
    if (! std::isnan (c.q))         { EXPECT_FLOAT_EQ (bank.sectionQ[i], c.q); }
    if (! std::isnan (c.gainDb))    { EXPECT_NEAR (bank.sectionGainDb[i], c.gainDb, 0.005f); }
}

// Level of a value v: v / 8.33, doubled when asked.
constexpr float level (float v, bool doubled = false) { return v / 8.33f * (doubled ? 2.0f : 1.0f); }

INSTANTIATE_TEST_SUITE_P (Edges, StageRuleTest, testing::Values (
    RuleCase { "band_q_6300_s0", makeBank<BandStage> (false, 6300, 50, 100), 0, 6300, 4.5f, any },
    RuleCase { "band_q_6300_s4", makeBank<BandStage> (false, 6300, 50, 100), 4, any, 4.5f, any },
    RuleCase { "band_q_6600_s0", makeBank<BandStage> (false, 6600, 50, 100), 0, any, 4.0f, any },
    RuleCase { "band_q_6600_s4", makeBank<BandStage> (false, 6600, 50, 100), 4, any, 3.7f, any },
    RuleCase { "band_q_6900_s0", makeBank<BandStage> (false, 6900, 50, 100), 0, any, 3.5f, any },
    RuleCase { "band_q_6900_s4", makeBank<BandStage> (false, 6900, 50, 100), 4, any, 3.1f, any },
    RuleCase { "band_q_7200_s0", makeBank<BandStage> (false, 7200, 50, 100), 0, any, 2.5f, any },
    RuleCase { "band_q_7200_s4", makeBank<BandStage> (false, 7200, 50, 100), 4, any, 2.3f, any },
    RuleCase { "band_q_7500_s0", makeBank<BandStage> (false, 7500, 50, 100), 0, any, 1.5f, any },
    RuleCase { "band_q_7500_s4", makeBank<BandStage> (false, 7500, 50, 100), 4, any, 1.3f, any },
    RuleCase { "band_q_7501_s0", makeBank<BandStage> (false, 7501, 50, 100), 0, any, 1.5f, any },
    RuleCase { "band_q_7501_s4", makeBank<BandStage> (false, 7501, 50, 100), 4, any, 0.1f, any },
    RuleCase { "band_q_6300_s2_always", makeBank<BandStage> (false, 9000, 50, 100), 2, any, 4.5f, any },
    RuleCase { "band_10k_s4_at_cap_keeps_gain", makeBank<BandStage> (false, 10000, 50, 100), 4, 20000, any, 0.33f * level (50) },
    RuleCase { "band_5k_s5_at_cap_keeps_gain", makeBank<BandStage> (false, 5000, 50, 100), 5, 20000, any, 0.333f * level (50) },
    RuleCase { "band_5k_s6_over_cap_parks", makeBank<BandStage> (false, 5000, 50, 100), 6, 1000, any, 0 },
    RuleCase { "band_177_s1_parked", makeBank<BandStage> (true, 177, -58, 28), 1, 1000, any, 0 },
    RuleCase { "band_1000_s1_in_place", makeBank<BandStage> (false, 1000, 50, 100), 1, 62, any, 0 },
    RuleCase { "band_undoubled_level", makeBank<BandStage> (false, 177, -58, 28), 0, 177, any, -6.96f },
    RuleCase { "band_negative_cuts_base", makeBank<BandStage> (false, 1000, -50, 100), 0, 1000, any, level (-50) },
    RuleCase { "band_negative_boosts_half", makeBank<BandStage> (false, 1000, -50, 100), 3, 500, any, -0.333f * level (-50) },

    RuleCase { "blue_15_s1_limited", makeBank<BlueStage> (true, 15, 72, 72), 1, 1045.04f, 0.9f, 3.24f },
    RuleCase { "blue_15_s6_low", makeBank<BlueStage> (true, 15, 72, 72), 6, 255.94f, 4.5f, 0.5f * 0.72f * level (72, true) },
    RuleCase { "blue_6_s5_strong", makeBank<BlueStage> (false, 6, 40, 50), 5, 4120, 30, 0.8f * 0.5f * level (40) },
    RuleCase { "blue_6_s6_strong", makeBank<BlueStage> (false, 6, 40, 50), 6, 3090, 30, 0.8f * 0.5f * level (40) },
    RuleCase { "blue_5_s5_normal", makeBank<BlueStage> (false, 5, 40, 50), 5, 2080, 30, 0.375f * 0.5f * level (40) },
    RuleCase { "blue_5_s6_flat", makeBank<BlueStage> (false, 5, 40, 50), 6, 1560, 30, 0 },
    RuleCase { "blue_5_s1_unlimited", makeBank<BlueStage> (false, 5, 30, 50), 1, 33.176f, 11, 0.5f * 0.5f * level (30) },
    RuleCase { "blue_11_s6_flat", makeBank<BlueStage> (false, 11, 40, 50), 6, 18900, 30, 0 },
    RuleCase { "blue_11_s7_capped", makeBank<BlueStage> (false, 11, 40, 50), 7, 20000, 0.1f, 0 },
    RuleCase { "blue_6_s7_over_limit", makeBank<BlueStage> (false, 6, 40, 50), 7, 16480, 6.9f, level (40) * 0.5f * 0.75f },
    RuleCase { "blue_15p5_no_row", makeBank<BlueStage> (true, 15.5f, 72, 72), 0, 0, 0, level (72, true) },
    // Doubled, the level limit is 9 dB: just below it and just above.
    RuleCase { "blue_5_doubled_s1_below_limit", makeBank<BlueStage> (true, 5, 37.4f, 50), 1, 33.176f, 11, 0.5f * 0.5f * level (37.4f, true) },
    RuleCase { "blue_5_doubled_s1_above_limit", makeBank<BlueStage> (true, 5, 37.6f, 50), 1, 33.176f, 11, 4.5f * 0.5f },
    RuleCase { "blue_5_doubled_s7_below_limit", makeBank<BlueStage> (true, 5, 37.4f, 50), 7, 8320, 6.9f, level (37.4f, true) * 0.5f * 0.375f },
    RuleCase { "blue_5_doubled_s7_above_limit", makeBank<BlueStage> (true, 5, 37.6f, 50), 7, 8320, 6.9f, level (37.6f, true) * 0.5f * 1.5f },

    RuleCase { "red_29_s3_deeper", makeBank<RedStage> (false, 29, 51, 68), 3, 6250, 6.7f, -0.333f * 0.68f * level (51) * 2.6f * 2.0f },
    RuleCase { "red_29_doubled_s3_deeper", makeBank<RedStage> (true, 29, 51, 68), 3, 6250, 6.7f, -0.333f * 0.68f * level (51, true) * 2.6f * 2.0f },
    RuleCase { "red_29_low_level_s3", makeBank<RedStage> (false, 29, 20, 68), 3, 6250, 6.7f, -0.333f * 0.68f * level (20) * 2.6f },
    // Doubled, the threshold is 7.2 dB: just below it and just above.
    RuleCase { "red_29_doubled_s3_below_threshold", makeBank<RedStage> (true, 29, 29.9f, 68), 3, 6250, 6.7f, -0.333f * 0.68f * level (29.9f, true) * 2.6f },
    RuleCase { "red_29_doubled_s3_above_threshold", makeBank<RedStage> (true, 29, 30.1f, 68), 3, 6250, 6.7f, -0.333f * 0.68f * level (30.1f, true) * 2.6f * 2.0f },
    RuleCase { "red_29_s4_parked_at_base", makeBank<RedStage> (false, 29, 51, 68), 4, 12500, 30, 0 },
    RuleCase { "red_4_s1_parked", makeBank<RedStage> (false, 4, 51, 68), 1, 1000, 10, 0 },
    RuleCase { "red_4_s2", makeBank<RedStage> (false, 4, 51, 68), 2, 13, 10, 0.5f * 0.68f * level (51) * 1.3f },
    RuleCase { "red_4_s3", makeBank<RedStage> (false, 4, 51, 68), 3, 26, 30, any },
    RuleCase { "red_4_s4", makeBank<RedStage> (false, 4, 51, 68), 4, 104, 4.5f, any },
    RuleCase { "red_4_s5", makeBank<RedStage> (false, 4, 51, 68), 5, 208, 4.5f, any },
    RuleCase { "red_4_s6_flat", makeBank<RedStage> (false, 4, 51, 68), 6, 416, 4.5f, 0 },
    RuleCase { "red_4_s7", makeBank<RedStage> (false, 4, 51, 68), 7, 832, 4.5f, 0.667f * 0.68f * level (51) * 1.3f },
    RuleCase { "red_6_s0", makeBank<RedStage> (false, 6, 51, 68), 0, 80, 2.5f, level (51) * 1.2f },
    RuleCase { "red_5_no_row", makeBank<RedStage> (false, 5, 51, 68), 0, 0, 0, 0 }),
    [] (const auto& info) { return std::string (info.param.name); });

//==============================================================================
bool isFlat (const BankSnapshot& bank, double rate)
{
    for (auto f : { 20.0, 200.0, 1000.0, 5000.0, 0.45 * rate })
        for (const auto& section : bank.coefficients)
            if (std::abs (section->getMagnitudeForFrequency (f, rate) - 1.0) > 1e-5)
                return false;

    return true;
}

/** A row of the Blue or Red key table: the base frequency (section 0) and
    the eight Q values, for the keys the product itself does not use. */
struct KeyRow
{
    const char* name;
    BankFactory make;
    float baseFrequency;
    std::array<float, 8> q;
};

std::ostream& operator<< (std::ostream& os, const KeyRow& c) { return os << c.name; }

class KeyTableTest : public testing::TestWithParam<KeyRow> {};

TEST_P (KeyTableTest, KeyGivesItsRowsBaseFrequencyAndQValues)
{
    const auto bank = GetParam().make (48000.0);
    EXPECT_FLOAT_EQ (bank.sectionFrequency[0], GetParam().baseFrequency);
    for (size_t i = 0; i < 8; ++i)
        EXPECT_FLOAT_EQ (bank.sectionQ[i], GetParam().q[i]) << "section " << i;
}

INSTANTIATE_TEST_SUITE_P (Rows, KeyTableTest, testing::Values (
    KeyRow { "blue_5", makeBank<BlueStage> (false, 5, 40, 50), 520, { 1, 11, 3.3f, 4.5f, 3.9f, 30, 30, 6.9f } },
    KeyRow { "blue_6", makeBank<BlueStage> (false, 6, 40, 50), 1030, { 1, 1, 3.3f, 4.5f, 3.9f, 30, 30, 6.9f } },
    KeyRow { "blue_11", makeBank<BlueStage> (false, 11, 40, 50), 6300, { 1, 1.7f, 1.2f, 2, 1.9f, 0.1f, 30, 0.1f } },
    KeyRow { "blue_13", makeBank<BlueStage> (false, 13, 40, 50), 10300, { 1, 0.9f, 1.2f, 2, 1.9f, 0.1f, 4.5f, 0.1f } },
    KeyRow { "blue_14", makeBank<BlueStage> (false, 14, 40, 50), 12000, { 1, 0.9f, 1.2f, 2, 1.9f, 0.1f, 4.5f, 0.1f } },
    KeyRow { "red_4", makeBank<RedStage> (false, 4, 51, 68), 52, { 5.6f, 10, 10, 30, 4.5f, 4.5f, 4.5f, 4.5f } },
    KeyRow { "red_6", makeBank<RedStage> (false, 6, 51, 68), 80, { 2.5f, 0.1f, 0.1f, 0.1f, 16.6f, 0.1f, 0.1f, 19.7f } },
    KeyRow { "red_7", makeBank<RedStage> (false, 7, 51, 68), 100, { 2.5f, 0.1f, 0.1f, 0.1f, 16.6f, 0.1f, 0.1f, 19.7f } }),
    [] (const auto& info) { return std::string (info.param.name); });

TEST (StageRules, CapsAreStrict)
{
    FilterSectionBank bank;

    for (auto cap : { 20000.0f, 24000.0f })
    {
        bank.setCappedSection (2, cap, 3.0f, cap, 1000.0f);
        EXPECT_EQ (bank.sectionFrequency[2], cap);
        EXPECT_EQ (bank.sectionGainDb[2], 3.0f);

        bank.setCappedSection (2, std::nextafter (cap, 1.0e6f), 3.0f, cap, 1000.0f);
        EXPECT_EQ (bank.sectionFrequency[2], 1000.0f);
        EXPECT_EQ (bank.sectionGainDb[2], 0.0f);
    }
}

TEST (StageRules, KeysWithoutARowLeaveTheStageFlat)
{
    EXPECT_TRUE (isFlat (makeBank<BlueStage> (true, 15.5f, 72, 72) (48000.0), 48000.0));
    EXPECT_TRUE (isFlat (makeBank<RedStage> (false, 5, 51, 68) (48000.0), 48000.0));
    EXPECT_FALSE (isFlat (makeBank<RedStage> (false, 29, 51, 68) (48000.0), 48000.0));
}

struct UnusableCase
{
    float rate, frequency, q, gainDb;
    bool unusable;
};

class UnusableSectionTest : public testing::TestWithParam<UnusableCase> {};

TEST_P (UnusableSectionTest, OnlyUsablePeakFiltersKeepTheirCoefficients)
{
    const auto& c = GetParam();
    EXPECT_EQ (FilterSectionBank::isUnusableSection (c.rate, c.frequency, c.q, c.gainDb), c.unusable);
}

constexpr auto inf = std::numeric_limits<float>::infinity();

INSTANTIATE_TEST_SUITE_P (Edges, UnusableSectionTest, testing::Values (
    UnusableCase { 44100, 20000, 1.5f, 12, false },
    UnusableCase { 44100, 20947.0f, 1.5f, 12, false },
    UnusableCase { 44100, 20947.5f, 1.5f, 12, true },
    UnusableCase { 32000, 16380, 1, 17, true },
    UnusableCase { 48000, 0, 1, 3, true },
    UnusableCase { 48000, -100, 1, 3, true },
    UnusableCase { 48000, 1000, 0, 3, true },
    UnusableCase { 48000, 1000, -1, 3, true },
    UnusableCase { 48000, 1000, 1, -100, true },
    UnusableCase { 48000, 1000, 1, -99.9f, false },
    UnusableCase { 48000, 1000, 1, inf, true },
    UnusableCase { 48000, any, 1, 3, true },
    UnusableCase { 0, 1000, 1, 3, true }));

TEST (StageRules, SectionsNearNyquistGoFlatAtLowRates)
{
    VornCurve curve;
    curve.prepare (32000.0, 64);

    // The second band stage's base section sits at 20 kHz, above 95 % of 16 kHz.
    const auto& band2 = bankOf (curve, Stage::band2);
    EXPECT_EQ (band2.sectionFrequency[0], 20000.0f);
    EXPECT_NEAR (band2.coefficients[0]->getMagnitudeForFrequency (1000.0, 32000.0), 1.0, 1e-6);

    // The Red stage's 12.5 kHz section is still below the limit and keeps its boost.
    const auto& red = bankOf (curve, Stage::red);
    EXPECT_GT (red.coefficients[0]->getMagnitudeForFrequency (12500.0, 32000.0), 5.0);
}

//==============================================================================
struct MagnitudeRow
{
    int stage; // 0..4 a single stage, 5 all five in series
    double frequency, db44, db48;
};

class VornMagnitudeTest : public testing::TestWithParam<MagnitudeRow> {};

double curveMagnitudeDb (const VornCurve& curve, int stage, double frequency, double rate)
{
    if (stage < 5)
        return bankMagnitudeDb (*curve.banks()[static_cast<size_t> (stage)], frequency, rate);

    double total = 0.0;
    for (const auto* bank : curve.banks())
        total += bankMagnitudeDb (*bank, frequency, rate);
    return total;
}

TEST_P (VornMagnitudeTest, MatchesTableWithinTolerance)
{
    const auto& row = GetParam();

    for (auto [rate, expected] : { std::pair { 44100.0, row.db44 }, std::pair { 48000.0, row.db48 } })
    {
        VornCurve curve;
        curve.prepare (rate, 64);
        EXPECT_NEAR (curveMagnitudeDb (curve, row.stage, row.frequency, rate), expected, 0.05)
            << "stage " << row.stage << " at " << row.frequency << " Hz, " << rate << " Hz";
    }
}

INSTANTIATE_TEST_SUITE_P (Responses, VornMagnitudeTest, testing::Values (
    MagnitudeRow { 0, 88.5, 0.83, 0.83 },
    MagnitudeRow { 0, 177, -13.93, -13.93 },
    MagnitudeRow { 0, 354, -1.74, -1.74 },
    MagnitudeRow { 0, 708, -1.41, -1.41 },
    MagnitudeRow { 1, 5000, 2.07, 2.11 },
    MagnitudeRow { 1, 10000, -1.93, -1.73 },
    MagnitudeRow { 1, 20000, 12.00, 12.00 },
    MagnitudeRow { 2, 2076, 1.96, 2.07 },
    MagnitudeRow { 2, 8304, 5.74, 5.78 },
    MagnitudeRow { 2, 16608, 1.64, 1.71 },
    MagnitudeRow { 3, 255.94, 6.49, 6.49 },
    MagnitudeRow { 3, 1045.04, 3.49, 3.50 },
    MagnitudeRow { 3, 4209.66, 5.09, 5.25 },
    MagnitudeRow { 3, 8435.7, -1.37, -0.68 },
    MagnitudeRow { 3, 16380, 17.23, 17.21 },
    MagnitudeRow { 4, 775, 7.23, 7.23 },
    MagnitudeRow { 4, 3125, 5.52, 5.55 },
    MagnitudeRow { 4, 6250, -6.28, -6.16 },
    MagnitudeRow { 4, 12500, 15.88, 15.88 },
    MagnitudeRow { 5, 50, -0.62, -0.62 },
    MagnitudeRow { 5, 177, -13.27, -13.27 },
    MagnitudeRow { 5, 500, 0.94, 0.96 },
    MagnitudeRow { 5, 1000, 3.56, 3.61 },
    MagnitudeRow { 5, 2000, 4.04, 4.21 },
    MagnitudeRow { 5, 5000, 7.84, 8.30 },
    MagnitudeRow { 5, 10000, 8.57, 10.14 },
    MagnitudeRow { 5, 12500, 24.54, 26.14 },
    MagnitudeRow { 5, 16000, 21.62, 23.67 },
    MagnitudeRow { 5, 20000, 16.74, 19.80 }));

//==============================================================================
double amplitudeOfTail (const juce::AudioBuffer<float>& buffer, int channel, int from)
{
    double sumOfSquares = 0.0;
    for (auto i = from; i < buffer.getNumSamples(); ++i)
        sumOfSquares += juce::square (static_cast<double> (buffer.getSample (channel, i)));

    return std::sqrt (2.0 * sumOfSquares / (buffer.getNumSamples() - from));
}

class SteadySineTest : public testing::TestWithParam<double> {};

TEST_P (SteadySineTest, ProcessedSineComesOutAtTheCurvesLevel)
{
    const auto rate = 48000.0;
    const auto frequency = GetParam();
    const auto length = 48000;

    VornCurve curve;
    curve.prepare (rate, length);

    juce::AudioBuffer<float> buffer (2, length);
    for (auto i = 0; i < length; ++i)
    {
        const auto sample = static_cast<float> (0.1 * std::sin (juce::MathConstants<double>::twoPi * frequency * i / rate));
        buffer.setSample (0, i, sample);
        buffer.setSample (1, i, sample);
    }

    curve.process (buffer);

    const auto expectedDb = curveMagnitudeDb (curve, 5, frequency, rate);
    for (auto channel : { 0, 1 })
    {
        const auto measuredDb = juce::Decibels::gainToDecibels (amplitudeOfTail (buffer, channel, length / 2) / 0.1);
        EXPECT_NEAR (measuredDb, expectedDb, 0.05) << frequency << " Hz, channel " << channel;
    }
}

INSTANTIATE_TEST_SUITE_P (Frequencies, SteadySineTest, testing::Values (177.0, 1000.0, 12500.0));

//==============================================================================
juce::AudioBuffer<float> noise (int channels, int samples, int seed)
{
    juce::Random random (seed);
    juce::AudioBuffer<float> buffer (channels, samples);
    for (auto c = 0; c < channels; ++c)
        for (auto i = 0; i < samples; ++i)
            buffer.setSample (c, i, random.nextFloat() * 2.0f - 1.0f);
    return buffer;
}

bool equalBuffers (const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b, int channel)
{
    for (auto i = 0; i < a.getNumSamples(); ++i)
        if (a.getSample (channel, i) != b.getSample (channel, i))
            return false;
    return true;
}

TEST (StageProcessing, SilenceInGivesSilenceOut)
{
    VornCurve curve;
    curve.prepare (44100.0, 512);

    juce::AudioBuffer<float> buffer (2, 512);
    buffer.clear();
    curve.process (buffer);

    EXPECT_EQ (buffer.getMagnitude (0, 512), 0.0f);
}

TEST (StageProcessing, MonoBufferUsesOnlyTheFirstFilter)
{
    BandStage touched (true, 177, -58, 28), fresh (true, 177, -58, 28);
    touched.prepare (48000.0, 256);
    fresh.prepare (48000.0, 256);

    auto mono = noise (1, 256, 1);
    touched.process (mono);

    // If the mono block had run through filter 1, its state would colour this.
    auto stereoA = noise (2, 256, 2);
    auto stereoB = stereoA;
    stereoB.clear (0, 0, 256);
    stereoA.clear (0, 0, 256);
    touched.process (stereoA);
    fresh.process (stereoB);

    EXPECT_TRUE (equalBuffers (stereoA, stereoB, 1));
}

TEST (StageProcessing, PreparingTwiceGivesTheSameCoefficientsAndTwoFilters)
{
    RedStage twice (false, 29, 51, 68), once (false, 29, 51, 68);
    twice.prepare (48000.0, 128);
    auto warmUp = noise (2, 128, 3);
    twice.process (warmUp);
    twice.prepare (48000.0, 128);
    once.prepare (48000.0, 128);

    for (size_t s = 0; s < FilterSectionBank::numSections; ++s)
    {
        const auto& a = twice.getBank().coefficients[s]->coefficients;
        const auto& b = once.getBank().coefficients[s]->coefficients;
        ASSERT_EQ (a.size(), 5);
        EXPECT_EQ (a, b) << "section " << s;
    }

    // Cleared, two independent channel filters, and a third channel untouched.
    auto input = noise (3, 128, 4);
    auto a = input, b = input;
    twice.process (a);
    once.process (b);

    EXPECT_TRUE (equalBuffers (a, b, 0));
    EXPECT_TRUE (equalBuffers (a, b, 1));
    EXPECT_FALSE (equalBuffers (a, input, 1));
    EXPECT_TRUE (equalBuffers (a, input, 2));
}

TEST (StageProcessing, UnpreparedStageLeavesTheBufferUnchanged)
{
    BlueStage stage (true, 15, 72, 72);
    const auto input = noise (2, 64, 5);
    auto buffer = input;
    stage.process (buffer);

    EXPECT_TRUE (equalBuffers (buffer, input, 0));
    EXPECT_TRUE (equalBuffers (buffer, input, 1));
}

TEST (StageProcessing, ZeroDecibelSectionPassesTheSignal)
{
    // The second band stage has five flat sections; one alone must be transparent.
    VornCurve curve;
    curve.prepare (48000.0, 64);
    juce::dsp::IIR::Filter<float> filter (bankOf (curve, Stage::band2).coefficients[5]);
    filter.prepare ({ 48000.0, 64, 1 });

    juce::Random random (6);
    for (auto i = 0; i < 1000; ++i)
    {
        const auto x = random.nextFloat() - 0.5f;
        EXPECT_NEAR (filter.processSample (x), x, 1e-6f);
    }
}

class ImpulseStabilityTest : public testing::TestWithParam<double> {};

TEST_P (ImpulseStabilityTest, ImpulseResponseStaysFiniteAndDecays)
{
    const auto rate = GetParam();
    const auto length = static_cast<int> (rate);

    VornCurve curve;
    curve.prepare (rate, length);

    juce::AudioBuffer<float> buffer (2, length);
    buffer.clear();
    buffer.setSample (0, 0, 1.0f);
    buffer.setSample (1, 0, 1.0f);
    curve.process (buffer);

    for (auto channel : { 0, 1 })
    {
        for (auto i = 0; i < length; ++i)
            ASSERT_TRUE (std::isfinite (buffer.getSample (channel, i))) << "sample " << i;

        EXPECT_LT (buffer.getMagnitude (channel, length * 9 / 10, length / 10), 1e-4f);
    }
}

INSTANTIATE_TEST_SUITE_P (HostRates, ImpulseStabilityTest,
                          testing::Values (8000.0, 11025.0, 16000.0, 22050.0, 32000.0,
                                           44100.0, 48000.0, 88200.0, 96000.0, 192000.0, 384000.0));
} // namespace
