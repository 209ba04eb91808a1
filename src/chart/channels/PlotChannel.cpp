#include "chart/channels/PlotChannel.h"

#include "chart/axes/PlotAxis.h"
#include "chart/component/Component.h"
#include "chart/core/ChartError.h"
#include "chart/objects/PlotDataCursor.h"
#include "chart/objects/PlotDataView.h"

#include <QDate>
#include <QDateTime>
#include <cmath>
#include <functional>
#include <limits>

namespace chart
{

TcPlotChannel::TcPlotChannel(TcPlotOwner* AOwner, const TcPlotHandlers& handlers)
    : TcPlotChannelOPC(AOwner, handlers)
{
    TcPlotPointStyle& s = MutableDataList().Stored();
    s.BarWidth = 5;
    s.BarPenColor = 0x0000FF;
    s.BarBrushColor = 0x0000FF;
    FElapsedStartTime = Now();
}

const TPropertyTable& TcPlotChannel::PropertyTable() const
{
    using C = TcPlotChannel;
    using S = TcPlotPointStyle;
    static const TPropertyTable table = [] {
        TPropertyTable t(&TcPlotChannelCustom::ClassTable());
        t.Boolean("FastDrawEnabled", &C::FastDrawEnabled, &C::SetFastDrawEnabled, true);
        t.Boolean("AllowOutOfOrderXValues", &C::AllowOutOfOrderXValues, &C::SetAllowOutOfOrderXValues, true);
        t.Boolean("DrawOutOfOrderXValues", &C::DrawOutOfOrderXValues, &C::SetDrawOutOfOrderXValues, false);
        t.Boolean("ResetStartTimeOnFirstDataPoint", &C::ResetStartTimeOnFirstDataPoint,
                  &C::SetResetStartTimeOnFirstDataPoint, false);
        t.Enum("InterpolationStyle", "TcPlotInterpolationStyle", &C::InterpolationStyle,
               &C::SetInterpolationStyle, ipistStraightLine,
               {"ipistStraightLine", "ipistCubicSpline", "ipistPolynomial", "ipistRational",
                "ipistDifferential", "ipistDifferentialTerminated"});
        t.Boolean("FillEnabled", &C::FillEnabled, &C::SetFillEnabled, false);
        t.Float("FillReference", &C::FillReference, &C::SetFillReference, 0);
        t.Enum("FillStyle", "TBrushStyle", &C::FillStyle, &C::SetFillStyle, TcBrushStyleValue(0),
               BrushStyleNames());
        t.Ordinal("FillColor", "TColor", &C::FillColor, &C::SetFillColor, 0);
        t.Boolean("FillUseChannelColor", &C::FillUseChannelColor, &C::SetFillUseChannelColor, true);
        t.Boolean("DigitalEnabled", &C::DigitalEnabled, &C::SetDigitalEnabled, false);
        t.Enum("DigitalReferenceStyle", "TcPlotDigitalReferenceStyle", &C::DigitalReferenceStyle,
               &C::SetDigitalReferenceStyle, ipdrScale, {"ipdrScale", "ipdrPercent"});
        t.Float("DigitalReferenceLow", &C::DigitalReferenceLow, &C::SetDigitalReferenceLow, 10);
        t.Float("DigitalReferenceHigh", &C::DigitalReferenceHigh, &C::SetDigitalReferenceHigh, 90);
        t.Enum("HighLowStyle", "TcPlotHighLowStyle", &C::HighLowStyle, &C::SetHighLowStyle, iphlsOpenClose,
               {"iphlsOpenClose", "iphlsCandleStick"});
        t.Boolean("HighLowEnabled", &C::HighLowEnabled, &C::SetHighLowEnabled, false);
        t.Ordinal("HighLowBarColor", "TColor", &C::HighLowColor<C::hlBar>, &C::SetHighLowColor<C::hlBar>,
                  0xFFFF00);
        t.Float("HighLowBarWidth", &C::HighLowSize<C::hlBarWidth>, &C::SetHighLowSize<C::hlBarWidth>, 0.5);
        t.Boolean("HighLowOpenShow", &C::HighLowOpenShow, &C::SetHighLowOpenShow, true);
        t.Ordinal("HighLowOpenColor", "TColor", &C::HighLowColor<C::hlOpen>, &C::SetHighLowColor<C::hlOpen>,
                  0x00FF00);
        t.Float("HighLowOpenWidth", &C::HighLowSize<C::hlOpenWidth>, &C::SetHighLowSize<C::hlOpenWidth>, 1);
        t.Float("HighLowOpenHeight", &C::HighLowSize<C::hlOpenHeight>, &C::SetHighLowSize<C::hlOpenHeight>,
                1);
        t.Boolean("HighLowCloseShow", &C::HighLowCloseShow, &C::SetHighLowCloseShow, true);
        t.Ordinal("HighLowCloseColor", "TColor", &C::HighLowColor<C::hlClose>,
                  &C::SetHighLowColor<C::hlClose>, 0x0000FF);
        t.Float("HighLowCloseWidth", &C::HighLowSize<C::hlCloseWidth>, &C::SetHighLowSize<C::hlCloseWidth>,
                1);
        t.Float("HighLowCloseHeight", &C::HighLowSize<C::hlCloseHeight>, &C::SetHighLowSize<C::hlCloseHeight>,
                1);
        t.Ordinal("HighLowShadowColor", "TColor", &C::HighLowColor<C::hlShadow>,
                  &C::SetHighLowColor<C::hlShadow>, 0x808080);
        t.Ordinal("HighLowBullishColor", "TColor", &C::HighLowColor<C::hlBullish>,
                  &C::SetHighLowColor<C::hlBullish>, 0xFFFFFF);
        t.Ordinal("HighLowBearishColor", "TColor", &C::HighLowColor<C::hlBearish>,
                  &C::SetHighLowColor<C::hlBearish>, 0x808080);
        t.Boolean("BarEnabled", &C::BarEnabled, &C::SetBarEnabled, false);
        t.Boolean("BarPenUseChannelColor", &C::BarPenUseChannelColor, &C::SetBarPenUseChannelColor, true);
        t.Boolean("BarBrushUseChannelColor", &C::BarBrushUseChannelColor, &C::SetBarBrushUseChannelColor,
                  true);
        t.Float("BarReference", &C::BarStored<double, &S::BarReference>,
                &C::SetBarStored<double, &S::BarReference>, 0);
        t.Float("BarWidth", &C::BarStored<double, &S::BarWidth>, &C::SetBarStored<double, &S::BarWidth>, 5);
        t.Ordinal("BarPenColor", "TColor", &C::BarStored<TColor, &S::BarPenColor>,
                  &C::SetBarStored<TColor, &S::BarPenColor>, 0x0000FF);
        t.Ordinal("BarPenWidth", "Integer", &C::BarStored<int, &S::BarPenWidth>,
                  &C::SetBarStored<int, &S::BarPenWidth>, 0);
        t.Enum("BarPenStyle", "TPenStyle", &C::BarStored<TcPenStyleValue, &S::BarPenStyle>,
               &C::SetBarStored<TcPenStyleValue, &S::BarPenStyle>, TcPenStyleValue(0), PenStyleNames());
        t.Ordinal("BarBrushColor", "TColor", &C::BarStored<TColor, &S::BarBrushColor>,
                  &C::SetBarStored<TColor, &S::BarBrushColor>, 0x0000FF);
        t.Enum("BarBrushStyle", "TBrushStyle", &C::BarStored<TcBrushStyleValue, &S::BarBrushStyle>,
               &C::SetBarStored<TcBrushStyleValue, &S::BarBrushStyle>, TcBrushStyleValue(0),
               BrushStyleNames());
        t.String("OPCGroupName", &C::OPCGroupName, &C::SetOPCGroupName, QString());
        DeclareOPCProperties(t);
        t.Enum("OPCXValueSource", "TcOPCXValueSourceStyle", &C::OPCXValueSource, &C::SetOPCXValueSource,
               iopcxvsOPCServerTimeStamp,
               {"iopcxvsOPCServerTimeStamp", "iopcxvsSystemTimeStamp", "iopcxvsElapsedTime",
                "iopcxvsElapsedSeconds", "iopcxvsOPCItem"});
        return t;
    }();
    return table;
}

// Point entry.

double TcPlotChannel::Now() const
{
    if (OnGetNow)
        return OnGetNow();
    const QDateTime now = QDateTime::currentDateTime();
    return double(QDate(1899, 12, 30).daysTo(now.date())) + now.time().msecsSinceStartOfDay() / 86400000.0;
}

void TcPlotChannel::StartTimeRule()
{
    if (FResetStartTimeOnFirstDataPoint && Count() == 0)
        ResetElapsedStartTime();
}

void TcPlotChannel::CheckOrder(double X)
{
    if (FAllowOutOfOrderXValues || Count() < 2)
        return;
    const double last = GetPointX(Count() - 1);
    if (GetPointX(1) >= GetPointX(0)) {
        if (X < last)
            throw EChartError(QStringLiteral("New Data-Point X-Value is out of order"));
    } else if (X > last) {
        throw EChartError(QStringLiteral("New Data-Point X-Value is out of order."));
    }
}

int TcPlotChannel::AddXY(double X, double Y)
{
    StartTimeRule();
    CheckOrder(X);
    return AddPoint(X, Y, false, false);
}

int TcPlotChannel::AddXNull(double X)
{
    StartTimeRule();
    CheckOrder(X);
    return AddPoint(X, 0, true, false);
}

int TcPlotChannel::AddXEmpty(double X)
{
    StartTimeRule();
    CheckOrder(X);
    return AddPoint(X, 0, false, true);
}

int TcPlotChannel::AddHighLow(double X, double High, double Low, double Open, double Close)
{
    StartTimeRule();
    CheckOrder(X);
    TcPlotDataCustomList& list = MutableDataList();
    const int i = list.Add(X, 0, false, false);
    list.SetHigh(i, High);
    list.SetLow(i, Low);
    list.SetOpen(i, Open);
    list.SetClose(i, Close);
    if (XAxisTrackingEnabled() && GetXAxis())
        GetXAxis()->NewTrackingData(X);
    if (YAxisTrackingEnabled() && GetYAxis())
        for (double v : {High, Low, Open, Close})
            GetYAxis()->NewTrackingData(v);
    DoChange();
    return i;
}

void TcPlotChannel::AddYArray(double XInterval, const TcVarArray& YData)
{
    if (YData.Dimensions != 1)
        throw EChartError(QStringLiteral("Y-Data array must be 1 dimensional"));
    StartTimeRule();
    const double base = Count() ? GetPointX(Count() - 1) : 0;
    for (int i = 0; i < YData.Values.size(); ++i)
        AddPoint(base + i * XInterval, YData.Values[i].toDouble(), false, false);
}

int TcPlotChannel::AddYNow(double Y)
{
    StartTimeRule();
    return AddPoint(Now(), Y, false, false);
}

int TcPlotChannel::AddYElapsedTime(double Y)
{
    StartTimeRule();
    return AddPoint(Now() - FElapsedStartTime, Y, false, false);
}

int TcPlotChannel::AddYElapsedSeconds(double Y)
{
    StartTimeRule();
    return AddPoint((Now() - FElapsedStartTime) * 60 * 60 * 24, Y, false, false);
}

// Searches.

void TcPlotChannel::UpdateXIncreasing()
{
    FXIncreasing = Count() < 3 || GetPointX(1) >= GetPointX(0);
}

namespace
{
// Binary search over the X values in the order Before(a, b) gives them: the index of Target, or of
// the point the search ended on; -1 for no points.
template <class Order> int SearchPointX(const TcPlotChannel& Channel, double Target, Order Before)
{
    int low = 0, high = Channel.Count() - 1, result = -1;
    while (high >= low) {
        const int middle = (low + high) / 2;
        result = middle;
        const double x = Channel.GetPointX(middle);
        if (x == Target)
            break;
        if (Before(Target, x))
            high = middle - 1;
        else
            low = middle + 1;
    }
    return result;
}
} // namespace

int TcPlotChannel::SearchAscending(double Target) const
{
    return SearchPointX(*this, Target, std::less<double>());
}

int TcPlotChannel::SearchDescending(double Target) const
{
    return SearchPointX(*this, Target, std::greater<double>());
}

void TcPlotChannel::CalcStartIndex()
{
    FStartIndex = -1;
    TcPlotAxis* xa = GetXAxis();
    if (!xa || Count() == 0)
        return;
    if (FDrawOutOfOrderXValues) {
        int start = Count() - 1;
        for (int i = 0; i < Count(); ++i)
            if (xa->PointOnScale(GetPointX(i))) {
                start = i;
                break;
            }
        FStartIndex = start - 1;
    } else if (FXIncreasing) {
        FStartIndex = SearchAscending(xa->Min());
        if (GetPointX(FStartIndex) > xa->Min())
            --FStartIndex;
    } else {
        FStartIndex = SearchDescending(xa->Max());
        if (xa->Max() > GetPointX(FStartIndex))
            --FStartIndex;
    }
    FStartIndex = std::clamp(FStartIndex, 0, Count() - 1);
}

void TcPlotChannel::CalcStopIndex()
{
    FStopIndex = -1;
    TcPlotAxis* xa = GetXAxis();
    if (!xa || Count() == 0)
        return;
    if (FDrawOutOfOrderXValues) {
        int stop = -1;
        for (int i = Count() - 1; i >= 0; --i)
            if (xa->PointOnScale(GetPointX(i))) {
                stop = i;
                break;
            }
        FStopIndex = stop + 1;
    } else if (FXIncreasing) {
        FStopIndex = SearchAscending(xa->Max());
        if (GetPointX(FStopIndex) < xa->Max())
            ++FStopIndex;
    } else {
        FStopIndex = SearchDescending(xa->Min());
        if (GetPointX(FStopIndex) > xa->Min())
            ++FStopIndex;
    }
    FStopIndex = std::clamp(FStopIndex, 0, Count() - 1);
}

int TcPlotChannel::CalcIndex(double TargetValue)
{
    if (!GetXAxis() || Count() == 0)
        return -1;
    const double first = GetPointX(0), last = GetPointX(Count() - 1);
    int result;
    if (FXIncreasing) {
        if (TargetValue < first || TargetValue > last)
            return -1;
        result = SearchAscending(TargetValue);
        if (GetPointX(result) < TargetValue)
            ++result;
    } else {
        if (TargetValue > first || TargetValue < last)
            return -1;
        result = SearchDescending(TargetValue);
        if (GetPointX(result) < TargetValue)
            --result;
    }
    return std::clamp(result, 0, Count() - 1);
}

bool TcPlotChannel::GetYInterpolated(double XValue, double& YValue)
{
    const int n = Count();
    if (n > 0) {
        for (int i : {0, n - 1})
            if (IsPointValid(i) && GetPointX(i) == XValue) {
                YValue = GetPointY(i);
                return true;
            }
    }
    YValue = 0;
    TcPlotAxis* xa = GetXAxis();
    int index = CalcIndex(XValue);
    if (index < 0 || !xa)
        return false;
    // The neighbour before XValue in the direction of X; empty points are stepped over, as the
    // trace steps over them.
    const int step = FXIncreasing ? -1 : 1;
    while (index >= 0 && index < n && GetPointEmpty(index))
        index -= step;
    int other = index + step;
    while (other >= 0 && other < n && GetPointEmpty(other))
        other += step;
    if (index < 0 || index >= n || other < 0 || other >= n)
        return false;
    if (FDigitalEnabled) {
        YValue = GetPointY(other);
        return true;
    }
    if (GetPointX(index) == XValue) {
        YValue = GetPointY(index);
        return true;
    }
    if (GetPointNull(index) || GetPointNull(other))
        return false;
    const int xo = xa->PositionToPixels(GetPointX(other)), xi = xa->PositionToPixels(GetPointX(index));
    const int xv = xa->PositionToPixels(XValue);
    const int d = xo - xi, e = xv - xi;
    YValue = d == 0 || e == 0 ? GetPointY(index)
                              : GetPointY(index) + (GetPointY(other) - GetPointY(index)) * e / double(d);
    return true;
}

TcPlotDataPointStatus TcPlotChannel::CursorYAt(double X, double& YValue)
{
    YValue = 0;
    const int n = Count();
    if (n == 0)
        return ipdpsEmpty;
    for (int i : {0, n - 1})
        if (GetPointX(i) == X && IsPointValid(i)) {
            YValue = GetPointY(i);
            return ipdpsValid;
        }
    const TcPlotInterpolationStyle s = FDigitalEnabled ? ipistStraightLine : FInterpolationStyle;
    switch (s) {
    case ipistStraightLine:
        return GetYInterpolated(X, YValue) ? ipdpsValid : ipdpsEmpty;
    case ipistCubicSpline:
    case ipistPolynomial:
    case ipistRational: {
        const int c = GetXAxis() ? GetXAxis()->PositionToPixels(X) : 0;
        const double lo = std::min(GetPointX(0), GetPointX(n - 1)),
                     hi = std::max(GetPointX(0), GetPointX(n - 1));
        if (!GetXAxis() || c < FPixelListStart || c > FPixelListStop ||
            (FPixelListStart == 0 && FPixelListStop == 0) || X < lo || X > hi ||
            std::size_t(c - FPixelListStart) >= FPixelList.size())
            return ipdpsEmpty;
        const TcPlotPixelPoint& p = FPixelList[std::size_t(c - FPixelListStart)];
        YValue = p.YValue;
        return p.Null ? ipdpsNull : ipdpsValid;
    }
    case ipistDifferential:
    case ipistDifferentialTerminated: {
        const int i = CalcIndex(X) - 1;
        if (i >= 0) {
            YValue = GetPointY(i);
            return ipdpsValid;
        }
        if (s == ipistDifferential && IsPointValid(n - 1) && X > GetPointX(n - 1)) {
            YValue = GetPointY(n - 1);
            return ipdpsValid;
        }
        return ipdpsEmpty;
    }
    }
    return ipdpsEmpty;
}

void TcPlotChannel::CalcDataCursorValues(TcPlotDataCursor* Cursor)
{
    TcPlotAxis* xa = GetXAxis();
    TcPlotAxis* ya = GetYAxis();
    TcPlotDataView* dv = Cursor->DataView();
    if (!xa || !ya || !dv)
        return;
    double X = 0, Y = 0;
    TcPlotDataPointStatus status = ipdpsValid;
    const double S = xa->CursorScaler();
    auto x = [&](double P) { return xa->PixelsToPosition(dv->PositionPercentToPixelsX(P)); };
    auto y = [&](double P) { return ya->PixelsToPosition(dv->PositionPercentToPixelsY(P)); };
    const double p1 = Cursor->Pointer1Position(), p2 = Cursor->Pointer2Position();
    switch (Cursor->Style()) {
    case ipcsValueXY:
    case ipcsValueX:
    case ipcsValueY:
        X = x(p1);
        status = CursorYAt(X, Y);
        break;
    case ipcsDeltaX:
        X = std::fabs(x(p1) - x(p2)) * S;
        break;
    case ipcsDeltaY:
        Y = std::fabs(y(p1) - y(p2)) * S;
        break;
    case ipcsInverseDeltaX: {
        const double d = std::fabs(x(p1) - x(p2));
        X = d != 0 && S != 0 ? 1 / (d * S) : std::numeric_limits<double>::infinity();
        break;
    }
    default:
        status = ipdpsEmpty;
        break;
    }
    Cursor->SetValues(X, Y, status);
    FDataCursorXText.clear();
    FDataCursorYText.clear();
    FDataCursorXValue = X;
    FDataCursorYValue = Y;
    FDataCursorStatus = status;
    QString T;
    if (status == ipdpsValid)
        T = FDigitalEnabled ? TranslateText(Y != 0 ? QStringLiteral("High") : QStringLiteral("Low"))
                            : GetYValueText(Y);
    else
        T = TranslateText(status == ipdpsNull ? QStringLiteral("Null") : QStringLiteral("Empty"));
    QString text;
    switch (Cursor->Style()) {
    case ipcsValueXY:
        FDataCursorXText = GetXValueText(X);
        FDataCursorYText = T;
        text = FDataCursorXText + QStringLiteral(", ") + FDataCursorYText;
        break;
    case ipcsValueX:
    case ipcsDeltaX:
        text = FDataCursorXText = GetXValueText(X);
        break;
    case ipcsValueY:
        text = FDataCursorYText = T;
        break;
    case ipcsDeltaY:
        text = FDataCursorYText = GetYValueText(Y);
        break;
    case ipcsInverseDeltaX:
        text = FDataCursorXText =
            X >= 1e301 ? TranslateText(QStringLiteral("Infinite")) : xa->GetCursorText(X);
        break;
    }
    Cursor->SetCursorDisplayText(text);
}

// Zoom extents.

double TcPlotChannel::ZoomX(bool max)
{
    const double none = max ? -1e300 : 1e300;
    if (!GetXAxis() || !GetYAxis() || !Visible() || Count() == 0)
        return none;
    UpdateXIncreasing();
    // The last valid point on the maximum's side when X increases, the first otherwise.
    const bool fromEnd = max == FXIncreasing;
    for (int k = 0; k < Count(); ++k) {
        const int i = fromEnd ? Count() - 1 - k : k;
        if (IsPointValid(i))
            return max ? GetMarkerXMax(i) : GetMarkerXMin(i);
    }
    return none;
}

double TcPlotChannel::GetZoomXMax()
{
    return ZoomX(true);
}

double TcPlotChannel::GetZoomXMin()
{
    return ZoomX(false);
}

double TcPlotChannel::GetZoomYMax()
{
    CalcStartIndex();
    CalcStopIndex();
    double r = -1e300;
    if (!GetXAxis() || !GetYAxis() || !Visible() || FStartIndex < 0 || FStopIndex < 0)
        return r;
    for (int i = FStartIndex; i <= FStopIndex; ++i)
        if (IsPointValid(i))
            r = std::max(r, GetMarkerYMax(i));
    return r;
}

double TcPlotChannel::GetZoomYMin()
{
    CalcStartIndex();
    CalcStopIndex();
    double r = 1e300;
    if (!GetXAxis() || !GetYAxis() || !Visible() || FStartIndex < 0 || FStopIndex < 0)
        return r;
    for (int i = FStartIndex; i <= FStopIndex; ++i)
        if (IsPointValid(i))
            r = std::min(r, GetMarkerYMin(i));
    return r;
}

// Mouse.

TRect TcPlotChannel::GetBarRect(int Index)
{
    const TcPlotPointStyle s = DataList().GetPointStyle(Index);
    const double x = GetPointX(Index);
    return ValuesToPixelRect(x - s.BarWidth / 2, s.BarReference, x + s.BarWidth / 2, GetPointY(Index));
}

bool TcPlotChannel::iHitTest(const TcPlotMouseData& M)
{
    if (TcPlotChannelCustom::iHitTest(M))
        return true;
    TcPlotAxis* xa = GetXAxis();
    TcPlotAxis* ya = GetYAxis();
    if (!xa || !ya || M.Button != int(fw::mbRight))
        return false;
    double y;
    if (!GetYInterpolated(xa->PixelsToPosition(M.XAxisPixels), y))
        return false;
    const int py = ya->PositionToPixels(y);
    const bool r = XYAxesReversed();
    const TPoint p = r ? TPoint{py, M.XAxisPixels} : TPoint{M.XAxisPixels, py};
    const TPoint a =
        r ? TPoint{M.YAxisPixels - 10, M.XAxisPixels - 10} : TPoint{M.XAxisPixels - 10, M.YAxisPixels - 10};
    const TPoint b =
        r ? TPoint{M.YAxisPixels + 10, M.XAxisPixels + 10} : TPoint{M.XAxisPixels + 10, M.YAxisPixels + 10};
    return TRect{a.X, a.Y, b.X, b.Y}.Contains(p);
}

// OPC.

void TcPlotChannel::OPCNewData(const TcOPCItem& Item, int Index)
{
    // Item 1 only feeds a pair, through the group's update.
    bool number = false;
    const double value = Item.Data().toDouble(&number);
    if (Index == 0 && number)
        OPCItemNewData(value, Item.TimeStamp());
}

void TcPlotChannel::OPCItemNewData(double Value, double TimeStamp)
{
    // Stamped values keep the X order like any other entry: one out of order is dropped (the
    // searches rely on the order), never raised into the OPC library's callback.
    auto ordered = [&](double X) {
        try {
            CheckOrder(X);
            return true;
        } catch (const EChartError&) {
            return false;
        }
    };
    switch (FOPCXValueSource) {
    case iopcxvsOPCServerTimeStamp:
        if (ordered(TimeStamp))
            AddPoint(TimeStamp, Value, false, false);
        break;
    case iopcxvsSystemTimeStamp: {
        const double now = Now();
        if (ordered(now))
            AddPoint(now, Value, false, false);
        break;
    }
    case iopcxvsElapsedTime:
        AddYElapsedTime(Value);
        break;
    case iopcxvsElapsedSeconds:
        AddYElapsedSeconds(Value);
        break;
    case iopcxvsOPCItem:
        break;
    }
}

} // namespace chart
