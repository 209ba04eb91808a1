#include "app/pages/DynamicsPage.h"

#include "app/main/MainLayout.h"
#include "app/main/StdControls.h"
#include "app/main/TfmMain.h"
#include "app/main/TransferChartControl.h"
#include "base/FlagScope.h"
#include "controls/smooth/RoundEdit.h"
#include "controls/smooth/TrackBar.h"
#include "model/LUnitControl.h"

#include <string_view>

namespace app
{

namespace
{

using Fader = fx::TCustomTrackBar;
using Edit = fx::TRoundEdit;

// Parameter indices (DynParams).
constexpr int kThreshold = 0, kAttack = 1, kRelease = 2, kCompRatio = 3, kCompKnee = 4, kLimitKnee = 3,
              kGateHold = 3;

constexpr DynKind kKinds[] = {DynKind::Comp, DynKind::Limit, DynKind::Gate};

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

DynamicsPage::DynamicsPage(TfmMain& main) : TPage(main) {}

void DynamicsPage::Bind(TControlBinder& b)
{
    for (DynKind kind : kKinds) {
        const QString k = QLatin1String(DynKindName(kind));
        const std::span<const DynParam> params = DynParams(kind);
        for (int r = 0; r < DynChannelCount(kind); ++r) {
            const int ch = DynFirstChannel(kind) + r;
            const QString s = ChannelTitle(ch);
            Channel& c = FChannels[std::size_t(kind)][std::size_t(r)];
            for (std::size_t i = 0; i < params.size(); ++i) {
                const QString p = QLatin1String(params[i].name);
                if (params[i].upDown)
                    b.Bind(c.params[i].upDown, QStringLiteral("ud") + k + p + s);
                else
                    b.Bind(c.params[i].fader, QStringLiteral("is") + k + p + s);
                b.Bind(c.params[i].edit, QStringLiteral("cvd") + k + p + s);
            }
            b.Bind(c.label, QStringLiteral("lb") + k + s);
        }
        Chart& chart = ChartOf(kind);
        b.Bind(chart.chart, QStringLiteral("ip") + k);
        b.Bind(chart.name, QStringLiteral("lb") + k + QStringLiteral("Name"));
        b.Bind(chart.head,
               QStringLiteral("lbHead") + k + QLatin1String(kind == DynKind::Gate ? "In" : "Out"));
    }
}

DynamicsPage::Channel* DynamicsPage::Of(DynKind kind, const fw::TControl* sender)
{
    const int ch = ChannelOf(sender);
    return DynOnPage(kind, ch) ? &At(kind, ch) : nullptr;
}

DynamicsPage::Channel& DynamicsPage::At(DynKind kind, int channel)
{
    return FChannels[std::size_t(kind)][std::size_t(channel - DynFirstChannel(kind))];
}

// ---- model writes ----

void DynamicsPage::SetCompParam(int channel, int parameter, int value)
{
    LUnitControl* unit = FMain.Unit();
    if (!unit || channel < 3 || channel > 8)
        return;
    CompParam c = unit->GetComp(channel);
    switch (parameter) {
    case 0: {
        FlagScope guard(FMain.UpdatingFlag());
        At(DynKind::Comp, channel).params[kThreshold].fader->SetPosition(value);
        c.threshold = int16_t(value + 180);
        break;
    }
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
    if (!FMain.UpdatingFlag())
        unit->SetComp(channel, c);
}

void DynamicsPage::SetLimitParam(int channel, int parameter, int value)
{
    LUnitControl* unit = FMain.Unit();
    if (!unit || channel < 3 || channel > 8)
        return;
    LimitParam l = unit->GetLimit(channel);
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
    if (!FMain.UpdatingFlag())
        unit->SetLimit(channel, l);
}

void DynamicsPage::SetGateParam(int channel, int parameter, int value)
{
    LUnitControl* unit = FMain.Unit();
    if (!unit || channel < 0 || channel > 2)
        return;
    GateParam g = unit->GetGate(channel);
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
    if (!FMain.UpdatingFlag())
        unit->SetGate(channel, g);
}

// ---- mirroring ----

void DynamicsPage::SyncCompDisplay(int channel, int parameter, int value)
{
    DynSyncDisplay(DynKind::Comp, channel, parameter, value);
}

void DynamicsPage::SyncLimitDisplay(int channel, int parameter, int value)
{
    DynSyncDisplay(DynKind::Limit, channel, parameter, value);
}

void DynamicsPage::SyncGateDisplay(int channel, int parameter, int value)
{
    DynSyncDisplay(DynKind::Gate, channel, parameter, value);
}

// The group is the one the model stored into (DynMirrorChannels).
void DynamicsPage::DynSyncDisplay(DynKind kind, int channel, int parameter, int value)
{
    LUnitControl* unit = FMain.Unit();
    if (!unit)
        return;
    const std::vector<int> members = DynMirrorChannels(kind, channel, unit->GetLinkGroup(channel), parameter);
    if (members.empty())
        return;
    FlagScope guard(FMain.UpdatingFlag());
    const QString text = DynValueText(kind, parameter, value);
    for (int member : members) {
        Param& p = At(kind, member).params[std::size_t(parameter)];
        if (p.upDown)
            p.upDown->SetPosition(value);
        else
            p.fader->SetPosition(value);
        p.edit->SetText(text);
    }
}

// ---- transfer curves ----

void DynamicsPage::ShowTitle(DynKind kind, int channel, const char* key)
{
    ChartOf(kind).name->SetCaption(ChannelCaption(channel) + QStringLiteral("  ") +
                                   FMain.LookupText(QLatin1String(key)));
}

void DynamicsPage::DrawCompCurve(int channel)
{
    if (channel < 3 || channel > 8)
        return;
    Channel& c = At(DynKind::Comp, channel);
    TUpDown& ratio = *c.params[kCompRatio].upDown;
    const TransferCurve curve =
        CompCurve(c.params[kThreshold].fader->Position(), c.params[kCompKnee].upDown->Position(),
                  ratio.Position(), ratio.Max);
    Chart& chart = ChartOf(DynKind::Comp);
    SetChartPoints(chart.chart, curve.points, curve.marker);
    ShowTitle(DynKind::Comp, channel, "SID_COMP");
    chart.head->SetCaption(ChannelCaption(channel));
    FCompChannel = channel;
}

void DynamicsPage::DrawLimitCurve(int channel)
{
    if (channel < 3 || channel > 8)
        return;
    Channel& c = At(DynKind::Limit, channel);
    const TransferCurve curve =
        LimitCurve(c.params[kThreshold].fader->Position(), c.params[kLimitKnee].upDown->Position());
    Chart& chart = ChartOf(DynKind::Limit);
    SetChartPoints(chart.chart, curve.points, curve.marker);
    ShowTitle(DynKind::Limit, channel, "SID_LIMIT");
    chart.head->SetCaption(ChannelCaption(channel));
    FLimitChannel = channel;
}

// The gate's curve and title, without the head label and the selected channel (the fader handlers
// draw this much).
void DynamicsPage::DrawGateSteps(int channel, int thresholdPosition)
{
    const TransferCurve c = GateCurve(thresholdPosition);
    SetChartPoints(ChartOf(DynKind::Gate).chart, c.points, c.marker);
    ShowTitle(DynKind::Gate, channel, "SID_GATE");
}

void DynamicsPage::DrawGateCurve(int channel)
{
    if (channel < 0 || channel > 2)
        return;
    DrawGateSteps(channel, At(DynKind::Gate, channel).params[kThreshold].fader->Position());
    ChartOf(DynKind::Gate).head->SetCaption(ChannelCaption(channel));
    FGateChannel = channel;
}

void DynamicsPage::tmCompDispTimer(fw::TTimer*)
{
    tmCompDisp.SetEnabled(false);
    DrawCompCurve(FCompDrawChannel);
}

void DynamicsPage::tmLimitDispTimer(fw::TTimer*)
{
    tmLimitDisp.SetEnabled(false);
    DrawLimitCurve(FLimitDrawChannel);
}

// ---- changes of faders and up-downs ----

void DynamicsPage::DynFaderChange(DynKind kind, fw::TControl* Sender, int parameter)
{
    if (FMain.UpdatingFlag())
        return;
    auto* f = dynamic_cast<Fader*>(Sender);
    Channel* c = Of(kind, Sender);
    if (!f || !c)
        return;
    const int ch = ChannelOf(Sender);
    const int position = f->Position();
    switch (kind) {
    case DynKind::Comp:
        tmCompDisp.SetEnabled(true);
        FCompDrawChannel = ch;
        FCompChannel = ch;
        SetCompParam(ch, parameter, position);
        SyncCompDisplay(ch, parameter, position);
        return;
    case DynKind::Limit:
        FLimitChannel = ch;
        c->params[std::size_t(parameter)].edit->SetText(DynValueText(kind, parameter, position));
        tmLimitDisp.SetEnabled(true);
        FLimitDrawChannel = ch;
        SetLimitParam(ch, parameter, position);
        SyncLimitDisplay(ch, parameter, position);
        return;
    case DynKind::Gate:
        break;
    }
    FGateChannel = ch;
    c->params[std::size_t(parameter)].edit->SetText(DynValueText(kind, parameter, position));
    DrawGateSteps(ch, c->params[kThreshold].fader->Position());
    SetGateParam(ch, parameter, position);
    SyncGateDisplay(ch, parameter, position);
}

void DynamicsPage::isCompThresholdOut1Change(fw::TControl* Sender)
{
    DynFaderChange(DynKind::Comp, Sender, 0);
}

void DynamicsPage::isCompAttackOut1Change(fw::TControl* Sender)
{
    DynFaderChange(DynKind::Comp, Sender, 1);
}

void DynamicsPage::isCompReleaseOut1Change(fw::TControl* Sender)
{
    DynFaderChange(DynKind::Comp, Sender, 2);
}

void DynamicsPage::isLimitThresholdOut1Change(fw::TControl* Sender)
{
    DynFaderChange(DynKind::Limit, Sender, 0);
}

void DynamicsPage::isLimitAttackOut1Change(fw::TControl* Sender)
{
    DynFaderChange(DynKind::Limit, Sender, 1);
}

void DynamicsPage::isLimitReleaseOut1Change(fw::TControl* Sender)
{
    DynFaderChange(DynKind::Limit, Sender, 2);
}

void DynamicsPage::isGateThresholdInAChange(fw::TControl* Sender)
{
    DynFaderChange(DynKind::Gate, Sender, 0);
}

void DynamicsPage::isGateAttackInAChange(fw::TControl* Sender)
{
    DynFaderChange(DynKind::Gate, Sender, 1);
}

void DynamicsPage::isGateReleaseInAChange(fw::TControl* Sender)
{
    DynFaderChange(DynKind::Gate, Sender, 2);
}

void DynamicsPage::isGateHoldInAChange(fw::TControl* Sender)
{
    DynFaderChange(DynKind::Gate, Sender, 3);
}

// The up-down has not taken NewValue yet; the deferred redraw reads it after it has.
void DynamicsPage::DynUpDownChanging(DynKind kind, fw::TControl* Sender, int NewValue, int parameter)
{
    auto* u = dynamic_cast<TUpDown*>(Sender);
    Channel* c = Of(kind, Sender);
    if (FMain.UpdatingFlag() || !u || !c || NewValue < u->Min || NewValue > u->Max)
        return;
    const int ch = ChannelOf(Sender);
    const bool ratio = kind == DynKind::Comp && parameter == kCompRatio;
    c->params[std::size_t(parameter)].edit->SetText(ratio ? RatioUpDownText(NewValue, u->Max)
                                                          : KneeText(NewValue));
    if (kind == DynKind::Comp) {
        tmCompDisp.SetEnabled(true);
        FCompDrawChannel = ch;
        FCompChannel = ch;
        SetCompParam(ch, parameter, NewValue);
        SyncCompDisplay(ch, parameter, NewValue);
        return;
    }
    FLimitChannel = ch;
    tmLimitDisp.SetEnabled(true);
    FLimitDrawChannel = ch;
    SetLimitParam(ch, parameter, NewValue);
    SyncLimitDisplay(ch, parameter, NewValue);
}

void DynamicsPage::udCompRatioOut1ChangingEx(fw::TControl* Sender, bool&, int NewValue)
{
    DynUpDownChanging(DynKind::Comp, Sender, NewValue, kCompRatio);
}

void DynamicsPage::udCompKneeOut1ChangingEx(fw::TControl* Sender, bool&, int NewValue)
{
    DynUpDownChanging(DynKind::Comp, Sender, NewValue, kCompKnee);
}

void DynamicsPage::udLimitKneeOut1ChangingEx(fw::TControl* Sender, bool&, int NewValue)
{
    DynUpDownChanging(DynKind::Limit, Sender, NewValue, kLimitKnee);
}

// ---- typed entries ----

// Thresholds and knees. Writing a new position runs the control's change handler (store, send,
// mirror, redraw); the edit then shows the control's value.
void DynamicsPage::DynTypedDecibel(DynKind kind, fw::TControl* Sender, bool knee)
{
    auto* e = dynamic_cast<Edit*>(Sender);
    Channel* c = Of(kind, Sender);
    if (!e || !c)
        return;
    std::optional<int> next;
    if (knee) {
        TUpDown* u = c->params[kind == DynKind::Comp ? kCompKnee : kLimitKnee].upDown;
        if (!u)
            return;
        next = TypedKnee(e->Text(), u->Position());
        e->SetText({});
        if (next)
            u->SetPosition(*next);
        e->SetText(KneeText(u->Position()));
    } else {
        Fader* f = c->params[kThreshold].fader;
        next = TypedThreshold(e->Text(), f->Position());
        e->SetText({});
        if (next)
            f->SetPosition(*next);
        e->SetText(ThresholdText(f->Position()));
    }
    if (!next)
        CaretToEnd(*e);
}

void DynamicsPage::DynTypedTime(DynKind kind, fw::TControl* Sender, int parameter)
{
    auto* e = dynamic_cast<Edit*>(Sender);
    Channel* c = Of(kind, Sender);
    if (!e || !c)
        return;
    Fader* f = c->params[std::size_t(parameter)].fader;
    const std::optional<int> next = TypedTime(e->Text(), f->Min(), f->Max(), f->Position());
    e->SetText({});
    if (next)
        f->SetPosition(*next);
    e->SetText(TimeText(f->Position()));
    if (!next)
        CaretToEnd(*e);
}

void DynamicsPage::DynTypedRatio(fw::TControl* Sender)
{
    auto* e = dynamic_cast<Edit*>(Sender);
    Channel* c = Of(DynKind::Comp, Sender);
    if (!e || !c)
        return;
    TUpDown& u = *c->params[kCompRatio].upDown;
    const std::optional<int> next = TypedRatio(e->Text(), u.Position());
    e->SetText({});
    if (next)
        u.SetPosition(*next);
    e->SetText(RatioUpDownText(u.Position(), u.Max));
    if (!next)
        CaretToEnd(*e);
}

void DynamicsPage::cvdCompThresholdOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState)
{
    if (Key == fw::VK_RETURN)
        DynTypedDecibel(DynKind::Comp, Sender, false);
}

void DynamicsPage::cvdCompThresholdOut1Exit(fw::TControl* Sender)
{
    DynTypedDecibel(DynKind::Comp, Sender, false);
}

void DynamicsPage::cvdCompAttackOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState)
{
    if (Key == fw::VK_RETURN)
        DynTypedTime(DynKind::Comp, Sender, kAttack);
}

void DynamicsPage::cvdCompAttackOut1Exit(fw::TControl* Sender)
{
    DynTypedTime(DynKind::Comp, Sender, kAttack);
}

void DynamicsPage::cvdCompReleaseOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState)
{
    if (Key == fw::VK_RETURN)
        DynTypedTime(DynKind::Comp, Sender, kRelease);
}

