// The XY chart as the main window's transfer-curve charts use it: the worked layout fixture with
// fixed metrics and the recording canvas, the paint order, clipping to the data view, the axes that
// must not move, one paint per curve update; the chart's object kinds, load bracket, collision
// list and input focus.
#include "ChartFixture.h"
#include "ErrorOf.h"
#include "chart/view/TransferCharts.h"
#include "support/RecordingCanvas.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <memory>

using namespace chart;
using namespace charttest;

namespace
{

struct StepClock : TcPaceClock {
    double Now = 100000;
    double NowMs() const override { return Now; }
};

std::unique_ptr<TcXYPlot> Transfer(TransferChartKind kind = TransferChartKind::Comp)
{
    return std::unique_ptr<TcXYPlot>(CreateTransferChart(nullptr, kind));
}

// The compressor's start curve and its marker.
void StartCurve(TcXYPlot& chart)
{
    TcXYPlotChannel* curve = chart.GetChannel(0);
    curve->DeletePoints(curve->Count());
    for (auto [x, y] : {std::pair{20.0, 20.0}, {-10.0, -10.0}, {-10.0, -10.0}, {-100.0, -100.0}})
        curve->AddXY(x, y);
    TcXYPlotChannel* marker = chart.GetChannel(1);
    marker->DeletePoints(marker->Count());
    marker->AddXY(-10, -10);
}

std::vector<std::vector<int>> LinesIn(const testsupport::RecordingCanvas& rec, fw::TColor color, int width)
{
    std::vector<std::vector<int>> out;
    for (const auto& op : rec.Named("LineTo"))
        if (op.Pen.Color == color && op.Pen.Width == width)
            out.push_back(op.Args);
    return out;
}

int IndexOf(const testsupport::RecordingCanvas& rec, const char* name, fw::TColor color)
{
    for (std::size_t i = 0; i < rec.Ops.size(); ++i)
        if (std::strcmp(rec.Ops[i].Name, name) == 0 && rec.Ops[i].Pen.Color == color)
            return int(i);
    return -1;
}

class TransferChart : public ::testing::Test
{
  protected:
    void SetUp() override { EnsureApp(); }
    MetricsScope metrics;
};

} // namespace

TEST_F(TransferChart, FactoryBuildsTheThreeChartsWithTheirStoredSettings)
{
    struct Case {
        const char* name;
        TransferChartKind kind;
        int width;
    };
    for (const Case& c :
         {Case{"ipComp", TransferChartKind::Comp, 620}, Case{"ipLimit", TransferChartKind::Limit, 620},
          Case{"ipGate", TransferChartKind::Gate, 855}}) {
        SCOPED_TRACE(c.name);
        auto chart = Transfer(c.kind);
        EXPECT_EQ(chart->Name(), QString::fromLatin1(c.name));
        EXPECT_EQ(chart->Width(), c.width);
        EXPECT_EQ(chart->Height(), 230);
        EXPECT_EQ(chart->BorderStyle(), ibsNone);
        EXPECT_FALSE(chart->UserCanEditObjects());
        EXPECT_FALSE(chart->TitleVisible());
        EXPECT_TRUE(chart->AutoFrameRate());
        EXPECT_FALSE(chart->IsLoading());
        EXPECT_EQ(chart->ToolBarCount(), 1);
        EXPECT_EQ(chart->LegendCount(), 1);
        EXPECT_EQ(chart->XAxisCount(), 1);
        EXPECT_EQ(chart->YAxisCount(), 1);
        EXPECT_EQ(chart->ChannelCount(), 2);
        EXPECT_EQ(chart->DataViewCount(), 1);
        EXPECT_EQ(chart->DataCursorCount(), 1);
        EXPECT_EQ(chart->LabelCount(), 1);
        EXPECT_EQ(chart->TableCount() + chart->LimitCount() + chart->AnnotationCount(), 0);
        EXPECT_FALSE(chart->GetToolBar(0)->Visible());
        EXPECT_FALSE(chart->GetLegend(0)->Visible());
        EXPECT_FALSE(chart->GetDataCursor(0)->Visible());
        EXPECT_FALSE(chart->GetLabel(0)->Visible());
        for (TcPlotAxis* a :
             {static_cast<TcPlotAxis*>(chart->GetXAxis(0)), static_cast<TcPlotAxis*>(chart->GetYAxis(0))}) {
            EXPECT_EQ(a->Min(), -100);
            EXPECT_EQ(a->Span(), 120);
            EXPECT_FALSE(a->TrackingEnabled());
            EXPECT_FALSE(a->Enabled());
            EXPECT_EQ(a->LabelsFont().Color(), fw::clYellow);
        }
        TcXYPlotChannel* curve = chart->GetChannel(0);
        EXPECT_EQ(curve->Name(), QStringLiteral("Channel 1"));
        EXPECT_EQ(curve->Color(), fw::clWhite);
        EXPECT_EQ(curve->TraceLineWidth(), 2);
        TcXYPlotChannel* marker = chart->GetChannel(1);
        EXPECT_EQ(marker->Name(), QStringLiteral("Channel 2"));
        EXPECT_EQ(marker->Color(), fw::TColor(0x8080FF));
        EXPECT_TRUE(marker->MarkersVisible());
        EXPECT_EQ(marker->MarkersSize(), 5);
        EXPECT_EQ(marker->MarkersPenWidth(), 3);
        EXPECT_FALSE(chart->GetDataView(0)->CanFocus());
        EXPECT_EQ(chart->GetDataView(0)->Layer(), 0);
        // The window's charts are fed by code: no OPC items or groups are made for them.
        curve->DeletePoints(curve->Count());
        curve->AddXY(-100, -100);
        curve->AddXY(20, 20);
        (void)chart->PaintToImage();
        EXPECT_FALSE(curve->HasOPCBinding());
        EXPECT_FALSE(marker->HasOPCBinding());
    }
}

