// TfmMain: the compressor, limiter and gate pages. One handler per parameter serves every channel (the
// sender's Tag is the channel): it stores through the model, shows the value on the other channels of
// the link group with the refresh flag set, and redraws the page's transfer curve (compressor and
// limiter through their one-shot timers, the gate at once). The value rules are in DynamicsRules.
#include "app/main/TfmMain.h"
#include "base/FlagScope.h"

#include "app/main/DynamicsRules.h"
#include "app/main/MainLayout.h"
#include "app/main/PageRules.h"
#include "app/main/StdControls.h"
#include "app/main/TransferChartControl.h"
#include "controls/smooth/RoundEdit.h"
#include "controls/smooth/TrackBar.h"
#include "model/LUnitControl.h"

#include <span>

namespace app
{

namespace
{

using Fader = fx::TCustomTrackBar;
using Edit = fx::TRoundEdit;

enum class Fmt { Threshold, PaddedTime, Time, Ratio, Knee };

// A parameter of a page: its name part, whether an up-down holds it, its text after a change.
struct Param {
    const char* name;
    bool upDown;
    Fmt fmt;
};

constexpr Param kCompParams[] = {{"Threshold", false, Fmt::Threshold},
                                 {"Attack", false, Fmt::PaddedTime},
                                 {"Release", false, Fmt::PaddedTime},
                                 {"Ratio", true, Fmt::Ratio},
                                 {"Knee", true, Fmt::Knee}};
constexpr Param kLimitParams[] = {{"Threshold", false, Fmt::Threshold},
                                  {"Attack", false, Fmt::PaddedTime},
                                  {"Release", false, Fmt::PaddedTime},
                                  {"Knee", true, Fmt::Knee}};
constexpr Param kGateParams[] = {{"Threshold", false, Fmt::Threshold},
                                 {"Attack", false, Fmt::Time},
                                 {"Release", false, Fmt::Time},
                                 {"Hold", false, Fmt::Time}};

using DynPage = TfmMain::DynPage;

struct PageInfo {
    QString kind; // "Comp", "Limit", "Gate"
    std::span<const Param> params;
    int first, count; // the page's channels
};

PageInfo Info(DynPage page)
{
    switch (page) {
    case DynPage::Comp:
        return {QStringLiteral("Comp"), kCompParams, 3, 6};
    case DynPage::Limit:
        return {QStringLiteral("Limit"), kLimitParams, 3, 6};
    case DynPage::Gate:
        break;
    }
    return {QStringLiteral("Gate"), kGateParams, 0, 3};
}

bool OnPage(const PageInfo& info, int ch)
{
    return ch >= info.first && ch < info.first + info.count;
}

QString Text(Fmt fmt, int value)
{
    switch (fmt) {
    case Fmt::Threshold:
        return ThresholdText(value);
    case Fmt::PaddedTime:
        return PaddedTimeText(value);
    case Fmt::Time:
        return TimeText(value);
    case Fmt::Ratio:
        return RatioText(value);
    case Fmt::Knee:
        break;
    }
    return KneeText(value);
}

// "is" + "Comp" + "Threshold" + "Out1" and the like.
QString NameOf(const char* prefix, const QString& kind, const char* param, int ch)
{
    return QLatin1String(prefix) + kind + QLatin1String(param) + ChannelTitle(ch);
}

int ChannelOf(const fw::TControl* sender)
{
    return sender ? int(sender->Tag()) : -1;
}

void CaretToEnd(Edit& e)
{
    e.InnerEdit()->end(false);
}

// "Out 1" or "In A".
QString ChannelCaption(int ch)
{
    return (ch < 3 ? QStringLiteral("In ") : QStringLiteral("Out ")) + ChannelSuffix(ch);
}

} // namespace

// ---- model writes ----

void TfmMain::SetCompParam(int channel, int parameter, int value)
{
    if (!FUnit || channel < 3 || channel > 8)
        return;
    CompParam c = FUnit->GetComp(channel);
    switch (parameter) {
    case 0:
        if (auto* f = Get<Fader>(NameOf("is", QStringLiteral("Comp"), "Threshold", channel))) {
            FlagScope guard(FUpdating);
            f->SetPosition(value);
        }
        c.threshold = int16_t(value + 180);
        break;
    case 1:
        c.attack = int16_t(value);
        break;
    case 2:
        c.release = int16_t(value);
        break;
    case 3:
        c.ratio = int16_t(value);
        break;
    case 4:
        c.knee = int16_t(value);
        break;
    default:
        return;
    }
    if (!FUpdating)
        FUnit->SetComp(channel, c);
}

void TfmMain::SetLimitParam(int channel, int parameter, int value)
{
    if (!FUnit || channel < 3 || channel > 8)
        return;
    LimitParam l = FUnit->GetLimit(channel);
    switch (parameter) {
    case 0:
        l.threshold = int16_t(value + 180);
        break;
    case 1:
        l.attack = int16_t(value);
        break;
    case 2:
        l.release = int16_t(value);
        break;
    case 3:
        l.knee = int16_t(value);
        break;
    default:
        return;
    }
    if (!FUpdating)
        FUnit->SetLimit(channel, l);
}

void TfmMain::SetGateParam(int channel, int parameter, int value)
{
    if (!FUnit || channel < 0 || channel > 2)
        return;
    GateParam g = FUnit->GetGate(channel);
    switch (parameter) {
    case 0:
        g.threshold = int16_t(value + 180);
        break;
    case 1:
        g.attack = int16_t(value);
        break;
    case 2:
        g.release = int16_t(value);
        break;
    case 3:
        g.hold = int16_t(value);
        break;
    default:
        return;
    }
    if (!FUpdating)
        FUnit->SetGate(channel, g);
}

// ---- mirroring ----

void TfmMain::SyncCompDisplay(int channel, int parameter, int value)
{
    DynSyncDisplay(DynPage::Comp, channel, parameter, value);
}

void TfmMain::SyncLimitDisplay(int channel, int parameter, int value)
{
    DynSyncDisplay(DynPage::Limit, channel, parameter, value);
}

void TfmMain::SyncGateDisplay(int channel, int parameter, int value)
{
    DynSyncDisplay(DynPage::Gate, channel, parameter, value);
}

// The group is the one the model stored into: the channel's link group, the channel itself always
// included. Up-down values leave out the addressed channel, whose up-down is about to take the value.
void TfmMain::DynSyncDisplay(DynPage page, int channel, int parameter, int value)
{
    const PageInfo info = Info(page);
    if (!FUnit || !OnPage(info, channel) || parameter < 0 || parameter >= int(info.params.size()))
        return;
    const Param& p = info.params[std::size_t(parameter)];
    FlagScope guard(FUpdating);
    const unsigned group = FUnit->GetLinkGroup(channel) | (1u << (channel - info.first));
    for (int r = 0; r < info.count; ++r) {
        const int member = info.first + r;
        if (!((group >> r) & 1u) || (p.upDown && member == channel))
            continue;
        if (p.upDown) {
            if (auto* u = Get<TUpDown>(NameOf("ud", info.kind, p.name, member)))
                u->SetPosition(value);
        } else if (auto* f = Get<Fader>(NameOf("is", info.kind, p.name, member))) {
            f->SetPosition(value);
        }
        if (auto* e = Get<Edit>(NameOf("cvd", info.kind, p.name, member)))
            e->SetText(Text(p.fmt, value));
    }
}

// ---- transfer curves ----

void TfmMain::DrawCompCurve(int channel)
{
    if (channel < 3 || channel > 8)
        return;
    const QString comp = QStringLiteral("Comp");
    auto* f = Get<Fader>(NameOf("is", comp, "Threshold", channel));
    auto* knee = Get<TUpDown>(NameOf("ud", comp, "Knee", channel));
    auto* ratio = Get<TUpDown>(NameOf("ud", comp, "Ratio", channel));
    if (!f || !knee || !ratio)
        return;
    const TransferCurve c = CompCurve(f->Position(), knee->Position(), ratio->Position(), ratio->Max);
    SetChartPoints(Get<fw::TControl>(QStringLiteral("ipComp")), c.points, c.marker);
    if (auto* l = Get<fw::TControl>(QStringLiteral("lbCompName")))
        l->SetCaption(ChannelCaption(channel) + QStringLiteral("  ") +
                      LookupText(QStringLiteral("SID_COMP")));
    if (auto* l = Get<fw::TControl>(QStringLiteral("lbHeadCompOut")))
        l->SetCaption(ChannelCaption(channel));
    FCompChannel = channel;
}

void TfmMain::DrawLimitCurve(int channel)
{
    if (channel < 3 || channel > 8)
        return;
    const QString limit = QStringLiteral("Limit");
    auto* f = Get<Fader>(NameOf("is", limit, "Threshold", channel));
    auto* knee = Get<TUpDown>(NameOf("ud", limit, "Knee", channel));
    if (!f || !knee)
        return;
    const TransferCurve c = LimitCurve(f->Position(), knee->Position());
    SetChartPoints(Get<fw::TControl>(QStringLiteral("ipLimit")), c.points, c.marker);
    if (auto* l = Get<fw::TControl>(QStringLiteral("lbLimitName")))
        l->SetCaption(ChannelCaption(channel) + QStringLiteral("  ") +
                      LookupText(QStringLiteral("SID_LIMIT")));
    if (auto* l = Get<fw::TControl>(QStringLiteral("lbHeadLimitOut")))
        l->SetCaption(ChannelCaption(channel));
    FLimitChannel = channel;
}

// The gate's curve and title, without the head label and the selected channel (the fader handlers
// draw this much).
void TfmMain::DrawGateSteps(int channel, int thresholdPosition)
{
    const TransferCurve c = GateCurve(thresholdPosition);
    SetChartPoints(Get<fw::TControl>(QStringLiteral("ipGate")), c.points, c.marker);
    if (auto* l = Get<fw::TControl>(QStringLiteral("lbGateName")))
        l->SetCaption(ChannelCaption(channel) + QStringLiteral("  ") +
                      LookupText(QStringLiteral("SID_GATE")));
}

void TfmMain::DrawGateCurve(int channel)
{
    if (channel < 0 || channel > 2)
        return;
    auto* f = Get<Fader>(NameOf("is", QStringLiteral("Gate"), "Threshold", channel));
    if (!f)
        return;
    DrawGateSteps(channel, f->Position());
    if (auto* l = Get<fw::TControl>(QStringLiteral("lbHeadGateIn")))
        l->SetCaption(ChannelCaption(channel));
    FGateChannel = channel;
}

void TfmMain::tmCompDispTimer(fw::TTimer*)
{
    tmCompDisp.SetEnabled(false);
    DrawCompCurve(FCompDrawChannel);
}

void TfmMain::tmLimitDispTimer(fw::TTimer*)
{
    tmLimitDisp.SetEnabled(false);
    DrawLimitCurve(FLimitDrawChannel);
}

// ---- changes of faders and up-downs ----

void TfmMain::DynFaderChange(DynPage page, fw::TControl* Sender, int parameter)
{
    if (FUpdating)
        return;
    auto* f = dynamic_cast<Fader*>(Sender);
    const PageInfo info = Info(page);
    const int ch = ChannelOf(Sender);
    if (!f || !OnPage(info, ch))
        return;
    const int position = f->Position();
    const Param& p = info.params[std::size_t(parameter)];
    switch (page) {
    case DynPage::Comp:
        tmCompDisp.SetEnabled(true);
        FCompDrawChannel = ch;
        FCompChannel = ch;
        SetCompParam(ch, parameter, position);
        SyncCompDisplay(ch, parameter, position);
        return;
    case DynPage::Limit: {
        FLimitChannel = ch;
        auto* e = Get<Edit>(NameOf("cvd", info.kind, p.name, ch));
        if (!e)
            return;
        e->SetText(Text(p.fmt, position));
        tmLimitDisp.SetEnabled(true);
        FLimitDrawChannel = ch;
        SetLimitParam(ch, parameter, position);
        SyncLimitDisplay(ch, parameter, position);
        return;
    }
    case DynPage::Gate:
        break;
    }
    FGateChannel = ch;
    auto* e = Get<Edit>(NameOf("cvd", info.kind, p.name, ch));
    if (!e)
        return;
    e->SetText(Text(p.fmt, position));
    auto* threshold = parameter == 0 ? f : Get<Fader>(NameOf("is", info.kind, "Threshold", ch));
    if (!threshold)
        return;
    DrawGateSteps(ch, threshold->Position());
    SetGateParam(ch, parameter, position);
    SyncGateDisplay(ch, parameter, position);
}

void TfmMain::isCompThresholdOut1Change(fw::TControl* Sender)
{
    DynFaderChange(DynPage::Comp, Sender, 0);
}

void TfmMain::isCompAttackOut1Change(fw::TControl* Sender)
{
    DynFaderChange(DynPage::Comp, Sender, 1);
}

void TfmMain::isCompReleaseOut1Change(fw::TControl* Sender)
{
    DynFaderChange(DynPage::Comp, Sender, 2);
}

void TfmMain::isLimitThresholdOut1Change(fw::TControl* Sender)
{
    DynFaderChange(DynPage::Limit, Sender, 0);
}

void TfmMain::isLimitAttackOut1Change(fw::TControl* Sender)
{
    DynFaderChange(DynPage::Limit, Sender, 1);
}

void TfmMain::isLimitReleaseOut1Change(fw::TControl* Sender)
{
    DynFaderChange(DynPage::Limit, Sender, 2);
}

void TfmMain::isGateThresholdInAChange(fw::TControl* Sender)
{
    DynFaderChange(DynPage::Gate, Sender, 0);
}

void TfmMain::isGateAttackInAChange(fw::TControl* Sender)
{
    DynFaderChange(DynPage::Gate, Sender, 1);
}

void TfmMain::isGateReleaseInAChange(fw::TControl* Sender)
{
    DynFaderChange(DynPage::Gate, Sender, 2);
}

void TfmMain::isGateHoldInAChange(fw::TControl* Sender)
{
    DynFaderChange(DynPage::Gate, Sender, 3);
}

// The up-down has not taken NewValue yet; the deferred redraw reads it after it has.
void TfmMain::udCompRatioOut1ChangingEx(fw::TControl* Sender, bool&, int NewValue)
{
    auto* u = dynamic_cast<TUpDown*>(Sender);
    const int ch = ChannelOf(Sender);
    if (FUpdating || !u || NewValue < u->Min || NewValue > u->Max || ch < 3 || ch > 8)
        return;
    auto* e = Get<Edit>(NameOf("cvd", QStringLiteral("Comp"), "Ratio", ch));
    if (!e)
        return;
    e->SetText(RatioText(NewValue == u->Max ? RatioLimitIndex : NewValue));
    tmCompDisp.SetEnabled(true);
    FCompDrawChannel = ch;
    FCompChannel = ch;
    SetCompParam(ch, 3, NewValue);
    SyncCompDisplay(ch, 3, NewValue);
}

void TfmMain::udCompKneeOut1ChangingEx(fw::TControl* Sender, bool&, int NewValue)
{
    auto* u = dynamic_cast<TUpDown*>(Sender);
    const int ch = ChannelOf(Sender);
    if (FUpdating || !u || NewValue < u->Min || NewValue > u->Max || ch < 3 || ch > 8)
        return;
    auto* e = Get<Edit>(NameOf("cvd", QStringLiteral("Comp"), "Knee", ch));
    if (!e)
        return;
    e->SetText(KneeText(NewValue));
    tmCompDisp.SetEnabled(true);
    FCompDrawChannel = ch;
    FCompChannel = ch;
    SetCompParam(ch, 4, NewValue);
    SyncCompDisplay(ch, 4, NewValue);
}

void TfmMain::udLimitKneeOut1ChangingEx(fw::TControl* Sender, bool&, int NewValue)
{
    auto* u = dynamic_cast<TUpDown*>(Sender);
    const int ch = ChannelOf(Sender);
    if (FUpdating || !u || NewValue < u->Min || NewValue > u->Max || ch < 3 || ch > 8)
        return;
    FLimitChannel = ch;
    auto* e = Get<Edit>(NameOf("cvd", QStringLiteral("Limit"), "Knee", ch));
    if (!e)
        return;
    e->SetText(KneeText(NewValue));
    tmLimitDisp.SetEnabled(true);
    FLimitDrawChannel = ch;
    SetLimitParam(ch, 3, NewValue);
    SyncLimitDisplay(ch, 3, NewValue);
}

// ---- typed entries ----

// Thresholds and knees. Writing a new position runs the control's change handler (store, send,
// mirror, redraw); the edit then shows the control's value.
void TfmMain::DynTypedDecibel(DynPage page, fw::TControl* Sender, bool knee)
{
    auto* e = dynamic_cast<Edit*>(Sender);
    const PageInfo info = Info(page);
    const int ch = ChannelOf(Sender);
    if (!e || !OnPage(info, ch))
        return;
    std::optional<int> next;
    if (knee) {
        auto* u = Get<TUpDown>(NameOf("ud", info.kind, "Knee", ch));
        if (!u)
            return;
        next = TypedKnee(e->Text(), u->Position());
        e->SetText({});
        if (next)
            u->SetPosition(*next);
        e->SetText(KneeText(u->Position()));
    } else {
        auto* f = Get<Fader>(NameOf("is", info.kind, "Threshold", ch));
        if (!f)
            return;
        next = TypedThreshold(e->Text(), f->Position());
        e->SetText({});
        if (next)
            f->SetPosition(*next);
        e->SetText(ThresholdText(f->Position()));
    }
    if (!next)
        CaretToEnd(*e);
}

void TfmMain::DynTypedTime(DynPage page, fw::TControl* Sender, const char* parameter)
{
    auto* e = dynamic_cast<Edit*>(Sender);
    const PageInfo info = Info(page);
    const int ch = ChannelOf(Sender);
    if (!e || !OnPage(info, ch))
        return;
    auto* f = Get<Fader>(NameOf("is", info.kind, parameter, ch));
    if (!f)
        return;
    const std::optional<int> next = TypedTime(e->Text(), f->Min(), f->Max(), f->Position());
    e->SetText({});
    if (next)
        f->SetPosition(*next);
    e->SetText(TimeText(f->Position()));
    if (!next)
        CaretToEnd(*e);
}

void TfmMain::DynTypedRatio(fw::TControl* Sender)
{
    auto* e = dynamic_cast<Edit*>(Sender);
    const int ch = ChannelOf(Sender);
    if (!e || ch < 3 || ch > 8)
        return;
    auto* u = Get<TUpDown>(NameOf("ud", QStringLiteral("Comp"), "Ratio", ch));
    if (!u)
        return;
    const std::optional<int> next = TypedRatio(e->Text(), u->Position());
    e->SetText({});
    if (next)
        u->SetPosition(*next);
    e->SetText(RatioText(u->Position() == u->Max ? RatioLimitIndex : u->Position()));
    if (!next)
        CaretToEnd(*e);
}

void TfmMain::cvdCompThresholdOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState)
{
    if (Key == fw::VK_RETURN)
        DynTypedDecibel(DynPage::Comp, Sender, false);
}

