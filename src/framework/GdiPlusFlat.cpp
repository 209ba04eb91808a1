#include "framework/GdiPlusFlat.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImageReader>
#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>
#include <memory>

namespace gdip {

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

QColor ToQColor(ARGB c) { return QColor(int((c >> 16) & 0xFF), int((c >> 8) & 0xFF), int(c & 0xFF), int(c >> 24)); }

namespace {

QGradientStops TwoStops(ARGB a, ARGB b)
{
    return {{0.0, ToQColor(a)}, {1.0, ToQColor(b)}};
}

// Qt patterns stand for the hatch styles (horizontal, vertical, the diagonals and crosses; the
// rest fall back to a dense pattern).
Qt::BrushStyle HatchPattern(int style)
{
    switch (style) {
    case 0: return Qt::HorPattern;
    case 1: return Qt::VerPattern;
    case 2: return Qt::FDiagPattern;
    case 3: return Qt::BDiagPattern;
    case 4: return Qt::CrossPattern;
    case 5: return Qt::DiagCrossPattern;
    default: return Qt::Dense4Pattern;
    }
}

QBrush ToQBrush(const GpBrush& b)
{
    switch (b.type) {
    case BrushTypeSolidColor: return QBrush(ToQColor(b.color));
    case BrushTypeHatchFill: return QBrush(ToQColor(b.color), HatchPattern(b.hatch));
    case BrushTypeTextureFill: return QBrush(b.texture);
    case BrushTypeLinearGradient: {
        QLinearGradient g(b.p1, b.p2);
        g.setStops(b.stops);
        g.setSpread(b.wrap == WrapModeTile ? QGradient::RepeatSpread
                                           : (b.wrap == WrapModeClamp ? QGradient::PadSpread : QGradient::ReflectSpread));
        return QBrush(g);
    }
    case BrushTypePathGradient: {
        const QRectF r = b.path.boundingRect();
        if (r.width() <= 0 || r.height() <= 0)
            return QBrush(ToQColor(b.surround.empty() ? b.centerColor : b.surround.front()));
        const QPointF c = r.center();
        const double rx = r.width() / 2, ry = r.height() / 2;
        QPointF focal((b.center.x() - c.x()) / rx, (b.center.y() - c.y()) / ry);
        if (std::hypot(focal.x(), focal.y()) > 0.999)
            focal *= 0.999 / std::hypot(focal.x(), focal.y());
        QRadialGradient g(QPointF(0, 0), 1.0, focal);
        g.setStops(b.stops);
        QBrush brush(g);
        QTransform t;
        t.translate(c.x(), c.y());
        t.scale(rx, ry);
        brush.setTransform(t);
        return brush;
    }
    }
    return QBrush();
}

void RebuildPathStops(GpBrush& b)
{
    const ARGB s = b.surround.empty() ? 0xFFFFFFFF : b.surround.front();
    b.stops = {{0.0, ToQColor(b.centerColor)}, {1.0, ToQColor(s)}};
}

QPen ToQPen(const GpPen& pen)
{
    QPen p;
    if (pen.hasBrush)
        p.setBrush(ToQBrush(pen.brush));
    else
        p.setColor(ToQColor(pen.color));
    p.setWidthF(pen.width <= 0 ? 1.0 : pen.width);
    p.setCapStyle(Qt::FlatCap);
    p.setJoinStyle(Qt::MiterJoin);
    switch (pen.dash) {
    case DashStyleDash: p.setStyle(Qt::DashLine); break;
    case DashStyleDot: p.setStyle(Qt::DotLine); break;
    case DashStyleDashDot: p.setStyle(Qt::DashDotLine); break;
    case DashStyleDashDotDot: p.setStyle(Qt::DashDotDotLine); break;
    default: break;
    }
    return p;
}

void FillWith(GpGraphics* g, const GpBrush& b, const QPainterPath& area)
{
    QPainter& p = *g->p;
    p.save();
    p.setPen(Qt::NoPen);
    QPainterPath shape = area;
    // A path gradient paints only inside its own path.
    if (b.type == BrushTypePathGradient)
        shape = shape.intersected(b.path);
    if (b.type == BrushTypeHatchFill)
        p.fillPath(shape, ToQColor(b.back));
    p.fillPath(shape, ToQBrush(b));
    p.restore();
}

void Stroke(GpGraphics* g, const GpPen& pen, const QPainterPath& path)
{
    g->p->save();
    g->p->strokePath(path, ToQPen(pen));
    g->p->restore();
}

QPainterPath CurrentClip(QPainter& p)
{
    if (p.hasClipping())
        return p.clipPath();
    QPainterPath all;
    all.addRect(QRectF(-1e6, -1e6, 2e6, 2e6));
    return all;
}

void ApplyClip(GpGraphics* g, const QPainterPath& path, CombineMode mode)
{
    QPainter& p = *g->p;
    switch (mode) {
    case CombineModeReplace: p.setClipPath(path, Qt::ReplaceClip); break;
    case CombineModeIntersect: p.setClipPath(path, Qt::IntersectClip); break;
    case CombineModeUnion: p.setClipPath(CurrentClip(p).united(path)); break;
    case CombineModeExclude: p.setClipPath(CurrentClip(p).subtracted(path)); break;
    case CombineModeXor: {
        const QPainterPath c = CurrentClip(p);
        p.setClipPath(c.united(path).subtracted(c.intersected(path)));
        break;
    }
    case CombineModeComplement: p.setClipPath(path.subtracted(CurrentClip(p))); break;
    }
}

// Arc in GDI+ terms: clockwise degrees from the x axis in y-down space.
void ArcTo(QPainterPath& path, const QRectF& r, REAL start, REAL sweep, bool move)
{
    if (move || path.isEmpty())
        path.arcMoveTo(r, -start);
    path.arcTo(r, -start, -sweep);
}

// A file's colour table may be shorter than the indices its pixels use (the decoder keeps both as they
// are); every conversion and drawing would then read past the table. Indices without an entry are black.
void CompleteColourTable(QImage& image)
{
    int entries = 0;
    switch (image.format()) {
    case QImage::Format_Indexed8: entries = 256; break;
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB: entries = 2; break;
    default: return;
    }
    QList<QRgb> table = image.colorTable();
    if (table.size() >= entries)
        return;
    table.resize(entries, qRgb(0, 0, 0));
    image.setColorTable(table);
}

int PixelFormatOf(const QImage& image, RawFormat raw)
{
    if (image.format() == QImage::Format_Indexed8 || image.format() == QImage::Format_Mono ||
        image.format() == QImage::Format_MonoLSB)
        return PixelFormat8bppIndexed;
    if (image.hasAlphaChannel())
        return PixelFormat32bppARGB;
    if (raw == RawBMP || raw == RawJPEG)
        return PixelFormat24bppRGB;
    return PixelFormat32bppRGB;
}

QImage KeyedCopy(const QImage& src, ARGB low, ARGB high)
{
    QImage out = src.convertToFormat(QImage::Format_ARGB32);
    const int lr = (low >> 16) & 0xFF, lg = (low >> 8) & 0xFF, lb = low & 0xFF;
    const int hr = (high >> 16) & 0xFF, hg = (high >> 8) & 0xFF, hb = high & 0xFF;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const int r = qRed(line[x]), gg = qGreen(line[x]), b = qBlue(line[x]);
            if (r >= lr && r <= hr && gg >= lg && gg <= hg && b >= lb && b <= hb)
                line[x] = 0;
        }
    }
    return out;
}

} // namespace

