// Graphics objects: state, clipping, filling, outlining and drawing pictures.
#include "framework/gdiplus/GdiPlusObjects.h"

namespace gdip
{

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
    if (image->image.format() != QImage::Format_ARGB32_Premultiplied &&
        image->image.format() != QImage::Format_ARGB32 && image->image.format() != QImage::Format_RGB32)
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
    g->p->setRenderHint(QPainter::Antialiasing,
                        mode == SmoothingModeAntiAlias || mode == SmoothingModeHighQuality);
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

Status GdipDrawImageRectRect(GpGraphics* g, GpImage* image, REAL dx, REAL dy, REAL dw, REAL dh, REAL sx,
                             REAL sy, REAL sw, REAL sh, Unit, GpImageAttributes* attributes)
{
    if (!g || !image || image->image.isNull())
        return InvalidParameter;
    QImage src = attributes && attributes->keyed ? KeyedCopy(image->image, attributes->low, attributes->high)
                                                 : image->image;
    if (attributes && attributes->gammaOn)
        src = GammaCopy(src, attributes->gamma);
    g->p->drawImage(QRectF(dx, dy, dw, dh), src, QRectF(sx, sy, sw, sh));
    return Ok;
}

} // namespace gdip
