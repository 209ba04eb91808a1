// The parametric equaliser on the channel pages: the band editor's change handler with its Q rules,
// band selection, the panel faders and their pending-edit timer, the frequency edit's keys, reset,
// bypass over the link group and the magnitude/phase switch.
#include "app/main/MainEditing.h"
#include "app/main/MainLayout.h"
#include "app/main/StdControls.h"
#include "app/main/TfmMain.h"
#include "base/FlagScope.h"

#include "app/dialogs/SmallDialogs.h"
#include "base/ValueScales.h"
#include "controls/panels/LedButtons.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/smooth/RoundEdit.h"
#include "controls/smooth/TrackBar.h"
#include "curves/Crossover.h"
#include "curves/Plot.h"
#include "eq/TMyPEQType8.h"
#include "graph/LMyFFTDrawHpLp6dB.h"
#include "model/LUnitControl.h"
#include "proto/LCmd.h"

namespace app
{

using graph::LMyFFTDrawHpLp6dB;

namespace
{

bool ValidChannel(long long c)
{
    return c >= 0 && c < 9;
}

int BandCount(int ch)
{
    return ch < 3 ? 8 : 9;
}

QString BandButtonName(int band, int ch)
{
    return QStringLiteral("rzbEq%1").arg(band + 1) + ChannelTitle(ch);
}

} // namespace

void TfmMain::ConnectPeqHandlers()
{
    tmEqCurve.SetInterval(1);
    tmEqCurve.SetEnabled(false);
    tmEqCurve.OnTimer = [this](fw::TTimer*) { tmEqCurveTimer(); };
    for (int ch = 0; ch < 9; ++ch) {
        const QString s = ChannelTitle(ch);
        if (auto* peq = Get<eq::TMyPEQType8>(QStringLiteral("peqPeq") + s)) {
            if (auto* heading = Get<eq::TPeqHeader>(QStringLiteral("lbEq") + s))
                heading->SetTable(peq);
            peq->OnChange = [this](fw::TControl* c) { peqPeqInAChange(c); };
            peq->OnEditMouseDown = [this](fw::TControl* c, fw::TMouseButton, fw::TShiftState, int, int) {
                peqPeqInAEditMouseDown(c);
            };
            peq->OnPeqTypeMouseWheel = [](fw::TControl*, fw::TShiftState, int, fw::TPoint, bool& handled) {
                handled = true;
            };
        }
        for (int b = 0; b < BandCount(ch); ++b)
            if (auto* button = Get<sk::TSkBmpButton>(BandButtonName(b, ch)))
                button->OnClick = [this](fw::TControl* c) { rzbEq1InAClick(c); };
        auto fader = [&](const char* name, void (TfmMain::*handler)(fw::TControl*)) {
            if (auto* f = Get<fx::TCustomTrackBar>(QString::fromLatin1(name) + s))
                f->OnChange = [this, handler](fw::TControl* c) { (this->*handler)(c); };
        };
        fader("isEqFreq", &TfmMain::isEqFreqInAChange);
        fader("isEqBw", &TfmMain::isEqBwInAChange);
        fader("isEqGain", &TfmMain::isEqGainInAChange);
        if (auto* e = Get<fx::TRoundEdit>(QStringLiteral("cvdEqFreq") + s))
            e->OnKeyDown = [this](fw::TControl* c, fw::Word& key, fw::TShiftState shift) {
                cvdEqFreqInAKeyDown(c, key, shift);
            };
        // The panel texts take no typed value: Enter or leaving an edit shows the faders' values again.
        for (const char* name : {"cvdEqFreq", "cvdEqBw", "cvdEqGain"})
            if (auto* e = Get<fx::TRoundEdit>(QString::fromLatin1(name) + s)) {
                auto old = e->OnKeyDown;
                e->OnKeyDown = [this, old, ch](fw::TControl* c, fw::Word& key, fw::TShiftState shift) {
                    if (old)
                        old(c, key, shift);
                    if (key == fw::VK_RETURN)
                        ShowPeqPanelTexts(ch);
                };
                e->OnExit = [this, ch](fw::TControl*) { ShowPeqPanelTexts(ch); };
            }
        auto click = [&](const char* name, void (TfmMain::*handler)(fw::TControl*)) {
            if (auto* b = Get<fw::TControl>(QString::fromLatin1(name) + s))
                b->OnClick = [this, handler](fw::TControl* c) { (this->*handler)(c); };
        };
        click("vrbEqReset", &TfmMain::vrbEqResetInAClick);
        click("vrbEqBypass", &TfmMain::vrbEqBypassInAClick);
        click("rbShowGain", &TfmMain::rbShowGainInAClick);
        click("rbShowPhase", &TfmMain::rbShowPhaseInAClick);
    }
}

void TfmMain::peqPeqInAChange(fw::TControl* Sender)
{
    auto* peq = dynamic_cast<eq::TMyPEQType8*>(Sender);
    if (!peq || FSelectedHandle != -1 || !ValidChannel(peq->Tag()) || !FUnit)
        return;
    const int c = int(peq->Tag());
    const int k = peq->GetNowIndex();
    const QString s = ChannelTitle(c);
    auto* graph = Get<LMyFFTDrawHpLp6dB>(QStringLiteral("fftDraw") + s);
    auto* button = Get<sk::TSkBmpButton>(BandButtonName(k, c));
    auto* label = Get<fw::TControl>(QStringLiteral("lbFftParam") + s);
    if (!graph || !button || !label || k < 0 || k >= BandCount(c))
        return;
    const double f = peq->GetFreqValue(k);
    const double g = peq->GetGainValue(k);
    double q = peq->GetQValue(k);
    const int t = peq->GetTypeValue(k);
    const bool bypass = peq->GetBypassValue(k);
    if (t < 0 || t >= PeqTypeCount)
        return;

    // Q rules of the type; a set Q runs this handler again, which completes the update first.
    const int storedType = FUnit->GetPeq(c, k).type;
    if (t == PeqTypePeak || t == PeqTypeAllpass1 || t == PeqTypeAllpass2) {
        if (storedType != t) {
            const int qi = std::min<int>(FUnit->GetDefaultPeq(c, k).q, QIndexMax);
            if (QTable[std::size_t(qi)] != q) {
                q = QTable[std::size_t(qi)];
                peq->SetQValue(k, qi);
            }
        }
    } else if (storedType == t) {
        if (q > PeqQCeiling) {
            q = PeqQCeiling;
            peq->SetQValue(k, QToIndex(PeqQCeiling));
        }
    } else if (q != PeqFixedQ) {
        q = PeqFixedQ;
        peq->SetQValue(k, QToIndex(PeqFixedQ));
    }

    const PeqBand band{int16_t(GainToIndex(g)), int16_t(FreqToIndex(f)), uint8_t(QToIndex(q)), uint8_t(t)};
    if (FUpdating)
        return;
    button->SetDown(true);
    peq->SetNowIndex(k);
    Plot& plot = *FPlots[std::size_t(c)];
    plot.Section(k).SetFilterSection(bypass ? 0.0 : g, f, q,
                                     bypass ? FilterCodeBypass : PeqTypeCodes[std::size_t(t)]);
    plot.DrawBandMarker(k, float(g), 1);
    plot.ShowBandDetail(t, k, float(g), float(q), true);
    plot.DrawTotalCurve(c);
    graph->UpdateCurvePage();
    FUnit->SetPeq(c, k, band, bypass ? 1 : 0);
    ShowPeqParams(c, true, q, g, f);
}

// The band's values on the panel, its marker, detail and the total curve.
void TfmMain::ShowBandOnGraph(int ch, int band, bool focus, bool pressButton)
{
    const QString s = ChannelTitle(ch);
    auto* peq = Get<eq::TMyPEQType8>(QStringLiteral("peqPeq") + s);
    auto* label = Get<fw::TControl>(QStringLiteral("lbFftParam") + s);
    if (!peq || !label || band < 0 || band >= BandCount(ch))
        return;
    const double f = peq->GetFreqValue(band), g = peq->GetGainValue(band), q = peq->GetQValue(band);
    const int t = peq->GetTypeValue(band);
    if (pressButton)
        if (auto* b = Get<sk::TSkBmpButton>(BandButtonName(band, ch)))
            b->SetDown(true);
    peq->SetNowIndex(band);
    ShowPeqParams(ch, true, q, g, f);
    Plot& plot = *FPlots[std::size_t(ch)];
    plot.DrawBandMarker(band, float(g), 1);
    plot.ShowBandDetail(t, band, float(g), float(q), true);
    plot.DrawTotalCurve(ch);
    if (auto* graph = Get<LMyFFTDrawHpLp6dB>(QStringLiteral("fftDraw") + s))
        graph->UpdateCurvePage();
    label->SetVisible(true);
    if (focus)
        FocusEqFreqEdit(ch);
}

void TfmMain::rzbEq1InAClick(fw::TControl* Sender)
{
    auto* b = dynamic_cast<sk::TSkBmpButton*>(Sender);
    if (!b || !ValidChannel(b->GroupIndex() - 1))
        return;
    ShowBandOnGraph(b->GroupIndex() - 1, int(b->Tag()), true, false);
}

void TfmMain::peqPeqInAEditMouseDown(fw::TControl* Sender)
{
    auto* peq = dynamic_cast<eq::TMyPEQType8*>(Sender);
    if (!peq || !ValidChannel(peq->Tag()))
        return;
    ShowBandOnGraph(int(peq->Tag()), peq->GetNowIndex(), false, true);
}

void TfmMain::FocusEqFreqEdit(int ch)
{
    if (auto* e = Get<fx::TRoundEdit>(QStringLiteral("cvdEqFreq") + ChannelTitle(ch)))
        if (e->isVisible())
            e->SetFocus();
}

void TfmMain::isEqFreqInAChange(fw::TControl* Sender)
{
    auto* fader = dynamic_cast<fx::TCustomTrackBar*>(Sender);
    if (FUpdating || !fader || !ValidChannel(fader->Tag()))
        return;
    const int ch = int(fader->Tag());
    auto* edit = Get<fx::TRoundEdit>(QStringLiteral("cvdEqFreq") + ChannelTitle(ch));
    if (!edit || !Get<eq::TMyPEQType8>(QStringLiteral("peqPeq") + ChannelTitle(ch)))
        return;
    const float f = float(IndexToFreq(fader->Position()));
    edit->SetText(EditFreqText(f));
    tmEqCurve.SetEnabled(true);
    FPendingEq = {0, ch, f};
}

void TfmMain::isEqBwInAChange(fw::TControl* Sender)
{
    auto* fader = dynamic_cast<fx::TCustomTrackBar*>(Sender);
    if (FUpdating || !fader || !ValidChannel(fader->Tag()))
        return;
    const int ch = int(fader->Tag());
    auto* edit = Get<fx::TRoundEdit>(QStringLiteral("cvdEqBw") + ChannelTitle(ch));
    auto* peq = Get<eq::TMyPEQType8>(QStringLiteral("peqPeq") + ChannelTitle(ch));
    if (!edit || !peq)
        return;
    const int t = peq->GetTypeValue(peq->GetNowIndex());
    const int ceiling = QToIndex(PeqQCeiling);
    if (t != PeqTypePeak && t != PeqTypeAllpass1 && t != PeqTypeAllpass2 && fader->Position() > ceiling)
        fader->SetPosition(ceiling);
    // The position as it stands after a pull to the ceiling (the nested change already ran).
    const int p = fader->Position();
    edit->SetText(EqQText(p));
    tmEqCurve.SetEnabled(true);
    FPendingEq = {1, ch, double(p)};
}

void TfmMain::isEqGainInAChange(fw::TControl* Sender)
{
    auto* fader = dynamic_cast<fx::TCustomTrackBar*>(Sender);
    if (FUpdating || !fader || !ValidChannel(fader->Tag()))
        return;
    const int ch = int(fader->Tag());
    auto* edit = Get<fx::TRoundEdit>(QStringLiteral("cvdEqGain") + ChannelTitle(ch));
    if (!edit || !Get<eq::TMyPEQType8>(QStringLiteral("peqPeq") + ChannelTitle(ch)))
        return;
    const int p = fader->Position();
    edit->SetText(EqGainText(p));
    tmEqCurve.SetEnabled(true);
    FPendingEq = {2, ch, (p - GainIndexZero) * 0.1};
}

void TfmMain::tmEqCurveTimer()
{
    tmEqCurve.SetEnabled(false);
    auto* peq = Get<eq::TMyPEQType8>(QStringLiteral("peqPeq") + ChannelTitle(FPendingEq.channel));
    if (!peq)
        return;
    const int k = peq->GetNowIndex();
    if (FPendingEq.kind == 0)
        peq->SetFreqValue(k, float(FPendingEq.value));
    else if (FPendingEq.kind == 1)
        peq->SetQValue(k, FPendingEq.value);
    else
        peq->SetGainValue(k, FPendingEq.value);
}

void TfmMain::cvdEqFreqInAKeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState)
{
    if (!Sender || !ValidChannel(Sender->Tag()))
        return;
    const QString s = ChannelTitle(int(Sender->Tag()));
    auto* freq = Get<fx::TCustomTrackBar>(QStringLiteral("isEqFreq") + s);
    auto* bw = Get<fx::TCustomTrackBar>(QStringLiteral("isEqBw") + s);
    auto* gain = Get<fx::TCustomTrackBar>(QStringLiteral("isEqGain") + s);
    if (!freq || !bw || !gain || !Get<eq::TMyPEQType8>(QStringLiteral("peqPeq") + s) ||
        !Get<fw::TControl>(QStringLiteral("lbFftParam") + s))
        return;
    // A step key moves its fader and goes no further: the edit neither types it nor moves its caret.
    auto step = [&Key](fx::TCustomTrackBar* f, int d) {
        f->SetPosition(f->Position() + d);
        Key = 0;
    };
    switch (Key) {
    case fw::VK_LEFT:
        step(freq, -1);
        break;
    case fw::VK_RIGHT:
        step(freq, +1);
        break;
    case fw::VK_ADD:
    case fw::VK_OEM_PLUS:
        step(bw, +1);
        break;
    case fw::VK_SUBTRACT:
    case fw::VK_OEM_MINUS:
        step(bw, -1);
        break;
    case fw::VK_UP:
        step(gain, +1);
        break;
    case fw::VK_DOWN:
        step(gain, -1);
        break;
    default:
        break;
    }
}

