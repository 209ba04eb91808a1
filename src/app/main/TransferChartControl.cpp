#include "app/main/TransferChartControl.h"

#include <QPainter>

namespace app {

namespace {

class TTransferPlaceholder : public fw::TControl {
public:
    explicit TTransferPlaceholder(QWidget* parent) : TControl(parent) { SetColor(0x000000); }
    std::vector<ChartPoint> Curve;
    ChartPoint Marker{0, 0};

protected:
    void Paint(fw::TCanvas& Canvas) override
    {
        QPainter& p = Canvas.Painter();
        p.fillRect(rect(), Qt::black);
        const QRectF area(48, 10, Width() - 60, Height() - 34);
        auto map = [&](double x, double y) {
            return QPointF(area.left() + (x + 100) / 120 * area.width(), area.bottom() - (y + 100) / 120 * area.height());
        };
        p.setPen(QColor(0, 72, 0));
        p.setFont(QFont(QStringLiteral("Tahoma"), 8));
        for (int v = -100; v <= 20; v += 20) {
            p.setPen(QColor(0, 72, 0));
            p.drawLine(map(v, -100), map(v, 20));
            p.drawLine(map(-100, v), map(20, v));
            p.setPen(QColor(255, 255, 0));
            const QPointF bx = map(v, -100), ly = map(-100, v);
            p.drawText(QRectF(bx.x() - 20, area.bottom() + 4, 40, 14), Qt::AlignCenter, QString::number(v));
            p.drawText(QRectF(4, ly.y() - 7, 40, 14), Qt::AlignRight | Qt::AlignVCenter, QString::number(v));
        }
        p.setPen(QColor(0, 140, 0));
        p.drawRect(area);
        p.setRenderHint(QPainter::Antialiasing);
        p.setClipRect(area);
        p.setPen(QPen(Qt::white, 2));
        for (std::size_t i = 1; i < Curve.size(); ++i)
            p.drawLine(map(Curve[i - 1].first, Curve[i - 1].second), map(Curve[i].first, Curve[i].second));
        p.setPen(QPen(QColor(255, 128, 128), 3));
        p.drawEllipse(map(Marker.first, Marker.second), 2.5, 2.5);
    }
};

} // namespace

fw::TControl* CreateTransferChartControl(QWidget* parent, int kind, const char* name)
{
    auto* c = new TTransferPlaceholder(parent);
    c->SetName(QString::fromLatin1(name));
    c->resize(kind == 2 ? 855 : 620, 230);
    return c;
}

void SetChartPoints(fw::TControl* chart, const std::vector<ChartPoint>& curve, ChartPoint marker)
{
    if (auto* c = dynamic_cast<TTransferPlaceholder*>(chart)) {
        c->Curve = curve;
        c->Marker = marker;
        c->update();
    }
}

std::vector<ChartPoint> ChartCurve(fw::TControl* chart)
{
    if (auto* c = dynamic_cast<TTransferPlaceholder*>(chart))
        return c->Curve;
    return {};
}

} // namespace app
