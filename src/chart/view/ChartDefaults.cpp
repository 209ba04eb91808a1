#include "chart/view/ChartDefaults.h"

namespace chart
{

void AddDefaultObjects(TcPlotComponent& Chart)
{
    Chart.DisableLayoutManager();
    try {
        Chart.GetToolBar(Chart.AddToolBar())->SetZOrder(3);
        Chart.GetLegend(Chart.AddLegend())->SetZOrder(2);
        Chart.AddXAxis();
        Chart.AddYAxis();
        Chart.AddChannel();
        Chart.AddDataView();
        Chart.AddDataCursor();
        TcPlotLabel* title = Chart.GetLabel(Chart.AddLabel());
        title->SetZOrder(2);
        title->SetName(QStringLiteral("Title"));
        title->SetCaption(QStringLiteral("Untitled"));
        title->SetMarginBottom(0);
    } catch (...) {
        Chart.EnableLayoutManager();
        throw;
    }
    Chart.EnableLayoutManager();
}

const fw::TPropertyTable& TitledChartTable()
{
    static const fw::TPropertyTable table = [] {
        fw::TPropertyTable t(&TcPlotComponent::ClassTable());
        t.Redeclare("TitleVisible", QStringLiteral("1"));
        t.Redeclare("TitleText", QStringLiteral("Untitled"));
        return t;
    }();
    return table;
}

} // namespace chart
