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

QStringList LineStyleNames()
{
    return {"iplsSolid", "iplsDash", "iplsDot", "iplsDashDot", "iplsDashDotDot"};
}

QStringList PenStyleNames()
{
    return {"psSolid",      "psDash",  "psDot",         "psDashDot",
            "psDashDotDot", "psClear", "psInsideFrame", "psAlternate"};
}

QStringList BrushStyleNames()
{
    return {"bsSolid",     "bsClear",     "bsHorizontal", "bsVertical",
            "bsFDiagonal", "bsBDiagonal", "bsCross",      "bsDiagCross"};
}

const TPropertyTable& TcPlotChannelCustom::PropertyTable() const
{
    return ClassTable();
}

const TPropertyTable& TcPlotChannelCustom::ClassTable()
{
    using C = TcPlotChannelCustom;
    static const TPropertyTable table = [] {
        TPropertyTable t(&TcPlotObject::ClassTable());
        t.String("TitleText", &C::TitleText, &C::SetTitleText, QString());
        t.Boolean("VisibleInLegend", &C::VisibleInLegend, &C::SetVisibleInLegend, true);
        t.Boolean("ClipToAxes", &C::ClipToAxes, &C::SetClipToAxes, false);
        t.Boolean("ShowDataPointHints", &C::ShowDataPointHints, &C::SetShowDataPointHints, false);
        t.Boolean("UserCanMoveDataPoints", &C::UserCanMoveDataPoints, &C::SetUserCanMoveDataPoints, false);
        t.Enum("UserCanMoveDataPointsStyle", "TcPlotChannelDataPointMoveStyle",
               &C::UserCanMoveDataPointsStyle, &C::SetUserCanMoveDataPointsStyle, ipcdpmsXandY,
               {"ipcdpmsXandY", "ipcdpmsXOnly", "ipcdpmsYOnly"});
        t.Ordinal("RingBufferSize", "Integer", &C::RingBufferSize, &C::SetRingBufferSize, 0);
        t.Boolean("TraceVisible", &C::TraceVisible, &C::SetTraceVisible, true);
        t.Ordinal("Color", "TColor", &C::Color, &C::SetColor, fw::clRed);
        t.Enum("TraceLineStyle", "TcPlotLineStyle", &C::TraceLineStyle, &C::SetTraceLineStyle, iplsSolid,
               LineStyleNames());
        t.Ordinal("TraceLineWidth", "Integer", &C::TraceLineWidth, &C::SetTraceLineWidth, 1);
        t.Boolean("MarkersAllowIndividual", &C::MarkersAllowIndividual, &C::SetMarkersAllowIndividual, false);
        t.Boolean("MarkersPenUseChannelColor", &C::MarkersPenUseChannelColor,
                  &C::SetMarkersPenUseChannelColor, true);
        t.Boolean("MarkersBrushUseChannelColor", &C::MarkersBrushUseChannelColor,
                  &C::SetMarkersBrushUseChannelColor, true);
        t.Ordinal("MarkersTurnOffLimit", "Integer", &C::MarkersTurnOffLimit, &C::SetMarkersTurnOffLimit, 0);
        t.Boolean("MarkersVisible", &C::MarkersVisible, &C::SetMarkersVisible, false);
        t.Ordinal("MarkersSize", "Integer", &C::MarkersSize, &C::SetMarkersSize, 3);
        t.Enum("MarkersStyle", "TcPlotMarkerStyle", &C::MarkersStyle, &C::SetMarkersStyle, ipmsCircle,
               {"ipmsCircle", "ipmsSquare", "ipmsDiamond", "ipmsCross", "ipmsPlus", "ipmsTriangleUp",
                "ipmsTriangleDown", "ipmsTriangleLeft", "ipmsTriangleRight", "ipmsVerticalLine",
                "ipmsHorizontalLine", "ipmsCharacter"});
        t.Ordinal("MarkersPenColor", "TColor", &C::MarkersPenColor, &C::SetMarkersPenColor, fw::clRed);
        t.Enum("MarkersPenStyle", "TPenStyle", &C::MarkersPenStyle, &C::SetMarkersPenStyle,
               TcPenStyleValue(0), PenStyleNames());
        t.Ordinal("MarkersPenWidth", "Integer", &C::MarkersPenWidth, &C::SetMarkersPenWidth, 0);
        t.Ordinal("MarkersBrushColor", "TColor", &C::MarkersBrushColor, &C::SetMarkersBrushColor, fw::clRed);
        t.Enum("MarkersBrushStyle", "TBrushStyle", &C::MarkersBrushStyle, &C::SetMarkersBrushStyle,
               TcBrushStyleValue(0), BrushStyleNames());
        t.Object("MarkersFont", "TFont", &C::MarkersFont);
        t.String("XAxisName", &C::XAxisName, &C::SetXAxisName, QString());
        t.String("YAxisName", &C::YAxisName, &C::SetYAxisName, QString());
        t.Boolean("XAxisTrackingEnabled", &C::XAxisTrackingEnabled, &C::SetXAxisTrackingEnabled, true);
        t.Boolean("YAxisTrackingEnabled", &C::YAxisTrackingEnabled, &C::SetYAxisTrackingEnabled, true);
        t.String("LogFileName", &C::LogFileName, &C::SetLogFileName, QString());
        t.Ordinal("LogBufferSize", "Integer", &C::LogBufferSize, &C::SetLogBufferSize, 0);
        t.Boolean("LoggingActive", &C::LoggingActive, nullptr, false);
        t.Enum("DataStyle", "TcPlotDataStyle", &C::DataStyle, &C::SetDataStyle, ipdsStandard,
               {"ipdsStandard", "ipdsCompact", "ipdsCompactInterval", "ipdsFullFeature"});
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
    if (FLoggingActive && (++FLogBufferCount >= FLogBufferSize || FLogBufferSize < 2))
        LogWriteBuffer();
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
    if (FLoggingActive)
        LogDeactivate();
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
