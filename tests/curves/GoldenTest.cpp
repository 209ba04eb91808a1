// Curves against the scipy references of gen_curve_golden.py: every filter
// type code over a spread of frequencies, gains and Q values, and every
// crossover slope at three frequencies, in both modes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <string>
#include <vector>

#include "GoldenFile.h"
#include "curves/Crossover.h"
#include "curves/Plot.h"

namespace
{

constexpr double Tolerance = 1e-6; // dB or units of 10 degrees

const std::string GoldenDir = MORVEX_CURVES_GOLDEN_DIR;

double Worst = 0.0; // largest deviation seen in the running test

// Every instruction-set level of the curve loops that this processor has,
// the baseline first; the level in use is restored when the guard ends.
struct LevelGuard {
    CurveLoopLevel saved = GetCurveLoopLevel();
    ~LevelGuard() { SetCurveLoopLevel(saved); }
};

std::vector<CurveLoopLevel> Levels()
{
    std::vector<CurveLoopLevel> out;
    for (CurveLoopLevel l : {CurveLoopLevel::Baseline, CurveLoopLevel::Avx2, CurveLoopLevel::Avx512})
        if (l <= BestCurveLoopLevel())
            out.push_back(l);
    return out;
}

const char* LevelName(CurveLoopLevel l)
{
    return l == CurveLoopLevel::Baseline ? "baseline" : l == CurveLoopLevel::Avx2 ? "AVX2" : "AVX-512";
}

// True when the reference samples every point within `near` of the grid
// point nearest f.
bool CoversAround(const GoldenFile& file, double f, int near)
{
    const int centre = int(std::lround(std::log10(f) / std::log10(48000.0) * CurvePoints));
    for (int p = std::max(0, centre - near); p <= std::min(CurvePoints - 1, centre + near); ++p)
        if (!std::binary_search(file.points.begin(), file.points.end(), p))
            return false;
    return true;
}

// Compares one computed curve with its reference; reports the first point off.
void ExpectCurve(const GoldenFile& file, const GoldenCurve& ref, const CurveArray& curve,
                 const std::string& what)
{
    for (std::size_t i = 0; i < file.points.size(); ++i) {
        const int p = file.points[i];
        const double got = curve[std::size_t(p)];
        ASSERT_TRUE(std::isfinite(got)) << what << " point " << p;
        const double off = ref.phase ? PhaseDistance(got, ref.values[i]) : std::fabs(got - ref.values[i]);
        Worst = std::max(Worst, off);
        if (off > Tolerance) {
            ADD_FAILURE() << what << " at point " << p << ": got " << got << ", reference " << ref.values[i];
            return;
        }
    }
}

} // namespace

TEST(CurveGoldens, EverySectionTypeMatchesItsAnaloguePrototype)
{
    const GoldenFile file = ReadGoldenFile(GoldenDir + "/sections.golden");
    ASSERT_EQ(file.error, "");
    LevelGuard guard;
    for (CurveLoopLevel level : Levels()) {
        SCOPED_TRACE(LevelName(level));
        ASSERT_TRUE(SetCurveLoopLevel(level));
        Worst = 0.0;
        bool seen[18] = {};
        for (const GoldenCurve& ref : file.curves) {
            FilterSection s;
            s.SetPhaseMode(ref.phase);
            s.SetXoverSection(ref.gain, ref.frequency, ref.q, ref.type, ref.shape1, ref.shape2);
            ExpectCurve(file, ref, s.curve(), Describe(ref));
            seen[ref.type] = true;
        }
        for (int code = 1; code <= 17; ++code)
            EXPECT_TRUE(seen[code]) << "no reference for type " << code;
        std::cout << LevelName(level) << ": largest deviation " << Worst << "\n";
    }
}

TEST(CurveGoldens, EveryCrossoverSlopeMatchesItsStageProduct)
{
    const GoldenFile file = ReadGoldenFile(GoldenDir + "/crossovers.golden");
    ASSERT_EQ(file.error, "");
    LevelGuard guard;
    for (CurveLoopLevel level : Levels()) {
        SCOPED_TRACE(LevelName(level));
        ASSERT_TRUE(SetCurveLoopLevel(level));
        Worst = 0.0;
        int count[21] = {};
        for (const GoldenCurve& ref : file.curves) {
            Plot plot;
            plot.SetPhaseMode(ref.phase);
            ComputeHpLpCurve(plot, ref.highPass, ref.type, ref.frequency, Plot::HighPassSection);
            const int result = ref.highPass ? Plot::HighPassSection : Plot::LowPassSection;
            ExpectCurve(file, ref, plot.Section(result).curve(), Describe(ref));
            ++count[ref.type];
        }
        // Each slope: three frequencies, both sides, both modes.
        for (int slope = 0; slope <= 20; ++slope)
            EXPECT_EQ(count[slope], 12) << "slope " << slope;
        std::cout << LevelName(level) << ": largest deviation " << Worst << "\n";
    }
}

