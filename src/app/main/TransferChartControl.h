// The three transfer-curve charts of the dynamics pages are made here, through one function, so that
// the pages only replace points (the curve on channel 0, the marker on channel 1). UI thread only.
#pragma once

#include "framework/Control.h"

#include <utility>
#include <vector>

namespace app
{

// kind: 0 compressor, 1 limiter, 2 gate.
fw::TControl* CreateTransferChartControl(QWidget* parent, int kind, const char* name);

using ChartPoint = std::pair<double, double>;
// Replaces the curve (channel 0) and the marker (channel 1) of a chart made above.
void SetChartPoints(fw::TControl* chart, const std::vector<ChartPoint>& curve, ChartPoint marker);
// Channel 0's points (for tests).
std::vector<ChartPoint> ChartCurve(fw::TControl* chart);

} // namespace app
