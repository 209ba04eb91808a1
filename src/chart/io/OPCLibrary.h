// The binding to the outside OPC library. TcOPCLibrary lists the library's entry points; the
// binding reaches the one installed library. No OPC library exists on this platform, so nothing is
// installed: the binding reports the library missing ("Chart OPC DLL Not Found.") and the items,
// groups and the explorer skip every call. Tests install a library of their own through
// SetOPCLibrary. The library calls back on the thread that called it (the UI thread).
#pragma once

#include <QString>
#include <QVariant>
#include <cstdint>
#include <string_view>

namespace chart
{

// What the library calls when new data came for a signal (the argument is the library's own).
class TcOPCSignalCallback
{
  public:
    virtual void NewData(int Reason) = 0;

  protected:
    ~TcOPCSignalCallback() = default;
};

// What the library calls around each update of a group, with the group's handle.
class TcOPCGroupCallback
{
  public:
    virtual void BeforeGroupUpdate(int GroupHandle) = 0;
    virtual void AfterGroupUpdate(int GroupHandle) = 0;

  protected:
    ~TcOPCGroupCallback() = default;
};

// The entry points of a loaded OPC library. After each call the binding asks
// GetLastCallErrorString; a non-empty text is the call's failure.
class TcOPCLibrary
{
  public:
    virtual ~TcOPCLibrary() = default;
    // Whether the library exports the entry point of that name.
    virtual bool HasEntryPoint(std::string_view) const { return true; }

    virtual int SignalAdd(const QString& Computer, const QString& Server, const QString& Item,
                          const QString& Group, int UpdateRate, bool Suspended, std::uint16_t DataType,
                          TcOPCSignalCallback* Callback) = 0;
    virtual void SignalRemove(int Handle) = 0;
    virtual void SignalSuspend(int Handle) = 0;
    virtual void SignalResume(int Handle) = 0;
    virtual void SignalGetDataNow(int Handle) = 0;
    virtual bool SignalGetActive(int Handle) = 0;
    virtual bool SignalGetUpdateSuspended(int Handle) = 0;
    virtual void SignalSendData(int Handle, const QVariant& Value) = 0;
    virtual QVariant SignalGetData(int Handle) = 0;
    virtual double SignalGetTimeStamp(int Handle) = 0;
    virtual std::uint16_t SignalGetQuality(int Handle) = 0;
    virtual int GroupAdd(const QString& Name, const QString& ComputerName, const QString& ServerName,
                         int UpdateRate, TcOPCGroupCallback* Callback) = 0;
    virtual void GroupDelete(int Handle) = 0;
    virtual void GroupResume(int Handle) = 0;
    virtual void GroupSuspend(int Handle) = 0;
    virtual void GroupSetUpdateRate(int Handle, int Rate) = 0;
    virtual void CloseAllServerConnections() = 0;
    virtual int ServerConnectionGetCount() = 0;
    virtual QString ServerConnectionGetName(int Index) = 0;
    virtual int ManagerCreated() = 0;
    virtual void ManagerDestroyed() = 0;
    virtual QString GetLastCallErrorString() = 0;
};

// Installs Library (nullptr: none, the library missing) and returns the one it replaces. The
// caller keeps ownership. UI thread.
TcOPCLibrary* SetOPCLibrary(TcOPCLibrary* Library);

// The binding operations. Each raises EChartError "Chart OPC DLL Not Found." without a library,
// 'Function "Name" not found in "ChartOPC.dll".' for an entry point the library lacks, and the
// library's own text when GetLastCallErrorString answers one after the call.
class TcOPCDLL
{
  public:
    static bool OPCDLLMissing();
    static int SignalAdd(const QString& Computer, const QString& Server, const QString& Item,
                         const QString& Group, int UpdateRate, bool Suspended, std::uint16_t DataType,
                         TcOPCSignalCallback* Callback);
    static void SignalRemove(int Handle);
    static void SignalSuspend(int Handle);
    static void SignalResume(int Handle);
    static void SignalGetDataNow(int Handle);
    static bool SignalGetActive(int Handle);
    static bool SignalGetUpdateSuspended(int Handle);
    static void SignalSendData(int Handle, const QVariant& Value);
    static QVariant SignalGetData(int Handle);
    static double SignalGetTimeStamp(int Handle);
    static std::uint16_t SignalGetQuality(int Handle);
    static int GroupAdd(const QString& Name, const QString& ComputerName, const QString& ServerName,
                        int UpdateRate, TcOPCGroupCallback* Callback);
    static void GroupDelete(int Handle);
    static void GroupResume(int Handle);
    static void GroupSuspend(int Handle);
    static void GroupSetUpdateRate(int Handle, int Rate);
    static void CloseAllServerConnections();
    static int ServerConnectionGetCount();
    static QString ServerConnectionGetName(int Index);
    // Skipped quietly without the library or the entry point (ManagerCreated then gives 0).
    static int ManagerCreated();
    static void ManagerDestroyed();
    // Empty without the library or the entry point.
    static QString GetLastCallErrorString();
};

} // namespace chart