// The references sample densely around every section and cut frequency, so
// that the narrowest peaks (Q 128, about three points wide) are compared.
TEST(CurveGoldens, ReferencesCoverEveryFrequencyClosely)
{
    for (const char* name : {"sections.golden", "crossovers.golden"}) {
        SCOPED_TRACE(name);
        const GoldenFile file = ReadGoldenFile(GoldenDir + "/" + name);
        ASSERT_EQ(file.error, "");
        ASSERT_TRUE(std::is_sorted(file.points.begin(), file.points.end()));
        for (const GoldenCurve& ref : file.curves)
            ASSERT_TRUE(CoversAround(file, ref.frequency, 20)) << Describe(ref);
    }
}

// The test runs the baseline loops whatever the processor has; on x86-64
// the AVX2 and AVX-512 loops run too where the processor has them.
TEST(CurveGoldens, BaselineLoopsAreReachable)
{
    LevelGuard guard;
    EXPECT_TRUE(SetCurveLoopLevel(CurveLoopLevel::Baseline));
    EXPECT_EQ(GetCurveLoopLevel(), CurveLoopLevel::Baseline);
    EXPECT_TRUE(SetCurveLoopLevel(BestCurveLoopLevel()));
    EXPECT_EQ(GetCurveLoopLevel(), BestCurveLoopLevel());
    if (BestCurveLoopLevel() < CurveLoopLevel::Avx512) {
        EXPECT_FALSE(SetCurveLoopLevel(CurveLoopLevel::Avx512));
        EXPECT_EQ(GetCurveLoopLevel(), BestCurveLoopLevel());
    }
    std::cout << "levels on this processor up to " << LevelName(BestCurveLoopLevel()) << "\n";
}

// Every level computes the same values at all 4096 points: sections of each
// kind in both modes, and a channel's total with both cuts.
TEST(CurveGoldens, EveryLoopLevelGivesTheSameCurves)
{
    struct Case {
        const char* name;
        int type;
        double f, g, q;
        float c1, c2;
    } cases[] = {
        {"peak cut, Q 128 near 20 Hz", 1, 19.7, -12.0, 128.0, 1, 1},
        {"low shelf boost", 2, 95.0, 6.0, 0.71, 1, 1},
        {"high shelf cut", 3, 9000.0, -9.0, 0.4, 1, 1},
        {"band-pass", 6, 3150.0, 0.0, 8.65, 1, 1},
        {"1st-order all-pass", 7, 500.0, 0.0, 1.0, 1, 1},
        {"2nd-order all-pass", 17, 5000.0, 0.0, 2.0, 1, 1},
        {"Bessel high-pass stage", 16, 70.0, 0.0, 0.05, 1.1112f, 0.3126f},
        {"low-pass stage next to 48 kHz", 12, 47000.0, 0.0, 0.05, 0.3902f, 0},
    };
    LevelGuard guard;
    for (bool phase : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (phase ? " phase" : " magnitude"));
            ASSERT_TRUE(SetCurveLoopLevel(CurveLoopLevel::Baseline));
            FilterSection base;
            base.SetPhaseMode(phase);
            base.SetXoverSection(c.g, c.f, c.q, c.type, c.c1, c.c2);
            for (CurveLoopLevel level : Levels()) {
                SCOPED_TRACE(LevelName(level));
                ASSERT_TRUE(SetCurveLoopLevel(level));
                FilterSection s;
                s.SetPhaseMode(phase);
                s.SetXoverSection(c.g, c.f, c.q, c.type, c.c1, c.c2);
                EXPECT_EQ(s.curve(), base.curve());
            }
        }
        SCOPED_TRACE(phase ? "total, phase" : "total, magnitude");
        std::vector<CurveArray> totals;
        for (CurveLoopLevel level : Levels()) {
            ASSERT_TRUE(SetCurveLoopLevel(level));
            Plot plot;
            plot.SetPhaseMode(phase);
            for (int k = 0; k < 9; ++k)
                plot.Section(k).SetFilterSection(k % 2 ? -3.0 : 4.5, 40.0 * (k + 1) * (k + 1), 1.0 + k,
                                                 1 + k % 3);
            ComputeHpLpCurve(plot, true, 20, 70.0, Plot::HighPassSection);
            ComputeHpLpCurve(plot, false, 19, 16000.0, Plot::HighPassSection);
            plot.ComputeTotalCurve();
            totals.push_back(plot.Section(Plot::TotalSection).curve());
        }
        for (std::size_t i = 1; i < totals.size(); ++i)
            EXPECT_EQ(totals[i], totals[0]) << LevelName(Levels()[i]);
    }
}
