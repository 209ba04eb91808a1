// TcPlotChannel: the strip chart's channel, for points whose X values run one way (typically time).
// Point entry can refuse an X against the order of the points held; the draw range and the lookups
// are binary searches; the trace is drawn straight (a fast form reduces each pixel column to one
// stroke), as a curve, as steps or as a two-level digital trace, with area fill, bars and
// high/low/open/close marks. Two OPC items can feed it. UI thread only.
#pragma once

#include "chart/channels/PlotChannelOPC.h"

#include <functional>
#include <vector>

namespace chart
{

enum TcPlotInterpolationStyle : std::uint8_t {
    ipistStraightLine,
    ipistCubicSpline,
    ipistPolynomial,
    ipistRational,
    ipistDifferential,
    ipistDifferentialTerminated
};
enum TcPlotHighLowStyle : std::uint8_t { iphlsOpenClose, iphlsCandleStick };
enum TcPlotDigitalReferenceStyle : std::uint8_t { ipdrScale, ipdrPercent };
enum TcOPCXValueSourceStyle : std::uint8_t {
    iopcxvsOPCServerTimeStamp,
    iopcxvsSystemTimeStamp,
    iopcxvsElapsedTime,
    iopcxvsElapsedSeconds,
    iopcxvsOPCItem
};

// The value a curve trace drew in one pixel column (Null: nothing drawn there).
struct TcPlotPixelPoint {
    bool Null = true;
    int XPixel = 0;
    double YValue = 0;
};

// One-dimensional array with its low bound (the Y values of AddYArray).
struct TcVarArray {
    int Low = 0;
    QVariantList Values;
    int Dimensions = 1;
};

class TcPlotChannel : public TcPlotChannelOPC
{
  public:
    TcPlotChannel(TcPlotOwner* AOwner, const TcPlotHandlers& handlers);

