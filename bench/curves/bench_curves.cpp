// Curve computation of one output channel: nine parametric bands and both
// cuts at 48 dB per octave. Figures: one band edit (the band's design, its own
// curve and the channel's total) and the whole channel recomputed (every
// section designed, its own dB curve computed, all summed). Run
// bench/curves/sosfreqz_bench.py for scipy's figures on the same sections; it
// states what each side computes.
//
//   bench-curves [benchmark options]
//   bench-curves --print-sections   the channel's biquads, one "b0 b1 b2 a0 a1 a2" a line
//   bench-curves --print-total      the channel's total curve, one value a line
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>

#include "curves/Crossover.h"
#include "curves/Plot.h"

namespace
{

struct Band {
    double gain, frequency, q;
    int type;
};

// A plausible two-way top: the type codes of the band editor's types.
constexpr Band Bands[9] = {
    {3.0, 45.0, 1.4, 1},    {-4.5, 180.0, 2.5, 1},  {2.0, 95.0, 0.71, 2},
    {-2.5, 650.0, 4.0, 1},  {1.5, 1800.0, 1.0, 1},  {-6.0, 3150.0, 8.5, 1},
    {3.5, 9000.0, 0.71, 3}, {0.0, 5000.0, 1.0, 17}, {-3.0, 14000.0, 1.2, 1},
};
constexpr int LkMinus48 = 20;
constexpr double HighPassHz = 70.0;
constexpr double LowPassHz = 16000.0;
constexpr int Channel = 3;

void SetBands(Plot& plot)
{
    for (int k = 0; k < 9; ++k)
        plot.Section(k).SetFilterSection(Bands[k].gain, Bands[k].frequency, Bands[k].q, Bands[k].type);
}

// The whole channel, as the full refresh or the magnitude/phase switch does it.
void RecomputeChannel(Plot& plot)
{
    SetBands(plot);
    ComputeHpLpCurve(plot, true, LkMinus48, HighPassHz, Plot::HighPassSection);
    ComputeHpLpCurve(plot, false, LkMinus48, LowPassHz, Plot::HighPassSection);
    plot.DrawTotalCurve(Channel);
}

void BM_BandEdit(benchmark::State& state)
{
    Plot plot;
    plot.SetPhaseMode(state.range(0) != 0);
    RecomputeChannel(plot);
    int step = 0;
    for (auto _ : state) {
        const Band& b = Bands[4];
        plot.Section(4).SetFilterSection(b.gain + 0.1 * (step++ & 7), b.frequency, b.q, b.type);
        plot.DrawTotalCurve(Channel);
        benchmark::DoNotOptimize(plot.Section(Plot::TotalSection).curve().data());
    }
}
BENCHMARK(BM_BandEdit)->ArgName("phase")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_ChannelRecompute(benchmark::State& state)
{
    Plot plot;
    plot.SetPhaseMode(state.range(0) != 0);
    for (auto _ : state) {
        RecomputeChannel(plot);
        benchmark::DoNotOptimize(plot.Section(Plot::TotalSection).curve().data());
    }
}
BENCHMARK(BM_ChannelRecompute)->ArgName("phase")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The same at each instruction-set level of the curve loops (0 baseline,
// 1 AVX2, 2 AVX-512); a level the processor lacks is skipped.
void BM_ChannelRecomputeAtLevel(benchmark::State& state)
{
    const CurveLoopLevel saved = GetCurveLoopLevel();
    if (!SetCurveLoopLevel(CurveLoopLevel(state.range(1)))) {
        state.SkipWithError("level not on this processor");
        return;
    }
    Plot plot;
    plot.SetPhaseMode(state.range(0) != 0);
    for (auto _ : state) {
        RecomputeChannel(plot);
        benchmark::DoNotOptimize(plot.Section(Plot::TotalSection).curve().data());
    }
    SetCurveLoopLevel(saved);
}
BENCHMARK(BM_ChannelRecomputeAtLevel)
    ->ArgNames({"phase", "level"})
    ->ArgsProduct({{0, 1}, {0, 1, 2}})
    ->Unit(benchmark::kMicrosecond);

void BM_OneSection(benchmark::State& state)
{
    FilterSection s;
    int step = 0;
    for (auto _ : state) {
        s.SetFilterSection(-4.0 + 0.1 * (step++ & 7), 1000.0, 2.0, 1);
        benchmark::DoNotOptimize(s.curve().data());
    }
}
BENCHMARK(BM_OneSection)->Unit(benchmark::kMicrosecond);

// The channel's active sections: the nine bands and the stages of both cuts.
void PrintSections()
{
    Plot plot;
    SetBands(plot);
    SectionCoefs c;
    auto print = [&](const FilterSection& s) {
        if (s.CalcSectionCoefs(c))
            std::printf("%.17g %.17g %.17g %.17g %.17g %.17g\n", c.b0, c.b1, c.b2, c.a0, c.a1, c.a2);
    };
    for (int k = 0; k < 9; ++k)
        print(plot.Section(k));
    for (bool highPass : {true, false}) {
        ComputeHpLpCurve(plot, highPass, LkMinus48, highPass ? HighPassHz : LowPassHz, Plot::HighPassSection);
        for (int n = Plot::FirstStageSection; n < Plot::FirstStageSection + Plot::StageCount; ++n)
            if (plot.Section(n).type() != ftBypass)
                print(plot.Section(n));
    }
}

void PrintTotal()
{
    Plot plot;
    RecomputeChannel(plot);
    for (double v : plot.Section(Plot::TotalSection).curve())
        std::printf("%.17g\n", v);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--print-sections") == 0) {
        PrintSections();
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--print-total") == 0) {
        PrintTotal();
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
