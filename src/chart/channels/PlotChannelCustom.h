// TcPlotChannelCustom: the base of every chart channel. It owns the channel's data list, finds
// its axes by name (cached), keeps running statistics of what was added, offers new values to the
// axes' tracking and carries the trace and marker style (the style properties live in the data
// list's stored defaults, so they survive a change of DataStyle). Drawing, mouse, files and
// logging come with their own classes. UI thread, or another thread under the chart's Lock.
#pragma once

#include "chart/core/PlotDataList.h"
#include "chart/objects/PlotObject.h"
#include "framework/Fonts.h"

#include <QVariant>
#include <cmath>
#include <memory>

namespace chart
{

class TcPlotDataCursor;

// A running sum with Neumaier compensation.
struct TcCompensatedSum {
    double Sum = 0;
    double Compensation = 0;
    void Add(double v)
    {
        const double t = Sum + v;
        Compensation += std::fabs(Sum) >= std::fabs(v) ? (Sum - t) + v : (v - t) + Sum;
        Sum = t;
    }
    double Value() const { return Sum + Compensation; }
    void Clear() { Sum = Compensation = 0; }
};

enum TcPlotDataPointStatus : std::uint8_t { ipdpsValid, ipdpsNull, ipdpsEmpty };
enum TcPlotChannelDataPointMoveStyle : std::uint8_t { ipcdpmsXandY, ipcdpmsXOnly, ipcdpmsYOnly };

// The names of the style values, as editors list them.
QStringList LineStyleNames();
QStringList PenStyleNames();
QStringList BrushStyleNames();

class TcPlotChannelCustom : public TcPlotManagerObject
{
  public:
    TcPlotChannelCustom(TcPlotOwner* AOwner, const TcPlotHandlers& handlers);
    ~TcPlotChannelCustom() override;

