// TcPlotComponent: the chart control. It owns the master manager and offers per object kind Add,
// Delete, RemoveAll, Count and lookup; lays out every visible object around the plotting rectangle
// and paints the chart in layers (iPaint); keeps the occupied-rectangle list the axes' labels test;
// gives itself the keyboard focus on a press, routes presses, moves, releases, keys and the wheel to
// its objects, and turns the objects' notifications into its events. Charts built in code bracket
// their set-up with BeginLoading / Loaded. UI thread only.
#pragma once

#include "chart/axes/PlotAxis.h"
#include "chart/channels/PlotChannelCustom.h"
#include "chart/component/Component.h"
#include "chart/objects/MasterManager.h"
#include "framework/ImageList.h"

#include <memory>
#include <vector>

class QPagedPaintDevice;
class QPicture;

namespace chart
{

enum TcPlotFormStyle : std::uint8_t { ipfsModal, ipfsStayOnTop };
enum TcPlotExportFormat : std::uint8_t { ipefMetaFile, ipefBitmap, ipefJPEG };
enum TcPrinterOrientation : std::uint8_t { poPortrait, poLandscape };
enum TcPlotDataFileColumnSeparator : std::uint8_t { ipdfcsTab, ipdfcsComma };
enum TcPlotDataFileFormat : std::uint8_t { ipdffText, ipdffCompactInterval };
struct TcPlotConfig;

enum TcPlotImageFormatStyle : std::uint8_t { ipifBitmap, ipifEnhancedMetaFile, ipifJPEG, ipifPNG };

// The paper of the last print: inches (centimetres follow) and printer pixels.
struct TcPrintPaper {
    double WidthInches = 0, HeightInches = 0;
    int WidthPixels = 0, HeightPixels = 0;
    double WidthCentimeters() const { return WidthInches * 2.54; }
    double HeightCentimeters() const { return HeightInches * 2.54; }
};
class TcPlotComponent;
// Printing needs the print support, which only the print library links; it installs the printer,
// which sets the device up and calls PrintPages (a failure raises).
using TcPlotPrinter = std::function<void(TcPlotComponent& Chart)>;
void SetPlotPrinter(TcPlotPrinter Printer);

class TcPlotComponent : public TcCustomComponent, public TcPlotOwner
{
  public:
    explicit TcPlotComponent(QWidget* parent = nullptr);
    ~TcPlotComponent() override;

    TcPlotMasterManager& Master() override { return *FMaster; }
    // Object kinds.
#define CHART_KIND(Kind, Plural, Class, ManagerCall)                                                         \
    int Add##Kind();                                                                                         \
    void Delete##Kind(int Index);                                                                            \
    void RemoveAll##Plural();                                                                                \
    int Kind##Count() const                                                                                  \
    {                                                                                                        \
        return FMaster->ManagerCall()->Count();                                                              \
    }                                                                                                        \
    Class* Get##Kind(int Index) const                                                                        \
    {                                                                                                        \
        return FMaster->ManagerCall()->GetItem(Index);                                                       \
    }                                                                                                        \
    Class* Get##Kind##ByName(const QString& Name) const                                                      \
    {                                                                                                        \
        return static_cast<Class*>(FMaster->ManagerCall()->GetObjectByName(Name));                           \
    }                                                                                                        \
    int Get##Kind##IndexByName(const QString& Name) const                                                    \
    {                                                                                                        \
        return FMaster->ManagerCall()->GetIndexByName(Name);                                                 \
    }
    CHART_KIND(ToolBar, ToolBars, TcPlotToolBar, ToolBarManager)
    CHART_KIND(Legend, Legends, TcPlotLegend, LegendManager)
    CHART_KIND(Table, Tables, TcPlotTable, TableManager)
    CHART_KIND(XAxis, XAxes, TcPlotXAxis, XAxisManager)
    CHART_KIND(YAxis, YAxes, TcPlotYAxis, YAxisManager)
    CHART_KIND(DataView, DataViews, TcPlotDataView, DataViewManager)
    CHART_KIND(DataCursor, DataCursors, TcPlotDataCursor, DataCursorManager)
    CHART_KIND(Limit, Limits, TcPlotLimit, LimitManager)
    CHART_KIND(Label, Labels, TcPlotLabel, LabelManager)
    CHART_KIND(Annotation, Annotations, TcPlotAnnotation, AnnotationManager)
#undef CHART_KIND
    int AddChannel();
    void DeleteChannel(int Index);
    void RemoveAllChannels();
    int ChannelCount() const
    {
        return FMaster->ChannelManager()->Count();
    }
    TcPlotChannelCustom* GetChannelCustom(int Index) const
    {
        return FMaster->ChannelManager()->GetItem(Index);
    }
    TcPlotChannelCustom* GetChannelByName(const QString& Name) const;
    int GetChannelIndexByName(const QString& Name) const
    {
        return FMaster->ChannelManager()->GetIndexByName(Name);
    }

