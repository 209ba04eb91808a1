// TcPlotAxis: the mapping between data values and pixels along one side of the plotting area
// (Min and Span, linear or log10 scale), scrolling and zooming by drag, wheel, keys and calls,
// tracking of new data, and the ticks, value texts, size and drawing of the scale, labels, title
// and grid lines. TcPlotXAxis and TcPlotYAxis differ only in their tracking defaults. Owned by
// the chart's X- or Y-axis manager; UI thread only.
#pragma once

#include "chart/objects/PlotObject.h"
#include "framework/Fonts.h"

#include <memory>
#include <vector>

namespace chart
{

enum TcPlotScaleType : std::uint8_t { ipstLinear, ipstLog10 };
enum TcPlotAxisMode : std::uint8_t { ipamScroll, ipamZoom };
enum TcPlotTrackingStyle : std::uint8_t {
    iptsScaleMinMax,
    iptsScaleMax,
    iptsScaleMin,
    iptsScrollSmooth,
    iptsScrollPage,
    iptsExpandCollapse,
    iptsExpandCollapseFast,
    iptsExpandMinMax
};
enum TcPlotTrackingIncrementStyle : std::uint8_t { iptisMinimum, iptisMajor, iptisMinor };
enum TcPlotAlignFirstStyle : std::uint8_t { ipafsMin, ipafsMax, ipafsAuto, ipafsNone };
enum TcPlotCartesianStyle : std::uint8_t { ipcsNone, ipcsMaster, ipcsChild };
enum TcPlotTextFormat : std::uint8_t {
    iptfValue,
    iptfExponent,
    iptfPrefix,
    iptfDateTime,
    iptfPrice32nds,
    iptfThousands
};
enum TcPlotTickType : std::uint8_t { ipttMajor, ipttMinor };
enum TcPlotGridLineStyle : std::uint8_t { ipglsSolid, ipglsDash, ipglsDot };

struct TcPlotTickObject {
    TcPlotTickType TickType = ipttMajor;
    double Position = 0;
    int PositionPixels = 0;
    QString Text;
    bool Show = false;
};

class TcPlotAxis : public TcPlotLayoutObject
{
  public:
    TcPlotAxis(TcPlotOwner* AOwner, const TcPlotHandlers& handlers);
    ~TcPlotAxis() override;