RawFormat SniffRawFormat(const QByteArray& bytes)
{
    auto at = [&](int i) { return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0x100u; };
    if (at(0) == 'B' && at(1) == 'M')
        return RawBMP;
    if (at(0) == 0xFF && at(1) == 0xD8)
        return RawJPEG;
    if (bytes.startsWith("\x89PNG\r\n\x1a\n"))
        return RawPNG;
    if (bytes.startsWith("GIF8"))
        return RawGIF;
    if (bytes.startsWith("II*") || bytes.startsWith("MM\0*"))
        return RawTIFF;
    if (at(0) == 0 && at(1) == 0 && at(2) == 1 && at(3) == 0)
        return RawIcon;
    if (bytes.size() >= 44 && bytes.mid(40, 4) == " EMF")
        return RawEMF;
    if (at(0) == 0xD7 && at(1) == 0xCD && at(2) == 0xC6 && at(3) == 0x9A)
        return RawWMF;
    return RawUndefined;
}

// ---- graphics ----

Status GdipCreateFromPainter(QPainter* painter, GpGraphics** graphics)
{
    if (!painter || !graphics || !painter->isActive())
        return InvalidParameter;
    auto* g = new GpGraphics;
    g->p = painter;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, true);
    *graphics = g;
    return Ok;
}

Status GdipGetImageGraphicsContext(GpImage* image, GpGraphics** graphics)
{
    if (!image || !graphics || image->image.isNull())
        return InvalidParameter;
    if (image->image.format() != QImage::Format_ARGB32_Premultiplied && image->image.format() != QImage::Format_ARGB32 &&
        image->image.format() != QImage::Format_RGB32)
        image->image = image->image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    auto* g = new GpGraphics;
    g->owned = std::make_unique<QPainter>(&image->image);
    g->p = g->owned.get();
    g->p->save();
    *graphics = g;
    return Ok;
}

Status GdipDeleteGraphics(GpGraphics* g)
{
    if (!g)
        return InvalidParameter;
    if (g->p && g->p->isActive())
        g->p->restore();
    delete g;
    return Ok;
}

Status GdipGraphicsClear(GpGraphics* g, ARGB color)
{
    if (!g)
        return InvalidParameter;
    g->p->save();
    g->p->setCompositionMode(QPainter::CompositionMode_Source);
    g->p->fillRect(QRectF(-1e6, -1e6, 2e6, 2e6), ToQColor(color));
    g->p->restore();
    return Ok;
}

Status GdipSetSmoothingMode(GpGraphics* g, SmoothingMode mode)
{
    if (!g || mode < SmoothingModeDefault || mode > SmoothingModeAntiAlias)
        return InvalidParameter;
    g->smoothing = mode;
    g->p->setRenderHint(QPainter::Antialiasing, mode == SmoothingModeAntiAlias || mode == SmoothingModeHighQuality);
    return Ok;
}

Status GdipGetSmoothingMode(GpGraphics* g, SmoothingMode* mode)
{
    if (!g || !mode)
        return InvalidParameter;
    *mode = g->smoothing;
    return Ok;
}

Status GdipSetTextRenderingHint(GpGraphics* g, TextRenderingHint hint)
{
    if (!g)
        return InvalidParameter;
    g->hint = hint;
    g->p->setRenderHint(QPainter::TextAntialiasing, hint != TextRenderingHintSystemDefault);
    return Ok;
}

Status GdipGetTextRenderingHint(GpGraphics* g, TextRenderingHint* hint)
{
    if (!g || !hint)
        return InvalidParameter;
    *hint = g->hint;
    return Ok;
}

