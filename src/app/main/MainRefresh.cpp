// TfmMain: the full refresh of every control from the model, in its fixed order, with the refresh flag
// set while the controls are written (so that nothing is sent) and cleared on every way out.
#include "app/main/FlagScope.h"
#include "app/main/TfmMain.h"
#include "app/pages/DelayPage.h"
#include "app/pages/PeqPage.h"

#include "app/dialogs/SmallDialogs.h"
#include "app/main/MainLayout.h"
#include "app/main/ResizeRules.h"
#include "app/main/StdControls.h"
#include "app/main/TransferChartControl.h"
#include "base/CodePage.h"
#include "base/ValueScales.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/panels/SkComboBox.h"
#include "controls/smooth/RoundEdit.h"
#include "controls/smooth/TrackBar.h"
#include "curves/CurveColours.h"
#include "curves/Plot.h"
#include "graph/LMyFFTDrawHpLp6dB.h"
#include "model/LUnitControl.h"
#include "pages/DynamicsRules.h"
#include "pages/PageRules.h"
#include "proto/LCmd.h"

#include <QPainter>
#include <cmath>
#include <cstdio>

namespace app
{

namespace
{

QString PrintfInt(const char* format, int v)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, v);
    return QString::fromLatin1(buffer);
}

// Text of a fixed-width 8-bit field: up to its first NUL, at most `width` bytes.
template <std::size_t N> QString FieldText(std::span<const uint8_t, N> field, std::size_t width)
{
    std::string bytes;
    for (std::size_t i = 0; i < std::min(width, N) && field[i] != 0; ++i)
        bytes.push_back(char(field[i]));
    return QString::fromStdString(CodePageToUtf8(bytes, CurrentCodePage()));
}

} // namespace

void TfmMain::ShowAllParams(LUnitControl* unit)
{
    if (!unit)
        return;
    FPeqPage->DeselectPeqBands();
    {
        FlagScope scope(FUpdating); // put back however the refresh ends
        if (auto* l = Get<fw::TControl>(QStringLiteral("lbPstNum")))
            l->SetCaption(FPresetNumber >= 1 ? PrintfInt("U%02d", FPresetNumber)
                                             : PrintfInt("F%02d", FPresetNumber));
        if (auto* l = Get<fw::TControl>(QStringLiteral("lbPstName")))
            l->SetCaption(FieldText(unit->GetPresetName(), 14));
        for (int g = 0; g < 11; ++g)
            FCurveDirty[std::size_t(g)] = g < 3 ? 0x0F : g < 9 ? 0xFF : 0xFFF;
        FPeqPage->RefreshGainPageOverlays();
        for (int ch = 0; ch < 3; ++ch)
            ShowInput(ch);
        for (int ch = 3; ch < 9; ++ch)
            ShowOutput(ch);
        if (!FCreating) {
            DrawCompCurve(3);
            DrawLimitCurve(3);
        }
        FDelayPage->ShowDelayUnit(unit->GetDelayUnit());
        if (FDialogs) {
            TfmTest& t = *FDialogs->fmTest;
            TRadioButton* radios[4] = {t.rbAnalogIn, t.rbPinkNoise, t.rbWhiteNoise, t.rbSineWave};
            const int mode = unit->GetWorkMode();
            if (mode < 4)
                radios[mode]->SetChecked(true);
            t.cbSineFreq->SetItemIndex(unit->GetSineFreq());
        }
        if (auto* pb = Get<QWidget>(QStringLiteral("pbMatrix")))
            pb->update();
        if (FDialogs)
            FDelayPage->PlaceDelayMarkers();
        ShowLinkState();
    }
    for (int ch = 0; ch < 9; ++ch)
        FPeqPage->DrawChannelCurve(ch);
    for (int i = 0; i < 3; ++i)
        DrawGeqCurve(i);
    FPeqPage->SelectFirstPeqBands();
    if (FCurrentPage == kPageGain)
        FPeqPage->RefreshGainPageOverlays();
    else
        FPeqPage->RefreshChannelOverlays(FCurrentPage);
}

