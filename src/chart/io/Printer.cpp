#include "chart/io/Printer.h"

#include "chart/view/PlotComponent.h"
#include "chart/view/PlotForms.h"
#include "platform/WholeFile.h"

#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <utility>

namespace chart
{

namespace
{
std::optional<TcPrinterSetup> SystemPrinterSetup(bool)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return std::nullopt;
    QPrinter printer(info);
    if (!printer.isValid())
        return std::nullopt;
    const QPageLayout layout = printer.pageLayout();
    TcPrinterSetup setup;
    const int code = layout.pageSize().windowsId();
    setup.PaperCode = code > 0 && code <= 0xFFFF ? std::uint16_t(code) : 0;
    setup.Landscape = layout.orientation() == QPageLayout::Landscape;
    return setup;
}
TcPrinterSetupSource& PrinterSource()
{
    static TcPrinterSetupSource source;
    return source;
}
} // namespace

void SetPrinterSetupSource(TcPrinterSetupSource source)
{
    PrinterSource() = std::move(source);
}

bool GetPrinterPaperSize(TcPaperSize& Size, QString* Error)
{
    const TcPrinterSetupSource& source =
        PrinterSource() ? PrinterSource() : TcPrinterSetupSource(SystemPrinterSetup);
    std::optional<TcPrinterSetup> setup = source(false);
    if (!setup)
        setup = source(true);
    if (!setup) {
        if (Error)
            *Error = QStringLiteral("Could not initialize printer DeviceMode Structure");
        return false;
    }
    Size = GetPaperSizeInInches(setup->PaperCode);
    if (setup->Landscape)
        std::swap(Size.Width, Size.Height);
    return true;
}

namespace
{
QString& PrintFile()
{
    static QString file;
    return file;
}

void PrintOnPrinter(TcPlotComponent& Chart)
{
    QPrinter printer(QPrinter::HighResolution);
    const QString name = Chart.PrinterName().trimmed();
    if (!name.isEmpty() && QPrinterInfo::availablePrinterNames().contains(name))
        printer.setPrinterName(name);
    if (!PrintFile().isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(PrintFile());
    }
    printer.setPageOrientation(Chart.PrintOrientation() == poLandscape ? QPageLayout::Landscape
                                                                       : QPageLayout::Portrait);
    printer.setDocName(Chart.PrintDocumentName());
    if (Chart.PrintShowDialog()) {
        QPrintDialog dialog(&printer, &Chart);
        if (RunChartModal(dialog) != QDialog::Accepted)
            return;
    }
    // A PDF (chosen here or in the dialog) is printed into a temporary file and then written whole.
    const QString target =
        printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
    QTemporaryDir folder;
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        if (target.isEmpty())
            throw EChartError(QStringLiteral("Could not initialize printer DeviceMode Structure"));
        if (!folder.isValid())
            throw EChartError(QStringLiteral("no temporary folder: %1").arg(folder.errorString()));
        printer.setOutputFileName(folder.filePath(QStringLiteral("print.pdf")));
    } else if (!printer.isValid()) {
        throw EChartError(QStringLiteral("Could not initialize printer DeviceMode Structure"));
    }
    try {
        Chart.PrintPages(printer);
    } catch (...) {
        printer.abort();
        throw;
    }
    if (target.isEmpty())
        return;
    constexpr std::size_t kMaxPrintFile = std::size_t(512) << 20;
    std::vector<std::uint8_t> bytes;
    std::string failure =
        platform::ReadFileLimited(printer.outputFileName().toStdString(), kMaxPrintFile, bytes);
    if (failure.empty())
        failure = platform::WriteFileAtomic(target.toStdString(), bytes);
    if (!failure.empty())
        throw EChartError(QString::fromStdString(failure));
}
} // namespace

void InstallPlotPrinting()
{
    SetPlotPrinter(PrintOnPrinter);
}

void SetPrintToFile(const QString& PdfFileName)
{
    PrintFile() = PdfFileName;
}

} // namespace chart
