// Limits and annotations on an XY chart: what each style draws (through the recording canvas and in
// the picture), grabbing and dragging with the mouse where they show, their events, and their
// property tables.
#include "ChartFixture.h"
#include "ChartPixels.h"
#include "ErrorOf.h"
#include "PropertyTableCheck.h"
#include "chart/view/XYPlot.h"
#include "support/DrawnSpots.h"
#include "support/RecordingCanvas.h"

#include <QApplication>
#include <QMouseEvent>
#include <deque>
#include <gtest/gtest.h>
#include <memory>

using namespace chart;
using namespace charttest;

namespace
{

QRect BoxOf(const QImage& image, fw::TColor colour)
{
    return PixelsOf(image, colour).box;
}

class Marks : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        EnsureApp();
        chart = std::make_unique<TcXYPlot>();
        SetUpRecordedChart(*chart, events);
        chart->GetChannel(0)->SetColor(0x808080);
        chart->GetDataCursor(0)->SetVisible(false);
        chart->GetLegend(0)->SetVisible(false);
    }
    TcPlotXAxis* X() { return chart->GetXAxis(0); }
    TcPlotYAxis* Y() { return chart->GetYAxis(0); }
    QImage Grab() { return chart->PaintToImage(); }
    void Mouse(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent e(type, QPointF(p), QPointF(chart->mapToGlobal(p)), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(chart.get(), &e);
    }
    void Drag(QPoint from, QPoint to)
    {
        Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        Mouse(QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
        Mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    }
    void Click(QPoint p) { Drag(p, p); }
    int Count(TcPlotEventKind kind) const
    {
        return int(std::count_if(events.begin(), events.end(),
                                 [&](const TcPlotEvent& e) { return e.Kind == kind; }));
    }
    const TcPlotEvent* Last(TcPlotEventKind kind) const
    {
        for (auto it = events.rbegin(); it != events.rend(); ++it)
            if (it->Kind == kind)
                return &*it;
        return nullptr;
    }
    TcPlotLimit* NewLimit() { return chart->GetLimit(chart->AddLimit()); }
    TcPlotAnnotation* NewAnnotation() { return chart->GetAnnotation(chart->AddAnnotation()); }

    MetricsScope metrics;
    std::unique_ptr<TcXYPlot> chart;
    std::vector<TcPlotEvent> events;
};

} // namespace

// Limits.

TEST_F(Marks, NewLimitIsARedLineAtFiftyAcrossTheXAxis)
{
    TcPlotLimit* limit = NewLimit();
    EXPECT_EQ(limit->XAxisName(), X()->Name());
    EXPECT_EQ(limit->YAxisName(), Y()->Name());
    const QRect box = BoxOf(Grab(), Red);
    ASSERT_FALSE(box.isNull());
    EXPECT_LE(std::abs(box.center().y() - Y()->PositionToPixels(50)), 1);
    EXPECT_LE(box.height(), 2);
    EXPECT_LE(std::abs(box.left() - X()->MinPixels()), 1);
    EXPECT_LE(std::abs(box.right() - X()->MaxPixels()), 1);
    EXPECT_FALSE(limit->DrawsFilledArea());
}

