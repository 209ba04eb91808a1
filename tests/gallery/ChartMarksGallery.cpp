// Gallery pages of the chart's limits (line, solid and hatched bands, a clear band and a poly band,
// one clipped to its axes) and annotations (every style, one selected with its corner handles).
#include "Gallery.h"

#include "chart/view/XYPlot.h"

#include <QPainter>
#include <cmath>

using namespace chart;

namespace
{

TcXYPlot* Chart(QWidget* page, int x, int y, int w, int h, const QString& title)
{
    auto* chart = new TcXYPlot(page);
    chart->SetBounds(x, y, w, h);
    chart->SetTitleText(title);
    chart->GetLegend(0)->SetVisible(false);
    chart->GetDataCursor(0)->SetVisible(false);
    for (TcPlotAxis* a :
         {static_cast<TcPlotAxis*>(chart->GetXAxis(0)), static_cast<TcPlotAxis*>(chart->GetYAxis(0))}) {
        a->SetTrackingEnabled(false);
        a->SetMinSpan(0, 100);
    }
    TcXYPlotChannel* c = chart->GetChannel(0);
    for (int i = 0; i <= 100; i += 2)
        c->AddXY(i, 50 + 35 * std::sin(i / 9.0));
    return chart;
}

TcPlotLimit* Limit(TcXYPlot* chart, TcPlotLimitStyle style, double a, double b, fw::TColor colour,
                   fw::TBrushStyle fill = fw::bsSolid)
{
    TcPlotLimit* l = chart->GetLimit(chart->AddLimit());
    l->SetStyle(style);
    l->SetLine1Position(a);
    l->SetLine2Position(b);
    l->SetColor(colour);
    l->SetFillStyle(fill);
    return l;
}

const gallery::GalleryPage limits(QStringLiteral("chart-limits"), [] {
    auto page = gallery::FilledDarkPage(1000, 520);
    TcXYPlot* lines =
        Chart(page.get(), 10, 10, 480, 240, QStringLiteral("Line Y at 50, line X at 30 (dotted)"));
    Limit(lines, iplsLineY, 50, 50, 0x0000FF)->SetLineWidth(2);
    Limit(lines, iplsLineX, 30, 30, 0x00FFFF)->SetLineStyle(fw::psDot);

    TcXYPlot* bands =
        Chart(page.get(), 510, 10, 480, 240, QStringLiteral("Solid band Y 60-80, hatched band X 10-25"));
    Limit(bands, iplsBandY, 60, 80, 0x004080);
    Limit(bands, iplsBandX, 10, 25, 0x808000, fw::bsDiagCross);

    TcXYPlot* clear =
        Chart(page.get(), 10, 270, 480, 240, QStringLiteral("Clear band 20-40; band to 150, clipped"));
    TcPlotLimit* c = Limit(clear, iplsBandY, 20, 40, 0x00FF00, fw::bsClear);
    c->SetLineWidth(3);
    TcPlotLimit* off = Limit(clear, iplsBandX, 80, 150, 0xFF00FF, fw::bsHorizontal);
    off->SetClipToAxes(true);

    TcXYPlot* poly = Chart(page.get(), 510, 270, 480, 240, QStringLiteral("Poly band Y, solid and hatched"));
    TcPlotLimit* p = Limit(poly, iplsPolyBandY, 0, 0, 0x0060C0);
    for (int x = 0; x <= 100; x += 10)
        p->AddBandElement(x, 90 - 0.2 * x, 75 - 0.3 * x);
    TcPlotLimit* h = Limit(poly, iplsPolyBandY, 0, 0, 0xC0C000, fw::bsBDiagonal);
    for (int x = 0; x <= 100; x += 20)
        h->AddBandElement(x, 30 + 0.1 * x, 10 + 0.05 * x);
    return page;
});

TcPlotAnnotation* Note(TcXYPlot* chart, TcPlotAnnotationStyle style, double x, double y, fw::TColor colour)
{
    TcPlotAnnotation* a = chart->GetAnnotation(chart->AddAnnotation());
    a->SetStyle(style);
    a->SetX(x);
    a->SetY(y);
    a->SetPenColor(colour);
    a->SetBrushColor(colour);
    a->Font().SetColor(colour);
    return a;
}

const gallery::GalleryPage annotations(QStringLiteral("chart-annotations"), [] {
    auto page = gallery::FilledDarkPage(900, 520);
    TcXYPlot* chart = Chart(page.get(), 10, 10, 880, 500, QStringLiteral("Annotations of every style"));
    chart->SetToolBarSelectMode(true);
    Note(chart, ipasText, 10, 92, 0xFFFFFF)->SetText(QStringLiteral("Text at (10, 92)"));
    TcPlotAnnotation* left = Note(chart, ipasText, 10, 84, 0x00FFFF);
    left->SetText(QStringLiteral("Left of anchor"));
    left->SetTextHorzAlignment(iahLeft);
    TcPlotAnnotation* line = Note(chart, ipasLine, 5, 5, 0x00FF00);
    line->SetX2(30);
    line->SetY2(30);
    line->SetPenWidth(2);
    Note(chart, ipasLineX, 90, 0, 0x0080FF)->SetPenStyle(fw::psDash);
    Note(chart, ipasLineY, 0, 15, 0x0080FF)->SetPenStyle(fw::psDot);
    TcPlotAnnotation* rect = Note(chart, ipasRectangle, 45, 80, 0x4040FF);
    rect->SetWidth(14);
    rect->SetHeight(12);
    TcPlotAnnotation* textRect = Note(chart, ipasTextRectangle, 70, 80, 0x404040);
    textRect->SetWidth(22);
    textRect->SetHeight(12);
    textRect->SetText(QStringLiteral("Text rectangle"));
    textRect->Font().SetColor(0xFFFFFF);
    TcPlotAnnotation* ellipse = Note(chart, ipasEllipse, 20, 40, 0xC000C0);
    ellipse->SetX2(35);
    ellipse->SetY2(60);
    TcPlotAnnotation* box = Note(chart, ipasTextBox, 50, 30, 0x208020);
    box->SetText(QStringLiteral("Text box"));
    box->SetOuterMargin(4);
    box->SetPenColor(0xFFFFFF);
    box->Font().SetColor(0xFFFFFF);
    TcPlotAnnotation* ellipse2 = Note(chart, ipasEllipse2, 88, 50, 0x00C0C0);
    ellipse2->SetWidth(10);
    ellipse2->SetHeight(20);
    TcPlotAnnotation* poly = Note(chart, ipasPolygon, 0, 0, 0x0000C0);
    for (auto [x, y] : {std::pair{60.0, 5.0}, {75.0, 20.0}, {68.0, 28.0}, {55.0, 18.0}})
        poly->PolyPointAdd(x, y);
    QImage image(24, 24, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setBrush(QColor(255, 200, 0));
    painter.drawEllipse(2, 2, 20, 20);
    painter.end();
    Note(chart, ipasImage, 85, 10, 0)->SetImage(image);
    TcPlotAnnotation* selected = Note(chart, ipasRectangle2, 40, 45, 0xFF8000);
    selected->SetX2(58);
    selected->SetY2(62);
    selected->SetBrushStyle(fw::bsClear);
    selected->SetPenWidth(2);
    selected->SetUserSelected(true);
    return page;
});

} // namespace