void DynamicsPage::cvdCompReleaseOut1Exit(fw::TControl* Sender)
{
    DynTypedTime(DynKind::Comp, Sender, kRelease);
}

void DynamicsPage::cvdCompRatioOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState)
{
    if (Key == fw::VK_RETURN)
        DynTypedRatio(Sender);
}

void DynamicsPage::cvdCompRatioOut1Exit(fw::TControl* Sender)
{
    DynTypedRatio(Sender);
}

void DynamicsPage::cvdCompKneeOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState)
{
    if (Key == fw::VK_RETURN)
        DynTypedDecibel(DynKind::Comp, Sender, true);
}

void DynamicsPage::cvdCompKneeOut1Exit(fw::TControl* Sender)
{
    DynTypedDecibel(DynKind::Comp, Sender, true);
}

void DynamicsPage::cvdLimitThresholdOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState)
{
    if (Key == fw::VK_RETURN)
        DynTypedDecibel(DynKind::Limit, Sender, false);
}

void DynamicsPage::cvdLimitThresholdOut1Exit(fw::TControl* Sender)
{
    DynTypedDecibel(DynKind::Limit, Sender, false);
}

void DynamicsPage::cvdLimitAttackOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState)
{
    if (Key == fw::VK_RETURN)
        DynTypedTime(DynKind::Limit, Sender, kAttack);
}

