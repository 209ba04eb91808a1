#include "model/LSyncMachine.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "model/PresetFile.h"
#include "proto/Commands.h"

namespace
{

using namespace proto;

constexpr int kResendMarker = 12;
constexpr int kPresetLoadSteps = 280;
constexpr int kCheckTicks = 30;
constexpr int kStatusBytes = 6;
constexpr int kLockByte = 5;

inline constexpr char kIdentityText[] = "MORVEX V010";
constexpr size_t kIdentityModel = 6;
constexpr size_t kIdentityFull = 11;

} // namespace

LSyncMachine::LSyncMachine(LUnitControl& unit, CommandSink& sink, LSyncLink& link, LSyncView& view)
    : FUnit(unit), FSink(sink), FLink(link), FView(view)
{
}

// ---- sending ----

void LSyncMachine::SendCmd(const LCmd& cmd, bool noCoalesce)
{
    FSink.SendCommand(cmd, noCoalesce);
}

void LSyncMachine::Send(int code)
{
    SendCmd(CM_MCS_CMD(static_cast<uint8_t>(FSink.GetDeviceId()), code), true);
}

void LSyncMachine::Send(int code, int b1)
{
    SendCmd(CM_MCS_CMD(static_cast<uint8_t>(FSink.GetDeviceId()), code, b1), true);
}

void LSyncMachine::SendCoalescing(int code)
{
    SendCmd(CM_MCS_CMD(static_cast<uint8_t>(FSink.GetDeviceId()), code), false);
}

void LSyncMachine::LevelPollOff()
{
    FView.SetLevelPoll(false);
}

void LSyncMachine::Progress(int position, int max)
{
    FProgressPos = position;
    FProgressMax = max;
    FView.SetProgress(position, max);
}

void LSyncMachine::FinishOperation()
{
    FLink.StopTimer(LSyncTimer::ProcessShow);
    FProgressPending = false;
    FView.CloseProgress();
    FView.SetLevelPoll(true);
    FOp = Op::None;
    FRead = Read::None;
    FBusy = false;
}

void LSyncMachine::AbortOperation(const std::string& key)
{
    const bool download = FOp == Op::Download;
    FProcessState = PS_IDLE;
    FPresetResend = 0;
    FinishOperation();
    if (download)
        FView.SetMainEnabled(true);
    FView.ShowInformation(key);
}

bool LSyncMachine::OperationRunning() const
{
    return FOp != Op::None || FRead != Read::None || (FProcessState != PS_IDLE && FProcessState != PS_LOCKED);
}

// A stray reply can leave an operation's request unanswered with the link idle; the worker writes it
// again after the time-out, unless an idle poll replaced it first (and its acknowledgement then passed
// for the answer, or the operation waited for good). So no idle poll while an operation runs: a device
// that stops answering is then found by the time-outs.
void LSyncMachine::HoldPoll()
{
    const bool running = OperationRunning();
    if (running == FPollHeld)
        return;
    FPollHeld = running;
    FLink.SuspendLinkPoll(FPollOff || running);
}

void LSyncMachine::ResetOperation()
{
    // Nothing the user started on an earlier link goes on on this one.
    const bool shown = FBusy;
    const bool download = FOp == Op::Download;
    FProcessState = PS_IDLE;
    FPresetResend = 0;
    FOp = Op::None;
    FRead = Read::None;
    FBusy = false;
    FProgressPending = false;
    FResultState = 255;
    FStatusAsked = false;
    for (LSyncTimer t : {LSyncTimer::Pts, LSyncTimer::ProcessShow, LSyncTimer::Check, LSyncTimer::Cmd})
        FLink.StopTimer(t);
    if (shown)
        FView.CloseProgress();
    if (download)
        FView.SetMainEnabled(true);
    if (FUnlockOpen) {
        FUnlockOpen = false;
        FView.CloseUnlockPrompt();
    }
}

// ---- link events ----

void LSyncMachine::OnLinkOpened()
{
    ResetOperation();
    FPollOff = false; // a new transport polls
    FPollHeld = false;
    FConnectPending = true;
    FConnected = false;
    FOnline = false;
}

