#include "chart/io/OPCLibrary.h"

#include "chart/core/ChartError.h"

#include <type_traits>
#include <utility>

namespace chart
{

namespace
{

TcOPCLibrary* GOPCLibrary = nullptr;

// The library with the entry point Name, or the binding's failure.
TcOPCLibrary& Entry(std::string_view Name)
{
    if (!GOPCLibrary)
        throw EChartError(QStringLiteral("Chart OPC DLL Not Found."));
    if (!GOPCLibrary->HasEntryPoint(Name))
        throw EChartError(QStringLiteral("Function \"%1\" not found in \"ChartOPC.dll\".")
                              .arg(QString::fromLatin1(Name.data(), qsizetype(Name.size()))));
    return *GOPCLibrary;
}

// Raises the failure the library reports for its last call.
void CheckLastCall()
{
    const QString error = TcOPCDLL::GetLastCallErrorString();
    if (!error.isEmpty())
        throw EChartError(error);
}

// Calls one entry point the binding's way.
template <class F> auto Call(std::string_view Name, F&& Fn)
{
    TcOPCLibrary& library = Entry(Name);
    if constexpr (std::is_void_v<decltype(Fn(library))>) {
        Fn(library);
        CheckLastCall();
    } else {
        auto result = Fn(library);
        CheckLastCall();
        return result;
    }
}

} // namespace

TcOPCLibrary* SetOPCLibrary(TcOPCLibrary* Library)
{
    return std::exchange(GOPCLibrary, Library);
}

bool TcOPCDLL::OPCDLLMissing()
{
    return GOPCLibrary == nullptr;
}

int TcOPCDLL::SignalAdd(const QString& Computer, const QString& Server, const QString& Item,
                        const QString& Group, int UpdateRate, bool Suspended, std::uint16_t DataType,
                        TcOPCSignalCallback* Callback)
{
    return Call("SignalAdd", [&](TcOPCLibrary& l) {
        return l.SignalAdd(Computer, Server, Item, Group, UpdateRate, Suspended, DataType, Callback);
    });
}

void TcOPCDLL::SignalRemove(int Handle)
{
    Call("SignalRemove", [&](TcOPCLibrary& l) { l.SignalRemove(Handle); });
}

void TcOPCDLL::SignalSuspend(int Handle)
{
    Call("SignalSuspend", [&](TcOPCLibrary& l) { l.SignalSuspend(Handle); });
}

void TcOPCDLL::SignalResume(int Handle)
{
    Call("SignalResume", [&](TcOPCLibrary& l) { l.SignalResume(Handle); });
}

void TcOPCDLL::SignalGetDataNow(int Handle)
{
    Call("SignalGetDataNow", [&](TcOPCLibrary& l) { l.SignalGetDataNow(Handle); });
}

bool TcOPCDLL::SignalGetActive(int Handle)
{
    return Call("SignalGetActive", [&](TcOPCLibrary& l) { return l.SignalGetActive(Handle); });
}

bool TcOPCDLL::SignalGetUpdateSuspended(int Handle)
{
    return Call("SignalGetUpdateSuspended",
                [&](TcOPCLibrary& l) { return l.SignalGetUpdateSuspended(Handle); });
}

void TcOPCDLL::SignalSendData(int Handle, const QVariant& Value)
{
    Call("SignalSendData", [&](TcOPCLibrary& l) { l.SignalSendData(Handle, Value); });
}

QVariant TcOPCDLL::SignalGetData(int Handle)
{
    return Call("SignalGetData", [&](TcOPCLibrary& l) { return l.SignalGetData(Handle); });
}

double TcOPCDLL::SignalGetTimeStamp(int Handle)
{
    return Call("SignalGetTimeStamp", [&](TcOPCLibrary& l) { return l.SignalGetTimeStamp(Handle); });
}

std::uint16_t TcOPCDLL::SignalGetQuality(int Handle)
{
    return Call("SignalGetQuality", [&](TcOPCLibrary& l) { return l.SignalGetQuality(Handle); });
}

int TcOPCDLL::GroupAdd(const QString& Name, const QString& ComputerName, const QString& ServerName,
                       int UpdateRate, TcOPCGroupCallback* Callback)
{
    return Call("GroupAdd", [&](TcOPCLibrary& l) {
        return l.GroupAdd(Name, ComputerName, ServerName, UpdateRate, Callback);
    });
}

void TcOPCDLL::GroupDelete(int Handle)
{
    Call("GroupDelete", [&](TcOPCLibrary& l) { l.GroupDelete(Handle); });
}

void TcOPCDLL::GroupResume(int Handle)
{
    Call("GroupResume", [&](TcOPCLibrary& l) { l.GroupResume(Handle); });
}

void TcOPCDLL::GroupSuspend(int Handle)
{
    Call("GroupSuspend", [&](TcOPCLibrary& l) { l.GroupSuspend(Handle); });
}

void TcOPCDLL::GroupSetUpdateRate(int Handle, int Rate)
{
    Call("GroupSetUpdateRate", [&](TcOPCLibrary& l) { l.GroupSetUpdateRate(Handle, Rate); });
}

void TcOPCDLL::CloseAllServerConnections()
{
    Call("CloseAllServerConnections", [&](TcOPCLibrary& l) { l.CloseAllServerConnections(); });
}

int TcOPCDLL::ServerConnectionGetCount()
{
    return Call("ServerConnectionGetCount", [&](TcOPCLibrary& l) { return l.ServerConnectionGetCount(); });
}

QString TcOPCDLL::ServerConnectionGetName(int Index)
{
    return Call("ServerConnectionGetName", [&](TcOPCLibrary& l) { return l.ServerConnectionGetName(Index); });
}

int TcOPCDLL::ManagerCreated()
{
    if (!GOPCLibrary || !GOPCLibrary->HasEntryPoint("ManagerCreated"))
        return 0;
    return Call("ManagerCreated", [&](TcOPCLibrary& l) { return l.ManagerCreated(); });
}

void TcOPCDLL::ManagerDestroyed()
{
    if (!GOPCLibrary || !GOPCLibrary->HasEntryPoint("ManagerDestroyed"))
        return;
    Call("ManagerDestroyed", [&](TcOPCLibrary& l) { l.ManagerDestroyed(); });
}

QString TcOPCDLL::GetLastCallErrorString()
{
    if (!GOPCLibrary || !GOPCLibrary->HasEntryPoint("GetLastCallErrorString"))
        return {};
    return GOPCLibrary->GetLastCallErrorString();
}

} // namespace chart