    // Published properties.
    const QString& TitleText() const { return FTitleText; }
    void SetTitleText(const QString& v) { SetStringValue(v, FTitleText, &TcPlotObject::DoChange); }
    bool VisibleInLegend() const { return FVisibleInLegend; }
    void SetVisibleInLegend(bool v) { SetBooleanValue(v, FVisibleInLegend, &TcPlotObject::DoChange); }
    bool ClipToAxes() const { return FClipToAxes; }
    void SetClipToAxes(bool v) { SetBooleanValue(v, FClipToAxes, &TcPlotObject::DoChange); }
    bool ShowDataPointHints() const { return FShowDataPointHints; }
    void SetShowDataPointHints(bool v) { FShowDataPointHints = v; }
    bool UserCanMoveDataPoints() const { return FUserCanMoveDataPoints; }
    void SetUserCanMoveDataPoints(bool v) { FUserCanMoveDataPoints = v; }
    TcPlotChannelDataPointMoveStyle UserCanMoveDataPointsStyle() const { return FUserCanMoveDataPointsStyle; }
    void SetUserCanMoveDataPointsStyle(TcPlotChannelDataPointMoveStyle v) { FUserCanMoveDataPointsStyle = v; }
    int RingBufferSize() const { return FDataList->RingBufferSize(); }
    void SetRingBufferSize(int v);
    bool TraceVisible() const { return FTraceVisible; }
    void SetTraceVisible(bool v) { SetBooleanValue(v, FTraceVisible, &TcPlotObject::DoChange); }
    TColor Color() const { return FDataList->Stored().TraceLineColor; }
    void SetColor(TColor v) { StoreListStyle(FDataList->Stored().TraceLineColor, v); }
    TcPlotLineStyle TraceLineStyle() const { return FDataList->Stored().TraceLineStyle; }
    void SetTraceLineStyle(TcPlotLineStyle v) { StoreListStyle(FDataList->Stored().TraceLineStyle, v); }
    int TraceLineWidth() const { return FDataList->Stored().TraceLineWidth; }
    void SetTraceLineWidth(int v) { StoreListStyle(FDataList->Stored().TraceLineWidth, v); }
    bool MarkersAllowIndividual() const { return FMarkersAllowIndividual; }
    void SetMarkersAllowIndividual(bool v)
    {
        SetBooleanValue(v, FMarkersAllowIndividual, &TcPlotObject::DoChange);
    }
    bool MarkersPenUseChannelColor() const { return FMarkersPenUseChannelColor; }
    void SetMarkersPenUseChannelColor(bool v)
    {
        SetBooleanValue(v, FMarkersPenUseChannelColor, &TcPlotObject::DoChange);
    }
    bool MarkersBrushUseChannelColor() const { return FMarkersBrushUseChannelColor; }
    void SetMarkersBrushUseChannelColor(bool v)
    {
        SetBooleanValue(v, FMarkersBrushUseChannelColor, &TcPlotObject::DoChange);
    }
    int MarkersTurnOffLimit() const { return FMarkersTurnOffLimit; }
    void SetMarkersTurnOffLimit(int v) { SetIntegerValue(v, FMarkersTurnOffLimit, &TcPlotObject::DoChange); }
    bool MarkersVisible() const { return FDataList->Stored().MarkerVisible; }
    void SetMarkersVisible(bool v) { StoreListStyle(FDataList->Stored().MarkerVisible, v); }
    int MarkersSize() const { return FDataList->Stored().MarkerSize; }
    void SetMarkersSize(int v) { StoreListStyle(FDataList->Stored().MarkerSize, v); }
    TcPlotMarkerStyle MarkersStyle() const { return FDataList->Stored().MarkerStyle; }
    void SetMarkersStyle(TcPlotMarkerStyle v) { StoreListStyle(FDataList->Stored().MarkerStyle, v); }
    TColor MarkersPenColor() const { return FDataList->Stored().MarkerPenColor; }
    void SetMarkersPenColor(TColor v) { StoreListStyle(FDataList->Stored().MarkerPenColor, v); }
    TcPenStyleValue MarkersPenStyle() const { return FDataList->Stored().MarkerPenStyle; }
    void SetMarkersPenStyle(TcPenStyleValue v) { StoreListStyle(FDataList->Stored().MarkerPenStyle, v); }
    int MarkersPenWidth() const { return FDataList->Stored().MarkerPenWidth; }
    void SetMarkersPenWidth(int v) { StoreListStyle(FDataList->Stored().MarkerPenWidth, v); }
    TColor MarkersBrushColor() const { return FDataList->Stored().MarkerBrushColor; }
    void SetMarkersBrushColor(TColor v) { StoreListStyle(FDataList->Stored().MarkerBrushColor, v); }
    TcBrushStyleValue MarkersBrushStyle() const { return FDataList->Stored().MarkerBrushStyle; }
    void SetMarkersBrushStyle(TcBrushStyleValue v)
    {
        StoreListStyle(FDataList->Stored().MarkerBrushStyle, v);
    }
    fw::TFont& MarkersFont() { return FMarkersFont; }
    const QString& XAxisName() const { return FXAxisName; }
    void SetXAxisName(const QString& v);
    const QString& YAxisName() const { return FYAxisName; }
    void SetYAxisName(const QString& v);
    bool XAxisTrackingEnabled() const { return FXAxisTrackingEnabled; }
    void SetXAxisTrackingEnabled(bool v)
    {
        SetBooleanValue(v, FXAxisTrackingEnabled, &TcPlotObject::DoChange);
    }
    bool YAxisTrackingEnabled() const { return FYAxisTrackingEnabled; }
    void SetYAxisTrackingEnabled(bool v)
    {
        SetBooleanValue(v, FYAxisTrackingEnabled, &TcPlotObject::DoChange);
    }
    const QString& LogFileName() const { return FLogFileName; }
    // The log's file is not renamed while logging.
    // Refused while logging.
    void SetLogFileName(const QString& v);
    int LogBufferSize() const { return FLogBufferSize; }
    void SetLogBufferSize(int v) { FLogBufferSize = v; }
    bool LoggingActive() const { return FLoggingActive; }
    TcPlotDataStyle DataStyle() const { return FDataStyle; }
    void SetDataStyle(TcPlotDataStyle Value);
    // Free for the user; held as given, never written to files nor set by path.
    const QVariant& Tag() const { return FTag; }
    void SetTag(const QVariant& v) { FTag = v; }

