// TcXYPlot: the chart for points whose X values come in any order, and TcXYPlotChannel, its channel:
// every point is drawn in insertion order (the clipping does the rest), zoom extents cover every
// valid point, data-cursor values come from the pointer positions, and two OPC items can feed
// AddXY. A new TcXYPlot holds one toolbar, legend, X axis, Y axis, channel, data view, data cursor
// and the title label. UI thread only.
#pragma once

#include "chart/OPCManager.h"
#include "chart/PlotComponent.h"

namespace chart
{

class TcXYPlotChannel : public TcPlotChannelCustom
{
  public:
    TcXYPlotChannel(TcPlotOwner* AOwner, const TcPlotHandlers& handlers);
    ~TcXYPlotChannel() override;

    int AddNull();
    int AddEmpty();

    const QString& OPCComputerName() const { return FOPCItemManager.Item(0).ComputerName; }
    void SetOPCComputerName(const QString& v) { SetItemName(0, &TcOPCItem::ComputerName, v); }
    const QString& OPCServerName() const { return FOPCItemManager.Item(0).ServerName; }
    void SetOPCServerName(const QString& v) { SetItemName(0, &TcOPCItem::ServerName, v); }
    const QString& OPCItemName() const { return FOPCItemManager.Item(0).ItemName; }
    void SetOPCItemName(const QString& v) { SetItemName(0, &TcOPCItem::ItemName, v); }
    const QString& OPCItem2Name() const { return FOPCItemManager.Item(1).ItemName; }
    void SetOPCItem2Name(const QString& v) { SetItemName(1, &TcOPCItem::ItemName, v); }
    int OPCUpdateRate() const { return FOPCItemManager.Item(0).UpdateRate; }
    void SetOPCUpdateRate(int v);
    double OPCScalar() const { return FOPCItemManager.Item(0).Scalar; }
    void SetOPCScalar(double v) { FOPCItemManager.Item(0).Scalar = v; }
    double OPCOffset() const { return FOPCItemManager.Item(0).Offset; }
    void SetOPCOffset(double v) { FOPCItemManager.Item(0).Offset = v; }
    double OPCScalar2() const { return FOPCItemManager.Item(1).Scalar; }
    void SetOPCScalar2(double v) { FOPCItemManager.Item(1).Scalar = v; }
    double OPCOffset2() const { return FOPCItemManager.Item(1).Offset; }
    void SetOPCOffset2(double v) { FOPCItemManager.Item(1).Offset = v; }
    bool OPCAutoConnect() const { return FOPCItemManager.Item(0).AutoConnect; }
    void SetOPCAutoConnect(bool v) { FOPCItemManager.Item(0).AutoConnect = v; }
    bool OPCActive() const { return FOPCItemManager.Item(0).GetActive(); }
    bool OPCQualityGood() const { return FOPCItemManager.Item(0).GetQualityGood(); }
    TcOPCManager& OPCManager() { return FOPCManager; }

    void OPCActivate();
    void OPCActivateSuspend();
    void OPCDeactivate();
    void OPCUpdateSuspend();
    void OPCUpdateResume();

    void PrepareDraw() override;
    void Draw(TCanvas& Canvas, TColor BackGroundColor) override;
    void DoInsert() override;
    void CalcStartIndex() override { FStartIndex = Count() ? 0 : -1; }
    void CalcStopIndex() override { FStopIndex = Count() - 1; }
    double GetZoomXMax() override { return ZoomExtent(true, 1); }
    double GetZoomXMin() override { return ZoomExtent(true, -1); }
    double GetZoomYMax() override { return ZoomExtent(false, 1); }
    double GetZoomYMin() override { return ZoomExtent(false, -1); }
    void CalcDataCursorValues(TcPlotDataCursor* Cursor) override;

  private:
    double ZoomExtent(bool x, double sign);
    void SetItemName(int item, QString TcOPCItem::*field, const QString& v);
    bool Designing() const;

    // The OPC manager is declared after the item list so that it goes after the items.
    mutable TcOPCItemManager FOPCItemManager;
    TcOPCManager FOPCManager;
};

class TcXYPlot : public TcPlotComponent
{
  public:
    explicit TcXYPlot(QWidget* parent = nullptr);
    // The channel at Index as an XY channel (a range or cast error raises).
    TcXYPlotChannel* GetChannel(int Index) const;
    bool IsXYPlot() const override { return true; }
};

} // namespace chart
