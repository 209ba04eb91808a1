// bench-chart-paint: one repaint of a transfer-curve chart after its four points were replaced, and
// of an XY chart and a strip chart with 3 channels of 10 000 points (the whole layout, grid, labels
// and traces) beside their peer: the same points drawn by a plain QPainter as three polylines on an
// image of that size.
#include "chart/view/StripChart.h"
#include "chart/view/TransferCharts.h"
#include "framework/Fonts.h"

#include <QApplication>
#include <QPainter>
#include <QPolygon>
#include <benchmark/benchmark.h>
#include <cmath>
#include <vector>

using namespace chart;

namespace
{

void TransferRepaint(benchmark::State& state)
{
    std::unique_ptr<TcXYPlot> chart(CreateTransferChart(nullptr, TransferChartKind::Comp));
    double t = -30;
    for (auto _ : state) {
        TcXYPlotChannel* curve = chart->GetChannel(0);
        curve->DeletePoints(curve->Count());
        curve->AddXY(20, t + 50.0 / 3);
        curve->AddXY(t + 5, t + 5.0 / 3);
        curve->AddXY(t - 5, t - 5);
        curve->AddXY(-100, -100);
        const QImage image = chart->PaintToImage();
        benchmark::DoNotOptimize(image.constBits());
        t = t < -10 ? t + 0.5 : -30;
    }
}
BENCHMARK(TransferRepaint)->Unit(benchmark::kMicrosecond);

double ThreeChannelY(int c, int i)
{
    return std::sin(i / (200.0 + 50 * c)) + 0.1 * std::sin(i * 0.37 + c);
}

template <class Chart> void ThreeChannelRepaint(benchmark::State& state)
{
    Chart chart;
    chart.SetBounds(0, 0, 800, 400);
    chart.AddChannel();
    chart.AddChannel();
    chart.GetXAxis(0)->SetTrackingEnabled(false);
    chart.GetYAxis(0)->SetTrackingEnabled(false);
    chart.GetXAxis(0)->SetMinSpan(0, 10000);
    chart.GetYAxis(0)->SetMinSpan(-1.5, 3);
    for (int c = 0; c < 3; ++c)
        for (int i = 0; i < 10000; ++i)
            chart.GetChannel(c)->AddXY(i, ThreeChannelY(c, i));
    for (auto _ : state) {
        const QImage image = chart.PaintToImage();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(ThreeChannelRepaint<TcXYPlot>)->Unit(benchmark::kMillisecond);
BENCHMARK(ThreeChannelRepaint<TcPlot>)->Unit(benchmark::kMillisecond);

// The peer: the same 3 x 10 000 points mapped to pixels and drawn as polylines in one pen each.
void ThreePolylinesPeer(benchmark::State& state)
{
    std::vector<QPolygonF> lines(3);
    for (int c = 0; c < 3; ++c)
        for (int i = 0; i < 10000; ++i)
            lines[std::size_t(c)] << QPointF(i, ThreeChannelY(c, i));
    const QColor colours[3] = {Qt::red, Qt::green, Qt::blue};
    for (auto _ : state) {
        QImage image(800, 400, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter p(&image);
        for (int c = 0; c < 3; ++c) {
            QPolygon pixels;
            pixels.reserve(10000);
            for (const QPointF& v : lines[std::size_t(c)])
                pixels << QPoint(int(v.x() * 0.08), int((1.5 - v.y()) / 3 * 400));
            p.setPen(QPen(colours[c], 0));
            p.drawPolyline(pixels);
        }
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(ThreePolylinesPeer)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    fw::InstallFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