TEST_F(TransferChart, WorkedFixtureGivesThePlottingRectangleTicksAndCurve)
{
    auto chart = Transfer();
    StartCurve(*chart);
    testsupport::RecordingCanvas rec;
    chart->PaintToImage();
    EXPECT_EQ(chart->GetDataView(0)->DrawRect(), (fw::TRect{42, 11, 599, 198}));
    EXPECT_EQ(chart->GetXAxis(0)->MajorIncrement(), 20);
    // The Y labels step by 20 dB: 26 px a label on 187 px leaves room for 7 intervals only.
    EXPECT_EQ(chart->GetYAxis(0)->MajorIncrement(), 20);

    // Segments run from the smaller X; the duplicate point gives a zero-length segment.
    const auto curve = LinesIn(rec, fw::clWhite, 2);
    const std::vector<std::vector<int>> expected{{460, 58, 599, 11}, {460, 58, 460, 58}, {42, 198, 460, 58}};
    EXPECT_EQ(curve, expected);

    const auto ellipses = rec.Named("Ellipse");
    ASSERT_EQ(ellipses.size(), 1u);
    EXPECT_EQ(ellipses[0].Args, (std::vector<int>{455, 53, 465, 63}));
    EXPECT_EQ(ellipses[0].Pen.Color, fw::TColor(0x8080FF));
    EXPECT_EQ(ellipses[0].Pen.Width, 3);
    EXPECT_EQ(ellipses[0].Brush.Color, fw::TColor(0x8080FF));

    // Channel 0 is painted last, over the marker.
    const int markerAt = IndexOf(rec, "Ellipse", 0x8080FF);
    const int curveAt = IndexOf(rec, "LineTo", fw::clWhite);
    EXPECT_LT(markerAt, curveAt);
    ASSERT_GE(chart->LayerOrder().size(), 3u);
    EXPECT_EQ(chart->LayerOrder().back(), chart->GetChannel(0));

    // The Y labels read every 20 dB, without decimals.
    std::vector<QString> texts = rec.Texts();
    for (const char* label : {"-100", "-80", "-60", "-40", "-20", "0", "20"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), QString::fromLatin1(label)), texts.end()) << label;
    EXPECT_EQ(std::find(texts.begin(), texts.end(), QStringLiteral("-90")), texts.end());
}

