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
    // path gradient; its stops are a preset blend (from the outline at 0 to the centre at 1) when set
    QPainterPath path;
    QPointF center;
    ARGB centerColor = 0xFFFFFFFF;
    std::vector<ARGB> surround;
    int pointCount = 0;
    bool preset = false;
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
    bool gammaOn = false;
    REAL gamma = 1;
};

QColor ToQColor(ARGB c);

QGradientStops TwoStops(ARGB a, ARGB b);
// The stops of a gradient blended in linear light (gamma 2.2) instead of in the colours' own values.
QGradientStops GammaStops(const QGradientStops& stops);
// The tile of a hatch brush: the style's cell in the fore and back colours.
QImage HatchTile(int style, ARGB fore, ARGB back);
// A path-gradient brush drawn into the pixels of `area` (whole pixels, in the surface's units); pixels
// outside the brush's path stay transparent.
QImage PathGradientImage(const GpBrush& b, const QRect& area);
QBrush ToQBrush(const GpBrush& b);
QPen ToQPen(const GpPen& pen);
void FillWith(GpGraphics* g, const GpBrush& b, const QPainterPath& area);
void Stroke(GpGraphics* g, const GpPen& pen, const QPainterPath& path);
QPainterPath CurrentClip(QPainter& p);
void ApplyClip(GpGraphics* g, const QPainterPath& path, CombineMode mode);
// Arc in GDI+ terms: clockwise degrees from the x axis in y-down space.
void ArcTo(QPainterPath& path, const QRectF& r, REAL start, REAL sweep, bool move);
int PixelFormatOf(const QImage& image, RawFormat raw);
QImage KeyedCopy(const QImage& src, ARGB low, ARGB high);
// Every colour channel c (0..1) of the picture becomes c to the power gamma; alpha stays.
QImage GammaCopy(const QImage& src, REAL gamma);

} // namespace gdip
