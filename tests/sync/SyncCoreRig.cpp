#include "SyncCoreRig.h"

#include <QTimer>

#include <algorithm>
#include <chrono>
#include <thread>

QCoreApplication& SyncApp()
{
    static int argc = 1;
    static char name[] = "morvex-sync";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

bool PumpUntil(const std::function<bool()>& pred, int timeoutMs)
{
    SyncApp();
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        // Leaves the device's thread time to act on what it received before the next check.
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

bool WaitInEventLoop(const std::function<bool()>& pred, int timeoutMs)
{
    SyncApp();
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    // The heartbeat bounds the wait for a predicate that another thread changes without an event.
    QTimer heartbeat;
    heartbeat.start(10);
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

CoreRig::CoreRig()
{
    Core.OnFrame = [this](const BSTM& f, uint32_t, uint8_t answered) { Machine.DispatchReply(f, answered); };
    Core.OnLinkLost = [this](int, int) {
        Core.CloseAllTransports();
        FLinkOpen = false;
        Machine.OnLinkClosed(true);
    };
}

CoreRig::~CoreRig() { Core.CloseAllTransports(); }

bool CoreRig::OpenTcp(uint16_t port)
{
    Interface = "NET";
    Core.ClientSocket.Address = "127.0.0.1";
    Core.ClientSocket.Port = port;
    Core.ClientSocket.SetActive(true);
    if (!Wait([&] { return Core.ClientSocket.Connected(); }, 3000) || !Core.OpenNetTransport())
        return false;
    Start();
    return true;
}

bool CoreRig::OpenPty(const std::string& path)
{
    Interface = path;
    if (!Core.OpenComTransport(path))
        return false;
    Start();
    return true;
}

bool CoreRig::Wait(const std::function<bool()>& pred, int timeoutMs) const
{
    return EventLoopWait ? WaitInEventLoop(pred, timeoutMs) : PumpUntil(pred, timeoutMs);
}

bool CoreRig::OpenUsb()
{
    Interface = "USB";
    if (!Core.OpenUsbTransport())
        return false;
    Start();
    return true;
}

bool CoreRig::ReadDone(int timeoutMs)
{
    return Wait([&] { return !FLinkOpen || (Machine.Online() && !Machine.Busy() && LevelPoll); }, timeoutMs);
}

void CoreRig::SendCommand(const LCmd& cmd, bool noCoalesce)
{
    if (!FLinkOpen)
        return;
    FSent.push_back(BuildFrame(cmd));
    FSentCoalescing.push_back(!noCoalesce);
    Core.SendCommand(cmd, noCoalesce);
}

void CoreRig::StartTimer(LSyncTimer timer, int ms)
{
    auto& t = FQtTimers[timer];
    t = std::make_unique<QTimer>();
    t->setSingleShot(true);
    QObject::connect(t.get(), &QTimer::timeout, t.get(), [this, timer] { Machine.OnTimer(timer); });
    t->start(ms);
}

void CoreRig::StopTimer(LSyncTimer timer)
{
    auto it = FQtTimers.find(timer);
    if (it != FQtTimers.end() && it->second)
        it->second->stop();
}

void CoreRig::SetLinkTimeout(int ms)
{
    Timeout = ms;
    Core.SetLinkTimeout(std::min(ms, TimeoutCap));
}

void CoreRig::CloseLink()
{
    Core.CloseAllTransports();
    FLinkOpen = false;
    Log("link-closed");
    Machine.OnLinkClosed(false);
}

void CoreRig::Start()
{
    FLinkOpen = true;
    LevelPoll = false;
    Machine.OnLinkOpened();
    Core.SetLinkTimeout(std::min(2000, TimeoutCap));
    if (NoIdlePoll)
        Core.SuspendLinkPoll(true);
    SendCommand(CM_MCS_CMD(1, 16), true);
}