void DynamicsPage::cvdLimitAttackOut1Exit(fw::TControl* Sender)
{
    DynTypedTime(DynKind::Limit, Sender, kAttack);
}

void DynamicsPage::cvdLimitReleaseOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState)
{
    if (Key == fw::VK_RETURN)
        DynTypedTime(DynKind::Limit, Sender, kRelease);
}

void DynamicsPage::cvdLimitReleaseOut1Exit(fw::TControl* Sender)
{
    DynTypedTime(DynKind::Limit, Sender, kRelease);
}

void DynamicsPage::cvdLimitKneeOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState)
{
    if (Key == fw::VK_RETURN)
        DynTypedDecibel(DynKind::Limit, Sender, true);
}

void DynamicsPage::cvdLimitKneeOut1Exit(fw::TControl* Sender)
{
    DynTypedDecibel(DynKind::Limit, Sender, true);
}

void DynamicsPage::cvdGateThresholdInAKeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState)
{
    if (Key == fw::VK_RETURN)
        DynTypedDecibel(DynKind::Gate, Sender, false);
}

void DynamicsPage::cvdGateThresholdInAExit(fw::TControl* Sender)
{
    DynTypedDecibel(DynKind::Gate, Sender, false);
}

void DynamicsPage::cvdGateAttackInAKeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState)
{
    if (Key == fw::VK_RETURN)
        DynTypedTime(DynKind::Gate, Sender, kAttack);
}

