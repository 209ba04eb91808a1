// TfmMain: the full refresh of every control from the model, in its fixed order, with the refresh flag
// set while the controls are written (so that nothing is sent) and cleared on every way out.
#include "app/main/TfmMain.h"
#include "base/FlagScope.h"

#include "app/dialogs/SmallDialogs.h"
#include "app/main/DynamicsRules.h"
#include "app/main/MainLayout.h"
#include "app/main/PageRules.h"
#include "app/main/ResizeRules.h"
#include "app/main/StdControls.h"
#include "app/main/TransferChartControl.h"
#include "base/CodePage.h"
#include "base/ValueScales.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/panels/SkComboBox.h"
#include "controls/smooth/RoundEdit.h"
#include "controls/smooth/TrackBar.h"
#include "curves/Crossover.h"
#include "curves/CurveColours.h"
#include "curves/Plot.h"
#include "eq/TMyPEQType8.h"
#include "graph/LMyFFTDrawHpLp6dB.h"
#include "model/LUnitControl.h"
#include "proto/LCmd.h"

#include <QPainter>
#include <cmath>
#include <cstdio>

namespace app
{

namespace
{

QString Printf(const char* format, double v)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, v);
    return QString::fromLatin1(buffer);
}

QString PrintfInt(const char* format, int v)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, v);
    return QString::fromLatin1(buffer);
}

// Text of a fixed-width 8-bit field: up to its first NUL, at most `width` bytes.
template <std::size_t N> QString FieldText(std::span<const uint8_t, N> field, std::size_t width)
{
    return QString::fromStdString(FieldToUtf8(field.first(std::min(width, N)), CurrentCodePage()));
}

} // namespace

QString CutFrequencyText(int position)
{
    const double f = IndexToFreq(position);
    return f >= 1000 ? Printf("%4.2f", f / 1000) + QStringLiteral("KHz")
                     : Printf("%4.1f", f) + QStringLiteral("Hz");
}

void TfmMain::ShowAllParams(LUnitControl* unit)
{
    if (!unit)
        return;
    DeselectPeqBands();
    {
        FlagScope scope(FUpdating); // put back however the refresh ends
        if (auto* l = Get<fw::TControl>(QStringLiteral("lbPstNum")))
            l->SetCaption(FPresetNumber >= 1 ? PrintfInt("U%02d", FPresetNumber)
                                             : PrintfInt("F%02d", FPresetNumber));
        if (auto* l = Get<fw::TControl>(QStringLiteral("lbPstName")))
            l->SetCaption(FieldText(unit->GetPresetName(), 14));
        for (int g = 0; g < 11; ++g)
            FCurveDirty[std::size_t(g)] = g < 3 ? 0x0F : g < 9 ? 0xFF : 0xFFF;
        RefreshGainPageOverlays();
        for (int ch = 0; ch < 3; ++ch)
            ShowInput(ch);
        for (int ch = 3; ch < 9; ++ch)
            ShowOutput(ch);
        if (!FCreating) {
            DrawCompCurve(3);
            DrawLimitCurve(3);
        }
        ShowDelayUnit(unit->GetDelayUnit());
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
            PlaceDelayMarkers();
        ShowLinkState();
    }
    for (int ch = 0; ch < 9; ++ch)
        DrawChannelCurve(ch);
    for (int i = 0; i < 3; ++i)
        DrawGeqCurve(i);
    SelectFirstPeqBands();
    if (FCurrentPage == kPageGain)
        RefreshGainPageOverlays();
    else
        RefreshChannelOverlays(FCurrentPage);
}

