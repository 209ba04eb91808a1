// The chart's mouse and keys through recorded events: selection rules, clicks and double clicks,
// the hint with its show and hide delays, keys to the selected objects; the channel's data points
// (hit only in select mode, click, drag, hint placement); limits and annotations (drawing, grabbing,
// dragging, sizing). Every press lands where the object shows in a picture of the chart.
#include "ChartFixture.h"
#include "ChartPixels.h"
#include "ErrorOf.h"
#include "PropertyTableCheck.h"
#include "chart/view/XYPlot.h"
#include "support/DrawnSpots.h"
#include "support/RecordingCanvas.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

using namespace chart;
using namespace charttest;

namespace
{

class Interaction : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        EnsureApp();
        chart = std::make_unique<TcXYPlot>();
        SetUpRecordedChart(*chart, events);
        TcXYPlotChannel* c = chart->GetChannel(0);
        c->SetColor(Yellow);
        c->SetTraceVisible(false);
        c->SetMarkersVisible(true);
        c->SetMarkersStyle(ipmsSquare);
        c->SetMarkersSize(5);
        for (auto [x, y] : {std::pair{20.0, 20.0}, {50.0, 50.0}, {80.0, 80.0}})
            c->AddXY(x, y);
        chart->GetLegend(0)->Font().SetColor(Blue);
        chart->GetLegend(0)->SelectedItemFont().SetColor(Blue);
        chart->GetDataCursor(0)->SetVisible(false);
    }
    TcPlotXAxis* X() { return chart->GetXAxis(0); }
    TcPlotYAxis* Y() { return chart->GetYAxis(0); }
    QImage Grab() { return chart->PaintToImage(); }

    void Mouse(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QMouseEvent e(type, QPointF(p), QPointF(chart->mapToGlobal(p)), button, buttons, mods);
        QApplication::sendEvent(chart.get(), &e);
    }
    void Press(QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        Mouse(QEvent::MouseButtonPress, p, b, b, mods);
    }
    void Release(QPoint p, Qt::MouseButton b = Qt::LeftButton)
    {
        Mouse(QEvent::MouseButtonRelease, p, b, Qt::NoButton);
    }
    void Click(QPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        Press(p, Qt::LeftButton, mods);
        Release(p);
    }
    void DoubleClick(QPoint p)
    {
        Click(p);
        Mouse(QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
        Release(p);
    }
    void Move(QPoint p, Qt::MouseButtons buttons = Qt::NoButton)
    {
        Mouse(QEvent::MouseMove, p, Qt::NoButton, buttons);
    }
    void Drag(QPoint from, QPoint to)
    {
        Press(from);
        Move((from + to) / 2, Qt::LeftButton);
        Move(to, Qt::LeftButton);
        Release(to);
    }
    void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QKeyEvent e(QEvent::KeyPress, key, mods);
        QApplication::sendEvent(chart.get(), &e);
    }
    int Count(TcPlotEventKind kind, const TcPlotObject* o = nullptr) const
    {
        return int(std::count_if(events.begin(), events.end(), [&](const TcPlotEvent& e) {
            return e.Kind == kind && (!o || e.Object == o);
        }));
    }
    const TcPlotEvent* Last(TcPlotEventKind kind) const
    {
        for (auto it = events.rbegin(); it != events.rend(); ++it)
            if (it->Kind == kind)
                return &*it;
        return nullptr;
    }
    // The markers of channel 0 as drawn, left to right.
    std::vector<QPoint> Markers()
    {
        auto spots = testapp::Spots(Grab(), Yellow);
        const QRect view = chart->GetDataView(0)->DrawRect().ToQRect();
        spots.erase(std::remove_if(spots.begin(), spots.end(), [&](QPoint p) { return !view.contains(p); }),
                    spots.end());
        std::sort(spots.begin(), spots.end(), [](QPoint a, QPoint b) { return a.x() < b.x(); });
        return spots;
    }
    // The channel's name in the legend as drawn.
    QPoint LegendEntry()
    {
        const QImage image = Grab();
        const TRect l = chart->GetLegend(0)->DrawRect();
        const Found f = PixelsOf(image, Blue, l.ToQRect());
        EXPECT_FALSE(f.empty()) << "the legend shows the channel's name";
        return f.empty() ? QPoint() : f.points[f.points.size() / 2];
    }

    MetricsScope metrics;
    std::unique_ptr<TcXYPlot> chart;
    std::vector<TcPlotEvent> events;
};

} // namespace