    // Scale and behaviour.
    double Min() const { return FMin; }
    void SetMin(double Value);
    double Span() const { return FSpan; }
    void SetSpan(double Value);
    double Max() const { return FMin + FSpan; }
    double Mid() const { return FMin + FSpan / 2; }
    bool ReverseScale() const { return FReverseScale; }
    void SetReverseScale(bool v) { SetBooleanValue(v, FReverseScale, &TcPlotObject::DoChange); }
    TcPlotScaleType ScaleType() const { return FScaleType; }
    void SetScaleType(TcPlotScaleType Value);
    TcPlotAxisMode Mode() const { return FMode; }
    void SetMode(TcPlotAxisMode v) { StoreEnum(FMode, v); }
    bool TrackingEnabled() const { return FTrackingEnabled; }
    void SetTrackingEnabled(bool Value);
    TcPlotTrackingStyle TrackingStyle() const { return FTrackingStyle; }
    void SetTrackingStyle(TcPlotTrackingStyle v) { StoreEnum(FTrackingStyle, v); }
    TcPlotTrackingIncrementStyle TrackingIncrementStyle() const { return FTrackingIncrementStyle; }
    void SetTrackingIncrementStyle(TcPlotTrackingIncrementStyle v) { StoreEnum(FTrackingIncrementStyle, v); }
    TcPlotAlignFirstStyle TrackingAlignFirstStyle() const { return FTrackingAlignFirstStyle; }
    void SetTrackingAlignFirstStyle(TcPlotAlignFirstStyle v) { StoreEnum(FTrackingAlignFirstStyle, v); }
    double TrackingScrollCompressMax() const { return FTrackingScrollCompressMax; }
    void SetTrackingScrollCompressMax(double v)
    {
        SetDoubleValue(v, FTrackingScrollCompressMax, &TcPlotObject::DoChange);
    }
    double TrackingSpanMinimum() const { return FTrackingSpanMinimum; }
    void SetTrackingSpanMinimum(double v)
    {
        SetDoubleValue(v, FTrackingSpanMinimum, &TcPlotObject::DoChange);
    }
    double TrackingMaxMargin() const { return FTrackingMaxMargin; }
    void SetTrackingMaxMargin(double v) { SetDoubleValue(v, FTrackingMaxMargin, &TcPlotObject::DoChange); }
    double TrackingMinMargin() const { return FTrackingMinMargin; }
    void SetTrackingMinMargin(double v) { SetDoubleValue(v, FTrackingMinMargin, &TcPlotObject::DoChange); }
    bool RestoreValuesOnResume() const { return FRestoreValuesOnResume; }
    void SetRestoreValuesOnResume(bool v)
    {
        SetBooleanValue(v, FRestoreValuesOnResume, &TcPlotObject::DoChange);
    }
    bool ScrollMinMaxEnabled() const { return FScrollMinMaxEnabled; }
    void SetScrollMinMaxEnabled(bool v) { SetBooleanValue(v, FScrollMinMaxEnabled, &TcPlotObject::DoChange); }
    double ScrollMin() const { return FScrollMin; }
    void SetScrollMin(double v) { SetDoubleValue(v, FScrollMin, &TcPlotObject::DoChange); }
    double ScrollMax() const { return FScrollMax; }
    void SetScrollMax(double v) { SetDoubleValue(v, FScrollMax, &TcPlotObject::DoChange); }
    bool MasterUIInput() const { return FMasterUIInput; }
    void SetMasterUIInput(bool v) { SetBooleanValue(v, FMasterUIInput, &TcPlotObject::DoChange); }
    TcPlotCartesianStyle CartesianStyle() const { return FCartesianStyle; }
    void SetCartesianStyle(TcPlotCartesianStyle v) { StoreEnum(FCartesianStyle, v); }
    const QString& CartesianChildRefAxisName() const { return FCartesianChildRefAxisName; }
    void SetCartesianChildRefAxisName(const QString& v);
    double CartesianChildRefValue() const { return FCartesianChildRefValue; }
    void SetCartesianChildRefValue(double v)
    {
        SetDoubleValue(v, FCartesianChildRefValue, &TcPlotObject::DoChange);
    }
    const QString& AlignRefAxisName() const { return FAlignRefAxisName; }
    void SetAlignRefAxisName(const QString& v);
    int MinPixels() { return PositionToPixels(Min()); }
    int MaxPixels() { return PositionToPixels(Max()); }

