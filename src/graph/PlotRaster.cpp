#include "graph/PlotRaster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace graph {

namespace {

// Liang-Barsky: clips a..b to the box; false when nothing is left.
bool Clip(double& x0, double& y0, double& x1, double& y1, double minX, double minY, double maxX, double maxY)
{
    double t0 = 0, t1 = 1;
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - minX, maxX - x0, y0 - minY, maxY - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, r);
        else
            t1 = std::min(t1, r);
        if (t0 > t1)
            return false;
    }
    const double ax = x0 + t0 * dx, ay = y0 + t0 * dy, bx = x0 + t1 * dx, by = y0 + t1 * dy;
    x0 = ax;
    y0 = ay;
    x1 = bx;
    y1 = by;
    return true;
}

// Bresenham from (x0, y0) towards (x1, y1): plot(x, y, steep) for every pixel, the end point last
// unless it is left out.
template <class Plot> void Walk(int x0, int y0, int x1, int y1, bool leaveOutEnd, Plot plot)
{
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    const bool steep = -dy > dx;
    int err = dx + dy;
    for (;;) {
        const bool atEnd = x0 == x1 && y0 == y1;
        if (atEnd && leaveOutEnd)
            return;
        plot(x0, y0, steep);
        if (atEnd)
            return;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

} // namespace

void RasterPolyline(QImage& image, const TRun& run, QRgb colour, int width)
{
    if (image.isNull() || run.size() < 2)
        return;
    const int W = image.width(), H = image.height();
    uchar* bits = image.bits();
    const qsizetype bpl = image.bytesPerLine();
    auto put = [&](int x, int y) {
        if (unsigned(x) < unsigned(W) && unsigned(y) < unsigned(H))
            reinterpret_cast<QRgb*>(bits + y * bpl)[x] = colour;
    };
    for (std::size_t i = 1; i < run.size(); ++i) {
        double fx0 = run[i - 1].X, fy0 = run[i - 1].Y, fx1 = run[i].X, fy1 = run[i].Y;
        const bool endInside = fx1 >= -2 && fx1 <= W + 2 && fy1 >= -2 && fy1 <= H + 2;
        if (!Clip(fx0, fy0, fx1, fy1, -2, -2, W + 2, H + 2))
            continue;
        Walk(int(std::lround(fx0)), int(std::lround(fy0)), int(std::lround(fx1)), int(std::lround(fy1)), endInside,
             [&](int x, int y, bool steep) {
                 put(x, y);
                 if (width > 1)
                     steep ? put(x + 1, y) : put(x, y + 1);
             });
    }
}

std::vector<TPointF> CardinalPolyline(const std::vector<TIntPoint>& pts)
{
    std::vector<TPointF> out;
    const std::size_t n = pts.size();
    if (n == 0)
        return out;
    constexpr double k = 0.5 / 3.0; // tension over three: the Bezier control distance
    auto at = [&](std::size_t i) { return TPointF{double(pts[i].X), double(pts[i].Y)}; };
    out.push_back(at(0));
    for (std::size_t i = 0; i + 1 < n; ++i) {
        const TPointF p0 = at(i > 0 ? i - 1 : 0), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2 < n ? i + 2 : n - 1);
        const double d = std::max(std::fabs(p2.X - p1.X), std::fabs(p2.Y - p1.Y));
        if (d <= 2) {
            out.push_back(p2);
            continue;
        }
        const TPointF c1{p1.X + (p2.X - p0.X) * k, p1.Y + (p2.Y - p0.Y) * k};
        const TPointF c2{p2.X - (p3.X - p1.X) * k, p2.Y - (p3.Y - p1.Y) * k};
        const int steps = int(std::min(4096.0, std::ceil(d / 2)));
        for (int s = 1; s <= steps; ++s) {
            const double t = double(s) / steps, u = 1 - t;
            const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, e = t * t * t;
            out.push_back({a * p1.X + b * c1.X + c * c2.X + e * p2.X, a * p1.Y + b * c1.Y + c * c2.Y + e * p2.Y});
        }
    }
    return out;
}

namespace {
inline void Blend(QRgb& px, QRgb colour, int alpha)
{
    const int inv = 255 - alpha;
    const int r = (qRed(px) * inv + qRed(colour) * alpha) / 255;
    const int g = (qGreen(px) * inv + qGreen(colour) * alpha) / 255;
    const int b = (qBlue(px) * inv + qBlue(colour) * alpha) / 255;
    px = qRgb(r, g, b);
}
} // namespace

void BlendFillPolygon(QImage& image, const std::vector<TPointF>& poly, QRgb colour, int alpha)
{
    if (image.isNull() || poly.size() < 3)
        return;
    const int W = image.width(), H = image.height();
    std::vector<std::vector<double>> rows(static_cast<std::size_t>(H));
    const std::size_t n = poly.size();
    for (std::size_t i = 0; i < n; ++i) {
        const TPointF a = poly[i], b = poly[(i + 1) % n];
        if (a.Y == b.Y)
            continue;
        const TPointF& lo = a.Y < b.Y ? a : b;
        const TPointF& hi = a.Y < b.Y ? b : a;
        // Rows whose centre y + 0.5 lies in [lo.Y, hi.Y).
        const int first = std::max(0, int(std::ceil(lo.Y - 0.5)));
        const int last = std::min(H - 1, int(std::ceil(hi.Y - 0.5)) - 1);
        const double slope = (hi.X - lo.X) / (hi.Y - lo.Y);
        for (int y = first; y <= last; ++y)
            rows[std::size_t(y)].push_back(lo.X + (y + 0.5 - lo.Y) * slope);
    }
    for (int y = 0; y < H; ++y) {
        std::vector<double>& xs = rows[std::size_t(y)];
        if (xs.size() < 2)
            continue;
        std::sort(xs.begin(), xs.end());
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
            const int x0 = std::max(0, int(std::ceil(std::clamp(xs[i], -1.0, W + 1.0) - 0.5)));
            const int x1 = std::min(W, int(std::ceil(std::clamp(xs[i + 1], -1.0, W + 1.0) - 0.5)));
            for (int x = x0; x < x1; ++x)
                Blend(line[x], colour, alpha);
        }
    }
}

void BlendPolyline(QImage& image, const std::vector<TPointF>& pl, QRgb colour, int alpha)
{
    if (image.isNull() || pl.size() < 2)
        return;
    const int W = image.width(), H = image.height();
    for (std::size_t i = 1; i < pl.size(); ++i) {
        double fx0 = pl[i - 1].X, fy0 = pl[i - 1].Y, fx1 = pl[i].X, fy1 = pl[i].Y;
        if (!Clip(fx0, fy0, fx1, fy1, -1, -1, W + 1, H + 1))
            continue;
        Walk(int(std::lround(fx0)), int(std::lround(fy0)), int(std::lround(fx1)), int(std::lround(fy1)), true,
             [&](int x, int y, bool) {
                 if (unsigned(x) < unsigned(W) && unsigned(y) < unsigned(H))
                     Blend(reinterpret_cast<QRgb*>(image.scanLine(y))[x], colour, alpha);
             });
    }
}

} // namespace graph