    void DisableLayoutManager();
    void EnableLayoutManager();
    void RefreshLayoutManager();
    void DisableAllTracking()
    {
        SetAllTracking(false);
    }
    void EnableAllTracking()
    {
        SetAllTracking(true);
    }

    // Published settings.
    int DataViewZHorz() const;
    void SetDataViewZHorz(int v);
    int DataViewZVert() const;
    void SetDataViewZVert(int v);
    bool XYAxesReverse() const
    {
        return FMaster->XYAxesReverse();
    }
    void SetXYAxesReverse(bool v)
    {
        FMaster->SetXYAxesReverse(v);
    }
    bool UserCanEditObjects() const
    {
        return FMaster->UserCanEditObjects();
    }
    void SetUserCanEditObjects(bool v)
    {
        FMaster->SetUserCanEditObjects(v);
    }
    bool UserCanAddRemoveChannels() const
    {
        return FUserCanAddRemoveChannels;
    }
    void SetUserCanAddRemoveChannels(bool v)
    {
        FUserCanAddRemoveChannels = v;
    }
    int OuterMarginLeft() const
    {
        return FOuterMargin[0];
    }
    void SetOuterMarginLeft(int v)
    {
        SetMargin(0, v);
    }
    int OuterMarginTop() const
    {
        return FOuterMargin[1];
    }
    void SetOuterMarginTop(int v)
    {
        SetMargin(1, v);
    }
    int OuterMarginRight() const
    {
        return FOuterMargin[2];
    }
    void SetOuterMarginRight(int v)
    {
        SetMargin(2, v);
    }
    int OuterMarginBottom() const
    {
        return FOuterMargin[3];
    }
    void SetOuterMarginBottom(int v)
    {
        SetMargin(3, v);
    }
    bool HintsShow() const
    {
        return FHintsShow;
    }
    void SetHintsShow(bool v)
    {
        FHintsShow = v;
    }
    int HintsPause() const
    {
        return FHintsPause;
    }
    void SetHintsPause(int v)
    {
        FHintsPause = v;
    }
    int HintsHidePause() const
    {
        return FHintsHidePause;
    }
    void SetHintsHidePause(int v)
    {
        FHintsHidePause = v;
    }
    fw::TFont& HintsFont()
    {
        return FHintsFont;
    }
    TcPlotFormStyle EditorFormStyle() const
    {
        return FEditorFormStyle;
    }
    void SetEditorFormStyle(TcPlotFormStyle v)
    {
        FEditorFormStyle = v;
    }
    TcPlotExportFormat CopyToClipBoardFormat() const
    {
        return FCopyToClipBoardFormat;
    }
    void SetCopyToClipBoardFormat(TcPlotExportFormat v)
    {
        FCopyToClipBoardFormat = v;
    }
    bool TitleVisible() const;
    void SetTitleVisible(bool v);
    QString TitleText() const;
    void SetTitleText(const QString& v);
    double TitleMargin() const;
    void SetTitleMargin(double v);
    bool BackGroundGradientEnabled() const
    {
        return FGradientEnabled;
    }
    void SetBackGroundGradientEnabled(bool v);
    TcFillDirection BackGroundGradientDirection() const
    {
        return FGradientDirection;
    }
    void SetBackGroundGradientDirection(TcFillDirection v);
    TColor BackGroundGradientStartColor() const
    {
        return FGradientStartColor;
    }
    void SetBackGroundGradientStartColor(TColor v);
    TColor BackGroundGradientStopColor() const
    {
        return FGradientStopColor;
    }
    void SetBackGroundGradientStopColor(TColor v);