    // Ticks, labels, title, formats and drawing.
    double DesiredStart() const { return FDesiredStart; }
    void SetDesiredStart(double v) { SetDoubleValue(v, FDesiredStart, &TcPlotObject::DoChange); }
    double DesiredIncrement() const { return FDesiredIncrement; }
    void SetDesiredIncrement(double v)
    {
        SetDoubleValue(std::clamp(v, 0.0, 1e300), FDesiredIncrement, &TcPlotObject::DoChange);
    }
    int InnerMargin() const { return FInnerMargin; }
    void SetInnerMargin(int v) { SetIntegerValue(v, FInnerMargin, &TcPlotObject::DoChange); }
    int OuterMargin() const { return FOuterMargin; }
    void SetOuterMargin(int v) { SetIntegerValue(v, FOuterMargin, &TcPlotObject::DoChange); }
    const QString& Title() const { return FTitle; }
    void SetTitle(const QString& v) { SetStringValue(v, FTitle, &TcPlotObject::DoChange); }
    double TitleMargin() const { return FTitleMargin; }
    void SetTitleMargin(double v) { SetDoubleValue(v, FTitleMargin, &TcPlotObject::DoChange); }
    fw::TFont& TitleFont() { return FTitleFont; }
    bool TitleShow() const { return FTitleShow; }
    void SetTitleShow(bool v) { SetBooleanValue(v, FTitleShow, &TcPlotObject::DoChange); }
    bool TitleRotated() const { return FTitleRotated; }
    void SetTitleRotated(bool v) { SetBooleanValue(v, FTitleRotated, &TcPlotObject::DoChange); }
    int MajorLength() const { return FMajorLength; }
    void SetMajorLength(int v) { SetIntegerValue(v, FMajorLength, &TcPlotObject::DoChange); }
    int MinorLength() const { return FMinorLength; }
    void SetMinorLength(int v) { SetIntegerValue(v, FMinorLength, &TcPlotObject::DoChange); }
    int MinorCount() const { return FMinorCount; }
    void SetMinorCount(int v) { SetIntegerValue(v, FMinorCount, &TcPlotObject::DoChange); }
    bool LabelsVisible() const { return FLabelsVisible; }
    void SetLabelsVisible(bool v) { SetBooleanValue(v, FLabelsVisible, &TcPlotObject::DoChange); }
    double LabelsMargin() const { return FLabelsMargin; }
    void SetLabelsMargin(double v) { SetDoubleValue(v, FLabelsMargin, &TcPlotObject::DoChange); }
    fw::TFont& LabelsFont() { return FLabelsFont; }
    double LabelSeparation() const { return FLabelSeparation; }
    void SetLabelSeparation(double v) { SetDoubleValue(v, FLabelSeparation, &TcPlotObject::DoChange); }
    TcRotationAngle LabelsRotation() const { return FLabelsRotation; }
    void SetLabelsRotation(TcRotationAngle v) { StoreEnum(FLabelsRotation, v); }
    int LabelsPrecision() const { return FLabelsPrecision; }
    void SetLabelsPrecision(int v) { SetIntegerValue(v, FLabelsPrecision, &TcPlotObject::DoChange); }
    TcPrecisionStyle LabelsPrecisionStyle() const { return FLabelsPrecisionStyle; }
    void SetLabelsPrecisionStyle(TcPrecisionStyle v) { StoreEnum(FLabelsPrecisionStyle, v); }
    TcPlotTextFormat LabelsFormatStyle() const { return FLabelsFormatStyle; }
    void SetLabelsFormatStyle(TcPlotTextFormat v) { StoreEnum(FLabelsFormatStyle, v); }
    const QString& DateTimeFormat() const { return FDateTimeFormat; }
    void SetDateTimeFormat(const QString& v) { SetStringValue(v, FDateTimeFormat, &TcPlotObject::DoChange); }
    double LabelsMinLength() const { return FLabelsMinLength; }
    void SetLabelsMinLength(double v) { SetDoubleValue(v, FLabelsMinLength, &TcPlotObject::DoChange); }
    bool LabelsMinLengthAutoAdjust() const { return FLabelsMinLengthAutoAdjust; }
    void SetLabelsMinLengthAutoAdjust(bool v)
    {
        SetBooleanValue(v, FLabelsMinLengthAutoAdjust, &TcPlotObject::DoChange);
    }
    bool ScaleLineShow() const { return FScaleLineShow; }
    void SetScaleLineShow(bool v) { SetBooleanValue(v, FScaleLineShow, &TcPlotObject::DoChange); }
    bool ScaleLinesShow() const { return FScaleLinesShow; }
    void SetScaleLinesShow(bool v) { SetBooleanValue(v, FScaleLinesShow, &TcPlotObject::DoChange); }
    TColor ScaleLinesColor() const { return FScaleLinesColor; }
    void SetScaleLinesColor(TColor v) { SetColorValue(v, FScaleLinesColor, &TcPlotObject::DoChange); }
    double StackingEndsMargin() const { return FStackingEndsMargin; }
    void SetStackingEndsMargin(double v) { SetDoubleValue(v, FStackingEndsMargin, &TcPlotObject::DoChange); }
    bool GridLinesVisible() const { return FGridLinesVisible; }
    void SetGridLinesVisible(bool v) { SetBooleanValue(v, FGridLinesVisible, &TcPlotObject::DoChange); }
    bool CursorUseDefaultFormat() const { return FCursorUseDefaultFormat; }
    void SetCursorUseDefaultFormat(bool v)
    {
        SetBooleanValue(v, FCursorUseDefaultFormat, &TcPlotObject::DoChange);
    }
    TcPlotTextFormat CursorFormatStyle() const { return FCursorFormatStyle; }
    void SetCursorFormatStyle(TcPlotTextFormat v) { StoreEnum(FCursorFormatStyle, v); }
    int CursorPrecision() const { return FCursorPrecision; }
    void SetCursorPrecision(int v) { SetIntegerValue(v, FCursorPrecision, &TcPlotObject::DoChange); }
    double CursorScaler() const { return FCursorScaler; }
    void SetCursorScaler(double v) { SetDoubleValue(v, FCursorScaler, &TcPlotObject::DoChange); }
    const QString& CursorDateTimeFormat() const { return FCursorDateTimeFormat; }
    void SetCursorDateTimeFormat(const QString& v)
    {
        SetStringValue(v, FCursorDateTimeFormat, &TcPlotObject::DoChange);
    }
    TcPrecisionStyle CursorPrecisionStyle() const { return FCursorPrecisionStyle; }
    void SetCursorPrecisionStyle(TcPrecisionStyle v) { StoreEnum(FCursorPrecisionStyle, v); }
    double CursorMinLength() const { return FCursorMinLength; }
    void SetCursorMinLength(double v) { SetDoubleValue(v, FCursorMinLength, &TcPlotObject::DoChange); }
    bool CursorMinLengthAutoAdjust() const { return FCursorMinLengthAutoAdjust; }
    void SetCursorMinLengthAutoAdjust(bool v)
    {
        SetBooleanValue(v, FCursorMinLengthAutoAdjust, &TcPlotObject::DoChange);
    }
    TcPlotTextFormat LegendFormatStyle() const { return FLegendFormatStyle; }
    void SetLegendFormatStyle(TcPlotTextFormat v) { StoreEnum(FLegendFormatStyle, v); }
    const QString& LegendDateTimeFormat() const { return FLegendDateTimeFormat; }
    void SetLegendDateTimeFormat(const QString& v)
    {
        SetStringValue(v, FLegendDateTimeFormat, &TcPlotObject::DoChange);
    }
    TcPrecisionStyle LegendPrecisionStyle() const { return FLegendPrecisionStyle; }
    void SetLegendPrecisionStyle(TcPrecisionStyle v) { StoreEnum(FLegendPrecisionStyle, v); }
    int LegendPrecision() const { return FLegendPrecision; }
    void SetLegendPrecision(int v) { SetIntegerValue(v, FLegendPrecision, &TcPlotObject::DoChange); }
    double LegendMinLength() const { return FLegendMinLength; }
    void SetLegendMinLength(double v) { SetDoubleValue(v, FLegendMinLength, &TcPlotObject::DoChange); }
    bool LegendMinLengthAutoAdjust() const { return FLegendMinLengthAutoAdjust; }
    void SetLegendMinLengthAutoAdjust(bool v)
    {
        SetBooleanValue(v, FLegendMinLengthAutoAdjust, &TcPlotObject::DoChange);
    }
    bool LegendUseDefaultFormat() const { return FLegendUseDefaultFormat; }
    void SetLegendUseDefaultFormat(bool v)
    {
        SetBooleanValue(v, FLegendUseDefaultFormat, &TcPlotObject::DoChange);
    }
    bool TickListCustom() const { return FTickListCustom; }
    void SetTickListCustom(bool v) { FTickListCustom = v; }
    int TickListCount() const { return int(FTickList.size()); }
    const TcPlotTickObject& Tick(int Index) const { return FTickList.at(std::size_t(Index)); }
    double MajorIncrement() const { return FMajorIncrement; }
    double MinorIncrement() const { return FMinorIncrement; }
    void SetCustomizeLabelEventText(const QString& v)
    {
        FCustomizeLabelEventText = v;
        FCustomizeLabelEventModified = true;
    }
    TRect ScaleRect() const { return FScaleRect; }
    TRect FocusRect() const { return FFocusRect; }
    int QuadSide() const { return FQuadSide; }
    int RequiredWidth() const { return FRequiredWidth; }

