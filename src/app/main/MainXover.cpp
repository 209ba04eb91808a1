// The crossover cuts of the channel pages: the cut-frequency faders with their curve timer, the slope
// selectors and the bypass buttons.
#include "app/main/MainEditing.h"
#include "app/main/MainLayout.h"
#include "app/main/TfmMain.h"

#include "base/ValueScales.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/panels/SkComboBox.h"
#include "controls/smooth/RoundEdit.h"
#include "controls/smooth/TrackBar.h"
#include "curves/Crossover.h"
#include "curves/Plot.h"
#include "graph/LMyFFTDrawHpLp6dB.h"
#include "model/LUnitControl.h"

namespace app
{

using graph::LMyFFTDrawHpLp6dB;

namespace
{

// The controls of one cut of a channel.
struct CutControls {
    fx::TCustomTrackBar* fader = nullptr;
    sk::TSkComboBox* slope = nullptr;
    sk::TSkBmpButton* bypass = nullptr;
    fx::TRoundEdit* edit = nullptr;
};

CutControls FindCut(TfmMain& w, int ch, bool highPass)
{
    const QString s = ChannelTitle(ch);
    const QString n = highPass ? QStringLiteral("LowCut") : QStringLiteral("HighCut");
    return {w.Get<fx::TCustomTrackBar>(QStringLiteral("is") + n + QStringLiteral("Freq") + s),
            w.Get<sk::TSkComboBox>(QStringLiteral("rzc") + n + QStringLiteral("Slop") + s),
            w.Get<sk::TSkBmpButton>(QStringLiteral("rzb") + n + QStringLiteral("Bypass") + s),
            w.Get<fx::TRoundEdit>(QStringLiteral("cvd") + n + QStringLiteral("Freq") + s)};
}

// The cut as the model holds it, on the channel's plot, and the total curve.
void DrawCutFromModel(Plot& plot, const LUnitControl& unit, int ch, bool highPass)
{
    const XoverParam x = unit.GetXover(ch);
    const int index = highPass ? x.hpFreq : x.lpFreq;
    ComputeHpLpCurve(plot, highPass, highPass ? x.hpSlope : x.lpSlope, float(IndexToFreq(index)),
                     Plot::HighPassSection);
    plot.DrawTotalCurve(ch);
}

int SlopeCode(const CutControls& c)
{
    return c.bypass->Down() ? 0 : c.slope->ItemIndex() + 1;
}

} // namespace

void TfmMain::ConnectXoverHandlers()
{
    tmHpLpCurve.SetInterval(1);
    tmHpLpCurve.SetEnabled(false);
    tmHpLpCurve.OnTimer = [this](fw::TTimer*) { tmHpLpCurveTimer(); };
    for (int ch = 0; ch < 9; ++ch)
        for (bool hp : {true, false}) {
            const CutControls c = FindCut(*this, ch, hp);
            if (c.fader)
                c.fader->OnChange = [this, hp](fw::TControl* s) { CutFaderChange(s, hp); };
            if (c.slope) {
                c.slope->OnChange = [this, hp](fw::TControl* s) { CutSlopeChange(s, hp); };
                // The wheel never changes a slope.
                c.slope->OnMouseWheel = [](fw::TControl*, fw::TShiftState, int, fw::TPoint, bool& handled) {
                    handled = true;
                };
            }
            if (c.bypass)
                c.bypass->OnClick = [this, hp](fw::TControl* s) { CutSlopeChange(s, hp); };
        }
}

void TfmMain::isLowCutFreqInAChange(fw::TControl* Sender)
{
    CutFaderChange(Sender, true);
}

void TfmMain::isHighCutFreqInAChange(fw::TControl* Sender)
{
    CutFaderChange(Sender, false);
}

void TfmMain::rzcLowCutSlopInAChange(fw::TControl* Sender)
{
    CutSlopeChange(Sender, true);
}

void TfmMain::rzcHighCutSlopInAChange(fw::TControl* Sender)
{
    CutSlopeChange(Sender, false);
}

void TfmMain::CutFaderChange(fw::TControl* Sender, bool highPass)
{
    auto* fader = dynamic_cast<fx::TCustomTrackBar*>(Sender);
    if (FUpdating || !fader || fader->Tag() < 0 || fader->Tag() > 8 || !FUnit)
        return;
    const int ch = int(fader->Tag());
    const CutControls c = FindCut(*this, ch, highPass);
    if (!c.edit || !c.slope || !c.bypass)
        return;
    const float f = float(IndexToFreq(fader->Position()));
    c.edit->SetText(EditFreqText(f));
    XoverParam x = FUnit->GetXover(ch);
    const int slope = SlopeCode(c);
    tmHpLpCurve.SetEnabled(true);
    FCurveEdit.channel = ch;
    FCurveEdit.frequency = f;
    FCurveEdit.slope = slope;
    FCurveEdit.kind = highPass ? 1 : 0;
    if (highPass) {
        x.hpFreq = int16_t(fader->Position());
        x.hpSlope = uint8_t(slope);
        FUnit->SetHighPass(ch, x);
    } else {
        x.lpFreq = int16_t(fader->Position());
        x.lpSlope = uint8_t(slope);
        FUnit->SetLowPass(ch, x);
    }
}

// Slope selector and bypass button: the curve at once (also during a refresh), then the store.
void TfmMain::CutSlopeChange(fw::TControl* Sender, bool highPass)
{
    if (!Sender || Sender->Tag() < 0 || Sender->Tag() > 8 || !FUnit)
        return;
    const int ch = int(Sender->Tag());
    const CutControls c = FindCut(*this, ch, highPass);
    if (!c.fader || !c.slope || !c.bypass)
        return;
    XoverParam x = FUnit->GetXover(ch);
    const int slope = SlopeCode(c);
    ComputeCut(ch, highPass, slope, IndexToFreq(c.fader->Position()));
    Plot& plot = *FPlots[std::size_t(ch)];
    plot.ShowBandDetail(highPass ? 5 : 6, highPass ? Plot::HighPassSection : Plot::LowPassSection, 0, 0,
                        true);
    plot.DrawTotalCurve(ch);
    if (auto* g = Get<LMyFFTDrawHpLp6dB>(QStringLiteral("fftDraw") + ChannelTitle(ch)))
        g->UpdateCurvePage();
    if (FUpdating)
        return;
    if (highPass) {
        x.hpFreq = int16_t(c.fader->Position());
        x.hpSlope = uint8_t(slope);
        FUnit->SetHighPass(ch, x);
    } else {
        x.lpFreq = int16_t(c.fader->Position());
        x.lpSlope = uint8_t(slope);
        FUnit->SetLowPass(ch, x);
    }
}

void TfmMain::ComputeCut(int ch, bool highPass, int slope, double frequency)
{
    ComputeHpLpCurve(*FPlots[std::size_t(ch)], highPass, slope, frequency, Plot::HighPassSection);
}

void TfmMain::tmHpLpCurveTimer()
{
    tmHpLpCurve.SetEnabled(false);
    const TCurveEdit e = FCurveEdit;
    if (e.channel < 0 || e.channel > 8)
        return;
    ComputeCut(e.channel, e.kind != 0, e.slope, e.frequency);
    Plot& plot = *FPlots[std::size_t(e.channel)];
    if (e.kind == 1)
        plot.ShowBandDetail(5, Plot::HighPassSection, 0, 0, true);
    else if (e.kind == 0)
        plot.ShowBandDetail(6, Plot::LowPassSection, 0, 0, true);
    plot.DrawTotalCurve(e.channel);
    if (auto* g = Get<LMyFFTDrawHpLp6dB>(QStringLiteral("fftDraw") + ChannelTitle(e.channel)))
        g->UpdateCurvePage();
}

void TfmMain::DrawHighPassCurve(int ch)
{
    if (ch >= 0 && ch <= 8 && FUnit)
        DrawCutFromModel(*FPlots[std::size_t(ch)], *FUnit, ch, true);
}

void TfmMain::DrawLowPassCurve(int ch)
{
    if (ch >= 0 && ch <= 8 && FUnit)
        DrawCutFromModel(*FPlots[std::size_t(ch)], *FUnit, ch, false);
}

} // namespace app
