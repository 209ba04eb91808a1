// Channels and axes: point operations and statistics, tracking, the value/pixel conversions, zoom
// and scroll, the tick choice and the value texts, sizes and drawing on the transfer-curve fixture
// (fixed metrics: 6 px a character, 13 px high).
#include "ChartFixture.h"

#include "support/RecordingCanvas.h"

#include "ErrorOf.h"

#include <QDate>
#include <gtest/gtest.h>

using namespace chart;
using namespace charttest;

namespace
{

using charttest::ErrorOf;

class Charts : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        EnsureApp();
        h.Master().AddXAxis();
        h.Master().AddYAxis();
        h.Master().AddChannel();
        x = h.X();
        y = h.Y();
        c = h.Channel();
    }
    void TearDown() override { SetKeyStateSource(nullptr); }
    MetricsScope metrics;
    Host h;
    TcPlotXAxis* x = nullptr;
    TcPlotYAxis* y = nullptr;
    TestChannel* c = nullptr;
};

TEST_F(Charts, NewChannel)
{
    h.Master().AddChannel();
    TestChannel* n = h.Channel(1);
    EXPECT_EQ(n->Count(), 0);
    EXPECT_EQ(n->XFirst(), -1);
    EXPECT_EQ(n->YLast(), -1);
    EXPECT_EQ(n->IndexFirst(), -1);
    EXPECT_EQ(n->IndexLast(), -1);
    EXPECT_EQ(n->RunningXMin(), 1e300);
    EXPECT_EQ(n->RunningXMax(), -1e300);
    EXPECT_EQ(n->MarkersSize(), 3);
    EXPECT_EQ(n->DataStyle(), ipdsStandard);
    EXPECT_EQ(n->XAxisName(), "X-Axis 1");
}

TEST_F(Charts, TheTransferCurveRedrawSequence)
{
    x->SetTrackingEnabled(false);
    y->SetTrackingEnabled(false);
    for (int i = 0; i < 4; ++i)
        c->AddXY(i, i);
    const int before = h.Changes;
    c->DeletePoints(c->Count());
    EXPECT_EQ(c->Count(), 0);
    EXPECT_EQ(c->Capacity(), 0);
    EXPECT_EQ(c->DrawStartIndex(), -1);
    EXPECT_EQ(c->RunningYMax(), -1e300);
    for (auto [px, py] : {std::pair{20.0, 20.0}, {-10.0, -10.0}, {-10.0, -10.0}, {-100.0, -100.0}})
        c->AddXY(px, py);
    EXPECT_EQ(h.Changes - before, 5);
    // Tracking off on the axes: adding points never moves them.
    EXPECT_EQ(x->Min(), 0);
    EXPECT_EQ(x->Span(), 100);
    c->DeletePoints(3);
    EXPECT_EQ(c->GetPointX(0), -100);
}

TEST_F(Charts, RunningAndOnDemandStatistics)
{
    c->AddXY(2, 4);
    EXPECT_EQ(c->RunningXMean(), 2);
    EXPECT_EQ(c->RunningYMean(), 4);
    c->Clear();
    c->AddXY(1, 10);
    c->AddPoint(2, 0, true, false);
    EXPECT_EQ(c->RunningYMin(), 0);
    EXPECT_EQ(c->RunningYMean(), 5);
    EXPECT_EQ(c->GetYMean(), 10);
    EXPECT_EQ(c->GetYMin(), 10);
    // An on-demand X mean leaves the running Y mean's count alone.
    c->GetXMean();
    c->AddXY(3, 20);
    EXPECT_EQ(c->RunningYMean(), 15);

    for (int i = 0; i < 1000000; ++i)
        c->AddXY(0.1, 0);
    EXPECT_NEAR(c->RunningXMean(), (1 + 3 + 0.1 * 1000000) / 1000002, 1e-12);
}

