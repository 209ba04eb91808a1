#include "controls/smooth/Pictures.h"

#include "controls/smooth/ImageHeaders.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>

#include <array>

namespace fx
{

namespace
{
constexpr int kMaxSide = 16384;

QByteArray BmpBytes(const QImage& image)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_RGB32).save(&buffer, "BMP");
    return out;
}

// A bitmap with see-through pixels keeps them as PNG; an opaque one is stored as BMP, drawn keyed on
// its bottom-left pixel like every BMP.
QByteArray BitmapBytes(const QImage& image)
{
    bool seeThrough = false;
    if (image.hasAlphaChannel()) {
        const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < argb.height() && !seeThrough; ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
            for (int x = 0; x < argb.width(); ++x)
                if (qAlpha(line[x]) != 255) {
                    seeThrough = true;
                    break;
                }
        }
    }
    if (!seeThrough)
        return BmpBytes(image);
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG");
    return out;
}

bool ReadFile(const QString& fileName, QByteArray& bytes, QString* error)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("open '%1': %2").arg(fileName, f.errorString());
        return false;
    }
    bytes = f.readAll();
    if (f.error() != QFile::NoError) {
        if (error)
            *error = QStringLiteral("read '%1': %2").arg(fileName, f.errorString());
        return false;
    }
    return true;
}

imghdr::Bytes Span(const QByteArray& b)
{
    return {reinterpret_cast<const std::uint8_t*>(b.constData()), std::size_t(b.size())};
}

// The last pictures read on this thread, with their size and, once drawn, their pixels: a window loads
// the same few skin pictures into many controls, and each would otherwise decode them again.
struct RecentDecodes {
    struct Entry {
        QByteArray bytes;
        QSize size;
        QImage image; // null until a picture of these bytes is drawn
    };
    std::array<Entry, 8> entries;
    std::size_t next = 0;

    Entry* Find(const QByteArray& bytes)
    {
        for (Entry& e : entries)
            if (!e.bytes.isEmpty() && (e.bytes.isSharedWith(bytes) || e.bytes == bytes))
                return &e;
        return nullptr;
    }
    Entry& Add(const QByteArray& bytes, QSize size)
    {
        Entry& e = entries[next];
        next = (next + 1) % entries.size();
        e = {bytes, size, QImage()};
        return e;
    }
};

RecentDecodes& Recent()
{
    thread_local RecentDecodes recent;
    return recent;
}
} // namespace

bool TPictureBytes::Probe(const QByteArray& bytes, QSize& size, QString* error)
{
    if (bytes.isEmpty()) {
        if (error)
            *error = QStringLiteral("no picture data");
        return false;
    }
    if (const RecentDecodes::Entry* known = Recent().Find(bytes)) {
        size = known->size;
        return true;
    }
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize announced = reader.size();
    if (announced.isValid() && (announced.width() > kMaxSide || announced.height() > kMaxSide)) {
        if (error)
            *error =
                QStringLiteral("picture too large (%1 x %2)").arg(announced.width()).arg(announced.height());
        return false;
    }
    const QImage image = reader.read();
    if (image.isNull()) {
        if (error)
            *error = QStringLiteral("picture data cannot be read: %1").arg(reader.errorString());
        return false;
    }
    size = image.size();
    Recent().Add(bytes, size);
    return true;
}

void TPictureBytes::Store(const QByteArray& bytes, QSize size)
{
    FData = bytes;
    FIsEmpty = bytes.isEmpty();
    FWidth = size.width();
    FHeight = size.height();
    FDecodedValid = false;
    ++FGeneration;
}

void TPictureBytes::Clear()
{
    FData.clear();
    FIsEmpty = true;
    FWidth = 0;
    FHeight = 0;
    FDecodedValid = false;
    ++FGeneration;
}

void TPictureBytes::AssignFrom(const TPictureBytes* source)
{
    if (!source) {
        Clear();
        Changed();
        Cleared();
        return;
    }
    if (source == this)
        return;
    Store(source->FData, QSize(source->FWidth, source->FHeight));
    Changed();
    GetImageSizes();
}

void TPictureBytes::AssignImage(const QImage& bitmap)
{
    if (bitmap.isNull()) {
        Clear();
        Changed();
        Cleared();
        return;
    }
    Store(BitmapBytes(bitmap), bitmap.size());
    Changed();
    GetImageSizes();
}

bool TPictureBytes::StoreChecked(const QByteArray& bytes, QString* error)
{
    QSize size;
    if (!Probe(bytes, size, error))
        return false;
    Store(bytes, size);
    return true;
}

bool TPictureBytes::ReadResourceBytes(const QString& name, QByteArray& bytes)
{
    return !name.isEmpty() && QFile::exists(QStringLiteral(":/") + name) &&
           ReadFile(QStringLiteral(":/") + name, bytes, nullptr);
}

