// The main window as the link session's view: what the synchronisation machine and the link show,
// on the window's controls, dialogs, pages and link. The window owns one; it outlives the session.
#pragma once

#include "session/LSessionView.h"

#include <map>
#include <string>

namespace app
{

class TfmMain;
struct TDeviceDialogs;

class TMainSessionView : public LSessionView
{
  public:
    explicit TMainSessionView(TfmMain& main) : FMain(main) {}
    TMainSessionView(const TMainSessionView&) = delete;
    TMainSessionView& operator=(const TMainSessionView&) = delete;

    // The level poll runs (the machine starts it when a full read is over).
    bool LevelPollOn() const { return FLevelPoll; }
    // The device dialogs were built (when first needed): the preset names shown before go into
    // their lists, and the panel lock's calls reach them from now on.
    void UseDeviceDialogs(TDeviceDialogs& dialogs);

    bool IsUpdating() const override;
    void MarkChannelCurvesDirty(int ch) override;
    void ShowPresetName(int p, const std::string& name) override;
    void OtherDeviceReply() override;
    void SetConnectResult(int result) override;
    void HideScan() override;
    void ReportLinkLost() override;
    void SetProgressStatus(const std::string& key) override;
    void SetProgress(int position, int max) override;
    void ShowProgress(bool modal) override;
    void CloseProgress() override;
    void ShowInformation(const std::string& key) override;
    void ShowMessage(const std::string& text) override;
    void SetOnline(const std::string& interfaceName) override;
    void SetLinkControlsEnabled(bool enabled) override;
    void SetMainEnabled(bool enabled) override;
    void SetPresetLabels(const std::string& number, const std::string& name) override;
    void ShowAllParams() override;
    void SetLevelPoll(bool on) override;
    void OnLevelReply(std::span<const uint8_t> payload) override;
    void ShowUnlockPrompt() override;
    void ResetUnlockEdit() override;
    void CloseUnlockPrompt() override;
    void CloseLockSetup() override;
    std::string ChooseUnitSaveFile() override;
    std::string ChooseUnitOpenFile() override;
    void ShowOffline() override;

  private:
    TfmMain& FMain;
    bool FLevelPoll = false;
    TDeviceDialogs* FDeviceDialogs = nullptr;
    std::map<int, std::string> FPresetNames; // shown while the preset lists were not built
};

} // namespace app