    // Conversions.
    int PositionToPixels(double Value) const
    {
        // The common case inline: a linear scale whose extent and span were seen last time.
        const int start = FReverseScale ? StopPixel() : StartPixel();
        const int stop = FReverseScale ? StartPixel() : StopPixel();
        if (FScaleType == ipstLinear && start == FCacheStart && stop == FCacheStop && FSpan == FCacheSpan &&
            start != stop && FSpan > 1e-300) {
            const double d = (Value - FMin) * FCachePerUnit;
            if (d > -1e9 && d < 1e9) {
                // Round half to even without a library call: adding and removing 1.5 * 2^52 leaves
                // d rounded in the default rounding mode (exact for |d| < 2^51).
                constexpr double shift = 6755399441055744.0;
                const double shifted = d + shift;
                const long long p = start - (long long)(shifted - shift);
                return int(p < -32000 ? -32000 : p > 32000 ? 32000 : p);
            }
        }
        return PositionToPixelsSlow(Value);
    }
    double PixelsToPosition(int Value) const;
    int WidthToPixels(double Value) const;
    double PositionToPercent(double Value) const;
    double PercentToPosition(double Value) const;
    bool PointOnScale(double Value) const;
    bool ValueOnScale(double Value) const { return PointOnScale(Value); }
    // Places the scale on a pixel extent directly (the layout pass does it through CalcScaleRect).
    void SetScaleRect(const TRect& r);

