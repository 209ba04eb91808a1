#include "chart/view/PlotComponent.h"
#include "chart/objects/PlotToolBar.h"
#include "chart/view/PopupMenu.h"

#include <QImage>
#include <QPainter>
#include <QPicture>
#include <algorithm>
#include <map>

namespace chart
{

using namespace fw;

namespace
{

bool IsCartesianAxis(const TcPlotObject* o)
{
    auto* a = dynamic_cast<const TcPlotAxis*>(o);
    return a && a->CartesianStyle() != ipcsNone;
}

// The paint order key: Layer, then the kind letter; the sorted list puts a newer entry before equal
// keys. The layer is offset so that negative layers sort before positive ones.
QString LayerKey(int layer, char letter)
{
    return QString::number(static_cast<long long>(layer) + 3000000000LL)
               .rightJustified(11, QLatin1Char('0')) +
           QLatin1Char(letter);
}

// Restores the clip on every exit of one layer's drawing.
struct ClipScope {
    TCanvas& canvas;
    ClipScope(TCanvas& c, const TRect& r) : canvas(c) { canvas.SetClipRect(r); }
    ~ClipScope() { canvas.ResetClip(); }
};

} // namespace

TcPlotComponent::TcPlotComponent(QWidget* parent) : TcCustomComponent(parent)
{
    SetBounds(Left(), Top(), 500, 200);
    SetBackGroundColor(clBlack);
    SetBorderStyle(ibsLowered);
    SetUpdateFrameRate(60);
    SetAutoFrameRate(true);
    FMaster = std::make_unique<TcPlotMasterManager>(this);
    FMaster->OnChange = [this](TcPersistent* s) { DoObjectChange(s); };
    FMaster->OnRemove = [this](TcPersistent* s) { DoObjectRemove(s); };
    FMaster->OnInsert = [this](TcPersistent* s) { DoObjectAdd(s); };
    FMaster->OnInvalidateNow = [this](TcPersistent*) { RepaintNow(); };
    FPopupMenu.OnPopup = [this](TcPopupMenu& m) { ShowPopupMenu(this, m); };
    for (auto& list : FImageList)
        list = std::make_unique<TCustomImageList>(24, 24);
    FMaster->SetUserCanEditObjects(true);
    FAnnotationDefaultFont.SetColor(clWhite);
    OnInternalTimer = [this](TcVCLComponent*) { HintTimerExpired(); };
    setFocusPolicy(Qt::ClickFocus);
}

const TPropertyTable& TcPlotComponent::PropertyTable() const
{
    return ClassTable();
}

const TPropertyTable& TcPlotComponent::ClassTable()
{
    using P = TcPlotComponent;
    static const TPropertyTable table = [] {
        TPropertyTable t(&TcComponent::ClassTable());
        const QStringList individual = {"ipriDataView", "ipriChannel", "ipriAuto"};
        t.Redeclare("AutoFrameRate", QStringLiteral("1"));
        t.Ordinal("BackGroundColor", "TColor", &P::BackGroundColor, &P::SetBackGroundColor, clBlack);
        t.Enum("BorderStyle", "TcBevelStyle", &P::BorderStyle, &P::SetBorderStyle, ibsLowered,
               {"ibsNone", "ibsRaised", "ibsLowered"});
        t.Ordinal("DataViewZHorz", "Integer", &P::DataViewZHorz, &P::SetDataViewZHorz, 1);
        t.Ordinal("DataViewZVert", "Integer", &P::DataViewZVert, &P::SetDataViewZVert, 1);
        t.Boolean("XYAxesReverse", &P::XYAxesReverse, &P::SetXYAxesReverse, false);
        t.Boolean("UserCanEditObjects", &P::UserCanEditObjects, &P::SetUserCanEditObjects, true);
        t.Boolean("UserCanAddRemoveChannels", &P::UserCanAddRemoveChannels, &P::SetUserCanAddRemoveChannels,
                  false);
        t.Ordinal("OuterMarginLeft", "Integer", &P::OuterMarginLeft, &P::SetOuterMarginLeft, 5);
        t.Ordinal("OuterMarginTop", "Integer", &P::OuterMarginTop, &P::SetOuterMarginTop, 5);
        t.Ordinal("OuterMarginRight", "Integer", &P::OuterMarginRight, &P::SetOuterMarginRight, 5);
        t.Ordinal("OuterMarginBottom", "Integer", &P::OuterMarginBottom, &P::SetOuterMarginBottom, 5);
        t.Enum("PrintOrientation", "TPrinterOrientation", &P::PrintOrientation, &P::SetPrintOrientation,
               poLandscape, {"poPortrait", "poLandscape"});
        t.Float("PrintMarginLeft", &P::PrintMarginLeft, &P::SetPrintMarginLeft, 1);
        t.Float("PrintMarginTop", &P::PrintMarginTop, &P::SetPrintMarginTop, 1);
        t.Float("PrintMarginRight", &P::PrintMarginRight, &P::SetPrintMarginRight, 1);
        t.Float("PrintMarginBottom", &P::PrintMarginBottom, &P::SetPrintMarginBottom, 1);
        t.Boolean("PrintShowDialog", &P::PrintShowDialog, &P::SetPrintShowDialog, true);
        t.String("PrintDocumentName", &P::PrintDocumentName, &P::SetPrintDocumentName,
                 QStringLiteral("Untitled"));
        t.String("PrinterName", &P::PrinterName, &P::SetPrinterName, QString());
        t.Ordinal("HintsPause", "Integer", &P::HintsPause, &P::SetHintsPause, 500);
        t.Ordinal("HintsHidePause", "Integer", &P::HintsHidePause, &P::SetHintsHidePause, 2500);
        t.Boolean("HintsShow", &P::HintsShow, &P::SetHintsShow, true);
        t.Object("HintsFont", "TFont", &P::HintsFont);
        t.Enum("EditorFormStyle", "TcPlotFormStyle", &P::EditorFormStyle, &P::SetEditorFormStyle, ipfsModal,
               {"ipfsModal", "ipfsStayOnTop"});
        t.Enum("CopyToClipBoardFormat", "TcPlotExportFormat", &P::CopyToClipBoardFormat,
               &P::SetCopyToClipBoardFormat, ipefMetaFile, {"ipefMetaFile", "ipefBitmap", "ipefJPEG"});
        t.Boolean("TitleVisible", &P::TitleVisible, &P::SetTitleVisible, false);
        t.String("TitleText", &P::TitleText, &P::SetTitleText, QString());
        t.Object("TitleFont", "TFont", &P::TitleFont);
        t.Float("TitleMargin", &P::TitleMargin, &P::SetTitleMargin, 0);
        t.String("LogFileName", &P::LogFileName, &P::SetLogFileName, QString());
        t.Ordinal("LogBufferSize", "Integer", &P::LogBufferSize, &P::SetLogBufferSize, 0);
        t.Boolean("LoggingActive", &P::LoggingActive, nullptr, false);
        t.Object("AnnotationDefaultFont", "TFont", &P::AnnotationDefaultFont);
        t.Enum("AnnotationDefaultBrushStlye", "TBrushStyle", &P::AnnotationDefaultBrushStlye,
               &P::SetAnnotationDefaultBrushStlye, bsSolid, BrushStyleNames());
        t.Ordinal("AnnotationDefaultBrushColor", "TColor", &P::AnnotationDefaultBrushColor,
                  &P::SetAnnotationDefaultBrushColor, clWhite);
        t.Enum("AnnotationDefaultPenStlye", "TPenStyle", &P::AnnotationDefaultPenStlye,
               &P::SetAnnotationDefaultPenStlye, psSolid, PenStyleNames());
        t.Ordinal("AnnotationDefaultPenColor", "TColor", &P::AnnotationDefaultPenColor,
                  &P::SetAnnotationDefaultPenColor, clWhite);
        t.Ordinal("AnnotationDefaultPenWidth", "Integer", &P::AnnotationDefaultPenWidth,
                  &P::SetAnnotationDefaultPenWidth, 1);
        t.Enum("AnnotationDefaultReference", "TcPlotReferenceType", &P::AnnotationDefaultReference,
               &P::SetAnnotationDefaultReference, iprtDataView,
               {"iprtDataView", "iprtChannel", "iprtXChannelYDataView", "iprtXDataViewYChannel"});
        t.Enum("AnnotationDefaultReferencePositionX", "TcPlotReferenceIndividual",
               &P::AnnotationDefaultReferenceOf<0>, &P::SetAnnotationDefaultReferenceOf<0>, ipriAuto,
               individual);
        t.Enum("AnnotationDefaultReferencePositionY", "TcPlotReferenceIndividual",
               &P::AnnotationDefaultReferenceOf<1>, &P::SetAnnotationDefaultReferenceOf<1>, ipriAuto,
               individual);
        t.Enum("AnnotationDefaultReferenceSizeX", "TcPlotReferenceIndividual",
               &P::AnnotationDefaultReferenceOf<2>, &P::SetAnnotationDefaultReferenceOf<2>, ipriAuto,
               individual);
        t.Enum("AnnotationDefaultReferenceSizeY", "TcPlotReferenceIndividual",
               &P::AnnotationDefaultReferenceOf<3>, &P::SetAnnotationDefaultReferenceOf<3>, ipriAuto,
               individual);
        t.Boolean("ClipAnnotationsToAxes", &P::ClipAnnotationsToAxes, &P::SetClipAnnotationsToAxes, true);
        t.Boolean("BackGroundGradientEnabled", &P::BackGroundGradientEnabled,
                  &P::SetBackGroundGradientEnabled, false);
        t.Enum("BackGroundGradientDirection", "TcFillDirection", &P::BackGroundGradientDirection,
               &P::SetBackGroundGradientDirection, ifdTopBottom,
               {"ifdTopBottom", "ifdBottomTop", "ifdLeftRight", "ifdRightLeft", "ifdTopLeftBottomRight",
                "ifdBottomRightTopLeft", "ifdBottomLeftTopRight", "ifdTopRightBottomLeft", "ifdRectangleOut",
                "ifdRectangleIn", "ifdCircleOut", "ifdCircleIn"});
        t.Ordinal("BackGroundGradientStartColor", "TColor", &P::BackGroundGradientStartColor,
                  &P::SetBackGroundGradientStartColor, 0xFF0000);
        t.Ordinal("BackGroundGradientStopColor", "TColor", &P::BackGroundGradientStopColor,
                  &P::SetBackGroundGradientStopColor, 0);
        t.Enum("DataFileColumnSeparator", "TcPlotDataFileColumnSeparator", &P::DataFileColumnSeparator,
               &P::SetDataFileColumnSeparator, ipdfcsTab, {"ipdfcsTab", "ipdfcsComma"});
        t.Enum("DataFileFormat", "TcPlotDataFileFormat", &P::DataFileFormat, &P::SetDataFileFormat, ipdffText,
               {"ipdffText", "ipdffCompactInterval"});
        t.String("DefaultSaveImageDirectory", &P::DefaultSaveImageDirectory, &P::SetDefaultSaveImageDirectory,
                 QString());
        t.Enum("DefaultSaveImageFormat", "TcPlotImageFormatStyle", &P::DefaultSaveImageFormat,
               &P::SetDefaultSaveImageFormat, ipifBitmap,
               {"ipifBitmap", "ipifEnhancedMetaFile", "ipifJPEG", "ipifPNG"});
        t.String("DefaultPropertyDirectory", &P::DefaultPropertyDirectory, &P::SetDefaultPropertyDirectory,
                 QString());
        t.String("DefaultDataDirectory", &P::DefaultDataDirectory, &P::SetDefaultDataDirectory, QString());
        t.String("DefaultAnnotationDirectory", &P::DefaultAnnotationDirectory,
                 &P::SetDefaultAnnotationDirectory, QString());
        t.Boolean("DifferentialPropertySave", &P::DifferentialPropertySave, &P::SetDifferentialPropertySave,
                  false);
        return t;
    }();
    return table;
}

void TcPlotComponent::SetClipAnnotationsToAxes(bool v)
{
    FClipAnnotationsToAxes = v;
    InvalidateChange();
}

TFont& TcPlotComponent::TitleFont()
{
    return TitleLabel() ? TitleLabel()->Font() : Font();
}

namespace
{
const QString ImageListIndexError = QStringLiteral("ImageList Index must be 0-2");
bool Refuse(QString* Error, const QString& text)
{
    if (Error)
        *Error = text;
    return false;
}
} // namespace

bool TcPlotComponent::ImageListClear(int Index, QString* Error)
{
    if (Index < 0 || Index > 2)
        return Refuse(Error, ImageListIndexError);
    FImageList[Index]->Clear();
    InvalidateChange();
    return true;
}

bool TcPlotComponent::ImageListAdd(int Index, const QImage& Bitmap, QString* Error)
{
    if (Index < 0 || Index > 2)
        return Refuse(Error, ImageListIndexError);
    if (Bitmap.isNull())
        return Refuse(Error, QStringLiteral("Image is empty"));
    TCustomImageList& list = *FImageList[Index];
    QImage image = Bitmap.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = image.pixel(0, image.height() - 1);
    if (list.Count() == 0) {
        list.SetSize(image.width(), image.height());
    } else if (image.width() < list.Width() && image.height() < list.Height()) {
        QImage centred(list.Width(), list.Height(), QImage::Format_ARGB32);
        centred.fill(transparent);
        QPainter p(&centred);
        p.drawImage((list.Width() - image.width()) / 2, (list.Height() - image.height()) / 2, image);
        p.end();
        image = centred;
    } else if (image.width() != list.Width() && image.height() != list.Height()) {
        return Refuse(
            Error, QStringLiteral("Image Width and Height must be the same as other images, or both smaller, "
                                  "or both larger"));
    }
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == transparent)
                image.setPixel(x, y, qRgba(0, 0, 0, 0));
    list.Add(image);
    InvalidateChange();
    return true;
}

