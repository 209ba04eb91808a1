// The OPC group manager that channels create: named groups, each with a computer, a server and an
// update rate, created in the OPC library (OPCLibrary.h) when it is present, suspended and resumed
// per group, with events before and after each group update. Without the library the groups are
// kept with handle 0 and no library call is made. The explorer window lists the library's open
// server connections. UI thread.
#pragma once

#include "chart/core/PropertyText.h"
#include "chart/io/OPCLibrary.h"
#include "framework/Control.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QTreeWidget;

namespace chart
{

class TcOPCGroupObject
{
  public:
    QString Name, ComputerName, OPCServerName;
    int UpdateRate = 0;
    // The library's group; 0 when none.
    int Handle = 0;
    // Stores a different rate and passes it to the library group.
    void SetUpdateRate(int Rate);
    void Suspend();
    void Resume();
};

// One group as the "Groups" stream property holds it.
class TcOPCGroupStream : public TcPersistent
{
  public:
    QString Name() const { return FName; }
    void SetName(const QString& v) { FName = v; }
    QString ComputerName() const { return FComputerName; }
    void SetComputerName(const QString& v) { FComputerName = v; }
    QString OPCServerName() const { return FOPCServerName; }
    void SetOPCServerName(const QString& v) { FOPCServerName = v; }
    int UpdateRate() const { return FUpdateRate; }
    void SetUpdateRate(int v) { FUpdateRate = v; }
    const TPropertyTable& PropertyTable() const override;

  private:
    QString FName, FComputerName, FOPCServerName;
    int FUpdateRate = 0;
};

class TcOPCManager : public TcPersistent, public TcOPCGroupCallback
{
  public:
    TcOPCManager();
    ~TcOPCManager() override;
    TcOPCManager(const TcOPCManager&) = delete;
    TcOPCManager& operator=(const TcOPCManager&) = delete;

    // Appends the group (created in the library when it is present) and returns its index.
    int GroupAdd(const QString& Name, const QString& ComputerName, const QString& OPCServerName,
                 int UpdateRate);
    // An index out of range raises "List index out of bounds (n)".
    void GroupDelete(int Index);
    void GroupClear();
    // The first group of that name, ignoring case; -1 when none.
    int GetGroupIndex(const QString& Name) const;
    int GroupCount() const { return int(FGroups.size()); }
    TcOPCGroupObject& GetGroup(int Index) const;
    void CloseAllServerConnections();
    // Shows the one explorer window, refreshed; it is made on first use.
    void ExplorerShow();
    bool FirstInstance() const { return FFirstInstance; }

    // The library's group callbacks: the events carry the group's name, empty for an unknown handle.
    void BeforeGroupUpdate(int GroupHandle) override;
    void AfterGroupUpdate(int GroupHandle) override;

    // The stream property "Groups": written when there are groups; reading replaces them.
    void DefineProperties(TcFiler& Filer) override;

    using TGroupUpdateEvent = std::function<void(TcOPCManager* Sender, const QString& GroupName)>;
    TGroupUpdateEvent OnBeforeGroupUpdate;
    TGroupUpdateEvent OnAfterGroupUpdate;

  private:
    QString GroupNameOf(int Handle) const;
    std::vector<std::unique_ptr<TcOPCGroupObject>> FGroups;
    bool FFirstInstance = false;
};

// The explorer: a stay-on-top window with a sorted tree of the library's server connections.
class TcOPCExplorerForm : public fw::TForm
{
  public:
    explicit TcOPCExplorerForm(QWidget* parent = nullptr);
    // Lists the server connections the library reports (none without it) and an empty "Groups".
    void Refresh();
    QTreeWidget* TreeView() const { return FTreeView; }
    // The one explorer of the program; nullptr until ExplorerShow made it.
    static TcOPCExplorerForm* Instance();

  private:
    QTreeWidget* FTreeView;
};

} // namespace chart
