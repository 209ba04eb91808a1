// Image export of the component: bitmap, JPEG, PNG and a PDF vector picture, each painted through
// iPaint at the control's size and written whole.
#include "chart/component/Component.h"

#include "platform/WholeFile.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>

namespace chart
{

using namespace fw;

namespace
{
void CheckCompression(int Compression, int Low, int High)
{
    if (Compression < Low || Compression > High)
        throw EChartError(QStringLiteral("Compression must be in the range of %1-%2").arg(Low).arg(High));
}

QByteArray EncodeImage(const QImage& image, const char* format, int quality, bool progressive)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    if (!writer.write(image))
        throw EChartError(QStringLiteral("cannot encode the %1 image: %2")
                              .arg(QString::fromLatin1(format), writer.errorString()));
    return bytes;
}

// The writer's quality that gives zlib level Level: the writer maps quality q to (100 - q) * 9 / 91.
int PngQualityForLevel(int Level)
{
    return 100 - (Level * 91 + 8) / 9;
}

void WriteWhole(const QString& Kind, const QString& FileName, const QByteArray& bytes)
{
    const std::string failure = platform::WriteFileAtomic(
        FileName.toStdString(),
        {reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())});
    if (!failure.empty())
        throw EChartError(
            QStringLiteral("Error Saving %1 - %2 - %3").arg(Kind, FileName, QString::fromStdString(failure)));
}

template <class F> std::optional<QByteArray> BytesOrError(F&& make, QString* Error)
{
    std::optional<QByteArray> bytes;
    if (!CatchChartError([&] { bytes = make(); }, Error))
        return std::nullopt;
    return bytes;
}
} // namespace

void TcComponent::PaintTo(QPainter& Painter)
{
    Lock();
    try {
        TCanvas canvas(Painter);
        canvas.Font.Assign(Font());
        canvas.Brush.Style = bsSolid;
        canvas.Pen.Style = psSolid;
        iPaint(canvas);
    } catch (...) {
        Unlock();
        throw;
    }
    Unlock();
}

// The control as a 24-bit picture; a failing paint raises.
static QImage PaintedImage(TcComponent& c, TColor background)
{
    QImage image(std::max(1, c.Width()), std::max(1, c.Height()), QImage::Format_RGB32);
    image.fill(ToQColor(background));
    QPainter painter(&image);
    c.PaintTo(painter);
    painter.end();
    return image.convertToFormat(QImage::Format_RGB888);
}

bool TcComponent::SaveImageToBitmap(const QString& FileName, QString* Error)
{
    return CatchChartError(
        [&] {
            WriteWhole(QStringLiteral("Bitmap"), FileName,
                       EncodeImage(PaintedImage(*this, FBackGroundColor), "BMP", -1, false));
        },
        Error);
}

std::optional<QByteArray> TcComponent::GetBytesJPEG(int Compression, bool Progressive, QString* Error)
{
    return BytesOrError(
        [&] {
            CheckCompression(Compression, 1, 100);
            return EncodeImage(PaintedImage(*this, FBackGroundColor), "JPEG", Compression, Progressive);
        },
        Error);
}

std::optional<QByteArray> TcComponent::GetBytesPNG(int Compression, QString* Error)
{
    return BytesOrError(
        [&] {
            CheckCompression(Compression, 0, 9);
            return EncodeImage(PaintedImage(*this, FBackGroundColor), "PNG", PngQualityForLevel(Compression),
                               false);
        },
        Error);
}

std::optional<QByteArray> TcComponent::GetBytesPDF(QString* Error)
{
    return BytesOrError(
        [&] {
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            // One page of the control's size at 96 pixels per inch, without margins, so that one
            // pixel of the chart is one unit on the page.
            constexpr int kDpi = 96;
            const int w = std::max(1, Width()), h = std::max(1, Height());
            QPdfWriter writer(&buffer);
            writer.setResolution(kDpi);
            writer.setPageSize(QPageSize(QSizeF(w * 72.0 / kDpi, h * 72.0 / kDpi), QPageSize::Point,
                                         QString(), QPageSize::ExactMatch));
            writer.setPageMargins(QMarginsF(0, 0, 0, 0));
            writer.setCreator(QStringLiteral("ChartKit"));
            QPainter painter;
            if (!painter.begin(&writer))
                throw EChartError(QStringLiteral("cannot start the PDF picture"));
            painter.fillRect(QRect(0, 0, w, h), ToQColor(FBackGroundColor));
            try {
                PaintTo(painter);
            } catch (...) {
                painter.end();
                throw;
            }
            painter.end();
            return bytes;
        },
        Error);
}

bool TcComponent::SaveImageToJPEG(const QString& FileName, int Compression, bool Progressive, QString* Error)
{
    const std::optional<QByteArray> bytes = GetBytesJPEG(Compression, Progressive, Error);
    return bytes && CatchChartError([&] { WriteWhole(QStringLiteral("JPEG"), FileName, *bytes); }, Error);
}

bool TcComponent::SaveImageToPNG(const QString& FileName, int Compression, QString* Error)
{
    const std::optional<QByteArray> bytes = GetBytesPNG(Compression, Error);
    return bytes && CatchChartError([&] { WriteWhole(QStringLiteral("PNG"), FileName, *bytes); }, Error);
}

bool TcComponent::SaveImageToPDF(const QString& FileName, QString* Error)
{
    const std::optional<QByteArray> bytes = GetBytesPDF(Error);
    return bytes && CatchChartError([&] { WriteWhole(QStringLiteral("PDF"), FileName, *bytes); }, Error);
}

} // namespace chart
