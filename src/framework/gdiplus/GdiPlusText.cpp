// Font families, fonts, string formats, measuring and drawing text.
#include "framework/gdiplus/GdiPlusObjects.h"
#include <QHash>

namespace gdip
{

// ---- fonts ----

Status GdipCreateFontFamilyFromName(const QString& name, GpFontFamily** family)
{
    if (!family)
        return InvalidParameter;
    *family = nullptr;
    // Asking the font database goes through the font configuration each time; the program adds no
    // fonts while it runs, so each name's answer is kept.
    static QHash<QString, bool> known;
    auto it = known.constFind(name);
    if (it == known.constEnd())
        it = known.insert(name, !name.isEmpty() && QFontDatabase::hasFamily(name));
    if (!*it)
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

namespace
{
int QtAlign(const GpStringFormat* f)
{
    int a = 0;
    const StringAlignment h = f ? f->align : StringAlignmentNear;
    const StringAlignment v = f ? f->lineAlign : StringAlignmentNear;
    a |= h == StringAlignmentCenter ? Qt::AlignHCenter
         : h == StringAlignmentFar  ? Qt::AlignRight
                                    : Qt::AlignLeft;
    a |= v == StringAlignmentCenter ? Qt::AlignVCenter
         : v == StringAlignmentFar  ? Qt::AlignBottom
                                    : Qt::AlignTop;
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
    const double pad = font->pixelSize / 6.0;
    const auto draw = [&](const QPen& pen) {
        p.setPen(pen);
        if (layout->Width <= 0 || layout->Height <= 0) {
            const QFontMetricsF m(font->font);
            p.drawText(QPointF(layout->X + pad, layout->Y + m.ascent()), s);
        } else {
            p.drawText(QRectF(layout->X + pad, layout->Y, layout->Width - 2 * pad, layout->Height),
                       QtAlign(format), s);
        }
    };
    draw(QPen(ToQBrush(*brush), 1));
    p.restore();
    return Ok;
}

} // namespace gdip
