// The property table of each chart class against the published properties of that class: names,
// defaults (in the table and on a new object) and a set through the table equal to the setter.
#include "ChartFixture.h"
#include "PropertyTableCheck.h"

#include "chart/objects/PlotDataCursor.h"
#include "chart/objects/PlotDataView.h"
#include "chart/objects/PlotLabel.h"
#include "chart/objects/PlotLegend.h"
#include "chart/objects/PlotToolBar.h"
#include "chart/objects/Translation.h"
#include "chart/view/StripChart.h"
#include "chart/view/XYPlot.h"

#include <deque>
#include <memory>

namespace
{

using namespace chart;
using namespace charttest;

// A setter call with one value, for a row.
template <class C, class F, class V> std::function<void(fw::TPersistent&)> Via(F C::*f, V v)
{
    return [f, v](fw::TPersistent& o) { (static_cast<C&>(o).*f)(v); };
}

class PropertyTables : public ::testing::Test
{
  protected:
    void SetUp() override { EnsureApp(); }
    // Objects of one class made for a check; freed with the fixture.
    template <class T, class... A> std::function<fw::TPersistent*()> Maker(A... args)
    {
        return [this, args...]() -> fw::TPersistent* {
            FObjects.push_back(std::make_unique<T>(args...));
            return static_cast<T*>(FObjects.back().get());
        };
    }
    template <class T> std::function<fw::TPersistent*()> ObjectMaker()
    {
        return [this]() -> fw::TPersistent* {
            const TcObjectHandler none = [](TcPersistent*) {};
            auto o = std::make_unique<T>(&FHost, TcPlotHandlers{none, none, none, none});
            T* p = o.get();
            FObjects.push_back(std::move(o));
            return p;
        };
    }
    Host FHost;
    std::deque<std::unique_ptr<fw::TPersistent>> FObjects;
};

// The rows of the object base and of the layout object, shared by every object.
std::vector<PropertyRow> ObjectRows(bool visible = true)
{
    return {
        {"Name", "", "Thing", Via(&TcPlotObject::SetName, QStringLiteral("Thing"))},
        {"Visible", visible ? "True" : "False", visible ? "False" : "True",
         Via(&TcPlotObject::SetVisible, !visible)},
        {"Enabled", "True", "False", Via(&TcPlotObject::SetEnabled, false)},
        {"Layer", "100", "7", Via(&TcPlotObject::SetLayer, 7)},
        {"PopupEnabled", "True", "False", Via(&TcPlotObject::SetPopupEnabled, false)},
        {"CanFocus", "True", "False", Via(&TcPlotObject::SetCanFocus, false)},
    };
}

std::vector<PropertyRow> LayoutRows(bool horizontal = false)
{
    std::vector<PropertyRow> rows = ObjectRows();
    rows.insert(rows.end(), {
                                {"Horizontal", horizontal ? "True" : "False", horizontal ? "False" : "True",
                                 Via(&TcPlotLayoutObject::SetHorizontal, !horizontal)},
                                {"ZOrder", "0", "4", Via(&TcPlotLayoutObject::SetZOrder, 4)},
                                {"StartPercent", "0", "20", Via(&TcPlotLayoutObject::SetStartPercent, 20.0)},
                                {"StopPercent", "100", "80", Via(&TcPlotLayoutObject::SetStopPercent, 80.0)},
                            });
    return rows;
}

std::vector<PropertyRow> Plus(std::vector<PropertyRow> rows, const std::vector<PropertyRow>& more)
{
    rows.insert(rows.end(), more.begin(), more.end());
    return rows;
}

TEST_F(PropertyTables, Font)
{
    using F = fw::TFont;
    CheckPropertyTable(Maker<F>(), {
                                       {"Charset", "1", "0", Via(&F::SetCharset, 0)},
                                       {"Color", "$FF000008", "255", Via(&F::SetColor, fw::TColor(255))},
                                       {"Height", "-11", "-16", Via(&F::SetHeight, -16)},
                                       {"Name", "Tahoma", "Arial", Via(&F::SetName, QStringLiteral("Arial"))},
                                       {"Orientation", "0", "900", Via(&F::SetOrientation, 900)},
                                       {"Style", "0", "3", Via(&F::SetStyle, fw::TFontStyles(3))},
                                   });
}

TEST_F(PropertyTables, Translation)
{
    using T = TcPlotTranslationObject;
    CheckPropertyTable(
        Maker<T>(),
        {
            {"OriginalString", "Unknown", "Zoom", Via(&T::SetOriginalString, QStringLiteral("Zoom"))},
            {"ReplacementString", "Unknown", "Lupe", Via(&T::SetReplacementString, QStringLiteral("Lupe"))},
        });
}

TEST_F(PropertyTables, Legend)
{
    using L = TcPlotLegend;
    CheckPropertyTable(
        ObjectMaker<L>(),
        Plus(LayoutRows(),
             {
                 {"MarginLeft", "1", "2", Via(&L::SetMarginLeft, 2.0)},
                 {"MarginRight", "1", "2", Via(&L::SetMarginRight, 2.0)},
                 {"MarginTop", "1", "2", Via(&L::SetMarginTop, 2.0)},
                 {"MarginBottom", "1", "2", Via(&L::SetMarginBottom, 2.0)},
                 {"BackGroundColor", "$00808080", "255", Via(&L::SetBackGroundColor, fw::TColor(255))},
                 {"BackGroundTransparent", "True", "False", Via(&L::SetBackGroundTransparent, false)},
                 {"SelectedItemBackGroundColor", "$0000FFFF", "255",
                  Via(&L::SetSelectedItemBackGroundColor, fw::TColor(255))},
                 {"SelectedItemFont", "Color=$00000000", "Color=255",
                  [](fw::TPersistent& o) { static_cast<L&>(o).SelectedItemFont().SetColor(255); }},
                 {"ShowColumnLine", "True", "False", Via(&L::SetShowColumnLine, false)},
                 {"ShowColumnMarker", "False", "True", Via(&L::SetShowColumnMarker, true)},
                 {"ShowColumnXAxisTitle", "False", "True", Via(&L::SetShowColumnXAxisTitle, true)},
                 {"ShowColumnYAxisTitle", "False", "True", Via(&L::SetShowColumnYAxisTitle, true)},
                 {"ShowColumnXValue", "False", "True", Via(&L::SetShowColumnXValue, true)},
                 {"ShowColumnYValue", "False", "True", Via(&L::SetShowColumnYValue, true)},
                 {"ShowColumnYMax", "False", "True", Via(&L::SetShowColumnYMax, true)},
                 {"ShowColumnYMin", "False", "True", Via(&L::SetShowColumnYMin, true)},
                 {"ShowColumnYMean", "False", "True", Via(&L::SetShowColumnYMean, true)},
                 {"CaptionColumnTitle", "Title", "Name",
                  Via(&L::SetCaptionColumnTitle, QStringLiteral("Name"))},
                 {"CaptionColumnXAxisTitle", "X-Axis", "Time",
                  Via(&L::SetCaptionColumnXAxisTitle, QStringLiteral("Time"))},
                 {"CaptionColumnYAxisTitle", "Y-Axis", "Level",
                  Via(&L::SetCaptionColumnYAxisTitle, QStringLiteral("Level"))},
                 {"CaptionColumnXValue", "X", "T", Via(&L::SetCaptionColumnXValue, QStringLiteral("T"))},
                 {"CaptionColumnYValue", "Y", "L", Via(&L::SetCaptionColumnYValue, QStringLiteral("L"))},
                 {"CaptionColumnYMax", "Y-Max", "Top", Via(&L::SetCaptionColumnYMax, QStringLiteral("Top"))},
                 {"CaptionColumnYMin", "Y-Min", "Low", Via(&L::SetCaptionColumnYMin, QStringLiteral("Low"))},
                 {"CaptionColumnYMean", "Y-Mean", "Avg",
                  Via(&L::SetCaptionColumnYMean, QStringLiteral("Avg"))},
                 {"Font", "Color=$00FFFFFF", "Color=255",
                  [](fw::TPersistent& o) { static_cast<L&>(o).Font().SetColor(255); }},
                 {"ColumnSpacing", "0.5", "1", Via(&L::SetColumnSpacing, 1.0)},
                 {"RowSpacing", "0.25", "0.75", Via(&L::SetRowSpacing, 0.75)},
                 {"WrapRowSpacingMin", "0.25", "0.75", Via(&L::SetWrapRowSpacingMin, 0.75)},
                 {"WrapColDesiredCount", "1", "3", Via(&L::SetWrapColDesiredCount, 3)},
                 {"WrapColAutoCountEnabled", "False", "True", Via(&L::SetWrapColAutoCountEnabled, true)},
                 {"WrapColAutoCountMax", "100", "4", Via(&L::SetWrapColAutoCountMax, 4)},
                 {"WrapColSpacingMin", "2", "3", Via(&L::SetWrapColSpacingMin, 3.0)},
                 {"WrapColSpacingAuto", "True", "False", Via(&L::SetWrapColSpacingAuto, false)},
                 {"WrapRowDesiredCount", "5", "2", Via(&L::SetWrapRowDesiredCount, 2)},
                 {"WrapRowAutoCountEnabled", "True", "False", Via(&L::SetWrapRowAutoCountEnabled, false)},
                 {"WrapRowAutoCountMax", "100", "6", Via(&L::SetWrapRowAutoCountMax, 6)},
                 {"WrapRowSpacingAuto", "False", "True", Via(&L::SetWrapRowSpacingAuto, true)},
                 {"ColumnTitlesVisible", "False", "True", Via(&L::SetColumnTitlesVisible, true)},
                 {"ColumnTitlesFont", "Color=$00FFFF00;Style=1", "Style=0",
                  [](fw::TPersistent& o) { static_cast<L&>(o).ColumnTitlesFont().SetStyle(0); }},
                 {"ChannelNameMaxWidth", "0", "12", Via(&L::SetChannelNameMaxWidth, 12.0)},
                 {"ChannelNameColorStyle", "iplcncsFont", "iplcncsChannelColor",
                  Via(&L::SetChannelNameColorStyle, iplcncsChannelColor)},
                 {"LineColumnWidth", "13", "20", Via(&L::SetLineColumnWidth, 20)},
                 {"LineColumnHeight", "3", "5", Via(&L::SetLineColumnHeight, 5)},
             }));
}

std::vector<PropertyRow> ChannelRows()
{
    using C = TcPlotChannelCustom;
    return Plus(
        ObjectRows(),
        {
            {"TitleText", "", "Level", Via(&C::SetTitleText, QStringLiteral("Level"))},
            {"VisibleInLegend", "True", "False", Via(&C::SetVisibleInLegend, false)},
            {"ClipToAxes", "False", "True", Via(&C::SetClipToAxes, true)},
            {"ShowDataPointHints", "False", "True", Via(&C::SetShowDataPointHints, true)},
            {"UserCanMoveDataPoints", "False", "True", Via(&C::SetUserCanMoveDataPoints, true)},
            {"UserCanMoveDataPointsStyle", "ipcdpmsXandY", "ipcdpmsYOnly",
             Via(&C::SetUserCanMoveDataPointsStyle, ipcdpmsYOnly)},
            {"RingBufferSize", "0", "16", Via(&C::SetRingBufferSize, 16)},
            {"TraceVisible", "True", "False", Via(&C::SetTraceVisible, false)},
            {"Color", "255", "65280", Via(&C::SetColor, fw::TColor(65280))},
            {"TraceLineStyle", "iplsSolid", "iplsDot", Via(&C::SetTraceLineStyle, iplsDot)},
            {"TraceLineWidth", "1", "2", Via(&C::SetTraceLineWidth, 2)},
            {"MarkersAllowIndividual", "False", "True", Via(&C::SetMarkersAllowIndividual, true)},
            {"MarkersPenUseChannelColor", "True", "False", Via(&C::SetMarkersPenUseChannelColor, false)},
            {"MarkersBrushUseChannelColor", "True", "False", Via(&C::SetMarkersBrushUseChannelColor, false)},
            {"MarkersTurnOffLimit", "0", "100", Via(&C::SetMarkersTurnOffLimit, 100)},
            {"MarkersVisible", "False", "True", Via(&C::SetMarkersVisible, true)},
            {"MarkersSize", "3", "5", Via(&C::SetMarkersSize, 5)},
            {"MarkersStyle", "ipmsCircle", "ipmsDiamond", Via(&C::SetMarkersStyle, ipmsDiamond)},
            {"MarkersPenColor", "255", "0", Via(&C::SetMarkersPenColor, fw::TColor(0))},
            {"MarkersPenStyle", "psSolid", "psDot", Via(&C::SetMarkersPenStyle, TcPenStyleValue(2))},
            {"MarkersPenWidth", "0", "3", Via(&C::SetMarkersPenWidth, 3)},
            {"MarkersBrushColor", "255", "0", Via(&C::SetMarkersBrushColor, fw::TColor(0))},
            {"MarkersBrushStyle", "bsSolid", "bsClear", Via(&C::SetMarkersBrushStyle, TcBrushStyleValue(1))},
            {"MarkersFont", "Color=$00FFFFFF;Style=1", "Style=0",
             [](fw::TPersistent& o) { static_cast<C&>(o).MarkersFont().SetStyle(0); }},
            {"XAxisName", "", "Time", Via(&C::SetXAxisName, QStringLiteral("Time"))},
            {"YAxisName", "", "Level", Via(&C::SetYAxisName, QStringLiteral("Level"))},
            {"XAxisTrackingEnabled", "True", "False", Via(&C::SetXAxisTrackingEnabled, false)},
            {"YAxisTrackingEnabled", "True", "False", Via(&C::SetYAxisTrackingEnabled, false)},
            {"LogFileName", "", "run.log", Via(&C::SetLogFileName, QStringLiteral("run.log"))},
            {"LogBufferSize", "0", "3", Via(&C::SetLogBufferSize, 3)},
            {"LoggingActive", "False", "", nullptr},
            {"DataStyle", "ipdsStandard", "ipdsCompact", Via(&C::SetDataStyle, ipdsCompact)},
        });
}

TEST_F(PropertyTables, Channel)
{
    CheckPropertyTable(ObjectMaker<TestChannel>(), ChannelRows());
}

std::vector<PropertyRow> AxisRows(const char* alignFirst)
{
    using A = TcPlotAxis;
    return Plus(
        LayoutRows(),
        {
            {"Min", "0", "-10", Via(&A::SetMin, -10.0)},
            {"Span", "100", "50", Via(&A::SetSpan, 50.0)},
            {"ReverseScale", "False", "True", Via(&A::SetReverseScale, true)},
            {"ScaleType", "ipstLinear", "ipstLog10", Via(&A::SetScaleType, ipstLog10)},
            {"TrackingEnabled", "True", "False", Via(&A::SetTrackingEnabled, false)},
            {"TrackingStyle", "iptsScaleMinMax", "iptsScrollPage", Via(&A::SetTrackingStyle, iptsScrollPage)},
            {"TrackingIncrementStyle", "iptisMinimum", "iptisMajor",
             Via(&A::SetTrackingIncrementStyle, iptisMajor)},
            {"TrackingAlignFirstStyle", alignFirst, "ipafsMax",
             Via(&A::SetTrackingAlignFirstStyle, ipafsMax)},
            {"TrackingScrollCompressMax", "0", "4", Via(&A::SetTrackingScrollCompressMax, 4.0)},
            {"TrackingSpanMinimum", "0", "4", Via(&A::SetTrackingSpanMinimum, 4.0)},
            {"TrackingMaxMargin", "0", "4", Via(&A::SetTrackingMaxMargin, 4.0)},
            {"TrackingMinMargin", "0", "4", Via(&A::SetTrackingMinMargin, 4.0)},
            {"RestoreValuesOnResume", "True", "False", Via(&A::SetRestoreValuesOnResume, false)},
            {"ScrollMinMaxEnabled", "False", "True", Via(&A::SetScrollMinMaxEnabled, true)},
            {"ScrollMin", "0", "-5", Via(&A::SetScrollMin, -5.0)},
            {"ScrollMax", "100", "50", Via(&A::SetScrollMax, 50.0)},
            {"MasterUIInput", "False", "True", Via(&A::SetMasterUIInput, true)},
            {"CartesianStyle", "ipcsNone", "ipcsChild", Via(&A::SetCartesianStyle, ipcsChild)},
            {"CartesianChildRefAxisName", "<None>", "Y-Axis 2",
             Via(&A::SetCartesianChildRefAxisName, QStringLiteral("Y-Axis 2"))},
            {"CartesianChildRefValue", "0", "3", Via(&A::SetCartesianChildRefValue, 3.0)},
            {"AlignRefAxisName", "<None>", "X-Axis 2",
             Via(&A::SetAlignRefAxisName, QStringLiteral("X-Axis 2"))},
            {"ForceStacking", "False", "True", Via(&A::SetForceStacking, true)},
            {"DesiredStart", "0", "20", Via(&A::SetDesiredStart, 20.0)},
            {"DesiredIncrement", "0", "10", Via(&A::SetDesiredIncrement, 10.0)},
            {"InnerMargin", "5", "2", Via(&A::SetInnerMargin, 2)},
            {"OuterMargin", "5", "2", Via(&A::SetOuterMargin, 2)},
            {"Title", "", "dB", Via(&A::SetTitle, QStringLiteral("dB"))},
            {"TitleMargin", "0.25", "1", Via(&A::SetTitleMargin, 1.0)},
            {"TitleFont", "Color=$00FFFFFF;Name=Arial;Height=-13;Style=1", "Height=-16",
             [](fw::TPersistent& o) { static_cast<A&>(o).TitleFont().SetHeight(-16); }},
            {"TitleShow", "False", "True", Via(&A::SetTitleShow, true)},
            {"TitleRotated", "False", "True", Via(&A::SetTitleRotated, true)},
            {"MajorLength", "7", "9", Via(&A::SetMajorLength, 9)},
            {"MinorLength", "3", "4", Via(&A::SetMinorLength, 4)},
            {"MinorCount", "1", "4", Via(&A::SetMinorCount, 4)},
            {"LabelsVisible", "True", "False", Via(&A::SetLabelsVisible, false)},
            {"LabelsMargin", "0.25", "0.5", Via(&A::SetLabelsMargin, 0.5)},
            {"LabelsFont", "Color=$00FFFFFF", "Color=65535",
             [](fw::TPersistent& o) { static_cast<A&>(o).LabelsFont().SetColor(65535); }},
            {"LabelSeparation", "2", "1", Via(&A::SetLabelSeparation, 1.0)},
            {"LabelsRotation", "ira000", "ira090", Via(&A::SetLabelsRotation, ira090)},
            {"LabelsPrecision", "3", "2", Via(&A::SetLabelsPrecision, 2)},
            {"LabelsPrecisionStyle", "ipsSignificantDigits", "ipsFixedDecimalPoints",
             Via(&A::SetLabelsPrecisionStyle, ipsFixedDecimalPoints)},
            {"LabelsFormatStyle", "iptfValue", "iptfPrefix", Via(&A::SetLabelsFormatStyle, iptfPrefix)},
            {"DateTimeFormat", "hh:nn:ss", "nn:ss", Via(&A::SetDateTimeFormat, QStringLiteral("nn:ss"))},
            {"LabelsMinLength", "5", "3", Via(&A::SetLabelsMinLength, 3.0)},
            {"LabelsMinLengthAutoAdjust", "False", "True", Via(&A::SetLabelsMinLengthAutoAdjust, true)},
            {"ScaleLineShow", "True", "False", Via(&A::SetScaleLineShow, false)},
            {"ScaleLinesShow", "True", "False", Via(&A::SetScaleLinesShow, false)},
            {"ScaleLinesColor", "$00FFFFFF", "8454143", Via(&A::SetScaleLinesColor, fw::TColor(8454143))},
            {"StackingEndsMargin", "0.5", "1", Via(&A::SetStackingEndsMargin, 1.0)},
            {"GridLinesVisible", "True", "False", Via(&A::SetGridLinesVisible, false)},
            {"CursorUseDefaultFormat", "True", "False", Via(&A::SetCursorUseDefaultFormat, false)},
            {"CursorFormatStyle", "iptfValue", "iptfExponent", Via(&A::SetCursorFormatStyle, iptfExponent)},
            {"CursorDateTimeFormat", "hh:nn:ss", "ss",
             Via(&A::SetCursorDateTimeFormat, QStringLiteral("ss"))},
            {"CursorPrecisionStyle", "ipsSignificantDigits", "ipsFixedDecimalPoints",
             Via(&A::SetCursorPrecisionStyle, ipsFixedDecimalPoints)},
            {"CursorPrecision", "3", "1", Via(&A::SetCursorPrecision, 1)},
            {"CursorMinLength", "5", "2", Via(&A::SetCursorMinLength, 2.0)},
            {"CursorMinLengthAutoAdjust", "False", "True", Via(&A::SetCursorMinLengthAutoAdjust, true)},
            {"CursorScaler", "1", "2", Via(&A::SetCursorScaler, 2.0)},
            {"LegendUseDefaultFormat", "True", "False", Via(&A::SetLegendUseDefaultFormat, false)},
            {"LegendFormatStyle", "iptfValue", "iptfThousands", Via(&A::SetLegendFormatStyle, iptfThousands)},
            {"LegendDateTimeFormat", "hh:nn:ss", "hh",
             Via(&A::SetLegendDateTimeFormat, QStringLiteral("hh"))},
            {"LegendPrecisionStyle", "ipsSignificantDigits", "ipsFixedDecimalPoints",
             Via(&A::SetLegendPrecisionStyle, ipsFixedDecimalPoints)},
            {"LegendPrecision", "3", "4", Via(&A::SetLegendPrecision, 4)},
            {"LegendMinLength", "5", "6", Via(&A::SetLegendMinLength, 6.0)},
            {"LegendMinLengthAutoAdjust", "False", "True", Via(&A::SetLegendMinLengthAutoAdjust, true)},
        });
}

TEST_F(PropertyTables, DataView)
{
    using D = TcPlotDataView;
    CheckPropertyTable(
        ObjectMaker<D>(),
        Plus(LayoutRows(),
             {
                 {"Title", "", "Curve", Via(&D::SetTitle, QStringLiteral("Curve"))},
                 {"BackgroundTransparent", "True", "False", Via(&D::SetBackgroundTransparent, false)},
                 {"BackgroundColor", "$808000", "0", Via(&D::SetBackgroundColor, fw::TColor(0))},
                 {"GridXAxisName", "", "<ALL>", Via(&D::SetGridXAxisName, QStringLiteral("<ALL>"))},
                 {"GridYAxisName", "", "Y-Axis 1", Via(&D::SetGridYAxisName, QStringLiteral("Y-Axis 1"))},
                 {"GridShow", "True", "False", Via(&D::SetGridShow, false)},
                 {"GridLineColor", "$008000", "255", Via(&D::SetGridLineColor, fw::TColor(255))},
                 {"GridLineShowLeft", "True", "False", Via(&D::SetGridLineShowLeft, false)},
                 {"GridLineShowRight", "True", "False", Via(&D::SetGridLineShowRight, false)},
                 {"GridLineShowTop", "True", "False", Via(&D::SetGridLineShowTop, false)},
                 {"GridLineShowBottom", "True", "False", Via(&D::SetGridLineShowBottom, false)},
                 {"GridLineShowXMajors", "True", "False", Via(&D::SetGridLineShowXMajors, false)},
                 {"GridLineShowXMinors", "False", "True", Via(&D::SetGridLineShowXMinors, true)},
                 {"GridLineShowYMajors", "True", "False", Via(&D::SetGridLineShowYMajors, false)},
                 {"GridLineShowYMinors", "False", "True", Via(&D::SetGridLineShowYMinors, true)},
                 {"GridLineMajorStyle", "ipglsSolid", "ipglsDash", Via(&D::SetGridLineMajorStyle, ipglsDash)},
                 {"GridLineMinorStyle", "ipglsSolid", "ipglsDot", Via(&D::SetGridLineMinorStyle, ipglsDot)},
                 {"GridLineXMajorCustom", "False", "True", Via(&D::SetGridLineCustom<D::XMajor>, true)},
                 {"GridLineXMajorColor", "$008000", "255",
                  Via(&D::SetGridLineColorOf<D::XMajor>, fw::TColor(255))},
                 {"GridLineXMajorWidth", "0", "2", Via(&D::SetGridLineWidth<D::XMajor>, 2)},
                 {"GridLineXMajorStyle", "ipglsSolid", "ipglsDot",
                  Via(&D::SetGridLineStyle<D::XMajor>, ipglsDot)},
                 {"GridLineXMinorCustom", "False", "True", Via(&D::SetGridLineCustom<D::XMinor>, true)},
                 {"GridLineXMinorColor", "$008000", "255",
                  Via(&D::SetGridLineColorOf<D::XMinor>, fw::TColor(255))},
                 {"GridLineXMinorWidth", "0", "2", Via(&D::SetGridLineWidth<D::XMinor>, 2)},
                 {"GridLineXMinorStyle", "ipglsSolid", "ipglsDot",
                  Via(&D::SetGridLineStyle<D::XMinor>, ipglsDot)},
                 {"GridLineYMajorCustom", "False", "True", Via(&D::SetGridLineCustom<D::YMajor>, true)},
                 {"GridLineYMajorColor", "$008000", "255",
                  Via(&D::SetGridLineColorOf<D::YMajor>, fw::TColor(255))},
                 {"GridLineYMajorWidth", "0", "2", Via(&D::SetGridLineWidth<D::YMajor>, 2)},
                 {"GridLineYMajorStyle", "ipglsSolid", "ipglsDot",
                  Via(&D::SetGridLineStyle<D::YMajor>, ipglsDot)},
                 {"GridLineYMinorCustom", "False", "True", Via(&D::SetGridLineCustom<D::YMinor>, true)},
                 {"GridLineYMinorColor", "$008000", "255",
                  Via(&D::SetGridLineColorOf<D::YMinor>, fw::TColor(255))},
                 {"GridLineYMinorWidth", "0", "2", Via(&D::SetGridLineWidth<D::YMinor>, 2)},
                 {"GridLineYMinorStyle", "ipglsSolid", "ipglsDot",
                  Via(&D::SetGridLineStyle<D::YMinor>, ipglsDot)},
                 {"AxesControlEnabled", "False", "True", Via(&D::SetAxesControlEnabled, true)},
                 {"AxesControlMouseStyle", "ipacsBoth", "ipacsYAxis",
                  Via(&D::SetAxesControlMouseStyle, ipacsYAxis)},
                 {"AxesControlWheelStyle", "ipacsXAxis", "ipacsNone",
                  Via(&D::SetAxesControlWheelStyle, ipacsNone)},
                 {"AxesControlAllowInSelectMode", "False", "True",
                  Via(&D::SetAxesControlAllowInSelectMode, true)},
             }));
}

TEST_F(PropertyTables, DataCursor)
{
    using D = TcPlotDataCursor;
    CheckPropertyTable(
        ObjectMaker<D>(),
        Plus(ObjectRows(false),
             {
                 {"ChannelName", "", "Channel 1", Via(&D::SetChannelName, QStringLiteral("Channel 1"))},
                 {"ChannelAllowAll", "True", "False", Via(&D::SetChannelAllowAll, false)},
                 {"ChannelShowAllInLegend", "True", "False", Via(&D::SetChannelShowAllInLegend, false)},
                 {"Style", "ipcsValueXY", "ipcsDeltaY", Via(&D::SetStyle, ipcsDeltaY)},
                 {"Font", "Name=Tahoma;Height=-11", "Height=-16",
                  [](fw::TPersistent& o) { static_cast<D&>(o).Font().SetHeight(-16); }},
                 {"Color", "$00FFFF", "255", Via(&D::SetColor, fw::TColor(255))},
                 {"UseChannelColor", "True", "False", Via(&D::SetUseChannelColor, false)},
                 {"HintShow", "True", "False", Via(&D::SetHintShow, false)},
                 {"HintHideOnRelease", "False", "True", Via(&D::SetHintHideOnRelease, true)},
                 {"HintOrientationSide", "iosBottomRight", "iosTopLeft",
                  Via(&D::SetHintOrientationSide, iosTopLeft)},
                 {"HintPosition", "50", "120", Via(&D::SetHintPosition, 120.0)},
                 {"Pointer1Position", "50", "25", Via(&D::SetPointer1Position, 25.0)},
                 {"Pointer2Position", "60", "75", Via(&D::SetPointer2Position, 75.0)},
                 {"PointerPenWidth", "1", "2", Via(&D::SetPointerPenWidth, 2)},
                 {"MenuUserCanChangeOptions", "True", "False", Via(&D::SetMenuUserCanChangeOptions, false)},
                 {"SnapToDataPoint", "False", "True", Via(&D::SetSnapToDataPoint, true)},
                 {"UseCachedInterpolatedData", "False", "True", Via(&D::SetUseCachedInterpolatedData, true)},
                 {"MenuItemVisibleValueXY", "True", "False",
                  Via(&D::SetMenuItemVisibleOf<ipcsValueXY>, false)},
                 {"MenuItemCaptionValueXY", "Value X-Y", "XY",
                  Via(&D::SetMenuItemCaptionOf<ipcsValueXY>, QStringLiteral("XY"))},
                 {"MenuItemVisibleValueX", "True", "False", Via(&D::SetMenuItemVisibleOf<ipcsValueX>, false)},
                 {"MenuItemCaptionValueX", "Value X", "X",
                  Via(&D::SetMenuItemCaptionOf<ipcsValueX>, QStringLiteral("X"))},
                 {"MenuItemVisibleValueY", "True", "False", Via(&D::SetMenuItemVisibleOf<ipcsValueY>, false)},
                 {"MenuItemCaptionValueY", "Value Y", "Y",
                  Via(&D::SetMenuItemCaptionOf<ipcsValueY>, QStringLiteral("Y"))},
                 {"MenuItemVisibleDeltaX", "True", "False", Via(&D::SetMenuItemVisibleOf<ipcsDeltaX>, false)},
                 {"MenuItemCaptionDeltaX", "Period", "dX",
                  Via(&D::SetMenuItemCaptionOf<ipcsDeltaX>, QStringLiteral("dX"))},
                 {"MenuItemVisibleDeltaY", "True", "False", Via(&D::SetMenuItemVisibleOf<ipcsDeltaY>, false)},
                 {"MenuItemCaptionDeltaY", "Peak-Peak", "dY",
                  Via(&D::SetMenuItemCaptionOf<ipcsDeltaY>, QStringLiteral("dY"))},
                 {"MenuItemVisibleInverseDeltaX", "True", "False",
                  Via(&D::SetMenuItemVisibleOf<ipcsInverseDeltaX>, false)},
                 {"MenuItemCaptionInverseDeltaX", "Frequency", "1/dX",
                  Via(&D::SetMenuItemCaptionOf<ipcsInverseDeltaX>, QStringLiteral("1/dX"))},
             }));
}

TEST_F(PropertyTables, Label)
{
    using L = TcPlotLabel;
    CheckPropertyTable(
        ObjectMaker<L>(),
        Plus(LayoutRows(true), {
                                   {"Caption", "", "Gain", Via(&L::SetCaption, QStringLiteral("Gain"))},
                                   {"MarginLeft", "0", "1", Via(&L::SetMarginLeft, 1.0)},
                                   {"MarginTop", "0", "1", Via(&L::SetMarginTop, 1.0)},
                                   {"MarginRight", "0", "1", Via(&L::SetMarginRight, 1.0)},
                                   {"MarginBottom", "0", "1", Via(&L::SetMarginBottom, 1.0)},
                                   {"Alignment", "iahCenter", "iahRight", Via(&L::SetAlignment, iahRight)},
                                   {"Font", "Name=Arial;Height=-19;Style=1;Color=$FFFFFF", "Style=0",
                                    [](fw::TPersistent& o) { static_cast<L&>(o).Font().SetStyle(0); }},
                                   {"ImageListIndex", "-1", "1", Via(&L::SetImageListIndex, 1)},
                                   {"ImageIndex", "0", "3", Via(&L::SetImageIndex, 3)},
                               }));
}

TEST_F(PropertyTables, ToolBar)
{
    using B = TcPlotToolBar;
    CheckPropertyTable(
        ObjectMaker<B>(),
        Plus(LayoutRows(true),
             {
                 {"ShowResumeButton", "True", "False", Via(&B::SetShowResumeButton, false)},
                 {"ShowPauseButton", "True", "False", Via(&B::SetShowPauseButton, false)},
                 {"ShowAxesModeButtons", "True", "False", Via(&B::SetShowAxesModeButtons, false)},
                 {"ShowZoomInOutButtons", "True", "False", Via(&B::SetShowZoomInOutButtons, false)},
                 {"ShowSelectButton", "False", "True", Via(&B::SetShowSelectButton, true)},
                 {"ShowZoomBoxButton", "True", "False", Via(&B::SetShowZoomBoxButton, false)},
                 {"ShowCursorButton", "True", "False", Via(&B::SetShowCursorButton, false)},
                 {"ShowEditButton", "True", "False", Via(&B::SetShowEditButton, false)},
                 {"ShowCopyButton", "True", "False", Via(&B::SetShowCopyButton, false)},
                 {"ShowSaveButton", "True", "False", Via(&B::SetShowSaveButton, false)},
                 {"ShowPrintButton", "True", "False", Via(&B::SetShowPrintButton, false)},
                 {"ShowPreviewButton", "False", "True", Via(&B::SetShowPreviewButton, true)},
                 {"ZoomInOutFactor", "2", "3", Via(&B::SetZoomInOutFactor, 3.0)},
                 {"FlatBorder", "False", "True", Via(&B::SetFlatBorder, true)},
                 {"FlatButtons", "False", "True", Via(&B::SetFlatButtons, true)},
                 {"SmallButtons", "False", "True", Via(&B::SetSmallButtons, true)},
             }));
}

TEST_F(PropertyTables, Chart)
{
    using P = TcPlotComponent;
    CheckPropertyTable(
        Maker<TcXYPlot>(),
        {
            {"OptionSaveAllProperties", "False", "True", Via(&P::SetOptionSaveAllProperties, true)},
            {"AutoFrameRate", "True", "False", Via(&P::SetAutoFrameRate, false)},
            {"UpdateFrameRate", "60", "30", Via(&P::SetUpdateFrameRate, 30)},
            {"BackGroundColor", "0", "255", Via(&P::SetBackGroundColor, fw::TColor(255))},
            {"BorderStyle", "ibsLowered", "ibsNone", Via(&P::SetBorderStyle, ibsNone)},
            {"DataViewZHorz", "1", "2", Via(&P::SetDataViewZHorz, 2)},
            {"DataViewZVert", "1", "2", Via(&P::SetDataViewZVert, 2)},
            {"XYAxesReverse", "False", "True", Via(&P::SetXYAxesReverse, true)},
            {"UserCanEditObjects", "True", "False", Via(&P::SetUserCanEditObjects, false)},
            {"UserCanAddRemoveChannels", "False", "True", Via(&P::SetUserCanAddRemoveChannels, true)},
            {"OuterMarginLeft", "5", "8", Via(&P::SetOuterMarginLeft, 8)},
            {"OuterMarginTop", "5", "8", Via(&P::SetOuterMarginTop, 8)},
            {"OuterMarginRight", "5", "8", Via(&P::SetOuterMarginRight, 8)},
            {"OuterMarginBottom", "5", "8", Via(&P::SetOuterMarginBottom, 8)},
            {"PrintOrientation", "poLandscape", "poPortrait", Via(&P::SetPrintOrientation, poPortrait)},
            {"PrintMarginLeft", "1", "0.5", Via(&P::SetPrintMarginLeft, 0.5)},
            {"PrintMarginTop", "1", "0.5", Via(&P::SetPrintMarginTop, 0.5)},
            {"PrintMarginRight", "1", "0.5", Via(&P::SetPrintMarginRight, 0.5)},
            {"PrintMarginBottom", "1", "0.5", Via(&P::SetPrintMarginBottom, 0.5)},
            {"PrintShowDialog", "True", "False", Via(&P::SetPrintShowDialog, false)},
            {"PrintDocumentName", "Untitled", "Curves",
             Via(&P::SetPrintDocumentName, QStringLiteral("Curves"))},
            {"PrinterName", "", "Office", Via(&P::SetPrinterName, QStringLiteral("Office"))},
            {"HintsPause", "500", "100", Via(&P::SetHintsPause, 100)},
            {"HintsHidePause", "2500", "900", Via(&P::SetHintsHidePause, 900)},
            {"HintsShow", "True", "False", Via(&P::SetHintsShow, false)},
            {"HintsFont", "Name=Tahoma;Height=-11", "Height=-12",
             [](fw::TPersistent& o) { static_cast<P&>(o).HintsFont().SetHeight(-12); }},
            {"EditorFormStyle", "ipfsModal", "ipfsStayOnTop", Via(&P::SetEditorFormStyle, ipfsStayOnTop)},
            {"CopyToClipBoardFormat", "ipefMetaFile", "ipefJPEG",
             Via(&P::SetCopyToClipBoardFormat, ipefJPEG)},
            {"TitleVisible", "True", "False", Via(&P::SetTitleVisible, false)},
            {"TitleText", "Untitled", "Gain", Via(&P::SetTitleText, QStringLiteral("Gain"))},
            {"TitleFont", "Name=Arial;Height=-19;Style=1;Color=$FFFFFF", "Style=0",
             [](fw::TPersistent& o) { static_cast<P&>(o).TitleFont().SetStyle(0); }},
            {"TitleMargin", "0", "1", Via(&P::SetTitleMargin, 1.0)},
            {"LogFileName", "", "chart.log", Via(&P::SetLogFileName, QStringLiteral("chart.log"))},
            {"LogBufferSize", "0", "10", Via(&P::SetLogBufferSize, 10)},
            {"LoggingActive", "False", "", nullptr},
            {"AnnotationDefaultFont", "Color=$FFFFFF", "Color=255",
             [](fw::TPersistent& o) { static_cast<P&>(o).AnnotationDefaultFont().SetColor(255); }},
            {"AnnotationDefaultBrushStlye", "bsSolid", "bsClear",
             Via(&P::SetAnnotationDefaultBrushStlye, fw::bsClear)},
            {"AnnotationDefaultBrushColor", "$FFFFFF", "255",
             Via(&P::SetAnnotationDefaultBrushColor, fw::TColor(255))},
            {"AnnotationDefaultPenStlye", "psSolid", "psDash",
             Via(&P::SetAnnotationDefaultPenStlye, fw::psDash)},
            {"AnnotationDefaultPenColor", "$FFFFFF", "255",
             Via(&P::SetAnnotationDefaultPenColor, fw::TColor(255))},
            {"AnnotationDefaultPenWidth", "1", "2", Via(&P::SetAnnotationDefaultPenWidth, 2)},
            {"AnnotationDefaultReference", "iprtDataView", "iprtChannel",
             Via(&P::SetAnnotationDefaultReference, iprtChannel)},
            {"AnnotationDefaultReferencePositionX", "ipriAuto", "ipriChannel",
             Via(&P::SetAnnotationDefaultReferenceOf<0>, ipriChannel)},
            {"AnnotationDefaultReferencePositionY", "ipriAuto", "ipriChannel",
             Via(&P::SetAnnotationDefaultReferenceOf<1>, ipriChannel)},
            {"AnnotationDefaultReferenceSizeX", "ipriAuto", "ipriChannel",
             Via(&P::SetAnnotationDefaultReferenceOf<2>, ipriChannel)},
            {"AnnotationDefaultReferenceSizeY", "ipriAuto", "ipriChannel",
             Via(&P::SetAnnotationDefaultReferenceOf<3>, ipriChannel)},
            {"ClipAnnotationsToAxes", "True", "False", Via(&P::SetClipAnnotationsToAxes, false)},
            {"BackGroundGradientEnabled", "False", "True", Via(&P::SetBackGroundGradientEnabled, true)},
            {"BackGroundGradientDirection", "ifdTopBottom", "ifdCircleIn",
             Via(&P::SetBackGroundGradientDirection, ifdCircleIn)},
            {"BackGroundGradientStartColor", "$FF0000", "255",
             Via(&P::SetBackGroundGradientStartColor, fw::TColor(255))},
            {"BackGroundGradientStopColor", "0", "255",
             Via(&P::SetBackGroundGradientStopColor, fw::TColor(255))},
            {"DataFileColumnSeparator", "ipdfcsTab", "ipdfcsComma",
             Via(&P::SetDataFileColumnSeparator, ipdfcsComma)},
            {"DataFileFormat", "ipdffText", "ipdffCompactInterval",
             Via(&P::SetDataFileFormat, ipdffCompactInterval)},
            {"DefaultSaveImageDirectory", "", "/tmp/img",
             Via(&P::SetDefaultSaveImageDirectory, QStringLiteral("/tmp/img"))},
            {"DefaultSaveImageFormat", "ipifBitmap", "ipifPNG", Via(&P::SetDefaultSaveImageFormat, ipifPNG)},
            {"DefaultPropertyDirectory", "", "/tmp/p",
             Via(&P::SetDefaultPropertyDirectory, QStringLiteral("/tmp/p"))},
            {"DefaultDataDirectory", "", "/tmp/d",
             Via(&P::SetDefaultDataDirectory, QStringLiteral("/tmp/d"))},
            {"DefaultAnnotationDirectory", "", "/tmp/a",
             Via(&P::SetDefaultAnnotationDirectory, QStringLiteral("/tmp/a"))},
            {"DifferentialPropertySave", "False", "True", Via(&P::SetDifferentialPropertySave, true)},
        });
}

TEST_F(PropertyTables, XYChannel)
{
    using X = TcXYPlotChannel;
    std::vector<PropertyRow> rows;
    for (PropertyRow r : ChannelRows())
        rows.push_back(r);
    CheckPropertyTable(
        ObjectMaker<X>(),
        Plus(rows,
             {
                 {"OPCComputerName", "Local", "Plant", Via(&X::SetOPCComputerName, QStringLiteral("Plant"))},
                 {"OPCServerName", "", "Srv", Via(&X::SetOPCServerName, QStringLiteral("Srv"))},
                 {"OPCItemName", "", "Tag1", Via(&X::SetOPCItemName, QStringLiteral("Tag1"))},
                 {"OPCItem2Name", "", "Tag2", Via(&X::SetOPCItem2Name, QStringLiteral("Tag2"))},
                 {"OPCUpdateRate", "500", "250", Via(&X::SetOPCUpdateRate, 250)},
                 {"OPCScalar", "0", "2", Via(&X::SetOPCScalar, 2.0)},
                 {"OPCOffset", "0", "1", Via(&X::SetOPCOffset, 1.0)},
                 {"OPCScalar2", "0", "3", Via(&X::SetOPCScalar2, 3.0)},
                 {"OPCOffset2", "0", "4", Via(&X::SetOPCOffset2, 4.0)},
                 {"OPCAutoConnect", "True", "False", Via(&X::SetOPCAutoConnect, false)},
             }));
}

TEST_F(PropertyTables, StripChannel)
{
    using C = TcPlotChannel;
    using S = TcPlotPointStyle;
    CheckPropertyTable(
        ObjectMaker<C>(),
        Plus(ChannelRows(),
             {
                 {"FastDrawEnabled", "True", "False", Via(&C::SetFastDrawEnabled, false)},
                 {"AllowOutOfOrderXValues", "True", "False", Via(&C::SetAllowOutOfOrderXValues, false)},
                 {"DrawOutOfOrderXValues", "False", "True", Via(&C::SetDrawOutOfOrderXValues, true)},
                 {"ResetStartTimeOnFirstDataPoint", "False", "True",
                  Via(&C::SetResetStartTimeOnFirstDataPoint, true)},
                 {"InterpolationStyle", "ipistStraightLine", "ipistRational",
                  Via(&C::SetInterpolationStyle, ipistRational)},
                 {"FillEnabled", "False", "True", Via(&C::SetFillEnabled, true)},
                 {"FillReference", "0", "2.5", Via(&C::SetFillReference, 2.5)},
                 {"FillStyle", "bsSolid", "bsCross", Via(&C::SetFillStyle, TcBrushStyleValue(6))},
                 {"FillColor", "0", "255", Via(&C::SetFillColor, fw::TColor(255))},
                 {"FillUseChannelColor", "True", "False", Via(&C::SetFillUseChannelColor, false)},
                 {"DigitalEnabled", "False", "True", Via(&C::SetDigitalEnabled, true)},
                 {"DigitalReferenceStyle", "ipdrScale", "ipdrPercent",
                  Via(&C::SetDigitalReferenceStyle, ipdrPercent)},
                 {"DigitalReferenceLow", "10", "20", Via(&C::SetDigitalReferenceLow, 20.0)},
                 {"DigitalReferenceHigh", "90", "80", Via(&C::SetDigitalReferenceHigh, 80.0)},
                 {"HighLowStyle", "iphlsOpenClose", "iphlsCandleStick",
                  Via(&C::SetHighLowStyle, iphlsCandleStick)},
                 {"HighLowEnabled", "False", "True", Via(&C::SetHighLowEnabled, true)},
                 {"HighLowBarColor", "$FFFF00", "255", Via(&C::SetHighLowColor<C::hlBar>, fw::TColor(255))},
                 {"HighLowBarWidth", "0.5", "2", Via(&C::SetHighLowSize<C::hlBarWidth>, 2.0)},
                 {"HighLowOpenShow", "True", "False", Via(&C::SetHighLowOpenShow, false)},
                 {"HighLowOpenColor", "$00FF00", "255", Via(&C::SetHighLowColor<C::hlOpen>, fw::TColor(255))},
                 {"HighLowOpenWidth", "1", "2", Via(&C::SetHighLowSize<C::hlOpenWidth>, 2.0)},
                 {"HighLowOpenHeight", "1", "2", Via(&C::SetHighLowSize<C::hlOpenHeight>, 2.0)},
                 {"HighLowCloseShow", "True", "False", Via(&C::SetHighLowCloseShow, false)},
                 {"HighLowCloseColor", "$0000FF", "1", Via(&C::SetHighLowColor<C::hlClose>, fw::TColor(1))},
                 {"HighLowCloseWidth", "1", "2", Via(&C::SetHighLowSize<C::hlCloseWidth>, 2.0)},
                 {"HighLowCloseHeight", "1", "2", Via(&C::SetHighLowSize<C::hlCloseHeight>, 2.0)},
                 {"HighLowShadowColor", "$808080", "255",
                  Via(&C::SetHighLowColor<C::hlShadow>, fw::TColor(255))},
                 {"HighLowBullishColor", "$FFFFFF", "255",
                  Via(&C::SetHighLowColor<C::hlBullish>, fw::TColor(255))},
                 {"HighLowBearishColor", "$808080", "255",
                  Via(&C::SetHighLowColor<C::hlBearish>, fw::TColor(255))},
                 {"BarEnabled", "False", "True", Via(&C::SetBarEnabled, true)},
                 {"BarPenUseChannelColor", "True", "False", Via(&C::SetBarPenUseChannelColor, false)},
                 {"BarBrushUseChannelColor", "True", "False", Via(&C::SetBarBrushUseChannelColor, false)},
                 {"BarReference", "0", "1.5", Via(&C::SetBarStored<double, &S::BarReference>, 1.5)},
                 {"BarWidth", "5", "2", Via(&C::SetBarStored<double, &S::BarWidth>, 2.0)},
                 {"BarPenColor", "$0000FF", "1",
                  Via(&C::SetBarStored<fw::TColor, &S::BarPenColor>, fw::TColor(1))},
                 {"BarPenWidth", "0", "2", Via(&C::SetBarStored<int, &S::BarPenWidth>, 2)},
                 {"BarPenStyle", "psSolid", "psDash",
                  Via(&C::SetBarStored<TcPenStyleValue, &S::BarPenStyle>, TcPenStyleValue(1))},
                 {"BarBrushColor", "$0000FF", "1",
                  Via(&C::SetBarStored<fw::TColor, &S::BarBrushColor>, fw::TColor(1))},
                 {"BarBrushStyle", "bsSolid", "bsClear",
                  Via(&C::SetBarStored<TcBrushStyleValue, &S::BarBrushStyle>, TcBrushStyleValue(1))},
                 {"OPCGroupName", "", "G", Via(&C::SetOPCGroupName, QStringLiteral("G"))},
                 {"OPCComputerName", "Local", "Plant", Via(&C::SetOPCComputerName, QStringLiteral("Plant"))},
                 {"OPCServerName", "", "Srv", Via(&C::SetOPCServerName, QStringLiteral("Srv"))},
                 {"OPCItemName", "", "Tag1", Via(&C::SetOPCItemName, QStringLiteral("Tag1"))},
                 {"OPCItem2Name", "", "Tag2", Via(&C::SetOPCItem2Name, QStringLiteral("Tag2"))},
                 {"OPCUpdateRate", "500", "250", Via(&C::SetOPCUpdateRate, 250)},
                 {"OPCScalar", "0", "2", Via(&C::SetOPCScalar, 2.0)},
                 {"OPCOffset", "0", "1", Via(&C::SetOPCOffset, 1.0)},
                 {"OPCScalar2", "0", "3", Via(&C::SetOPCScalar2, 3.0)},
                 {"OPCOffset2", "0", "4", Via(&C::SetOPCOffset2, 4.0)},
                 {"OPCAutoConnect", "True", "False", Via(&C::SetOPCAutoConnect, false)},
                 {"OPCXValueSource", "iopcxvsOPCServerTimeStamp", "iopcxvsOPCItem",
                  Via(&C::SetOPCXValueSource, iopcxvsOPCItem)},
             }));
}

TEST_F(PropertyTables, XAxis)
{
    CheckPropertyTable(ObjectMaker<TcPlotXAxis>(), AxisRows("ipafsAuto"));
}

TEST_F(PropertyTables, YAxis)
{
    CheckPropertyTable(ObjectMaker<TcPlotYAxis>(), AxisRows("ipafsNone"));
}

} // namespace