namespace
{
// The PEQ panel of a channel: the three faders and their edits.
struct PeqPanel {
    fx::TCustomTrackBar *freq = nullptr, *q = nullptr, *gain = nullptr;
    fx::TRoundEdit *freqEdit = nullptr, *qEdit = nullptr, *gainEdit = nullptr;
    bool Complete() const { return freq && q && gain && freqEdit && qEdit && gainEdit; }
};

PeqPanel FindPeqPanel(TfmMain& w, int ch)
{
    const QString s = ChannelTitle(ch);
    return {w.Get<fx::TCustomTrackBar>(QStringLiteral("isEqFreq") + s),
            w.Get<fx::TCustomTrackBar>(QStringLiteral("isEqBw") + s),
            w.Get<fx::TCustomTrackBar>(QStringLiteral("isEqGain") + s),
            w.Get<fx::TRoundEdit>(QStringLiteral("cvdEqFreq") + s),
            w.Get<fx::TRoundEdit>(QStringLiteral("cvdEqBw") + s),
            w.Get<fx::TRoundEdit>(QStringLiteral("cvdEqGain") + s)};
}
} // namespace

void TfmMain::ShowPeqPanelTexts(int ch)
{
    if (!ValidChannel(ch))
        return;
    const PeqPanel p = FindPeqPanel(*this, ch);
    if (!p.Complete())
        return;
    p.freqEdit->SetText(EditFreqText(float(IndexToFreq(p.freq->Position()))));
    p.qEdit->SetText(EqQText(p.q->Position()));
    p.gainEdit->SetText(EqGainText(p.gain->Position()));
}

