#include "graph/PlotRaster.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace graph
{

namespace
{

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

// Clip for a piece whose ends are known to lie in the box, or not: inside, the ends come out as the
// clipping computes them (start + 0 x delta, start + 1 x delta) without its divisions.
bool ClipInside(bool inside, double& x0, double& y0, double& x1, double& y1, double minX, double minY,
                double maxX, double maxY)
{
    if (!inside)
        return Clip(x0, y0, x1, y1, minX, minY, maxX, maxY);
    const double dx = x1 - x0, dy = y1 - y0;
    x1 = x0 + 1.0 * dx;
    y1 = y0 + 1.0 * dy;
    x0 = x0 + 0.0 * dx;
    y0 = y0 + 0.0 * dy;
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

// Every pixel of the runs' joined segments, `width` pixels wide (1 or 2), each segment leaving out its
// end point; clipped to the page. put(x, y) is called in drawing order, repeats included.
template <class Put> void ForEachPolylinePixel(int W, int H, const TRun& run, int width, Put put)
{
    if (run.size() < 2)
        return;
    auto inside = [&](int x, int y) {
        if (unsigned(x) < unsigned(W) && unsigned(y) < unsigned(H))
            put(x, y);
    };
    for (std::size_t i = 1; i < run.size(); ++i) {
        double fx0 = run[i - 1].X, fy0 = run[i - 1].Y, fx1 = run[i].X, fy1 = run[i].Y;
        const bool startInside = fx0 >= -2 && fx0 <= W + 2 && fy0 >= -2 && fy0 <= H + 2;
        const bool endInside = fx1 >= -2 && fx1 <= W + 2 && fy1 >= -2 && fy1 <= H + 2;
        if (!ClipInside(startInside && endInside, fx0, fy0, fx1, fy1, -2, -2, W + 2, H + 2))
            continue;
        Walk(int(std::lround(fx0)), int(std::lround(fy0)), int(std::lround(fx1)), int(std::lround(fy1)),
             endInside, [&](int x, int y, bool steep) {
                 inside(x, y);
                 if (width > 1)
                     steep ? inside(x + 1, y) : inside(x, y + 1);
             });
    }
}

} // namespace

void RasterPolyline(QImage& image, const TRun& run, QRgb colour, int width)
{
    if (image.isNull())
        return;
    uchar* bits = image.bits();
    const qsizetype bpl = image.bytesPerLine();
    ForEachPolylinePixel(image.width(), image.height(), run, width,
                         [&](int x, int y) { reinterpret_cast<QRgb*>(bits + y * bpl)[x] = colour; });
}

// ---------------------------------------------------------------------------------------------------
// Tiles

void TTileMask::Reset(int width, int height)
{
    FWidth = std::max(0, width);
    FHeight = std::max(0, height);
    FColumns = (FWidth + TileSize - 1) >> TileShift;
    FRows = (FHeight + TileSize - 1) >> TileShift;
    FBits.assign(std::size_t(FColumns) * std::size_t(FRows), 0);
    FAny = false;
}

void TTileMask::Clear()
{
    std::fill(FBits.begin(), FBits.end(), 0);
    FAny = false;
}

void TTileMask::SetAll()
{
    std::fill(FBits.begin(), FBits.end(), 1);
    FAny = !FBits.empty();
}

void TTileMask::Add(int tile)
{
    FBits[std::size_t(tile)] = 1;
    FAny = true;
}

void TTileMask::Remove(int tile)
{
    FBits[std::size_t(tile)] = 0;
}

void TTileMask::AddRect(const QRect& r)
{
    const QRect c = r & QRect(0, 0, FWidth, FHeight);
    if (c.isEmpty())
        return;
    for (int ty = c.top() >> TileShift; ty <= c.bottom() >> TileShift; ++ty)
        for (int tx = c.left() >> TileShift; tx <= c.right() >> TileShift; ++tx)
            Add(ty * FColumns + tx);
}

void TTileMask::Merge(const TTileMask& other)
{
    if (!other.FAny)
        return;
    for (std::size_t i = 0; i < FBits.size() && i < other.FBits.size(); ++i)
        FBits[i] |= other.FBits[i];
    FAny = true;
}

bool TTileMask::Intersects(const QRect& r) const
{
    if (!FAny)
        return false;
    const QRect c = r & QRect(0, 0, FWidth, FHeight);
    if (c.isEmpty())
        return false;
    for (int ty = c.top() >> TileShift; ty <= c.bottom() >> TileShift; ++ty)
        for (int tx = c.left() >> TileShift; tx <= c.right() >> TileShift; ++tx)
            if (Tile(ty * FColumns + tx))
                return true;
    return false;
}

std::vector<QRect> TTileMask::Rects() const
{
    std::vector<QRect> out;
    if (!FAny)
        return out;
    for (int ty = 0; ty < FRows; ++ty) {
        const int top = ty << TileShift, bottom = std::min(FHeight, top + TileSize);
        for (int tx = 0; tx < FColumns;) {
            if (!Tile(ty * FColumns + tx)) {
                ++tx;
                continue;
            }
            const int first = tx;
            while (tx < FColumns && Tile(ty * FColumns + tx))
                ++tx;
            const int left = first << TileShift, right = std::min(FWidth, tx << TileShift);
            out.emplace_back(left, top, right - left, bottom - top);
        }
    }
    return out;
}

bool TPlotPixels::SameIn(const TPlotPixels& other, int tile) const
{
    const std::size_t t = std::size_t(tile);
    const auto a = Offsets.begin() + TileStart[t], ae = Offsets.begin() + TileStart[t + 1];
    const auto b = other.Offsets.begin() + other.TileStart[t],
               be = other.Offsets.begin() + other.TileStart[t + 1];
    return std::equal(a, ae, b, be);
}

TPlotPixels PolylinePixels(const std::vector<TRun>& runs, int width, int height, int penWidth)
{
    TPlotPixels out;
    out.Width = std::max(0, width);
    out.Height = std::max(0, height);
    TTileMask grid;
    grid.Reset(out.Width, out.Height);
    const int tiles = grid.TileCount();
    out.TileStart.assign(std::size_t(tiles) + 1, 0);
    // Pixels in drawing order with their tiles, then grouped by tile keeping that order.
    std::vector<std::uint32_t> raw;
    std::vector<std::uint32_t> rawTile;
    for (const TRun& run : runs)
        ForEachPolylinePixel(out.Width, out.Height, run, penWidth, [&](int x, int y) {
            raw.push_back(std::uint32_t(y) * std::uint32_t(out.Width) + std::uint32_t(x));
            rawTile.push_back(std::uint32_t(grid.TileOf(x, y)));
        });
    for (std::uint32_t t : rawTile)
        ++out.TileStart[t + 1];
    for (int t = 0; t < tiles; ++t)
        out.TileStart[std::size_t(t) + 1] += out.TileStart[std::size_t(t)];
    std::vector<std::uint32_t> grouped(raw.size());
    std::vector<std::uint32_t> next(out.TileStart.begin(), out.TileStart.end() - 1);
    for (std::size_t i = 0; i < raw.size(); ++i)
        grouped[next[rawTile[i]]++] = raw[i];
    // One colour: each tile's pixels sorted, each once.
    out.Offsets.reserve(grouped.size());
    std::uint32_t start = 0;
    for (int t = 0; t < tiles; ++t) {
        const auto first = grouped.begin() + out.TileStart[std::size_t(t)];
        const auto last = grouped.begin() + out.TileStart[std::size_t(t) + 1];
        std::sort(first, last);
        out.TileStart[std::size_t(t)] = start;
        out.Offsets.insert(out.Offsets.end(), first, std::unique(first, last));
        start = std::uint32_t(out.Offsets.size());
    }
    out.TileStart[std::size_t(tiles)] = start;
    return out;
}

void PutPixels(QImage& image, const TPlotPixels& pixels, QRgb colour, const std::vector<int>* only)
{
    if (image.isNull() || image.width() != pixels.Width || image.height() != pixels.Height)
        return;
    auto* bits = reinterpret_cast<QRgb*>(image.bits());
    // A 32-bit image of this size has no padding, so y x Width + x addresses the pixel.
    if (image.bytesPerLine() != qsizetype(pixels.Width) * qsizetype(sizeof(QRgb)))
        return;
    if (!only) {
        for (std::uint32_t o : pixels.Offsets)
            bits[o] = colour;
        return;
    }
    for (int t : *only) {
        for (std::uint32_t i = pixels.TileStart[std::size_t(t)]; i < pixels.TileStart[std::size_t(t) + 1];
             ++i)
            bits[pixels.Offsets[i]] = colour;
    }
}

void CopyTiles(QImage& to, const QImage& from, const TTileMask& tiles)
{
    if (to.isNull() || to.size() != from.size() || to.depth() != 32 || from.depth() != 32)
        return;
    for (const QRect& r : tiles.Rects()) {
        const QRect c = r & to.rect();
        for (int y = c.top(); y <= c.bottom(); ++y)
            std::memcpy(reinterpret_cast<QRgb*>(to.scanLine(y)) + c.left(),
                        reinterpret_cast<const QRgb*>(from.constScanLine(y)) + c.left(),
                        std::size_t(c.width()) * sizeof(QRgb));
    }
}

void ClearTiles(QImage& image, const TTileMask& tiles)
{
    if (image.isNull() || image.depth() != 32)
        return;
    for (const QRect& r : tiles.Rects()) {
        const QRect c = r & image.rect();
        for (int y = c.top(); y <= c.bottom(); ++y)
            std::memset(reinterpret_cast<QRgb*>(image.scanLine(y)) + c.left(), 0,
                        std::size_t(c.width()) * sizeof(QRgb));
    }
}

namespace
{
// Each channel of a packed pixel times a / 255, rounded as the raster engine does.
inline QRgb ByteMul(QRgb x, unsigned a)
{
    unsigned t = (x & 0xff00ffu) * a;
    t = (t + ((t >> 8) & 0xff00ffu) + 0x800080u) >> 8;
    t &= 0xff00ffu;
    x = ((x >> 8) & 0xff00ffu) * a;
    x = x + ((x >> 8) & 0xff00ffu) + 0x800080u;
    x &= 0xff00ff00u;
    return x | t;
}
} // namespace

void ComposeTiles(QImage& to, const QImage& under, const QImage& over, const TTileMask& tiles,
                  const TTileMask* used)
{
    if (to.isNull() || to.size() != under.size() || to.size() != over.size() || to.depth() != 32 ||
        under.depth() != 32 || over.depth() != 32)
        return;
    for (const QRect& r : tiles.Rects()) {
        const QRect c = r & to.rect();
        // Along the run, tiles alike go together: a span of tiles without overlay pixels is a copy
        // of the plots, row by row.
        auto emptyAt = [&](int x) { return used && !used->Tile(used->TileOf(x, c.top())); };
        for (int left = c.left(), right; left <= c.right(); left = right + 1) {
            const bool empty = emptyAt(left);
            right = std::min(c.right(), left | (TTileMask::TileSize - 1));
            while (right < c.right() && emptyAt(right + 1) == empty)
                right = std::min(c.right(), (right + 1) | (TTileMask::TileSize - 1));
            const int w = right - left + 1;
            for (int y = c.top(); y <= c.bottom(); ++y) {
                QRgb* d = reinterpret_cast<QRgb*>(to.scanLine(y)) + left;
                const QRgb* u = reinterpret_cast<const QRgb*>(under.constScanLine(y)) + left;
                if (empty) {
                    std::memcpy(d, u, std::size_t(w) * sizeof(QRgb));
                    continue;
                }
                const QRgb* o = reinterpret_cast<const QRgb*>(over.constScanLine(y)) + left;
                for (int x = 0; x < w; ++x) {
                    const unsigned a = qAlpha(o[x]);
                    d[x] = a == 0 ? u[x] : a == 255 ? o[x] : o[x] + ByteMul(u[x], 255 - a);
                }
            }
        }
    }
}

void MarkUsedTiles(TTileMask& used, const QImage& image, const TTileMask& tiles, const TTileMask* reach)
{
    if (image.isNull() || image.depth() != 32)
        return;
    for (int t = 0; t < tiles.TileCount(); ++t) {
        if (!tiles.Tile(t))
            continue;
        if (reach && !reach->Tile(t)) {
            used.Remove(t);
            continue;
        }
        const int left = (t % tiles.Columns()) << TTileMask::TileShift, top = (t / tiles.Columns())
                                                                              << TTileMask::TileShift;
        const QRect r = QRect(left, top, TTileMask::TileSize, TTileMask::TileSize) & image.rect();
        // A whole row of the tile at a time (no test per pixel): most tiles hold nothing.
        QRgb bits = 0;
        for (int y = r.top(); y <= r.bottom() && bits == 0; ++y) {
            const QRgb* p = reinterpret_cast<const QRgb*>(image.constScanLine(y)) + r.left();
            for (int x = 0; x < r.width(); ++x)
                bits |= p[x];
        }
        const bool any = bits != 0;
        any ? used.Add(t) : used.Remove(t);
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
        const TPointF p0 = at(i > 0 ? i - 1 : 0), p1 = at(i), p2 = at(i + 1),
                      p3 = at(i + 2 < n ? i + 2 : n - 1);
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
            out.push_back(
                {a * p1.X + b * c1.X + c * c2.X + e * p2.X, a * p1.Y + b * c1.Y + c * c2.Y + e * p2.Y});
        }
    }
    return out;
}

namespace
{
inline void Blend(QRgb& px, QRgb colour, int alpha)
{
    const int inv = 255 - alpha;
    const int r = (qRed(px) * inv + qRed(colour) * alpha) / 255;
    const int g = (qGreen(px) * inv + qGreen(colour) * alpha) / 255;
    const int b = (qBlue(px) * inv + qBlue(colour) * alpha) / 255;
    px = qRgb(r, g, b);
}
} // namespace

TCover PolygonCover(const std::vector<TPointF>& poly, int width, int height)
{
    TCover c;
    c.Width = std::max(0, width);
    c.Height = std::max(0, height);
    c.RowStart.assign(std::size_t(c.Height) + 1, 0);
    if (poly.size() < 3 || c.Width == 0 || c.Height == 0)
        return c;
    const int W = c.Width, H = c.Height;
    // Every edge's crossings of the row centres, sorted by row, then left to right.
    std::vector<std::pair<int, double>> xs;
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
            xs.emplace_back(y, lo.X + (y + 0.5 - lo.Y) * slope);
    }
    std::sort(xs.begin(), xs.end());
    for (std::size_t i = 0; i < xs.size();) {
        const int y = xs[i].first;
        std::size_t j = i;
        while (j < xs.size() && xs[j].first == y)
            ++j;
        for (std::size_t k = i; k + 1 < j; k += 2) {
            const int x0 = std::max(0, int(std::ceil(std::clamp(xs[k].second, -1.0, W + 1.0) - 0.5)));
            const int x1 = std::min(W, int(std::ceil(std::clamp(xs[k + 1].second, -1.0, W + 1.0) - 0.5)));
            if (x0 < x1) {
                c.Spans.emplace_back(x0, x1);
                ++c.RowStart[std::size_t(y) + 1];
            }
        }
        i = j;
    }
    for (int y = 0; y < H; ++y)
        c.RowStart[std::size_t(y) + 1] += c.RowStart[std::size_t(y)];
    return c;
}

