// The editing on the channel pages: the parametric equaliser (band table, band buttons, panel faders
// and edits, reset, bypass over the link group, magnitude/phase view), the crossover cuts, the graph
// mouse (select and drag a band or a cut corner) and the overlays of other channels' curves. Each
// handler serves the controls of all nine channels; the Gain page's two graphs take the mouse and the
// overlays too.
#pragma once

#include "app/pages/Page.h"
#include "runtime/Timer.h"

#include <array>

namespace fx
{
class TCustomTrackBar;
class TRoundEdit;
} // namespace fx

namespace sk
{
class TSkBmpButton;
class TSkComboBox;
class TLedPowerButton;
} // namespace sk

namespace eq
{
class TMyPEQType8;
class TPeqHeader;
} // namespace eq

namespace graph
{
class LMyFFTDrawHpLp6dB;
}

namespace app
{

class PeqPage : public TPage
{
  public:
    using TPage::TPage;
    void Bind(TControlBinder& b) override;
    void Connect() override;

    // PEQ.
    void peqPeqInAChange(fw::TControl* Sender);
    void peqPeqInAEditMouseDown(fw::TControl* Sender);
    void rzbEq1InAClick(fw::TControl* Sender);
    void isEqFreqInAChange(fw::TControl* Sender);
    void isEqBwInAChange(fw::TControl* Sender);
    void isEqGainInAChange(fw::TControl* Sender);
    void tmEqCurveTimer();
    void cvdEqFreqInAKeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState Shift);
    // The three panel edits show their faders' values.
    void ShowPeqPanelTexts(int ch);
    void vrbEqResetInAClick(fw::TControl* Sender);
    // The reset dialog's confirmation: every band of the channel to its default, each sent.
    void ResetPeqBands(int channel);
    void vrbEqBypassInAClick(fw::TControl* Sender);
    void rbShowGainInAClick(fw::TControl* Sender);
    void rbShowPhaseInAClick(fw::TControl* Sender);
    void ShowPeqParams(int ch, bool enabled, double q, double gain, double freq);
    void DrawPeqCurve(int ch);
    void FocusEqFreqEdit(int ch);
    // Crossovers.
    void isLowCutFreqInAChange(fw::TControl* Sender);
    void isHighCutFreqInAChange(fw::TControl* Sender);
    void rzcLowCutSlopInAChange(fw::TControl* Sender);
    void rzcHighCutSlopInAChange(fw::TControl* Sender);
    void tmHpLpCurveTimer();
    void DrawHighPassCurve(int ch);
    void DrawLowPassCurve(int ch);
    // Graph mouse.
    void fftDrawInAMouseDown(fw::TControl* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X,
                             int Y);
    void fftDrawInAMouseMove(fw::TControl* Sender, fw::TShiftState Shift, int X, int Y);
    void DragBand(eq::TMyPEQType8& peq, int h, int ch, double f, double gain);
    void DragCorner(eq::TMyPEQType8& peq, int h, int ch, double f);
    void fftDrawInAMouseUp(fw::TControl* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X,
                           int Y);
    void tmMouseEqCurveTimer();
    void vrbEqShowAllInAClick(fw::TControl* Sender);
    int SelectedHandle() const { return FSelectedHandle; }
    // Overlays (graph: 0..8 the channel pages, 9 and 10 the Gain page's inputs and outputs).
    void vrbShowOverlayClick(fw::TControl* Sender, int graph);
    // The overlay buttons of ch's curve on other graphs follow whether ch leads its group.
    void UpdateLinkedOverlayButtons(int ch, bool visible);

    // Refresh: the band table, cuts and bypass mark of a channel from the model; its bands, cuts and
    // total curve on its graph; the overlays a shown page consumes; no band selected (before a
    // refresh) and the first band of every channel selected (after it).
    void ShowChannelPeq(int ch);
    void ShowCut(int ch, bool highPass, int freqIndex, int slope);
    void ShowPeqBypassMark(int ch);
    void DrawChannelCurve(int ch);
    void RefreshGainPageOverlays();
    void RefreshChannelOverlays(int page);
    void DeselectPeqBands();
    void SelectFirstPeqBands();

