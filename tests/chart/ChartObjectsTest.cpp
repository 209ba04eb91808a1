// The chart's objects taken alone: channel drawing, legend layout and paging, data cursor pointers,
// keys and texts, toolbar actions and drawing, label sizes, data view conversions and grid, and the
// OPC manager without its library.
#include "ChartFixture.h"
#include "ErrorOf.h"
#include "chart/view/XYPlot.h"
#include "support/RecordingCanvas.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>

using namespace chart;
using namespace charttest;
using namespace fw;

namespace
{

class ChartObjects : public ::testing::Test
{
  protected:
    void SetUp() override { EnsureApp(); }
    MetricsScope metrics;
    Scratch scratch;
};

// A channel on axes X 0..10, Y 0..10 mapped to pixels 0..100 (Y up).
struct PlainAxes {
    Host host;
    TestChannel* channel;
    PlainAxes()
    {
        host.Master().AddXAxis();
        host.Master().AddYAxis();
        host.Master().AddChannel();
        channel = host.Channel();
        host.X()->SetTrackingEnabled(false);
        host.Y()->SetTrackingEnabled(false);
        host.X()->SetMinSpan(0, 10);
        host.Y()->SetMinSpan(0, 10);
        host.X()->SetScaleRect({0, 0, 100, 100});
        host.Y()->SetScaleRect({0, 0, 100, 100});
    }
    std::vector<std::vector<int>> Trace(TCanvas& canvas, std::initializer_list<std::array<double, 3>> points)
    {
        channel->Clear();
        for (const auto& p : points) {
            if (p[2] == 1)
                channel->AddPoint(0, 0, true, false);
            else if (p[2] == 2)
                channel->AddPoint(0, 0, false, true);
            else
                channel->AddXY(p[0], p[1]);
        }
        channel->CalcStartIndex();
        channel->CalcStopIndex();
        testsupport::RecordingCanvas rec;
        channel->DrawTrace(canvas, false, clBlack);
        std::vector<std::vector<int>> out;
        for (const auto& op : rec.Named("LineTo"))
            out.push_back(op.Args);
        return out;
    }
};

} // namespace

