// bench-chart: adding 1,000,000 points to a chart channel and converting them to pixels, against
// a plain std::vector<double> push and linear map of the same data, timed in the same run. The
// "ratio" counter is chart time / vector time (target: within 3).
#include "chart/axes/PlotAxis.h"
#include "chart/channels/PlotChannelCustom.h"
#include "chart/objects/MasterManager.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <vector>

namespace
{

constexpr int Points = 1000000;

class BenchChannel : public chart::TcPlotChannelCustom
{
  public:
    using TcPlotChannelCustom::TcPlotChannelCustom;
    void CalcStartIndex() override { FStartIndex = 0; }
    void CalcStopIndex() override { FStopIndex = Count() - 1; }
};

double ValueAt(int i)
{
    return std::sin(i * 0.001) * 50;
}

void BM_ChannelAddAndMap(benchmark::State& state)
{
    chart::TcPlotHost host;
    host.Master().SetChannelClass(
        [](chart::TcPlotOwner* o, const chart::TcPlotHandlers& h) { return new BenchChannel(o, h); });
    host.Master().AddXAxis();
    host.Master().AddYAxis();
    host.Master().AddChannel();
    chart::TcPlotAxis* x = host.Master().XAxisManager()->GetItem(0);
    chart::TcPlotAxis* y = host.Master().YAxisManager()->GetItem(0);
    auto* channel = host.Master().ChannelManager()->GetItem(0);
    for (chart::TcPlotAxis* a : {x, y})
        a->SetTrackingEnabled(false);
    x->SetScaleRect({42, 11, 599, 198});
    y->SetScaleRect({42, 11, 599, 198});
    x->SetMinSpan(0, Points);
    y->SetMinSpan(-60, 120);

    std::vector<double> values(Points);
    for (int i = 0; i < Points; ++i)
        values[std::size_t(i)] = ValueAt(i);
    using clock = std::chrono::steady_clock;
    double chartSeconds = 0, vectorSeconds = 0;
    for (auto _ : state) {
        auto t0 = clock::now();
        channel->DeletePoints(channel->Count());
        for (int i = 0; i < Points; ++i)
            channel->AddXY(i, values[std::size_t(i)]);
        long long sum = 0;
        for (int i = 0; i < Points; ++i)
            sum += x->PositionToPixels(channel->GetPointX(i)) + y->PositionToPixels(channel->GetPointY(i));
        benchmark::DoNotOptimize(sum);
        auto t1 = clock::now();

        std::vector<double> xs, ys;
        for (int i = 0; i < Points; ++i) {
            xs.push_back(i);
            ys.push_back(values[std::size_t(i)]);
        }
        const double kx = 557.0 / Points, ky = 187.0 / 120;
        long long plain = 0;
        for (int i = 0; i < Points; ++i)
            plain += std::lround(42 + (xs[i] - 0) * kx) + std::lround(198 - (ys[i] + 60) * ky);
        benchmark::DoNotOptimize(plain);
        auto t2 = clock::now();
        chartSeconds += std::chrono::duration<double>(t1 - t0).count();
        vectorSeconds += std::chrono::duration<double>(t2 - t1).count();
    }
    const double n = double(state.iterations()) * Points;
    state.counters["chart_points_per_s"] = n / chartSeconds;
    state.counters["vector_points_per_s"] = n / vectorSeconds;
    state.counters["ratio"] = chartSeconds / vectorSeconds;
}
BENCHMARK(BM_ChannelAddAndMap)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
