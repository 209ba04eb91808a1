// bench-editing: a band dragged on output 1's graph, from the mouse event to the repainted graph and
// the queued command, and a gain-fader drag over a linked group of six outputs (offscreen).
#include "app/main/MainLayout.h"
#include "app/main/TfmMain.h"
#include "app/pages/PeqPage.h"
#include "base/ValueScales.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/smooth/TrackBar.h"
#include "eq/TMyPEQType8.h"
#include "graph/LMyFFTDrawHpLp6dB.h"
#include "model/LUnitControl.h"
#include "proto/LCmd.h"
#include "runtime/Timer.h"
#include "session/LLinkSession.h"

#include <QApplication>
#include <QMouseEvent>
#include <benchmark/benchmark.h>
#include <cmath>

namespace
{

void SendMouse(QWidget* w, QEvent::Type type, int x, int y, Qt::MouseButton b, Qt::MouseButtons held)
{
    const QPointF p(x, y);
    QMouseEvent e(type, p, w->mapToGlobal(p), b, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void BandDragOnTheGraph(benchmark::State& state)
{
    fw::FakeTimerScope clock;
    app::TfmMain w;
    w.CreateDialogs();
    int frames = 0;
    w.Session().OnSend = [&](const LCmd&, bool) { ++frames; };
    w.show();
    w.rzbMenuInAClick(w.Get<sk::TSkBmpButton>(QStringLiteral("rzbMenuOut1")));
    QApplication::processEvents();
    auto* graph = w.Get<graph::LMyFFTDrawHpLp6dB>(QStringLiteral("fftDrawOut1"));
    auto* band = w.Get<sk::TSkBmpButton>(QStringLiteral("rzbEq3Out1"));
    band->SetDown(true);
    w.Peq().rzbEq1InAClick(band);
    graph->repaint();
    const double db = w.Get<eq::TMyPEQType8>(QStringLiteral("peqPeqOut1"))->GetGainValue(2);
    const graph::TPlotFrame frame = graph->PlotFrame();
    const int x = frame.Left + graph->GetBlockPos(2).X;
    const int y = frame.Top + int(std::lround((18 - db) / 36 * graph->GetPlotHeight()));
    SendMouse(graph, QEvent::MouseButtonPress, x, y, Qt::LeftButton, Qt::LeftButton);
    int i = 0;
    for (auto _ : state) {
        ++i;
        const int d = i % 80;
        SendMouse(graph, QEvent::MouseMove, x + d * 3, y - d, Qt::NoButton, Qt::LeftButton);
        clock.Fake.Advance(1); // the curve timer
        graph->repaint();
    }
    SendMouse(graph, QEvent::MouseButtonRelease, x, y, Qt::LeftButton, Qt::NoButton);
    state.counters["frames/move"] = double(frames) / double(std::max(i, 1));
}
BENCHMARK(BandDragOnTheGraph)->Unit(benchmark::kMillisecond);

void GainDragOverSixLinkedOutputs(benchmark::State& state)
{
    app::TfmMain w;
    w.CreateDialogs();
    int frames = 0;
    w.Session().OnSend = [&](const LCmd&, bool) { ++frames; };
    w.Unit()->SetLink(3, 0x3F);
    for (int ch = 4; ch < 9; ++ch)
        w.Unit()->SetLink(ch, 0);
    w.show();
    w.rzbMenuInAClick(w.Get<sk::TSkBmpButton>(QStringLiteral("rzbMenuOut1")));
    QApplication::processEvents();
    auto* fader = w.Get<fx::TCustomTrackBar>(QStringLiteral("isGainOut1"));
    frames = 0;
    int i = 0;
    for (auto _ : state) {
        ++i;
        fader->SetPosition(-(i % 200));
        QApplication::processEvents(); // the moved controls repaint
    }
    state.counters["frames/move"] = double(frames) / double(std::max(i, 1));
}
BENCHMARK(GainDragOverSixLinkedOutputs)->Unit(benchmark::kMillisecond);

} // namespace
