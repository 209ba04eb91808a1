#include "controls/panels/SkGraphics.h"

#include <QPainter>
#include <cmath>

namespace sk
{

using namespace fw;

namespace
{

struct Fixed {
    long long r, g, b; // 16.16
    static Fixed Of(TColor c)
    {
        c = ColorToRGB(c);
        return {(long long)GetRValue(c) << 16, (long long)GetGValue(c) << 16, (long long)GetBValue(c) << 16};
    }
    QRgb Rgb() const { return qRgb(int(r >> 16), int(g >> 16), int(b >> 16)); }
};

// Linear run over n pixels from index n-1 (colour a) down to 0 stepping towards b.
void LinearRun(std::vector<QRgb>& out, int from, int to, TColor a, TColor b)
{
    // from > to inclusive, descending
    const int n = from - to + 1;
    if (n <= 0)
        return;
    Fixed cur = Fixed::Of(a);
    const Fixed fb = Fixed::Of(b);
    const long long sr = (fb.r - cur.r) / n, sg = (fb.g - cur.g) / n, sb = (fb.b - cur.b) / n;
    for (int i = from; i >= to; --i) {
        out[std::size_t(i)] = cur.Rgb();
        cur.r += sr;
        cur.g += sg;
        cur.b += sb;
    }
}

std::vector<QRgb> LinearBands(int n, TColor a, TColor b, int centre)
{
    std::vector<QRgb> out(std::size_t(std::max(n, 0)));
    if (n <= 0)
        return out;
    if (centre < 0) {
        LinearRun(out, n - 1, 0, a, b);
    } else {
        LinearRun(out, centre, 0, a, b);
        // from n-1 down to centre+1: starts at b, goes towards a
        LinearRun(out, n - 1, centre + 1, b, a);
    }
    return out;
}

void BoxBands(QImage& img, int w, int h, int e, int f, TColor A, TColor B)
{
    QPainter p(&img);
    if (ColorToRGB(A) == ColorToRGB(B) || w < 5 || h <= 4) {
        p.fillRect(QRect(0, 0, w + 1, h + 1), ToQColor(B));
        return;
    }
    const int cx = (w - 1) >> 1, cy = (h - 1) >> 1;
    const int n = std::max(cx - f, cy - e) + 1;
    Fixed cur = Fixed::Of(A);
    const Fixed fb = Fixed::Of(B);
    const long long sr = (fb.r - cur.r) / n, sg = (fb.g - cur.g) / n, sb = (fb.b - cur.b) / n;
    long long x = (long long)(cx - f) * 65536, y = (long long)(cy - e) * 65536;
    const long long dx = (long long)(cx - f) * 65536 / n, dy = (long long)(cy - e) * 65536 / n;
    int px = cx + 1, py = cy + 1;
    while (true) {
        const QRgb band = cur.Rgb();
        // advance while the colour stays the band's colour
        do {
            cur.r += sr;
            cur.g += sg;
            cur.b += sb;
            x -= dx;
            y -= dy;
        } while (cur.Rgb() == band && !(x < 0 && y < 0));
        const int ix = int(std::max(x, -65536LL) >> 16), iy = int(std::max(y, -65536LL) >> 16);
        const int nx = std::max(ix, 0), ny = std::max(iy, 0);
        const QColor col = QColor::fromRgb(band);
        if (cx + 1 > nx && py > ny)
            p.fillRect(QRect(nx, ny, cx + 1 - nx, py - ny), col);
        if (px > nx && cy + 1 > py)
            p.fillRect(QRect(nx, py, px - nx, cy + 1 - py), col);
        px = nx;
        py = ny;
        if ((x < 0 && y < 0) || (px == 0 && py == 0))
            break;
    }
    // the outermost band reaches B
    (void)fb;
}

void MirrorQuadrant(QImage& img, int w, int h)
{
    const QImage snap = img.copy();
    QPainter p(&img);
    const int hw = w / 2, hh = h / 2;
    // top-left quarter upside down onto the bottom-left
    p.drawImage(QPoint(0, h - hh), snap.copy(0, 0, hw + 1, hh).mirrored(false, true));
    p.end();
    const QImage snap2 = img.copy();
    QPainter q(&img);
    const int half = w - hw;
    q.drawImage(QPoint(w - half, 0), snap2.copy(0, 0, half, h).mirrored(true, false));
}

} // namespace

QImage RenderGradientImage(int w, int h, TGradientDirection dir, TColor start, TColor end)
{
    w = std::abs(w);
    h = std::abs(h);
    if (w == 0 || h == 0)
        return {};
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(ToQColor(start));
    const TColor A = end, B = start;
    switch (dir) {
    case gdHorizontalEnd:
    case gdHorizontalCenter: {
        const auto rows = LinearBands(h, A, B, dir == gdHorizontalCenter ? h / 2 : -1);
        for (int y = 0; y < h; ++y)
            std::fill_n(reinterpret_cast<QRgb*>(img.scanLine(y)), w, rows[std::size_t(y)]);
        break;
    }
    case gdVerticalEnd:
    case gdVerticalCenter: {
        const auto cols = LinearBands(w, A, B, dir == gdVerticalCenter ? w / 2 : -1);
        for (int y = 0; y < h; ++y)
            std::copy(cols.begin(), cols.end(), reinterpret_cast<QRgb*>(img.scanLine(y)));
        break;
    }
    case gdHorizontalBox:
        BoxBands(img, w, h, 0, w >> 2, A, B);
        MirrorQuadrant(img, w, h);
        break;
    case gdVerticalBox:
        BoxBands(img, w, h, h >> 2, 0, A, B);
        MirrorQuadrant(img, w, h);
        break;
    case gdSquareBox:
        BoxBands(img, w, h, 0, 0, A, B);
        MirrorQuadrant(img, w, h);
        break;
    case gdBigSquareBox:
        BoxBands(img, w, h, h >> 2, w >> 2, A, B);
        MirrorQuadrant(img, w, h);
        break;
    case gdDiagonalUp:
    case gdDiagonalDown: {
        if (ColorToRGB(start) == ColorToRGB(end))
            break;
        // Start colour at the bottom-left (up) or top-left (down) corner, end colour at the opposite one.
        const Fixed a = Fixed::Of(start), b = Fixed::Of(end);
        const double len = double(w - 1) * (w - 1) + double(h - 1) * (h - 1);
        for (int y = 0; y < h; ++y) {
            auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            const int vy = dir == gdDiagonalUp ? (h - 1 - y) : y;
            for (int x = 0; x < w; ++x) {
                const double t = len > 0 ? (double(x) * (w - 1) + double(vy) * (h - 1)) / len : 0;
                auto ch = [t](long long s, long long e) { return int((s + (long long)((e - s) * t)) >> 16); };
                line[x] = qRgb(ch(a.r, b.r), ch(a.g, b.g), ch(a.b, b.b));
            }
        }
        break;
    }
    }
    return img;
}

void RenderGradientBitmap(TCanvas& c, TRect r, TGradientDirection dir, TColor start, TColor end, int)
{
    const QImage img = RenderGradientImage(r.Width(), r.Height(), dir, start, end);
    if (!img.isNull())
        c.Draw(std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), img);
}

