// Gallery page of the layout viewer: an XY chart with toolbar, title, legend and axes beside the
// miniature of its bands; below, the same miniature while the legend is dragged over the X axis's
// band (pressed block yellow, drop frame), and a second chart with an invisible axis, two merged
// labels and a translated data view.
#include "Gallery.h"

#include "chart/editor/LayoutViewer.h"
#include "chart/objects/PlotLabel.h"
#include "chart/objects/PlotLegend.h"
#include "chart/view/XYPlot.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPalette>
#include <cmath>

using namespace chart;

namespace
{

TcPlotLayoutViewer* Viewer(QWidget* page, int x, int y, TcPlotComponent* chart, const QString& name)
{
    auto* v = new TcPlotLayoutViewer(page);
    v->setObjectName(name);
    v->SetBounds(x, y, 568, 244);
    v->ShowLayoutOf(&chart->Master());
    return v;
}

void Send(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, QPointF(p), w->mapToGlobal(QPointF(p)), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

QPoint Centre(const TRect& r)
{
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

const gallery::GalleryPage layoutViewer(
    QStringLiteral("chart-layout-viewer"),
    [] {
        auto page = std::make_unique<QWidget>();
        page->resize(1170, 600);
        QPalette pal = page->palette();
        pal.setColor(QPalette::Window, QColor(0xD8, 0xE4, 0xEC));
        page->setPalette(pal);
        page->setAutoFillBackground(true);

        auto* chart = new TcXYPlot(page.get());
        chart->SetBounds(10, 25, 568, 244);
        chart->SetTitleText(QStringLiteral("Transfer"));
        TcXYPlotChannel* ch = chart->GetChannel(0);
        for (int i = 0; i <= 50; ++i)
            ch->AddXY(i * 2, 50 + 30 * std::sin(i / 6.0));
        gallery::Caption(page.get(), 10, 8, QStringLiteral("The chart"));
        gallery::Caption(page.get(), 592, 8, QStringLiteral("Its layout"));
        Viewer(page.get(), 592, 25, chart, QStringLiteral("plain"));
        gallery::Caption(page.get(), 10, 300, QStringLiteral("Dragging the legend below the X axis"));
        Viewer(page.get(), 10, 317, chart, QStringLiteral("dragging"));

        auto* other = new TcXYPlot(page.get());
        other->hide();
        other->GetYAxis(other->AddYAxis())->SetVisible(false);
        TcPlotLabel* note = other->GetLabel(other->AddLabel());
        note->SetName(QStringLiteral("Note"));
        TcPlotLabel* title = other->GetLabel(0);
        TcPlotLayoutManager* layout = other->Master().LayoutManager();
        title->SetStartStopPercent(0, 50);
        note->SetStartStopPercent(50, 100);
        layout->RemoveZOrder(note);
        layout->InsertZOrder(note, title->ZOrder(), iidMerge);
        TcPlotTranslationManager* words = other->Master().TranslationManager();
        TcPlotTranslationObject* t = words->Item(words->Add());
        t->SetOriginalString(QStringLiteral("Data View"));
        t->SetReplacementString(QStringLiteral("Plot Area"));
        gallery::Caption(page.get(), 592, 300,
                         QStringLiteral("Hidden Y axis (hatched), two labels in one band, translated name"));
        Viewer(page.get(), 592, 317, other, QStringLiteral("other"));
        return page;
    },
    [](QWidget* page) {
        auto* v = page->findChild<TcPlotLayoutViewer*>(QStringLiteral("dragging"));
        auto* chart = page->findChildren<TcXYPlot*>().front();
        v->grab(); // lays the miniature out
        const QPoint from = Centre(chart->GetLegend(0)->LayoutRect());
        const TRect axis = chart->GetXAxis(0)->LayoutRect();
        const QPoint to{axis.Left + 200, axis.Bottom - 2};
        Send(v, QEvent::MouseMove, from, Qt::NoButton);
        Send(v, QEvent::MouseButtonPress, from, Qt::LeftButton);
        Send(v, QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
        Send(v, QEvent::MouseMove, to, Qt::LeftButton);
        QApplication::processEvents();
    });

} // namespace
