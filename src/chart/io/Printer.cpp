#include "chart/io/Printer.h"

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
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

} // namespace chart