void LSyncMachine::OnLinkClosed(bool lost)
{
    const bool wasLinked = FConnectPending || FConnected || FOnline;
    ResetOperation();
    FPollOff = false;
    FPollHeld = false;
    FLink.StopTimer(LSyncTimer::Disconnect);
    FConnectPending = false;
    FConnected = false;
    FOnline = false;
    if (lost && wasLinked)
        FView.ReportLinkLost();
}

void LSyncMachine::DispatchReply(const BSTM& frame, uint8_t answered)
{
    DispatchReply(LCmd(frame), answered);
}

void LSyncMachine::DispatchReply(const LCmd& reply, uint8_t answered)
{
    PollSync sync{*this};
    if (reply.GetId() != static_cast<uint8_t>(FSink.GetDeviceId())) {
        FView.OtherDeviceReply();
        return;
    }
    const std::span<const uint8_t> p(reply.GetPayload());
    switch (reply.GetCode()) {
    case kReplyAck:
        OnAck(answered);
        break;
    // The handshake runs once per link: a repeated 16, 19 or 44 starts no second read.
    case kConnect:
        if (FConnectPending)
            OnConnectReply();
        break;
    case kIdentity:
        if (!FConnected || FOnline)
            break;
        FView.SetConnectResult(1);
        OnIdentityReply(p);
        break;
    case kPresetNumber:
        OnPresetNumberReply(p);
        break;
    case kReadEeprom:
        OnUnitInfoReply(p);
        break;
    case kParamDump:
        OnParamDumpReply(p);
        break;
    case kReplyParamBlock:
        OnParamBlockReply(p);
        break;
    case kDownload:
        OnDownloadAck(p);
        break;
    case kUploadBlock:
        OnUploadBlockReply(p);
        break;
    case kReadName:
        OnPresetNameReply(p);
        break;
    case kStatus:
        OnStatusReply(p);
        break;
    case kPassSubmit:
        OnUnlockReply(p);
        break;
    case kLevels:
        OnLevelReply(p);
        break;
    default:
        break;
    }
}

void LSyncMachine::OnTimer(LSyncTimer timer)
{
    PollSync sync{*this};
    FLink.StopTimer(timer);
    switch (timer) {
    case LSyncTimer::Pts:
        if (FProcessState == PS_LOCKED && FConnected) {
            FUnlockOpen = true;
            FView.ShowUnlockPrompt();
        }
        break;
    case LSyncTimer::ProcessShow:
        // The read may have ended before the dialog was due; a late modal dialog would stay up.
        if (FProgressPending && FBusy)
            FView.ShowProgress(true);
        FProgressPending = false;
        break;
    case LSyncTimer::Upload:
        SaveUploadedUnit();
        break;
    case LSyncTimer::Disconnect:
        FLink.CloseLink();
        break;
    case LSyncTimer::Check:
        OnCheckTimer();
        break;
    case LSyncTimer::Cmd:
        FUnlockOpen = false;
        RequestDump(true);
        FView.CloseUnlockPrompt();
        break;
    case LSyncTimer::Close:
        FLink.StartTimer(LSyncTimer::Disconnect, 300);
        FView.CloseLockSetup();
        break;
    }
}

// ---- acknowledgements ----

bool LSyncMachine::AckFitsState(uint8_t answered) const
{
    if (answered == 0)
        return true; // the link cannot tell: taken as today's step's
    switch (FProcessState) {
    case PS_RECALL:
        return answered == kRecall;
    case PS_STORE_NAME:
        return answered == kPresetName;
    case PS_STORE:
        return answered == kStore;
    case PS_FACTORY:
    case PS_DOWNLOAD_FACTORY:
        return answered == kFactory;
    case PS_RESYNC:
        return answered == kCopy || answered == kIdle;
    case PS_UPLOAD:
        return answered == kSelectPreset;
    case PS_DOWNLOAD:
        return answered == kWriteEeprom;
    default:
        return true;
    }
}

