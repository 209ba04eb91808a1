// TcXYPlot: the chart for points whose X values come in any order, and TcXYPlotChannel, its channel:
// every point is drawn in insertion order (the clipping does the rest), zoom extents cover every
// valid point, data-cursor values come from the pointer positions, and two OPC items can feed
// AddXY. A new TcXYPlot holds one toolbar, legend, X axis, Y axis, channel, data view, data cursor
// and the title label. UI thread only.
#pragma once

#include "chart/channels/PlotChannelOPC.h"
#include "chart/view/PlotComponent.h"

namespace chart
{

class TcXYPlotChannel : public TcPlotChannelOPC
{
  public:
    TcXYPlotChannel(TcPlotOwner* AOwner, const TcPlotHandlers& handlers);

    int AddNull();
    int AddEmpty();

    const TPropertyTable& PropertyTable() const override;

    void PrepareDraw() override;
    void Draw(TCanvas& Canvas, TColor BackGroundColor) override;
    void CalcStartIndex() override { FStartIndex = Count() ? 0 : -1; }
    void CalcStopIndex() override { FStopIndex = Count() - 1; }
    double GetZoomXMax() override { return ZoomExtent(true, 1); }
    double GetZoomXMin() override { return ZoomExtent(true, -1); }
    double GetZoomYMax() override { return ZoomExtent(false, 1); }
    double GetZoomYMin() override { return ZoomExtent(false, -1); }
    void CalcDataCursorValues(TcPlotDataCursor* Cursor) override;

  private:
    double ZoomExtent(bool x, double sign);
};

class TcXYPlot : public TcPlotComponent
{
  public:
    explicit TcXYPlot(QWidget* parent = nullptr);
    // The channel at Index as an XY channel (a range or cast error raises).
    TcXYPlotChannel* GetChannel(int Index) const;
    bool IsXYPlot() const override { return true; }
    const TPropertyTable& PropertyTable() const override;
};

} // namespace chart