TEST_F(Charts, DataStyleSwapKeepsStylesAndDropsPoints)
{
    c->SetColor(fw::clLime);
    c->SetMarkersSize(5);
    c->SetRingBufferSize(8);
    c->AddXY(1, 1);
    c->SetDataStyle(ipdsCompact);
    c->SetDataStyle(ipdsStandard);
    EXPECT_EQ(c->Count(), 0);
    EXPECT_EQ(c->Color(), fw::clLime);
    EXPECT_EQ(c->MarkersSize(), 5);
    EXPECT_EQ(c->RingBufferSize(), 8);
    c->SetRingBufferSize(0);
    c->SetCount(10);
    EXPECT_EQ(c->Count(), 0);
    EXPECT_EQ(c->Capacity(), 10);
}

TEST_F(Charts, AxisLookupAndMarkerExtents)
{
    x->SetScaleRect({100, 0, 580, 10});
    x->SetMinSpan(-100, 120);
    x->SetTrackingEnabled(false);
    c->SetMarkersVisible(true);
    c->AddXY(0, 0);
    EXPECT_DOUBLE_EQ(c->GetMarkerXMax(0), 0.75); // 3 pixels of 4 per unit
    EXPECT_DOUBLE_EQ(c->GetMarkerXMin(0), -0.75);
    c->AddPoint(1, 1, true, false);
    EXPECT_EQ(ErrorOf([&] { c->GetMarkerXMax(1); }), "Data Point Null");
    c->SetYAxisName("none");
    EXPECT_EQ(ErrorOf([&] { c->GetMarkerYMax(0); }), "Y-Axis not assigned");
    EXPECT_EQ(c->GetYValueText(1), "No Y-Axis");
    x->SetName("Time");
    EXPECT_EQ(c->XAxisName(), "Time"); // the cached axis passes its new name on
    FreeObject(x);
    EXPECT_EQ(c->XAxis(), nullptr);
}

TEST_F(Charts, Conversions)
{
    x->SetScaleRect({100, 0, 580, 10});
    x->SetMinSpan(-100, 120);
    EXPECT_EQ(x->PositionToPixels(20), 580);
    EXPECT_EQ(x->PositionToPixels(-40), 340);
    EXPECT_EQ(x->PixelsToPosition(340), -40);
    // 4 px a unit: half pixels round to the even pixel.
    EXPECT_EQ(x->PositionToPixels(-99.875), 100);
    EXPECT_EQ(x->PositionToPixels(-99.625), 102);
    EXPECT_EQ(x->PositionToPixels(-99.375), 102);
    EXPECT_EQ(x->PositionToPixels(1e200), 32000);
    EXPECT_EQ(x->PositionToPixels(-1e200), -32000);
    x->SetReverseScale(true);
    EXPECT_EQ(x->PositionToPixels(20), 100);
    EXPECT_EQ(x->PixelsToPosition(100), 20);
    x->SetReverseScale(false);

    y->SetScaleRect({0, 11, 10, 198});
    y->SetMinSpan(-100, 120);
    EXPECT_EQ(y->PositionToPixels(20), 11);
    EXPECT_EQ(y->PositionToPixels(-100), 198);
    EXPECT_EQ(y->PositionToPixels(-10), 58);

    x->SetSpan(0);
    EXPECT_EQ(x->Span(), 1e-300);
    EXPECT_EQ(x->PositionToPixels(5), 340);
    EXPECT_EQ(x->PositionToPixels(-5000), 340);

    x->SetMinSpan(0, 100);
    x->SetScaleType(ipstLog10);
    EXPECT_EQ(x->Min(), 1);
    EXPECT_EQ(x->Max(), 101);
    x->SetMinSpan(1, 999);
    EXPECT_EQ(x->PositionToPixels(10), 260);
    EXPECT_NEAR(x->PixelsToPosition(420), 100, 1e-9);
    EXPECT_EQ(x->PositionToPixels(-3), 100); // a value not above 0 counts as 1
}

