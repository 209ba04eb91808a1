// A full repaint of the main window's 213 faders and 156 rounded edits into an off-screen image.
#include "MainWindowControls.h"

#include "controls/smooth/RoundEdit.h"
#include "controls/smooth/Skin.h"
#include "controls/smooth/TrackBar.h"

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <memory>

namespace bench
{

QSize AddFaders(QWidget* parent, QPoint origin, std::vector<fx::TFxTrackBar*>* faders)
{
    for (int i = 0; i < kFaders; ++i) {
        auto* f = new fx::TFxTrackBar(parent);
        f->SetOrientation(fx::trVertical);
        f->SetBounds(origin.x() + 4 + (i % 50) * 28, origin.y() + 4 + (i / 50) * 200, 26, 193);
        f->Slider().SetSize(3);
        f->Slider().SetBorderColor(fw::clMedGray);
        f->TickMark().SetStyle(fx::tsNone);
        f->SetShowFocus(true);
        skin::LoadFaderThumbs(f->Thumb());
        f->SetMax(240);
        f->SetPosition(i % 241);
        if (faders)
            faders->push_back(f);
    }
    return {4 + 50 * 28, 4 + ((kFaders + 49) / 50) * 200};
}

QSize AddEdits(QWidget* parent, QPoint origin)
{
    for (int i = 0; i < kEdits; ++i) {
        auto* e = new fx::TRoundEdit(parent);
        e->SetBounds(origin.x() + 4 + (i % 20) * 66, origin.y() + (i / 20) * 24, 58, 24);
        e->SetRounding(6);
        e->SetBorderColor(fw::clHighlightText);
        e->SetAlignment(fx::taCenter);
        e->SetColor(i % 3 == 0 ? fw::TColor(0xFFFFDF) : fw::clWhite);
        e->SetText(QStringLiteral("+%1.0dB").arg(i % 12));
    }
    return {4 + 20 * 66, ((kEdits + 19) / 20) * 24};
}

} // namespace bench

namespace
{

struct MainWindowControls {
    MainWindowControls()
    {
        page.resize(1400, 1000);
        bench::AddFaders(&page, {0, 0}, &faders);
        bench::AddEdits(&page, {0, 820});
        page.show();
    }
    QWidget page;
    std::vector<fx::TFxTrackBar*> faders;
};

MainWindowControls& Controls()
{
    static auto* controls = new MainWindowControls;
    return *controls;
}

void BM_FullRepaint(benchmark::State& state)
{
    MainWindowControls& c = Controls();
    // render() paints the window background itself, as a window repaint does.
    QImage target(c.page.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        c.page.render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
    state.counters["controls"] = bench::kFaders + bench::kEdits;
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond);

void BM_FadersOnly(benchmark::State& state)
{
    MainWindowControls& c = Controls();
    QImage target(26, 193, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        for (auto* f : c.faders)
            f->render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_FadersOnly)->Unit(benchmark::kMillisecond);

void BM_FaderDrag(benchmark::State& state)
{
    MainWindowControls& c = Controls();
    fx::TFxTrackBar* f = c.faders.front();
    int v = 0;
    for (auto _ : state) {
        v = (v + 7) % 241;
        f->SetPosition(v);
    }
}
BENCHMARK(BM_FaderDrag);

} // namespace
