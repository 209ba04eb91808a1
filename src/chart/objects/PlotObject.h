// The chart object base classes. TcPlotObject: name, visibility, layer, selection and focus, the
// mouse and key entry points the chart calls, the popup menu and the handlers through which an
// object tells its chart that it changed. TcPlotManagerObject: an object filed with the managers
// (its handlers are checked). TcPlotLayoutObject: an object placed on a side of the plotting area.
// TcPlotButton: a clickable rectangle with optional auto-repeat. The chart owns its objects
// through the per-kind managers; an object is announced after construction (DoInsert) and
// withdrawn before destruction (Dispose), never from a constructor or destructor. UI thread only.
#pragma once

#include "chart/component/ChartDraw.h"
#include "chart/core/ChartError.h"
#include "chart/core/PropertyText.h"
#include "framework/Canvas.h"
#include "framework/Events.h"
#include "framework/ImageList.h"
#include "runtime/Timer.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace chart
{

using fw::TMouseButton;
using fw::TShiftState;
using fw::Word;

class TcPlotObject;
class TcPlotAxis;
class TcPlotMasterManager;

using TcObjectHandler = std::function<void(TcPersistent* Sender)>;

// The handlers every managed object and manager is created with.
struct TcPlotHandlers {
    TcObjectHandler OnRename;
    TcObjectHandler OnRemove;
    TcObjectHandler OnInsert;
    TcObjectHandler OnChange;
};

// A popup menu as the objects fill it; the chart shows it.
struct TcMenuItem {
    QString Caption;
    QString AString;
    bool Checked = false;
    bool Enabled = true;
    bool Visible = true;
    std::function<void()> OnClick;
    // A sub-menu's items (a parent item has no click of its own).
    std::vector<TcMenuItem> Items;
};
struct TcPopupMenu {
    std::vector<TcMenuItem> Items;
    int PopupCount = 0;
    TPoint PopupAt;
    // Shows the items at PopupAt (screen position); the chart sets it.
    std::function<void(TcPopupMenu&)> OnPopup;
    void Popup(int X, int Y)
    {
        ++PopupCount;
        PopupAt = {X, Y};
        if (OnPopup)
            OnPopup(*this);
    }
};

struct TcPlotMouseData {
    int X = 0, Y = 0, ScreenX = 0, ScreenY = 0, XAxisPixels = 0, YAxisPixels = 0;
    TShiftState Shift = 0;
    int Button = 0;
    bool DblClickActive = false;
};
struct TcHintData {
    QString Text;
    int Left = 0, Top = 0, Width = 0, Height = 0;
    bool Visible = false;
};

// What a chart reports to its user about one object: the per-kind events of the chart.
enum class TcPlotEventKind {
    GotFocus,
    LostFocus,
    MouseDown,
    MouseMove,
    MouseUp,
    MouseWheel,
    Popup,
    AxisMinChange,
    AxisSpanChange,
    AxisMinSpanChange,
    AxisMinSpanChangeFinished,
    AxisClick,
    AxisCustomizeLabel,
    Click,
    DblClick,
    BeforeToolBarButtonClick,
    ToolBarButtonClick,
    BeforeDataCursorUpdate,
    DataCursorChange,
    DataCursorCustomizeHint,
    BeforeZoomBox,
    // The object may replace MouseCursor.
    GetMouseCursor,
    // Data points: DataIndex is the point (-1 for none); Values as the chart's events list them.
    MouseDownDataPoint,
    MouseMoveDataPoint,
    MouseUpDataPoint,
    ClickDataPoint,
    DblClickDataPoint,
    DataPointMoved,
    DataPointCustomizeHint,
    // Limits: Values are the old and the new position.
    LimitLine1PositionChange,
    LimitLine2PositionChange,
    AnnotationCoordinatesChange,
    AnnotationMoveUser,
    AnnotationResizeUser,
    AnnotationCoordinatesChangeFinished
};
struct TcPlotEvent {
    TcPlotEventKind Kind;
    TcPlotObject* Object = nullptr;
    int Index = -1;
    double Values[4] = {0, 0, 0, 0};
    bool Cancel = false;
    QString* Text = nullptr;
    int DataIndex = -1;
    int MouseCursor = 0;
};

// What chart objects need of the chart that owns them (the chart control implements it).
class TcPlotOwner
{
  public:
    virtual ~TcPlotOwner() = default;
    virtual TcPlotMasterManager& Master() = 0;
    virtual QString TranslateText(const QString& Text);
    virtual TcPlotAxis* GetXAxisByName(const QString& Name);
    virtual TcPlotAxis* GetYAxisByName(const QString& Name);
    // The per-kind events; the base does nothing.
    virtual void DoPlotEvent(TcPlotEvent&) {}
    // The rectangles taken by axis scales and labels during one paint: register one, or register a
    // candidate only when it is free (the base accepts everything).
    virtual void AxesCollisionAdd(const TRect&) {}
    virtual bool AxesCollisionTestAdd(const TRect&) { return true; }
    // Chart-wide services the objects call; a chart without a window does nothing.
    virtual void SetAllTracking(bool) {}
    virtual bool IsXYPlot() const { return false; }
    virtual bool IsStripChart() const { return false; }
    virtual void RepaintChartNow() {}
    // The chart's three image lists (0 .. 2); null for any other index or without a chart.
    virtual fw::TCustomImageList* ImageList(int) { return nullptr; }
    // The toolbar commands that act on the chart as a whole (properties, copy, save, print,
    // preview), by button type; the base does nothing. A command the chart cannot carry out yet is
    // not available, and its button is disabled.
    virtual void ToolBarCommand(int) {}
    virtual bool ToolBarCommandAvailable(int) const { return false; }
    // The font the chart's hints are drawn with; null without a chart.
    virtual const fw::TFont* HintsFontOf() { return nullptr; }
    // The chart-wide clip of channel-referenced annotations to their axes.
    virtual bool ClipAnnotationsToAxesOf() const { return false; }
    // The chart's data-file column separator and whether property files leave out defaults.
    virtual QChar DataFileSeparatorOf() const { return QLatin1Char('\t'); }
    virtual bool DifferentialPropertySaveOf() const { return false; }
    // Whether toolbar 0's select mode is on (false without a toolbar).
    bool SelectModeActive();
    // Set while one axis hands its input to the others (they do not hand it on again).
    bool FUIInputForwarding = false;
};

class TcPlotObject : public TcPersistent
{
  public:
    TcPlotObject(TcPlotOwner* AOwner, const TcPlotHandlers& handlers);
    ~TcPlotObject() override;

    const QString& Name() const { return FName; }
    void SetName(const QString& Value);
    const QString& NameOld() const { return FNameOld; }
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool Value);
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value);
    int Layer() const { return FLayer; }
    void SetLayer(int Value) { SetIntegerValue(Value, FLayer, &TcPlotObject::DoChange); }
    bool PopupEnabled() const { return FPopupEnabled; }
    void SetPopupEnabled(bool Value) { SetBooleanValue(Value, FPopupEnabled, &TcPlotObject::DoChange); }
    bool CanFocus() const { return FCanFocus; }
    void SetCanFocus(bool Value) { SetBooleanValue(Value, FCanFocus, &TcPlotObject::DoChange); }
    bool UserSelected() const { return FUserSelected; }
    void SetUserSelected(bool Value);
    bool UserCanEdit() const { return FUserCanEdit; }
    void SetUserCanEdit(bool Value) { FUserCanEdit = Value; }
    bool XYAxesReversed() const { return FXYAxesReversed; }
    TShiftState ShiftState() const { return FShiftState; }
    void SetShiftState(TShiftState Value) { FShiftState = Value; }
    TcPlotOwner* Owner() const { return FOwner; }
    bool CanDraw() const { return FCanDraw; }

    TcObjectHandler OnSetFocus;
    TcObjectHandler OnEdit;
    TcObjectHandler OnInvalidateNow;
    TcObjectHandler OnLayoutChange;
    // Cleared by the object manager's shut-down so that destruction notifies nobody.
    void ClearNotifications();

    virtual void SetXYAxesReverse(bool Value) { FXYAxesReversed = Value; }
    virtual void DoChange();
    virtual void DoLayoutChange();
    virtual void NotificationRemove(TcPlotObject*) {}
    virtual void NotificationRename(TcPlotObject*) {}
    virtual void NotificationSetFocus(TcPlotObject*) {}
    virtual void PrepareDraw() { FCanDraw = true; }
    virtual void Draw(TCanvas&, TColor) {}
    virtual void iMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y, int ScreenX, int ScreenY,
                            TcPopupMenu* Menu);
    virtual void iMouseMove(TcHintData& Hint, TShiftState Shift, int X, int Y, int ScreenX, int ScreenY,
                            bool DblClickActive);
    virtual void iMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y, int ScreenX, int ScreenY,
                          bool DblClickActive, TcPopupMenu* Menu);
    virtual bool iHitTest(const TcPlotMouseData&) { return false; }
    virtual bool iMouseWheel(int WheelDelta, TShiftState Shift, TPoint MousePos);
    virtual void iKeyDown(Word& Key, TShiftState Shift, TcPopupMenu* Menu);
    virtual void DoMouseNotOver() {}
    virtual TcPlotObject* GetMouseOverObject(int X, int Y);
    virtual int GetMouseCursor(TPoint P);
    virtual void DoInsert();
    virtual void FillPopupMenu(TcPopupMenu& Menu) { Menu.Items.clear(); }

    // Withdraws the object (remove handler, then the layout change) before it is deleted.
    void Dispose();
    bool HitTest(int X, int Y);
    QString TranslateText(const QString& Text) const;
    void GetAxisPixels(int X, int Y, int& XAxisPixels, int& YAxisPixels) const;
    void DoRename();
    void DoInvalidateNow();
    void DoSetFocus();
    void DoEdit();
    void CancelPopup() { FMouseDownPopup = false; }
    void AddEditMenuItem(TcPopupMenu& Menu);
    // The object's index among its kind (for the chart's events); -1 when not filed.
    virtual int KindIndex() const;
    const TPropertyTable& PropertyTable() const override;
    static const TPropertyTable& ClassTable();

  protected:
    virtual void DoMouseHint(const TcPlotMouseData&, TcHintData&) {}
    virtual void DoMouseLeft(const TcPlotMouseData&) {}
    virtual void DoMouseRight(const TcPlotMouseData&) {}
    virtual void DoMouseMove(const TcPlotMouseData&) {}
    virtual void DoMouseUp(const TcPlotMouseData&) {}
    virtual bool DoMouseWheel(int, TShiftState, int, int) { return false; }
    virtual void DoGotFocus() { FireEvent(TcPlotEventKind::GotFocus); }
    virtual void DoLostFocus() { FireEvent(TcPlotEventKind::LostFocus); }
    // The centre at which a keyboard popup opens; false when the object has none.
    virtual bool PopupCentre(TPoint&) const { return false; }
    void FireEvent(TcPlotEventKind Kind, std::initializer_list<double> values = {}, bool* cancel = nullptr);
    // Fires an event the caller filled (the object and its index are set here).
    void FireEvent(TcPlotEvent& Event);
    // The cursor after the chart's mouse-cursor event for this object.
    int CustomizeMouseCursor(int Cursor);
    TcPlotMouseData MouseData(int X, int Y) const;
    void SetCanDraw(bool Value) { FCanDraw = Value; }

    using Notify = void (TcPlotObject::*)();
    template <class T> bool StoreAndNotify(const T& Value, T& Field, Notify change)
    {
        if (!fw::StoreProperty(Field, Value))
            return false;
        if (change)
            (this->*change)();
        return true;
    }
    bool SetBooleanValue(bool Value, bool& Field, Notify change)
    {
        return StoreAndNotify(Value, Field, change);
    }
    bool SetIntegerValue(int Value, int& Field, Notify change)
    {
        return StoreAndNotify(Value, Field, change);
    }
    bool SetColorValue(TColor Value, TColor& Field, Notify change)
    {
        return StoreAndNotify(Value, Field, change);
    }
    bool SetDoubleValue(double Value, double& Field, Notify change)
    {
        return StoreAndNotify(Value, Field, change);
    }
    bool SetStringValue(const QString& Value, QString& Field, Notify change)
    {
        return StoreAndNotify(Value, Field, change);
    }

    TcPlotOwner* FOwner;
    TcPlotHandlers FHandlers;
    TcPlotObject* FMouseOverObject = nullptr;
    bool FMouseDown = false;
    bool FMouseDownPopup = false;

  private:
    QString FName;
    QString FNameOld;
    TShiftState FShiftState = 0;
    bool FVisible = true;
    bool FEnabled = true;
    int FLayer = 100;
    bool FPopupEnabled = true;
    bool FCanFocus = true;
    bool FUserSelected = false;
    bool FUserCanEdit = true;
    bool FXYAxesReversed = false;
    bool FCanDraw = false;
};