void TfmMain::cvdCompThresholdOut1Exit(fw::TControl* Sender)
{
    DynTypedDecibel(DynPage::Comp, Sender, false);
}

void TfmMain::cvdCompAttackOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState)
{
    if (Key == fw::VK_RETURN)
        DynTypedTime(DynPage::Comp, Sender, "Attack");
}

void TfmMain::cvdCompAttackOut1Exit(fw::TControl* Sender)
{
    DynTypedTime(DynPage::Comp, Sender, "Attack");
}

void TfmMain::cvdCompReleaseOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState)
{
    if (Key == fw::VK_RETURN)
        DynTypedTime(DynPage::Comp, Sender, "Release");
}

void TfmMain::cvdCompReleaseOut1Exit(fw::TControl* Sender)
{
    DynTypedTime(DynPage::Comp, Sender, "Release");
}

void TfmMain::cvdCompRatioOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState)
{
    if (Key == fw::VK_RETURN)
        DynTypedRatio(Sender);
}

void TfmMain::cvdCompRatioOut1Exit(fw::TControl* Sender)
{
    DynTypedRatio(Sender);
}

void TfmMain::cvdCompKneeOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState)
{
    if (Key == fw::VK_RETURN)
        DynTypedDecibel(DynPage::Comp, Sender, true);
}