    // Range changes.
    void SetMinSpan(double NewMin, double NewSpan);
    void Zoom(double Value);
    void ZoomToFit();
    void ZoomToFitFast();
    void ZoomToRect(const TRect& r);
    void ScrollByFraction(double f);
    void ZoomByFraction(double f);
    void NewTrackingData(double Value)
    {
        if (FTrackingEnabled)
            TrackValue(Value);
    }
    void ResetFirstAlign() { FFirstAlignDone = false; }
    void UpdateResumeValues();
    void AlignToIncrement();
    TcPlotAxis* GetCartesianRefAxis();
    TcPlotAxis* GetAlignRefAxis();

    // Ticks and texts.
    void CalcScaleRect(TCanvas& Canvas);
    void CalcTicks(TCanvas& Canvas);
    QString GetLabelText(double Value);
    QString GetCursorText(double Value);
    QString GetLegendText(double Value);
    int GetMaxLabelWidth(TCanvas& Canvas);
    int TickListAdd(double Position, const QString& ALabel, TcPlotTickType Style);
    void TickListClear();
    int GetRequiredSize(TCanvas& Canvas) override;
    int GetRequiredEndMargin(TCanvas& Canvas) override;
    void Draw(TCanvas& Canvas, TColor BackGroundColor) override;
    void DrawGridLines(TCanvas& Canvas, const TRect& r, int MinorWidth, int MajorWidth, TColor MinorColor,
                       TColor MajorColor, TcPlotGridLineStyle MinorStyle, TcPlotGridLineStyle MajorStyle,
                       bool ShowMinors, bool ShowMajors);
    bool MonthMode() const { return FMonthModeEnabled; }
    bool YearMode() const { return FYearModeEnabled; }

    // Object behaviour.
    void NotificationRemove(TcPlotObject* AObject) override;
    void NotificationRename(TcPlotObject* AObject) override;
    void NotificationSetFocus(TcPlotObject* AObject) override;
    bool iHitTest(const TcPlotMouseData& M) override;
    int GetMouseCursor(TPoint P) override;
    void iKeyDown(Word& Key, TShiftState Shift, TcPopupMenu* Menu) override;
    void FillPopupMenu(TcPopupMenu& Menu) override;
    const TPropertyTable& PropertyTable() const override;
    static const TPropertyTable& ClassTable();