void TfmMain::ShowPeqParams(int ch, bool enabled, double q, double gain, double freq)
{
    if (FUpdating || !ValidChannel(ch))
        return;
    const PeqPanel p = FindPeqPanel(*this, ch);
    if (!p.Complete())
        return;
    FlagScope quiet(FUpdating);
    p.freq->SetPosition(FreqToIndex(freq));
    p.freq->SetEnabled(enabled);
    p.freqEdit->SetText(EditFreqText(float(freq)));
    p.gain->SetPosition(GainToIndex(gain));
    p.gain->SetEnabled(enabled);
    p.gainEdit->SetText(EqGainText(p.gain->Position()));
    p.q->SetPosition(QToIndex(q));
    p.q->SetEnabled(enabled);
    p.qEdit->SetText(EqQText(p.q->Position()));
}

void TfmMain::DeselectPeqBands()
{
    for (int ch = 0; ch < 9; ++ch) {
        const QString s = ChannelTitle(ch);
        auto* peq = Get<eq::TMyPEQType8>(QStringLiteral("peqPeq") + s);
        if (!peq)
            return;
        const int k = peq->GetNowIndex() == 15 ? 0 : peq->GetNowIndex();
        auto* button = Get<sk::TSkBmpButton>(BandButtonName(k, ch));
        if (!button)
            return;
        button->SetDown(false);
        ShowPeqParams(ch, false, 0.4, 0, 19.7);
        peq->SetNowIndex(15);
        peq->SetNowIndex(-1);
        Plot& plot = *FPlots[std::size_t(ch)];
        plot.ShowBandDetail(0, 0, 0, 0, false);
        plot.DrawTotalCurve(ch);
        if (auto* graph = Get<LMyFFTDrawHpLp6dB>(QStringLiteral("fftDraw") + s))
            graph->UpdateCurvePage();
    }
}

