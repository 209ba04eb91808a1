// bench-dynamics: dragging a compressor threshold on the compressor page, one fader move at a time:
// the model stores and the frame is built (the send path up to the wire bytes), the linked outputs are
// mirrored, the deferred redraw places the curve and the chart repaints (offscreen).
#include "app/main/MainLayout.h"
#include "app/main/TfmMain.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/smooth/TrackBar.h"
#include "model/LUnitControl.h"
#include "proto/LCmd.h"
#include "runtime/Timer.h"
#include "session/LLinkSession.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace
{

void DragCompressorThreshold(benchmark::State& state)
{
    fw::FakeTimerScope timers;
    app::TfmMain w;
    w.CreateDialogs();
    std::size_t wireBytes = 0;
    w.Session().OnSend = [&](const LCmd& c, bool) { wireBytes += BuildFrame(c).size(); };
    w.show();
    w.rzbMenuInAClick(w.Get<sk::TSkBmpButton>(QStringLiteral("rzbMenuComp")));
    if (state.range(0)) { // all six outputs follow Out1
        for (int ch = 4; ch < 9; ++ch)
            w.Unit()->SetLink(ch, 0);
        w.Unit()->SetLink(3, 0b111111);
    }
    QApplication::processEvents();
    auto* fader = w.Get<fx::TCustomTrackBar>(QStringLiteral("isCompThresholdOut1"));
    auto* chart = w.Get<QWidget>(QStringLiteral("ipComp"));
    int position = fader->Min(), step = 1;
    for (auto _ : state) {
        if (position + step > fader->Max() || position + step < fader->Min())
            step = -step;
        position += step;
        fader->SetPosition(position);
        timers.Fake.Advance(1);
        chart->repaint();
    }
    benchmark::DoNotOptimize(wireBytes);
    w.SetExitConfirmed(true);
}
BENCHMARK(DragCompressorThreshold)->Arg(0)->Arg(1)->ArgName("linkedOutputs")->Unit(benchmark::kMicrosecond);

} // namespace
