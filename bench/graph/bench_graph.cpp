// The response graph's repaint: a full repaint of a 1070 x 255 graph holding 31 band sections, both
// cuts, the total and 8 overlays, and the repaint after one band edit; the painted screen included.
#include "GraphScene.h"
#include "curves/CurveColours.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace graph;

namespace
{

QApplication& App()
{
    static int argc = 1;
    static char name[] = "bench-graph";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

// A graph with every plot a main-window graph can hold, markers on the 31 bands and one band selected.
struct FullGraph {
    LMyFFTDrawHpLp6dB g;
    Plot plot{&g};
    QImage screen{1070, 255, QImage::Format_RGB32};
    std::array<std::vector<double>, 2> editCurves;

    FullGraph()
    {
        graphscene::ConfigureLikeMainWindow(g, 1070);
        g.PaintPages();
        for (int n = 0; n < 31; ++n) {
            plot.Section(n).SetFilterSection((n % 7) - 3.0, GeqCentres[std::size_t(n)], 4.0, 1);
            plot.DrawSectionCurve(n, MarkerColours[std::size_t(n)]);
        }
        ComputeHpLpCurve(plot, true, 6, 40.0, Plot::HighPassSection);
        ComputeHpLpCurve(plot, false, 6, 16000.0, Plot::HighPassSection);
        plot.DrawSectionCurve(Plot::HighPassSection, fw::clAqua);
        plot.DrawSectionCurve(Plot::LowPassSection, fw::clAqua);
        plot.DrawTotalCurve(3);
        for (int k = 0; k < 8; ++k)
            graphscene::DrawOverlay(g, Plot::FirstOverlaySection + k, k % 9, -8.0 + 2.0 * k);
        for (int n = 0; n < 31; ++n)
            plot.DrawBandMarker(n, float((n % 7) - 3.0), 1);
        plot.ShowBandDetail(0, 12, -1.0f, 4.0f, true);
        g.UpdateCurvePage();
        for (int i = 0; i < 2; ++i) {
            FilterSection s;
            s.SetFilterSection(i ? 6.0 : -6.0, 1000.0, 2.0, 1);
            editCurves[std::size_t(i)].assign(s.curve().begin(), s.curve().end());
        }
    }
    void Show() { g.ComposeScreen(screen); }
};

void BM_GraphFullRepaint(benchmark::State& state)
{
    App();
    FullGraph f;
    for (auto _ : state) {
        f.g.PaintPages();
        f.Show();
    }
    state.counters["plots"] = f.g.PlotCount();
}
BENCHMARK(BM_GraphFullRepaint)->Unit(benchmark::kMicrosecond);

// The same after a range change: every plot's points are mapped again.
void BM_GraphFullRepaintNewRange(benchmark::State& state)
{
    App();
    FullGraph f;
    int i = 0;
    for (auto _ : state) {
        f.g.SetAutoRedraw(false);
        f.g.SetYMax((++i & 1) ? 18.0 : 18.5);
        f.g.SetAutoRedraw(true); // redraws
        f.Show();
    }
}
BENCHMARK(BM_GraphFullRepaintNewRange)->Unit(benchmark::kMicrosecond);

// One band edit as the main window makes it: the band's section and the total curve are replaced,
// its marker and selected-band detail drawn again, and the plot page is shown.
void BM_GraphBandEdit(benchmark::State& state)
{
    App();
    FullGraph f;
    std::vector<double> total(4096);
    int i = 0;
    for (auto _ : state) {
        const auto& c = f.editCurves[std::size_t(++i & 1)];
        for (std::size_t p = 0; p < total.size(); ++p)
            total[p] = c[p] * 0.5;
        f.g.FFTDraw(c.data(), 4096, 12, fw::clRed, 0);
        f.g.FFTDraw(total.data(), 4096, Plot::TotalSection, fw::clRed, 0);
        f.g.DrawBlock((i & 1) ? 6.0 : -6.0, 2624.9, fw::clRed, 12, false, 1);
        f.g.SetBlockParameter(12, 1000.0, (i & 1) ? 6.0 : -6.0, 2.0, 1);
        f.g.DrawParam(0, (i & 1) ? 6.0 : -6.0, 2624.9, 1000.0f, 2.0, fw::clYellow);
        f.g.DrawCurveFill(0, c.data(), 4096);
        f.g.SetCurveDisplay(true);
        f.g.UpdateCurvePage();
        f.Show();
    }
}
BENCHMARK(BM_GraphBandEdit)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
