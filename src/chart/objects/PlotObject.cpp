#include "chart/objects/PlotObject.h"

#include "chart/axes/PlotAxis.h"
#include "chart/objects/MasterManager.h"

#include <cmath>

namespace chart
{

using namespace fw;

QString TcPlotOwner::TranslateText(const QString& Text)
{
    return Master().TranslationManager()->FindReplacement(Text);
}

TcPlotAxis* TcPlotOwner::GetXAxisByName(const QString& Name)
{
    auto* m = Master().XAxisManager();
    return m ? static_cast<TcPlotAxis*>(m->GetObjectByName(Name)) : nullptr;
}

TcPlotAxis* TcPlotOwner::GetYAxisByName(const QString& Name)
{
    auto* m = Master().YAxisManager();
    return m ? static_cast<TcPlotAxis*>(m->GetObjectByName(Name)) : nullptr;
}

bool TcPlotOwner::SelectModeActive()
{
    auto* m = Master().ToolBarManager();
    return m && m->Count() > 0 && m->GetItem(0)->SelectActive();
}

// TcPlotObject.

TcPlotObject::TcPlotObject(TcPlotOwner* AOwner, const TcPlotHandlers& handlers)
    : FOwner(AOwner), FHandlers(handlers)
{
}

TcPlotObject::~TcPlotObject() = default;

const TPropertyTable& TcPlotObject::PropertyTable() const
{
    return ClassTable();
}

const TPropertyTable& TcPlotObject::ClassTable()
{
    static const TPropertyTable table = [] {
        TPropertyTable t;
        t.String("Name", &TcPlotObject::Name, &TcPlotObject::SetName, QString());
        t.Boolean("Visible", &TcPlotObject::Visible, &TcPlotObject::SetVisible, true);
        t.Boolean("Enabled", &TcPlotObject::Enabled, &TcPlotObject::SetEnabled, true);
        t.Ordinal("Layer", "Integer", &TcPlotObject::Layer, &TcPlotObject::SetLayer, 100);
        t.Boolean("PopupEnabled", &TcPlotObject::PopupEnabled, &TcPlotObject::SetPopupEnabled, true);
        t.Boolean("CanFocus", &TcPlotObject::CanFocus, &TcPlotObject::SetCanFocus, true);
        return t;
    }();
    return table;
}

void TcPlotObject::ClearNotifications()
{
    FHandlers.OnRemove = nullptr;
    FHandlers.OnChange = nullptr;
    OnLayoutChange = nullptr;
}

void TcPlotObject::SetName(const QString& Value)
{
    if (Value == FName)
        return;
    FNameOld = FName;
    FName = Value;
    if (FHandlers.OnRename)
        FHandlers.OnRename(this);
    DoChange();
}

void TcPlotObject::SetVisible(bool Value)
{
    SetBooleanValue(Value, FVisible, &TcPlotObject::DoChange);
}

void TcPlotObject::SetEnabled(bool Value)
{
    if (Value == FEnabled)
        return;
    FEnabled = Value;
    if (!Value) {
        FMouseDown = false;
        SetUserSelected(false);
    }
    DoChange();
}

void TcPlotObject::SetUserSelected(bool Value)
{
    if (Value == FUserSelected)
        return;
    FUserSelected = Value;
    DoInvalidateNow();
    if (!Value) {
        DoLostFocus();
    } else {
        DoSetFocus();
        DoGotFocus();
    }
}

void TcPlotObject::DoChange()
{
    if (FHandlers.OnChange)
        FHandlers.OnChange(this);
}

void TcPlotObject::DoLayoutChange()
{
    if (OnLayoutChange)
        OnLayoutChange(this);
    DoChange();
}

void TcPlotObject::DoInsert()
{
    if (FHandlers.OnInsert)
        FHandlers.OnInsert(this);
}

void TcPlotObject::Dispose()
{
    if (FHandlers.OnRemove)
        FHandlers.OnRemove(this);
    FHandlers.OnRemove = nullptr;
    DoLayoutChange();
    ClearNotifications();
}

void FreeObject(TcPlotObject* Object)
{
    if (!Object)
        return;
    Object->Dispose();
    delete Object;
}

void TcPlotObject::DoRename()
{
    if (FHandlers.OnRename)
        FHandlers.OnRename(this);
    DoChange();
}

void TcPlotObject::DoInvalidateNow()
{
    if (OnInvalidateNow)
        OnInvalidateNow(this);
}

void TcPlotObject::DoSetFocus()
{
    if (OnSetFocus)
        OnSetFocus(this);
}

void TcPlotObject::DoEdit()
{
    if (OnEdit)
        OnEdit(this);
}

QString TcPlotObject::TranslateText(const QString& Text) const
{
    return FOwner ? FOwner->TranslateText(Text) : Text;
}

void TcPlotObject::GetAxisPixels(int X, int Y, int& XAxisPixels, int& YAxisPixels) const
{
    XAxisPixels = FXYAxesReversed ? Y : X;
    YAxisPixels = FXYAxesReversed ? X : Y;
}

TcPlotMouseData TcPlotObject::MouseData(int X, int Y) const
{
    TcPlotMouseData m;
    m.X = X;
    m.Y = Y;
    GetAxisPixels(X, Y, m.XAxisPixels, m.YAxisPixels);
    return m;
}

bool TcPlotObject::HitTest(int X, int Y)
{
    return iHitTest(MouseData(X, Y));
}

int TcPlotObject::KindIndex() const
{
    return FOwner ? FOwner->Master().KindIndex(this) : -1;
}

void TcPlotObject::FireEvent(TcPlotEventKind Kind, std::initializer_list<double> values, bool* cancel)
{
    if (!FOwner)
        return;
    TcPlotEvent e{Kind, this, KindIndex()};
    int i = 0;
    for (double v : values)
        if (i < 4)
            e.Values[i++] = v;
    FOwner->DoPlotEvent(e);
    if (cancel)
        *cancel = e.Cancel;
}

void TcPlotObject::FireEvent(TcPlotEvent& Event)
{
    if (!FOwner)
        return;
    Event.Object = this;
    Event.Index = KindIndex();
    FOwner->DoPlotEvent(Event);
}

int TcPlotObject::CustomizeMouseCursor(int Cursor)
{
    TcPlotEvent e{TcPlotEventKind::GetMouseCursor};
    e.MouseCursor = Cursor;
    FireEvent(e);
    return e.MouseCursor;
}

void TcPlotObject::iMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y, int ScreenX, int ScreenY,
                              TcPopupMenu*)
{
    if (!FEnabled)
        return;
    TcPlotMouseData m = MouseData(X, Y);
    m.Button = Button;
    m.Shift = Shift;
    m.ScreenX = ScreenX;
    m.ScreenY = ScreenY;
    FMouseDownPopup = false;
    if (Button == mbRight) {
        FMouseDownPopup = FPopupEnabled;
        FMouseDown = true;
        DoMouseRight(m);
    } else if (Button == mbLeft) {
        FMouseDown = true;
        DoMouseLeft(m);
    }
    if (iHitTest(m))
        FireEvent(TcPlotEventKind::MouseDown, {double(Button), double(Shift), double(X), double(Y)});
}

