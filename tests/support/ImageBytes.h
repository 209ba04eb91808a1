// Image file bytes for tests: an image, or a picture of one colour, in a given format. UI thread (Qt's
// encoders).
#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>

namespace testapp
{

inline QByteArray EncodeImage(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    image.save(&buf, format);
    return bytes;
}

inline QByteArray ImageBytes(int w, int h, QColor c, const char* format = "PNG")
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(c);
    return EncodeImage(img, format);
}

} // namespace testapp