    // Public read-only values.
    TcPlotAxis* XAxis() { return GetXAxis(); }
    TcPlotAxis* YAxis() { return GetYAxis(); }
    TcPlotAxis* GetXAxis() { return FXAxis ? FXAxis : FindXAxis(); }
    TcPlotAxis* GetYAxis() { return FYAxis ? FYAxis : FindYAxis(); }
    bool HasAxes() { return GetXAxis() && GetYAxis(); }
    int Count() const { return FDataList->Count(); }
    void SetCount(int Value);
    int Capacity() const { return FDataList->Capacity(); }
    long long MemoryUsed() const { return FDataList->MemoryUsed(); }
    int DataPointSize() const { return FDataList->DataPointSize(); }
    int MaxDataPoints() const { return FDataList->MaxDataPoints(); }
    double XFirst() const { return Count() ? FDataList->GetX(0) : -1; }
    double XLast() const { return Count() ? FDataList->GetX(Count() - 1) : -1; }
    double YFirst() const { return Count() ? FDataList->GetY(0) : -1; }
    double YLast() const { return Count() ? FDataList->GetY(Count() - 1) : -1; }
    int IndexFirst() const { return Count() ? 0 : -1; }
    int IndexLast() const { return Count() - 1; }
    int DrawStartIndex() const { return FStartIndex; }
    int DrawStopIndex() const { return FStopIndex; }
    double RunningXMin() const { return FRunningXMin; }
    double RunningXMax() const { return FRunningXMax; }
    double RunningXMean() const
    {
        return FRunningXCount ? FRunningXTotal.Value() / double(FRunningXCount) : 0;
    }
    double RunningYMin() const { return FRunningYMin; }
    double RunningYMax() const { return FRunningYMax; }
    double RunningYMean() const
    {
        return FRunningYCount ? FRunningYTotal.Value() / double(FRunningYCount) : 0;
    }
    const TcPlotDataCustomList& DataList() const { return *FDataList; }

    // Points.
    virtual int AddXY(double X, double Y) { return AddPoint(X, Y, false, false); }
    int AddPoint(double X, double Y, bool Null, bool Empty);
    // Adds each pair of equal-length arrays (the arrays' bounds must match).
    void AddXYArrays(const QVariantList& XData, const QVariantList& YData, int XLow = 0, int YLow = 0);
    // Adds the columns of a 2 x n table (rows: X, then Y).
    void AddXYArray(const QList<QVariantList>& Data);
    // Ends logging first (writing what is pending).
    void Clear();

    // Files: the channel's property file ("File Type = Plot Channel Config", keys "Channel.<name>"),
    // its points as "X<separator>Y" lines (the chart's DataFileColumnSeparator) and the log of added
    // points. Savers and loaders return false with the reason; a refused file changes nothing.
    bool SavePropertiesToFile(const QString& FileName, QString* Error = nullptr);
    bool LoadPropertiesFromFile(const QString& FileName, QString* Error = nullptr);
    bool SaveDataToFile(const QString& FileName, QString* Error = nullptr);
    bool LoadDataFromFile(const QString& FileName, bool ClearPreviousData, QString* Error = nullptr);
    // Raise EChartError: no file name, already active, a missing file to append to / not active.
    void LogActivate(bool Append);
    void LogDeactivate();
    // Appends the points added since the last write to the log.
    void LogWriteBuffer();
    void DeletePoints(int Size);
    void GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty, bool& Null) const
    {
        FDataList->GetXYEmptyNull(Index, X, Y, Empty, Null);
    }
    // Walks the drawn index range: empty points are stepped over, a null point (which breaks a trace)
    // calls Null(x), every other point Point(index, x, y).
    template <class OnNull, class OnPoint> void ForEachDrawnPoint(OnNull&& Null, OnPoint&& Point) const
    {
        for (int i = FStartIndex; i <= FStopIndex; ++i) {
            double x, y;
            bool empty, null;
            GetXYEmptyNull(i, x, y, empty, null);
            if (empty)
                continue;
            if (null)
                Null(x);
            else
                Point(i, x, y);
        }
    }
    double GetPointX(int Index) const
    {
        return FStandardList ? FStandardList->GetX(Index) : FDataList->GetX(Index);
    }
    double GetPointY(int Index) const
    {
        return FStandardList ? FStandardList->GetY(Index) : FDataList->GetY(Index);
    }
    bool GetPointNull(int Index) const { return FDataList->GetNull(Index); }
    bool GetPointEmpty(int Index) const { return FDataList->GetEmpty(Index); }
    bool IsPointValid(int Index) const { return !GetPointNull(Index) && !GetPointEmpty(Index); }
    bool GetPointMarkerVisible(int Index) const { return FDataList->GetMarkerVisible(Index); }
    TcPlotMarkerStyle GetPointMarkerStyle(int Index) const { return FDataList->GetMarkerStyle(Index); }
    void SetPointX(int Index, double Value);
    void SetPointY(int Index, double Value);
    void SetPointNull(int Index, bool Value);
    void SetPointEmpty(int Index, bool Value);

