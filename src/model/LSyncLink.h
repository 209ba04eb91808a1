// The link side of what the connection state machine needs besides the command sink: its one-shot
// timers, the link's reply time-out, retries and idle poll, closing the link, and the open
// transport's name. The link session implements it; tests use a fake clock. Every call comes on the
// user-interface thread; none may block.
#pragma once

#include <string>

// The one-shot timers of the synchronisation. The owner starts them on its timer service and
// calls LSyncMachine::OnTimer with the same value when one fires; a new start restarts it.
enum class LSyncTimer {
    Pts,         // 1000 ms: the unlock prompt of a locked device
    ProcessShow, // 100 ms: the progress dialog of a full read
    Upload,      // 300 ms: the save step of a unit upload
    Disconnect,  // 300 ms: closes the link
    Check,       // 100 ms: the unlock prompt polls the device's answer
    Cmd,         // 100 ms: an accepted unlock goes on reading
    Close,       // 100 ms: the lock setup closes after its commands
};

class LSyncLink
{
  public:
    virtual ~LSyncLink() = default;

    virtual void StartTimer(LSyncTimer timer, int ms) = 0;
    virtual void StopTimer(LSyncTimer timer) = 0;

    // Reply time-out, retries and idle poll of the open transport; closing it.
    virtual void SetLinkTimeout(int ms) = 0;
    virtual void SetLinkRetries(int count) = 0;
    virtual void SuspendLinkPoll(bool suspended) = 0;
    virtual void CloseLink() = 0;
    // "COM3", "USB" or "NET": the open transport's name for the interface label.
    virtual std::string LinkInterfaceName() const = 0;
};
