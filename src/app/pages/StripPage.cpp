#include "app/pages/StripPage.h"

#include "app/main/MainEditing.h"
#include "app/main/MainLayout.h"
#include "app/main/StdControls.h"
#include "app/main/TfmMain.h"
#include "app/pages/DynamicsPage.h"
#include "base/FlagScope.h"
#include "base/ValueScales.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/smooth/RoundEdit.h"
#include "controls/smooth/TrackBar.h"
#include "eq/LProgressBar.h"
#include "model/LUnitControl.h"
#include "pages/StripRules.h"
#include "proto/Levels.h"
#include "session/LLinkSession.h"

#include <vector>

namespace app
{

namespace
{

constexpr int kLevelPollMs = 300;

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

void SetMeter(eq::LProgressBar* meter, int position)
{
    if (meter)
        meter->SetPosition(position);
}

} // namespace

void StripPage::Bind(TControlBinder& b)
{
    for (int ch = 0; ch < 9; ++ch) {
        Channel& c = FChannels[std::size_t(ch)];
        for (bool backup : {false, true}) {
            Strip& s = c.strips[backup ? 1 : 0];
            b.Bind(s.gain, StripName("isGain", backup, ch));
            b.Bind(s.gainEdit, StripName("cvdGain", backup, ch));
            b.Bind(s.phase, StripName("rzbPhase", backup, ch));
            b.Bind(s.mute, StripName("rzbMute", backup, ch));
        }
        const QString x = ChannelSuffix(ch);
        auto meters = [&](auto& bars, std::initializer_list<const char*> names) {
            std::size_t i = 0;
            for (const char* n : names)
                b.Bind(bars[i++], QString::fromLatin1(n) + x);
        };
        if (ch < 3) {
            meters(c.levels, {"pbLevelIn", "pbLevelBackupIn", "pbLevelGateIn"});
            continue;
        }
        meters(c.levels, {"pbLevelOut", "pbLevelBackupOut", "pbLevelCompOut", "pbLevelLimitOut"});
        meters(c.lamps, {"pbLimitOut", "pbLimitBackupOut", "pbLimitCompOut", "pbLimitLimitOut"});
        b.Bind(c.ratio, QStringLiteral("udCompRatioOut") + x);
        b.Bind(c.limitThreshold, QStringLiteral("isLimitThresholdOut") + x);
    }
    b.Bind(FPageMeters.gateLevel, QStringLiteral("pbLevelGateIn"));
    b.Bind(FPageMeters.compLevel, QStringLiteral("pbLevelCompOut"));
    b.Bind(FPageMeters.compLamp, QStringLiteral("pbLimitCompOut"));
    b.Bind(FPageMeters.limitLevel, QStringLiteral("pbLevelLimitOut"));
    b.Bind(FPageMeters.limitLamp, QStringLiteral("pbLimitLimitOut"));
}

void StripPage::Connect()
{
    for (Channel& c : FChannels)
        for (bool backup : {false, true}) {
            Strip& s = c.strips[backup ? 1 : 0];
            s.gain->OnChange = [this, backup](fw::TControl* x) { GainChange(x, backup); };
            s.phase->OnClick = [this, backup](fw::TControl* x) { PhaseClick(x, backup); };
            s.mute->OnClick = [this, backup](fw::TControl* x) { MuteClick(x, backup); };
        }
    tmInLevelDet.SetInterval(kLevelPollMs);
    tmInLevelDet.SetEnabled(false);
    tmInLevelDet.OnTimer = [this](fw::TTimer*) { tmInLevelDetTimer(); };
}

StripPage::Channel* StripPage::Of(const fw::TControl* sender)
{
    if (!sender || sender->Tag() < 0 || sender->Tag() > 8)
        return nullptr;
    return &FChannels[std::size_t(sender->Tag())];
}

QString StripPage::PhaseCaption(bool down) const
{
    return FMain.LookupText(down ? QStringLiteral("SID_PHASE_ON") : QStringLiteral("SID_PHASE_OFF"));
}

void StripPage::isGainInAChange(fw::TControl* Sender)
{
    GainChange(Sender, false);
}
void StripPage::isGainBackupInAChange(fw::TControl* Sender)
{
    GainChange(Sender, true);
}
void StripPage::rzbPhaseInAClick(fw::TControl* Sender)
{
    PhaseClick(Sender, false);
}
void StripPage::rzbPhaseBackupInAClick(fw::TControl* Sender)
{
    PhaseClick(Sender, true);
}
void StripPage::rzbMuteInAClick(fw::TControl* Sender)
{
    MuteClick(Sender, false);
}
void StripPage::rzbMuteBackupInAClick(fw::TControl* Sender)
{
    MuteClick(Sender, true);
}

void StripPage::GainChange(fw::TControl* Sender, bool backup)
{
    if (FMain.UpdatingFlag())
        return;
    auto* own = dynamic_cast<fx::TCustomTrackBar*>(Sender);
    Channel* c = Of(Sender);
    LUnitControl* unit = FMain.Unit();
    if (!own || !c || !unit)
        return;
    const int t = int(own->Tag());
    const Strip& mine = c->strips[backup ? 1 : 0];
    const Strip& mirror = c->strips[backup ? 0 : 1];
    const int p = own->Position();
    // A moved mirror runs its own handler here first: the gain is stored and sent twice.
    mirror.gain->SetPosition(p);
    const QString text = QString::fromStdString(FormatGainText(p));
    mine.gainEdit->SetText(text);
    mirror.gainEdit->SetText(text);
    unit->SetGain(t, uint16_t(p - own->Min()));
    SyncGainDisplay(t, p);
}

void StripPage::PhaseClick(fw::TControl* Sender, bool backup)
{
    auto* own = dynamic_cast<sk::TSkBmpButton*>(Sender);
    Channel* c = Of(Sender);
    LUnitControl* unit = FMain.Unit();
    if (!own || !c || !unit)
        return;
    const int t = int(own->Tag());
    sk::TSkBmpButton* mirror = c->strips[backup ? 0 : 1].phase;
    mirror->SetDown(own->Down());
    own->SetCaption(PhaseCaption(own->Down()));
    mirror->SetCaption(own->Caption());
    unit->SetPolarity(t, own->Down() ? 1 : 0);
    SyncPhaseDisplay(t, own->Down());
}

void StripPage::MuteClick(fw::TControl* Sender, bool backup)
{
    auto* own = dynamic_cast<sk::TSkBmpButton*>(Sender);
    Channel* c = Of(Sender);
    LUnitControl* unit = FMain.Unit();
    if (!own || !c || !unit)
        return;
    const int t = int(own->Tag());
    c->strips[backup ? 0 : 1].mute->SetDown(own->Down());
    unit->SetMute(t, own->Down() ? 1 : 0);
    SyncMuteDisplay(t, own->Down());
}

void StripPage::SyncGainDisplay(int ch, int position)
{
    if (ch < 0 || ch > 8)
        return;
    FlagScope quiet(FMain.UpdatingFlag());
    const QString text = QString::fromStdString(FormatGainText(position));
    for (int m : Members(FMain.Unit() ? FMain.Unit()->GetLinkMembers(ch) : 0, ch))
        for (const Strip& s : FChannels[std::size_t(m)].strips) {
            s.gainEdit->SetText(text);
            s.gain->SetPosition(position);
        }
}

void StripPage::SyncPhaseDisplay(int ch, bool down)
{
    if (ch < 0 || ch > 8)
        return;
    const QString caption = PhaseCaption(down);
    for (int m : Members(FMain.Unit() ? FMain.Unit()->GetLinkMembers(ch) : 0, ch))
        for (const Strip& s : FChannels[std::size_t(m)].strips) {
            s.phase->SetDown(down);
            s.phase->SetCaption(caption);
        }
}

void StripPage::SyncMuteDisplay(int ch, bool down)
{
    if (ch < 0 || ch > 8)
        return;
    for (int m : Members(FMain.Unit() ? FMain.Unit()->GetLinkMembers(ch) : 0, ch))
        for (const Strip& s : FChannels[std::size_t(m)].strips)
            s.mute->SetDown(down);
}

void StripPage::ShowChannelStrip(int ch)
{
    LUnitControl* unit = FMain.Unit();
    if (!unit || ch < 0 || ch > 8)
        return;
    const Strip& own = FChannels[std::size_t(ch)].strips[0];
    const Strip& copy = FChannels[std::size_t(ch)].strips[1];
    own.gain->SetPosition(int(unit->GetGain(ch)) + own.gain->Min());
    copy.gain->SetPosition(own.gain->Position());
    const QString text = QString::fromStdString(FormatGainText(copy.gain->Position()));
    own.gainEdit->SetText(text);
    copy.gainEdit->SetText(text);
    own.phase->SetDown(unit->GetPolarity(ch));
    const QString caption = PhaseCaption(own.phase->Down());
    own.phase->SetCaption(caption);
    copy.phase->SetDown(own.phase->Down());
    copy.phase->SetCaption(caption);
    own.mute->SetDown(unit->GetMute(ch));
    copy.mute->SetDown(own.mute->Down());
}

// ---- levels ----

void StripPage::SetLevelPoll(bool on)
{
    tmInLevelDet.SetEnabled(on);
    // The poll stops when the link closes and around transfers: no stale levels stay lit.
    if (!on)
        ResetLevelMeters();
}

void StripPage::tmInLevelDetTimer()
{
    FMain.Session().RequestLevels();
}

void StripPage::ShowLevels(std::span<const uint8_t> payload)
{
    const std::optional<proto::LevelReading> r = proto::DecodeLevelReply(payload);
    if (!r)
        return; // a short reply leaves every meter as it was
    const DynamicsPage& dyn = FMain.Dynamics();
    for (int ch = 0; ch < 9; ++ch) {
        Channel& c = FChannels[std::size_t(ch)];
        const bool input = ch < 3;
        const int k = MeterSegments(r->levels[std::size_t(input ? ch : ch + 1)], input);
        for (eq::LProgressBar* m : c.levels)
            SetMeter(m, k);
        if (input) {
            if (dyn.GateChannel() == ch)
                SetMeter(FPageMeters.gateLevel, k);
            continue;
        }
        const OutputLamps lamps =
            LampsOf(r->flags, ch - 3, c.ratio->Position(), c.limitThreshold->Position());
        SetMeter(c.lamps[0], lamps.either);
        SetMeter(c.lamps[1], lamps.either);
        SetMeter(c.lamps[2], lamps.comp);
        SetMeter(c.lamps[3], lamps.limit);
        if (dyn.CompChannel() == ch) {
            SetMeter(FPageMeters.compLamp, lamps.comp);
            SetMeter(FPageMeters.compLevel, k);
        }
        if (dyn.LimitChannel() == ch) {
            SetMeter(FPageMeters.limitLamp, lamps.limit);
            SetMeter(FPageMeters.limitLevel, k);
        }
    }
}

void StripPage::ResetLevelMeters()
{
    for (Channel& c : FChannels) {
        for (eq::LProgressBar* m : c.levels)
            SetMeter(m, 0);
        for (eq::LProgressBar* m : c.lamps)
            SetMeter(m, 0);
    }
    for (eq::LProgressBar* m : {FPageMeters.gateLevel, FPageMeters.compLevel, FPageMeters.compLamp,
                                FPageMeters.limitLevel, FPageMeters.limitLamp})
        SetMeter(m, 0);
}

} // namespace app