void TfmMain::cvdCompKneeOut1Exit(fw::TControl* Sender)
{
    DynTypedDecibel(DynPage::Comp, Sender, true);
}

void TfmMain::cvdLimitThresholdOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState)
{
    if (Key == fw::VK_RETURN)
        DynTypedDecibel(DynPage::Limit, Sender, false);
}

void TfmMain::cvdLimitThresholdOut1Exit(fw::TControl* Sender)
{
    DynTypedDecibel(DynPage::Limit, Sender, false);
}

void TfmMain::cvdLimitAttackOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState)
{
    if (Key == fw::VK_RETURN)
        DynTypedTime(DynPage::Limit, Sender, "Attack");
}

void TfmMain::cvdLimitAttackOut1Exit(fw::TControl* Sender)
{
    DynTypedTime(DynPage::Limit, Sender, "Attack");
}

void TfmMain::cvdLimitReleaseOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState)
{
    if (Key == fw::VK_RETURN)
        DynTypedTime(DynPage::Limit, Sender, "Release");
}

void TfmMain::cvdLimitReleaseOut1Exit(fw::TControl* Sender)
{
    DynTypedTime(DynPage::Limit, Sender, "Release");
}

void TfmMain::cvdLimitKneeOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState)
{
    if (Key == fw::VK_RETURN)
        DynTypedDecibel(DynPage::Limit, Sender, true);
}