TEST_F(Charts, SetMinSpanEventsAndBlocking)
{
    h.Events.clear();
    x->SetMinSpan(10, 50);
    std::vector<TcPlotEventKind> kinds;
    for (const auto& e : h.Events)
        kinds.push_back(e.Kind);
    EXPECT_EQ(kinds,
              (std::vector<TcPlotEventKind>{TcPlotEventKind::AxisMinChange, TcPlotEventKind::AxisSpanChange,
                                            TcPlotEventKind::AxisMinSpanChange}));
    EXPECT_EQ(h.Events.back().Values[0], 50);
    EXPECT_EQ(h.Events.back().Values[3], 0);
    h.Events.clear();
    x->SetMinSpan(10, 50);
    EXPECT_TRUE(h.Events.empty());
    x->SetMinSpan(10, 60);
    EXPECT_EQ(h.Events.size(), 2u);
}

TEST_F(Charts, Tracking)
{
    struct Case {
        const char* name;
        TcPlotTrackingStyle style;
        double value;
        double min, max;
    } cases[] = {
        {"scroll smooth", iptsScrollSmooth, 12, 2, 12},
        {"scroll page", iptsScrollPage, 12, 10, 20},
        {"scale min max keeps span below", iptsScaleMinMax, -5, -5, 5},
        {"scale max", iptsScaleMax, 15, 0, 15},
        {"expand min max", iptsExpandMinMax, -5, -5, 10},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        x->SetTrackingEnabled(true);
        x->SetTrackingStyle(k.style);
        x->SetMinSpan(0, 10);
        x->ResetFirstAlign();
        x->NewTrackingData(5); // the first value only aligns (within range: unchanged)
        x->NewTrackingData(k.value);
        EXPECT_DOUBLE_EQ(x->Min(), k.min);
        EXPECT_DOUBLE_EQ(x->Max(), k.max);
    }
    x->SetTrackingEnabled(false);
    x->NewTrackingData(1000);
    EXPECT_DOUBLE_EQ(x->Max(), 10);
}

TEST_F(Charts, ResumeValuesAndAlignToIncrement)
{
    x->SetMinSpan(0, 10);
    x->SetTrackingEnabled(false); // stores 0 .. 10
    x->SetMinSpan(50, 5);
    x->SetTrackingEnabled(true);
    EXPECT_EQ(x->Min(), 0);
    EXPECT_EQ(x->Span(), 10);

    Scratch s;
    x->SetDrawRect({0, 0, 400, 30});
    x->SetMinSpan(-23, 40); // -23 .. 17
    x->SetLabelsVisible(false);
    x->SetDesiredIncrement(10);
    x->CalcTicks(s.canvas);
    x->SetTrackingIncrementStyle(iptisMajor);
    x->AlignToIncrement();
    EXPECT_EQ(x->Min(), -30);
    EXPECT_EQ(x->Max(), 20);
}

TEST_F(Charts, WheelDragAndKeys)
{
    x->SetScaleRect({100, 0, 580, 10});
    x->SetDrawRect({100, 0, 580, 30});
    x->SetMinSpan(0, 100);
    EXPECT_TRUE(x->iMouseWheel(120, 0, {0, 0}));
    EXPECT_DOUBLE_EQ(x->Min(), 5);
    EXPECT_FALSE(x->TrackingEnabled());
    SetKeyStateSource([](bool control) { return control; });
    x->iMouseWheel(120, 0, {0, 0});
    EXPECT_NEAR(x->Span(), 100 / std::pow(10.0, 0.025), 1e-9);
    SetKeyStateSource(nullptr);

    x->SetMinSpan(0, 100);
    x->iMouseDown(fw::mbLeft, 0, 200, 5, 0, 0, nullptr);
    x->iMouseMove(*std::make_unique<TcHintData>(), 0, 320, 5, 0, 0, false); // a quarter of 480 px
    EXPECT_DOUBLE_EQ(x->Min(), -25);
    h.Events.clear();
    x->iMouseUp(fw::mbLeft, 0, 320, 5, 0, 0, false, nullptr);
    EXPECT_TRUE(std::any_of(h.Events.begin(), h.Events.end(), [](const TcPlotEvent& e) {
        return e.Kind == TcPlotEventKind::AxisMinSpanChangeFinished && e.Values[1] == -25 && e.Values[3] == 0;
    }));

    fw::Word key = fw::VK_PRIOR;
    x->iKeyDown(key, 0, nullptr);
    EXPECT_DOUBLE_EQ(x->Min(), 75);
}

