// The layout viewer: the miniature it draws of a chart's bands, and the mouse gestures that move
// objects between bands, merge and swap them and drag their edges. Every pointer position is taken
// from the blocks as they were drawn (the recorded rectangles and their names), never from the
// viewer's own hit test.
#include "chart/editor/LayoutViewer.h"
#include "ChartFixture.h"
#include "ChartPixels.h"
#include "chart/objects/PlotLabel.h"
#include "chart/objects/PlotLegend.h"
#include "support/RecordingCanvas.h"

#include <QMouseEvent>
#include <gtest/gtest.h>

#include <map>

using namespace chart;
using namespace charttest;

namespace
{

// A drawn rectangle with exclusive right and bottom edges, as the canvas took it.
struct Box {
    int L = 0, T = 0, R = 0, B = 0;
    int W() const { return R - L; }
    int H() const { return B - T; }
    QPoint Centre() const { return {(L + R) / 2, (T + B) / 2}; }
    bool operator==(const Box&) const = default;
};

struct DrawnBlock {
    Box Rect;
    TColor Colour = 0;
    fw::TBrushStyle Style = fw::bsSolid;
};

// What one paint of the viewer drew: the named blocks and the drop frames.
struct Drawn {
    std::map<QString, DrawnBlock> Blocks;
    std::vector<Box> Frames;
    QImage Image;
    const Box& operator[](const QString& name) const { return Blocks.at(name).Rect; }
};

Box BoxOf(const fw::TCanvasOp& op)
{
    return {op.Args[0], op.Args[1], op.Args[2], op.Args[3]};
}

class LayoutViewerTest : public ::testing::Test
{
  public:
    void SetUp() override
    {
        Viewer.SetBounds(0, 0, 568, 244);
        Viewer.ShowLayoutOf(&M());
        Viewer.OnChange = [this](TcPlotLayoutViewer*) { ++Changes; };
    }

    TcPlotMasterManager& M() { return host->Master(); }
    // A fresh chart in the viewer.
    void Fresh()
    {
        Viewer.ShowLayoutOf(nullptr);
        host = std::make_unique<Host>();
        Viewer.ShowLayoutOf(&M());
        Changes = 0;
    }
    TcPlotXAxis* AddX() { return M().XAxisManager()->GetItem(M().AddXAxis()); }
    TcPlotYAxis* AddY() { return M().YAxisManager()->GetItem(M().AddYAxis()); }
    TcPlotLabel* AddLabel() { return M().LabelManager()->GetItem(M().AddLabel()); }
    TcPlotLegend* AddLegend() { return M().LegendManager()->GetItem(M().AddLegend()); }

    Drawn Look()
    {
        testsupport::RecordingCanvas rec;
        Drawn d;
        d.Image = Viewer.PaintToImage();
        const fw::TCanvasOp* block = nullptr;
        for (const auto& op : rec.Ops) {
            const std::string name = op.Name;
            if (name == "Rectangle" && op.Pen.Style == fw::psClear)
                block = &op;
            else if (name == "Rectangle" && op.Pen.Width == 2 && op.Brush.Style == fw::bsClear)
                d.Frames.push_back(BoxOf(op));
            else if (name == "DrawText" && block) {
                d.Blocks[op.Text] = {BoxOf(*block), block->Brush.Color, block->Brush.Style};
                block = nullptr;
            }
        }
        return d;
    }

