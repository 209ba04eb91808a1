// The strip chart and its channel: the new chart's objects, point entry with its order rule, the
// buffer rules, the binary-search draw range while the axis scrolls, the lookups the data cursor
// and the hit test use, every trace style drawn on the recording canvas, and the cursor's snapping.
#include "chart/view/StripChart.h"
#include "ChartFixture.h"
#include "ErrorOf.h"
#include "chart/view/XYPlot.h"
#include "support/RecordingCanvas.h"

#include <gtest/gtest.h>
#include <memory>

using namespace chart;
using namespace charttest;

namespace
{

// A strip chart whose X axis spans pixels 0 .. 100 for values 0 .. 100 and whose Y axis spans
// pixels 100 .. 0 for values 0 .. 100: a value is its pixel along X and 100 less its pixel along Y.
class StripChannelTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        EnsureApp();
        chart = std::make_unique<TcPlot>();
        x = chart->GetXAxis(0);
        y = chart->GetYAxis(0);
        c = chart->GetChannel(0);
        for (TcPlotAxis* a : {static_cast<TcPlotAxis*>(x), static_cast<TcPlotAxis*>(y)}) {
            a->SetTrackingEnabled(false);
            a->SetMinSpan(0, 100);
        }
        x->SetScaleRect({0, 0, 100, 10});
        y->SetScaleRect({0, 0, 10, 100});
    }

    // Prepares and draws the channel on the recording canvas; false when it would not draw.
    bool Paint(testsupport::RecordingCanvas& rec)
    {
        c->PrepareDraw();
        if (!c->CanDraw())
            return false;
        rec.Clear();
        c->Draw(scratch.canvas, fw::clBlack);
        return true;
    }
    // The lines drawn, each as its two ends.
    static std::vector<std::vector<int>> Lines(const testsupport::RecordingCanvas& rec)
    {
        std::vector<std::vector<int>> out;
        for (const auto& op : rec.Named("LineTo"))
            out.push_back(op.Args);
        return out;
    }

    MetricsScope metrics;
    Scratch scratch;
    std::unique_ptr<TcPlot> chart;
    TcPlotXAxis* x = nullptr;
    TcPlotYAxis* y = nullptr;
    TcPlotChannel* c = nullptr;
};

TEST(StripChart, NewChartHoldsOneOfEachObjectAndMakesStripChannels)
{
    EnsureApp();
    TcPlot chart;
    EXPECT_EQ(chart.ToolBarCount(), 1);
    EXPECT_EQ(chart.LegendCount(), 1);
    EXPECT_EQ(chart.XAxisCount(), 1);
    EXPECT_EQ(chart.YAxisCount(), 1);
    EXPECT_EQ(chart.ChannelCount(), 1);
    EXPECT_EQ(chart.DataViewCount(), 1);
    EXPECT_EQ(chart.DataCursorCount(), 1);
    ASSERT_EQ(chart.LabelCount(), 1);
    EXPECT_EQ(chart.GetLabel(0)->Name(), "Title");
    EXPECT_EQ(chart.TitleText(), "Untitled");
    EXPECT_EQ(chart.GetToolBar(0)->ZOrder(), 3);
    EXPECT_EQ(chart.GetLegend(0)->ZOrder(), 2);
    const int added = chart.AddChannel();
    EXPECT_NE(dynamic_cast<TcPlotChannel*>(chart.GetChannelCustom(added)), nullptr);
    EXPECT_EQ(chart.GetChannel(0), chart.GetChannelCustom(0));
    // The strip chart's X axis scrolls with new data; the XY chart's scales to it.
    EXPECT_EQ(chart.GetXAxis(0)->TrackingStyle(), iptsScrollSmooth);
    TcXYPlot xy;
    EXPECT_EQ(xy.GetXAxis(0)->TrackingStyle(), iptsScaleMinMax);
}