TcPlotComponent::~TcPlotComponent()
{
    FMouseDownObject = nullptr;
    FAxesCollisionList.clear();
    if (FMaster->ObjectManager())
        FMaster->ObjectManager()->ShutDownSetup();
    FMaster->OnChange = nullptr;
    FMaster->OnRemove = nullptr;
    FMaster->OnInsert = nullptr;
    FMaster->OnInvalidateNow = nullptr;
    FMaster.reset();
}

// Object kinds.

#define CHART_KIND_IMPL(Kind, Plural, ManagerCall)                                                           \
    int TcPlotComponent::Add##Kind()                                                                         \
    {                                                                                                        \
        return FMaster->Add##Kind();                                                                         \
    }                                                                                                        \
    void TcPlotComponent::Delete##Kind(int Index)                                                            \
    {                                                                                                        \
        FreeObject(FMaster->ManagerCall()->Item(Index));                                                     \
        RepaintNow();                                                                                        \
    }                                                                                                        \
    void TcPlotComponent::RemoveAll##Plural()                                                                \
    {                                                                                                        \
        FMaster->ManagerCall()->Clear();                                                                     \
        RepaintNow();                                                                                        \
    }
CHART_KIND_IMPL(ToolBar, ToolBars, ToolBarManager)
CHART_KIND_IMPL(Legend, Legends, LegendManager)
CHART_KIND_IMPL(Table, Tables, TableManager)
CHART_KIND_IMPL(XAxis, XAxes, XAxisManager)
CHART_KIND_IMPL(YAxis, YAxes, YAxisManager)
CHART_KIND_IMPL(DataView, DataViews, DataViewManager)
CHART_KIND_IMPL(DataCursor, DataCursors, DataCursorManager)
CHART_KIND_IMPL(Limit, Limits, LimitManager)
CHART_KIND_IMPL(Channel, Channels, ChannelManager)
#undef CHART_KIND_IMPL

