// bench-editing: a band dragged on output 1's graph, from the mouse event through the curve timer and
// the link session to the frame on a test device over loopback TCP (real timers), with the repainted
// graph; and a gain-fader drag over a linked group of six outputs (offscreen).
#include "TestDevice.h"
#include "app/main/MainLayout.h"
#include "app/main/MainSessionView.h"
#include "app/main/TfmMain.h"
#include "app/pages/PeqPage.h"
#include "base/ValueScales.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/smooth/TrackBar.h"
#include "eq/TMyPEQType8.h"
#include "graph/LMyFFTDrawHpLp6dB.h"
#include "model/LUnitControl.h"
#include "proto/LCmd.h"
#include "session/LLinkSession.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QThread>
#include <benchmark/benchmark.h>
#include <cmath>
#include <functional>

namespace
{

void SendMouse(QWidget* w, QEvent::Type type, int x, int y, Qt::MouseButton b, Qt::MouseButtons held)
{
    const QPointF p(x, y);
    QMouseEvent e(type, p, w->mapToGlobal(p), b, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// Runs the event loop until pred holds or the time is up.
bool Until(const std::function<bool()>& pred, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!pred()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(200);
    }
    return true;
}

// Opens the window's own link to the test device and waits for the full read to end.
bool Connect(app::TfmMain& w, morvex_device::TestDevice& device)
{
    if (!device.StartTcp(0))
        return false;
    LLinkSession& s = w.Session();
    s.Core.ClientSocket.Address = "127.0.0.1";
    s.Core.ClientSocket.Port = device.Port();
    s.Core.ClientSocket.SetActive(true);
    if (!Until([&] { return s.Core.ClientSocket.Connected(); }, 10000) || !s.OpenNet())
        return false;
    return Until([&] { return s.Machine.Online() && !s.Machine.Busy() && w.View().LevelPollOn(); }, 20000);
}

// Each move waits until the band's command left through the session (the curve timer fired) and the
// graph is repainted. Counters: commands and device frames per move.
void BandDragOnTheGraph(benchmark::State& state)
{
    morvex_device::TestDevice device;
    app::TfmMain w;
    w.CreateDialogs();
    w.show();
    if (!Connect(w, device)) {
        state.SkipWithError("the test device was not reached");
        w.SetExitConfirmed(true);
        return;
    }
    int commands = 0;
    w.Session().OnSend = [&](const LCmd& cmd, bool) {
        if (cmd.GetCode() != proto::kLevels)
            ++commands;
    };
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
    const std::size_t framesBefore = device.ReceivedCodes().size();
    commands = 0;
    int i = 0;
    for (auto _ : state) {
        ++i;
        const int d = i % 80 + 1;
        const int sent = commands;
        SendMouse(graph, QEvent::MouseMove, x + d * 3, y - d, Qt::NoButton, Qt::LeftButton);
        Until([&] { return commands > sent; }, 200);
        graph->repaint();
    }
    SendMouse(graph, QEvent::MouseButtonRelease, x + (i % 80 + 1) * 3, y, Qt::LeftButton, Qt::NoButton);
    Until([&] { return w.Session().Core.QueuedFrames() == 0; }, 5000);
    const double moves = double(std::max(i, 1));
    state.counters["commands/move"] = double(commands) / moves;
    state.counters["frames/move"] = double(device.ReceivedCodes().size() - framesBefore) / moves;
    w.SetExitConfirmed(true);
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