void TfmMain::cvdLimitKneeOut1Exit(fw::TControl* Sender)
{
    DynTypedDecibel(DynPage::Limit, Sender, true);
}

void TfmMain::cvdGateThresholdInAKeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState)
{
    if (Key == fw::VK_RETURN)
        DynTypedDecibel(DynPage::Gate, Sender, false);
}

void TfmMain::cvdGateThresholdInAExit(fw::TControl* Sender)
{
    DynTypedDecibel(DynPage::Gate, Sender, false);
}

void TfmMain::cvdGateAttackInAKeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState)
{
    if (Key == fw::VK_RETURN)
        DynTypedTime(DynPage::Gate, Sender, "Attack");
}

void TfmMain::cvdGateAttackInAExit(fw::TControl* Sender)
{
    DynTypedTime(DynPage::Gate, Sender, "Attack");
}

void TfmMain::cvdGateReleaseInAKeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState)
{
    if (Key == fw::VK_RETURN)
        DynTypedTime(DynPage::Gate, Sender, "Release");
}

void TfmMain::cvdGateReleaseInAExit(fw::TControl* Sender)
{
    DynTypedTime(DynPage::Gate, Sender, "Release");
}

void TfmMain::cvdGateHoldInAKeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState)
{
    if (Key == fw::VK_RETURN)
        DynTypedTime(DynPage::Gate, Sender, "Hold");
}