void TPictureBytes::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TPictureBytes::Cleared()
{
    if (OnClear)
        OnClear(this);
}

bool TPictureBytes::GetImageSizes()
{
    if (FIsEmpty || FData.isEmpty())
        return false;
    const QImage img = Image();
    FWidth = img.width();
    FHeight = img.height();
    return !img.isNull();
}

QImage TPictureBytes::Image() const
{
    if (FIsEmpty || FData.isEmpty())
        return {};
    if (!FDecodedValid) {
        RecentDecodes::Entry* known = Recent().Find(FData);
        if (known && !known->image.isNull()) {
            FDecoded = known->image;
        } else {
            gdip::GpImage* native = nullptr;
            FDecoded = gdip::GdipLoadImageFromBytes(FData, &native) == gdip::Ok
                           ? gdip::GdipImagePixels(native)
                           : QImage();
            gdip::GdipDisposeImage(native);
            if (!FDecoded.isNull())
                (known ? *known : Recent().Add(FData, FDecoded.size())).image = FDecoded;
        }
        FDecodedValid = true;
    }
    return FDecoded;
}

// ---- TGDIPPicture ----

void TGDIPPicture::Assign(const TGDIPPicture* source)
{
    AssignFrom(source);
}

void TGDIPPicture::AssignBitmap(const QImage& bitmap)
{
    AssignImage(bitmap);
}

bool TGDIPPicture::LoadFromStream(const QByteArray& bytes, QString* error)
{
    if (!StoreChecked(bytes, error))
        return false;
    Changed();
    return true;
}

bool TGDIPPicture::LoadFromFile(const QString& fileName, QString* error)
{
    QByteArray bytes;
    if (!ReadFile(fileName, bytes, error) || !StoreChecked(bytes, error))
        return false;
    Cleared();
    Changed();
    return true;
}

bool TGDIPPicture::ReadData(const QByteArray& bytes, QString* error)
{
    return StoreChecked(bytes, error);
}

bool TGDIPPicture::LoadFromResourceName(const QString& name)
{
    QByteArray bytes;
    return ReadResourceBytes(name, bytes) && LoadFromStream(bytes);
}

bool TGDIPPicture::LoadFromURL(const QString& url)
{
    if (url.startsWith(QStringLiteral("RES://"), Qt::CaseInsensitive))
        return LoadFromResourceName(url.mid(6));
    if (url.startsWith(QStringLiteral("FILE://"), Qt::CaseInsensitive) && url.size() > 7)
        return LoadFromFile(url.mid(7));
    return false;
}

bool TGDIPPicture::IsBitmap() const
{
    return gdip::SniffRawFormat(FData) == gdip::RawBMP;
}

QImage TGDIPPicture::TransparentImage() const
{
    if (FTransparentGeneration != FGeneration) {
        QImage img = Image();
        if (!img.isNull() && IsBitmap())
            img = fw::MaskedCopy(img, fw::FromQColor(img.pixelColor(0, img.height() - 1)));
        FTransparent = img;
        FTransparentGeneration = FGeneration;
    }
    return FTransparent;
}

void TGDIPPicture::Draw(fw::TCanvas& canvas, const fw::TRect& rect) const
{
    const QImage img = TransparentImage();
    if (img.isNull() || rect.IsEmpty())
        return;
    if (img.width() == rect.Width() && img.height() == rect.Height())
        canvas.Painter().drawImage(rect.Left, rect.Top, img);
    else
        canvas.Painter().drawImage(rect.ToQRect(), img);
}

void TGDIPPicture::DrawAt(fw::TCanvas& canvas, int x, int y) const
{
    const QImage img = TransparentImage();
    if (!img.isNull())
        canvas.Painter().drawImage(x, y, img);
}

void TGDIPPicture::DrawImage(gp::TGPGraphics& g, int x, int y) const
{
    if (FIsEmpty)
        return;
    gp::TGPImage image(FData);
    g.DrawImage(&image, x, y);
}

void TGDIPPicture::DrawImageRect(gp::TGPGraphics& g, int x, int y, int w, int h) const
{
    if (FIsEmpty)
        return;
    gp::TGPImage image(FData);
    g.DrawImageRect(&image, x, y, w, h);
}

// ---- TFxGDIPPicture ----

void TFxGDIPPicture::Assign(const TFxGDIPPicture* source)
{
    AssignFrom(source);
}

void TFxGDIPPicture::AssignBitmap(const QImage& bitmap)
{
    AssignImage(bitmap);
}

bool TFxGDIPPicture::LoadFromFile(const QString& fileName, QString* error)
{
    QByteArray bytes;
    if (!ReadFile(fileName, bytes, error) || !StoreChecked(bytes, error))
        return false;
    Cleared();
    GetImageSizesFromFileName(fileName);
    Changed();
    return true;
}