void DynamicsPage::cvdGateAttackInAExit(fw::TControl* Sender)
{
    DynTypedTime(DynKind::Gate, Sender, kAttack);
}

void DynamicsPage::cvdGateReleaseInAKeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState)
{
    if (Key == fw::VK_RETURN)
        DynTypedTime(DynKind::Gate, Sender, kRelease);
}

void DynamicsPage::cvdGateReleaseInAExit(fw::TControl* Sender)
{
    DynTypedTime(DynKind::Gate, Sender, kRelease);
}

void DynamicsPage::cvdGateHoldInAKeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState)
{
    if (Key == fw::VK_RETURN)
        DynTypedTime(DynKind::Gate, Sender, kGateHold);
}

void DynamicsPage::cvdGateHoldInAExit(fw::TControl* Sender)
{
    DynTypedTime(DynKind::Gate, Sender, kGateHold);
}

// ---- presses that show a channel's curve ----

void DynamicsPage::isCompThresholdOut1MouseDown(fw::TControl* Sender, fw::TMouseButton, fw::TShiftState, int,
                                                int)
{
    DrawCompCurve(ChannelOf(Sender));
}

void DynamicsPage::cvdCompThresholdOut1MouseDown(fw::TControl* Sender, fw::TMouseButton, fw::TShiftState, int,
                                                 int)
{
    DrawCompCurve(ChannelOf(Sender));
}

