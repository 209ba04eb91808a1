// Wide solid lines straight into a page's pixels: the plots of the response graph are thousands of
// short segments, which the painter's stroker would take milliseconds for. A plot's pixels can be kept
// as a list grouped by 16 x 16 tiles, so that a page is drawn again only in the tiles where a plot
// changed. Pure drawing, any thread.
#pragma once

#include "graph/GraphGeometry.h"

#include <QImage>
#include <QRect>
#include <cstdint>
#include <utility>
#include <vector>

namespace graph
{

// The 16 x 16 tiles of a page that are to be drawn again.
class TTileMask
{
  public:
    static constexpr int TileShift = 4;
    static constexpr int TileSize = 1 << TileShift;

    // Sized for a page of width x height, nothing marked.
    void Reset(int width, int height);
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int Columns() const { return FColumns; }
    int Rows() const { return FRows; }
    int TileCount() const { return FColumns * FRows; }
    int TileOf(int x, int y) const { return (y >> TileShift) * FColumns + (x >> TileShift); }

    void Clear();
    void SetAll();
    void Add(int tile);
    void Remove(int tile);
    // Marks the tiles that meet the pixels [left, right) x [top, bottom), clipped to the page.
    void AddRect(const QRect& r);
    void Merge(const TTileMask& other);
    bool Any() const { return FAny; }
    bool Tile(int tile) const { return FBits[std::size_t(tile)] != 0; }
    // Whether pixel (x, y) of the page lies in a marked tile.
    bool Contains(int x, int y) const
    {
        return unsigned(x) < unsigned(FWidth) && unsigned(y) < unsigned(FHeight) && Tile(TileOf(x, y));
    }
    bool Intersects(const QRect& r) const;
    // The marked tiles as rectangles clipped to the page, runs along a tile row merged, top to bottom.
    std::vector<QRect> Rects() const;

  private:
    int FWidth = 0, FHeight = 0, FColumns = 0, FRows = 0;
    std::vector<unsigned char> FBits;
    bool FAny = false;
};

// A plot's line pixels on a page of Width x Height, grouped by tile, each pixel once, in order.
struct TPlotPixels {
    int Width = 0, Height = 0;
    std::vector<std::uint32_t> Offsets;   // y x Width + x
    std::vector<std::uint32_t> TileStart; // where each tile's pixels start in Offsets, and the end
    // Whether the tile holds the same pixels in both lists (of the same page size).
    bool SameIn(const TPlotPixels& other, int tile) const;
    bool Empty(int tile) const { return TileStart[std::size_t(tile) + 1] == TileStart[std::size_t(tile)]; }
};

// The pixels RasterPolyline would set for every run.
TPlotPixels PolylinePixels(const std::vector<TRun>& runs, int width, int height, int penWidth);
// Sets the pixels (those of the listed tiles only, when a list is given) to the colour.
void PutPixels(QImage& image, const TPlotPixels& pixels, QRgb colour, const std::vector<int>* only = nullptr);
// Copies the marked tiles of one image into another of the same size and format (32 bits).
void CopyTiles(QImage& to, const QImage& from, const TTileMask& tiles);
// Makes the marked tiles of a premultiplied image transparent.
void ClearTiles(QImage& image, const TTileMask& tiles);
// The marked tiles of `to` become `over` (premultiplied) drawn over `under` (opaque), all of one size;
// the tiles not marked in `used` (when given) hold nothing of `over`.
void ComposeTiles(QImage& to, const QImage& under, const QImage& over, const TTileMask& tiles,
                  const TTileMask* used = nullptr);
// Marks in `used` those of the marked tiles that hold a pixel of the premultiplied image, and clears
// the others; those outside `reach` (when given) are taken as empty without being scanned.
void MarkUsedTiles(TTileMask& used, const QImage& image, const TTileMask& tiles,
                   const TTileMask* reach = nullptr);

// Draws the run as joined segments, `width` pixels wide (1 or 2), each leaving out its end point as
// the framework's LineTo does; clipped to the image. The image is Format_RGB32 or ARGB32.
void RasterPolyline(QImage& image, const TRun& run, QRgb colour, int width);

struct TPointF {
    double X = 0, Y = 0;
};

// A cardinal spline (tension 0.5) through the points as a polyline: pieces between points at most
// two pixels apart are straight (the curve cannot leave that pixel band), longer ones are cut into
// two-pixel steps.
std::vector<TPointF> CardinalPolyline(const std::vector<TIntPoint>& points);

// The pixels whose centre lies inside a polygon (alternate rule; the polygon closes itself), as
// spans [first, second) of each row of a width x height page.
struct TCover {
    int Width = 0, Height = 0;
    std::vector<std::uint32_t> RowStart; // where each row's spans start in Spans, and the end
    std::vector<std::pair<int, int>> Spans;
};
TCover PolygonCover(const std::vector<TPointF>& polygon, int width, int height);

// Blends `colour` with `alpha` (0..255) over the covered pixels, over every pixel inside a polygon,
// and over a one-pixel line along the first `count` points of a polyline; with a mask, only over
// the pixels of its marked tiles.
void BlendCover(QImage& image, const TCover& cover, QRgb colour, int alpha, const TTileMask* only = nullptr);
void BlendFillPolygon(QImage& image, const std::vector<TPointF>& polygon, QRgb colour, int alpha,
                      const TTileMask* only = nullptr);
void BlendPolyline(QImage& image, const std::vector<TPointF>& polyline, std::size_t count, QRgb colour,
                   int alpha, const TTileMask* only = nullptr);
// Marks the tiles where two covers of one page differ, and where two polylines (their first
// aCount and bCount points) differ.
void AddCoverDifference(TTileMask& mask, const TCover& a, const TCover& b);
void AddOutlineDifference(TTileMask& mask, const std::vector<TPointF>& a, std::size_t aCount,
                          const std::vector<TPointF>& b, std::size_t bCount);

} // namespace graph
