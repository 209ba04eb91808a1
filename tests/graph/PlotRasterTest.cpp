// The plot rasters: tile masks, a plot's pixel list against the direct raster, polygon covers against
// the fill, and the difference marks that decide which tiles of a page are drawn again.
#include "graph/PlotRaster.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace graph;

namespace
{
QImage Blank(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::black);
    return img;
}

// Every pixel where the two images differ lies in a marked tile.
::testing::AssertionResult Covers(const TTileMask& mask, const QImage& a, const QImage& b)
{
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y) && !mask.Contains(x, y))
                return ::testing::AssertionFailure()
                       << "pixel " << x << "," << y << " changed outside the mask";
    return ::testing::AssertionSuccess();
}

// A curve over the page's width: a bump of `gain` pixels at column `at`, flat elsewhere.
std::vector<TPointF> Bump(int width, double base, double at, double gain, double spread)
{
    std::vector<TPointF> p;
    for (double x = -3; x <= width + 3; x += 1.7)
        p.push_back({x, base - gain * std::exp(-std::pow((x - at) / spread, 2))});
    return p;
}
} // namespace

TEST(PlotRaster, TileMaskMarksClipsAndMerges)
{
    TTileMask m;
    m.Reset(100, 40); // 7 x 3 tiles, the last ones partial
    EXPECT_EQ(m.Columns(), 7);
    EXPECT_EQ(m.Rows(), 3);
    EXPECT_FALSE(m.Any());
    m.AddRect(QRect(-50, -50, 10, 10)); // off the page
    EXPECT_FALSE(m.Any());
    m.AddRect(QRect(15, 0, 2, 1)); // across the first two columns
    EXPECT_TRUE(m.Contains(0, 0));
    EXPECT_TRUE(m.Contains(31, 15));
    EXPECT_FALSE(m.Contains(32, 0));
    EXPECT_FALSE(m.Contains(0, 16));
    EXPECT_FALSE(m.Contains(-1, 0));
    EXPECT_TRUE(m.Intersects(QRect(20, 10, 50, 50)));
    EXPECT_FALSE(m.Intersects(QRect(40, 20, 50, 50)));
    m.AddRect(QRect(99, 39, 5, 5)); // the partial corner tile
    const std::vector<QRect> rects = m.Rects();
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0], QRect(0, 0, 32, 16));
    EXPECT_EQ(rects[1], QRect(96, 32, 4, 8));
    TTileMask other;
    other.Reset(100, 40);
    other.Add(other.TileOf(50, 20));
    m.Merge(other);
    EXPECT_TRUE(m.Contains(50, 20));
    m.Clear();
    EXPECT_FALSE(m.Any());
    EXPECT_FALSE(m.Contains(0, 0));
}

