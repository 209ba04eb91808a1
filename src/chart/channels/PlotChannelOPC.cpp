#include "chart/channels/PlotChannelOPC.h"

#include "chart/component/Component.h"
#include "chart/core/ChartError.h"

namespace chart
{

TcPlotChannelOPC::TcPlotChannelOPC(TcPlotOwner* AOwner, const TcPlotHandlers& handlers)
    : TcPlotChannelCustom(AOwner, handlers)
{
}

TcPlotChannelOPC::~TcPlotChannelOPC()
{
    if (FOPC)
        FOPC->Items.Clear();
}

void TcPlotChannelOPC::DeclareOPCProperties(TPropertyTable& t)
{
    using C = TcPlotChannelOPC;
    t.String("OPCComputerName", &C::OPCComputerName, &C::SetOPCComputerName, QStringLiteral("Local"));
    t.String("OPCServerName", &C::OPCServerName, &C::SetOPCServerName, QString());
    t.String("OPCItemName", &C::OPCItemName, &C::SetOPCItemName, QString());
    t.String("OPCItem2Name", &C::OPCItem2Name, &C::SetOPCItem2Name, QString());
    t.Ordinal("OPCUpdateRate", "Integer", &C::OPCUpdateRate, &C::SetOPCUpdateRate, 500);
    t.Float("OPCScalar", &C::OPCScalar, &C::SetOPCScalar, 0);
    t.Float("OPCOffset", &C::OPCOffset, &C::SetOPCOffset, 0);
    t.Float("OPCScalar2", &C::OPCScalar2, &C::SetOPCScalar2, 0);
    t.Float("OPCOffset2", &C::OPCOffset2, &C::SetOPCOffset2, 0);
    t.Boolean("OPCAutoConnect", &C::OPCAutoConnect, &C::SetOPCAutoConnect, true);
}

TcPlotChannelOPC::TcOPCBinding& TcPlotChannelOPC::Binding()
{
    if (!FOPC) {
        FOPC = std::make_unique<TcOPCBinding>();
        TcOPCItemManager& items = FOPC->Items;
        items.OnGetDesigning = [this] { return Designing(); };
        items.OnNewData = [this](TcOPCItem* Item) { OPCNewData(*Item, FOPC->Items.FindIndex(Item)); };
        items.Add();
        items.Add();
        items.Item(0).SetPropertyName(QStringLiteral("Data"));
        items.Item(1).SetPropertyName(QStringLiteral("Data"));
        FOPC->Manager.OnAfterGroupUpdate = [this](TcOPCManager*, const QString&) { OPCPairUpdated(); };
    }
    return *FOPC;
}

const TcOPCItem& TcPlotChannelOPC::OPCItem(int Index) const
{
    static const TcOPCItem defaults;
    return FOPC ? FOPC->Items.Item(Index) : defaults;
}

bool TcPlotChannelOPC::Designing() const
{
    auto* c = dynamic_cast<TcComponent*>(FOwner);
    return c && c->IsDesigning();
}

void TcPlotChannelOPC::OPCActivate()
{
    if (Designing())
        return;
    TcOPCBinding& b = Binding();
    TcOPCItem& first = b.Items.Item(0);
    TcOPCItem& second = b.Items.Item(1);
    first.Deactivate();
    second.Deactivate();
    // A group left from an earlier pair would take the suspension meant for item 0.
    b.Manager.GroupClear();
    if (!OPCPaired()) {
        first.Activate();
        return;
    }
    if (OPCOwnGroup()) {
        const QString group = QString::asprintf("%p", static_cast<const void*>(this));
        b.Manager.GroupAdd(group, first.ComputerName(), first.ServerName(), first.UpdateRate());
        first.SetGroupName(group);
    }
    second.SetGroupName(first.GroupName());
    first.Activate();
    second.Activate();
}

void TcPlotChannelOPC::OPCActivateSuspend()
{
    OPCActivate();
    OPCUpdateSuspend();
}

void TcPlotChannelOPC::OPCDeactivate()
{
    if (!FOPC)
        return;
    FOPC->Items.Item(0).Deactivate();
    FOPC->Items.Item(1).Deactivate();
}

void TcPlotChannelOPC::OPCUpdateSuspend()
{
    if (!FOPC)
        return;
    if (FOPC->Manager.GroupCount() > 0)
        FOPC->Manager.GetGroup(0).Suspend();
    else
        FOPC->Items.Item(0).UpdateSuspend();
}

void TcPlotChannelOPC::OPCUpdateResume()
{
    if (!FOPC)
        return;
    if (FOPC->Manager.GroupCount() > 0)
        FOPC->Manager.GetGroup(0).Resume();
    else
        FOPC->Items.Item(0).UpdateResume();
}

void TcPlotChannelOPC::OPCNewData(const TcOPCItem&, int) {}

void TcPlotChannelOPC::OPCPairUpdated()
{
    try {
        AddXY(FOPC->Items.Item(0).Data().toDouble(), FOPC->Items.Item(1).Data().toDouble());
    } catch (const EChartError&) {
        // A pair against the channel's X order is dropped.
    }
}

void TcPlotChannelOPC::DoInsert()
{
    TcPlotChannelCustom::DoInsert();
    // Without the library an activation could reach no server; a channel fed by code keeps no binding.
    if (OPCAutoConnect() && !TcOPCDLL::OPCDLLMissing())
        OPCActivate();
}

} // namespace chart