void TfmMain::ShowGainStrip(int ch)
{
    const QString s = ChannelTitle(ch);
    auto* gain = Get<fx::TCustomTrackBar>(QStringLiteral("isGain") + s);
    auto* copy = Get<fx::TCustomTrackBar>(QStringLiteral("isGainBackup") + s);
    if (gain)
        gain->SetPosition(int(FUnit->GetGain(ch)) + gain->Min());
    if (copy && gain)
        copy->SetPosition(gain->Position());
    const QString text = QString::fromStdString(FormatGainText(copy   ? copy->Position()
                                                               : gain ? gain->Position()
                                                                      : 0));
    for (const QString& n : {QStringLiteral("cvdGain") + s, QStringLiteral("cvdGainBackup") + s})
        if (auto* e = Get<fx::TRoundEdit>(n))
            e->SetText(text);
    auto* phase = Get<sk::TSkBmpButton>(QStringLiteral("rzbPhase") + s);
    auto* phaseCopy = Get<sk::TSkBmpButton>(QStringLiteral("rzbPhaseBackup") + s);
    if (phase) {
        phase->SetDown(FUnit->GetPolarity(ch));
        const QString cap =
            LookupText(phase->Down() ? QStringLiteral("SID_PHASE_ON") : QStringLiteral("SID_PHASE_OFF"));
        phase->SetCaption(cap);
        if (phaseCopy) {
            phaseCopy->SetDown(phase->Down());
            phaseCopy->SetCaption(cap);
        }
    }
    FDelayPage->ShowChannelDelay(ch);
    auto* mute = Get<sk::TSkBmpButton>(QStringLiteral("rzbMute") + s);
    if (mute) {
        mute->SetDown(FUnit->GetMute(ch));
        if (auto* m = Get<sk::TSkBmpButton>(QStringLiteral("rzbMuteBackup") + s))
            m->SetDown(mute->Down());
    }
    MarkChannelCurvesDirty(ch);
}

// A channel's name from the device, decoded in the current code page.
void TfmMain::ShowChannelName(int ch)
{
    const QString name = FieldText(FUnit->GetChannelName(ch), 8);
    const QString label =
        (ch < 3 ? QStringLiteral("lbMatrixChNameIn") : QStringLiteral("lbMatrixChNameOut")) +
        ChannelSuffix(ch);
    if (auto* l = Get<fw::TControl>(label))
        l->SetCaption(name);
    if (auto* b = Get<fw::TControl>(QStringLiteral("rzbMenu") + ChannelTitle(ch)))
        b->SetHint(name);
}

void TfmMain::ShowNames()
{
    if (auto* l = Get<fw::TControl>(QStringLiteral("lbPstName")))
        l->SetCaption(FieldText(FUnit->GetPresetName(), 14));
    for (int ch = 0; ch < 9; ++ch)
        ShowChannelName(ch);
}

void TfmMain::ShowInput(int ch)
{
    const QString s = ChannelTitle(ch);
    ShowChannelName(ch);
    for (int band = 0; band < 31; ++band) {
        const QString nn = QStringLiteral("%1In").arg(band + 1, 2, 10, QChar(u'0')) + ChannelSuffix(ch);
        auto* f = Get<fx::TCustomTrackBar>(QStringLiteral("isGeqCh") + nn);
        if (!f)
            continue;
        f->SetPosition(FUnit->GetGeq(ch, band));
        if (auto* l = Get<fw::TControl>(QStringLiteral("lbGeqGainCh") + nn))
            l->SetCaption(GeqGainText(f->Position()));
    }
    FPeqPage->ShowChannelPeq(ch);
    const GateParam gate = FUnit->GetGate(ch);
    struct Row {
        const char* name;
        int value;
    };
    for (const Row& r : {Row{"Threshold", gate.threshold - 180}, Row{"Attack", gate.attack},
                         Row{"Release", gate.release}, Row{"Hold", gate.hold}}) {
        auto* f = Get<fx::TCustomTrackBar>(QStringLiteral("isGate") + QString::fromLatin1(r.name) + s);
        if (!f)
            continue;
        f->SetPosition(r.value);
        const bool threshold = r.name[0] == 'T';
        if (auto* e = Get<fx::TRoundEdit>(QStringLiteral("cvdGate") + QString::fromLatin1(r.name) + s))
            e->SetText(threshold ? ThresholdText(f->Position()) : PrintfInt("%dms", f->Position() + 1));
    }
    if (ch == 0 && !FCreating) {
        if (auto* f = Get<fx::TCustomTrackBar>(QStringLiteral("isGateThresholdInA"))) {
            const double t = f->Position() * 0.5;
            SetChartPoints(Get<fw::TControl>(QStringLiteral("ipGate")), {{20, 20}, {t, t}, {t, -100}},
                           {t + 0.2, t - 0.4});
        }
        if (auto* l = Get<fw::TControl>(QStringLiteral("lbGateName")))
            l->SetCaption(QStringLiteral("In A  ") + LookupText(QStringLiteral("SID_GATE")));
    }
    const XoverParam x = FUnit->GetXover(ch);
    FPeqPage->ShowCut(ch, true, x.hpFreq, x.hpSlope);
    FPeqPage->ShowCut(ch, false, x.lpFreq, x.lpSlope);
    ShowGainStrip(ch);
    FPeqPage->ShowPeqBypassMark(ch);
    if (auto* g = Get<graph::LMyFFTDrawHpLp6dB>(QStringLiteral("fftDrawGeq") + s)) {
        const bool on = FUnit->GetGeqBypassMask() & (1u << ch);
        g->DrawTextA(g->Width() / 3, g->Height() / 4, 60, fw::clBtnFace, QStringLiteral("Times New Roman"),
                     on ? QStringLiteral("BYPASS") : QString());
        g->update();
    }
}

