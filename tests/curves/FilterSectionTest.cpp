// FilterSection: the design rules, the response readings the device's users
// know, the phase corrections per type code, and bad values.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "curves/FilterSection.h"

namespace
{

// Grid point nearest a frequency.
int PointOf(double f)
{
    return int(std::lround(std::log10(f) / std::log10(48000.0) * 4096));
}

FilterSection Make(int type, double f, double g, double q, float c1 = 1.0f, float c2 = 1.0f,
                   bool phase = false)
{
    FilterSection s;
    s.SetPhaseMode(phase);
    s.SetXoverSection(g, f, q, type, c1, c2);
    return s;
}

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

} // namespace

TEST(FilterSection, GridRunsFrom1HzToBelow48kHz)
{
    const FrequencyGrid& g = FrequencyGrid::Get();
    EXPECT_DOUBLE_EQ(g.frequency[0], 1.0);
    EXPECT_NEAR(g.frequency[4095], 47874.0, 0.5);
    EXPECT_NEAR(g.frequency[PointOf(1000.0)], 1000.0, 1.5);
    for (int p = 1; p < CurvePoints; ++p)
        ASSERT_GT(g.frequency[p], g.frequency[p - 1]);
}

TEST(FilterSection, KnownReadings)
{
    struct Case {
        const char* name;
        int type;
        double f, g, q;
        float c1, c2;
        double at; // Hz
        double dB;
        double tolerance;
    } cases[] = {
        {"peak +6 reaches +6 at its centre", 1, 1000, 6, 2, 1, 1, 1000, 6.00, 0.005},
        {"peak +6 is flat at 20 Hz", 1, 1000, 6, 2, 1, 1, 20, 0.00, 0.005},
        {"peak -6 mirrors at its centre", 1, 1000, -6, 2, 1, 1, 1000, -6.00, 0.005},
        {"peak -6 mirrors at 20 Hz", 1, 1000, -6, 2, 1, 1, 20, 0.00, 0.005},
        {"low shelf +6 at 20 Hz", 2, 1000, 6, 0.707, 1, 1, 20, 6.0, 0.05},
        {"low shelf +6 at 1 kHz", 2, 1000, 6, 0.707, 1, 1, 1000, 3.96, 0.02},
        {"low shelf +6 at 20 kHz", 2, 1000, 6, 0.707, 1, 1, 20000, 0.0, 0.05},
        {"high shelf +6 at 20 Hz", 3, 1000, 6, 0.707, 1, 1, 20, 0.0, 0.05},
        {"high shelf +6 at 1 kHz", 3, 1000, 6, 0.707, 1, 1, 1000, 3.96, 0.02},
        {"high shelf +6 at 20 kHz", 3, 1000, 6, 0.707, 1, 1, 20000, 6.0, 0.05},
        {"low shelf -6 at 20 Hz", 2, 1000, -6, 0.707, 1, 1, 20, -6.0, 0.05},
        {"high shelf -6 at 20 kHz", 3, 1000, -6, 0.707, 1, 1, 20000, -6.0, 0.05},
        {"band-pass peaks at +6.02", 6, 1000, 0, 2, 1, 1, 1000, 6.02, 0.01},
        {"Bessel low-pass stage at its corner", 13, 1000, 0, 0.05, 1.3617f, 0.618f, 1000, -3.01, 0.01},
        {"Bessel high-pass stage at its corner", 16, 1000, 0, 0.05, 1.3617f, 0.618f, 1000, -3.01, 0.01},
        {"2nd-order low-pass Q 0.707 at its corner", 5, 1000, 0, 0.7071, 1, 1, 1000, -3.01, 0.01},
        {"2nd-order high-pass Q 0.707 at its corner", 4, 1000, 0, 0.7071, 1, 1, 1000, -3.01, 0.01},
        {"1st-order low-pass at its corner", 8, 1000, 0, 1, 1, 1, 1000, -3.01, 0.01},
        {"1st-order high-pass at its corner", 9, 1000, 0, 1, 1, 1, 1000, -3.01, 0.01},
        {"1st-order all-pass is flat", 7, 1000, 0, 1, 1, 1, 1000, 0.0, 1e-9},
        {"2nd-order all-pass is flat", 17, 1000, 0, 3, 1, 1, 1000, 0.0, 1e-9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const FilterSection s = Make(c.type, c.f, c.g, c.q, c.c1, c.c2);
        EXPECT_NEAR(s.curve()[PointOf(c.at)], c.dB, c.tolerance);
    }
}

TEST(FilterSection, GainZeroAndBypassAreFlatInBothModes)
{
    struct Case {
        const char* name;
        int type;
    } cases[] = {{"peak", 1}, {"low shelf", 2}, {"high shelf", 3}, {"bypass", 10}};
    for (const Case& c : cases) {
        for (bool phase : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (phase ? " phase" : " magnitude"));
            const FilterSection s = Make(c.type, 440.0, 0.0, 4.0, 1, 1, phase);
            for (double v : s.curve())
                ASSERT_NEAR(v, 0.0, 1e-12);
        }
    }
    const FilterSection bypass = Make(10, 440.0, 5.0, 4.0, 1, 1, true);
    EXPECT_TRUE(bypass.IsFlat());
}

