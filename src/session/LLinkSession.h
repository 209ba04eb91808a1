// The link session: the parameter model, the synchronisation state machine and the link core joined.
// It sends the model's and the machine's commands through the core's open transport, hands the
// core's replies and lost links to the machine, runs the machine's one-shot timers on the timer
// service and carries its link settings to the open transport.
// The main window owns one and gives it its view (LSessionView), which must outlive it. User-
// interface thread only; the core's workers reach it only through the core's hand-over.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "link/LLinkCore.h"
#include "model/CommandSink.h"
#include "model/LSyncLink.h"
#include "model/LSyncMachine.h"
#include "model/LUnitControl.h"
#include "runtime/Timer.h"
#include "session/LSessionView.h"

// Reply time-out and retries of a connection attempt, until the connect reply sets the link's own.
struct LConnectTiming {
    int NetTimeoutMs = 4000;
    int UsbTimeoutMs = 100;
    int ComTimeoutMs = 100;
    int Retries = 3;
};

class LLinkSession : public CommandSink, public LSyncLink
{
  public:
    explicit LLinkSession(LSessionView& view);
    ~LLinkSession() override;
    LLinkSession(const LLinkSession&) = delete;
    LLinkSession& operator=(const LLinkSession&) = delete;

    // A connection attempt over a transport the core opens: the machine starts afresh and the
    // connect request 16 goes out. TCP needs the core's ClientSocket connected first. False (nothing
    // sent, nothing left open) when the transport does not open.
    bool OpenNet();
    bool OpenUsb();
    bool OpenCom(const std::string& port);
    // A transport of this session is open and not yet closed or lost.
    bool LinkOpen() const { return FLinkOpen; }

    // Exit, after the disconnect was queued: the idle poll stops and step (one turn of the event
    // loop) runs while frames queued before the disconnect still wait, so that they reach the device
    // first. Only a lost link ends the wait early, the link's own time-outs bound it. False when the
    // link was lost with frames still waiting.
    bool SendQueuedFrames(const std::function<void()>& step);
    // Frames waiting on the open link behind the outstanding one.
    size_t QueuedFrames() const { return FLinkOpen ? Core.QueuedFrames() : 0; }

    // The page shown changed: an RS-232 link gets one time-out of grace for its pending frame.
    void GrantGraceResend()
    {
        if (FLinkOpen)
            Core.GrantGraceResend();
    }

    // The level request of the meters' poll; a waiting one is replaced, not joined by another.
    void RequestLevels();
    // The disconnect request, appended behind the frames waiting.
    void SendDisconnect();

    // CommandSink: the model's, the machine's and the window's commands go to the open link, or
    // nowhere.
    void SendCommand(const LCmd& cmd, bool noCoalesce) override;
    // Sees every command handed to the session, open link or not, before the link takes it (tests
    // record the frames here).
    std::function<void(const LCmd& cmd, bool noCoalesce)> OnSend;
    bool IsUpdating() const override { return FView.IsUpdating(); }
    int GetDeviceId() const override { return Core.GetDeviceId(); }
    void MarkChannelCurvesDirty(int ch) override { FView.MarkChannelCurvesDirty(ch); }
    void ShowPresetName(int p, const std::string& name) override { FView.ShowPresetName(p, name); }

    // LSyncLink.
    void StartTimer(LSyncTimer timer, int ms) override;
    void StopTimer(LSyncTimer timer) override;
    void SetLinkTimeout(int ms) override { Core.SetLinkTimeout(std::max(ms, LinkTimeoutFloorMs)); }
    void SetLinkRetries(int count) override { Core.SetLinkRetries(count); }
    void SuspendLinkPoll(bool suspended) override { Core.SuspendLinkPoll(suspended); }
    // Closes every transport: the view goes offline and the machine forgets the connection.
    void CloseLink() override;
    std::string LinkInterfaceName() const override { return FInterface; }

    LConnectTiming ConnectTiming;
    // No reply time-out of the link below this (0: as set). For tests on a loaded machine, where a
    // reply may come late without the link being at fault.
    int LinkTimeoutFloorMs = 0;
    LLinkCore Core;
    LUnitControl Unit;
    LSyncMachine Machine;

  private:
    bool StartAttempt(const std::string& interfaceName, int timeoutMs);
    void OnLinkLost();

    LSessionView& FView;
    bool FLinkOpen = false;
    size_t FQueuedAtClose = 0; // frames still waiting when the link closed last
    std::string FInterface;
    static constexpr int kTimerCount = static_cast<int>(LSyncTimer::Close) + 1;
    std::array<fw::TTimer, kTimerCount> FTimers;
};
