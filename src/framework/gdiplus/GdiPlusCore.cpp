// Shared helpers: brushes, pens, clips and arcs in Qt terms; picture format sniffing.
#include "framework/gdiplus/GdiPlusObjects.h"

namespace gdip
{

QColor ToQColor(ARGB c)
{
    return QColor(int((c >> 16) & 0xFF), int((c >> 8) & 0xFF), int(c & 0xFF), int(c >> 24));
}

QGradientStops TwoStops(ARGB a, ARGB b)
{
    return {{0.0, ToQColor(a)}, {1.0, ToQColor(b)}};
}

QBrush ToQBrush(const GpBrush& b)
{
    switch (b.type) {
    case BrushTypeSolidColor:
        return QBrush(ToQColor(b.color));
    case BrushTypeHatchFill:
        return QBrush(HatchTile(b.hatch, b.color, b.back));
    case BrushTypeTextureFill:
        return QBrush(b.texture);
    case BrushTypeLinearGradient: {
        QLinearGradient g(b.p1, b.p2);
        g.setStops(b.gamma ? GammaStops(b.stops) : b.stops);
        g.setSpread(b.wrap == WrapModeTile
                        ? QGradient::RepeatSpread
                        : (b.wrap == WrapModeClamp ? QGradient::PadSpread : QGradient::ReflectSpread));
        return QBrush(g);
    }
    case BrushTypePathGradient: {
        const QRect area = b.path.boundingRect().toAlignedRect();
        QBrush brush(PathGradientImage(b, area));
        brush.setTransform(QTransform::fromTranslate(area.left(), area.top()));
        return brush;
    }
    }
    return QBrush();
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
    case DashStyleDash:
        p.setStyle(Qt::DashLine);
        break;
    case DashStyleDot:
        p.setStyle(Qt::DotLine);
        break;
    case DashStyleDashDot:
        p.setStyle(Qt::DashDotLine);
        break;
    case DashStyleDashDotDot:
        p.setStyle(Qt::DashDotDotLine);
        break;
    default:
        break;
    }
    return p;
}

void FillWith(GpGraphics* g, const GpBrush& b, const QPainterPath& area)
{
    QPainter& p = *g->p;
    p.save();
    p.setPen(Qt::NoPen);
    if (b.type == BrushTypePathGradient) {
        // Drawn only inside its own path, and only over the pixels the fill covers.
        const QPainterPath shape = area.intersected(b.path);
        const QRect r = shape.boundingRect().toAlignedRect();
        QBrush brush(PathGradientImage(b, r));
        brush.setTransform(QTransform::fromTranslate(r.left(), r.top()));
        p.fillPath(shape, brush);
    } else {
        p.fillPath(area, ToQBrush(b));
    }
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
    case CombineModeReplace:
        p.setClipPath(path, Qt::ReplaceClip);
        break;
    case CombineModeIntersect:
        p.setClipPath(path, Qt::IntersectClip);
        break;
    case CombineModeUnion:
        p.setClipPath(CurrentClip(p).united(path));
        break;
    case CombineModeExclude:
        p.setClipPath(CurrentClip(p).subtracted(path));
        break;
    case CombineModeXor: {
        const QPainterPath c = CurrentClip(p);
        p.setClipPath(c.united(path).subtracted(c.intersected(path)));
        break;
    }
    case CombineModeComplement:
        p.setClipPath(path.subtracted(CurrentClip(p)));
        break;
    }
}

// Arc in GDI+ terms: clockwise degrees from the x axis in y-down space.
void ArcTo(QPainterPath& path, const QRectF& r, REAL start, REAL sweep, bool move)
{
    if (move || path.isEmpty())
        path.arcMoveTo(r, -start);
    path.arcTo(r, -start, -sweep);
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

} // namespace gdip