void TfmMain::ShowOutput(int ch)
{
    const QString s = ChannelTitle(ch), digit = ChannelSuffix(ch);
    ShowChannelName(ch);
    const int route = FUnit->GetMatrix(ch);
    for (int i = 0; i < 3; ++i) {
        const QString x = ChannelSuffix(i);
        if (auto* b = Get<sk::TSkBmpButton>(QStringLiteral("rzb") + x + QStringLiteral("MatrixOut") + digit))
            b->SetDown(route & (1 << i));
        if (auto* u = Get<TUpDown>(QStringLiteral("udMixGain") + x + QStringLiteral("Out") + digit)) {
            u->SetPosition(int(FUnit->GetMix(ch, i)) + u->Min);
            if (auto* e =
                    Get<fx::TRoundEdit>(QStringLiteral("cvd") + x + QStringLiteral("MatrixOut") + digit))
                e->SetText(QString::fromStdString(FormatGainText(u->Position())));
        }
    }
    const XoverParam x = FUnit->GetXover(ch);
    FPeqPage->ShowCut(ch, true, x.hpFreq, x.hpSlope);
    FPeqPage->ShowCut(ch, false, x.lpFreq, x.lpSlope);
    FPeqPage->ShowChannelPeq(ch);
    struct Dyn {
        const char* kind;
        int threshold, attack, release, knee, ratio;
    };
    const CompParam c = FUnit->GetComp(ch);
    const LimitParam l = FUnit->GetLimit(ch);
    for (const Dyn& d : {Dyn{"Comp", c.threshold - 180, c.attack, c.release, c.knee, c.ratio},
                         Dyn{"Limit", l.threshold - 180, l.attack, l.release, l.knee, -1}}) {
        const QString k = QString::fromLatin1(d.kind);
        auto fader = [&](const char* p, int v, bool threshold) {
            auto* f = Get<fx::TCustomTrackBar>(QStringLiteral("is") + k + QString::fromLatin1(p) + s);
            if (!f)
                return;
            f->SetPosition(v);
            if (auto* e = Get<fx::TRoundEdit>(QStringLiteral("cvd") + k + QString::fromLatin1(p) + s))
                e->SetText(threshold ? ThresholdText(f->Position()) : PrintfInt("%3dms", f->Position() + 1));
        };
        fader("Threshold", d.threshold, true);
        if (d.ratio >= 0)
            if (auto* u = Get<TUpDown>(QStringLiteral("udCompRatio") + s)) {
                u->SetPosition(d.ratio);
                if (auto* e = Get<fx::TRoundEdit>(QStringLiteral("cvdCompRatio") + s))
                    e->SetText(RatioText(u->Position()));
            }
        fader("Attack", d.attack, false);
        fader("Release", d.release, false);
        if (auto* u = Get<TUpDown>(QStringLiteral("ud") + k + QStringLiteral("Knee") + s)) {
            u->SetPosition(d.knee);
            if (auto* e = Get<fx::TRoundEdit>(QStringLiteral("cvd") + k + QStringLiteral("Knee") + s))
                e->SetText(PrintfInt("%ddB", u->Position()));
        }
    }
    ShowGainStrip(ch);
    FPeqPage->ShowPeqBypassMark(ch);
}

void TfmMain::MarkChannelCurvesDirty(int ch)
{
    if (ch < 3) {
        for (int g = 0; g < 3; ++g)
            FCurveDirty[std::size_t(g)] |= 1u << ch;
        FCurveDirty[9] |= 1u << ch;
    } else {
        for (int g = 3; g < 9; ++g)
            FCurveDirty[std::size_t(g)] |= 1u << ch;
        FCurveDirty[10] |= 1u << ch;
    }
}

} // namespace app

namespace app
{

void TfmMain::SelectTestSignal(int mode, int sineIndex)
{
    if (FUnit)
        FUnit->SetWorkMode(uint16_t(mode), uint16_t(std::max(0, sineIndex)));
    SendCommand(CM_MCS_WORK_MODE(uint8_t(FDeviceId), mode, sineIndex), true);
}

} // namespace app
