// A headless editor around the state machine for tests: a recording view, a fake clock, a
// one-outstanding-request send queue, and a link to a device that answers each frame or not.
#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/LSyncMachine.h"
#include "model/LUnitControl.h"
#include "proto/LCmd.h"

#include "DeviceLinkHelpers.h"
#include "DeviceState.h"
#include "RecordingView.h"

class SyncRig : public RecordingView, public CommandSink, public LSyncLink
{
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
    bool TimerActive(LSyncTimer t) const { return FTimers.count(t) != 0; }

    // ---- what the device does ----
    // Answers one frame: the reply frame, or nothing (no answer: the link is reported lost).
    std::function<std::optional<BSTM>(const BSTM&)> Exchange;

    LUnitControl Unit;
    LSyncMachine Machine{Unit, *this, *this, *this};
    std::string Interface = "NET";
    int DeviceId = 1;
    bool PollSuspended = false;

    // ---- CommandSink (the view's part answered by the recording) ----
    void SendCommand(const LCmd& cmd, bool noCoalesce) override;
    bool IsUpdating() const override { return Updating; }
    int GetDeviceId() const override { return DeviceId; }
    void MarkChannelCurvesDirty(int ch) override { RecordingView::MarkChannelCurvesDirty(ch); }
    void ShowPresetName(int p, const std::string& name) override { RecordingView::ShowPresetName(p, name); }

    // ---- LSyncLink ----
    void StartTimer(LSyncTimer timer, int ms) override;
    void StopTimer(LSyncTimer timer) override { FTimers.erase(timer); }
    void SetLinkTimeout(int ms) override { Timeout = ms; }
    void SetLinkRetries(int) override {}
    void SuspendLinkPoll(bool suspended) override { PollSuspended = suspended; }
    void CloseLink() override;
    std::string LinkInterfaceName() const override { return Interface; }

  private:
    bool FLinkOpen = false;
    bool FRunning = false;
    std::deque<std::pair<BSTM, bool>> FQueue; // frame, coalescable
    std::map<LSyncTimer, long long> FTimers;
    long long FNow = 0;
};

// Answers through an in-process device's memory; faults as the test device has them.
struct InProcessDevice {
    morvex_device::DeviceState State;
    uint8_t Id = 1;
    int SilentAfter = -1; // frames answered before going silent
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

// Image bytes 2..1081: everything but the two reserved bytes.
std::vector<uint8_t> ImageBody(const ParamImage& image);

// A fresh directory under the system's temporary directory, removed with everything in it.
class TempDir
{
  public:
    explicit TempDir(const std::string& prefix = "morvex-test");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::filesystem::path Path;
};

// A file's bytes; empty when it cannot be read.
std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path);