int TcPlotComponent::AddAnnotation()
{
    const int index = FMaster->AddAnnotation();
    TcPlotAnnotation* a = GetAnnotation(index);
    a->SetBrushStyle(FAnnotationDefaultBrushStyle);
    a->SetBrushColor(FAnnotationDefaultBrushColor);
    a->SetPenStyle(FAnnotationDefaultPenStyle);
    a->SetPenColor(FAnnotationDefaultPenColor);
    a->SetPenWidth(FAnnotationDefaultPenWidth);
    a->SetReference(FAnnotationDefaultReference);
    a->SetReferenceOf<0>(FAnnotationDefaultRef[0]);
    a->SetReferenceOf<1>(FAnnotationDefaultRef[1]);
    a->SetReferenceOf<2>(FAnnotationDefaultRef[2]);
    a->SetReferenceOf<3>(FAnnotationDefaultRef[3]);
    a->Font().Assign(FAnnotationDefaultFont);
    return index;
}
void TcPlotComponent::DeleteAnnotation(int Index)
{
    FreeObject(FMaster->AnnotationManager()->Item(Index));
    RepaintNow();
}
void TcPlotComponent::RemoveAllAnnotations()
{
    FMaster->AnnotationManager()->Clear();
    RepaintNow();
}

int TcPlotComponent::AddLabel()
{
    return FMaster->AddLabel();
}

void TcPlotComponent::DeleteLabel(int Index)
{
    if (Index == 0)
        throw EChartError(QStringLiteral("Label Index 0 can not be Deleted (Resevered for Title)"));
    FreeObject(FMaster->LabelManager()->Item(Index));
}

void TcPlotComponent::RemoveAllLabels()
{
    while (FMaster->LabelManager()->Count() > 1)
        FreeObject(FMaster->LabelManager()->Item(1));
}

TcPlotChannelCustom* TcPlotComponent::GetChannelByName(const QString& Name) const
{
    return static_cast<TcPlotChannelCustom*>(FMaster->ChannelManager()->GetObjectByName(Name));
}

void TcPlotComponent::DisableLayoutManager()
{
    FMaster->LayoutManager()->SetEnabled(false);
}
void TcPlotComponent::EnableLayoutManager()
{
    FMaster->LayoutManager()->SetEnabled(true);
}

void TcPlotComponent::RefreshLayoutManager()
{
    DisableLayoutManager();
    EnableLayoutManager();
}

void TcPlotComponent::SetAllTracking(bool Value)
{
    for (int i = 0; i < XAxisCount(); ++i)
        GetXAxis(i)->SetTrackingEnabled(Value);
    for (int i = 0; i < YAxisCount(); ++i)
        GetYAxis(i)->SetTrackingEnabled(Value);
}

TCustomImageList* TcPlotComponent::ImageList(int Index)
{
    return Index >= 0 && Index <= 2 ? FImageList[Index].get() : nullptr;
}

// Settings.

int TcPlotComponent::DataViewZHorz() const
{
    return FMaster->LayoutManager()->DataViewHorz()->ZOrder();
}
void TcPlotComponent::SetDataViewZHorz(int v)
{
    FMaster->LayoutManager()->DataViewHorz()->SetZOrder(v);
}
int TcPlotComponent::DataViewZVert() const
{
    return FMaster->LayoutManager()->DataViewVert()->ZOrder();
}
void TcPlotComponent::SetDataViewZVert(int v)
{
    FMaster->LayoutManager()->DataViewVert()->SetZOrder(v);
}

void TcPlotComponent::SetMargin(int side, int v)
{
    if (FOuterMargin[side] == v)
        return;
    FOuterMargin[side] = v;
    InvalidateChange();
}