  protected:
    // The data view hands its drags and wheel to the axes.
    friend class TcPlotDataView;
    void DoMouseHint(const TcPlotMouseData& M, TcHintData& Hint) override;
    void DoMouseLeft(const TcPlotMouseData& M) override;
    void DoMouseMove(const TcPlotMouseData& M) override;
    void DoMouseUp(const TcPlotMouseData& M) override;
    bool DoMouseWheel(int WheelDelta, TShiftState Shift, int X, int Y) override;
    virtual bool IsXAxis() const = 0;

  private:
    template <class E> void StoreEnum(E& field, E value)
    {
        if (field == value)
            return;
        field = value;
        DoChange();
    }
    void FireRangeEvent(TcPlotEventKind kind, std::initializer_list<double> values);
    bool ActiveModeZoom() const;
    // Hands the same input to the other axes of this kind while MasterUIInput is on.
    void Forward(const std::function<void(TcPlotAxis*)>& f);
    void ActualStartStop(int& start, int& stop) const;
    int PositionToPixelsSlow(double Value) const;
    void TrackValue(double Value);
    // The first tracked value places the scale by the align-first style.
    void AlignFirstTrackedValue(double Value);
    void ScrollToTrackedValue(double Value);
    bool ChannelExtent(bool fast, double& min, double& max);
    int StartPixel() const { return Horizontal() ? FScaleRect.Left : FScaleRect.Bottom; }
    int StopPixel() const { return Horizontal() ? FScaleRect.Right : FScaleRect.Top; }
    QString FormatValueText(TcPlotTextFormat FormatStyle, const QString& DateTimeFormat, double& MinLength,
                            bool MinLengthAutoAdjust, int Precision, TcPrecisionStyle PrecisionStyle,
                            double Value);
    void AddTick(TcPlotTickType Type, double Value);
    void CalcValueIncrement(int c, double& increment, int& k) const;
    void CalcDateTimeIncrement(int c, double& increment, int& k);
    void CalcPrice32ndsIncrement(int c, double& increment, int& k) const;
    void CalcLogTicks(int c);
    // How many ticks the labels leave room for along `length` pixels.
    int TickCountForLabels(TCanvas& Canvas, int length);
    // Sets the major and minor increments for about c ticks; returns the major one.
    double ChooseMajorIncrement(int c, int length);
    // The first major tick at or before the scale's start (months and years clamp the range and
    // may raise the increment to a day).
    double FirstTickPosition(double& increment);
    void AddTicksFrom(double p, double increment);
    void DrawTickLabel(TCanvas& Canvas, const TcPlotTickObject& Tick);
    void DrawTitle(TCanvas& Canvas);
    void DrawMark(TCanvas& Canvas, int pixel, int r1, int r2);
    bool IsCartesian() const { return FCartesianStyle != ipcsNone; }
    int LabelExtentAcross(TCanvas& Canvas);

    TRect FScaleRect, FFocusRect;
    // Pixels per span unit for the last (start, stop, span) seen by PositionToPixels.
    mutable int FCacheStart = 0, FCacheStop = 0;
    mutable double FCacheSpan = 0, FCachePerUnit = 0;
    int FQuadSide = 3;
    bool FBlockMinSpanEvents = false;
    TcPlotAxis* FCartesianRefAxis = nullptr;
    TcPlotAxis* FAlignRefAxis = nullptr;
    std::vector<TcPlotTickObject> FTickList;
    bool FAxisMouseDown = false;
    int FMouseDownX = 0, FMouseDownY = 0;
    double FMouseDownMin = 0, FMouseDownSpan = 0;
    bool FFirstAlignDone = false;
    int FRequiredWidth = 0, FTitleOffset = 0;
    double FPreviousMin = 0, FPreviousSpan = 100, FPreviousLabelsMinLength = 0;
    bool FAllowLabelMinAdjust = false;

