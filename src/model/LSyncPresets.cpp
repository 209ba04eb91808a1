// The stored-preset operations of the state machine: store, recall, factory default, and the
// unit upload and download that go on by the device's replies.
#include <algorithm>
#include <cstdio>

#include "model/LSyncMachine.h"
#include "proto/Commands.h"

namespace
{

using namespace proto;

inline constexpr char kConnectFirst[] = "SID_INFO_CON_FIRST";

} // namespace

bool LSyncMachine::StorePreset(int k, std::span<const uint8_t, kPresetNameSize> name)
{
    PollSync sync{*this};
    // Offline nothing is stored, so no state is left for a later link's acknowledgements.
    if (!FConnected || FOp != Op::None || k < 0 || k >= kUserPresets)
        return false;
    FProcessState = PS_STORE_NAME;
    FOp = Op::Store;
    FBusy = true;
    LevelPollOff();
    FPresetNumber = k + 1;
    FUnit.MarkPresetStored(k);
    FUnit.SetPresetName(name);
    char number[8];
    std::snprintf(number, sizeof number, "U%02d", k + 1);
    FView.SetPresetLabels(number, std::string(name.begin(), name.end()));
    FLink.SetLinkTimeout(10000);
    SendCmd(CM_MCS_PRESETNAME(static_cast<uint8_t>(FSink.GetDeviceId()),
                              reinterpret_cast<const char*>(FUnit.GetPresetName().data())),
            true);
    FView.SetProgressStatus("SID_STORE_PRESET");
    Progress(0, 2);
    FView.ShowProgress(true);
    return true;
}

void LSyncMachine::RecallPreset(int p)
{
    PollSync sync{*this};
    if (!FConnected || FOp != Op::None || p < 0 || p > kUserPresets)
        return;
    FProcessState = PS_RECALL;
    FOp = Op::Recall;
    FBusy = true;
    LevelPollOff();
    FLink.SetLinkTimeout(50000);
    FPresetNumber = p;
    Send(kRecall, p);
    FView.SetProgressStatus("SID_LOAD_PRESET");
    Progress(0, kSetBlockCount);
    FView.ShowProgress(true);
}

bool LSyncMachine::CanFactoryReset()
{
    if (!FConnected)
        FView.ShowInformation(kConnectFirst);
    return FConnected;
}

void LSyncMachine::FactoryReset()
{
    PollSync sync{*this};
    if (!FConnected || FOp != Op::None)
        return;
    FProcessState = PS_FACTORY;
    FOp = Op::Factory;
    LevelPollOff();
    FLink.SetLinkTimeout(10000);
    Send(kFactory);
}

// ---- upload: device to unit file ----

void LSyncMachine::StartUnitUpload()
{
    PollSync sync{*this};
    if (!FConnected) {
        FView.ShowInformation(kConnectFirst);
        return;
    }
    if (FOp != Op::None)
        return;
    int count = 0;
    FUploadIndex = 255;
    for (int k = 0; k < kUserPresets; ++k) {
        if (!FUnit.IsPresetStored(k))
            continue;
        ++count;
        if (FUploadIndex == 255)
            FUploadIndex = k + 1;
    }
    if (count == 0) {
        FView.ShowInformation("SID_INFO_NO_SAVE_EXIST");
        return;
    }
    FOp = Op::Upload;
    FBusy = true;
    FUploaded = LUnitImage{};
    FUploadBlock = -1; // the unit information comes first
    LevelPollOff();
    SendCmd(CM_MCS_READ_EEPROM(static_cast<uint8_t>(FSink.GetDeviceId()), 0, kUnitInfoSize), true);
    Progress(0, count);
    FView.SetProgressStatus("SID_UPLOAD_PRESET");
    FView.ShowProgress(true);
}

void LSyncMachine::OnUnitInfoReply(std::span<const uint8_t> p)
{
    if (FOp != Op::Upload || FUploadBlock != -1)
        return;
    if (!FUnit.SetUnitInfo(p)) {
        AbortOperation(kErrorDownloadKey);
        return;
    }
    RequestUploadPreset(FUploadIndex);
}

void LSyncMachine::RequestUploadPreset(int p)
{
    FProcessState = PS_UPLOAD;
    FUploadBlock = 0;
    Send(kSelectPreset, p);
}

