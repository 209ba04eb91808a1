// The main window as the link session's view: what the synchronisation machine and the link show.
#include "app/main/MainSessionView.h"
#include "app/dialogs/DeviceDialogs.h"
#include "app/dialogs/ScanDialog.h"
#include "app/dialogs/SmallDialogs.h"
#include "app/main/LinkController.h"
#include "app/main/MainControls.h"
#include "app/main/MainLayout.h"
#include "app/main/TfmMain.h"
#include "app/pages/StripPage.h"
#include "base/CodePage.h"
#include "controls/panels/SkLabel.h"
#include "controls/smooth/ProgressBar.h"
#include "session/LLinkSession.h"

namespace app
{

bool TMainSessionView::IsUpdating() const
{
    return FMain.UpdatingFlag();
}

void TMainSessionView::MarkChannelCurvesDirty(int ch)
{
    const bool input = ch < kInputCount;
    for (int g = input ? 0 : kInputCount; g < (input ? kInputCount : kChannelCount); ++g)
        FMain.CurveDirtyMask(g) |= 1u << ch;
    FMain.CurveDirtyMask(input ? 9 : 10) |= 1u << ch;
}

void TMainSessionView::ShowPresetName(int p, const std::string& name)
{
    if (p < 1 || p > kUserPresets)
        return;
    if (!FDeviceDialogs) {
        FPresetNames[p] = name;
        return;
    }
    FDeviceDialogs->fmRecallPreset->SetPresetName(p, name);
    FDeviceDialogs->fmStorePreset->SetPresetName(p - 1, name);
}

void TMainSessionView::UseDeviceDialogs(TDeviceDialogs& dialogs)
{
    FDeviceDialogs = &dialogs;
    for (const auto& [p, name] : FPresetNames)
        ShowPresetName(p, name);
    FPresetNames.clear();
}

void TMainSessionView::OtherDeviceReply()
{
    FMain.Link().tmComScan.SetEnabled(true);
}

void TMainSessionView::SetConnectResult(int result)
{
    FMain.Link().LinkDialogs().fmNetwork->SetConnectResult(result);
}

void TMainSessionView::HideScan()
{
    FMain.Link().LinkDialogs().fmNetwork->Close();
}

void TMainSessionView::ReportLinkLost()
{
    FMain.Link().ReportLinkLost();
}

void TMainSessionView::SetProgressStatus(const std::string& key)
{
    if (TDialogs* d = FMain.Dialogs())
        d->fmProcess->StatusBar->SetCaption(FMain.LookupText(QString::fromStdString(key)));
}

void TMainSessionView::SetProgress(int position, int max)
{
    TDialogs* d = FMain.Dialogs();
    if (!d)
        return;
    fx::TFxProgressBar* bar = d->fmProcess->ProgressBar;
    bar->SetMax(max);
    bar->SetPosition(position);
}

void TMainSessionView::ShowProgress(bool modal)
{
    TDialogs* d = FMain.Dialogs();
    if (!d || d->fmProcess->IsShown())
        return;
    if (modal)
        d->fmProcess->ShowModal();
    else
        d->fmProcess->Show();
}

void TMainSessionView::CloseProgress()
{
    if (TDialogs* d = FMain.Dialogs())
        d->fmProcess->Close();
}

void TMainSessionView::ShowInformation(const std::string& key)
{
    ShowMessage(FMain.LookupText(QString::fromStdString(key)).toStdString());
}

void TMainSessionView::ShowMessage(const std::string& text)
{
    TDialogs* d = FMain.Dialogs();
    if (!d)
        return;
    d->fmInformation->lbMessage->SetCaption(QString::fromStdString(text));
    d->fmInformation->ShowModal();
}

void TMainSessionView::SetOnline(const std::string& interfaceName)
{
    FMain.Link().ShowOnline(interfaceName);
}

void TMainSessionView::SetLinkControlsEnabled(bool enabled)
{
    FMain.Link().SetLinkControlsEnabled(enabled);
}

void TMainSessionView::SetMainEnabled(bool enabled)
{
    FMain.setEnabled(enabled);
}

void TMainSessionView::SetPresetLabels(const std::string& number, const std::string& name)
{
    const TMainControls& c = FMain.Controls();
    c.presetNumber->SetCaption(QString::fromStdString(number));
    // The name's bytes in the code page, up to a zero byte, as the full refresh shows them.
    c.presetName->SetCaption(QString::fromStdString(FieldToUtf8(name, CurrentCodePage())));
}

void TMainSessionView::ShowAllParams()
{
    // The preset bar shows the device's preset (recalled, stored or read).
    if (FMain.HasSession() && FMain.Session().Machine.Connected())
        FMain.SetPresetNumber(FMain.Session().Machine.PresetNumber());
    FMain.ShowAllParams(FMain.Unit());
}

void TMainSessionView::SetLevelPoll(bool on)
{
    FLevelPoll = on;
    FMain.Strip().SetLevelPoll(on);
}

void TMainSessionView::OnLevelReply(std::span<const uint8_t> payload)
{
    FMain.Strip().ShowLevels(payload);
}

// ---- panel lock ----

void TMainSessionView::ShowUnlockPrompt()
{
    // Modal to the user, but the machine's call returns at once.
    TfmLockPassWord& prompt = *FMain.DeviceDialogs()->fmLockPassWord;
    prompt.setWindowModality(Qt::ApplicationModal);
    prompt.Show();
}

void TMainSessionView::ResetUnlockEdit()
{
    if (FDeviceDialogs)
        FDeviceDialogs->fmLockPassWord->ResetEdit();
}

void TMainSessionView::CloseUnlockPrompt()
{
    if (FDeviceDialogs)
        FDeviceDialogs->fmLockPassWord->Close();
}

void TMainSessionView::CloseLockSetup()
{
    if (FDeviceDialogs)
        FDeviceDialogs->fmLockSetup->Close();
}

void TMainSessionView::ShowOffline()
{
    FMain.Link().ShowOffline();
}

} // namespace app