    TcPrinterOrientation PrintOrientation() const
    {
        return FPrintOrientation;
    }
    void SetPrintOrientation(TcPrinterOrientation v)
    {
        FPrintOrientation = v;
    }
    double PrintMarginLeft() const
    {
        return FPrintMargin[0];
    }
    void SetPrintMarginLeft(double v)
    {
        FPrintMargin[0] = v;
    }
    double PrintMarginTop() const
    {
        return FPrintMargin[1];
    }
    void SetPrintMarginTop(double v)
    {
        FPrintMargin[1] = v;
    }
    double PrintMarginRight() const
    {
        return FPrintMargin[2];
    }
    void SetPrintMarginRight(double v)
    {
        FPrintMargin[2] = v;
    }
    double PrintMarginBottom() const
    {
        return FPrintMargin[3];
    }
    void SetPrintMarginBottom(double v)
    {
        FPrintMargin[3] = v;
    }
    bool PrintShowDialog() const
    {
        return FPrintShowDialog;
    }
    void SetPrintShowDialog(bool v)
    {
        FPrintShowDialog = v;
    }
    const QString& PrintDocumentName() const
    {
        return FPrintDocumentName;
    }
    void SetPrintDocumentName(const QString& v)
    {
        FPrintDocumentName = v;
    }
    const QString& PrinterName() const
    {
        return FPrinterName;
    }
    void SetPrinterName(const QString& v)
    {
        FPrinterName = v;
    }
    fw::TFont& TitleFont();
    const QString& LogFileName() const
    {
        return FLogFileName;
    }
    // Refused while logging.
    void SetLogFileName(const QString& v);
    int LogBufferSize() const
    {
        return FLogBufferSize;
    }
    void SetLogBufferSize(int v)
    {
        FLogBufferSize = v;
    }
    bool LoggingActive() const
    {
        return FLoggingActive;
    }
    fw::TFont& AnnotationDefaultFont()
    {
        return FAnnotationDefaultFont;
    }
    fw::TBrushStyle AnnotationDefaultBrushStlye() const
    {
        return FAnnotationDefaultBrushStyle;
    }
    void SetAnnotationDefaultBrushStlye(fw::TBrushStyle v)
    {
        FAnnotationDefaultBrushStyle = v;
    }
    TColor AnnotationDefaultBrushColor() const
    {
        return FAnnotationDefaultBrushColor;
    }
    void SetAnnotationDefaultBrushColor(TColor v)
    {
        FAnnotationDefaultBrushColor = v;
    }
    fw::TPenStyle AnnotationDefaultPenStlye() const
    {
        return FAnnotationDefaultPenStyle;
    }
    void SetAnnotationDefaultPenStlye(fw::TPenStyle v)
    {
        FAnnotationDefaultPenStyle = v;
    }
    TColor AnnotationDefaultPenColor() const
    {
        return FAnnotationDefaultPenColor;
    }
    void SetAnnotationDefaultPenColor(TColor v)
    {
        FAnnotationDefaultPenColor = v;
    }
    int AnnotationDefaultPenWidth() const
    {
        return FAnnotationDefaultPenWidth;
    }
    void SetAnnotationDefaultPenWidth(int v)
    {
        FAnnotationDefaultPenWidth = v;
    }
    TcPlotReferenceType AnnotationDefaultReference() const
    {
        return FAnnotationDefaultReference;
    }
    void SetAnnotationDefaultReference(TcPlotReferenceType v)
    {
        FAnnotationDefaultReference = v;
    }
    // Position X, position Y, size X, size Y.
    template <int I> TcPlotReferenceIndividual AnnotationDefaultReferenceOf() const
    {
        return FAnnotationDefaultRef[I];
    }
    template <int I> void SetAnnotationDefaultReferenceOf(TcPlotReferenceIndividual v)
    {
        FAnnotationDefaultRef[I] = v;
    }
    bool ClipAnnotationsToAxes() const
    {
        return FClipAnnotationsToAxes;
    }
    void SetClipAnnotationsToAxes(bool v);
    TcPlotDataFileColumnSeparator DataFileColumnSeparator() const
    {
        return FDataFileColumnSeparator;
    }
    // Both refused while logging.
    void SetDataFileColumnSeparator(TcPlotDataFileColumnSeparator v);
    TcPlotDataFileFormat DataFileFormat() const
    {
        return FDataFileFormat;
    }
    void SetDataFileFormat(TcPlotDataFileFormat v);
    const QString& DefaultSaveImageDirectory() const
    {
        return FDefaultSaveImageDirectory;
    }
    void SetDefaultSaveImageDirectory(const QString& v)
    {
        FDefaultSaveImageDirectory = v;
    }
    TcPlotImageFormatStyle DefaultSaveImageFormat() const
    {
        return FDefaultSaveImageFormat;
    }
    void SetDefaultSaveImageFormat(TcPlotImageFormatStyle v)
    {
        FDefaultSaveImageFormat = v;
    }
    const QString& DefaultPropertyDirectory() const
    {
        return FDefaultPropertyDirectory;
    }
    void SetDefaultPropertyDirectory(const QString& v)
    {
        FDefaultPropertyDirectory = v;
    }
    const QString& DefaultDataDirectory() const
    {
        return FDefaultDataDirectory;
    }
    void SetDefaultDataDirectory(const QString& v)
    {
        FDefaultDataDirectory = v;
    }
    const QString& DefaultAnnotationDirectory() const
    {
        return FDefaultAnnotationDirectory;
    }
    void SetDefaultAnnotationDirectory(const QString& v)
    {
        FDefaultAnnotationDirectory = v;
    }
    bool DifferentialPropertySave() const
    {
        return FDifferentialPropertySave;
    }
    void SetDifferentialPropertySave(bool v)
    {
        FDifferentialPropertySave = v;
    }
    const TPropertyTable& PropertyTable() const override;
    static const TPropertyTable& ClassTable();

