// What a new XY or strip chart holds: one toolbar, legend, X axis, Y axis, channel, data view, data
// cursor and the title label, and the property table that gives the title properties their defaults.
// UI thread only.
#pragma once

#include "chart/view/PlotComponent.h"

namespace chart
{

// Adds the default objects to a chart that has its channel class set.
void AddDefaultObjects(TcPlotComponent& Chart);
// The chart's table with "TitleVisible" and "TitleText" redeclared as the title label sets them.
const fw::TPropertyTable& TitledChartTable();

} // namespace chart
