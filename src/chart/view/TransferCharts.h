// The three transfer-curve charts of the main window (compressor, limiter, gate): XY charts with
// both axes from -100 to +20 dB, tracking off, the curve on channel 0 and the marker point on
// channel 1, everything else hidden. The window only replaces the points afterwards.
#pragma once

#include "chart/view/XYPlot.h"

class QWidget;

namespace chart
{

enum class TransferChartKind { Comp, Limit, Gate };

// Creates the chart of that kind as a child of parent: "ipComp" and "ipLimit" 620 x 230, "ipGate"
// 855 x 230, with the stored settings applied.
TcXYPlot* CreateTransferChart(QWidget* parent, TransferChartKind kind);

} // namespace chart