    // Files. The property file holds the object counts, one section per object ("Channel0.Color")
    // and the chart's own properties; a load checks the whole file before it replaces any object.
    // Data files hold every channel's points in DataFileFormat; a load adds them to the channels.
    // Failures come back as the operation's "Error ... - " text and the reason.
    bool SavePropertiesToFile(const QString& FileName, QString* Error = nullptr) override;
    bool LoadPropertiesFromFile(const QString& FileName, QString* Error = nullptr) override;
    bool SaveAnnotationsToFile(const QString& FileName, QString* Error = nullptr);
    bool LoadAnnotationsFromFile(const QString& FileName, QString* Error = nullptr);
    bool SaveDataToFile(const QString& FileName, QString* Error = nullptr);
    bool LoadDataFromFile(const QString& FileName, QString* Error = nullptr);
    // With ClearPreviousData, every channel's points are cleared once the file has been read whole
    // (a refused file leaves them).
    bool LoadDataFromFile(const QString& FileName, bool ClearPreviousData, QString* Error);
    const QString& LastPropertiesFileName() const
    {
        return FLastPropertiesFileName;
    }
    const QString& LastDataFileName() const
    {
        return FLastDataFileName;
    }
    // One point per channel at XValue from a list of values (null and empty markers honoured), or
    // from a list of per-channel lists one row per element, each X the channel's last X + XValue.
    // Raises EChartError for other shapes and for more values than channels; nothing is added then.
    void AddDataArray(double XValue, const QVariant& Data);
    // Copies points StartIndex .. StopIndex of one channel to the end of another (raises on bad
    // indexes).
    void TransferChannelData(int SourceChannelIndex, int DestinationChannelIndex, int StartIndex,
                             int StopIndex);
    // Ends logging (writing what is pending), clears every channel and resets the axes' alignment.
    void ClearAllData();
    // Logging of AddDataArray rows to LogFileName in DataFileFormat; raises EChartError.
    void LogActivate(bool Append);
    void LogDeactivate();
    // The local date and time as days since 30 December 1899.
    static double GetNow();
    // The chart as a property stream: its published properties, then each kind's objects as one
    // collection ("ToolBarManager" ... "LabelManager", "TranslationManager"), ended by the list end.
    // A read rebuilds the objects inside the load bracket; a malformed stream raises EChartError.
    void DefineProperties(TcFiler& Filer) override;
    void WriteToStream(TcWriter& Writer);
    void ReadFromStream(TcReader& Reader);
    using TcFileEvent = std::function<void(TcPlotComponent* Sender)>;
    TcFileEvent OnBeforeLoadProperties, OnAfterLoadProperties, OnAfterSaveProperties, OnAfterSaveData,
        OnAfterLoadData;

