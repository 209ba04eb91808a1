// The current printer's paper, for print layouts, and the charts' printer. Kept apart from drawing
// so that a chart that never prints does not link the print support. UI thread only.
#pragma once

#include "chart/core/ChartFormat.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

namespace chart
{

// The current printer's paper code and orientation; none when no printer can be set up. Tests may
// install their own source; Reselect is set on the second try.
struct TcPrinterSetup {
    std::uint16_t PaperCode = 0;
    bool Landscape = false;
};
using TcPrinterSetupSource = std::function<std::optional<TcPrinterSetup>(bool Reselect)>;
void SetPrinterSetupSource(TcPrinterSetupSource source);
// The current printer's paper in inches, width and height exchanged in landscape. False with
// "Could not initialize printer DeviceMode Structure" when no printer can be set up, even after
// selecting it again.
bool GetPrinterPaperSize(TcPaperSize& Size, QString* Error = nullptr);

// Installs the printer of the charts' PrintChart: the printer named by the chart (else the
// default), its orientation and document name, the print dialog when the chart asks for it (a
// cancel prints nothing), then the chart's pages. Without a printer: "Could not initialize printer
// DeviceMode Structure".
void InstallPlotPrinting();
// Prints into this PDF file (written whole) instead of on a printer; empty goes back to the printer.
void SetPrintToFile(const QString& PdfFileName);

} // namespace chart
