#include "chart/editor/EditorPageTables.h"

namespace chart
{

namespace
{

using K = TcEditorFieldKind;
using N = TcEditorNameList;
using V = TcEditorConverter;

QString SuffixOf(K kind)
{
    switch (kind) {
    case K::Edit:
        return QStringLiteral("Edit");
    case K::Check:
        return QStringLiteral("CheckBox");
    case K::Combo:
    case K::TextCombo:
    case K::NameCombo:
        return QStringLiteral("ComboBox");
    case K::Radio:
        return QStringLiteral("RadioGroup");
    case K::Color:
        return QStringLiteral("ColorPicker");
    case K::Font:
        return QStringLiteral("FontPicker");
    case K::Button:
        return QStringLiteral("Button");
    case K::OpenFile:
        return QStringLiteral("OpenPicker");
    case K::SaveFile:
        return QStringLiteral("SavePicker");
    }
    return {};
}

// "RingBufferSize" -> "Ring Buffer Size".
QString Words(const QString& name)
{
    QString out;
    for (int i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (i > 0 && c.isUpper() && (name[i - 1].isLower() || (i + 1 < name.size() && name[i + 1].isLower())))
            out += QLatin1Char(' ');
        out += c;
    }
    return out;
}

// Builds a page table in display order: sub-page and group apply to the fields that follow.
class PageBuilder
{
  public:
    explicit PageBuilder(const char* prefix) { FTable.Prefix = QString::fromLatin1(prefix); }
    PageBuilder& Sub(const QString& name)
    {
        FSub = name;
        FGroup.clear();
        FStripOnly = false;
        return *this;
    }
    PageBuilder& Group(const QString& name)
    {
        FGroup = name;
        return *this;
    }
    // caption: empty derives it from the property; control: empty derives prefix + property + suffix.
    PageBuilder& Add(K kind, const char* property, const char* caption = "", const char* control = "",
                     QStringList items = {})
    {
        TcEditorField f;
        f.SubPage = FSub;
        f.Group = FGroup;
        f.Property = QString::fromLatin1(property);
        f.Kind = kind;
        f.Control = *control ? QString::fromLatin1(control) : FTable.Prefix + f.Property + SuffixOf(kind);
        f.Caption = *caption ? QString::fromLatin1(caption) : Words(f.Property);
        f.Items = std::move(items);
        f.StripOnly = FStripOnly;
        FTable.Fields.push_back(std::move(f));
        return *this;
    }
    PageBuilder& Edit(const char* property, const char* caption = "", const char* control = "")
    {
        return Add(K::Edit, property, caption, control);
    }
    PageBuilder& Check(const char* property, const char* caption = "", const char* control = "")
    {
        return Add(K::Check, property, caption, control);
    }
    PageBuilder& Combo(const char* property, QStringList items, const char* caption = "",
                       const char* control = "")
    {
        return Add(K::Combo, property, caption, control, std::move(items));
    }
    PageBuilder& Radio(const char* property, QStringList items, const char* caption = "",
                       const char* control = "")
    {
        return Add(K::Radio, property, caption, control, std::move(items));
    }
    PageBuilder& Color(const char* property, const char* caption = "", const char* control = "")
    {
        return Add(K::Color, property, caption, control);
    }
    PageBuilder& Font(const char* property, const char* caption = "Font", const char* control = "")
    {
        return Add(K::Font, property, caption, control);
    }
    PageBuilder& Names(const char* property, N list, const char* caption = "", const char* control = "")
    {
        Add(K::NameCombo, property, caption, control);
        FTable.Fields.back().Names = list;
        return *this;
    }
    PageBuilder& Text(const char* property, QStringList items, const char* caption = "",
                      const char* control = "")
    {
        return Add(K::TextCombo, property, caption, control, std::move(items));
    }
    // Modifiers of the last field.
    PageBuilder& Converter(V page)
    {
        FTable.Fields.back().Converter = page;
        return *this;
    }
    PageBuilder& WithUpDown()
    {
        FTable.Fields.back().UpDown = true;
        return *this;
    }
    // An open picker "..." beside the last field (an edit) puts the chosen file into it.
    PageBuilder& WithFilePicker(const char* filter, const char* ext)
    {
        Files(filter, ext);
        FTable.Fields.back().FilePicker = true;
        return *this;
    }
    PageBuilder& Files(const char* filter, const char* ext, bool mustExist = false)
    {
        TcEditorField& f = FTable.Fields.back();
        f.Filter = QString::fromLatin1(filter);
        f.DefaultExt = QString::fromLatin1(ext);
        f.FileMustExist = mustExist;
        return *this;
    }
    // The fields from here to the end of the sub-page (or to Common) belong to strip charts only.
    PageBuilder& StripOnly()
    {
        FStripOnly = true;
        return *this;
    }
    PageBuilder& Common()
    {
        FStripOnly = false;
        return *this;
    }
    // A command without a property: its name is the control's.
    PageBuilder& Command(K kind, const char* control, const char* caption)
    {
        return Add(kind, "", caption, control);
    }
    TcEditorPageTable Done() { return std::move(FTable); }