    // The three image lists (Index 0 to 2; another index is refused with "ImageList Index must be
    // 0-2"). The first image sets a list's size; a smaller one is centred on its transparent colour
    // (its bottom-left pixel); one larger in one direction only is refused.
    bool ImageListClear(int Index, QString* Error = nullptr);
    bool ImageListAdd(int Index, const QImage& Bitmap, QString* Error = nullptr);

    // Building in code: objects created between BeginLoading and Loaded keep their Z-orders; the
    // layout manager and the repaint wait for Loaded.
    void BeginLoading();
    void Loaded() override;

    // Lays the chart out on an off-screen bitmap of its size, so that every rectangle is current.
    void ReCalcLayout();
    bool PaintingActive() const
    {
        return FPaintingActive;
    }
    TRect PlotRect() const
    {
        return FPlotRect;
    }
    const std::vector<TRect>& AxesCollisionList() const
    {
        return FAxesCollisionList;
    }
    // The objects the last paint drew inside the plotting rectangle, in drawing order.
    const std::vector<TcPlotObject*>& LayerOrder() const
    {
        return FLayerOrder;
    }
    const TcHintData& Hint() const
    {
        return FHint;
    }
    // Whether the last paint drew the hint.
    bool HintShowing() const
    {
        return FHintShowing;
    }
    // The mouse cursor the chart shows (the library's cursor number: 0 default, -21 hand point,
    // -9 / -7 west-east / north-south sizing, -8 / -6 the diagonal sizings).
    int MouseCursorId() const
    {
        return FMouseCursor;
    }
    TcPlotObject* LastMouseClickObject() const
    {
        return FLastMouseClickObject;
    }
    // Toolbar 0's select mode (false without a toolbar); setting it clicks the select button when
    // the state differs.
    bool ToolBarSelectMode()
    {
        return SelectModeActive();
    }
    void SetToolBarSelectMode(bool Value);

    // Output. Copy, print and the preview hide every toolbar and deselect every object while they
    // draw; each toolbar gets its own visibility back.
    bool CopyToClipBoard(QString* Error = nullptr);
    // The save picker (a name without an extension takes the chosen type's); a cancel is true. The
    // extension (any letter case) picks the format: bmp, pdf (the vector picture), jpg, png; another
    // is refused with a text that names the file.
    bool Save(QString* Error = nullptr);
    bool SaveImage(const QString& FileName, QString* Error = nullptr);
    // The chart recorded as a picture at its size, kept by the chart.
    const QPicture& GetSnapShotPicture();
    // Prints through the installed printer; failures read "Error Printing : " and the reason, with
    // the chart as it was.
    bool PrintChart(QString* Error = nullptr);
    static bool PrintingAvailable();
    // Pages along the first X axis onto Device, one page per Span from the axis's Min to its Max.
    void PrintPages(QPagedPaintDevice& Device);
    void PreviewChart();
    // Both use the paper of the last print (zero before one; then they do nothing).
    void PrintSizeToFillPage();
    void PrintAdjustXSpanToMinutesPerMillimeter(double MinutesPerMillimeter);
    const TcPrintPaper& PrintPaper() const
    {
        return FPrintPaper;
    }
    std::function<void(QObject*Sender)> OnBeforePrint, OnAfterPrint;
    std::function<void(int Page, bool LastPage)> OnBeforePrintPage;