void DynamicsPage::lbCompOut1MouseDown(fw::TControl* Sender, fw::TMouseButton, fw::TShiftState, int, int)
{
    DrawCompCurve(ChannelOf(Sender));
}

void DynamicsPage::isLimitThresholdOut1MouseDown(fw::TControl* Sender, fw::TMouseButton, fw::TShiftState, int,
                                                 int)
{
    DrawLimitCurve(ChannelOf(Sender));
}

void DynamicsPage::cvdLimitThresholdOut1MouseDown(fw::TControl* Sender, fw::TMouseButton, fw::TShiftState,
                                                  int, int)
{
    DrawLimitCurve(ChannelOf(Sender));
}

void DynamicsPage::lbLimitOut1MouseDown(fw::TControl* Sender, fw::TMouseButton, fw::TShiftState, int, int)
{
    DrawLimitCurve(ChannelOf(Sender));
}

void DynamicsPage::cvdGateThresholdInAMouseDown(fw::TControl* Sender, fw::TMouseButton, fw::TShiftState, int,
                                                int)
{
    DrawGateCurve(ChannelOf(Sender));
}

void DynamicsPage::isGateThresholdInAMouseDown(fw::TControl* Sender, fw::TMouseButton, fw::TShiftState, int,
                                               int)
{
    DrawGateCurve(ChannelOf(Sender));
}

