#include "chart/objects/PlotLimit.h"

#include "chart/axes/PlotAxis.h"
#include "chart/channels/PlotChannelCustom.h"

#include <algorithm>

namespace chart
{

using namespace fw;

TcPlotLimit::TcPlotLimit(TcPlotOwner* AOwner, const TcPlotHandlers& handlers)
    : TcPlotManagerObject(AOwner, handlers)
{
}

const TPropertyTable& TcPlotLimit::PropertyTable() const
{
    return ClassTable();
}

const TPropertyTable& TcPlotLimit::ClassTable()
{
    using L = TcPlotLimit;
    static const TPropertyTable table = [] {
        TPropertyTable t(&TcPlotObject::ClassTable());
        t.Ordinal("Color", "TColor", &L::Color, &L::SetColor, 0x0000FF);
        t.Enum("LineStyle", "TPenStyle", &L::LineStyle, &L::SetLineStyle, psSolid, PenStyleNames());
        t.Ordinal("LineWidth", "Integer", &L::LineWidth, &L::SetLineWidth, 0);
        t.Enum("FillStyle", "TBrushStyle", &L::FillStyle, &L::SetFillStyle, bsSolid, BrushStyleNames());
        t.String("XAxisName", &L::XAxisName, &L::SetXAxisName, QString());
        t.String("YAxisName", &L::YAxisName, &L::SetYAxisName, QString());
        t.Enum("Style", "TcPlotLimitStyle", &L::Style, &L::SetStyle, iplsLineY,
               {"iplsLineX", "iplsLineY", "iplsBandX", "iplsBandY", "iplsPolyBandX", "iplsPolyBandY"});
        t.Float("Line1Position", &L::Line1Position, &L::SetLine1Position, 50);
        t.Float("Line2Position", &L::Line2Position, &L::SetLine2Position, 50);
        t.Boolean("UserCanMove", &L::UserCanMove, &L::SetUserCanMove, false);
        t.Boolean("SelectModeOnlyInteraction", &L::SelectModeOnlyInteraction,
                  &L::SetSelectModeOnlyInteraction, true);
        t.Boolean("ClipToAxes", &L::ClipToAxes, &L::SetClipToAxes, false);
        return t;
    }();
    return table;
}

void TcPlotLimit::SetXAxisName(const QString& v)
{
    if (v == FXAxisName)
        return;
    FXAxisName = v;
    FXAxis = nullptr;
    DoChange();
}

void TcPlotLimit::SetYAxisName(const QString& v)
{
    if (v == FYAxisName)
        return;
    FYAxisName = v;
    FYAxis = nullptr;
    DoChange();
}

void TcPlotLimit::SetLinePosition(int Index, double Value)
{
    const double old = FLinePosition[Index];
    if (!SetDoubleValue(Value, FLinePosition[Index], &TcPlotObject::DoChange))
        return;
    FireEvent(Index == 0 ? TcPlotEventKind::LimitLine1PositionChange
                         : TcPlotEventKind::LimitLine2PositionChange,
              {old, Value});
}

void TcPlotLimit::AddBandElement(double Position, double UpperLimit, double LowerLimit)
{
    if (LowerLimit > UpperLimit)
        throw EChartError(QStringLiteral("the Upper Limit must be greater than or equal to the Lower Limit"));
    FElements.Add(Position, UpperLimit, LowerLimit);
    DoChange();
}

void TcPlotLimit::ClearAllElements()
{
    FElements.Clear();
    DoChange();
}

bool TcPlotLimit::DrawsFilledArea() const
{
    switch (FStyle) {
    case iplsPolyBandX:
    case iplsPolyBandY:
        return true;
    case iplsBandX:
    case iplsBandY:
        return FFillStyle != bsClear;
    default:
        return false;
    }
}

TcPlotAxis* TcPlotLimit::XAxis()
{
    if (!FXAxis && FOwner)
        FXAxis = FOwner->GetXAxisByName(FXAxisName);
    return FXAxis;
}

TcPlotAxis* TcPlotLimit::YAxis()
{
    if (!FYAxis && FOwner)
        FYAxis = FOwner->GetYAxisByName(FYAxisName);
    return FYAxis;
}

void TcPlotLimit::NotificationRemove(TcPlotObject* AObject)
{
    if (AObject == FXAxis)
        FXAxis = nullptr;
    if (AObject == FYAxis)
        FYAxis = nullptr;
}

void TcPlotLimit::NotificationRename(TcPlotObject* AObject)
{
    if (AObject == FXAxis)
        SetXAxisName(AObject->Name());
    else if (AObject == FYAxis)
        SetYAxisName(AObject->Name());
}

void TcPlotLimit::NotificationSetFocus(TcPlotObject* AObject)
{
    if (AObject != this && AObject->UserSelected())
        SetUserSelected(false);
}

TPoint TcPlotLimit::At(int limitPixel, int spanPixel) const
{
    return IsXStyle() ? PointXY(XYAxesReversed(), limitPixel, spanPixel)
                      : PointXY(XYAxesReversed(), spanPixel, limitPixel);
}

TRect TcPlotLimit::Strip(int p, int q1, int q2) const
{
    const TPoint a = At(p - 5, q1), b = At(p + 5, q2);
    return RectFromCorners(a.X, a.Y, b.X, b.Y);
}

void TcPlotLimit::Draw(TCanvas& Canvas, TColor BackGroundColor)
{
    FLine[0].Shown = FLine[1].Shown = false;
    if (!Visible() || !XAxis() || !YAxis())
        return;
    TcPlotAxis& x = *FXAxis;
    TcPlotAxis& y = *FYAxis;
    if (FClipToAxes)
        Canvas.IntersectClipRect(
            RectFromCornersXY(XYAxesReversed(), x.MinPixels(), y.MinPixels(), x.MaxPixels(), y.MaxPixels()));
    TcPlotAxis& limitAxis = IsXStyle() ? x : y;
    TcPlotAxis& spanAxis = IsXStyle() ? y : x;
    switch (FStyle) {
    case iplsLineX:
    case iplsLineY:
        DrawLines(Canvas, limitAxis, spanAxis, BackGroundColor);
        break;
    case iplsBandX:
    case iplsBandY:
        DrawBand(Canvas, limitAxis, spanAxis);
        break;
    case iplsPolyBandX:
    case iplsPolyBandY:
        DrawPolyBand(Canvas, spanAxis, limitAxis);
        break;
    }
}

void TcPlotLimit::DrawLines(TCanvas& Canvas, TcPlotAxis& limitAxis, TcPlotAxis& spanAxis,
                            TColor BackGroundColor)
{
    const double v = FLinePosition[0];
    if (v < limitAxis.Min() || v > limitAxis.Max())
        return;
    Canvas.Pen.Color = FColor;
    Canvas.Pen.Width = FLineWidth;
    Canvas.Pen.Style = FLineStyle;
    Canvas.Brush.Color = BackGroundColor;
    Canvas.Brush.Style = bsSolid;
    const int p = limitAxis.PositionToPixels(v);
    const int q1 = spanAxis.MinPixels(), q2 = spanAxis.MaxPixels();
    const TPoint a = At(p, q1), b = At(p, q2);
    Canvas.MoveTo(a.X, a.Y);
    Canvas.LineTo(b.X, b.Y);
    FLine[0].Shown = true;
    FLine[0].Grab = Strip(p, q1, q2);
}

void TcPlotLimit::DrawBand(TCanvas& Canvas, TcPlotAxis& limitAxis, TcPlotAxis& spanAxis)
{
    const int p1 = limitAxis.PositionToPixels(FLinePosition[0]);
    const int p2 = limitAxis.PositionToPixels(FLinePosition[1]);
    const int q1 = spanAxis.MinPixels(), q2 = spanAxis.MaxPixels();
    // An edge off its axis is drawn (and clipped) but cannot be grabbed: its strip could lie over
    // another object and take its clicks.
    for (int i = 0; i < 2; ++i) {
        const double v = FLinePosition[i];
        FLine[i].Shown = v >= limitAxis.Min() && v <= limitAxis.Max();
        FLine[i].Grab = Strip(i == 0 ? p1 : p2, q1, q2);
    }
    Canvas.Pen.Color = FColor;
    Canvas.Brush.Color = FColor;
    Canvas.Brush.Style = FFillStyle;
    auto edges = [&](int width) {
        Canvas.Pen.Style = FLineStyle;
        Canvas.Pen.Width = width;
        for (int p : {p1, p2}) {
            const TPoint a = At(p, q1), b = At(p, q2);
            Canvas.MoveTo(a.X, a.Y);
            Canvas.LineTo(b.X, b.Y);
        }
    };
    const TPoint a = At(p1, q1), b = At(p2, q2);
    const TRect box = RectFromCorners(a.X, a.Y, b.X, b.Y);
    if (FFillStyle == bsSolid) {
        Canvas.Pen.Style = FLineStyle;
        Canvas.Pen.Width = 1;
        Canvas.Rectangle(box);
    } else if (FFillStyle == bsClear) {
        edges(FLineWidth);
    } else {
        Canvas.Pen.Style = psClear;
        Canvas.Rectangle(box);
        edges(1);
    }
}

void TcPlotLimit::DrawPolyBand(TCanvas& Canvas, TcPlotAxis& positionAxis, TcPlotAxis& limitAxis)
{
    if (FElements.Count() < 2)
        return;
    Canvas.Pen.Color = FColor;
    Canvas.Pen.Width = 1;
    Canvas.Pen.Style = psSolid;
    Canvas.Brush.Color = FColor;
    Canvas.Brush.Style = FFillStyle;
    const double lo = positionAxis.Min(), hi = positionAxis.Max();
    auto pt = [&](double position, double limit) {
        return At(limitAxis.PositionToPixels(limit), positionAxis.PositionToPixels(position));
    };
    for (int i = 1; i < FElements.Count(); ++i) {
        const double pa = FElements.First(i - 1), pb = FElements.First(i);
        if (pa < lo && pb < lo)
            continue;
        if (pa > hi)
            break;
        const TPoint ua = pt(pa, FElements.Second(i - 1)), ub = pt(pb, FElements.Second(i));
        const TPoint lb = pt(pb, FElements.Third(i)), la = pt(pa, FElements.Third(i - 1));
        if (FFillStyle == bsSolid) {
            Canvas.Polygon({ua, ub, lb, la});
        } else {
            Canvas.Pen.Style = psClear;
            Canvas.Polygon({ua, ub, lb, la});
            Canvas.Pen.Style = psSolid;
            Canvas.MoveTo(ua.X, ua.Y);
            Canvas.LineTo(ub.X, ub.Y);
            Canvas.MoveTo(la.X, la.Y);
            Canvas.LineTo(lb.X, lb.Y);
        }
    }
}

bool TcPlotLimit::iHitTest(const TcPlotMouseData& M)
{
    if (FSelectModeOnlyInteraction && !(FOwner && FOwner->SelectModeActive()))
        return false;
    const TPoint p{M.X, M.Y};
    return (FLine[0].Shown && FLine[0].Grab.Contains(p)) || (FLine[1].Shown && FLine[1].Grab.Contains(p));
}

int TcPlotLimit::GetMouseCursor(TPoint)
{
    int cursor = 0;
    if (FUserCanMove) {
        cursor = -21;
        if (FLine[0].Shown && FLine[1].Shown)
            cursor = IsXStyle() != XYAxesReversed() ? -9 : -7;
    }
    return CustomizeMouseCursor(cursor);
}

void TcPlotLimit::FillPopupMenu(TcPopupMenu& Menu)
{
    TcPlotObject::FillPopupMenu(Menu);
    AddEditMenuItem(Menu);
}

void TcPlotLimit::DoMouseLeft(const TcPlotMouseData& M)
{
    if (!FUserCanMove)
        return;
    const TPoint p{M.X, M.Y};
    if (FLine[0].Shown && FLine[0].Grab.Contains(p))
        FLine[0].Held = true;
    else if (FLine[1].Shown && FLine[1].Grab.Contains(p))
        FLine[1].Held = true;
    else
        return;
    DoInvalidateNow();
}

void TcPlotLimit::DoMouseMove(const TcPlotMouseData& M)
{
    TcPlotAxis* axis = IsXStyle() ? XAxis() : YAxis();
    if (!axis)
        return;
    // A dragged line stays on its axis, where it can be seen and grabbed again.
    const double v = std::clamp(axis->PixelsToPosition(IsXStyle() ? M.XAxisPixels : M.YAxisPixels),
                                axis->Min(), axis->Max());
    for (int i = 0; i < 2; ++i)
        if (FLine[i].Held)
            SetLinePosition(i, v);
}

void TcPlotLimit::DoMouseUp(const TcPlotMouseData& M)
{
    FLine[0].Held = FLine[1].Held = false;
    if (FMouseDown && iHitTest(M))
        FireEvent(M.DblClickActive ? TcPlotEventKind::DblClick : TcPlotEventKind::Click);
}

} // namespace chart