    // TcPlotOwner.
    void ToolBarCommand(int Type) override;
    bool ToolBarCommandAvailable(int Type) const override;
    void DoPlotEvent(TcPlotEvent& Event) override;
    void AxesCollisionAdd(const TRect& r) override
    {
        FAxesCollisionList.push_back(r);
    }
    bool AxesCollisionTestAdd(const TRect& r) override;
    void SetAllTracking(bool Value) override;
    void RepaintChartNow() override
    {
        RepaintNow();
    }
    fw::TCustomImageList* ImageList(int Index) override;
    const fw::TFont* HintsFontOf() override
    {
        return &FHintsFont;
    }
    bool ClipAnnotationsToAxesOf() const override
    {
        return FClipAnnotationsToAxes;
    }
    QChar DataFileSeparatorOf() const override
    {
        return FDataFileColumnSeparator == ipdfcsComma ? QLatin1Char(',') : QLatin1Char('\t');
    }
    bool DifferentialPropertySaveOf() const override
    {
        return FDifferentialPropertySave;
    }

    std::function<void(TcPlotEvent&)> OnPlotEvent;
    // An object was added or removed (every kind but toolbars, labels and translations), with its
    // index in its kind.
    std::function<void(TcPlotObject* Object, int Index)> OnAddObject;
    std::function<void(TcPlotObject* Object, int Index)> OnRemoveObject;
    std::function<void(int Index)> OnAddChannel;
    std::function<void(int Index)> OnRemoveChannel;
    std::function<void(TcPlotComponent* Sender)> OnAfterPaint;
    // Raised when the property editor has been filled and is about to show (the master manager as
    // sender), and when the editor form is destroyed (the form as sender).
    std::function<void(TcPlotMasterManager* Sender)> OnAfterOpenEditor;
    std::function<void(QWidget* Sender)> OnAfterCloseEditor;

  protected:
    void iPaint(TCanvas& Canvas) override;
    void iMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void iMouseMove(TShiftState Shift, int X, int Y) override;
    void iMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void iDoubleClick() override
    {
        FDblClickActive = true;
    }
    bool iMouseWheel(int WheelDelta, TShiftState Shift, TPoint MousePos) override;
    void iWantSpecialKey(Word& Key, bool& Want) override;
    void iKeyDown(Word& Key, TShiftState Shift) override;
    // The pointer left the control: the hint goes and the last object is told.
    void MouseLeave() override;

    virtual void DoObjectAdd(TcPersistent* Sender);
    virtual void DoObjectRemove(TcPersistent* Sender);
    virtual void DoObjectChange(TcPersistent*)
    {
        InvalidateChange();
    }

  private:
    void SetMargin(int side, int v);
    TcPlotLabel* TitleLabel() const;
    void Layout(TCanvas& Canvas);
    // Spreads the objects that give start and stop percentages over the data view d.
    void PlaceAlongDataView(const TRect& d, int border);
    // Places the cartesian and aligned axes and shrinks FPlotRect to the axes' scales.
    void LayOutAxes(TCanvas& Canvas, const TRect& d);
    void CalcAllTicks(TCanvas& Canvas);
    // Cursor values, ticks, layout and each object's draw preparation, before a paint.
    void PrepareForPaint(TCanvas& Canvas, TcPlotDataView* dv);
    // The objects inside the data view in layer order, each clipped to it.
    void DrawLayers(TCanvas& Canvas, TcPlotDataView* dv, TColor layerColor);
    // Axes outside the data view, labels, tool bars, cursors, legends and tables.
    void DrawOuterObjects(TCanvas& Canvas, TColor layerColor);
    TcPlotObject* HitObject(int X, int Y);
    void SetMouseCursor(int Cursor);
    void HintRules(TcPlotObject* Over, const TcHintData& Data, TShiftState Shift, int X, int Y);
    void HintTimerExpired();
    void HideHint();
    bool KindFiresEvents(const TcPlotObject* o) const;
    void LogWriteBuffer();
    // The config's sections checked against scratch objects of their kinds, then applied.
    void CheckPlotConfig(const TcPlotConfig& Config);
    void ApplyPlotConfig(const TcPlotConfig& Config);
    // Adds an axis, legend, table, data view, data cursor or limit by its file kind.
    int AddOfKind(int Kind);

