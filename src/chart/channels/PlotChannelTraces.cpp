// The strip chart channel's drawing: draw preparation, area fill, bars, the traces in their styles,
// markers and the high/low marks. Every geometry goes through the base's clipped line and
// quadrilateral in axis values.
#include "chart/axes/PlotAxis.h"
#include "chart/channels/PlotChannel.h"
#include "chart/core/ChartError.h"
#include "chart/core/ChartMath.h"
#include "chart/core/PlotDataHolders.h"

#include <QDebug>
#include <algorithm>

namespace chart
{

using namespace fw;

void TcPlotChannel::PrepareDraw()
{
    SetCanDraw(false);
    TcPlotAxis* xa = GetXAxis();
    TcPlotAxis* ya = GetYAxis();
    if (!xa || !ya || !Visible() || Count() == 0)
        return;
    UpdateXIncreasing();
    if (!FDrawOutOfOrderXValues) {
        const double first = GetPointX(0), last = GetPointX(Count() - 1);
        const bool off =
            FXIncreasing ? (last < xa->Min() || first > xa->Max()) : (first < xa->Min() || last > xa->Max());
        if (off)
            return;
    }
    CalcStartIndex();
    CalcStopIndex();
    const bool step =
        FInterpolationStyle == ipistDifferential || FInterpolationStyle == ipistDifferentialTerminated;
    if (!step && (FStartIndex == -1 || FStopIndex == -1))
        return;
    auto level = [&](double v) {
        return ya->PositionToPixels(FDigitalReferenceStyle == ipdrPercent ? ya->Min() + ya->Span() * v / 100
                                                                          : v);
    };
    FPixelsHigh = level(FDigitalReferenceHigh);
    FPixelsLow = level(FDigitalReferenceLow);
    FPixelListStart = std::min(xa->MinPixels(), xa->MaxPixels());
    FPixelListStop = std::max(xa->MinPixels(), xa->MaxPixels());
    const std::size_t need = std::size_t(FPixelListStop - FPixelListStart + 1);
    if (FPixelList.size() < need)
        FPixelList.resize(need);
    for (TcPlotPixelPoint& p : FPixelList)
        p.Null = true;
    SetCanDraw(true);
}

void TcPlotChannel::Draw(TCanvas& Canvas, TColor BackGroundColor)
{
    const bool R = XYAxesReversed();
    try {
        if (ClipToAxes()) {
            TcPlotAxis* h = R ? GetYAxis() : GetXAxis();
            TcPlotAxis* v = R ? GetXAxis() : GetYAxis();
            Canvas.IntersectClipRect(
                RectFromCorners(h->MinPixels(), v->MinPixels(), h->MaxPixels(), v->MaxPixels()));
        }
        DrawAreaFill(Canvas, R);
        DrawBars(Canvas);
        DrawTrace(Canvas, R, BackGroundColor);
        DrawMarkers(Canvas, R, BackGroundColor);
        if (FHighLowEnabled && FStartIndex >= 0 && FStopIndex >= 0) {
            Canvas.Pen.Width = 0;
            Canvas.Pen.Style = psSolid;
            Canvas.Brush.Style = bsSolid;
            if (FHighLowStyle == iphlsOpenClose)
                DrawOpenClose(Canvas);
            else
                DrawCandleSticks(Canvas);
        }
    } catch (const std::exception& e) {
        // The rest of this channel waits for the next paint.
#ifndef NDEBUG
        qDebug() << "channel" << Name() << "not drawn:" << e.what();
#else
        (void)e;
#endif
    }
}

void TcPlotChannel::RecordPixel(int Column, double Y)
{
    if (Column < FPixelListStart || Column > FPixelListStop ||
        std::size_t(Column - FPixelListStart) >= FPixelList.size())
        throw EChartError(QStringLiteral("Pixel List XPixel out of Range"));
    TcPlotPixelPoint& p = FPixelList[std::size_t(Column - FPixelListStart)];
    p.Null = false;
    p.YValue = Y;
}

TRect TcPlotChannel::AxisRect(int x1, int y1, int x2, int y2) const
{
    if (x2 < x1)
        std::swap(x1, x2);
    if (y2 < y1)
        std::swap(y1, y2);
    return XYAxesReversed() ? TRect{y1, x1, y2, x2} : TRect{x1, y1, x2, y2};
}

void TcPlotChannel::DrawAreaFill(TCanvas& Canvas, bool R)
{
    if (!FFillEnabled || FFillStyle == bsClear || FInterpolationStyle != ipistStraightLine ||
        FDigitalEnabled || FStartIndex < 0 || FStopIndex < 0)
        return;
    Canvas.Brush.Style = TBrushStyle(FFillStyle);
    Canvas.Brush.Color = FillBrushColor();
    Canvas.Pen.Color = FillBrushColor();
    Canvas.Pen.Width = 0;
    Canvas.Pen.Style = psClear;
    bool have = false;
    double px = 0, py = 0;
    ForEachDrawnPoint(
        [&](double) { have = false; },
        [&](int, double x, double y) {
            if (have)
                DrawQuad(Canvas, R, {x, FFillReference}, {x, y}, {px, py}, {px, FFillReference});
            have = true;
            px = x;
            py = y;
        });
}

void TcPlotChannel::DrawBars(TCanvas& Canvas)
{
    if (!FBarEnabled || FStartIndex < 0 || FStopIndex < 0)
        return;
    for (int i = FStartIndex; i <= FStopIndex; ++i) {
        if (!IsPointValid(i))
            continue;
        const TcPlotPointStyle s = DataList().GetPointStyle(i);
        if (!s.BarVisible)
            continue;
        Canvas.Brush.Color = FBarBrushUseChannelColor ? Color() : s.BarBrushColor;
        Canvas.Pen.Color = FBarPenUseChannelColor ? Color() : s.BarPenColor;
        Canvas.Pen.Width = s.BarPenWidth;
        Canvas.Pen.Style = TPenStyle(s.BarPenStyle);
        Canvas.Brush.Style = TBrushStyle(s.BarBrushStyle);
        TRect r = GetBarRect(i);
        // Along the X axis a bar is at least one pixel wide.
        if (XYAxesReversed()) {
            if (r.Top == r.Bottom)
                ++r.Bottom;
        } else if (r.Left == r.Right) {
            ++r.Right;
        }
        Canvas.Rectangle(r);
    }
}

void TcPlotChannel::DrawTrace(TCanvas& Canvas, bool R, TColor BackGroundColor)
{
    if (!TraceVisible())
        return;
    Canvas.Pen.Color = Color();
    Canvas.Brush.Style = bsClear;
    Canvas.Pen.Style = TPenStyle(TraceLineStyle());
    Canvas.Pen.Width = TraceLineWidth() == 1 ? 0 : TraceLineWidth();
    Canvas.Brush.Color = BackGroundColor;
    if (FDigitalEnabled) {
        DrawDigitalTrace(Canvas, R);
        return;
    }
    switch (FInterpolationStyle) {
    case ipistStraightLine:
        if (FFastDrawEnabled)
            DrawFastTrace(Canvas, R);
        else
            TcPlotChannelCustom::DrawTrace(Canvas, R, BackGroundColor);
        break;
    case ipistCubicSpline:
    case ipistPolynomial:
    case ipistRational:
        DrawCurveTrace(Canvas, R);
        break;
    case ipistDifferential:
    case ipistDifferentialTerminated:
        DrawStepTrace(Canvas, R);
        break;
    }
}

void TcPlotChannel::DrawFastTrace(TCanvas& Canvas, bool R)
{
    if (FStartIndex == FStopIndex || FStartIndex < 0)
        return;
    TcPlotAxis* xa = GetXAxis();
    TcPlotMinMaxPoint A, B, C;
    auto stroke = [&](const TcPlotMinMaxPoint& P) {
        if (!P.Empty && P.YMin != P.YMax)
            DrawClippedLine(Canvas, R, P.XValue, P.YMin, P.XValue, P.YMax, false);
    };
    auto flush = [&] {
        stroke(A);
        stroke(B);
        if (!A.Empty && !B.Empty)
            DrawClippedLine(Canvas, R, A.XValue, A.YLast, B.XValue, B.YFirst, false);
        if (!B.Empty && !C.Empty)
            DrawClippedLine(Canvas, R, B.XValue, B.YLast, C.XValue, C.YFirst, false);
    };
    ForEachDrawnPoint(
        [&](double) {
            flush();
            A.Clear();
            B.Clear();
            C.Clear();
        },
        [&](int, double x, double y) {
            const int p = xa->PositionToPixels(x);
            if (A.Empty || p == A.XPixels) {
                A.AddData(p, x, y);
            } else if (B.Empty || p == B.XPixels) {
                B.AddData(p, x, y);
            } else {
                C.AddData(p, x, y);
                flush();
                A.AssignDown(C);
                B.Clear();
                C.Clear();
            }
        });
    flush();
}

void TcPlotChannel::DrawCurveTrace(TCanvas& Canvas, bool R)
{
    std::vector<double> X{0}, Y{0};
    if (FInterpolationStyle != ipistCubicSpline) {
        // Only the valid points carry the curve: a gap's stored zero would bend it.
        for (int i = 0; i < Count(); ++i)
            if (IsPointValid(i)) {
                X.push_back(GetPointX(i));
                Y.push_back(GetPointY(i));
            }
        DrawCurveRun(Canvas, R, X, Y);
        return;
    }
    for (int i = 0; i <= Count(); ++i) {
        if (i < Count() && GetPointEmpty(i))
            continue;
        if (i == Count() || GetPointNull(i)) {
            DrawCurveRun(Canvas, R, X, Y);
            X.resize(1);
            Y.resize(1);
            continue;
        }
        X.push_back(GetPointX(i));
        Y.push_back(GetPointY(i));
    }
}

void TcPlotChannel::DrawCurveRun(TCanvas& Canvas, bool R, std::vector<double> X, std::vector<double> Y)
{
    const int n = int(X.size()) - 1;
    if (n < 2)
        return;
    // The spline's search needs ascending X.
    if (X[1] > X[n]) {
        std::reverse(X.begin() + 1, X.end());
        std::reverse(Y.begin() + 1, Y.end());
    }
    TcPlotAxis* xa = GetXAxis();
    // Both ends are kept on the axis, whichever way X runs; a run wholly off the axis draws nothing.
    const double lo = std::min(X[1], X[n]), hi = std::max(X[1], X[n]);
    if (hi < xa->Min() || lo > xa->Max())
        return;
    const double x0 = std::max(lo, xa->Min()), x1 = std::min(hi, xa->Max());
    int p0 = xa->PositionToPixels(x0), p1 = xa->PositionToPixels(x1);
    if (p1 < p0)
        std::swap(p0, p1);
    std::vector<double> y2;
    if (FInterpolationStyle == ipistCubicSpline)
        Spline(X, Y, n, y2);
    auto curve = [&](double x) {
        double y = 0, dy = 0;
        if (FInterpolationStyle == ipistCubicSpline)
            return Splint(X, Y, y2, n, x);
        if (FInterpolationStyle == ipistPolynomial)
            Polint(X, Y, n, x, y, dy);
        else
            Ratint(X, Y, n, x, y, dy);
        return y;
    };
    const TColor brush = FillBrushColor();
    const TColor pen = Color();
    const bool fill = FFillEnabled && FFillStyle != bsClear;
    Canvas.Brush.Style = TBrushStyle(FFillStyle);
    Canvas.Brush.Color = brush;
    auto fillColumn = [&](double x, double y) {
        Canvas.Pen.Color = brush;
        DrawClippedLine(Canvas, R, x, FFillReference, x, y, false);
        Canvas.Pen.Color = pen;
    };
    double px = xa->PixelsToPosition(p0), py = curve(px);
    if (fill) {
        fillColumn(px, py);
        RecordPixel(p0, py);
    }
    for (int p = p0; p <= p1; ++p) {
        const double x = xa->PixelsToPosition(p), y = curve(x);
        if (fill)
            fillColumn(x, y);
        DrawClippedLine(Canvas, R, px, py, x, y, false);
        RecordPixel(xa->PositionToPixels(x), y);
        px = x;
        py = y;
    }
}

void TcPlotChannel::DrawStepTrace(TCanvas& Canvas, bool R)
{
    if (Count() == 0)
        return;
    const TColor brush = FillBrushColor();
    const TColor pen = Color();
    const bool fill = FFillEnabled && FFillStyle != bsClear;
    Canvas.Brush.Style = TBrushStyle(FFillStyle);
    Canvas.Brush.Color = brush;
    bool have = false;
    double px = 0, py = 0;
    auto level = [&](double x) {
        if (fill) {
            Canvas.Pen.Color = brush;
            DrawQuad(Canvas, R, {px, FFillReference}, {px, py}, {x, py}, {x, FFillReference});
            Canvas.Pen.Color = pen;
        }
        DrawClippedLine(Canvas, R, px, py, x, py, false);
    };
    if (FStartIndex == -1 || FStopIndex == -1) {
        for (int i = Count() - 1; i >= 0 && !have; --i)
            if (IsPointValid(i)) {
                have = true;
                px = GetPointX(i);
                py = GetPointY(i);
            }
    } else {
        ForEachDrawnPoint(
            [&](double x) {
                if (have)
                    level(x);
                have = false;
            },
            [&](int, double x, double y) {
                if (have) {
                    level(x);
                    DrawClippedLine(Canvas, R, x, py, x, y, false);
                }
                have = true;
                px = x;
                py = y;
            });
    }
    if (have && FInterpolationStyle == ipistDifferential)
        DrawClippedLine(Canvas, R, px, py, GetXAxis()->Max(), py, false);
}

void TcPlotChannel::DrawDigitalTrace(TCanvas& Canvas, bool R)
{
    TDigitalSequenceData run;
    run.Clear();
    if (FStartIndex == FStopIndex || FStartIndex < 0)
        return;
    const bool percent = FDigitalReferenceStyle == ipdrPercent;
    const TColor brush = FillBrushColor();
    const TColor pen = Color();
    Canvas.Brush.Style = TBrushStyle(FFillStyle);
    Canvas.Brush.Color = brush;
    auto fillTo = [&](double L, double x) {
        if (!FFillEnabled)
            return;
        Canvas.Pen.Color = brush;
        DrawQuad(Canvas, R, {run.StartXValue, FFillReference}, {run.StartXValue, L}, {x, L},
                 {x, FFillReference});
        Canvas.Pen.Color = pen;
    };
    auto flush = [&] {
        const double L = run.StartYValue ? FDigitalReferenceHigh : FDigitalReferenceLow;
        const double other = run.StartYValue ? FDigitalReferenceLow : FDigitalReferenceHigh;
        if (run.TransitionSet) {
            fillTo(L, run.TransitionXValue);
            DrawClippedLine(Canvas, R, run.StartXValue, L, run.TransitionXValue, L, percent);
            DrawClippedLine(Canvas, R, run.TransitionXValue, L, run.TransitionXValue, other, percent);
        } else if (run.StartSet && run.StopSet) {
            fillTo(L, run.StopXValue);
            DrawClippedLine(Canvas, R, run.StartXValue, L, run.StopXValue, L, percent);
        }
        run.Clear();
    };
    ForEachDrawnPoint([&](double) { flush(); },
                      [&](int, double x, double y) {
                          const bool s = y != 0;
                          if (!run.StartSet) {
                              run.StartSet = true;
                              run.StartXValue = x;
                              run.StartYValue = s;
                          } else if (s == run.StartYValue) {
                              run.StopSet = true;
                              run.StopXValue = x;
                          } else {
                              run.TransitionSet = true;
                              run.TransitionXValue = x;
                              flush();
                              run.StartSet = true;
                              run.StartXValue = x;
                              run.StartYValue = s;
                          }
                      });
    flush();
}

void TcPlotChannel::DrawMarkers(TCanvas& Canvas, bool XYAxesReversed, TColor BackGroundColor)
{
    if (FStartIndex == -1 || FStopIndex == -1 || !MarkersVisible())
        return;
    if (!FDigitalEnabled) {
        TcPlotChannelCustom::DrawMarkers(Canvas, XYAxesReversed, BackGroundColor);
        return;
    }
    TcPlotAxis* xa = GetXAxis();
    TcPlotAxis* ya = GetYAxis();
    Canvas.Font.Assign(MarkersFont());
    for (int i = FStartIndex; i <= FStopIndex; ++i) {
        const double x = GetPointX(i), y = GetPointY(i);
        if (!IsPointValid(i) || !GetPointMarkerVisible(i) || !xa->ValueOnScale(x) || !ya->ValueOnScale(y))
            continue;
        const int px = xa->PositionToPixels(x), py = y != 0 ? FPixelsHigh : FPixelsLow;
        DrawMarker(Canvas, i, BackGroundColor, XYAxesReversed ? TPoint{py, px} : TPoint{px, py});
    }
}

void TcPlotChannel::DrawOpenClose(TCanvas& Canvas)
{
    TcPlotAxis* xa = GetXAxis();
    TcPlotAxis* ya = GetYAxis();
    const TcPlotDataCustomList& data = DataList();
    auto tick = [&](double value, double width, double height, TColor color, int c, bool right) {
        const int o = xa->WidthToPixels(width), t = ya->WidthToPixels(height),
                  y = ya->PositionToPixels(value);
        int top = y - t / 2, bottom = y + t - t / 2 - 1;
        if (top == bottom)
            ++bottom;
        int left = right ? c : c - o + 1, rightEdge = right ? c + o - 1 : c;
        if (o == 1)
            rightEdge = c + 1, left = c;
        Canvas.Pen.Color = color;
        Canvas.Brush.Color = color;
        Canvas.Rectangle(AxisRect(left, top, rightEdge, bottom));
    };
    for (int i = FStartIndex; i <= FStopIndex; ++i) {
        if (!IsPointValid(i))
            continue;
        const int x = xa->PositionToPixels(GetPointX(i));
        const int b = xa->WidthToPixels(FHighLowSize[hlBarWidth]), h = b / 2;
        const int left = x - h, right = b == 0 ? left + 1 : x + b - h;
        const int yL = ya->PositionToPixels(data.GetLow(i));
        int yH = ya->PositionToPixels(data.GetHigh(i));
        if (yH == yL)
            yH = yL + 1;
        const int c = (left + right) / 2;
        if (FHighLowOpenShow)
            tick(data.GetOpen(i), FHighLowSize[hlOpenWidth], FHighLowSize[hlOpenHeight],
                 FHighLowColor[hlOpen], c, false);
        if (FHighLowCloseShow)
            tick(data.GetClose(i), FHighLowSize[hlCloseWidth], FHighLowSize[hlCloseHeight],
                 FHighLowColor[hlClose], c, true);
        Canvas.Pen.Color = FHighLowColor[hlBar];
        Canvas.Brush.Color = FHighLowColor[hlBar];
        Canvas.Rectangle(AxisRect(left, yL, right, yH));
    }
}

void TcPlotChannel::DrawCandleSticks(TCanvas& Canvas)
{
    TcPlotAxis* xa = GetXAxis();
    TcPlotAxis* ya = GetYAxis();
    const bool R = XYAxesReversed();
    const TcPlotDataCustomList& data = DataList();
    const int g = xa->WidthToPixels(FHighLowSize[hlBarWidth]) / 2;
    for (int i = FStartIndex; i <= FStopIndex; ++i) {
        if (!IsPointValid(i))
            continue;
        const int x = xa->PositionToPixels(GetPointX(i));
        const int yH = ya->PositionToPixels(data.GetHigh(i)), yL = ya->PositionToPixels(data.GetLow(i));
        Canvas.Pen.Color = FHighLowColor[hlShadow];
        if (R) {
            Canvas.MoveTo(yH, x);
            Canvas.LineTo(yL, x);
        } else {
            Canvas.MoveTo(x, yH);
            Canvas.LineTo(x, yL);
        }
        const int yO = ya->PositionToPixels(data.GetOpen(i));
        int yC = ya->PositionToPixels(data.GetClose(i));
        if (yO == yC)
            ++yC;
        Canvas.Brush.Color =
            data.GetOpen(i) > data.GetClose(i) ? FHighLowColor[hlBearish] : FHighLowColor[hlBullish];
        Canvas.Rectangle(AxisRect(x - g, yO, x + g + 1, yC));
    }
}

} // namespace chart
