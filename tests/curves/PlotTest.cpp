// Plot: section storage, the total with its phase folding, and what it hands
// to the painter.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "RecordingPainter.h"
#include "base/ValueScales.h"
#include "curves/CurveColours.h"
#include "curves/Plot.h"

namespace
{

CurveArray Constant(double v)
{
    CurveArray a;
    a.fill(v);
    return a;
}

std::string Hex(fw::TColor c)
{
    std::ostringstream s;
    s << "0x" << std::hex << c;
    return s.str();
}

double MarkerX(double f)
{
    return std::log10(f) / std::log10(48000.0) * 4096;
}

} // namespace

TEST(Plot, NewPlotIsFlatInBothModes)
{
    Plot plot;
    for (bool phase : {false, true}) {
        SCOPED_TRACE(phase ? "phase" : "magnitude");
        plot.SetPhaseMode(phase);
        for (int n = 0; n < Plot::sectionCount; ++n) {
            FilterSection& s = plot.Section(n);
            s.CalcSectionResponse();
            EXPECT_EQ(s.type(), 3);
            EXPECT_EQ(s.frequency(), 1000.0);
            EXPECT_EQ(s.gain(), 0.0);
            EXPECT_EQ(s.q(), 0.4);
            EXPECT_EQ(s.phaseMode(), phase);
            for (double v : s.curve())
                ASSERT_EQ(v, 0.0) << "section " << n;
        }
        plot.ComputeTotalCurve();
        for (double v : plot.Section(Plot::TotalSection).curve())
            ASSERT_EQ(v, 0.0);
    }
}

TEST(Plot, SetPhaseModeSwitchesEverySectionWithoutRecomputing)
{
    Plot plot;
    plot.Section(5).SetFilterSection(6.0, 1000.0, 2.0, 1);
    const CurveArray magnitude = plot.Section(5).curve();
    plot.SetPhaseMode(true);
    EXPECT_TRUE(plot.GetPhaseMode());
    for (int n = 0; n < Plot::sectionCount; ++n)
        EXPECT_TRUE(plot.Section(n).phaseMode()) << n;
    EXPECT_EQ(plot.Section(5).curve(), magnitude);
    plot.Section(5).CalcSectionResponse();
    EXPECT_NE(plot.Section(5).curve(), magnitude);
    EXPECT_LE(std::fabs(plot.Section(5).curve()[2625]), 0.05); // a peak has no phase shift at its centre
}

TEST(Plot, SectionIndexOutsideTheArrayIsRefused)
{
    Plot plot;
    EXPECT_THROW(plot.Section(48), std::out_of_range);
    EXPECT_THROW(plot.Section(-1), std::out_of_range);
}