namespace
{

// Setting by a full dotted name, as outside data (OPC values) does.
TEST_F(PropertyTables, SetByPathFollowsTheTableAndRefusesBadText)
{
    TcXYPlot chart;
    TcPlotLegend& legend = *chart.GetLegend(0);
    struct Case {
        const char* name;
        const char* prefix;
        const char* path;
        const char* value;
        bool ok;
        std::function<bool()> holds;
    } cases[] = {
        {"float with a comma", "", "marginleft", "2,5", true, [&] { return legend.MarginLeft() == 2.5; }},
        {"boolean word", "", "SHOWCOLUMNYMAX", "true", true, [&] { return legend.ShowColumnYMax(); }},
        {"boolean from any other text", "", "ShowColumnLine", "0", true,
         [&] { return !legend.ShowColumnLine(); }},
        {"boolean from any other text", "", "ShowColumnLine", "7", true,
         [&] { return legend.ShowColumnLine(); }},
        {"nested font", "", "Font.Color", "255", true, [&] { return legend.Font().Color() == 255; }},
        {"under a prefix", "Legend", "Legend.CaptionColumnTitle", "Name #13", true,
         [&] { return legend.CaptionColumnTitle() == "Name #13"; }},
        {"enumeration by ordinal", "", "ChannelNameColorStyle", "1", true,
         [&] { return legend.ChannelNameColorStyle() == iplcncsChannelColor; }},
        {"enumeration out of range", "", "ChannelNameColorStyle", "9", false,
         [&] { return legend.ChannelNameColorStyle() == iplcncsChannelColor; }},
        {"no number", "", "LineColumnWidth", "wide", false, [&] { return legend.LineColumnWidth() == 13; }},
        {"no such property", "", "Nothing.Here", "1", true, [&] { return true; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QString error;
        EXPECT_EQ(SetPropertyByPath(legend, c.prefix, c.value, c.path, &error), c.ok) << error.toStdString();
        EXPECT_EQ(error.isEmpty(), c.ok);
        EXPECT_TRUE(c.holds());
    }
}

// The chart's three image lists: the first image sizes a list, a smaller one is centred on its
// transparent colour, a mismatched one and a wrong list index are refused with their texts.
TEST_F(PropertyTables, ImageListsTakeImagesByTheirRules)
{
    TcXYPlot chart;
    auto image = [](int w, int h) {
        QImage i(w, h, QImage::Format_RGB32);
        i.fill(Qt::magenta);
        i.setPixel(w / 2, h / 2, qRgb(0, 0, 255));
        return i;
    };
    QString error;
    EXPECT_FALSE(chart.ImageListAdd(3, image(4, 4), &error));
    EXPECT_EQ(error, "ImageList Index must be 0-2");
    EXPECT_FALSE(chart.ImageListClear(-1, &error));
    EXPECT_EQ(error, "ImageList Index must be 0-2");

    fw::TCustomImageList& list = *chart.ImageList(1);
    ASSERT_TRUE(chart.ImageListAdd(1, image(16, 12), &error));
    EXPECT_EQ(QSize(list.Width(), list.Height()), QSize(16, 12));
    ASSERT_TRUE(chart.ImageListAdd(1, image(8, 6), &error)) << "both smaller: centred";
    ASSERT_TRUE(chart.ImageListAdd(1, image(16, 30), &error)) << "same width";
    EXPECT_FALSE(chart.ImageListAdd(1, image(20, 20), &error));
    EXPECT_EQ(error,
              "Image Width and Height must be the same as other images, or both smaller, or both larger");
    EXPECT_EQ(list.Count(), 3);

    // The centred image: its one opaque pixel in the middle of the cell, the rest transparent.
    QImage cell(16, 12, QImage::Format_ARGB32);
    cell.fill(Qt::transparent);
    {
        QPainter p(&cell);
        fw::TCanvas canvas(p);
        list.Draw(canvas, 0, 0, 1);
    }
    EXPECT_EQ(cell.pixel(8, 6), qRgb(0, 0, 255));
    EXPECT_EQ(qAlpha(cell.pixel(1, 1)), 0);
    ASSERT_TRUE(chart.ImageListClear(1, &error));
    EXPECT_EQ(list.Count(), 0);
}

} // namespace
