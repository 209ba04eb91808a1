// Gallery pages of the XY chart: the three transfer-curve charts as the main window shows them
// (compressor, limiter and gate with a curve and the threshold marker), a chart with three channels,
// legend, data cursor, toolbar and title, a frequency chart on a logarithmic X axis, and the data
// cursor's popup menu as a right click opens it on the chart, with its Channel, Style and Options
// sub-menus.
#include "Gallery.h"

#include "chart/view/TransferCharts.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <cmath>

using namespace chart;

namespace
{

void Curve(TcXYPlot* chart, std::initializer_list<std::pair<double, double>> points, double markerX,
           double markerY)
{
    TcXYPlotChannel* curve = chart->GetChannel(0);
    curve->DeletePoints(curve->Count());
    for (auto [x, y] : points)
        curve->AddXY(x, y);
    TcXYPlotChannel* marker = chart->GetChannel(1);
    marker->DeletePoints(marker->Count());
    marker->AddXY(markerX, markerY);
}

std::unique_ptr<QWidget> TransferPage(TransferChartKind kind)
{
    const int w = kind == TransferChartKind::Gate ? 855 : 620;
    auto page = gallery::FilledDarkPage(w + 20, 250);
    TcXYPlot* chart = CreateTransferChart(page.get(), kind);
    chart->SetLeft(10);
    chart->SetTop(10);
    switch (kind) {
    case TransferChartKind::Comp: // threshold -30 dB, ratio 3:1, knee 5 dB
        Curve(chart, {{20, -30 + 50.0 / 3}, {-25, -30 + 5.0 / 3}, {-35, -35}, {-100, -100}}, -30, -30);
        break;
    case TransferChartKind::Limit: // threshold -10 dB
        Curve(chart, {{20, -10}, {-10, -10}, {-10, -10}, {-100, -100}}, -10, -10);
        break;
    case TransferChartKind::Gate: // threshold -60 dB
        Curve(chart, {{20, 20}, {-60, -60}, {-60, -100}}, -60, -60);
        break;
    }
    return page;
}

const gallery::GalleryPage comp(QStringLiteral("chart-transfer-comp"),
                                [] { return TransferPage(TransferChartKind::Comp); });
const gallery::GalleryPage limit(QStringLiteral("chart-transfer-limit"),
                                 [] { return TransferPage(TransferChartKind::Limit); });
const gallery::GalleryPage gate(QStringLiteral("chart-transfer-gate"),
                                [] { return TransferPage(TransferChartKind::Gate); });

const gallery::GalleryPage full(QStringLiteral("chart-xy-legend-cursor-toolbar"), [] {
    auto page = gallery::FilledDarkPage(760, 420);
    auto* chart = new TcXYPlot(page.get());
    chart->SetBounds(10, 10, 740, 400);
    chart->SetTitleText(QStringLiteral("Output levels"));
    chart->GetLegend(0)->SetShowColumnYValue(true);
    chart->AddChannel();
    chart->AddChannel();
    const char* names[3] = {"Out 1", "Out 2", "Out 3"};
    for (int c = 0; c < 3; ++c) {
        TcXYPlotChannel* ch = chart->GetChannel(c);
        ch->SetTitleText(QString::fromLatin1(names[c]));
        ch->SetTraceLineWidth(2);
        for (int i = 0; i <= 200; ++i) {
            const double x = i * 0.5;
            ch->AddXY(x, 50 + 30 * std::sin(x / 8.0 + c * 2.1) * std::exp(-x / (120.0 + 40 * c)));
        }
    }
    chart->GetChannel(2)->SetMarkersVisible(true);
    chart->GetChannel(2)->SetMarkersSize(2);
    chart->GetChannel(2)->SetMarkersTurnOffLimit(0);
    for (TcPlotAxis* a :
         {static_cast<TcPlotAxis*>(chart->GetXAxis(0)), static_cast<TcPlotAxis*>(chart->GetYAxis(0))})
        a->SetTrackingEnabled(false);
    chart->GetXAxis(0)->SetMinSpan(0, 100);
    chart->GetYAxis(0)->SetMinSpan(0, 100);
    chart->GetDataCursor(0)->SetVisible(true);
    chart->GetDataCursor(0)->SetPointer1Position(35);
    chart->GetDataCursor(0)->SetPointer2Position(70);
    return page;
});

const gallery::GalleryPage logAxis(QStringLiteral("chart-xy-logaxis"), [] {
    auto page = gallery::FilledDarkPage(640, 300);
    auto* chart = new TcXYPlot(page.get());
    chart->SetBounds(10, 10, 620, 280);
    chart->SetTitleVisible(false);
    chart->GetToolBar(0)->SetVisible(false);
    chart->GetLegend(0)->SetVisible(false);
    TcPlotAxis* x = chart->GetXAxis(0);
    x->SetTrackingEnabled(false);
    x->SetScaleType(ipstLog10);
    x->SetMinSpan(20, 19980);
    TcPlotAxis* y = chart->GetYAxis(0);
    y->SetTrackingEnabled(false);
    y->SetMinSpan(-24, 36);
    chart->GetDataView(0)->SetGridLineShowXMinors(true);
    TcXYPlotChannel* ch = chart->GetChannel(0);
    ch->SetColor(fw::clAqua);
    ch->SetTraceLineWidth(2);
    for (int i = 0; i <= 300; ++i) {
        const double f = 20 * std::pow(1000.0, i / 300.0);
        const double lf = std::log10(f / 1000);
        ch->AddXY(f, 6 * std::exp(-lf * lf * 8) - 3 * std::exp(-std::pow(std::log10(f / 80), 2) * 10));
    }
    return page;
});

// A menu as it opens, drawn into a label at (x, y).
void ShowMenu(QWidget* page, QMenu& menu, int x, int y)
{
    menu.ensurePolished();
    menu.adjustSize();
    auto* shot = new QLabel(page);
    shot->setPixmap(menu.grab());
    shot->move(x, y);
    shot->adjustSize();
    shot->show();
}

// The data cursor's menu as a right click on its pointer opens it on the chart, with its sub-menus
// beside the chart.
const gallery::GalleryPage cursorMenus(
    QStringLiteral("chart-cursor-menus"),
    [] {
        auto page = gallery::FilledDarkPage(1180, 420);
        auto* chart = new TcXYPlot(page.get());
        chart->setObjectName(QStringLiteral("chart"));
        chart->SetBounds(10, 10, 600, 400);
        chart->SetTitleText(QStringLiteral("Data cursor"));
        chart->AddChannel();
        const char* names[2] = {"Input A", "Output 1"};
        for (int c = 0; c < 2; ++c) {
            TcXYPlotChannel* ch = chart->GetChannel(c);
            ch->SetTitleText(QString::fromLatin1(names[c]));
            ch->SetTraceLineWidth(2);
            for (int i = 0; i <= 100; ++i)
                ch->AddXY(i, 50 + 35 * std::sin(i / (9.0 + 4 * c)));
        }
        for (TcPlotAxis* a :
             {static_cast<TcPlotAxis*>(chart->GetXAxis(0)), static_cast<TcPlotAxis*>(chart->GetYAxis(0))}) {
            a->SetTrackingEnabled(false);
            a->SetMinSpan(0, 100);
        }
        TcPlotDataCursor* cursor = chart->GetDataCursor(0);
        cursor->SetVisible(true);
        cursor->SetStyle(ipcsDeltaX);
        cursor->SetPointer1Position(30);
        cursor->SetPointer2Position(65);
        return page;
    },
    [](QWidget* page) {
        auto* chart = page->findChild<TcXYPlot*>(QStringLiteral("chart"));
        // The press lands on a pointer line: the tallest column of the pointer's colour in the picture.
        const QImage img = chart->grab().toImage();
        const QRgb pointer = QColor(Qt::red).rgb();
        int bestX = 0, bestN = 0;
        for (int x = 0; x < img.width(); ++x) {
            int n = 0;
            for (int y = 0; y < img.height(); ++y)
                n += img.pixel(x, y) == pointer;
            if (n > bestN) {
                bestN = n;
                bestX = x;
            }
        }
        const QPoint at(bestX, 150);
        for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent e(t, QPointF(at), chart->mapToGlobal(QPointF(at)), Qt::RightButton,
                          t == QEvent::MouseButtonPress ? Qt::RightButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(chart, &e);
        }
        QApplication::processEvents();
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        const QPoint where = page->mapFromGlobal(menu->pos());
        ShowMenu(page, *menu, where.x(), where.y());
        gallery::Caption(page, where.x(), where.y() - 18, QStringLiteral("Right click on the pointer"));
        int x = 630, y = 30;
        for (QAction* a : menu->actions()) {
            if (!a->menu())
                continue;
            gallery::Caption(page, x, y - 20, a->text());
            ShowMenu(page, *a->menu(), x, y);
            y += a->menu()->height() + 40;
            if (y > 300) {
                y = 30;
                x += 200;
            }
        }
        menu->close();
    });

} // namespace
