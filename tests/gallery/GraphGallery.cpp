// Gallery pages of the response graph: a channel's magnitude and phase view with a selected band,
// the show-all texts, both cuts, other channels' overlays, a bypassed channel, the Gain page's
// narrow graph and the second painter class.
#include "Gallery.h"
#include "GraphScene.h"

#include "graph/LMyFFTDrawPhase.h"

#include <QPalette>

using namespace graph;

namespace
{

struct Scene {
    bool phase = false;
    bool showAll = false;
    int overlays = 0;
    bool bypass = false;
    int selected = 3;
    int width = 1070;
    bool phaseClass = false;
};

std::unique_ptr<QWidget> Build(const Scene& s)
{
    auto page = std::make_unique<QWidget>();
    page->resize(s.width, 255);
    QPalette pal = page->palette();
    pal.setColor(QPalette::Window, Qt::black);
    page->setPalette(pal);
    LMyFFTDrawHpLp6dB* g = s.phaseClass ? new LMyFFTDrawPhase(page.get()) : new LMyFFTDrawHpLp6dB(page.get());
    graphscene::ConfigureLikeMainWindow(*g, s.width);
    auto* plot = new Plot(g);
    QObject::connect(g, &QObject::destroyed, [plot] { delete plot; });
    if (s.phase) {
        graphscene::PhaseView(*g);
        plot->SetPhaseMode(true);
    }
    for (int k = 0; k < s.overlays; ++k)
        graphscene::DrawOverlay(*g, Plot::FirstOverlaySection + k, 3 + (k + 1) % 6, -6.0 + 3.0 * k);
    g->SetParameterDisplay(s.showAll);
    graphscene::DrawChannel(*plot, *g, 3, graphscene::TypicalBands(), s.selected);
    if (s.bypass)
        g->DrawTextA(g->Width() / 3, g->Height() / 4, 60, fw::clBtnFace, QStringLiteral("Times New Roman"),
                     QStringLiteral("BYPASS"));
    return page;
}

const gallery::GalleryPage magnitude(QStringLiteral("graph-magnitude-1070"), [] { return Build({}); });
const gallery::GalleryPage showAll(QStringLiteral("graph-showall-1070"), [] {
    Scene s;
    s.showAll = true;
    return Build(s);
});
const gallery::GalleryPage overlays(QStringLiteral("graph-overlays-1070"), [] {
    Scene s;
    s.overlays = 5;
    s.selected = -1;
    return Build(s);
});
const gallery::GalleryPage phase(QStringLiteral("graph-phase-1070"), [] {
    Scene s;
    s.phase = true;
    return Build(s);
});
const gallery::GalleryPage bypass(QStringLiteral("graph-bypass-1070"), [] {
    Scene s;
    s.bypass = true;
    s.selected = -1;
    return Build(s);
});
const gallery::GalleryPage narrow(QStringLiteral("graph-gain-530"), [] {
    Scene s;
    s.width = 530;
    s.overlays = 2;
    s.selected = 1;
    return Build(s);
});
const gallery::GalleryPage phaseClass(QStringLiteral("graph-phase-class-1070"), [] {
    Scene s;
    s.phaseClass = true;
    s.showAll = true;
    s.selected = 8;
    return Build(s);
});

} // namespace