void TfmMain::cvdGateHoldInAExit(fw::TControl* Sender)
{
    DynTypedTime(DynPage::Gate, Sender, "Hold");
}

// ---- presses that show a channel's curve ----

void TfmMain::isCompThresholdOut1MouseDown(fw::TControl* Sender, fw::TMouseButton, fw::TShiftState, int, int)
{
    DrawCompCurve(ChannelOf(Sender));
}

void TfmMain::cvdCompThresholdOut1MouseDown(fw::TControl* Sender, fw::TMouseButton, fw::TShiftState, int, int)
{
    DrawCompCurve(ChannelOf(Sender));
}

void TfmMain::lbCompOut1MouseDown(fw::TControl* Sender, fw::TMouseButton, fw::TShiftState, int, int)
{
    DrawCompCurve(ChannelOf(Sender));
}

void TfmMain::isLimitThresholdOut1MouseDown(fw::TControl* Sender, fw::TMouseButton, fw::TShiftState, int, int)
{
    DrawLimitCurve(ChannelOf(Sender));
}

void TfmMain::cvdLimitThresholdOut1MouseDown(fw::TControl* Sender, fw::TMouseButton, fw::TShiftState, int,
                                             int)
{
    DrawLimitCurve(ChannelOf(Sender));
}

void TfmMain::lbLimitOut1MouseDown(fw::TControl* Sender, fw::TMouseButton, fw::TShiftState, int, int)
{
    DrawLimitCurve(ChannelOf(Sender));
}

