// TcPlot: the strip chart, for data that arrives in X order (typically over time). Its channels
// are TcPlotChannel objects and its X axes scroll smoothly as new data comes in; everything else
// is the chart control's. A new TcPlot holds one toolbar, legend, X axis, Y axis, channel, data
// view, data cursor and the title label. UI thread only.
#pragma once

#include "chart/channels/PlotChannel.h"
#include "chart/view/PlotComponent.h"

namespace chart
{

class TcPlot : public TcPlotComponent
{
  public:
    explicit TcPlot(QWidget* parent = nullptr);
    // The channel at Index as a strip-chart channel (a range or cast error raises).
    TcPlotChannel* GetChannel(int Index) const;
    bool IsStripChart() const override { return true; }
    const TPropertyTable& PropertyTable() const override;
};

} // namespace chart