TEST_F(StripChannelTest, OrderRuleRefusesXAgainstTheDirectionOfTheFirstTwoPoints)
{
    struct Case {
        const char* name;
        std::vector<double> held;
        double add;
        const char* error;
    } cases[] = {
        {"increasing, smaller X", {1, 2}, 1.5, "New Data-Point X-Value is out of order"},
        {"increasing, equal X", {1, 2}, 2, ""},
        {"decreasing, larger X", {5, 4}, 6, "New Data-Point X-Value is out of order."},
        {"decreasing, equal X", {5, 4}, 4, ""},
        {"one point only", {5}, -100, ""},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        c->Clear();
        c->SetAllowOutOfOrderXValues(false);
        for (double v : k.held)
            c->AddXY(v, 1);
        for (auto add : std::vector<std::function<void()>>{
                 [&] { c->AddXY(k.add, 1); }, [&] { c->AddXNull(k.add); }, [&] { c->AddXEmpty(k.add); },
                 [&] { c->AddHighLow(k.add, 4, 1, 2, 3); }}) {
            const int before = c->Count();
            EXPECT_EQ(ErrorOf(add), *k.error ? k.error : "<no error>");
            EXPECT_EQ(c->Count(), before + (*k.error ? 0 : 1));
        }
    }
    // Server-stamped OPC values keep the order too: one out of order is dropped, not raised.
    c->Clear();
    for (double v : {1.0, 2.0})
        c->AddXY(v, 1);
    c->OPCItemNewData(7, 1.5);
    EXPECT_EQ(c->Count(), 2);
    c->OPCItemNewData(7, 3);
    EXPECT_EQ(c->XLast(), 3);
    EXPECT_EQ(c->YLast(), 7);
    // Allowed by default: any X is taken.
    c->Clear();
    c->SetAllowOutOfOrderXValues(true);
    for (double v : {1.0, 2.0, 0.5})
        c->AddXY(v, 1);
    EXPECT_EQ(c->Count(), 3);
}

TEST_F(StripChannelTest, PointEntryPlacesArraysAndTimes)
{
    // An array starts on the last X held.
    c->AddYArray(0.5, {0, {1, 2, 3}});
    c->AddXY(10, 0);
    c->AddYArray(0.5, {3, {4, 5}});
    std::vector<double> xs;
    for (int i = 0; i < c->Count(); ++i)
        xs.push_back(c->GetPointX(i));
    EXPECT_EQ(xs, (std::vector<double>{0, 0.5, 1, 10, 10, 10.5}));
    EXPECT_EQ(c->GetPointY(5), 5);
    EXPECT_EQ(ErrorOf([&] { c->AddYArray(1, {0, {1}, 2}); }), "Y-Data array must be 1 dimensional");
    EXPECT_EQ(c->Count(), 6);

    // Elapsed time from the injected clock, in days and in seconds.
    double now = 46000.25;
    c->OnGetNow = [&] { return now; };
    c->Clear();
    c->ResetElapsedStartTime();
    now += 2.0 / 86400;
    c->AddYElapsedSeconds(1);
    c->AddYElapsedTime(1);
    c->AddYNow(1);
    EXPECT_NEAR(c->GetPointX(0), 2, 1e-6);
    EXPECT_NEAR(c->GetPointX(1), 2.0 / 86400, 1e-9);
    EXPECT_EQ(c->GetPointX(2), now);
    // The start time moves with the first point only when asked to, and clearing keeps it.
    c->SetResetStartTimeOnFirstDataPoint(true);
    now += 1;
    c->AddYElapsedTime(1);
    EXPECT_NEAR(c->GetPointX(3), 1 + 2.0 / 86400, 1e-9);
    c->Clear();
    c->AddYElapsedTime(1);
    EXPECT_EQ(c->GetPointX(0), 0);
}

TEST_F(StripChannelTest, HighLowPricesLiveOnlyInTheFullFeatureList)
{
    c->AddHighLow(1, 10, 5, 6, 9);
    EXPECT_EQ(c->GetPointY(0), 0);
    EXPECT_EQ(c->DataList().GetHigh(0), 0);
    c->SetDataStyle(ipdsFullFeature);
    c->AddHighLow(1, 10, 5, 6, 9);
    const TcPlotDataCustomList& d = c->DataList();
    EXPECT_EQ((std::vector<double>{d.GetHigh(0), d.GetLow(0), d.GetOpen(0), d.GetClose(0)}),
              (std::vector<double>{10, 5, 6, 9}));
}

