// The chart object kinds that the managers create: toolbar, legend, table, data view, data cursor,
// label, limit and annotation, each in its own file.
#pragma once

#include "chart/objects/PlotAnnotation.h"
#include "chart/objects/PlotDataCursor.h"
#include "chart/objects/PlotDataView.h"
#include "chart/objects/PlotLabel.h"
#include "chart/objects/PlotLegend.h"
#include "chart/objects/PlotLimit.h"
#include "chart/objects/PlotObject.h"
#include "chart/objects/PlotTable.h"
#include "chart/objects/PlotToolBar.h"