void TfmMain::SelectFirstPeqBands()
{
    for (int ch = 0; ch < 9; ++ch) {
        const QString s = ChannelTitle(ch);
        auto* peq = Get<eq::TMyPEQType8>(QStringLiteral("peqPeq") + s);
        if (!peq)
            continue;
        if (auto* b = Get<sk::TSkBmpButton>(BandButtonName(0, ch)))
            b->SetDown(true);
        const double f = peq->GetFreqValue(0), g = peq->GetGainValue(0), q = peq->GetQValue(0);
        peq->SetNowIndex(0);
        ShowPeqParams(ch, true, q, g, f);
        Plot& plot = *FPlots[std::size_t(ch)];
        plot.DrawBandMarker(0, float(g), 1);
        plot.ShowBandDetail(peq->GetTypeValue(0), 0, float(g), float(q), true);
        plot.DrawTotalCurve(ch);
        if (auto* graph = Get<LMyFFTDrawHpLp6dB>(QStringLiteral("fftDraw") + s))
            graph->UpdateCurvePage();
    }
}

void TfmMain::DrawPeqCurve(int ch)
{
    auto* peq = Get<eq::TMyPEQType8>(QStringLiteral("peqPeq") + ChannelTitle(ch));
    if (!peq || !ValidChannel(ch))
        return;
    Plot& plot = *FPlots[std::size_t(ch)];
    for (int r = 0; r < peq->ChannelNumber(); ++r) {
        const bool bypass = peq->GetBypassValue(r);
        const double g = peq->GetGainValue(r);
        const int t = std::clamp(peq->GetTypeValue(r), 0, PeqTypeCount - 1);
        plot.Section(r).SetFilterSection(bypass ? 0.0 : g, peq->GetFreqValue(r), peq->GetQValue(r),
                                         bypass ? FilterCodeBypass : PeqTypeCodes[std::size_t(t)]);
        plot.DrawBandMarker(r, float(g), 1);
    }
    plot.DrawTotalCurve(ch);
}