void LSyncMachine::OnAck(uint8_t answered)
{
    // An idle poll's acknowledgement just after a store started must not pass for the name's.
    if (!AckFitsState(answered))
        return;
    switch (FProcessState) {
    case PS_RECALL:
        FProcessState = PS_IDLE;
        FLink.SetLinkTimeout(5000);
        FRead = Read::Blocks;
        FNextBlock = 0;
        Send(kReadBlock, 0);
        break;
    case PS_STORE_NAME:
        FProcessState = PS_STORE;
        FLink.SetLinkTimeout(10000);
        Send(kStore, FPresetNumber);
        Progress(1);
        break;
    case PS_STORE:
        FProcessState = PS_IDLE;
        Progress(FProgressMax);
        SendCoalescing(kIdle);
        FinishOperation();
        break;
    case PS_FACTORY:
    case PS_RESYNC:
        FProcessState = PS_IDLE;
        FLink.SetLinkTimeout(5000);
        RequestDump(false);
        break;
    case PS_UPLOAD:
        FProcessState = PS_IDLE;
        FLink.SetLinkTimeout(5000);
        FUploadBlock = 0;
        Send(kUploadBlock, 0);
        break;
    case PS_DOWNLOAD_FACTORY:
        FProcessState = PS_DOWNLOAD;
        SendCmd(CM_MCS_WRITE_EEPROM(static_cast<uint8_t>(FSink.GetDeviceId()), 1, kUnitInfoSize - 1,
                                    FDownload.Info.data() + 1),
                true);
        break;
    case PS_DOWNLOAD:
        FProcessState = PS_IDLE;
        DownloadNextPreset();
        break;
    default:
        FProcessState = PS_IDLE;
        if (FPresetResend == kResendMarker)
            Progress(FProgressPos + 1);
        break;
    }
}

// ---- handshake and the full read ----

void LSyncMachine::OnConnectReply()
{
    FLink.SetLinkTimeout(100);
    FConnectPending = false;
    FConnected = true;
    Send(kIdentity);
    FPollOff = false;
    FLink.SuspendLinkPoll(false);
    FLink.SetLinkRetries(1);
    FLink.SetLinkTimeout(5000);
}

void LSyncMachine::OnIdentityReply(std::span<const uint8_t> p)
{
    const std::string text(p.begin(), p.end());
    if (text.size() < kIdentityModel || text.compare(0, kIdentityModel, kIdentityText, kIdentityModel) != 0) {
        WrongDevice("SID_INFO_ERROR_UNIT");
        return;
    }
    if (text.size() < kIdentityFull || text.compare(0, kIdentityFull, kIdentityText, kIdentityFull) != 0) {
        WrongDevice("SID_INFO_ERROR_VERSION");
        return;
    }
    const std::string name = FLink.LinkInterfaceName();
    FView.SetOnline(name);
    FOnline = true;
    FLink.SetLinkTimeout(name == "USB" ? 5000 : 1000);
    FStatusAsked = true;
    Send(kStatus);
}

void LSyncMachine::WrongDevice(const std::string& key)
{
    Send(kDisconnect);
    FPollOff = true;
    FLink.SuspendLinkPoll(true);
    FView.HideScan();
    FConnected = false;
    FView.ShowInformation(key);
    FLink.StartTimer(LSyncTimer::Disconnect, 300);
}

void LSyncMachine::OnStatusReply(std::span<const uint8_t> p)
{
    if (!FOnline || !FStatusAsked || p.size() < static_cast<size_t>(kStatusBytes))
        return;
    FStatusAsked = false;
    if (p[kLockByte] != 0) {
        FProcessState = PS_LOCKED;
        FLink.StartTimer(LSyncTimer::Pts, 1000);
    } else {
        RequestDump(true);
    }
}

void LSyncMachine::RequestDump(bool coalescing)
{
    FRead = Read::Dump;
    if (coalescing)
        SendCoalescing(kParamDump);
    else
        Send(kParamDump);
}

void LSyncMachine::OnParamDumpReply(std::span<const uint8_t> p)
{
    if (FRead != Read::Dump)
        return;
    if (p.size() < static_cast<size_t>(kUserPresets)) {
        AbortOperation("SID_INFO_ERROR_UNIT");
        return;
    }
    FRead = Read::Number;
    FOp = Op::Read;
    FBusy = true;
    LevelPollOff();
    Send(kPresetNumber);
    FUnit.SetPresetFlags(p);
    FUnit.ShowDefaultPresetNames();
    FView.SetProgressStatus("SID_UPLOAD_PARAMETER");
    Progress(0, kSetBlockCount);
    FProgressPending = true;
    FLink.StartTimer(LSyncTimer::ProcessShow, 100);
}

