// bench-shell: the main window's creation to shown, the full refresh, one resize pass and full repaints
// of the Gain page and of output 1's PEQ page (offscreen).
#include "app/main/MainLayout.h"
#include "app/main/TfmMain.h"
#include "controls/panels/SkBmpButton.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace
{

void CreationToShown(benchmark::State& state)
{
    for (auto _ : state) {
        app::TfmMain w;
        w.show();
        QApplication::processEvents();
    }
}
BENCHMARK(CreationToShown)->Unit(benchmark::kMillisecond);

void FullRefresh(benchmark::State& state)
{
    app::TfmMain w;
    w.CreateDialogs();
    for (auto _ : state)
        w.ShowAllParams(w.Unit());
}
BENCHMARK(FullRefresh)->Unit(benchmark::kMillisecond);

void ResizePass(benchmark::State& state)
{
    app::TfmMain w;
    w.show();
    bool big = false;
    for (auto _ : state) {
        big = !big;
        w.resize(big ? 1392 : 1117, big ? 870 : 697);
    }
}
BENCHMARK(ResizePass)->Unit(benchmark::kMillisecond);

void Repaint(benchmark::State& state, const char* button)
{
    app::TfmMain w;
    w.show();
    w.rzbMenuInAClick(w.Get<sk::TSkBmpButton>(QString::fromLatin1(button)));
    QApplication::processEvents();
    for (auto _ : state)
        benchmark::DoNotOptimize(w.grab());
}
BENCHMARK_CAPTURE(Repaint, GainPage, "rzbMenuGain")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Repaint, Out1PeqPage, "rzbMenuOut1")->Unit(benchmark::kMillisecond);

} // namespace