TcPlotLabel* TcPlotComponent::TitleLabel() const
{
    return FMaster->LabelManager()->Count() > 0 ? FMaster->LabelManager()->GetItem(0) : nullptr;
}

bool TcPlotComponent::TitleVisible() const
{
    return TitleLabel() && TitleLabel()->Visible();
}
void TcPlotComponent::SetTitleVisible(bool v)
{
    if (TcPlotLabel* l = TitleLabel())
        l->SetVisible(v);
}
QString TcPlotComponent::TitleText() const
{
    return TitleLabel() ? TitleLabel()->Caption() : QString();
}
void TcPlotComponent::SetTitleText(const QString& v)
{
    if (TcPlotLabel* l = TitleLabel())
        l->SetCaption(v);
}
double TcPlotComponent::TitleMargin() const
{
    return TitleLabel() ? TitleLabel()->MarginBottom() : 0;
}
void TcPlotComponent::SetTitleMargin(double v)
{
    if (TcPlotLabel* l = TitleLabel())
        l->SetMarginBottom(v);
}

void TcPlotComponent::SetBackGroundGradientEnabled(bool v)
{
    FGradientEnabled = v;
    InvalidateChange();
}
void TcPlotComponent::SetBackGroundGradientDirection(TcFillDirection v)
{
    if (v == FGradientDirection)
        return;
    FGradientDirection = v;
    InvalidateChange();
}
void TcPlotComponent::SetBackGroundGradientStartColor(TColor v)
{
    FGradientStartColor = v;
    InvalidateChange();
}
void TcPlotComponent::SetBackGroundGradientStopColor(TColor v)
{
    FGradientStopColor = v;
    InvalidateChange();
}

// Loading bracket.

void TcPlotComponent::BeginLoading()
{
    BeginLoad();
    DisableLayoutManager();
    BeginUpdate();
    ++FLoadUpdateDepth;
}

void TcPlotComponent::Loaded()
{
    // Toolbar 0 and the title share a band only by accident: the toolbar moves one band out.
    if (ToolBarCount() > 0 && LabelCount() > 0) {
        TcPlotToolBar* bar = GetToolBar(0);
        TcPlotLabel* label = GetLabel(0);
        if (bar->Horizontal() == label->Horizontal() && bar->ZOrder() == label->ZOrder())
            bar->SetZOrder(bar->ZOrder() + 1);
    }
    TcCustomComponent::Loaded();
    EnableLayoutManager();
    if (FLoadUpdateDepth > 0) {
        FLoadUpdateDepth = 0;
        EndUpdate();
    }
}

// Notifications and events.

bool TcPlotComponent::KindFiresEvents(const TcPlotObject* o) const
{
    return !dynamic_cast<const TcPlotToolBar*>(o) && !dynamic_cast<const TcPlotLabel*>(o);
}

void TcPlotComponent::DoObjectAdd(TcPersistent* Sender)
{
    auto* o = dynamic_cast<TcPlotObject*>(Sender);
    if (!o || !KindFiresEvents(o) || IsLoading())
        return;
    const int index = FMaster->KindIndex(o);
    if (index < 0)
        return;
    if (OnAddObject)
        OnAddObject(o, index);
    if (OnAddChannel && dynamic_cast<TcPlotChannelCustom*>(o))
        OnAddChannel(index);
}

void TcPlotComponent::DoObjectRemove(TcPersistent* Sender)
{
    auto* o = dynamic_cast<TcPlotObject*>(Sender);
    if (!o)
        return;
    if (FMouseDownObject == o)
        FMouseDownObject = nullptr;
    if (FLastMouseOverObject == o)
        FLastMouseOverObject = nullptr;
    if (FLastMouseClickObject == o)
        FLastMouseClickObject = nullptr;
    if (FLastHintObject == o)
        FLastHintObject = nullptr;
    if (!KindFiresEvents(o) || IsLoading())
        return;
    const int index = FMaster->KindIndex(o);
    if (index < 0)
        return;
    if (OnRemoveObject)
        OnRemoveObject(o, index);
    if (OnRemoveChannel && dynamic_cast<TcPlotChannelCustom*>(o))
        OnRemoveChannel(index);
}

void TcPlotComponent::DoPlotEvent(TcPlotEvent& Event)
{
    if (IsLoading() || !OnPlotEvent)
        return;
    OnPlotEvent(Event);
}

bool TcPlotComponent::AxesCollisionTestAdd(const TRect& r)
{
    for (const TRect& taken : FAxesCollisionList)
        if (r.Left < taken.Right && taken.Left < r.Right && r.Top < taken.Bottom && taken.Top < r.Bottom)
            return false;
    if (!FAxesCollisionList.empty() && DataViewCount() > 0) {
        const TRect d = GetDataView(0)->DrawRect();
        if (r.Left < d.Left || r.Top < d.Top || r.Right > d.Right || r.Bottom > d.Bottom)
            return false;
    }
    FAxesCollisionList.push_back(r);
    return true;
}

// Layout.

void TcPlotComponent::CalcAllTicks(TCanvas& Canvas)
{
    for (int i = 0; i < XAxisCount(); ++i)
        GetXAxis(i)->CalcTicks(Canvas);
    for (int i = 0; i < YAxisCount(); ++i)
        GetYAxis(i)->CalcTicks(Canvas);
}

