// The connection state machine against the test device: every command the machine sends waits for
// the device's answer, and the input decides, step by step, whether the device answers well, answers
// wrongly (cut, changed, doubled, from another id, not at all), whether a raw frame or a timer comes
// in between, and which operation the user starts (store, recall, factory default, unit upload and
// download, preset-file load, copy, links, unlock, lock). The handshake and the full read therefore go
// through, and the operations reach the block stores, the unit information and the files.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <span>
#include <string>
#include <vector>

#include <unistd.h>

#include "DeviceState.h"
#include "FrameReader.h"
#include "FuzzInput.h"
#include "model/LSyncMachine.h"
#include "model/PresetFile.h"

namespace
{

using morvex_device::DeviceState;

struct Files {
    std::string dir, unitGood, unitShort, unitShortLastStored, unitBad, presetGood, presetBad, save;
};
Files gFiles;

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

LUnitImage SampleUnit(bool lastStored)
{
    LUnitImage unit;
    for (int i = 0; i < kUnitInfoSize; ++i)
        unit.Info[i] = static_cast<uint8_t>(i * 7);
    const morvex_device::SetBytes body = morvex_device::SetFromImage(morvex_device::DefaultImage());
    for (int k : {0, 4, 11, 19}) {
        if (k == 19 && !lastStored)
            continue;
        unit.Stored[k] = true;
        std::copy(body.begin(), body.end(), unit.Presets[k].begin());
        unit.Presets[k][0] = kPresetStoredMark;
    }
    return unit;
}

void MakeFiles()
{
    // In memory where there is such a file system: the save step syncs what it writes.
    char shm[] = "/dev/shm/morvex-fuzz-replies-XXXXXX";
    char tmp[] = "/tmp/morvex-fuzz-replies-XXXXXX";
    const char* dir = mkdtemp(shm);
    if (!dir)
        dir = mkdtemp(tmp);
    if (!dir)
        std::abort();
    gFiles.dir = dir;
    gFiles.unitGood = gFiles.dir + "/good.unt";
    gFiles.unitShort = gFiles.dir + "/short.unt";
    gFiles.unitShortLastStored = gFiles.dir + "/short-last.unt";
    gFiles.unitBad = gFiles.dir + "/bad.unt";
    gFiles.presetGood = gFiles.dir + "/good.prs";
    gFiles.presetBad = gFiles.dir + "/bad.prs";
    gFiles.save = gFiles.dir + "/saved";
    WriteBytes(gFiles.unitGood, BuildUnitFile(SampleUnit(true)));
    std::vector<uint8_t> shortFile = BuildUnitFile(SampleUnit(false));
    shortFile.resize(kUnitFileMinSize);
    WriteBytes(gFiles.unitShort, shortFile);
    shortFile = BuildUnitFile(SampleUnit(true));
    shortFile.resize(kUnitFileMinSize);
    WriteBytes(gFiles.unitShortLastStored, shortFile);
    std::vector<uint8_t> bad = BuildUnitFile(SampleUnit(true));
    bad[3] = '!';
    WriteBytes(gFiles.unitBad, bad);
    LUnitControl model;
    std::vector<uint8_t> preset = BuildPresetFile(model);
    WriteBytes(gFiles.presetGood, preset);
    preset.resize(preset.size() / 2);
    WriteBytes(gFiles.presetBad, preset);
}

void RemoveFiles()
{
    for (const std::string* f : {&gFiles.unitGood, &gFiles.unitShort, &gFiles.unitShortLastStored,
                                 &gFiles.unitBad, &gFiles.presetGood, &gFiles.presetBad})
        std::remove(f->c_str());
    std::remove((gFiles.save + ".unt").c_str());
    rmdir(gFiles.dir.c_str());
}

// The commands sent and not yet answered, oldest first. The slots live as long as the process and
// keep their payloads' room, so that the many commands of a preset-file load cost no allocation.
class CommandRing
{
  public:
    static constexpr size_t kMost = 4096;
    CommandRing() : FSlots(kMost) {}
    bool empty() const { return FCount == 0; }
    size_t size() const { return FCount; }
    void clear() { FHead = FCount = 0; }
    void push_back(const LCmd& cmd)
    {
        if (FCount == kMost)
            return;
        LCmd& slot = FSlots[(FHead + FCount) % kMost];
        slot = cmd; // keeps the slot's payload room when it is large enough
        ++FCount;
    }
    const LCmd& front() const { return FSlots[FHead]; }
    void pop_front()
    {
        FHead = (FHead + 1) % kMost;
        --FCount;
    }

