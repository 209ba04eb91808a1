#include "app/pages/PeqPage.h"

#include "app/dialogs/SmallDialogs.h"
#include "app/main/MainEditing.h"
#include "app/main/MainLayout.h"
#include "app/main/MainSessionView.h"
#include "app/main/StdControls.h"
#include "app/main/TfmMain.h"
#include "base/FlagScope.h"
#include "base/ValueScales.h"
#include "controls/panels/LedButtons.h"
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
#include "pages/PeqRules.h"
#include "proto/LCmd.h"

#include <cmath>

namespace app
{

using graph::LMyFFTDrawHpLp6dB;

namespace
{

constexpr int kGainInGraph = 9;
constexpr int kGainOutGraph = 10;
constexpr int kLastHandle = 35;
constexpr fw::TColor kDragTextColour = 0x008000;

bool ValidChannel(long long c)
{
    return c >= 0 && c < 9;
}

int BandCount(int ch)
{
    return ch < 3 ? 8 : 9;
}

// The kind's channels: the inputs 0..2 or the outputs 3..8.
int FirstOfKind(int ch)
{
    return ch < 3 ? 0 : 3;
}

int EndOfKind(int ch)
{
    return ch < 3 ? 3 : 9;
}

// Section and plot number of channel k's curve on graph g.
int OverlaySlot(int g, int k)
{
    if (g >= kGainInGraph)
        return k;
    return Plot::FirstOverlaySection + (k < 3 ? k : k - 3);
}

// The big mark over a bypassed equaliser's graph (empty: none).
void DrawBypassMark(LMyFFTDrawHpLp6dB& g, bool on)
{
    g.DrawTextA(g.Width() / 3, g.Height() / 4, 60, fw::clBtnFace, QStringLiteral("Times New Roman"),
                on ? QStringLiteral("BYPASS") : QString());
}

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

// The cut as the model holds it, on the channel's plot, and the total curve.
void DrawCutFromModel(Plot& plot, const LUnitControl& unit, int ch, bool highPass)
{
    const XoverParam x = unit.GetXover(ch);
    const int index = highPass ? x.hpFreq : x.lpFreq;
    ComputeHpLpCurve(plot, highPass, highPass ? x.hpSlope : x.lpSlope, float(IndexToFreq(index)),
                     Plot::HighPassSection);
    plot.DrawTotalCurve(ch);
}

} // namespace

void PeqPage::Bind(TControlBinder& b)
{
    for (int ch = 0; ch < 9; ++ch) {
        const QString s = ChannelTitle(ch);
        Channel& c = FChannels[std::size_t(ch)];
        b.Bind(c.peq, QStringLiteral("peqPeq") + s);
        b.Bind(c.heading, QStringLiteral("lbEq") + s);
        b.Bind(c.param, QStringLiteral("lbFftParam") + s);
        for (int band = 0; band < BandCount(ch); ++band)
            b.Bind(c.bands[std::size_t(band)], QStringLiteral("rzbEq%1").arg(band + 1) + s);
        b.Bind(c.graph, QStringLiteral("fftDraw") + s);
        b.Bind(c.box, QStringLiteral("rzgFft") + s);
        b.Bind(c.freq, QStringLiteral("isEqFreq") + s);
        b.Bind(c.q, QStringLiteral("isEqBw") + s);
        b.Bind(c.gain, QStringLiteral("isEqGain") + s);
        b.Bind(c.freqEdit, QStringLiteral("cvdEqFreq") + s);
        b.Bind(c.qEdit, QStringLiteral("cvdEqBw") + s);
        b.Bind(c.gainEdit, QStringLiteral("cvdEqGain") + s);
        b.Bind(c.reset, QStringLiteral("vrbEqReset") + s);
        b.Bind(c.bypass, QStringLiteral("vrbEqBypass") + s);
        b.Bind(c.showGain, QStringLiteral("rbShowGain") + s);
        b.Bind(c.showPhase, QStringLiteral("rbShowPhase") + s);
        b.Bind(c.showAll, QStringLiteral("vrbEqShowAll") + s);
        for (int hp = 0; hp < 2; ++hp) {
            const QString n = hp == 0 ? QStringLiteral("LowCut") : QStringLiteral("HighCut");
            Cut& cut = c.cuts[std::size_t(hp)];
            b.Bind(cut.fader, QStringLiteral("is") + n + QStringLiteral("Freq") + s);
            b.Bind(cut.edit, QStringLiteral("cvd") + n + QStringLiteral("Freq") + s);
            b.Bind(cut.slope, QStringLiteral("rzc") + n + QStringLiteral("Slop") + s);
            b.Bind(cut.bypass, QStringLiteral("rzb") + n + QStringLiteral("Bypass") + s);
        }
        for (int k = FirstOfKind(ch); k < EndOfKind(ch); ++k)
            if (k != ch)
                b.Bind(c.overlays[std::size_t(k)], QStringLiteral("vrbShow") + ChannelSuffix(k) + s);
    }
    b.Bind(FGainGraphs[0], QStringLiteral("fftDrawGainIn"));
    b.Bind(FGainGraphs[1], QStringLiteral("fftDrawGainOut"));
    for (int k = 0; k < 9; ++k)
        b.Bind(FGainOverlays[std::size_t(k)],
               QStringLiteral("vrbShow") + ChannelSuffix(k) + QStringLiteral("Gain"));
}

void PeqPage::Connect()
{
    for (auto [timer, handler] : {std::pair{&tmEqCurve, &PeqPage::tmEqCurveTimer},
                                  std::pair{&tmHpLpCurve, &PeqPage::tmHpLpCurveTimer},
                                  std::pair{&tmMouseEqCurve, &PeqPage::tmMouseEqCurveTimer}}) {
        timer->SetInterval(1);
        timer->SetEnabled(false);
        timer->OnTimer = [this, handler](fw::TTimer*) { (this->*handler)(); };
    }
    for (int ch = 0; ch < 9; ++ch) {
        Channel& c = FChannels[std::size_t(ch)];
        // PEQ.
        c.heading->SetTable(c.peq);
        c.peq->OnChange = [this](fw::TControl* s) { peqPeqInAChange(s); };
        c.peq->OnEditMouseDown = [this](fw::TControl* s, fw::TMouseButton, fw::TShiftState, int, int) {
            peqPeqInAEditMouseDown(s);
        };
        c.peq->OnPeqTypeMouseWheel = [](fw::TControl*, fw::TShiftState, int, fw::TPoint, bool& handled) {
            handled = true;
        };
        for (int band = 0; band < BandCount(ch); ++band)
            c.bands[std::size_t(band)]->OnClick = [this](fw::TControl* s) { rzbEq1InAClick(s); };
        c.freq->OnChange = [this](fw::TControl* s) { isEqFreqInAChange(s); };
        c.q->OnChange = [this](fw::TControl* s) { isEqBwInAChange(s); };
        c.gain->OnChange = [this](fw::TControl* s) { isEqGainInAChange(s); };
        c.freqEdit->OnKeyDown = [this](fw::TControl* s, fw::Word& key, fw::TShiftState shift) {
            cvdEqFreqInAKeyDown(s, key, shift);
        };
        // The panel texts take no typed value: Enter or leaving an edit shows the faders' values again.
        for (fx::TRoundEdit* e : {c.freqEdit, c.qEdit, c.gainEdit}) {
            auto old = e->OnKeyDown;
            e->OnKeyDown = [this, old, ch](fw::TControl* s, fw::Word& key, fw::TShiftState shift) {
                if (old)
                    old(s, key, shift);
                if (key == fw::VK_RETURN)
                    ShowPeqPanelTexts(ch);
            };
            e->OnExit = [this, ch](fw::TControl*) { ShowPeqPanelTexts(ch); };
        }
        c.reset->OnClick = [this](fw::TControl* s) { vrbEqResetInAClick(s); };
        c.bypass->OnClick = [this](fw::TControl* s) { vrbEqBypassInAClick(s); };
        c.showGain->OnClick = [this](fw::TControl* s) { rbShowGainInAClick(s); };
        c.showPhase->OnClick = [this](fw::TControl* s) { rbShowPhaseInAClick(s); };
        // Crossovers.
        for (bool hp : {true, false}) {
            Cut& cut = c.cuts[hp ? 0 : 1];
            cut.fader->OnChange = [this, hp](fw::TControl* s) { CutFaderChange(s, hp); };
            cut.slope->OnChange = [this, hp](fw::TControl* s) { CutSlopeChange(s, hp); };
            // The wheel never changes a slope.
            cut.slope->OnMouseWheel = [](fw::TControl*, fw::TShiftState, int, fw::TPoint, bool& handled) {
                handled = true;
            };
            cut.bypass->OnClick = [this, hp](fw::TControl* s) { CutSlopeChange(s, hp); };
        }
    }
    // Graph mouse, on the Gain page's graphs too.
    for (int g = 0; g <= kGainOutGraph; ++g) {
        LMyFFTDrawHpLp6dB* graph = Graph(g);
        graph->OnMouseDown = [this](fw::TControl* s, fw::TMouseButton b, fw::TShiftState sh, int x, int y) {
            fftDrawInAMouseDown(s, b, sh, x, y);
        };
        graph->OnMouseMove = [this](fw::TControl* s, fw::TShiftState sh, int x, int y) {
            fftDrawInAMouseMove(s, sh, x, y);
        };
        graph->OnMouseUp = [this](fw::TControl* s, fw::TMouseButton b, fw::TShiftState sh, int x, int y) {
            fftDrawInAMouseUp(s, b, sh, x, y);
        };
    }
    for (Channel& c : FChannels)
        c.showAll->OnClick = [this](fw::TControl* s) { vrbEqShowAllInAClick(s); };
    // Overlays.
    for (int g = 0; g < 9; ++g)
        for (sk::TLedPowerButton* b : FChannels[std::size_t(g)].overlays)
            if (b)
                b->OnClick = [this, g](fw::TControl* s) { vrbShowOverlayClick(s, g); };
    for (int k = 0; k < 9; ++k) {
        const int g = k < 3 ? kGainInGraph : kGainOutGraph;
        FGainOverlays[std::size_t(k)]->OnClick = [this, g](fw::TControl* s) { vrbShowOverlayClick(s, g); };
    }
    // Start-up state: the Gain page shows input A and output 1.
    FGainOverlays[0]->SetActive(true);
    FGainOverlays[3]->SetActive(true);
}

PeqPage::Channel* PeqPage::Of(const fw::TControl* sender)
{
    if (!sender || !ValidChannel(sender->Tag()))
        return nullptr;
    return &FChannels[std::size_t(sender->Tag())];
}

sk::TSkBmpButton* PeqPage::BandButton(int ch, int band)
{
    if (!ValidChannel(ch) || band < 0 || band >= BandCount(ch))
        return nullptr;
    return FChannels[std::size_t(ch)].bands[std::size_t(band)];
}

LMyFFTDrawHpLp6dB* PeqPage::Graph(int g)
{
    if (g == kGainInGraph || g == kGainOutGraph)
        return FGainGraphs[std::size_t(g - kGainInGraph)];
    return FChannels[std::size_t(g)].graph;
}

// The sender as a graph and the editor of its channel (none on the Gain page's graphs): both or null.
eq::TMyPEQType8* PeqPage::EditorOf(fw::TControl* sender, LMyFFTDrawHpLp6dB*& graph)
{
    graph = dynamic_cast<LMyFFTDrawHpLp6dB*>(sender);
    if (!graph || !ValidChannel(graph->Tag()))
        return nullptr;
    return FChannels[std::size_t(graph->Tag())].peq;
}

// ---- PEQ ----

void PeqPage::peqPeqInAChange(fw::TControl* Sender)
{
    auto* peq = dynamic_cast<eq::TMyPEQType8*>(Sender);
    LUnitControl* unit = FMain.Unit();
    if (!peq || FSelectedHandle != -1 || !ValidChannel(peq->Tag()) || !unit)
        return;
    const int c = int(peq->Tag());
    const int k = peq->GetNowIndex();
    Channel& channel = FChannels[std::size_t(c)];
    sk::TSkBmpButton* button = BandButton(c, k);
    if (!button)
        return;
    const double f = peq->GetFreqValue(k);
    const double g = peq->GetGainValue(k);
    double q = peq->GetQValue(k);
    const int t = peq->GetTypeValue(k);
    const bool bypass = peq->GetBypassValue(k);
    if (t < 0 || t >= PeqTypeCount)
        return;

    // Q rules of the type; a set Q runs this handler again, which completes the update first.
    if (const std::optional<PeqQ> held =
            PeqQRule(t, unit->GetPeq(c, k).type, q, unit->GetDefaultPeq(c, k).q)) {
        q = held->q;
        peq->SetQValue(k, held->index);
    }

    const PeqBand band{int16_t(GainToIndex(g)), int16_t(FreqToIndex(f)), uint8_t(QToIndex(q)), uint8_t(t)};
    if (FMain.UpdatingFlag())
        return;
    button->SetDown(true);
    peq->SetNowIndex(k);
    Plot& plot = *FMain.Plots(c);
    plot.Section(k).SetFilterSection(bypass ? 0.0 : g, f, q,
                                     bypass ? FilterCodeBypass : PeqTypeCodes[std::size_t(t)]);
    plot.DrawBandMarker(k, float(g), 1);
    plot.ShowBandDetail(t, k, float(g), float(q), true);
    plot.DrawTotalCurve(c);
    channel.graph->UpdateCurvePage();
    unit->SetPeq(c, k, band, bypass ? 1 : 0);
    ShowPeqParams(c, true, q, g, f);
}

// The band's values on the panel, its marker, detail and the total curve.
void PeqPage::ShowBandOnGraph(int ch, int band, bool focus, bool pressButton)
{
    if (!ValidChannel(ch) || band < 0 || band >= BandCount(ch))
        return;
    Channel& c = FChannels[std::size_t(ch)];
    eq::TMyPEQType8* peq = c.peq;
    const double f = peq->GetFreqValue(band), g = peq->GetGainValue(band), q = peq->GetQValue(band);
    const int t = peq->GetTypeValue(band);
    if (pressButton)
        c.bands[std::size_t(band)]->SetDown(true);
    peq->SetNowIndex(band);
    ShowPeqParams(ch, true, q, g, f);
    Plot& plot = *FMain.Plots(ch);
    plot.DrawBandMarker(band, float(g), 1);
    plot.ShowBandDetail(t, band, float(g), float(q), true);
    plot.DrawTotalCurve(ch);
    c.graph->UpdateCurvePage();
    c.param->SetVisible(true);
    if (focus)
        FocusEqFreqEdit(ch);
}

void PeqPage::rzbEq1InAClick(fw::TControl* Sender)
{
    auto* b = dynamic_cast<sk::TSkBmpButton*>(Sender);
    if (!b || !ValidChannel(b->GroupIndex() - 1))
        return;
    ShowBandOnGraph(b->GroupIndex() - 1, int(b->Tag()), true, false);
}

void PeqPage::peqPeqInAEditMouseDown(fw::TControl* Sender)
{
    auto* peq = dynamic_cast<eq::TMyPEQType8*>(Sender);
    if (!peq || !ValidChannel(peq->Tag()))
        return;
    ShowBandOnGraph(int(peq->Tag()), peq->GetNowIndex(), false, true);
}

void PeqPage::FocusEqFreqEdit(int ch)
{
    if (!ValidChannel(ch))
        return;
    fx::TRoundEdit* e = FChannels[std::size_t(ch)].freqEdit;
    if (e->isVisible())
        e->SetFocus();
}

void PeqPage::isEqFreqInAChange(fw::TControl* Sender)
{
    auto* fader = dynamic_cast<fx::TCustomTrackBar*>(Sender);
    Channel* c = Of(fader);
    if (FMain.UpdatingFlag() || !c)
        return;
    const float f = float(IndexToFreq(fader->Position()));
    c->freqEdit->SetText(EditFreqText(f));
    tmEqCurve.SetEnabled(true);
    FPendingEq = {0, int(fader->Tag()), f};
}

void PeqPage::isEqBwInAChange(fw::TControl* Sender)
{
    auto* fader = dynamic_cast<fx::TCustomTrackBar*>(Sender);
    Channel* c = Of(fader);
    if (FMain.UpdatingFlag() || !c)
        return;
    const int held = PeqQFaderPosition(c->peq->GetTypeValue(c->peq->GetNowIndex()), fader->Position());
    if (held != fader->Position())
        fader->SetPosition(held);
    // The position as it stands after a pull to the ceiling (the nested change already ran).
    const int p = fader->Position();
    c->qEdit->SetText(EqQText(p));
    tmEqCurve.SetEnabled(true);
    FPendingEq = {1, int(fader->Tag()), double(p)};
}

void PeqPage::isEqGainInAChange(fw::TControl* Sender)
{
    auto* fader = dynamic_cast<fx::TCustomTrackBar*>(Sender);
    Channel* c = Of(fader);
    if (FMain.UpdatingFlag() || !c)
        return;
    const int p = fader->Position();
    c->gainEdit->SetText(EqGainText(p));
    tmEqCurve.SetEnabled(true);
    FPendingEq = {2, int(fader->Tag()), (p - GainIndexZero) * 0.1};
}

void PeqPage::tmEqCurveTimer()
{
    tmEqCurve.SetEnabled(false);
    if (!ValidChannel(FPendingEq.channel))
        return;
    eq::TMyPEQType8* peq = FChannels[std::size_t(FPendingEq.channel)].peq;
    const int k = peq->GetNowIndex();
    if (FPendingEq.kind == 0)
        peq->SetFreqValue(k, float(FPendingEq.value));
    else if (FPendingEq.kind == 1)
        peq->SetQValue(k, FPendingEq.value);
    else
        peq->SetGainValue(k, FPendingEq.value);
}

void PeqPage::cvdEqFreqInAKeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState)
{
    Channel* c = Of(Sender);
    if (!c)
        return;
    // A step key moves its fader and goes no further: the edit neither types it nor moves its caret.
    auto step = [&Key](fx::TCustomTrackBar* f, int d) {
        f->SetPosition(f->Position() + d);
        Key = 0;
    };
    switch (Key) {
    case fw::VK_LEFT:
        step(c->freq, -1);
        break;
    case fw::VK_RIGHT:
        step(c->freq, +1);
        break;
    case fw::VK_ADD:
    case fw::VK_OEM_PLUS:
        step(c->q, +1);
        break;
    case fw::VK_SUBTRACT:
    case fw::VK_OEM_MINUS:
        step(c->q, -1);
        break;
    case fw::VK_UP:
        step(c->gain, +1);
        break;
    case fw::VK_DOWN:
        step(c->gain, -1);
        break;
    default:
        break;
    }
}