namespace
{

using LayoutList = std::vector<TcPlotLayoutObject*>;

// What one side of the plot needs: the end margins its objects ask of the neighbouring sides and the
// thickness of each z-order band.
struct SideInfo {
    int startMargin = 0, stopMargin = 0, thickness = 0;
    std::map<int, int> band;
    int Band(int z) const
    {
        const auto it = band.find(z);
        return it != band.end() ? it->second : 0;
    }
};

void CollectVisible(LayoutList& out, const TcSortedKeyList<TcPlotLayoutObject*>& side)
{
    out.clear();
    for (int i = 0; i < side.Count(); ++i)
        if (side.Item(i)->Visible())
            out.push_back(side.Item(i));
}

// Marks which objects stack with their neighbour (same z-order, or forced) and measures the side.
SideInfo AnalyseSide(LayoutList& list, TCanvas& Canvas)
{
    SideInfo s;
    for (auto* o : list) {
        o->SetStartStacked(false);
        o->SetStopStacked(false);
    }
    TcPlotLayoutObject* previous = nullptr;
    int previousZ = -1;
    for (auto* o : list) {
        if (IsCartesianAxis(o))
            continue;
        if (o->ForceStacking()) {
            o->SetStartStacked(true);
            o->SetStopStacked(true);
            previous = o;
        } else if (o->ZOrder() == previousZ) {
            o->SetStartStacked(true);
            if (previous)
                previous->SetStopStacked(true);
            previous = o;
        } else {
            previous = o;
            previousZ = o->ZOrder();
        }
    }
    for (auto* o : list) {
        if (IsCartesianAxis(o))
            continue;
        const int margin = o->GetRequiredEndMargin(Canvas);
        if (!o->StartStacked())
            s.startMargin = std::max(s.startMargin, margin);
        if (!o->StopStacked())
            s.stopMargin = std::max(s.stopMargin, margin);
        int& band = s.band[o->ZOrder()];
        band = std::max(band, o->GetRequiredSize(Canvas));
    }
    for (const auto& [z, t] : s.band)
        s.thickness += t;
    return s;
}

// Sets the object's extent from a to c across (left-right) or along (top-bottom).
void Place(TcPlotLayoutObject* o, int a, int c, bool across)
{
    TRect r = o->DrawRect();
    if (across) {
        r.Left = a;
        r.Right = c;
    } else {
        r.Top = a;
        r.Bottom = c;
    }
    o->SetDrawRect(r);
}

// Stacks the objects band by band away from the plot's edge, towards smaller coordinates when
// direction is -1.
template <class It>
void StackBands(It first, It last, const SideInfo& side, int edge, int direction, bool across)
{
    int pos = edge, thickness = 0, z = 0;
    bool firstBand = true;
    for (It it = first; it != last; ++it) {
        TcPlotLayoutObject* o = *it;
        if (firstBand || o->ZOrder() != z) {
            pos += direction * thickness;
            thickness = side.Band(o->ZOrder());
            z = o->ZOrder();
            firstBand = false;
        }
        if (direction < 0)
            Place(o, pos - thickness, pos, across);
        else
            Place(o, pos, pos + thickness, across);
    }
}

// The top side: as StackBands upwards, the first object that is not an axis moved up by Q, and a
// tool bar at the top border.
void StackTop(const LayoutList& list, const SideInfo& side, int edge, int Q, int border, TCanvas& Canvas)
{
    int pos = edge, thickness = 0, z = 0;
    bool first = true, movedQ = false;
    for (auto* o : list) {
        if (!movedQ && !dynamic_cast<TcPlotAxis*>(o)) {
            pos -= Q;
            movedQ = true;
        }
        if (first || o->ZOrder() != z) {
            pos -= thickness;
            thickness = side.Band(o->ZOrder());
            z = o->ZOrder();
            first = false;
        }
        Place(o, pos - thickness, pos, false);
        if (dynamic_cast<TcPlotToolBar*>(o))
            Place(o, border, o->GetRequiredSize(Canvas) + border, false);
    }
}

} // namespace

void TcPlotComponent::PlaceAlongDataView(const TRect& d, int b)
{
    TcPlotLayoutManager* lm = FMaster->LayoutManager();
    auto round = [](double v) { return int(RoundHalfEven(v)); };
    for (int i = 0; i < lm->Count(); ++i) {
        TcPlotLayoutObject* o = lm->GetItem(i);
        if (dynamic_cast<TcPlotDataView*>(o) || dynamic_cast<TcPlotDataViewLayout*>(o))
            continue;
        const double start = o->StartPercent() / 100, stop = o->StopPercent() / 100;
        const bool isToolBar = dynamic_cast<TcPlotToolBar*>(o) != nullptr;
        const bool isLabel = dynamic_cast<TcPlotLabel*>(o) != nullptr;
        const bool isBand =
            dynamic_cast<TcPlotLegend*>(o) || dynamic_cast<TcPlotTable*>(o) || dynamic_cast<TcPlotAxis*>(o);
        if (o->IsHorz()) {
            if (isToolBar) {
                const int W = Width() - 2 * b;
                Place(o, round(start * W) + b, round(stop * W) + b - 1, true);
            } else if (isLabel) {
                const int W = Width() - b - FOuterMargin[0] - FOuterMargin[2];
                Place(o, round(start * W) + b + FOuterMargin[0], round(stop * W) + b + FOuterMargin[0], true);
            } else if (isBand) {
                const int W = d.Width();
                Place(o, round(W * start) + d.Left, round(W * stop) + d.Left, true);
            }
        } else if (isBand || isLabel) {
            const int H = d.Height();
            Place(o, d.Bottom - round(H * stop), d.Bottom - round(H * start), false);
        }
    }
}

void TcPlotComponent::LayOutAxes(TCanvas& Canvas, const TRect& d)
{
    auto allAxes = [&](const std::function<void(TcPlotAxis*, bool)>& f) {
        for (int i = 0; i < XAxisCount(); ++i)
            f(GetXAxis(i), true);
        for (int i = 0; i < YAxisCount(); ++i)
            f(GetYAxis(i), false);
    };
    allAxes([&](TcPlotAxis* a, bool) {
        if (a->CartesianStyle() == ipcsMaster) {
            if (a->IsHorz())
                a->SetDrawRect({d.Left, (d.Top + d.Bottom) / 2, d.Right, (d.Top + d.Bottom) / 2});
            else
                a->SetDrawRect({(d.Left + d.Right) / 2, d.Top, (d.Left + d.Right) / 2, d.Bottom});
        }
    });
    allAxes([&](TcPlotAxis* a, bool) {
        if (a->CartesianStyle() != ipcsChild)
            return;
        TcPlotAxis* ref = a->GetCartesianRefAxis();
        if (!ref) {
            a->SetDrawRect({0, 0, 0, 0});
            return;
        }
        const int p = ref->PositionToPixels(a->CartesianChildRefValue());
        if (a->IsHorz())
            a->SetDrawRect({d.Left, p, d.Right, p});
        else
            a->SetDrawRect({p, d.Top, p, d.Bottom});
    });
    allAxes([&](TcPlotAxis* a, bool) {
        TcPlotAxis* ref = a->GetAlignRefAxis();
        if (!ref)
            return;
        TRect r = a->DrawRect();
        const TRect rr = ref->DrawRect();
        if (a->IsHorz()) {
            r.Left = rr.Left;
            r.Right = rr.Right;
        } else {
            r.Top = rr.Top;
            r.Bottom = rr.Bottom;
        }
        a->SetDrawRect(r);
        a->SetStartStacked(ref->StartStacked());
        a->SetStopStacked(ref->StopStacked());
        a->CalcScaleRect(Canvas);
    });

    // The plotting rectangle shrinks to the axes' scales.
    int pTop = Height(), pBottom = 0, pLeft = Width(), pRight = 0;
    const bool reversed = FMaster->XYAxesReverse();
    allAxes([&](TcPlotAxis* a, bool isX) {
        a->CalcScaleRect(Canvas);
        const TRect s = a->ScaleRect();
        if (isX != reversed) {
            pLeft = std::min(pLeft, s.Left);
            pRight = std::max(pRight, s.Right);
        } else {
            pTop = std::min(pTop, s.Top);
            pBottom = std::max(pBottom, s.Bottom);
        }
    });
    FPlotRect = {pLeft, pTop, pRight, pBottom};
}

