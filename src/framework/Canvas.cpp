#include "framework/Canvas.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QHash>
#include <QPainterPath>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace fw
{

namespace
{
// The text without its accelerator marks; `accel` receives the place of the marked character in it
// (-1 when none).
QString StripPrefix(const QString& s, int* accel = nullptr)
{
    QString out;
    out.reserve(s.size());
    if (accel)
        *accel = -1;
    for (int i = 0; i < s.size(); ++i) {
        if (s[i] == u'&' && i + 1 < s.size()) {
            ++i;
            if (accel && *accel < 0 && s[i] != u'&')
                *accel = int(out.size());
        }
        out.append(s[i]);
    }
    return out;
}
// Text shaped once per font and string: glyph runs of one unwrapped line, with that line's ascent.
struct ShapedLine {
    QList<QGlyphRun> Runs;
    qreal Ascent = 0;
};

// Plain text of left-to-right scripts without line or tab characters, in a font without decorations.
bool Shapeable(const QFont& f, const QString& text)
{
    if (text.isEmpty() || f.underline() || f.strikeOut() || f.overline())
        return false;
    for (const QChar ch : text)
        if (ch.unicode() < 0x20 || ch.unicode() >= 0x0590 || ch.unicode() == 0x7F || ch.unicode() == 0xAD)
            return false; // a layout line ending at a soft hyphen shows a hyphen; drawText does not
    return true;
}

const ShapedLine& Shaped(const QFont& f, const QString& text)
{
    thread_local QHash<QFont, QHash<QString, ShapedLine>> cache;
    QHash<QString, ShapedLine>& byText = cache[f];
    auto it = byText.constFind(text);
    if (it != byText.constEnd())
        return *it;
    if (byText.size() >= 1024)
        byText.clear();
    QTextLayout layout(text, f);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(Qt::LeftToRight);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setPosition(QPointF(0, 0));
    layout.endLayout();
    ShapedLine out;
    out.Runs = layout.glyphRuns();
    out.Ascent = line.ascent();
    return *byText.insert(text, std::move(out));
}

// Draws text with its baseline at (x, baseline), as QPainter::drawText(x, baseline, text) does.
void DrawTextLine(QPainter& p, const QFont& f, int x, int baseline, const QString& text)
{
    if (p.layoutDirection() == Qt::RightToLeft || !Shapeable(f, text)) {
        p.drawText(x, baseline, text);
        return;
    }
    const ShapedLine& s = Shaped(f, text);
    for (const QGlyphRun& run : s.Runs)
        p.drawGlyphRun(QPointF(x, baseline - s.Ascent), run);
}
} // namespace

TCanvas::TCanvas(QPainter& painter) : FPainter(painter)
{
    FPainter.setRenderHint(QPainter::Antialiasing, false);
}

void TCanvas::SetRasterOp()
{
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    switch (Pen.Mode) {
    case pmNot:
        mode = QPainter::RasterOp_NotDestination;
        break;
    case pmXor:
        mode = QPainter::RasterOp_SourceXorDestination;
        break;
    case pmNotXor:
        mode = QPainter::RasterOp_NotSourceXorDestination;
        break;
    case pmMerge:
        mode = QPainter::RasterOp_SourceOrDestination;
        break;
    case pmMask:
        mode = QPainter::RasterOp_SourceAndDestination;
        break;
    case pmNotCopy:
        mode = QPainter::RasterOp_NotSource;
        break;
    default:
        break;
    }
    SetCompositionMode(mode);
}

void TCanvas::SetCompositionMode(QPainter::CompositionMode mode)
{
    if (FPainter.compositionMode() != mode)
        FPainter.setCompositionMode(mode);
}

void TCanvas::ApplyPen(bool cosmetic)
{
    if (Pen.Style == psClear || Pen.Mode == pmNop) {
        FPainter.setPen(Qt::NoPen);
        return;
    }
    if (FPenApplied && cosmetic == FAppliedCosmetic && Pen.Color == FAppliedPen.Color &&
        Pen.Width == FAppliedPen.Width && Pen.Style == FAppliedPen.Style && Pen.Mode == FAppliedPen.Mode &&
        FPainter.pen() == FAppliedQPen) {
        SetRasterOp();
        return;
    }
    QColor c = ToQColor(Pen.Color);
    if (Pen.Mode == pmBlack)
        c = Qt::black;
    else if (Pen.Mode == pmWhite)
        c = Qt::white;
    QPen p(c);
    p.setWidth(cosmetic && Pen.Width <= 1 ? 0 : Pen.Width);
    p.setCapStyle(Qt::FlatCap);
    p.setJoinStyle(Qt::MiterJoin);
    switch (Pen.Style) {
    case psDash:
        p.setStyle(Qt::DashLine);
        break;
    case psDot:
    case psAlternate:
        p.setStyle(Qt::DotLine);
        break;
    case psDashDot:
        p.setStyle(Qt::DashDotLine);
        break;
    case psDashDotDot:
        p.setStyle(Qt::DashDotDotLine);
        break;
    default:
        break;
    }
    FPainter.setPen(p);
    FAppliedPen = Pen;
    FAppliedCosmetic = cosmetic;
    FAppliedQPen = p;
    FPenApplied = true;
    SetRasterOp();
}

void TCanvas::ApplyBrush()
{
    if (Brush.Style == bsClear) {
        FPainter.setBrush(Qt::NoBrush);
        return;
    }
    Qt::BrushStyle s = Qt::SolidPattern;
    switch (Brush.Style) {
    case bsHorizontal:
        s = Qt::HorPattern;
        break;
    case bsVertical:
        s = Qt::VerPattern;
        break;
    case bsFDiagonal:
        s = Qt::FDiagPattern;
        break;
    case bsBDiagonal:
        s = Qt::BDiagPattern;
        break;
    case bsCross:
        s = Qt::CrossPattern;
        break;
    case bsDiagCross:
        s = Qt::DiagCrossPattern;
        break;
    default:
        break;
    }
    FPainter.setBrush(QBrush(ToQColor(Brush.Color), s));
}

QRectF TCanvas::OutlineRect(int x1, int y1, int x2, int y2) const
{
    if (x2 < x1)
        std::swap(x1, x2);
    if (y2 < y1)
        std::swap(y1, y2);
    return QRectF(x1, y1, x2 - x1 - 1, y2 - y1 - 1);
}

namespace
{
thread_local TCanvasRecorder* tRecorder = nullptr;
}

TCanvasRecordScope::TCanvasRecordScope(TCanvasRecorder& recorder) : FPrevious(tRecorder)
{
    tRecorder = &recorder;
}

TCanvasRecordScope::~TCanvasRecordScope()
{
    tRecorder = FPrevious;
}

void TCanvas::Trace(const char* name, std::initializer_list<int> args, const QString& text) const
{
    if (!tRecorder)
        return;
    TCanvasOp op;
    op.Name = name;
    op.Args.assign(args);
    op.Text = text;
    op.Pen = Pen;
    op.Brush = Brush;
    op.FontColor = Font.Color();
    tRecorder->Record(op);
}

void TCanvas::MoveTo(int x, int y)
{
    FPenPos = {x, y};
}

void TCanvas::PlotLine(int x0, int y0, int x1, int y1)
{
    const bool solid = Pen.Style != psAlternate && Pen.Style != psDot;
    if (solid && (x0 == x1 || y0 == y1)) {
        // Straight lines as one rectangle (end point left out).
        if (x0 == x1 && y0 == y1)
            return;
        const QRect r = x0 == x1 ? QRect(x0, std::min(y0, y1 + 1), 1, std::abs(y1 - y0))
                                 : QRect(std::min(x0, x1 + 1), y0, std::abs(x1 - x0), 1);
        FPainter.fillRect(r, FPainter.pen().color());
        return;
    }
    // Bresenham, end point left out as GDI does.
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    int n = 0;
    const bool alt = Pen.Style == psAlternate || Pen.Style == psDot;
    thread_local std::vector<QPoint> points;
    points.clear();
    while (!(x0 == x1 && y0 == y1)) {
        if (!alt || (n & 1) == 0)
            points.emplace_back(x0, y0);
        ++n;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
    if (!points.empty())
        FPainter.drawPoints(points.data(), int(points.size()));
}

void TCanvas::LineTo(int x, int y)
{
    Trace("LineTo", {FPenPos.X, FPenPos.Y, x, y});
    ApplyPen();
    if (Pen.Style != psClear && Pen.Mode != pmNop) {
        if (Pen.Width <= 1 && (Pen.Style == psSolid || Pen.Style == psInsideFrame ||
                               Pen.Style == psAlternate || Pen.Style == psDot)) {
            PlotLine(FPenPos.X, FPenPos.Y, x, y);
        } else {
            FPainter.drawLine(FPenPos.X, FPenPos.Y, x, y);
        }
    }
    SetCompositionMode(QPainter::CompositionMode_SourceOver);
    FPenPos = {x, y};
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    Trace("Rectangle", {x1, y1, x2, y2});
    if (x2 < x1)
        std::swap(x1, x2);
    if (y2 < y1)
        std::swap(y1, y2);
    if (Brush.Style != bsClear) {
        FPainter.setPen(Qt::NoPen);
        ApplyBrush();
        // A rectangle without a pen is one pixel smaller; with a pen the outline covers that edge.
        FPainter.drawRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
    }
    if (Pen.Style != psClear && x2 - x1 >= 1 && y2 - y1 >= 1) {
        ApplyPen();
        FPainter.setBrush(Qt::NoBrush);
        if (Pen.Width <= 1)
            FPainter.drawRect(OutlineRect(x1, y1, x2, y2));
        else {
            const double w = Pen.Width;
            FPainter.drawRect(QRectF(x1 + w / 2, y1 + w / 2, x2 - x1 - w, y2 - y1 - w));
        }
        SetCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}

void TCanvas::FillRect(const TRect& r)
{
    Trace("FillRect", {r.Left, r.Top, r.Right, r.Bottom});
    if (r.IsEmpty() || Brush.Style == bsClear)
        return;
    FPainter.setPen(Qt::NoPen);
    ApplyBrush();
    FPainter.drawRect(r.ToQRect()); // without a pen Qt fills exactly the rectangle
}

void TCanvas::FrameRect(const TRect& r)
{
    Trace("FrameRect", {r.Left, r.Top, r.Right, r.Bottom});
    if (r.IsEmpty())
        return;
    const QColor c = ToQColor(Brush.Color);
    FPainter.fillRect(QRect(r.Left, r.Top, r.Width(), 1), c);
    FPainter.fillRect(QRect(r.Left, r.Bottom - 1, r.Width(), 1), c);
    FPainter.fillRect(QRect(r.Left, r.Top, 1, r.Height()), c);
    FPainter.fillRect(QRect(r.Right - 1, r.Top, 1, r.Height()), c);
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int w, int h)
{
    Trace("RoundRect", {x1, y1, x2, y2, w, h});
    ApplyPen();
    ApplyBrush();
    FPainter.drawRoundedRect(OutlineRect(x1, y1, x2, y2), w / 2.0, h / 2.0);
    SetCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    Trace("Ellipse", {x1, y1, x2, y2});
    ApplyPen();
    ApplyBrush();
    FPainter.drawEllipse(OutlineRect(x1, y1, x2, y2));
    SetCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::Polygon(const std::vector<TPoint>& points)
{
    if (tRecorder) {
        std::vector<int> flat;
        for (const auto& p : points) {
            flat.push_back(p.X);
            flat.push_back(p.Y);
        }
        TCanvasOp op;
        op.Name = "Polygon";
        op.Args = std::move(flat);
        op.Pen = Pen;
        op.Brush = Brush;
        op.FontColor = Font.Color();
        tRecorder->Record(op);
    }
    if (points.empty())
        return;
    QPolygon poly;
    for (const auto& p : points)
        poly << QPoint(p.X, p.Y);
    ApplyPen();
    ApplyBrush();
    FPainter.drawPolygon(poly);
    SetCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::Polyline(const std::vector<TPoint>& points)
{
    if (points.empty())
        return;
    MoveTo(points[0].X, points[0].Y);
    for (std::size_t i = 1; i < points.size(); ++i)
        LineTo(points[i].X, points[i].Y);
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    Trace("Arc", {x1, y1, x2, y2, x3, y3, x4, y4});
    const QRectF r = OutlineRect(x1, y1, x2, y2);
    const QPointF c = r.center();
    const double a1 = std::atan2(-(y3 - c.y()), x3 - c.x()) * 180.0 / M_PI;
    const double a2 = std::atan2(-(y4 - c.y()), x4 - c.x()) * 180.0 / M_PI;
    double span = a2 - a1;
    if (span <= 0)
        span += 360;
    ApplyPen();
    FPainter.setBrush(Qt::NoBrush);
    FPainter.drawArc(r, int(std::lround(a1 * 16)), int(std::lround(span * 16)));
    SetCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::DrawFocusRect(const TRect& r)
{
    Trace("DrawFocusRect", {r.Left, r.Top, r.Right, r.Bottom});
    if (r.IsEmpty())
        return;
    // Every other pixel, inverted, so that drawing it twice removes it.
    FPainter.setPen(QPen(Qt::white, 0));
    FPainter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    int n = 0;
    auto dot = [&](int x, int y) {
        if ((n++ & 1) == 0)
            FPainter.drawPoint(x, y);
    };
    for (int x = r.Left; x < r.Right; ++x)
        dot(x, r.Top);
    for (int y = r.Top + 1; y < r.Bottom; ++y)
        dot(r.Right - 1, y);
    for (int x = r.Right - 2; x >= r.Left; --x)
        dot(x, r.Bottom - 1);
    for (int y = r.Bottom - 2; y > r.Top; --y)
        dot(r.Left, y);
    SetCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::TextOut(int x, int y, const QString& text)
{
    Trace("TextOut", {x, y}, text);
    const QFont f = Font.ToQFont();
    const TextMetrics& m = CurrentTextMetrics();
    FPainter.setFont(f);
    const int w = m.Width(f, text), h = m.Height(f);
    FPainter.save();
    FPainter.translate(x, y);
    if (Font.Orientation() != 0)
        FPainter.rotate(-Font.Orientation() / 10.0);
    if (Brush.Style != bsClear)
        FPainter.fillRect(QRect(0, 0, w, h), ToQColor(Brush.Color));
    FPainter.setPen(ToQColor(Font.Color()));
    FPainter.drawText(0, m.Ascent(f), text);
    FPainter.restore();
    FPenPos = {x + w, y};
}

void TCanvas::TextRect(const TRect& r, int x, int y, const QString& text)
{
    FPainter.save();
    FPainter.setClipRect(r.ToQRect(), Qt::IntersectClip);
    TextOut(x, y, text);
    FPainter.restore();
}

int TCanvas::TextWidth(const QString& text) const
{
    return CurrentTextMetrics().Width(Font.ToQFont(), text);
}

int TCanvas::TextHeight(const QString&) const
{
    return CurrentTextMetrics().Height(Font.ToQFont());
}

namespace
{
// DrawText's measure: the text shown (prefix marks taken out, ellipsis added) and its extent in r.
struct TextExtent {
    QString Text, Shown;
    int Width = 0, Height = 0;
    int Accel = -1; // the marked character's place in Text
};

TextExtent MeasureExtent(const QFont& f, const QString& source, const TRect& r, unsigned flags)
{
    TextExtent e;
    e.Text = (flags & DT_NOPREFIX) ? source : StripPrefix(source, &e.Accel);
    e.Shown = e.Text;
    const TextMetrics& m = CurrentTextMetrics();
    if ((flags & DT_SINGLELINE) || !(flags & DT_WORDBREAK)) {
        if (flags & DT_END_ELLIPSIS)
            e.Shown = QFontMetrics(f).elidedText(e.Text, Qt::ElideRight, std::max(0, r.Width()));
        e.Width = m.Width(f, e.Shown);
        e.Height = m.Height(f);
    } else {
        const QRect b = QFontMetrics(f).boundingRect(QRect(0, 0, std::max(1, r.Width()), 100000),
                                                     Qt::TextWordWrap, e.Text);
        e.Width = b.width();
        e.Height = b.height();
    }
    return e;
}
} // namespace

int MeasureText(const TFont& font, const QString& text, TRect& r, unsigned flags)
{
    const TextExtent e = MeasureExtent(font.ToQFont(), text, r, flags);
    r.Right = r.Left + e.Width;
    r.Bottom = r.Top + e.Height;
    return e.Height;
}

int TCanvas::DrawText(const QString& source, TRect& r, unsigned flags)
{
    if (!(flags & DT_CALCRECT))
        Trace("DrawText", {r.Left, r.Top, r.Right, r.Bottom, int(flags)}, source);
    const QFont f = Font.ToQFont();
    const TextMetrics& m = CurrentTextMetrics();
    const TextExtent e = MeasureExtent(f, source, r, flags);
    const QString& text = e.Text;
    const QString& shown = e.Shown;
    const int w = e.Width, h = e.Height;
    const int accel = e.Accel;
    if (flags & DT_CALCRECT) {
        r.Right = r.Left + w;
        r.Bottom = r.Top + h;
        return h;
    }
    int x = r.Left, y = r.Top;
    if (flags & DT_CENTER)
        x = r.Left + (r.Width() - w) / 2;
    else if (flags & DT_RIGHT)
        x = r.Right - w;
    if (flags & DT_SINGLELINE) {
        if (flags & DT_VCENTER)
            y = r.Top + (r.Height() - h) / 2;
        else if (flags & DT_BOTTOM)
            y = r.Bottom - h;
    }
    FPainter.save();
    if (!(flags & DT_NOCLIP))
        FPainter.setClipRect(r.ToQRect(), Qt::IntersectClip);
    FPainter.setFont(f);
    FPainter.setPen(ToQColor(Font.Color()));
    if ((flags & DT_SINGLELINE) || !(flags & DT_WORDBREAK)) {
        // A turned font turns the line about its top-left corner, as TextOut does.
        if (Font.Orientation() != 0) {
            FPainter.translate(x, y);
            FPainter.rotate(-Font.Orientation() / 10.0);
            x = y = 0;
        }
        DrawTextLine(FPainter, f, x, y + m.Ascent(f), shown);
        // The accelerator's character is underlined.
        if (accel >= 0 && accel < shown.size() && shown.left(accel + 1) == text.left(accel + 1)) {
            const int x0 = x + m.Width(f, shown.left(accel)), x1 = x + m.Width(f, shown.left(accel + 1));
            const int thick = std::max(1, QFontMetrics(f).lineWidth());
            FPainter.fillRect(QRect(x0, y + m.Ascent(f) + 1, std::max(1, x1 - x0), thick),
                              ToQColor(Font.Color()));
        }
    } else {
        int align = Qt::TextWordWrap | Qt::AlignTop;
        align |= (flags & DT_CENTER) ? Qt::AlignHCenter : (flags & DT_RIGHT) ? Qt::AlignRight : Qt::AlignLeft;
        if (flags & DT_NOPREFIX)
            FPainter.drawText(r.ToQRect(), align, text);
        else
            FPainter.drawText(r.ToQRect(), align | Qt::TextShowMnemonic, source);
    }
    FPainter.restore();
    return h;
}

TColor TCanvas::Pixel(int x, int y) const
{
    auto* image = dynamic_cast<QImage*>(FPainter.device());
    if (!image)
        return clNone;
    const QPoint p = FPainter.transform().map(QPoint(x, y));
    if (!image->rect().contains(p))
        return clNone;
    return FromQColor(image->pixelColor(p));
}

void TCanvas::SetPixel(int x, int y, TColor c)
{
    Trace("SetPixel", {x, y, int(c)});
    FPainter.save();
    FPainter.setPen(QPen(ToQColor(c), 0));
    FPainter.drawPoint(x, y);
    FPainter.restore();
}

void TCanvas::Draw(int x, int y, const QImage& image)
{
    Trace("Draw", {x, y, image.width(), image.height()});
    if (!image.isNull())
        FPainter.drawImage(x, y, image);
}

void TCanvas::StretchDraw(const TRect& r, const QImage& image)
{
    Trace("StretchDraw", {r.Left, r.Top, r.Right, r.Bottom});
    if (image.isNull() || r.IsEmpty())
        return;
    // An opaque picture stretched on a plain painter is kept per source, size and smoothing once it is
    // drawn a second time, so that a repaint, or a window switched back to a size it had, copies it
    // instead of scaling it again; one drawn once (a first frame) is scaled straight onto the painter.
    const bool plain = FPainter.deviceTransform().type() <= QTransform::TxTranslate;
    if (!plain || image.hasAlphaChannel() || image.paintingActive()) {
        FPainter.drawImage(r.ToQRect(), image);
        return;
    }
    struct Entry {
        qint64 Source;
        QSize Size;
        bool Smooth;
        QImage Stretched;
    };
    thread_local std::vector<Entry> cache;
    const QSize size(r.Width(), r.Height());
    const bool smooth = FPainter.testRenderHint(QPainter::SmoothPixmapTransform);
    auto found = std::find_if(cache.begin(), cache.end(), [&](const Entry& e) {
        return e.Source == image.cacheKey() && e.Size == size && e.Smooth == smooth;
    });
    if (found != cache.end() && !found->Stretched.isNull()) {
        FPainter.drawImage(r.Left, r.Top, found->Stretched);
        return;
    }
    if (found == cache.end()) {
        if (cache.size() >= 16)
            cache.erase(cache.begin());
        cache.push_back({image.cacheKey(), size, smooth, QImage()});
        FPainter.drawImage(r.ToQRect(), image);
        return;
    }
    QImage stretched(size, QImage::Format_RGB32);
    {
        QPainter p(&stretched);
        p.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
        p.drawImage(QRect(QPoint(0, 0), size), image);
    }
    found->Stretched = std::move(stretched);
    FPainter.drawImage(r.Left, r.Top, found->Stretched);
}

QImage MaskedCopy(const QImage& image, TColor key)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb k = ToQColor(key).rgb() & 0xFFFFFF;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0xFFFFFF) == k)
                line[x] = 0;
    }
    return out;
}

void TCanvas::DrawTransparent(const TRect& r, const QImage& image, TColor key)
{
    Trace("DrawTransparent", {r.Left, r.Top, r.Right, r.Bottom, int(key)});
    if (image.isNull() || r.IsEmpty())
        return;
    // The masked copy is kept per source image, key colour and size (the bitmaps rarely change).
    struct Entry {
        qint64 Source;
        TColor Key;
        QSize Size;
        QImage Masked;
    };
    thread_local std::vector<Entry> cache;
    const QSize size(r.Width(), r.Height());
    // A painter still open on the image writes without changing its cache key.
    const bool keep = !image.paintingActive();
    if (keep)
        for (const Entry& e : cache)
            if (e.Source == image.cacheKey() && e.Key == key && e.Size == size) {
                FPainter.drawImage(r.Left, r.Top, e.Masked);
                return;
            }
    QImage src = image;
    if (src.size() != size)
        src = src.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (!keep) {
        FPainter.drawImage(r.Left, r.Top, MaskedCopy(src, key));
        return;
    }
    if (cache.size() >= 32)
        cache.erase(cache.begin());
    cache.push_back({image.cacheKey(), key, size, MaskedCopy(src, key)});
    FPainter.drawImage(r.Left, r.Top, cache.back().Masked);
}

void TCanvas::SetClipRect(const TRect& r)
{
    FPainter.setClipRect(r.ToQRect());
}

void TCanvas::IntersectClipRect(const TRect& r)
{
    FPainter.setClipRect(r.ToQRect(), Qt::IntersectClip);
}

void TCanvas::ResetClip()
{
    FPainter.setClipping(false);
}

} // namespace fw
