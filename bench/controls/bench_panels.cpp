// Repaints of the main window's bitmap buttons, group boxes and power/demo buttons, each family alone,
// and of every main-window control together: faders, rounded edits, bitmap buttons, group boxes and
// power/demo buttons painted once into one off-screen image (bench_main keeps it all on one core).
#include "MainWindowControls.h"

#include "controls/panels/LedButtons.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/panels/SkPanel.h"
#include "controls/panels/SkinButtons.h"

#include <QImage>
#include <algorithm>
#include <benchmark/benchmark.h>

namespace bench
{

QSize AddBmpButtons(QWidget* parent, QPoint origin)
{
    constexpr int w = 64, h = 24, perRow = 5;
    const QImage up = sk::SkinButtonFace(w, h, sk::TSkinState::Up);
    const QImage down = sk::SkinButtonFace(w, h, sk::TSkinState::Down);
    const QImage stayDown = sk::SkinButtonFace(w, h, sk::TSkinState::StayDown);
    const QImage hot = sk::SkinButtonFace(w, h, sk::TSkinState::Hot);
    for (int i = 0; i < kBmpButtons; ++i) {
        auto* b = new sk::TSkBmpButton(parent);
        b->Bitmaps().SetTransparentColor(fw::clTeal);
        b->Bitmaps().SetUp(up);
        b->Bitmaps().SetDown(down);
        b->Bitmaps().SetStayDown(stayDown);
        b->Bitmaps().SetHot(hot);
        b->SetButtonSize(sk::bszStretchToButton);
        b->SetBounds(origin.x() + (i % perRow) * (w + 4), origin.y() + (i / perRow) * (h + 2), w, h);
        b->SetCaption(QStringLiteral("In %1").arg(i % 8 + 1));
        b->Font().SetColor(fw::clWhite);
        b->SetGroupIndex(i + 1);
        b->SetAllowAllUp(true);
        b->SetDown(i % 4 == 0);
    }
    return {perRow * (w + 4), ((kBmpButtons + perRow - 1) / perRow) * (h + 2)};
}

QSize AddGroupBoxes(QWidget* parent, QPoint origin)
{
    constexpr int w = 96, h = 64, perRow = 16;
    const sk::TSkGroupBoxStyle styles[] = {sk::gsFlat, sk::gsStandard, sk::gsTopLine, sk::gsCustom};
    for (int i = 0; i < kGroupBoxes; ++i) {
        auto* g = new sk::TSkGroupBox(parent);
        g->SetBounds(origin.x() + (i % perRow) * (w + 2), origin.y() + (i / perRow) * (h + 2), w, h);
        g->SetGroupStyle(styles[i % 4]);
        g->SetColor(0x898989);
        g->SetCaption(QStringLiteral("Band %1").arg(i % 31 + 1));
    }
    return {perRow * (w + 2), ((kGroupBoxes + perRow - 1) / perRow) * (h + 2)};
}

QSize AddLedButtons(QWidget* parent, QPoint origin)
{
    constexpr int perRow = 4, pitchX = 70, pitchY = 20;
    for (int i = 0; i < kLedButtons; ++i) {
        const int x = origin.x() + (i % perRow) * pitchX, y = origin.y() + (i / perRow) * pitchY;
        if (i % 2 == 0) {
            auto* p = new sk::TLedPowerButton(parent);
            p->SetColor(fw::clBlack);
            p->Palette().SetLow(fw::clOlive);
            p->Palette().SetHigh(fw::clYellow);
            p->SetBevelWidth(0);
            p->SetOutlineWidth(0);
            p->Font().SetColor(fw::clAqua);
            p->SetBounds(x, y, 47, 16);
            p->SetCaption(QStringLiteral("ALL"));
            p->SetActive(i % 4 == 0);
        } else {
            auto* d = new sk::TLedDemoButton(parent);
            d->SetColor(fw::clBlack);
            d->SetBevelWidth(1);
            d->SetBounds(x, y, 65, 17);
            d->FontLeave().SetColor(fw::clActiveBorder);
            d->FontLeave().SetHeight(-11);
            d->FontLeave().SetStyle(0);
            d->SetCaption(QStringLiteral("Reset"));
        }
    }
    return {perRow * pitchX, ((kLedButtons + perRow - 1) / perRow) * pitchY};
}

} // namespace bench