TEST_F(ChartObjects, TraceBreaksAtNullsSkipsEmptiesAndClipsX)
{
    PlainAxes a;
    struct Case {
        const char* name;
        std::vector<std::array<double, 3>> points; // x, y, 0 valid / 1 null / 2 empty
        std::vector<std::vector<int>> lines;
    };
    // X 0..10 on pixels 0..100; Y 0..10 on pixels 100..0; ClipToAxes off.
    const Case cases[] = {
        {"null breaks the line", {{0, 0, 0}, {0, 0, 1}, {2, 2, 0}, {3, 0, 0}}, {{20, 80, 30, 100}}},
        {"empty is skipped", {{0, 0, 0}, {0, 0, 2}, {2, 2, 0}}, {{0, 100, 20, 80}}},
        {"cut at the X scale's start", {{-2, 0, 0}, {8, 10, 0}}, {{0, 80, 80, 0}}},
        {"wholly right of the scale", {{12, 3, 0}, {14, 4, 0}}, {}},
        {"above the Y scale drawn in full", {{5, 15, 0}, {10, 20, 0}}, {{50, -50, 100, -100}}},
        {"a single point has no trace", {{5, 5, 0}}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        a.channel->Clear();
        for (const auto& p : c.points) {
            if (p[2] == 1)
                a.channel->AddPoint(0, 0, true, false);
            else if (p[2] == 2)
                a.channel->AddPoint(0, 0, false, true);
            else
                a.channel->AddXY(p[0], p[1]);
        }
        a.channel->CalcStartIndex();
        a.channel->CalcStopIndex();
        testsupport::RecordingCanvas rec;
        a.channel->DrawTrace(scratch.canvas, false, clBlack);
        std::vector<std::vector<int>> lines;
        for (const auto& op : rec.Named("LineTo"))
            lines.push_back(op.Args);
        EXPECT_EQ(lines, c.lines);
    }
}

TEST_F(ChartObjects, ClipToAxesCutsAtTheYScale)
{
    PlainAxes a;
    a.channel->SetClipToAxes(true);
    // (0, -10) to (10, 10) is drawn from (5, 0) to (10, 10); a vertical one from (5, 0) to (5, 10).
    EXPECT_EQ(a.Trace(scratch.canvas, {{0, -10, 0}, {10, 10, 0}}),
              (std::vector<std::vector<int>>{{50, 100, 100, 0}}));
    EXPECT_EQ(a.Trace(scratch.canvas, {{5, -20, 0}, {5, 20, 0}}),
              (std::vector<std::vector<int>>{{50, 100, 50, 0}}));
}

TEST_F(ChartObjects, TracePenWidthOneIsTheOnePixelPen)
{
    PlainAxes a;
    for (auto [width, pen] : {std::pair{1, 0}, {2, 2}}) {
        a.channel->SetTraceLineWidth(width);
        a.channel->AddXY(1, 1);
        a.channel->AddXY(2, 2);
        a.channel->CalcStartIndex();
        a.channel->CalcStopIndex();
        testsupport::RecordingCanvas rec;
        a.channel->DrawTrace(scratch.canvas, false, clBlack);
        ASSERT_FALSE(rec.Named("LineTo").empty());
        EXPECT_EQ(rec.Named("LineTo")[0].Pen.Width, pen);
        a.channel->Clear();
    }
}

TEST_F(ChartObjects, MarkersShapesTurnOffLimitAndLegendSample)
{
    PlainAxes a;
    a.channel->SetMarkersVisible(true);
    a.channel->SetMarkersSize(5);
    a.channel->SetMarkersStyle(ipmsTriangleUp);
    a.channel->AddXY(5, 5);
    {
        testsupport::RecordingCanvas rec;
        a.channel->DrawMarker(scratch.canvas, 0, clBlack, {50, 50});
        ASSERT_EQ(rec.Named("Polygon").size(), 1u);
        EXPECT_EQ(rec.Named("Polygon")[0].Args, (std::vector<int>{45, 55, 50, 50, 55, 55}));
    }
    a.channel->SetMarkersStyle(ipmsCircle);
    a.channel->SetMarkersSize(10);
    {
        testsupport::RecordingCanvas rec;
        a.channel->DrawMarker(scratch.canvas, -1, clBlack, {50, 50});
        EXPECT_EQ(rec.Named("Ellipse")[0].Args, (std::vector<int>{44, 44, 56, 56}));
    }
    a.channel->SetMarkersTurnOffLimit(2);
    for (auto [count, drawn] : {std::pair{3, 3u}, {4, 0u}}) {
        a.channel->Clear();
        for (int i = 0; i < count; ++i)
            a.channel->AddXY(i, i);
        a.channel->CalcStartIndex();
        a.channel->CalcStopIndex();
        testsupport::RecordingCanvas rec;
        a.channel->DrawMarkers(scratch.canvas, false, clBlack);
        EXPECT_EQ(rec.Named("Ellipse").size(), drawn) << count;
    }
}

TEST_F(ChartObjects, XYChannelDrawsInInsertionOrderAndHasNoExtentWhenEmptyOrNull)
{
    TcXYPlot chart;
    TcXYPlotChannel* c = chart.GetChannel(0);
    EXPECT_EQ(c->GetZoomXMax(), -1e300);
    EXPECT_EQ(c->GetZoomXMin(), 1e300);
    c->AddNull();
    c->AddNull();
    c->CalcStartIndex();
    c->CalcStopIndex();
    EXPECT_EQ(c->DrawStartIndex(), 0);
    EXPECT_EQ(c->DrawStopIndex(), 1);
    EXPECT_EQ(c->GetZoomYMax(), -1e300);
    c->Clear();
    chart.GetXAxis(0)->SetMinSpan(0, 100);
    chart.GetYAxis(0)->SetMinSpan(0, 100);
    for (auto [x, y] : {std::pair{10.0, 10.0}, {90.0, 10.0}, {90.0, 90.0}, {10.0, 90.0}, {10.0, 10.0}})
        c->AddXY(x, y);
    EXPECT_EQ(c->GetZoomXMax(), 90);
    chart.GetLegend(0)->SetVisible(false);
    testsupport::RecordingCanvas rec;
    chart.PaintToImage();
    const auto lines = rec.Named("LineTo");
    std::vector<std::vector<int>> trace;
    for (const auto& op : lines)
        if (op.Pen.Color == fw::clRed)
            trace.push_back(op.Args);
    ASSERT_EQ(trace.size(), 4u);
    // The square closes: the last segment ends where the first began.
    EXPECT_EQ(trace.front()[0], trace.back()[0]);
    c->SetMarkersVisible(true);
    c->SetMarkersSize(5);
    EXPECT_GT(c->GetZoomXMax(), 90);
}

TEST_F(ChartObjects, XYCursorTextsByStyle)
{
    TcXYPlot chart;
    chart.ReCalcLayout();
    TcPlotDataCursor* cursor = chart.GetDataCursor(0);
    cursor->SetDataView(chart.GetDataView(0));
    struct Case {
        const char* name;
        TcPlotDataCursorStyle style;
        double p1, p2;
        QString text;
    };
    const Case cases[] = {
        {"value X-Y", ipcsValueXY, 50, 60, QStringLiteral("50, 60")},
        {"delta X", ipcsDeltaX, 20, 50, QStringLiteral("30")},
        {"inverse delta, equal pointers", ipcsInverseDeltaX, 40, 40, QStringLiteral("Infinite")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        cursor->SetStyle(c.style);
        cursor->SetPointer1Position(c.p1);
        cursor->SetPointer2Position(c.p2);
        cursor->RecalcValues();
        EXPECT_EQ(cursor->CursorDisplayText(), c.text);
    }
}

// Legend.

TEST_F(ChartObjects, LegendPagesTenChannelsInFourRows)
{
    Host h;
    h.Master().AddLegend();
    for (int i = 0; i < 10; ++i)
        h.Master().AddChannel();
    TcPlotLegend* legend = h.Master().LegendManager()->GetItem(0);
    // Margins 13 + 13, rows 13 high with 3 between: 70 px hold 4 rows.
    legend->SetDrawRect({0, 0, 200, 96});
    const int width = legend->GetRequiredSize(scratch.canvas);
    EXPECT_EQ(legend->ItemCount(), 10);
    EXPECT_EQ(legend->RowsShown(), 4);
    EXPECT_EQ(legend->ActualWrapColCount(), 1);
    EXPECT_TRUE(legend->UpButton().Visible());
    EXPECT_FALSE(legend->UpButton().Enabled());
    EXPECT_TRUE(legend->DownButton().Enabled());
    EXPECT_EQ(legend->ViewStopIndex(), 3);
    // Line column 16 + spacing 3 + "Channel 10" 60, margins 6 + 6, buttons 25.
    EXPECT_EQ(width, 16 + 3 + 60 + 12 + 25);
    for (int i = 0; i < 3; ++i)
        legend->DownButton().OnClick(&legend->DownButton());
    legend->GetRequiredSize(scratch.canvas);
    EXPECT_EQ(legend->ViewStartIndex(), 3);
    EXPECT_EQ(legend->ViewStopIndex(), 6);
}

TEST_F(ChartObjects, LegendEdgeCases)
{
    Host h;
    h.Master().AddLegend();
    for (int i = 0; i < 5; ++i)
        h.Master().AddChannel();
    TcPlotLegend* legend = h.Master().LegendManager()->GetItem(0);
    // Room for two rows only: the legend still asks for three (the buttons need them).
    legend->SetDrawRect({0, 0, 200, 26 + 29});
    legend->GetRequiredSize(scratch.canvas);
    EXPECT_EQ(legend->RowsShown(), 3);

    h.Channel(1)->SetVisibleInLegend(false);
    h.Channel(2)->SetTitleText(QStringLiteral("  "));
    legend->SetDrawRect({0, 0, 200, 200});
    legend->GetRequiredSize(scratch.canvas);
    EXPECT_EQ(legend->ItemCount(), 4);
    testsupport::RecordingCanvas rec;
    legend->Draw(scratch.canvas, clBlack);
    EXPECT_TRUE(h.Channel(1)->LegendRect().IsEmpty());
    EXPECT_FALSE(h.Channel(0)->LegendRect().IsEmpty());
    const auto texts = rec.Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), h.Channel(2)->Name()), texts.end());
    const fw::TRect r0 = h.Channel(0)->LegendRect();
    EXPECT_EQ(legend->GetMouseOverObject(r0.Left + 1, r0.Top + 1), h.Channel(0));

    legend->SetWrapColDesiredCount(0);
    EXPECT_EQ(legend->WrapColDesiredCount(), 1);
    legend->SetWrapColDesiredCount(-3);
    EXPECT_EQ(legend->WrapColDesiredCount(), 1);
    legend->SetRowSpacing(0.5);
    EXPECT_EQ(legend->WrapRowSpacingMin(), 0.5);
    EXPECT_EQ(legend->ItemText(h.Channel(0), TcPlotLegend::ColXAxisTitle), QStringLiteral("None"));
    EXPECT_EQ(legend->ItemText(h.Channel(0), TcPlotLegend::ColYValue), QStringLiteral("Empty"));
}