// The per-code correction of the single-argument arctangent, seen as the
// range each code's phase keeps (units of 10 degrees).
TEST(FilterSection, PhaseCorrectionTable)
{
    struct Case {
        const char* name;
        int type;
        double g, q;
        float c1, c2;
        double lo, hi;
        bool beyondNine; // the correction must have moved some points past +-9
    } cases[] = {
        {"4 high-pass: r<0 gives r+18", 4, 0, 0.71, 1, 1, 0, 18, true},
        {"7 all-pass 1st: r<0 gives r+18", 7, 0, 0.71, 1, 1, 0, 18, true},
        {"9 high-pass 1st: r<0 gives r+18", 9, 0, 0.71, 1, 1, 0, 9, false},
        {"15 high-pass stage: r<0 gives r+18", 15, 0, 0.05, 1.4142f, 0, 0, 18, true},
        {"16 Bessel high-pass stage: r<0 gives r+18", 16, 0, 0.05, 1.3617f, 0.618f, 0, 18, true},
        {"5 low-pass: r>0 gives r-18", 5, 0, 0.71, 1, 1, -18, 0, true},
        {"8 low-pass 1st: r>0 gives r-18", 8, 0, 0.71, 1, 1, -9, 0, false},
        {"12 low-pass stage: r>0 gives r-18", 12, 0, 0.05, 1.4142f, 0, -18, 0, true},
        {"13 Bessel low-pass stage: r>0 gives r-18", 13, 0, 0.05, 1.3617f, 0.618f, -18, 0, true},
        {"2 low shelf boost: r>0 gives r-18", 2, 12, 4, 1, 1, -18, 0, true},
        {"2 low shelf cut: r<0 gives r+18", 2, -12, 4, 1, 1, 0, 18, true},
        {"3 high shelf boost: r<0 gives r+18", 3, 12, 4, 1, 1, 0, 18, true},
        {"3 high shelf cut: r>0 gives r-18", 3, -12, 4, 1, 1, -18, 0, true},
        {"1 peak: none", 1, 12, 2, 1, 1, -9, 9, false},
        {"6 band-pass: none", 6, 0, 2, 1, 1, -9, 9, false},
        {"11 low-pass 1st stage: none", 11, 0, 0.05, 0.756f, 0, -9, 0, false},
        {"14 high-pass 1st stage: none", 14, 0, 0.05, 0.756f, 0, 0, 9, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const FilterSection s = Make(c.type, 1000.0, c.g, c.q, c.c1, c.c2, true);
        const auto [lo, hi] = std::minmax_element(s.curve().begin(), s.curve().end());
        EXPECT_GE(*lo, c.lo - 1e-9);
        EXPECT_LE(*hi, c.hi + 1e-9);
        const bool beyond =
            std::any_of(s.curve().begin(), s.curve().end(), [](double v) { return std::fabs(v) > 9.0; });
        EXPECT_EQ(beyond, c.beyondNine);
    }
}

TEST(FilterSection, SecondOrderPhaseReadings)
{
    const FilterSection hp = Make(4, 1000.0, 0, 0.71, 1, 1, true);
    EXPECT_NEAR(hp.curve()[0], 18.0, 0.05);
    EXPECT_NEAR(hp.curve()[PointOf(1000.0)], 9.0, 0.05);
    EXPECT_NEAR(hp.curve()[4095], 0.0, 0.05);
    const FilterSection lp = Make(5, 1000.0, 0, 0.71, 1, 1, true);
    EXPECT_NEAR(lp.curve()[0], 0.0, 0.05);
    EXPECT_NEAR(lp.curve()[PointOf(1000.0)], -9.0, 0.05);
    EXPECT_NEAR(lp.curve()[4095], -18.0, 0.05);
}

TEST(FilterSection, AllPassPhaseTurnsOverAtItsFrequency)
{
    // Code 17: r>0 gives r-18, then every point above the frequency +18.
    const FilterSection s = Make(17, 1000.0, 0, 2.0, 1, 1, true);
    const FrequencyGrid& g = FrequencyGrid::Get();
    for (int p = 0; p < CurvePoints; ++p) {
        if (g.frequency[p] > 1000.0)
            ASSERT_GE(s.curve()[p], 0.0) << p;
        else
            ASSERT_LE(s.curve()[p], 0.0) << p;
    }
    EXPECT_LT(s.curve()[PointOf(1000.0) - 1], -17.0);
    EXPECT_GT(s.curve()[PointOf(1000.0) + 1], 17.0);
}

TEST(FilterSection, SettersKeepWhatTheyDoNotSet)
{
    FilterSection s;
    s.SetXoverSection(1.0, 200.0, 0.5, 13, 1.3617f, 0.618f);
    s.SetPhaseMode(true);
    s.SetFilterSection(-3.0, 500.0, 2.0, 1);
    EXPECT_EQ(s.shape1(), 1.3617f);
    EXPECT_EQ(s.shape2(), 0.618f);
    EXPECT_TRUE(s.phaseMode());
    EXPECT_EQ(s.type(), 1);
    EXPECT_EQ(s.frequency(), 500.0);
    EXPECT_EQ(s.gain(), -3.0);
    EXPECT_EQ(s.q(), 2.0);
    const FilterSection fresh = Make(1, 500.0, -3.0, 2.0, 1, 1, true);
    EXPECT_EQ(s.curve(), fresh.curve());
}

TEST(FilterSection, CoefsOfKnownAndUnknownCodes)
{
    SectionCoefs c;
    c.b0 = 42.0;
    FilterSection s;
    for (int code : {0, 18, -3, 1000}) {
        SCOPED_TRACE(code);
        s.SetFilterSection(3.0, 1000.0, 1.0, code);
        EXPECT_FALSE(s.CalcSectionCoefs(c));
        EXPECT_EQ(c.b0, 42.0); // nothing written
        EXPECT_TRUE(s.IsFlat());
    }
    for (int code = 1; code <= 17; ++code) {
        SCOPED_TRACE(code);
        s.SetXoverSection(3.0, 1000.0, 1.0, code, 1.0f, 1.0f);
        EXPECT_TRUE(s.CalcSectionCoefs(c));
        EXPECT_EQ(c.a0, 1.0);
    }
    // Band-pass: b1 = 0 and b2 = -b0 by its row.
    s.SetFilterSection(0.0, 1000.0, 2.0, 6);
    ASSERT_TRUE(s.CalcSectionCoefs(c));
    EXPECT_EQ(c.b1, 0.0);
    EXPECT_EQ(c.b2, -c.b0);
}

// Values outside every scale give a defined, finite curve: the design where
// the values make one, a flat section where they cannot.
TEST(FilterSection, BadValuesGiveFiniteCurves)
{
    struct Case {
        const char* name;
        int type;
        double f, g, q;
        float c1, c2;
        bool flat;
    } cases[] = {
        {"frequency zero", 5, 0.0, 0, 0.71, 1, 1, true},
        {"frequency negative", 1, -100.0, 6, 1, 1, 1, true},
        {"frequency not a number", 4, NaN, 0, 1, 1, 1, true},
        {"frequency infinite", 8, Inf, 0, 1, 1, 1, true},
        {"frequency at 48 kHz", 5, 48000.0, 0, 1, 1, 1, true},
        {"frequency above 48 kHz", 9, 60000.0, 0, 1, 1, 1, true},
        {"Q zero", 1, 1000.0, 6, 0.0, 1, 1, true},
        {"Q negative", 4, 1000.0, 0, -2.0, 1, 1, true},
        {"Q not a number", 17, 1000.0, 0, NaN, 1, 1, true},
        {"Q infinite", 6, 1000.0, 0, Inf, 1, 1, true},
        {"Q denormal", 2, 1000.0, 6, 1e-320, 1, 1, true},
        {"Q tiny", 5, 1000.0, 0, 1e-300, 1, 1, false},
        {"Q huge: flat to double precision", 1, 1000.0, 6, 1e300, 1, 1, true},
        {"gain not a number", 1, 1000.0, NaN, 1, 1, 1, true},
        {"gain infinite", 3, 1000.0, Inf, 1, 1, 1, true},
        {"gain far beyond the scale", 2, 1000.0, -1e6, 1, 1, 1, true},
        {"gain 200 dB", 1, 1000.0, 200.0, 128, 1, 1, false},
        {"gain ignored by a low-pass", 5, 1000.0, NaN, 0.71, 1, 1, false},
        {"Q ignored by a stage", 12, 1000.0, 0, 0.0, 1.4142f, 1, false},
        {"shape1 zero", 11, 1000.0, 0, 1, 0.0f, 1, true},
        {"shape1 negative", 12, 1000.0, 0, 1, -1.0f, 1, true},
        {"shape2 zero", 13, 1000.0, 0, 1, 1.3617f, 0.0f, true},
        {"shape2 not a number", 16, 1000.0, 0, 1, 1.3617f, std::numeric_limits<float>::quiet_NaN(), true},
        {"shape1 infinite", 14, 1000.0, 0, 1, std::numeric_limits<float>::infinity(), 1, true},
        {"shape2 ignored by a 2nd-order stage", 15, 1000.0, 0, 1, 1.4142f, 0.0f, false},
        {"pole next to the unit circle", 12, 1000.0, 0, 1, 1e-30f, 1, false},
        {"corner next to 48 kHz", 4, 47999.999, 0, 0.71, 1, 1, false},
        {"corner next to 0 Hz", 5, 1e-12, 0, 0.71, 1, 1, false},
    };
    for (const Case& c : cases) {
        for (bool phase : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (phase ? " phase" : " magnitude"));
            const FilterSection s = Make(c.type, c.f, c.g, c.q, c.c1, c.c2, phase);
            for (int p = 0; p < CurvePoints; ++p)
                ASSERT_TRUE(std::isfinite(s.curve()[p])) << p;
            EXPECT_EQ(s.IsFlat(), c.flat);
        }
    }
}

