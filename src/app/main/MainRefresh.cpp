// TfmMain: the full refresh of every control from the model, in its fixed order, with the refresh flag
// set while the controls are written (so that nothing is sent) and cleared on every way out.
#include "app/main/FlagScope.h"
#include "app/main/TfmMain.h"
#include "app/pages/DelayPage.h"
#include "app/pages/DynamicsPage.h"
#include "app/pages/StripPage.h"
#include "app/pages/GeqPage.h"
#include "app/pages/MatrixPage.h"

#include "app/dialogs/SmallDialogs.h"
#include "app/main/MainLayout.h"
#include "app/main/ResizeRules.h"
#include "app/main/StdControls.h"
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
#include "pages/PageRules.h"
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
    std::string bytes;
    for (std::size_t i = 0; i < std::min(width, N) && field[i] != 0; ++i)
        bytes.push_back(char(field[i]));
    return QString::fromStdString(CodePageToUtf8(bytes, CurrentCodePage()));
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
            FDynamicsPage->DrawCompCurve(3);
            FDynamicsPage->DrawLimitCurve(3);
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
        FMatrixPage->RepaintMatrixRoutes();
        if (FDialogs)
            FDelayPage->PlaceDelayMarkers();
        ShowLinkState();
    }
    for (int ch = 0; ch < 9; ++ch)
        DrawChannelCurve(ch);
    for (int i = 0; i < 3; ++i)
        FGeqPage->DrawGeqCurve(i);
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

void TfmMain::ShowNames()
{
    if (auto* l = Get<fw::TControl>(QStringLiteral("lbPstName")))
        l->SetCaption(FieldText(FUnit->GetPresetName(), 14));
    for (int ch = 0; ch < 9; ++ch)
        FMatrixPage->ShowChannelName(ch);
}

void TfmMain::ShowInput(int ch)
{
    const QString s = ChannelTitle(ch);
    FMatrixPage->ShowChannelName(ch);
    FGeqPage->ShowGeqBands(ch);
    if (auto* peq = Get<eq::TMyPEQType8>(QStringLiteral("peqPeq") + s)) {
        peq->SetNowIndex(0);
        for (int b = 0; b < 8; ++b) {
            const PeqBand band = FUnit->GetPeq(ch, b);
            const float hz = float(1000.0 * std::pow(FreqStepRatio, band.freq - 170));
            peq->SetEqParamValue(b, hz, band.q, (band.gain - 120) * 0.1, band.type,
                                 FUnit->GetPeqBypass(ch, b));
        }
    }
    FDynamicsPage->ShowChannelDynamics(ch);
    if (ch == 0 && !FCreating)
        FDynamicsPage->ShowGateCurveOfA();
    const XoverParam x = FUnit->GetXover(ch);
    ShowCut(ch, "LowCut", x.hpFreq, x.hpSlope);
    ShowCut(ch, "HighCut", x.lpFreq, x.lpSlope);
    FStripPage->ShowChannelStrip(ch);
    FDelayPage->ShowChannelDelay(ch);
    MarkChannelCurvesDirty(ch);
    const bool bypass = FUnit->GetEqBypassMask(ch) & (1u << ch);
    if (auto* g = Get<graph::LMyFFTDrawHpLp6dB>(QStringLiteral("fftDraw") + s))
        g->DrawTextA(g->Width() / 3, g->Height() / 4, 60, fw::clBtnFace, QStringLiteral("Times New Roman"),
                     bypass ? QStringLiteral("BYPASS") : QString());
    FGeqPage->ShowGeqBypass(ch);
}

void TfmMain::ShowOutput(int ch)
{
    const QString s = ChannelTitle(ch);
    FMatrixPage->ShowChannelName(ch);
    FMatrixPage->ShowOutputMix(ch);
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
    FDynamicsPage->ShowChannelDynamics(ch);
    FStripPage->ShowChannelStrip(ch);
    FDelayPage->ShowChannelDelay(ch);
    MarkChannelCurvesDirty(ch);
    const bool bypass = FUnit->GetEqBypassMask(ch) & (1u << (ch - 3));
    if (auto* g = Get<graph::LMyFFTDrawHpLp6dB>(QStringLiteral("fftDraw") + s))
        g->DrawTextA(g->Width() / 3, g->Height() / 4, 60, fw::clBtnFace, QStringLiteral("Times New Roman"),
                     bypass ? QStringLiteral("BYPASS") : QString());
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