void LSyncMachine::OnPresetNumberReply(std::span<const uint8_t> p)
{
    if (FRead != Read::Number)
        return;
    if (p.empty()) {
        AbortOperation("SID_INFO_ERROR_UNIT");
        return;
    }
    FPresetNumber = p[0];
    FRead = Read::Names;
    FNextName = 0;
    Send(kReadName, 0);
}

void LSyncMachine::OnPresetNameReply(std::span<const uint8_t> p)
{
    if (FRead != Read::Names)
        return;
    // A name other than the one asked for (a second copy of the last one, a row that does not
    // exist) answers nothing: ignored. The name asked for must be whole.
    if (!p.empty() && p[0] != FNextName)
        return;
    if (p.size() < static_cast<size_t>(1 + kPresetNameSize)) {
        AbortOperation("SID_INFO_ERROR_UNIT");
        return;
    }
    FUnit.ShowPresetName(FNextName + 1, p);
    if (++FNextName >= kNameRequests) {
        FRead = Read::Blocks;
        FNextBlock = 0;
        Send(kReadBlock, 0);
    } else {
        Send(kReadName, FNextName);
    }
}

void LSyncMachine::OnParamBlockReply(std::span<const uint8_t> p)
{
    if (FRead != Read::Blocks)
        return;
    // Another block than the one asked for (a second answer to a request written again) is ignored.
    // The model refuses a short block, and a set with an index outside its table.
    if (!p.empty() && p[0] != FNextBlock)
        return;
    if (p.empty() || !FUnit.StoreParamBlock(p)) {
        AbortOperation("SID_INFO_ERROR_UNIT");
        return;
    }
    const int k = p[0];
    if (k < kLastSetBlock) {
        ++FNextBlock;
        Send(kReadBlock, k + 1);
        Progress(k);
        return;
    }
    Progress(kSetBlockCount);
    SendCoalescing(kIdle);
    FinishOperation();
    FView.ShowAllParams();
    FView.SetLinkControlsEnabled(true);
}

// ---- levels and the end of a preset-file load ----

void LSyncMachine::OnLevelReply(std::span<const uint8_t> p)
{
    FView.OnLevelReply(p);
    if (FPresetResend == kResendMarker && FOp == Op::PresetLoad && FProgressPos > 10) {
        FPresetResend = 0;
        // The window's Open ends with the 5000 ms time-out after its dialog closes.
        FLink.SetLinkTimeout(5000);
        SendCoalescing(kIdle);
        FinishOperation();
    }
}

bool LSyncMachine::OpenPresetFile(const std::string& path)
{
    PollSync sync{*this};
    std::vector<uint8_t> stream;
    const FileStatus status = ReadPresetFile(path, stream);
    if (!status) {
        FView.ShowInformation(status.key);
        return false;
    }
    if (FConnected && FOp == Op::None) {
        FPresetResend = kResendMarker;
        LevelPollOff();
    }
    FUnit.LoadStream(stream);
    if (FPresetResend == kResendMarker) {
        Send(kLevels);
        FOp = Op::PresetLoad;
        FBusy = true;
        FView.SetProgressStatus("SID_DOWNLOAD_PARAMETER");
        Progress(0, kPresetLoadSteps);
        FView.ShowProgress(true);
    } else {
        FView.SetLevelPoll(true);
    }
    FView.ShowAllParams();
    FLink.SetLinkTimeout(5000);
    return true;
}

// ---- unlock ----

void LSyncMachine::OnUnlockReply(std::span<const uint8_t> p)
{
    if (p.size() < 2 || FResultState != 255)
        return;
    FResultState = p[1];
}

