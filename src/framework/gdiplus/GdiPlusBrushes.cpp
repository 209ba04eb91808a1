// Pens, solid, hatch, texture, linear and path-gradient brushes.
#include "framework/gdiplus/GdiPlusObjects.h"

namespace gdip
{

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

Status GdipCreateLineBrush(const GpPointF* p1, const GpPointF* p2, ARGB c1, ARGB c2, WrapMode wrap,
                           GpBrush** brush)
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
    case LinearGradientModeHorizontal:
        break;
    case LinearGradientModeVertical:
        b = {r->X, r->Y + r->Height};
        break;
    case LinearGradientModeForwardDiagonal:
        b = {r->X + r->Width, r->Y + r->Height};
        break;
    case LinearGradientModeBackwardDiagonal:
        a = {r->X + r->Width, r->Y};
        b = {r->X, r->Y + r->Height};
        break;
    }
    return GdipCreateLineBrush(&a, &b, c1, c2, wrap, brush);
}

Status GdipCreateLineBrushFromRectWithAngle(const GpRectF* r, ARGB c1, ARGB c2, REAL angle, bool,
                                            WrapMode wrap, GpBrush** brush)
{
    if (!r || r->Width <= 0 || r->Height <= 0)
        return InvalidParameter;
    const double rad = angle * M_PI / 180.0;
    const double dx = std::cos(rad), dy = std::sin(rad);
    const double half = (std::abs(r->Width * dx) + std::abs(r->Height * dy)) / 2;
    const double cx = r->X + r->Width / 2.0, cy = r->Y + r->Height / 2.0;
    const GpPointF a{REAL(cx - dx * half), REAL(cy - dy * half)},
        b{REAL(cx + dx * half), REAL(cy + dy * half)};
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
    *brush = b;
    return Ok;
}

Status GdipSetPathGradientCenterColor(GpBrush* b, ARGB color)
{
    if (!b || b->type != BrushTypePathGradient)
        return InvalidParameter;
    b->centerColor = color;
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
    // Positions run from the outline (0) to the centre (1).
    QGradientStops stops;
    for (int i = 0; i < count; ++i)
        stops.push_back({std::clamp(double(positions[i]), 0.0, 1.0), ToQColor(colors[i])});
    std::stable_sort(stops.begin(), stops.end(),
                     [](const QGradientStop& a, const QGradientStop& c) { return a.first < c.first; });
    b->stops = stops;
    b->preset = true;
    return Ok;
}

Status GdipSetPathGradientGammaCorrection(GpBrush* b, bool gamma)
{
    if (!b || b->type != BrushTypePathGradient)
        return InvalidParameter;
    b->gamma = gamma;
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

} // namespace gdip