TEST_F(Marks, LimitStylesDrawTable)
{
    struct Case {
        const char* name;
        TcPlotLimitStyle style;
        fw::TBrushStyle fill;
        double line1, line2;
        bool clip;
        int rectangles, edgeLines, edgeWidth;
        bool filledArea;
    } cases[] = {
        {"line X off its axis draws nothing", iplsLineX, fw::bsSolid, 150, 50, false, 0, 0, 0, false},
        {"clear band: two lines of LineWidth", iplsBandY, fw::bsClear, 30, 60, false, 0, 2, 3, false},
        {"solid band: one rectangle in width 1", iplsBandY, fw::bsSolid, 30, 60, false, 1, 0, 0, true},
        {"hatched band: rectangle, then edges in width 1", iplsBandY, fw::bsCross, 30, 60, false, 1, 2, 1,
         true},
        {"band off both axis ends still draws", iplsBandX, fw::bsSolid, -50, 150, false, 1, 0, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        chart->RemoveAllLimits();
        TcPlotLimit* limit = NewLimit();
        limit->SetStyle(c.style);
        limit->SetFillStyle(c.fill);
        limit->SetLineWidth(3);
        limit->SetLine1Position(c.line1);
        limit->SetLine2Position(c.line2);
        testsupport::RecordingCanvas rec;
        Grab();
        int rectangles = 0, edges = 0, width = 0;
        for (const auto& op : rec.Ops) {
            if (op.Pen.Color != Red && op.Brush.Color != Red)
                continue;
            if (std::string(op.Name) == "Rectangle") {
                ++rectangles;
                if (c.fill == fw::bsSolid) {
                    EXPECT_EQ(op.Pen.Width, 1);
                }
            } else if (std::string(op.Name) == "LineTo" && op.Pen.Color == Red) {
                ++edges;
                width = op.Pen.Width;
            }
        }
        EXPECT_EQ(rectangles, c.rectangles);
        EXPECT_EQ(edges, c.edgeLines);
        if (c.edgeLines) {
            EXPECT_EQ(width, c.edgeWidth);
        }
        EXPECT_EQ(limit->DrawsFilledArea(), c.filledArea);
        EXPECT_EQ(limit->LineShown(0), c.line1 >= 0 && c.line1 <= 100);
    }
}

TEST_F(Marks, PolyBandSkipsPairsBelowTheAxisAndStopsAboveIt)
{
    struct Case {
        const char* name;
        double min, span;
        int quads;
    } cases[] = {{"axis 15 .. 100: the pair 10-20 only", 15, 85, 1},
                 {"axis -100 .. 5: the pair 0-10 only", -100, 105, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        chart->RemoveAllLimits();
        X()->SetMinSpan(c.min, c.span);
        TcPlotLimit* limit = NewLimit();
        limit->SetStyle(iplsPolyBandY);
        for (double p : {0.0, 10.0, 20.0})
            limit->AddBandElement(p, 60, 40);
        testsupport::RecordingCanvas rec;
        Grab();
        int quads = 0;
        for (const auto& op : rec.Named("Polygon"))
            quads += op.Brush.Color == Red;
        EXPECT_EQ(quads, c.quads);
        EXPECT_TRUE(limit->DrawsFilledArea());
    }
    TcPlotLimit* limit = chart->GetLimit(0);
    const int before = limit->ElementCount();
    EXPECT_EQ(ErrorOf([&] { limit->AddBandElement(5, 1, 2); }),
              "the Upper Limit must be greater than or equal to the Lower Limit");
    EXPECT_EQ(limit->ElementCount(), before);
}

TEST_F(Marks, BandEdgeIsDraggedOnlyInSelectModeAndReportsOldAndNew)
{
    TcPlotLimit* limit = NewLimit();
    limit->SetStyle(iplsBandX);
    limit->SetFillStyle(fw::bsClear);
    limit->SetLine1Position(20);
    limit->SetLine2Position(70);
    limit->SetUserCanMove(true);
    const QRect box = BoxOf(Grab(), Red);
    ASSERT_FALSE(box.isNull());
    const QPoint edge1(box.left(), box.center().y());
    const QPoint to(X()->PositionToPixels(30), edge1.y());

    Drag(edge1, to);
    EXPECT_EQ(limit->Line1Position(), 20) << "select mode is off";

    chart->SetToolBarSelectMode(true);
    Drag(edge1, to);
    EXPECT_NEAR(limit->Line1Position(), 30, 0.5);
    const TcPlotEvent* e = Last(TcPlotEventKind::LimitLine1PositionChange);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->Values[1], limit->Line1Position()) << "the new value";
    EXPECT_NE(e->Values[0], e->Values[1]) << "the old value";
    EXPECT_EQ(e->Index, 0);
    EXPECT_EQ(Count(TcPlotEventKind::Click), 1);

    // A dragged line stays on its axis, and an edge off the axis cannot be grabbed.
    Grab();
    Drag(QPoint(X()->PositionToPixels(limit->Line1Position()), edge1.y()), QPoint(2, edge1.y()));
    EXPECT_EQ(limit->Line1Position(), X()->Min());
    limit->SetLine2Position(500);
    Grab();
    EXPECT_FALSE(limit->LineShown(1));
    EXPECT_EQ(limit->GetMouseCursor({}), -21);
}

TEST_F(Marks, LimitFollowsAxisRenamesAndRepaintsOnNameChanges)
{
    TcPlotLimit* limit = NewLimit();
    Grab();
    X()->SetName(QStringLiteral("Frequency"));
    EXPECT_EQ(limit->XAxisName(), QStringLiteral("Frequency"));
    bool repainted = false;
    chart->OnAfterPaint = [&](TcPlotComponent*) { repainted = true; };
    limit->SetYAxisName(QStringLiteral("nothing"));
    chart->PaintToImage();
    EXPECT_TRUE(repainted);
    EXPECT_FALSE(limit->LineShown(0)) << "no axis of that name: not drawn";
}

// Annotations.

TEST_F(Marks, AddAnnotationTakesTheChartDefaultsOnce)
{
    chart->SetAnnotationDefaultPenColor(Green);
    chart->SetAnnotationDefaultReference(iprtXChannelYDataView);
    chart->AnnotationDefaultFont().SetColor(Magenta);
    TcPlotAnnotation* a = NewAnnotation();
    EXPECT_EQ(a->PenColor(), Green);
    EXPECT_EQ(a->Reference(), iprtXChannelYDataView);
    EXPECT_EQ(a->Font().Color(), Magenta);
    EXPECT_EQ(a->PenWidth(), 1);
    chart->SetAnnotationDefaultPenColor(Red);
    EXPECT_EQ(a->PenColor(), Green);
}

TEST_F(Marks, TextAtFiftyFiftyIsCentredInTheDataView)
{
    fw::SetTextMetrics(nullptr); // the text is placed by what it measures as drawn
    TcPlotAnnotation* a = NewAnnotation();
    a->SetText(QStringLiteral("MMMM"));
    a->Font().SetColor(Green);
    a->SetX(50);
    a->SetY(50);
    const QRect box = BoxOf(Grab(), Green);
    ASSERT_FALSE(box.isNull());
    const TRect d = chart->GetDataView(0)->DrawRect();
    EXPECT_LE(std::abs(box.center().x() - (d.Left + d.Right) / 2), 2);
    EXPECT_LE(std::abs(box.center().y() - (d.Top + d.Bottom) / 2), 3);
}

TEST_F(Marks, XChannelYDataViewTakesXFromTheAxisAndYInPercent)
{
    TcPlotAnnotation* a = NewAnnotation();
    a->SetReference(iprtXChannelYDataView);
    a->SetChannelName(chart->GetChannel(0)->Name());
    a->SetStyle(ipasRectangle);
    a->SetBrushStyle(fw::bsClear);
    a->SetPenColor(Green);
    X()->SetMinSpan(0, 1000);
    a->SetX(500);
    a->SetWidth(200);
    a->SetY(50);
    a->SetHeight(50);
    const QRect box = BoxOf(Grab(), Green);
    ASSERT_FALSE(box.isNull());
    const TRect d = chart->GetDataView(0)->DrawRect();
    EXPECT_LE(std::abs(box.left() - X()->PositionToPixels(400)), 1);
    EXPECT_LE(std::abs(box.right() - X()->PositionToPixels(600)), 1);
    EXPECT_LE(std::abs(box.height() - d.Height() / 2), 2);
}

TEST_F(Marks, MovingAndSizingWhereTheAnnotationShows)
{
    chart->SetToolBarSelectMode(true);
    TcPlotAnnotation* a = NewAnnotation();
    a->SetStyle(ipasRectangle2);
    a->SetUserCanMove(true);
    a->SetPenColor(Green);
    a->SetBrushColor(Green);
    a->SetX(20);
    a->SetY(20);
    a->SetX2(40);
    a->SetY2(50);
    QRect box = BoxOf(Grab(), Green);
    ASSERT_FALSE(box.isNull());
    Drag(box.center(), box.center() + QPoint(X()->PositionToPixels(30) - X()->PositionToPixels(20), 0));
    EXPECT_NEAR(a->X(), 30, 0.5);
    EXPECT_NEAR(a->X2() - a->X(), 20, 1e-9) << "a move keeps the size";
    EXPECT_NEAR(a->Y2() - a->Y(), 30, 1e-9);
    EXPECT_EQ(Count(TcPlotEventKind::AnnotationMoveUser), 2);
    EXPECT_EQ(Count(TcPlotEventKind::AnnotationCoordinatesChangeFinished), 1);

    // A centred rectangle resized by its bottom-right handle keeps its top-left corner.
    TcPlotAnnotation* r = NewAnnotation();
    r->SetStyle(ipasRectangle);
    r->SetUserCanSize(true);
    r->SetPenColor(Magenta);
    r->SetBrushColor(Magenta);
    r->SetX(70);
    r->SetY(50);
    r->SetWidth(20);
    r->SetHeight(20);
    box = BoxOf(Grab(), Magenta);
    ASSERT_FALSE(box.isNull());
    Click(box.center());
    ASSERT_TRUE(r->UserSelected());
    box = BoxOf(Grab(), Magenta);
    const QPoint corner = box.bottomRight();
    EXPECT_EQ(r->GetMouseCursor({corner.x(), corner.y()}), -8);
    const double left = r->X() - r->Width() / 2, top = r->Y() + r->Height() / 2;
    Drag(corner, corner + QPoint(20, 20));
    EXPECT_NEAR(r->X() - r->Width() / 2, left, 0.5);
    EXPECT_NEAR(r->Y() + r->Height() / 2, top, 0.5);
    EXPECT_NEAR(r->X(), 70 + (X()->PixelsToPosition(corner.x() + 20) - X()->PixelsToPosition(corner.x())) / 2,
                0.5);
    EXPECT_EQ(Count(TcPlotEventKind::AnnotationResizeUser), 2);
}

TEST_F(Marks, LinesAndAnnotationsOutsideSelectModeIgnoreTheMouse)
{
    TcPlotAnnotation* line = NewAnnotation();
    line->SetStyle(ipasLine);
    line->SetPenColor(Green);
    line->SetPenWidth(5);
    line->SetX(10);
    line->SetY(50);
    line->SetX2(90);
    line->SetY2(50);
    line->SetUserCanMove(true);
    chart->SetToolBarSelectMode(true);
    const QRect box = BoxOf(Grab(), Green);
    ASSERT_FALSE(box.isNull());
    Click(box.center());
    EXPECT_FALSE(line->UserSelected()) << "a line annotation is never hit";
    EXPECT_FALSE(line->Showing());

    line->SetStyle(ipasRectangle2);
    line->SetY2(60);
    chart->RemoveAllToolBars();
    const QRect rect = BoxOf(Grab(), Green);
    events.clear();
    Click(rect.center());
    EXPECT_FALSE(line->UserSelected()) << "no toolbar: no select mode";
    EXPECT_TRUE(
        std::none_of(events.begin(), events.end(), [&](const TcPlotEvent& e) { return e.Object == line; }));
}

// Property tables.

TEST(MarkTables, LimitAndAnnotation)
{
    EnsureApp();
    Host host;
    std::deque<std::unique_ptr<fw::TPersistent>> made;
    const TcObjectHandler none = [](TcPersistent*) {};
    auto make = [&](auto* tag) -> fw::TPersistent* {
        using T = std::remove_pointer_t<decltype(tag)>;
        made.push_back(std::make_unique<T>(&host, TcPlotHandlers{none, none, none, none}));
        return made.back().get();
    };
    auto limit = [&] { return make(static_cast<TcPlotLimit*>(nullptr)); };
    auto L = [](auto f) { return [f](fw::TPersistent& o) { f(static_cast<TcPlotLimit&>(o)); }; };
    CheckPropertyTable(
        limit,
        {
            {"Name", "", "Limit 9", L([](TcPlotLimit& o) { o.SetName("Limit 9"); })},
            {"Visible", "True", "False", L([](TcPlotLimit& o) { o.SetVisible(false); })},
            {"Enabled", "True", "False", L([](TcPlotLimit& o) { o.SetEnabled(false); })},
            {"Layer", "100", "5", L([](TcPlotLimit& o) { o.SetLayer(5); })},
            {"PopupEnabled", "True", "False", L([](TcPlotLimit& o) { o.SetPopupEnabled(false); })},
            {"CanFocus", "True", "False", L([](TcPlotLimit& o) { o.SetCanFocus(false); })},
            {"Color", "$0000FF", "$00FF00", L([](TcPlotLimit& o) { o.SetColor(0x00FF00); })},
            {"LineStyle", "psSolid", "psDot", L([](TcPlotLimit& o) { o.SetLineStyle(fw::psDot); })},
            {"LineWidth", "0", "3", L([](TcPlotLimit& o) { o.SetLineWidth(3); })},
            {"FillStyle", "bsSolid", "bsClear", L([](TcPlotLimit& o) { o.SetFillStyle(fw::bsClear); })},
            {"XAxisName", "", "X", L([](TcPlotLimit& o) { o.SetXAxisName("X"); })},
            {"YAxisName", "", "Y", L([](TcPlotLimit& o) { o.SetYAxisName("Y"); })},
            {"Style", "iplsLineY", "iplsBandX", L([](TcPlotLimit& o) { o.SetStyle(iplsBandX); })},
            {"Line1Position", "50", "12.5", L([](TcPlotLimit& o) { o.SetLine1Position(12.5); })},
            {"Line2Position", "50", "-3", L([](TcPlotLimit& o) { o.SetLine2Position(-3); })},
            {"UserCanMove", "False", "True", L([](TcPlotLimit& o) { o.SetUserCanMove(true); })},
            {"SelectModeOnlyInteraction", "True", "False",
             L([](TcPlotLimit& o) { o.SetSelectModeOnlyInteraction(false); })},
            {"ClipToAxes", "False", "True", L([](TcPlotLimit& o) { o.SetClipToAxes(true); })},
        });

    auto annotation = [&] { return make(static_cast<TcPlotAnnotation*>(nullptr)); };
    auto A = [](auto f) { return [f](fw::TPersistent& o) { f(static_cast<TcPlotAnnotation&>(o)); }; };
    CheckPropertyTable(
        annotation,
        {
            {"Name", "", "Note", A([](TcPlotAnnotation& o) { o.SetName("Note"); })},
            {"Visible", "True", "False", A([](TcPlotAnnotation& o) { o.SetVisible(false); })},
            {"Enabled", "True", "False", A([](TcPlotAnnotation& o) { o.SetEnabled(false); })},
            {"Layer", "100", "5", A([](TcPlotAnnotation& o) { o.SetLayer(5); })},
            {"PopupEnabled", "True", "False", A([](TcPlotAnnotation& o) { o.SetPopupEnabled(false); })},
            {"CanFocus", "True", "False", A([](TcPlotAnnotation& o) { o.SetCanFocus(false); })},
            {"Style", "ipasText", "ipasPolygon", A([](TcPlotAnnotation& o) { o.SetStyle(ipasPolygon); })},
            {"Reference", "iprtDataView", "iprtChannel",
             A([](TcPlotAnnotation& o) { o.SetReference(iprtChannel); })},
            {"ReferencePositionX", "ipriAuto", "ipriChannel",
             A([](TcPlotAnnotation& o) { o.SetReferenceOf<0>(ipriChannel); })},
            {"ReferencePositionY", "ipriAuto", "ipriDataView",
             A([](TcPlotAnnotation& o) { o.SetReferenceOf<1>(ipriDataView); })},
            {"ReferenceSizeX", "ipriAuto", "ipriChannel",
             A([](TcPlotAnnotation& o) { o.SetReferenceOf<2>(ipriChannel); })},
            {"ReferenceSizeY", "ipriAuto", "ipriChannel",
             A([](TcPlotAnnotation& o) { o.SetReferenceOf<3>(ipriChannel); })},
            {"X", "0", "1.5", A([](TcPlotAnnotation& o) { o.SetX(1.5); })},
            {"Y", "0", "2.5", A([](TcPlotAnnotation& o) { o.SetY(2.5); })},
            {"X2", "0", "3", A([](TcPlotAnnotation& o) { o.SetX2(3); })},
            {"Y2", "0", "4", A([](TcPlotAnnotation& o) { o.SetY2(4); })},
            {"Width", "0", "5", A([](TcPlotAnnotation& o) { o.SetWidth(5); })},
            {"Height", "0", "6", A([](TcPlotAnnotation& o) { o.SetHeight(6); })},
            {"PenColor", "$FFFFFF", "$0000FF", A([](TcPlotAnnotation& o) { o.SetPenColor(0x0000FF); })},
            {"PenStyle", "psSolid", "psDash", A([](TcPlotAnnotation& o) { o.SetPenStyle(fw::psDash); })},
            {"PenWidth", "0", "2", A([](TcPlotAnnotation& o) { o.SetPenWidth(2); })},
            {"BrushColor", "$FFFFFF", "$00FF00", A([](TcPlotAnnotation& o) { o.SetBrushColor(0x00FF00); })},
            {"BrushStyle", "bsSolid", "bsClear",
             A([](TcPlotAnnotation& o) { o.SetBrushStyle(fw::bsClear); })},
            {"Text", "", "Peak", A([](TcPlotAnnotation& o) { o.SetText("Peak"); })},
            {"TextRotation", "ira000", "ira090", A([](TcPlotAnnotation& o) { o.SetTextRotation(ira090); })},
            {"TextHorzAlignment", "iahCenter", "iahLeft",
             A([](TcPlotAnnotation& o) { o.SetTextHorzAlignment(iahLeft); })},
            {"TextVertAlignment", "iavCenter", "iavTop",
             A([](TcPlotAnnotation& o) { o.SetTextVertAlignment(iavTop); })},
            {"TextLineAlignment", "iahCenter", "iahRight",
             A([](TcPlotAnnotation& o) { o.SetTextLineAlignment(iahRight); })},
            {"TextHorzMargin", "1", "2", A([](TcPlotAnnotation& o) { o.SetTextHorzMargin(2); })},
            {"TextVertMargin", "1", "0.5", A([](TcPlotAnnotation& o) { o.SetTextVertMargin(0.5); })},
            {"Font", "Color=$FFFFFF", "Color=255", A([](TcPlotAnnotation& o) { o.Font().SetColor(255); })},
            {"OuterMargin", "0", "4", A([](TcPlotAnnotation& o) { o.SetOuterMargin(4); })},
            {"ImageListIndex", "0", "2", A([](TcPlotAnnotation& o) { o.SetImageListIndex(2); })},
            {"ImageIndex", "0", "3", A([](TcPlotAnnotation& o) { o.SetImageIndex(3); })},
            {"ChannelName", "", "Channel 1", A([](TcPlotAnnotation& o) { o.SetChannelName("Channel 1"); })},
            {"UserCanMove", "False", "True", A([](TcPlotAnnotation& o) { o.SetUserCanMove(true); })},
            {"UserCanSize", "False", "True", A([](TcPlotAnnotation& o) { o.SetUserCanSize(true); })},
            {"SelectModeOnlyInteraction", "True", "False",
             A([](TcPlotAnnotation& o) { o.SetSelectModeOnlyInteraction(false); })},
            {"ClipToAxes", "False", "True", A([](TcPlotAnnotation& o) { o.SetClipToAxes(true); })},
            {"ShowFocusRect", "True", "False", A([](TcPlotAnnotation& o) { o.SetShowFocusRect(false); })},
        });
}

TEST_F(Marks, MouseCursorOverALimitFollowsStyleSwapAndTheChartsEvent)
{
    chart->SetToolBarSelectMode(true);
    TcPlotLimit* limit = NewLimit();
    limit->SetFillStyle(fw::bsClear);
    limit->SetLine1Position(30);
    limit->SetLine2Position(70);
    struct Case {
        const char* name;
        TcPlotLimitStyle style;
        bool canMove, swapped;
        int cursor;
    } cases[] = {
        {"fixed line: default", iplsLineY, false, false, 0},
        {"movable line: hand", iplsLineY, true, false, -21},
        {"band X: west-east", iplsBandX, true, false, -9},
        {"band Y: north-south", iplsBandY, true, false, -7},
        {"band X, axes swapped: north-south", iplsBandX, true, true, -7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        limit->SetStyle(c.style);
        limit->SetUserCanMove(c.canMove);
        chart->SetXYAxesReverse(c.swapped);
        const QRect box = BoxOf(Grab(), Red);
        ASSERT_FALSE(box.isNull());
        const QPoint on = box.width() > box.height() ? QPoint(box.center().x(), box.top())
                                                     : QPoint(box.left(), box.center().y());
        Mouse(QEvent::MouseMove, on, Qt::NoButton, Qt::NoButton);
        EXPECT_EQ(chart->MouseCursorId(), c.cursor);
        Mouse(QEvent::MouseMove, {chart->width() - 2, chart->height() - 2}, Qt::NoButton, Qt::NoButton);
        EXPECT_EQ(chart->MouseCursorId(), 0);
    }
    chart->OnPlotEvent = [&](TcPlotEvent& e) {
        if (e.Kind == TcPlotEventKind::GetMouseCursor && e.Object == limit)
            e.MouseCursor = -3;
    };
    const QRect box = BoxOf(Grab(), Red);
    Mouse(QEvent::MouseMove, {box.center().x(), box.top()}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(chart->MouseCursorId(), -3);
    EXPECT_EQ(chart->cursor().shape(), Qt::CrossCursor);
}

TEST_F(Marks, SwappedAxesTurnFullLinesAndPositions)
{
    TcPlotAnnotation* a = NewAnnotation();
    a->SetStyle(ipasLineX);
    a->SetPenColor(Green);
    a->SetX(30);
    const TRect d = chart->GetDataView(0)->DrawRect();
    QRect box = BoxOf(Grab(), Green);
    ASSERT_FALSE(box.isNull());
    EXPECT_LE(box.width(), 2) << "upright without the swap";
    EXPECT_GE(box.height(), d.Height() - 1);
    chart->SetXYAxesReverse(true);
    box = BoxOf(Grab(), Green);
    ASSERT_FALSE(box.isNull());
    EXPECT_LE(box.height(), 2) << "across with the swap";
    const TRect dv = chart->GetDataView(0)->DrawRect();
    EXPECT_LE(std::abs(box.center().y() - (dv.Bottom - (dv.Bottom - dv.Top) * 30 / 100)), 2);
}

TEST_F(Marks, MissingReferencesAndTooFewVerticesDrawNothing)
{
    struct Case {
        const char* name;
        std::function<void(TcPlotAnnotation&)> set;
    } cases[] = {
        {"channel reference without a channel", [](TcPlotAnnotation& a) { a.SetReference(iprtChannel); }},
        {"channel of an unknown name",
         [](TcPlotAnnotation& a) {
             a.SetReference(iprtChannel);
             a.SetChannelName(QStringLiteral("nowhere"));
         }},
        {"polygon of one vertex",
         [](TcPlotAnnotation& a) {
             a.SetStyle(ipasPolygon);
             a.PolyPointAdd(50, 50);
         }},
        {"image from an empty image list",
         [](TcPlotAnnotation& a) {
             a.SetStyle(ipasImage);
             a.SetImageListIndex(1);
         }},
        {"image index past the list",
         [](TcPlotAnnotation& a) {
             a.SetStyle(ipasImage);
             a.SetImageIndex(5);
         }},
    };
    // A green square on a black ground (the bottom-left colour is the list's transparent one).
    QImage picture(24, 24, QImage::Format_RGB32);
    picture.fill(Qt::black);
    for (int y = 2; y < 22; ++y)
        for (int x = 2; x < 22; ++x)
            picture.setPixel(x, y, qRgb(0, 255, 0));
    ASSERT_TRUE(chart->ImageListAdd(0, picture));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        chart->RemoveAllAnnotations();
        TcPlotAnnotation* a = NewAnnotation();
        a->SetStyle(ipasRectangle);
        a->SetX(50);
        a->SetY(50);
        a->SetWidth(20);
        a->SetHeight(20);
        a->SetPenColor(Green);
        a->SetBrushColor(Green);
        c.set(*a);
        EXPECT_TRUE(BoxOf(Grab(), Green).isNull());
        EXPECT_FALSE(a->Showing());
    }
    // The same image list entry where it exists is drawn centred on the anchor.
    chart->RemoveAllAnnotations();
    TcPlotAnnotation* a = NewAnnotation();
    a->SetStyle(ipasImage);
    a->SetX(50);
    a->SetY(50);
    const QRect box = BoxOf(Grab(), Green);
    ASSERT_FALSE(box.isNull());
    EXPECT_EQ(box.size(), QSize(20, 20));
    EXPECT_TRUE(a->Showing());
}
