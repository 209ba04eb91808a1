// Any bytes as a picture through the picture classes: the fader's picture (a BMP keyed on its
// bottom-left pixel) and the fills' picture (sizes from the headers, keyed or plain drawing, texture
// fills). The first byte picks the drawing options, the rest are the picture's bytes. A picture that
// loads reports the size its decoded pixels have, and draws into small images in every way.
#include "FuzzInput.h"
#include "controls/smooth/Pictures.h"

#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <cstdint>
#include <cstdlib>

namespace
{

QImage Target()
{
    QImage image(40, 30, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

void FaderPicture(const QByteArray& bytes)
{
    fx::TGDIPPicture picture;
    if (!picture.LoadFromStream(bytes)) {
        if (!picture.Empty())
            std::abort(); // a refused load keeps the (empty) picture
        return;
    }
    const QImage decoded = picture.Image();
    if (decoded.isNull() || decoded.width() != picture.Width() || decoded.height() != picture.Height())
        std::abort();
    const QImage keyed = picture.TransparentImage();
    if (keyed.size() != decoded.size())
        std::abort();
    QImage target = Target();
    QPainter p(&target);
    fw::TCanvas canvas(p);
    picture.DrawAt(canvas, 3, 2);
    picture.Draw(canvas, fw::Rect(0, 0, 17, 11));
    gp::TGPGraphics g(p);
    picture.DrawImage(g, -2, 5);
    picture.DrawImageRect(g, 1, 1, 30, 20);
}

void FillPicture(const QByteArray& bytes, uint8_t options)
{
    fx::TFxGDIPPicture picture;
    if (!picture.LoadFromStream(bytes))
        return;
    picture.Transparent = options & 2;
    picture.TransparentMode = options & 4 ? fx::tmFixed : fx::tmAuto;
    picture.GetImageSizesFromFileName(QString::fromLatin1(options & 8    ? "a.png"
                                                          : options & 16 ? "a.bmp"
                                                                         : "a.jpg"));
    QImage target = Target();
    QPainter p(&target);
    gp::TGPGraphics g(p);
    picture.GDIPDraw(g, fw::Rect(2, 2, 38, 28));
    picture.GDIPDraw(g, gp::TGPRectF{-3.5f, 1.25f, 20, 12});
    picture.FillRect(g, gp::TGPRectF{0, 0, 40, 30});
    fw::TCanvas canvas(p);
    picture.Draw(canvas, fw::Rect(5, 5, 25, 25));
    fx::TFxGDIPPicture copy;
    copy.Assign(&picture);
    if (copy.Data() != picture.Data() || !copy.GetImageSizes())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    // Headers may claim any size; the decoders refuse images above this many megabytes (a quarter of a
    // million pixels), which keeps every run short without taking a path away.
    QImageReader::setAllocationLimit(1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const uint8_t options = data[0];
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    if (options & 1)
        FillPicture(bytes, options);
    else
        FaderPicture(bytes);
    return 0;
}