void BlendCover(QImage& image, const TCover& cover, QRgb colour, int alpha, const TTileMask* only)
{
    if (image.isNull() || image.width() != cover.Width || image.height() != cover.Height)
        return;
    for (int y = 0; y < cover.Height; ++y) {
        const std::uint32_t from = cover.RowStart[std::size_t(y)], to = cover.RowStart[std::size_t(y) + 1];
        if (from == to)
            continue;
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (std::uint32_t s = from; s < to; ++s)
            for (int x = cover.Spans[s].first; x < cover.Spans[s].second; ++x)
                if (!only || only->Contains(x, y))
                    Blend(line[x], colour, alpha);
    }
}

void BlendFillPolygon(QImage& image, const std::vector<TPointF>& poly, QRgb colour, int alpha,
                      const TTileMask* only)
{
    if (image.isNull())
        return;
    BlendCover(image, PolygonCover(poly, image.width(), image.height()), colour, alpha, only);
}

namespace
{
template <class Put> void ForEachOutlinePixel(int W, int H, const TPointF& a, const TPointF& b, Put put)
{
    double fx0 = a.X, fy0 = a.Y, fx1 = b.X, fy1 = b.Y;
    const bool inside = fx0 >= -1 && fx0 <= W + 1 && fy0 >= -1 && fy0 <= H + 1 && fx1 >= -1 && fx1 <= W + 1 &&
                        fy1 >= -1 && fy1 <= H + 1;
    if (!ClipInside(inside, fx0, fy0, fx1, fy1, -1, -1, W + 1, H + 1))
        return;
    Walk(int(std::lround(fx0)), int(std::lround(fy0)), int(std::lround(fx1)), int(std::lround(fy1)), true,
         [&](int x, int y, bool) {
             if (unsigned(x) < unsigned(W) && unsigned(y) < unsigned(H))
                 put(x, y);
         });
}
} // namespace

