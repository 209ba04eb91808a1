// Response graphs set up as the main window sets them, with channel curves from the curve maths:
// shared by the graph tests, the gallery and the benchmark.
#pragma once

#include "base/ValueScales.h"
#include "curves/Crossover.h"
#include "curves/CurveColours.h"
#include "curves/FrequencyGrid.h"
#include "curves/Plot.h"
#include "graph/LMyFFTDrawHpLp6dB.h"

#include <array>
#include <vector>

namespace graphscene
{

// The main window's settings of a response graph (magnitude view).
inline void ConfigureLikeMainWindow(graph::LMyFFTDrawHpLp6dB& g, int width, int height = 255)
{
    g.SetAutoRedraw(false);
    g.resize(width, height);
    graph::SetMainWindowLook(g);
}

// The main window's phase view.
inline void PhaseView(graph::LMyFFTDrawHpLp6dB& g)
{
    g.SetNumHorzGrid(7);
    g.SetYLabel(QString());
    g.SetYLabelScale(10.0);
    g.SetYMax(18.0);
    g.SetYMin(-18.0);
}

struct Band {
    double gain, freq, q;
    int typeIndex;
};

// Nine output bands of a typical loudspeaker tuning.
inline const std::vector<Band>& TypicalBands()
{
    static const std::vector<Band> bands = {
        {4.0, 45.0, 1.4, PeqTypeLowShelf},     {-3.5, 120.0, 2.0, PeqTypePeak},
        {2.5, 350.0, 1.26, PeqTypePeak},       {-6.0, 900.0, 3.0, PeqTypePeak},
        {3.0, 2200.0, 1.8, PeqTypePeak},       {-4.0, 4700.0, 4.0, PeqTypePeak},
        {5.0, 9000.0, 0.71, PeqTypeHighShelf}, {0.0, 14000.0, 0.71, PeqTypeLp12},
        {0.0, 1000.0, 0.71, PeqTypeAllpass2},
    };
    return bands;
}

// A channel's graph as the main window draws it: the bands' markers, the cuts and the total curve
// in the channel's colour; with `selected` >= 0 that band's text and fill.
inline void DrawChannel(Plot& plot, graph::LMyFFTDrawHpLp6dB& g, int channel, const std::vector<Band>& bands,
                        int selected, int hpSlope = 6, double hpFreq = 40.0, int lpSlope = 6,
                        double lpFreq = 16000.0)
{
    for (std::size_t n = 0; n < bands.size(); ++n) {
        const Band& b = bands[n];
        plot.Section(int(n)).SetFilterSection(b.gain, b.freq, b.q, PeqTypeCodes[std::size_t(b.typeIndex)]);
    }
    ComputeHpLpCurve(plot, true, hpSlope, hpFreq, Plot::HighPassSection);
    ComputeHpLpCurve(plot, false, lpSlope, lpFreq, Plot::HighPassSection);
    plot.DrawTotalCurve(channel);
    for (std::size_t n = 0; n < bands.size(); ++n)
        plot.DrawBandMarker(int(n), float(bands[n].gain), 1);
    if (selected >= 0) {
        const Band& b = bands[std::size_t(selected)];
        plot.ShowBandDetail(b.typeIndex, selected, float(b.gain), float(b.q), true);
    }
    g.UpdateCurvePage();
}

// Another channel's total curve shown as an overlay in plot `number`.
inline void DrawOverlay(graph::LMyFFTDrawHpLp6dB& g, int number, int channel, double shift)
{
    std::vector<double> y(CurvePoints);
    const auto& grid = FrequencyGrid::Get();
    for (int p = 0; p < CurvePoints; ++p) {
        const double f = grid.frequency[std::size_t(p)];
        y[std::size_t(p)] =
            shift + 4.0 * std::sin(std::log10(std::max(f, 1.0)) * 2.1 + channel) - 8.0 / (1 + f / 60.0);
    }
    g.FFTDraw(y.data(), CurvePoints, number, ChannelColours[std::size_t(channel)], 0);
}

} // namespace graphscene