    void Mouse(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent e(type, QPointF(p), QPointF(Viewer.mapToGlobal(p)), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(&Viewer, &e);
    }
    // Each step is followed by the repaint it asks for.
    Drawn Hover(QPoint p)
    {
        Mouse(QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
        return Look();
    }
    Drawn Press(QPoint p)
    {
        Mouse(QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
        return Look();
    }
    Drawn MoveHeld(QPoint p)
    {
        Mouse(QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton);
        return Look();
    }
    Drawn Release(QPoint p)
    {
        Mouse(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
        return Look();
    }
    // Hover, press, a step on the way, then the target; returns the picture just before release.
    Drawn DragTo(QPoint from, QPoint to)
    {
        Look();
        Hover(from);
        Press(from);
        MoveHeld((from + to) / 2);
        Drawn over = MoveHeld(to);
        Release(to);
        return over;
    }
    Qt::CursorShape Cursor() const { return Viewer.cursor().shape(); }

    // The application exists before the viewer.
    bool App = (EnsureApp(), true);
    MetricsScope metrics;
    std::unique_ptr<Host> host = std::make_unique<Host>();
    TcPlotLayoutViewer Viewer;
    int Changes = 0;
};

// With the fixed metrics a band is nearest(13 * 1.1) = 14 pixels thick.
constexpr int Cell = 14;

TEST_F(LayoutViewerTest, DrawsEachObjectInItsBandAroundTheDataView)
{
    {
        SCOPED_TRACE("only the data view: one silver block on the white view inside a blue frame");
        const Drawn d = Look();
        ASSERT_EQ(d.Blocks.size(), 1u);
        EXPECT_EQ(d[QStringLiteral("Data View")], (Box{5, 5, 563, 239}));
        EXPECT_EQ(d.Blocks.at(QStringLiteral("Data View")).Colour, fw::clSilver);
        EXPECT_TRUE(PixelsOf(d.Image, fw::clBlue, QRect(0, 0, 568, 5)).points.size() == 568u * 5);
        EXPECT_FALSE(PixelsOf(d.Image, fw::clSilver, QRect(100, 100, 1, 1)).empty());
    }
    TcPlotXAxis* x = AddX();
    AddY();
    TcPlotYAxis* y2 = AddY();
    y2->SetVisible(false);
    TcPlotLabel* title = AddLabel();
    title->SetZOrder(3);
    title->SetStartStopPercent(25, 75);
    M().LayoutManager()->RebuildSideLists();
    TcPlotTranslationObject* t = M().TranslationManager()->Item(M().AddTranslation());
    t->SetOriginalString(QStringLiteral("Data View"));
    t->SetReplacementString(QStringLiteral("Plot Area"));

    const Drawn d = Look();
    const Box dv = d[QStringLiteral("Plot Area")];
    SCOPED_TRACE("two left bands, one top, one bottom");
    EXPECT_EQ(dv, (Box{5 + 2 * Cell, 5 + Cell, 563, 239 - Cell}));
    EXPECT_EQ(d[x->Name()], (Box{dv.L, dv.B, dv.R, dv.B + Cell}));
    EXPECT_EQ(d[y2->Name()], (Box{dv.L - 2 * Cell, dv.T, dv.L - Cell, dv.B}))
        << "the newest axis takes the outer band";
    EXPECT_EQ(d.Blocks.at(y2->Name()).Style, fw::bsDiagCross) << "an invisible object is hatched";
    const Box y1 = d[M().YAxisManager()->GetItem(0)->Name()];
    const QRect ink = PixelsOf(d.Image, fw::clBlack, QRect(y1.L, y1.T, y1.W(), y1.H())).box;
    EXPECT_GT(ink.height(), 2 * ink.width()) << "a vertical block's name reads upward";
    EXPECT_EQ(d.Blocks.at(x->Name()).Style, fw::bsSolid);
    // Objects other than axes take their extent from the whole view's width.
    EXPECT_EQ(d[title->Name()], (Box{5 + 140, 5, 5 + 418, 5 + Cell}));
    EXPECT_TRUE(d.Frames.empty());
}

TEST_F(LayoutViewerTest, HoverNearAnEdgeOffersToSizeIt)
{
    TcPlotXAxis* x = AddX();
    TcPlotYAxis* y = AddY();
    const Drawn d = Look();
    const Box bx = d[x->Name()], by = d[y->Name()];
    struct Case {
        const char* name;
        QPoint at;
        Qt::CursorShape cursor;
    };
    const Case cases[] = {
        {"6 px inside the start edge of a horizontal axis", {bx.L + 6, bx.T + 5}, Qt::SizeHorCursor},
        {"7 px inside it", {bx.L + 7, bx.T + 5}, Qt::ArrowCursor},
        {"6 px before the stop edge", {bx.R - 6, bx.T + 5}, Qt::SizeHorCursor},
        {"in the middle", bx.Centre(), Qt::ArrowCursor},
        {"6 px above the bottom (start) edge of a vertical axis", {by.L + 5, by.B - 6}, Qt::SizeVerCursor},
        {"7 px above it", {by.L + 5, by.B - 7}, Qt::ArrowCursor},
        {"on the top (stop) edge of a vertical axis", {by.L + 5, by.T}, Qt::SizeVerCursor},
        {"outside every block", {2, 2}, Qt::ArrowCursor},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Hover(c.at);
        EXPECT_EQ(Cursor(), c.cursor);
    }
}

TEST_F(LayoutViewerTest, DraggingAnEdgeMovesItsPercentInStepsOfOneAndAQuarter)
{
    TcPlotXAxis* x = AddX();
    TcPlotYAxis* y = AddY();
    struct Case {
        const char* name;
        bool vertical;
        bool stopEdge;
        double percentMoved;
        double start, stop;
    };
    const Case cases[] = {
        {"a quarter of the data-view width", false, false, 25, 25, 100},
        {"one percent snaps to 1.25", false, false, 1, 1.25, 100},
        {"half a percent snaps to nothing", false, false, 0.5, 0, 100},
        {"the stop edge back by a tenth", false, true, -10, 0, 90},
        {"beyond the far end clamps", false, false, 150, 99, 100},
        {"a vertical start edge up by a quarter", true, false, 25, 25, 100},
        {"a vertical stop edge down by 40 percent", true, true, -40, 0, 60},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TcPlotLayoutObject* o = c.vertical ? static_cast<TcPlotLayoutObject*>(y) : x;
        o->SetStartStopPercent(0, 100);
        const Drawn d = Look();
        const Box dv = d[QStringLiteral("Data View")], b = d[o->Name()];
        const int span = c.vertical ? dv.H() : dv.W();
        const int moved = int(std::lround(span * c.percentMoved / 100));
        QPoint from, to;
        if (c.vertical) {
            from = {b.L + 5, c.stopEdge ? b.T + 1 : b.B - 2};
            to = from - QPoint(0, moved);
        } else {
            from = {c.stopEdge ? b.R - 2 : b.L + 1, b.T + 5};
            to = from + QPoint(moved, 0);
        }
        Changes = 0;
        DragTo(from, to);
        EXPECT_DOUBLE_EQ(o->StartPercent(), c.start);
        EXPECT_DOUBLE_EQ(o->StopPercent(), c.stop);
        EXPECT_EQ(Changes, 1);
    }
}

TEST_F(LayoutViewerTest, SizingWithoutADataViewWidthKeepsThePercentages)
{
    // Two vertical bands fill the whole width: the data view has none left.
    AddY();
    AddY();
    TcPlotLabel* label = AddLabel();
    Viewer.SetBounds(0, 0, 10 + 2 * Cell, 244);
    const Drawn d = Look();
    ASSERT_EQ(d[QStringLiteral("Data View")].W(), 0);
    const Box b = d[label->Name()];
    DragTo({b.L + 1, b.T + 5}, {b.L + 20, b.T + 5});
    EXPECT_DOUBLE_EQ(label->StartPercent(), 0);
    EXPECT_DOUBLE_EQ(label->StopPercent(), 100);
}

TEST_F(LayoutViewerTest, PressedObjectIsHighlightedUntilRelease)
{
    TcPlotXAxis* x = AddX();
    const int dvIndex = M().AddDataView();
    (void)dvIndex;
    const Drawn before = Look();
    const QPoint at = before[x->Name()].Centre();
    Hover(at);
    const Drawn pressed = Press(at);
    EXPECT_EQ(pressed.Blocks.at(x->Name()).Colour, fw::clYellow);
    EXPECT_EQ(Viewer.SelectedObject(), x);
    const Drawn released = Release(at);
    EXPECT_EQ(released.Blocks.at(x->Name()).Colour, fw::clSilver);
    EXPECT_EQ(Viewer.SelectedObject(), nullptr);

    SCOPED_TRACE("a press on the data view selects nothing");
    const QPoint middle = released[QStringLiteral("Data View")].Centre();
    Hover(middle);
    Press(middle);
    EXPECT_EQ(Viewer.SelectedObject(), nullptr);
    Release(middle);
}

TEST_F(LayoutViewerTest, DroppingAnObjectOnAnotherBand)
{
    // Gestures on a fresh chart each: what is dragged where, what follows.
    struct Case {
        const char* name;
        std::function<void(LayoutViewerTest&)> run;
    };
    const Case cases[] = {
        {"a label in the middle third of another label's band shares it half and half",
         [](LayoutViewerTest& t) {
             TcPlotLabel* a = t.AddLabel();
             TcPlotLabel* b = t.AddLabel();
             ASSERT_NE(a->ZOrder(), b->ZOrder());
             const Drawn d = t.Look();
             const Box target = d[b->Name()];
             // The last row of the middle third.
             t.DragTo(d[a->Name()].Centre(), {target.L + 20, target.T + 2 * Cell / 3});
             EXPECT_EQ(a->ZOrder(), b->ZOrder());
             EXPECT_DOUBLE_EQ(b->StartPercent(), 0);
             EXPECT_DOUBLE_EQ(b->StopPercent(), 50);
             EXPECT_DOUBLE_EQ(a->StartPercent(), 50);
             EXPECT_DOUBLE_EQ(a->StopPercent(), 100);
             const Drawn after = t.Look();
             EXPECT_EQ(after[a->Name()].T, after[b->Name()].T);
             EXPECT_EQ(t.Changes, 1);
         }},
        {"an axis dropped on another axis of its band swaps extents with it",
         [](LayoutViewerTest& t) {
             TcPlotXAxis* a = t.AddX();
             TcPlotXAxis* b = t.AddX();
             t.M().LayoutManager()->RemoveZOrder(b);
             b->SetZOrder(a->ZOrder());
             a->SetStartStopPercent(0, 30);
             b->SetStartStopPercent(30, 100);
             t.M().LayoutManager()->RebuildSideLists();
             const Drawn d = t.Look();
             ASSERT_EQ(d[a->Name()].T, d[b->Name()].T);
             const Drawn over = t.DragTo(d[a->Name()].Centre(), d[b->Name()].Centre());
             ASSERT_EQ(over.Frames.size(), 1u);
             EXPECT_EQ(over.Frames[0], d[b->Name()]) << "the swap partner is framed";
             EXPECT_DOUBLE_EQ(a->StartPercent(), 30);
             EXPECT_DOUBLE_EQ(a->StopPercent(), 100);
             EXPECT_DOUBLE_EQ(b->StartPercent(), 0);
             EXPECT_DOUBLE_EQ(b->StopPercent(), 30);
         }},
        {"a Y axis over a horizontal band shows no target and stays",
         [](LayoutViewerTest& t) {
             t.AddX();
             TcPlotYAxis* y = t.AddY();
             const Drawn d = t.Look();
             const Box x = d[t.M().XAxisManager()->GetItem(0)->Name()];
             const Drawn over = t.DragTo(d[y->Name()].Centre(), {x.L + 100, x.T + 3});
             EXPECT_TRUE(over.Frames.empty());
             EXPECT_FALSE(y->Horizontal());
             EXPECT_EQ(t.Look()[y->Name()], d[y->Name()]);
             EXPECT_EQ(t.Changes, 0);
         }},
        {"a legend over a horizontal band takes that orientation",
         [](LayoutViewerTest& t) {
             TcPlotXAxis* x = t.AddX();
             TcPlotLegend* legend = t.AddLegend();
             ASSERT_FALSE(legend->Horizontal());
             const Drawn d = t.Look();
             const Box bx = d[x->Name()];
             const Drawn over = t.DragTo(d[legend->Name()].Centre(), {bx.L + 100, bx.B - 2});
             EXPECT_EQ(over.Frames.size(), 1u);
             EXPECT_TRUE(legend->Horizontal());
             const Drawn after = t.Look();
             EXPECT_GT(after[legend->Name()].T, after[x->Name()].T) << "placed below the axis";
             EXPECT_EQ(t.Changes, 1);
         }},
        {"an axis dropped on the upper half of the inner band goes above its axis",
         [](LayoutViewerTest& t) {
             TcPlotXAxis* inner = t.AddX();
             TcPlotXAxis* outer = t.AddX();
             outer->SetStartStopPercent(20, 60);
             const Drawn d = t.Look();
             ASSERT_LT(d[inner->Name()].T, d[outer->Name()].T);
             const Box target = d[inner->Name()];
             const Drawn over = t.DragTo(d[outer->Name()].Centre(), {target.L + 100, target.T + 2});
             ASSERT_EQ(over.Frames.size(), 1u);
             EXPECT_EQ(over.Frames[0].T, target.T - (Cell / 2 - 1)) << "the frame leans toward the top";
             const Drawn after = t.Look();
             EXPECT_LT(after[outer->Name()].T, after[inner->Name()].T);
             EXPECT_DOUBLE_EQ(outer->StartPercent(), 0);
             EXPECT_DOUBLE_EQ(outer->StopPercent(), 100);
             EXPECT_EQ(t.Changes, 1) << "the editor hears of the new order";
         }},
        {"over the outermost top band an axis goes only below it, from its lower third",
         [](LayoutViewerTest& t) {
             TcPlotXAxis* bottom = t.AddX();
             TcPlotXAxis* top = t.AddX();
             t.M().LayoutManager()->RemoveZOrder(top);
             t.M().LayoutManager()->InsertZOrder(top, t.M().LayoutManager()->DataViewHorz()->ZOrder(),
                                                 iidAbove);
             const Drawn d = t.Look();
             const Box band = d[top->Name()];
             ASSERT_LT(band.T, d[QStringLiteral("Data View")].T);
             const QPoint from = d[bottom->Name()].Centre();
             t.Look();
             t.Hover(from);
             t.Press(from);
             EXPECT_TRUE(t.MoveHeld({band.L + 100, band.T + 8}).Frames.empty()) << "middle third";
             const Drawn lower = t.MoveHeld({band.L + 100, band.T + 12});
             ASSERT_EQ(lower.Frames.size(), 1u);
             EXPECT_EQ(lower.Frames[0].T, band.T + Cell / 2);
             t.Release({band.L + 100, band.T + 12});
             const Drawn after = t.Look();
             EXPECT_GT(after[bottom->Name()].T, after[top->Name()].T);
             EXPECT_LT(after[bottom->Name()].B, after[QStringLiteral("Data View")].T + 1);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fresh();
        c.run(*this);
    }
}

TEST_F(LayoutViewerTest, CrossDropOnABandWithoutAnObjectOfItsOrderChangesNothing)
{
    // Stored Z-orders with a gap: the top band is numbered 1 in the miniature, the data view's
    // horizontal strip 0, and no horizontal object has order 0.
    TcPlotXAxis* x = AddX();
    x->SetZOrder(5);
    M().LayoutManager()->RebuildSideLists();
    TcPlotLegend* legend = AddLegend();
    const int order = legend->ZOrder();
    const Drawn d = Look();
    const Box dv = d[QStringLiteral("Data View")];
    DragTo(d[legend->Name()].Centre(), {dv.L + 100, dv.B - 3});
    EXPECT_FALSE(legend->Horizontal());
    EXPECT_EQ(legend->ZOrder(), order);
    EXPECT_EQ(Changes, 0);
}

TEST_F(LayoutViewerTest, IgnoresInputWithoutALayoutAndObjectsRemovedMidDrag)
{
    {
        SCOPED_TRACE("no layout manager: the frame and the view only");
        TcPlotLayoutViewer bare;
        bare.SetBounds(0, 0, 200, 100);
        testsupport::RecordingCanvas rec;
        const QImage image = bare.PaintToImage();
        EXPECT_TRUE(rec.Texts().empty());
        EXPECT_FALSE(PixelsOf(image, fw::clBlue, QRect(0, 0, 200, 3)).empty());
        EXPECT_FALSE(PixelsOf(image, fw::clWhite, QRect(50, 50, 1, 1)).empty());
        for (auto type : {QEvent::MouseButtonPress, QEvent::MouseMove, QEvent::MouseButtonRelease}) {
            QMouseEvent e(type, QPointF(50, 50), QPointF(50, 50), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
            QApplication::sendEvent(&bare, &e);
        }
        EXPECT_EQ(bare.SelectedObject(), nullptr);
    }
    SCOPED_TRACE("the dragged label is removed before the drop");
    TcPlotXAxis* x = AddX();
    TcPlotLabel* label = AddLabel();
    const Drawn d = Look();
    const QPoint from = d[label->Name()].Centre();
    const QPoint over = {d[x->Name()].L + 50, d[x->Name()].B - 2};
    Hover(from);
    Press(from);
    ASSERT_EQ(MoveHeld(over).Frames.size(), 1u) << "a live label would go below the axis";
    FreeObject(M().LabelManager()->Item(0));
    EXPECT_TRUE(MoveHeld(over).Frames.empty());
    Release(over);
    EXPECT_EQ(Viewer.SelectedObject(), nullptr);
    EXPECT_EQ(Changes, 0);
}

} // namespace
