// Where a colour shows in a picture of a chart: its pixels (or nearly that colour) and their
// bounding box, so that a test presses where an object is drawn.
#pragma once

#include "support/DrawnSpots.h"

#include <QImage>
#include <QRect>
#include <vector>

namespace charttest
{

struct Found {
    std::vector<QPoint> points;
    QRect box;
    bool empty() const { return points.empty(); }
    QPoint centre() const { return box.center(); }
};

inline Found PixelsOf(const QImage& image, fw::TColor colour, QRect within = {})
{
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    const QRgb want = fw::ToQColor(colour).rgb();
    Found f;
    const QRect area = within.isNull() ? img.rect() : within;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (img.valid(x, y) && testapp::Near(img.pixel(x, y), want)) {
                f.points.push_back({x, y});
                f.box |= QRect(x, y, 1, 1);
            }
    return f;
}

// Plain colours (BGR) to draw objects in, so that PixelsOf finds each one.
constexpr fw::TColor Red = 0x0000FF, Yellow = 0x00FFFF, Blue = 0xFF8000, Green = 0x00FF00, Magenta = 0xFF00FF;

} // namespace charttest
