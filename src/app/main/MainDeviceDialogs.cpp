// The device dialogs on the main window: presets, channel link and copy, panel lock, channel names.
#include "app/dialogs/DeviceDialogs.h"
#include "app/main/MainLayout.h"
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

namespace
{

// The Gain page's graph of ch's kind (a FCurveDirty and plot index).
int GainGraph(int ch)
{
    return ch < kInputCount ? 9 : 10;
}

} // namespace

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
    if (auto* b = Get<fw::TControl>(QStringLiteral("bStore")))
        b->OnClick = [this](fw::TControl*) { DeviceDialogs()->fmStorePreset->ShowModal(); };
    if (auto* b = Get<fw::TControl>(QStringLiteral("bRecall")))
        b->OnClick = [this](fw::TControl*) { DeviceDialogs()->fmRecallPreset->ShowModal(); };
    // The matrix page's name labels open the single-name dialog.
    FMatrixPage->ChannelNameDialog = [this](int ch, const QString& text) { OpenChannelNameDialog(ch, text); };
}

TDeviceDialogs* TfmMain::DeviceDialogs()
{
    if (!FDeviceDialogs) {
        FDeviceDialogs = std::make_shared<TDeviceDialogs>(this);
        for (const auto& [p, name] : FPresetNames)
            ShowPresetName(p, name);
        FPresetNames.clear();
    }
    return FDeviceDialogs.get();
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

void TfmMain::ShowPresetName(int p, const std::string& name)
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

// ---- panel lock (the machine's view) ----

void TfmMain::ShowUnlockPrompt()
{
    // Modal to the user, but the machine's call returns at once.
    TfmLockPassWord& d = *DeviceDialogs()->fmLockPassWord;
    d.setWindowModality(Qt::ApplicationModal);
    d.Show();
}

void TfmMain::ResetUnlockEdit()
{
    if (FDeviceDialogs)
        FDeviceDialogs->fmLockPassWord->ResetEdit();
}

void TfmMain::CloseUnlockPrompt()
{
    if (FDeviceDialogs)
        FDeviceDialogs->fmLockPassWord->Close();
}

void TfmMain::CloseLockSetup()
{
    if (FDeviceDialogs)
        FDeviceDialogs->fmLockSetup->Close();
}

// ---- channel link and copy ----

void TfmMain::SetLink(int ch, int word)
{
    FSession->Machine.SetLink(ch, uint16_t(word));
}

void TfmMain::CopyChannel(int source, int target, bool withState)
{
    FSession->Machine.CopyChannel(source, target, withState);
}

void TfmMain::ResyncAllParams()
{
    LSyncMachine& m = FSession->Machine;
    m.ResyncAllParams();
    if (m.Connected())
        if (auto* b = Get<QWidget>(QStringLiteral("rzbMenuLink")))
            b->setFocus();
}

bool TfmMain::ApplyLinkWords(const std::array<uint16_t, 9>& words)
{
    LSyncMachine& m = FSession->Machine;
    const bool changed =
        m.ApplyLinkWords(words, [this](int leader, int member) { SetChannelMenuCaption(leader, member); });
    // As ResyncAllParams: the device's settings are being read again.
    if (changed && m.Connected())
        if (auto* b = Get<QWidget>(QStringLiteral("rzbMenuLink")))
            b->setFocus();
    return changed;
}

void TfmMain::UpdateLinkedOverlayButtons(int ch, bool visible)
{
    if (ch < 0 || ch >= kChannelCount || !Get<fw::TControl>(QStringLiteral("rzbMenu") + ChannelTitle(ch)))
        return;
    const bool input = ch < kInputCount;
    auto apply = [&](const QString& name, int graph, int curve) {
        auto* b = Get<sk::TLedPowerButton>(name);
        if (!b)
            return false;
        b->SetVisible(visible);
        if (!visible) {
            b->SetActive(false);
            FCurveDirty[std::size_t(graph)] &= ~(1u << ch);
            FPlots[std::size_t(graph)]->RemoveCurve(curve);
        }
        return true;
    };
    apply(QStringLiteral("vrbShow") + ChannelSuffix(ch) + QStringLiteral("Gain"), GainGraph(ch), ch);
    const int first = input ? 0 : kInputCount, last = input ? kInputCount : kChannelCount;
    for (int page = first; page < last; ++page) {
        if (page == ch)
            continue;
        if (!apply(QStringLiteral("vrbShow") + ChannelSuffix(ch) + ChannelTitle(page), page,
                   ch + (input ? 39 : 36)))
            break;
    }
}

void TfmMain::SetChannelMenuCaption(int a, int b)
{
    if (a < 0 || b < 0 || a >= kChannelCount || b >= kChannelCount)
        return;
    const bool input = b < kInputCount;
    const QString caption = a == b ? ChannelTitle(a) : ChannelSuffix(b) + u'=' + ChannelSuffix(a);
    auto* button = Get<fw::TControl>(QStringLiteral("rzbMenu") + ChannelTitle(b));
    if (!button)
        return;
    button->SetCaption(caption);
    if (input)
        if (auto* sel = Get<fw::TControl>(QStringLiteral("rzbGeqSelIn") + ChannelSuffix(b)))
            sel->SetCaption(caption);
}

void TfmMain::ShowLinkState()
{
    if (!FUnit)
        return;
    // The captions and overlays follow the grid, so the grid is built for them.
    TfmLinkSel& d = *DeviceDialogs()->fmLinkSel;
    for (int ch = 0; ch < kChannelCount; ++ch)
        d.ShowLinkWord(ch, FUnit->GetLink(ch));
    d.ApplyLeaderButtons();
    d.ApplyMemberButtons();
}

} // namespace app
