#include "chart/axes/PlotAxis.h"

#include "base/FlagScope.h"
#include "chart/channels/PlotChannelCustom.h"
#include "chart/objects/MasterManager.h"

#include <climits>
#include <cmath>

namespace chart
{

using namespace fw;

TcPlotAxis::TcPlotAxis(TcPlotOwner* AOwner, const TcPlotHandlers& handlers)
    : TcPlotLayoutObject(AOwner, handlers)
{
    FTitleFont.SetColor(clWhite);
    FTitleFont.SetName(QStringLiteral("Arial"));
    FTitleFont.SetSize(10);
    FTitleFont.SetStyle(fsBold);
    FLabelsFont.SetColor(clWhite);
    FTitleFont.OnChange = [this](TFont*) { DoChange(); };
    FLabelsFont.OnChange = [this](TFont*) { DoChange(); };
    // Tracking on before RestoreValuesOnResume, so that construction stores no resume values.
    SetTrackingEnabled(true);
    FRestoreValuesOnResume = true;
}

TcPlotAxis::~TcPlotAxis()
{
    FTitleFont.OnChange = nullptr;
    FLabelsFont.OnChange = nullptr;
}

TcPlotXAxis::TcPlotXAxis(TcPlotOwner* AOwner, const TcPlotHandlers& handlers, bool StripChart)
    : TcPlotAxis(AOwner, handlers)
{
    SetTrackingStyle(StripChart ? iptsScrollSmooth : iptsScaleMinMax);
    SetTrackingAlignFirstStyle(ipafsAuto);
}

TcPlotYAxis::TcPlotYAxis(TcPlotOwner* AOwner, const TcPlotHandlers& handlers) : TcPlotAxis(AOwner, handlers)
{
    SetTrackingStyle(iptsScaleMinMax);
    SetTrackingAlignFirstStyle(ipafsNone);
}

const TPropertyTable& TcPlotYAxis::PropertyTable() const
{
    static const TPropertyTable table = [] {
        TPropertyTable t(&TcPlotAxis::ClassTable());
        t.Redeclare("TrackingAlignFirstStyle", QString::number(ipafsNone));
        return t;
    }();
    return table;
}

const TPropertyTable& TcPlotAxis::PropertyTable() const
{
    return ClassTable();
}

const TPropertyTable& TcPlotAxis::ClassTable()
{
    using A = TcPlotAxis;
    static const TPropertyTable table = [] {
        TPropertyTable t(&TcPlotLayoutObject::ClassTable());
        const QStringList formats = {"iptfValue",    "iptfExponent",   "iptfPrefix",
                                     "iptfDateTime", "iptfPrice32nds", "iptfThousands"};
        const QStringList precisions = {"ipsSignificantDigits", "ipsFixedDecimalPoints"};
        const QString time = QStringLiteral("hh:nn:ss");
        t.Float("Min", &A::Min, &A::SetMin, 0, -1e300, 1e300);
        t.Float("Span", &A::Span, &A::SetSpan, 100, 1e-300, 1e300);
        t.Boolean("ReverseScale", &A::ReverseScale, &A::SetReverseScale, false);
        t.Enum("ScaleType", "TcPlotScaleType", &A::ScaleType, &A::SetScaleType, ipstLinear,
               {"ipstLinear", "ipstLog10"});
        t.Boolean("TrackingEnabled", &A::TrackingEnabled, &A::SetTrackingEnabled, true);
        t.Enum("TrackingStyle", "TcPlotTrackingStyle", &A::TrackingStyle, &A::SetTrackingStyle,
               iptsScaleMinMax,
               {"iptsScaleMinMax", "iptsScaleMax", "iptsScaleMin", "iptsScrollSmooth", "iptsScrollPage",
                "iptsExpandCollapse", "iptsExpandCollapseFast", "iptsExpandMinMax"});
        t.Enum("TrackingIncrementStyle", "TcPlotTrackingIncrementStyle", &A::TrackingIncrementStyle,
               &A::SetTrackingIncrementStyle, iptisMinimum, {"iptisMinimum", "iptisMajor", "iptisMinor"});
        t.Enum("TrackingAlignFirstStyle", "TcPlotAlignFirstStyle", &A::TrackingAlignFirstStyle,
               &A::SetTrackingAlignFirstStyle, ipafsAuto, {"ipafsMin", "ipafsMax", "ipafsAuto", "ipafsNone"});
        t.Float("TrackingScrollCompressMax", &A::TrackingScrollCompressMax, &A::SetTrackingScrollCompressMax,
                0);
        t.Float("TrackingSpanMinimum", &A::TrackingSpanMinimum, &A::SetTrackingSpanMinimum, 0);
        t.Float("TrackingMaxMargin", &A::TrackingMaxMargin, &A::SetTrackingMaxMargin, 0);
        t.Float("TrackingMinMargin", &A::TrackingMinMargin, &A::SetTrackingMinMargin, 0);
        t.Boolean("RestoreValuesOnResume", &A::RestoreValuesOnResume, &A::SetRestoreValuesOnResume, true);
        t.Boolean("ScrollMinMaxEnabled", &A::ScrollMinMaxEnabled, &A::SetScrollMinMaxEnabled, false);
        t.Float("ScrollMin", &A::ScrollMin, &A::SetScrollMin, 0);
        t.Float("ScrollMax", &A::ScrollMax, &A::SetScrollMax, 100);
        t.Boolean("MasterUIInput", &A::MasterUIInput, &A::SetMasterUIInput, false);
        t.Enum("CartesianStyle", "TcPlotCartesianStyle", &A::CartesianStyle, &A::SetCartesianStyle, ipcsNone,
               {"ipcsNone", "ipcsMaster", "ipcsChild"});
        t.String("CartesianChildRefAxisName", &A::CartesianChildRefAxisName, &A::SetCartesianChildRefAxisName,
                 QStringLiteral("<None>"));
        t.Float("CartesianChildRefValue", &A::CartesianChildRefValue, &A::SetCartesianChildRefValue, 0);
        t.String("AlignRefAxisName", &A::AlignRefAxisName, &A::SetAlignRefAxisName, QStringLiteral("<None>"));
        t.Boolean("ForceStacking", &A::ForceStacking, &A::SetForceStacking, false);
        t.Float("DesiredStart", &A::DesiredStart, &A::SetDesiredStart, 0);
        t.Float("DesiredIncrement", &A::DesiredIncrement, &A::SetDesiredIncrement, 0, 0, 1e300);
        t.Ordinal("InnerMargin", "Integer", &A::InnerMargin, &A::SetInnerMargin, 5);
        t.Ordinal("OuterMargin", "Integer", &A::OuterMargin, &A::SetOuterMargin, 5);
        t.String("Title", &A::Title, &A::SetTitle, QString());
        t.Float("TitleMargin", &A::TitleMargin, &A::SetTitleMargin, 0.25);
        t.Object("TitleFont", "TFont", &A::TitleFont);
        t.Boolean("TitleShow", &A::TitleShow, &A::SetTitleShow, false);
        t.Boolean("TitleRotated", &A::TitleRotated, &A::SetTitleRotated, false);
        t.Ordinal("MajorLength", "Integer", &A::MajorLength, &A::SetMajorLength, 7);
        t.Ordinal("MinorLength", "Integer", &A::MinorLength, &A::SetMinorLength, 3);
        t.Ordinal("MinorCount", "Integer", &A::MinorCount, &A::SetMinorCount, 1);
        t.Boolean("LabelsVisible", &A::LabelsVisible, &A::SetLabelsVisible, true);
        t.Float("LabelsMargin", &A::LabelsMargin, &A::SetLabelsMargin, 0.25);
        t.Object("LabelsFont", "TFont", &A::LabelsFont);
        t.Float("LabelSeparation", &A::LabelSeparation, &A::SetLabelSeparation, 2);
        t.Enum("LabelsRotation", "TcRotationAngle", &A::LabelsRotation, &A::SetLabelsRotation, ira000,
               {"ira000", "ira090", "ira180", "ira270"});
        t.Ordinal("LabelsPrecision", "Integer", &A::LabelsPrecision, &A::SetLabelsPrecision, 3);
        t.Enum("LabelsPrecisionStyle", "TcPrecisionStyle", &A::LabelsPrecisionStyle,
               &A::SetLabelsPrecisionStyle, ipsSignificantDigits, precisions);
        t.Enum("LabelsFormatStyle", "TcPlotTextFormat", &A::LabelsFormatStyle, &A::SetLabelsFormatStyle,
               iptfValue, formats);
        t.String("DateTimeFormat", &A::DateTimeFormat, &A::SetDateTimeFormat, time);
        t.Float("LabelsMinLength", &A::LabelsMinLength, &A::SetLabelsMinLength, 5);
        t.Boolean("LabelsMinLengthAutoAdjust", &A::LabelsMinLengthAutoAdjust,
                  &A::SetLabelsMinLengthAutoAdjust, false);
        t.Boolean("ScaleLineShow", &A::ScaleLineShow, &A::SetScaleLineShow, true);
        t.Boolean("ScaleLinesShow", &A::ScaleLinesShow, &A::SetScaleLinesShow, true);
        t.Ordinal("ScaleLinesColor", "TColor", &A::ScaleLinesColor, &A::SetScaleLinesColor, clWhite);
        t.Float("StackingEndsMargin", &A::StackingEndsMargin, &A::SetStackingEndsMargin, 0.5);
        t.Boolean("GridLinesVisible", &A::GridLinesVisible, &A::SetGridLinesVisible, true);
        t.Boolean("CursorUseDefaultFormat", &A::CursorUseDefaultFormat, &A::SetCursorUseDefaultFormat, true);
        t.Enum("CursorFormatStyle", "TcPlotTextFormat", &A::CursorFormatStyle, &A::SetCursorFormatStyle,
               iptfValue, formats);
        t.String("CursorDateTimeFormat", &A::CursorDateTimeFormat, &A::SetCursorDateTimeFormat, time);
        t.Enum("CursorPrecisionStyle", "TcPrecisionStyle", &A::CursorPrecisionStyle,
               &A::SetCursorPrecisionStyle, ipsSignificantDigits, precisions);
        t.Ordinal("CursorPrecision", "Integer", &A::CursorPrecision, &A::SetCursorPrecision, 3);
        t.Float("CursorMinLength", &A::CursorMinLength, &A::SetCursorMinLength, 5);
        t.Boolean("CursorMinLengthAutoAdjust", &A::CursorMinLengthAutoAdjust,
                  &A::SetCursorMinLengthAutoAdjust, false);
        t.Float("CursorScaler", &A::CursorScaler, &A::SetCursorScaler, 1);
        t.Boolean("LegendUseDefaultFormat", &A::LegendUseDefaultFormat, &A::SetLegendUseDefaultFormat, true);
        t.Enum("LegendFormatStyle", "TcPlotTextFormat", &A::LegendFormatStyle, &A::SetLegendFormatStyle,
               iptfValue, formats);
        t.String("LegendDateTimeFormat", &A::LegendDateTimeFormat, &A::SetLegendDateTimeFormat, time);
        t.Enum("LegendPrecisionStyle", "TcPrecisionStyle", &A::LegendPrecisionStyle,
               &A::SetLegendPrecisionStyle, ipsSignificantDigits, precisions);
        t.Ordinal("LegendPrecision", "Integer", &A::LegendPrecision, &A::SetLegendPrecision, 3);
        t.Float("LegendMinLength", &A::LegendMinLength, &A::SetLegendMinLength, 5);
        t.Boolean("LegendMinLengthAutoAdjust", &A::LegendMinLengthAutoAdjust,
                  &A::SetLegendMinLengthAutoAdjust, false);
        return t;
    }();
    return table;
}

// Range.

void TcPlotAxis::FireRangeEvent(TcPlotEventKind kind, std::initializer_list<double> values)
{
    if (!FBlockMinSpanEvents)
        FireEvent(kind, values);
}

void TcPlotAxis::SetMin(double Value)
{
    Value = std::clamp(Value, -1e300, 1e300);
    if (Value == FMin)
        return;
    const double old = FMin;
    FMin = Value;
    DoChange();
    FireRangeEvent(TcPlotEventKind::AxisMinChange, {old, Value});
    FireRangeEvent(TcPlotEventKind::AxisMinSpanChange, {FSpan, FMin, FSpan, old});
}

void TcPlotAxis::SetSpan(double Value)
{
    if (!(Value >= 1e-300))
        Value = 1e-300;
    Value = std::min(Value, 1e300);
    if (Value == FSpan)
        return;
    const double old = FSpan;
    FSpan = Value;
    DoChange();
    FireRangeEvent(TcPlotEventKind::AxisSpanChange, {old, Value});
    FireRangeEvent(TcPlotEventKind::AxisMinSpanChange, {FSpan, FMin, old, FMin});
}

void TcPlotAxis::SetScaleType(TcPlotScaleType Value)
{
    if (Value == FScaleType)
        return;
    FScaleType = Value;
    if (Value == ipstLog10 && !(FMin > 0))
        FMin = 1.0;
    DoChange();
}

void TcPlotAxis::SetTrackingEnabled(bool Value)
{
    if (Value == FTrackingEnabled)
        return;
    FTrackingEnabled = Value;
    if (FRestoreValuesOnResume) {
        if (Value) {
            SetMinSpan(FPreviousMin, FPreviousSpan);
            FLabelsMinLength = FPreviousLabelsMinLength;
        } else {
            UpdateResumeValues();
        }
    }
    DoChange();
}

void TcPlotAxis::UpdateResumeValues()
{
    FPreviousMin = FMin;
    FPreviousSpan = FSpan;
    FPreviousLabelsMinLength = FLabelsMinLength;
}

void TcPlotAxis::SetCartesianChildRefAxisName(const QString& v)
{
    if (v == FCartesianChildRefAxisName)
        return;
    FCartesianChildRefAxisName = v;
    FCartesianRefAxis = nullptr;
    DoChange();
}

void TcPlotAxis::SetAlignRefAxisName(const QString& v)
{
    if (v == FAlignRefAxisName)
        return;
    FAlignRefAxisName = v;
    FAlignRefAxis = nullptr;
    DoChange();
}

TcPlotAxis* TcPlotAxis::GetCartesianRefAxis()
{
    if (!FCartesianRefAxis && FOwner)
        FCartesianRefAxis = IsXAxis() ? FOwner->GetYAxisByName(FCartesianChildRefAxisName)
                                      : FOwner->GetXAxisByName(FCartesianChildRefAxisName);
    return FCartesianRefAxis;
}

TcPlotAxis* TcPlotAxis::GetAlignRefAxis()
{
    if (!FAlignRefAxis && FOwner)
        FAlignRefAxis =
            IsXAxis() ? FOwner->GetXAxisByName(FAlignRefAxisName) : FOwner->GetYAxisByName(FAlignRefAxisName);
    return FAlignRefAxis;
}

void TcPlotAxis::SetMinSpan(double NewMin, double NewSpan)
{
    if (FScaleType == ipstLog10) {
        if (!(NewMin > 0))
            NewMin = 1;
        if (!(NewSpan > 0))
            NewSpan = 1;
    }
    if (NewMin == FMin && NewSpan == FSpan)
        return;
    const double oldMin = FMin, oldSpan = FSpan;
    {
        FlagScope block(FBlockMinSpanEvents);
        SetMin(NewMin);
        SetSpan(NewSpan);
    }
    if (NewMin != oldMin)
        FireEvent(TcPlotEventKind::AxisMinChange, {oldMin, FMin});
    if (NewSpan != oldSpan)
        FireEvent(TcPlotEventKind::AxisSpanChange, {oldSpan, FSpan});
    FireEvent(TcPlotEventKind::AxisMinSpanChange, {FSpan, FMin, oldSpan, oldMin});
}

// Conversions.

void TcPlotAxis::ActualStartStop(int& start, int& stop) const
{
    start = StartPixel();
    stop = StopPixel();
    if (FReverseScale)
        std::swap(start, stop);
}

void TcPlotAxis::SetScaleRect(const TRect& r)
{
    FScaleRect = r;
}

int TcPlotAxis::PositionToPixelsSlow(double Value) const
{
    int start, stop;
    ActualStartStop(start, stop);
    if (start == stop || FSpan <= 1e-300)
        return (start + stop) / 2;
    if (FScaleType == ipstLinear) {
        if (start != FCacheStart || stop != FCacheStop || FSpan != FCacheSpan) {
            FCacheStart = start;
            FCacheStop = stop;
            FCacheSpan = FSpan;
            FCachePerUnit = (start - stop) / FSpan;
            if (std::fabs(FCachePerUnit) > 1e300)
                FCachePerUnit = 0;
        }
        const double perUnit = FCachePerUnit;
        // Clamp before converting, so that a huge product cannot overflow the integer.
        const double d = std::clamp((Value - FMin) * perUnit, -1e9, 1e9);
        const long long p = start - RoundHalfEven(std::isnan(d) ? 0 : d);
        return int(std::clamp<long long>(p, -32000, 32000));
    }
    const double m = FMin > 0 ? FMin : 1, s = FSpan > 0 ? FSpan : 1;
    const double d = std::log10(m + s) - std::log10(m);
    if (d == 0)
        return 0;
    const double v = Value > 0 ? Value : 1;
    const double q = std::clamp((std::log10(v) - std::log10(m)) * (start - stop) / d, -1e9, 1e9);
    return int(std::clamp<long long>(start - RoundHalfEven(q), INT_MIN / 2, INT_MAX / 2));
}

double TcPlotAxis::PixelsToPosition(int P) const
{
    double f;
    if (IsHorz()) {
        if (FScaleRect.Left == FScaleRect.Right)
            return FMin;
        const double w = FScaleRect.Right - FScaleRect.Left;
        f = FReverseScale ? (FScaleRect.Right - P) / w : (P - FScaleRect.Left) / w;
    } else {
        if (FScaleRect.Top == FScaleRect.Bottom)
            return FMin;
        const double h = FScaleRect.Bottom - FScaleRect.Top;
        f = FReverseScale ? (P - FScaleRect.Top) / h : (FScaleRect.Bottom - P) / h;
    }
    if (FScaleType == ipstLinear)
        return FMin + FSpan * f;
    return std::pow(10.0, std::log10(FMin) + (std::log10(Max()) - std::log10(FMin)) * f);
}

int TcPlotAxis::WidthToPixels(double Value) const
{
    return std::abs(PositionToPixels(FMin + Value) - PositionToPixels(FMin));
}

double TcPlotAxis::PositionToPercent(double Value) const
{
    return FReverseScale ? (Max() - Value) / FSpan : (Value - FMin) / FSpan;
}

double TcPlotAxis::PercentToPosition(double V) const
{
    if (!(StopPercent() - StartPercent() > 0))
        return 0;
    if (FScaleType == ipstLinear)
        return FReverseScale ? Max() - V * FSpan
                             : (V * 100 - StartPercent()) / (StopPercent() - StartPercent()) * FSpan + FMin;
    const double decades = std::log10(Max()) - std::log10(FMin);
    return std::pow(10.0, std::log10(FMin) + (FReverseScale ? 1 - V : V) * decades);
}

bool TcPlotAxis::PointOnScale(double Value) const
{
    const int p = PositionToPixels(Value);
    if (IsHorz())
        return p >= FScaleRect.Left && p <= FScaleRect.Right;
    return p >= FScaleRect.Top && p <= FScaleRect.Bottom;
}

// Zoom and scroll.

void TcPlotAxis::Zoom(double Value)
{
    if (FScaleType == ipstLinear) {
        if (!(Value > 0))
            throw EChartError(QStringLiteral("Linear Scale Zoom Factor must be Greater than Zero"));
        const double newSpan = Value * FSpan;
        SetMinSpan((Max() + FMin) / 2 - newSpan / 2, newSpan);
    } else {
        const double k = std::pow(10.0, Value);
        SetMinSpan(FMin / k, FSpan * k);
    }
}

// The extent of the channels on this axis: their zoom getters, or their running extremes (fast).
bool TcPlotAxis::ChannelExtent(bool fast, double& min, double& max)
{
    max = -1e300;
    min = 1e300;
    if (!FOwner || !FOwner->Master().ChannelManager())
        return false;
    auto* channels = FOwner->Master().ChannelManager();
    for (int i = 0; i < channels->Count(); ++i) {
        TcPlotChannelCustom* c = channels->GetItem(i);
        const QString& name = IsXAxis() ? c->XAxisName() : c->YAxisName();
        if (name.compare(Name(), Qt::CaseInsensitive) != 0)
            continue;
        if (fast) {
            max = std::max(max, IsXAxis() ? c->RunningXMax() : c->RunningYMax());
            min = std::min(min, IsXAxis() ? c->RunningXMin() : c->RunningYMin());
        } else {
            max = std::max(max, IsXAxis() ? c->GetZoomXMax() : c->GetZoomYMax());
            min = std::min(min, IsXAxis() ? c->GetZoomXMin() : c->GetZoomYMin());
        }
    }
    return max > -1e300 && min < 1e300 && max != min;
}

void TcPlotAxis::ZoomToFit()
{
    double min, max;
    if (!ChannelExtent(false, min, max))
        return;
    double w = max - min;
    if (FTrackingSpanMinimum != 0 && FTrackingSpanMinimum > w)
        w = FTrackingSpanMinimum;
    SetMinSpan(min - FTrackingMinMargin, w + FTrackingMaxMargin + FTrackingMinMargin);
}

void TcPlotAxis::ZoomToFitFast()
{
    double min, max;
    if (ChannelExtent(true, min, max))
        SetMinSpan(min - FTrackingMinMargin, max - min + FTrackingMaxMargin + FTrackingMinMargin);
}

void TcPlotAxis::ZoomToRect(const TRect& r)
{
    int first, second;
    if (IsHorz()) {
        first = r.Left;
        second = r.Right;
    } else {
        first = r.Bottom;
        second = r.Top;
    }
    if (FReverseScale)
        std::swap(first, second);
    const double newMin = PixelsToPosition(first);
    SetMinSpan(newMin, PixelsToPosition(second) - newMin);
}

void TcPlotAxis::ScrollByFraction(double f)
{
    if (FScaleType == ipstLinear) {
        double newMin = FMin + f * FSpan;
        if (FScrollMinMaxEnabled) {
            if (newMin <= FScrollMin)
                newMin = FScrollMin;
            else if (newMin + FSpan >= FScrollMax)
                newMin = FScrollMax - FSpan;
        }
        SetMinSpan(newMin, FSpan);
        return;
    }
    const double d = std::log10(Max()) - std::log10(FMin);
    const double k = std::pow(10.0, f * d);
    double newMax = Max() * k, newMin = FMin * k;
    if (FScrollMinMaxEnabled) {
        if (newMin <= FScrollMin) {
            newMin = FScrollMin;
            newMax = std::pow(10.0, d) * FScrollMin;
        } else if (newMin + FSpan >= FScrollMax) {
            newMax = FScrollMax;
            newMin = FScrollMax / std::pow(10.0, d);
        }
    }
    SetMinSpan(newMin, newMax - newMin);
}

void TcPlotAxis::ZoomByFraction(double f)
{
    const double k = std::pow(10.0, f);
    if (FScaleType == ipstLinear) {
        const double newSpan = FSpan / k;
        SetMinSpan((Max() + FMin) / 2 - newSpan / 2, newSpan);
    } else {
        SetMinSpan(FMin * k, FSpan / k);
    }
}

bool TcPlotAxis::ActiveModeZoom() const
{
    return (FMode == ipamZoom) != IsControlKeyDown();
}

void TcPlotAxis::Forward(const std::function<void(TcPlotAxis*)>& f)
{
    if (!FMasterUIInput || !FOwner || FOwner->FUIInputForwarding)
        return;
    TcPlotObjectManagerCustom* m =
        IsXAxis() ? static_cast<TcPlotObjectManagerCustom*>(FOwner->Master().XAxisManager())
                  : static_cast<TcPlotObjectManagerCustom*>(FOwner->Master().YAxisManager());
    if (!m)
        return;
    FlagScope forwarding(FOwner->FUIInputForwarding);
    for (int i = 0; i < m->Count(); ++i)
        if (m->Item(i) != this)
            f(static_cast<TcPlotAxis*>(m->Item(i)));
}

void TcPlotAxis::DoMouseLeft(const TcPlotMouseData& M)
{
    Forward([&](TcPlotAxis* a) { a->DoMouseLeft(M); });
    FAxisMouseDown = true;
    FMouseDownX = M.X;
    FMouseDownY = M.Y;
    FMouseDownMin = FMin;
    FMouseDownSpan = FSpan;
}

void TcPlotAxis::DoMouseMove(const TcPlotMouseData& M)
{
    if (!FAxisMouseDown)
        return;
    Forward([&](TcPlotAxis* a) { a->DoMouseMove(M); });
    if (M.DblClickActive)
        return;
    DoInvalidateNow();
    SetTrackingEnabled(false);
    const double L = IsHorz() ? FScaleRect.Width() : FScaleRect.Height();
    if (L <= 0)
        return;
    double f;
    if (IsHorz())
        f = FReverseScale ? (FMouseDownX - M.X) / L : (M.X - FMouseDownX) / L;
    else
        f = FReverseScale ? (M.Y - FMouseDownY) / L : (FMouseDownY - M.Y) / L;
    if (!ActiveModeZoom())
        ScrollByFraction(-f);
    else
        ZoomByFraction(FScaleType == ipstLinear ? f / 4 : f * 2);
    FMouseDownX = M.X;
    FMouseDownY = M.Y;
}

void TcPlotAxis::DoMouseUp(const TcPlotMouseData& M)
{
    if (!FAxisMouseDown)
        return;
    struct Release {
        bool& flag;
        ~Release() { flag = false; }
    } release{FAxisMouseDown};
    Forward([&](TcPlotAxis* a) { a->DoMouseUp(M); });
    if (iHitTest(M))
        FireEvent(TcPlotEventKind::AxisClick);
    if (FMin != FMouseDownMin || FSpan != FMouseDownSpan)
        FireEvent(TcPlotEventKind::AxisMinSpanChangeFinished, {FSpan, FMin, FMouseDownSpan, FMouseDownMin});
}

bool TcPlotAxis::DoMouseWheel(int WheelDelta, TShiftState Shift, int X, int Y)
{
    if (WheelDelta == 0)
        return true;
    SetTrackingEnabled(false);
    Forward([&](TcPlotAxis* a) { a->DoMouseWheel(WheelDelta, Shift, X, Y); });
    const double s = WheelDelta > 0 ? 1 : -1;
    if (!ActiveModeZoom())
        ScrollByFraction(0.05 * s);
    else
        ZoomByFraction(FScaleType == ipstLinear ? 0.025 * s : 0.05 * s);
    return true;
}

void TcPlotAxis::iKeyDown(Word& Key, TShiftState Shift, TcPopupMenu* Menu)
{
    TcPlotLayoutObject::iKeyDown(Key, Shift, Menu);
    Forward([&](TcPlotAxis* a) { a->iKeyDown(Key, Shift, nullptr); });
    SetTrackingEnabled(false);
    FMouseDownMin = FMin;
    FMouseDownSpan = FSpan;
    double b = 0;
    switch (Key) {
    case VK_PRIOR:
    case VK_END:
        b = 1;
        break;
    case VK_NEXT:
    case VK_HOME:
        b = -1;
        break;
    case VK_UP:
    case VK_RIGHT:
        b = 0.01;
        break;
    case VK_LEFT:
    case VK_DOWN:
        b = -0.01;
        break;
    default:
        break;
    }
    if (b != 0) {
        DoInvalidateNow();
        if (FMode == ipamScroll)
            ScrollByFraction(b);
        else
            ZoomByFraction(b);
    }
    if (FMin != FMouseDownMin || FSpan != FMouseDownSpan)
        FireEvent(TcPlotEventKind::AxisMinSpanChangeFinished, {FSpan, FMin, FMouseDownSpan, FMouseDownMin});
}

int TcPlotAxis::GetMouseCursor(TPoint)
{
    return CustomizeMouseCursor(FMode == ipamScroll ? -21 : IsHorz() ? -9 : -7);
}

void TcPlotAxis::DoMouseHint(const TcPlotMouseData& M, TcHintData& Hint)
{
    if (FTitleShow)
        return;
    Hint.Text = FTitle;
    Hint.Left = M.X;
    Hint.Top = M.Y - 20;
    const QFont f = FTitleFont.ToQFont();
    Hint.Width = CurrentTextMetrics().Width(f, FTitle) + 4;
    Hint.Height = CurrentTextMetrics().Height(f) + 4;
}

bool TcPlotAxis::iHitTest(const TcPlotMouseData& M)
{
    return FFocusRect.Contains({M.X, M.Y});
}

void TcPlotAxis::NotificationSetFocus(TcPlotObject* AObject)
{
    if (AObject == this || !AObject->UserSelected())
        return;
    if (dynamic_cast<TcPlotAxis*>(AObject) && (ShiftState() & (ssShift | ssCtrl)))
        return;
    SetUserSelected(false);
}

void TcPlotAxis::NotificationRemove(TcPlotObject* AObject)
{
    if (AObject == FCartesianRefAxis)
        FCartesianRefAxis = nullptr;
    if (AObject == FAlignRefAxis)
        FAlignRefAxis = nullptr;
}

void TcPlotAxis::NotificationRename(TcPlotObject* AObject)
{
    if (AObject && AObject == FCartesianRefAxis)
        FCartesianChildRefAxisName = AObject->Name();
    if (AObject && AObject == FAlignRefAxis)
        FAlignRefAxisName = AObject->Name();
}

void TcPlotAxis::FillPopupMenu(TcPopupMenu& Menu)
{
    TcPlotLayoutObject::FillPopupMenu(Menu);
    AddEditMenuItem(Menu);
    TcMenuItem tracking;
    tracking.Caption = TranslateText(QStringLiteral("Tracking Enabled"));
    tracking.Checked = FTrackingEnabled;
    tracking.OnClick = [this] { SetTrackingEnabled(!FTrackingEnabled); };
    TcMenuItem resume;
    resume.Caption = TranslateText(QStringLiteral("Update Resume Values"));
    resume.Enabled = !FTrackingEnabled && (FMin != FPreviousMin || FSpan != FPreviousSpan);
    resume.OnClick = [this] { UpdateResumeValues(); };
    TcMenuItem fit;
    fit.Caption = TranslateText(QStringLiteral("Zoom to Fit"));
    fit.OnClick = [this] { ZoomToFit(); };
    Menu.Items.insert(Menu.Items.begin(), {tracking, resume, fit});
}

// Tracking.

void TcPlotAxis::AlignFirstTrackedValue(double v)
{
    const double m = FMin, s = FSpan, M = m + s;
    FFirstAlignDone = true;
    switch (FTrackingAlignFirstStyle) {
    case ipafsMin:
        SetMinSpan(v, s);
        break;
    case ipafsMax:
        SetMinSpan(v - s, s);
        break;
    case ipafsAuto:
        if (!(m <= v && v <= M))
            SetMinSpan(v, s);
        break;
    case ipafsNone:
        break;
    }
}

void TcPlotAxis::ScrollToTrackedValue(double v)
{
    const double m = FMin, s = FSpan, M = m + s;
    double newMin = m, newSpan = s;
    if (v > M) {
        if (FTrackingScrollCompressMax != 0 && s > FTrackingScrollCompressMax)
            newSpan = FTrackingScrollCompressMax;
        else if (FTrackingScrollCompressMax != 0)
            newSpan = v - m;
        newMin = FTrackingStyle == iptsScrollSmooth ? v - newSpan : m + newSpan;
    } else if (v < m) {
        newMin = FTrackingStyle == iptsScrollSmooth ? v : m - s;
    }
    SetMinSpan(newMin, newSpan);
}

void TcPlotAxis::TrackValue(double v)
{
    if (!FFirstAlignDone) {
        AlignFirstTrackedValue(v);
        return;
    }
    const double m = FMin, s = FSpan, M = m + s;
    switch (FTrackingStyle) {
    case iptsScaleMinMax: {
        double newSpan = v > M ? v - m : s;
        double newMin = m;
        if (v < m)
            newMin = v;
        SetMinSpan(newMin, newSpan);
        AlignToIncrement();
        break;
    }
    case iptsScaleMax:
        if (v > M) {
            SetMinSpan(m, v - M + s);
            AlignToIncrement();
        }
        break;
    case iptsScaleMin:
        if (v < m) {
            SetMinSpan(v, M - v);
            AlignToIncrement();
        }
        break;
    case iptsScrollSmooth:
    case iptsScrollPage:
        ScrollToTrackedValue(v);
        break;
    case iptsExpandCollapse:
        ZoomToFit();
        AlignToIncrement();
        break;
    case iptsExpandCollapseFast:
        ZoomToFitFast();
        AlignToIncrement();
        break;
    case iptsExpandMinMax: {
        double newMin = m, newSpan = s;
        if (v > M)
            newSpan = s + (v - M);
        if (v < m) {
            newSpan = m - v + s;
            newMin = v;
        }
        SetMinSpan(newMin, newSpan);
        AlignToIncrement();
        break;
    }
    }
    if (FTrackingSpanMinimum != 0 && FSpan < FTrackingSpanMinimum)
        SetMinSpan(Mid() - FTrackingSpanMinimum / 2, FTrackingSpanMinimum);
    if (FTrackingMinMargin != 0 && v < FMin + FTrackingMinMargin)
        SetMinSpan(FMin - (FMin + FTrackingMinMargin - v), FSpan);
    if (FTrackingMaxMargin != 0 && v > Max() - FTrackingMaxMargin)
        SetMinSpan(FMin, v - (Max() - FTrackingMaxMargin) + FSpan);
}

void TcPlotAxis::AlignToIncrement()
{
    if (FTrackingIncrementStyle == iptisMinimum)
        return;
    const double i = FTrackingIncrementStyle == iptisMajor ? FMajorIncrement : FMinorIncrement;
    if (!(i > 0))
        return;
    const double q = Max() / i;
    const double a = q != std::trunc(q) ? i * std::trunc(q) : Max();
    const double r = FMin / i;
    double b = r != std::trunc(r) ? i * std::trunc(r) : FMin;
    const double newMax = Max() <= a ? a : a + i;
    if (FMin < b)
        b -= i;
    if (FMin != b || Max() != newMax)
        SetMinSpan(b, newMax - b);
}

} // namespace chart