void TfmMain::vrbEqResetInAClick(fw::TControl* Sender)
{
    if (!Sender || !ValidChannel(Sender->Tag()) || !FDialogs)
        return;
    FDialogs->fmPeqRst->SetTarget(int(Sender->Tag()));
    FDialogs->fmPeqRst->ShowModal();
}

void TfmMain::ResetPeqBands(int channel)
{
    auto* peq = Get<eq::TMyPEQType8>(QStringLiteral("peqPeq") + ChannelTitle(channel));
    if (!ValidChannel(channel) || !FUnit || !peq)
        return;
    Plot& plot = *FPlots[std::size_t(channel)];
    peq->SetNowIndex(0);
    for (int b = BandCount(channel) - 1; b >= 0; --b) {
        const PeqBand band = FUnit->GetDefaultPeq(channel, b);
        SendCommand(CM_MCS_PEQ(uint8_t(FDeviceId), channel, b, band, 0), true);
        const double hz = IndexToFreq(band.freq), gain = IndexToGain(band.gain);
        const int qi = std::min<int>(band.q, QIndexMax), type = std::min<int>(band.type, PeqTypeCount - 1);
        peq->SetNowIndex(b);
        peq->SetEqParamValue(b, hz, qi, gain, type, false);
        plot.Section(b).SetFilterSection(gain, hz, QTable[std::size_t(qi)], PeqTypeCodes[std::size_t(type)]);
        plot.DrawBandMarker(b, float(gain), 1);
    }
}