void BlendPolyline(QImage& image, const std::vector<TPointF>& pl, std::size_t count, QRgb colour, int alpha,
                   const TTileMask* only)
{
    if (image.isNull())
        return;
    count = std::min(count, pl.size());
    for (std::size_t i = 1; i < count; ++i)
        ForEachOutlinePixel(image.width(), image.height(), pl[i - 1], pl[i], [&](int x, int y) {
            if (!only || only->Contains(x, y))
                Blend(reinterpret_cast<QRgb*>(image.scanLine(y))[x], colour, alpha);
        });
}

void AddCoverDifference(TTileMask& mask, const TCover& a, const TCover& b)
{
    if (a.Width != b.Width || a.Height != b.Height) {
        mask.SetAll();
        return;
    }
    for (int y = 0; y < a.Height; ++y) {
        std::uint32_t i = a.RowStart[std::size_t(y)], ie = a.RowStart[std::size_t(y) + 1];
        std::uint32_t j = b.RowStart[std::size_t(y)], je = b.RowStart[std::size_t(y) + 1];
        if (ie - i == je - j && std::equal(a.Spans.begin() + i, a.Spans.begin() + ie, b.Spans.begin() + j))
            continue;
        // Walk the span ends of both rows left to right; mark where one covers and the other does not.
        bool inA = false, inB = false;
        int from = 0;
        while (i < ie || j < je) {
            const int xa = i < ie ? (inA ? a.Spans[i].second : a.Spans[i].first) : INT_MAX;
            const int xb = j < je ? (inB ? b.Spans[j].second : b.Spans[j].first) : INT_MAX;
            const int x = std::min(xa, xb);
            if (inA != inB && x > from)
                mask.AddRect(QRect(from, y, x - from, 1));
            if (xa == x) {
                if (inA)
                    ++i;
                inA = !inA;
            }
            if (xb == x) {
                if (inB)
                    ++j;
                inB = !inB;
            }
            from = x;
        }
    }
}