TEST_F(ChartObjects, LegendLineSampleDashes)
{
    Host h;
    h.Master().AddLegend();
    TcPlotLegend* legend = h.Master().LegendManager()->GetItem(0);
    testsupport::RecordingCanvas rec;
    legend->DrawLineSample(scratch.canvas, 10, 20, clWhite, iplsDot);
    // Four rows of three 2-pixel dashes.
    const auto lines = rec.Named("LineTo");
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[0].Args, (std::vector<int>{10, 19, 12, 19}));
    EXPECT_EQ(lines[11].Args, (std::vector<int>{18, 22, 20, 22}));
    rec.Clear();
    legend->SetLineColumnWidth(20);
    legend->DrawLineSample(scratch.canvas, 10, 20, clWhite, iplsDot);
    ASSERT_EQ(rec.Named("LineTo").size(), 4u);
    EXPECT_EQ(rec.Named("LineTo")[0].Pen.Style, psDot);
}

// Data cursor.

TEST_F(ChartObjects, CursorPointersFollowStyleAndAxisSwap)
{
    TcXYPlot chart;
    TcPlotDataCursor* c = chart.GetDataCursor(0);
    EXPECT_FALSE(c->Visible());
    EXPECT_TRUE(c->Pointer1Show() && c->Pointer2Show());
    EXPECT_EQ(c->Pointer1Orientation(), ioVertical);
    EXPECT_EQ(c->Pointer2Orientation(), ioHorizontal);
    EXPECT_EQ(c->HintOrientation(), ioVertical);
    c->SetStyle(ipcsDeltaY);
    EXPECT_EQ(c->Pointer1Orientation(), ioHorizontal);
    EXPECT_EQ(c->Pointer2Orientation(), ioHorizontal);
    c->SetStyle(ipcsValueX);
    chart.SetXYAxesReverse(true);
    EXPECT_EQ(c->Pointer1Orientation(), ioHorizontal);
    EXPECT_FALSE(c->Pointer2Show());
    c->SetPointer1Position(150);
    EXPECT_EQ(c->Pointer1Position(), 100);
    c->SetPointer1Position(-3);
    EXPECT_EQ(c->Pointer1Position(), 0);
    c->SetHintPosition(150);
    EXPECT_EQ(c->HintPosition(), 150);
}