  private:
    std::vector<LCmd> FSlots;
    size_t FHead = 0, FCount = 0;
};

// The window side: commands queue for the device, timers are remembered until they fire or stop.
// One rig serves every input; Reset leaves it as a new one.
struct Rig : CommandSink, LSyncLink, LSyncView {
    CommandRing Outstanding;
    std::array<bool, static_cast<size_t>(LSyncTimer::Close) + 1> Running{}; // by LSyncTimer
    bool CloseAsked = false;
    std::string OpenFile, SaveFile;

    void Reset()
    {
        Outstanding.clear();
        Running.fill(false);
        CloseAsked = false;
        OpenFile.clear();
        SaveFile = gFiles.save;
    }
    size_t RunningCount() const
    {
        return static_cast<size_t>(std::count(Running.begin(), Running.end(), true));
    }
    // The n-th running timer (n < RunningCount()).
    LSyncTimer RunningAt(size_t n) const
    {
        for (size_t i = 0; i < Running.size(); ++i)
            if (Running[i] && n-- == 0)
                return static_cast<LSyncTimer>(i);
        std::abort();
    }

    void SendCommand(const LCmd& cmd, bool) override { Outstanding.push_back(cmd); }
    bool IsUpdating() const override { return false; }
    int GetDeviceId() const override { return 1; }
    void MarkChannelCurvesDirty(int) override {}
    void ShowPresetName(int, const std::string&) override {}
    void StartTimer(LSyncTimer t, int) override { Running.at(static_cast<size_t>(t)) = true; }
    void StopTimer(LSyncTimer t) override { Running.at(static_cast<size_t>(t)) = false; }
    void SetLinkTimeout(int) override {}
    void SetLinkRetries(int) override {}
    void SuspendLinkPoll(bool) override {}
    void CloseLink() override { CloseAsked = true; }
    std::string LinkInterfaceName() const override { return "NET"; }
    void OtherDeviceReply() override {}
    void SetConnectResult(int) override {}
    void HideScan() override {}
    void ReportLinkLost() override {}
    void SetProgressStatus(const std::string&) override {}
    void SetProgress(int, int) override {}
    void ShowProgress(bool) override {}
    void CloseProgress() override {}
    void ShowInformation(const std::string&) override {}
    void ShowMessage(const std::string&) override {}
    void SetOnline(const std::string&) override {}
    void SetLinkControlsEnabled(bool) override {}
    void SetMainEnabled(bool) override {}
    void SetPresetLabels(const std::string&, const std::string&) override {}
    void ShowAllParams() override {}
    void SetLevelPoll(bool) override {}
    void OnLevelReply(std::span<const uint8_t>) override {}
    void ShowUnlockPrompt() override {}
    void ResetUnlockEdit() override {}
    void CloseUnlockPrompt() override {}
    void CloseLockSetup() override {}
    std::string ChooseUnitSaveFile() override { return SaveFile; }
    std::string ChooseUnitOpenFile() override { return OpenFile; }
};

// As the device frames a reply (its id as the source), through the machine's frame parsing.
void Dispatch(LSyncMachine& machine, uint8_t id, uint8_t code, BSTM payload)
{
    if (payload.size() > static_cast<size_t>(kMaxFramePayload))
        payload.resize(kMaxFramePayload);
    machine.DispatchReply(morvex_device::BuildReplyFrame(id, code, payload));
}

void Reopen(LSyncMachine& machine, Rig& rig, DeviceState& device)
{
    machine.OnLinkOpened();
    rig.Outstanding.clear();
    rig.CloseAsked = false;
    device.Unlocked = false;
    rig.Outstanding.push_back(CM_MCS_CMD(1, 16)); // the link core's connect request
}

std::string Text(FuzzInput& in, size_t most)
{
    const std::vector<uint8_t> b = in.Bytes(in.Byte() % (most + 1));
    return std::string(b.begin(), b.end());
}

void UserOperation(FuzzInput& in, LSyncMachine& machine, Rig& rig)
{
    switch (in.Byte() % 14) {
    case 0: {
        std::array<uint8_t, kPresetNameSize> name{};
        const std::vector<uint8_t> b = in.Bytes(kPresetNameSize);
        std::copy(b.begin(), b.end(), name.begin());
        machine.StorePreset(in.Byte() % (kUserPresets + 2) - 1, name);
        break;
    }
    case 1:
        machine.RecallPreset(in.Byte() % (kUserPresets + 3) - 1);
        break;
    case 2:
        if (machine.CanFactoryReset())
            machine.FactoryReset();
        break;
    case 3:
        machine.StartUnitUpload();
        break;
    case 4: {
        const std::string* choices[] = {&gFiles.unitGood, &gFiles.unitShort, &gFiles.unitShortLastStored,
                                        &gFiles.unitBad};
        const uint8_t pick = in.Byte() % 5;
        rig.OpenFile = pick < 4 ? *choices[pick] : std::string();
        machine.StartUnitDownload();
        break;
    }
    case 5:
        machine.OpenPresetFile(in.Byte() & 1 ? gFiles.presetGood : gFiles.presetBad);
        break;
    case 6: {
        const int source = in.Byte() % 10, target = in.Byte() % 10;
        machine.CopyChannel(source, target, in.Byte() & 1);
        break;
    }
    case 7: {
        const int ch = in.Byte() % kChannelCount;
        machine.SetLink(ch, in.Word());
        break;
    }
    case 8:
        machine.ResyncAllParams();
        break;
    case 9: {
        std::array<uint16_t, kChannelCount> words{};
        for (uint16_t& w : words)
            w = in.Word();
        machine.ApplyLinkWords(words);
        break;
    }
    case 10:
        machine.SubmitPassword(Text(in, 6));
        break;
    case 11:
        machine.CancelUnlock();
        break;
    case 12:
        machine.SetLockPassword(Text(in, 6));
        break;
    default: {
        const uint8_t pick = in.Byte() % 3;
        rig.SaveFile = pick == 0   ? gFiles.save
                       : pick == 1 ? std::string()
                                   : std::string("/nonexistent/dir/x");
        break;
    }
    }
}

// The device's answer to the oldest unanswered command, changed as the input says.
void Answer(FuzzInput& in, LSyncMachine& machine, Rig& rig, DeviceState& device, bool changed)
{
    if (rig.Outstanding.empty())
        return;
    const std::optional<morvex_device::Reply> reply = device.Answer(rig.Outstanding.front());
    rig.Outstanding.pop_front();
    if (!reply)
        return;
    uint8_t id = 1, code = reply->Code;
    BSTM payload = reply->Payload;
    int copies = 1;
    if (changed) {
        switch (in.Byte() % 7) {
        case 0:
            payload.resize(payload.empty() ? 0 : in.Byte() % (payload.size() + 1));
            break;
        case 1:
            if (!payload.empty())
                payload[in.Byte() % payload.size()] ^= static_cast<uint8_t>(in.Byte() | 1);
            break;
        case 2:
            code = in.Byte();
            break;
        case 3:
            copies = 2;
            break;
        case 4:
            id = static_cast<uint8_t>(in.Byte() | 2);
            break;
        case 5:
            copies = 0;
            break;
        default: {
            const std::vector<uint8_t> more = in.Bytes(in.Byte() % 32);
            payload.insert(payload.end(), more.begin(), more.end());
            break;
        }
        }
    }
    for (int i = 0; i < copies; ++i)
        Dispatch(machine, id, code, payload);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    MakeFiles();
    std::atexit(RemoveFiles);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    DeviceState device;
    const uint8_t setup = in.Byte();
    device.Locked = (setup & 7) == 7;
    if ((setup & 0x18) == 0x18)
        device.Identity = (setup & 0x20) ? "MORVEX V009" : "OTHER";
    const uint32_t stored = in.Byte() | (in.Byte() << 8) | ((in.Byte() & 0x0F) << 16);
    for (int k = 0; k < kUserPresets; ++k)
        if ((stored >> k) & 1)
            device.StorePreset(k + 1, device.Image());
    device.PresetNumber = in.Byte() % (kUserPresets + 1);

    static Rig rig;
    rig.Reset();
    LUnitControl unit;
    unit.SetSink(&rig);
    LSyncMachine machine(unit, rig, rig, rig);
    Reopen(machine, rig, device);
    while (!in.Empty()) {
        const uint8_t op = in.Byte();
        if (op < 150) {
            Answer(in, machine, rig, device, false);
        } else if (op < 185) {
            Answer(in, machine, rig, device, true);
        } else if (op < 200) {
            // Any frame: code and payload from the input, or bytes that may be no frame at all.
            if (op & 1) {
                const uint8_t code = in.Byte();
                Dispatch(machine, 1, code, in.Bytes(in.Byte()));
            } else {
                machine.DispatchReply(in.Bytes(in.Byte() % 80));
            }
        } else if (op < 215) {
            // One of the running timers fires.
            if (const size_t running = rig.RunningCount())
                machine.OnTimer(rig.RunningAt(in.Byte() % running));
        } else if (op < 248) {
            UserOperation(in, machine, rig);
        } else if (op < 251) {
            machine.OnLinkClosed(op & 1);
            Reopen(machine, rig, device);
        } else if (!rig.Outstanding.empty()) {
            rig.Outstanding.pop_front(); // the device never saw it
        }
        if (rig.CloseAsked) {
            machine.OnLinkClosed(false);
            Reopen(machine, rig, device);
        }
    }
    machine.OnLinkClosed(true);
    // A closed link leaves nothing running.
    if (machine.Busy() || machine.ProcessState() != PS_IDLE || machine.Connected())
        std::abort();
    return 0;
}
