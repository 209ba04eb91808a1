// The channel base's drawing: trace, clipped segments, markers and the geometry helpers.
#include "chart/axes/PlotAxis.h"
#include "chart/channels/PlotChannelCustom.h"
#include "chart/objects/MasterManager.h"
#include "chart/objects/PlotDataView.h"

#include <algorithm>
#include <cstdlib>

namespace chart
{

using namespace fw;

namespace
{

int TracePenWidth(int width)
{
    return width == 1 ? 0 : width;
}

} // namespace

double TcPlotChannelCustom::InterpolateYAtX(double X1, double Y1, double X2, double Y2, double X)
{
    if (X1 == X2)
        return 0;
    const double slope = (Y2 - Y1) / (X2 - X1);
    return slope * X + (Y1 - slope * X1);
}

double TcPlotChannelCustom::InterpolateXAtY(double X1, double Y1, double X2, double Y2, double Y)
{
    if (X1 == X2)
        return X1;
    const double slope = (Y2 - Y1) / (X2 - X1);
    return (Y - (Y1 - slope * X1)) / slope;
}

void TcPlotChannelCustom::DrawTrace(TCanvas& Canvas, bool XYAxesReversed, TColor BackGroundColor)
{
    if (!TraceVisible())
        return;
    Canvas.Pen.Color = Color();
    Canvas.Brush.Style = bsClear;
    Canvas.Pen.Style = TPenStyle(TraceLineStyle());
    Canvas.Pen.Width = TracePenWidth(TraceLineWidth());
    if (FStopIndex <= FStartIndex)
        return;
    bool broken = true;
    double px = 0, py = 0;
    // The pen of the segment drawn last: a run of segments of one style sets it once.
    bool styled = false;
    TColor runColor = 0;
    TcPlotLineStyle runStyle = iplsSolid;
    int runWidth = 0;
    const TcPlotDataCustomList& data = DataList();
    ForEachDrawnPoint([&](double) { broken = true; },
                      [&](int i, double x, double y) {
                          if (broken) {
                              broken = false;
                          } else {
                              const TcPlotPointStyle style = data.GetPointStyle(i);
                              if (!styled || style.TraceLineColor != runColor ||
                                  style.TraceLineStyle != runStyle || style.TraceLineWidth != runWidth) {
                                  styled = true;
                                  runColor = style.TraceLineColor;
                                  runStyle = style.TraceLineStyle;
                                  runWidth = style.TraceLineWidth;
                                  Canvas.Pen.Color = runColor;
                                  Canvas.Pen.Style = TPenStyle(runStyle);
                                  Canvas.Pen.Width = TracePenWidth(runWidth);
                                  Canvas.Brush.Color = BackGroundColor;
                              }
                              DrawClippedLine(Canvas, XYAxesReversed, px, py, x, y, false);
                          }
                          px = x;
                          py = y;
                      });
}

void TcPlotChannelCustom::ClipToYRange(double& x1, double& y1, double& x2, double& y2, double YMin,
                                       double YMax)
{
    const double cx1 = x1, cy1 = y1, cx2 = x2, cy2 = y2;
    if (y1 > YMax) {
        x1 = InterpolateXAtY(cx1, cy1, cx2, cy2, YMax);
        y1 = YMax;
    } else if (y1 < YMin) {
        x1 = InterpolateXAtY(cx1, cy1, cx2, cy2, YMin);
        y1 = YMin;
    }
    if (y2 > YMax) {
        x2 = InterpolateXAtY(x1, y1, cx2, cy2, YMax);
        y2 = YMax;
    } else if (y2 < YMin) {
        x2 = InterpolateXAtY(x1, y1, cx2, cy2, YMin);
        y2 = YMin;
    }
}

void TcPlotChannelCustom::DrawClippedLine(TCanvas& Canvas, bool XYAxesReversed, double X1, double Y1,
                                          double X2, double Y2, bool YInPercent)
{
    TcPlotAxis* xa = GetXAxis();
    TcPlotAxis* ya = GetYAxis();
    if (!xa || (!ya && !YInPercent))
        return;
    double x1 = X1, y1 = Y1, x2 = X2, y2 = Y2;
    if (x2 < x1) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    const double XMin = xa->Min(), XMax = xa->Max();
    const bool xIn = (x1 < XMin && x2 > XMax) || (XMin <= x1 && x1 <= XMax) || (XMin <= x2 && x2 <= XMax);
    const bool clipY = !YInPercent && ClipToAxes();
    double YMin = 0, YMax = 0;
    bool yIn = true;
    if (clipY) {
        YMin = ya->Min();
        YMax = ya->Max();
        yIn = (y1 < YMin && y2 > YMax) || (y1 > YMax && y2 < YMin) || (YMin <= y1 && y1 <= YMax) ||
              (YMin <= y2 && y2 <= YMax);
    }
    if (!xIn || !yIn)
        return;
    const double ox1 = x1, oy1 = y1, ox2 = x2, oy2 = y2;
    if (x1 < XMin) {
        y1 = InterpolateYAtX(ox1, oy1, ox2, oy2, XMin);
        x1 = XMin;
    }
    if (x2 > XMax) {
        y2 = InterpolateYAtX(ox1, oy1, ox2, oy2, XMax);
        x2 = XMax;
    }
    bool on1, on2;
    if (!clipY) {
        on1 = xa->ValueOnScale(x1);
        on2 = xa->ValueOnScale(x2);
    } else {
        ClipToYRange(x1, y1, x2, y2, YMin, YMax);
        on1 = xa->ValueOnScale(x1) && ya->ValueOnScale(y1);
        on2 = xa->ValueOnScale(x2) && ya->ValueOnScale(y2);
    }
    if (!ClipToAxes())
        on1 = on2 = true;
    if (!on1 || !on2)
        return;
    const int px1 = xa->PositionToPixels(x1), px2 = xa->PositionToPixels(x2);
    int py1, py2;
    if (YInPercent) {
        TcPlotDataView* dv = nullptr;
        if (FOwner && FOwner->Master().DataViewManager() && FOwner->Master().DataViewManager()->Count() > 0)
            dv = FOwner->Master().DataViewManager()->GetItem(0);
        if (!dv)
            return;
        py1 = XYAxesReversed ? dv->PositionPercentToPixelsX(y1) : dv->PositionPercentToPixelsY(y1);
        py2 = XYAxesReversed ? dv->PositionPercentToPixelsX(y2) : dv->PositionPercentToPixelsY(y2);
    } else {
        py1 = ya->PositionToPixels(y1);
        py2 = ya->PositionToPixels(y2);
    }
    if (XYAxesReversed) {
        Canvas.MoveTo(py1, px1);
        Canvas.LineTo(py2, px2);
    } else {
        Canvas.MoveTo(px1, py1);
        Canvas.LineTo(px2, py2);
    }
}

bool TcPlotChannelCustom::IsMarkerShown(int Index)
{
    if (!MarkersVisible() || GetPointNull(Index) || GetPointEmpty(Index) || !GetXAxis() || !GetYAxis())
        return false;
    if (MarkersAllowIndividual() && !GetPointMarkerVisible(Index))
        return false;
    if (ClipToAxes() &&
        (!GetXAxis()->ValueOnScale(GetPointX(Index)) || !GetYAxis()->ValueOnScale(GetPointY(Index))))
        return false;
    return true;
}

TPoint TcPlotChannelCustom::GetPointPixels(int Index)
{
    const int px = GetXAxis()->PositionToPixels(GetPointX(Index));
    const int py = GetYAxis()->PositionToPixels(GetPointY(Index));
    return XYAxesReversed() ? TPoint{py, px} : TPoint{px, py};
}

TRect TcPlotChannelCustom::GetMarkerRect(int Index)
{
    const TPoint c = GetPointPixels(Index);
    const int r = MarkersAllowIndividual() ? DataList().GetPointStyle(Index).MarkerSize : MarkersSize();
    return {c.X - r, c.Y - r, c.X + r, c.Y + r};
}

void TcPlotChannelCustom::DrawMarkers(TCanvas& Canvas, bool, TColor BackGroundColor)
{
    if (!MarkersVisible())
        return;
    Canvas.Font.Assign(MarkersFont());
    if (MarkersTurnOffLimit() > 0 && std::abs(FStopIndex - FStartIndex) > MarkersTurnOffLimit())
        return;
    if (FStopIndex < FStartIndex)
        return;
    for (int i = FStartIndex; i <= FStopIndex; ++i)
        if (IsMarkerShown(i))
            DrawMarker(Canvas, i, BackGroundColor, GetPointPixels(i));
}

void TcPlotChannelCustom::DrawMarker(TCanvas& Canvas, int Index, TColor BackGroundColor, TPoint Center)
{
    if (!MarkersVisible())
        return;
    const TcPlotPointStyle& stored = DataList().Stored();
    TcPlotPointStyle style = stored;
    int r = MarkersSize();
    if (Index == -1) {
        r = std::min(r, 6);
    } else if (MarkersAllowIndividual()) {
        style = DataList().GetPointStyle(Index);
        r = style.MarkerSize;
    }
    Canvas.Pen.Width = style.MarkerPenWidth;
    Canvas.Pen.Style = TPenStyle(style.MarkerPenStyle);
    Canvas.Pen.Color = MarkersPenUseChannelColor() ? Color() : style.MarkerPenColor;
    Canvas.Brush.Color = MarkersBrushUseChannelColor() ? Color() : style.MarkerBrushColor;
    Canvas.Brush.Style = TBrushStyle(style.MarkerBrushStyle);
    const int cx = Center.X, cy = Center.Y;
    switch (Index == -1 || !MarkersAllowIndividual() ? MarkersStyle() : style.MarkerStyle) {
    case ipmsCircle:
        Canvas.Ellipse(cx - r, cy - r, cx + r, cy + r);
        break;
    case ipmsSquare:
        Canvas.Rectangle(cx - r, cy - r, cx + r, cy + r);
        break;
    case ipmsDiamond:
        Canvas.Polygon({{cx + r, cy}, {cx, cy + r}, {cx - r, cy}, {cx, cy - r}});
        break;
    case ipmsCross:
        Canvas.Polyline({{cx + r, cy + r}, {cx - r, cy - r}});
        Canvas.Polyline({{cx + r, cy - r}, {cx - r, cy + r}});
        break;
    case ipmsPlus:
        Canvas.Polyline({{cx, cy + r}, {cx, cy - r}});
        Canvas.Polyline({{cx + r, cy}, {cx - r, cy}});
        break;
    case ipmsTriangleUp:
        Canvas.Polygon({{cx - r, cy + r}, {cx, cy}, {cx + r, cy + r}});
        break;
    case ipmsTriangleDown:
        Canvas.Polygon({{cx - r, cy - r}, {cx, cy}, {cx + r, cy - r}});
        break;
    case ipmsTriangleLeft:
        Canvas.Polygon({{cx + r, cy - r}, {cx, cy}, {cx + r, cy + r}});
        break;
    case ipmsTriangleRight:
        Canvas.Polygon({{cx - r, cy - r}, {cx, cy}, {cx - r, cy + r}});
        break;
    case ipmsVerticalLine:
        Canvas.Polyline({{cx, cy - r}, {cx, cy + r}});
        break;
    case ipmsHorizontalLine:
        Canvas.Polyline({{cx - r, cy}, {cx + r, cy}});
        break;
    case ipmsCharacter: {
        const QChar ch =
            Index == -1 ? stored.MarkerCharacter : DataList().GetPointStyle(Index).MarkerCharacter;
        if (ch.isNull())
            break;
        Canvas.Brush.Style = bsClear;
        TRect rect{cx, cy, cx, cy};
        DrawTextInRect(Canvas, QString(ch), rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP, true,
                       BackGroundColor);
        break;
    }
    }
}

void TcPlotChannelCustom::DrawQuad(TCanvas& Canvas, bool XYAxesReversed, const double (&A)[2],
                                   const double (&B)[2], const double (&C)[2], const double (&D)[2])
{
    TcPlotAxis* xa = GetXAxis();
    TcPlotAxis* ya = GetYAxis();
    if (!xa || !ya)
        return;
    auto corner = [&](const double(&p)[2]) {
        const int px = xa->PositionToPixels(p[0]), py = ya->PositionToPixels(p[1]);
        return XYAxesReversed ? TPoint{py, px} : TPoint{px, py};
    };
    Canvas.Polygon({corner(A), corner(B), corner(C), corner(D)});
}

TRect TcPlotChannelCustom::ValuesToPixelRect(double X1, double Y1, double X2, double Y2)
{
    int x1 = GetXAxis()->PositionToPixels(X1), x2 = GetXAxis()->PositionToPixels(X2);
    int y1 = GetYAxis()->PositionToPixels(Y1), y2 = GetYAxis()->PositionToPixels(Y2);
    if (x2 < x1)
        std::swap(x1, x2);
    if (y2 < y1)
        std::swap(y1, y2);
    return XYAxesReversed() ? TRect{y1, x1, y2, x2} : TRect{x1, y1, x2, y2};
}

} // namespace chart
