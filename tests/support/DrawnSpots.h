// Where a marker of one colour is drawn in a picture of a graph: the centres of the dense spots of
// that colour (a marker's thick outline, not a thin curve of the same colour).
#pragma once

#include "framework/Colors.h"

#include <QImage>
#include <QPoint>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace testapp
{

// The colour or nearly (the selected band's fill shades what it covers a little).
inline bool Near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) <=
           60;
}

// Centres of the dense spots of one colour in an image: a marker's thick outline, not a thin curve of
// the same colour, heaviest first.
inline std::vector<QPoint> Spots(const QImage& image, fw::TColor colour)
{
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    const QRgb want = fw::ToQColor(colour).rgb();
    const int W = img.width(), H = img.height();
    std::vector<int> sum(std::size_t((W + 1) * (H + 1)), 0);
    auto at = [&](int x, int y) -> int& { return sum[std::size_t(y * (W + 1) + x)]; };
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            at(x + 1, y + 1) = (Near(img.pixel(x, y), want) ? 1 : 0) + at(x, y + 1) + at(x + 1, y) - at(x, y);
    struct Candidate {
        QPoint p;
        int n;
    };
    std::vector<Candidate> c;
    for (int y = 3; y < H - 3; ++y)
        for (int x = 3; x < W - 3; ++x) {
            const int n = at(x + 4, y + 4) - at(x - 3, y + 4) - at(x + 4, y - 3) + at(x - 3, y - 3);
            if (n >= 28)
                c.push_back({{x, y}, n});
        }
    std::sort(c.begin(), c.end(), [](const Candidate& a, const Candidate& b) { return a.n > b.n; });
    std::vector<QPoint> spots;
    std::vector<bool> used(c.size(), false);
    for (std::size_t i = 0; i < c.size(); ++i) {
        if (used[i])
            continue;
        double sx = 0, sy = 0, n = 0;
        for (std::size_t j = i; j < c.size(); ++j)
            if (!used[j] && (c[j].p - c[i].p).manhattanLength() <= 10) {
                used[j] = true;
                sx += c[j].p.x() * c[j].n;
                sy += c[j].p.y() * c[j].n;
                n += c[j].n;
            }
        spots.push_back(QPoint(int(std::lround(sx / n)), int(std::lround(sy / n))));
    }
    return spots;
}

} // namespace testapp
