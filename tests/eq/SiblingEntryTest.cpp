// The sibling band tables' number rules without a window: step-count snapping from a rounded text,
// gain grids, general and Q texts with the user's separator, typed half-decibel gains and plain Qs.
#include "eq/PeqEntry.h"

#include "base/ValueScales.h"

#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <optional>
#include <string>

using namespace eq;

namespace
{
double FromSteps(double x)
{
    return 1000.0 * std::pow(1.023373891996775, x);
}
} // namespace

TEST(SiblingEntry, StepCountsRoundToThreeDigitsBeforeTheSnap)
{
    struct Case {
        const char* name;
        double steps;
        int rounded; // five-type and fifteen-band tables
        int plain;   // plain table (15 digits)
    } cases[] = {
        {"45.58 rounds to 45.60", 45.58, 46, 45},
        {"45.52 rounds to 45.50", 45.52, 45, 45},
        {"123.55 rounds to 124", 123.55, 124, 123},
        {"120.52 rounds to 121", 120.52, 121, 120},
        {"4.61", 4.61, 5, 5},
        {"4.55", 4.55, 4, 4},
        {"45.596", 45.596, 46, 45},
        {"45.62", 45.62, 46, 46},
        {"-0.7", -0.7, -1, -1},
        {"-0.3", -0.3, 0, 0},
        {"1 kHz", 0.0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SnapFreqPositionRounded(FromSteps(c.steps)), c.rounded);
        EXPECT_EQ(SnapFreqPositionPlain(FromSteps(c.steps)), c.plain);
    }
    for (double bad : {0.0, -1.0, std::nan(""), double(INFINITY)}) {
        EXPECT_FALSE(SnapFreqPositionRounded(bad));
        EXPECT_FALSE(SnapFreqPositionPlain(bad));
    }
}

TEST(SiblingEntry, GainGrids)
{
    struct Case {
        const char* name;
        double db;
        int rounded; // five-type SetEqParamValue
        int half;    // half-decibel tables
    } cases[] = {
        {"1.26", 1.26, 13, 2}, {"-1.26", -1.26, -13, -2}, {"1.25", 1.25, 12, 2},   {"-1.25", -1.25, -12, -2},
        {"0", 0.0, 0, 0},      {"1.75", 1.75, 17, 3},     {"-1.3", -1.3, -13, -2}, {"1.9", 1.9, 19, 3},
        {"3.5", 3.5, 35, 7},   {"-0.5", -0.5, -5, -1},    {"12", 12.0, 120, 24},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RoundedGainPosition(c.db), c.rounded);
        EXPECT_EQ(HalfDbPosition(float(c.db)), c.half);
    }
    EXPECT_EQ(HalfDbPosition(1e30f), INT_MAX);
    EXPECT_EQ(RoundedGainPosition(-1e300), -214748365); // saturated, never overflowing
}

TEST(SiblingEntry, GeneralAndQTexts)
{
    struct Case {
        const char* name;
        double v;
        const char* dot;
        const char* comma;
    } general[] = {
        {"1.5", 15 * 0.1, "1.5", "1,5"},
        {"12", 12.0, "12", "12"},
        {"-0.3", -3 * 0.1, "-0.3", "-0,3"},
        {"0", 0.0, "0", "0"},
        {"1.26", 1.26, "1.26", "1,26"},
        {"-0", -0.0, "0", "0"},
        {"a float widened", double(0.1f), "0.100000001490116", "0,100000001490116"},
        {"small", 0.00001, "0.00001", "0,00001"},
    };
    for (const auto& c : general) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(GeneralText(c.v, '.'), c.dot);
        EXPECT_EQ(GeneralText(c.v, ','), c.comma);
    }
    EXPECT_EQ(SiblingGainText(1.5, ','), "1,5dB");
    // Every Q entry reads as the band editor's two-decimal text, with the user's separator.
    for (double q : QTable) {
        SCOPED_TRACE(q);
        EXPECT_EQ(SiblingQText(q, '.'), QText(q));
        EXPECT_EQ(SiblingQText(double(float(q)), '.'), QText(q));
        std::string comma = QText(q);
        comma[comma.find('.')] = ',';
        EXPECT_EQ(SiblingQText(q, ','), comma);
    }
}

TEST(SiblingEntry, TypedHalfDecibelGains)
{
    struct Case {
        const char* text;
        std::optional<int> position;
    } cases[] = {
        {"3.67", 7},
        {"3.4", 6},
        {"3.57", 7},
        {"-3.7", -7},
        {".5", 1},
        {"12.9", 24},
        {"20dB", 24},
        {"-15", -24},
        {"-0.4", 0},
        {"3", 6},
        {"3.", std::nullopt},
        {".3", std::nullopt},
        {"-.3", std::nullopt},
        {"3.-", std::nullopt},
        {"3.,", std::nullopt},
        {"1,5", std::nullopt},
        {"--3", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"1e3", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseHalfDbGainEntry(c.text), c.position);
    }
}

TEST(SiblingEntry, TypedPlainQ)
{
    struct Case {
        const char* text;
        std::optional<int> index;
    } cases[] = {
        {"500", 100},
        {"128", 100},
        {"1.26", 20},
        {"0.1", 0},
        {"0.4", 0},
        {"0", std::nullopt},
        {"0.0", std::nullopt},
        {"00", std::nullopt},
        {"1,5", std::nullopt},
        {"-1", std::nullopt},
        {".", std::nullopt},
        {"1.2.3", std::nullopt},
        {"", std::nullopt},
        {"99999999999999999999999", 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParsePlainQEntry(c.text), c.index);
    }
}
