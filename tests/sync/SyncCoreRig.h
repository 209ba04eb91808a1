// The editor's side of the synchronisation through the real link session: frames, time-outs, lost
// links and timers, on the calling thread's event loop. Shared by the sync and fault tests and
// bench-sync.
#pragma once

#include <functional>
#include <string>

#include "RecordingView.h"
#include "SyncRig.h"
#include "session/LLinkSession.h"
#include "support/TestApp.h"

// The application exists before the link core's sockets.
struct SyncAppFirst {
    SyncAppFirst() { testapp::EnsureCoreApp(); }
};

// The test device's editor: a recording view over the real link session, with test-only extras
// (the frames sent, shorter reply time-outs, no idle polls, event-loop waits).
class CoreRig : private SyncAppFirst, public RecordingView, public LLinkSession
{
  public:
    CoreRig();

    bool OpenTcp(uint16_t port);
    bool OpenPty(const std::string& path);
    // Over the HID device the core holds (Core.SetHidDevice).
    bool OpenUsb();
    // The read is over when it has restarted the level poll (or the link is gone).
    bool ReadDone(int timeoutMs = 10000);
    bool Wait(const std::function<bool()>& pred, int timeoutMs) const;

    void SendCommand(const LCmd& cmd, bool noCoalesce) override;
    void SetLinkTimeout(int ms) override;
    void SuspendLinkPoll(bool flag) override { LLinkSession::SuspendLinkPoll(flag || NoIdlePoll); }

    int TimeoutCap = 1 << 30;   // short reply time-outs for the fault tests
    bool NoIdlePoll = false;    // no idle polls, so that frames can be counted
    bool EventLoopWait = false; // waits sleep in the event loop, as the program does (measurements)

  private:
    bool Opened(bool open);
};
