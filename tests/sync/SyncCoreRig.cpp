#include "SyncCoreRig.h"

#include <algorithm>

CoreRig::CoreRig() : LLinkSession(static_cast<LSessionView&>(*this))
{
    // Every attempt starts with a 2 s time-out and the transports' two retries.
    ConnectTiming = {2000, 2000, 2000, 2};
}

bool CoreRig::Opened(bool open)
{
    if (open && NoIdlePoll)
        Core.SuspendLinkPoll(true);
    return open;
}

bool CoreRig::OpenTcp(uint16_t port)
{
    Core.ClientSocket.Address = "127.0.0.1";
    Core.ClientSocket.Port = port;
    if (Core.ClientSocket.Connected()) {
        LevelPoll = false;
        return Opened(OpenNet());
    }
    // As the window does: the transport opens in the connect event, so no byte is read before it.
    int opened = -1;
    Core.ClientSocket.OnConnect = [&] {
        LevelPoll = false;
        opened = OpenNet() ? 1 : 0;
    };
    Core.ClientSocket.SetActive(true);
    const bool connected = Wait([&] { return opened >= 0; }, 3000);
    Core.ClientSocket.OnConnect = nullptr;
    return connected && Opened(opened == 1);
}

bool CoreRig::OpenPty(const std::string& path)
{
    LevelPoll = false;
    return Opened(OpenCom(path));
}

bool CoreRig::OpenUsb()
{
    LevelPoll = false;
    return Opened(LLinkSession::OpenUsb());
}

bool CoreRig::Wait(const std::function<bool()>& pred, int timeoutMs) const
{
    return EventLoopWait ? testapp::WaitInEventLoop(pred, timeoutMs) : testapp::PumpUntil(pred, timeoutMs);
}

bool CoreRig::ReadDone(int timeoutMs)
{
    return Wait([&] { return !LinkOpen() || (Machine.Online() && !Machine.Busy() && LevelPoll); }, timeoutMs);
}

void CoreRig::SendCommand(const LCmd& cmd, bool noCoalesce)
{
    if (LinkOpen())
        RecordSent(cmd, noCoalesce);
    LLinkSession::SendCommand(cmd, noCoalesce);
}

void CoreRig::SetLinkTimeout(int ms)
{
    Timeout = ms;
    LLinkSession::SetLinkTimeout(std::min(ms, TimeoutCap));
}
