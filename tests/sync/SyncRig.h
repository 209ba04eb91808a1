// A headless editor around the state machine for tests: a recording shell with a fake clock, a
// one-outstanding-request send queue, and a link to a device that answers each frame or not.
#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "proto/LCmd.h"
#include "model/LSyncMachine.h"
#include "model/LUnitControl.h"

#include "DeviceLinkHelpers.h"
#include "DeviceState.h"

class SyncRig : public CommandSink, public LSyncShell {
public:
    SyncRig();
    ~SyncRig() override = default;

    // ---- the link ----
    // Opens the link and sends the connect request; runs until the queue is empty.
    void Connect();
    // Runs the queue: one frame out, its reply in, until nothing is queued or the link is lost.
    void Run();
    // Advances the fake clock, firing due timers (and running the queue after each).
    void Advance(int ms);
    bool LinkOpen() const { return FLinkOpen; }

    std::vector<uint8_t> SentCodes() const;
    std::vector<BSTM> Sent() const { return FSent; }
    void ClearSent() { FSent.clear(); FSentCoalescing.clear(); }
    std::vector<bool> SentCoalescing() const { return FSentCoalescing; }
    std::vector<std::string> Events() const { return FEvents; }
    void ClearEvents() { FEvents.clear(); }
    bool HasEvent(const std::string& e) const;
    bool TimerActive(LSyncTimer t) const { return FTimers.count(t) != 0; }

    // ---- what the device does ----
    // Answers one frame: the reply frame, or nothing (no answer: the link is reported lost).
    std::function<std::optional<BSTM>(const BSTM&)> Exchange;

    LUnitControl Unit;
    LSyncMachine Machine{Unit, *this, *this};
    std::string SaveName;  // what the save dialog returns
    std::string OpenName;  // what the open dialog returns
    std::string Interface = "NET";
    int DeviceId = 1;
    int Timeout = 0;
    bool Updating = false;

    // ---- CommandSink ----
    void SendCommand(const LCmd& cmd, bool noCoalesce) override;
    bool IsUpdating() const override { return Updating; }
    int GetDeviceId() const override { return DeviceId; }
    void MarkChannelCurvesDirty(int) override {}
    void ShowPresetName(int p, const std::string& name) override { PresetNames[p] = name; }
    std::map<int, std::string> PresetNames;

    // ---- LSyncShell ----
    void StartTimer(LSyncTimer timer, int ms) override;
    void StopTimer(LSyncTimer timer) override { FTimers.erase(timer); }
    void SetLinkTimeout(int ms) override { Timeout = ms; }
    void SetLinkRetries(int) override {}
    void SuspendLinkPoll(bool suspended) override { PollSuspended = suspended; }
    void CloseLink() override;
    std::string LinkInterfaceName() const override { return Interface; }
    void OtherDeviceReply() override { Log("other-device"); }
    void SetConnectResult(int r) override { Log("connect-result " + std::to_string(r)); }
    void HideScan() override { Log("hide-scan"); }
    void ReportLinkLost() override { Log("link-lost"); }
    void SetProgressStatus(const std::string& key) override { Log("status " + key); }
    void SetProgress(int position, int max) override;
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

    bool MainEnabled = true;
    bool LevelPoll = false;
    bool PollSuspended = false;
    std::vector<int> ProgressPositions;

protected:
    void Log(const std::string& e) { FEvents.push_back(e); }

    bool FLinkOpen = false;
    std::vector<BSTM> FSent;
    std::vector<bool> FSentCoalescing;

private:
    bool FRunning = false;
    std::deque<std::pair<BSTM, bool>> FQueue;  // frame, coalescable
    std::vector<std::string> FEvents;
    std::map<LSyncTimer, long long> FTimers;
    long long FNow = 0;
};

// Answers through an in-process device's memory; faults as the test device has them.
struct InProcessDevice {
    morvex_device::DeviceState State;
    uint8_t Id = 1;
    int SilentAfter = -1;  // frames answered before going silent
    int ReplyId = -1;
    int Answered = 0;
    std::vector<BSTM> Received;
    // Replaces the reply of one code once (hostile replies).
    std::map<uint8_t, BSTM> Override;

    std::optional<BSTM> operator()(const BSTM& frame);
};

// Answers over a real byte link (loopback TCP or a pty) to the test device.
struct SocketDevice {
    morvex_device::TestLink* Link = nullptr;
    int TimeoutMs = 1000;
    std::optional<BSTM> operator()(const BSTM& frame);
};

// A set of bytes that differs from the default image everywhere it can.
ParamImage SampleImage(int seed);

// A fresh directory under the system's temporary directory, removed with everything in it.
class TempDir {
public:
    explicit TempDir(const std::string& prefix = "morvex-test");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::filesystem::path Path;
};

// A file's bytes; empty when it cannot be read.
std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path);