bool TFxGDIPPicture::LoadFromStream(const QByteArray& bytes, QString* error)
{
    if (!StoreChecked(bytes, error))
        return false;
    Changed();
    return true;
}

bool TFxGDIPPicture::ReadData(const QByteArray& bytes, QString* error)
{
    return StoreChecked(bytes, error);
}

bool TFxGDIPPicture::LoadFromResourceName(const QString& name)
{
    QByteArray bytes;
    return ReadResourceBytes(name, bytes) && LoadFromStream(bytes);
}

bool TFxGDIPPicture::LoadFromURL(const QString& url)
{
    if (url.startsWith(QStringLiteral("RES://"), Qt::CaseInsensitive) && url.size() > 6)
        return LoadFromResourceName(url.mid(6));
    if (url.startsWith(QStringLiteral("FILE://"), Qt::CaseInsensitive) && url.size() > 7)
        return LoadFromFile(url.mid(7));
    return false;
}

void TFxGDIPPicture::GetImageSizesFromFileName(const QString& fileName)
{
    if (FIsEmpty || FData.isEmpty())
        return;
    const QByteArray name = fileName.toUtf8();
    const imghdr::ImageSize s = imghdr::ReadSizeByExtension(
        std::string_view(name.constData(), std::size_t(name.size())), Span(FData));
    FWidth = s.Width;
    FHeight = s.Height;
}

void TFxGDIPPicture::Record(gp::TGPImage& image)
{
    HasAlpha = image.HasAlphaChannel();
    HasPalette = image.HasPalette();
    PixelDepth = image.GetPixelDepth();
    PixelFormat = image.GetPixelFormat();
    FWidth = int(image.GetWidth());
    FHeight = int(image.GetHeight());
}

void TFxGDIPPicture::Draw(fw::TCanvas& canvas, const fw::TRect& rect) const
{
    const QImage img = Image();
    if (img.isNull())
        return;
    if (gdip::SniffRawFormat(FData) == gdip::RawBMP)
        canvas.Painter().drawImage(rect.Left, rect.Top,
                                   fw::MaskedCopy(img, fw::FromQColor(img.pixelColor(0, img.height() - 1))));
    else
        canvas.Painter().drawImage(rect.ToQRect(), img);
}

void TFxGDIPPicture::DrawKeyed(gp::TGPGraphics& g, gp::TGPImage& image, const gp::TGPRectF& dest)
{
    gp::TGPImageAttributes attr;
    gdip::ARGB key = gp::ArgbFromColor(255, TransparentColor);
    if (TransparentMode != tmFixed) {
        gp::TGPBitmap bmp(FData);
        bmp.GetPixel(0, int(bmp.GetHeight()) - 1, key);
    }
    attr.SetColorKey(key, key, gdip::ColorAdjustTypeDefault);
    g.DrawImage(&image, dest, 0, 0, gp::REAL(image.GetWidth()), gp::REAL(image.GetHeight()), gdip::UnitPixel,
                &attr);
}

void TFxGDIPPicture::GDIPDraw(gp::TGPGraphics& g, const fw::TRect& rect)
{
    if (FIsEmpty || FData.isEmpty())
        return;
    gp::TGPImage image(FData);
    Record(image);
    if (image.GetFormat() == gp::ifBMP && Transparent)
        DrawKeyed(g, image,
                  gp::TGPRectF{gp::REAL(rect.Left), gp::REAL(rect.Top), gp::REAL(FWidth), gp::REAL(FHeight)});
    else
        g.DrawImageRect(&image, rect.Left, rect.Top, rect.Width(), rect.Height());
}

void TFxGDIPPicture::GDIPDraw(gp::TGPGraphics& g, const gp::TGPRectF& rect)
{
    if (FDrawing || FIsEmpty || FData.isEmpty())
        return;
    FDrawing = true;
    gp::TGPImage image(FData);
    Record(image);
    if (image.GetFormat() == gp::ifBMP && Transparent)
        DrawKeyed(g, image, rect);
    else
        g.DrawImageRect(&image, rect);
    FDrawing = false;
}

void TFxGDIPPicture::FillRect(gp::TGPGraphics& g, const gp::TGPRectF& rect)
{
    if (FIsEmpty || FData.isEmpty())
        return;
    gp::TGPImage image(FData);
    gp::TGPTextureBrush brush(&image, gdip::WrapModeTile);
    g.FillRectangle(&brush, rect);
}

void TFxGDIPPicture::FillPath(gp::TGPGraphics& g, gp::TGPGraphicsPath& path)
{
    if (FIsEmpty || FData.isEmpty())
        return;
    gp::TGPImage image(FData);
    gp::TGPTextureBrush brush(&image, gdip::WrapModeTile);
    g.FillPath(&brush, &path);
}

} // namespace fx