void TcPlotObject::iMouseMove(TcHintData& Hint, TShiftState Shift, int X, int Y, int ScreenX, int ScreenY,
                              bool DblClickActive)
{
    TcPlotMouseData m = MouseData(X, Y);
    m.DblClickActive = DblClickActive;
    m.Shift = Shift;
    m.ScreenX = ScreenX;
    m.ScreenY = ScreenY;
    if (FMouseDown)
        DoMouseMove(m);
    else
        DoMouseHint(m, Hint);
    if (iHitTest(m))
        FireEvent(TcPlotEventKind::MouseMove, {double(Shift), double(X), double(Y)});
}

void TcPlotObject::iMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y, int ScreenX, int ScreenY,
                            bool DblClickActive, TcPopupMenu* Menu)
{
    TcPlotMouseData m = MouseData(X, Y);
    m.DblClickActive = DblClickActive;
    m.Button = Button;
    m.Shift = Shift;
    m.ScreenX = ScreenX;
    m.ScreenY = ScreenY;
    if (FMouseDownPopup && iHitTest(m)) {
        bool cancel = false;
        FireEvent(TcPlotEventKind::Popup, {double(ScreenX), double(ScreenY)}, &cancel);
        if (!cancel && Menu) {
            FillPopupMenu(*Menu);
            Menu->Popup(ScreenX, ScreenY);
        }
    }
    FMouseDownPopup = false;
    // The press ends even when a handler of the release fails.
    struct Release {
        bool& down;
        ~Release() { down = false; }
    } release{FMouseDown};
    DoMouseUp(m);
    if (FMouseDown) {
        FMouseDown = false;
        FireEvent(TcPlotEventKind::MouseUp, {double(Button), double(Shift), double(X), double(Y)});
    }
}