Status GdipSetWorldTransform(GpGraphics* g, GpMatrix* m)
{
    if (!g || !m)
        return InvalidParameter;
    g->p->setWorldTransform(m->t);
    return Ok;
}

Status GdipResetWorldTransform(GpGraphics* g)
{
    if (!g)
        return InvalidParameter;
    g->p->resetTransform();
    return Ok;
}

Status GdipSetClipRect(GpGraphics* g, REAL x, REAL y, REAL w, REAL h, CombineMode mode)
{
    if (!g)
        return InvalidParameter;
    QPainterPath path;
    path.addRect(QRectF(x, y, w, h));
    ApplyClip(g, path, mode);
    return Ok;
}

Status GdipSetClipPath(GpGraphics* g, GpPath* path, CombineMode mode)
{
    if (!g || !path)
        return InvalidParameter;
    ApplyClip(g, path->path, mode);
    return Ok;
}

Status GdipSetClipRegion(GpGraphics* g, GpRegion* region, CombineMode mode)
{
    if (!g || !region)
        return InvalidParameter;
    ApplyClip(g, region->path, mode);
    return Ok;
}

Status GdipResetClip(GpGraphics* g)
{
    if (!g)
        return InvalidParameter;
    g->p->setClipping(false);
    return Ok;
}

Status GdipDrawPath(GpGraphics* g, GpPen* pen, GpPath* path)
{
    if (!g || !pen || !path)
        return InvalidParameter;
    Stroke(g, *pen, path->path);
    return Ok;
}

Status GdipFillPath(GpGraphics* g, GpBrush* brush, GpPath* path)
{
    if (!g || !brush || !path)
        return InvalidParameter;
    FillWith(g, *brush, path->path);
    return Ok;
}

Status GdipFillRectangle(GpGraphics* g, GpBrush* brush, REAL x, REAL y, REAL w, REAL h)
{
    if (!g || !brush)
        return InvalidParameter;
    QPainterPath p;
    p.addRect(QRectF(x, y, w, h));
    FillWith(g, *brush, p);
    return Ok;
}

Status GdipFillEllipse(GpGraphics* g, GpBrush* brush, REAL x, REAL y, REAL w, REAL h)
{
    if (!g || !brush)
        return InvalidParameter;
    QPainterPath p;
    p.addEllipse(QRectF(x, y, w, h));
    FillWith(g, *brush, p);
    return Ok;
}

Status GdipFillPolygon(GpGraphics* g, GpBrush* brush, const GpPointF* points, int count, FillMode mode)
{
    if (!g || !brush || !points || count <= 0)
        return InvalidParameter;
    QPolygonF poly;
    for (int i = 0; i < count; ++i)
        poly << QPointF(points[i].X, points[i].Y);
    QPainterPath p;
    p.addPolygon(poly);
    p.closeSubpath();
    p.setFillRule(mode == FillModeWinding ? Qt::WindingFill : Qt::OddEvenFill);
    FillWith(g, *brush, p);
    return Ok;
}

Status GdipFillPolygonI(GpGraphics* g, GpBrush* brush, const GpPoint* points, int count, FillMode mode)
{
    if (!points || count <= 0)
        return InvalidParameter;
    std::vector<GpPointF> f;
    for (int i = 0; i < count; ++i)
        f.push_back({REAL(points[i].X), REAL(points[i].Y)});
    return GdipFillPolygon(g, brush, f.data(), count, mode);
}

Status GdipDrawRectangle(GpGraphics* g, GpPen* pen, REAL x, REAL y, REAL w, REAL h)
{
    if (!g || !pen)
        return InvalidParameter;
    QPainterPath p;
    p.addRect(QRectF(x, y, w, h));
    Stroke(g, *pen, p);
    return Ok;
}

Status GdipDrawEllipse(GpGraphics* g, GpPen* pen, REAL x, REAL y, REAL w, REAL h)
{
    if (!g || !pen)
        return InvalidParameter;
    QPainterPath p;
    p.addEllipse(QRectF(x, y, w, h));
    Stroke(g, *pen, p);
    return Ok;
}

Status GdipDrawArc(GpGraphics* g, GpPen* pen, REAL x, REAL y, REAL w, REAL h, REAL start, REAL sweep)
{
    if (!g || !pen)
        return InvalidParameter;
    QPainterPath p;
    ArcTo(p, QRectF(x, y, w, h), start, sweep, true);
    Stroke(g, *pen, p);
    return Ok;
}

Status GdipDrawLine(GpGraphics* g, GpPen* pen, REAL x1, REAL y1, REAL x2, REAL y2)
{
    if (!g || !pen)
        return InvalidParameter;
    QPainterPath p;
    p.moveTo(x1, y1);
    p.lineTo(x2, y2);
    Stroke(g, *pen, p);
    return Ok;
}

Status GdipDrawImageRect(GpGraphics* g, GpImage* image, REAL x, REAL y, REAL w, REAL h)
{
    if (!g || !image || image->image.isNull())
        return InvalidParameter;
    g->p->drawImage(QRectF(x, y, w, h), image->image);
    return Ok;
}

Status GdipDrawImageI(GpGraphics* g, GpImage* image, int x, int y)
{
    if (!g || !image || image->image.isNull())
        return InvalidParameter;
    g->p->drawImage(QPoint(x, y), image->image);
    return Ok;
}