void TfmMain::cvdGateThresholdInAMouseDown(fw::TControl* Sender, fw::TMouseButton, fw::TShiftState, int, int)
{
    DrawGateCurve(ChannelOf(Sender));
}

void TfmMain::isGateThresholdInAMouseDown(fw::TControl* Sender, fw::TMouseButton, fw::TShiftState, int, int)
{
    DrawGateCurve(ChannelOf(Sender));
}

void TfmMain::lbGateInAMouseDown(fw::TControl* Sender, fw::TMouseButton, fw::TShiftState, int, int)
{
    DrawGateCurve(ChannelOf(Sender));
}

// ---- wiring ----

void TfmMain::ConnectDynamicsHandlers()
{
    using namespace std::placeholders;
    using KeyHandler = void (TfmMain::*)(fw::TControl*, fw::Word&, fw::TShiftState);
    using ExitHandler = void (TfmMain::*)(fw::TControl*);
    using ChangeHandler = void (TfmMain::*)(fw::TControl*);
    using MouseHandler = void (TfmMain::*)(fw::TControl*, fw::TMouseButton, fw::TShiftState, int, int);
    struct Column {
        DynPage page;
        const char* param;
        ChangeHandler change; // faders; nullptr for up-downs
        KeyHandler key;
        ExitHandler exit;
    };
    const Column columns[] = {
        {DynPage::Comp, "Threshold", &TfmMain::isCompThresholdOut1Change,
         &TfmMain::cvdCompThresholdOut1KeyDown, &TfmMain::cvdCompThresholdOut1Exit},
        {DynPage::Comp, "Attack", &TfmMain::isCompAttackOut1Change, &TfmMain::cvdCompAttackOut1KeyDown,
         &TfmMain::cvdCompAttackOut1Exit},
        {DynPage::Comp, "Release", &TfmMain::isCompReleaseOut1Change, &TfmMain::cvdCompReleaseOut1KeyDown,
         &TfmMain::cvdCompReleaseOut1Exit},
        {DynPage::Comp, "Ratio", nullptr, &TfmMain::cvdCompRatioOut1KeyDown, &TfmMain::cvdCompRatioOut1Exit},
        {DynPage::Comp, "Knee", nullptr, &TfmMain::cvdCompKneeOut1KeyDown, &TfmMain::cvdCompKneeOut1Exit},
        {DynPage::Limit, "Threshold", &TfmMain::isLimitThresholdOut1Change,
         &TfmMain::cvdLimitThresholdOut1KeyDown, &TfmMain::cvdLimitThresholdOut1Exit},
        {DynPage::Limit, "Attack", &TfmMain::isLimitAttackOut1Change, &TfmMain::cvdLimitAttackOut1KeyDown,
         &TfmMain::cvdLimitAttackOut1Exit},
        {DynPage::Limit, "Release", &TfmMain::isLimitReleaseOut1Change, &TfmMain::cvdLimitReleaseOut1KeyDown,
         &TfmMain::cvdLimitReleaseOut1Exit},
        {DynPage::Limit, "Knee", nullptr, &TfmMain::cvdLimitKneeOut1KeyDown, &TfmMain::cvdLimitKneeOut1Exit},
        {DynPage::Gate, "Threshold", &TfmMain::isGateThresholdInAChange, &TfmMain::cvdGateThresholdInAKeyDown,
         &TfmMain::cvdGateThresholdInAExit},
        {DynPage::Gate, "Attack", &TfmMain::isGateAttackInAChange, &TfmMain::cvdGateAttackInAKeyDown,
         &TfmMain::cvdGateAttackInAExit},
        {DynPage::Gate, "Release", &TfmMain::isGateReleaseInAChange, &TfmMain::cvdGateReleaseInAKeyDown,
         &TfmMain::cvdGateReleaseInAExit},
        {DynPage::Gate, "Hold", &TfmMain::isGateHoldInAChange, &TfmMain::cvdGateHoldInAKeyDown,
         &TfmMain::cvdGateHoldInAExit},
    };
    auto mouse = [this](fw::TControl* c, MouseHandler h) {
        if (c)
            c->OnMouseDown = std::bind(h, this, _1, _2, _3, _4, _5);
    };
    for (const Column& col : columns) {
        const PageInfo info = Info(col.page);
        for (int ch = info.first; ch < info.first + info.count; ++ch) {
            if (auto* e = Get<Edit>(NameOf("cvd", info.kind, col.param, ch))) {
                e->OnKeyDown = std::bind(col.key, this, _1, _2, _3);
                e->OnExit = std::bind(col.exit, this, _1);
                // Every compressor and limiter edit shows its output's curve when pressed; on the gate
                // page only the thresholds and input A's attack and release do.
                const bool gateShows = std::string_view(col.param) == "Threshold" ||
                                       (ch == 0 && std::string_view(col.param) != "Hold");
                if (col.page == DynPage::Comp)
                    mouse(e, &TfmMain::cvdCompThresholdOut1MouseDown);
                else if (col.page == DynPage::Limit)
                    mouse(e, &TfmMain::cvdLimitThresholdOut1MouseDown);
                else if (gateShows)
                    mouse(e, &TfmMain::cvdGateThresholdInAMouseDown);
            }
            if (!col.change)
                continue;
            auto* f = Get<Fader>(NameOf("is", info.kind, col.param, ch));
            if (!f)
                continue;
            f->OnChange = std::bind(col.change, this, _1);
            // Every compressor and limiter fader shows its output's curve when pressed; of the gate's
            // faders only the hold faders do.
            if (col.page == DynPage::Comp)
                mouse(f, &TfmMain::isCompThresholdOut1MouseDown);
            else if (col.page == DynPage::Limit)
                mouse(f, &TfmMain::isLimitThresholdOut1MouseDown);
            else if (std::string_view(col.param) == "Hold")
                mouse(f, &TfmMain::isGateThresholdInAMouseDown);
        }
    }
    ConnectDynamicsLabelsAndTimers();
}

