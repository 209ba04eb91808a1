// TfmMain: the full refresh of every control from the model, in its fixed order, with the refresh flag
// set while the controls are written (so that nothing is sent) and cleared on every way out.
#include "app/main/MainControls.h"
#include "app/main/MainSessionView.h"
#include "app/main/TfmMain.h"
#include "app/pages/DelayPage.h"
#include "app/pages/DynamicsPage.h"
#include "app/pages/GeqPage.h"
#include "app/pages/MatrixPage.h"
#include "app/pages/PeqPage.h"
#include "app/pages/StripPage.h"
#include "base/FlagScope.h"

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
#include "curves/CurveColours.h"
#include "curves/Plot.h"
#include "graph/LMyFFTDrawHpLp6dB.h"
#include "model/LUnitControl.h"
#include "pages/PageRules.h"

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
    return QString::fromStdString(FieldToUtf8(field.first(std::min(width, N)), CurrentCodePage()));
}

} // namespace

void TfmMain::ShowAllParams(LUnitControl* unit)
{
    if (!unit)
        return;
    FPeqPage->DeselectPeqBands();
    {
        FlagScope scope(FUpdating); // put back however the refresh ends
        FControls->presetNumber->SetCaption(FPresetNumber >= 1 ? PrintfInt("U%02d", FPresetNumber)
                                                               : PrintfInt("F%02d", FPresetNumber));
        FControls->presetName->SetCaption(FieldText(unit->GetPresetName(), 14));
        for (int g = 0; g < 11; ++g)
            FCurveDirty[std::size_t(g)] = g < 3 ? 0x0F : g < 9 ? 0xFF : 0xFFF;
        FPeqPage->RefreshGainPageOverlays();
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
        FPeqPage->DrawChannelCurve(ch);
    for (int i = 0; i < 3; ++i)
        FGeqPage->DrawGeqCurve(i);
    FPeqPage->SelectFirstPeqBands();
    if (FCurrentPage == kPageGain)
        FPeqPage->RefreshGainPageOverlays();
    else
        FPeqPage->RefreshChannelOverlays(FCurrentPage);
}

void TfmMain::ShowNames()
{
    FControls->presetName->SetCaption(FieldText(FUnit->GetPresetName(), 14));
    for (int ch = 0; ch < 9; ++ch)
        FMatrixPage->ShowChannelName(ch);
}

void TfmMain::ShowInput(int ch)
{
    const QString s = ChannelTitle(ch);
    FMatrixPage->ShowChannelName(ch);
    FGeqPage->ShowGeqBands(ch);
    FPeqPage->ShowChannelPeq(ch);
    FDynamicsPage->ShowChannelDynamics(ch);
    if (ch == 0 && !FCreating)
        FDynamicsPage->ShowGateCurveOfA();
    const XoverParam x = FUnit->GetXover(ch);
    FPeqPage->ShowCut(ch, true, x.hpFreq, x.hpSlope);
    FPeqPage->ShowCut(ch, false, x.lpFreq, x.lpSlope);
    FStripPage->ShowChannelStrip(ch);
    FDelayPage->ShowChannelDelay(ch);
    FView->MarkChannelCurvesDirty(ch);
    FPeqPage->ShowPeqBypassMark(ch);
    FGeqPage->ShowGeqBypass(ch);
}

void TfmMain::ShowOutput(int ch)
{
    const QString s = ChannelTitle(ch);
    FMatrixPage->ShowChannelName(ch);
    FMatrixPage->ShowOutputMix(ch);
    const XoverParam x = FUnit->GetXover(ch);
    FPeqPage->ShowCut(ch, true, x.hpFreq, x.hpSlope);
    FPeqPage->ShowCut(ch, false, x.lpFreq, x.lpSlope);
    FPeqPage->ShowChannelPeq(ch);
    FDynamicsPage->ShowChannelDynamics(ch);
    FStripPage->ShowChannelStrip(ch);
    FDelayPage->ShowChannelDelay(ch);
    FView->MarkChannelCurvesDirty(ch);
    FPeqPage->ShowPeqBypassMark(ch);
}

} // namespace app