TEST_F(Charts, ZoomToFit)
{
    x->SetTrackingEnabled(false);
    x->SetMinSpan(0, 10);
    x->ZoomToFit(); // no points: unchanged
    EXPECT_EQ(x->Span(), 10);
    c->AddXY(3, 0);
    c->AddXY(3, 1);
    x->ZoomToFit(); // all equal: unchanged
    EXPECT_EQ(x->Span(), 10);
    c->AddXY(8, 2);
    x->ZoomToFit();
    EXPECT_EQ(x->Min(), 3);
    EXPECT_EQ(x->Max(), 8);
    EXPECT_EQ(ErrorOf([&] { x->Zoom(0); }), "Linear Scale Zoom Factor must be Greater than Zero");
    x->Zoom(2);
    EXPECT_EQ(x->Min(), 0.5);
    EXPECT_EQ(x->Max(), 10.5);
}

// The transfer-curve fixture: plotting area (42, 11, 599, 198).
class TransferFixture : public Charts
{
  protected:
    void SetUp() override
    {
        Charts::SetUp();
        SetUpTransferAxes(*x, *y);
        x->SetDrawRect({42, 198, 599, 224});
        y->SetDrawRect({5, 11, 42, 198});
    }
    std::vector<double> Majors(const TcPlotAxis& a)
    {
        std::vector<double> out;
        for (int i = 0; i < a.TickListCount(); ++i)
            if (a.Tick(i).TickType == ipttMajor)
                out.push_back(a.Tick(i).Position);
        return out;
    }
    Scratch s;
};

TEST_F(TransferFixture, XAxisTicksAndLabels)
{
    x->CalcTicks(s.canvas);
    EXPECT_EQ(x->MajorIncrement(), 20);
    EXPECT_EQ(x->MinorIncrement(), 4);
    EXPECT_EQ(Majors(*x), (std::vector<double>{-100, -80, -60, -40, -20, 0, 20}));
    EXPECT_EQ(x->TickListCount(), 7 + 6 * 4);
    EXPECT_EQ(x->Tick(0).Text, "-100");
    EXPECT_EQ(x->Tick(x->TickListCount() - 1).Text, "20");
    EXPECT_EQ(x->GetRequiredSize(s.canvas), 26);
    EXPECT_EQ(x->GetRequiredEndMargin(s.canvas), 15);
}

TEST_F(TransferFixture, YAxisTakesTwentyDecibelSteps)
{
    y->CalcTicks(s.canvas);
    EXPECT_EQ(y->MajorIncrement(), 20);
    EXPECT_EQ(Majors(*y), (std::vector<double>{-100, -80, -60, -40, -20, 0, 20}));
    EXPECT_EQ(y->GetRequiredSize(s.canvas), 37);
    EXPECT_EQ(y->GetRequiredEndMargin(s.canvas), 6);
}

TEST_F(TransferFixture, DrawingLabelsAndGridLines)
{
    x->CalcTicks(s.canvas);
    y->CalcTicks(s.canvas);
    testsupport::RecordingCanvas rec;
    x->Draw(s.canvas, fw::clBlack);
    y->Draw(s.canvas, fw::clBlack);
    x->DrawGridLines(s.canvas, {42, 11, 599, 198}, 1, 1, fw::clGray, fw::clGray, ipglsDot, ipglsSolid, false,
                     true);
    // No scale line, no marks (ScaleLinesShow off): labels and grid lines only.
    const auto texts = rec.Texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "-100"), 2);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "20"), 2);
    const auto lines = rec.Named("LineTo");
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines.front().Args, (std::vector<int>{42, 11, 42, 198}));
    EXPECT_EQ(lines.back().Args, (std::vector<int>{599, 11, 599, 198}));
    // The Y label of 20 sits right-aligned against the axis, centred on pixel 11.
    for (const auto& op : rec.Named("DrawText"))
        if (op.Text == "20" && op.Args[0] < 42) {
            EXPECT_EQ(op.Args[2], 42 - 5 - 3); // inner margin and label margin
            EXPECT_EQ((op.Args[1] + op.Args[3]) / 2, 11);
        }
}