    // Statistics over the valid points, on demand.
    double GetXMin();
    double GetXMax();
    double GetXMean();
    double GetYMin();
    double GetYMax();
    double GetYMean();
    void ReCalcRunningMinMaxMean();

    QString GetXValueText(double Value);
    QString GetYValueText(double Value);

    // The value plus or minus the axis length of MarkersSize pixels (the bare value without markers).
    double GetMarkerXMax(int Index);
    double GetMarkerXMin(int Index);
    double GetMarkerYMax(int Index);
    double GetMarkerYMin(int Index);

    // For zooming to fit; the derived channel kinds refine them.
    virtual double GetZoomXMax() { return FRunningXMax; }
    virtual double GetZoomXMin() { return FRunningXMin; }
    virtual double GetZoomYMax() { return FRunningYMax; }
    virtual double GetZoomYMin() { return FRunningYMin; }
    virtual void CalcStartIndex() = 0;
    virtual void CalcStopIndex() = 0;

    void NotificationRemove(TcPlotObject* AObject) override;
    void NotificationRename(TcPlotObject* AObject) override;
    const TPropertyTable& PropertyTable() const override;
    static const TPropertyTable& ClassTable();

    // Drawing: the trace (segments between valid points, broken at null points, cut at the X
    // scale and, with ClipToAxes, at the Y scale) and the markers.
    virtual void DrawTrace(TCanvas& Canvas, bool XYAxesReversed, TColor BackGroundColor);
    virtual void DrawMarkers(TCanvas& Canvas, bool XYAxesReversed, TColor BackGroundColor);
    // One segment in axis values; with YInPercent the Y values are percent of data view 0.
    void DrawClippedLine(TCanvas& Canvas, bool XYAxesReversed, double X1, double Y1, double X2, double Y2,
                         bool YInPercent);
    static double InterpolateYAtX(double X1, double Y1, double X2, double Y2, double X);
    static double InterpolateXAtY(double X1, double Y1, double X2, double Y2, double Y);
    // Moves the ends of a segment outside YMin..YMax onto that range along the segment.
    static void ClipToYRange(double& x1, double& y1, double& x2, double& y2, double YMin, double YMax);
    bool IsMarkerShown(int Index);
    TPoint GetPointPixels(int Index);
    TRect GetMarkerRect(int Index);
    // One marker at Center; Index -1 draws the channel's sample (the legend's).
    void DrawMarker(TCanvas& Canvas, int Index, TColor BackGroundColor, TPoint Center);
    // Fills the quadrilateral A, B, C, D given in axis values with the current pen and brush.
    void DrawQuad(TCanvas& Canvas, bool XYAxesReversed, const double (&A)[2], const double (&B)[2],
                  const double (&C)[2], const double (&D)[2]);
    TRect ValuesToPixelRect(double X1, double Y1, double X2, double Y2);

    // The data cursor's values for this channel (the channel kinds compute them).
    virtual void CalcDataCursorValues(TcPlotDataCursor*) {}
    const QString& DataCursorXText() const { return FDataCursorXText; }
    const QString& DataCursorYText() const { return FDataCursorYText; }
    double DataCursorXValue() const { return FDataCursorXValue; }
    double DataCursorYValue() const { return FDataCursorYValue; }
    // The channel's name area in the legend (empty when its item was not drawn).
    TRect LegendRect() const { return FLegendRect; }
    void SetLegendRect(const TRect& r) { FLegendRect = r; }