void DynamicsPage::lbGateInAMouseDown(fw::TControl* Sender, fw::TMouseButton, fw::TShiftState, int, int)
{
    DrawGateCurve(ChannelOf(Sender));
}

// ---- refresh ----

void DynamicsPage::ShowChannelDynamics(int ch)
{
    LUnitControl* unit = FMain.Unit();
    if (!unit || ch < 0 || ch > 8)
        return;
    auto show = [this](DynKind kind, int channel, std::initializer_list<int> values) {
        Channel& c = At(kind, channel);
        int i = 0;
        for (int v : values) {
            Param& p = c.params[std::size_t(i)];
            if (p.upDown)
                p.upDown->SetPosition(v);
            else
                p.fader->SetPosition(v);
            p.edit->SetText(DynValueText(kind, i, p.upDown ? p.upDown->Position() : p.fader->Position()));
            ++i;
        }
    };
    if (ch < 3) {
        const GateParam g = unit->GetGate(ch);
        show(DynKind::Gate, ch, {g.threshold - 180, g.attack, g.release, g.hold});
        return;
    }
    const CompParam c = unit->GetComp(ch);
    show(DynKind::Comp, ch, {c.threshold - 180, c.attack, c.release, c.ratio, c.knee});
    const LimitParam l = unit->GetLimit(ch);
    show(DynKind::Limit, ch, {l.threshold - 180, l.attack, l.release, l.knee});
}

void DynamicsPage::ShowGateCurveOfA()
{
    DrawGateSteps(0, At(DynKind::Gate, 0).params[kThreshold].fader->Position());
}

void DynamicsPage::WriteTitles()
{
    ShowTitle(DynKind::Gate, FGateChannel, "SID_GATE");
    ShowTitle(DynKind::Comp, FCompChannel, "SID_COMP");
    ShowTitle(DynKind::Limit, FLimitChannel, "SID_LIMIT");
}

// ---- wiring ----

