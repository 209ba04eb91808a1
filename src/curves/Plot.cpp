#include "curves/Plot.h"

#include <cmath>

#include "curves/CurveColours.h"

namespace
{

fw::TColor ChannelColour(int index)
{
    const std::size_t i = index >= 0 && std::size_t(index) < ChannelColours.size() ? std::size_t(index) : 0;
    return ChannelColours[i];
}

fw::TColor MarkerColour(int n)
{
    return MarkerColours[std::size_t(n) % MarkerColours.size()];
}

constexpr fw::TColor DetailColour = 0x00FFFF;
constexpr int LinesStyle = 0;

} // namespace

Plot::Plot(PlotPainter* painter) : FPainter(painter), FSections(sectionCount)
{
    // Every section starts as a flat high shelf (type 3, 1 kHz, 0 dB, Q 0.4)
    // in magnitude mode: the FilterSection defaults.
}

FilterSection& Plot::Section(int n)
{
    return FSections.at(std::size_t(n));
}

const FilterSection& Plot::Section(int n) const
{
    return FSections.at(std::size_t(n));
}

void Plot::SetPhaseMode(bool phase)
{
    FPhaseMode = phase;
    for (FilterSection& s : FSections)
        s.SetPhaseMode(phase);
}

void Plot::DrawSectionCurve(int n, fw::TColor colour)
{
    const FilterSection& s = Section(n);
    if (FPainter)
        FPainter->FFTDraw(s.curve().data(), CurvePoints, n, colour, LinesStyle);
}

void Plot::RemoveCurve(int n)
{
    if (FPainter)
        FPainter->RemovePlot(n);
}

void Plot::ComputeTotalCurve()
{
    const FilterSection* parts[TotalSection];
    for (int n = 0; n < TotalSection; ++n)
        parts[n] = &FSections[std::size_t(n)];
    FilterSection& total = FSections[TotalSection];
    total.SumCurves(parts);
    if (FPhaseMode)
        total.FoldCurve();
}

void Plot::DrawTotalCurve(int index)
{
    ComputeTotalCurve();
    if (FPainter)
        FPainter->FFTDraw(FSections[TotalSection].curve().data(), CurvePoints, TotalSection,
                          ChannelColour(index), LinesStyle);
}

void Plot::DrawBandMarker(int n, float y, int style)
{
    const FilterSection& s = Section(n);
    if (!FPainter)
        return;
    const double x = GridPosition(s.frequency());
    FPainter->DrawBlock(double(y), x, MarkerColour(n), n, false, style);
    FPainter->SetBlockParameter(n, s.frequency(), s.gain(), s.q(), s.type());
}

void Plot::ShowBandDetail(int kind, int n, float gain, float q, bool show)
{
    if (n < 0)
        n = 0;
    const FilterSection& s = Section(n);
    if (!FPainter)
        return;
    if (!show) {
        FPainter->SetCurveDisplay(false);
        return;
    }
    FPainter->DrawParam(kind, double(gain), GridPosition(s.frequency()), float(s.frequency()), double(q),
                        DetailColour);
    FPainter->DrawCurveFill(kind, s.curve().data(), CurvePoints);
    FPainter->SetCurveDisplay(true);
}
