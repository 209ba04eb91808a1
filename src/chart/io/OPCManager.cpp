#include "chart/io/OPCManager.h"

#include "chart/core/ChartError.h"

namespace chart
{

namespace
{

[[noreturn]] void Missing()
{
    throw EChartError(QStringLiteral("Chart OPC DLL Not Found."));
}

} // namespace

int TcOPCLibrary::GroupAdd(const QString&, const QString&, const QString&, int)
{
    Missing();
}
void TcOPCLibrary::GroupDelete(int)
{
    Missing();
}
void TcOPCLibrary::GroupSuspend(int)
{
    Missing();
}
void TcOPCLibrary::GroupResume(int)
{
    Missing();
}
void TcOPCLibrary::GroupSetUpdateRate(int, int)
{
    Missing();
}
void TcOPCLibrary::CloseAllServerConnections()
{
    Missing();
}
int TcOPCLibrary::ServerConnectionGetCount()
{
    Missing();
}
QString TcOPCLibrary::ServerConnectionGetName(int)
{
    Missing();
}
int TcOPCLibrary::SignalAdd(const QString&, const QString&, const QString&, const QString&, int, bool, int)
{
    Missing();
}
void TcOPCLibrary::SignalRemove(int)
{
    Missing();
}
bool TcOPCLibrary::SignalGetActive(int)
{
    Missing();
}
QVariant TcOPCLibrary::SignalGetData(int)
{
    Missing();
}
int TcOPCLibrary::SignalGetQuality(int)
{
    Missing();
}

void TcOPCGroupObject::Suspend()
{
    if (TcOPCLibrary::Loaded() && Handle != 0)
        TcOPCLibrary::GroupSuspend(Handle);
}

void TcOPCGroupObject::Resume()
{
    if (TcOPCLibrary::Loaded() && Handle != 0)
        TcOPCLibrary::GroupResume(Handle);
}

void TcOPCGroupObject::SetUpdateRate(int Rate)
{
    if (Rate == UpdateRate)
        return;
    UpdateRate = Rate;
    if (TcOPCLibrary::Loaded() && Handle != 0)
        TcOPCLibrary::GroupSetUpdateRate(Handle, Rate);
}

TcOPCManager::TcOPCManager() : FFirstInstance(TcOPCLibrary::ManagerCreated() != 0) {}

TcOPCManager::~TcOPCManager()
{
    try {
        GroupClear();
    } catch (...) {
        // A library that fails while the manager goes cannot be helped.
    }
    if (FFirstInstance)
        TcOPCLibrary::ManagerDestroyed();
}

int TcOPCManager::GroupAdd(const QString& Name, const QString& ComputerName, const QString& OPCServerName,
                           int UpdateRate)
{
    auto g = std::make_unique<TcOPCGroupObject>();
    g->Name = Name;
    g->ComputerName = ComputerName;
    g->OPCServerName = OPCServerName;
    g->UpdateRate = UpdateRate;
    FGroups.push_back(std::move(g));
    if (TcOPCLibrary::Loaded())
        FGroups.back()->Handle = TcOPCLibrary::GroupAdd(Name, ComputerName, OPCServerName, UpdateRate);
    return int(FGroups.size()) - 1;
}

void TcOPCManager::GroupDelete(int Index)
{
    TcOPCGroupObject& g = *FGroups.at(std::size_t(Index));
    if (TcOPCLibrary::Loaded() && g.Handle != 0)
        TcOPCLibrary::GroupDelete(g.Handle);
    FGroups.erase(FGroups.begin() + Index);
}

void TcOPCManager::GroupClear()
{
    while (!FGroups.empty())
        GroupDelete(0);
}

int TcOPCManager::GetGroupIndex(const QString& Name) const
{
    for (std::size_t i = 0; i < FGroups.size(); ++i)
        if (FGroups[i]->Name.compare(Name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

void TcOPCManager::CloseAllServerConnections()
{
    if (TcOPCLibrary::Loaded())
        TcOPCLibrary::CloseAllServerConnections();
}

QString TcOPCManager::GroupNameOf(int Handle) const
{
    for (const auto& g : FGroups)
        if (g->Handle == Handle)
            return g->Name;
    return {};
}

void TcOPCManager::BeforeGroupUpdate(int Handle)
{
    if (OnBeforeGroupUpdate)
        OnBeforeGroupUpdate(this, GroupNameOf(Handle));
}

void TcOPCManager::AfterGroupUpdate(int Handle)
{
    if (OnAfterGroupUpdate)
        OnAfterGroupUpdate(this, GroupNameOf(Handle));
}

void TcOPCItem::Activate()
{
    if (!TcOPCLibrary::Loaded() || (Designing && Designing()))
        return;
    if (PropertyName.trimmed().isEmpty() ||
        (GroupName.trimmed().isEmpty() && ServerName.trimmed().isEmpty()) || ItemName.trimmed().isEmpty())
        return;
    if (FSignalHandle != 0)
        Deactivate();
    FSignalHandle =
        TcOPCLibrary::SignalAdd(ComputerName, ServerName, ItemName, GroupName, UpdateRate, false, 0);
}

void TcOPCItem::Deactivate()
{
    if (!TcOPCLibrary::Loaded() || (Designing && Designing()) || FSignalHandle == 0)
        return;
    try {
        TcOPCLibrary::SignalRemove(FSignalHandle);
    } catch (...) {
    }
    FSignalHandle = 0;
}

bool TcOPCItem::GetActive() const
{
    if (!TcOPCLibrary::Loaded() || (Designing && Designing()))
        return false;
    return TcOPCLibrary::SignalGetActive(FSignalHandle);
}

int TcOPCItemManager::Add()
{
    FList.push_back(std::make_unique<TcOPCItem>());
    FList.back()->Designing = [this] { return OnGetDesigning && OnGetDesigning(); };
    return int(FList.size()) - 1;
}

} // namespace chart
