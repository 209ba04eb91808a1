// The reference script against the committed references: run apart from the curve tests (label
// golden), since it starts python and scipy.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "GoldenFile.h"

namespace
{

const std::string GoldenDir = MORVEX_CURVES_GOLDEN_DIR;

// The committed references are what the script writes today.
TEST(CurveGoldenScript, StillWritesTheCommittedReferences)
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

} // namespace
