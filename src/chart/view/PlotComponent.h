// TcPlotComponent: the chart control. It owns the master manager and offers per object kind Add,
// Delete, RemoveAll, Count and lookup; lays out every visible object around the plotting rectangle
// and paints the chart in layers (iPaint); keeps the occupied-rectangle list the axes' labels test;
// gives itself the keyboard focus on a press, routes presses, moves, releases, keys and the wheel to
// its objects, and turns the objects' notifications into its events. Charts built in code bracket
// their set-up with BeginLoading / Loaded. UI thread only.
#pragma once

#include "chart/component/Component.h"
#include "chart/objects/MasterManager.h"
#include "chart/axes/PlotAxis.h"
#include "chart/channels/PlotChannelCustom.h"
#include "framework/ImageList.h"

#include <memory>
#include <vector>

namespace chart
{

enum TcPlotFormStyle : std::uint8_t { ipfsModal, ipfsStayOnTop };
enum TcPlotExportFormat : std::uint8_t { ipefMetaFile, ipefBitmap, ipefJPEG };

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

    // TcPlotOwner.
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

    std::function<void(TcPlotEvent&)> OnPlotEvent;
    // An object was added or removed (every kind but toolbars, labels and translations), with its
    // index in its kind.
    std::function<void(TcPlotObject* Object, int Index)> OnAddObject;
    std::function<void(TcPlotObject* Object, int Index)> OnRemoveObject;
    std::function<void(int Index)> OnAddChannel;
    std::function<void(int Index)> OnRemoveChannel;
    std::function<void(TcPlotComponent* Sender)> OnAfterPaint;

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
    bool KindFiresEvents(const TcPlotObject* o) const;

    std::unique_ptr<TcPlotMasterManager> FMaster;
    std::vector<TRect> FAxesCollisionList;
    std::vector<TcPlotObject*> FLayerOrder;
    std::vector<TcPlotLayoutObject*> FVisibleListLeft, FVisibleListRight, FVisibleListTop, FVisibleListBottom;
    TcPopupMenu FPopupMenu;
    fw::TFont FHintsFont;
    std::unique_ptr<fw::TCustomImageList> FImageList[3];
    TcHintData FHint;
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
};

} // namespace chart