TEST_F(StripChannelTest, DrawRangeAndIndexSearchInBothDirections)
{
    struct Case {
        const char* name;
        std::vector<double> xs;
        double min, span;
        int start, stop;
        std::vector<std::pair<double, int>> index; // target, CalcIndex
    } cases[] = {
        {"increasing, one point beyond each edge",
         {-20, -10, 0, 10, 20, 30, 40, 50},
         5,
         30,
         2,
         6,
         {{-25, -1}, {-20, 0}, {15, 4}, {20, 4}, {50, 7}, {51, -1}}},
        {"increasing, edges on points", {0, 10, 20, 30}, 10, 10, 1, 2, {{10, 1}, {11, 2}}},
        {"decreasing",
         {50, 40, 30, 20, 10, 0},
         15,
         20,
         1,
         4,
         {{60, -1}, {45, 0}, {40, 1}, {35, 1}, {-1, -1}}},
        {"all left of the axis", {-30, -20, -10}, 0, 100, 2, 2, {}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        c->Clear();
        for (double v : k.xs)
            c->AddXY(v, 1);
        x->SetMinSpan(k.min, k.span);
        testsupport::RecordingCanvas rec;
        Paint(rec);
        c->CalcStartIndex();
        c->CalcStopIndex();
        EXPECT_EQ(c->DrawStartIndex(), k.start);
        EXPECT_EQ(c->DrawStopIndex(), k.stop);
        for (auto [target, index] : k.index)
            EXPECT_EQ(c->CalcIndex(target), index) << target;
    }
}

TEST_F(StripChannelTest, AxisScrollsWithNewDataAndTheRingKeepsTheNewestPoints)
{
    x->SetTrackingEnabled(true);
    c->SetRingBufferSize(50);
    for (int i = 0; i <= 300; ++i)
        c->AddXY(i, i % 7);
    // The axis followed the data smoothly; the ring held the last 50 points.
    EXPECT_EQ(x->Min(), 200);
    EXPECT_EQ(x->Max(), 300);
    EXPECT_EQ(c->Count(), 50);
    EXPECT_EQ(c->XFirst(), 251);
    EXPECT_EQ(c->XLast(), 300);
    testsupport::RecordingCanvas rec;
    ASSERT_TRUE(Paint(rec));
    EXPECT_EQ(c->DrawStartIndex(), 0);
    EXPECT_EQ(c->DrawStopIndex(), 49);
    // Every drawn segment lies in the data's part of the axis (pixels 51 .. 100).
    const auto lines = Lines(rec);
    ASSERT_FALSE(lines.empty());
    for (const auto& l : lines) {
        EXPECT_GE(std::min(l[0], l[2]), 51);
        EXPECT_LE(std::max(l[0], l[2]), 100);
    }
}

TEST_F(StripChannelTest, InterpolatedYFollowsTheDrawnLine)
{
    struct Case {
        const char* name;
        std::vector<std::tuple<double, double, char>> points; // x, y, v(alid) n(ull) e(mpty)
        double at;
        bool ok;
        double y;
    } cases[] = {
        {"between two points", {{0, 0, 'v'}, {10, 10, 'v'}, {20, 30, 'v'}}, 15, true, 20},
        {"on a point", {{0, 0, 'v'}, {10, 10, 'v'}, {20, 30, 'v'}}, 10, true, 10},
        {"beyond the data", {{0, 0, 'v'}, {10, 10, 'v'}, {20, 30, 'v'}}, 25, false, 0},
        {"next to a null point", {{0, 0, 'v'}, {10, 0, 'n'}, {20, 30, 'v'}}, 15, false, 0},
        // The trace steps over an empty point; so does the value.
        {"over an empty point", {{0, 0, 'v'}, {10, 0, 'e'}, {20, 40, 'v'}}, 5, true, 10},
        // X running down: the first interval has values too.
        {"decreasing, first interval", {{20, 0, 'v'}, {10, 10, 'v'}, {0, 30, 'v'}}, 15, true, 5},
        {"decreasing, second interval", {{20, 0, 'v'}, {10, 10, 'v'}, {0, 30, 'v'}}, 5, true, 20},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        c->Clear();
        for (auto [px, py, kind] : k.points)
            c->AddPoint(px, py, kind == 'n', kind == 'e');
        testsupport::RecordingCanvas rec;
        Paint(rec);
        double v = -1;
        EXPECT_EQ(c->GetYInterpolated(k.at, v), k.ok);
        if (k.ok) {
            EXPECT_DOUBLE_EQ(v, k.y);
        }
    }
}

TEST_F(StripChannelTest, CursorTextsPerStyle)
{
    TcPlotDataCursor* cursor = chart->GetDataCursor(0);
    chart->resize(400, 300);
    chart->ReCalcLayout();
    ASSERT_NE(cursor->DataView(), nullptr);
    x->SetMinSpan(0, 100);
    c->SetDigitalEnabled(true);
    for (double v : {0.0, 100.0})
        c->AddXY(v, 1);
    struct Case {
        const char* name;
        TcPlotDataCursorStyle style;
        double p1, p2;
        const char* text; // empty: only checked not to be "Infinite"
    } cases[] = {
        {"value X-Y ends on the level", ipcsValueXY, 50, 60, ", High"},
        {"value Y", ipcsValueY, 50, 60, "High"},
        {"inverse delta at one place", ipcsInverseDeltaX, 50, 50, "Infinite"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        cursor->SetStyle(k.style);
        cursor->SetPointer1Position(k.p1);
        cursor->SetPointer2Position(k.p2);
        c->CalcDataCursorValues(cursor);
        EXPECT_TRUE(cursor->CursorDisplayText().endsWith(k.text))
            << cursor->CursorDisplayText().toStdString();
    }
    EXPECT_EQ(c->DataCursorYText(), "");
    EXPECT_FALSE(c->DataCursorXText().isEmpty());
}

TEST_F(StripChannelTest, ZoomExtentsAndTheRightClickHitOnTheLine)
{
    EXPECT_EQ(c->GetZoomXMax(), -1e300);
    EXPECT_EQ(c->GetZoomXMin(), 1e300);
    for (auto [px, py] : {std::pair{10.0, 20.0}, {50.0, 60.0}, {90.0, 40.0}})
        c->AddXY(px, py);
    EXPECT_EQ(c->GetZoomXMax(), 90);
    EXPECT_EQ(c->GetZoomYMax(), 60);
    c->SetMarkersVisible(true);
    EXPECT_EQ(c->GetZoomXMax(), 93); // MarkersSize 3 pixels of 1 each
    EXPECT_EQ(c->GetZoomXMin(), 7);
    c->SetMarkersVisible(false);

    // The line at X 30 is at Y 40, pixel 60.
    struct Case {
        int yPixels;
        int button;
        bool hit;
    } cases[] = {{52, fw::mbRight, true},
                 {68, fw::mbRight, true},
                 {48, fw::mbRight, false},
                 {72, fw::mbRight, false},
                 {60, fw::mbLeft, false}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.yPixels);
        TcPlotMouseData m;
        m.XAxisPixels = 30;
        m.YAxisPixels = k.yPixels;
        m.X = 30;
        m.Y = k.yPixels;
        m.Button = k.button;
        EXPECT_EQ(c->iHitTest(m), k.hit);
    }
}

TEST_F(StripChannelTest, FastTraceDrawsAboutTwoLinesPerColumnAndBreaksAtNull)
{
    x->SetMinSpan(0, 10000);
    for (int i = 0; i < 10000; ++i) {
        if (i == 5000)
            c->AddXNull(i);
        else
            c->AddXY(i, 20 + (i * 37) % 60);
    }
    testsupport::RecordingCanvas rec;
    ASSERT_TRUE(Paint(rec));
    const auto lines = Lines(rec);
    EXPECT_LE(lines.size(), 210u);
    EXPECT_GE(lines.size(), 150u);
    // No line crosses the gap at pixel 50: strokes there are vertical.
    for (const auto& l : lines)
        if (std::min(l[0], l[2]) < 50 && std::max(l[0], l[2]) > 50)
            ADD_FAILURE() << "line across the gap " << l[0] << ".." << l[2];
    // Without the fast form every segment is drawn.
    c->SetFastDrawEnabled(false);
    ASSERT_TRUE(Paint(rec));
    EXPECT_GT(Lines(rec).size(), 9000u);
}

TEST_F(StripChannelTest, DigitalTraceDrawsLevelsAndEdges)
{
    c->SetDigitalEnabled(true);
    for (auto [px, py] : {std::pair{0.0, 0.0}, {10.0, 5.0}, {20.0, 5.0}, {30.0, 0.0}})
        c->AddXY(px, py);
    testsupport::RecordingCanvas rec;
    ASSERT_TRUE(Paint(rec));
    // Low level 10 is pixel 90, high level 90 pixel 10.
    EXPECT_EQ(Lines(rec), (std::vector<std::vector<int>>{
                              {0, 90, 10, 90}, {10, 90, 10, 10}, {10, 10, 30, 10}, {30, 10, 30, 90}}));
}

TEST_F(StripChannelTest, StepTraceCarriesTheLastLevelToTheAxisEnd)
{
    for (auto [px, py] : {std::pair{10.0, 10.0}, {20.0, 40.0}})
        c->AddXY(px, py);
    struct Case {
        TcPlotInterpolationStyle style;
        std::vector<std::vector<int>> lines;
    } cases[] = {
        {ipistDifferential, {{10, 90, 20, 90}, {20, 90, 20, 60}, {20, 60, 100, 60}}},
        {ipistDifferentialTerminated, {{10, 90, 20, 90}, {20, 90, 20, 60}}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(int(k.style));
        c->SetInterpolationStyle(k.style);
        testsupport::RecordingCanvas rec;
        ASSERT_TRUE(Paint(rec));
        EXPECT_EQ(Lines(rec), k.lines);
        double v;
        EXPECT_EQ(c->CursorYAt(50, v), k.style == ipistDifferential ? ipdpsValid : ipdpsEmpty);
    }
    // Wholly left of the axis: nothing is drawn.
    x->SetMinSpan(30, 100);
    testsupport::RecordingCanvas rec;
    EXPECT_FALSE(Paint(rec));
}

TEST_F(StripChannelTest, CurveRunsSplitAtNullAndRecordTheirColumns)
{
    c->SetInterpolationStyle(ipistCubicSpline);
    for (auto [px, py] : {std::pair{10.0, 10.0}, {20.0, 30.0}, {30.0, 20.0}})
        c->AddXY(px, py);
    c->AddXNull(40);
    for (auto [px, py] : {std::pair{60.0, 50.0}, {70.0, 70.0}, {80.0, 60.0}})
        c->AddXY(px, py);
    testsupport::RecordingCanvas rec;
    ASSERT_TRUE(Paint(rec));
    for (const auto& l : Lines(rec))
        EXPECT_FALSE(std::min(l[0], l[2]) < 45 && std::max(l[0], l[2]) > 55) << l[0] << ".." << l[2];
    double v;
    EXPECT_EQ(c->CursorYAt(20, v), ipdpsValid);
    EXPECT_NEAR(v, 30, 0.5);
    EXPECT_EQ(c->CursorYAt(50, v), ipdpsNull);
    EXPECT_EQ(c->CursorYAt(70, v), ipdpsValid);
    EXPECT_NEAR(v, 70, 0.5);

    // Zoomed in on the second run: the first run lies left of the axis and the second one is still
    // drawn.
    x->SetMinSpan(50, 100);
    ASSERT_TRUE(Paint(rec));
    EXPECT_FALSE(Lines(rec).empty());
    EXPECT_EQ(c->CursorYAt(70, v), ipdpsValid);
}

TEST_F(StripChannelTest, PolynomialAndRationalCurvesPassOverGaps)
{
    for (auto style : {ipistPolynomial, ipistRational}) {
        SCOPED_TRACE(int(style));
        c->Clear();
        c->SetInterpolationStyle(style);
        c->AddXY(10, 50);
        c->AddXNull(30);
        c->AddXEmpty(40);
        c->AddXY(50, 50);
        c->AddXY(90, 50);
        testsupport::RecordingCanvas rec;
        ASSERT_TRUE(Paint(rec));
        // Flat through the three valid points: the gaps' stored zeros do not bend it.
        for (const auto& l : Lines(rec)) {
            EXPECT_EQ(l[1], 50);
            EXPECT_EQ(l[3], 50);
        }
    }
}

TEST_F(StripChannelTest, BarsAndHighLowMarks)
{
    c->SetBarEnabled(true);
    c->SetBarStored<double, &TcPlotPointStyle::BarWidth>(0.2);
    c->AddXY(50, 40);
    testsupport::RecordingCanvas rec;
    ASSERT_TRUE(Paint(rec));
    auto rects = rec.Named("Rectangle");
    ASSERT_EQ(rects.size(), 1u);
    // Narrower than a pixel: one pixel wide, from the reference 0 to the value.
    EXPECT_EQ(rects[0].Args, (std::vector<int>{50, 60, 51, 100}));

    c->SetBarEnabled(false);
    c->Clear();
    c->SetDataStyle(ipdsFullFeature);
    c->SetHighLowEnabled(true);
    c->SetHighLowStyle(iphlsCandleStick);
    c->AddHighLow(30, 20, 5, 10, 8);
    c->AddHighLow(60, 20, 5, 8, 10);
    ASSERT_TRUE(Paint(rec));
    rects = rec.Named("Rectangle");
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0].Brush.Color, c->HighLowColor<TcPlotChannel::hlBearish>());
    EXPECT_EQ(rects[1].Brush.Color, c->HighLowColor<TcPlotChannel::hlBullish>());
}