Status GdipDrawImageRectRect(GpGraphics* g, GpImage* image, REAL dx, REAL dy, REAL dw, REAL dh, REAL sx, REAL sy,
                             REAL sw, REAL sh, Unit, GpImageAttributes* attributes)
{
    if (!g || !image || image->image.isNull())
        return InvalidParameter;
    const QImage src = attributes && attributes->keyed ? KeyedCopy(image->image, attributes->low, attributes->high)
                                                       : image->image;
    g->p->drawImage(QRectF(dx, dy, dw, dh), src, QRectF(sx, sy, sw, sh));
    return Ok;
}

namespace {
int QtAlign(const GpStringFormat* f)
{
    int a = 0;
    const StringAlignment h = f ? f->align : StringAlignmentNear;
    const StringAlignment v = f ? f->lineAlign : StringAlignmentNear;
    a |= h == StringAlignmentCenter ? Qt::AlignHCenter : h == StringAlignmentFar ? Qt::AlignRight : Qt::AlignLeft;
    a |= v == StringAlignmentCenter ? Qt::AlignVCenter : v == StringAlignmentFar ? Qt::AlignBottom : Qt::AlignTop;
    return a;
}
} // namespace

Status GdipMeasureString(GpGraphics*, const QString& text, int length, GpFont* font, const GpRectF* layout,
                         GpStringFormat*, GpRectF* box, int* codepointsFitted, int* linesFilled)
{
    if (!font || !layout || !box)
        return InvalidParameter;
    const QString s = text.left(std::clamp(length < 0 ? int(text.size()) : length, 0, int(text.size())));
    const QFontMetricsF m(font->font);
    // The layout engine pads a sixth of the em on each side.
    const double pad = font->pixelSize / 6.0;
    const double w = s.isEmpty() ? 0 : m.horizontalAdvance(s) + 2 * pad;
    const double h = m.height();
    *box = {layout->X, layout->Y, REAL(w), REAL(h)};
    if (codepointsFitted)
        *codepointsFitted = int(s.size());
    if (linesFilled)
        *linesFilled = s.isEmpty() ? 0 : 1;
    return Ok;
}

Status GdipDrawString(GpGraphics* g, const QString& text, int length, GpFont* font, const GpRectF* layout,
                      GpStringFormat* format, GpBrush* brush)
{
    if (!g || !font || !layout || !brush)
        return InvalidParameter;
    const QString s = text.left(std::clamp(length < 0 ? int(text.size()) : length, 0, int(text.size())));
    QPainter& p = *g->p;
    p.save();
    p.setFont(font->font);
    p.setPen(QPen(ToQBrush(*brush), 1));
    const double pad = font->pixelSize / 6.0;
    if (layout->Width <= 0 || layout->Height <= 0) {
        const QFontMetricsF m(font->font);
        p.drawText(QPointF(layout->X + pad, layout->Y + m.ascent()), s);
    } else {
        p.drawText(QRectF(layout->X + pad, layout->Y, layout->Width - 2 * pad, layout->Height), QtAlign(format), s);
    }
    p.restore();
    return Ok;
}

// ---- pens ----

Status GdipCreatePen1(ARGB color, REAL width, Unit, GpPen** pen)
{
    if (!pen)
        return InvalidParameter;
    *pen = new GpPen{color, width, DashStyleSolid, false, {}};
    return Ok;
}

Status GdipCreatePen2(GpBrush* brush, REAL width, Unit, GpPen** pen)
{
    if (!pen || !brush)
        return InvalidParameter;
    *pen = new GpPen{brush->color, width, DashStyleSolid, true, *brush};
    return Ok;
}

Status GdipDeletePen(GpPen* pen)
{
    if (!pen)
        return InvalidParameter;
    delete pen;
    return Ok;
}

Status GdipSetPenDashStyle(GpPen* pen, DashStyle style)
{
    if (!pen)
        return InvalidParameter;
    pen->dash = style;
    return Ok;
}

Status GdipGetPenDashStyle(GpPen* pen, DashStyle* style)
{
    if (!pen || !style)
        return InvalidParameter;
    *style = pen->dash;
    return Ok;
}

// ---- brushes ----

Status GdipCreateSolidFill(ARGB color, GpBrush** brush)
{
    if (!brush)
        return InvalidParameter;
    auto* b = new GpBrush;
    b->type = BrushTypeSolidColor;
    b->color = color;
    *brush = b;
    return Ok;
}

Status GdipGetSolidFillColor(GpBrush* brush, ARGB* color)
{
    if (!brush || !color || brush->type != BrushTypeSolidColor)
        return InvalidParameter;
    *color = brush->color;
    return Ok;
}

Status GdipCreateHatchBrush(int style, ARGB fore, ARGB back, GpBrush** brush)
{
    if (!brush || style < 0 || style > 52)
        return InvalidParameter;
    auto* b = new GpBrush;
    b->type = BrushTypeHatchFill;
    b->hatch = style;
    b->color = fore;
    b->back = back;
    *brush = b;
    return Ok;
}

Status GdipCreateTexture(GpImage* image, WrapMode wrap, GpBrush** brush)
{
    if (!brush || !image || image->image.isNull())
        return InvalidParameter;
    auto* b = new GpBrush;
    b->type = BrushTypeTextureFill;
    b->texture = image->image;
    b->wrap = wrap;
    *brush = b;
    return Ok;
}

Status GdipCreateLineBrush(const GpPointF* p1, const GpPointF* p2, ARGB c1, ARGB c2, WrapMode wrap, GpBrush** brush)
{
    if (!brush || !p1 || !p2)
        return InvalidParameter;
    auto* b = new GpBrush;
    b->type = BrushTypeLinearGradient;
    b->p1 = QPointF(p1->X, p1->Y);
    b->p2 = QPointF(p2->X, p2->Y);
    b->stops = TwoStops(c1, c2);
    b->color = c1;
    b->wrap = wrap;
    *brush = b;
    return Ok;
}

