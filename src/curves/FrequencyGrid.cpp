#include "curves/FrequencyGrid.h"

#include <cmath>
#include <numbers>

namespace
{

FrequencyGrid BuildGrid()
{
    FrequencyGrid g;
    const double decades = std::log10(CurveTopFrequency);
    for (int p = 0; p < CurvePoints; ++p) {
        const double f = std::pow(10.0, decades * p / CurvePoints);
        const double w = f * std::numbers::pi / CurveTopFrequency;
        g.omega[p] = w;
        g.frequency[p] = w * CurveTopFrequency / std::numbers::pi;
        const double h1 = std::sin(0.5 * w);
        const double h2 = std::sin(w);
        g.vers1[p] = 2.0 * h1 * h1;
        g.vers2[p] = 2.0 * h2 * h2;
        g.sin1[p] = std::sin(-w);
        g.sin2[p] = std::sin(-2.0 * w);
    }
    return g;
}

} // namespace

const FrequencyGrid& FrequencyGrid::Get()
{
    static const FrequencyGrid grid = BuildGrid();
    return grid;
}

double GridPosition(double frequencyHz)
{
    if (!(frequencyHz > 1.0))
        return 0.0;
    const double x = std::log10(frequencyHz) / std::log10(CurveTopFrequency) * CurvePoints;
    return x < CurvePoints ? x : double(CurvePoints);
}
