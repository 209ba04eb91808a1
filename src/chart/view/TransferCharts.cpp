#include "chart/view/TransferCharts.h"

namespace chart
{

using namespace fw;

namespace
{

void SetUpAxis(TcPlotAxis& a, bool x)
{
    a.SetEnabled(false);
    a.SetZOrder(0);
    a.SetTrackingEnabled(false);
    a.SetMinSpan(-100, 120);
    a.LabelsFont().SetName(QStringLiteral("MS Sans Serif"));
    a.LabelsFont().SetHeight(-11);
    a.LabelsFont().SetColor(clYellow);
    a.SetLabelsPrecision(2);
    a.SetDesiredStart(20);
    a.SetDesiredIncrement(x ? 20 : 10);
    a.SetMinorLength(x ? 13 : 8);
    a.SetLabelsMinLength(x ? 5 : 3);
    a.SetLabelSeparation(x ? 0 : 1);
    a.SetStackingEndsMargin(x ? 1 : 0.5);
    a.SetScaleLinesShow(false);
    a.SetGridLinesVisible(true);
    a.SetTitleShow(false);
    if (x) {
        a.SetMajorLength(9);
        a.SetMinorCount(4);
        a.SetScaleLinesColor(8454143);
        a.SetTitleMargin(1);
    }
}

} // namespace

TcXYPlot* CreateTransferChart(QWidget* parent, TransferChartKind kind)
{
    auto* chart = new TcXYPlot(parent);
    chart->BeginLoading();
    switch (kind) {
    case TransferChartKind::Comp:
        chart->SetName(QStringLiteral("ipComp"));
        break;
    case TransferChartKind::Limit:
        chart->SetName(QStringLiteral("ipLimit"));
        break;
    case TransferChartKind::Gate:
        chart->SetName(QStringLiteral("ipGate"));
        break;
    }
    chart->SetBounds(chart->Left(), chart->Top(), kind == TransferChartKind::Gate ? 855 : 620, 230);
    chart->SetBorderStyle(ibsNone);
    chart->SetUserCanEditObjects(false);
    chart->SetDataViewZHorz(1);
    chart->SetDataViewZVert(1);
    chart->SetCopyToClipBoardFormat(ipefMetaFile);
    chart->SetEditorFormStyle(ipfsModal);

    TcPlotToolBar* bar = chart->GetToolBar(0);
    bar->SetVisible(false);
    bar->SetHorizontal(true);
    bar->SetZOrder(3);
    bar->SetZoomInOutFactor(2);

    TcPlotLegend* legend = chart->GetLegend(0);
    legend->SetVisible(false);
    legend->SetEnabled(false);
    legend->SetHorizontal(false);
    legend->SetZOrder(2);

    SetUpAxis(*chart->GetXAxis(0), true);
    SetUpAxis(*chart->GetYAxis(0), false);

    TcXYPlotChannel* curve = chart->GetChannel(0);
    curve->SetColor(clWhite);
    curve->SetTraceLineWidth(2);
    TcXYPlotChannel* marker = chart->GetChannel(chart->AddChannel());
    marker->SetColor(0x8080FF);
    marker->SetTraceLineStyle(iplsDot);
    marker->SetTraceLineWidth(5);
    marker->SetMarkersVisible(true);
    marker->SetMarkersSize(5);
    marker->SetMarkersPenWidth(3);
    marker->SetMarkersStyle(ipmsCircle);

    TcPlotDataView* view = chart->GetDataView(0);
    view->SetLayer(0);
    view->SetZOrder(0);
    view->SetPopupEnabled(false);
    view->SetCanFocus(false);
    view->SetGridXAxisName(chart->GetXAxis(0)->Name());
    view->SetGridYAxisName(chart->GetYAxis(0)->Name());
    view->SetAxesControlEnabled(false);
    view->SetAxesControlMouseStyle(ipacsBoth);
    view->SetAxesControlWheelStyle(ipacsXAxis);

    chart->GetDataCursor(0)->SetVisible(false);

    TcPlotLabel* title = chart->GetLabel(0);
    title->SetVisible(false);
    title->SetHorizontal(true);
    title->SetZOrder(2);
    title->SetCaption(QStringLiteral("Untitled"));
    title->Font().SetName(QStringLiteral("Arial"));
    title->Font().SetHeight(-19);
    title->Font().SetStyle(fsBold);
    title->Font().SetColor(clWhite);
    chart->Loaded();
    return chart;
}

} // namespace chart
