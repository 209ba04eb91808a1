// The view side of what the connection state machine needs: the scan dialog's outcome, the progress
// and information dialogs, the link button, the full refresh, the level meters, the unlock prompt and
// the file dialogs. The main window's session view implements it; tests use a recording fake. Every
// call comes on the user-interface thread; none may block (the file dialogs are modal and return the
// choice).
#pragma once

#include <cstdint>
#include <span>
#include <string>

class LSyncView
{
  public:
    virtual ~LSyncView() = default;

    // The scan dialog: a reply from another device id (the scan drops this candidate); the attempt
    // was answered; hide it; the link was lost (not closed by the editor): its broken-link status.
    virtual void OtherDeviceReply() = 0;
    virtual void SetConnectResult(int result) = 0;
    virtual void HideScan() = 0;
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