  private:
    TcEditorPageTable FTable;
    QString FSub;
    QString FGroup;
    bool FStripOnly = false;
};

QStringList Split(const char* names)
{
    return QString::fromLatin1(names).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

const QStringList kPenStyles{QStringLiteral("Solid"),      QStringLiteral("Dash"),
                             QStringLiteral("Dot"),        QStringLiteral("DashDot"),
                             QStringLiteral("DashDotDot"), QStringLiteral("Clear"),
                             QStringLiteral("InsideFrame")};
const QStringList kPenStylesSpaced{QStringLiteral("Solid"),       QStringLiteral("Dash"),
                                   QStringLiteral("Dot"),         QStringLiteral("DashDot"),
                                   QStringLiteral("DashDotDot"),  QStringLiteral("Clear"),
                                   QStringLiteral("Inside Frame")};
const QStringList kBrushStyles{QStringLiteral("Solid"),      QStringLiteral("Clear"),
                               QStringLiteral("Horizontal"), QStringLiteral("Vertical"),
                               QStringLiteral("FDiagonal"),  QStringLiteral("BDiagonal"),
                               QStringLiteral("Cross"),      QStringLiteral("DiagCross")};
const QStringList kGridStyles{QStringLiteral("Solid"), QStringLiteral("Dash"), QStringLiteral("Dot")};

const char kConfigFilter[] = "Config (*.cfg)|*.cfg|All Files (*.*)|*.*";
const char kDataFilter[] = "Data (*.dat)|*.dat|All Files (*.*)|*.*";
const char kLogFilter[] = "Log (*.log)|*.log|All Files (*.*)|*.*";

// The "Log" group of a "File I/O" page: the file (with its picker), the buffer and the two commands.
void AddLogGroup(PageBuilder& b, const char* prefix)
{
    const QString pre = QString::fromLatin1(prefix);
    const QByteArray name = (pre + QStringLiteral("LogFileNameEdit")).toLatin1();
    const QByteArray buffer = (pre + QStringLiteral("LogBufferSizeEdit")).toLatin1();
    const QByteArray on = (pre + QStringLiteral("LogActivateButton")).toLatin1();
    const QByteArray off = (pre + QStringLiteral("LogDeactivateButton")).toLatin1();
    b.Group(QStringLiteral("Log"))
        .Edit("LogFileName", "File Name", name)
        .WithFilePicker(kLogFilter, "log")
        .Edit("LogBufferSize", "Buffer Size", buffer)
        .Command(K::Button, on, "Activate")
        .Command(K::Button, off, "Deactivate");
}

// A "Load" and a "Save" picker in a group; the control names are prefix + what + Open/SavePicker.
void AddLoadSave(PageBuilder& b, const char* prefix, const char* what, const char* group,
                 const char* openFilter, const char* saveFilter, const char* ext, bool mustExist)
{
    const QString stem = QString::fromLatin1(prefix) + QString::fromLatin1(what);
    const QByteArray open = (stem + QStringLiteral("OpenPicker")).toLatin1();
    const QByteArray save = (stem + QStringLiteral("SavePicker")).toLatin1();
    b.Group(QString::fromLatin1(group))
        .Command(K::OpenFile, open, "Load")
        .Files(openFilter, ext, mustExist)
        .Command(K::SaveFile, save, "Save")
        .Files(saveFilter, ext);
}

TcEditorPageTable MakeChannelPage()
{
    PageBuilder b("Channel");
    b.Sub(QStringLiteral("General"))
        .Edit("Name")
        .Edit("TitleText", "Title", "ChannelTitleEdit")
        .Color("Color")
        .Names("XAxisName", N::XAxes, "X-Axis Name")
        .Names("YAxisName", N::YAxes, "Y-Axis Name")
        .Edit("RingBufferSize")
        .Edit("Layer")
        .Combo("DataStyle",
               {QStringLiteral("Standard"), QStringLiteral("Compact"), QStringLiteral("Compact Interval"),
                QStringLiteral("Full Feature")},
               "Data Style")
        .Combo("UserCanMoveDataPointsStyle",
               {QStringLiteral("X and Y"), QStringLiteral("X Only"), QStringLiteral("Y Only")}, "Move Style")
        .Check("XAxisTrackingEnabled", "X-Axis Tracking Enabled", "ChannelXAxisTrackingEnabled")
        .Check("YAxisTrackingEnabled", "Y-Axis Tracking Enabled", "ChannelYAxisTrackingEnabled")
        .Check("Visible")
        .Check("VisibleInLegend", "Visible in Legend")
        .Check("PopupEnabled", "Popup Enabled")
        .Check("UserCanMoveDataPoints", "User Can Move Data Points")
        .StripOnly()
        .Check("FastDrawEnabled", "Fast Draw", "ChannelFastDrawCheckBox")
        .Check("ClipToAxes", "Clip To Axes");
    b.Sub(QStringLiteral("Trace"))
        .Check("TraceVisible", "Visible")
        .Combo("TraceLineStyle", kPenStyles.mid(0, 5), "Line Style")
        .Edit("TraceLineWidth", "Line Width")
        .StripOnly()
        .Combo("InterpolationStyle",
               {QStringLiteral("Straight Line"), QStringLiteral("Cubic Spline"), QStringLiteral("Polynomial"),
                QStringLiteral("Rational"), QStringLiteral("Differential"),
                QStringLiteral("Differential Terminated")},
               "Interpolation");
    b.Sub(QStringLiteral("Marker"))
        .Check("MarkersVisible", "Visible", "ChannelMarkersVisible")
        .Check("MarkersAllowIndividual", "Allow Individual", "ChannelMarkersAllowIndividual")
        .Combo("MarkersStyle",
               {QStringLiteral("Circle"), QStringLiteral("Square"), QStringLiteral("Diamond"),
                QStringLiteral("Cross"), QStringLiteral("Plus"), QStringLiteral("Triangle Up"),
                QStringLiteral("Triangle Down"), QStringLiteral("Triangle Left"),
                QStringLiteral("Triangle Right"), QStringLiteral("Vertical Line"),
                QStringLiteral("Horizontal Line"), QStringLiteral("Character")},
               "Style")
        .Edit("MarkersSize", "Size")
        .Edit("MarkersTurnOffLimit", "Turn Off Limit")
        .Font("MarkersFont")
        .Group(QStringLiteral("Pen"))
        .Combo("MarkersPenStyle", kPenStyles, "Style")
        .Color("MarkersPenColor", "Color")
        .Edit("MarkersPenWidth", "Width")
        .Check("MarkersPenUseChannelColor", "Use Channel Color")
        .Group(QStringLiteral("Brush"))
        .Combo("MarkersBrushStyle", kBrushStyles, "Style")
        .Color("MarkersBrushColor", "Color")
        .Check("MarkersBrushUseChannelColor", "Use Channel Color");
    b.Sub(QStringLiteral("Bar"))
        .StripOnly()
        .Check("BarEnabled", "Enabled")
        .Edit("BarWidth", "Width")
        .Converter(V::Interval)
        .Edit("BarReference", "Reference")
        .Group(QStringLiteral("Pen"))
        .Combo("BarPenStyle", kPenStyles, "Style")
        .Color("BarPenColor", "Color")
        .Edit("BarPenWidth", "Width")
        .Check("BarPenUseChannelColor", "Use Channel Color")
        .Group(QStringLiteral("Brush"))
        .Combo("BarBrushStyle", kBrushStyles, "Style")
        .Color("BarBrushColor", "Color")
        .Check("BarBrushUseChannelColor", "Use Channel Color");
    b.Sub(QStringLiteral("High/Low"))
        .StripOnly()
        .Check("HighLowEnabled", "Enabled")
        .Combo("HighLowStyle", {QStringLiteral("Open/Close"), QStringLiteral("Candlestick")}, "Style");
    b.Sub(QStringLiteral("High/Low|Open/Close"))
        .StripOnly()
        .Group(QStringLiteral("Bar"))
        .Color("HighLowBarColor", "Color")
        .Edit("HighLowBarWidth", "Width")
        .Converter(V::Interval);
    for (const char* end : {"Open", "Close"}) {
        const QString e = QString::fromLatin1(end);
        const QByteArray show = ("HighLow" + e + "Show").toLatin1(),
                         color = ("HighLow" + e + "Color").toLatin1();
        const QByteArray width = ("HighLow" + e + "Width").toLatin1(),
                         height = ("HighLow" + e + "Height").toLatin1();
        b.Group(e)
            .Check(show, "Show")
            .Color(color, "Color")
            .Edit(width, "Width")
            .Converter(V::Interval)
            .Edit(height, "Height")
            .Converter(V::Interval);
    }
    b.Sub(QStringLiteral("High/Low|Candlestick"))
        .StripOnly()
        .Color("HighLowShadowColor", "Shadow Color")
        .Color("HighLowBullishColor", "Bullish Color")
        .Color("HighLowBearishColor", "Bearish Color");
    b.Sub(QStringLiteral("Fill"))
        .StripOnly()
        .Check("FillEnabled", "Enabled")
        .Edit("FillReference", "Reference")
        .Check("FillUseChannelColor", "Use Channel Color")
        .Combo("FillStyle", kBrushStyles, "Style")
        .Color("FillColor", "Color");
    b.Sub(QStringLiteral("Digital"))
        .StripOnly()
        .Check("DigitalEnabled", "Enabled")
        .Edit("DigitalReferenceHigh", "Reference High")
        .Edit("DigitalReferenceLow", "Reference Low")
        .Combo("DigitalReferenceStyle", Split("Scale Percent"), "Reference Style");
    b.Sub(QStringLiteral("File I/O"));
    AddLogGroup(b, "Channel");
    AddLoadSave(b, "Channel", "Properties", "Properties", kConfigFilter, kConfigFilter, "cfg", false);
    AddLoadSave(b, "Channel", "Data", "Data", kDataFilter, kDataFilter, "dat", false);
    return b.Done();
}

const QStringList kFormatStyles{QStringLiteral("Value"),       QStringLiteral("Exponent"),
                                QStringLiteral("Prefix"),      QStringLiteral("Date/Time"),
                                QStringLiteral("Price 32nds"), QStringLiteral("Thousands")};
const QStringList kDateTimeFormats{QStringLiteral("hh:nn:ss"),
                                   QStringLiteral("hh:nn:ss.zzz"),
                                   QStringLiteral("m/d hh:nn:ss"),
                                   QStringLiteral("d mmm h:nn:ss am/pm"),
                                   QStringLiteral("m/d/yy h:nn:ss am/pm"),
                                   QStringLiteral("m/d/yyyy h:nn:ss am/pm")};
const QStringList kPrecisionStyles{QStringLiteral("Significant Digits"),
                                   QStringLiteral("Fixed Decimal Points")};

// One label format (default, cursor or legend) on its inner page of "Labels".
void AddFormat(PageBuilder& b, const QString& prefix, const char* kind, const char* propertyPrefix,
               bool isDefault)
{
    const QString sub = QStringLiteral("Labels|") + QString::fromLatin1(kind);
    b.Sub(sub);
    const QString p = QString::fromLatin1(propertyPrefix);
    const QString c = prefix + (isDefault ? QStringLiteral("Label") : p);
    auto name = [&](const char* tail) { return (c + QString::fromLatin1(tail)).toLatin1(); };
    auto prop = [&](const char* tail) { return (p + QString::fromLatin1(tail)).toLatin1(); };
    if (!isDefault)
        b.Check(prop("UseDefaultFormat"), "Use Default Format", name("UseDefaultFormatCheckBox"));
    const QByteArray fs = prop("FormatStyle"), fsc = name("FormatStyleComboBox");
    b.Combo(fs, kFormatStyles, "Format Style", fsc);
    const QByteArray dt = isDefault ? QByteArray("DateTimeFormat") : prop("DateTimeFormat");
    const QByteArray dtc = name("DateTimeFormatComboBox");
    b.Text(dt, kDateTimeFormats, "Date/Time Format", dtc);
    const QByteArray ps = prop("PrecisionStyle"), psc = name("PrecisionStyleComboBox");
    b.Combo(ps, kPrecisionStyles, "Precision Style", psc);
    const QByteArray pr = prop("Precision"), prc = name("PrecisionEdit");
    b.Edit(pr, "Precision", prc);
    const QByteArray ml = prop("MinLength"), mlc = name("MinLengthEdit");
    b.Edit(ml, "Min Length", mlc);
    const QByteArray ma = prop("MinLengthAutoAdjust"), mac = name("MinLengthAutoAdjustCheckBox");
    b.Check(ma, "Min Length Auto Adjust", mac);
}

TcEditorPageTable MakeAxisPage(const char* prefix)
{
    const QString pre = QString::fromLatin1(prefix);
    PageBuilder b(prefix);
    b.Sub(QStringLiteral("General"))
        .Edit("Name")
        .Edit("Min")
        .Converter(V::DateTime)
        .Edit("Span")
        .Converter(V::Interval)
        .Edit("DesiredStart", "Desired Start")
        .Converter(V::Interval)
        .Edit("DesiredIncrement", "Desired Increment")
        .Converter(V::Interval)
        .Radio("ScaleType", {QStringLiteral("Linear"), QStringLiteral("Log10")}, "Scale Type")
        .Check("Visible")
        .Check("Enabled")
        .Check("PopupEnabled", "Popup Enabled")
        .Check("ReverseScale", "Reverse Scale")
        .Check("RestoreValuesOnResume", "Restore Values On Resume")
        .Check("MasterUIInput", "Master UI Input")
        .Check("GridLinesVisible", "Grid Lines Visible");
    const QByteArray titleEdit = (pre + QStringLiteral("TitleTextEdit")).toLatin1();
    b.Sub(QStringLiteral("Title"))
        .Edit("Title", "Text", titleEdit)
        .Edit("TitleMargin", "Margin")
        .Check("TitleShow", "Show")
        .Check("TitleRotated", "Rotated")
        .Font("TitleFont");
    const QByteArray lv = (pre + QStringLiteral("LabelVisibleCheckBox")).toLatin1();
    const QByteArray lm = (pre + QStringLiteral("LabelMarginEdit")).toLatin1();
    const QByteArray ls = (pre + QStringLiteral("LabelSeparationEdit")).toLatin1();
    const QByteArray lr = (pre + QStringLiteral("LabelRotationComboBox")).toLatin1();
    const QByteArray lf = (pre + QStringLiteral("LabelFontPicker")).toLatin1();
    b.Sub(QStringLiteral("Labels|(Default)"))
        .Check("LabelsVisible", "Visible", lv)
        .Edit("LabelsMargin", "Margin", lm);
    AddFormat(b, pre, "(Default)", "Labels", true);
    b.Edit("LabelSeparation", "Separation", ls)
        .Combo("LabelsRotation", Split("0 90 180 270"), "Rotation", lr)
        .Font("LabelsFont", "Font", lf);
    AddFormat(b, pre, "Cursor", "Cursor", false);
    AddFormat(b, pre, "Legend", "Legend", false);
    b.Sub(QStringLiteral("Tracking"))
        .Check("TrackingEnabled", "Enabled")
        .Combo("TrackingStyle",
               {QStringLiteral("Scale Min & Max"), QStringLiteral("Scale Max"), QStringLiteral("Scale Min"),
                QStringLiteral("Scroll Smooth"), QStringLiteral("Scroll Page"),
                QStringLiteral("Expand Collapse"), QStringLiteral("Expand Collapse Fast"),
                QStringLiteral("Expand Min & Max")},
               "Style")
        .Combo("TrackingIncrementStyle", Split("Minimum Major Minor"), "Increment Style")
        .Combo("TrackingAlignFirstStyle", Split("Min Max Auto None"), "Align First Style")
        .Edit("TrackingScrollCompressMax", "Scroll Compress Max")
        .Edit("TrackingSpanMinimum", "Span Minimum")
        .Edit("TrackingMaxMargin", "Max Margin")
        .Edit("TrackingMinMargin", "Min Margin");
    b.Sub(QStringLiteral("Cursor")).Edit("CursorScaler", "Scaler");
    b.Sub(QStringLiteral("Scroll"))
        .Check("ScrollMinMaxEnabled", "Min/Max Enabled")
        .Edit("ScrollMin", "Min")
        .Edit("ScrollMax", "Max");
    b.Sub(QStringLiteral("Scale"))
        .Check("ScaleLinesShow", "Lines Show")
        .Color("ScaleLinesColor", "Lines Color")
        .Edit("MajorLength", "Major Length")
        .Edit("MinorLength", "Minor Length")
        .Edit("MinorCount", "Minor Count")
        .Edit("InnerMargin", "Inner Margin")
        .Edit("OuterMargin", "Outer Margin")
        .Edit("StartPercent", "Start Percent")
        .Edit("StopPercent", "Stop Percent")
        .Edit("StackingEndsMargin", "Stacking Ends Margin")
        .Check("ForceStacking", "Force Stacking")
        .Names("AlignRefAxisName", N::SameAxes, "Align Ref Axis");
    b.Sub(QStringLiteral("Cartesian"))
        .Combo("CartesianStyle", Split("None Master Child"), "Style")
        .Names("CartesianChildRefAxisName", N::OtherAxes, "Child Ref Axis")
        .Edit("CartesianChildRefValue", "Child Ref Value")
        .Converter(V::Interval)
        .Edit("Layer");
    return b.Done();
}

TcEditorPageTable MakeLegendPage()
{
    PageBuilder b("Legend");
    b.Sub(QStringLiteral("General"))
        .Check("Visible", "Visible", "LegendVisibleCheckbox")
        .Check("Enabled", "Enabled", "LegendEnabledCheckbox")
        .Check("PopupEnabled", "Popup Enabled", "LegendPopupEnabledCheckbox")
        .Edit("ColumnSpacing", "Column Spacing")
        .Font("Font")
        .Group(QStringLiteral("Margin"))
        .Edit("MarginLeft", "Left", "LegendLeftMarginEdit")
        .Edit("MarginTop", "Top", "LegendTopMarginEdit")
        .Edit("MarginRight", "Right", "LegendRightMarginEdit")
        .Edit("MarginBottom", "Bottom", "LegendBottomMarginEdit")
        .Group(QStringLiteral("Selected Item"))
        .Font("SelectedItemFont", "Font", "LegendSelectedItemFontPicker")
        .Color("SelectedItemBackGroundColor", "Background Color", "LegendSelectedItemColorPicker")
        .Group(QStringLiteral("Background"))
        .Check("BackGroundTransparent", "Transparent")
        .Color("BackGroundColor", "Color", "LegendBackgroundColorPicker")
        .Group(QStringLiteral("Channel Name"))
        .Edit("ChannelNameMaxWidth", "Max Width")
        .Combo("ChannelNameColorStyle",
               {QStringLiteral("Font"), QStringLiteral("ChannelColor"), QStringLiteral("XAxisFontColor "),
                QStringLiteral("YAxisFontColor")},
               "Color Style")
        .Group(QStringLiteral("Line Column"))
        .Edit("LineColumnWidth", "Width")
        .Edit("LineColumnHeight", "Height");
    b.Sub(QStringLiteral("Columns"))
        .Group(QStringLiteral("Show"))
        .Check("ShowColumnLine", "Line", "LegendShowLineCheckbox")
        .Check("ShowColumnMarker", "Marker", "LegendShowMarkerCheckbox")
        .Check("ShowColumnXAxisTitle", "X-Axis Title", "LegendShowXAxisTitleCheckbox")
        .Check("ShowColumnYAxisTitle", "Y-Axis Title", "LegendShowYAxisTitleCheckbox")
        .Check("ShowColumnXValue", "X-Value", "LegendShowXValueCheckbox")
        .Check("ShowColumnYValue", "Y-Value", "LegendShowYValueCheckbox")
        .Check("ShowColumnYMax", "Y-Max", "LegendShowYMaxCheckbox")
        .Check("ShowColumnYMin", "Y-Min", "LegendShowYMinCheckbox")
        .Check("ShowColumnYMean", "Y-Mean", "LegendShowYMeanCheckbox")
        .Group(QStringLiteral("Titles"))
        .Check("ColumnTitlesVisible", "Visible", "LegendColumnTitlesVisibleCheckbox")
        .Font("ColumnTitlesFont");
    b.Sub(QStringLiteral("Wrap"))
        .Group(QStringLiteral("Col"))
        .Edit("WrapColDesiredCount", "Desired Count")
        .Check("WrapColAutoCountEnabled", "Auto Count Enabled")
        .Edit("WrapColAutoCountMax", "Auto Count Max")
        .Check("WrapColSpacingAuto", "Spacing Auto")
        .Edit("WrapColSpacingMin", "Spacing Min")
        .Group(QStringLiteral("Row"))
        .Edit("WrapRowDesiredCount", "Desired Count")
        .Check("WrapRowAutoCountEnabled", "Auto Count Enabled")
        .Edit("WrapRowAutoCountMax", "Auto Count Max")
        .Check("WrapRowSpacingAuto", "Spacing Auto")
        .Edit("WrapRowSpacingMin", "Spacing Min");
    return b.Done();
}

TcEditorPageTable MakeToolBarPage()
{
    PageBuilder b("ToolBar");
    b.Sub(QString())
        .Check("Visible")
        .Check("Enabled")
        .Check("PopupEnabled", "Popup Enabled")
        .Check("FlatButtons", "Flat Buttons")
        .Check("SmallButtons", "Small Buttons")
        .Check("FlatBorder", "Flat Border")
        .Edit("ZoomInOutFactor", "Zoom In/Out Factor")
        .Group(QStringLiteral("Show Button"))
        .Check("ShowEditButton", "Edit", "ToolBarShowEditButtonCheckBox")
        .Check("ShowCopyButton", "Copy", "ToolBarShowCopyButtonCheckBox")
        .Check("ShowSaveButton", "Save", "ToolBarShowSaveButtonCheckBox")
        .Check("ShowPrintButton", "Print", "ToolBarShowPrintButtonCheckBox")
        .Check("ShowResumeButton", "Resume", "ToolBarShowResumeButtonCheckBox")
        .Check("ShowPauseButton", "Pause", "ToolBarShowPauseButtonCheckBox")
        .Check("ShowAxesModeButtons", "Axes Mode", "ToolBarShowAxesModeButtonsCheckBox")
        .Check("ShowZoomInOutButtons", "Zoom In/Out", "ToolBarShowZoomInOutButtonsCheckBox")
        .Check("ShowZoomBoxButton", "Zoom Box", "ToolBarShowZoomBoxButtonCheckBox")
        .Check("ShowCursorButton", "Cursor", "ToolBarShowCursorButtonCheckBox")
        .Check("ShowSelectButton", "Select", "ToolBarShowSelectButtonCheckBox")
        .Check("ShowPreviewButton", "Preview", "ToolBarShowPreviewButtonCheckBox");
    return b.Done();
}

TcEditorPageTable MakeDataViewPage()
{
    PageBuilder b("DataView");
    const QStringList axesStyles{QStringLiteral("X-Axis"), QStringLiteral("Y-Axis"), QStringLiteral("Both"),
                                 QStringLiteral("None")};
    b.Sub(QStringLiteral("General"))
        .Check("Enabled")
        .Check("PopupEnabled", "Popup Enabled")
        .Group(QStringLiteral("Background"))
        .Check("BackgroundTransparent", "Transparent", "DataViewBackGroundTransparentCheckBox")
        .Color("BackgroundColor", "Color")
        .Group(QStringLiteral("Grid"))
        .Check("GridShow", "Show", "DataViewGridShow")
        .Names("GridXAxisName", N::GridXAxes, "X-Axis Name")
        .Names("GridYAxisName", N::GridYAxes, "Y-Axis Name")
        .Group(QStringLiteral("Axes Control"))
        .Check("AxesControlEnabled", "Enabled")
        .Check("AxesControlAllowInSelectMode", "Allow In Select Mode")
        .Combo("AxesControlMouseStyle", axesStyles, "Mouse Style")
        .Combo("AxesControlWheelStyle", axesStyles, "Wheel Style");
    b.Sub(QStringLiteral("Grid Lines"))
        .Color("GridLineColor", "Color")
        .Combo("GridLineMajorStyle", kGridStyles, "Major Style")
        .Combo("GridLineMinorStyle", kGridStyles, "Minor Style")
        .Edit("Layer")
        .Group(QStringLiteral("Show"))
        .Check("GridLineShowLeft", "Left", "DataViewGridLineShowLeft")
        .Check("GridLineShowRight", "Right", "DataViewGridLineShowRight")
        .Check("GridLineShowTop", "Top", "DataViewGridLineShowTop")
        .Check("GridLineShowBottom", "Bottom", "DataViewGridLineShowBottom");
    for (const char* kind : {"XMajor", "XMinor", "YMajor", "YMinor"}) {
        const QString k = QString::fromLatin1(kind);
        const QString caption = k.left(1) + QStringLiteral("-") + k.mid(1) + QStringLiteral("s");
        b.Sub(QStringLiteral("Grid Lines|") + caption);
        const QByteArray show = ("GridLineShow" + k + "s").toLatin1();
        const QByteArray showc = ("DataViewGridLineShow" + k + "sCheckBox").toLatin1();
        const QByteArray custom = ("GridLine" + k + "Custom").toLatin1();
        const QByteArray color = ("GridLine" + k + "Color").toLatin1();
        const QByteArray colorc = ("DataViewGridLine" + k + "ColorColorPicker").toLatin1();
        const QByteArray width = ("GridLine" + k + "Width").toLatin1();
        const QByteArray style = ("GridLine" + k + "Style").toLatin1();
        b.Check(show, "Show", showc).Check(custom, "Custom");
        b.Group(QStringLiteral("Custom Properties"))
            .Color(color, "Color", colorc)
            .Edit(width, "Width")
            .Combo(style, kGridStyles, "Style");
    }
    return b.Done();
}

TcEditorPageTable MakeDataCursorPage()
{
    PageBuilder b("DataCursor");
    b.Sub(QStringLiteral("General"))
        .Edit("Name")
        .Combo("Style",
               {QStringLiteral("Value XY"), QStringLiteral("Value X"), QStringLiteral("Value Y"),
                QStringLiteral("Delta X"), QStringLiteral("Delta Y"), QStringLiteral("Inverse Delta X")})
        .Color("Color")
        .Edit("Pointer1Position", "Pointer 1 Position")
        .Edit("Pointer2Position", "Pointer 2 Position")
        .Edit("PointerPenWidth", "Pointer Pen Width")
        .Font("Font")
        .Check("UseChannelColor", "Use Channel Color")
        .Check("PopupEnabled", "Popup Enabled")
        .Check("SnapToDataPoint", "Snap To Data Point");
    b.Sub(QStringLiteral("Channel"))
        .Names("ChannelName", N::Channels, "Channel Name")
        .Check("ChannelAllowAll", "Allow All")
        .Check("ChannelShowAllInLegend", "Show All In Legend");
    b.Sub(QStringLiteral("Hint"))
        .Check("HintShow", "Show")
        .Check("HintHideOnRelease", "Hide On Release")
        .Radio("HintOrientationSide", {QStringLiteral("Bottom-Right"), QStringLiteral("Top-Left")},
               "Orientation Side", "DataCursorOrientationSideRadioGroup")
        .Edit("HintPosition", "Position");
    return b.Done();
}

TcEditorPageTable MakeLimitPage()
{
    PageBuilder b("Limit");
    b.Sub(QStringLiteral("General"))
        .Edit("Name")
        .Names("XAxisName", N::XAxes, "X-Axis Name")
        .Names("YAxisName", N::YAxes, "Y-Axis Name")
        .Combo("Style",
               {QStringLiteral("Line X"), QStringLiteral("Line Y"), QStringLiteral("Band X"),
                QStringLiteral("Band Y"), QStringLiteral("Poly Band X"), QStringLiteral("Poly Band Y")})
        .Edit("Line1Position", "Line 1 Position")
        .Edit("Line2Position", "Line 2 Position")
        .Color("Color")
        .Combo("LineStyle", kPenStylesSpaced, "Line Style")
        .Edit("LineWidth", "Line Width")
        .Combo("FillStyle", kBrushStyles, "Fill Style", "LimitFillStyleCombobox")
        .Edit("Layer")
        .Check("Visible")
        .Check("UserCanMove", "User Can Move")
        .Check("PopupEnabled", "Popup Enabled", "LimitPopUpEnabledCheckBox")
        .Check("ClipToAxes", "Clip To Axes");
    return b.Done();
}

TcEditorPageTable MakeLabelPage()
{
    PageBuilder b("Label");
    b.Sub(QStringLiteral("General"))
        .Edit("Name")
        .Edit("Caption", "Caption", "LabelCaptionMemo")
        .Combo("Alignment", Split("Center Left Right"))
        .Edit("ImageListIndex", "Image List Index")
        .Edit("ImageIndex", "Image Index")
        .Font("Font")
        .Check("Visible")
        .Group(QStringLiteral("Margin"))
        .Edit("MarginLeft", "Left")
        .Edit("MarginTop", "Top")
        .Edit("MarginRight", "Right")
        .Edit("MarginBottom", "Bottom");
    return b.Done();
}

TcEditorPageTable MakeTablePage()
{
    PageBuilder b("Table");
    b.Sub(QStringLiteral("General"))
        .Edit("Name")
        .Edit("ColumnSpacing", "Column Spacing")
        .Edit("RowSpacing", "Row Spacing")
        .Edit("RowsMax", "Rows Max")
        .Check("Visible", "Visible", "TableVisibleCheckbox")
        .Check("Enabled", "Enabled", "TableEnabledCheckbox")
        .Check("PopupEnabled", "Popup Enabled", "TablePopupEnabledCheckbox")
        .Group(QStringLiteral("Margin"))
        .Edit("MarginLeft", "Left", "TableLeftMarginEdit")
        .Edit("MarginTop", "Top", "TableTopMarginEdit")
        .Edit("MarginRight", "Right", "TableRightMarginEdit")
        .Edit("MarginBottom", "Bottom", "TableBottomMarginEdit")
        .Group(QStringLiteral("Data"))
        .Font("DataFont")
        .Group(QStringLiteral("Column Titles"))
        .Check("ColumnTitlesVisible", "Visible")
        .Font("ColumnTitlesFont");
    b.Sub(QStringLiteral("Grid"))
        .Group(QStringLiteral("Background"))
        .Check("GridBackGroundTransparent", "Transparent")
        .Color("GridBackGroundColor", "Color", "TableGridBackgroundColorPicker")
        .Group(QStringLiteral("Lines"))
        .Check("GridLinesShow", "Show")
        .Color("GridLinesColor", "Color");
    b.Sub(QStringLiteral("Layout")).Edit("StartPercent", "Start Percent").Edit("StopPercent", "Stop Percent");
    return b.Done();
}

TcEditorPageTable MakeControlPage()
{
    PageBuilder b("Control");
    const QStringList dataOrChannel{QStringLiteral("DataView"), QStringLiteral("Channel"),
                                    QStringLiteral("Auto")};
    b.Sub(QStringLiteral("General"))
        .Check("AutoFrameRate", "Auto Frame Rate", "AutoFrameRateCheckBox")
        .Edit("UpdateFrameRate", "Update Frame Rate", "UpdateFrameRateEdit")
        .WithUpDown()
        .Check("ClipAnnotationsToAxes", "Clip Annotations To Axes", "ClipAnnotationsToAxesCheckBox")
        .Radio("BorderStyle", Split("None Raised Lowered"), "Border Style", "BorderStyleRadioGroup")
        .Combo("CopyToClipBoardFormat",
               {QStringLiteral("Meta File"), QStringLiteral("Bitmap"), QStringLiteral("JPEG")},
               "Copy To ClipBoard Format", "CopyToClipBoardFormatComboBox")
        .Combo("DataFileColumnSeparator", Split("Tab Comma"), "File Column Separator",
               "FileColumnSeparatorComboBox")
        .Group(QStringLiteral("Outer Margin"))
        .Edit("OuterMarginLeft", "Left", "OuterMarginLeftEdit")
        .WithUpDown()
        .Edit("OuterMarginTop", "Top", "OuterMarginTopEdit")
        .WithUpDown()
        .Edit("OuterMarginRight", "Right", "OuterMarginRightEdit")
        .WithUpDown()
        .Edit("OuterMarginBottom", "Bottom", "OuterMarginBottomEdit")
        .WithUpDown();
    b.Sub(QStringLiteral("Title"))
        .Check("TitleVisible", "Visible", "TitleVisibleCheckBox")
        .Edit("TitleText", "Text", "TitleTextEdit")
        .Edit("TitleMargin", "Margin", "TitleMarginEdit")
        .Font("TitleFont", "Font", "TitleFontPicker");
    b.Sub(QStringLiteral("Background"))
        .Color("BackGroundColor", "Color", "BackGroundColorPicker")
        .Group(QStringLiteral("Gradient"))
        .Check("BackGroundGradientEnabled", "Enabled", "BackGroundGradientEnabledCheckBox")
        .Color("BackGroundGradientStartColor", "Start Color", "BackGroundGradientStartColorPicker")
        .Color("BackGroundGradientStopColor", "Stop Color", "BackGroundGradientStopColorPicker")
        .Combo("BackGroundGradientDirection",
               {QStringLiteral("Top/Bottom"), QStringLiteral("Bottom/Top"), QStringLiteral("Left/Right"),
                QStringLiteral("Right/Left"), QStringLiteral("Top Left/Bottom Right"),
                QStringLiteral("Bottom Right/Top Left"), QStringLiteral("Bottom Left/Top Right"),
                QStringLiteral("Top Right/Bottom Left"), QStringLiteral("Rectangle Out"),
                QStringLiteral("Rectangle In"), QStringLiteral("Circle Out"), QStringLiteral("Circle In")},
               "Direction", "BackGroundGradientDirectionComboBox");
    b.Sub(QStringLiteral("Print"))
        .Check("PrintShowDialog", "Show Dialog", "PrintShowDialogCheckBox")
        .Radio("PrintOrientation", Split("Portrait Landscape"), "Orientation", "PrintOrientationRadioGroup")
        .Edit("PrintDocumentName", "Document Name", "PrintDocumentNameEdit")
        .Group(QStringLiteral("Margins"))
        .Edit("PrintMarginLeft", "Left", "PrintMarginLeftEdit")
        .Edit("PrintMarginTop", "Top", "PrintMarginTopEdit")
        .Edit("PrintMarginRight", "Right", "PrintMarginRightEdit")
        .Edit("PrintMarginBottom", "Bottom", "PrintMarginBottomEdit");
    b.Sub(QStringLiteral("Hints"))
        .Check("HintsShow", "Show", "HintsShowCheckBox")
        .Edit("HintsPause", "Pause", "HintsPauseEdit")
        .Edit("HintsHidePause", "Hide Pause", "HintsHidePauseEdit")
        .Font("HintsFont", "Font", "HintsFontPicker");
    b.Sub(QStringLiteral("File I/O"));
    AddLogGroup(b, "Control");
    AddLoadSave(b, "Control", "Properties", "Properties", kConfigFilter, kConfigFilter, "cfg", true);
    AddLoadSave(b, "Control", "Data", "Data", "Data (*.dat)|*.dat|Log (*.log)|*.log|All Files (*.*)|*.*",
                kDataFilter, "dat", false);
    AddLoadSave(b, "Control", "Annotation", "Annotations", "Annotations (*.ano)|*.ano|All Files (*.*)|*.*",
                "Annotations (*.ano)|*.ano|All Files (*.*)|*.*", "dat", false);
    b.Sub(QStringLiteral("Annotation Defaults"))
        .Font("AnnotationDefaultFont", "Font", "AnnotationDefaultFontPicker")
        .Group(QStringLiteral("Brush"))
        .Color("AnnotationDefaultBrushColor", "Color", "AnnotationDefaultBrushColorPicker")
        .Combo("AnnotationDefaultBrushStlye", kBrushStyles, "Style", "AnnotationDefaultBrushStyleComboBox")
        .Group(QStringLiteral("Pen"))
        .Color("AnnotationDefaultPenColor", "Color", "AnnotationDefaultPenColorPicker")
        .Combo("AnnotationDefaultPenStlye", kPenStylesSpaced, "Style", "AnnotationDefaultPenStyleComboBox")
        .Edit("AnnotationDefaultPenWidth", "Width", "AnnotationDefaultPenWidthEdit")
        .Group(QStringLiteral("Reference"))
        .Combo("AnnotationDefaultReference",
               {QStringLiteral("DataView"), QStringLiteral("Channel"), QStringLiteral("X-Channel Y-DataView"),
                QStringLiteral("Y-Channel X-DataView ")},
               "Reference", "AnnotationDefaultReferenceComboBox")
        .Combo("AnnotationDefaultReferencePositionX", dataOrChannel, "Position X",
               "AnnotationDefaultReferencePositionXComboBox")
        .Combo("AnnotationDefaultReferencePositionY", dataOrChannel, "Position Y",
               "AnnotationDefaultReferencePositionYComboBox")
        .Combo("AnnotationDefaultReferenceSizeX", dataOrChannel, "Size X",
               "AnnotationDefaultReferenceSizeXComboBox")
        .Combo("AnnotationDefaultReferenceSizeY", dataOrChannel, "Size Y",
               "AnnotationDefaultReferenceSizeYComboBox");
    return b.Done();
}

} // namespace

const TcEditorPageTable& ChannelPageTable()
{
    static const TcEditorPageTable t = MakeChannelPage();
    return t;
}
const TcEditorPageTable& XAxisPageTable()
{
    static const TcEditorPageTable t = MakeAxisPage("XAxis");
    return t;
}
const TcEditorPageTable& YAxisPageTable()
{
    static const TcEditorPageTable t = MakeAxisPage("YAxis");
    return t;
}
const TcEditorPageTable& LegendPageTable()
{
    static const TcEditorPageTable t = MakeLegendPage();
    return t;
}
const TcEditorPageTable& ToolBarPageTable()
{
    static const TcEditorPageTable t = MakeToolBarPage();
    return t;
}
const TcEditorPageTable& DataViewPageTable()
{
    static const TcEditorPageTable t = MakeDataViewPage();
    return t;
}
const TcEditorPageTable& DataCursorPageTable()
{
    static const TcEditorPageTable t = MakeDataCursorPage();
    return t;
}
const TcEditorPageTable& LimitPageTable()
{
    static const TcEditorPageTable t = MakeLimitPage();
    return t;
}
const TcEditorPageTable& LabelPageTable()
{
    static const TcEditorPageTable t = MakeLabelPage();
    return t;
}
const TcEditorPageTable& TablePageTable()
{
    static const TcEditorPageTable t = MakeTablePage();
    return t;
}
const TcEditorPageTable& ControlPageTable()
{
    static const TcEditorPageTable t = MakeControlPage();
    return t;
}

} // namespace chart