// An object filed with the chart's managers: owner and handlers are required.
class TcPlotManagerObject : public TcPlotObject
{
  public:
    TcPlotManagerObject(TcPlotOwner* AOwner, const TcPlotHandlers& handlers);
};

class TcPlotLayoutObject : public TcPlotManagerObject
{
  public:
    TcPlotLayoutObject(TcPlotOwner* AOwner, const TcPlotHandlers& handlers);

    bool Horizontal() const { return FHorizontal; }
    void SetHorizontal(bool Value) { SetBooleanValue(Value, FHorizontal, &TcPlotObject::DoLayoutChange); }
    int ZOrder() const { return FZOrder; }
    void SetZOrder(int Value) { SetIntegerValue(Value, FZOrder, &TcPlotObject::DoLayoutChange); }
    double StartPercent() const { return FStartPercent; }
    void SetStartPercent(double Value);
    double StopPercent() const { return FStopPercent; }
    void SetStopPercent(double Value);
    void SetStartStopPercent(double Start, double Stop);
    bool ForceStacking() const { return FForceStacking; }
    void SetForceStacking(bool Value)
    {
        SetBooleanValue(Value, FForceStacking, &TcPlotObject::DoLayoutChange);
    }
    bool ReverseSide() const { return FReverseSide; }
    void SetReverseSide(bool Value) { SetBooleanValue(Value, FReverseSide, &TcPlotObject::DoChange); }
    bool StartStacked() const { return FStartStacked; }
    bool StopStacked() const { return FStopStacked; }
    void SetStartStacked(bool Value) { FStartStacked = Value; }
    void SetStopStacked(bool Value) { FStopStacked = Value; }

