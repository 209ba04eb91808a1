#include "chart/editor/LayoutViewer.h"

#include "base/Rounding.h"
#include "chart/axes/PlotAxis.h"
#include "chart/component/ChartDraw.h"
#include "chart/objects/PlotDataView.h"
#include "chart/objects/PlotLabel.h"
#include "chart/objects/PlotLegend.h"
#include "chart/objects/PlotTable.h"
#include "chart/objects/PlotToolBar.h"
#include "framework/Events.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace chart
{

using namespace fw;

namespace
{
// How near an edge the pointer must be to move it, in pixels.
constexpr int SizingDistance = 6;
// The step an edge moves in, in percent.
constexpr double SizingStep = 1.25;

int Nearest(double v)
{
    return int(RoundHalfEven(v));
}

bool Contains(const TRect& r, int X, int Y)
{
    return X >= r.Left && X < r.Right && Y >= r.Top && Y < r.Bottom;
}

template <class T> bool Is(const TcPlotLayoutObject* o)
{
    return dynamic_cast<const T*>(o) != nullptr;
}

// The kinds whose edges can be dragged and that can change orientation.
bool IsSizable(const TcPlotLayoutObject* o)
{
    return Is<TcPlotAxis>(o) || Is<TcPlotLabel>(o) || Is<TcPlotTable>(o) || Is<TcPlotLegend>(o);
}

bool MayMerge(const TcPlotLayoutObject* s, const TcPlotLayoutObject* r)
{
    return (Is<TcPlotAxis>(s) && Is<TcPlotAxis>(r)) ||
           (Is<TcPlotLabel>(s) && (Is<TcPlotLabel>(r) || Is<TcPlotLegend>(r))) ||
           (Is<TcPlotLegend>(s) && Is<TcPlotLabel>(r));
}

TRect Shifted(TRect r, int dx, int dy)
{
    return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}
} // namespace

TcPlotLayoutViewer::TcPlotLayoutViewer(QWidget* parent) : TcCustomComponent(parent)
{
    FFont.SetName(QStringLiteral("Arial"));
    FFont.SetSize(10);
}

TcPlotLayoutViewer::~TcPlotLayoutViewer() = default;

void TcPlotLayoutViewer::ShowLayoutOf(TcPlotMasterManager* Master)
{
    FMaster = Master;
    FLayoutManager = Master ? Master->LayoutManager() : nullptr;
    FTranslationManager = Master ? Master->TranslationManager() : nullptr;
    FEditMode = ilemNone;
    FMouseDown = false;
    FSelectedBlock = FResizeBlock = FOverLayoutObject = nullptr;
    FDragOverRefBlock2 = nullptr;
    FBlockList.clear();
    setCursor(Qt::ArrowCursor);
    InvalidateChange();
}

void TcPlotLayoutViewer::DoChange()
{
    if (OnChange)
        OnChange(this);
}

void TcPlotLayoutViewer::iPaint(TCanvas& Canvas)
{
    ForgetRemovedObjects();
    CalcLayout(Canvas);
    PaintBackground(Canvas);
    if (FLayoutManager)
        PaintBlocks(Canvas);
}

void TcPlotLayoutViewer::CalcLayout(TCanvas& Canvas)
{
    FViewRect = {5, 5, Width() - 5, Height() - 5};
    if (!FLayoutManager)
        return;
    Canvas.Font.Assign(FFont);
    FCellWidth = Nearest(Canvas.TextHeight(QStringLiteral("ABC")) * 1.1);
    const int k = FCellWidth;
    const TcPlotLayoutManager& m = *FLayoutManager;
    FDataViewRect = {FViewRect.Left + m.LeftUniqueCount() * k, FViewRect.Top + m.TopUniqueCount() * k,
                     FViewRect.Right - m.RightUniqueCount() * k,
                     FViewRect.Bottom - m.BottomUniqueCount() * k};
    FDataViewWidth = FDataViewRect.Right - FDataViewRect.Left;
    FDataViewHeight = FDataViewRect.Bottom - FDataViewRect.Top;
    if (!FDragOverRefBlock2)
        BuildBlocks();

    const TRect& v = FViewRect;
    const TRect& dv = FDataViewRect;
    const int horzP = m.DataViewHorz()->ZOrder();
    const int vertP = m.DataViewVert()->ZOrder();
    for (int i = 0; i < m.Count(); ++i) {
        TcPlotLayoutObject* o = m.GetItem(i);
        TRect r;
        if (Is<TcPlotDataView>(o) || Is<TcPlotDataViewLayout>(o)) {
            r = dv;
        } else if (o->IsHorz()) {
            const int z = o->ZOrder();
            if (z > horzP) {
                r.Top = dv.Top - (z - horzP) * k;
                r.Bottom = dv.Top - (z - horzP - 1) * k;
            } else {
                r.Top = dv.Bottom + (horzP - z - 1) * k;
                r.Bottom = dv.Bottom + (horzP - z) * k;
            }
            if (Is<TcPlotAxis>(o)) {
                r.Left = Nearest(dv.Left + FDataViewWidth * o->StartPercent() / 100);
                r.Right = Nearest(dv.Left + FDataViewWidth * o->StopPercent() / 100);
            } else {
                r.Left = v.Left + Nearest((v.Right - v.Left) * o->StartPercent() / 100);
                r.Right = v.Left + Nearest((v.Right - v.Left) * o->StopPercent() / 100);
            }
        } else {
            const int z = o->ZOrder();
            if (z > vertP) {
                r.Left = dv.Right + (z - vertP - 1) * k;
                r.Right = dv.Right + (z - vertP) * k;
            } else {
                r.Left = dv.Left - (vertP - z) * k;
                r.Right = dv.Left - (vertP - z - 1) * k;
            }
            r.Top = dv.Bottom - Nearest(FDataViewHeight * o->StopPercent() / 100);
            r.Bottom = dv.Bottom - Nearest(FDataViewHeight * o->StartPercent() / 100);
        }
        o->SetLayoutRect(r);
    }
}

void TcPlotLayoutViewer::BuildBlocks()
{
    FBlockList.clear();
    const int k = FCellWidth;
    const TRect& v = FViewRect;
    const TRect& dv = FDataViewRect;
    const TcPlotLayoutManager& m = *FLayoutManager;
    auto add = [this](bool horizontal, int zorder, TRect r) {
        auto b = std::make_unique<TBlockObject>();
        b->Horizontal = horizontal;
        b->ZOrder = zorder;
        b->ARect = r;
        FBlockList.push_back(std::move(b));
        return FBlockList.back().get();
    };
    int counter = 0;
    for (int d = 0; d < m.LeftUniqueCount(); ++d)
        add(false, counter++, RectFromCorners(v.Left + d * k, dv.Top, v.Left + (d + 1) * k, dv.Bottom));
    add(false, counter++, dv)->DataView = true;
    for (int d = 0; d < m.RightUniqueCount(); ++d)
        add(false, counter++, RectFromCorners(dv.Right + d * k, dv.Top, dv.Right + (d + 1) * k, dv.Bottom));
    counter = m.TopUniqueCount() + m.BottomUniqueCount();
    for (int i = 0; i < m.TopUniqueCount(); ++i)
        add(true, counter--, RectFromCorners(v.Left, v.Top + i * k, v.Right, v.Top + (i + 1) * k))->ToolBar =
            i == 0;
    add(true, counter--, dv)->DataView = true;
    for (int d = 0; d < m.BottomUniqueCount(); ++d)
        add(true, counter--, RectFromCorners(v.Left, dv.Bottom + d * k, v.Right, dv.Bottom + (d + 1) * k));
}

void TcPlotLayoutViewer::PaintBackground(TCanvas& Canvas)
{
    Canvas.Brush.Style = bsSolid;
    Canvas.Pen.Style = psSolid;
    Canvas.Brush.Color = clBlue;
    Canvas.Pen.Color = clBlue;
    Canvas.FillRect({0, 0, Width(), Height()});
    Canvas.Brush.Color = clWhite;
    Canvas.Pen.Color = clWhite;
    Canvas.FillRect(FViewRect);
}

QString TcPlotLayoutViewer::BlockName(const TcPlotLayoutObject* Object) const
{
    return FTranslationManager ? FTranslationManager->FindReplacement(Object->Name()) : Object->Name();
}

void TcPlotLayoutViewer::PaintBlocks(TCanvas& Canvas)
{
    Canvas.Pen.Color = clBlack;
    Canvas.Pen.Style = psClear;
    Canvas.Font.Assign(FFont);
    const TcPlotLayoutManager& m = *FLayoutManager;
    for (int i = 0; i < m.Count(); ++i) {
        TcPlotLayoutObject* o = m.GetItem(i);
        if (Is<TcPlotDataViewVert>(o) || Is<TcPlotDataView>(o))
            continue;
        Canvas.Brush.Color = o == FSelectedBlock ? clYellow : clSilver;
        Canvas.Brush.Style = o->Visible() ? bsSolid : bsDiagCross;
        Canvas.Rectangle(o->LayoutRect());
        Canvas.Brush.Style = bsClear;
        TRect drawn;
        DrawRotatedText(Canvas, BlockName(o), o->LayoutRect(), o->IsHorz() ? ira000 : ira090, iahCenter, true,
                        clSilver, drawn);
    }
    Canvas.Pen.Style = psSolid;
    Canvas.Pen.Width = 2;
    Canvas.Brush.Style = bsClear;
    if (FOverLayoutObject)
        Canvas.Rectangle(FOverLayoutObject->LayoutRect());
    else if (FDragOverRefBlock2)
        Canvas.Rectangle(DragFrame());
    Canvas.Pen.Width = 1;
}

// The target band's frame moved half a cell toward the side the object goes to; on the data
// view cut to one cell beside it.
TRect TcPlotLayoutViewer::DragFrame() const
{
    const TBlockObject& b = *FDragOverRefBlock2;
    const int k = FCellWidth;
    const int h = k / 2;
    TRect r = b.ARect;
    if (b.Horizontal) {
        if (FInsertDirection == iidBelow)
            r = Shifted(r, 0, h);
        else if (FInsertDirection == iidAbove)
            r = Shifted(r, 0, -(h - 1));
    } else {
        if (FInsertDirection == iidBelow)
            r = Shifted(r, -h, 0);
        else if (FInsertDirection == iidAbove)
            r = Shifted(r, h + 1, 0);
    }
    if (!b.DataView)
        return r;
    if (b.Horizontal) {
        if (FInsertDirection == iidBelow)
            r.Top = r.Bottom - k;
        else if (FInsertDirection == iidAbove)
            r.Bottom = r.Top + k;
        r.Left = FViewRect.Left;
        r.Right = FViewRect.Right;
    } else {
        if (FInsertDirection == iidBelow)
            r.Right = r.Left + k;
        else if (FInsertDirection == iidAbove)
            r.Left = r.Right - k;
    }
    return r;
}

TcPlotLayoutObject* TcPlotLayoutViewer::GetMouseOverBlock(int X, int Y) const
{
    if (!FLayoutManager)
        return nullptr;
    for (int i = 0; i < FLayoutManager->Count(); ++i) {
        TcPlotLayoutObject* o = FLayoutManager->GetItem(i);
        if (!Is<TcPlotDataViewLayout>(o) && Contains(o->LayoutRect(), X, Y))
            return o;
    }
    return nullptr;
}

TBlockObject* TcPlotLayoutViewer::GetMouseOverBlock2(int X, int Y) const
{
    const int k = FCellWidth;
    for (const auto& p : FBlockList) {
        const TRect& r = p->ARect;
        if (!Contains(r, X, Y))
            continue;
        if (p->ToolBar && Y < (r.Top + r.Bottom) / 2)
            continue;
        if (p->DataView) {
            const bool nearEdge =
                p->Horizontal ? (Y < r.Top + k || Y >= r.Bottom - k) : (X < r.Left + k || X >= r.Right - k);
            if (!nearEdge)
                continue;
        }
        return p.get();
    }
    return nullptr;
}

TcPlotLayoutObject* TcPlotLayoutViewer::FindBandObject(const TcPlotLayoutObject* Exclude, bool Horizontal,
                                                       int ZOrder) const
{
    for (int i = 0; i < FLayoutManager->Count(); ++i) {
        TcPlotLayoutObject* o = FLayoutManager->GetItem(i);
        if (o == Exclude || Is<TcPlotDataView>(o) || o->ZOrder() != ZOrder || o->IsHorz() != Horizontal)
            continue;
        if (Horizontal ? Is<TcPlotDataViewVert>(o) : Is<TcPlotDataViewHorz>(o))
            continue;
        return o;
    }
    return nullptr;
}

void TcPlotLayoutViewer::ForgetRemovedObjects()
{
    auto held = [this](TcPlotLayoutObject*& o) {
        if (o && (!FLayoutManager || FLayoutManager->GetIndex(o) < 0))
            o = nullptr;
    };
    held(FSelectedBlock);
    held(FResizeBlock);
    held(FOverLayoutObject);
    if (!FSelectedBlock && FEditMode != ilemNone) {
        FEditMode = ilemNone;
        FMouseDown = false;
        FDragOverRefBlock2 = nullptr;
    }
}

void TcPlotLayoutViewer::iMouseDown(TMouseButton, TShiftState Shift, int X, int Y)
{
    if (!FLayoutManager)
        return;
    ForgetRemovedObjects();
    TcPlotLayoutObject* o = GetMouseOverBlock(X, Y);
    if (!o || Is<TcPlotDataView>(o) || Is<TcPlotToolBar>(o))
        return;
    FSelectedBlock = o;
    FMouseDown = true;
    FMouseDownX = X;
    FMouseDownY = Y;
    if (!(Shift & ssLeft))
        FInsertDirection = iidMerge;
    if (FResizeBlock) {
        FEditMode = ilemSize;
        FMouseDownStartPercent = o->StartPercent();
        FMouseDownStopPercent = o->StopPercent();
    } else {
        FEditMode = ilemDrag;
    }
    InvalidateChange();
}

void TcPlotLayoutViewer::iMouseMove(TShiftState Shift, int X, int Y)
{
    if (!FLayoutManager)
        return;
    ForgetRemovedObjects();
    setCursor(Qt::ArrowCursor);
    if (!(Shift & ssLeft) && FEditMode == ilemDrag)
        return;
    FOverLayoutObject = nullptr;
    FDragOverRefBlock2 = nullptr;
    TcPlotLayoutObject* o = GetMouseOverBlock(X, Y);
    TBlockObject* b = GetMouseOverBlock2(X, Y);
    switch (FEditMode) {
    case ilemNone:
        HoverEdges(o, X, Y);
        InvalidateChange();
        break;
    case ilemDrag:
        if (FMouseDown)
            DragOver(o, b, X, Y);
        break;
    case ilemSize:
        if (FMouseDown)
            Resize(X, Y);
        break;
    }
}

void TcPlotLayoutViewer::HoverEdges(TcPlotLayoutObject* Over, int X, int Y)
{
    if (!Over) {
        FResizeBlock = nullptr;
        return;
    }
    if (!IsSizable(Over))
        return;
    const TRect r = Over->LayoutRect();
    const bool horz = Over->IsHorz();
    const int start = horz ? r.Left : r.Bottom;
    const int stop = horz ? r.Right : r.Top;
    const int at = horz ? X : Y;
    if (std::abs(at - start) <= SizingDistance || std::abs(at - stop) <= SizingDistance) {
        FSizingSide = std::abs(at - start) <= SizingDistance ? ilssStart : ilssStop;
        FResizeBlock = Over;
        setCursor(horz ? Qt::SizeHorCursor : Qt::SizeVerCursor);
    } else {
        FResizeBlock = nullptr;
    }
}

void TcPlotLayoutViewer::DragOver(TcPlotLayoutObject* Over, TBlockObject* Band, int X, int Y)
{
    TcPlotLayoutObject* s = FSelectedBlock;
    if (Over)
        FOverLayoutObject = !Is<TcPlotDataView>(Over) && Over->IsHorz() == s->IsHorz() &&
                                    Over->ZOrder() == s->ZOrder() && Over != s
                                ? Over
                                : nullptr;
    if (!Band) {
        InvalidateChange();
        return;
    }
    TcPlotLayoutObject* r = FindBandObject(s, Band->Horizontal, Band->ZOrder);
    if (Is<TcPlotAxis>(s) && s->IsHorz() != Band->Horizontal) {
        InvalidateChange();
        return;
    }
    FDragOverRefBlock2 = Band;
    if (!r)
        return;
    const TRect& a = Band->ARect;
    const int w = a.Right - a.Left;
    const int h = a.Bottom - a.Top;
    if (MayMerge(s, r)) {
        if (Band->ToolBar) {
            if (Y > a.Top + 2 * h / 3)
                FInsertDirection = iidBelow;
            else
                FDragOverRefBlock2 = nullptr;
        } else if (Band->Horizontal) {
            FInsertDirection = Y > a.Top + 2 * h / 3 ? iidBelow : Y > a.Top + h / 3 ? iidMerge : iidAbove;
        } else {
            FInsertDirection = X < a.Left + w / 3 ? iidBelow : X < a.Left + 2 * w / 3 ? iidMerge : iidAbove;
        }
    } else if (Band->Horizontal) {
        FInsertDirection = Y > a.Top + h / 2 ? iidBelow : iidAbove;
    } else {
        FInsertDirection = X < a.Left + w / 2 ? iidBelow : iidAbove;
    }
    InvalidateChange();
}

void TcPlotLayoutViewer::Resize(int X, int Y)
{
    if (!FResizeBlock)
        return;
    const bool vert = FResizeBlock->IsVert();
    const int span = vert ? FDataViewHeight : FDataViewWidth;
    // A miniature without a data-view extent gives no measure: the percentages stay.
    if (span <= 0)
        return;
    double p = vert ? double(FMouseDownY - Y) / span * 100 : double(X - FMouseDownX) / span * 100;
    p = double(RoundHalfEven(p / SizingStep)) * SizingStep;
    if (FSizingSide == ilssStart)
        FResizeBlock->SetStartPercent(FMouseDownStartPercent + p);
    else
        FResizeBlock->SetStopPercent(FMouseDownStopPercent + p);
    InvalidateChange();
}

void TcPlotLayoutViewer::iMouseUp(TMouseButton, TShiftState, int, int)
{
    if (!FLayoutManager)
        return;
    ForgetRemovedObjects();
    FMouseDown = false;
    if (FEditMode == ilemDrag && FSelectedBlock)
        Drop();
    else if (FEditMode == ilemSize && FResizeBlock)
        DoChange();
    FEditMode = ilemNone;
    setCursor(Qt::ArrowCursor);
    FOverLayoutObject = nullptr;
    FDragOverRefBlock2 = nullptr;
    FSelectedBlock = nullptr;
    FResizeBlock = nullptr;
    InvalidateChange();
}

void TcPlotLayoutViewer::Drop()
{
    TcPlotLayoutObject* s = FSelectedBlock;
    const TBlockObject* b = FDragOverRefBlock2;
    if (!b)
        return;
    if (FOverLayoutObject) {
        SwapStartStop(s, FOverLayoutObject);
        DoChange();
        return;
    }
    if (b->Horizontal != s->IsHorz()) {
        if (MoveToOtherOrientation(s, *b))
            DoChange();
        return;
    }
    if (FInsertDirection == iidMerge) {
        MergeInto(s, *b);
        DoChange();
        return;
    }
    if (TcPlotLayoutObject* r = FindBandObject(s, b->Horizontal, b->ZOrder)) {
        FLayoutManager->RemoveZOrder(s);
        FLayoutManager->InsertZOrder(s, r->ZOrder(), FInsertDirection);
    }
    s->SetStartPercent(0);
    s->SetStopPercent(100);
    // The editor's pages show the new order too.
    DoChange();
}

void TcPlotLayoutViewer::SwapStartStop(TcPlotLayoutObject* A, TcPlotLayoutObject* B)
{
    const double start = A->StartPercent();
    const double stop = A->StopPercent();
    A->SetStartStopPercent(B->StartPercent(), B->StopPercent());
    B->SetStartStopPercent(start, stop);
}

void TcPlotLayoutViewer::MergeInto(TcPlotLayoutObject* Object, const TBlockObject& Band)
{
    std::vector<TcPlotLayoutObject*> members;
    for (int i = 0; i < FLayoutManager->Count(); ++i) {
        TcPlotLayoutObject* o = FLayoutManager->GetItem(i);
        if (!Is<TcPlotDataView>(o) && !Is<TcPlotDataViewLayout>(o) && o != Object &&
            o->IsHorz() == Band.Horizontal && o->ZOrder() == Band.ZOrder)
            members.push_back(o);
    }
    TcPlotLayoutObject* r = FindBandObject(Object, Band.Horizontal, Band.ZOrder);
    members.push_back(Object);
    const double x = 100.0 / double(members.size());
    for (std::size_t a = 0; a < members.size(); ++a) {
        members[a]->SetStopPercent(x * double(a) + x);
        members[a]->SetStartPercent(x * double(a));
    }
    if (r) {
        FLayoutManager->RemoveZOrder(Object);
        FLayoutManager->InsertZOrder(Object, r->ZOrder(), iidMerge);
    }
}

bool TcPlotLayoutViewer::MoveToOtherOrientation(TcPlotLayoutObject* Object, const TBlockObject& Band)
{
    TcPlotLayoutObject* r = FindBandObject(Object, Band.Horizontal, Band.ZOrder);
    if (!r)
        return false;
    FLayoutManager->RemoveZOrder(Object);
    Object->SetHorizontal(Band.Horizontal);
    FLayoutManager->InsertZOrder(Object, r->ZOrder(), FInsertDirection);
    return true;
}

} // namespace chart