Status GdipCreateLineBrushFromRect(const GpRectF* r, ARGB c1, ARGB c2, LinearGradientMode mode, WrapMode wrap,
                                   GpBrush** brush)
{
    if (!r || r->Width <= 0 || r->Height <= 0)
        return InvalidParameter;
    GpPointF a{r->X, r->Y}, b{r->X + r->Width, r->Y};
    switch (mode) {
    case LinearGradientModeHorizontal: break;
    case LinearGradientModeVertical: b = {r->X, r->Y + r->Height}; break;
    case LinearGradientModeForwardDiagonal: b = {r->X + r->Width, r->Y + r->Height}; break;
    case LinearGradientModeBackwardDiagonal:
        a = {r->X + r->Width, r->Y};
        b = {r->X, r->Y + r->Height};
        break;
    }
    return GdipCreateLineBrush(&a, &b, c1, c2, wrap, brush);
}

Status GdipCreateLineBrushFromRectWithAngle(const GpRectF* r, ARGB c1, ARGB c2, REAL angle, bool, WrapMode wrap,
                                            GpBrush** brush)
{
    if (!r || r->Width <= 0 || r->Height <= 0)
        return InvalidParameter;
    const double rad = angle * M_PI / 180.0;
    const double dx = std::cos(rad), dy = std::sin(rad);
    const double half = (std::abs(r->Width * dx) + std::abs(r->Height * dy)) / 2;
    const double cx = r->X + r->Width / 2.0, cy = r->Y + r->Height / 2.0;
    const GpPointF a{REAL(cx - dx * half), REAL(cy - dy * half)}, b{REAL(cx + dx * half), REAL(cy + dy * half)};
    return GdipCreateLineBrush(&a, &b, c1, c2, wrap, brush);
}

Status GdipSetLineGammaCorrection(GpBrush* brush, bool gamma)
{
    if (!brush || brush->type != BrushTypeLinearGradient)
        return InvalidParameter;
    brush->gamma = gamma;
    return Ok;
}

Status GdipSetLinePresetBlend(GpBrush* brush, const ARGB* colors, const REAL* positions, int count)
{
    if (!brush || !colors || !positions || count < 2 || brush->type != BrushTypeLinearGradient)
        return InvalidParameter;
    QGradientStops stops;
    for (int i = 0; i < count; ++i)
        stops.push_back({std::clamp(double(positions[i]), 0.0, 1.0), ToQColor(colors[i])});
    brush->stops = stops;
    return Ok;
}

Status GdipCreatePathGradientFromPath(GpPath* path, GpBrush** brush)
{
    if (!path || !brush)
        return InvalidParameter;
    if (path->path.isEmpty())
        return OutOfMemory;
    auto* b = new GpBrush;
    b->type = BrushTypePathGradient;
    b->path = path->path;
    b->center = path->path.boundingRect().center();
    b->centerColor = 0xFFFFFFFF;
    b->surround = {0xFFFFFFFF};
    b->pointCount = path->path.elementCount();
    b->wrap = WrapModeClamp;
    RebuildPathStops(*b);
    *brush = b;
    return Ok;
}

Status GdipSetPathGradientCenterColor(GpBrush* b, ARGB color)
{
    if (!b || b->type != BrushTypePathGradient)
        return InvalidParameter;
    b->centerColor = color;
    RebuildPathStops(*b);
    return Ok;
}

Status GdipGetPathGradientCenterColor(GpBrush* b, ARGB* color)
{
    if (!b || !color || b->type != BrushTypePathGradient)
        return InvalidParameter;
    *color = b->centerColor;
    return Ok;
}

Status GdipSetPathGradientCenterPoint(GpBrush* b, const GpPointF* point)
{
    if (!b || !point || b->type != BrushTypePathGradient)
        return InvalidParameter;
    b->center = QPointF(point->X, point->Y);
    return Ok;
}

Status GdipGetPathGradientCenterPoint(GpBrush* b, GpPointF* point)
{
    if (!b || !point || b->type != BrushTypePathGradient)
        return InvalidParameter;
    *point = {REAL(b->center.x()), REAL(b->center.y())};
    return Ok;
}

Status GdipGetPathGradientPointCount(GpBrush* b, int* count)
{
    if (!b || !count || b->type != BrushTypePathGradient)
        return InvalidParameter;
    *count = b->pointCount;
    return Ok;
}

Status GdipSetPathGradientSurroundColorsWithCount(GpBrush* b, const ARGB* colors, int* count)
{
    if (!b || !colors || !count || *count <= 0 || *count > b->pointCount || b->type != BrushTypePathGradient)
        return InvalidParameter;
    b->surround.assign(colors, colors + *count);
    RebuildPathStops(*b);
    return Ok;
}

Status GdipGetPathGradientSurroundColorCount(GpBrush* b, int* count)
{
    if (!b || !count || b->type != BrushTypePathGradient)
        return InvalidParameter;
    *count = int(b->surround.size());
    return Ok;
}

Status GdipGetPathGradientSurroundColorsWithCount(GpBrush* b, ARGB* colors, int* count)
{
    if (!b || !colors || !count || b->type != BrushTypePathGradient)
        return InvalidParameter;
    if (*count < int(b->surround.size()))
        return InsufficientBuffer;
    std::copy(b->surround.begin(), b->surround.end(), colors);
    *count = int(b->surround.size());
    return Ok;
}