    std::unique_ptr<TcPlotMasterManager> FMaster;
    std::vector<TRect> FAxesCollisionList;
    std::vector<TcPlotObject*> FLayerOrder;
    std::vector<TcPlotLayoutObject*> FVisibleListLeft, FVisibleListRight, FVisibleListTop, FVisibleListBottom;
    TcPopupMenu FPopupMenu;
    fw::TFont FHintsFont;
    std::unique_ptr<fw::TCustomImageList> FImageList[3];
    TcHintData FHint;
    TcPlotObject* FLastHintObject = nullptr;
    int FLastHintX = 0, FLastHintY = 0;
    TRect FLastHintShowRect;
    bool FHintShowing = false;
    int FMouseCursor = 0;
    TRect FPlotRect;
    TcPlotObject* FMouseDownObject = nullptr;
    TcPlotObject* FLastMouseOverObject = nullptr;
    TcPlotObject* FLastMouseClickObject = nullptr;
    bool FPaintingActive = false, FMouseDown = false, FDblClickActive = false, FSelectingActive = false;
    int FLoadUpdateDepth = 0;
    bool FUserCanAddRemoveChannels = false;
    int FOuterMargin[4] = {5, 5, 5, 5};
    bool FHintsShow = true;
    int FHintsPause = 500, FHintsHidePause = 2500;
    TcPlotFormStyle FEditorFormStyle = ipfsModal;
    TcPlotExportFormat FCopyToClipBoardFormat = ipefMetaFile;
    bool FGradientEnabled = false;
    TcFillDirection FGradientDirection = ifdTopBottom;
    TColor FGradientStartColor = 0xFF0000, FGradientStopColor = 0;
    TcPrinterOrientation FPrintOrientation = poLandscape;
    double FPrintMargin[4] = {1, 1, 1, 1};
    bool FPrintShowDialog = true;
    QString FPrintDocumentName = QStringLiteral("Untitled"), FPrinterName;
    QString FLogFileName;
    int FLogBufferSize = 0;
    bool FLoggingActive = false;
    int FLogBufferCount = 0;
    QString FLastPropertiesFileName, FLastDataFileName;
    fw::TFont FAnnotationDefaultFont;
    fw::TBrushStyle FAnnotationDefaultBrushStyle = fw::bsSolid;
    TColor FAnnotationDefaultBrushColor = fw::clWhite;
    fw::TPenStyle FAnnotationDefaultPenStyle = fw::psSolid;
    TColor FAnnotationDefaultPenColor = fw::clWhite;
    int FAnnotationDefaultPenWidth = 1;
    TcPlotReferenceType FAnnotationDefaultReference = iprtDataView;
    TcPlotReferenceIndividual FAnnotationDefaultRef[4] = {ipriAuto, ipriAuto, ipriAuto, ipriAuto};
    bool FClipAnnotationsToAxes = true;
    TcPlotDataFileColumnSeparator FDataFileColumnSeparator = ipdfcsTab;
    TcPlotDataFileFormat FDataFileFormat = ipdffText;
    QString FDefaultSaveImageDirectory, FDefaultPropertyDirectory, FDefaultDataDirectory,
        FDefaultAnnotationDirectory;
    TcPlotImageFormatStyle FDefaultSaveImageFormat = ipifBitmap;
    bool FDifferentialPropertySave = false;
    TcPrintPaper FPrintPaper;
    double FPrintXStart = 0, FPrintXStop = 0;
    std::unique_ptr<QPicture> FSnapShotPicture;
};

} // namespace chart