void TcPlotComponent::Layout(TCanvas& Canvas)
{
    TcPlotLayoutManager* lm = FMaster->LayoutManager();
    CollectVisible(FVisibleListLeft, lm->LeftList());
    CollectVisible(FVisibleListRight, lm->RightList());
    CollectVisible(FVisibleListTop, lm->TopList());
    CollectVisible(FVisibleListBottom, lm->BottomList());
    const int b = BorderStyle() != ibsNone ? 2 : 0;

    const SideInfo left = AnalyseSide(FVisibleListLeft, Canvas),
                   right = AnalyseSide(FVisibleListRight, Canvas);
    const SideInfo top = AnalyseSide(FVisibleListTop, Canvas),
                   bottom = AnalyseSide(FVisibleListBottom, Canvas);
    const int L = std::max({left.thickness, 0, top.startMargin, bottom.startMargin});
    const int R = std::max({right.thickness, 0, top.stopMargin, bottom.stopMargin});
    int Q = std::max({0, left.stopMargin, right.stopMargin});
    const int T = std::max(top.thickness, Q);
    const int B = std::max({bottom.thickness, 0, left.startMargin, right.startMargin});
    int topGap;
    if (FVisibleListTop.size() == 1 && dynamic_cast<TcPlotToolBar*>(FVisibleListTop.front())) {
        topGap = T + b + FOuterMargin[1] + Q;
    } else {
        topGap = T + b + FOuterMargin[1];
        Q = 0;
    }
    const int bottomGap = B + b + FOuterMargin[3];
    const int leftGap = L + b + FOuterMargin[0];
    const int rightGap = R + b + FOuterMargin[2];
    TRect plot{leftGap, topGap, Width() - rightGap - 1, Height() - bottomGap - 1};

    StackBands(FVisibleListLeft.rbegin(), FVisibleListLeft.rend(), left, plot.Left, -1, true);
    StackBands(FVisibleListRight.begin(), FVisibleListRight.end(), right, plot.Right, 1, true);
    StackTop(FVisibleListTop, top, plot.Top, Q, b, Canvas);
    StackBands(FVisibleListBottom.rbegin(), FVisibleListBottom.rend(), bottom, plot.Bottom, 1, false);
    TcPlotDataView* dv = DataViewCount() > 0 ? GetDataView(0) : nullptr;
    if (dv)
        dv->SetDrawRect(plot);
    const TRect d = dv ? dv->DrawRect() : plot;
    PlaceAlongDataView(d, b);
    LayOutAxes(Canvas, d);
    if (dv)
        dv->SetDrawRect(FPlotRect);
}

void TcPlotComponent::ReCalcLayout()
{
    QImage image(std::max(1, Width()), std::max(1, Height()), QImage::Format_RGB32);
    QPainter painter(&image);
    TCanvas canvas(painter);
    canvas.Font.Assign(Font());
    iPaint(canvas);
}

// Paint.

void TcPlotComponent::PrepareForPaint(TCanvas& Canvas, TcPlotDataView* dv)
{
    TcPlotLegend* legend = GetLegend(0);
    legend->FCursorAllChannels = false;
    for (int i = 0; i < DataCursorCount(); ++i) {
        TcPlotDataCursor* c = GetDataCursor(i);
        c->RecalcValues();
        if (c->Visible() && c->ChannelName() == QStringLiteral("<All>") && c->ChannelShowAllInLegend())
            legend->FCursorAllChannels = true;
    }
    CalcAllTicks(Canvas);
    Layout(Canvas);
    Layout(Canvas);
    CalcAllTicks(Canvas);
    for (int i = 0; i < ChannelCount(); ++i)
        GetChannelCustom(i)->PrepareDraw();
    for (int i = 0; i < XAxisCount(); ++i)
        GetXAxis(i)->PrepareDraw();
    for (int i = 0; i < YAxisCount(); ++i)
        GetYAxis(i)->PrepareDraw();
    for (int i = 0; i < AnnotationCount(); ++i) {
        GetAnnotation(i)->SetDataView(dv);
        GetAnnotation(i)->SetXYAxesReverse(FMaster->XYAxesReverse());
    }
    for (int i = 0; i < DataCursorCount(); ++i)
        GetDataCursor(i)->SetDataView(dv);
}

void TcPlotComponent::DrawLayers(TCanvas& Canvas, TcPlotDataView* dv, TColor layerColor)
{
    TcSortedKeyList<TcPlotObject*> layers;
    for (int i = 0; i < LimitCount(); ++i)
        layers.Add(LayerKey(GetLimit(i)->Layer(), GetLimit(i)->DrawsFilledArea() ? 'A' : 'C'), GetLimit(i));
    layers.Add(LayerKey(dv->Layer(), 'B'), dv);
    for (int i = 0; i < YAxisCount(); ++i)
        if (IsCartesianAxis(GetYAxis(i)))
            layers.Add(LayerKey(GetYAxis(i)->Layer(), 'D'), GetYAxis(i));
    for (int i = 0; i < XAxisCount(); ++i)
        if (IsCartesianAxis(GetXAxis(i)))
            layers.Add(LayerKey(GetXAxis(i)->Layer(), 'E'), GetXAxis(i));
    for (int i = 0; i < ChannelCount(); ++i)
        if (GetChannelCustom(i)->CanDraw())
            layers.Add(LayerKey(GetChannelCustom(i)->Layer(), 'F'), GetChannelCustom(i));
    for (int i = 0; i < AnnotationCount(); ++i)
        layers.Add(LayerKey(GetAnnotation(i)->Layer(), 'G'), GetAnnotation(i));
    const TRect d = dv->DrawRect();
    for (int i = 0; i < layers.Count(); ++i) {
        ClipScope clip(Canvas, {d.Left, d.Top, d.Right + 1, d.Bottom + 1});
        FLayerOrder.push_back(layers.Item(i));
        layers.Item(i)->Draw(Canvas, layerColor);
    }
}

