// What the connection state machine needs from the main window besides the command sink: the
// progress and information dialogs, the link button, the full refresh, the link's time-out and
// poll settings, file choice, and one-shot timers. The main window implements it; tests use a
// recording fake. Every call comes on the user-interface thread; none may block.
#pragma once

#include <cstdint>
#include <span>
#include <string>

// The one-shot timers of the synchronisation. The owner starts them on its timer service and
// calls LSyncMachine::OnTimer with the same value when one fires; a new start restarts it.
enum class LSyncTimer {
    Pts,          // 1000 ms: the unlock prompt of a locked device
    ProcessShow,  // 100 ms: the progress dialog of a full read
    Upload,       // 300 ms: the save step of a unit upload
    Disconnect,   // 300 ms: closes the link
    Check,        // 100 ms: the unlock prompt polls the device's answer
    Cmd,          // 100 ms: an accepted unlock goes on reading
    Close,        // 100 ms: the lock setup closes after its commands
};

class LSyncShell {
public:
    virtual ~LSyncShell() = default;

    // Timers.
    virtual void StartTimer(LSyncTimer timer, int ms) = 0;
    virtual void StopTimer(LSyncTimer timer) = 0;

    // The link (Parts of the link core): reply time-out, retries, idle poll, closing.
    virtual void SetLinkTimeout(int ms) = 0;
    virtual void SetLinkRetries(int count) = 0;
    virtual void SuspendLinkPoll(bool suspended) = 0;
    virtual void CloseLink() = 0;
    // "COM3", "USB" or "NET": the open transport's name for the interface label.
    virtual std::string LinkInterfaceName() const = 0;
    // A reply from another device id: the scan drops this candidate.
    virtual void OtherDeviceReply() = 0;
    // The scan dialog: the attempt was answered; hide it.
    virtual void SetConnectResult(int result) = 0;
    virtual void HideScan() = 0;
    // The link was lost (not closed by the editor): the scan dialog's broken-link status.
    virtual void ReportLinkLost() = 0;

    // Progress dialog: keyed status text, position and maximum, shown modally or not.
    virtual void SetProgressStatus(const std::string& key) = 0;
    virtual void SetProgress(int position, int max) = 0;
    virtual void ShowProgress(bool modal) = 0;
    virtual void CloseProgress() = 0;

    // The information dialog with a keyed text; a fixed English message box.
    virtual void ShowInformation(const std::string& key) = 0;
    virtual void ShowMessage(const std::string& text) = 0;

    // Link button, Connect menu item and interface label.
    virtual void SetOnline(const std::string& interfaceName) = 0;
    virtual void SetLinkControlsEnabled(bool enabled) = 0;
    // The whole window takes input or not (a unit download disables it).
    virtual void SetMainEnabled(bool enabled) = 0;
    // Preset labels beside the Store button ("U05", the name).
    virtual void SetPresetLabels(const std::string& number, const std::string& name) = 0;

    // Every control from the model, with the refresh flag set meanwhile.
    virtual void ShowAllParams() = 0;
    // Level meters: poll on or off (off also empties the meters) and a level reply.
    virtual void SetLevelPoll(bool on) = 0;
    virtual void OnLevelReply(std::span<const uint8_t> payload) = 0;

    // The unlock prompt: show it, reset its edit to "****" after a wrong password, close it.
    virtual void ShowUnlockPrompt() = 0;
    virtual void ResetUnlockEdit() = 0;
    virtual void CloseUnlockPrompt() = 0;
    virtual void CloseLockSetup() = 0;

    // File dialogs; an empty name is Cancel.
    virtual std::string ChooseUnitSaveFile() = 0;
    virtual std::string ChooseUnitOpenFile() = 0;
};