// Snapping moves a pointer onto the nearest point of the nearest channel, scrolling the axis to
// show it; an XY chart never snaps.
TEST_F(StripChannelTest, CursorSnapsToTheNearestPoint)
{
    TcPlotDataCursor* cursor = chart->GetDataCursor(0);
    cursor->SetChannelName(QStringLiteral("<All>"));
    for (double v : {10.0, 47.0, 80.0})
        c->AddXY(v, 1);
    TcPlotChannel* second = chart->GetChannel(chart->AddChannel());
    for (double v : {44.0, 120.0})
        second->AddXY(v, 1);
    cursor->SetPointer1Position(48);
    cursor->SetSnapToDataPoint(true);
    cursor->DoSnapToDataPoint();
    EXPECT_EQ(cursor->SnapToIndexChannel(), 0);
    EXPECT_EQ(cursor->SnapToIndexData(), 1);
    EXPECT_DOUBLE_EQ(cursor->Pointer1Position(), 47);

    // A step right from the second channel's first point to its point beyond the axis: the axis
    // scrolls so that it sits 1/40 of the span inside the right edge.
    cursor->SetChannelName(second->Name());
    fw::Word key = 39; // Right
    cursor->SetPointer1Position(44);
    cursor->iKeyDown(key, 0, nullptr);
    EXPECT_DOUBLE_EQ(x->Min(), 120 - 100 + 2.5);
    EXPECT_DOUBLE_EQ(cursor->Pointer1Position(), 97.5);

    EnsureApp();
    TcXYPlot xy;
    xy.GetChannel(0)->AddXY(47, 1);
    TcPlotDataCursor* other = xy.GetDataCursor(0);
    other->SetSnapToDataPoint(true);
    other->SetPointer1Position(48);
    other->DoSnapToDataPoint();
    EXPECT_EQ(other->Pointer1Position(), 48);
}

} // namespace