TEST_F(TransferFixture, CurvePixels)
{
    x->CalcTicks(s.canvas);
    y->CalcTicks(s.canvas);
    struct Case {
        double vx, vy;
        int px, py;
    } cases[] = {{20, 20, 599, 11}, {-10, -10, 460, 58}, {-100, -100, 42, 198}};
    for (const auto& k : cases) {
        EXPECT_EQ(x->PositionToPixels(k.vx), k.px) << k.vx;
        EXPECT_EQ(y->PositionToPixels(k.vy), k.py) << k.vy;
    }
}

TEST_F(Charts, TickRules)
{
    Scratch s;
    x->SetTrackingEnabled(false);
    struct Case {
        const char* name;
        double min, span;
        int pixels;
        bool labels;
        double desired;
        int minorCount;
        TcPlotScaleType scale;
        std::vector<double> majors;
        int minors;
    } cases[] = {
        // span 120 with room for 21 intervals: the 1-2-5 rule gives 10.
        {"1-2-5",
         0,
         120,
         21 * 30,
         false,
         0,
         1,
         ipstLinear,
         {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120},
         12},
        {"no minors", 0, 50, 500, true, 10, 0, ipstLinear, {0, 10, 20, 30, 40, 50}, 0},
        {"log decades", 1, 999, 600, true, 0, 1, ipstLog10, {1, 10, 100, 1000}, 24},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        x->SetScaleType(ipstLinear);
        x->SetMinSpan(k.min, k.span);
        x->SetScaleType(k.scale);
        x->SetDrawRect({0, 0, k.pixels, 30});
        x->SetLabelsVisible(k.labels);
        x->SetDesiredIncrement(k.desired);
        x->SetMinorCount(k.minorCount);
        x->SetLabelSeparation(0);
        x->CalcTicks(s.canvas);
        std::vector<double> majors;
        int minors = 0;
        for (int i = 0; i < x->TickListCount(); ++i) {
            if (x->Tick(i).TickType == ipttMajor)
                majors.push_back(x->Tick(i).Position);
            else
                ++minors;
        }
        ASSERT_EQ(majors.size(), k.majors.size());
        for (std::size_t i = 0; i < majors.size(); ++i)
            EXPECT_NEAR(majors[i], k.majors[i], 1e-9);
        EXPECT_EQ(minors, k.minors);
    }
    // A step too small for the range gives one tick in the middle.
    x->SetScaleType(ipstLinear);
    x->SetLabelsVisible(false);
    x->SetDesiredIncrement(0);
    x->SetMinSpan(1e15, 1e-3);
    x->CalcTicks(s.canvas);
    EXPECT_EQ(x->TickListCount(), 1);
}

// The date-time and price steps. With LabelsMinLength 10 every label here fits 60 px, so an
// interval takes 66 px and the scale is sized for a given count of intervals.
class StepTables : public Charts
{
  protected:
    void SetUp() override
    {
        Charts::SetUp();
        x->SetTrackingEnabled(false);
        x->SetLabelSeparation(0);
        x->SetLabelsMinLength(10);
        x->SetDesiredIncrement(0);
        x->SetDesiredStart(0);
        x->SetMinorCount(0);
    }
    void Calc(TcPlotTextFormat format, double min, double span, int intervals)
    {
        x->SetLabelsFormatStyle(format);
        x->SetMinSpan(min, span);
        x->SetDrawRect({0, 0, intervals * 66 + 30, 30});
        x->CalcTicks(s.canvas);
    }
    std::vector<double> Majors()
    {
        std::vector<double> out;
        for (int i = 0; i < x->TickListCount(); ++i)
            if (x->Tick(i).TickType == ipttMajor)
                out.push_back(x->Tick(i).Position);
        return out;
    }
    static double Day(int y, int m, int d) { return double(QDate(1899, 12, 30).daysTo(QDate(y, m, d))); }
    Scratch s;
};

