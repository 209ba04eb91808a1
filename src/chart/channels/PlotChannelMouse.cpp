// The channel's mouse: hit on its legend entry or, in select mode, on a shown marker; the point
// hint placed round the point inside data view 0; pressing, dragging and releasing a point, with
// the chart's data-point and channel events.
#include "chart/axes/PlotAxis.h"
#include "chart/channels/PlotChannelCustom.h"
#include "chart/objects/MasterManager.h"

#include <QImage>
#include <QPainter>

namespace chart
{

using namespace fw;

bool TcPlotChannelCustom::iHitTest(const TcPlotMouseData& M)
{
    // Reset first, so that a hit on the legend entry never reports an earlier point.
    FSelectDataIndex = -1;
    const TPoint p{M.X, M.Y};
    if (FVisibleInLegend && FLegendRect.Contains(p))
        return true;
    if (!FOwner || !FOwner->SelectModeActive())
        return false;
    const bool bars = BarHitMode();
    if ((!bars && !MarkersVisible()) || Count() == 0)
        return false;
    CalcStartIndex();
    CalcStopIndex();
    if (FStartIndex < 0)
        return false;
    for (int i = FStartIndex; i <= FStopIndex && i < Count(); ++i) {
        if ((!bars && !IsMarkerShown(i)) || !IsPointValid(i))
            continue;
        FSelectHitTestRect = bars ? GetBarRect(i) : GetMarkerRect(i);
        if (FSelectHitTestRect.Contains(p)) {
            FSelectDataIndex = i;
            return true;
        }
    }
    return false;
}

void TcPlotChannelCustom::FireDataPointEvent(TcPlotEventKind Kind, int DataIndex, const TcPlotMouseData& M,
                                             bool WithButton)
{
    TcPlotEvent e{Kind};
    e.DataIndex = DataIndex;
    if (WithButton) {
        e.Values[0] = M.Button;
        e.Values[1] = M.Shift;
        e.Values[2] = M.X;
        e.Values[3] = M.Y;
    } else {
        e.Values[0] = M.Shift;
        e.Values[1] = M.X;
        e.Values[2] = M.Y;
    }
    FireEvent(e);
}

void TcPlotChannelCustom::DoMouseHint(const TcPlotMouseData& M, TcHintData& Hint)
{
    FireDataPointEvent(TcPlotEventKind::MouseMoveDataPoint, FSelectDataIndex, M, false);
    if (!FShowDataPointHints || FSelectDataIndex == -1 || !FSelectHitTestRect.Contains({M.X, M.Y}) ||
        !HasAxes())
        return;
    QString text = GetXAxis()->GetLabelText(GetPointX(FSelectDataIndex)) + QStringLiteral(", ") +
                   GetYAxis()->GetLabelText(GetPointY(FSelectDataIndex));
    TcPlotEvent e{TcPlotEventKind::DataPointCustomizeHint};
    e.DataIndex = FSelectDataIndex;
    e.Text = &text;
    FireEvent(e);
    Hint.Text = text;

    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    TCanvas canvas(painter);
    if (const TFont* font = FOwner ? FOwner->HintsFontOf() : nullptr)
        canvas.Font.Assign(*font);
    const int W = GetMaxLineWidth(canvas, text) + 4;
    const int H = GetTextHeight(canvas, text) + 4;
    Hint.Width = W;
    Hint.Height = H;
    auto* views = FOwner->Master().DataViewManager();
    const TRect R = views && views->Count() > 0 ? views->GetItem(0)->DrawRect() : TRect{};
    const int m = MarkersSize() / 2;
    const int x = M.X, y = M.Y;
    int top = y - (H + 4 + m);
    int left = x - W / 2;
    if (top <= R.Top)
        top = y + H + 4 + m;
    if (left <= R.Left) {
        left = x + m + 8;
        top = y - H / 2;
    } else if (left + W >= R.Right) {
        left = x - m - 4 - W;
        top = y - H / 2;
    }
    if (top + H >= R.Bottom)
        top = R.Bottom - H;
    if (top <= R.Top)
        top = R.Top;
    Hint.Left = left;
    Hint.Top = top;
}

void TcPlotChannelCustom::DoMouseLeft(const TcPlotMouseData& M)
{
    FireDataPointEvent(TcPlotEventKind::MouseDownDataPoint, FSelectDataIndex, M, true);
    FMouseDownDataIndex = FSelectDataIndex;
    if (FMouseDownDataIndex == -1)
        return;
    if (FSelectHitTestRect.Contains({M.X, M.Y})) {
        FSelectMouseDown = true;
        FSelectMouseDownIndex = FSelectDataIndex;
        FSelectDownRect = FSelectHitTestRect;
        FMouseDownValueX = GetPointX(FSelectDataIndex);
        FMouseDownValueY = GetPointY(FSelectDataIndex);
        FMouseDownPixelX = M.XAxisPixels;
        FMouseDownPixelY = M.YAxisPixels;
    }
}

void TcPlotChannelCustom::DoMouseMove(const TcPlotMouseData& M)
{
    if (!FSelectMouseDown)
        return;
    FireDataPointEvent(TcPlotEventKind::MouseMoveDataPoint, FMouseDownDataIndex, M, false);
    if (!FUserCanMoveDataPoints || !HasAxes())
        return;
    double dX = 0, dY = 0;
    if (FUserCanMoveDataPointsStyle != ipcdpmsYOnly)
        dX = GetXAxis()->PixelsToPosition(FMouseDownPixelX) - GetXAxis()->PixelsToPosition(M.XAxisPixels);
    if (FUserCanMoveDataPointsStyle != ipcdpmsXOnly)
        dY = GetYAxis()->PixelsToPosition(FMouseDownPixelY) - GetYAxis()->PixelsToPosition(M.YAxisPixels);
    SetPointX(FSelectMouseDownIndex, FMouseDownValueX - dX);
    SetPointY(FSelectMouseDownIndex, FMouseDownValueY - dY);
}

void TcPlotChannelCustom::DoMouseUp(const TcPlotMouseData& M)
{
    FireDataPointEvent(TcPlotEventKind::MouseUpDataPoint, FMouseDownDataIndex, M, true);
    if (!FMouseDown && !FSelectMouseDown)
        return;
    const TPoint p{M.X, M.Y};
    if (FSelectMouseDown) {
        FSelectMouseDown = false;
        const int index = FSelectMouseDownIndex;
        if (FSelectDownRect.Contains(p)) {
            TcPlotEvent e{M.DblClickActive ? TcPlotEventKind::DblClickDataPoint
                                           : TcPlotEventKind::ClickDataPoint};
            e.DataIndex = index;
            FireEvent(e);
        }
        if (index >= 0 && index < Count() &&
            (GetPointX(index) != FMouseDownValueX || GetPointY(index) != FMouseDownValueY)) {
            TcPlotEvent e{TcPlotEventKind::DataPointMoved};
            e.DataIndex = index;
            e.Values[0] = FMouseDownValueX;
            e.Values[1] = FMouseDownValueY;
            e.Values[2] = GetPointX(index);
            e.Values[3] = GetPointY(index);
            FireEvent(e);
        }
    } else if (FLegendRect.Contains(p)) {
        FireEvent(M.DblClickActive ? TcPlotEventKind::DblClick : TcPlotEventKind::Click);
    }
}

bool TcPlotChannelCustom::iMouseWheel(int WheelDelta, TShiftState Shift, TPoint MousePos)
{
    // Only the strip chart's channels report the wheel.
    return DoMouseWheel(WheelDelta, Shift, MousePos.X, MousePos.Y);
}

int TcPlotChannelCustom::GetMouseCursor(TPoint)
{
    return CustomizeMouseCursor(-21);
}

void TcPlotChannelCustom::FillPopupMenu(TcPopupMenu& Menu)
{
    TcPlotObject::FillPopupMenu(Menu);
    AddEditMenuItem(Menu);
}

void TcPlotChannelCustom::NotificationSetFocus(TcPlotObject* AObject)
{
    if (AObject == this || !AObject->UserSelected())
        return;
    if (auto* cursor = dynamic_cast<TcPlotDataCursor*>(AObject))
        if (cursor->ChannelName().compare(Name(), Qt::CaseInsensitive) == 0)
            return;
    if (dynamic_cast<TcPlotLegend*>(AObject))
        return;
    SetUserSelected(false);
}

} // namespace chart
