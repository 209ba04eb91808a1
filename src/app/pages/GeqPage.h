// The graphic equaliser page. A fader stores its band at once; the total curve is redrawn by a 1 ms
// one-shot timer, so a drag gives one redraw per event-loop turn. The three inputs' panels lie on each
// other: the selector shows a linked input's leader panels captioned with the clicked input.
#pragma once

#include "app/pages/Page.h"
#include "runtime/Timer.h"

#include <array>

namespace fx
{
class TCustomTrackBar;
}

namespace graph
{
class LMyFFTDrawHpLp6dB;
}

namespace sk
{
class TSkBmpButton;
}

namespace app
{

class GeqPage : public TPage
{
  public:
    using TPage::TPage;
    void Bind(TControlBinder& b) override;
    void Connect() override;

    void isGeqCh01InAChange(fw::TControl* Sender); // the 31 faders of input A (B, C below)
    void isGeqCh01InBChange(fw::TControl* Sender);
    void isGeqCh01InCChange(fw::TControl* Sender);
    void tmGeqCurveTimer();
    bool GeqCurvePending() const { return tmGeqCurve.Enabled(); }
    void rzbGeqSelInAClick(fw::TControl* Sender);
    void vrbEqBypassGeqInAClick(fw::TControl* Sender);
    void vrbEqResetGeqInAClick(fw::TControl* Sender);
    // The reset dialog's OK (target 9 + input): every band to its default, stored and sent.
    void ResetGeqBands(int target);

    // Refresh: the input's faders and gain texts, its bypass mark, and its total curve from the model.
    void ShowGeqBands(int input);
    void ShowGeqBypass(int input);
    void DrawGeqCurve(int input);

  private:
    struct Input {
        std::array<fx::TCustomTrackBar*, 31> faders{}; // isGeqChNN
        std::array<fw::TControl*, 31> gains{};         // lbGeqGainChNN
        graph::LMyFFTDrawHpLp6dB* graph = nullptr;     // fftDrawGeq
        sk::TSkBmpButton* selector = nullptr;          // rzbGeqSelIn
        fw::TControl* bypass = nullptr;                // vrbEqBypassGeq
        fw::TControl* reset = nullptr;                 // vrbEqResetGeq
        fw::TControl* faderBox = nullptr;              // rzgGeq
        fw::TControl* graphBox = nullptr;              // rzgFftGeq
        fw::TControl* faderCaption = nullptr;          // lbGeq (input A's is lbGeqinA)
        fw::TControl* graphCaption = nullptr;          // lbFftChGeq
    };
    void GeqFaderChange(fw::TControl* Sender, int input);
    void MarkBypass(Input& in, bool bypass);
    std::array<Input, 3> FInputs{};
    struct GeqCurve {
        int tag = 11; // the GEQ graph: 11 + input
        int band = 0;
        double gain = 0;
        float q = 8.65f;
    };
    GeqCurve FGeqCurve;    // waiting for tmGeqCurve
    fw::TTimer tmGeqCurve; // one-shot, 1 ms
};

} // namespace app