void TcPlotComponent::DrawOuterObjects(TCanvas& Canvas, TColor layerColor)
{
    for (int i = 0; i < XAxisCount(); ++i)
        if (!IsCartesianAxis(GetXAxis(i)))
            GetXAxis(i)->Draw(Canvas, BackGroundColor());
    for (int i = 0; i < YAxisCount(); ++i)
        if (!IsCartesianAxis(GetYAxis(i)))
            GetYAxis(i)->Draw(Canvas, BackGroundColor());
    for (int i = 0; i < LabelCount(); ++i)
        GetLabel(i)->Draw(Canvas, BackGroundColor());
    for (int i = 0; i < ToolBarCount(); ++i)
        GetToolBar(i)->Draw(Canvas, BackGroundColor());
    for (int i = 0; i < DataCursorCount(); ++i)
        GetDataCursor(i)->Draw(Canvas, layerColor);
    for (int i = 0; i < LegendCount(); ++i)
        GetLegend(i)->Draw(Canvas, BackGroundColor());
    for (int i = 0; i < TableCount(); ++i)
        GetTable(i)->Draw(Canvas, BackGroundColor());
}

void TcPlotComponent::iPaint(TCanvas& Canvas)
{
    if (ToolBarCount() == 0 || LegendCount() == 0 || DataViewCount() == 0)
        return;
    struct Active {
        bool& flag;
        explicit Active(bool& f) : flag(f) { flag = true; }
        ~Active() { flag = false; }
    } active(FPaintingActive);
    TcPlotDataView* dv = GetDataView(0);
    const TColor layerColor = dv->BackgroundTransparent() ? BackGroundColor() : dv->BackgroundColor();
    FAxesCollisionList.clear();
    FLayerOrder.clear();
    PrepareForPaint(Canvas, dv);

    if (FGradientEnabled) {
        Canvas.ResetClip();
        Canvas.SetClipRect({0, 0, Width(), Height()});
        FillGradient(Canvas, {0, 0, Width(), Height()}, FGradientDirection, FGradientStartColor,
                     FGradientStopColor);
        Canvas.ResetClip();
    } else {
        DrawBackGround(Canvas, BackGroundColor());
    }
    dv->DrawBackground(Canvas);
    DrawLayers(Canvas, dv, layerColor);
    dv->DrawZoomBox(Canvas);

    Canvas.Brush.Color = BackGroundColor();
    Canvas.Brush.Style = bsSolid;
    DrawBorder(Canvas);
    DrawOuterObjects(Canvas, layerColor);
    FHintShowing = FHint.Visible;
    if (FHint.Visible) {
        Canvas.Font.Assign(FHintsFont);
        Canvas.Brush.Style = bsSolid;
        Canvas.Brush.Color = clInfoBk;
        Canvas.Font.SetColor(clInfoText);
        Canvas.Pen.Style = psClear;
        TRect r{FHint.Left, FHint.Top, FHint.Left + FHint.Width, FHint.Top + FHint.Height};
        Canvas.FillRect(r);
        DrawTextInRect(Canvas, FHint.Text, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, true,
                       clInfoBk);
    }
    FPaintingActive = false;
    if (OnAfterPaint)
        OnAfterPaint(this);
}

// Input.

TcPlotObject* TcPlotComponent::HitObject(int X, int Y)
{
    TcPlotObjectManager* all = FMaster->ObjectManager();
    if (!all)
        return nullptr;
    auto hits = [&](TcPlotObject* o) { return o->Visible() && o->HitTest(X, Y); };
    auto isView = [](TcPlotObject* o) {
        return dynamic_cast<TcPlotDataView*>(o) || dynamic_cast<TcPlotLegend*>(o);
    };
    for (int pass = 0; pass < 3; ++pass)
        for (int i = 0; i < all->Count(); ++i) {
            TcPlotObject* o = all->Item(i);
            if (dynamic_cast<TcPlotDataViewLayout*>(o))
                continue;
            const bool wanted = pass == 0   ? o->UserSelected() && !isView(o)
                                : pass == 1 ? !o->UserSelected() && !isView(o)
                                            : isView(o);
            if (wanted && hits(o))
                return o->GetMouseOverObject(X, Y);
        }
    return nullptr;
}

void TcPlotComponent::SetToolBarSelectMode(bool Value)
{
    if (ToolBarCount() > 0 && GetToolBar(0)->SelectActive() != Value)
        GetToolBar(0)->DoButtonClickSelect();
}

namespace
{
Qt::CursorShape CursorShape(int Cursor)
{
    switch (Cursor) {
    case -3:
        return Qt::CrossCursor;
    case -4:
        return Qt::IBeamCursor;
    case -6:
        return Qt::SizeBDiagCursor;
    case -7:
        return Qt::SizeVerCursor;
    case -8:
        return Qt::SizeFDiagCursor;
    case -9:
        return Qt::SizeHorCursor;
    case -12:
        return Qt::DragMoveCursor;
    case -21:
        return Qt::PointingHandCursor;
    case -22:
        return Qt::SizeAllCursor;
    default:
        return Qt::ArrowCursor;
    }
}

// Objects that take the mouse themselves rather than through the selected objects.
bool TakesMouseItself(TcPlotObject* o)
{
    return dynamic_cast<TcPlotButton*>(o) || dynamic_cast<TcPlotAnnotation*>(o) || !o->CanFocus();
}
} // namespace

void TcPlotComponent::SetMouseCursor(int Cursor)
{
    FMouseCursor = Cursor;
    setCursor(CursorShape(Cursor));
}

void TcPlotComponent::iMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FMaster->ObjectManager())
        FMaster->ObjectManager()->SetShiftState(Shift);
    FMouseDown = true;
    SetFocus();
    HideHint();
    if (Button == mbRight)
        FMaster->DeSelectAll();
    FMouseDownObject = HitObject(X, Y);
    FLastMouseClickObject = nullptr;
    TcPlotObject* o = FMouseDownObject;
    if (!o) {
        FMaster->DeSelectAll();
        return;
    }
    const bool isAxis = dynamic_cast<TcPlotAxis*>(o) != nullptr;
    if (Shift & ssShift) {
        FSelectingActive = isAxis;
        o->SetUserSelected(true);
    } else if (Shift & ssCtrl) {
        if (isAxis) {
            o->SetUserSelected(!o->UserSelected());
            FSelectingActive = true;
        } else {
            o->SetUserSelected(true);
            FSelectingActive = false;
        }
    } else if (!dynamic_cast<TcPlotToolBar*>(o) && o->CanFocus()) {
        o->SetUserSelected(true);
    }
    const QPoint screen = mapToGlobal(QPoint(X, Y));
    if (Button == mbRight || TakesMouseItself(o) || dynamic_cast<TcPlotLimit*>(o))
        o->iMouseDown(Button, Shift, X, Y, screen.x(), screen.y(), &FPopupMenu);
    else if (FMaster->ObjectManager())
        FMaster->ObjectManager()->MouseDownFocusObjects(Button, Shift, X, Y, screen.x(), screen.y(),
                                                        &FPopupMenu);
}