Status GdipSetPathGradientPresetBlend(GpBrush* b, const ARGB* colors, const REAL* positions, int count)
{
    if (!b || !colors || !positions || count < 2 || b->type != BrushTypePathGradient)
        return InvalidParameter;
    // Positions run from the outline (0) to the centre (1); the radial gradient runs the other way.
    QGradientStops stops;
    for (int i = count - 1; i >= 0; --i)
        stops.push_back({1.0 - std::clamp(double(positions[i]), 0.0, 1.0), ToQColor(colors[i])});
    b->stops = stops;
    return Ok;
}

Status GdipSetPathGradientWrapMode(GpBrush* b, WrapMode wrap)
{
    if (!b || b->type != BrushTypePathGradient)
        return InvalidParameter;
    b->wrap = wrap;
    return Ok;
}

Status GdipGetBrushType(GpBrush* brush, BrushType* type)
{
    if (!brush || !type)
        return InvalidParameter;
    *type = brush->type;
    return Ok;
}

Status GdipDeleteBrush(GpBrush* brush)
{
    if (!brush)
        return InvalidParameter;
    delete brush;
    return Ok;
}

// ---- paths and regions ----

Status GdipCreatePath(FillMode mode, GpPath** path)
{
    if (!path)
        return InvalidParameter;
    auto* p = new GpPath;
    p->path.setFillRule(mode == FillModeWinding ? Qt::WindingFill : Qt::OddEvenFill);
    *path = p;
    return Ok;
}

Status GdipDeletePath(GpPath* path)
{
    if (!path)
        return InvalidParameter;
    delete path;
    return Ok;
}

Status GdipResetPath(GpPath* path)
{
    if (!path)
        return InvalidParameter;
    const Qt::FillRule rule = path->path.fillRule();
    path->path = QPainterPath();
    path->path.setFillRule(rule);
    path->open = false;
    return Ok;
}

Status GdipClosePathFigure(GpPath* path)
{
    if (!path)
        return InvalidParameter;
    path->path.closeSubpath();
    return Ok;
}

namespace {
void LineInFigure(GpPath& g, QPointF a, QPointF b)
{
    if (!g.open)
        g.path.moveTo(a);
    else
        g.path.lineTo(a); // joined to the open figure
    g.path.lineTo(b);
    g.open = true;
}
} // namespace

Status GdipAddPathLine(GpPath* path, REAL x1, REAL y1, REAL x2, REAL y2)
{
    if (!path)
        return InvalidParameter;
    LineInFigure(*path, QPointF(x1, y1), QPointF(x2, y2));
    return Ok;
}

Status GdipAddPathLine2I(GpPath* path, const GpPoint* points, int count)
{
    if (!path || !points || count <= 0)
        return InvalidParameter;
    for (int i = 0; i < count; ++i) {
        const QPointF q(points[i].X, points[i].Y);
        if (i == 0 && !path->open)
            path->path.moveTo(q);
        else
            path->path.lineTo(q);
    }
    path->open = true;
    return Ok;
}

Status GdipAddPathRectangle(GpPath* path, REAL x, REAL y, REAL w, REAL h)
{
    if (!path)
        return InvalidParameter;
    path->path.addRect(QRectF(x, y, w, h));
    return Ok;
}

Status GdipAddPathArc(GpPath* path, REAL x, REAL y, REAL w, REAL h, REAL start, REAL sweep)
{
    if (!path)
        return InvalidParameter;
    if (w <= 0 || h <= 0)
        return InvalidParameter;
    QPainterPath& p = path->path;
    const QRectF r(x, y, w, h);
    if (!path->open) {
        p.arcMoveTo(r, -start);
    } else {
        // Joined to the figure by a line, as the flat path arc does.
        QPainterPath probe;
        probe.arcMoveTo(r, -start);
        p.lineTo(probe.currentPosition());
    }
    p.arcTo(r, -start, -sweep);
    path->open = true;
    return Ok;
}

Status GdipAddPathEllipse(GpPath* path, REAL x, REAL y, REAL w, REAL h)
{
    if (!path)
        return InvalidParameter;
    path->path.addEllipse(QRectF(x, y, w, h));
    return Ok;
}

Status GdipAddPathPie(GpPath* path, REAL x, REAL y, REAL w, REAL h, REAL start, REAL sweep)
{
    if (!path)
        return InvalidParameter;
    const QRectF r(x, y, w, h);
    path->path.moveTo(r.center());
    path->path.arcTo(r, -start, -sweep);
    path->path.closeSubpath();
    return Ok;
}

Status GdipAddPathPolygon(GpPath* path, const GpPointF* points, int count)
{
    if (!path || !points || count < 3)
        return InvalidParameter;
    QPolygonF poly;
    for (int i = 0; i < count; ++i)
        poly << QPointF(points[i].X, points[i].Y);
    path->path.addPolygon(poly);
    path->path.closeSubpath();
    return Ok;
}

Status GdipGetPointCount(GpPath* path, int* count)
{
    if (!path || !count)
        return InvalidParameter;
    *count = path->path.elementCount();
    return Ok;
}

Status GdipCreateRegionRect(const GpRectF* rect, GpRegion** region)
{
    if (!rect || !region)
        return InvalidParameter;
    auto* r = new GpRegion;
    r->path.addRect(QRectF(rect->X, rect->Y, rect->Width, rect->Height));
    *region = r;
    return Ok;
}

Status GdipCreateRegionPath(GpPath* path, GpRegion** region)
{
    if (!path || !region)
        return InvalidParameter;
    *region = new GpRegion{path->path};
    return Ok;
}