TEST_F(ChartObjects, CursorHintRulesAndKeys)
{
    TcXYPlot chart;
    TcPlotDataCursor* c = chart.GetDataCursor(0);
    c->SetVisible(true);
    chart.ReCalcLayout();
    EXPECT_TRUE(c->HintShowing());
    c->SetChannelName(QStringLiteral("<All>"));
    chart.ReCalcLayout();
    EXPECT_FALSE(c->HintShowing());
    EXPECT_TRUE(chart.GetLegend(0)->FCursorAllChannels);
    c->SetChannelName(QStringLiteral("Channel 1"));
    c->SetHintHideOnRelease(true);
    chart.ReCalcLayout();
    EXPECT_FALSE(c->HintShowing());
    c->SetHintHideOnRelease(false);
    // A pointer near the right edge puts the hint on its left, and the property says so.
    c->SetPointer1Position(98);
    chart.ReCalcLayout();
    EXPECT_EQ(c->HintOrientationSide(), iosTopLeft);
    EXPECT_LT(c->HintRect().Right, chart.GetDataView(0)->PositionPercentToPixelsX(98));

    fw::Word end = 35, home = 36;
    c->iKeyDown(end, 0, nullptr);
    EXPECT_EQ(c->Pointer1Position(), 100);
    c->iKeyDown(home, fw::ssCtrl, nullptr);
    EXPECT_EQ(c->Pointer2Position(), 0);
    c->SetStyle(ipcsValueX);
    c->SetPointer2Position(60);
    c->iKeyDown(home, fw::ssCtrl, nullptr);
    EXPECT_EQ(c->Pointer2Position(), 60);
}