std::array<char, 4> LSyncMachine::PasswordBytes(const std::string& text)
{
    // Fewer than four characters: zero bytes after them, the same in both lock commands.
    std::array<char, 4> out{};
    for (size_t i = 0; i < out.size() && i < text.size(); ++i)
        out[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
    return out;
}

void LSyncMachine::SubmitPassword(const std::string& text)
{
    const std::array<char, 4> bytes = PasswordBytes(text);
    SendCmd(CM_MCS_PASS_SUBMIT(static_cast<uint8_t>(FSink.GetDeviceId()), bytes.data()), true);
    FCheckTicks = 0;
    FResultState = 255;
    FLink.StartTimer(LSyncTimer::Check, 100);
}

void LSyncMachine::OnCheckTimer()
{
    ++FCheckTicks;
    switch (FResultState) {
    case 255:
        if (FCheckTicks > kCheckTicks) {
            FView.ShowMessage("Check Time Out!");
            CancelUnlock();
        } else {
            FLink.StartTimer(LSyncTimer::Check, 100);
        }
        break;
    case 1:
        FLink.StartTimer(LSyncTimer::Cmd, 100);
        break;
    case 0:
        FView.ShowMessage("Password Error!!");
        FView.ResetUnlockEdit();
        break;
    default:
        break;
    }
}

void LSyncMachine::CancelUnlock()
{
    FLink.StopTimer(LSyncTimer::Check);
    FResultState = 255;
    Send(kDisconnect);
    FLink.StartTimer(LSyncTimer::Disconnect, 300);
    FUnlockOpen = false;
    FView.CloseUnlockPrompt();
}

void LSyncMachine::SetLockPassword(const std::string& text)
{
    const std::array<char, 4> bytes = PasswordBytes(text);
    SendCmd(CM_MCS_SET_LOCK(static_cast<uint8_t>(FSink.GetDeviceId()), bytes.data()), true);
    Send(kDisconnect);
    FLink.StartTimer(LSyncTimer::Close, 100);
}

// ---- channel copy and link groups ----

namespace
{

bool SameKind(int a, int b)
{
    const bool ina = a >= 0 && a < kInputCount;
    const bool inb = b >= 0 && b < kInputCount;
    const bool outa = a >= kInputCount && a < kChannelCount;
    const bool outb = b >= kInputCount && b < kChannelCount;
    return (ina && inb) || (outa && outb);
}

} // namespace

bool LSyncMachine::CopyChannel(int source, int target, bool withState)
{
    PollSync sync{*this};
    if (!SameKind(source, target))
        return false;
    if (source == target)
        return true;
    if (FConnected) {
        if (withState)
            FProcessState = PS_RESYNC;
        SendCmd(CM_MCS_CMD(static_cast<uint8_t>(FSink.GetDeviceId()), kCopy, source, target), true);
        return true;
    }
    const int base = source < kInputCount ? 0 : kInputCount;
    const int count = source < kInputCount ? kInputCount : kOutputCount;
    const uint16_t group = FUnit.GetLinkGroup(target);
    for (int j = 0; j < count; ++j)
        if ((group >> j) & 1u)
            FUnit.CopyChannel(source, base + j);
    if (withState)
        FView.ShowAllParams();
    return true;
}

void LSyncMachine::SetLink(int ch, uint16_t word)
{
    FUnit.SetLink(ch, word);
}

void LSyncMachine::ResyncAllParams()
{
    PollSync sync{*this};
    if (!FConnected) {
        FView.ShowAllParams();
        return;
    }
    LevelPollOff();
    FProcessState = PS_RESYNC;
    Send(kIdle);
}

bool LSyncMachine::ApplyLinkWords(const std::array<uint16_t, kChannelCount>& words,
                                  const std::function<void(int leader, int member)>& joined)
{
    bool changed = false;
    for (int i = 0; i < kChannelCount; ++i) {
        const int base = i < kInputCount ? 0 : kInputCount;
        const int count = i < kInputCount ? kInputCount : kOutputCount;
        const int own = i - base;
        const uint16_t model = FUnit.GetLink(i);
        uint16_t word = 0;
        for (int j = own; j < count; ++j) {
            if (!((words[i] >> j) & 1u))
                continue;
            word = static_cast<uint16_t>(word | (1u << j));
            if (!((model >> j) & 1u)) {
                if (joined)
                    joined(i, base + j);
                CopyChannel(i, base + j, false);
                changed = true;
            }
        }
        if (word != model) {
            SetLink(i, word);
            changed = true;
        }
    }
    if (changed)
        ResyncAllParams();
    return changed;
}
