// The channel graphs' mouse: hit test of the band and cut markers, selection, dragging a band to a new
// frequency and gain or a cut corner to a new frequency, and the show-all switch of the band texts.
#include "app/main/MainEditing.h"
#include "app/main/MainLayout.h"
#include "app/main/TfmMain.h"

#include "base/ValueScales.h"
#include "controls/panels/LedButtons.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/panels/SkComboBox.h"
#include "controls/smooth/RoundEdit.h"
#include "controls/smooth/TrackBar.h"
#include "curves/Plot.h"
#include "eq/TMyPEQType8.h"
#include "graph/LMyFFTDrawHpLp6dB.h"
#include "model/LUnitControl.h"

#include <cmath>

namespace app
{

using graph::LMyFFTDrawHpLp6dB;

namespace
{

constexpr int kLastHandle = 35;
constexpr fw::TColor kDragTextColour = 0x008000;

// Handle p's negated level: the band's gain for a band, 0 dB for a corner.
double NegatedLevel(const eq::TMyPEQType8& peq, int p)
{
    return p <= 30 ? -peq.GetGainValue(p) : 0.0;
}

bool Hit(const LMyFFTDrawHpLp6dB& graph, const eq::TMyPEQType8& peq, int p, int X, int Y, double s)
{
    // The plot page as the graph draws it: markers lie at their page position plus the page's place.
    const graph::TPlotFrame m = graph.PlotFrame();
    if (m.Empty())
        return false;
    const double xv = m.AxisX(X);
    const int mx = int(std::trunc(m.W * (xv - m.XMin) / (m.XMax - m.XMin) * s));
    const double g = NegatedLevel(peq, p);
    double yv = std::trunc(m.DownY(Y) - m.YMin) + m.YMin;
    if (g > 0)
        yv += 1;
    const int dx = std::abs(mx - int(std::trunc(graph.GetBlockPos(p).X * s)));
    const int dy = int(std::trunc(std::abs(yv - g)));
    return dx < 5 && dy < 2;
}

// The sender as a graph and the editor of its channel (none on the Gain page's graphs): both or null.
eq::TMyPEQType8* EditorOf(TfmMain& w, fw::TControl* sender, LMyFFTDrawHpLp6dB*& graph)
{
    graph = dynamic_cast<LMyFFTDrawHpLp6dB*>(sender);
    if (!graph || graph->Tag() < 0 || graph->Tag() > 8)
        return nullptr;
    return w.Get<eq::TMyPEQType8>(QStringLiteral("peqPeq") + ChannelTitle(int(graph->Tag())));
}

} // namespace

void TfmMain::ConnectGraphMouseHandlers()
{
    tmMouseEqCurve.SetInterval(1);
    tmMouseEqCurve.SetEnabled(false);
    tmMouseEqCurve.OnTimer = [this](fw::TTimer*) { tmMouseEqCurveTimer(); };
    QStringList graphs{QStringLiteral("fftDrawGainIn"), QStringLiteral("fftDrawGainOut")};
    for (int ch = 0; ch < 9; ++ch)
        graphs << QStringLiteral("fftDraw") + ChannelTitle(ch);
    for (const QString& n : graphs)
        if (auto* g = Get<LMyFFTDrawHpLp6dB>(n)) {
            g->OnMouseDown = [this](fw::TControl* s, fw::TMouseButton b, fw::TShiftState sh, int x, int y) {
                fftDrawInAMouseDown(s, b, sh, x, y);
            };
            g->OnMouseMove = [this](fw::TControl* s, fw::TShiftState sh, int x, int y) {
                fftDrawInAMouseMove(s, sh, x, y);
            };
            g->OnMouseUp = [this](fw::TControl* s, fw::TMouseButton b, fw::TShiftState sh, int x, int y) {
                fftDrawInAMouseUp(s, b, sh, x, y);
            };
        }
    for (int ch = 0; ch < 9; ++ch)
        if (auto* b = Get<fw::TControl>(QStringLiteral("vrbEqShowAll") + ChannelTitle(ch)))
            b->OnClick = [this](fw::TControl* s) { vrbEqShowAllInAClick(s); };
}

void TfmMain::fftDrawInAMouseDown(fw::TControl* Sender, fw::TMouseButton Button, fw::TShiftState, int X,
                                  int Y)
{
    FSelectedHandle = -1;
    LMyFFTDrawHpLp6dB* graph = nullptr;
    auto* peq = EditorOf(*this, Sender, graph);
    if (!peq)
        return;
    const QString s = ChannelTitle(int(graph->Tag()));
    for (int p = kLastHandle; p >= 0; --p) {
        if (Button != fw::mbLeft || !Hit(*graph, *peq, p, X, Y, 1.0))
            continue;
        FSelectedHandle = p;
        auto* button = Get<sk::TSkBmpButton>(QStringLiteral("rzbEq%1").arg(p + 1) + s);
        if (!button)
            return; // a corner (or a band the channel lacks) stays selected
        button->SetDown(true);
        rzbEq1InAClick(button);
    }
}

void TfmMain::fftDrawInAMouseMove(fw::TControl* Sender, fw::TShiftState, int X, int Y)
{
    if (X == FLastMouseX && Y == FLastMouseY)
        return;
    FLastMouseX = X;
    FLastMouseY = Y;
    const double scale = logicalDpiX() == 96 ? 1.5 : 1.0;
    LMyFFTDrawHpLp6dB* graph = nullptr;
    auto* peq = EditorOf(*this, Sender, graph);
    if (!peq)
        return;
    if (FSelectedHandle == -1) {
        for (int p = kLastHandle; p >= 0; --p) {
            graph->setCursor(Qt::ArrowCursor);
            if (Hit(*graph, *peq, p, X, Y, scale)) {
                graph->setCursor(Qt::CrossCursor);
                return;
            }
        }
        return;
    }
    const int h = FSelectedHandle;
    const int ch = int(graph->Tag());
    const graph::TPlotFrame m = graph->PlotFrame();
    if (m.Empty())
        return;
    const double xv = m.AxisX(X);
    const double g = -peq->GetGainValue(h);
    double y = m.DownY(Y);
    if (g > 0)
        y += 1;
    y = std::clamp(y, -12.0, 12.0);
    const double gain = std::trunc(-y * 10) * 0.1;
    double f = std::pow(10.0, std::log10(48000.0) * xv / 4096);
    f = IndexToFreq(FreqToIndex(f));
    if (f < 19.6)
        f = 19.7;
    else if (f > 20160)
        f = 20160;

    if (h <= 30)
        DragBand(*peq, h, ch, f, gain);
    else
        DragCorner(*peq, h, ch, f);
}

void TfmMain::DragBand(eq::TMyPEQType8& peq, int h, int ch, double f, double gain)
{
    const QString s = ChannelTitle(ch);
    auto* button = Get<sk::TSkBmpButton>(QStringLiteral("rzbEq%1").arg(h + 1) + s);
    if (!button || !Get<fw::TControl>(QStringLiteral("lbFftParam") + s))
        return;
    const double q = peq.GetQValue(h);
    const int type = peq.GetTypeValue(h);
    peq.SetFreqValue(h, f);
    peq.SetGainValue(h, gain);
    button->SetDown(true);
    const int bypass = peq.GetBypassValue(h) ? 1 : 0;
    tmMouseEqCurve.SetEnabled(true);
    FCurveEdit.channel = ch;
    FCurveEdit.frequency = float(f);
    FCurveEdit.gain = gain;
    FCurveEdit.q = float(q);
    FCurveEdit.type = type;
    FCurveEdit.band = h;
    FCurveEdit.bypass = bypass;
    const PeqBand band{int16_t(GainToIndex(gain)), int16_t(std::min<int>(uint16_t(FreqToIndex(f)), 300)),
                       uint8_t(QToIndex(q)), uint8_t(std::max(type, 0))};
    peq.SetNowIndex(h);
    if (FUnit)
        FUnit->SetPeq(ch, h, band, uint8_t(bypass));
}

void TfmMain::DragCorner(eq::TMyPEQType8& peq, int h, int ch, double f)
{
    const QString s = ChannelTitle(ch);
    const bool highPass = h == Plot::HighPassSection;
    const QString n = highPass ? QStringLiteral("LowCut") : QStringLiteral("HighCut");
    auto* edit = Get<fx::TRoundEdit>(QStringLiteral("cvd") + n + QStringLiteral("Freq") + s);
    auto* bypass = Get<sk::TSkBmpButton>(QStringLiteral("rzb") + n + QStringLiteral("Bypass") + s);
    auto* slope = Get<sk::TSkComboBox>(QStringLiteral("rzc") + n + QStringLiteral("Slop") + s);
    auto* fader = Get<fx::TCustomTrackBar>(QStringLiteral("is") + n + QStringLiteral("Freq") + s);
    if (!edit || !bypass || !slope || !fader || !FUnit)
        return;
    if (highPass)
        edit->SetText(EditFreqText(float(f)));
    fader->SetPosition(std::clamp(FreqToIndex(f), 0, 300));
    tmHpLpCurve.SetEnabled(true);
    FCurveEdit.channel = ch;
    FCurveEdit.frequency = float(f);
    FCurveEdit.slope = bypass->Down() ? 0 : slope->ItemIndex() + 1;
    FCurveEdit.kind = highPass ? 1 : 0;
    XoverParam x = FUnit->GetXover(ch);
    if (highPass) {
        x.hpFreq = int16_t(fader->Position());
        FUnit->SetHighPass(int(fader->Tag()), x);
    } else {
        x.lpFreq = int16_t(fader->Position());
        FUnit->SetLowPass(int(fader->Tag()), x);
    }
    const int r = peq.GetNowIndex();
    auto* rowButton = Get<sk::TSkBmpButton>(QStringLiteral("rzbEq%1").arg(r + 1) + s);
    if (!rowButton)
        return;
    peq.SetNowIndex(-1);
    rowButton->SetDown(false);
    edit->Font().SetColor(kDragTextColour);
}

void TfmMain::fftDrawInAMouseUp(fw::TControl* Sender, fw::TMouseButton, fw::TShiftState, int, int)
{
    auto* graph = dynamic_cast<LMyFFTDrawHpLp6dB*>(Sender);
    if (!graph)
        return;
    // The Gain page's graphs act for input A.
    const int ch = graph->Tag() >= 0 && graph->Tag() <= 8 ? int(graph->Tag()) : 0;
    const QString s = ChannelTitle(ch);
    auto* low = Get<fx::TRoundEdit>(QStringLiteral("cvdLowCutFreq") + s);
    if (!low)
        return;
    low->Font().SetColor(fw::clBlack);
    auto* high = Get<fx::TRoundEdit>(QStringLiteral("cvdHighCutFreq") + s);
    if (!high)
        return;
    high->Font().SetColor(fw::clBlack);
    FSelectedHandle = -1;
}

void TfmMain::tmMouseEqCurveTimer()
{
    tmMouseEqCurve.SetEnabled(false);
    const TCurveEdit e = FCurveEdit;
    if (e.channel < 0 || e.channel > 8 || e.band < 0 || e.band > 30)
        return;
    ShowPeqParams(e.channel, true, e.q, e.gain, e.frequency);
    FocusEqFreqEdit(e.channel);
    Plot& plot = *FPlots[std::size_t(e.channel)];
    const int type = std::clamp(e.type, 0, PeqTypeCount - 1);
    plot.Section(e.band).SetFilterSection(e.bypass ? 0.0 : e.gain, e.frequency, e.q,
                                          e.bypass ? FilterCodeBypass : PeqTypeCodes[std::size_t(type)]);
    plot.DrawBandMarker(e.band, float(e.gain), 1);
    plot.ShowBandDetail(type, e.band, float(e.gain), e.q, true);
    plot.DrawTotalCurve(e.channel);
    const QString s = ChannelTitle(e.channel);
    if (auto* label = Get<fw::TControl>(QStringLiteral("lbFftParam") + s)) {
        label->SetVisible(true);
        if (auto* g = Get<LMyFFTDrawHpLp6dB>(QStringLiteral("fftDraw") + s))
            g->UpdateCurvePage();
    }
}

void TfmMain::vrbEqShowAllInAClick(fw::TControl* Sender)
{
    auto* button = dynamic_cast<sk::TLedPowerButton*>(Sender);
    if (!button || button->Tag() < 0 || button->Tag() > 8)
        return;
    const QString s = ChannelTitle(int(button->Tag()));
    auto* graph = Get<LMyFFTDrawHpLp6dB>(QStringLiteral("fftDraw") + s);
    auto* box = Get<QWidget>(QStringLiteral("rzgFft") + s);
    if (!graph || !box)
        return;
    // The display follows the button (it has switched itself before the click), so a click that
    // arrives twice, or a state set by code, cannot leave the two apart.
    graph->SetParameterDisplay(button->Active());
    graph->UpdateCurvePage();
    box->update();
}

} // namespace app
