#include "chart/view/XYPlot.h"

#include <cmath>
#include <limits>

namespace chart
{

using namespace fw;

// TcXYPlotChannel.

TcXYPlotChannel::TcXYPlotChannel(TcPlotOwner* AOwner, const TcPlotHandlers& handlers)
    : TcPlotChannelCustom(AOwner, handlers)
{
}

const TPropertyTable& TcXYPlot::PropertyTable() const
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

const TPropertyTable& TcXYPlotChannel::PropertyTable() const
{
    using X = TcXYPlotChannel;
    static const TPropertyTable table = [] {
        TPropertyTable t(&TcPlotChannelCustom::ClassTable());
        t.String("OPCComputerName", &X::OPCComputerName, &X::SetOPCComputerName, QStringLiteral("Local"));
        t.String("OPCServerName", &X::OPCServerName, &X::SetOPCServerName, QString());
        t.String("OPCItemName", &X::OPCItemName, &X::SetOPCItemName, QString());
        t.String("OPCItem2Name", &X::OPCItem2Name, &X::SetOPCItem2Name, QString());
        t.Ordinal("OPCUpdateRate", "Integer", &X::OPCUpdateRate, &X::SetOPCUpdateRate, 500);
        t.Float("OPCScalar", &X::OPCScalar, &X::SetOPCScalar, 0);
        t.Float("OPCOffset", &X::OPCOffset, &X::SetOPCOffset, 0);
        t.Float("OPCScalar2", &X::OPCScalar2, &X::SetOPCScalar2, 0);
        t.Float("OPCOffset2", &X::OPCOffset2, &X::SetOPCOffset2, 0);
        t.Boolean("OPCAutoConnect", &X::OPCAutoConnect, &X::SetOPCAutoConnect, true);
        return t;
    }();
    return table;
}

TcXYPlotChannel::~TcXYPlotChannel()
{
    if (FOPC)
        FOPC->Items.Clear();
}

TcXYPlotChannel::TcOPCBinding& TcXYPlotChannel::Binding()
{
    if (!FOPC) {
        FOPC = std::make_unique<TcOPCBinding>();
        TcOPCItemManager& items = FOPC->Items;
        items.OnGetDesigning = [this] { return Designing(); };
        items.Add();
        items.Add();
        items.Item(0).SetPropertyName(QStringLiteral("Data"));
        items.Item(1).SetPropertyName(QStringLiteral("Data"));
        FOPC->Manager.OnAfterGroupUpdate = [this](TcOPCManager*, const QString&) {
            AddXY(FOPC->Items.Item(0).Data().toDouble(), FOPC->Items.Item(1).Data().toDouble());
        };
    }
    return *FOPC;
}

const TcOPCItem& TcXYPlotChannel::OPCItem(int Index) const
{
    static const TcOPCItem defaults;
    return FOPC ? FOPC->Items.Item(Index) : defaults;
}

bool TcXYPlotChannel::Designing() const
{
    auto* c = dynamic_cast<TcComponent*>(FOwner);
    return c && c->IsDesigning();
}

int TcXYPlotChannel::AddNull()
{
    return AddPoint(0, 0, true, false);
}
int TcXYPlotChannel::AddEmpty()
{
    return AddPoint(0, 0, false, true);
}

void TcXYPlotChannel::OPCActivate()
{
    if (Designing())
        return;
    TcOPCBinding& b = Binding();
    b.Items.Item(0).Deactivate();
    b.Items.Item(1).Deactivate();
    b.Manager.GroupClear();
    const QString group = QString::asprintf("%p", static_cast<const void*>(this));
    const TcOPCItem& first = b.Items.Item(0);
    b.Manager.GroupAdd(group, first.ComputerName(), first.ServerName(), first.UpdateRate());
    for (int i = 0; i < 2; ++i) {
        b.Items.Item(i).SetGroupName(group);
        b.Items.Item(i).Activate();
    }
}

void TcXYPlotChannel::OPCActivateSuspend()
{
    OPCActivate();
    OPCUpdateSuspend();
}

void TcXYPlotChannel::OPCDeactivate()
{
    if (!FOPC)
        return;
    FOPC->Items.Item(0).Deactivate();
    FOPC->Items.Item(1).Deactivate();
}

void TcXYPlotChannel::OPCUpdateSuspend()
{
    if (FOPC && FOPC->Manager.GroupCount() > 0)
        FOPC->Manager.GetGroup(0).Suspend();
}

void TcXYPlotChannel::OPCUpdateResume()
{
    if (FOPC && FOPC->Manager.GroupCount() > 0)
        FOPC->Manager.GetGroup(0).Resume();
}

void TcXYPlotChannel::DoInsert()
{
    TcPlotChannelCustom::DoInsert();
    // Without the library an activation could reach no server; a channel fed by code keeps no binding.
    if (OPCAutoConnect() && !TcOPCDLL::OPCDLLMissing())
        OPCActivate();
}

void TcXYPlotChannel::PrepareDraw()
{
    TcPlotObject::PrepareDraw();
    bool can = GetXAxis() && GetYAxis() && Visible() && Count() > 0;
    if (can) {
        CalcStartIndex();
        CalcStopIndex();
        can = FStartIndex != -1 && FStopIndex != -1;
    }
    SetCanDraw(can);
}

void TcXYPlotChannel::Draw(TCanvas& Canvas, TColor BackGroundColor)
{
    if (ClipToAxes()) {
        TcPlotAxis* h = XYAxesReversed() ? GetYAxis() : GetXAxis();
        TcPlotAxis* v = XYAxesReversed() ? GetXAxis() : GetYAxis();
        if (h && v)
            Canvas.IntersectClipRect(
                RectFromCorners(h->MinPixels(), v->MinPixels(), h->MaxPixels(), v->MaxPixels()));
    }
    DrawTrace(Canvas, XYAxesReversed(), BackGroundColor);
    DrawMarkers(Canvas, XYAxesReversed(), BackGroundColor);
}

double TcXYPlotChannel::ZoomExtent(bool x, double sign)
{
    CalcStartIndex();
    CalcStopIndex();
    double result = sign > 0 ? -1e300 : 1e300;
    if (!GetXAxis() || !GetYAxis() || !Visible() || Count() == 0)
        return result;
    for (int i = 0; i < Count(); ++i) {
        if (!IsPointValid(i))
            continue;
        const double v = x ? (sign > 0 ? GetMarkerXMax(i) : GetMarkerXMin(i))
                           : (sign > 0 ? GetMarkerYMax(i) : GetMarkerYMin(i));
        result = sign > 0 ? std::max(result, v) : std::min(result, v);
    }
    return result;
}

void TcXYPlotChannel::CalcDataCursorValues(TcPlotDataCursor* Cursor)
{
    TcPlotAxis* xa = GetXAxis();
    TcPlotAxis* ya = GetYAxis();
    double X1 = 0, X2 = 0, Y1 = 0, Y2 = 0, xv = 0, yv = 0;
    const double p1 = Cursor->Pointer1Position(), p2 = Cursor->Pointer2Position();
    TcPlotDataView* dv = Cursor->DataView();
    if (xa) {
        if (dv && xa->StartPercent() != 0 && xa->StopPercent() != 100) {
            X1 = xa->PixelsToPosition(dv->PositionPercentToPixelsX(p1));
            X2 = xa->PixelsToPosition(dv->PositionPercentToPixelsX(p2));
        } else {
            X1 = xa->PercentToPosition(p1 / 100);
            X2 = xa->PercentToPosition(p2 / 100);
        }
    }
    if (ya) {
        if (dv && ya->StartPercent() != 0 && ya->StopPercent() != 100) {
            Y1 = ya->PixelsToPosition(dv->PositionPercentToPixelsY(p1));
            Y2 = ya->PixelsToPosition(dv->PositionPercentToPixelsY(p2));
        } else {
            Y1 = ya->PercentToPosition(p1 / 100);
            Y2 = ya->PercentToPosition(p2 / 100);
        }
    }
    bool showX = false, showY = false, infinite = false;
    switch (Cursor->Style()) {
    case ipcsValueXY:
        xv = X1;
        yv = Y2;
        showX = showY = true;
        break;
    case ipcsValueX:
        xv = X1;
        showX = true;
        break;
    case ipcsValueY:
        yv = Y2;
        showY = true;
        break;
    case ipcsDeltaX:
        xv = std::fabs(X1 - X2);
        showX = true;
        break;
    case ipcsDeltaY:
        yv = std::fabs(Y1 - Y2);
        showY = true;
        break;
    case ipcsInverseDeltaX: {
        const double d = (xa ? xa->CursorScaler() : 0) * (X1 - X2);
        xv = d == 0 ? std::numeric_limits<double>::infinity() : std::fabs(1 / d);
        infinite = !(xv < 1e301);
        showX = true;
        break;
    }
    }
    if (!xa || !ya)
        xv = yv = 0;
    FDataCursorXText.clear();
    FDataCursorYText.clear();
    FDataCursorXValue = xv;
    FDataCursorYValue = yv;
    FDataCursorStatus = 0;
    Cursor->SetValues(xv, yv, 0);
    if (!xa) {
        Cursor->SetCursorDisplayText(TranslateText(QStringLiteral("No X-Axis")));
        return;
    }
    if (showX)
        FDataCursorXText = infinite ? TranslateText(QStringLiteral("Infinite")) : xa->GetCursorText(xv);
    if (showY)
        FDataCursorYText = ya ? ya->GetCursorText(yv) : TranslateText(QStringLiteral("No Y-Axis"));
    QString text;
    if (showX && showY)
        text = FDataCursorXText + QStringLiteral(", ") + FDataCursorYText;
    else
        text = showX ? FDataCursorXText : FDataCursorYText;
    Cursor->SetCursorDisplayText(text);
}

// TcXYPlot.

TcXYPlot::TcXYPlot(QWidget* parent) : TcPlotComponent(parent)
{
    Master().SetChannelClass([](TcPlotOwner* o, const TcPlotHandlers& h) -> TcPlotChannelCustom* {
        return new TcXYPlotChannel(o, h);
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
}

TcXYPlotChannel* TcXYPlot::GetChannel(int Index) const
{
    auto* c = dynamic_cast<TcXYPlotChannel*>(GetChannelCustom(Index));
    if (!c)
        throw EChartError(QStringLiteral("Invalid class typecast"));
    return c;
}

} // namespace chart