void LSyncMachine::OnUploadBlockReply(std::span<const uint8_t> p)
{
    if (FOp != Op::Upload || FProcessState == PS_UPLOAD || FUploadBlock < 0)
        return;
    // Another block than the one asked for answers nothing (a second copy of the last one).
    if (!p.empty() && p[0] != FUploadBlock)
        return;
    if (p.empty() || !FUnit.StoreUploadBlock(FUploadIndex, p)) {
        AbortOperation(kErrorDownloadKey);
        return;
    }
    const int b = p[0];
    if (b < kLastSetBlock) {
        ++FUploadBlock;
        Send(kUploadBlock, b + 1);
        return;
    }
    int next = FUploadIndex + 1;
    while (next <= kUserPresets && !FUnit.IsPresetStored(next - 1))
        ++next;
    FUploadIndex = next;
    if (FUploadIndex <= kUserPresets) {
        Progress(FProgressPos + 1);
        RequestUploadPreset(FUploadIndex);
        return;
    }
    FUploaded = UploadedUnit();
    SendCoalescing(kIdle);
    FinishOperation();
    FLink.StartTimer(LSyncTimer::Upload, 300);
}

void LSyncMachine::SaveUploadedUnit()
{
    const std::string chosen = FView.ChooseUnitSaveFile();
    if (chosen.empty())
        return;
    const FileStatus status = SaveUnitFile(FUploaded, chosen);
    if (!status)
        FView.ShowInformation(status.key);
}

LUnitImage LSyncMachine::UploadedUnit() const
{
    LUnitImage unit;
    unit.Info = FUnit.GetUnitInfo();
    for (int k = 0; k < kUserPresets; ++k) {
        if (!FUnit.IsPresetStored(k))
            continue;
        const auto slot = FUnit.GetBlockSlot(k + 1);
        unit.Stored[k] = true;
        std::copy(slot.begin() + 1, slot.end(), unit.Presets[k].begin());
    }
    return unit;
}

// ---- download: unit file to device ----

void LSyncMachine::StartUnitDownload()
{
    PollSync sync{*this};
    if (!FConnected) {
        FView.ShowInformation(kConnectFirst);
        return;
    }
    if (FOp != Op::None)
        return;
    const std::string path = FView.ChooseUnitOpenFile();
    if (path.empty())
        return;
    LUnitImage unit;
    const FileStatus status = ReadUnitFile(path, unit);
    if (!status) {
        FView.ShowInformation(kErrorDownloadKey);
        return;
    }
    FDownload = unit;
    FDownloadIndex = 1;
    FOp = Op::Download;
    FBusy = true;
    LevelPollOff();
    FLink.SetLinkTimeout(10000);
    FProcessState = PS_DOWNLOAD_FACTORY;
    Send(kFactory);
    FView.SetMainEnabled(false);
    FView.SetProgressStatus("SID_DOWNLOAD_PRESET");
    int count = 0;
    for (bool stored : FDownload.Stored)
        count += stored ? 1 : 0;
    Progress(0, count);
    FView.ShowProgress(false);
}

void LSyncMachine::DownloadNextPreset()
{
    while (FDownloadIndex <= kUserPresets) {
        if (FDownload.Stored[FDownloadIndex - 1]) {
            FDownloadChunk = 0;
            SendDownloadChunk(0);
            return;
        }
        ++FDownloadIndex;
        Progress(FDownloadIndex);
    }
    FinishDownload();
}

void LSyncMachine::SendDownloadChunk(int chunk)
{
    // Chunk m carries bytes 50m..50m+49 of the preset; every chunk names the block's own preset.
    const uint8_t* data = FDownload.Presets[FDownloadIndex - 1].data() + kSetBlockSize * chunk;
    SendCmd(CM_MCS_DOWNLOAD(static_cast<uint8_t>(FSink.GetDeviceId()), chunk, FDownloadIndex - 1, data,
                            kSetBlockSize),
            true);
}

void LSyncMachine::OnDownloadAck(std::span<const uint8_t> p)
{
    if (FOp != Op::Download || FProcessState != PS_IDLE || FDownloadIndex > kUserPresets)
        return;
    // The acknowledgement of another chunk (a second one for a chunk written again) is ignored: each
    // chunk names its own place, so a chunk the device took twice holds the same bytes.
    if (!p.empty() && p[0] != FDownloadChunk)
        return;
    if (p.empty()) {
        AbortOperation(kErrorDownloadKey);
        return;
    }
    if (FDownloadChunk < kLastSetBlock) {
        SendDownloadChunk(++FDownloadChunk);
        return;
    }
    ++FDownloadIndex;
    Progress(FDownloadIndex);
    DownloadNextPreset();
}

void LSyncMachine::FinishDownload()
{
    FView.CloseProgress();
    FView.SetMainEnabled(true);
    FView.SetProgressStatus("");
    FOp = Op::None;
    FBusy = false;
    SendCmd(CM_MCS_MCU_RESET(static_cast<uint8_t>(FSink.GetDeviceId())), true);
    FLink.StartTimer(LSyncTimer::Disconnect, 300);
}