    // Mouse: hit on the legend entry, or in select mode on a shown marker (the lowest index wins).
    bool iHitTest(const TcPlotMouseData& M) override;
    bool iMouseWheel(int WheelDelta, TShiftState Shift, TPoint MousePos) override;
    int GetMouseCursor(TPoint P) override;
    void FillPopupMenu(TcPopupMenu& Menu) override;
    void NotificationSetFocus(TcPlotObject* AObject) override;
    // The point found by the last hit test (-1 for none).
    int SelectDataIndex() const { return FSelectDataIndex; }
    // Bar mode of the point hit test (the channel's bars are on) and a point's bar in pixels.
    virtual bool BarHitMode() const { return false; }
    virtual TRect GetBarRect(int) { return {}; }

  protected:
    void DoMouseHint(const TcPlotMouseData& M, TcHintData& Hint) override;
    void DoMouseLeft(const TcPlotMouseData& M) override;
    void DoMouseMove(const TcPlotMouseData& M) override;
    void DoMouseUp(const TcPlotMouseData& M) override;
    void FireDataPointEvent(TcPlotEventKind Kind, int DataIndex, const TcPlotMouseData& M, bool WithButton);
    TcPlotDataCustomList& MutableDataList() { return *FDataList; }

    int FStartIndex = -1;
    int FStopIndex = -1;
    QString FDataCursorXText, FDataCursorYText;
    double FDataCursorXValue = 0, FDataCursorYValue = 0;
    int FDataCursorStatus = 0;
    TRect FLegendRect;
    int FSelectDataIndex = -1;
    TRect FSelectHitTestRect;
    bool FSelectMouseDown = false;
    int FSelectMouseDownIndex = -1;
    TRect FSelectDownRect;
    int FMouseDownDataIndex = -1;
    double FMouseDownValueX = 0, FMouseDownValueY = 0;
    int FMouseDownPixelX = 0, FMouseDownPixelY = 0;

  private:
    template <class T> void StoreListStyle(T& field, T value)
    {
        field = value;
        DoChange();
    }
    double MarkerExtent(int Index, bool xAxis, double sign);
    void ResetRunning();

    void SetDataList(std::unique_ptr<TcPlotDataCustomList> list);
    TcPlotAxis* FindXAxis();
    TcPlotAxis* FindYAxis();

    std::unique_ptr<TcPlotDataCustomList> FDataList;
    // FDataList when it is a standard list (the common style): its calls need no dispatch.
    TcPlotDataNullList* FStandardList = nullptr;
    TcPlotAxis* FXAxis = nullptr;
    TcPlotAxis* FYAxis = nullptr;
    QString FTitleText, FYAxisName, FXAxisName;
    bool FXAxisTrackingEnabled = true, FYAxisTrackingEnabled = true, FLoggingActive = false;
    int FLogBufferCount = 0;
    bool FMarkersAllowIndividual = false;
    int FMarkersTurnOffLimit = 0;
    bool FVisibleInLegend = true, FClipToAxes = false, FShowDataPointHints = false,
         FUserCanMoveDataPoints = false;
    TcPlotChannelDataPointMoveStyle FUserCanMoveDataPointsStyle = ipcdpmsXandY;
    bool FMarkersBrushUseChannelColor = true, FMarkersPenUseChannelColor = true, FTraceVisible = true;
    int FLogBufferSize = 0;
    QString FLogFileName;
    QVariant FTag;
    // Running statistics; the totals are compensated sums (at least the precision of an 80-bit
    // total) so that long runs keep their mean. X and Y keep their own counts, so that an
    // on-demand X mean never skews the running Y mean.
    long long FRunningXCount = 0;
    long long FRunningYCount = 0;
    double FRunningXMin = 1e300, FRunningXMax = -1e300;
    TcCompensatedSum FRunningXTotal;
    double FRunningYMin = 1e300, FRunningYMax = -1e300;
    TcCompensatedSum FRunningYTotal;
    TcPlotDataStyle FDataStyle = ipdsStandard;
    fw::TFont FMarkersFont;
};

} // namespace chart
