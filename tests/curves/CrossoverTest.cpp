// The crossover builder: the stages each slope code builds, the result curve
// and its marker, and the readings at the cut frequency.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "RecordingPainter.h"
#include "curves/Crossover.h"
#include "curves/Plot.h"

namespace
{

struct StageWant {
    int type; // high-pass code; the low-pass uses code - 3
    float c1, c2;
};

// Grid frequencies near 20 Hz, 1 kHz and 20 kHz, so the corner is a point.
const int CornerPoints[] = {1138, 2625, 3757};

// Active stages of sections 34..38 in order; each at the cut frequency.
std::vector<StageWant> Stages(const Plot& plot, double cut)
{
    std::vector<StageWant> out;
    for (int n = Plot::FirstStageSection; n < Plot::FirstStageSection + Plot::StageCount; ++n) {
        const FilterSection& s = plot.Section(n);
        if (s.type() == 10) {
            EXPECT_EQ(s.frequency(), 1000.0) << "flat stage " << n;
            continue;
        }
        EXPECT_EQ(s.frequency(), cut) << "stage " << n;
        out.push_back({s.type(), s.shape1(), s.shape2()});
    }
    return out;
}

} // namespace

TEST(Crossover, EverySlopeBuildsItsStages)
{
    struct Case {
        const char* name;
        int slope;
        std::vector<StageWant> stages; // high-pass codes
        int resultType;
    } cases[] = {
        {"bypass", 0, {}, 10},
        {"BW -6 is the result itself", 1, {}, 14},
        {"BL -6", 2, {{14, 1.0f, 0}}, 14},
        {"BW -12", 3, {{15, 1.4142f, 0}}, 15},
        {"BL -12", 4, {{16, 1.3617f, 0.618f}}, 16},
        {"LK -12", 5, {{14, 1.0f, 0}, {14, 1.0f, 0}}, 14},
        {"BW -18", 6, {{14, 1.0f, 0}, {15, 1.0f, 0}}, 15},
        {"BL -18", 7, {{14, 0.756f, 0}, {16, 0.9996f, 0.4772f}}, 16},
        {"BW -24", 8, {{15, 0.7654f, 0}, {15, 1.8478f, 0}}, 15},
        {"BL -24", 9, {{16, 1.3397f, 0.4889f}, {16, 0.7743f, 0.389f}}, 16},
        {"LK -24", 10, {{15, 1.4142f, 0}, {15, 1.4142f, 0}}, 15},
        {"BW -30", 11, {{14, 1.0f, 0}, {15, 0.618f, 0}, {15, 1.618f, 0}}, 15},
        {"BL -30", 12, {{14, 0.6656f, 0}, {16, 1.1402f, 0.4128f}, {16, 0.6216f, 0.3245f}}, 16},
        {"BW -36", 13, {{15, 0.5176f, 0}, {15, 1.4142f, 0}, {15, 1.9319f, 0}}, 15},
        {"BL -36", 14, {{16, 1.2217f, 0.3887f}, {16, 0.9686f, 0.3505f}, {16, 0.5131f, 0.2756f}}, 16},
        {"LK -36", 15, {{14, 1.0f, 0}, {14, 1.0f, 0}, {15, 1.0f, 0}, {15, 1.0f, 0}}, 15},
        {"BW -42", 16, {{14, 1.0f, 0}, {15, 0.445f, 0}, {15, 1.247f, 0}, {15, 1.8019f, 0}}, 15},
        {"BL -42",
         17,
         {{14, 0.5937f, 0}, {16, 1.0944f, 0.3395f}, {16, 0.8304f, 0.3011f}, {16, 0.4332f, 0.2381f}},
         16},
        {"BW -48", 18, {{15, 0.3902f, 0}, {15, 1.1111f, 0}, {15, 1.6629f, 0}, {15, 1.9616f, 0}}, 15},
        {"BL -48",
         19,
         {{16, 1.1112f, 0.3126f}, {16, 0.9754f, 0.2979f}, {16, 0.7202f, 0.2621f}, {16, 0.3728f, 0.2087f}},
         16},
        {"LK -48", 20, {{15, 1.8478f, 0}, {15, 1.8478f, 0}, {15, 0.7654f, 0}, {15, 0.7654f, 0}}, 15},
    };
    for (const Case& c : cases) {
        for (bool highPass : {true, false}) {
            SCOPED_TRACE(std::string(c.name) + (highPass ? " high-pass" : " low-pass"));
            const int shift = highPass ? 0 : 3;
            RecordingPainter painter;
            Plot plot(&painter);
            ComputeHpLpCurve(plot, highPass, 20, 500.0, 31); // leftovers of a longer filter must go
            painter.calls.clear();
            ComputeHpLpCurve(plot, highPass, c.slope, 2000.0, 31);

            const std::vector<StageWant> got = Stages(plot, 2000.0);
            ASSERT_EQ(got.size(), c.stages.size());
            for (std::size_t i = 0; i < got.size(); ++i) {
                EXPECT_EQ(got[i].type, c.stages[i].type - shift) << "stage " << i;
                EXPECT_EQ(got[i].c1, c.stages[i].c1) << "stage " << i;
                if (c.stages[i].type == 16) {
                    EXPECT_EQ(got[i].c2, c.stages[i].c2) << "stage " << i;
                }
            }
            const FilterSection& result = plot.Section(highPass ? 31 : 32);
            EXPECT_EQ(result.type(), c.resultType == 10 ? 10 : c.resultType - shift);
            EXPECT_EQ(result.frequency(), 2000.0);

            EXPECT_EQ(result.IsFlat(), c.slope == 0);
            // The result is the stage sum (or the first-order result itself).
            if (!c.stages.empty()) {
                for (int p = 0; p < CurvePoints; p += 61) {
                    double sum = 0.0;
                    for (int n = 34; n <= 38; ++n)
                        sum += plot.Section(n).curve()[p];
                    ASSERT_NEAR(result.curve()[p], sum, 1e-12) << p;
                }
            }
            // Then the marker at the cut frequency, y 0, style 3 or 2.
            ASSERT_EQ(painter.calls.size(), 2u);
            EXPECT_EQ(painter.calls[0].rfind("DrawBlock 0 ", 0), 0u) << painter.calls[0];
            EXPECT_NE(painter.calls[0].find(std::string(highPass ? " 31 false 3" : " 32 false 2")),
                      std::string::npos)
                << painter.calls[0];
            EXPECT_EQ(painter.calls[1], std::string("SetBlockParameter ") + (highPass ? "31" : "32") +
                                            " 2000 0 0.05 " + std::to_string(result.type()));
        }
    }
}