TEST_F(ChartObjects, CursorPopupMenuOffersChannelStyleAndOptions)
{
    TcXYPlot chart;
    chart.AddChannel();
    chart.GetChannel(0)->SetTitleText(QStringLiteral("In\r\nA"));
    chart.GetChannel(1)->SetTitleText(QStringLiteral("Out 1"));
    TcPlotDataCursor* c = chart.GetDataCursor(0);
    c->SetMenuItemVisible(ipcsDeltaY, false);
    c->SetMenuItemCaption(ipcsInverseDeltaX, QStringLiteral("Hz"));
    auto captions = [](const std::vector<TcMenuItem>& items) {
        std::vector<std::string> out;
        for (const TcMenuItem& i : items)
            out.push_back(i.Caption.toStdString() + (i.Checked ? "*" : "") + (i.Visible ? "" : " hidden") +
                          (i.Enabled ? "" : " disabled"));
        return out;
    };
    TcPopupMenu m;
    c->FillPopupMenu(m);
    // An XY chart has no snapping item.
    EXPECT_EQ(captions(m.Items), (std::vector<std::string>{"Channel", "Style", "Options", "Edit..."}));
    EXPECT_EQ(captions(m.Items[0].Items), (std::vector<std::string>{"<All>", "InA*", "Out 1"}));
    EXPECT_EQ(captions(m.Items[1].Items), (std::vector<std::string>{"Value X-Y*", "Value X", "Value Y",
                                                                    "Period", "Peak-Peak hidden", "Hz"}));
    EXPECT_EQ(captions(m.Items[2].Items),
              (std::vector<std::string>{"Use Channel Color*", "Hide Hint On Release", "Flip Alignment"}));

    int changes = 0;
    chart.Master().OnChange = [&](TcPersistent*) { ++changes; };
    m.Items[1].Items[3].OnClick();
    EXPECT_EQ(c->Style(), ipcsDeltaX);
    m.Items[0].Items[2].OnClick();
    EXPECT_EQ(c->ChannelName(), QStringLiteral("Channel 2"));
    EXPECT_TRUE(chart.GetChannel(1)->UserSelected());
    changes = 0;
    m.Items[2].Items[0].OnClick();
    m.Items[2].Items[1].OnClick();
    m.Items[2].Items[2].OnClick();
    EXPECT_FALSE(c->UseChannelColor());
    EXPECT_TRUE(c->HintHideOnRelease());
    EXPECT_EQ(c->HintOrientationSide(), iosTopLeft);
    EXPECT_EQ(changes, 0) << "the options repaint without a change notice";
    m.Items[0].Items[0].OnClick();
    EXPECT_EQ(c->ChannelName(), QStringLiteral("<All>"));
    EXPECT_FALSE(chart.GetChannel(1)->UserSelected());

    // Flip Alignment only for the value styles of one channel; no Options without the user's leave;
    // no "<All>" when the cursor may not follow every channel.
    c->FillPopupMenu(m);
    EXPECT_FALSE(m.Items[2].Items[2].Enabled);
    c->SetChannelName(QStringLiteral("Channel 1"));
    c->SetStyle(ipcsValueY);
    c->SetMenuUserCanChangeOptions(false);
    c->SetChannelAllowAll(false);
    c->FillPopupMenu(m);
    EXPECT_EQ(captions(m.Items), (std::vector<std::string>{"Channel", "Style", "Edit..."}));
    EXPECT_EQ(captions(m.Items[0].Items), (std::vector<std::string>{"InA*", "Out 1"}));
}

