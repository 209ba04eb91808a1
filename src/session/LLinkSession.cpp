#include "session/LLinkSession.h"

#include "proto/Commands.h"

LLinkSession::LLinkSession(LSessionView& view) : Machine(Unit, *this, *this, view), FView(view)
{
    Unit.SetSink(this);
    Core.OnFrame = [this](const BSTM& frame, uint32_t, uint8_t answered) {
        Machine.DispatchReply(frame, answered);
    };
    Core.OnLinkLost = [this](int, int) { OnLinkLost(); };
    for (int i = 0; i < kTimerCount; ++i) {
        const auto timer = static_cast<LSyncTimer>(i);
        FTimers[i].OnTimer = [this, timer](fw::TTimer* t) {
            t->SetEnabled(false); // one-shot
            Machine.OnTimer(timer);
        };
    }
}

LLinkSession::~LLinkSession()
{
    Core.CloseAllTransports();
    Unit.SetSink(nullptr);
}

bool LLinkSession::OpenNet()
{
    return Core.OpenNetTransport() && StartAttempt("NET", ConnectTiming.NetTimeoutMs);
}

bool LLinkSession::OpenUsb()
{
    return Core.OpenUsbTransport() && StartAttempt("USB", ConnectTiming.UsbTimeoutMs);
}

bool LLinkSession::OpenCom(const std::string& port)
{
    return Core.OpenComTransport(port) && StartAttempt(port, ConnectTiming.ComTimeoutMs);
}

bool LLinkSession::StartAttempt(const std::string& interfaceName, int timeoutMs)
{
    FInterface = interfaceName;
    FLinkOpen = true;
    Machine.OnLinkOpened();
    SetLinkTimeout(timeoutMs);
    SetLinkRetries(ConnectTiming.Retries);
    SendCommand(CM_MCS_CMD(static_cast<uint8_t>(GetDeviceId()), proto::kConnect), true);
    return true;
}

void LLinkSession::RequestLevels()
{
    SendCommand(CM_MCS_CMD(static_cast<uint8_t>(GetDeviceId()), proto::kLevels), false);
}

void LLinkSession::SendDisconnect()
{
    SendCommand(CM_MCS_CMD(static_cast<uint8_t>(GetDeviceId()), proto::kDisconnect), true);
}

void LLinkSession::SendCommand(const LCmd& cmd, bool noCoalesce)
{
    if (OnSend)
        OnSend(cmd, noCoalesce);
    if (FLinkOpen)
        Core.SendCommand(cmd, noCoalesce);
}

bool LLinkSession::SendQueuedFrames(const std::function<void()>& step)
{
    if (!FLinkOpen)
        return true;
    FQueuedAtClose = 0;
    Core.SuspendLinkPoll(true);
    while (FLinkOpen && Core.QueuedFrames() > 0)
        step();
    return FLinkOpen || FQueuedAtClose == 0;
}

void LLinkSession::StartTimer(LSyncTimer timer, int ms)
{
    fw::TTimer& t = FTimers[static_cast<int>(timer)];
    t.SetEnabled(false);
    t.SetInterval(ms);
    t.SetEnabled(true);
}

void LLinkSession::StopTimer(LSyncTimer timer)
{
    FTimers[static_cast<int>(timer)].SetEnabled(false);
}

void LLinkSession::CloseLink()
{
    FQueuedAtClose = Core.QueuedFrames();
    Core.CloseAllTransports();
    FLinkOpen = false;
    FView.ShowOffline();
    Machine.OnLinkClosed(false);
}

void LLinkSession::OnLinkLost()
{
    FQueuedAtClose = Core.QueuedFrames();
    Core.CloseAllTransports();
    FLinkOpen = false;
    Machine.OnLinkClosed(true);
}
