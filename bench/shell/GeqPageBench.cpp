// bench-geq-page: the graphic equaliser page offscreen. A band moved (model, section, the curve timer's
// redraw of the total curve) and the whole window painted into an image; and the painting alone.
#include "app/main/TfmMain.h"
#include "app/pages/GeqPage.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/smooth/TrackBar.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace
{

struct GeqPage {
    app::TfmMain w;
    GeqPage()
    {
        w.show();
        w.rzbMenuInAClick(w.Get<sk::TSkBmpButton>(QStringLiteral("rzbMenuGeq")));
        QApplication::processEvents();
    }
};

void GeqBandMoveAndRepaint(benchmark::State& state)
{
    GeqPage page;
    auto* fader = page.w.Get<fx::TCustomTrackBar>(QStringLiteral("isGeqCh12InA"));
    int p = 120;
    for (auto _ : state) {
        p = p == 200 ? 40 : p + 1;
        fader->SetPosition(p);
        page.w.Geq().tmGeqCurveTimer();
        benchmark::DoNotOptimize(page.w.grab());
    }
}
BENCHMARK(GeqBandMoveAndRepaint)->Unit(benchmark::kMillisecond);

void GeqPageRepaint(benchmark::State& state)
{
    GeqPage page;
    for (auto _ : state)
        benchmark::DoNotOptimize(page.w.grab());
}
BENCHMARK(GeqPageRepaint)->Unit(benchmark::kMillisecond);

} // namespace