TEST_F(ChartObjects, ToolBarCommandsTheChartLacksAreDisabled)
{
    TcXYPlot chart;
    TcPlotToolBar* bar = chart.GetToolBar(0);
    bar->SetShowPreviewButton(true);
    chart.ReCalcLayout();
    int commands = 0;
    chart.OnPlotEvent = [&](TcPlotEvent& e) {
        if (e.Kind == TcPlotEventKind::BeforeToolBarButtonClick)
            ++commands;
    };
    auto click = [&](TcPlotToolBarButton* b) {
        const QPointF at(b->DrawRect().Left + 5, b->DrawRect().Top + 5);
        QMouseEvent press(QEvent::MouseButtonPress, at, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&chart, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, at, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&chart, &release);
    };
    TcPlotToolBarButton* zoomIn = nullptr;
    for (int i = 0; i < bar->ButtonCount(); ++i) {
        TcPlotToolBarButton* b = bar->Button(i);
        if (b->ButtonType() == iptbbtZoomIn && b->Style() != iptbbsSpacer)
            zoomIn = b;
        const bool command = b->ButtonType() == iptbbtEdit || b->ButtonType() == iptbbtCopy ||
                             b->ButtonType() == iptbbtSave || b->ButtonType() == iptbbtPrint ||
                             b->ButtonType() == iptbbtPreview;
        if (b->Style() == iptbbsSpacer || !command)
            continue;
        SCOPED_TRACE(b->Hint().toStdString());
        EXPECT_FALSE(b->Enabled());
        click(b); // does nothing
    }
    EXPECT_EQ(commands, 0);
    // The same click on a live button reaches it.
    ASSERT_NE(zoomIn, nullptr);
    EXPECT_TRUE(zoomIn->Enabled());
    click(zoomIn);
    EXPECT_GT(commands, 0);
}

TEST_F(ChartObjects, CursorKeysMoveByPixelStepsAndPages)
{
    TcXYPlot chart;
    TcPlotDataCursor* c = chart.GetDataCursor(0);
    c->SetVisible(true);
    c->SetStyle(ipcsValueXY); // pointer 1 across x, pointer 2 (Ctrl) across y
    chart.ReCalcLayout();
    const TcPlotDataView* dv = chart.GetDataView(0);
    const double px = std::fabs(dv->PixelsXToPositionPercent(101) - dv->PixelsXToPositionPercent(100));
    const double py = std::fabs(dv->PixelsYToPositionPercent(101) - dv->PixelsYToPositionPercent(100));
    struct Case {
        const char* name;
        fw::Word key;
        fw::TShiftState shift;
        double pointer1, pointer2;
    } cases[] = {
        {"page up: five steps", 33, 0, 50 + 5 * px, 60},
        {"page down", 34, 0, 50 - 5 * px, 60},
        {"right: one step", 39, 0, 50 + px, 60},
        {"left", 37, 0, 50 - px, 60},
        {"up leaves an upright pointer", 38, 0, 50, 60},
        {"ctrl page up moves pointer 2", 33, fw::ssCtrl, 50, 60 + 5 * py},
        {"ctrl up", 38, fw::ssCtrl, 50, 60 + py},
        {"ctrl down", 40, fw::ssCtrl, 50, 60 - py},
        {"ctrl left leaves a level pointer", 37, fw::ssCtrl, 50, 60},
        {"another key moves nothing", 65, 0, 50, 60},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        c->SetPointer1Position(50);
        c->SetPointer2Position(60);
        fw::Word key = k.key;
        c->iKeyDown(key, k.shift, nullptr);
        EXPECT_DOUBLE_EQ(c->Pointer1Position(), k.pointer1);
        EXPECT_DOUBLE_EQ(c->Pointer2Position(), k.pointer2);
    }
}

// Toolbar.

TEST_F(ChartObjects, ToolBarActionsGroupsAndCancel)
{
    TcXYPlot chart;
    TcPlotToolBar* bar = chart.GetToolBar(0);
    bar->SetZoomInOutFactor(0.5);
    EXPECT_EQ(bar->ZoomInOutFactor(), 1);
    bar->SetZoomInOutFactor(2);
    int before = 0;
    bool cancel = false;
    chart.OnPlotEvent = [&](TcPlotEvent& e) {
        if (e.Kind == TcPlotEventKind::BeforeToolBarButtonClick) {
            ++before;
            e.Cancel = cancel;
        }
    };
    chart.GetXAxis(0)->SetMinSpan(0, 100);
    chart.GetXAxis(0)->SetTrackingEnabled(true);
    bar->DoButtonClickZoomIn();
    EXPECT_EQ(before, 2);
    EXPECT_EQ(chart.GetXAxis(0)->Span(), 50);
    EXPECT_FALSE(chart.GetXAxis(0)->TrackingEnabled());

    bar->DoButtonClickSelect();
    EXPECT_TRUE(bar->SelectActive());
    bar->DoButtonClickZoomBox();
    EXPECT_FALSE(bar->SelectActive());
    EXPECT_TRUE(bar->ZoomBoxActive());
    EXPECT_EQ(chart.GetDataView(0)->MouseMode(), ipdvmmZoomBox);
    bar->DoButtonClickZoomBox();
    EXPECT_FALSE(bar->ZoomBoxActive());

    cancel = true;
    bar->DoButtonClickCursor();
    EXPECT_FALSE(bar->CursorActive());
    cancel = false;
    bar->DoButtonClickCursor();
    EXPECT_TRUE(bar->CursorActive());
    EXPECT_TRUE(chart.GetDataCursor(0)->Visible());
    EXPECT_TRUE(chart.GetDataCursor(0)->UserSelected());
    bar->DoButtonClickCursor();
    EXPECT_FALSE(chart.GetDataCursor(0)->Visible());

    EXPECT_EQ(bar->GetRequiredSize(scratch.canvas), 36);
    bar->SetSmallButtons(true);
    EXPECT_EQ(bar->GetRequiredSize(scratch.canvas), 28);
    // Without toolbars the data view has no mode source and still answers.
    chart.RemoveAllToolBars();
    EXPECT_EQ(chart.GetDataView(0)->MouseMode(), ipdvmmNone);
}