int TfmMain::GetLinkGroup(int ch) const
{
    if (!FUnit || !ValidChannel(ch))
        return 0;
    const bool input = ch < 3;
    const int bit = 1 << (input ? ch : ch - 3);
    if (FUnit->GetLink(ch) & bit)
        return FUnit->GetLink(ch);
    for (int c = input ? 0 : 3; c < ch; ++c)
        if (FUnit->GetLink(c) & bit)
            return FUnit->GetLink(c);
    // In no group: the channel alone.
    return bit;
}

void TfmMain::vrbEqBypassInAClick(fw::TControl* Sender)
{
    if (!Sender || !ValidChannel(Sender->Tag()) || !FUnit)
        return;
    const int c = int(Sender->Tag());
    auto* graph = Get<LMyFFTDrawHpLp6dB>(QStringLiteral("fftDraw") + ChannelTitle(c));
    if (!graph)
        return;
    uint16_t mask = FUnit->GetEqBypassMask(c);
    const int bit = 1 << (c < 3 ? c : c - 3);
    const int group = GetLinkGroup(c);
    const int count = c < 3 ? 3 : 6;
    const bool wasOn = mask & bit;
    for (int i = 0; i < count; ++i)
        if (group & (1 << i))
            mask = wasOn ? uint16_t(mask & ~(1u << i)) : uint16_t(mask | (1u << i));
    // The mark goes on the clicked channel's graph only.
    graph->DrawTextA(graph->Width() / 3, graph->Height() / 4, 60, fw::clBtnFace,
                     QStringLiteral("Times New Roman"), wasOn ? QString() : QStringLiteral("BYPASS"));
    FUnit->SetEqBypassMask(c, mask);
    graph->UpdateCurvePage();
    SendCommand(CM_MCS_CMD(uint8_t(FDeviceId), 60, c, wasOn ? 0 : 1), false);
}

void TfmMain::ViewSwitch(fw::TControl* Sender, bool phase)
{
    if (!Sender || !ValidChannel(Sender->Tag()))
        return;
    const int c = int(Sender->Tag());
    Plot& plot = *FPlots[std::size_t(c)];
    if (plot.GetPhaseMode() == phase)
        return;
    const QString s = ChannelTitle(c);
    auto* graph = Get<LMyFFTDrawHpLp6dB>(QStringLiteral("fftDraw") + s);
    auto* gainRadio = Get<fw::TControl>(QStringLiteral("rbShowGain") + s);
    auto* phaseRadio = Get<fw::TControl>(QStringLiteral("rbShowPhase") + s);
    if (!graph || !gainRadio || !phaseRadio)
        return;
    plot.SetPhaseMode(phase);
    (phase ? phaseRadio : gainRadio)->Font().SetColor(fw::RGB(255, 255, 0));
    (phase ? gainRadio : phaseRadio)->Font().SetColor(fw::RGB(192, 192, 192));
    // A switch from code moves the mark as a click does (the click's handler finds the mode set).
    if (auto* r = dynamic_cast<TRadioButton*>(phase ? phaseRadio : gainRadio))
        r->SetChecked(true);
    DrawPeqCurve(c);
    DrawHighPassCurve(c);
    DrawLowPassCurve(c);
    graph->SetNumHorzGrid(phase ? 7 : 11);
    graph->SetYLabel(phase ? QString() : QStringLiteral("dB"));
    graph->SetYLabelScale(phase ? 10 : 1);
    graph->SetYMax(18);
    graph->SetYMin(-18);
    if (auto* peq = Get<eq::TMyPEQType8>(QStringLiteral("peqPeq") + s)) {
        const int k = peq->GetNowIndex();
        if (k >= 0 && k < peq->ChannelNumber())
            plot.ShowBandDetail(peq->GetTypeValue(k), k, float(peq->GetGainValue(k)),
                                float(peq->GetQValue(k)), true);
    }
    graph->UpdateCurvePage();
    if (auto* box = Get<QWidget>(QStringLiteral("rzgFft") + s))
        box->update();
    MarkChannelCurvesDirty(c);
    RefreshChannelOverlays(c);
}

void TfmMain::rbShowGainInAClick(fw::TControl* Sender)
{
    ViewSwitch(Sender, false);
}

void TfmMain::rbShowPhaseInAClick(fw::TControl* Sender)
{
    ViewSwitch(Sender, true);
}

} // namespace app