TEST(Crossover, ReadingAtTheCutFrequency)
{
    struct Case {
        const char* name;
        int slope;
        double dB;
    } cases[] = {
        {"bypass", 0, 0.0},      {"BW -6", 1, -3.0103},
        {"BL -6", 2, -3.0103},   {"BW -12", 3, -3.0103},
        {"BL -12", 4, -3.0103},  {"LK -12", 5, -6.0206},
        {"BW -18", 6, -3.0103},  {"BL -18", 7, -3.0103},
        {"BW -24", 8, -3.0103},  {"BL -24", 9, -3.0103},
        {"LK -24", 10, -6.0206}, {"BW -30", 11, -3.0103},
        {"BL -30", 12, -3.0103}, {"BW -36", 13, -3.0103},
        {"BL -36", 14, -3.0103}, {"LK -36", 15, -6.0206},
        {"BW -42", 16, -3.0103}, {"BL -42", 17, -3.0103},
        {"BW -48", 18, -3.0103}, {"BL -48 (its table value 0.3126)", 19, -3.023},
        {"LK -48", 20, -6.0206},
    };
    const FrequencyGrid& g = FrequencyGrid::Get();
    for (const Case& c : cases) {
        for (int p : CornerPoints) {
            for (bool highPass : {true, false}) {
                SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(g.frequency[p]) +
                             (highPass ? " HP" : " LP"));
                Plot plot;
                ComputeHpLpCurve(plot, highPass, c.slope, g.frequency[p], 31);
                EXPECT_NEAR(plot.Section(highPass ? 31 : 32).curve()[p], c.dB, 0.003);
            }
        }
    }
}

TEST(Crossover, FirstOrderButterworthAndBesselDrawTheSameCurve)
{
    Plot bw, bl;
    ComputeHpLpCurve(bw, true, 1, 150.0, 31);
    ComputeHpLpCurve(bl, true, 2, 150.0, 31);
    EXPECT_EQ(bw.Section(31).curve(), bl.Section(31).curve());
    EXPECT_TRUE(bw.Section(34).IsFlat());
    EXPECT_FALSE(bl.Section(34).IsFlat());
}

TEST(Crossover, PhaseOfACutIsTheUnfoldedStageSum)
{
    Plot plot;
    plot.SetPhaseMode(true);
    ComputeHpLpCurve(plot, true, 18, 1000.0, 31); // four high-pass stages
    EXPECT_NEAR(plot.Section(31).curve()[0], 72.0, 0.1);
    ComputeHpLpCurve(plot, false, 18, 1000.0, 31);
    EXPECT_NEAR(plot.Section(32).curve()[4095], -72.0, 0.5);
    plot.ComputeTotalCurve();
    for (double v : plot.Section(33).curve())
        ASSERT_LE(std::fabs(v), 18.0);
}

TEST(Crossover, SlopeCodeOutsideTheListIsABypass)
{
    for (int slope : {-1, 21, 255, 100000}) {
        SCOPED_TRACE(slope);
        RecordingPainter painter;
        Plot plot(&painter);
        ComputeHpLpCurve(plot, false, slope, 800.0, 31);
        EXPECT_TRUE(plot.Section(32).IsFlat());
        EXPECT_EQ(plot.Section(32).type(), 10);
        EXPECT_EQ(plot.Section(32).frequency(), 800.0);
        EXPECT_EQ(painter.calls.size(), 2u); // the marker is still placed
        EXPECT_EQ(XoverRowOfSlope(slope), 0);
    }
}

TEST(Crossover, BadCutFrequencyGivesAFlatCut)
{
    for (double f : {0.0, -20.0, std::nan(""), 1e12}) {
        SCOPED_TRACE(f);
        Plot plot;
        ComputeHpLpCurve(plot, true, 18, f, 31);
        EXPECT_TRUE(plot.Section(31).IsFlat());
    }
}