void AddOutlineDifference(TTileMask& mask, const std::vector<TPointF>& a, std::size_t aCount,
                          const std::vector<TPointF>& b, std::size_t bCount)
{
    auto same = [](const TPointF& p, const TPointF& q) { return p.X == q.X && p.Y == q.Y; };
    aCount = std::min(aCount, a.size());
    bCount = std::min(bCount, b.size());
    // Pieces joining two points of the common start, or of the common end, are the same in both.
    std::size_t head = 0;
    while (head < aCount && head < bCount && same(a[head], b[head]))
        ++head;
    std::size_t tail = 0;
    while (tail < aCount - std::min(aCount, head) && tail < bCount - std::min(bCount, head) &&
           same(a[aCount - 1 - tail], b[bCount - 1 - tail]))
        ++tail;
    // A piece's pixels lie within a pixel of the box of its ends; the boxes of neighbouring short
    // pieces are marked together.
    constexpr double limit = 1 << 20;
    auto mark = [&](const std::vector<TPointF>& p, std::size_t count) {
        double l = 0, r = 0, t = 0, b = 0;
        bool open = false;
        auto flush = [&] {
            if (open)
                mask.AddRect(QRect(QPoint(int(std::floor(l)) - 1, int(std::floor(t)) - 1),
                                   QPoint(int(std::ceil(r)) + 1, int(std::ceil(b)) + 1)));
            open = false;
        };
        for (std::size_t i = std::max<std::size_t>(head, 1); i < count && i < count - tail + 1; ++i) {
            const double ul = std::clamp(std::min(p[i - 1].X, p[i].X), -limit, limit);
            const double ur = std::clamp(std::max(p[i - 1].X, p[i].X), -limit, limit);
            const double ut = std::clamp(std::min(p[i - 1].Y, p[i].Y), -limit, limit);
            const double ub = std::clamp(std::max(p[i - 1].Y, p[i].Y), -limit, limit);
            if (open && std::max(r, ur) - std::min(l, ul) <= TTileMask::TileSize &&
                std::max(b, ub) - std::min(t, ut) <= TTileMask::TileSize) {
                l = std::min(l, ul);
                r = std::max(r, ur);
                t = std::min(t, ut);
                b = std::max(b, ub);
                continue;
            }
            flush();
            l = ul, r = ur, t = ut, b = ub;
            open = true;
        }
        flush();
    };
    mark(a, aCount);
    mark(b, bCount);
}

} // namespace graph