TEST(Plot, FoldPhaseTable)
{
    struct Case {
        const char* name;
        double in;
        double out;
    } cases[] = {
        {"inside stays", 5.0, 5.0},
        {"exactly +18 stays", 18.0, 18.0},
        {"exactly -18 stays", -18.0, -18.0},
        {"20 folds to -16", 20.0, -16.0},
        {"-40 folds to -4", -40.0, -4.0},
        {"54 folds once to 18", 54.0, 18.0},
        {"60 folds twice", 60.0, -12.0},
        {"-90 folds twice to -18", -90.0, -18.0},
        {"beyond two turns folds on", 100.0, -8.0},
        {"far below folds on", -200.0, 16.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_DOUBLE_EQ(FoldPhase(c.in), c.out);
    }
}

TEST(Plot, TotalSumsSections0To32AndFoldsOnlyInPhaseMode)
{
    struct Case {
        const char* name;
        bool phase;
        double a, b; // values of sections 0 and 32
        double total;
    } cases[] = {
        {"magnitude adds", false, 12.0, 8.0, 20.0},
        {"phase 20 drawn as -16", true, 12.0, 8.0, -16.0},
        {"phase -40 drawn as -4", true, -22.0, -18.0, -4.0},
        {"phase exactly 18 stays", true, 9.0, 9.0, 18.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingPainter painter;
        Plot plot(&painter);
        plot.SetPhaseMode(c.phase);
        plot.Section(0).SetCurve(Constant(c.a));
        plot.Section(32).SetCurve(Constant(c.b));
        plot.Section(34).SetCurve(Constant(100.0)); // stages and overlays are not summed
        plot.Section(40).SetCurve(Constant(100.0));
        plot.DrawTotalCurve(4);
        ASSERT_EQ(painter.calls.size(), 1u);
        EXPECT_EQ(painter.calls[0], "FFTDraw 4096 33 " + Hex(ChannelColours[4]) + " 0");
        EXPECT_EQ(painter.lastValues, std::vector<double>(4096, c.total));
        EXPECT_EQ(plot.Section(Plot::TotalSection).curve(), Constant(c.total));
    }
}

TEST(Plot, TotalOfBandsAndCutsEqualsThePointwiseSum)
{
    Plot plot;
    plot.Section(0).SetFilterSection(6.0, 100.0, 1.0, 1);
    plot.Section(8).SetFilterSection(-4.0, 5000.0, 0.71, 2);
    plot.Section(31).SetXoverSection(0.0, 80.0, 0.05, 15, 1.4142f, 0.0f);
    plot.Section(32).SetXoverSection(0.0, 12000.0, 0.05, 12, 1.4142f, 0.0f);
    plot.Section(36).SetXoverSection(0.0, 500.0, 0.05, 12, 1.0f, 0.0f);
    plot.ComputeTotalCurve();
    const CurveArray& total = plot.Section(Plot::TotalSection).curve();
    for (int p = 0; p < CurvePoints; p += 97) {
        const double expect = plot.Section(0).curve()[p] + plot.Section(8).curve()[p] +
                              plot.Section(31).curve()[p] + plot.Section(32).curve()[p];
        ASSERT_NEAR(total[p], expect, 1e-12) << p;
    }
}

TEST(Plot, DrawOperationsHandTheirCallsToThePainter)
{
    RecordingPainter painter;
    Plot plot(&painter);
    plot.Section(3).SetFilterSection(-4.5, 1000.0, 2.0, 2);

    plot.DrawSectionCurve(3, 0x123456);
    plot.RemoveCurve(41);
    plot.DrawBandMarker(3, -4.5f, 1);
    plot.ShowBandDetail(1, 3, -4.5f, 2.0f, true);
    plot.ShowBandDetail(1, 3, -4.5f, 2.0f, false);

    std::ostringstream x;
    x.precision(10);
    x << MarkerX(1000.0);
    const std::vector<std::string> expected = {
        "FFTDraw 4096 3 0x123456 0",
        "RemovePlot 41",
        "DrawBlock -4.5 " + x.str() + " " + Hex(MarkerColours[3]) + " 3 false 1",
        "SetBlockParameter 3 1000 -4.5 2 2",
        "DrawParam 1 -4.5 " + x.str() + " 1000 2 0xffff",
        "DrawCurveFill 1 4096",
        "SetCurveDisplay true",
        "SetCurveDisplay false",
    };
    EXPECT_EQ(painter.calls, expected);
    EXPECT_EQ(painter.lastValues,
              std::vector<double>(plot.Section(3).curve().begin(), plot.Section(3).curve().end()));
}

TEST(Plot, BandDetailOfANegativeSectionShowsSection0)
{
    RecordingPainter painter;
    Plot plot(&painter);
    plot.Section(0).SetFilterSection(3.0, 250.0, 1.0, 1);
    plot.ShowBandDetail(0, -7, 3.0f, 1.0f, true);
    ASSERT_EQ(painter.calls.size(), 3u);
    std::ostringstream x;
    x.precision(10);
    x << MarkerX(250.0);
    EXPECT_EQ(painter.calls[0], "DrawParam 0 3 " + x.str() + " 250 1 0xffff");
}

TEST(Plot, MarkerOfAFrequencyOutsideTheAxisStaysOnIt)
{
    struct Case {
        const char* name;
        double frequency;
        double x;
    } cases[] = {
        {"zero", 0.0, 0.0},
        {"negative", -50.0, 0.0},
        {"not a number", std::nan(""), 0.0},
        {"above 48 kHz", 1e9, 4096.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingPainter painter;
        Plot plot(&painter);
        plot.Section(2).SetFilterSection(0.0, c.frequency, 1.0, 10);
        plot.DrawBandMarker(2, 0.0f, 1);
        ASSERT_EQ(painter.calls.size(), 2u);
        std::ostringstream want;
        want.precision(10);
        want << "DrawBlock 0 " << c.x << " ";
        EXPECT_EQ(painter.calls[0].rfind(want.str(), 0), 0u) << painter.calls[0];
    }
}

TEST(Plot, WithoutPainterNothingIsDrawnButTheTotalIsComputed)
{
    Plot plot;
    plot.Section(1).SetFilterSection(6.0, 1000.0, 2.0, 1);
    plot.DrawSectionCurve(1, 0);
    plot.RemoveCurve(1);
    plot.DrawBandMarker(1, 6.0f, 1);
    plot.ShowBandDetail(0, 1, 6.0f, 2.0f, true);
    plot.DrawTotalCurve(0);
    EXPECT_EQ(plot.Section(Plot::TotalSection).curve(), plot.Section(1).curve());
}
