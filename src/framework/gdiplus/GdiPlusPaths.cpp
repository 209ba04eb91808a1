// Paths, regions and matrices.
#include "framework/gdiplus/GdiPlusObjects.h"

namespace gdip
{

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

namespace
{
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

namespace
{
QPainterPath Combine(const QPainterPath& a, const QPainterPath& b, CombineMode mode)
{
    switch (mode) {
    case CombineModeReplace:
        return b;
    case CombineModeIntersect:
        return a.intersected(b);
    case CombineModeUnion:
        return a.united(b);
    case CombineModeXor:
        return a.united(b).subtracted(a.intersected(b));
    case CombineModeExclude:
        return a.subtracted(b);
    case CombineModeComplement:
        return b.subtracted(a);
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

namespace
{
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

} // namespace gdip
