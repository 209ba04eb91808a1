#include "controls/smooth/Skin.h"

#include "controls/smooth/TrackBarParts.h"

#include <QBuffer>
#include <QLinearGradient>
#include <QPainter>

#include <array>

namespace skin
{

namespace
{
const QColor kKey(255, 0, 255); // transparent key (bottom-left pixel)
}

QImage FaderThumb(ThumbState state, bool vertical)
{
    QImage img(kThumbWidth, kThumbHeight, QImage::Format_RGB32);
    img.fill(kKey);
    QPainter p(&img);
    QColor top(236, 236, 236), mid(170, 170, 170), bottom(96, 96, 96), line(40, 40, 40);
    switch (state) {
    case ThumbState::Hot:
        top = QColor(250, 250, 250);
        mid = QColor(196, 204, 214);
        bottom = QColor(112, 120, 132);
        line = QColor(0, 90, 200);
        break;
    case ThumbState::Down:
        top = QColor(150, 150, 150);
        mid = QColor(120, 120, 120);
        bottom = QColor(200, 200, 200);
        line = QColor(230, 60, 30);
        break;
    case ThumbState::Disabled:
        top = QColor(214, 214, 214);
        mid = QColor(196, 196, 196);
        bottom = QColor(170, 170, 170);
        line = QColor(150, 150, 150);
        break;
    case ThumbState::Normal:
        break;
    }
    // Body inside a 1-pixel key border at the corners only.
    const QRect body(0, 1, kThumbWidth, kThumbHeight - 2);
    QLinearGradient g(0, body.top(), 0, body.bottom());
    g.setColorAt(0, top);
    g.setColorAt(0.45, mid);
    g.setColorAt(0.55, mid.darker(115));
    g.setColorAt(1, bottom);
    p.fillRect(body.adjusted(1, 0, -1, 0), g);
    p.fillRect(QRect(0, 2, kThumbWidth, kThumbHeight - 4), g);
    // Bevel.
    p.setPen(QColor(255, 255, 255));
    p.drawLine(1, 1, kThumbWidth - 2, 1);
    p.drawLine(0, 2, 0, kThumbHeight - 3);
    p.setPen(QColor(48, 48, 48));
    p.drawLine(1, kThumbHeight - 2, kThumbWidth - 2, kThumbHeight - 2);
    p.drawLine(kThumbWidth - 1, 2, kThumbWidth - 1, kThumbHeight - 3);
    // Grip grooves and the pointer line across the middle.
    const int cy = kThumbHeight / 2;
    p.setPen(mid.darker(130));
    for (int dy : {-6, -3, 3, 6})
        p.drawLine(3, cy + dy, kThumbWidth - 4, cy + dy);
    p.setPen(line);
    p.drawLine(1, cy, kThumbWidth - 2, cy);
    p.end();
    // The bottom-left pixel carries the key colour.
    img.setPixelColor(0, kThumbHeight - 1, kKey);
    if (!vertical)
        img = img.transformed(QTransform().rotate(90));
    return img;
}

QByteArray FaderThumbBmp(ThumbState state, bool vertical)
{
    // Every fader of a window loads the same few pictures: each is encoded once (UI thread).
    static std::array<QByteArray, 8> made;
    QByteArray& out = made[std::size_t(state) % 4 * 2 + (vertical ? 1 : 0)];
    if (out.isEmpty()) {
        QBuffer buffer(&out);
        buffer.open(QIODevice::WriteOnly);
        FaderThumb(state, vertical).convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP");
    }
    return out;
}

void LoadFaderThumbs(fx::TTrackBarThumb& thumb, bool vertical)
{
    thumb.Picture().LoadFromStream(FaderThumbBmp(ThumbState::Normal, vertical));
    thumb.PictureHot().LoadFromStream(FaderThumbBmp(ThumbState::Hot, vertical));
    thumb.PictureDown().LoadFromStream(FaderThumbBmp(ThumbState::Down, vertical));
    thumb.PictureDisabled().LoadFromStream(FaderThumbBmp(ThumbState::Disabled, vertical));
}

} // namespace skin
