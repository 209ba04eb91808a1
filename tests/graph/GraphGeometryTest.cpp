// The response graph's arithmetic: frequency index, float formats, label texts, polyline breaks
// and parameter-line sets.
#include "graph/GraphGeometry.h"
#include "framework/FloatFormat.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace graph;

TEST(GraphGeometry, FrequencyIndex)
{
    EXPECT_NEAR(FrequencyIndex(20, n4096, n96000), 1138.4, 0.05);
    EXPECT_NEAR(FrequencyIndex(1000, n4096, n96000), 2624.9, 0.05);
    EXPECT_NEAR(FrequencyIndex(20000, n4096, n96000), 3763.3, 0.05);
    EXPECT_EQ(TopFrequency(n192000), 72000.0);
    EXPECT_EQ(CurveLength(n1024), 1024);
}

TEST(GraphGeometry, GeneralFloatFormat)
{
    struct Case {
        const char* name;
        double v;
        fw::TStringFloatFormat f;
        int precision, digits;
        const char* text;
    } cases[] = {
        {"integer", 20, fw::sffGeneral, 4, 4, "20"},
        {"no trailing zeros", 0.5, fw::sffGeneral, 4, 4, "0.5"},
        {"rounded", 3.14159, fw::sffGeneral, 4, 4, "3.142"},
        {"negative", -18, fw::sffGeneral, 5, 4, "-18"},
        {"zero", 0, fw::sffGeneral, 5, 4, "0"},
        {"too many digits", 123456, fw::sffGeneral, 5, 4, "1.2346E+0005"},
        {"small", 0.000001, fw::sffGeneral, 5, 4, "1E-0006"},
        {"just plain", 0.00001, fw::sffGeneral, 5, 4, "0.00001"},
        {"exponent", 1234.5, fw::sffExponent, 3, 2, "1.23E+03"},
        {"fixed", 2.5, fw::sffFixed, 5, 2, "2.50"},
        {"number", 1234567.891, fw::sffNumber, 15, 1, "1,234,567.9"},
        {"currency", -1234.5, fw::sffCurrency, 15, 2, "-$1,234.50"},
        {"not a number", std::nan(""), fw::sffGeneral, 4, 4, "NAN"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(fw::FloatToStrF(c.v, c.f, c.precision, c.digits), c.text);
    }
}

TEST(GraphGeometry, LabelTextsAndSets)
{
    const TLabelFormat x{fw::sffGeneral, 4, 4};
    EXPECT_EQ(XLabelText(20, x), "20Hz");
    EXPECT_EQ(XLabelText(1000, x), "1KHz");
    EXPECT_EQ(XLabelText(20000, x), "20KHz");
    EXPECT_EQ(XLabelLogs(799).size(), 4u);
    EXPECT_EQ(XLabelLogs(800).size(), 10u);
    EXPECT_EQ(QualityLine(0.71), "Q:0.71");
    EXPECT_EQ(FreqLine(999.9), "999.9Hz");
    EXPECT_EQ(FreqLine(1000), "1.00KHz");
    EXPECT_EQ(GainLine(-6), "-6.0dB");
    EXPECT_EQ(ParamLineTops(plQFreqGain, 0.0), (std::vector<int>{-69, -56, -43}));
    EXPECT_EQ(ParamLineTops(plQFreqGain, 0.1), (std::vector<int>{20, 33, 46}));
    EXPECT_EQ(ParamLineTops(plFreq, -1), (std::vector<int>{-43}));
    EXPECT_EQ(ParamLineTops(plQFreq, 2), (std::vector<int>{20, 33}));
    // Moved: the other side's tops.
    EXPECT_EQ(ParamLineTops(plQFreqGain, 0.0, true), (std::vector<int>{20, 33, 46}));
    EXPECT_EQ(ParamLineTops(plFreq, 3, true), (std::vector<int>{-43}));
}

namespace
{
// A band marker at (x, y): body 13 px, number box above, text box above or below.
TLabelSpot Band(int x, int y, bool text = false)
{
    TLabelSpot s;
    s.Shown = true;
    s.Body = {x - 6, y - 6, x + 7, y + 7};
    s.Label = {x - 3, y - 23, x + 5, y - 6};
    if (text) {
        s.Text = {x - 20, y - 69, x + 30, y - 30};
        s.TextOther = {x - 20, y + 20, x + 30, y + 59};
    }
    return s;
}
TLabelSpot Corner(int x, int y)
{
    TLabelSpot s = Band(x, y);
    s.Corner = true;
    s.Label = {x - 8, y - 20, x + 14, y - 7};
    s.LabelBelow = {x - 8, y + 7, x + 14, y + 20};
    return s;
}
} // namespace

TEST(GraphGeometry, TextsTakeTheirOtherPlaceOnlyWhenCoveredThere)
{
    const TBox page{0, 0, 1000, 230};
    const TBox above{480, 31, 530, 70}, below{480, 120, 530, 159}; // around a band at (500, 100)
    struct Case {
        const char* name;
        std::vector<TLabelSpot> spots;
        TBox selected, other;
        std::vector<int> own;
        bool selectedMoved;
        std::vector<bool> textMoved, labelMoved;
    } cases[] = {
        {"nothing in the way",
         {Band(500, 100), Band(800, 100)},
         above,
         below,
         {0},
         false,
         {false, false},
         {false, false}},
        {"another band's number in the way",
         {Band(500, 100), Band(510, 70)},
         above,
         below,
         {0},
         true,
         {false, false},
         {false, false}},
        {"its own marker does not count",
         {Band(500, 100), Band(500, 60)},
         above,
         below,
         {0, 1},
         false,
         {false, false},
         {false, false}},
        {"covered on both sides: stays",
         {Band(500, 100), Band(510, 70), Band(505, 140)},
         above,
         below,
         {0},
         false,
         {false, false, false},
         {false, false, false}},
        {"the other side off the page: stays",
         {Band(500, 100), Band(510, 70)},
         above,
         {480, 200, 530, 239},
         {0},
         false,
         {false, false},
         {false, false}},
        {"a hidden marker does not count",
         {Band(500, 100),
          [] {
              TLabelSpot s = Band(510, 70);
              s.Shown = false;
              return s;
          }()},
         above,
         below,
         {0},
         false,
         {false, false},
         {false, false}},
        {"a corner label on a band's number goes below",
         {Band(300, 100), Corner(305, 118)},
         {},
         {},
         {},
         false,
         {false, false},
         {false, true}},
        {"a show-all text in the clear stays",
         {Band(500, 100), Band(800, 150, true)},
         above,
         below,
         {0},
         false,
         {false, false},
         {false, false}},
        {"a show-all text meeting the selected one moves",
         {Band(500, 100), Band(540, 150, true)},
         {510, 90, 560, 110},
         above,
         {0},
         false,
         {false, true},
         {false, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TLabelPlan plan = PlanLabels(c.spots, c.selected, c.other, c.own, page);
        EXPECT_EQ(plan.SelectedMoved, c.selectedMoved);
        EXPECT_EQ(plan.TextMoved, c.textMoved);
        EXPECT_EQ(plan.LabelMoved, c.labelMoved);
    }
}

TEST(GraphGeometry, ParamLineSetsOfBothClasses)
{
    struct Case {
        int type;
        TParamLines hplp, phaseShow, phaseCurve;
    } cases[] = {
        {-1, plQFreqGain, plQFreqGain, plQFreqGain},
        {2, plQFreqGain, plQFreqGain, plQFreqGain},
        {3, plFreq, plQFreq, plQFreq},
        {4, plQFreq, plQFreq, plQFreq},
        {5, plFreq, plFreq, plFreq},
        {6, plQFreq, plQFreq, plQFreq},
        {7, plFreq, plNone, plQFreq},
        {8, plQFreq, plNone, plQFreq},
        {9, plQFreq, plNone, plQFreq},
        {10, plQFreq, plFreq, plFreq},
        {11, plQFreq, plFreq, plFreq},
        {12, plQFreq, plNone, plQFreq},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        EXPECT_EQ(ParamLinesHpLp(c.type), c.hplp);
        EXPECT_EQ(ParamLinesPhase(c.type, false), c.phaseShow);
        EXPECT_EQ(ParamLinesPhase(c.type, true), c.phaseCurve);
    }
    // The show-all texts' type index as the painter has it (code - 1, but 7 -> 5 and 17 -> 6).
    EXPECT_EQ(ShowAllTypeIndex(4), 3);
    EXPECT_EQ(ShowAllTypeIndex(9), 8);
    EXPECT_EQ(ShowAllTypeIndex(7), 5);
    EXPECT_EQ(ShowAllTypeIndex(17), 6);
    EXPECT_EQ(ShowAllTypeIndex(1), 0);
}

TEST(GraphGeometry, FarPointsBreakThePolyline)
{
    TAxisMap m;
    m.W = 100;
    m.H = 100;
    m.XMin = 0;
    m.XMax = 100;
    m.YMin = 0;
    m.YMax = 100;
    struct Case {
        const char* name;
        double far_x, far_y;
        bool breaks;
    } cases[] = {
        {"two widths left", -201, 50, true},   {"just inside left", -200, 50, false},
        {"three widths right", 300, 50, true}, {"just inside right", 299, 50, false},
        {"far below", 50, -250, true},         {"not a number", std::nan(""), 50, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const double xs[] = {10, 20, c.far_x, 40, 50};
        const double ys[] = {10, 30, c.far_y, 10, 30};
        const auto runs = PlotRuns(xs, ys, 5, m);
        if (c.breaks) {
            ASSERT_EQ(runs.size(), 2u);
            EXPECT_EQ(runs[0].size(), 2u); // the line stops before the far point
            EXPECT_EQ(runs[1].size(), 3u); // and starts again from it
        } else {
            ASSERT_EQ(runs.size(), 1u);
            EXPECT_EQ(runs[0].size(), 5u);
        }
    }
    // A flat run is one segment.
    const double xs[] = {0, 1, 2, 3, 4, 5};
    const double ys[] = {50, 50, 50, 50, 50, 60};
    const auto flat = PlotRuns(xs, ys, 6, m);
    ASSERT_EQ(flat.size(), 1u);
    EXPECT_EQ(flat[0], (TRun{{0, 50}, {4, 50}, {5, 40}}));
}
