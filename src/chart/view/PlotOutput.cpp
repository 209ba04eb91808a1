// The chart's output: the clipboard, image files, the kept snapshot picture, pages onto a printer
// and the preview; the toolbar's chart commands.
#include "chart/objects/MasterManager.h"
#include "chart/objects/PlotToolBar.h"
#include "chart/view/PlotComponent.h"
#include "chart/view/PlotForms.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPicture>
#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace chart
{

namespace
{
TcPlotPrinter& InstalledPrinter()
{
    static TcPlotPrinter printer;
    return printer;
}

// Ends the update on every exit.
class TcUpdateScope
{
  public:
    explicit TcUpdateScope(TcComponent& c) : FC(c) { FC.BeginUpdate(); }
    ~TcUpdateScope() { FC.EndUpdate(); }
    TcUpdateScope(const TcUpdateScope&) = delete;
    TcUpdateScope& operator=(const TcUpdateScope&) = delete;

  private:
    TcComponent& FC;
};

// The save picker's file types, in the order of TcPlotImageFormatStyle.
const char* const kSaveFilters[] = {"Bitmap (*.bmp)", "PDF (*.pdf)", "JPEG File (*.jpg)", "PNG (*.png)"};
} // namespace

void SetPlotPrinter(TcPlotPrinter Printer)
{
    InstalledPrinter() = std::move(Printer);
}

bool TcPlotComponent::PrintingAvailable()
{
    return bool(InstalledPrinter());
}

bool TcPlotComponent::CopyToClipBoard(QString* Error)
{
    const TcUpdateScope update(*this);
    std::optional<QByteArray> pdf, jpeg;
    QImage image;
    {
        const TcToolBarsHidden hidden(*this);
        FMaster->DeSelectAll();
        QString error;
        switch (FCopyToClipBoardFormat) {
        case ipefMetaFile:
            // The vector picture, with the bitmap for programs that take no PDF.
            pdf = GetBytesPDF(&error);
            image = PaintToImage();
            break;
        case ipefBitmap:
            image = PaintToImage();
            break;
        case ipefJPEG:
            jpeg = GetBytesJPEG(100, false, &error);
            break;
        }
        if (!error.isEmpty()) {
            if (Error)
                *Error = error;
            return false;
        }
    }
    auto* data = new QMimeData;
    if (!image.isNull())
        data->setImageData(image);
    if (pdf)
        data->setData(QStringLiteral("application/pdf"), *pdf);
    if (jpeg)
        data->setData(QStringLiteral("image/jpeg"), *jpeg);
    QApplication::clipboard()->setMimeData(data);
    return true;
}

bool TcPlotComponent::SaveImage(const QString& FileName, QString* Error)
{
    FMaster->DeSelectAll();
    const QString suffix = QFileInfo(FileName).suffix().toLower();
    if (suffix == QLatin1String("bmp"))
        return SaveImageToBitmap(FileName, Error);
    if (suffix == QLatin1String("pdf"))
        return SaveImageToPDF(FileName, Error);
    if (suffix == QLatin1String("jpg"))
        return SaveImageToJPEG(FileName, 100, true, Error);
    if (suffix == QLatin1String("png"))
        return SaveImageToPNG(FileName, 9, Error);
    if (Error)
        *Error =
            QStringLiteral("Cannot save \"%1\": the file type is not known (use .bmp, .pdf, .jpg or .png)")
                .arg(FileName);
    return false;
}

bool TcPlotComponent::Save(QString* Error)
{
    QFileDialog picker(this, QString(), FDefaultSaveImageDirectory);
    picker.setAcceptMode(QFileDialog::AcceptSave);
    QStringList filters;
    for (const char* f : kSaveFilters)
        filters << QString::fromLatin1(f);
    picker.setNameFilters(filters);
    // A name typed without an extension takes the chosen file type's.
    const auto takeSuffix = [&picker](const QString& filter) {
        picker.setDefaultSuffix(filter.section(QStringLiteral("*."), 1).chopped(1));
    };
    QObject::connect(&picker, &QFileDialog::filterSelected, &picker, takeSuffix);
    picker.selectNameFilter(filters.value(int(FDefaultSaveImageFormat), filters.front()));
    takeSuffix(picker.selectedNameFilter());
    picker.selectFile(QStringLiteral("Untitled"));
    if (RunChartModal(picker) != QDialog::Accepted || picker.selectedFiles().isEmpty())
        return true;
    return SaveImage(picker.selectedFiles().front(), Error);
}

const QPicture& TcPlotComponent::GetSnapShotPicture()
{
    if (!FSnapShotPicture)
        FSnapShotPicture = std::make_unique<QPicture>();
    *FSnapShotPicture = QPicture();
    QPainter painter(FSnapShotPicture.get());
    painter.setClipRect(0, 0, Width(), Height());
    GuardChartCall("snapshot", [&] { PaintTo(painter); });
    painter.end();
    return *FSnapShotPicture;
}

bool TcPlotComponent::PrintChart(QString* Error)
{
    return CatchChartError(
        [&] {
            try {
                if (!InstalledPrinter())
                    throw EChartError(QStringLiteral("this program has no print support"));
                InstalledPrinter()(*this);
            } catch (...) {
                throw EChartError(QStringLiteral("Error Printing : ") +
                                  ChartErrorMessage(std::current_exception()));
            }
        },
        Error);
}

void TcPlotComponent::PrintPages(QPagedPaintDevice& Device)
{
    const int dpiX = Device.logicalDpiX(), dpiY = Device.logicalDpiY();
    const QPageLayout layout = Device.pageLayout();
    const QRectF paper = layout.fullRect(QPageLayout::Inch);
    FPrintPaper = {paper.width(), paper.height(), int(std::lround(paper.width() * dpiX)),
                   int(std::lround(paper.height() * dpiY))};
    const QPoint offset = layout.paintRectPixels(dpiX).topLeft();
    const double W = std::max(1, Width()), H = std::max(1, Height());
    const double s =
        std::min((FPrintPaper.WidthPixels - (PrintMarginLeft() + PrintMarginRight()) * dpiX) / W,
                 (FPrintPaper.HeightPixels - (PrintMarginTop() + PrintMarginBottom()) * dpiY) / H);
    if (!(s > 0))
        throw EChartError(QStringLiteral("the print margins leave no room on the paper"));
    const double left = dpiX * PrintMarginLeft() - offset.x(), top = dpiY * PrintMarginTop() - offset.y();
    const QRect page(QPoint(int(std::lround(left)), int(std::lround(top))),
                     QPoint(int(std::lround(left + W * s)) - 1, int(std::lround(top + H * s)) - 1));

    TcPlotAxis* axis = XAxisCount() > 0 ? GetXAxis(0) : nullptr;
    const TcUpdateScope update(*this);
    FPrintXStart = axis ? axis->Min() : 0;
    FPrintXStop = axis ? axis->Min() + axis->Span() : 0;
    QPainter painter;
    if (!painter.begin(&Device))
        throw EChartError(QStringLiteral("the print job cannot start"));
    // The axis's Min and Span and the toolbars come back on every exit.
    struct Restore {
        TcPlotAxis* Axis;
        double Min, Span;
        QPainter& Painter;
        ~Restore()
        {
            if (Painter.isActive())
                Painter.end();
            if (Axis) {
                Axis->SetMin(Min);
                Axis->SetSpan(Span);
            }
        }
    } restore{axis, axis ? axis->Min() : 0, axis ? axis->Span() : 0, painter};
    const TcToolBarsHidden hidden(*this);
    FMaster->DeSelectAll();
    if (OnBeforePrint)
        OnBeforePrint(this);
    if (axis)
        axis->SetMin(FPrintXStart);
    for (int pageNumber = 1;; ++pageNumber) {
        const bool last = !axis || axis->Min() + axis->Span() >= FPrintXStop;
        if (OnBeforePrintPage)
            OnBeforePrintPage(pageNumber, last);
        ReCalcLayout();
        painter.save();
        painter.setClipRect(page);
        painter.translate(page.topLeft());
        painter.scale(page.width() / W, page.height() / H);
        PaintTo(painter);
        painter.restore();
        if (last || !(axis->Span() > 0) || !std::isfinite(axis->Min() + axis->Span()))
            break;
        if (!Device.newPage())
            throw EChartError(QStringLiteral("the printer refused a new page"));
        axis->SetMin(axis->Min() + axis->Span());
    }
    if (!painter.end())
        throw EChartError(QStringLiteral("the print job did not finish"));
    if (OnAfterPrint)
        OnAfterPrint(this);
}

void TcPlotComponent::PreviewChart()
{
    TcPlotPreviewForm form(this);
    form.UpdateCaption();
    form.DoTranslation();
    RunChartModal(form);
}

void TcPlotComponent::PrintSizeToFillPage()
{
    if (FPrintPaper.WidthInches <= 0)
        return;
    SetHeight(int(Width() * FPrintPaper.HeightInches / FPrintPaper.WidthInches));
    ReCalcLayout();
}

void TcPlotComponent::PrintAdjustXSpanToMinutesPerMillimeter(double MinutesPerMillimeter)
{
    ReCalcLayout();
    TcPlotAxis* axis = XAxisCount() > 0 ? GetXAxis(0) : nullptr;
    if (!axis || FPrintPaper.HeightInches <= 0 || Height() <= 0)
        return;
    const double L = std::abs(axis->MaxPixels() - axis->MinPixels());
    axis->SetSpan(L * (FPrintPaper.HeightInches - PrintMarginTop() - PrintMarginBottom()) / Height() * 25.4 *
                  MinutesPerMillimeter / 1440);
}

bool TcPlotComponent::ToolBarCommandAvailable(int Type) const
{
    switch (Type) {
    case iptbbtEdit:
        return PlotEditorInstalled();
    case iptbbtCopy:
    case iptbbtSave:
    case iptbbtPreview:
        return true;
    case iptbbtPrint:
        return PrintingAvailable();
    default:
        return false;
    }
}

void TcPlotComponent::ToolBarCommand(int Type)
{
    QString error;
    bool done = true;
    switch (Type) {
    case iptbbtEdit:
        FMaster->EditProperties();
        break;
    case iptbbtCopy:
        done = CopyToClipBoard(&error);
        break;
    case iptbbtSave:
        done = Save(&error);
        break;
    case iptbbtPrint:
        done = PrintChart(&error);
        break;
    case iptbbtPreview:
        PreviewChart();
        break;
    default:
        break;
    }
    if (!done)
        ShowChartMessage(this, error);
}

} // namespace chart