namespace {
QPainterPath Combine(const QPainterPath& a, const QPainterPath& b, CombineMode mode)
{
    switch (mode) {
    case CombineModeReplace: return b;
    case CombineModeIntersect: return a.intersected(b);
    case CombineModeUnion: return a.united(b);
    case CombineModeXor: return a.united(b).subtracted(a.intersected(b));
    case CombineModeExclude: return a.subtracted(b);
    case CombineModeComplement: return b.subtracted(a);
    }
    return a;
}
} // namespace

Status GdipCombineRegionPath(GpRegion* region, GpPath* path, CombineMode mode)
{
    if (!region || !path)
        return InvalidParameter;
    region->path = Combine(region->path, path->path, mode);
    return Ok;
}

Status GdipCombineRegionRegion(GpRegion* region, GpRegion* other, CombineMode mode)
{
    if (!region || !other)
        return InvalidParameter;
    region->path = Combine(region->path, other->path, mode);
    return Ok;
}

Status GdipDeleteRegion(GpRegion* region)
{
    if (!region)
        return InvalidParameter;
    delete region;
    return Ok;
}

// ---- matrices (row vectors: Prepend means op x M, Append M x op) ----

Status GdipCreateMatrix(GpMatrix** m)
{
    if (!m)
        return InvalidParameter;
    *m = new GpMatrix;
    return Ok;
}

Status GdipCreateMatrix2(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy, GpMatrix** m)
{
    if (!m)
        return InvalidParameter;
    *m = new GpMatrix{QTransform(m11, m12, m21, m22, dx, dy)};
    return Ok;
}

Status GdipCloneMatrix(GpMatrix* m, GpMatrix** clone)
{
    if (!m || !clone)
        return InvalidParameter;
    *clone = new GpMatrix{m->t};
    return Ok;
}

Status GdipDeleteMatrix(GpMatrix* m)
{
    if (!m)
        return InvalidParameter;
    delete m;
    return Ok;
}

Status GdipGetMatrixElements(GpMatrix* m, REAL* e)
{
    if (!m || !e)
        return InvalidParameter;
    e[0] = REAL(m->t.m11());
    e[1] = REAL(m->t.m12());
    e[2] = REAL(m->t.m21());
    e[3] = REAL(m->t.m22());
    e[4] = REAL(m->t.dx());
    e[5] = REAL(m->t.dy());
    return Ok;
}

Status GdipSetMatrixElements(GpMatrix* m, REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy)
{
    if (!m)
        return InvalidParameter;
    m->t = QTransform(m11, m12, m21, m22, dx, dy);
    return Ok;
}

namespace {
void Apply(GpMatrix* m, const QTransform& op, MatrixOrder order)
{
    m->t = order == MatrixOrderPrepend ? op * m->t : m->t * op;
}
} // namespace

Status GdipMultiplyMatrix(GpMatrix* m, GpMatrix* other, MatrixOrder order)
{
    if (!m || !other)
        return InvalidParameter;
    Apply(m, other->t, order);
    return Ok;
}

Status GdipTranslateMatrix(GpMatrix* m, REAL dx, REAL dy, MatrixOrder order)
{
    if (!m)
        return InvalidParameter;
    Apply(m, QTransform::fromTranslate(dx, dy), order);
    return Ok;
}

Status GdipScaleMatrix(GpMatrix* m, REAL sx, REAL sy, MatrixOrder order)
{
    if (!m)
        return InvalidParameter;
    Apply(m, QTransform::fromScale(sx, sy), order);
    return Ok;
}

Status GdipRotateMatrix(GpMatrix* m, REAL angle, MatrixOrder order)
{
    if (!m)
        return InvalidParameter;
    QTransform r;
    r.rotate(angle);
    Apply(m, r, order);
    return Ok;
}

Status GdipInvertMatrix(GpMatrix* m)
{
    if (!m)
        return InvalidParameter;
    bool ok = false;
    const QTransform inv = m->t.inverted(&ok);
    if (!ok)
        return InvalidParameter;
    m->t = inv;
    return Ok;
}

Status GdipTransformMatrixPoints(GpMatrix* m, GpPointF* points, int count)
{
    if (!m || !points || count <= 0)
        return InvalidParameter;
    for (int i = 0; i < count; ++i) {
        const QPointF q = m->t.map(QPointF(points[i].X, points[i].Y));
        points[i] = {REAL(q.x()), REAL(q.y())};
    }
    return Ok;
}

Status GdipIsMatrixIdentity(GpMatrix* m, bool* result)
{
    if (!m || !result)
        return InvalidParameter;
    *result = m->t.isIdentity();
    return Ok;
}

// ---- fonts ----

Status GdipCreateFontFamilyFromName(const QString& name, GpFontFamily** family)
{
    if (!family)
        return InvalidParameter;
    *family = nullptr;
    if (name.isEmpty() || !QFontDatabase::hasFamily(name))
        return FontFamilyNotFound;
    *family = new GpFontFamily{name};
    return Ok;
}

Status GdipGetGenericFontFamilySansSerif(GpFontFamily** family)
{
    if (!family)
        return InvalidParameter;
    *family = new GpFontFamily{QStringLiteral("DejaVu Sans")};
    return Ok;
}

Status GdipDeleteFontFamily(GpFontFamily* family)
{
    if (!family)
        return InvalidParameter;
    delete family;
    return Ok;
}