    TRect DrawRect() const { return {FLeft, FTop, FRight, FBottom}; }
    void SetDrawRect(const TRect& r);
    TRect LayoutRect() const { return {FLayoutLeft, FLayoutTop, FLayoutRight, FLayoutBottom}; }
    void SetLayoutRect(const TRect& r);
    virtual bool IsHorz() const { return FHorizontal; }
    bool IsVert() const { return !IsHorz(); }
    int Width() const { return FRight - FLeft; }
    int Height() const { return FBottom - FTop; }
    int LayoutWidth() const { return FLayoutRight - FLayoutLeft; }
    int LayoutHeight() const { return FLayoutBottom - FLayoutTop; }

    virtual int GetRequiredSize(TCanvas&) { return 0; }
    virtual int GetRequiredEndMargin(TCanvas&) { return 0; }

    QString GetLayerKey() const;
    QString GetZOrderKey() const;
    QString GetStartPercentKey() const;

    bool iHitTest(const TcPlotMouseData& M) override;
    void DoInsert() override;
    const TPropertyTable& PropertyTable() const override;
    static const TPropertyTable& ClassTable();

  protected:
    bool PopupCentre(TPoint& P) const override;
    int FLeft = 0, FTop = 0, FRight = 0, FBottom = 0;

  private:
    double FStopPercent = 100;
    double FStartPercent = 0;
    int FZOrder = 0;
    bool FHorizontal = false;
    bool FReverseSide = false;
    bool FStartStacked = false;
    bool FStopStacked = false;
    int FLayoutLeft = 0, FLayoutTop = 0, FLayoutRight = 0, FLayoutBottom = 0;
    bool FForceStacking = false;
};