void TfmMain::ShowCut(int ch, const char* side, int freqIndex, int slope)
{
    const QString s = ChannelTitle(ch), n = QString::fromLatin1(side);
    auto* f = Get<fx::TCustomTrackBar>(QStringLiteral("is") + n + QStringLiteral("Freq") + s);
    if (f)
        f->SetPosition(freqIndex);
    if (auto* e = Get<fx::TRoundEdit>(QStringLiteral("cvd") + n + QStringLiteral("Freq") + s))
        e->SetText(CutFrequencyText(f ? f->Position() : freqIndex));
    auto* bypass = Get<sk::TSkBmpButton>(QStringLiteral("rzb") + n + QStringLiteral("Bypass") + s);
    if (slope >= 1) {
        if (auto* c = Get<sk::TSkComboBox>(QStringLiteral("rzc") + n + QStringLiteral("Slop") + s))
            c->SetItemIndex(slope - 1);
        if (bypass)
            bypass->SetDown(false);
    } else if (bypass) {
        bypass->SetDown(true);
    }
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
    auto* delay = Get<fx::TCustomTrackBar>(QStringLiteral("isDelay") + s);
    if (delay)
        delay->SetPosition(FUnit->GetDelay(ch));
    auto* marker = Get<fw::TControl>(QStringLiteral("imDelay") + s);
    auto* line = Get<fw::TControl>(QStringLiteral("lbDelayLine") + s);
    if (delay && marker && line)
        marker->SetLeft(DelayMarkerLeft(delay->Position(), line->Width(), delay->Max()));
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
    if (auto* peq = Get<eq::TMyPEQType8>(QStringLiteral("peqPeq") + s)) {
        peq->SetNowIndex(0);
        for (int b = 0; b < 8; ++b) {
            const PeqBand band = FUnit->GetPeq(ch, b);
            const float hz = float(1000.0 * std::pow(FreqStepRatio, band.freq - 170));
            peq->SetEqParamValue(b, hz, band.q, (band.gain - 120) * 0.1, band.type,
                                 FUnit->GetPeqBypass(ch, b));
        }
    }
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
    ShowCut(ch, "LowCut", x.hpFreq, x.hpSlope);
    ShowCut(ch, "HighCut", x.lpFreq, x.lpSlope);
    ShowGainStrip(ch);
    const bool bypass = FUnit->GetEqBypassMask(ch) & (1u << ch);
    for (const QString& n : {QStringLiteral("fftDraw") + s, QStringLiteral("fftDrawGeq") + s})
        if (auto* g = Get<graph::LMyFFTDrawHpLp6dB>(n)) {
            const bool geq = n.contains(u"Geq");
            const bool on = geq ? (FUnit->GetGeqBypassMask() & (1u << ch)) : bypass;
            g->DrawTextA(g->Width() / 3, g->Height() / 4, 60, fw::clBtnFace,
                         QStringLiteral("Times New Roman"), on ? QStringLiteral("BYPASS") : QString());
            if (geq)
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
    ShowCut(ch, "LowCut", x.hpFreq, x.hpSlope);
    ShowCut(ch, "HighCut", x.lpFreq, x.lpSlope);
    if (auto* peq = Get<eq::TMyPEQType8>(QStringLiteral("peqPeq") + s)) {
        peq->SetNowIndex(0);
        for (int b = 0; b < 9; ++b) {
            const PeqBand band = FUnit->GetPeq(ch, b);
            const float hz = float(1000.0 * std::pow(FreqStepRatio, band.freq - 170));
            peq->SetEqParamValue(b, hz, band.q, (band.gain - 120) * 0.1, band.type,
                                 FUnit->GetPeqBypass(ch, b));
        }
    }
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
    const bool bypass = FUnit->GetEqBypassMask(ch) & (1u << (ch - 3));
    if (auto* g = Get<graph::LMyFFTDrawHpLp6dB>(QStringLiteral("fftDraw") + s))
        g->DrawTextA(g->Width() / 3, g->Height() / 4, 60, fw::clBtnFace, QStringLiteral("Times New Roman"),
                     bypass ? QStringLiteral("BYPASS") : QString());
}

void TfmMain::ShowDelayUnit(int unit)
{
    for (int u = 0; u < 3; ++u)
        if (auto* b = Get<sk::TSkBmpButton>(QStringLiteral("rzbUnit%1").arg(u)))
            if (u == unit)
                b->SetDown(true);
    WriteDelayTexts(unit);
}

void TfmMain::WriteDelayTexts(int unit)
{
    for (int ch = 0; ch < 9; ++ch) {
        const QString s = ChannelTitle(ch);
        auto* f = Get<fx::TCustomTrackBar>(QStringLiteral("isDelay") + s);
        if (!f)
            continue;
        const QString text = DelayText(f->Position(), unit);
        if (auto* e = Get<fx::TRoundEdit>(QStringLiteral("cvdDelay") + s))
            e->SetText(text);
        if (auto* l = Get<fw::TControl>(QStringLiteral("lbFftDelayTime") + s))
            l->SetCaption(text);
    }
}

void TfmMain::PlaceDelayMarkers()
{
    for (int ch = 0; ch < 9; ++ch) {
        const QString s = ChannelTitle(ch);
        auto* f = Get<fx::TCustomTrackBar>(QStringLiteral("isDelay") + s);
        auto* im = Get<fw::TControl>(QStringLiteral("imDelay") + s);
        auto* line = Get<fw::TControl>(QStringLiteral("lbDelayLine") + s);
        auto* time = Get<fw::TControl>(QStringLiteral("lbFftDelayTime") + s);
        if (!f || !im || !line || !time)
            continue;
        im->SetLeft(DelayMarkerLeft(f->Position(), line->Width(), f->Max()));
        PlaceDelayMarker(ch);
    }
}

// The channel's bands, cuts and total curve on its graph.
void TfmMain::DrawChannelCurve(int ch)
{
    Plot& plot = *FPlots[std::size_t(ch)];
    const int bands = ch < 3 ? 8 : 9;
    for (int b = 0; b < bands; ++b) {
        const PeqBand band = FUnit->GetPeq(ch, b);
        const int type =
            FUnit->GetPeqBypass(ch, b) ? 10 : PeqTypeCodes[std::size_t(std::min<int>(band.type, 9))];
        plot.Section(b).SetFilterSection((band.gain - 120) * 0.1, IndexToFreq(band.freq),
                                         QTable[std::min<int>(band.q, 100)], type);
    }
    const XoverParam x = FUnit->GetXover(ch);
    ComputeHpLpCurve(plot, true, x.hpSlope, IndexToFreq(x.hpFreq), Plot::HighPassSection);
    ComputeHpLpCurve(plot, false, x.lpSlope, IndexToFreq(x.lpFreq), Plot::HighPassSection);
    plot.DrawTotalCurve(ch);
    for (int b = 0; b < bands; ++b)
        plot.DrawBandMarker(b, float((FUnit->GetPeq(ch, b).gain - 120) * 0.1), 1);
    if (auto* g = Get<graph::LMyFFTDrawHpLp6dB>(QStringLiteral("fftDraw") + ChannelTitle(ch)))
        g->UpdateCurvePage();
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
