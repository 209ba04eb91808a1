// The channel strip: gain fader, polarity and mute on the channel pages and their mirrors on the Gain
// page, kept in line across each channel's link group.
#include "app/main/MainEditing.h"
#include "app/main/MainLayout.h"
#include "app/main/TfmMain.h"
#include "base/FlagScope.h"

#include "base/ValueScales.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/smooth/RoundEdit.h"
#include "controls/smooth/TrackBar.h"
#include "model/LUnitControl.h"

namespace app
{

namespace
{

QString StripName(const char* prefix, bool backup, int ch)
{
    return QString::fromLatin1(prefix) + (backup ? QStringLiteral("Backup") : QString()) + ChannelTitle(ch);
}

// Channels of ch's link group, as channel numbers in ascending order.
std::vector<int> Members(int group, int ch)
{
    std::vector<int> out;
    const bool input = ch < 3;
    for (int i = 0; i < (input ? 3 : 6); ++i)
        if (group & (1 << i))
            out.push_back(input ? i : i + 3);
    return out;
}

} // namespace

void TfmMain::ConnectStripHandlers()
{
    for (int ch = 0; ch < 9; ++ch)
        for (bool backup : {false, true}) {
            if (auto* f = Get<fx::TCustomTrackBar>(StripName("isGain", backup, ch)))
                f->OnChange = [this, backup](fw::TControl* s) { GainChange(s, backup); };
            if (auto* b = Get<sk::TSkBmpButton>(StripName("rzbPhase", backup, ch)))
                b->OnClick = [this, backup](fw::TControl* s) { PhaseClick(s, backup); };
            if (auto* b = Get<sk::TSkBmpButton>(StripName("rzbMute", backup, ch)))
                b->OnClick = [this, backup](fw::TControl* s) { MuteClick(s, backup); };
        }
}

void TfmMain::isGainInAChange(fw::TControl* Sender)
{
    GainChange(Sender, false);
}
void TfmMain::isGainBackupInAChange(fw::TControl* Sender)
{
    GainChange(Sender, true);
}
void TfmMain::rzbPhaseInAClick(fw::TControl* Sender)
{
    PhaseClick(Sender, false);
}
void TfmMain::rzbPhaseBackupInAClick(fw::TControl* Sender)
{
    PhaseClick(Sender, true);
}
void TfmMain::rzbMuteInAClick(fw::TControl* Sender)
{
    MuteClick(Sender, false);
}
void TfmMain::rzbMuteBackupInAClick(fw::TControl* Sender)
{
    MuteClick(Sender, true);
}

void TfmMain::GainChange(fw::TControl* Sender, bool backup)
{
    if (FUpdating)
        return;
    auto* own = dynamic_cast<fx::TCustomTrackBar*>(Sender);
    if (!own || own->Tag() < 0 || own->Tag() > 8 || !FUnit)
        return;
    const int t = int(own->Tag());
    auto* edit = Get<fx::TRoundEdit>(StripName("cvdGain", backup, t));
    auto* mirrorEdit = Get<fx::TRoundEdit>(StripName("cvdGain", !backup, t));
    auto* mirror = Get<fx::TCustomTrackBar>(StripName("isGain", !backup, t));
    if (!edit || !mirrorEdit || !mirror)
        return;
    const int p = own->Position();
    // A moved mirror runs its own handler here first: the gain is stored and sent twice.
    mirror->SetPosition(p);
    const QString text = QString::fromStdString(FormatGainText(p));
    edit->SetText(text);
    mirrorEdit->SetText(text);
    FUnit->SetGain(t, uint16_t(p - own->Min()));
    SyncGainDisplay(t, p);
}

void TfmMain::PhaseClick(fw::TControl* Sender, bool backup)
{
    auto* own = dynamic_cast<sk::TSkBmpButton*>(Sender);
    if (!own || own->Tag() < 0 || own->Tag() > 8 || !FUnit)
        return;
    const int t = int(own->Tag());
    auto* mirror = Get<sk::TSkBmpButton>(StripName("rzbPhase", !backup, t));
    if (!mirror)
        return;
    mirror->SetDown(own->Down());
    own->SetCaption(
        LookupText(own->Down() ? QStringLiteral("SID_PHASE_ON") : QStringLiteral("SID_PHASE_OFF")));
    mirror->SetCaption(own->Caption());
    FUnit->SetPolarity(t, own->Down() ? 1 : 0);
    SyncPhaseDisplay(t, own->Down());
}

void TfmMain::MuteClick(fw::TControl* Sender, bool backup)
{
    auto* own = dynamic_cast<sk::TSkBmpButton*>(Sender);
    if (!own || own->Tag() < 0 || own->Tag() > 8 || !FUnit)
        return;
    const int t = int(own->Tag());
    auto* mirror = Get<sk::TSkBmpButton>(StripName("rzbMute", !backup, t));
    if (!mirror)
        return;
    mirror->SetDown(own->Down());
    FUnit->SetMute(t, own->Down() ? 1 : 0);
    SyncMuteDisplay(t, own->Down());
}

void TfmMain::SyncGainDisplay(int ch, int position)
{
    if (ch < 0 || ch > 8)
        return;
    FlagScope quiet(FUpdating);
    const QString text = QString::fromStdString(FormatGainText(position));
    for (int m : Members(GetLinkGroup(ch), ch)) {
        auto* e = Get<fx::TRoundEdit>(StripName("cvdGain", false, m));
        auto* f = Get<fx::TCustomTrackBar>(StripName("isGain", false, m));
        auto* be = Get<fx::TRoundEdit>(StripName("cvdGain", true, m));
        auto* bf = Get<fx::TCustomTrackBar>(StripName("isGain", true, m));
        if (!e || !f || !be || !bf)
            continue;
        e->SetText(text);
        be->SetText(text);
        f->SetPosition(position);
        bf->SetPosition(position);
    }
}

void TfmMain::SyncPhaseDisplay(int ch, bool down)
{
    if (ch < 0 || ch > 8)
        return;
    const QString caption =
        LookupText(down ? QStringLiteral("SID_PHASE_ON") : QStringLiteral("SID_PHASE_OFF"));
    for (int m : Members(GetLinkGroup(ch), ch)) {
        auto* b = Get<sk::TSkBmpButton>(StripName("rzbPhase", false, m));
        auto* bb = Get<sk::TSkBmpButton>(StripName("rzbPhase", true, m));
        if (!b || !bb)
            return;
        b->SetDown(down);
        bb->SetDown(down);
        b->SetCaption(caption);
        bb->SetCaption(caption);
    }
}

void TfmMain::SyncMuteDisplay(int ch, bool down)
{
    if (ch < 0 || ch > 8)
        return;
    for (int m : Members(GetLinkGroup(ch), ch)) {
        auto* b = Get<sk::TSkBmpButton>(StripName("rzbMute", false, m));
        auto* bb = Get<sk::TSkBmpButton>(StripName("rzbMute", true, m));
        if (!b || !bb)
            return;
        b->SetDown(down);
        bb->SetDown(down);
    }
}

} // namespace app