Status GdipCreateFont(GpFontFamily* family, REAL emSize, int style, Unit unit, GpFont** font)
{
    if (!family || !font || emSize <= 0)
        return InvalidParameter;
    auto* f = new GpFont;
    f->font = QFont(family->name);
    double px = emSize;
    if (unit == UnitPoint)
        px = emSize * 96.0 / 72.0;
    else if (unit == UnitInch)
        px = emSize * 96.0;
    else if (unit == UnitMillimeter)
        px = emSize * 96.0 / 25.4;
    f->pixelSize = REAL(px);
    f->font.setPixelSize(std::max(1, int(std::lround(px))));
    f->font.setBold(style & FontStyleBold);
    f->font.setItalic(style & FontStyleItalic);
    f->font.setUnderline(style & FontStyleUnderline);
    f->font.setStrikeOut(style & FontStyleStrikeout);
    *font = f;
    return Ok;
}

Status GdipDeleteFont(GpFont* font)
{
    if (!font)
        return InvalidParameter;
    delete font;
    return Ok;
}

Status GdipCreateStringFormat(int flags, int, GpStringFormat** format)
{
    if (!format)
        return InvalidParameter;
    *format = new GpStringFormat{flags, StringAlignmentNear, StringAlignmentNear};
    return Ok;
}

Status GdipDeleteStringFormat(GpStringFormat* format)
{
    if (!format)
        return InvalidParameter;
    delete format;
    return Ok;
}

Status GdipSetStringFormatAlign(GpStringFormat* f, StringAlignment a)
{
    if (!f)
        return InvalidParameter;
    f->align = a;
    return Ok;
}

Status GdipGetStringFormatAlign(GpStringFormat* f, StringAlignment* a)
{
    if (!f || !a)
        return InvalidParameter;
    *a = f->align;
    return Ok;
}

Status GdipSetStringFormatLineAlign(GpStringFormat* f, StringAlignment a)
{
    if (!f)
        return InvalidParameter;
    f->lineAlign = a;
    return Ok;
}

Status GdipGetStringFormatLineAlign(GpStringFormat* f, StringAlignment* a)
{
    if (!f || !a)
        return InvalidParameter;
    *a = f->lineAlign;
    return Ok;
}

// ---- images ----

Status GdipLoadImageFromBytes(const QByteArray& bytes, GpImage** image)
{
    if (!image)
        return InvalidParameter;
    *image = nullptr;
    if (bytes.isEmpty())
        return InvalidParameter;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    // Refuse absurd sizes before allocating pixels.
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > 16384 || size.height() > 16384))
        return OutOfMemory;
    QImage decoded = reader.read();
    if (decoded.isNull())
        return UnknownImageFormat;
    auto* img = new GpImage;
    img->raw = SniffRawFormat(bytes);
    img->pixelFormat = PixelFormatOf(decoded, img->raw);
    CompleteColourTable(decoded);
    img->image = std::move(decoded);
    *image = img;
    return Ok;
}

Status GdipCreateBitmapFromScan0(int width, int height, int, GpImage** bitmap)
{
    if (!bitmap || width <= 0 || height <= 0 || width > 16384 || height > 16384)
        return InvalidParameter;
    auto* img = new GpImage;
    img->image = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
    img->image.fill(Qt::transparent);
    img->raw = RawMemoryBMP;
    img->pixelFormat = PixelFormat32bppARGB;
    *bitmap = img;
    return Ok;
}

Status GdipDisposeImage(GpImage* image)
{
    if (!image)
        return InvalidParameter;
    delete image;
    return Ok;
}

Status GdipGetImageWidth(GpImage* image, unsigned* width)
{
    if (!image || !width)
        return InvalidParameter;
    *width = unsigned(image->image.width());
    return Ok;
}

Status GdipGetImageHeight(GpImage* image, unsigned* height)
{
    if (!image || !height)
        return InvalidParameter;
    *height = unsigned(image->image.height());
    return Ok;
}

Status GdipGetImagePixelFormat(GpImage* image, int* format)
{
    if (!image || !format)
        return InvalidParameter;
    *format = image->pixelFormat;
    return Ok;
}

Status GdipGetImageRawFormat(GpImage* image, RawFormat* format)
{
    if (!image || !format)
        return InvalidParameter;
    *format = image->raw;
    return Ok;
}

Status GdipBitmapGetPixel(GpImage* bitmap, int x, int y, ARGB* color)
{
    if (!bitmap || !color || !bitmap->image.valid(x, y))
        return InvalidParameter;
    const QColor c = bitmap->image.pixelColor(x, y);
    *color = (ARGB(c.alpha()) << 24) | (ARGB(c.red()) << 16) | (ARGB(c.green()) << 8) | ARGB(c.blue());
    return Ok;
}

Status GdipBitmapSetPixel(GpImage* bitmap, int x, int y, ARGB color)
{
    if (!bitmap || !bitmap->image.valid(x, y))
        return InvalidParameter;
    bitmap->image.setPixelColor(x, y, ToQColor(color));
    return Ok;
}

QImage GdipImagePixels(GpImage* image) { return image ? image->image : QImage(); }

Status GdipCreateImageAttributes(GpImageAttributes** attributes)
{
    if (!attributes)
        return InvalidParameter;
    *attributes = new GpImageAttributes;
    return Ok;
}

Status GdipDisposeImageAttributes(GpImageAttributes* attributes)
{
    if (!attributes)
        return InvalidParameter;
    delete attributes;
    return Ok;
}

Status GdipSetImageAttributesColorKeys(GpImageAttributes* a, ColorAdjustType, bool enable, ARGB low, ARGB high)
{
    if (!a)
        return InvalidParameter;
    a->keyed = enable;
    a->low = low;
    a->high = high;
    return Ok;
}

} // namespace gdip
