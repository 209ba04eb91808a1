// The shared constant tables against their printed values and their own structure.
#include "app/ProgramInfo.h"
#include "base/ValueScales.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>
#include <set>
#include <string>

namespace
{

TEST(ProgramConstants, IdentityAndScalars)
{
    EXPECT_EQ(ProgramTitle, "Tolvane Morvex Processor Editor");
    EXPECT_EQ(ProgramVersion, "V1.04");
    EXPECT_TRUE(DefaultDeviceAddress.empty());
    EXPECT_NEAR(FreqStepRatio, std::exp2(1.0 / 30.0), 1e-15);
    EXPECT_DOUBLE_EQ(GeqBandQ, 8.65);
    EXPECT_FLOAT_EQ(SoundSpeed, 343.5f);
    EXPECT_DOUBLE_EQ(PeqQCeiling, 3.0);
    EXPECT_DOUBLE_EQ(PeqFixedQ, QTable[10]);
    EXPECT_NEAR(PhaseScale, 18.0 / std::numbers::pi, 1e-14);
}

TEST(ProgramConstants, Suffixes)
{
    const std::array<std::string_view, 4> ms = {"ms", "Ms", "mS", "MS"};
    EXPECT_EQ(DbSuffixes, (std::array<std::string_view, 4>{"dB", "DB", "db", "Db"}));
    EXPECT_EQ(TimeSuffixes, ms);
    EXPECT_EQ(DelayMsSuffixes, ms);
    EXPECT_EQ(MetreSuffixes, (std::array<std::string_view, 2>{"m", "M"}));
    EXPECT_EQ(FeetSuffixes, (std::array<std::string_view, 4>{"ft", "Ft", "fT", "FT"}));
}

TEST(QTableValues, PrintedRowsAndOrder)
{
    ASSERT_EQ(QTable.size(), 101u);
    struct Case {
        const char* name;
        int index;
        double q;
    };
    const Case cases[] = {
        {"first", 0, 0.4},    {"fixed Q", 10, 0.71}, {"unity", 16, 1.0}, {"1.3", 21, 1.3},
        {"3.0", 35, 3.0},     {"7.1", 50, 7.1},      {"8.5", 53, 8.5},   {"10.1", 56, 10.1},
        {"14.0", 62, 14.0},   {"23.0", 70, 23.0},    {"91.0", 94, 91.0}, {"121.0", 99, 121.0},
        {"last", 100, 128.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_DOUBLE_EQ(QTable[c.index], c.q);
    }
    EXPECT_TRUE(std::is_sorted(QTable.begin(), QTable.end(), std::less_equal<double>()));
}

TEST(PeqTypes, CodesAndNames)
{
    EXPECT_EQ(PeqTypeCodes, (std::array<int, 10>{1, 2, 3, 8, 5, 9, 4, 7, 17, 0}));
    struct Case {
        const char* name;
        int type;
        int code;
    };
    const Case cases[] = {
        {"Peak", PeqTypePeak, 1},     {"Low Shelf", PeqTypeLowShelf, 2}, {"High Shelf", PeqTypeHighShelf, 3},
        {"LP -6dB", PeqTypeLp6, 8},   {"LP -12dB", PeqTypeLp12, 5},      {"HP -6dB", PeqTypeHp6, 9},
        {"HP -12dB", PeqTypeHp12, 4}, {"Allpass1", PeqTypeAllpass1, 7},  {"Allpass2", PeqTypeAllpass2, 17},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PeqTypeNames[c.type], c.name);
        EXPECT_EQ(PeqTypeCodes[c.type], c.code);
        EXPECT_NE(PeqTypeCodes[c.type], FilterCodeBypass);
    }
}

TEST(GeqCentreValues, ThirdOctaveSeries)
{
    ASSERT_EQ(GeqCentres.size(), 31u);
    EXPECT_FLOAT_EQ(GeqCentres.front(), 20.f);
    EXPECT_FLOAT_EQ(GeqCentres[2], 31.5f);
    EXPECT_FLOAT_EQ(GeqCentres[17], 1000.f);
    EXPECT_FLOAT_EQ(GeqCentres[22], 3150.f);
    EXPECT_FLOAT_EQ(GeqCentres.back(), 20000.f);
    // Preferred numbers stay within 3 % of exact third octaves around 1 kHz.
    for (std::size_t i = 0; i < GeqCentres.size(); ++i) {
        SCOPED_TRACE(i);
        const double exact = 1000.0 * std::exp2((static_cast<double>(i) - 17.0) / 3.0);
        EXPECT_NEAR(GeqCentres[i], exact, exact * 0.03);
    }
}

TEST(MeterThresholdValues, InputsAndOutputs)
{
    EXPECT_EQ(MeterThresholds.Inputs,
              (std::array<float, 9>{-50.f, -30.f, -20.f, -10.f, -5.f, 0.f, 5.f, 12.f, 15.f}));
    EXPECT_EQ(MeterThresholds.Outputs,
              (std::array<float, 8>{-50.f, -20.f, -10.f, -5.f, 0.f, 5.f, 12.f, 14.f}));
}

TEST(RatioSteps, TextsAndValues)
{
    ASSERT_EQ(RatioTexts.size(), 16u);
    ASSERT_EQ(RatioValues.size(), 16u);
    EXPECT_EQ(RatioTexts[0], "1.0");
    EXPECT_EQ(RatioTexts[13], "10");
    EXPECT_EQ(RatioTexts[14], "20");
    EXPECT_EQ(RatioTexts[15], "Limit");
    EXPECT_DOUBLE_EQ(RatioValues[15], 20.1); // not 20, not infinity
    EXPECT_TRUE(std::is_sorted(RatioValues.begin(), RatioValues.end(), std::less_equal<double>()));
    for (int i = 0; i < 15; ++i) {
        SCOPED_TRACE(i);
        double parsed = -1;
        const std::string_view t = RatioTexts[i];
        std::from_chars(t.data(), t.data() + t.size(), parsed);
        EXPECT_DOUBLE_EQ(parsed, RatioValues[i]);
    }
}

// The slope selector's items, in order: item k is slope code k + 1.
TEST(CrossoverRows, SlopeCodesFollowTheSelectorItems)
{
    const char* items[] = {"BW -6",  "BL -6",  "BW -12", "BL -12", "LK -12", "BW -18", "BL -18",
                           "BW -24", "BL -24", "LK -24", "BW -30", "BL -30", "BW -36", "BL -36",
                           "LK -36", "BW -42", "BL -42", "BW -48", "BL -48", "LK -48"};
    ASSERT_EQ(XoverRowMap.size(), 21u);
    EXPECT_EQ(XoverRowMap[0], XoverRowBypass);
    for (int k = 0; k < 20; ++k) {
        SCOPED_TRACE(items[k]);
        const std::string item = items[k];
        const int slope = std::stoi(item.substr(3)); // dB per octave, negative
        int row = 0;
        if (item.starts_with("BW"))
            row = ButterworthFirstRow + (-slope / 6) - 1;
        else if (item.starts_with("BL"))
            row = BesselFirstRow + (-slope / 6) - 1;
        else
            row = LinkwitzFirstRow + (-slope / 12) - 1;
        EXPECT_EQ(XoverRowMap[k + 1], row);
    }
    const std::set<int> rows(XoverRowMap.begin(), XoverRowMap.end());
    EXPECT_EQ(rows.size(), 21u);
    EXPECT_EQ(*rows.rbegin(), XoverLastRow);
}

TEST(CrossoverRows, ButterworthPrintedValues)
{
    EXPECT_EQ(ButterworthRows[0], (std::array<float, 5>{1.0f, 0, 0, 0, 0}));
    EXPECT_EQ(ButterworthRows[1], (std::array<float, 5>{0, 1.4142f, 0, 0, 0}));
    EXPECT_EQ(ButterworthRows[4], (std::array<float, 5>{1.0f, 0.618f, 1.618f, 0, 0}));
    EXPECT_EQ(ButterworthRows[6], (std::array<float, 5>{1.0f, 0.445f, 1.247f, 1.8019f, 0}));
    EXPECT_EQ(ButterworthRows[7], (std::array<float, 5>{0, 0.3902f, 1.1111f, 1.6629f, 1.9616f}));
}

// Order n: a first-order stage when n is odd, then dampings 2 sin((2k - 1) pi / 2n).
TEST(CrossoverRows, ButterworthMatchesTheDesign)
{
    for (int n = 1; n <= 8; ++n) {
        SCOPED_TRACE(n);
        const auto& row = ButterworthRows[n - 1];
        EXPECT_EQ(row[0], n % 2 == 1 ? 1.0f : 0.0f);
        const int pairs = n / 2;
        for (int k = 1; k <= 4; ++k) {
            const double expected =
                k <= pairs ? 2.0 * std::sin((2.0 * k - 1.0) * std::numbers::pi / (2.0 * n)) : 0.0;
            EXPECT_NEAR(row[k], expected, 6e-4) << "stage " << k;
        }
    }
}

TEST(CrossoverRows, BesselPrintedValues)
{
    EXPECT_EQ(BesselRows[0], (std::array<float, 10>{1.0f, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(BesselRows[1], (std::array<float, 10>{0, 0, 1.3617f, 0.618f, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(BesselRows[2], (std::array<float, 10>{0.756f, 0, 0.9996f, 0.4772f, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(BesselRows[4],
              (std::array<float, 10>{0.6656f, 0, 1.1402f, 0.4128f, 0.6216f, 0.3245f, 0, 0, 0, 0}));
    EXPECT_EQ(BesselRows[6], (std::array<float, 10>{0.5937f, 0, 1.0944f, 0.3395f, 0.8304f, 0.3011f, 0.4332f,
                                                    0.2381f, 0, 0}));
    // Held as printed, 0.3126 included: the display follows this table.
    EXPECT_EQ(BesselRows[7], (std::array<float, 10>{0, 0, 1.1112f, 0.3126f, 0.9754f, 0.2979f, 0.7202f,
                                                    0.2621f, 0.3728f, 0.2087f}));
}

TEST(CrossoverRows, BesselStructure)
{
    for (int n = 1; n <= 8; ++n) {
        SCOPED_TRACE(n);
        const auto& row = BesselRows[n - 1];
        EXPECT_EQ(row[0] != 0.0f, n % 2 == 1);
        EXPECT_EQ(row[1], 0.0f);
        for (int p = 0; p < 4; ++p) {
            const bool present = p < n / 2;
            EXPECT_EQ(row[2 + 2 * p] != 0.0f, present) << "pair " << p;
            EXPECT_EQ(row[3 + 2 * p] != 0.0f, present) << "pair " << p;
        }
    }
}

} // namespace