// Sections share a curve until one of them writes: a copy that changes never changes the one it came
// from, and a section that goes flat and back reads right every time.
TEST(FilterSection, CopiesKeepTheirOwnCurves)
{
    const FilterSection fresh = Make(ftHighShelf, 1000.0, 0.0, 0.4);
    const FilterSection initial;
    EXPECT_EQ(initial.curve(), fresh.curve());
    EXPECT_EQ(initial.IsFlat(), fresh.IsFlat());

    FilterSection a = Make(ftPeaking, 1000.0, 6.0, 1.0);
    const CurveArray before = a.curve();
    FilterSection b = a;
    b.SetFilterSection(-6.0, 500.0, 2.0, ftPeaking);
    EXPECT_EQ(a.curve(), before);
    EXPECT_NE(b.curve(), before);

    FilterSection phase = Make(ftLowPass2, 300.0, 0.0, 0.71, 1, 1, true);
    CurveArray shifted = phase.curve();
    for (double& v : shifted)
        v += 30.0;
    FilterSection folded = phase;
    folded.SetCurve(shifted);
    folded.FoldCurve();
    EXPECT_NE(phase.curve(), folded.curve());
    EXPECT_LE(*std::max_element(folded.curve().begin(), folded.curve().end()), 18.0);

    a.SetFilterSection(0.0, 1000.0, 1.0, ftPeaking);
    EXPECT_TRUE(a.IsFlat());
    EXPECT_TRUE(std::all_of(a.curve().begin(), a.curve().end(), [](double v) { return v == 0.0; }));
    a.SetFilterSection(6.0, 1000.0, 1.0, ftPeaking);
    EXPECT_EQ(a.curve(), before);
    EXPECT_FALSE(a.IsFlat());
}