    double FSpan = 100, FMin = 0;
    bool FReverseScale = false;
    int FInnerMargin = 5, FOuterMargin = 5;
    double FStackingEndsMargin = 0.5;
    int FMinorLength = 3, FMajorLength = 7, FMinorCount = 1;
    bool FLabelsVisible = true;
    double FLabelsMargin = 0.25;
    int FLabelsPrecision = 3;
    TcPrecisionStyle FLabelsPrecisionStyle = ipsSignificantDigits;
    fw::TFont FLabelsFont;
    double FLabelsMinLength = 5;
    bool FLabelsMinLengthAutoAdjust = false;
    double FLabelSeparation = 2, FTitleMargin = 0.25;
    fw::TFont FTitleFont;
    bool FTitleShow = false;
    QString FTitle;
    bool FTitleRotated = false, FScaleLineShow = true;
    TColor FScaleLinesColor = fw::clWhite;
    bool FTrackingEnabled = false;
    TcPlotTrackingStyle FTrackingStyle = iptsScaleMinMax;
    TcPlotTrackingIncrementStyle FTrackingIncrementStyle = iptisMinimum;
    double FTrackingScrollCompressMax = 0, FTrackingSpanMinimum = 0, FTrackingMaxMargin = 0,
           FTrackingMinMargin = 0;
    TcPlotAlignFirstStyle FTrackingAlignFirstStyle = ipafsAuto;
    TcPlotScaleType FScaleType = ipstLinear;
    QString FDateTimeFormat = QStringLiteral("hh:nn:ss");
    TcPlotTextFormat FLabelsFormatStyle = iptfValue;
    TcPlotAxisMode FMode = ipamScroll;
    double FDesiredIncrement = 0, FCursorScaler = 1;
    bool FRestoreValuesOnResume = false;
    double FScrollMin = 0, FScrollMax = 100;
    bool FScrollMinMaxEnabled = false, FMasterUIInput = false;
    double FDesiredStart = 0;
    bool FMonthModeEnabled = false, FYearModeEnabled = false;
    double FMajorIncrement = 0, FMinorIncrement = 0;
    TcPlotCartesianStyle FCartesianStyle = ipcsNone;
    double FCartesianChildRefValue = 0;
    QString FCartesianChildRefAxisName = QStringLiteral("<None>");
    bool FGridLinesVisible = true, FScaleLinesShow = true, FCursorUseDefaultFormat = true;
    QString FCursorDateTimeFormat = QStringLiteral("hh:nn:ss");
    TcPlotTextFormat FCursorFormatStyle = iptfValue;
    TcPrecisionStyle FCursorPrecisionStyle = ipsSignificantDigits;
    int FCursorPrecision = 3;
    bool FCursorMinLengthAutoAdjust = false;
    double FCursorMinLength = 5;
    bool FLegendUseDefaultFormat = true;
    TcPlotTextFormat FLegendFormatStyle = iptfValue;
    QString FLegendDateTimeFormat = QStringLiteral("hh:nn:ss");
    TcPrecisionStyle FLegendPrecisionStyle = ipsSignificantDigits;
    int FLegendPrecision = 3;
    double FLegendMinLength = 5;
    bool FLegendMinLengthAutoAdjust = false, FTickListCustom = false;
    QString FAlignRefAxisName = QStringLiteral("<None>");
    TcRotationAngle FLabelsRotation = ira000;
    QString FCustomizeLabelEventText;
    bool FCustomizeLabelEventModified = false;
};

class TcPlotXAxis : public TcPlotAxis
{
  public:
    TcPlotXAxis(TcPlotOwner* AOwner, const TcPlotHandlers& handlers, bool StripChart = false);

  protected:
    bool IsXAxis() const override { return true; }
};

class TcPlotYAxis : public TcPlotAxis
{
  public:
    TcPlotYAxis(TcPlotOwner* AOwner, const TcPlotHandlers& handlers);
    const TPropertyTable& PropertyTable() const override;

  protected:
    bool IsXAxis() const override { return false; }
};

} // namespace chart
