#include "chart/objects/ObjectManagers.h"

#include "chart/axes/PlotAxis.h"
#include "chart/channels/PlotChannelCustom.h"

#include <memory>

namespace chart
{

const TColor ChannelPalette[30] = {
    0x0000FF, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0x00FF00, 0xFFFFFF, 0x000080, 0x008000, 0x008080,
    0x800000, 0x800080, 0x808000, 0x808080, 0x0000C0, 0x00C000, 0x00C0C0, 0xC00000, 0xC000C0, 0xC0C000,
    0xC0C0C0, 0x0080FF, 0x8000FF, 0x8080FF, 0xFF0080, 0xFF8000, 0xFF8080, 0x00FF80, 0x80FF00, 0x80FF80};

TcPlotObjectManagerCustom::TcPlotObjectManagerCustom(TcPlotOwner* AOwner, const TcPlotHandlers& handlers)
    : FOwner(AOwner), FHandlers(handlers)
{
    CheckHandlers(AOwner, handlers, "Owner must be Assigned");
}

void TcPlotObjectManagerCustom::Announce()
{
    FHandlers.OnInsert(this);
}

void TcPlotObjectManagerCustom::Dispose()
{
    Clear();
    if (FHandlers.OnRemove)
        FHandlers.OnRemove(this);
    FHandlers = {};
}

void TcPlotObjectManagerCustom::NotificationRemove(TcPersistent* AObject)
{
    for (int i = int(FList.size()) - 1; i >= 0; --i)
        if (FList[std::size_t(i)] == AObject) {
            FList.erase(FList.begin() + i);
            DoObjectRemoved(static_cast<TcPlotObject*>(AObject));
            if (FHandlers.OnChange)
                FHandlers.OnChange(this);
            return;
        }
}

void TcPlotObjectManagerCustom::NotificationRename(TcPlotObject* AObject)
{
    for (TcPlotObject* o : std::vector<TcPlotObject*>(FList))
        o->NotificationRename(AObject);
}

void TcPlotObjectManagerCustom::NotificationSetFocus(TcPlotObject* AObject)
{
    for (TcPlotObject* o : std::vector<TcPlotObject*>(FList))
        o->NotificationSetFocus(AObject);
}

void TcPlotObjectManagerCustom::Delete(int Index)
{
    if (Index < 0 || Index >= Count())
        throw EChartError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    FList.erase(FList.begin() + Index);
}

void TcPlotObjectManagerCustom::InsertObject(TcPlotObject* AObject)
{
    if (std::find(FList.begin(), FList.end(), AObject) == FList.end())
        FList.push_back(AObject);
}

namespace
{
// Decimal digits after optional leading blanks, nothing else.
bool NameNumber(const QString& rest, long long& n)
{
    int i = 0;
    while (i < rest.size() && rest[i] == QLatin1Char(' '))
        ++i;
    if (i == rest.size())
        return false;
    n = 0;
    for (; i < rest.size(); ++i) {
        if (rest[i] < QLatin1Char('0') || rest[i] > QLatin1Char('9'))
            return false;
        n = n * 10 + (rest[i].unicode() - '0');
        if (n > 2147483647)
            return false;
    }
    return true;
}
} // namespace

QString TcPlotObjectManagerCustom::GetNextName() const
{
    const QString base = GetBaseName();
    long long highest = 0;
    for (const TcPlotObject* o : FList) {
        if (!o->Name().startsWith(base, Qt::CaseInsensitive))
            continue;
        long long n;
        if (NameNumber(o->Name().mid(base.size()), n) && n > highest)
            highest = n;
    }
    return base + QLatin1Char(' ') + QString::number(highest + 1);
}

int TcPlotObjectManagerCustom::GetIndex(const TcPlotObject* AObject) const
{
    auto it = std::find(FList.begin(), FList.end(), AObject);
    return it == FList.end() ? -1 : int(it - FList.begin());
}

TcPlotObject* TcPlotObjectManagerCustom::GetObjectByName(const QString& Text) const
{
    const int i = GetIndexByName(Text);
    return i < 0 ? nullptr : FList[std::size_t(i)];
}

int TcPlotObjectManagerCustom::GetIndexByName(const QString& Text) const
{
    for (std::size_t i = 0; i < FList.size(); ++i)
        if (FList[i]->Name().compare(Text, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

void TcPlotObjectManagerCustom::WriteToStream(TcWriter& Writer)
{
    Writer.WriteListBegin();
    for (TcPlotObject* o : FList) {
        Writer.WriteListBegin();
        WriteObjectProperties(Writer, *o);
        Writer.WriteListEnd();
    }
    Writer.WriteListEnd();
}

void TcPlotObjectManagerCustom::ReadFromStream(TcReader& Reader)
{
    Clear();
    if (Reader.NextValue() != TcValueType::List) {
        Reader.SkipValue();
        return;
    }
    Reader.ReadListBegin();
    while (!Reader.EndOfList()) {
        Reader.ReadListBegin();
        std::unique_ptr<TcPlotObject> o(CreateObject());
        ReadObjectProperties(Reader, *o);
        Reader.ReadListEnd();
        o.release()->DoInsert();
    }
    Reader.ReadListEnd();
}

TcPlotObject* TcPlotObjectManagerCustom::Item(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EChartError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FList[std::size_t(Index)];
}

// Owning managers.

TcPlotObjectOwnedManager::~TcPlotObjectOwnedManager()
{
    // Objects still held when the manager goes are freed without telling anyone.
    for (TcPlotObject* o : FList)
        delete o;
}

void TcPlotObjectOwnedManager::Clear()
{
    while (!FList.empty()) {
        TcPlotObject* o = FList.front();
        const std::size_t before = FList.size();
        o->Dispose();
        if (FList.size() == before && !FList.empty() && FList.front() == o)
            FList.erase(FList.begin()); // not announced anywhere: forget it here
        delete o;
    }
}

void TcPlotObjectOwnedManager::NotificationRemove(TcPersistent* AObject)
{
    if (AObject == this)
        return;
    if (auto* o = dynamic_cast<TcPlotObject*>(AObject))
        for (TcPlotObject* other : std::vector<TcPlotObject*>(FList))
            if (other != o)
                other->NotificationRemove(o);
    TcPlotObjectManagerCustom::NotificationRemove(AObject);
}

// Links to the first axes.

QString TcPlotAxisLinks::FirstXAxisName() const
{
    return FXAxisManager && FXAxisManager->Count() > 0 ? FXAxisManager->Item(0)->Name() : QString();
}
QString TcPlotAxisLinks::FirstYAxisName() const
{
    return FYAxisManager && FYAxisManager->Count() > 0 ? FYAxisManager->Item(0)->Name() : QString();
}
void TcPlotAxisLinks::ForgetManager(TcPersistent* AObject)
{
    if (AObject == FXAxisManager)
        FXAxisManager = nullptr;
    if (AObject == FYAxisManager)
        FYAxisManager = nullptr;
}

TcPlotObject* TcPlotXAxisManager::CreateObject()
{
    return new TcPlotXAxis(FOwner, FHandlers, FOwner && FOwner->IsStripChart());
}
void TcPlotXAxisManager::ApplyDefaults(TcPlotXAxis* o)
{
    o->SetTitle(o->Name());
}
TcPlotObject* TcPlotYAxisManager::CreateObject()
{
    return new TcPlotYAxis(FOwner, FHandlers);
}
void TcPlotYAxisManager::ApplyDefaults(TcPlotYAxis* o)
{
    o->SetTitle(o->Name());
}

TcPlotObject* TcPlotChannelManager::CreateObject()
{
    if (!ChannelClass)
        throw EChartError(QStringLiteral("Channel Class not Assigned"));
    return ChannelClass(FOwner, FHandlers);
}

void TcPlotChannelManager::NotificationRemove(TcPersistent* AObject)
{
    ForgetManager(AObject);
    TcPlotKindManager::NotificationRemove(AObject);
}

void TcPlotChannelManager::ApplyDefaults(TcPlotChannelCustom* o)
{
    o->SetTitleText(o->Name());
    o->SetColor(GetNextChannelColor());
    if (!FirstXAxisName().isEmpty())
        o->SetXAxisName(FirstXAxisName());
    if (!FirstYAxisName().isEmpty())
        o->SetYAxisName(FirstYAxisName());
}

TColor TcPlotChannelManager::GetNextChannelColor() const
{
    if (Count() < 2)
        return fw::clRed;
    int counts[30] = {};
    for (const TcPlotObject* o : FList) {
        const TColor c = static_cast<const TcPlotChannelCustom*>(o)->Color();
        for (int i = 0; i < 30; ++i)
            if (ChannelPalette[i] == c)
                ++counts[i];
    }
    const int smallest = *std::min_element(std::begin(counts), std::end(counts));
    for (int i = 0; i < 30; ++i)
        if (counts[i] == smallest)
            return ChannelPalette[i];
    return fw::clRed;
}

void TcPlotDataViewManager::NotificationRemove(TcPersistent* AObject)
{
    ForgetManager(AObject);
    TcPlotKindManager::NotificationRemove(AObject);
}

void TcPlotDataViewManager::ApplyDefaults(TcPlotDataView* o)
{
    if (!FirstXAxisName().isEmpty())
        o->SetGridXAxisName(FirstXAxisName());
    if (!FirstYAxisName().isEmpty())
        o->SetGridYAxisName(FirstYAxisName());
}

void TcPlotDataCursorManager::NotificationRemove(TcPersistent* AObject)
{
    if (AObject == FChannelManager)
        FChannelManager = nullptr;
    if (AObject == FDataViewManager)
        FDataViewManager = nullptr;
    TcPlotKindManager::NotificationRemove(AObject);
}

void TcPlotDataCursorManager::ApplyDefaults(TcPlotDataCursor* o)
{
    if (FDataViewManager && FDataViewManager->Count() > 0)
        o->SetDataView(static_cast<TcPlotDataView*>(FDataViewManager->Item(0)));
    if (FChannelManager && FChannelManager->Count() > 0)
        o->SetChannelName(FChannelManager->Item(0)->Name());
}

void TcPlotLimitManager::NotificationRemove(TcPersistent* AObject)
{
    ForgetManager(AObject);
    TcPlotKindManager::NotificationRemove(AObject);
}

void TcPlotLimitManager::ApplyDefaults(TcPlotLimit* o)
{
    if (!FirstXAxisName().isEmpty())
        o->SetXAxisName(FirstXAxisName());
    if (!FirstYAxisName().isEmpty())
        o->SetYAxisName(FirstYAxisName());
}

// The manager of all objects.

TcPlotObject* TcPlotObjectManager::CreateObject()
{
    throw EChartError(QStringLiteral("Object Manager does not support creation of objects"));
}

void TcPlotObjectManager::ClearAllUserSelections()
{
    for (TcPlotObject* o : std::vector<TcPlotObject*>(FList))
        o->SetUserSelected(false);
}

void TcPlotObjectManager::SetShiftState(TShiftState Value)
{
    for (TcPlotObject* o : FList)
        o->SetShiftState(Value);
}

void TcPlotObjectManager::MouseDownFocusObjects(TMouseButton Button, TShiftState Shift, int X, int Y,
                                                int ScreenX, int ScreenY, TcPopupMenu* Menu)
{
    for (TcPlotObject* o : std::vector<TcPlotObject*>(FList))
        if (o->UserSelected())
            o->iMouseDown(Button, Shift, X, Y, ScreenX, ScreenY, Menu);
}

void TcPlotObjectManager::MouseMoveFocusObjects(const TcHintData& Hint, TShiftState Shift, int X, int Y,
                                                int ScreenX, int ScreenY, bool DblClickActive)
{
    for (TcPlotObject* o : std::vector<TcPlotObject*>(FList))
        if (o->UserSelected()) {
            TcHintData copy = Hint;
            o->iMouseMove(copy, Shift, X, Y, ScreenX, ScreenY, DblClickActive);
        }
}

void TcPlotObjectManager::MouseUpFocusObjects(TMouseButton Button, TShiftState Shift, int X, int Y,
                                              int ScreenX, int ScreenY, bool DblClickActive,
                                              TcPopupMenu* Menu)
{
    for (TcPlotObject* o : std::vector<TcPlotObject*>(FList))
        if (o->UserSelected())
            o->iMouseUp(Button, Shift, X, Y, ScreenX, ScreenY, DblClickActive, Menu);
}

void TcPlotObjectManager::KeyDownFocusObjects(Word& CharCode, TShiftState Shift, TcPopupMenu* Menu)
{
    for (TcPlotObject* o : std::vector<TcPlotObject*>(FList))
        if (o->UserSelected())
            o->iKeyDown(CharCode, Shift, Menu);
}

bool TcPlotObjectManager::MouseWheelFocusObjects(int WheelDelta, TShiftState Shift, TPoint MousePos)
{
    bool handled = false;
    for (TcPlotObject* o : std::vector<TcPlotObject*>(FList))
        if (o->UserSelected())
            handled = o->iMouseWheel(WheelDelta, Shift, MousePos) || handled;
    return handled;
}

void TcPlotObjectManager::ShutDownSetup()
{
    for (TcPlotObject* o : FList)
        o->ClearNotifications();
}

} // namespace chart
