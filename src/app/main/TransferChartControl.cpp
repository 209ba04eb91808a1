#include "app/main/TransferChartControl.h"

#include "chart/view/TransferCharts.h"

namespace app
{

fw::TControl* CreateTransferChartControl(QWidget* parent, int kind, const char* name)
{
    const auto k = kind == 2   ? chart::TransferChartKind::Gate
                   : kind == 1 ? chart::TransferChartKind::Limit
                               : chart::TransferChartKind::Comp;
    chart::TcXYPlot* c = chart::CreateTransferChart(parent, k);
    c->SetName(QString::fromLatin1(name));
    return c;
}

void SetChartPoints(fw::TControl* control, const std::vector<ChartPoint>& curve, ChartPoint marker)
{
    auto* c = dynamic_cast<chart::TcXYPlot*>(control);
    if (!c)
        return;
    chart::TcXYPlotChannel* line = c->GetChannel(0);
    chart::TcXYPlotChannel* point = c->GetChannel(1);
    if (!line || !point)
        return;
    line->DeletePoints(line->Count());
    for (const ChartPoint& p : curve)
        line->AddXY(p.first, p.second);
    point->DeletePoints(point->Count());
    point->AddXY(marker.first, marker.second);
}

std::vector<ChartPoint> ChartCurve(fw::TControl* control)
{
    std::vector<ChartPoint> out;
    auto* c = dynamic_cast<chart::TcXYPlot*>(control);
    chart::TcXYPlotChannel* line = c ? c->GetChannel(0) : nullptr;
    if (!line)
        return out;
    for (int i = 0; i < line->Count(); ++i)
        out.emplace_back(line->GetPointX(i), line->GetPointY(i));
    return out;
}

} // namespace app