// A clickable rectangle inside a toolbar, legend or table; not filed with any manager.
class TcPlotButton : public TcPlotObject
{
  public:
    explicit TcPlotButton(TcPlotOwner* AOwner);
    ~TcPlotButton() override;

    TRect DrawRect() const { return {FLeft, FTop, FRight, FBottom}; }
    void SetDrawRect(const TRect& r);
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    bool TimerEnabled() const { return FTimerEnabled; }
    void SetTimerEnabled(bool Value) { FTimerEnabled = Value; }
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value) { FGroupIndex = Value; }
    void SetEnabled(bool Value) override;
    bool TimerRunning() const { return FTimer && FTimer->Enabled(); }

    std::function<void(TcPlotButton*)> OnClick;
    std::function<void(TcPlotButton*)> OnGroupClick;
    std::function<void(TcPlotButton*)> OnInvalidate;
    std::function<void(TcPlotButton*)> OnDownChange;

    bool iHitTest(const TcPlotMouseData& M) override;

  protected:
    void DoMouseLeft(const TcPlotMouseData& M) override;
    void DoMouseUp(const TcPlotMouseData& M) override;

  private:
    void TimerEvent();
    void FreeTimer();
    void DoInvalidate();
    int FTop = 0, FBottom = 0, FRight = 0, FLeft = 0;
    bool FDown = false;
    std::unique_ptr<fw::TTimer> FTimer;
    bool FFirstTimerMessage = false;
    bool FTimerEnabled = false;
    int FGroupIndex = 0;
};

// Raises the library's error when the owner or a handler is missing (checked in the order owner,
// change, insert, remove, rename); the owner's text differs between objects and managers.
void CheckHandlers(const void* owner, const TcPlotHandlers& handlers, const char* ownerMessage);

// Withdraws an object from its chart and deletes it.
void FreeObject(TcPlotObject* Object);

} // namespace chart
