// The OPC side of the chart family: the binding to the outside OPC library, the group manager that
// channels create, and the two-item list an XY channel feeds from. No OPC library exists on this
// platform: the binding reports it missing ("Chart OPC DLL Not Found."), every library call of the
// manager and the items is skipped, groups are kept with handle 0, and the charts work on.
#pragma once

#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

namespace chart
{

// The outside library's entry points. Each raises "Chart OPC DLL Not Found." while the library is
// not loaded; ManagerCreated and ManagerDestroyed are skipped quietly (ManagerCreated gives 0).
class TcOPCLibrary
{
  public:
    static bool Loaded() { return false; }
    static bool OPCDLLMissing() { return !Loaded(); }
    static int ManagerCreated() { return 0; }
    static void ManagerDestroyed() {}
    static QString GetLastCallErrorString() { return {}; }
    static int GroupAdd(const QString& Name, const QString& ComputerName, const QString& ServerName,
                        int UpdateRate);
    static void GroupDelete(int Handle);
    static void GroupSuspend(int Handle);
    static void GroupResume(int Handle);
    static void GroupSetUpdateRate(int Handle, int Rate);
    static void CloseAllServerConnections();
    static int ServerConnectionGetCount();
    static QString ServerConnectionGetName(int Index);
    static int SignalAdd(const QString& Computer, const QString& Server, const QString& Item,
                         const QString& Group, int UpdateRate, bool Suspended, int DataType);
    static void SignalRemove(int Handle);
    static bool SignalGetActive(int Handle);
    static QVariant SignalGetData(int Handle);
    static int SignalGetQuality(int Handle);
};

class TcOPCGroupObject
{
  public:
    QString Name, ComputerName, OPCServerName;
    int UpdateRate = 0;
    int Handle = 0;
    void Suspend();
    void Resume();
    void SetUpdateRate(int Rate);
};

// The group owner of a channel: named groups created in the library when it is present.
class TcOPCManager
{
  public:
    TcOPCManager();
    ~TcOPCManager();
    TcOPCManager(const TcOPCManager&) = delete;
    TcOPCManager& operator=(const TcOPCManager&) = delete;

    int GroupAdd(const QString& Name, const QString& ComputerName, const QString& OPCServerName,
                 int UpdateRate);
    void GroupDelete(int Index);
    void GroupClear();
    // The first group of that name, ignoring case; -1 when none.
    int GetGroupIndex(const QString& Name) const;
    int GroupCount() const { return int(FGroups.size()); }
    TcOPCGroupObject& GetGroup(int Index) { return *FGroups.at(std::size_t(Index)); }
    void CloseAllServerConnections();
    // The library's group callbacks: the events carry the group's name, empty for an unknown handle.
    void BeforeGroupUpdate(int Handle);
    void AfterGroupUpdate(int Handle);
    bool FirstInstance() const { return FFirstInstance; }

    std::function<void(TcOPCManager* Sender, const QString& GroupName)> OnBeforeGroupUpdate;
    std::function<void(TcOPCManager* Sender, const QString& GroupName)> OnAfterGroupUpdate;

  private:
    QString GroupNameOf(int Handle) const;
    std::vector<std::unique_ptr<TcOPCGroupObject>> FGroups;
    bool FFirstInstance = false;
};

// One OPC item bound to a property of its owner.
class TcOPCItem
{
  public:
    QString PropertyName, GroupName, ComputerName = QStringLiteral("Local"), ServerName, ItemName;
    double Scalar = 0, Offset = 0;
    int UpdateRate = 500;
    bool AutoConnect = true, AutoError = false;
    std::function<bool()> Designing;

    ~TcOPCItem() { Deactivate(); }
    void Activate();
    void Deactivate();
    bool GetActive() const;
    bool GetQualityGood() const { return (FQuality & 0xC0) == 0xC0; }
    QVariant Data() const { return FData; }

  private:
    int FSignalHandle = 0;
    QVariant FData;
    int FQuality = 0;
};

class TcOPCItemManager
{
  public:
    int Add();
    void Clear() { FList.clear(); }
    int Count() const { return int(FList.size()); }
    TcOPCItem& Item(int Index) { return *FList.at(std::size_t(Index)); }
    std::function<bool()> OnGetDesigning;

  private:
    std::vector<std::unique_ptr<TcOPCItem>> FList;
};

} // namespace chart
