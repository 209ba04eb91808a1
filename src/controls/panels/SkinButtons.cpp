#include "controls/panels/SkinButtons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <map>
#include <tuple>

namespace sk
{

using namespace fw;

namespace
{
QImage DrawButtonFace(int w, int h, TSkinState state, TColor key, TColor face, TColor lit)
{
    QImage img(std::max(1, w), std::max(1, h), QImage::Format_RGB32);
    img.fill(ToQColor(key));
    QPainter p(&img);
    // No antialiasing: edge pixels must be either the key colour or the face, never a blend of both.
    QColor top, bottom, rim;
    switch (state) {
    case TSkinState::Up:
        top = ToQColor(face).lighter(160);
        bottom = ToQColor(face);
        rim = QColor(40, 40, 40);
        break;
    case TSkinState::Hot:
        top = ToQColor(face).lighter(190);
        bottom = ToQColor(face).lighter(120);
        rim = ToQColor(lit);
        break;
    case TSkinState::Down:
        top = ToQColor(face).darker(140);
        bottom = ToQColor(face).lighter(110);
        rim = QColor(20, 20, 20);
        break;
    case TSkinState::StayDown:
        top = ToQColor(lit).darker(130);
        bottom = ToQColor(lit);
        rim = QColor(20, 20, 20);
        break;
    case TSkinState::Disabled:
        top = QColor(170, 170, 170);
        bottom = QColor(150, 150, 150);
        rim = QColor(120, 120, 120);
        break;
    }
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    QPainterPath path;
    path.addRoundedRect(QRectF(0.5, 0.5, w - 1.0, h - 1.0), std::min(4.0, h / 4.0), std::min(4.0, h / 4.0));
    p.setPen(QPen(rim, 1));
    p.setBrush(g);
    p.drawPath(path);
    return img;
}
} // namespace

QImage SkinButtonFace(int w, int h, TSkinState state, TColor key, TColor face, TColor lit)
{
    // Many buttons share a size and colours: each face is drawn once (a copy shares its pixels).
    using Key = std::tuple<int, int, TSkinState, TColor, TColor, TColor>;
    thread_local std::map<Key, QImage> faces;
    const Key k{w, h, state, key, face, lit};
    if (auto it = faces.find(k); it != faces.end())
        return it->second;
    if (faces.size() >= 256)
        faces.clear();
    return faces.emplace(k, DrawButtonFace(w, h, state, key, face, lit)).first->second;
}

QImage SkinShape(int w, int h, TColor shapeColor, TColor key)
{
    QImage img(std::max(1, w), std::max(1, h), QImage::Format_RGB32);
    img.fill(ToQColor(key));
    QPainter p(&img);
    p.setPen(Qt::NoPen);
    p.setBrush(ToQColor(shapeColor));
    p.drawEllipse(QRect(3, 3, w - 7, h - 7));
    return img;
}

QImage SkinDemoTile()
{
    QImage img(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const int v = 24 + ((x * 7 + y * 3) % 5) * 4;
            img.setPixel(x, y, qRgb(v, v, v + 6));
        }
    return img;
}

} // namespace sk
