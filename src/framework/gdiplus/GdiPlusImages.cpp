// Pictures: loading, saving, sizes and key-colour attributes.
#include "framework/gdiplus/GdiPlusObjects.h"

namespace gdip
{

namespace
{

// A file's colour table may be shorter than the indices its pixels use (the decoder keeps both as they
// are); every conversion and drawing would then read past the table. Indices without an entry are black.
void CompleteColourTable(QImage& image)
{
    int entries = 0;
    switch (image.format()) {
    case QImage::Format_Indexed8:
        entries = 256;
        break;
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        entries = 2;
        break;
    default:
        return;
    }
    QList<QRgb> table = image.colorTable();
    if (table.size() >= entries)
        return;
    table.resize(entries, qRgb(0, 0, 0));
    image.setColorTable(table);
}

} // namespace

// ---- images ----

Status GdipLoadImageFromBytes(const QByteArray& bytes, GpImage** image)
{
    if (!image)
        return InvalidParameter;
    *image = nullptr;
    if (bytes.isEmpty())
        return InvalidParameter;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    // Refuse absurd sizes before allocating pixels.
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > 16384 || size.height() > 16384))
        return OutOfMemory;
    QImage decoded = reader.read();
    if (decoded.isNull())
        return UnknownImageFormat;
    auto* img = new GpImage;
    img->raw = SniffRawFormat(bytes);
    img->pixelFormat = PixelFormatOf(decoded, img->raw);
    CompleteColourTable(decoded);
    img->image = std::move(decoded);
    *image = img;
    return Ok;
}

Status GdipCreateBitmapFromScan0(int width, int height, int, GpImage** bitmap)
{
    if (!bitmap || width <= 0 || height <= 0 || width > 16384 || height > 16384)
        return InvalidParameter;
    auto* img = new GpImage;
    img->image = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
    img->image.fill(Qt::transparent);
    img->raw = RawMemoryBMP;
    img->pixelFormat = PixelFormat32bppARGB;
    *bitmap = img;
    return Ok;
}

Status GdipDisposeImage(GpImage* image)
{
    if (!image)
        return InvalidParameter;
    delete image;
    return Ok;
}

Status GdipGetImageWidth(GpImage* image, unsigned* width)
{
    if (!image || !width)
        return InvalidParameter;
    *width = unsigned(image->image.width());
    return Ok;
}

Status GdipGetImageHeight(GpImage* image, unsigned* height)
{
    if (!image || !height)
        return InvalidParameter;
    *height = unsigned(image->image.height());
    return Ok;
}

Status GdipGetImagePixelFormat(GpImage* image, int* format)
{
    if (!image || !format)
        return InvalidParameter;
    *format = image->pixelFormat;
    return Ok;
}

Status GdipGetImageRawFormat(GpImage* image, RawFormat* format)
{
    if (!image || !format)
        return InvalidParameter;
    *format = image->raw;
    return Ok;
}

Status GdipBitmapGetPixel(GpImage* bitmap, int x, int y, ARGB* color)
{
    if (!bitmap || !color || !bitmap->image.valid(x, y))
        return InvalidParameter;
    const QColor c = bitmap->image.pixelColor(x, y);
    *color = (ARGB(c.alpha()) << 24) | (ARGB(c.red()) << 16) | (ARGB(c.green()) << 8) | ARGB(c.blue());
    return Ok;
}

Status GdipBitmapSetPixel(GpImage* bitmap, int x, int y, ARGB color)
{
    if (!bitmap || !bitmap->image.valid(x, y))
        return InvalidParameter;
    bitmap->image.setPixelColor(x, y, ToQColor(color));
    return Ok;
}

QImage GdipImagePixels(GpImage* image)
{
    return image ? image->image : QImage();
}

Status GdipCreateImageAttributes(GpImageAttributes** attributes)
{
    if (!attributes)
        return InvalidParameter;
    *attributes = new GpImageAttributes;
    return Ok;
}

Status GdipDisposeImageAttributes(GpImageAttributes* attributes)
{
    if (!attributes)
        return InvalidParameter;
    delete attributes;
    return Ok;
}

Status GdipSetImageAttributesGamma(GpImageAttributes* a, ColorAdjustType, bool enable, REAL gamma)
{
    if (!a || (enable && !(gamma > 0)))
        return InvalidParameter;
    a->gammaOn = enable;
    a->gamma = enable ? gamma : 1;
    return Ok;
}

Status GdipSetImageAttributesColorKeys(GpImageAttributes* a, ColorAdjustType, bool enable, ARGB low,
                                       ARGB high)
{
    if (!a)
        return InvalidParameter;
    a->keyed = enable;
    a->low = low;
    a->high = high;
    return Ok;
}

} // namespace gdip
