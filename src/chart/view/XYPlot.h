// TcXYPlot: the chart for points whose X values come in any order, and TcXYPlotChannel, its channel:
// every point is drawn in insertion order (the clipping does the rest), zoom extents cover every
// valid point, data-cursor values come from the pointer positions, and two OPC items can feed
// AddXY. A new TcXYPlot holds one toolbar, legend, X axis, Y axis, channel, data view, data cursor
// and the title label. UI thread only.
#pragma once

#include "chart/io/OPCItem.h"
#include "chart/io/OPCManager.h"
#include "chart/view/PlotComponent.h"

namespace chart
{

class TcXYPlotChannel : public TcPlotChannelCustom
{
  public:
    TcXYPlotChannel(TcPlotOwner* AOwner, const TcPlotHandlers& handlers);
    ~TcXYPlotChannel() override;

    int AddNull();
    int AddEmpty();

    QString OPCComputerName() const { return OPCItem(0).ComputerName(); }
    void SetOPCComputerName(const QString& v) { Binding().Items.Item(0).SetComputerName(v); }
    QString OPCServerName() const { return OPCItem(0).ServerName(); }
    void SetOPCServerName(const QString& v) { Binding().Items.Item(0).SetServerName(v); }
    QString OPCItemName() const { return OPCItem(0).ItemName(); }
    void SetOPCItemName(const QString& v) { Binding().Items.Item(0).SetItemName(v); }
    QString OPCItem2Name() const { return OPCItem(1).ItemName(); }
    void SetOPCItem2Name(const QString& v) { Binding().Items.Item(1).SetItemName(v); }
    int OPCUpdateRate() const { return OPCItem(0).UpdateRate(); }
    void SetOPCUpdateRate(int v) { Binding().Items.Item(0).SetUpdateRate(v); }
    double OPCScalar() const { return OPCItem(0).Scalar(); }
    void SetOPCScalar(double v) { Binding().Items.Item(0).SetScalar(v); }
    double OPCOffset() const { return OPCItem(0).Offset(); }
    void SetOPCOffset(double v) { Binding().Items.Item(0).SetOffset(v); }
    double OPCScalar2() const { return OPCItem(1).Scalar(); }
    void SetOPCScalar2(double v) { Binding().Items.Item(1).SetScalar(v); }
    double OPCOffset2() const { return OPCItem(1).Offset(); }
    void SetOPCOffset2(double v) { Binding().Items.Item(1).SetOffset(v); }
    bool OPCAutoConnect() const { return OPCItem(0).AutoConnect(); }
    void SetOPCAutoConnect(bool v) { Binding().Items.Item(0).SetAutoConnect(v); }
    bool OPCActive() const { return FOPC && FOPC->Items.Item(0).GetActive(); }
    bool OPCQualityGood() const { return FOPC && FOPC->Items.Item(0).GetQualityGood(); }
    TcOPCManager& OPCManager() { return Binding().Manager; }
    // The OPC items and group are made on first use: a channel fed only by code never has them.
    bool HasOPCBinding() const { return FOPC != nullptr; }
    const TPropertyTable& PropertyTable() const override;

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
    bool Designing() const;

    struct TcOPCBinding {
        // The manager is declared after the item list so that it goes after the items.
        TcOPCItemManager Items;
        TcOPCManager Manager;
    };
    TcOPCBinding& Binding();
    // Item 0 or 1 of the binding, or an item with the defaults while there is none.
    const TcOPCItem& OPCItem(int Index) const;
    std::unique_ptr<TcOPCBinding> FOPC;
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
