// Curves against the scipy references of gen_curve_golden.py: every filter
// type code over a spread of frequencies, gains and Q values, and every
// crossover slope at three frequencies, in both modes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include <unistd.h>

#include "GoldenFile.h"
#include "curves/Crossover.h"
#include "curves/Plot.h"

namespace
{

constexpr double Tolerance = 1e-6; // dB or units of 10 degrees

const std::string GoldenDir = MORVEX_CURVES_GOLDEN_DIR;

double Worst = 0.0; // largest deviation seen in the running test

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

std::string Describe(const GoldenCurve& c)
{
    return c.kind + " " + c.name + " type " + std::to_string(c.type) + (c.highPass ? " HP" : "") + " f " +
           std::to_string(c.frequency) + " g " + std::to_string(c.gain) + " q " + std::to_string(c.q) +
           " c " + std::to_string(c.shape1) + "/" + std::to_string(c.shape2) + (c.phase ? " phase" : " mag");
}

} // namespace

TEST(CurveGoldens, EverySectionTypeMatchesItsAnaloguePrototype)
{
    const GoldenFile file = ReadGoldenFile(GoldenDir + "/sections.golden");
    ASSERT_EQ(file.error, "");
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
    std::cout << "largest deviation " << Worst << "\n";
}

TEST(CurveGoldens, EveryCrossoverSlopeMatchesItsStageProduct)
{
    const GoldenFile file = ReadGoldenFile(GoldenDir + "/crossovers.golden");
    ASSERT_EQ(file.error, "");
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
    std::cout << "largest deviation " << Worst << "\n";
}

// The committed references are what the script writes today.
TEST(CurveGoldens, ScriptStillWritesTheCommittedReferences)
{
    const std::string python = MORVEX_CURVES_PYTHON;
    if (python.empty() || std::system((python + " -c 'import scipy.signal' >/dev/null 2>&1").c_str()) != 0)
        GTEST_SKIP() << "python3 with scipy not available";

    const auto dir =
        std::filesystem::temp_directory_path() / ("morvex-curve-golden-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string cmd = python + " '" + GoldenDir + "/gen_curve_golden.py' '" + dir.string() + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;

    for (const char* name : {"sections.golden", "crossovers.golden"}) {
        SCOPED_TRACE(name);
        const GoldenFile committed = ReadGoldenFile(GoldenDir + "/" + name);
        const GoldenFile fresh = ReadGoldenFile((dir / name).string());
        ASSERT_EQ(committed.error, "");
        ASSERT_EQ(fresh.error, "");
        ASSERT_EQ(committed.points, fresh.points);
        ASSERT_EQ(committed.curves.size(), fresh.curves.size());
        for (std::size_t i = 0; i < committed.curves.size(); ++i) {
            const GoldenCurve& a = committed.curves[i];
            const GoldenCurve& b = fresh.curves[i];
            ASSERT_EQ(Describe(a), Describe(b));
            for (std::size_t k = 0; k < a.values.size(); ++k) {
                const double off =
                    a.phase ? PhaseDistance(a.values[k], b.values[k]) : std::fabs(a.values[k] - b.values[k]);
                ASSERT_LE(off, 1e-9) << Describe(a) << " point " << committed.points[k];
            }
        }
    }
    std::filesystem::remove_all(dir);
}