// The ratio and knee up-downs, the channel labels that choose a page's channel, the redraw timers.
void TfmMain::ConnectDynamicsLabelsAndTimers()
{
    using namespace std::placeholders;
    using MouseHandler = void (TfmMain::*)(fw::TControl*, fw::TMouseButton, fw::TShiftState, int, int);
    auto mouse = [this](fw::TControl* c, MouseHandler h) {
        if (c)
            c->OnMouseDown = std::bind(h, this, _1, _2, _3, _4, _5);
    };
    for (int ch = 3; ch < 9; ++ch) {
        const QString t = ChannelTitle(ch);
        if (auto* u = Get<TUpDown>(QStringLiteral("udCompRatio") + t))
            u->OnChangingEx = std::bind(&TfmMain::udCompRatioOut1ChangingEx, this, _1, _2, _3);
        if (auto* u = Get<TUpDown>(QStringLiteral("udCompKnee") + t))
            u->OnChangingEx = std::bind(&TfmMain::udCompKneeOut1ChangingEx, this, _1, _2, _3);
        if (auto* u = Get<TUpDown>(QStringLiteral("udLimitKnee") + t))
            u->OnChangingEx = std::bind(&TfmMain::udLimitKneeOut1ChangingEx, this, _1, _2, _3);
        mouse(Get<fw::TControl>(QStringLiteral("lbComp") + t), &TfmMain::lbCompOut1MouseDown);
        mouse(Get<fw::TControl>(QStringLiteral("lbLimit") + t), &TfmMain::lbLimitOut1MouseDown);
    }
    for (int ch = 0; ch < 3; ++ch)
        mouse(Get<fw::TControl>(QStringLiteral("lbGate") + ChannelTitle(ch)), &TfmMain::lbGateInAMouseDown);

    tmCompDisp.SetEnabled(false);
    tmCompDisp.SetInterval(1);
    tmCompDisp.OnTimer = [this](fw::TTimer* t) { tmCompDispTimer(t); };
    tmLimitDisp.SetEnabled(false);
    tmLimitDisp.SetInterval(1);
    tmLimitDisp.OnTimer = [this](fw::TTimer* t) { tmLimitDispTimer(t); };
}

} // namespace app
