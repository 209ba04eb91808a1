// A whole page of band editors and level meters repainted: 9 editors of 9 rows and 62 meters
// (input, output and lamp configurations), drawn into one image as the window's paint draws them.
#include "eq/LProgressBar.h"
#include "eq/TMyPEQType8.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace eq;

namespace
{

QApplication& App()
{
    static int argc = 1;
    static char name[] = "bench-eq";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

struct Page {
    QWidget page;
    std::vector<TMyPEQType8*> editors;
    std::vector<LProgressBar*> meters;
    QImage image{1125, 727, QImage::Format_RGB32};

    Page()
    {
        page.resize(1125, 727);
        for (int e = 0; e < 9; ++e) {
            auto* peq = new TMyPEQType8(&page);
            peq->SetBounds((e % 3) * 370, (e / 3) * 200, 360, 190);
            peq->SetChannelNumber(9);
            peq->SetEditBackColor(fw::clWhite);
            peq->SetBypassBackColor(fw::clSilver);
            for (int r = 0; r < 9; ++r)
                peq->SetEqParamValue(r, 100.0 * (r + 1), 20 + r, r - 4.0, r % 9, r == 3);
            editors.push_back(peq);
        }
        for (int m = 0; m < 62; ++m) {
            auto* bar = new LProgressBar(&page);
            if (m < 9)
                ConfigureInputMeter(*bar);
            else if (m < 39)
                ConfigureOutputMeter(*bar);
            else
                ConfigureLamp(*bar);
            bar->SetBounds(10 + (m % 62) * 17, 610, 14, m < 39 ? 110 : 14);
            meters.push_back(bar);
        }
        page.show();
        QApplication::processEvents();
    }
};

void BM_EqPageRepaint(benchmark::State& state)
{
    App();
    Page p;
    int level = 0;
    for (auto _ : state) {
        ++level;
        for (std::size_t m = 0; m < p.meters.size(); ++m)
            p.meters[m]->SetPosition(int((level + m) % 10));
        p.page.render(&p.image);
    }
    state.counters["editors"] = double(p.editors.size());
    state.counters["meters"] = double(p.meters.size());
}
BENCHMARK(BM_EqPageRepaint)->Unit(benchmark::kMicrosecond);

// The meters alone, as the 300 ms level poll repaints them.
void BM_MetersRepaint(benchmark::State& state)
{
    App();
    Page p;
    int level = 0;
    for (auto _ : state) {
        ++level;
        for (std::size_t m = 0; m < p.meters.size(); ++m) {
            p.meters[m]->SetPosition(int((level + m) % 10));
            QPainter painter(&p.image);
            fw::TCanvas c(painter);
            p.meters[m]->PaintTo(c, p.meters[m]->Left(), p.meters[m]->Top());
        }
    }
}
BENCHMARK(BM_MetersRepaint)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
