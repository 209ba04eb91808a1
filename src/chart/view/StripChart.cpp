#include "chart/view/StripChart.h"

#include "chart/core/ChartError.h"

namespace chart
{

TcPlot::TcPlot(QWidget* parent) : TcPlotComponent(parent)
{
    BeginUpdate();
    try {
        Master().SetChannelClass([](TcPlotOwner* o, const TcPlotHandlers& h) -> TcPlotChannelCustom* {
            return new TcPlotChannel(o, h);
        });
        DisableLayoutManager();
        try {
            GetToolBar(AddToolBar())->SetZOrder(3);
            GetLegend(AddLegend())->SetZOrder(2);
            AddXAxis();
            AddYAxis();
            AddChannel();
            AddDataView();
            AddDataCursor();
            TcPlotLabel* title = GetLabel(AddLabel());
            title->SetZOrder(2);
            title->SetName(QStringLiteral("Title"));
            title->SetCaption(QStringLiteral("Untitled"));
            title->SetMarginBottom(0);
        } catch (...) {
            EnableLayoutManager();
            throw;
        }
        EnableLayoutManager();
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

const TPropertyTable& TcPlot::PropertyTable() const
{
    // The title label the constructor adds gives the title properties their defaults.
    static const TPropertyTable table = [] {
        TPropertyTable t(&TcPlotComponent::ClassTable());
        t.Redeclare("TitleVisible", QStringLiteral("1"));
        t.Redeclare("TitleText", QStringLiteral("Untitled"));
        return t;
    }();
    return table;
}

TcPlotChannel* TcPlot::GetChannel(int Index) const
{
    auto* c = dynamic_cast<TcPlotChannel*>(GetChannelCustom(Index));
    if (!c)
        throw EChartError(QStringLiteral("Invalid class typecast"));
    return c;
}

} // namespace chart