TEST_F(ChartObjects, ToolBarWithOnlyTheEditButtonDrawsItAndItsSpacer)
{
    TcXYPlot chart;
    TcPlotToolBar* bar = chart.GetToolBar(0);
    for (auto set : {&TcPlotToolBar::SetShowResumeButton, &TcPlotToolBar::SetShowPauseButton,
                     &TcPlotToolBar::SetShowAxesModeButtons, &TcPlotToolBar::SetShowZoomInOutButtons,
                     &TcPlotToolBar::SetShowSelectButton, &TcPlotToolBar::SetShowZoomBoxButton,
                     &TcPlotToolBar::SetShowCursorButton, &TcPlotToolBar::SetShowCopyButton,
                     &TcPlotToolBar::SetShowSaveButton, &TcPlotToolBar::SetShowPrintButton,
                     &TcPlotToolBar::SetShowPreviewButton})
        (bar->*set)(false);
    bar->SetDrawRect({0, 0, 400, 36});
    bar->Draw(scratch.canvas, clBlack);
    std::vector<fw::TRect> shown;
    for (int i = 0; i < bar->ButtonCount(); ++i)
        if (bar->Button(i)->Visible())
            shown.push_back(bar->Button(i)->DrawRect());
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], (fw::TRect{3, 3, 33, 33}));
    EXPECT_EQ(shown[1], (fw::TRect{33, 3, 43, 33}));
    // Every picture is ours and loads.
    for (int i = 0; i < bar->ButtonCount(); ++i)
        if (bar->Button(i)->Style() == iptbbsButton) {
            SCOPED_TRACE(bar->Button(i)->ImageName().toStdString());
            EXPECT_FALSE(ToolBarPicture(bar->Button(i)->ImageName()).isNull());
            EXPECT_EQ(ToolBarPicture(QStringLiteral("SMALL") + bar->Button(i)->ImageName()).width(), 16);
        }
}

// Label and data view.

TEST_F(ChartObjects, LabelSizeImageAndVisibility)
{
    struct TallZero : fw::TextMetrics {
        int Width(const QFont&, const QString& t) const override { return 10 * int(t.size()); }
        int Height(const QFont&) const override { return 16; }
        int Ascent(const QFont&) const override { return 12; }
    } tall;
    fw::SetTextMetrics(&tall);
    TcXYPlot chart;
    TcPlotLabel* label = chart.GetLabel(0);
    EXPECT_EQ(label->GetRequiredSize(scratch.canvas), 16);
    label->SetMarginTop(0.5);
    EXPECT_EQ(label->GetRequiredSize(scratch.canvas), 24);
    label->SetVisible(false);
    {
        testsupport::RecordingCanvas rec;
        label->Draw(scratch.canvas, clBlack);
        EXPECT_TRUE(rec.Ops.empty());
        EXPECT_EQ(label->RequiredWidth(), 24);
    }
    label->SetVisible(true);
    label->SetDrawRect({0, 0, 200, 30});
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    label->SetImage(&picture);
    label->SetImageListIndex(5);
    {
        testsupport::RecordingCanvas rec;
        label->Draw(scratch.canvas, clBlack);
        EXPECT_TRUE(rec.Texts().empty());
    }
    label->ImageClear();
    {
        testsupport::RecordingCanvas rec;
        label->Draw(scratch.canvas, clBlack);
        EXPECT_EQ(rec.Texts(), std::vector<QString>{QStringLiteral("Untitled")});
    }
    fw::SetTextMetrics(&metrics.metrics);
}

