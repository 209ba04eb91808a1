// Gallery pages of the strip chart: three channels fed far more points than pixels while the X axis
// scrolls (a fast straight trace with area fill, a step trace and a digital trace, the cursor
// snapped to a point), and a page of the other styles: a spline broken at a null point, bars and
// candlesticks.
#include "Gallery.h"

#include "chart/view/StripChart.h"

#include <cmath>

using namespace chart;

namespace
{

const gallery::GalleryPage stripStreaming(QStringLiteral("chart-strip-streaming"), [] {
    auto page = gallery::FilledDarkPage(800, 460);
    auto* chart = new TcPlot(page.get());
    chart->SetBounds(10, 10, 780, 440);
    chart->SetTitleText(QStringLiteral("Levels over time"));
    chart->AddChannel();
    chart->AddChannel();
    TcPlotAxis* x = chart->GetXAxis(0);
    x->SetMinSpan(0, 1000);
    chart->GetYAxis(0)->SetTrackingEnabled(false);
    chart->GetYAxis(0)->SetMinSpan(-10, 120);
    const char* names[3] = {"Noise", "Gate", "Switch"};
    const TColor colors[3] = {fw::clAqua, fw::clYellow, fw::clLime};
    for (int c = 0; c < 3; ++c) {
        TcPlotChannel* ch = chart->GetChannel(c);
        ch->SetTitleText(QString::fromLatin1(names[c]));
        ch->SetColor(colors[c]);
        ch->SetRingBufferSize(10000);
    }
    TcPlotChannel* noise = chart->GetChannel(0);
    noise->SetFillEnabled(true);
    noise->SetFillUseChannelColor(false);
    noise->SetFillColor(0x604000);
    noise->SetFillReference(-10);
    chart->GetChannel(1)->SetInterpolationStyle(ipistDifferential);
    chart->GetChannel(1)->SetTraceLineWidth(2);
    TcPlotChannel* sw = chart->GetChannel(2);
    sw->SetDigitalEnabled(true);
    sw->SetDigitalReferenceLow(85);
    sw->SetDigitalReferenceHigh(105);
    // 12,000 points per channel at 0.25 per step: the axis scrolled along and the rings kept the
    // newest 10,000.
    unsigned seed = 7;
    for (int i = 0; i < 12000; ++i) {
        const double t = i * 0.25;
        seed = seed * 1103515245u + 12345u;
        const double r = double((seed >> 16) & 0x7FFF) / 32768.0;
        noise->AddXY(t, 30 + 15 * std::sin(t / 40) + 12 * r);
        chart->GetChannel(1)->AddXY(t, 60 + 10 * std::floor(3 * std::sin(t / 90)));
        sw->AddXY(t, std::sin(t / 23) > 0.3 ? 1 : 0);
    }
    TcPlotDataCursor* cursor = chart->GetDataCursor(0);
    cursor->SetChannelName(noise->Name());
    cursor->SetVisible(true);
    cursor->SetSnapToDataPoint(true);
    cursor->SetPointer1Position(62.3);
    cursor->DoSnapToDataPoint();
    return page;
});

const gallery::GalleryPage stripStyles(QStringLiteral("chart-strip-styles"), [] {
    auto page = gallery::FilledDarkPage(800, 420);
    auto* chart = new TcPlot(page.get());
    chart->SetBounds(10, 10, 780, 400);
    chart->SetTitleText(QStringLiteral("Spline, bars and candlesticks"));
    chart->AddChannel();
    chart->AddChannel();
    for (TcPlotAxis* a :
         {static_cast<TcPlotAxis*>(chart->GetXAxis(0)), static_cast<TcPlotAxis*>(chart->GetYAxis(0))})
        a->SetTrackingEnabled(false);
    chart->GetXAxis(0)->SetMinSpan(0, 40);
    chart->GetYAxis(0)->SetMinSpan(0, 100);
    TcPlotChannel* spline = chart->GetChannel(0);
    spline->SetTitleText(QStringLiteral("Spline"));
    spline->SetColor(fw::clAqua);
    spline->SetTraceLineWidth(2);
    spline->SetInterpolationStyle(ipistCubicSpline);
    spline->SetMarkersVisible(true);
    for (int i = 0; i <= 20; ++i) {
        if (i == 9)
            spline->AddXNull(i * 2);
        else
            spline->AddXY(i * 2, 80 + 12 * std::sin(i * 0.9));
    }
    TcPlotChannel* bars = chart->GetChannel(1);
    bars->SetTitleText(QStringLiteral("Bars"));
    bars->SetColor(0x3080FF);
    bars->SetTraceVisible(false);
    bars->SetBarEnabled(true);
    bars->SetBarStored<double, &TcPlotPointStyle::BarWidth>(1.2);
    bars->SetBarStored<double, &TcPlotPointStyle::BarReference>(5);
    for (int i = 1; i < 40; i += 2)
        bars->AddXY(i, 10 + 25 * std::fabs(std::sin(i * 0.35)));
    TcPlotChannel* ohlc = chart->GetChannel(2);
    ohlc->SetTitleText(QStringLiteral("Prices"));
    ohlc->SetDataStyle(ipdsFullFeature);
    ohlc->SetTraceVisible(false);
    ohlc->SetHighLowEnabled(true);
    ohlc->SetHighLowStyle(iphlsCandleStick);
    ohlc->SetHighLowSize<TcPlotChannel::hlBarWidth>(1.0);
    ohlc->SetHighLowColor<TcPlotChannel::hlBullish>(fw::clLime);
    ohlc->SetHighLowColor<TcPlotChannel::hlBearish>(fw::clRed);
    double close = 55;
    for (int i = 1; i < 40; i += 2) {
        const double open = close;
        close = open + 6 * std::sin(i * 1.7);
        ohlc->AddHighLow(i, std::max(open, close) + 3, std::min(open, close) - 3, open, close);
    }
    return page;
});

} // namespace
