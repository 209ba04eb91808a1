#include "chart/view/XYPlot.h"

#include "chart/view/ChartDefaults.h"

#include <cmath>
#include <limits>

namespace chart
{

using namespace fw;

// TcXYPlotChannel.

TcXYPlotChannel::TcXYPlotChannel(TcPlotOwner* AOwner, const TcPlotHandlers& handlers)
    : TcPlotChannelOPC(AOwner, handlers)
{
}

const TPropertyTable& TcXYPlot::PropertyTable() const
{
    return TitledChartTable();
}

const TPropertyTable& TcXYPlotChannel::PropertyTable() const
{
    static const TPropertyTable table = [] {
        TPropertyTable t(&TcPlotChannelCustom::ClassTable());
        DeclareOPCProperties(t);
        return t;
    }();
    return table;
}

int TcXYPlotChannel::AddNull()
{
    return AddPoint(0, 0, true, false);
}
int TcXYPlotChannel::AddEmpty()
{
    return AddPoint(0, 0, false, true);
}

void TcXYPlotChannel::PrepareDraw()
{
    TcPlotObject::PrepareDraw();
    bool can = GetXAxis() && GetYAxis() && Visible() && Count() > 0;
    if (can) {
        CalcStartIndex();
        CalcStopIndex();
        can = FStartIndex != -1 && FStopIndex != -1;
    }
    SetCanDraw(can);
}

void TcXYPlotChannel::Draw(TCanvas& Canvas, TColor BackGroundColor)
{
    if (ClipToAxes()) {
        TcPlotAxis* h = XYAxesReversed() ? GetYAxis() : GetXAxis();
        TcPlotAxis* v = XYAxesReversed() ? GetXAxis() : GetYAxis();
        if (h && v)
            Canvas.IntersectClipRect(
                RectFromCorners(h->MinPixels(), v->MinPixels(), h->MaxPixels(), v->MaxPixels()));
    }
    DrawTrace(Canvas, XYAxesReversed(), BackGroundColor);
    DrawMarkers(Canvas, XYAxesReversed(), BackGroundColor);
}

double TcXYPlotChannel::ZoomExtent(bool x, double sign)
{
    CalcStartIndex();
    CalcStopIndex();
    double result = sign > 0 ? -1e300 : 1e300;
    if (!GetXAxis() || !GetYAxis() || !Visible() || Count() == 0)
        return result;
    for (int i = 0; i < Count(); ++i) {
        if (!IsPointValid(i))
            continue;
        const double v = x ? (sign > 0 ? GetMarkerXMax(i) : GetMarkerXMin(i))
                           : (sign > 0 ? GetMarkerYMax(i) : GetMarkerYMin(i));
        result = sign > 0 ? std::max(result, v) : std::min(result, v);
    }
    return result;
}

void TcXYPlotChannel::CalcDataCursorValues(TcPlotDataCursor* Cursor)
{
    TcPlotAxis* xa = GetXAxis();
    TcPlotAxis* ya = GetYAxis();
    double X1 = 0, X2 = 0, Y1 = 0, Y2 = 0, xv = 0, yv = 0;
    const double p1 = Cursor->Pointer1Position(), p2 = Cursor->Pointer2Position();
    TcPlotDataView* dv = Cursor->DataView();
    if (xa) {
        if (dv && xa->StartPercent() != 0 && xa->StopPercent() != 100) {
            X1 = xa->PixelsToPosition(dv->PositionPercentToPixelsX(p1));
            X2 = xa->PixelsToPosition(dv->PositionPercentToPixelsX(p2));
        } else {
            X1 = xa->PercentToPosition(p1 / 100);
            X2 = xa->PercentToPosition(p2 / 100);
        }
    }
    if (ya) {
        if (dv && ya->StartPercent() != 0 && ya->StopPercent() != 100) {
            Y1 = ya->PixelsToPosition(dv->PositionPercentToPixelsY(p1));
            Y2 = ya->PixelsToPosition(dv->PositionPercentToPixelsY(p2));
        } else {
            Y1 = ya->PercentToPosition(p1 / 100);
            Y2 = ya->PercentToPosition(p2 / 100);
        }
    }
    bool showX = false, showY = false, infinite = false;
    switch (Cursor->Style()) {
    case ipcsValueXY:
        xv = X1;
        yv = Y2;
        showX = showY = true;
        break;
    case ipcsValueX:
        xv = X1;
        showX = true;
        break;
    case ipcsValueY:
        yv = Y2;
        showY = true;
        break;
    case ipcsDeltaX:
        xv = std::fabs(X1 - X2);
        showX = true;
        break;
    case ipcsDeltaY:
        yv = std::fabs(Y1 - Y2);
        showY = true;
        break;
    case ipcsInverseDeltaX: {
        const double d = (xa ? xa->CursorScaler() : 0) * (X1 - X2);
        xv = d == 0 ? std::numeric_limits<double>::infinity() : std::fabs(1 / d);
        infinite = !(xv < 1e301);
        showX = true;
        break;
    }
    }
    if (!xa || !ya)
        xv = yv = 0;
    FDataCursorXText.clear();
    FDataCursorYText.clear();
    FDataCursorXValue = xv;
    FDataCursorYValue = yv;
    FDataCursorStatus = 0;
    Cursor->SetValues(xv, yv, 0);
    if (!xa) {
        Cursor->SetCursorDisplayText(TranslateText(QStringLiteral("No X-Axis")));
        return;
    }
    if (showX)
        FDataCursorXText = infinite ? TranslateText(QStringLiteral("Infinite")) : xa->GetCursorText(xv);
    if (showY)
        FDataCursorYText = ya ? ya->GetCursorText(yv) : TranslateText(QStringLiteral("No Y-Axis"));
    QString text;
    if (showX && showY)
        text = FDataCursorXText + QStringLiteral(", ") + FDataCursorYText;
    else
        text = showX ? FDataCursorXText : FDataCursorYText;
    Cursor->SetCursorDisplayText(text);
}

// TcXYPlot.

TcXYPlot::TcXYPlot(QWidget* parent) : TcPlotComponent(parent)
{
    Master().SetChannelClass([](TcPlotOwner* o, const TcPlotHandlers& h) -> TcPlotChannelCustom* {
        return new TcXYPlotChannel(o, h);
    });
    AddDefaultObjects(*this);
}

TcXYPlotChannel* TcXYPlot::GetChannel(int Index) const
{
    auto* c = dynamic_cast<TcXYPlotChannel*>(GetChannelCustom(Index));
    if (!c)
        throw EChartError(QStringLiteral("Invalid class typecast"));
    return c;
}

} // namespace chart
