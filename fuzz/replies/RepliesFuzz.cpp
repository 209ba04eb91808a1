// The reply dispatcher fed arbitrary frames: the input is cut into frames by a length byte each,
// after a connect and an operation chosen by the first byte; nothing may crash or read past a buffer.
#include <algorithm>
#include <cstdint>
#include <span>
#include <string>

#include "model/LSyncMachine.h"

namespace {

struct NullEditor : CommandSink, LSyncLink, LSyncView {
    void SendCommand(const LCmd&, bool) override {}
    bool IsUpdating() const override { return false; }
    int GetDeviceId() const override { return 1; }
    void MarkChannelCurvesDirty(int) override {}
    void ShowPresetName(int, const std::string&) override {}
    void StartTimer(LSyncTimer, int) override {}
    void StopTimer(LSyncTimer) override {}
    void SetLinkTimeout(int) override {}
    void SetLinkRetries(int) override {}
    void SuspendLinkPoll(bool) override {}
    void CloseLink() override {}
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
    std::string ChooseUnitSaveFile() override { return {}; }
    std::string ChooseUnitOpenFile() override { return {}; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    NullEditor editor;
    LUnitControl unit;
    unit.SetSink(&editor);
    LSyncMachine machine(unit, editor, editor, editor);
    machine.OnLinkOpened();
    const uint8_t choice = data[0];
    if (choice & 1)
        machine.DispatchReply(CM_MCS_CMD(1, 16));
    if (choice & 2) {
        const std::string id = "MORVEX V010";
        LCmd reply(1, 19);
        reply.GetPayload().assign(id.begin(), id.end());
        machine.DispatchReply(reply);
    }
    switch ((choice >> 2) & 7) {
    case 1: machine.RecallPreset(choice % 21); break;
    case 2: machine.StartUnitUpload(); break;
    case 3: machine.ResyncAllParams(); break;
    case 4: machine.SubmitPassword("4719"); break;
    default: break;
    }
    size_t at = 1;
    while (at < size) {
        const size_t len = data[at++];
        const size_t n = std::min(len, size - at);
        machine.DispatchReply(BSTM(data + at, data + at + n));
        for (LSyncTimer t : {LSyncTimer::Pts, LSyncTimer::ProcessShow, LSyncTimer::Check, LSyncTimer::Cmd})
            if (n & 1)
                machine.OnTimer(t);
        at += n;
    }
    machine.OnLinkClosed(true);
    return 0;
}
