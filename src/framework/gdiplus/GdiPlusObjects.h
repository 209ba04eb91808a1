// The objects behind the flat smooth-drawing handles and the helpers the sections share.
// Internal to the gdiplus folder.
#pragma once

#include "framework/gdiplus/GdiPlusFlat.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImageReader>
#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>
#include <memory>

namespace gdip
{

struct GpGraphics {
    QPainter* p = nullptr;
    std::unique_ptr<QPainter> owned;
    SmoothingMode smoothing = SmoothingModeNone;
    TextRenderingHint hint = TextRenderingHintSystemDefault;
};

struct GpPath {
    QPainterPath path;
    bool open = false; // a figure is open: the next line or arc joins it
};

struct GpBrush {
    BrushType type = BrushTypeSolidColor;
    ARGB color = 0;
    // hatch
    int hatch = 0;
    ARGB back = 0;
    // texture
    QImage texture;
    WrapMode wrap = WrapModeTile;
    // linear
    QPointF p1, p2;
    QGradientStops stops;
    bool gamma = false;
    // path gradient
    QPainterPath path;
    QPointF center;
    ARGB centerColor = 0xFFFFFFFF;
    std::vector<ARGB> surround;
    int pointCount = 0;
};

struct GpPen {
    ARGB color = 0;
    REAL width = 1;
    DashStyle dash = DashStyleSolid;
    bool hasBrush = false;
    GpBrush brush;
};

struct GpRegion {
    QPainterPath path;
};

struct GpMatrix {
    QTransform t;
};

struct GpFontFamily {
    QString name;
};

struct GpFont {
    QFont font;
    REAL pixelSize = 12;
};

struct GpStringFormat {
    int flags = 0;
    StringAlignment align = StringAlignmentNear;
    StringAlignment lineAlign = StringAlignmentNear;
};

struct GpImage {
    QImage image;
    RawFormat raw = RawUndefined;
    int pixelFormat = PixelFormat32bppARGB;
};

struct GpImageAttributes {
    bool keyed = false;
    ARGB low = 0, high = 0;
};

QColor ToQColor(ARGB c);

QGradientStops TwoStops(ARGB a, ARGB b);
// Qt patterns stand for the hatch styles (horizontal, vertical, the diagonals and crosses; the
// rest fall back to a dense pattern).
Qt::BrushStyle HatchPattern(int style);
QBrush ToQBrush(const GpBrush& b);
void RebuildPathStops(GpBrush& b);
QPen ToQPen(const GpPen& pen);
void FillWith(GpGraphics* g, const GpBrush& b, const QPainterPath& area);
void Stroke(GpGraphics* g, const GpPen& pen, const QPainterPath& path);
QPainterPath CurrentClip(QPainter& p);
void ApplyClip(GpGraphics* g, const QPainterPath& path, CombineMode mode);
// Arc in GDI+ terms: clockwise degrees from the x axis in y-down space.
void ArcTo(QPainterPath& path, const QRectF& r, REAL start, REAL sweep, bool move);
int PixelFormatOf(const QImage& image, RawFormat raw);
QImage KeyedCopy(const QImage& src, ARGB low, ARGB high);

} // namespace gdip
