// The main window as the link session's view: what the synchronisation machine and the link show.
#include "app/dialogs/ScanDialog.h"
#include "app/dialogs/SmallDialogs.h"
#include "app/main/TfmMain.h"
#include "app/pages/StripPage.h"
#include "base/CodePage.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/panels/SkLabel.h"
#include "controls/smooth/ProgressBar.h"
#include "model/LUnitControl.h"
#include "session/LLinkSession.h"

#include <QAction>

namespace app
{

void TfmMain::OtherDeviceReply()
{
    tmComScan.SetEnabled(true);
}

void TfmMain::SetConnectResult(int result)
{
    LinkDialogs().fmNetwork->SetConnectResult(result);
}

void TfmMain::HideScan()
{
    LinkDialogs().fmNetwork->Close();
}

void TfmMain::ReportLinkLost()
{
    if (FExiting) {
        FNetOpenPending = false;
        ResetOffline();
        return;
    }
    TfmNetwork& scan = *LinkDialogs().fmNetwork;
    FNetOpenPending = false;
    if (scan.Scanning() && !scan.GetConnectResult()) {
        // The attempt under way failed: the scan goes on with its next one.
        scan.SetConnectResult(0);
        return;
    }
    ResetOffline();
    scan.pbScan->SetPosition(0);
    scan.ReportLinkBroken();
    scan.ShowScan();
}

void TfmMain::SetProgressStatus(const std::string& key)
{
    if (FDialogs)
        FDialogs->fmProcess->StatusBar->SetCaption(LookupText(QString::fromStdString(key)));
}

void TfmMain::SetProgress(int position, int max)
{
    if (!FDialogs)
        return;
    fx::TFxProgressBar* bar = FDialogs->fmProcess->ProgressBar;
    bar->SetMax(max);
    bar->SetPosition(position);
}

void TfmMain::ShowProgress(bool modal)
{
    if (!FDialogs || FDialogs->fmProcess->IsShown())
        return;
    if (modal)
        FDialogs->fmProcess->ShowModal();
    else
        FDialogs->fmProcess->Show();
}

void TfmMain::CloseProgress()
{
    if (FDialogs)
        FDialogs->fmProcess->Close();
}

void TfmMain::ShowInformation(const std::string& key)
{
    ShowMessage(LookupText(QString::fromStdString(key)).toStdString());
}

void TfmMain::ShowMessage(const std::string& text)
{
    if (!FDialogs)
        return;
    FDialogs->fmInformation->lbMessage->SetCaption(QString::fromStdString(text));
    FDialogs->fmInformation->ShowModal();
}

void TfmMain::SetOnline(const std::string& interfaceName)
{
    FOnline = true;
    if (auto* link = Get<sk::TSkBmpButton>(QStringLiteral("rzbMenuLink"))) {
        link->SetCaption(LookupText(QStringLiteral("SID_ONLINE")));
        link->SetDown(true);
    }
    if (QAction* c = MenuItem(QStringLiteral("Connect")))
        c->setText(LookupText(QStringLiteral("SID_DISCONNECT")));
    // A serial port shows its name, not its path.
    const std::string shown = interfaceName.substr(interfaceName.rfind('/') + 1);
    if (auto* l = Get<fw::TControl>(QStringLiteral("lbInterface")))
        l->SetCaption(QString::fromStdString(shown));
}

void TfmMain::SetLinkControlsEnabled(bool enabled)
{
    if (auto* link = Get<sk::TSkBmpButton>(QStringLiteral("rzbMenuLink")))
        link->SetEnabled(enabled);
    if (QAction* c = MenuItem(QStringLiteral("Connect")))
        c->setEnabled(enabled);
}

void TfmMain::SetMainEnabled(bool enabled)
{
    setEnabled(enabled);
}

void TfmMain::SetPresetLabels(const std::string& number, const std::string& name)
{
    if (auto* l = Get<fw::TControl>(QStringLiteral("lbPstNum")))
        l->SetCaption(QString::fromStdString(number));
    // The name's bytes in the code page, up to a zero byte, as the full refresh shows them.
    if (auto* l = Get<fw::TControl>(QStringLiteral("lbPstName")))
        l->SetCaption(QString::fromStdString(FieldToUtf8(name, CurrentCodePage())));
}

void TfmMain::ShowAllParams()
{
    // The preset bar shows the device's preset (recalled, stored or read).
    if (FSession && FSession->Machine.Connected())
        FPresetNumber = FSession->Machine.PresetNumber();
    ShowAllParams(FUnit);
}

void TfmMain::SetLevelPoll(bool on)
{
    FLevelPoll = on;
    FStripPage->SetLevelPoll(on);
}

void TfmMain::OnLevelReply(std::span<const uint8_t> payload)
{
    FStripPage->ShowLevels(payload);
}

void TfmMain::ShowOffline()
{
    FNetOpenPending = false;
    const bool reached = LinkDialogs().fmNetwork->GetConnectResult();
    if (reached)
        ResetOffline();
    FOnline = false;
    // The disconnect timer's close (after 17, a rejected identity, a lock change, a download)
    // leaves the scan dialog in its broken-link state for the next scan.
    if (!FOwnClose)
        LinkDialogs().fmNetwork->ReportLinkBroken();
}

} // namespace app
