#include "chart/channels/PlotChannelCustom.h"

#include "chart/axes/PlotAxis.h"

namespace chart
{

TcPlotChannelCustom::TcPlotChannelCustom(TcPlotOwner* AOwner, const TcPlotHandlers& handlers)
    : TcPlotManagerObject(AOwner, handlers)
{
    SetDataList(TcPlotDataCustomList::Create(ipdsStandard));
    SetColor(fw::clRed);
    SetTraceLineWidth(1);
    SetTraceLineStyle(iplsSolid);
    SetMarkersSize(3);
    SetMarkersPenColor(fw::clRed);
    SetMarkersBrushColor(fw::clRed);
    FMarkersFont.SetColor(fw::clWhite);
    FMarkersFont.SetStyle(fw::fsBold);
    FMarkersFont.OnChange = [this](fw::TFont*) { DoChange(); };
}

TcPlotChannelCustom::~TcPlotChannelCustom()
{
    FMarkersFont.OnChange = nullptr;
}

const TcPropertyTable& TcPlotChannelCustom::PropertyTable() const
{
    using C = TcPlotChannelCustom;
    static const TcPropertyTable table = [] {
        TcPropertyTable t(&TcPlotObject::ClassTable());
        t.String("TitleText", &C::TitleText, &C::SetTitleText);
        t.Ordinal("VisibleInLegend", &C::VisibleInLegend, &C::SetVisibleInLegend, 1, 2);
        t.Ordinal("ClipToAxes", &C::ClipToAxes, &C::SetClipToAxes, 0, 2);
        t.Ordinal("RingBufferSize", &C::RingBufferSize, &C::SetRingBufferSize, 0);
        t.Ordinal("TraceVisible", &C::TraceVisible, &C::SetTraceVisible, 1, 2);
        t.Ordinal("Color", &C::Color, &C::SetColor, fw::clRed);
        t.Ordinal("TraceLineStyle", &C::TraceLineStyle, &C::SetTraceLineStyle, iplsSolid, 5);
        t.Ordinal("TraceLineWidth", &C::TraceLineWidth, &C::SetTraceLineWidth, 1);
        t.Ordinal("MarkersVisible", &C::MarkersVisible, &C::SetMarkersVisible, 0, 2);
        t.Ordinal("MarkersSize", &C::MarkersSize, &C::SetMarkersSize, 3);
        t.Ordinal("MarkersStyle", &C::MarkersStyle, &C::SetMarkersStyle, ipmsCircle, 12);
        t.String("XAxisName", &C::XAxisName, &C::SetXAxisName);
        t.String("YAxisName", &C::YAxisName, &C::SetYAxisName);
        t.Ordinal("XAxisTrackingEnabled", &C::XAxisTrackingEnabled, &C::SetXAxisTrackingEnabled, 1, 2);
        t.Ordinal("YAxisTrackingEnabled", &C::YAxisTrackingEnabled, &C::SetYAxisTrackingEnabled, 1, 2);
        t.Ordinal("DataStyle", &C::DataStyle, &C::SetDataStyle, ipdsStandard, TcPlotDataStyleCount);
        return t;
    }();
    return table;
}

void TcPlotChannelCustom::SetRingBufferSize(int v)
{
    FDataList->SetRingBufferSize(v);
    DoChange();
}

void TcPlotChannelCustom::SetXAxisName(const QString& v)
{
    if (v == FXAxisName)
        return;
    FXAxisName = v;
    FXAxis = nullptr;
    DoChange();
}

void TcPlotChannelCustom::SetYAxisName(const QString& v)
{
    if (v == FYAxisName)
        return;
    FYAxisName = v;
    FYAxis = nullptr;
    DoChange();
}

void TcPlotChannelCustom::SetDataStyle(TcPlotDataStyle Value)
{
    if (Value == FDataStyle)
        return;
    auto list = TcPlotDataCustomList::Create(Value);
    if (!list)
        throw EChartError(QStringLiteral("Invalid Data Style"));
    FDataStyle = Value;
    TcPlotPointStyle stored = FDataList->Stored();
    stored.MarkerCharacter = QChar();
    const int ring = FDataList->RingBufferSize();
    SetDataList(std::move(list));
    FDataList->Stored() = stored;
    FDataList->SetRingBufferSize(ring);
    DoChange();
}

void TcPlotChannelCustom::SetDataList(std::unique_ptr<TcPlotDataCustomList> list)
{
    FDataList = std::move(list);
    FStandardList = dynamic_cast<TcPlotDataNullList*>(FDataList.get());
}

TcPlotAxis* TcPlotChannelCustom::FindXAxis()
{
    if (FOwner)
        FXAxis = FOwner->GetXAxisByName(FXAxisName);
    return FXAxis;
}

TcPlotAxis* TcPlotChannelCustom::FindYAxis()
{
    if (FOwner)
        FYAxis = FOwner->GetYAxisByName(FYAxisName);
    return FYAxis;
}

void TcPlotChannelCustom::SetCount(int Value)
{
    FDataList->SetCapacity(Value);
    DoChange();
}

int TcPlotChannelCustom::AddPoint(double X, double Y, bool Null, bool Empty)
{
    const int index =
        FStandardList ? FStandardList->Add(X, Y, Null, Empty) : FDataList->Add(X, Y, Null, Empty);
    if (X > FRunningXMax)
        FRunningXMax = X;
    if (X < FRunningXMin)
        FRunningXMin = X;
    if (Y > FRunningYMax)
        FRunningYMax = Y;
    if (Y < FRunningYMin)
        FRunningYMin = Y;
    ++FRunningXCount;
    ++FRunningYCount;
    FRunningXTotal.Add(X);
    FRunningYTotal.Add(Y);
    if (FXAxisTrackingEnabled || FYAxisTrackingEnabled) {
        const int newest = Count() - 1;
        if (MarkersVisible()) {
            if (FXAxisTrackingEnabled && GetXAxis() && !GetPointNull(newest)) {
                FXAxis->NewTrackingData(GetMarkerXMax(newest));
                FXAxis->NewTrackingData(GetMarkerXMin(newest));
            }
            if (FYAxisTrackingEnabled && GetYAxis() && !GetPointNull(newest)) {
                FYAxis->NewTrackingData(GetMarkerYMax(newest));
                FYAxis->NewTrackingData(GetMarkerYMin(newest));
            }
        } else {
            if (FXAxisTrackingEnabled && GetXAxis())
                FXAxis->NewTrackingData(X);
            if (FYAxisTrackingEnabled && GetYAxis() && !Null && !Empty)
                FYAxis->NewTrackingData(Y);
        }
    }
    DoChange();
    return index;
}

void TcPlotChannelCustom::AddXYArrays(const QVariantList& XData, const QVariantList& YData, int XLow,
                                      int YLow)
{
    if (XLow != YLow)
        throw EChartError(QStringLiteral("X-Data and Y-Data low bound dimension must match"));
    if (XData.size() != YData.size())
        throw EChartError(QStringLiteral("X-Data and Y-Data hogh bound dimension must match"));
    for (int i = 0; i < XData.size(); ++i)
        AddPoint(XData[i].toDouble(), YData[i].toDouble(), false, false);
}

void TcPlotChannelCustom::AddXYArray(const QList<QVariantList>& Data)
{
    if (Data.size() != 2)
        throw EChartError(QStringLiteral("Array First Dimension Must Be 2 Elements"));
    const int n = int(std::min(Data[0].size(), Data[1].size()));
    for (int j = 0; j < n; ++j)
        AddPoint(Data[0][j].toDouble(), Data[1][j].toDouble(), false, false);
}

void TcPlotChannelCustom::ResetRunning()
{
    FRunningXMax = FRunningYMax = -1e300;
    FRunningXMin = FRunningYMin = 1e300;
    FRunningXCount = FRunningYCount = 0;
    FRunningXTotal.Clear();
    FRunningYTotal.Clear();
}

void TcPlotChannelCustom::Clear()
{
    ResetRunning();
    FStartIndex = FStopIndex = -1;
    FDataList->Clear();
    DoChange();
}

void TcPlotChannelCustom::DeletePoints(int Size)
{
    if (Size == Count()) {
        Clear();
        return;
    }
    FDataList->DeletePoints(Size);
    DoChange();
}

void TcPlotChannelCustom::SetPointX(int Index, double Value)
{
    FDataList->SetX(Index, Value);
    DoChange();
}
void TcPlotChannelCustom::SetPointY(int Index, double Value)
{
    FDataList->SetY(Index, Value);
    DoChange();
}
void TcPlotChannelCustom::SetPointNull(int Index, bool Value)
{
    FDataList->SetNull(Index, Value);
    DoChange();
}
void TcPlotChannelCustom::SetPointEmpty(int Index, bool Value)
{
    FDataList->SetEmpty(Index, Value);
    DoChange();
}

double TcPlotChannelCustom::GetXMin()
{
    double v = 1e300;
    for (int i = 0; i < Count(); ++i)
        if (IsPointValid(i))
            v = std::min(v, GetPointX(i));
    return FRunningXMin = v;
}
double TcPlotChannelCustom::GetXMax()
{
    double v = -1e300;
    for (int i = 0; i < Count(); ++i)
        if (IsPointValid(i))
            v = std::max(v, GetPointX(i));
    return FRunningXMax = v;
}
double TcPlotChannelCustom::GetYMin()
{
    double v = 1e300;
    for (int i = 0; i < Count(); ++i)
        if (IsPointValid(i))
            v = std::min(v, GetPointY(i));
    return FRunningYMin = v;
}
double TcPlotChannelCustom::GetYMax()
{
    double v = -1e300;
    for (int i = 0; i < Count(); ++i)
        if (IsPointValid(i))
            v = std::max(v, GetPointY(i));
    return FRunningYMax = v;
}
double TcPlotChannelCustom::GetXMean()
{
    FRunningXCount = 0;
    FRunningXTotal.Clear();
    for (int i = 0; i < Count(); ++i)
        if (IsPointValid(i)) {
            ++FRunningXCount;
            FRunningXTotal.Add(GetPointX(i));
        }
    return RunningXMean();
}
double TcPlotChannelCustom::GetYMean()
{
    FRunningYCount = 0;
    FRunningYTotal.Clear();
    for (int i = 0; i < Count(); ++i)
        if (IsPointValid(i)) {
            ++FRunningYCount;
            FRunningYTotal.Add(GetPointY(i));
        }
    return RunningYMean();
}
void TcPlotChannelCustom::ReCalcRunningMinMaxMean()
{
    GetXMin();
    GetXMax();
    GetYMin();
    GetYMax();
    GetXMean();
    GetYMean();
}

QString TcPlotChannelCustom::GetXValueText(double Value)
{
    return GetXAxis() ? FXAxis->GetCursorText(Value) : TranslateText(QStringLiteral("No X-Axis"));
}
QString TcPlotChannelCustom::GetYValueText(double Value)
{
    return GetYAxis() ? FYAxis->GetCursorText(Value) : TranslateText(QStringLiteral("No Y-Axis"));
}

double TcPlotChannelCustom::MarkerExtent(int Index, bool xAxis, double sign)
{
    if (GetPointNull(Index))
        throw EChartError(QStringLiteral("Data Point Null"));
    const double v = xAxis ? GetPointX(Index) : GetPointY(Index);
    if (!MarkersVisible())
        return v;
    TcPlotAxis* axis = xAxis ? GetXAxis() : GetYAxis();
    if (!axis)
        throw EChartError(xAxis ? QStringLiteral("X-Axis not assigned")
                                : QStringLiteral("Y-Axis not assigned"));
    return v + sign * std::fabs(axis->PixelsToPosition(axis->MinPixels() + MarkersSize()) - axis->Min());
}

double TcPlotChannelCustom::GetMarkerXMax(int Index)
{
    return MarkerExtent(Index, true, 1);
}
double TcPlotChannelCustom::GetMarkerXMin(int Index)
{
    return MarkerExtent(Index, true, -1);
}
double TcPlotChannelCustom::GetMarkerYMax(int Index)
{
    return MarkerExtent(Index, false, 1);
}
double TcPlotChannelCustom::GetMarkerYMin(int Index)
{
    return MarkerExtent(Index, false, -1);
}

void TcPlotChannelCustom::NotificationRemove(TcPlotObject* AObject)
{
    if (AObject == FXAxis)
        FXAxis = nullptr;
    if (AObject == FYAxis)
        FYAxis = nullptr;
}

void TcPlotChannelCustom::NotificationRename(TcPlotObject* AObject)
{
    if (AObject && AObject == FXAxis)
        FXAxisName = AObject->Name();
    if (AObject && AObject == FYAxis)
        FYAxisName = AObject->Name();
}

} // namespace chart