bool TcPlotObject::iMouseWheel(int WheelDelta, TShiftState Shift, TPoint MousePos)
{
    const bool result = DoMouseWheel(WheelDelta, Shift, MousePos.X, MousePos.Y);
    FireEvent(TcPlotEventKind::MouseWheel,
              {double(WheelDelta), double(Shift), double(MousePos.X), double(MousePos.Y)});
    return result;
}

void TcPlotObject::iKeyDown(Word& Key, TShiftState Shift, TcPopupMenu* Menu)
{
    const bool shiftF10 = Key == 0x79 && (Shift & ssShift);
    if (!(shiftF10 || Key == 0x5D) || !FPopupEnabled)
        return;
    bool cancel = false;
    FireEvent(TcPlotEventKind::Popup, {0, 0}, &cancel);
    if (cancel || !Menu)
        return;
    FillPopupMenu(*Menu);
    TPoint centre;
    if (PopupCentre(centre))
        Menu->Popup(centre.X, centre.Y);
}

TcPlotObject* TcPlotObject::GetMouseOverObject(int, int)
{
    FMouseOverObject = this;
    return this;
}

int TcPlotObject::GetMouseCursor(TPoint P)
{
    if (!FMouseOverObject) {
        FMouseOverObject = this;
        return 0;
    }
    if (FMouseOverObject != this)
        return FMouseOverObject->GetMouseCursor(P);
    return 0;
}

void TcPlotObject::AddEditMenuItem(TcPopupMenu& Menu)
{
    if (!FUserCanEdit)
        return;
    TcMenuItem item;
    item.Caption = TranslateText(QStringLiteral("Edit..."));
    item.OnClick = [this] { DoEdit(); };
    Menu.Items.push_back(std::move(item));
}

// TcPlotManagerObject.

TcPlotManagerObject::TcPlotManagerObject(TcPlotOwner* AOwner, const TcPlotHandlers& handlers)
    : TcPlotObject(AOwner, handlers)
{
    CheckHandlers(AOwner, handlers, "Owner must be assigned");
}

void CheckHandlers(const void* owner, const TcPlotHandlers& handlers, const char* ownerMessage)
{
    if (!owner)
        throw EChartError(QString::fromLatin1(ownerMessage));
    if (!handlers.OnChange)
        throw EChartError(QStringLiteral("OnChange event handler can not be null"));
    if (!handlers.OnInsert)
        throw EChartError(QStringLiteral("OnInsert event handler can not be null"));
    if (!handlers.OnRemove)
        throw EChartError(QStringLiteral("OnRemove event handler can not be null"));
    if (!handlers.OnRename)
        throw EChartError(QStringLiteral("AOnRename event handler can not be null"));
}

// TcPlotLayoutObject.

TcPlotLayoutObject::TcPlotLayoutObject(TcPlotOwner* AOwner, const TcPlotHandlers& handlers)
    : TcPlotManagerObject(AOwner, handlers)
{
}

const TPropertyTable& TcPlotLayoutObject::PropertyTable() const
{
    return ClassTable();
}

const TPropertyTable& TcPlotLayoutObject::ClassTable()
{
    static const TPropertyTable table = [] {
        TPropertyTable t(&TcPlotObject::ClassTable());
        using L = TcPlotLayoutObject;
        t.Boolean("Horizontal", &L::Horizontal, &L::SetHorizontal, false);
        t.Ordinal("ZOrder", "Integer", &L::ZOrder, &L::SetZOrder, 0, 0, 999);
        t.Float("StartPercent", &L::StartPercent, &L::SetStartPercent, 0, 0, 100);
        t.Float("StopPercent", &L::StopPercent, &L::SetStopPercent, 100, 0, 100);
        return t;
    }();
    return table;
}

void TcPlotLayoutObject::SetStartPercent(double Value)
{
    Value = std::clamp(Value, 0.0, 100.0);
    if (FStopPercent - Value < 1) {
        FStopPercent = Value + 1;
        if (FStopPercent > 100) {
            FStopPercent = 100;
            Value = 99;
        }
    }
    SetDoubleValue(Value, FStartPercent, &TcPlotObject::DoChange);
}