TEST_F(TransferChart, GateCurveAndCurvesBeyondTheScaleStayInsideTheDataView)
{
    struct Case {
        const char* name;
        std::vector<std::pair<double, double>> points;
    };
    const Case cases[] = {
        {"gate start curve", {{20, 20}, {-90, -90}, {-90, -100}}},
        {"above the Y scale", {{-100, -100}, {20, 80}}},
        {"beyond both X ends", {{-150, -150}, {60, 60}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto chart = Transfer(TransferChartKind::Gate);
        TcXYPlotChannel* curve = chart->GetChannel(0);
        for (auto [x, y] : c.points)
            curve->AddXY(x, y);
        const QImage image = chart->PaintToImage();
        const fw::TRect d = chart->GetDataView(0)->DrawRect();
        int outside = 0, inside = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                if (qRed(p) < 200 || qGreen(p) < 200 || qBlue(p) < 200)
                    continue;
                const bool in = x >= d.Left && x <= d.Right && y >= d.Top && y <= d.Bottom;
                (in ? inside : outside) += 1;
            }
        EXPECT_GT(inside, 0);
        EXPECT_EQ(outside, 0);
    }
}

TEST_F(TransferChart, AxesKeepMinAndSpanOverManyRedrawsAndPointsBeyondTheScale)
{
    auto chart = Transfer();
    StartCurve(*chart);
    for (int i = 0; i < 1000; ++i) {
        TcXYPlotChannel* curve = chart->GetChannel(0);
        curve->DeletePoints(curve->Count());
        curve->AddXY(20 + i, 40 + i);
        curve->AddXY(-150 - i, -160);
        chart->ReCalcLayout();
    }
    for (TcPlotAxis* a :
         {static_cast<TcPlotAxis*>(chart->GetXAxis(0)), static_cast<TcPlotAxis*>(chart->GetYAxis(0))}) {
        EXPECT_EQ(a->Min(), -100);
        EXPECT_EQ(a->Span(), 120);
    }
}

TEST_F(TransferChart, ReplacingTheCurveGivesOnePaintWithAllFourVertices)
{
    StepClock clock;
    SetPaceClock(&clock);
    auto chart = Transfer();
    StartCurve(*chart);
    chart->show();
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    int paints = 0;
    std::vector<std::vector<int>> lastCurve;
    {
        auto rec = std::make_shared<testsupport::RecordingCanvas>();
        chart->OnAfterPaint = [&](TcPlotComponent*) {
            ++paints;
            lastCurve = LinesIn(*rec, fw::clWhite, 2);
            rec->Clear();
        };
        clock.Now += 1000;
        TcXYPlotChannel* curve = chart->GetChannel(0);
        curve->DeletePoints(curve->Count());
        for (auto [x, y] : {std::pair{20.0, 5.0}, {-20.0, -20.0}, {-40.0, -40.0}, {-100.0, -100.0}}) {
            curve->AddXY(x, y);
            clock.Now += 2; // the points come faster than the frame rate
        }
        QApplication::processEvents();
        chart->OnAfterPaint = nullptr;
    }
    EXPECT_EQ(paints, 1);
    // Three segments join the four vertices; the last ends at (20, 5).
    ASSERT_EQ(lastCurve.size(), 3u);
    EXPECT_EQ(lastCurve[0][2], 599);
    SetPaceClock(nullptr);
}

// Chart object kinds and the load bracket.

TEST_F(TransferChart, NewXYChartHoldsOneObjectOfEachKindAndTheTitle)
{
    TcXYPlot chart;
    EXPECT_EQ(chart.ToolBarCount(), 1);
    EXPECT_EQ(chart.LegendCount(), 1);
    EXPECT_EQ(chart.ChannelCount(), 1);
    EXPECT_EQ(chart.GetChannel(0)->Color(), fw::clRed);
    EXPECT_EQ(chart.GetChannel(0)->XAxisName(), QStringLiteral("X-Axis 1"));
    EXPECT_EQ(chart.GetDataCursor(0)->ChannelName(), QStringLiteral("Channel 1"));
    EXPECT_EQ(chart.GetDataView(0)->GridXAxisName(), QStringLiteral("X-Axis 1"));
    EXPECT_EQ(chart.GetLabel(0)->Name(), QStringLiteral("Title"));
    EXPECT_EQ(chart.GetLabel(0)->Caption(), QStringLiteral("Untitled"));
    EXPECT_EQ(chart.GetToolBar(0)->ZOrder(), 3);
    EXPECT_EQ(chart.GetLegend(0)->ZOrder(), 2);
    EXPECT_EQ(chart.BackGroundColor(), fw::clBlack);
    EXPECT_EQ(chart.BorderStyle(), ibsLowered);
    EXPECT_TRUE(chart.IsXYPlot());
}

TEST_F(TransferChart, LabelsDeleteRulesAndAddEvents)
{
    TcXYPlot chart;
    chart.AddLabel();
    chart.AddLabel();
    EXPECT_EQ(ErrorOf([&] { chart.DeleteLabel(0); }),
              QStringLiteral("Label Index 0 can not be Deleted (Resevered for Title)"));
    EXPECT_EQ(chart.LabelCount(), 3);
    chart.RemoveAllLabels();
    ASSERT_EQ(chart.LabelCount(), 1);
    EXPECT_EQ(chart.GetLabel(0)->Name(), QStringLiteral("Title"));

    std::vector<int> added;
    int others = 0;
    chart.OnAddChannel = [&](int i) { added.push_back(i); };
    chart.OnAddObject = [&](TcPlotObject*, int) { ++others; };
    chart.AddChannel();
    chart.AddToolBar();
    chart.AddLabel();
    EXPECT_EQ(added, std::vector<int>{1});
    EXPECT_EQ(others, 1);
}

TEST_F(TransferChart, ToolBarMovesOutOfTheTitleBandWhenLoaded)
{
    TcXYPlot chart;
    chart.BeginLoading();
    chart.GetToolBar(0)->SetZOrder(2);
    chart.GetLabel(0)->SetZOrder(2);
    chart.Loaded();
    EXPECT_EQ(chart.GetToolBar(0)->ZOrder(), 3);
    EXPECT_FALSE(chart.IsLoading());
}

TEST_F(TransferChart, ChartWithoutLegendToolBarOrDataViewDrawsNothing)
{
    struct Case {
        const char* name;
        void (TcPlotComponent::*removeAll)();
    };
    for (const Case& c : {Case{"legend", &TcPlotComponent::RemoveAllLegends},
                          Case{"toolbar", &TcPlotComponent::RemoveAllToolBars},
                          Case{"data view", &TcPlotComponent::RemoveAllDataViews}}) {
        SCOPED_TRACE(c.name);
        auto chart = Transfer();
        StartCurve(*chart);
        (chart.get()->*c.removeAll)();
        testsupport::RecordingCanvas rec;
        chart->PaintToImage();
        EXPECT_TRUE(rec.Ops.empty());
    }
}

TEST_F(TransferChart, LoneToolBarOnTopSitsAtTheEdgeAndAddsQ)
{
    auto chart = Transfer();
    chart->GetToolBar(0)->SetVisible(true);
    chart->ReCalcLayout();
    const fw::TRect bar = chart->GetToolBar(0)->DrawRect();
    EXPECT_EQ(bar.Top, 0);
    EXPECT_EQ(bar.Bottom, 36);
    // T = 36 (at least Q = 6), plus the outer margin and Q.
    EXPECT_EQ(chart->GetDataView(0)->DrawRect().Top, 36 + 5 + 6);
    chart->GetLabel(0)->SetVisible(true);
    chart->GetLabel(0)->SetZOrder(2);
    chart->ReCalcLayout();
    // With the title on top as well Q is not added: toolbar band 36 + title band 13.
    EXPECT_EQ(chart->GetDataView(0)->DrawRect().Top, 36 + 13 + 5);
}

TEST_F(TransferChart, CollisionListRefusesOverlapsAndLabelsOutsideTheDataView)
{
    auto chart = Transfer();
    chart->ReCalcLayout();
    struct Case {
        const char* name;
        fw::TRect rect;
        bool accepted;
    };
    const Case cases[] = {
        {"first is taken without the containment test", {0, 0, 10, 10}, true},
        {"overlapping the first", {5, 5, 15, 15}, false},
        {"outside the data view", {600, 100, 610, 110}, false},
        {"inside and free", {100, 100, 120, 110}, true},
        {"touching edges do not overlap", {120, 100, 130, 110}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(chart->AxesCollisionTestAdd(c.rect), c.accepted);
    }
}

TEST_F(TransferChart, CartesianAxesDrawOnlyTheLabelsThatAreFree)
{
    TcXYPlot chart;
    chart.SetBounds(0, 0, 400, 300);
    chart.GetXAxis(0)->SetCartesianStyle(ipcsMaster);
    chart.GetYAxis(0)->SetCartesianStyle(ipcsMaster);
    for (TcPlotAxis* a :
         {static_cast<TcPlotAxis*>(chart.GetXAxis(0)), static_cast<TcPlotAxis*>(chart.GetYAxis(0))}) {
        a->SetMinSpan(0, 100);
        a->SetDesiredIncrement(20);
    }
    testsupport::RecordingCanvas rec;
    chart.PaintToImage();
    EXPECT_FALSE(chart.AxesCollisionList().empty());
    // The Y axis draws first; its label at the bottom end is the first rectangle and is taken.
    // Every later label that would stick out of the plotting area is refused: the X axis's "0"
    // at the left end and both "100"s at the far ends; the labels between are drawn.
    const auto texts = rec.Texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), QStringLiteral("0")), 1);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), QStringLiteral("100")), 0);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), QStringLiteral("40")), 2);
}

TEST_F(TransferChart, PressGivesFocusAndTheWheelIsSwallowed)
{
    QWidget window;
    TcXYPlot* chart = CreateTransferChart(&window, TransferChartKind::Comp);
    QWidget* other = new QWidget(&window);
    other->setFocusPolicy(Qt::StrongFocus);
    window.show();
    window.activateWindow();
    QApplication::processEvents();
    chart->ReCalcLayout();
    other->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(window.focusWidget(), other);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(300, 100), QPointF(300, 100), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(chart, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(300, 100), QPointF(300, 100), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(chart, &release);
    QApplication::processEvents();
    EXPECT_EQ(window.focusWidget(), chart);
    QWheelEvent wheel(QPointF(300, 100), QPointF(300, 100), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(chart, &wheel);
    EXPECT_TRUE(wheel.isAccepted());
    for (TcPlotAxis* a :
         {static_cast<TcPlotAxis*>(chart->GetXAxis(0)), static_cast<TcPlotAxis*>(chart->GetYAxis(0))}) {
        EXPECT_EQ(a->Min(), -100);
        EXPECT_EQ(a->Span(), 120);
    }
}