void DynamicsPage::Connect()
{
    using namespace std::placeholders;
    using KeyHandler = void (DynamicsPage::*)(fw::TControl*, fw::Word&, fw::TShiftState);
    using ExitHandler = void (DynamicsPage::*)(fw::TControl*);
    using ChangeHandler = void (DynamicsPage::*)(fw::TControl*);
    using MouseHandler = void (DynamicsPage::*)(fw::TControl*, fw::TMouseButton, fw::TShiftState, int, int);
    struct Column {
        DynKind kind;
        int param;
        ChangeHandler change; // faders; nullptr for up-downs
        KeyHandler key;
        ExitHandler exit;
    };
    using P = DynamicsPage;
    const Column columns[] = {
        {DynKind::Comp, kThreshold, &P::isCompThresholdOut1Change, &P::cvdCompThresholdOut1KeyDown,
         &P::cvdCompThresholdOut1Exit},
        {DynKind::Comp, kAttack, &P::isCompAttackOut1Change, &P::cvdCompAttackOut1KeyDown,
         &P::cvdCompAttackOut1Exit},
        {DynKind::Comp, kRelease, &P::isCompReleaseOut1Change, &P::cvdCompReleaseOut1KeyDown,
         &P::cvdCompReleaseOut1Exit},
        {DynKind::Comp, kCompRatio, nullptr, &P::cvdCompRatioOut1KeyDown, &P::cvdCompRatioOut1Exit},
        {DynKind::Comp, kCompKnee, nullptr, &P::cvdCompKneeOut1KeyDown, &P::cvdCompKneeOut1Exit},
        {DynKind::Limit, kThreshold, &P::isLimitThresholdOut1Change, &P::cvdLimitThresholdOut1KeyDown,
         &P::cvdLimitThresholdOut1Exit},
        {DynKind::Limit, kAttack, &P::isLimitAttackOut1Change, &P::cvdLimitAttackOut1KeyDown,
         &P::cvdLimitAttackOut1Exit},
        {DynKind::Limit, kRelease, &P::isLimitReleaseOut1Change, &P::cvdLimitReleaseOut1KeyDown,
         &P::cvdLimitReleaseOut1Exit},
        {DynKind::Limit, kLimitKnee, nullptr, &P::cvdLimitKneeOut1KeyDown, &P::cvdLimitKneeOut1Exit},
        {DynKind::Gate, kThreshold, &P::isGateThresholdInAChange, &P::cvdGateThresholdInAKeyDown,
         &P::cvdGateThresholdInAExit},
        {DynKind::Gate, kAttack, &P::isGateAttackInAChange, &P::cvdGateAttackInAKeyDown,
         &P::cvdGateAttackInAExit},
        {DynKind::Gate, kRelease, &P::isGateReleaseInAChange, &P::cvdGateReleaseInAKeyDown,
         &P::cvdGateReleaseInAExit},
        {DynKind::Gate, kGateHold, &P::isGateHoldInAChange, &P::cvdGateHoldInAKeyDown,
         &P::cvdGateHoldInAExit},
    };
    auto mouse = [this](fw::TControl* c, MouseHandler h) {
        c->OnMouseDown = std::bind(h, this, _1, _2, _3, _4, _5);
    };
    for (const Column& col : columns) {
        const bool threshold = col.param == kThreshold;
        const bool hold = col.kind == DynKind::Gate && col.param == kGateHold;
        for (int ch = DynFirstChannel(col.kind); ch < DynFirstChannel(col.kind) + DynChannelCount(col.kind);
             ++ch) {
            Param& p = At(col.kind, ch).params[std::size_t(col.param)];
            p.edit->OnKeyDown = std::bind(col.key, this, _1, _2, _3);
            p.edit->OnExit = std::bind(col.exit, this, _1);
            // Every compressor and limiter edit shows its output's curve when pressed; on the gate page
            // only the thresholds and input A's attack and release do.
            if (col.kind == DynKind::Comp)
                mouse(p.edit, &P::cvdCompThresholdOut1MouseDown);
            else if (col.kind == DynKind::Limit)
                mouse(p.edit, &P::cvdLimitThresholdOut1MouseDown);
            else if (threshold || (ch == 0 && !hold))
                mouse(p.edit, &P::cvdGateThresholdInAMouseDown);
            if (!col.change)
                continue;
            p.fader->OnChange = std::bind(col.change, this, _1);
            // Every compressor and limiter fader shows its output's curve when pressed; of the gate's
            // faders only the hold faders do.
            if (col.kind == DynKind::Comp)
                mouse(p.fader, &P::isCompThresholdOut1MouseDown);
            else if (col.kind == DynKind::Limit)
                mouse(p.fader, &P::isLimitThresholdOut1MouseDown);
            else if (hold)
                mouse(p.fader, &P::isGateThresholdInAMouseDown);
        }
    }
    ConnectLabelsAndTimers();
}

// The ratio and knee up-downs, the channel labels that choose a page's channel, the redraw timers.
void DynamicsPage::ConnectLabelsAndTimers()
{
    using namespace std::placeholders;
    for (int ch = 3; ch < 9; ++ch) {
        Channel& comp = At(DynKind::Comp, ch);
        Channel& limit = At(DynKind::Limit, ch);
        comp.params[kCompRatio].upDown->OnChangingEx =
            std::bind(&DynamicsPage::udCompRatioOut1ChangingEx, this, _1, _2, _3);
        comp.params[kCompKnee].upDown->OnChangingEx =
            std::bind(&DynamicsPage::udCompKneeOut1ChangingEx, this, _1, _2, _3);
        limit.params[kLimitKnee].upDown->OnChangingEx =
            std::bind(&DynamicsPage::udLimitKneeOut1ChangingEx, this, _1, _2, _3);
        comp.label->OnMouseDown = std::bind(&DynamicsPage::lbCompOut1MouseDown, this, _1, _2, _3, _4, _5);
        limit.label->OnMouseDown = std::bind(&DynamicsPage::lbLimitOut1MouseDown, this, _1, _2, _3, _4, _5);
    }
    for (int ch = 0; ch < 3; ++ch)
        At(DynKind::Gate, ch).label->OnMouseDown =
            std::bind(&DynamicsPage::lbGateInAMouseDown, this, _1, _2, _3, _4, _5);

    tmCompDisp.SetEnabled(false);
    tmCompDisp.SetInterval(1);
    tmCompDisp.OnTimer = [this](fw::TTimer* t) { tmCompDispTimer(t); };
    tmLimitDisp.SetEnabled(false);
    tmLimitDisp.SetInterval(1);
    tmLimitDisp.OnTimer = [this](fw::TTimer* t) { tmLimitDispTimer(t); };
}

} // namespace app