namespace
{

// One shown page holding what add puts on it, sized to fit.
struct Page {
    template <class Add> explicit Page(Add add)
    {
        const QSize s = add(&widget);
        widget.resize(s);
        widget.show();
    }
    QWidget widget;
};

// One repaint of the page (a function of its own, so that profilers can single out the measured part).
[[gnu::noinline]] void RenderPage(QWidget& page, QImage& target)
{
    page.render(&target);
}

// render() paints the window background itself, as a window repaint does: no clear of the target
// before it (checked once: two differently cleared targets must come out the same).
void Repaint(benchmark::State& state, QWidget& page, int controls)
{
    QImage target(page.size(), QImage::Format_ARGB32_Premultiplied);
    QImage check(page.size(), QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::gray);
    check.fill(Qt::magenta);
    page.render(&target);
    page.render(&check);
    if (target != check) {
        state.SkipWithError("the repaint leaves pixels of the target unpainted");
        return;
    }
    for (auto _ : state) {
        RenderPage(page, target);
        benchmark::DoNotOptimize(target.constBits());
    }
    state.counters["controls"] = controls;
}

void BM_BmpButtons(benchmark::State& state)
{
    static auto* page = new Page([](QWidget* p) { return bench::AddBmpButtons(p, {0, 0}); });
    Repaint(state, page->widget, bench::kBmpButtons);
}
BENCHMARK(BM_BmpButtons)->Unit(benchmark::kMillisecond);

void BM_GroupBoxes(benchmark::State& state)
{
    static auto* page = new Page([](QWidget* p) { return bench::AddGroupBoxes(p, {0, 0}); });
    Repaint(state, page->widget, bench::kGroupBoxes);
}
BENCHMARK(BM_GroupBoxes)->Unit(benchmark::kMillisecond);

void BM_PowerDemoButtons(benchmark::State& state)
{
    static auto* page = new Page([](QWidget* p) { return bench::AddLedButtons(p, {0, 0}); });
    Repaint(state, page->widget, bench::kLedButtons);
}
BENCHMARK(BM_PowerDemoButtons)->Unit(benchmark::kMillisecond);

// Faders and edits in the top left, group boxes below them, bitmap and power/demo buttons on the right.
QSize AddWholeWindow(QWidget* p)
{
    const QSize faders = bench::AddFaders(p, {0, 0});
    const QSize edits = bench::AddEdits(p, {0, faders.height()});
    const int left = std::max(faders.width(), edits.width());
    const QSize groups = bench::AddGroupBoxes(p, {0, faders.height() + edits.height() + 4});
    const QSize bmp = bench::AddBmpButtons(p, {left + 6, 0});
    const QSize leds = bench::AddLedButtons(p, {left + 6, bmp.height() + 6});
    return {
        std::max(groups.width(), left + 6 + std::max(bmp.width(), leds.width())),
        std::max(faders.height() + edits.height() + 4 + groups.height(), bmp.height() + 6 + leds.height())};
}

void BM_WholeMainWindow(benchmark::State& state)
{
    static auto* page = new Page(AddWholeWindow);
    Repaint(state, page->widget,
            bench::kFaders + bench::kEdits + bench::kBmpButtons + bench::kGroupBoxes + bench::kLedButtons);
    state.counters["pixels"] = double(page->widget.width()) * page->widget.height();
}
BENCHMARK(BM_WholeMainWindow)->Name("whole main-window controls")->Unit(benchmark::kMillisecond);

} // namespace