TEST_F(ChartObjects, DataViewConversionsGridOfAllAxesAndRename)
{
    TcXYPlot chart;
    chart.SetBounds(0, 0, 400, 300);
    chart.AddXAxis();
    chart.ReCalcLayout();
    TcPlotDataView* dv = chart.GetDataView(0);
    const fw::TRect r = dv->DrawRect();
    EXPECT_EQ(dv->PositionPercentToPixelsY(100), r.Top);
    EXPECT_EQ(dv->PositionPercentToPixelsY(0), r.Bottom);
    EXPECT_EQ(dv->PixelsXToPositionPercent(r.Left), 0);
    TcPlotDataView lone(
        &chart, {[](TcPersistent*) {}, [](TcPersistent*) {}, [](TcPersistent*) {}, [](TcPersistent*) {}});
    EXPECT_EQ(lone.PixelsXToPositionPercent(10), 0);

    auto verticalGridLines = [&] {
        testsupport::RecordingCanvas rec;
        dv->Draw(scratch.canvas, clBlack);
        int n = 0;
        for (const auto& op : rec.Named("LineTo"))
            n += op.Args[0] == op.Args[2] && op.Args[0] != r.Left && op.Args[0] != r.Right;
        return n;
    };
    const int one = verticalGridLines();
    EXPECT_GT(one, 0);
    dv->SetGridXAxisName(QStringLiteral("<all>"));
    EXPECT_EQ(verticalGridLines(), 2 * one);
    dv->SetGridXAxisName(QStringLiteral("X-Axis 1"));
    verticalGridLines();
    chart.GetXAxis(0)->SetName(QStringLiteral("Input"));
    EXPECT_EQ(dv->GridXAxisName(), QStringLiteral("Input"));
    EXPECT_EQ(verticalGridLines(), one);
    dv->SetGridXAxisName(QStringLiteral("nothing"));
    EXPECT_EQ(verticalGridLines(), 0);
}

// OPC without the library.

TEST_F(ChartObjects, OPCManagerKeepsGroupsWithoutTheLibrary)
{
    TcOPCManager m;
    EXPECT_EQ(m.GroupAdd(QStringLiteral("Line1"), QStringLiteral("Local"), QStringLiteral("Srv"), 500), 0);
    EXPECT_EQ(m.GetGroupIndex(QStringLiteral("LINE1")), 0);
    EXPECT_EQ(m.GetGroupIndex(QStringLiteral("Line2")), -1);
    EXPECT_EQ(m.GetGroup(0).Handle, 0);
    m.GetGroup(0).Suspend();
    m.GetGroup(0).SetUpdateRate(250);
    EXPECT_EQ(m.GetGroup(0).UpdateRate, 250);
    QString name = QStringLiteral("unset");
    m.OnAfterGroupUpdate = [&](TcOPCManager*, const QString& n) { name = n; };
    m.AfterGroupUpdate(77);
    EXPECT_EQ(name, QString());
    EXPECT_EQ(ErrorOf([] { TcOPCLibrary::GroupSuspend(1); }), QStringLiteral("Chart OPC DLL Not Found."));
    EXPECT_EQ(ErrorOf([] { TcOPCLibrary::ServerConnectionGetCount(); }),
              QStringLiteral("Chart OPC DLL Not Found."));
    EXPECT_EQ(TcOPCLibrary::ManagerCreated(), 0);
    m.GroupClear();
    EXPECT_EQ(m.GroupCount(), 0);

    TcXYPlot chart;
    TcXYPlotChannel* c = chart.GetChannel(0);
    EXPECT_EQ(c->OPCComputerName(), QStringLiteral("Local"));
    EXPECT_TRUE(c->OPCAutoConnect());
    EXPECT_FALSE(c->HasOPCBinding()) << "auto-connect without the library makes no binding";
    c->SetOPCItemName(QStringLiteral("Tag"));
    c->OPCActivate();
    EXPECT_FALSE(c->OPCActive());
    EXPECT_EQ(c->OPCManager().GroupCount(), 1);
    c->AddXY(1, 2);
    EXPECT_EQ(c->Count(), 1);
}
