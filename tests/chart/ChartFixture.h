// Shared pieces of the chart tests: one QApplication, the fixed text metrics ("0" 6 px wide, 6 px a
// character, every text 13 px high), a plain channel and a chart owner with the transfer-curve
// axes of the main window.
#pragma once

#include "chart/axes/PlotAxis.h"
#include "chart/channels/PlotChannelCustom.h"
#include "chart/objects/MasterManager.h"
#include "framework/Fonts.h"
#include "support/TestApp.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

namespace charttest
{

using testapp::EnsureApp;

class FixedMetrics : public fw::TextMetrics
{
  public:
    int Width(const QFont&, const QString& text) const override { return 6 * int(text.size()); }
    int Height(const QFont&) const override { return 13; }
    int Ascent(const QFont&) const override { return 10; }
};

// Installs the fixed metrics for a test's lifetime.
struct MetricsScope {
    FixedMetrics metrics;
    MetricsScope() { fw::SetTextMetrics(&metrics); }
    ~MetricsScope() { fw::SetTextMetrics(nullptr); }
};

// A channel whose drawing range is every point.
class TestChannel : public chart::TcPlotChannelCustom
{
  public:
    using TcPlotChannelCustom::TcPlotChannelCustom;
    void CalcStartIndex() override { FStartIndex = Count() ? 0 : -1; }
    void CalcStopIndex() override { FStopIndex = Count() - 1; }
};

inline chart::TcChannelClass TestChannelClass()
{
    return [](chart::TcPlotOwner* o, const chart::TcPlotHandlers& h) { return new TestChannel(o, h); };
}

// A chart owner that records the per-kind events and counts the change notifications.
struct Host : chart::TcPlotHost {
    std::vector<chart::TcPlotEvent> Events;
    int Changes = 0;
    Host()
    {
        Master().SetChannelClass(TestChannelClass());
        Master().OnChange = [this](chart::TcPersistent*) { ++Changes; };
        OnPlotEvent = [this](chart::TcPlotEvent& e) { Events.push_back(e); };
    }
    chart::TcPlotXAxis* X(int i = 0) { return Master().XAxisManager()->GetItem(i); }
    chart::TcPlotYAxis* Y(int i = 0) { return Master().YAxisManager()->GetItem(i); }
    TestChannel* Channel(int i = 0)
    {
        return static_cast<TestChannel*>(Master().ChannelManager()->GetItem(i));
    }
};

// A chart of 520 x 320 whose first axes hold 0 .. 100 without tracking, every plot event recorded.
template <class Chart, class Events> void SetUpRecordedChart(Chart& chart, Events& events)
{
    chart.SetBounds(0, 0, 520, 320);
    chart.OnPlotEvent = [&events](auto& e) { events.push_back(e); };
    for (chart::TcPlotAxis* a : {static_cast<chart::TcPlotAxis*>(chart.GetXAxis(0)),
                                 static_cast<chart::TcPlotAxis*>(chart.GetYAxis(0))}) {
        a->SetTrackingEnabled(false);
        a->SetMinSpan(0, 100);
    }
}

// The transfer-curve chart's axis settings (range -100 .. 20, labels without decimals).
inline void SetUpTransferAxes(chart::TcPlotAxis& x, chart::TcPlotAxis& y)
{
    for (chart::TcPlotAxis* a : {&x, &y}) {
        a->SetMinSpan(-100, 120);
        a->SetTrackingEnabled(false);
        a->SetRestoreValuesOnResume(false);
        a->SetLabelsPrecision(2);
        a->SetDesiredStart(20);
        a->SetScaleLinesShow(false);
        a->SetLabelsMargin(0.25);
        a->SetInnerMargin(5);
        a->SetOuterMargin(5);
    }
    x.SetDesiredIncrement(20);
    x.SetMajorLength(9);
    x.SetMinorLength(13);
    x.SetMinorCount(4);
    x.SetLabelsMinLength(5);
    x.SetLabelSeparation(0);
    x.SetStackingEndsMargin(1);
    y.SetDesiredIncrement(10);
    y.SetMinorLength(8);
    y.SetLabelsMinLength(3);
    y.SetLabelSeparation(1);
    y.SetStackingEndsMargin(0.5);
}

// A canvas over a scratch image, for measuring and for the recording canvas.
struct Scratch {
    QImage image{640, 240, QImage::Format_RGB32};
    QPainter painter{&image};
    fw::TCanvas canvas{painter};
};

} // namespace charttest