void PeqPage::ShowPeqPanelTexts(int ch)
{
    if (!ValidChannel(ch))
        return;
    const Channel& c = FChannels[std::size_t(ch)];
    c.freqEdit->SetText(EditFreqText(float(IndexToFreq(c.freq->Position()))));
    c.qEdit->SetText(EqQText(c.q->Position()));
    c.gainEdit->SetText(EqGainText(c.gain->Position()));
}

void PeqPage::ShowPeqParams(int ch, bool enabled, double q, double gain, double freq)
{
    if (FMain.UpdatingFlag() || !ValidChannel(ch))
        return;
    const Channel& c = FChannels[std::size_t(ch)];
    FlagScope quiet(FMain.UpdatingFlag());
    c.freq->SetPosition(FreqToIndex(freq));
    c.freq->SetEnabled(enabled);
    c.freqEdit->SetText(EditFreqText(float(freq)));
    c.gain->SetPosition(GainToIndex(gain));
    c.gain->SetEnabled(enabled);
    c.gainEdit->SetText(EqGainText(c.gain->Position()));
    c.q->SetPosition(QToIndex(q));
    c.q->SetEnabled(enabled);
    c.qEdit->SetText(EqQText(c.q->Position()));
}

void PeqPage::DeselectPeqBands()
{
    for (int ch = 0; ch < 9; ++ch) {
        Channel& c = FChannels[std::size_t(ch)];
        const int k = c.peq->GetNowIndex() == 15 ? 0 : c.peq->GetNowIndex();
        sk::TSkBmpButton* button = BandButton(ch, k);
        if (!button)
            return;
        button->SetDown(false);
        ShowPeqParams(ch, false, 0.4, 0, 19.7);
        c.peq->SetNowIndex(15);
        c.peq->SetNowIndex(-1);
        Plot& plot = *FMain.Plots(ch);
        plot.ShowBandDetail(0, 0, 0, 0, false);
        plot.DrawTotalCurve(ch);
        c.graph->UpdateCurvePage();
    }
}

