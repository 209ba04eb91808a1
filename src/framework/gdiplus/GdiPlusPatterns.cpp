// Pixel work of the brushes and pictures: hatch cells, gradients blended in linear light, the
// path-gradient rasteriser and picture gamma.
#include "framework/gdiplus/GdiPlusObjects.h"

#include <algorithm>
#include <limits>

namespace gdip
{

namespace
{

constexpr std::uint8_t RotateRight(std::uint8_t v, int n)
{
    n &= 7;
    return std::uint8_t((v >> n) | (v << ((8 - n) & 7)));
}

constexpr std::uint8_t RotateLeft(std::uint8_t v, int n)
{
    return RotateRight(v, 8 - (n & 7));
}

// Rank 0..63 of a cell pixel in an ordered dither, so that the percentage styles spread their pixels
// evenly and each denser one holds the pixels of the lighter ones.
constexpr int DitherRank(int x, int y)
{
    const int a = x ^ y;
    int v = 0;
    for (int bit = 0; bit < 3; ++bit)
        v = (v << 2) | (((a >> bit) & 1) << 1) | ((y >> bit) & 1);
    return v;
}

HatchCell Percent(int setPixels)
{
    HatchCell c{};
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if (DitherRank(x, y) < setPixels)
                c[std::size_t(y)] |= std::uint8_t(0x80 >> x);
    return c;
}

// Row y of the cell is f(y).
template <class F> HatchCell Rows(F f)
{
    HatchCell c{};
    for (int y = 0; y < 8; ++y)
        c[std::size_t(y)] = std::uint8_t(f(y));
    return c;
}

double ToLinear(int channel)
{
    return std::pow(channel / 255.0, 2.2);
}

int FromLinear(double v)
{
    return std::clamp(int(std::lround(std::pow(std::clamp(v, 0.0, 1.0), 1 / 2.2) * 255)), 0, 255);
}

QColor Mix(const QColor& a, const QColor& b, double t, bool gamma)
{
    const auto lerp = [t](double x, double y) { return x + (y - x) * t; };
    const int alpha = std::clamp(int(std::lround(lerp(a.alpha(), b.alpha()))), 0, 255);
    if (!gamma)
        return QColor(std::clamp(int(std::lround(lerp(a.red(), b.red()))), 0, 255),
                      std::clamp(int(std::lround(lerp(a.green(), b.green()))), 0, 255),
                      std::clamp(int(std::lround(lerp(a.blue(), b.blue()))), 0, 255), alpha);
    return QColor(FromLinear(lerp(ToLinear(a.red()), ToLinear(b.red()))),
                  FromLinear(lerp(ToLinear(a.green()), ToLinear(b.green()))),
                  FromLinear(lerp(ToLinear(a.blue()), ToLinear(b.blue()))), alpha);
}

// The colour of sorted stops at position t.
QColor AtStops(const QGradientStops& stops, double t, bool gamma)
{
    if (stops.isEmpty())
        return QColor(Qt::transparent);
    if (t <= stops.front().first)
        return stops.front().second;
    for (qsizetype i = 1; i < stops.size(); ++i) {
        if (t <= stops[i].first) {
            const double span = stops[i].first - stops[i - 1].first;
            const double f = span > 0 ? (t - stops[i - 1].first) / span : 1.0;
            return Mix(stops[i - 1].second, stops[i].second, f, gamma);
        }
    }
    return stops.back().second;
}

double Cross(QPointF a, QPointF b)
{
    return a.x() * b.y() - a.y() * b.x();
}

// The outline of a path gradient: its edges with the colours at their ends.
struct TEdge {
    QPointF A, B;
    QColor CA, CB;
};

std::vector<TEdge> OutlineEdges(const GpBrush& b)
{
    // A surround colour belongs to a point of the path; points past the last colour take the last one.
    std::vector<QPointF> points;
    for (int i = 0; i < b.path.elementCount(); ++i)
        points.emplace_back(b.path.elementAt(i).x, b.path.elementAt(i).y);
    const auto colourAt = [&](QPointF v) {
        if (b.surround.empty())
            return ToQColor(b.centerColor);
        if (b.surround.size() == 1)
            return ToQColor(b.surround.front());
        std::size_t best = 0;
        double bestD = std::numeric_limits<double>::max();
        for (std::size_t i = 0; i < points.size(); ++i) {
            const QPointF d = points[i] - v;
            const double dd = d.x() * d.x() + d.y() * d.y();
            if (dd < bestD) {
                bestD = dd;
                best = i;
            }
        }
        return ToQColor(b.surround[std::min(best, b.surround.size() - 1)]);
    };
    std::vector<TEdge> edges;
    for (const QPolygonF& poly : b.path.toSubpathPolygons()) {
        const qsizetype n = poly.size();
        for (qsizetype i = 0; i < n; ++i) {
            const QPointF a = poly[i], c = poly[(i + 1) % n];
            if (a != c)
                edges.push_back({a, c, colourAt(a), colourAt(c)});
        }
    }
    return edges;
}

} // namespace

HatchCell HatchPattern(int style)
{
    switch (style) {
    case HatchStyleHorizontal:
        return Rows([](int y) { return y == 0 ? 0xFF : 0; });
    case HatchStyleVertical:
        return Rows([](int) { return 0x80; });
    case HatchStyleForwardDiagonal:
        return Rows([](int y) { return 0x80 >> y; });
    case HatchStyleBackwardDiagonal:
        return Rows([](int y) { return 0x01 << y; });
    case HatchStyleCross:
        return Rows([](int y) { return y == 0 ? 0xFF : 0x80; });
    case HatchStyleDiagonalCross:
        return Rows([](int y) { return (0x80 >> y) | (0x01 << y); });
    case HatchStyle05Percent:
        return Percent(3);
    case HatchStyle10Percent:
        return Percent(6);
    case HatchStyle20Percent:
        return Percent(13);
    case HatchStyle25Percent:
        return Percent(16);
    case HatchStyle30Percent:
        return Percent(19);
    case HatchStyle40Percent:
        return Percent(26);
    case HatchStyle50Percent:
        return Percent(32);
    case HatchStyle60Percent:
        return Percent(38);
    case HatchStyle70Percent:
        return Percent(45);
    case HatchStyle75Percent:
        return Percent(48);
    case HatchStyle80Percent:
        return Percent(51);
    case HatchStyle90Percent:
        return Percent(58);
    case HatchStyleLightDownwardDiagonal:
        return Rows([](int y) { return RotateRight(0x88, y); });
    case HatchStyleLightUpwardDiagonal:
        return Rows([](int y) { return RotateLeft(0x11, y); });
    case HatchStyleDarkDownwardDiagonal:
        return Rows([](int y) { return RotateRight(0xCC, y); });
    case HatchStyleDarkUpwardDiagonal:
        return Rows([](int y) { return RotateLeft(0x33, y); });
    case HatchStyleWideDownwardDiagonal:
        return Rows([](int y) { return RotateRight(0xE0, y); });
    case HatchStyleWideUpwardDiagonal:
        return Rows([](int y) { return RotateLeft(0x07, y); });
    case HatchStyleLightVertical:
        return Rows([](int) { return 0x88; });
    case HatchStyleLightHorizontal:
        return Rows([](int y) { return y % 4 == 0 ? 0xFF : 0; });
    case HatchStyleNarrowVertical:
        return Rows([](int) { return 0xAA; });
    case HatchStyleNarrowHorizontal:
        return Rows([](int y) { return y % 2 == 0 ? 0xFF : 0; });
    case HatchStyleDarkVertical:
        return Rows([](int) { return 0xCC; });
    case HatchStyleDarkHorizontal:
        return Rows([](int y) { return y % 4 < 2 ? 0xFF : 0; });
    case HatchStyleDashedDownwardDiagonal:
        return Rows([](int y) { return y < 4 ? (0x80 >> y) | (0x08 >> y) : 0; });
    case HatchStyleDashedUpwardDiagonal:
        return Rows([](int y) { return y < 4 ? (0x10 << y) | (0x01 << y) : 0; });
    case HatchStyleDashedHorizontal:
        return Rows([](int y) { return y == 0 ? 0xF0 : y == 4 ? 0x0F : 0; });
    case HatchStyleDashedVertical:
        return Rows([](int y) { return y < 4 ? 0x80 : 0x08; });
    case HatchStyleSmallConfetti:
        return {0x80, 0x08, 0x40, 0x02, 0x10, 0x01, 0x20, 0x04};
    case HatchStyleLargeConfetti:
        return {0xC0, 0xC6, 0x06, 0x00, 0x30, 0x33, 0x03, 0x00};
    case HatchStyleZigZag:
        return {0x81, 0x42, 0x24, 0x18, 0x00, 0x00, 0x00, 0x00};
    case HatchStyleWave:
        return {0x00, 0x38, 0x44, 0x83, 0x00, 0x00, 0x00, 0x00};
    case HatchStyleDiagonalBrick:
        return {0x01, 0x02, 0x04, 0x08, 0x18, 0x24, 0x42, 0x81};
    case HatchStyleHorizontalBrick:
        return {0xFF, 0x80, 0x80, 0x80, 0xFF, 0x08, 0x08, 0x08};
    case HatchStyleWeave:
        return {0x88, 0x54, 0x22, 0x45, 0x88, 0x14, 0x22, 0x51};
    case HatchStylePlaid:
        return {0xAA, 0x55, 0xAA, 0x55, 0xF0, 0xF0, 0xF0, 0xF0};
    case HatchStyleDivot:
        return {0x00, 0x40, 0x20, 0x40, 0x00, 0x04, 0x02, 0x04};
    case HatchStyleDottedGrid:
        return {0xAA, 0x00, 0x80, 0x00, 0x80, 0x00, 0x80, 0x00};
    case HatchStyleDottedDiamond:
        return {0x81, 0x00, 0x24, 0x00, 0x18, 0x00, 0x42, 0x00};
    case HatchStyleShingle:
        return {0x03, 0x84, 0x48, 0x30, 0x0C, 0x02, 0x01, 0x01};
    case HatchStyleTrellis:
        return {0xFF, 0x66, 0xFF, 0x99, 0xFF, 0x66, 0xFF, 0x99};
    case HatchStyleSphere:
        return {0x77, 0x89, 0x8F, 0x8F, 0x77, 0x98, 0xF8, 0xF8};
    case HatchStyleSmallGrid:
        return Rows([](int y) { return y % 4 == 0 ? 0xFF : 0x88; });
    case HatchStyleSmallCheckerBoard:
        return Rows([](int y) { return y % 4 < 2 ? 0xCC : 0x33; });
    case HatchStyleLargeCheckerBoard:
        return Rows([](int y) { return y < 4 ? 0xF0 : 0x0F; });
    case HatchStyleOutlinedDiamond:
        return {0x00, 0x08, 0x14, 0x22, 0x41, 0x22, 0x14, 0x08};
    case HatchStyleSolidDiamond:
        return {0x00, 0x08, 0x1C, 0x3E, 0x7F, 0x3E, 0x1C, 0x08};
    default:
        return {};
    }
}

QImage HatchTile(int style, ARGB fore, ARGB back)
{
    const HatchCell cell = HatchPattern(style);
    QImage tile(8, 8, QImage::Format_ARGB32);
    const QRgb f = ToQColor(fore).rgba(), b = ToQColor(back).rgba();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            tile.setPixel(x, y, (cell[std::size_t(y)] & (0x80 >> x)) ? f : b);
    return tile;
}

QGradientStops GammaStops(const QGradientStops& stops)
{
    // Enough steps between two stops that the straight pieces between them do not show.
    constexpr int Steps = 16;
    QGradientStops out;
    for (qsizetype i = 0; i + 1 < stops.size(); ++i) {
        const auto& [p0, c0] = stops[i];
        const auto& [p1, c1] = stops[i + 1];
        for (int k = 0; k < Steps; ++k) {
            const double t = double(k) / Steps;
            out.push_back({p0 + (p1 - p0) * t, Mix(c0, c1, t, true)});
        }
    }
    if (!stops.isEmpty())
        out.push_back(stops.back());
    return out;
}

QImage PathGradientImage(const GpBrush& b, const QRect& area)
{
    QImage image(std::max(1, area.width()), std::max(1, area.height()), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (area.isEmpty())
        return image;
    const std::vector<TEdge> edges = OutlineEdges(b);
    const QColor centre = ToQColor(b.centerColor);
    const QPointF c = b.center;
    for (int y = 0; y < area.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < area.width(); ++x) {
            const QPointF p(area.left() + x + 0.5, area.top() + y + 0.5);
            if (!b.path.contains(p))
                continue;
            const QPointF d = p - c;
            // Where the ray from the centre through the pixel leaves the outline: the first crossing at
            // or beyond the pixel, else (a pixel on the outline) the farthest before it.
            double best = -1, bestBefore = -1, u = 0, uBefore = 0;
            const TEdge* hit = nullptr;
            const TEdge* hitBefore = nullptr;
            if (std::abs(d.x()) + std::abs(d.y()) > 1e-9) {
                for (const TEdge& e : edges) {
                    const QPointF ev = e.B - e.A;
                    const double den = Cross(d, ev);
                    if (std::abs(den) < 1e-12)
                        continue;
                    const double s = Cross(e.A - c, ev) / den;
                    const double t = Cross(e.A - c, d) / den;
                    if (t < -1e-9 || t > 1 + 1e-9 || s <= 0)
                        continue;
                    if (s >= 1 - 1e-9) {
                        if (!hit || s < best) {
                            best = s;
                            u = t;
                            hit = &e;
                        }
                    } else if (!hitBefore || s > bestBefore) {
                        bestBefore = s;
                        uBefore = t;
                        hitBefore = &e;
                    }
                }
            }
            if (!hit && hitBefore) {
                hit = hitBefore;
                best = 1;
                u = uBefore;
            }
            // Position from the outline (0) to the centre (1).
            const double pos = hit ? 1 - 1 / best : 1;
            QColor colour;
            if (b.preset)
                colour = AtStops(b.stops, pos, b.gamma);
            else if (hit)
                colour = Mix(Mix(hit->CA, hit->CB, std::clamp(u, 0.0, 1.0), b.gamma), centre, pos, b.gamma);
            else
                colour = centre;
            line[x] = qPremultiply(colour.rgba());
        }
    }
    return image;
}

QImage GammaCopy(const QImage& src, REAL gamma)
{
    QImage out = src.convertToFormat(QImage::Format_ARGB32);
    std::array<std::uint8_t, 256> table{};
    for (int i = 0; i < 256; ++i)
        table[std::size_t(i)] =
            std::uint8_t(std::clamp(int(std::lround(std::pow(i / 255.0, double(gamma)) * 255)), 0, 255));
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb v = line[x];
            line[x] = qRgba(table[std::size_t(qRed(v))], table[std::size_t(qGreen(v))],
                            table[std::size_t(qBlue(v))], qAlpha(v));
        }
    }
    return out;
}

} // namespace gdip