    // The last edit that waits for a curve timer.
    struct TCurveEdit {
        int kind = 0; // crossovers: 1 high-pass, 0 low-pass
        int channel = 0;
        float frequency = 0;
        int slope = 0;
        double gain = 0;
        float q = 0;
        int bypass = 0;
        int type = 0;
        int band = 0;
    };
    // The panel fader edit that waits for tmEqCurve.
    struct TPendingEq {
        int kind = 0; // 0 frequency, 1 Q index, 2 gain
        int channel = 0;
        double value = 0;
    };

  private:
    // One cut of a channel: [0] the low cut (high-pass), [1] the high cut (low-pass).
    struct Cut {
        fx::TCustomTrackBar* fader = nullptr; // isLowCutFreq
        fx::TRoundEdit* edit = nullptr;       // cvdLowCutFreq
        sk::TSkComboBox* slope = nullptr;     // rzcLowCutSlop
        sk::TSkBmpButton* bypass = nullptr;   // rzbLowCutBypass
    };
    struct Channel {
        eq::TMyPEQType8* peq = nullptr;                                     // peqPeq
        eq::TPeqHeader* heading = nullptr;                                  // lbEq
        fw::TControl* param = nullptr;                                      // lbFftParam
        std::array<sk::TSkBmpButton*, 9> bands{};                           // rzbEq1..; an input has eight
        graph::LMyFFTDrawHpLp6dB* graph = nullptr;                          // fftDraw
        QWidget* box = nullptr;                                             // rzgFft
        fx::TCustomTrackBar *freq = nullptr, *q = nullptr, *gain = nullptr; // isEqFreq, isEqBw, isEqGain
        fx::TRoundEdit *freqEdit = nullptr, *qEdit = nullptr, *gainEdit = nullptr; // cvdEq...
        fw::TControl *reset = nullptr, *bypass = nullptr;                          // vrbEqReset, vrbEqBypass
        fw::TControl *showGain = nullptr, *showPhase = nullptr;                    // rbShowGain, rbShowPhase
        sk::TLedPowerButton* showAll = nullptr;                                    // vrbEqShowAll
        std::array<Cut, 2> cuts{};
        std::array<sk::TLedPowerButton*, 9> overlays{}; // vrbShow<k>: the other channels of the kind
    };
    Channel* Of(const fw::TControl* sender);
    sk::TSkBmpButton* BandButton(int ch, int band);
    graph::LMyFFTDrawHpLp6dB* Graph(int g);
    eq::TMyPEQType8* EditorOf(fw::TControl* sender, graph::LMyFFTDrawHpLp6dB*& graph);
    void ShowBandOnGraph(int ch, int band, bool focus, bool pressButton);
    void ViewSwitch(fw::TControl* Sender, bool phase);
    void CutFaderChange(fw::TControl* Sender, bool highPass);
    void CutSlopeChange(fw::TControl* Sender, bool highPass);
    void ComputeCut(int ch, bool highPass, int slope, double frequency);
    void StoreCut(int ch, bool highPass, int freqIndex, int slope);

    std::array<Channel, 9> FChannels{};
    std::array<graph::LMyFFTDrawHpLp6dB*, 2> FGainGraphs{}; // fftDrawGainIn, fftDrawGainOut
    std::array<sk::TLedPowerButton*, 9> FGainOverlays{};    // vrbShow<k>Gain
    fw::TTimer tmEqCurve, tmHpLpCurve, tmMouseEqCurve;
    TCurveEdit FCurveEdit;
    TPendingEq FPendingEq;
    int FSelectedHandle = -1;
    int FLastMouseX = 0, FLastMouseY = 0;
};

} // namespace app