void TcPlotLayoutObject::SetStopPercent(double Value)
{
    Value = std::clamp(Value, 0.0, 100.0);
    if (Value - FStartPercent < 1) {
        FStartPercent = Value - 1;
        if (FStartPercent < 0) {
            FStartPercent = 0;
            Value = 1;
        }
    }
    SetDoubleValue(Value, FStopPercent, &TcPlotObject::DoChange);
}

void TcPlotLayoutObject::SetStartStopPercent(double Start, double Stop)
{
    FStartPercent = Start;
    FStopPercent = Stop;
    DoChange();
}

void TcPlotLayoutObject::SetDrawRect(const TRect& r)
{
    FLeft = r.Left;
    FTop = r.Top;
    FRight = r.Right;
    FBottom = r.Bottom;
}

void TcPlotLayoutObject::SetLayoutRect(const TRect& r)
{
    FLayoutLeft = r.Left;
    FLayoutTop = r.Top;
    FLayoutRight = r.Right;
    FLayoutBottom = r.Bottom;
}

namespace
{
QString Padded(long long v, int width)
{
    return QString::number(v).rightJustified(width, QLatin1Char('0'));
}
} // namespace

QString TcPlotLayoutObject::GetLayerKey() const
{
    return Padded(Layer(), 6);
}
QString TcPlotLayoutObject::GetZOrderKey() const
{
    return Padded(FZOrder, 3);
}
QString TcPlotLayoutObject::GetStartPercentKey() const
{
    return Padded(RoundHalfEven(FStartPercent), 3);
}

bool TcPlotLayoutObject::iHitTest(const TcPlotMouseData& M)
{
    return DrawRect().Contains({M.X, M.Y});
}

void TcPlotLayoutObject::DoInsert()
{
    TcPlotObject::DoInsert();
    if (OnLayoutChange)
        OnLayoutChange(this);
}

bool TcPlotLayoutObject::PopupCentre(TPoint& P) const
{
    P = {(FLeft + FRight) / 2, (FTop + FBottom) / 2};
    return true;
}

// TcPlotButton.

TcPlotButton::TcPlotButton(TcPlotOwner* AOwner) : TcPlotObject(AOwner, {})
{
    SetEnabled(true);
}

TcPlotButton::~TcPlotButton()
{
    FreeTimer();
}

void TcPlotButton::SetDrawRect(const TRect& r)
{
    FLeft = r.Left;
    FTop = r.Top;
    FRight = r.Right;
    FBottom = r.Bottom;
}

void TcPlotButton::SetDown(bool Value)
{
    if (Value == FDown)
        return;
    FDown = Value;
    DoInvalidate();
    if (OnDownChange)
        OnDownChange(this);
}

void TcPlotButton::SetEnabled(bool Value)
{
    TcPlotObject::SetEnabled(Value);
    if (!Value)
        FreeTimer();
}

bool TcPlotButton::iHitTest(const TcPlotMouseData& M)
{
    return DrawRect().Contains({M.X, M.Y});
}

void TcPlotButton::DoInvalidate()
{
    if (OnInvalidate)
        OnInvalidate(this);
}

void TcPlotButton::FreeTimer()
{
    FTimer.reset();
}

void TcPlotButton::DoMouseLeft(const TcPlotMouseData&)
{
    if (FTimerEnabled) {
        if (!FTimer)
            FTimer = std::make_unique<TTimer>();
        FTimer->SetInterval(500);
        FTimer->OnTimer = [this](TTimer*) { TimerEvent(); };
        FTimer->SetEnabled(true);
        FFirstTimerMessage = true;
    }
    DoInvalidate();
}

void TcPlotButton::TimerEvent()
{
    if (FFirstTimerMessage) {
        FTimer->SetInterval(50);
        FFirstTimerMessage = false;
    }
    if (OnClick)
        GuardChartCall("button repeat", [this] { OnClick(this); });
    DoInvalidate();
}

void TcPlotButton::DoMouseUp(const TcPlotMouseData& M)
{
    if (!FMouseDown)
        return;
    FMouseDown = false;
    FreeTimer();
    DoInvalidate();
    if (DrawRect().Contains({M.X, M.Y})) {
        if (FGroupIndex != 0 && OnGroupClick)
            OnGroupClick(this);
        if (OnClick)
            OnClick(this);
    }
}

} // namespace chart
