// The band editor's grids and typed-entry rules, without a window.
#include "eq/PeqEntry.h"

#include "base/ValueScales.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

using namespace eq;

TEST(PeqEntry, EditorSnapsFrequenciesByTheFirstDecimal)
{
    const double r = 1.023373891996775;
    struct Case {
        const char* name;
        double hz;
        int position;
    } cases[] = {
        {"1 kHz", 1000.0, 0},
        {"just below 1 kHz", 999.9, 0},
        {"x = 4.61", 1000.0 * std::pow(r, 4.61), 5},
        {"x = 4.55", 1000.0 * std::pow(r, 4.55), 4},
        {"x = 12.55", 1000.0 * std::pow(r, 12.55), 12},
        {"x = 12.60", 1000.0 * std::pow(r, 12.60), 13},
        {"x = -12.60", 1000.0 * std::pow(r, -12.60), -13},
        {"x = -0.30", 1000.0 * std::pow(r, -0.30), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SnapFreqPosition(c.hz), c.position);
    }
    // Every grid point lands on its own position, as the scales give it.
    for (int i = 0; i <= 300; ++i)
        ASSERT_EQ(SnapFreqPosition(IndexToFreq(i)), i - 170) << i;
    EXPECT_FALSE(SnapFreqPosition(0.0));
    EXPECT_FALSE(SnapFreqPosition(-5.0));
    EXPECT_FALSE(SnapFreqPosition(std::nan("")));
    EXPECT_FALSE(SnapFreqPosition(INFINITY));
}

TEST(PeqEntry, TextsAndGainRounding)
{
    EXPECT_EQ(FreqText(1000.0), "1.00KHz");
    EXPECT_EQ(FreqText(19.7), "19.7Hz");
    EXPECT_EQ(FreqText(999.9), "999.9Hz");
    EXPECT_EQ(QText(1.26), "1.26");
    EXPECT_EQ(GainText(-12.0), "-12.0dB");
    struct Case {
        const char* name;
        double db;
        int param, plain;
    } cases[] = {
        {"1.26", 1.26, 13, 12}, {"1.25", 1.25, 12, 12}, {"-1.26", -1.26, -12, -12}, {"0", 0.0, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ParamGainPosition(c.db), c.param);
        EXPECT_EQ(GainPosition(c.db), c.plain);
    }
    EXPECT_EQ(ParamGainPosition(std::nan("")), 0);
    EXPECT_EQ(ClampQIndex(250.7), 100);
    EXPECT_EQ(ClampQIndex(-3), 0);
    EXPECT_EQ(ClampQIndex(20.9), 20);
}

TEST(PeqEntry, TypedFrequency)
{
    struct Case {
        const char* name;
        const char* text;
        int index; // -1 refused
    } cases[] = {
        {"kHz word", "1.5kHz", 188},    {"plain Hz", "1000", 170},
        {"clamped high", "25000", 300}, {"below the grid", "19.3", 0},
        {"decimal comma", "1,5", -1},   {"decimal comma before the word", "1,5kHz", -1},
        {"two points", "1.5.2", -1},    {"letters after the number", "12abc", -1},
        {"lone minus", "-", -1},        {"Hz word", "250Hz", FreqToIndex(250)},
        {"letters", "abc", -1},         {"empty", "", -1},
        {"lone point", ".", -1},        {"zero", "0", -1},
        {"two points", "1.2.3", -1},    {"reads as zero", "0.0", -1},
        {"double zero", "00", -1},      {"comma first", ",5", -1},
        {"minus", "-100", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto n = ParseFreqEntry(c.text);
        if (c.index < 0)
            EXPECT_FALSE(n);
        else
            EXPECT_EQ(n, c.index);
    }
    // A digit run too long for a double clamps like any large value.
    std::string digits(400, '9');
    EXPECT_EQ(ParseFreqEntry(digits.append("kHz")), 300);
    EXPECT_EQ(FreqText(IndexToFreq(188)), "1.52KHz");
    // The editor's own rule and the scale's rule differ: both stay.
    EXPECT_EQ(FreqToIndex(1000.0 * std::pow(1.023373891996775, 4.55)), 175);
    EXPECT_EQ(SnapFreqPosition(1000.0 * std::pow(1.023373891996775, 4.55)), 4);
}

TEST(PeqEntry, TypedQ)
{
    struct Case {
        const char* name;
        const char* text;
        int index;
    } cases[] = {{"above 128", "200", 100},
                 {"below 0.4", "0.1", 0},
                 {"table value", "3", 35},
                 {"0.71", "0.71", 10},
                 {"zero", "0", -1},
                 {"reads as zero", "0.0", -1},
                 {"letters", "q", -1},
                 {"two points", "1..2", -1},
                 {"empty", "", -1},
                 {"decimal comma", "1,5", -1},
                 {"two points apart", "1.5.2", -1},
                 {"letters after", "12abc", -1},
                 {"lone minus", "-", -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto n = ParseQEntry(c.text);
        if (c.index < 0)
            EXPECT_FALSE(n);
        else
            EXPECT_EQ(n, c.index);
    }
    for (int i = 0; i <= 100; ++i)
        ASSERT_EQ(ParseQEntry(QText(QTable[std::size_t(i)])), i) << i;
}

TEST(PeqEntry, TypedGain)
{
    struct Case {
        const char* name;
        const char* text;
        int position;
        bool refused;
    } cases[] = {
        {"clamped low", "-15dB", -120, false},
        {"second decimal dropped", "3.47", 34, false},
        {"one decimal exact", "0.7", 7, false},
        {"negative decimal", "-3.4", -34, false},
        {"exact 2.3", "2.3", 23, false},
        {"zero is a gain", "0", 0, false},
        {"DB word", "6DB", 60, false},
        {"clamped high", "99", 120, false},
        {"nothing after the point", "3.", 0, true},
        {"two minus signs", "--3", 0, true},
        {"lone minus", "-", 0, true},
        {"lone point", ".", 0, true},
        {"letters", "x1", 0, true},
        {"empty", "", 0, true},
        {"decimal comma", "1,5", 0, true},
        {"decimal comma after the point", "1.5,5", 0, true},
        {"two points", "1.5.2", 0, true},
        {"letters after the number", "12abc", 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto n = ParseGainEntry(c.text);
        if (c.refused)
            EXPECT_FALSE(n);
        else
            EXPECT_EQ(n, c.position);
    }
    std::string negative(400, '9');
    EXPECT_EQ(ParseGainEntry(negative.insert(0, "-").append("dB")), -120);
}