    // Published properties.
    bool FastDrawEnabled() const { return FFastDrawEnabled; }
    void SetFastDrawEnabled(bool v) { SetBooleanValue(v, FFastDrawEnabled, &TcPlotObject::DoChange); }
    bool AllowOutOfOrderXValues() const { return FAllowOutOfOrderXValues; }
    void SetAllowOutOfOrderXValues(bool v) { FAllowOutOfOrderXValues = v; }
    bool DrawOutOfOrderXValues() const { return FDrawOutOfOrderXValues; }
    void SetDrawOutOfOrderXValues(bool v)
    {
        SetBooleanValue(v, FDrawOutOfOrderXValues, &TcPlotObject::DoChange);
    }
    bool ResetStartTimeOnFirstDataPoint() const { return FResetStartTimeOnFirstDataPoint; }
    void SetResetStartTimeOnFirstDataPoint(bool v) { FResetStartTimeOnFirstDataPoint = v; }
    TcPlotInterpolationStyle InterpolationStyle() const { return FInterpolationStyle; }
    void SetInterpolationStyle(TcPlotInterpolationStyle v) { Store(v, FInterpolationStyle); }
    bool FillEnabled() const { return FFillEnabled; }
    void SetFillEnabled(bool v) { SetBooleanValue(v, FFillEnabled, &TcPlotObject::DoChange); }
    double FillReference() const { return FFillReference; }
    void SetFillReference(double v) { SetDoubleValue(v, FFillReference, &TcPlotObject::DoChange); }
    TcBrushStyleValue FillStyle() const { return FFillStyle; }
    void SetFillStyle(TcBrushStyleValue v) { Store(v, FFillStyle); }
    TColor FillColor() const { return FFillColor; }
    void SetFillColor(TColor v) { SetColorValue(v, FFillColor, &TcPlotObject::DoChange); }
    bool FillUseChannelColor() const { return FFillUseChannelColor; }
    void SetFillUseChannelColor(bool v) { SetBooleanValue(v, FFillUseChannelColor, &TcPlotObject::DoChange); }
    bool DigitalEnabled() const { return FDigitalEnabled; }
    void SetDigitalEnabled(bool v) { SetBooleanValue(v, FDigitalEnabled, &TcPlotObject::DoChange); }
    TcPlotDigitalReferenceStyle DigitalReferenceStyle() const { return FDigitalReferenceStyle; }
    void SetDigitalReferenceStyle(TcPlotDigitalReferenceStyle v) { Store(v, FDigitalReferenceStyle); }
    double DigitalReferenceLow() const { return FDigitalReferenceLow; }
    void SetDigitalReferenceLow(double v)
    {
        SetDoubleValue(v, FDigitalReferenceLow, &TcPlotObject::DoChange);
    }
    double DigitalReferenceHigh() const { return FDigitalReferenceHigh; }
    void SetDigitalReferenceHigh(double v)
    {
        SetDoubleValue(v, FDigitalReferenceHigh, &TcPlotObject::DoChange);
    }
    TcPlotHighLowStyle HighLowStyle() const { return FHighLowStyle; }
    void SetHighLowStyle(TcPlotHighLowStyle v) { Store(v, FHighLowStyle); }
    bool HighLowEnabled() const { return FHighLowEnabled; }
    void SetHighLowEnabled(bool v) { SetBooleanValue(v, FHighLowEnabled, &TcPlotObject::DoChange); }
    // The colours, widths and heights of the high/low marks, by slot (see THighLow).
    enum THighLowColor { hlBar, hlOpen, hlClose, hlShadow, hlBullish, hlBearish };
    enum THighLowSize { hlBarWidth, hlOpenWidth, hlOpenHeight, hlCloseWidth, hlCloseHeight };
    template <THighLowColor I> TColor HighLowColor() const { return FHighLowColor[I]; }
    template <THighLowColor I> void SetHighLowColor(TColor v)
    {
        SetColorValue(v, FHighLowColor[I], &TcPlotObject::DoChange);
    }
    template <THighLowSize I> double HighLowSize() const { return FHighLowSize[I]; }
    template <THighLowSize I> void SetHighLowSize(double v)
    {
        SetDoubleValue(v, FHighLowSize[I], &TcPlotObject::DoChange);
    }
    bool HighLowOpenShow() const { return FHighLowOpenShow; }
    void SetHighLowOpenShow(bool v) { SetBooleanValue(v, FHighLowOpenShow, &TcPlotObject::DoChange); }
    bool HighLowCloseShow() const { return FHighLowCloseShow; }
    void SetHighLowCloseShow(bool v) { SetBooleanValue(v, FHighLowCloseShow, &TcPlotObject::DoChange); }
    bool BarEnabled() const { return FBarEnabled; }
    void SetBarEnabled(bool v) { SetBooleanValue(v, FBarEnabled, &TcPlotObject::DoChange); }
    bool BarPenUseChannelColor() const { return FBarPenUseChannelColor; }
    void SetBarPenUseChannelColor(bool v)
    {
        SetBooleanValue(v, FBarPenUseChannelColor, &TcPlotObject::DoChange);
    }
    bool BarBrushUseChannelColor() const { return FBarBrushUseChannelColor; }
    void SetBarBrushUseChannelColor(bool v)
    {
        SetBooleanValue(v, FBarBrushUseChannelColor, &TcPlotObject::DoChange);
    }
    // The bar settings live in the data list's stored defaults; a write always notifies.
    template <class T, T TcPlotPointStyle::*F> T BarStored() const { return DataList().Stored().*F; }
    template <class T, T TcPlotPointStyle::*F> void SetBarStored(T v)
    {
        MutableDataList().Stored().*F = v;
        DoChange();
    }

    QString OPCGroupName() const { return OPCItem(0).GroupName(); }
    void SetOPCGroupName(const QString& v) { MutableOPCItem(0).SetGroupName(v); }
    TcOPCXValueSourceStyle OPCXValueSource() const { return FOPCXValueSource; }
    void SetOPCXValueSource(TcOPCXValueSourceStyle v) { FOPCXValueSource = v; }
    const TPropertyTable& PropertyTable() const override;

    // New data of item 0 (Value, stamped by the server at TimeStamp), placed by OPCXValueSource.
    void OPCItemNewData(double Value, double TimeStamp);

    // Point entry; each returns the new point's index.
    int AddXY(double X, double Y) override;
    int AddXNull(double X);
    int AddXEmpty(double X);
    int AddHighLow(double X, double High, double Low, double Open, double Close);
    void AddYArray(double XInterval, const TcVarArray& YData);
    int AddYNow(double Y);
    int AddYElapsedTime(double Y);
    int AddYElapsedSeconds(double Y);
    void ResetElapsedStartTime() { FElapsedStartTime = Now(); }
    double ElapsedStartTime() const { return FElapsedStartTime; }
    // The clock (days since 30 December 1899, the fraction the time of day); tests replace it.
    std::function<double()> OnGetNow;

