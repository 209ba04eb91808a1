#include "chart/view/StripChart.h"

#include "chart/core/ChartError.h"
#include "chart/view/ChartDefaults.h"

namespace chart
{

TcPlot::TcPlot(QWidget* parent) : TcPlotComponent(parent)
{
    BeginUpdate();
    try {
        Master().SetChannelClass([](TcPlotOwner* o, const TcPlotHandlers& h) -> TcPlotChannelCustom* {
            return new TcPlotChannel(o, h);
        });
        AddDefaultObjects(*this);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

const TPropertyTable& TcPlot::PropertyTable() const
{
    return TitledChartTable();
}

TcPlotChannel* TcPlot::GetChannel(int Index) const
{
    auto* c = dynamic_cast<TcPlotChannel*>(GetChannelCustom(Index));
    if (!c)
        throw EChartError(QStringLiteral("Invalid class typecast"));
    return c;
}

} // namespace chart
