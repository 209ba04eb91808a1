// TcPlotChannelOPC: the base of the channels two OPC items can feed (the XY chart's and the strip
// chart's). Item 0 names the computer, server and update rate and gives X (or the value), item 1
// gives Y; both bind "Data". Fed as a pair, the two items share a private group whose updates add
// one point each. The items and the group are made on first use: a channel fed only by code never
// has them. UI thread only.
#pragma once

#include "chart/channels/PlotChannelCustom.h"
#include "chart/io/OPCItem.h"
#include "chart/io/OPCManager.h"

#include <memory>

namespace chart
{

class TcPlotChannelOPC : public TcPlotChannelCustom
{
  public:
    TcPlotChannelOPC(TcPlotOwner* AOwner, const TcPlotHandlers& handlers);
    ~TcPlotChannelOPC() override;

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
    TcOPCItemManager& OPCItems() { return Binding().Items; }
    bool HasOPCBinding() const { return FOPC != nullptr; }

    // Reconnects: both items of a pair join the channel's own group (see OPCOwnGroup), a single
    // item 0 connects alone. Nothing while the chart is designed.
    void OPCActivate();
    void OPCActivateSuspend();
    void OPCDeactivate();
    // The pair's group, or item 0 alone.
    void OPCUpdateSuspend();
    void OPCUpdateResume();

    // Connects when item 0 connects automatically and the library is there.
    void DoInsert() override;

  protected:
    // The published OPC properties, from OPCComputerName to OPCAutoConnect.
    static void DeclareOPCProperties(TPropertyTable& t);
    // Item 0 or 1, or an item with the defaults while there is none.
    const TcOPCItem& OPCItem(int Index) const;
    TcOPCItem& MutableOPCItem(int Index) { return Binding().Items.Item(Index); }
    // Whether both items feed the channel as a pair; otherwise item 0 alone.
    virtual bool OPCPaired() const { return true; }
    // Whether a pair gets a group of the channel's own; otherwise both items take item 0's group.
    virtual bool OPCOwnGroup() const { return true; }
    // New data of one item (item 0 or 1).
    virtual void OPCNewData(const TcOPCItem& Item, int Index);

  private:
    // A group update of the pair: X from item 0, Y from item 1.
    void OPCPairUpdated();
    bool Designing() const;
    struct TcOPCBinding {
        // The manager is declared after the item list so that it goes after the items.
        TcOPCItemManager Items;
        TcOPCManager Manager;
    };
    TcOPCBinding& Binding();
    std::unique_ptr<TcOPCBinding> FOPC;
};

} // namespace chart