    // The first point whose X reaches TargetValue (in the direction of X); -1 outside the data.
    int CalcIndex(double TargetValue);
    // The Y that the straight-line trace shows at XValue (weighted by whole pixels).
    bool GetYInterpolated(double XValue, double& YValue);
    // The data cursor's Y at X, with its status.
    TcPlotDataPointStatus CursorYAt(double X, double& YValue);
    bool XIncreasing() const { return FXIncreasing; }
    const std::vector<TcPlotPixelPoint>& PixelList() const { return FPixelList; }
    int PixelListStart() const { return FPixelListStart; }
    int PixelListStop() const { return FPixelListStop; }
    // The bar of point Index in pixels (X +- BarWidth / 2, Y from BarReference to the point's Y).
    TRect GetBarRect(int Index) override;
    bool BarHitMode() const override { return FBarEnabled; }

    void PrepareDraw() override;
    void Draw(TCanvas& Canvas, TColor BackGroundColor) override;
    void DrawTrace(TCanvas& Canvas, bool XYAxesReversed, TColor BackGroundColor) override;
    void DrawMarkers(TCanvas& Canvas, bool XYAxesReversed, TColor BackGroundColor) override;
    bool iHitTest(const TcPlotMouseData& M) override;
    void CalcStartIndex() override;
    void CalcStopIndex() override;
    double GetZoomXMax() override;
    double GetZoomXMin() override;
    double GetZoomYMax() override;
    double GetZoomYMin() override;
    void CalcDataCursorValues(TcPlotDataCursor* Cursor) override;

  private:
    template <class T> void Store(T v, T& field)
    {
        if (v == field)
            return;
        field = v;
        DoChange();
    }
    double Now() const;
    void StartTimeRule();
    void CheckOrder(double X);
    void UpdateXIncreasing();
    int SearchAscending(double Target) const;
    int SearchDescending(double Target) const;
    double ZoomX(bool max);
    TColor FillBrushColor() const { return FFillUseChannelColor ? Color() : FFillColor; }
    void RecordPixel(int Column, double Y);
    void DrawAreaFill(TCanvas& Canvas, bool R);
    void DrawBars(TCanvas& Canvas);
    void DrawFastTrace(TCanvas& Canvas, bool R);
    void DrawCurveTrace(TCanvas& Canvas, bool R);
    void DrawCurveRun(TCanvas& Canvas, bool R, std::vector<double> X, std::vector<double> Y);
    void DrawStepTrace(TCanvas& Canvas, bool R);
    void DrawDigitalTrace(TCanvas& Canvas, bool R);
    void DrawOpenClose(TCanvas& Canvas);
    void DrawCandleSticks(TCanvas& Canvas);
    // A pixel rectangle given along the X axis (x1..x2) and the Y axis (y1..y2), ordered, swapped
    // with the axes.
    TRect AxisRect(int x1, int y1, int x2, int y2) const;

    bool OPCPaired() const override { return FOPCXValueSource == iopcxvsOPCItem; }
    // Without a server the pair joins the group named by OPCGroupName.
    bool OPCOwnGroup() const override { return !OPCServerName().trimmed().isEmpty(); }
    void OPCNewData(const TcOPCItem& Item, int Index) override;

    std::vector<TcPlotPixelPoint> FPixelList;
    int FPixelListStart = 0, FPixelListStop = 0;
    int FPixelsHigh = 0, FPixelsLow = 0;
    bool FXIncreasing = true;
    bool FFastDrawEnabled = true, FAllowOutOfOrderXValues = true, FDrawOutOfOrderXValues = false,
         FResetStartTimeOnFirstDataPoint = false;
    TcPlotInterpolationStyle FInterpolationStyle = ipistStraightLine;
    double FElapsedStartTime = 0;
    bool FFillEnabled = false;
    double FFillReference = 0;
    TcBrushStyleValue FFillStyle = 0;
    TColor FFillColor = 0;
    bool FFillUseChannelColor = true;
    TcPlotHighLowStyle FHighLowStyle = iphlsOpenClose;
    bool FHighLowEnabled = false, FHighLowOpenShow = true, FHighLowCloseShow = true;
    TColor FHighLowColor[6] = {0xFFFF00, 0x00FF00, 0x0000FF, 0x808080, 0xFFFFFF, 0x808080};
    double FHighLowSize[5] = {0.5, 1, 1, 1, 1};
    bool FDigitalEnabled = false;
    double FDigitalReferenceLow = 10, FDigitalReferenceHigh = 90;
    TcPlotDigitalReferenceStyle FDigitalReferenceStyle = ipdrScale;
    TcOPCXValueSourceStyle FOPCXValueSource = iopcxvsOPCServerTimeStamp;
    bool FBarEnabled = false, FBarPenUseChannelColor = true, FBarBrushUseChannelColor = true;
};

} // namespace chart