// Selection.

TEST_F(Interaction, ShiftAndCtrlSelectAxesRightPressAndEmptyAreaClearAll)
{
    X()->LabelsFont().SetColor(Green);
    const Found labels = PixelsOf(Grab(), Green, X()->DrawRect().ToQRect());
    ASSERT_FALSE(labels.empty());
    const QPoint onAxis = labels.points.front();
    TcXYPlotChannel* channel = chart->GetChannel(0);

    // Shift-click: selected, and moves are ignored until the release.
    Press(onAxis, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_TRUE(X()->UserSelected());
    const int movesBefore = Count(TcPlotEventKind::MouseMove);
    Move(onAxis + QPoint(30, 0), Qt::LeftButton);
    EXPECT_EQ(Count(TcPlotEventKind::MouseMove), movesBefore);
    EXPECT_EQ(X()->Min(), 0);
    Release(onAxis + QPoint(30, 0));

    // Ctrl toggles an axis, but always selects a channel (on its legend entry).
    Click(onAxis, Qt::ControlModifier);
    EXPECT_FALSE(X()->UserSelected());
    const QPoint entry = LegendEntry();
    Click(entry, Qt::ControlModifier);
    EXPECT_TRUE(channel->UserSelected());
    Click(entry, Qt::ControlModifier);
    EXPECT_TRUE(channel->UserSelected());

    // A right press anywhere clears every selection; so does a click where nothing is.
    Click(onAxis, Qt::ShiftModifier);
    EXPECT_TRUE(X()->UserSelected());
    Press(entry, Qt::RightButton);
    Release(entry, Qt::RightButton);
    EXPECT_FALSE(X()->UserSelected());
    Click(onAxis, Qt::ShiftModifier);
    Click({chart->width() - 2, chart->height() - 2});
    EXPECT_FALSE(X()->UserSelected());
    EXPECT_FALSE(channel->UserSelected());
}

TEST_F(Interaction, DoubleClickOnAChannelFiresDblClickThenTheNextClickFiresClick)
{
    TcXYPlotChannel* channel = chart->GetChannel(0);
    const QPoint entry = LegendEntry();
    DoubleClick(entry);
    EXPECT_EQ(Count(TcPlotEventKind::DblClick, channel), 1);
    EXPECT_EQ(Count(TcPlotEventKind::Click, channel), 1) << "only the first press of the pair clicks";
    events.clear();
    Click(entry);
    EXPECT_EQ(Count(TcPlotEventKind::Click, channel), 1);
    EXPECT_EQ(Count(TcPlotEventKind::DblClick, channel), 0);
    EXPECT_EQ(chart->LastMouseClickObject(), channel);
}

TEST_F(Interaction, ArrowKeysGoToTheSelectedObjectsAndAnXYChannelNeverReportsTheWheel)
{
    TcPlotDataCursor* cursor = chart->GetDataCursor(0);
    cursor->SetVisible(true);
    cursor->SetColor(Magenta);
    cursor->SetUseChannelColor(false);
    cursor->SetHintShow(false);
    const Found pointer = PixelsOf(Grab(), Magenta, chart->GetDataView(0)->DrawRect().ToQRect());
    ASSERT_FALSE(pointer.empty());
    Click(pointer.centre());
    ASSERT_TRUE(cursor->UserSelected());
    const double before = cursor->Pointer1Position();
    Key(Qt::Key_Right);
    EXPECT_GT(cursor->Pointer1Position(), before);

    const QPoint entry = LegendEntry();
    Click(entry);
    TcXYPlotChannel* channel = chart->GetChannel(0);
    ASSERT_TRUE(channel->UserSelected());
    const QPointF at(entry);
    QWheelEvent wheel(at, at, QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(chart.get(), &wheel);
    EXPECT_EQ(Count(TcPlotEventKind::MouseWheel, channel), 0);
}

// Hints, on the fake timer.

TEST_F(Interaction, HintShowsAfterThePauseAndGoesAfterTheHidePauseOrOnAPress)
{
    fw::FakeTimerScope timers;
    chart->SetToolBarSelectMode(true);
    TcXYPlotChannel* channel = chart->GetChannel(0);
    channel->SetShowDataPointHints(true);
    const auto markers = Markers();
    ASSERT_EQ(markers.size(), 3u);

    Move(markers[1]);
    EXPECT_FALSE(chart->Hint().Visible);
    timers.Fake.Advance(499);
    EXPECT_FALSE(chart->Hint().Visible);
    timers.Fake.Advance(1);
    ASSERT_TRUE(chart->Hint().Visible);
    EXPECT_EQ(chart->Hint().Text, QStringLiteral("50, 50"));
    const QImage shown = Grab();
    EXPECT_TRUE(chart->HintShowing());
    const TcHintData& h = chart->Hint();
    EXPECT_FALSE(PixelsOf(shown, fw::clInfoBk, QRect(h.Left, h.Top, h.Width, h.Height)).empty());
    timers.Fake.Advance(2499);
    EXPECT_TRUE(chart->Hint().Visible);
    timers.Fake.Advance(1);
    EXPECT_FALSE(chart->Hint().Visible);

    // Shown again after a move elsewhere and back; a press hides it at once.
    Move({2, 2});
    Move(markers[1]);
    timers.Fake.Advance(500);
    ASSERT_TRUE(chart->Hint().Visible);
    Press(markers[1]);
    EXPECT_FALSE(chart->Hint().Visible);
    Release(markers[1]);

    // An object with an empty hint text hides a shown hint at once.
    Move({2, 2});
    Move(markers[2]);
    timers.Fake.Advance(500);
    ASSERT_TRUE(chart->Hint().Visible);
    channel->SetShowDataPointHints(false);
    Move(markers[2] + QPoint(1, 0));
    EXPECT_FALSE(chart->Hint().Visible);
}

// The channel's data points.

TEST_F(Interaction, DataPointsAreHitOnlyInSelectModeTheLegendEntryAlways)
{
    TcXYPlotChannel* channel = chart->GetChannel(0);
    const auto markers = Markers();
    ASSERT_EQ(markers.size(), 3u);
    Click(markers[0]);
    EXPECT_EQ(Count(TcPlotEventKind::ClickDataPoint), 0);
    EXPECT_FALSE(channel->UserSelected());
    Click(LegendEntry());
    EXPECT_EQ(Count(TcPlotEventKind::Click, channel), 1);
    EXPECT_EQ(Count(TcPlotEventKind::MouseDownDataPoint), 1);
    EXPECT_EQ(Last(TcPlotEventKind::MouseDownDataPoint)->DataIndex, -1) << "the legend entry is no point";

    chart->SetToolBarSelectMode(true);
    events.clear();
    Click(markers[1]);
    ASSERT_EQ(Count(TcPlotEventKind::ClickDataPoint), 1);
    EXPECT_EQ(Last(TcPlotEventKind::ClickDataPoint)->DataIndex, 1);
    EXPECT_EQ(Count(TcPlotEventKind::DataPointMoved), 0) << "a click without movement moves nothing";

    // Overlapping markers: the lowest index wins.
    channel->AddXY(50, 50);
    events.clear();
    Click(markers[1]);
    EXPECT_EQ(Last(TcPlotEventKind::ClickDataPoint)->DataIndex, 1);
}

TEST_F(Interaction, DraggingAPointFollowsTheMouseAlongTheAllowedAxis)
{
    chart->SetToolBarSelectMode(true);
    TcXYPlotChannel* channel = chart->GetChannel(0);
    channel->SetUserCanMoveDataPoints(true);
    channel->SetUserCanMoveDataPointsStyle(ipcdpmsYOnly);
    const auto markers = Markers();
    ASSERT_EQ(markers.size(), 3u);
    const QPoint to = markers[1] + QPoint(40, -Y()->PositionToPixels(50) + Y()->PositionToPixels(70));
    Drag(markers[1], to);
    EXPECT_EQ(channel->GetPointX(1), 50);
    EXPECT_NEAR(channel->GetPointY(1), 70, 1.0);
    const TcPlotEvent* moved = Last(TcPlotEventKind::DataPointMoved);
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(moved->DataIndex, 1);
    EXPECT_EQ(moved->Values[0], 50);
    EXPECT_EQ(moved->Values[1], 50);
    EXPECT_EQ(moved->Values[2], 50) << "X stays";
    EXPECT_EQ(moved->Values[3], channel->GetPointY(1));
}

TEST_F(Interaction, PointHintSitsAboveBelowNearTheTopAndRightNearTheLeftEdge)
{
    chart->SetToolBarSelectMode(true);
    TcXYPlotChannel* channel = chart->GetChannel(0);
    channel->SetShowDataPointHints(true);
    channel->Clear();
    for (auto [x, y] : {std::pair{50.0, 50.0}, {60.0, 99.0}, {1.0, 40.0}})
        channel->AddXY(x, y);
    auto spots = testapp::Spots(Grab(), Yellow);
    auto at = [&](int x, int y) {
        const QPoint want(X()->PositionToPixels(x), Y()->PositionToPixels(y));
        return *std::min_element(spots.begin(), spots.end(), [&](QPoint a, QPoint b) {
            return (a - want).manhattanLength() < (b - want).manhattanLength();
        });
    };
    struct Case {
        const char* name;
        QPoint point;
        bool above, below, right;
    } cases[] = {
        {"in the middle: above", at(50, 50), true, false, false},
        {"near the top: below", at(60, 99), false, true, false},
        {"near the left edge: right of it", at(1, 40), false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        events.clear();
        Move(c.point);
        const TcHintData h = chart->Hint();
        EXPECT_FALSE(h.Text.isEmpty());
        if (c.above) {
            EXPECT_LT(h.Top + h.Height, c.point.y());
        }
        if (c.below) {
            EXPECT_GT(h.Top, c.point.y());
        }
        if (c.right) {
            EXPECT_GT(h.Left, c.point.x());
        }
        Move({2, 2});
    }
    // Without point hints nothing shows, but the move over a point is still reported.
    channel->SetShowDataPointHints(false);
    events.clear();
    Move(at(50, 50));
    EXPECT_TRUE(chart->Hint().Text.isEmpty());
    EXPECT_GE(Count(TcPlotEventKind::MouseMoveDataPoint), 1);
    EXPECT_EQ(Last(TcPlotEventKind::MouseMoveDataPoint)->DataIndex, 0);
}

// Input failures.

TEST_F(Interaction, AFailingHandlerLeavesNoPressBehind)
{
    TcXYPlotChannel* channel = chart->GetChannel(0);
    int clicks = 0;
    chart->OnPlotEvent = [&](TcPlotEvent& e) {
        if (e.Kind == TcPlotEventKind::Click && e.Object == channel) {
            ++clicks;
            throw std::runtime_error("handler failed");
        }
    };
    const QPoint entry = LegendEntry();
    EXPECT_NO_THROW(Click(entry));
    EXPECT_NO_THROW(Click(entry));
    EXPECT_EQ(clicks, 2) << "the second click is a new press, not a stale one";
    chart->SetToolBarSelectMode(true);
    channel->SetUserCanMoveDataPoints(true);
    const auto markers = Markers();
    EXPECT_NO_THROW(Move(markers[2] + QPoint(0, -30)));
    EXPECT_EQ(channel->GetPointY(2), 80) << "hovering after a failed release drags nothing";
}

TEST_F(Interaction, LeavingTheChartHidesTheHintAndAToolbarButtonHintShows)
{
    fw::FakeTimerScope timers;
    chart->SetToolBarSelectMode(true);
    chart->GetChannel(0)->SetShowDataPointHints(true);
    const auto markers = Markers();
    ASSERT_FALSE(markers.empty());
    Move(markers[0]);
    timers.Fake.Advance(500);
    ASSERT_TRUE(chart->Hint().Visible);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(chart.get(), &leave);
    EXPECT_FALSE(chart->Hint().Visible);

    // The first toolbar button as drawn: the toolbar's row of pictures at its left end.
    const TRect bar = chart->GetToolBar(0)->DrawRect();
    TcPlotToolBarButton* first = nullptr;
    for (int i = 0; i < chart->GetToolBar(0)->ButtonCount() && !first; ++i)
        if (chart->GetToolBar(0)->Button(i)->Visible() &&
            chart->GetToolBar(0)->Button(i)->Style() == iptbbsButton)
            first = chart->GetToolBar(0)->Button(i);
    ASSERT_NE(first, nullptr);
    const QImage image = Grab();
    const QRgb face = image.pixel(bar.Left + 1, (bar.Top + bar.Bottom) / 2);
    QPoint inside;
    for (int x = bar.Left + 2; x < bar.Right && inside.isNull(); ++x)
        if (image.pixel(x, (bar.Top + bar.Bottom) / 2) != face)
            inside = {x + 2, (bar.Top + bar.Bottom) / 2};
    ASSERT_FALSE(inside.isNull());
    // The first move over another object drops the old hint; the next one starts the pause.
    Move(inside);
    Move(inside + QPoint(1, 0));
    timers.Fake.Advance(500);
    EXPECT_TRUE(chart->Hint().Visible);
    EXPECT_EQ(chart->Hint().Text, first->Hint());
}
