// The editor's windows as a recording, for the sync tests: every call the state machine and the link
// session make on their view becomes an event or a field the tests read. The rigs record the frames
// they send here as well.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "proto/LCmd.h"
#include "session/LSessionView.h"

class RecordingView : public LSessionView
{
  public:
    std::vector<uint8_t> SentCodes() const;
    std::vector<BSTM> Sent() const { return FSent; }
    void ClearSent()
    {
        FSent.clear();
        FSentCoalescing.clear();
    }
    std::vector<bool> SentCoalescing() const { return FSentCoalescing; }
    std::vector<std::string> Events() const { return FEvents; }
    void ClearEvents() { FEvents.clear(); }
    bool HasEvent(const std::string& e) const;

    // ---- LSessionView ----
    bool IsUpdating() const override { return Updating; }
    void MarkChannelCurvesDirty(int) override {}
    void ShowPresetName(int p, const std::string& name) override { PresetNames[p] = name; }
    void ShowOffline() override { Log("link-closed"); }

    // ---- LSyncView ----
    void OtherDeviceReply() override { Log("other-device"); }
    void SetConnectResult(int r) override { Log("connect-result " + std::to_string(r)); }
    void HideScan() override { Log("hide-scan"); }
    void ReportLinkLost() override { Log("link-lost"); }
    void SetProgressStatus(const std::string& key) override { Log("status " + key); }
    void SetProgress(int position, int) override { ProgressPositions.push_back(position); }
    void ShowProgress(bool modal) override { Log(modal ? "progress-modal" : "progress-shown"); }
    void CloseProgress() override { Log("progress-closed"); }
    void ShowInformation(const std::string& key) override { Log("info " + key); }
    void ShowMessage(const std::string& text) override { Log("message " + text); }
    void SetOnline(const std::string& name) override { Log("online " + name); }
    void SetLinkControlsEnabled(bool) override {}
    void SetMainEnabled(bool enabled) override { MainEnabled = enabled; }
    void SetPresetLabels(const std::string& number, const std::string& name) override
    {
        Log("labels " + number + " " + name);
    }
    void ShowAllParams() override { Log("show-all"); }
    void SetLevelPoll(bool on) override { LevelPoll = on; }
    void OnLevelReply(std::span<const uint8_t>) override {}
    void ShowUnlockPrompt() override { Log("unlock-prompt"); }
    void ResetUnlockEdit() override { Log("unlock-edit-reset"); }
    void CloseUnlockPrompt() override { Log("unlock-closed"); }
    void CloseLockSetup() override { Log("lock-setup-closed"); }
    std::string ChooseUnitSaveFile() override { return SaveName; }
    std::string ChooseUnitOpenFile() override { return OpenName; }

    std::string SaveName; // what the save dialog returns
    std::string OpenName; // what the open dialog returns
    bool Updating = false;
    bool MainEnabled = true;
    bool LevelPoll = false;
    int Timeout = 0; // the reply time-out the machine set last
    std::vector<int> ProgressPositions;
    std::map<int, std::string> PresetNames;

  protected:
    void Log(const std::string& e) { FEvents.push_back(e); }
    void RecordSent(const LCmd& cmd, bool noCoalesce);

  private:
    std::vector<BSTM> FSent;
    std::vector<bool> FSentCoalescing;
    std::vector<std::string> FEvents;
};
