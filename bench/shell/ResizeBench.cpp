// bench-resize: the main window's memory at rest and after every page was shown once, then the CPU of
// one resize pass between 1125x727 and 1400x900, layout and repaint (the events it posts handled),
// beside the same pass over a plain Qt window of 600 stock widgets (offscreen).
#include "../start/PeerWindow.h"
#include "app/main/MainLayout.h"
#include "app/main/TfmMain.h"
#include "controls/panels/SkBmpButton.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <unistd.h>

namespace
{

// Resident memory of this process in MB.
double ResidentMb()
{
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// The page buttons in page order.
std::vector<sk::TSkBmpButton*> PageButtons(app::TfmMain& w)
{
    std::vector<sk::TSkBmpButton*> buttons(app::kPageCount, nullptr);
    for (auto* b : w.findChildren<sk::TSkBmpButton*>())
        if (b->objectName().startsWith(u"rzbMenu") && b->Tag() >= 0 && b->Tag() < app::kPageCount &&
            b->objectName() != u"rzbMenuLink")
            buttons[std::size_t(b->Tag())] = b;
    return buttons;
}

void PagesMemory(benchmark::State& state)
{
    for (auto _ : state) {
        app::TfmMain w;
        w.CreateDialogs();
        w.show();
        QApplication::processEvents();
        const double rest = ResidentMb();
        sk::TSkBmpButton* first = nullptr;
        for (auto* b : PageButtons(w)) {
            if (!b)
                continue;
            if (!first)
                first = b;
            b->SetDown(true);
            w.rzbMenuInAClick(b);
            QApplication::processEvents();
        }
        if (first) {
            first->SetDown(true);
            w.rzbMenuInAClick(first);
            QApplication::processEvents();
        }
        const double visited = ResidentMb();
        state.counters["rest_MB"] = rest;
        state.counters["all_pages_MB"] = visited;
        state.counters["ratio"] = rest > 0 ? visited / rest : 0;
    }
}
BENCHMARK(PagesMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

void ResizePasses(benchmark::State& state, QWidget& w)
{
    w.show();
    QApplication::processEvents();
    bool big = false;
    for (auto _ : state) {
        big = !big;
        w.resize(big ? 1400 : 1125, big ? 900 : 727);
        QApplication::processEvents();
    }
}

void EditorResizePass(benchmark::State& state)
{
    app::TfmMain w;
    w.CreateDialogs();
    ResizePasses(state, w);
}
BENCHMARK(EditorResizePass)->Unit(benchmark::kMillisecond);

void PeerResizePass(benchmark::State& state)
{
    const auto w = PeerWindow();
    ResizePasses(state, *w);
}
BENCHMARK(PeerResizePass)->Unit(benchmark::kMillisecond);

} // namespace