void GradientFillRect(TCanvas& c, TRect r, TGradientDirection dir, TColor start, TColor end, int steps)
{
    if (r.IsEmpty())
        return;
    if (dir == gdHorizontalEnd || dir == gdVerticalEnd) {
        // the framework's two-colour fill: start at the top (left), end at the bottom (right)
        const TColor s = ColorToRGB(start), e = ColorToRGB(end);
        const int n = dir == gdHorizontalEnd ? r.Height() : r.Width();
        QPainter& p = c.Painter();
        for (int i = 0; i < n; ++i) {
            const double t = n > 1 ? double(i) / (n - 1) : 0;
            auto ch = [t](int a, int b) { return int(a + (b - a) * t + 0.5); };
            const QColor col(ch(GetRValue(s), GetRValue(e)), ch(GetGValue(s), GetGValue(e)),
                             ch(GetBValue(s), GetBValue(e)));
            if (dir == gdHorizontalEnd)
                p.fillRect(QRect(r.Left, r.Top + i, r.Width(), 1), col);
            else
                p.fillRect(QRect(r.Left + i, r.Top, 1, r.Height()), col);
        }
        return;
    }
    RenderGradientBitmap(c, r, dir, start, end, steps);
}

void PaintGradientRim(TCanvas& c, TRect r, TGradientDirection dir, TColor start, TColor end)
{
    if (!ScreenHasFullColor() || r.IsEmpty())
        return;
    QPainter& p = c.Painter();
    p.save();
    QRegion clip(r.ToQRect());
    TRect inner = r;
    InflateRect(inner, -2, -2);
    if (!inner.IsEmpty())
        clip -= QRegion(inner.ToQRect());
    p.setClipRegion(clip, Qt::IntersectClip);
    GradientFillRect(c, r, dir, start, end, 1);
    p.restore();
}

void CopyTransparentPart(TCanvas& c, const QImage& bmp, TRect d, TColor key, TRect s)
{
    if (bmp.isNull() || d.IsEmpty())
        return;
    s = IntersectRect(s, Rect(0, 0, bmp.width(), bmp.height()));
    if (s.IsEmpty())
        return;
    // The whole bitmap goes as it is, so that the canvas can reuse its masked copy.
    const bool whole = s == Rect(0, 0, bmp.width(), bmp.height());
    c.DrawTransparent(d, whole ? bmp : bmp.copy(s.ToQRect()), key);
}

void StretchTransparentPart(TCanvas& c, const QImage& bmp, TRect d, TColor key, TRect s)
{
    CopyTransparentPart(c, bmp, d, key, s);
}

void DrawTransparentBitmap(TCanvas& c, const QImage& bmp, TRect d, TColor key)
{
    CopyTransparentPart(c, bmp, d, key, Rect(0, 0, bmp.width(), bmp.height()));
}

void TileTransparentBitmap(TCanvas& c, const QImage& bmp, TRect d, TColor key)
{
    if (bmp.isNull() || d.IsEmpty())
        return;
    const int bw = bmp.width(), bh = bmp.height();
    for (int y = d.Top; y < d.Bottom; y += bh)
        for (int x = d.Left; x < d.Right; x += bw) {
            const int w = std::min(bw, d.Right - x), h = std::min(bh, d.Bottom - y);
            CopyTransparentPart(c, bmp, Bounds(x, y, w, h), key, Rect(0, 0, w, h));
        }
}

void PaintParentBackground(const QWidget* control, QImage& target)
{
    if (!control || !control->parentWidget() || target.isNull())
        return;
    if (!target.hasAlphaChannel())
        target = target.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&target);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(QRect(0, 0, control->width(), control->height()), Qt::transparent);
}

} // namespace sk
