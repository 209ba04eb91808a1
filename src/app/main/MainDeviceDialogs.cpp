// The device dialogs on the main window: presets, channel link and copy, panel lock, channel names.
#include "app/dialogs/DeviceDialogs.h"
#include "app/main/MainControls.h"
#include "app/main/MainLayout.h"
#include "app/main/MainSessionView.h"
#include "app/main/TfmMain.h"
#include "app/pages/MatrixPage.h"
#include "controls/panels/LedButtons.h"
#include "controls/panels/SkBmpButton.h"
#include "curves/Plot.h"
#include "model/LUnitControl.h"
#include "session/LLinkSession.h"

#include <QAction>

namespace app
{

void TfmMain::ConnectDeviceDialogHandlers()
{
    auto on = [this](const char* name, std::function<void()> f) {
        if (QAction* a = MenuItem(QString::fromLatin1(name)))
            QObject::connect(a, &QAction::triggered, this, [f] { f(); });
    };
    on("Link", [this] { DeviceDialogs()->fmLinkSel->ShowModal(); });
    on("Copy", [this] { DeviceDialogs()->fmCopy->ShowModal(); });
    on("Lock", [this] { DeviceDialogs()->fmLockSetup->ShowModal(); });
    on("LockSetup", [this] { DeviceDialogs()->fmLockSetup->ShowModal(); });
    on("ChNameList", [this] { DeviceDialogs()->fmChNameList->ShowModal(); });
    FControls->store->OnClick = [this](fw::TControl*) { DeviceDialogs()->fmStorePreset->ShowModal(); };
    FControls->recall->OnClick = [this](fw::TControl*) { DeviceDialogs()->fmRecallPreset->ShowModal(); };
    // The matrix page's name labels open the single-name dialog.
    FMatrixPage->ChannelNameDialog = [this](int ch, const QString& text) { OpenChannelNameDialog(ch, text); };
}

TDeviceDialogs* TfmMain::DeviceDialogs()
{
    if (!FDeviceDialogs) {
        FDeviceDialogs = std::make_shared<TDeviceDialogs>(this, std::move(FLinkDialog));
        FView->UseDeviceDialogs(*FDeviceDialogs);
    }
    return FDeviceDialogs.get();
}

TfmLinkSel* TfmMain::LinkDialog()
{
    if (FDeviceDialogs)
        return FDeviceDialogs->fmLinkSel.get();
    if (!FLinkDialog)
        FLinkDialog = std::make_shared<TfmLinkSel>(this);
    return FLinkDialog.get();
}

void TfmMain::OpenChannelNameDialog(int ch, const QString& text)
{
    if (ch < 0 || ch >= kChannelCount)
        return;
    TfmChannelName& d = *DeviceDialogs()->fmChannelName;
    d.SetChannel(ch);
    d.SetNameText(text);
    d.ShowModal();
}

void TfmMain::ResyncAllParams()
{
    LSyncMachine& m = FSession->Machine;
    m.ResyncAllParams();
    if (m.Connected())
        FControls->link->setFocus();
}

bool TfmMain::ApplyLinkWords(const std::array<uint16_t, 9>& words)
{
    LSyncMachine& m = FSession->Machine;
    const bool changed =
        m.ApplyLinkWords(words, [this](int leader, int member) { SetChannelMenuCaption(leader, member); });
    // As ResyncAllParams: the device's settings are being read again.
    if (changed && m.Connected())
        FControls->link->setFocus();
    return changed;
}

void TfmMain::SetChannelMenuCaption(int a, int b)
{
    if (a < 0 || b < 0 || a >= kChannelCount || b >= kChannelCount)
        return;
    const bool input = b < kInputCount;
    const QString caption = a == b ? ChannelTitle(a) : ChannelSuffix(b) + u'=' + ChannelSuffix(a);
    FControls->pageButtons[std::size_t(b)]->SetCaption(caption);
    if (input)
        FControls->geqSelectors[std::size_t(b)]->SetCaption(caption);
}

void TfmMain::ShowLinkState()
{
    if (!FUnit)
        return;
    // The captions and overlays follow the grid, so the grid is built for them.
    TfmLinkSel& d = *LinkDialog();
    for (int ch = 0; ch < kChannelCount; ++ch)
        d.ShowLinkWord(ch, FUnit->GetLink(ch));
    d.ApplyLeaderButtons();
    d.ApplyMemberButtons();
}

} // namespace app