void PeqPage::SelectFirstPeqBands()
{
    for (int ch = 0; ch < 9; ++ch) {
        Channel& c = FChannels[std::size_t(ch)];
        eq::TMyPEQType8* peq = c.peq;
        c.bands[0]->SetDown(true);
        const double f = peq->GetFreqValue(0), g = peq->GetGainValue(0), q = peq->GetQValue(0);
        peq->SetNowIndex(0);
        ShowPeqParams(ch, true, q, g, f);
        Plot& plot = *FMain.Plots(ch);
        plot.DrawBandMarker(0, float(g), 1);
        plot.ShowBandDetail(peq->GetTypeValue(0), 0, float(g), float(q), true);
        plot.DrawTotalCurve(ch);
        c.graph->UpdateCurvePage();
    }
}

void PeqPage::DrawPeqCurve(int ch)
{
    if (!ValidChannel(ch))
        return;
    eq::TMyPEQType8* peq = FChannels[std::size_t(ch)].peq;
    Plot& plot = *FMain.Plots(ch);
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

void PeqPage::vrbEqResetInAClick(fw::TControl* Sender)
{
    if (!Sender || !ValidChannel(Sender->Tag()) || !FMain.Dialogs())
        return;
    FMain.Dialogs()->fmPeqRst->SetTarget(int(Sender->Tag()));
    FMain.Dialogs()->fmPeqRst->ShowModal();
}

void PeqPage::ResetPeqBands(int channel)
{
    LUnitControl* unit = FMain.Unit();
    if (!ValidChannel(channel) || !unit)
        return;
    eq::TMyPEQType8* peq = FChannels[std::size_t(channel)].peq;
    Plot& plot = *FMain.Plots(channel);
    peq->SetNowIndex(0);
    for (int b = BandCount(channel) - 1; b >= 0; --b) {
        const PeqBand band = unit->GetDefaultPeq(channel, b);
        unit->ResetPeqBand(channel, b);
        const double hz = IndexToFreq(band.freq), gain = IndexToGain(band.gain);
        const int qi = std::min<int>(band.q, QIndexMax), type = std::min<int>(band.type, PeqTypeCount - 1);
        peq->SetNowIndex(b);
        peq->SetEqParamValue(b, hz, qi, gain, type, false);
        plot.Section(b).SetFilterSection(gain, hz, QTable[std::size_t(qi)], PeqTypeCodes[std::size_t(type)]);
        plot.DrawBandMarker(b, float(gain), 1);
    }
}

void PeqPage::vrbEqBypassInAClick(fw::TControl* Sender)
{
    Channel* channel = Of(Sender);
    LUnitControl* unit = FMain.Unit();
    if (!channel || !unit)
        return;
    const int c = int(Sender->Tag());
    const uint16_t mask = unit->GetEqBypassMask(c);
    const int bit = c < 3 ? c : c - 3;
    const bool wasOn = mask & (1u << bit);
    // The mark goes on the clicked channel's graph only.
    DrawBypassMark(*channel->graph, !wasOn);
    unit->SetEqBypass(c, ToggledEqBypass(mask, bit, unit->GetLinkMembers(c), c < 3 ? 3 : 6));
    channel->graph->UpdateCurvePage();
}

void PeqPage::ViewSwitch(fw::TControl* Sender, bool phase)
{
    Channel* channel = Of(Sender);
    if (!channel)
        return;
    const int c = int(Sender->Tag());
    Plot& plot = *FMain.Plots(c);
    if (plot.GetPhaseMode() == phase)
        return;
    LMyFFTDrawHpLp6dB* graph = channel->graph;
    plot.SetPhaseMode(phase);
    (phase ? channel->showPhase : channel->showGain)->Font().SetColor(fw::RGB(255, 255, 0));
    (phase ? channel->showGain : channel->showPhase)->Font().SetColor(fw::RGB(192, 192, 192));
    // A switch from code moves the mark as a click does (the click's handler finds the mode set).
    if (auto* r = dynamic_cast<TRadioButton*>(phase ? channel->showPhase : channel->showGain))
        r->SetChecked(true);
    DrawPeqCurve(c);
    DrawHighPassCurve(c);
    DrawLowPassCurve(c);
    graph->SetNumHorzGrid(phase ? 7 : 11);
    graph->SetYLabel(phase ? QString() : QStringLiteral("dB"));
    graph->SetYLabelScale(phase ? 10 : 1);
    graph->SetYMax(18);
    graph->SetYMin(-18);
    eq::TMyPEQType8* peq = channel->peq;
    const int k = peq->GetNowIndex();
    if (k >= 0 && k < peq->ChannelNumber())
        plot.ShowBandDetail(peq->GetTypeValue(k), k, float(peq->GetGainValue(k)), float(peq->GetQValue(k)),
                            true);
    graph->UpdateCurvePage();
    channel->box->update();
    FMain.View().MarkChannelCurvesDirty(c);
    RefreshChannelOverlays(c);
}

void PeqPage::rbShowGainInAClick(fw::TControl* Sender)
{
    ViewSwitch(Sender, false);
}

void PeqPage::rbShowPhaseInAClick(fw::TControl* Sender)
{
    ViewSwitch(Sender, true);
}

// ---- Crossovers ----

void PeqPage::isLowCutFreqInAChange(fw::TControl* Sender)
{
    CutFaderChange(Sender, true);
}

void PeqPage::isHighCutFreqInAChange(fw::TControl* Sender)
{
    CutFaderChange(Sender, false);
}

void PeqPage::rzcLowCutSlopInAChange(fw::TControl* Sender)
{
    CutSlopeChange(Sender, true);
}

void PeqPage::rzcHighCutSlopInAChange(fw::TControl* Sender)
{
    CutSlopeChange(Sender, false);
}

void PeqPage::StoreCut(int ch, bool highPass, int freqIndex, int slope)
{
    LUnitControl& unit = *FMain.Unit();
    XoverParam x = unit.GetXover(ch);
    if (highPass) {
        x.hpFreq = int16_t(freqIndex);
        x.hpSlope = uint8_t(slope);
        unit.SetHighPass(ch, x);
    } else {
        x.lpFreq = int16_t(freqIndex);
        x.lpSlope = uint8_t(slope);
        unit.SetLowPass(ch, x);
    }
}

void PeqPage::CutFaderChange(fw::TControl* Sender, bool highPass)
{
    auto* fader = dynamic_cast<fx::TCustomTrackBar*>(Sender);
    Channel* channel = Of(fader);
    if (FMain.UpdatingFlag() || !channel || !FMain.Unit())
        return;
    const int ch = int(fader->Tag());
    const Cut& c = channel->cuts[highPass ? 0 : 1];
    const float f = float(IndexToFreq(fader->Position()));
    c.edit->SetText(EditFreqText(f));
    const int slope = CutSlopeCode(c.bypass->Down(), c.slope->ItemIndex());
    tmHpLpCurve.SetEnabled(true);
    FCurveEdit.channel = ch;
    FCurveEdit.frequency = f;
    FCurveEdit.slope = slope;
    FCurveEdit.kind = highPass ? 1 : 0;
    StoreCut(ch, highPass, fader->Position(), slope);
}

// Slope selector and bypass button: the curve at once (also during a refresh), then the store.
void PeqPage::CutSlopeChange(fw::TControl* Sender, bool highPass)
{
    Channel* channel = Of(Sender);
    if (!channel || !FMain.Unit())
        return;
    const int ch = int(Sender->Tag());
    const Cut& c = channel->cuts[highPass ? 0 : 1];
    const int slope = CutSlopeCode(c.bypass->Down(), c.slope->ItemIndex());
    ComputeCut(ch, highPass, slope, IndexToFreq(c.fader->Position()));
    Plot& plot = *FMain.Plots(ch);
    plot.ShowBandDetail(highPass ? 5 : 6, highPass ? Plot::HighPassSection : Plot::LowPassSection, 0, 0,
                        true);
    plot.DrawTotalCurve(ch);
    channel->graph->UpdateCurvePage();
    if (FMain.UpdatingFlag())
        return;
    StoreCut(ch, highPass, c.fader->Position(), slope);
}

void PeqPage::ComputeCut(int ch, bool highPass, int slope, double frequency)
{
    ComputeHpLpCurve(*FMain.Plots(ch), highPass, slope, frequency, Plot::HighPassSection);
}

void PeqPage::tmHpLpCurveTimer()
{
    tmHpLpCurve.SetEnabled(false);
    const TCurveEdit e = FCurveEdit;
    if (!ValidChannel(e.channel))
        return;
    ComputeCut(e.channel, e.kind != 0, e.slope, e.frequency);
    Plot& plot = *FMain.Plots(e.channel);
    if (e.kind == 1)
        plot.ShowBandDetail(5, Plot::HighPassSection, 0, 0, true);
    else if (e.kind == 0)
        plot.ShowBandDetail(6, Plot::LowPassSection, 0, 0, true);
    plot.DrawTotalCurve(e.channel);
    FChannels[std::size_t(e.channel)].graph->UpdateCurvePage();
}

void PeqPage::DrawHighPassCurve(int ch)
{
    if (ValidChannel(ch) && FMain.Unit())
        DrawCutFromModel(*FMain.Plots(ch), *FMain.Unit(), ch, true);
}

void PeqPage::DrawLowPassCurve(int ch)
{
    if (ValidChannel(ch) && FMain.Unit())
        DrawCutFromModel(*FMain.Plots(ch), *FMain.Unit(), ch, false);
}

// ---- Graph mouse ----

void PeqPage::fftDrawInAMouseDown(fw::TControl* Sender, fw::TMouseButton Button, fw::TShiftState, int X,
                                  int Y)
{
    FSelectedHandle = -1;
    LMyFFTDrawHpLp6dB* graph = nullptr;
    eq::TMyPEQType8* peq = EditorOf(Sender, graph);
    if (!peq)
        return;
    const int ch = int(graph->Tag());
    for (int p = kLastHandle; p >= 0; --p) {
        if (Button != fw::mbLeft || !Hit(*graph, *peq, p, X, Y, 1.0))
            continue;
        FSelectedHandle = p;
        sk::TSkBmpButton* button = BandButton(ch, p);
        if (!button)
            return; // a corner (or a band the channel lacks) stays selected
        button->SetDown(true);
        rzbEq1InAClick(button);
    }
}

void PeqPage::fftDrawInAMouseMove(fw::TControl* Sender, fw::TShiftState, int X, int Y)
{
    if (X == FLastMouseX && Y == FLastMouseY)
        return;
    FLastMouseX = X;
    FLastMouseY = Y;
    const double scale = FMain.logicalDpiX() == 96 ? 1.5 : 1.0;
    LMyFFTDrawHpLp6dB* graph = nullptr;
    eq::TMyPEQType8* peq = EditorOf(Sender, graph);
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
    const double gain = DragGain(m.DownY(Y), peq->GetGainValue(h));
    const double f = DragFrequency(m.AxisX(X));
    if (h <= 30)
        DragBand(*peq, h, ch, f, gain);
    else
        DragCorner(*peq, h, ch, f);
}

void PeqPage::DragBand(eq::TMyPEQType8& peq, int h, int ch, double f, double gain)
{
    sk::TSkBmpButton* button = BandButton(ch, h);
    if (!button)
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
    const PeqBand band{int16_t(GainToIndex(gain)), int16_t(DragBandFreqIndex(f)), uint8_t(QToIndex(q)),
                       uint8_t(std::max(type, 0))};
    peq.SetNowIndex(h);
    if (LUnitControl* unit = FMain.Unit())
        unit->SetPeq(ch, h, band, uint8_t(bypass));
}

void PeqPage::DragCorner(eq::TMyPEQType8& peq, int h, int ch, double f)
{
    LUnitControl* unit = FMain.Unit();
    if (!ValidChannel(ch) || !unit)
        return;
    const bool highPass = h == Plot::HighPassSection;
    const Cut& c = FChannels[std::size_t(ch)].cuts[highPass ? 0 : 1];
    if (highPass)
        c.edit->SetText(EditFreqText(float(f)));
    c.fader->SetPosition(CornerFaderPosition(f));
    tmHpLpCurve.SetEnabled(true);
    FCurveEdit.channel = ch;
    FCurveEdit.frequency = float(f);
    FCurveEdit.slope = CutSlopeCode(c.bypass->Down(), c.slope->ItemIndex());
    FCurveEdit.kind = highPass ? 1 : 0;
    XoverParam x = unit->GetXover(ch);
    if (highPass) {
        x.hpFreq = int16_t(c.fader->Position());
        unit->SetHighPass(int(c.fader->Tag()), x);
    } else {
        x.lpFreq = int16_t(c.fader->Position());
        unit->SetLowPass(int(c.fader->Tag()), x);
    }
    sk::TSkBmpButton* rowButton = BandButton(ch, peq.GetNowIndex());
    if (!rowButton)
        return;
    peq.SetNowIndex(-1);
    rowButton->SetDown(false);
    c.edit->Font().SetColor(kDragTextColour);
}

void PeqPage::fftDrawInAMouseUp(fw::TControl* Sender, fw::TMouseButton, fw::TShiftState, int, int)
{
    auto* graph = dynamic_cast<LMyFFTDrawHpLp6dB*>(Sender);
    if (!graph)
        return;
    // The Gain page's graphs act for input A.
    const int ch = ValidChannel(graph->Tag()) ? int(graph->Tag()) : 0;
    for (Cut& c : FChannels[std::size_t(ch)].cuts)
        c.edit->Font().SetColor(fw::clBlack);
    FSelectedHandle = -1;
}

void PeqPage::tmMouseEqCurveTimer()
{
    tmMouseEqCurve.SetEnabled(false);
    const TCurveEdit e = FCurveEdit;
    if (!ValidChannel(e.channel) || e.band < 0 || e.band > 30)
        return;
    ShowPeqParams(e.channel, true, e.q, e.gain, e.frequency);
    FocusEqFreqEdit(e.channel);
    Plot& plot = *FMain.Plots(e.channel);
    const int type = std::clamp(e.type, 0, PeqTypeCount - 1);
    plot.Section(e.band).SetFilterSection(e.bypass ? 0.0 : e.gain, e.frequency, e.q,
                                          e.bypass ? FilterCodeBypass : PeqTypeCodes[std::size_t(type)]);
    plot.DrawBandMarker(e.band, float(e.gain), 1);
    plot.ShowBandDetail(type, e.band, float(e.gain), e.q, true);
    plot.DrawTotalCurve(e.channel);
    const Channel& c = FChannels[std::size_t(e.channel)];
    c.param->SetVisible(true);
    c.graph->UpdateCurvePage();
}

void PeqPage::vrbEqShowAllInAClick(fw::TControl* Sender)
{
    auto* button = dynamic_cast<sk::TLedPowerButton*>(Sender);
    Channel* c = Of(button);
    if (!c)
        return;
    // The display follows the button (it has switched itself before the click), so a click that
    // arrives twice, or a state set by code, cannot leave the two apart.
    c->graph->SetParameterDisplay(button->Active());
    c->graph->UpdateCurvePage();
    c->box->update();
}

// ---- Overlays ----

void PeqPage::RefreshChannelOverlays(int ch)
{
    if (!ValidChannel(ch))
        return;
    Plot& plot = *FMain.Plots(ch);
    const Channel& c = FChannels[std::size_t(ch)];
    for (int k = FirstOfKind(ch); k < EndOfKind(ch); ++k) {
        if (k == ch)
            continue;
        const unsigned bit = 1u << k;
        unsigned& dirty = FMain.CurveDirtyMask(ch);
        if (!(dirty & bit))
            continue;
        dirty &= ~bit;
        const int slot = OverlaySlot(ch, k);
        plot.Section(slot).SetCurve(FMain.Plots(k)->Section(Plot::TotalSection).curve());
        if (c.overlays[std::size_t(k)]->Active())
            plot.DrawSectionCurve(slot, ChannelColours[std::size_t(k)]);
    }
    c.graph->UpdateCurvePage();
}

void PeqPage::RefreshGainPageOverlays()
{
    for (int k = 0; k < 9; ++k) {
        Plot& target = *FMain.Plots(k < 3 ? kGainInGraph : kGainOutGraph);
        target.Section(k).SetCurve(FMain.Plots(k)->Section(Plot::TotalSection).curve());
    }
    for (int k = 0; k < 9; ++k) {
        const int g = k < 3 ? kGainInGraph : kGainOutGraph;
        const unsigned bit = 1u << k;
        unsigned& dirty = FMain.CurveDirtyMask(g);
        if (FGainOverlays[std::size_t(k)]->Active() && (dirty & bit)) {
            dirty &= ~bit;
            FMain.Plots(g)->DrawSectionCurve(k, ChannelColours[std::size_t(k)]);
        }
    }
    for (LMyFFTDrawHpLp6dB* graph : FGainGraphs)
        graph->UpdateCurvePage();
}

void PeqPage::UpdateLinkedOverlayButtons(int ch, bool visible)
{
    if (!ValidChannel(ch))
        return;
    auto apply = [&](sk::TLedPowerButton* b, int graph) {
        b->SetVisible(visible);
        if (!visible) {
            b->SetActive(false);
            FMain.CurveDirtyMask(graph) &= ~(1u << ch);
            FMain.Plots(graph)->RemoveCurve(OverlaySlot(graph, ch));
        }
    };
    apply(FGainOverlays[std::size_t(ch)], ch < 3 ? kGainInGraph : kGainOutGraph);
    for (int page = FirstOfKind(ch); page < EndOfKind(ch); ++page)
        if (page != ch)
            apply(FChannels[std::size_t(page)].overlays[std::size_t(ch)], page);
}

void PeqPage::vrbShowOverlayClick(fw::TControl* Sender, int g)
{
    auto* b = dynamic_cast<sk::TLedPowerButton*>(Sender);
    if (!b || g < 0 || g > kGainOutGraph)
        return;
    const int k = int(b->Tag());
    if (!ValidChannel(k))
        return;
    FMain.CurveDirtyMask(g) &= ~(1u << k);
    Plot& plot = *FMain.Plots(g);
    const int slot = OverlaySlot(g, k);
    if (b->Active())
        plot.DrawSectionCurve(slot, ChannelColours[std::size_t(k)]);
    else
        plot.RemoveCurve(slot);
    Graph(g)->UpdateCurvePage();
}

// ---- Refresh ----

void PeqPage::ShowChannelPeq(int ch)
{
    LUnitControl* unit = FMain.Unit();
    if (!unit || !ValidChannel(ch))
        return;
    eq::TMyPEQType8* peq = FChannels[std::size_t(ch)].peq;
    peq->SetNowIndex(0);
    for (int b = 0; b < BandCount(ch); ++b) {
        const PeqBand band = unit->GetPeq(ch, b);
        const float hz = float(1000.0 * std::pow(FreqStepRatio, band.freq - 170));
        peq->SetEqParamValue(b, hz, band.q, (band.gain - 120) * 0.1, band.type, unit->GetPeqBypass(ch, b));
    }
}

void PeqPage::ShowCut(int ch, bool highPass, int freqIndex, int slope)
{
    if (!ValidChannel(ch))
        return;
    const Cut& c = FChannels[std::size_t(ch)].cuts[highPass ? 0 : 1];
    c.fader->SetPosition(freqIndex);
    c.edit->SetText(CutFrequencyText(c.fader->Position()));
    if (slope >= 1) {
        c.slope->SetItemIndex(slope - 1);
        c.bypass->SetDown(false);
    } else {
        c.bypass->SetDown(true);
    }
}

void PeqPage::ShowPeqBypassMark(int ch)
{
    LUnitControl* unit = FMain.Unit();
    if (!unit || !ValidChannel(ch))
        return;
    DrawBypassMark(*FChannels[std::size_t(ch)].graph,
                   unit->GetEqBypassMask(ch) & (1u << (ch < 3 ? ch : ch - 3)));
}

// The channel's bands, cuts and total curve on its graph.
void PeqPage::DrawChannelCurve(int ch)
{
    LUnitControl& unit = *FMain.Unit();
    Plot& plot = *FMain.Plots(ch);
    const int bands = BandCount(ch);
    for (int b = 0; b < bands; ++b) {
        const PeqBand band = unit.GetPeq(ch, b);
        const int type =
            unit.GetPeqBypass(ch, b) ? 10 : PeqTypeCodes[std::size_t(std::min<int>(band.type, 9))];
        plot.Section(b).SetFilterSection((band.gain - 120) * 0.1, IndexToFreq(band.freq),
                                         QTable[std::min<int>(band.q, 100)], type);
    }
    const XoverParam x = unit.GetXover(ch);
    ComputeHpLpCurve(plot, true, x.hpSlope, IndexToFreq(x.hpFreq), Plot::HighPassSection);
    ComputeHpLpCurve(plot, false, x.lpSlope, IndexToFreq(x.lpFreq), Plot::HighPassSection);
    plot.DrawTotalCurve(ch);
    for (int b = 0; b < bands; ++b)
        plot.DrawBandMarker(b, float((unit.GetPeq(ch, b).gain - 120) * 0.1), 1);
    FChannels[std::size_t(ch)].graph->UpdateCurvePage();
}

} // namespace app