void TcPlotComponent::iMouseMove(TShiftState Shift, int X, int Y)
{
    if (FSelectingActive)
        return;
    TcPlotObjectManager* all = FMaster->ObjectManager();
    if (all)
        all->SetShiftState(Shift);
    const QPoint screen = mapToGlobal(QPoint(X, Y));
    if ((Shift & (ssLeft | ssRight)) && FMouseDownObject) {
        TcPlotObject* o = FMouseDownObject;
        TcHintData hint;
        if (TakesMouseItself(o) || dynamic_cast<TcPlotToolBar*>(o))
            o->iMouseMove(hint, Shift, X, Y, screen.x(), screen.y(), FDblClickActive);
        else if (all)
            all->MouseMoveFocusObjects(hint, Shift, X, Y, screen.x(), screen.y(), FDblClickActive);
        SetMouseCursor(0);
        return;
    }
    // A release the chart never saw (the button went up elsewhere) ends the press.
    if (FMouseDownObject) {
        FMouseDownObject->iMouseUp(mbLeft, Shift, X, Y, screen.x(), screen.y(), false, &FPopupMenu);
        if (all)
            all->MouseUpFocusObjects(mbLeft, Shift, X, Y, screen.x(), screen.y(), false, &FPopupMenu);
        FMouseDownObject = nullptr;
        FMouseDown = false;
    }
    TcPlotObject* over = HitObject(X, Y);
    if (FLastMouseOverObject && FLastMouseOverObject != over)
        FLastMouseOverObject->DoMouseNotOver();
    if (!over) {
        SetMouseCursor(0);
    } else {
        SetMouseCursor(over->GetMouseCursor({X, Y}));
        TcHintData hint;
        over->iMouseMove(hint, Shift, X, Y, screen.x(), screen.y(), FDblClickActive);
        if (FHintsShow)
            HintRules(over, hint, Shift, X, Y);
    }
    FLastMouseOverObject = over;
}

void TcPlotComponent::HintRules(TcPlotObject* Over, const TcHintData& Data, TShiftState Shift, int X, int Y)
{
    const bool visible = FHint.Visible;
    FHint = Data;
    FHint.Visible = visible;
    const bool running = GetTimerRunning();
    auto isButton = [](TcPlotObject* o) { return dynamic_cast<TcPlotToolBarButton*>(o) != nullptr; };
    if (Shift & (ssLeft | ssRight | ssMiddle)) {
        HideHint();
    } else if (FHint.Text.isEmpty()) {
        HideHint();
        FLastHintObject = nullptr;
        FLastHintShowRect = {};
    } else if (FLastHintObject && FLastHintObject != Over && !isButton(FLastHintObject)) {
        HideHint();
        FLastHintObject = nullptr;
    } else if (running && !FHint.Visible) {
        TimerStop();
        TimerStart(0, FHintsPause);
    } else if (running) {
        if (isButton(FLastHintObject) || dynamic_cast<TcPlotChannelCustom*>(FLastHintObject)) {
            TimerStop();
            TimerStart(0, FHintsHidePause);
        } else {
            HideHint();
        }
    } else if (!FLastHintShowRect.Contains({X, Y}) && Over != FLastHintObject) {
        FLastHintX = X;
        FLastHintY = Y;
        FLastHintObject = Over;
        TimerStart(0, FHintsPause);
    }
    if (FHint.Visible)
        RepaintNow();
}

void TcPlotComponent::HintTimerExpired()
{
    TimerStop();
    if (FHint.Visible) {
        FHint.Visible = false;
    } else {
        FHint.Visible = true;
        FLastHintShowRect = {FLastHintX - 3, FLastHintY - 3, FLastHintX + 3, FLastHintY + 3};
        TimerStart(0, FHintsHidePause);
    }
    RepaintNow();
}

void TcPlotComponent::HideHint()
{
    TimerStop();
    FHint.Visible = false;
    if (FHintShowing)
        RepaintNow();
}

void TcPlotComponent::MouseLeave()
{
    Guard("mouse leave", [&] {
        HideHint();
        if (FLastMouseOverObject)
            FLastMouseOverObject->DoMouseNotOver();
        FLastMouseOverObject = nullptr;
        TcCustomComponent::MouseLeave();
    });
}

void TcPlotComponent::iMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FMouseDown = false;
    FSelectingActive = false;
    if (FMaster->ObjectManager())
        FMaster->ObjectManager()->SetShiftState(Shift);
    HideHint();
    // The chart's press state ends first, so that a failing handler leaves no press behind.
    TcPlotObject* down = FMouseDownObject;
    const bool dblClick = FDblClickActive;
    FLastMouseClickObject = down;
    FMouseDownObject = nullptr;
    FDblClickActive = false;
    const QPoint screen = mapToGlobal(QPoint(X, Y));
    if (down)
        down->iMouseUp(Button, Shift, X, Y, screen.x(), screen.y(), dblClick, &FPopupMenu);
    if (FMaster->ObjectManager())
        FMaster->ObjectManager()->MouseUpFocusObjects(Button, Shift, X, Y, screen.x(), screen.y(), dblClick,
                                                      &FPopupMenu);
}

bool TcPlotComponent::iMouseWheel(int WheelDelta, TShiftState Shift, TPoint MousePos)
{
    if (FMaster->ObjectManager())
        FMaster->ObjectManager()->MouseWheelFocusObjects(WheelDelta, Shift, MousePos);
    return true;
}

void TcPlotComponent::iWantSpecialKey(Word& Key, bool& Want)
{
    if (Key >= 37 && Key <= 40)
        Want = true;
}

void TcPlotComponent::iKeyDown(Word& Key, TShiftState Shift)
{
    if (FMaster->ObjectManager())
        FMaster->ObjectManager()->KeyDownFocusObjects(Key, Shift, &FPopupMenu);
}

} // namespace chart