TEST(PlotRaster, PixelListDrawsWhatTheRasterDraws)
{
    struct Case {
        const char* name;
        std::vector<TRun> runs;
        int penWidth;
    } cases[] = {
        {"steep and flat pieces", {{{-5, 10}, {20, 12}, {25, 60}, {80, 61}, {130, 30}}}, 2},
        {"one pixel wide", {{{3, 3}, {90, 50}}}, 1},
        {"far ends clipped", {{{-500, -300}, {60, 20}, {4000, 900}}}, 2},
        {"two runs, one inside the other's pixels", {{{10, 10}, {60, 10}}, {{20, 10}, {40, 10}}}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QImage direct = Blank(120, 70), listed = Blank(120, 70);
        for (const TRun& r : c.runs)
            RasterPolyline(direct, r, qRgb(255, 0, 0), c.penWidth);
        const TPlotPixels px = PolylinePixels(c.runs, 120, 70, c.penWidth);
        PutPixels(listed, px, qRgb(255, 0, 0));
        EXPECT_EQ(direct, listed);
        // Each pixel once, so a plot's share of a tile compares equal whatever order drew it.
        std::vector<std::uint32_t> sorted = px.Offsets;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
    }
}

TEST(PlotRaster, PixelsOfListedTilesOnly)
{
    const TPlotPixels px = PolylinePixels({{{0, 20}, {99, 20}}}, 100, 40, 1);
    QImage img = Blank(100, 40);
    TTileMask grid;
    grid.Reset(100, 40);
    const std::vector<int> tiles = {grid.TileOf(40, 20)};
    PutPixels(img, px, qRgb(0, 255, 0), &tiles);
    for (int x = 0; x < 100; ++x)
        EXPECT_EQ(img.pixel(x, 20) != qRgb(0, 0, 0), x >= 32 && x < 48) << x;
    // A list for another page size draws nothing.
    QImage other = Blank(90, 40);
    PutPixels(other, px, qRgb(0, 255, 0));
    EXPECT_EQ(other, Blank(90, 40));
}

TEST(PlotRaster, CoverHoldsThePixelCentresInsideThePolygon)
{
    struct Case {
        const char* name;
        std::vector<TPointF> polygon;
    } cases[] = {
        {"curve closed along a row", Bump(150, 40, 70, 25, 20)},
        {"triangle", {{10.5, 5.2}, {140.1, 30.7}, {20.3, 75.9}}},
        {"larger than the page", {{-40.3, -40.6}, {500.2, -40.6}, {500.2, 500.1}, {-40.3, 500.1}}},
        {"crossing itself", {{10.3, 10.1}, {60.7, 60.2}, {60.7, 10.1}, {10.3, 60.2}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TCover cover = PolygonCover(c.polygon, 150, 80);
        const std::size_t n = c.polygon.size();
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 150; ++x) {
                // Alternate rule: edges crossing the centre's row at or left of the centre.
                const double cx = x + 0.5, cy = y + 0.5;
                int crossings = 0;
                for (std::size_t i = 0; i < n; ++i) {
                    const TPointF a = c.polygon[i], b = c.polygon[(i + 1) % n];
                    const TPointF& lo = a.Y < b.Y ? a : b;
                    const TPointF& hi = a.Y < b.Y ? b : a;
                    if (a.Y != b.Y && lo.Y <= cy && cy < hi.Y &&
                        lo.X + (cy - lo.Y) * (hi.X - lo.X) / (hi.Y - lo.Y) <= cx)
                        ++crossings;
                }
                bool covered = false;
                for (std::uint32_t s = cover.RowStart[std::size_t(y)]; s < cover.RowStart[std::size_t(y) + 1];
                     ++s)
                    covered = covered || (x >= cover.Spans[s].first && x < cover.Spans[s].second);
                ASSERT_EQ(covered, crossings % 2 == 1) << x << "," << y;
            }
    }
}

TEST(PlotRaster, DifferenceMarksCoverEveryChangedPixel)
{
    // Pairs of fills as the selected band's fill changes: outline first (its curve only), then the
    // closed path filled.
    struct Case {
        const char* name;
        std::vector<TPointF> a, b;
    } cases[] = {
        {"bump flips sign", Bump(200, 50, 90, 20, 15), Bump(200, 50, 90, -20, 15)},
        {"bump moves", Bump(200, 50, 60, 15, 10), Bump(200, 50, 140, 15, 10)},
        {"small change far off", Bump(200, 50, 90, 20, 60), Bump(200, 50, 90, 20.4, 60)},
        {"same", Bump(200, 50, 90, 20, 15), Bump(200, 50, 90, 20, 15)},
        {"one empty", {}, Bump(200, 50, 90, 20, 15)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto closed = [](std::vector<TPointF> p) {
            if (!p.empty()) {
                p.push_back({1e6, 50});
                p.push_back({-1e6, 50});
            }
            return p;
        };
        const std::vector<TPointF> pa = closed(c.a), pb = closed(c.b);
        const TCover ca = PolygonCover(pa, 200, 100), cb = PolygonCover(pb, 200, 100);
        QImage ia = Blank(200, 100), ib = Blank(200, 100);
        BlendPolyline(ia, pa, c.a.size(), qRgb(128, 128, 128), 30);
        BlendCover(ia, ca, qRgb(128, 128, 128), 30);
        BlendPolyline(ib, pb, c.b.size(), qRgb(128, 128, 128), 30);
        BlendCover(ib, cb, qRgb(128, 128, 128), 30);
        TTileMask mask;
        mask.Reset(200, 100);
        AddOutlineDifference(mask, pa, c.a.size(), pb, c.b.size());
        AddCoverDifference(mask, ca, cb);
        EXPECT_TRUE(Covers(mask, ia, ib));
        EXPECT_EQ(mask.Any(), ia != ib);
        // Drawn again in the marked tiles only, the old picture becomes the new one.
        QImage repaired = ia;
        QImage base = Blank(200, 100);
        CopyTiles(repaired, base, mask);
        BlendPolyline(repaired, pb, c.b.size(), qRgb(128, 128, 128), 30, &mask);
        BlendCover(repaired, cb, qRgb(128, 128, 128), 30, &mask);
        EXPECT_EQ(repaired, ib);
    }
    // A far change marks only what moved, not every column of the page.
    TTileMask mask;
    mask.Reset(200, 100);
    const std::vector<TPointF> a = Bump(200, 50, 90, 20, 8), b = Bump(200, 50, 90, 24, 8);
    AddCoverDifference(mask, PolygonCover(a, 200, 100), PolygonCover(b, 200, 100));
    EXPECT_TRUE(mask.Any());
    EXPECT_FALSE(mask.Contains(5, 90));
    EXPECT_FALSE(mask.Contains(190, 10));
}

TEST(PlotRaster, ComposeTilesPutsTheOverlayOverThePlots)
{
    QImage under(40, 20, QImage::Format_RGB32);
    under.fill(qRgb(10, 20, 30));
    QImage over(40, 20, QImage::Format_ARGB32_Premultiplied);
    over.fill(Qt::transparent);
    over.setPixel(1, 1, qRgba(255, 0, 0, 255));
    over.setPixel(2, 1, qRgba(64, 64, 64, 128)); // premultiplied half white
    over.setPixel(20, 1, qRgba(255, 0, 0, 255));
    QImage page(40, 20, QImage::Format_RGB32);
    page.fill(Qt::black);
    TTileMask m;
    m.Reset(40, 20);
    m.Add(m.TileOf(0, 0));
    ComposeTiles(page, under, over, m);
    EXPECT_EQ(page.pixel(0, 0), qRgb(10, 20, 30));
    EXPECT_EQ(page.pixel(1, 1), qRgb(255, 0, 0));
    // What the painter's source-over gives for the half-covered pixel.
    QImage expected = under.copy();
    {
        QPainter p(&expected);
        p.drawImage(0, 0, over);
    }
    EXPECT_EQ(page.pixel(2, 1), expected.pixel(2, 1));
    EXPECT_EQ(page.pixel(20, 1), qRgb(0, 0, 0)); // outside the marked tile
    // Told which tiles hold overlay pixels, it gives the same page.
    TTileMask all, used;
    all.Reset(40, 20);
    all.SetAll();
    used.Reset(40, 20);
    used.SetAll();
    MarkUsedTiles(used, over, all);
    EXPECT_TRUE(used.Tile(used.TileOf(1, 1)));
    EXPECT_TRUE(used.Tile(used.TileOf(20, 1)));
    EXPECT_FALSE(used.Tile(used.TileOf(35, 1)));
    // A single pixel in a tile's last row and column is found; a tile outside the reach given is
    // taken as empty unscanned, one inside it is scanned.
    {
        QImage corner(40, 20, QImage::Format_ARGB32_Premultiplied);
        corner.fill(0);
        corner.setPixel(31, 15, qRgba(0, 0, 0, 1));
        corner.setPixel(3, 3, qRgba(9, 0, 0, 9));
        TTileMask reach, seen;
        reach.Reset(40, 20);
        reach.AddRect(QRect(16, 0, 16, 16));
        seen.Reset(40, 20);
        seen.SetAll();
        MarkUsedTiles(seen, corner, all);
        EXPECT_TRUE(seen.Tile(seen.TileOf(31, 15)));
        EXPECT_TRUE(seen.Tile(seen.TileOf(3, 3)));
        EXPECT_FALSE(seen.Tile(seen.TileOf(35, 17)));
        MarkUsedTiles(seen, corner, all, &reach);
        EXPECT_TRUE(seen.Tile(seen.TileOf(31, 15)));
        EXPECT_FALSE(seen.Tile(seen.TileOf(3, 3)));
        // Empty, used and empty tiles along one run compose as the plain way does.
        corner.setPixel(3, 3, 0);
        corner.setPixel(31, 15, qRgba(200, 0, 0, 255));
        MarkUsedTiles(seen, corner, all);
        EXPECT_FALSE(seen.Tile(seen.TileOf(3, 3)));
        QImage slow = page.copy(), fast = page.copy();
        ComposeTiles(slow, under, corner, all);
        ComposeTiles(fast, under, corner, all, &seen);
        EXPECT_EQ(slow, fast);
        EXPECT_NE(fast.pixel(31, 15), under.pixel(31, 15));
    }
    QImage plain = page.copy(), quick = page.copy();
    ComposeTiles(plain, under, over, all);
    ComposeTiles(quick, under, over, all, &used);
    EXPECT_EQ(plain, quick);
    ClearTiles(over, m);
    EXPECT_EQ(over.pixel(1, 1), 0u);
    EXPECT_EQ(over.pixel(20, 1), qRgba(255, 0, 0, 255));
}