TEST_F(StepTables, DateTimeSteps)
{
    const double ms = 1.0 / 86400000, sec = 1.0 / 86400, min = 1.0 / 1440, hour = 1.0 / 24;
    struct Case {
        const char* name;
        double span;
        int intervals;
        double increment; // in days, or months / years in those modes
        std::size_t majors;
    } cases[] = {
        // 10 intervals fit (c = 11, a = 10): the first step whose count a covers.
        {"100 ms over a second", 1000 * ms, 11, 100 * ms, 11},
        {"10 s over a minute", 60 * sec, 11, 10 * sec, 7},
        {"10 min over an hour", hour, 11, 10 * min, 7},
        {"4 h over a day", 1, 11, 4 * hour, 7},
        // 30 days hold more than 2^31 - 1 ms: that level is passed over, not wrapped.
        {"a week over 30 days", 30, 11, 7, 5},
        {"2 months over a year", 365, 11, 2, 6},
        // 9 intervals: 610 days hold ten 61-day months, one too many.
        {"3 months when 2 do not fit", 610, 10, 3, 7},
        {"a year over ten", 3653, 11, 1, 11},
        {"10 years over a century", 36525, 11, 10, 11},
        // One interval: nothing below a week covers a day, and the week shows only the start.
        {"one interval", 1, 1, 7, 1},
        // A step that fits only once is halved when two intervals fit.
        {"halved to two", 1, 2, 0.5, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const double start = c.increment >= 1 && c.span > 300 ? Day(2000, 1, 1) : 0;
        Calc(iptfDateTime, start, c.span, c.intervals);
        EXPECT_NEAR(x->MajorIncrement(), c.increment, c.increment * 1e-9);
        EXPECT_EQ(Majors().size(), c.majors);
    }
}

TEST_F(StepTables, MonthAndYearTicksStartOnTheFirstOfTheMonth)
{
    const double noon = 0.5;
    struct Case {
        const char* name;
        double min, span;
        std::vector<double> majors;
    } cases[] = {
        // 2 months: the start goes back to the even month before (February, then December); ticks
        // keep the time of day of Min.
        {"every 2 months",
         Day(2024, 3, 15) + noon,
         365,
         {Day(2024, 4, 1) + noon, Day(2024, 6, 1) + noon, Day(2024, 8, 1) + noon, Day(2024, 10, 1) + noon,
          Day(2024, 12, 1) + noon, Day(2025, 2, 1) + noon}},
        {"every year",
         Day(2003, 7, 1) + 0.25,
         3653,
         {Day(2004, 1, 1) + 0.25, Day(2005, 1, 1) + 0.25, Day(2006, 1, 1) + 0.25, Day(2007, 1, 1) + 0.25,
          Day(2008, 1, 1) + 0.25, Day(2009, 1, 1) + 0.25, Day(2010, 1, 1) + 0.25, Day(2011, 1, 1) + 0.25,
          Day(2012, 1, 1) + 0.25, Day(2013, 1, 1) + 0.25}},
        // 10 years: the start year rounds down to a multiple of 10.
        {"every 10 years",
         Day(1950, 6, 15),
         36525,
         {Day(1960, 1, 1), Day(1970, 1, 1), Day(1980, 1, 1), Day(1990, 1, 1), Day(2000, 1, 1),
          Day(2010, 1, 1), Day(2020, 1, 1), Day(2030, 1, 1), Day(2040, 1, 1), Day(2050, 1, 1)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Calc(iptfDateTime, c.min, c.span, 11);
        const auto majors = Majors();
        ASSERT_EQ(majors.size(), c.majors.size());
        for (std::size_t i = 0; i < majors.size(); ++i)
            EXPECT_NEAR(majors[i], c.majors[i], 1e-6) << i;
        // No minor ticks in these modes, whatever MinorCount says.
        x->SetMinorCount(4);
        x->CalcTicks(s.canvas);
        EXPECT_EQ(x->TickListCount(), int(c.majors.size()));
        x->SetMinorCount(0);
    }
    // Month steps put Min into the date range they can count in.
    Calc(iptfDateTime, -10, 365, 11);
    EXPECT_EQ(x->Min(), 0);
    EXPECT_EQ(x->Span(), 365);
}

TEST_F(StepTables, PriceSteps)
{
    struct Case {
        const char* name;
        double span;
        int intervals;
        double increment;
        std::size_t majors;
    } cases[] = {
        {"an eighth over one", 1, 11, 1.0 / 8, 9},
        {"1/256 over a hundredth", 0.01, 5, 1.0 / 256, 3},
        {"tens over a hundred", 100, 11, 10, 11},
        {"fifty over 230", 230, 5, 50, 5},
        // 2 fits once: halved to two intervals of 1.
        {"halved to two", 3, 2, 1, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Calc(iptfPrice32nds, 0, c.span, c.intervals);
        EXPECT_EQ(x->MajorIncrement(), c.increment);
        EXPECT_EQ(Majors().size(), c.majors);
    }
    EXPECT_EQ(x->Tick(1).Text, "1.000");
}

TEST_F(Charts, LabelFormats)
{
    struct Case {
        const char* name;
        TcPlotTextFormat format;
        double span;
        QString dateFormat;
        double value;
        QString text;
    } cases[] = {
        {"value", iptfValue, 120, "", -100, "-100"},
        {"value small span", iptfValue, 0.5, "", 0.25, "0.250"},
        {"prefix", iptfPrefix, 10000, "", 1500, "1.50K"},
        {"prefix zero", iptfPrefix, 10, "", 0, "0.0"},
        {"price", iptfPrice32nds, 10, "", 100.5, "100.160"},
        {"day count", iptfDateTime, 10, "J hh:nn", 3.5, "3 12:00"},
        {"exponent", iptfExponent, 10, "", 1500, "1.50E+003"},
        {"thousands", iptfThousands, 1e6, "", 1234567, "1,234,567"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        x->SetLabelsFormatStyle(k.format);
        x->SetMinSpan(0, k.span);
        x->SetDateTimeFormat(k.dateFormat);
        EXPECT_EQ(x->GetLabelText(k.value), k.text);
    }
    x->SetLabelsFormatStyle(iptfValue);
    x->SetScaleType(ipstLog10);
    EXPECT_EQ(x->GetLabelText(-1), "Unknown");
    // The customise-label event can change the text.
    h.OnPlotEvent = [](TcPlotEvent& e) {
        if (e.Kind == TcPlotEventKind::AxisCustomizeLabel)
            *e.Text = QStringLiteral("<") + *e.Text + QStringLiteral(">");
    };
    EXPECT_EQ(x->GetLabelText(10), "<10.0>");
}

TEST_F(Charts, HiddenLabelsTakeNoRoom)
{
    Scratch s;
    x->SetLabelsVisible(false);
    x->SetScaleLinesShow(false);
    EXPECT_EQ(x->GetRequiredSize(s.canvas), 10);
    EXPECT_EQ(x->GetRequiredEndMargin(s.canvas), 0);
    x->SetDrawRect({10, 0, 110, 30});
    x->SetStartStacked(true);
    x->SetStackingEndsMargin(0);
    x->CalcScaleRect(s.canvas);
    EXPECT_EQ(x->ScaleRect().Left, 10);
}

} // namespace
