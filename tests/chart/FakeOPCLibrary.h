// An OPC library in process, for tests and the gallery: it hands out signal and group handles,
// keeps what the binding sent, and delivers values and group updates on the caller's thread when
// the test asks. Installed for its lifetime.
#pragma once

#include "chart/io/OPCLibrary.h"

#include <QStringList>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace chart::test
{

class FakeOPCLibrary : public TcOPCLibrary
{
  public:
    struct Signal {
        QString Computer, Server, Item, Group;
        int UpdateRate = 0;
        bool Suspended = false;
        std::uint16_t DataType = 0;
        TcOPCSignalCallback* Callback = nullptr;
        QVariant Data;
        double TimeStamp = 0;
        std::uint16_t Quality = 0;
        std::vector<QVariant> Sent;
    };
    struct Group {
        QString Name, Computer, Server;
        int UpdateRate = 0;
        bool Suspended = false;
        TcOPCGroupCallback* Callback = nullptr;
    };

    FakeOPCLibrary() : FPrevious(SetOPCLibrary(this)) {}
    ~FakeOPCLibrary() override { SetOPCLibrary(FPrevious); }
    FakeOPCLibrary(const FakeOPCLibrary&) = delete;
    FakeOPCLibrary& operator=(const FakeOPCLibrary&) = delete;

    // Every entry point called, in order ("SignalAdd", "SignalRemove", ...).
    std::vector<std::string> Calls;
    std::map<int, Signal> Signals;
    std::map<int, Group> Groups;
    QStringList Connections;
    std::set<std::string, std::less<>> MissingEntryPoints;
    // Reported by GetLastCallErrorString after the next call (then forgotten).
    QString NextError;
    int Managers = 0;

    // The handle of the connected signal of that item name; 0 when none.
    int SignalOf(const QString& Item) const
    {
        for (const auto& [h, s] : Signals)
            if (s.Item == Item)
                return h;
        return 0;
    }
    // Delivers a value as the server would: a suspended signal (or one of a suspended group)
    // gets nothing. False when nothing was delivered.
    bool Deliver(int Handle, const QVariant& Value, std::uint16_t Quality = 0xC0, double TimeStamp = 0)
    {
        auto it = Signals.find(Handle);
        if (it == Signals.end() || it->second.Suspended || GroupSuspended(it->second.Group))
            return false;
        it->second.Data = Value;
        it->second.Quality = Quality;
        it->second.TimeStamp = TimeStamp;
        it->second.Callback->NewData(0);
        return true;
    }
    // One update of a group: its owner hears before, each listed item of the group gets its value,
    // then the owner hears after. Nothing while the group is suspended.
    bool UpdateGroup(int GroupHandle, const std::map<QString, QVariant>& ValuesByItem)
    {
        auto g = Groups.find(GroupHandle);
        if (g == Groups.end() || g->second.Suspended)
            return false;
        TcOPCGroupCallback* owner = g->second.Callback;
        const QString name = g->second.Name;
        owner->BeforeGroupUpdate(GroupHandle);
        for (const auto& [item, value] : ValuesByItem)
            for (const auto& [h, s] : Signals)
                if (s.Item == item && s.Group == name)
                    Deliver(h, value);
        owner->AfterGroupUpdate(GroupHandle);
        return true;
    }

    bool HasEntryPoint(std::string_view Name) const override { return !MissingEntryPoints.contains(Name); }
    int SignalAdd(const QString& Computer, const QString& Server, const QString& Item, const QString& Group,
                  int UpdateRate, bool Suspended, std::uint16_t DataType,
                  TcOPCSignalCallback* Callback) override
    {
        Note("SignalAdd");
        Signals[FNextHandle] = {Computer, Server,   Item, Group, UpdateRate, Suspended,
                                DataType, Callback, {},   0,     0,          {}};
        return FNextHandle++;
    }
    void SignalRemove(int Handle) override
    {
        Note("SignalRemove");
        Signals.erase(Handle);
    }
    void SignalSuspend(int Handle) override
    {
        Note("SignalSuspend");
        SetSuspended(Handle, true);
    }
    void SignalResume(int Handle) override
    {
        Note("SignalResume");
        SetSuspended(Handle, false);
    }
    void SignalGetDataNow(int) override { Note("SignalGetDataNow"); }
    bool SignalGetActive(int Handle) override
    {
        Note("SignalGetActive");
        return Signals.contains(Handle);
    }
    bool SignalGetUpdateSuspended(int Handle) override
    {
        Note("SignalGetUpdateSuspended");
        auto it = Signals.find(Handle);
        return it != Signals.end() && it->second.Suspended;
    }
    void SignalSendData(int Handle, const QVariant& Value) override
    {
        Note("SignalSendData");
        if (auto it = Signals.find(Handle); it != Signals.end())
            it->second.Sent.push_back(Value);
    }
    QVariant SignalGetData(int Handle) override
    {
        return Signals.contains(Handle) ? Signals[Handle].Data : QVariant();
    }
    double SignalGetTimeStamp(int Handle) override
    {
        return Signals.contains(Handle) ? Signals[Handle].TimeStamp : 0;
    }
    std::uint16_t SignalGetQuality(int Handle) override
    {
        return Signals.contains(Handle) ? Signals[Handle].Quality : 0;
    }
    int GroupAdd(const QString& Name, const QString& ComputerName, const QString& ServerName, int UpdateRate,
                 TcOPCGroupCallback* Callback) override
    {
        Note("GroupAdd");
        Groups[FNextHandle] = {Name, ComputerName, ServerName, UpdateRate, false, Callback};
        return FNextHandle++;
    }
    void GroupDelete(int Handle) override
    {
        Note("GroupDelete");
        Groups.erase(Handle);
    }
    void GroupResume(int Handle) override
    {
        Note("GroupResume");
        Groups[Handle].Suspended = false;
    }
    void GroupSuspend(int Handle) override
    {
        Note("GroupSuspend");
        Groups[Handle].Suspended = true;
    }
    void GroupSetUpdateRate(int Handle, int Rate) override
    {
        Note("GroupSetUpdateRate");
        Groups[Handle].UpdateRate = Rate;
    }
    void CloseAllServerConnections() override
    {
        Note("CloseAllServerConnections");
        Connections.clear();
    }
    int ServerConnectionGetCount() override { return int(Connections.size()); }
    QString ServerConnectionGetName(int Index) override { return Connections.value(Index); }
    int ManagerCreated() override { return ++Managers == 1 ? 1 : 0; }
    void ManagerDestroyed() override { --Managers; }
    QString GetLastCallErrorString() override { return std::exchange(FError, QString()); }

  private:
    void Note(const char* Name)
    {
        Calls.emplace_back(Name);
        FError = std::exchange(NextError, QString());
    }
    void SetSuspended(int Handle, bool Suspended)
    {
        if (auto it = Signals.find(Handle); it != Signals.end())
            it->second.Suspended = Suspended;
    }
    bool GroupSuspended(const QString& Name) const
    {
        for (const auto& [h, g] : Groups)
            if (g.Name == Name && g.Suspended)
                return true;
        return false;
    }
    TcOPCLibrary* FPrevious;
    QString FError;
    int FNextHandle = 1;
};

} // namespace chart::test
