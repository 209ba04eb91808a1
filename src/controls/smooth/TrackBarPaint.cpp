// Drawing of the fader: background, label, slider, ticks, thumb, step buttons, rating pictures.
#include "controls/smooth/TrackBar.h"

#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <initializer_list>
#include <utility>
#include <vector>

namespace fx
{

using namespace fw;
using gp::Round;
using trackgeom::Absent;
using trackgeom::kAbsent;

namespace
{

void FillSolid(TCanvas& c, const TRect& r, TColor color)
{
    if (r.IsEmpty())
        return;
    c.Painter().fillRect(r.ToQRect(), ToQColor(color));
}

gp::TGPRectF F(const TRect& r)
{
    return {gp::REAL(r.Left), gp::REAL(r.Top), gp::REAL(r.Width()), gp::REAL(r.Height())};
}

// A convex polygon with every edge moved inward by d pixels; empty when the polygon is too small
// for it (an edge would turn round).
QPolygonF InsetConvex(const QPolygonF& poly, double d)
{
    const int n = int(poly.size());
    if (n < 3)
        return {};
    QPointF centre;
    for (const QPointF& q : poly)
        centre += q;
    centre /= n;
    struct Line {
        QPointF at, dir;
    };
    std::vector<Line> lines;
    for (int i = 0; i < n; ++i) {
        const QPointF a = poly[i], b = poly[(i + 1) % n];
        const QPointF e = b - a;
        const double len = std::hypot(e.x(), e.y());
        if (len < 1e-9)
            continue;
        QPointF normal(-e.y() / len, e.x() / len);
        if (QPointF::dotProduct(centre - a, normal) < 0)
            normal = -normal;
        lines.push_back({a + normal * d, e / len});
    }
    const int m = int(lines.size());
    if (m < 3)
        return {};
    QPolygonF out;
    for (int i = 0; i < m; ++i) {
        const Line& l1 = lines[(i + m - 1) % m];
        const Line& l2 = lines[i];
        const double cross = l1.dir.x() * l2.dir.y() - l1.dir.y() * l2.dir.x();
        if (std::abs(cross) < 1e-9) {
            out << l2.at;
            continue;
        }
        const QPointF w = l2.at - l1.at;
        const double t = (w.x() * l2.dir.y() - w.y() * l2.dir.x()) / cross;
        out << l1.at + l1.dir * t;
    }
    for (int i = 0; i < m; ++i)
        if (QPointF::dotProduct(out[(i + 1) % m] - out[i], lines[i].dir) <= 0)
            return {};
    return out;
}

void CreateRoundRectPath(gp::TGPGraphicsPath& path, gp::TGPRectF r, gp::REAL radius)
{
    const gp::REAL d = radius * 2;
    if (d <= 0) {
        path.AddRectangle(r);
        return;
    }
    path.AddArc(r.X, r.Y, d, d, 180, 90);
    path.AddArc(r.X + r.Width - d, r.Y, d, d, 270, 90);
    path.AddArc(r.X + r.Width - d, r.Y + r.Height - d, d, d, 0, 90);
    path.AddArc(r.X, r.Y + r.Height - d, d, d, 90, 90);
    path.CloseFigure();
}

void DrawRoundRectOutline(gp::TGPGraphics& g, gp::TGPRectF r, gp::REAL radius, TColor color)
{
    gp::TGPGraphicsPath path;
    CreateRoundRectPath(path, r, radius);
    gp::TGPPen pen(gp::OpaqueArgbFromColor(color), 1);
    g.DrawPath(&pen, &path);
}

void FillGlowHalf(gp::TGPGraphics& g, gp::TGPRectF r, TColor a, bool upper, TGDIPGradient gradient, TColor b)
{
    if (r.Width <= 0 || r.Height <= 0)
        return;
    if (gradient == ggRadial) {
        gp::TGPSolidBrush solid(gp::OpaqueArgbFromColor(upper ? a : b));
        g.FillRectangle(&solid, r);
        gp::TGPGraphicsPath ellipse;
        gp::TGPRectF e = r;
        if (upper)
            e.Y -= r.Height / 2 - 2;
        ellipse.AddEllipse(e);
        gp::TGPPathGradientBrush brush(&ellipse);
        brush.SetCenterPoint({r.X + r.Width / 2, upper ? r.Y : r.Y + r.Height});
        brush.SetCenterColor(gp::OpaqueArgbFromColor(upper ? b : a));
        gdip::ARGB surround = gp::OpaqueArgbFromColor(upper ? a : b);
        int n = 1;
        brush.SetSurroundColors(&surround, n);
        g.FillRectangle(&brush, r);
        return;
    }
    const gdip::LinearGradientMode mode = gradient == ggVertical ? gdip::LinearGradientModeVertical
                                          : gradient == ggDiagonalForward
                                              ? gdip::LinearGradientModeForwardDiagonal
                                              : gdip::LinearGradientModeBackwardDiagonal;
    gp::TGPLinearGradientBrush brush(r, gp::OpaqueArgbFromColor(a), gp::OpaqueArgbFromColor(b), mode);
    g.FillRectangle(&brush, r);
}

void DrawShapeBorder(gp::TGPGraphics& g, gp::TGPRectF r, int shape, TColor border, TColor light)
{
    const gp::REAL side = std::min(r.Width, r.Height);
    const gp::TGPRectF sq{r.X + (r.Width - side) / 2, r.Y + (r.Height - side) / 2, side, side};
    if (light != clNone) {
        gp::TGPPen pen(gp::OpaqueArgbFromColor(light));
        if (shape == 0)
            g.DrawEllipse(&pen, sq);
        else
            g.DrawRectangle(&pen, r);
    }
    if (border != clNone) {
        gp::TGPPen pen(gp::OpaqueArgbFromColor(border));
        if (shape == 0)
            g.DrawEllipse(&pen, {sq.X + 1, sq.Y + 1, sq.Width - 2, sq.Height - 2});
        else
            g.DrawRectangle(&pen, r);
    }
}

void DrawMirrorGradient(gp::TGPGraphics& g, gp::TGPRectF r, TGDIPGradient gradientMirror,
                        TGDIPGradient gradient, TColor mirrorTo, TColor mirror, TColor colorTo, TColor color,
                        TColor border, TColor light, int shape)
{
    g.SetSmoothingMode(gdip::SmoothingModeAntiAlias);
    if (color != clNone && colorTo != clNone && mirror != clNone && mirrorTo != clNone) {
        const int h = int(r.Height);
        const gp::REAL midTop = r.Y + h / 2 - 1;
        FillGlowHalf(g, {r.X, midTop, r.Width, r.Y + r.Height - midTop}, mirrorTo, false, gradientMirror,
                     mirror);
        FillGlowHalf(g, {r.X, r.Y, r.Width, gp::REAL(h - h / 2 + 1)}, color, true, gradient, colorTo);
    }
    DrawShapeBorder(g, r, shape, border, light);
}
} // namespace

// ---- shared GDI routines ----

TColor TCustomTrackBar::BlendColors(TColor A, TColor B, int P)
{
    if (P >= 100)
        return A;
    if (P <= 0)
        return B;
    const TColor a = ColorToRGB(A), b = ColorToRGB(B);
    const double f = P / 100.0;
    auto ch = [&](int ca, int cb) { return Round(f * ca + (1 - f) * cb); };
    return RGB(ch(GetRValue(a), GetRValue(b)), ch(GetGValue(a), GetGValue(b)),
               ch(GetBValue(a), GetBValue(b)));
}

namespace
{
// A band gradient drawn once into an image of the bands' extent, kept per colours, size and steps.
struct BandKey {
    TColor From, To;
    bool Horizontal;
    int Width, Height, Steps;
    bool operator==(const BandKey&) const = default;
};
size_t qHash(const BandKey& k, size_t seed = 0)
{
    return qHashMulti(seed, k.From, k.To, k.Horizontal, k.Width, k.Height, k.Steps);
}
struct BandImage {
    QImage Image;
    QPoint Offset; // of the image's top left from the gradient rectangle's
};

template <class Fill> void ForEachBand(TColor f, TColor t, bool Horizontal, TRect R, int Steps, Fill fill)
{
    if (Horizontal)
        R.Right -= 1;
    else
        R.Bottom -= 1;
    const int length = Horizontal ? R.Width() : R.Height();
    const double d = double(length) / Steps;
    for (int n = 0; n < Steps; ++n) {
        const TColor c = RGB(GetRValue(f) + Round(double(n) * (GetRValue(t) - GetRValue(f)) / Steps),
                             GetGValue(f) + Round(double(n) * (GetGValue(t) - GetGValue(f)) / Steps),
                             GetBValue(f) + Round(double(n) * (GetBValue(t) - GetBValue(f)) / Steps));
        const int start = Round(n * d), len = Round(d) + 1;
        const TRect band = Horizontal ? TRect{R.Left + start, R.Top, R.Left + start + len, R.Bottom}
                                      : TRect{R.Left, R.Top + start, R.Right, R.Top + start + len};
        if (!band.IsEmpty())
            fill(band, c);
    }
}

const BandImage& CachedBands(const BandKey& k)
{
    thread_local QHash<BandKey, BandImage> cache;
    auto it = cache.constFind(k);
    if (it != cache.constEnd())
        return *it;
    if (cache.size() >= 64)
        cache.clear();
    const TRect R{0, 0, k.Width, k.Height};
    QRect extent;
    ForEachBand(k.From, k.To, k.Horizontal, R, k.Steps,
                [&](const TRect& b, TColor) { extent |= b.ToQRect(); });
    BandImage out;
    if (!extent.isEmpty()) {
        out.Image = QImage(extent.size(), QImage::Format_ARGB32_Premultiplied);
        out.Image.fill(Qt::transparent);
        out.Offset = extent.topLeft();
        QPainter p(&out.Image);
        p.translate(-extent.topLeft());
        ForEachBand(k.From, k.To, k.Horizontal, R, k.Steps,
                    [&](const TRect& b, TColor c) { p.fillRect(b.ToQRect(), ToQColor(c)); });
    }
    return *cache.insert(k, std::move(out));
}
} // namespace

void TCustomTrackBar::DrawBandGradient(TCanvas& Canvas, TColor From, TColor To, bool Horizontal, TRect R,
                                       int Steps)
{
    if (Steps <= 0)
        Steps = 1;
    const BandImage& bands =
        CachedBands({ColorToRGB(From), ColorToRGB(To), Horizontal, R.Width(), R.Height(), Steps});
    if (!bands.Image.isNull())
        Canvas.Painter().drawImage(R.Left + bands.Offset.x(), R.Top + bands.Offset.y(), bands.Image);
}

void TCustomTrackBar::DrawDirectionalGradient(TCanvas& Canvas, TColor From, TColor To,
                                              TGradientDirection Direction, TRect R, int Steps)
{
    switch (Direction) {
    case gdHorizontal:
        DrawBandGradient(Canvas, From, To, true, R, Steps);
        break;
    case gdVertical:
        DrawBandGradient(Canvas, From, To, false, R, Steps);
        break;
    case gdHorizontalInOut: {
        const TRect a{R.Left, R.Top, R.Left + R.Width() / 2, R.Bottom};
        const TRect b{a.Right - 1, R.Top, R.Right, R.Bottom};
        DrawBandGradient(Canvas, From, To, true, a, Steps);
        DrawBandGradient(Canvas, To, From, true, b, Steps);
        break;
    }
    case gdVerticalInOut: {
        const TRect a{R.Left, R.Top, R.Right, R.Top + R.Height() / 2};
        const TRect b{R.Left, a.Bottom - 1, R.Right, R.Bottom};
        DrawBandGradient(Canvas, From, To, false, a, Steps);
        DrawBandGradient(Canvas, To, From, false, b, Steps);
        break;
    }
    }
}

void TCustomTrackBar::Draw3DFrame(TCanvas& Canvas, TRect R, bool Raised, TColor Light, TColor Dark)
{
    Canvas.Pen.Style = psSolid;
    Canvas.Pen.Width = 1;
    Canvas.Pen.Color = Raised ? Dark : Light;
    if (R.Height() > 2) {
        Canvas.MoveTo(R.Left, R.Top);
        Canvas.LineTo(R.Left, R.Bottom);
    }
    Canvas.MoveTo(R.Left, R.Top);
    Canvas.LineTo(R.Right, R.Top);
    Canvas.MoveTo(R.Right - 2, R.Top);
    Canvas.LineTo(R.Right - 2, R.Bottom - 2);
    Canvas.LineTo(R.Left, R.Bottom - 2);
    Canvas.Pen.Color = Raised ? Light : Dark;
    Canvas.MoveTo(R.Left + 1, R.Bottom - 1);
    Canvas.LineTo(R.Right - 1, R.Bottom - 1);
    Canvas.LineTo(R.Right - 1, R.Top - 1);
    Canvas.MoveTo(R.Left + 1, R.Bottom - 1);
    Canvas.LineTo(R.Left + 1, R.Top + 1);
    Canvas.LineTo(R.Right - 2, R.Top + 1);
}

void TCustomTrackBar::DrawDottedFrame(TCanvas& Canvas, TRect R, TColor Color)
{
    Canvas.Pen.Color = Color;
    Canvas.Pen.Width = 1;
    Canvas.Pen.Style = psAlternate;
    Canvas.MoveTo(R.Left, R.Top);
    Canvas.LineTo(R.Right, R.Top);
    Canvas.LineTo(R.Right, R.Bottom);
    Canvas.LineTo(R.Left, R.Bottom);
    Canvas.LineTo(R.Left, R.Top);
    Canvas.Pen.Style = psSolid;
}

// ---- paint ----

void TCustomTrackBar::Paint(TCanvas& Canvas)
{
    // The parent shows through on its own: the widget paints no background of its own.
    DrawBackground(Canvas);
    if (IsRatingMode()) {
        DrawRateImages(Canvas);
        return;
    }
    DrawTrackLabel(Canvas);
    DrawSlider(Canvas);
    DrawTicks(Canvas);
    DrawThumb(Canvas);
    DrawButtons(Canvas);
    if (Focused() && FShowFocus)
        DrawDottedFrame(Canvas, {0, 0, Width() - 1, Height() - 1}, clBlack);
}

void TCustomTrackBar::DrawBackground(TCanvas& Canvas)
{
    const bool enabled = isEnabled();
    const TGDIPPicture& pic = enabled || FIBackGroundDisabled.Empty() ? FIBackGround : FIBackGroundDisabled;
    const TColor border = enabled ? FBorderColor : FBorderColorDisabled;
    const TColor c1 = enabled ? Color() : FColorDisabled;
    const TColor c2 = enabled ? FColorTo : FColorDisabledTo;
    if (!pic.Empty()) {
        if (FBackGroundStretched)
            pic.Draw(Canvas, ClientRect());
        else
            pic.DrawAt(Canvas, 0, 0);
    } else if (!FTransparent) {
        if (c1 != clNone && c2 != clNone)
            DrawDirectionalGradient(Canvas, c1, c2, FDirection, ClientRect(), 80);
        else if (c1 != clNone || c2 != clNone)
            FillSolid(Canvas, ClientRect(), c1 != clNone ? c1 : c2);
    }
    if (border != clNone && FBorderWidth >= 1) {
        Canvas.Brush.Style = bsClear;
        Canvas.Pen.Color = border;
        Canvas.Pen.Width = FBorderWidth;
        Canvas.Rectangle(ClientRect());
        Canvas.Pen.Width = 1;
        Canvas.Brush.Style = bsSolid;
    }
}

void TCustomTrackBar::DrawTrackLabel(TCanvas& Canvas)
{
    if (!FTrackLabel->Visible())
        return;
    const QString text = TrackLabelText();
    Canvas.Font.Assign(FTrackLabel->Font());
    Canvas.Brush.Style = bsClear;
    if (Vertical()) {
        const TRect r = GetTrackLabelRect(true);
        Canvas.Font.SetOrientation(900); // reads upward
        Canvas.TextOut(r.Left + 3, r.Top, text);
    } else {
        TRect r = GetTrackLabelRect(false);
        const TLabelPosition p = FTrackLabel->Position();
        unsigned flags = DT_SINGLELINE;
        if (p == lpTopLeft || p == lpBottomLeft)
            flags |= DT_LEFT;
        else if (p == lpTopRight || p == lpBottomRight)
            flags |= DT_RIGHT;
        else
            flags |= DT_CENTER;
        flags |= p >= lpBottomCenter ? DT_BOTTOM : DT_VCENTER;
        Canvas.DrawText(text, r, flags);
    }
    Canvas.Brush.Style = bsSolid;
}

namespace
{

// A gradient where both colours are set, a solid fill where one is.
void FillSliderPart(TCanvas& c, const TTrackBarSlider& s, const TRect& r, TColor a, TColor b)
{
    if (Absent(r) || r.IsEmpty())
        return;
    if (a != clNone && b != clNone)
        TCustomTrackBar::DrawDirectionalGradient(c, a, b, s.Direction(), r, s.Steps());
    else if (a != clNone || b != clNone)
        FillSolid(c, r, a != clNone ? a : b);
}

} // namespace

void TCustomTrackBar::SplitSliderAtThumb(const TRect& S, TRect& done, TRect& rest) const
{
    done = kAbsent;
    rest = S;
    const TRect thumb = GetThumbRect();
    if (FPosition == FMin) {
        done = kAbsent;
    } else if (FPosition == FMax) {
        done = S;
        rest = kAbsent;
    } else if (Vertical()) {
        const int m = thumb.Top + FThumb->Width() / 2;
        done = {S.Left, m, S.Right, S.Bottom};
        rest = {S.Left, S.Top, S.Right, m + 1};
    } else {
        const int m = thumb.Left + FThumb->Width() / 2;
        done = {S.Left, S.Top, m, S.Bottom};
        rest = {m - 1, S.Top, S.Right, S.Bottom};
    }
}

void TCustomTrackBar::FillRoundedSlider(TCanvas& Canvas, const TRect& S, const TRect& done, const TRect& rest,
                                        const TColor (&colors)[4])
{
    // Filled in a slider-sized image: a path clip on a window-sized device costs a pass over its height.
    if (S.IsEmpty())
        return;
    QImage img(S.Width(), S.Height(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter ip(&img);
    TCanvas ic(ip);
    ip.translate(-S.Left, -S.Top);
    QPainterPath clip;
    clip.addRoundedRect(S.ToQRect(), 3.5, 3.5);
    ip.setClipPath(clip);
    FillSliderPart(ic, *FSlider, done, colors[0], colors[1]);
    FillSliderPart(ic, *FSlider, rest, colors[2], colors[3]);
    ip.end();
    Canvas.Painter().drawImage(S.Left, S.Top, img);
}

void TCustomTrackBar::DrawSliderPicture(TCanvas& Canvas, const TRect& S, const TRect& r,
                                        const TGDIPPicture& pp)
{
    if (Absent(r) || pp.Empty() || r.Left <= 0 || r.Right <= 0)
        return;
    if (FSlider->PictureStretched()) {
        pp.Draw(Canvas, r);
    } else {
        QPainter& p = Canvas.Painter();
        p.save();
        p.setClipRect(r.ToQRect(), Qt::IntersectClip);
        pp.DrawAt(Canvas, S.Left, S.Top);
        p.restore();
    }
}

void TCustomTrackBar::DrawSliderBorder(TCanvas& Canvas, const TRect& S, TColor border)
{
    const TTrackBarSlider& s = *FSlider;
    if (s.Rounded()) {
        gp::TGPGraphics g(Canvas.Painter());
        g.SetSmoothingMode(gdip::SmoothingModeAntiAlias);
        DrawRoundRectOutline(g, F(S), 3.5f, border);
        if (s.Border3D()) {
            TRect in = S;
            InflateRect(in, -1, -1);
            DrawRoundRectOutline(g, F(in), 3.5f, clWhite);
        }
    } else if (s.Border3D()) {
        Draw3DFrame(Canvas, S, true, BlendColors(border, clWhite, 10), border);
    } else {
        Canvas.Brush.Style = bsClear;
        Canvas.Pen.Color = border;
        Canvas.Rectangle(S);
        Canvas.Brush.Style = bsSolid;
    }
}

void TCustomTrackBar::DrawSlider(TCanvas& Canvas)
{
    if (IsRatingMode() || FSlider->Size() <= 0 || !FSlider->Visible())
        return;
    const bool enabled = isEnabled();
    const TTrackBarSlider& s = *FSlider;
    const TGDIPPicture& pic = enabled || s.PictureDisabled().Empty() ? s.Picture() : s.PictureDisabled();
    const TGDIPPicture& picDone = enabled ? s.PictureCompleted() : s.PictureCompletedDisabled();
    const TColor border = enabled ? s.BorderColor() : s.BorderColorDisabled();
    // The completed part's two colours, then the rest's.
    const TColor colors[4] = {enabled ? s.ColorCompleted() : s.ColorCompletedDisabled(),
                              enabled ? s.ColorCompletedTo() : s.ColorCompletedDisabledTo(),
                              enabled ? s.Color() : s.ColorDisabled(),
                              enabled ? s.ColorTo() : s.ColorDisabledTo()};
    const TRect S = GetSliderRect();
    TRect done = kAbsent, rest = S;
    if (colors[0] != clNone || !picDone.Empty())
        SplitSliderAtThumb(S, done, rest);
    QPainter& p = Canvas.Painter();
    p.save();
    if (s.Rounded() && pic.Empty()) {
        FillRoundedSlider(Canvas, S, done, rest, colors);
    } else if (pic.Empty()) {
        FillSliderPart(Canvas, s, done, colors[0], colors[1]);
        FillSliderPart(Canvas, s, rest, colors[2], colors[3]);
    } else {
        DrawSliderPicture(Canvas, S, done, picDone);
        DrawSliderPicture(Canvas, S, rest, pic);
    }
    p.restore();
    if (border != clNone)
        DrawSliderBorder(Canvas, S, border);
}

void TCustomTrackBar::DrawTickLine(TCanvas& Canvas, const TRect& R, int side, int along, int length,
                                   TColor color, int value)
{
    const TTrackBarTick& tm = *FTickMark;
    Canvas.Pen.Color = color;
    Canvas.Pen.Style = psSolid;
    if (FImages && FImages->Count() > 0) {
        // Where the line would start, centred on the tick.
        const int index = value < FImages->Count() ? value : 0;
        const int half = FImages->Height() / 2;
        if (Vertical())
            FImages->Draw(Canvas, side == 0 ? R.Left : R.Right - length, along - half, index, isEnabled());
        else
            FImages->Draw(Canvas, along - half, side == 0 ? R.Top : R.Bottom - length, index, isEnabled());
    } else if (Vertical()) {
        const int x0 = side == 0 ? R.Left : R.Right - length;
        Canvas.MoveTo(x0, along);
        Canvas.LineTo(x0 + length, along);
        if (tm.Line3D()) {
            Canvas.Pen.Color = BlendColors(color, clWhite, 10);
            Canvas.MoveTo(x0, along - 1);
            Canvas.LineTo(x0 + length, along - 1);
        }
    } else {
        const int y0 = side == 0 ? R.Top : R.Bottom - length;
        Canvas.MoveTo(along, y0);
        Canvas.LineTo(along, y0 + length);
        if (tm.Line3D()) {
            Canvas.Pen.Color = BlendColors(color, clWhite, 10);
            Canvas.MoveTo(along + 1, y0);
            Canvas.LineTo(along + 1, y0 + length);
        }
    }
}

void TCustomTrackBar::DrawTickText(TCanvas& Canvas, const TRect& R, int side, int along, const QString& text,
                                   TColor textColor)
{
    const TTrackBarTick& tm = *FTickMark;
    Canvas.Brush.Style = bsClear;
    Canvas.Font.SetColor(textColor);
    const int tw = Canvas.TextWidth(text);
    if (Vertical()) {
        if (side == 0) {
            if (tm.RotateFontVert()) {
                Canvas.Font.SetOrientation(-2700 + 3600);
                Canvas.TextOut(R.Left + FTickTextOffset - FTextHeight, along + tw / 2, text);
            } else {
                Canvas.TextOut(R.Left - tw - FTickTextOffset, along - FTextHeight / 2, text);
            }
        } else {
            if (tm.RotateFontVert()) {
                Canvas.Font.SetOrientation(-900);
                Canvas.TextOut(R.Right + FTextHeight, along - tw / 2, text);
            } else {
                Canvas.TextOut(R.Left + tm.Size() + FTickTextOffset, along - FTextHeight / 2, text);
            }
        }
        Canvas.Font.SetOrientation(0);
    } else if (side == 0) {
        Canvas.TextOut(along - tw / 2, R.Top + FTickTextOffset - FTextHeight, text);
    } else {
        Canvas.TextOut(along - tw / 2, R.Bottom + FTickTextOffset, text);
    }
    Canvas.Brush.Style = bsSolid;
}

void TCustomTrackBar::DrawTick(TCanvas& Canvas, const TRect& R, int side, int value, int offset)
{
    const TTrackBarTick& tm = *FTickMark;
    const TTickMark pos = side == 0 ? tmTopLeft : tmBottomRight;
    int length = tm.Size();
    TColor color = isEnabled() ? tm.Color() : tm.ColorDisabled();
    TColor textColor = tm.Font().Color();
    QString text = tm.ShowText() ? QString::number(value) : QString();
    if (tm.ShowText() && OnGetTickMarkText)
        OnGetTickMarkText(this, value, text);
    bool defaultDraw = true;
    const int along = Vertical() ? R.Bottom - offset : R.Left + offset;
    TPoint loc = Vertical() ? TPoint{side == 0 ? R.Left : R.Right - length, along}
                            : TPoint{along, side == 0 ? R.Top : R.Bottom - length};
    if (OnDrawTick)
        OnDrawTick(this, Canvas, loc, value, pos, length, color, textColor, text, defaultDraw);
    if (tm.ShowImageAtThumbOnly() && value != FPosition)
        defaultDraw = false;
    if (tm.ShowImageAtSteps() > 1 && value % tm.ShowImageAtSteps() != 0)
        defaultDraw = false;
    if (!defaultDraw)
        return;
    DrawTickLine(Canvas, R, side, along, length, color, value);
    if (tm.ShowText() && !text.isEmpty())
        DrawTickText(Canvas, R, side, along, text, textColor);
}

void TCustomTrackBar::DrawTicks(TCanvas& Canvas)
{
    const TTrackBarTick& tm = *FTickMark;
    if (IsRatingMode() || tm.Size() <= 0 || tm.Style() != tsAuto)
        return;
    TRect T1 = GetTopLeftTickRect(), T2 = GetBottomRightTickRect();
    // The last value drawn: Max, unless ticks would be denser than the pixels allow.
    int last = FMax;
    const TRect& ref = tm.Position() == tmTopLeft ? T1 : T2;
    if (!OnDrawTick && !tm.ShowText() && !Absent(ref)) {
        const int limit = (std::max(Width(), Height()) - 2 * (Vertical() ? ref.Top : ref.Left)) / 2;
        if (FMax >= limit)
            last = limit; // the pixel limit compares values with pixels, as the fader always did
    }
    if (tm.ShowText()) {
        if (!Absent(T1)) {
            if (Vertical())
                T1.Left += FTextHeight;
            else
                T1.Top += FTextHeight;
        }
        if (!Absent(T2)) {
            if (Vertical())
                T2.Right -= FTextHeight;
            else
                T2.Bottom -= FTextHeight;
        }
    }
    const double scale = last == FMin ? 0.0 : double(TrackLength() - GetThumbLength()) / double(last - FMin);
    int prev = -100;
    Canvas.Font.Assign(tm.Font());
    for (int i = FMin; i <= last; ++i) {
        const int d = int(scale * (i - FMin));
        if (!OnDrawTick && d - prev < 2)
            continue;
        prev = d;
        if (!Absent(T1))
            DrawTick(Canvas, T1, 0, i, d);
        if (!Absent(T2))
            DrawTick(Canvas, T2, 1, i, d);
    }
}

namespace
{

// The colours of the thumb in one state.
struct ThumbColors {
    TColor border, c, cTo, m, mTo;
};

// The colours and picture of the thumb when pressed, hot or disabled; the normal ones otherwise.
ThumbColors ThumbStateColors(const TTrackBarThumb& t, bool down, bool hot, bool enabled,
                             const TGDIPPicture*& pic)
{
    ThumbColors k{t.BorderColor(), t.Color(), t.ColorTo(), t.ColorMirror(), t.ColorMirrorTo()};
    pic = &t.Picture();
    if (down) {
        k = {t.BorderColorDown(), t.ColorDown(), t.ColorDownTo(), t.ColorMirrorDown(), t.ColorMirrorDownTo()};
        if (!t.PictureDown().Empty())
            pic = &t.PictureDown();
    } else if (hot) {
        k = {t.BorderColorHot(), t.ColorHot(), t.ColorHotTo(), t.ColorMirrorHot(), t.ColorMirrorHotTo()};
        if (!t.PictureHot().Empty())
            pic = &t.PictureHot();
    }
    if (!enabled) {
        k = {t.BorderColorDisabled(), t.ColorDisabled(), t.ColorDisabledTo(), t.ColorMirrorDisabled(),
             t.ColorMirrorDisabledTo()};
        if (!t.PictureDisabled().Empty())
            pic = &t.PictureDisabled();
    }
    return k;
}

// The pointer thumb: pointed towards each side that has ticks.
QPolygon PointerPolygon(const TRect& R, bool vertical, bool tl, bool br)
{
    QPolygon poly;
    const int L = R.Left, T = R.Top, Rt = R.Right - 1, B = R.Bottom - 1;
    if (vertical) {
        const int h = (B - T) / 2;
        if (tl)
            poly << QPoint(L + h, B) << QPoint(L, T + h) << QPoint(L + h, T);
        else
            poly << QPoint(L, B) << QPoint(L, T);
        if (br)
            poly << QPoint(Rt - h, T) << QPoint(Rt, T + h) << QPoint(Rt - h, B);
        else
            poly << QPoint(Rt, T) << QPoint(Rt, B);
    } else {
        const int h = (Rt - L) / 2;
        if (tl)
            poly << QPoint(L, B) << QPoint(L, T + h) << QPoint(L + h, T) << QPoint(Rt, T + h);
        else
            poly << QPoint(L, B) << QPoint(L, T) << QPoint(Rt, T);
        if (br)
            poly << QPoint(Rt, B - h) << QPoint(L + h, B) << QPoint(L, B - h);
        else
            poly << QPoint(Rt, B);
    }
    return poly;
}

// Which way a triangle or slanted pointer thumb points, from its shape and the tick position.
int PolygonKind(TThumbShape shape, bool vertical, TTickMark tp)
{
    if (shape == tsTriangleLeft)
        return vertical ? 2 : 0;
    if (shape == tsTriangleRight)
        return vertical ? 3 : 1;
    if (tp == tmTopLeft)
        return vertical ? 0 : 2;
    if (tp == tmBoth)
        return vertical ? 4 : 5;
    return vertical ? 1 : 3;
}

QPolygon TrianglePolygon(const TRect& R, int kind)
{
    const int L = R.Left, T = R.Top, Rt = R.Right - 1, B = R.Bottom - 1;
    const int hw = (Rt - L) / 2, hh = (B - T) / 2;
    QPolygon poly;
    switch (kind) {
    case 0:
        poly << QPoint(L, B) << QPoint(L, T) << QPoint(Rt, T + hh);
        break;
    case 1:
        poly << QPoint(L, T + hh) << QPoint(Rt, T) << QPoint(Rt, B);
        break;
    case 2:
        poly << QPoint(L, B) << QPoint(L + hw, T) << QPoint(Rt, B);
        break;
    case 3:
        poly << QPoint(L, T) << QPoint(Rt, T) << QPoint(L + hw, B);
        break;
    default:
        poly << QPoint(L, T + hh) << QPoint(L + hw, T) << QPoint(Rt, T + hh) << QPoint(L + hw, B);
        break;
    }
    return poly;
}

QPolygon SlantedPointerPolygon(const TRect& R, int kind, bool up)
{
    const int L = R.Left, T = R.Top, Rt = R.Right - 1, B = R.Bottom - 1;
    const int hw = (Rt - L) / 2, hh = (B - T) / 2;
    QPolygon poly;
    int k = kind;
    if (up && k <= 1)
        k = 1 - k;
    if (!up || k <= 1) {
        switch (k) {
        case 0:
            poly << QPoint(L, T) << QPoint(Rt, T) << QPoint(Rt, B) << QPoint(L + hh, B);
            break;
        case 1:
            poly << QPoint(L, T) << QPoint(Rt, T) << QPoint(Rt - hh, B) << QPoint(L, B);
            break;
        case 2:
            poly << QPoint(L, T + hw) << QPoint(Rt, T) << QPoint(Rt, B) << QPoint(L, B);
            break;
        case 3:
            poly << QPoint(L, T) << QPoint(Rt, T) << QPoint(Rt, B) << QPoint(L, B - hw);
            break;
        case 4:
            poly << QPoint(L, T) << QPoint(Rt, T) << QPoint(Rt - hh, B) << QPoint(L + hh, B);
            break;
        default:
            poly << QPoint(L, T + hw) << QPoint(Rt, T) << QPoint(Rt, B) << QPoint(L, B - hw);
            break;
        }
    } else {
        switch (k) {
        case 2:
            poly << QPoint(L, T) << QPoint(Rt, T + hw) << QPoint(Rt, B) << QPoint(L, B);
            break;
        case 3:
            poly << QPoint(L, T) << QPoint(Rt, T) << QPoint(Rt, B - hw) << QPoint(L, B);
            break;
        case 4:
            poly << QPoint(L, T) << QPoint(Rt, T) << QPoint(Rt - hh, B) << QPoint(L + hh, B);
            break;
        default:
            poly << QPoint(L, T) << QPoint(Rt, T + hw) << QPoint(Rt, B - hw) << QPoint(L, B);
            break;
        }
    }
    return poly;
}

QPainterPath ClosedShape(const QPolygon& poly)
{
    QPainterPath shape;
    shape.addPolygon(QPolygonF(poly));
    shape.closeSubpath();
    return shape;
}

// Draws one thumb drawn by code (no picture) into its rectangle, one shape family per method.
class ThumbPainter
{
  public:
    ThumbPainter(TCanvas& canvas, const TTrackBarThumb& thumb, const TRect& r, bool vertical,
                 const ThumbColors& k)
        : Canvas(canvas), p(canvas.Painter()), t(thumb), R(r), vertical(vertical), k(k),
          w(vertical ? r.Width() : r.Height())
    {
    }

    void Pointer(bool tl, bool br) const
    {
        const QPolygon poly = PointerPolygon(R, vertical, tl, br);
        BodyFill(ClosedShape(poly));
        if (k.border != clNone) {
            Contours(poly, {{0, clWhite}, {1, k.border}, {2, clWhite}});
            GripLine(k.border, w / 2 - 3);
        }
    }

    void Rounded() const
    {
        const double radius = t.Shape() == tsRectangle ? 1 : t.Shape() == tsRoundRect ? 8 : t.Size() / 2;
        QPainterPath shape;
        shape.addRoundedRect(R.ToQRect(), radius, radius);
        BodyFill(shape);
        if (k.border == clNone)
            return;
        {
            gp::TGPGraphics g(p);
            g.SetSmoothingMode(gdip::SmoothingModeAntiAlias);
            DrawRoundRectOutline(g, F(R), gp::REAL(radius), clWhite);
            TRect in = R;
            InflateRect(in, -1, -1);
            DrawRoundRectOutline(g, F(in), gp::REAL(radius), k.border);
            if (t.Shape() == tsRectangle) {
                InflateRect(in, -1, -1);
                gp::TGPPen pen(gp::OpaqueArgbFromColor(clWhite));
                g.DrawRectangle(&pen, F(in));
            }
        }
        GripLine(k.border, w / 2 - 2);
    }

    void Line() const
    {
        const int mid = (vertical ? R.Top + R.Height() / 2 : R.Left + R.Width() / 2);
        const TColor cols[4] = {k.cTo, k.c, TCustomTrackBar::BlendColors(k.c, clWhite, 60),
                                TCustomTrackBar::BlendColors(k.c, clWhite, 10)};
        for (int i = 0; i < 4; ++i) {
            if (cols[i] == clNone)
                continue;
            Canvas.Pen.Color = cols[i];
            if (vertical) {
                Canvas.MoveTo(R.Left, mid - 1 + i);
                Canvas.LineTo(R.Right, mid - 1 + i);
            } else {
                Canvas.MoveTo(mid - 1 + i, R.Top);
                Canvas.LineTo(mid - 1 + i, R.Bottom);
            }
        }
    }

    // The triangles and slanted pointers.
    void Polygon(TTickMark tickPosition) const
    {
        const TThumbShape shape = t.Shape();
        const int kind = PolygonKind(shape, vertical, tickPosition);
        const bool triangle = shape == tsTriangle || shape == tsTriangleLeft || shape == tsTriangleRight;
        const QPolygon poly =
            triangle ? TrianglePolygon(R, kind) : SlantedPointerPolygon(R, kind, shape == tsPointerLeftUp);
        p.save();
        p.setClipPath(ClosedShape(poly), Qt::IntersectClip);
        if (k.c != clNone && k.cTo != clNone)
            TCustomTrackBar::DrawDirectionalGradient(Canvas, k.c, k.cTo, Direction(), R, 64);
        p.restore();
        // The white contour and a white one 2 pixels inside it, with a border colour between them;
        // the white grip, and the border-coloured one beside it.
        if (k.border != clNone)
            Contours(poly, {{0, clWhite}, {1, k.border}, {2, clWhite}});
        else
            Contours(poly, {{0, clWhite}, {2, clWhite}});
        GripLine(clWhite, w / 3);
        if (k.border != clNone)
            GripLine(k.border, w / 3, 1);
    }

  private:
    TGradientDirection Direction() const
    {
        return t.Gradient() == ggRadial            ? gdHorizontal
               : t.Gradient() == ggDiagonalForward ? gdHorizontalInOut
                                                   : gdVertical;
    }

    void BodyFill(const QPainterPath& shape) const
    {
        if (k.c == clNone)
            return;
        p.save();
        p.setClipPath(shape, Qt::IntersectClip);
        if (k.cTo != clNone && k.m != clNone && k.mTo != clNone) {
            gp::TGPGraphics g(p);
            DrawMirrorGradient(g, F(R), t.GradientMirror(), t.Gradient(), k.mTo, k.m, k.cTo, k.c, clNone,
                               clNone, 1);
        } else if (k.cTo != clNone) {
            TCustomTrackBar::DrawDirectionalGradient(Canvas, k.c, k.cTo, Direction(), R, t.Steps());
        } else {
            FillSolid(Canvas, R, k.c);
        }
        p.restore();
    }

    // A grip line across the thumb at its middle along the track, moved along it by `beside` pixels.
    void GripLine(TColor color, int len, int beside = 0) const
    {
        if (len <= 0)
            return;
        Canvas.Pen.Color = color;
        if (vertical) {
            const int y = R.Top + R.Height() / 2 + beside;
            const int x = R.Left + (w - len) / 2;
            Canvas.MoveTo(x, y);
            Canvas.LineTo(x + len, y);
        } else {
            const int x = R.Left + R.Width() / 2 + beside;
            const int y = R.Top + (w - len) / 2;
            Canvas.MoveTo(x, y);
            Canvas.LineTo(x, y + len);
        }
    }

    // Contour lines of a convex polygon, each `inset` pixels inside its outline (0: the outline).
    void Contours(const QPolygon& poly, std::initializer_list<std::pair<int, TColor>> lines) const
    {
        p.save();
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setBrush(Qt::NoBrush);
        for (const auto& [inset, color] : lines) {
            const QPolygonF line = inset == 0 ? QPolygonF(poly) : InsetConvex(QPolygonF(poly), inset);
            if (line.isEmpty())
                continue;
            p.setPen(QPen(ToQColor(color), 0));
            p.drawPolygon(line.toPolygon());
        }
        p.restore();
    }

    TCanvas& Canvas;
    QPainter& p;
    const TTrackBarThumb& t;
    const TRect R;
    const bool vertical;
    const ThumbColors k;
    const int w;
};

} // namespace

void TCustomTrackBar::DrawThumb(TCanvas& Canvas)
{
    DrawThumbShape(Canvas, GetThumbRect(), FPosition, FThumbDown, FThumbHot);
}

void TCustomTrackBar::DrawThumbShape(TCanvas& Canvas, TRect R, int Value, bool Down, bool Hot)
{
    const TTrackBarThumb& t = *FThumb;
    if (IsRatingMode() || t.Size() < 1 || (!t.ShowAtMinMax() && (Value == FMin || Value == FMax)))
        return;
    const TGDIPPicture* pic = nullptr;
    const ThumbColors k = ThumbStateColors(t, Down, Hot, isEnabled(), pic);
    if (!pic->Empty()) {
        pic->DrawAt(Canvas, R.Left, R.Top);
        return;
    }
    const ThumbPainter thumb(Canvas, t, R, Vertical(), k);
    switch (t.Shape()) {
    case tsPointer:
        thumb.Pointer(HasTopLeftTicks(), HasBottomRightTicks());
        break;
    case tsRectangle:
    case tsRoundRect:
    case tsRound:
        thumb.Rounded();
        break;
    case tsLine:
        thumb.Line();
        break;
    default:
        thumb.Polygon(FTickMark->Position());
        break;
    }
}

void TCustomTrackBar::DrawButtons(TCanvas& Canvas)
{
    if (IsRatingMode() || !FButtons->Visible())
        return;
    DrawStepButton(Canvas, false);
    DrawStepButton(Canvas, true);
}

void TCustomTrackBar::DrawStepButton(TCanvas& Canvas, bool isMax)
{
    TTrackBarButtons& b = *FButtons;
    const bool down = isMax ? FMaxButtonDown : FMinButtonDown;
    const bool hot = isMax ? FMaxButtonHot : FMinButtonHot;
    const TRect R = isMax ? GetMaxButtonRect() : GetMinButtonRect();
    TColor border = b.BorderColor(), c = b.Color(), cTo = b.ColorTo(), m = b.ColorMirror(),
           mTo = b.ColorMirrorTo();
    TGDIPPicture* pic = isMax ? &b.MaxPicture() : &b.MinPicture();
    if (down) {
        border = b.BorderColorDown();
        c = b.ColorDown();
        cTo = b.ColorDownTo();
        m = b.ColorMirrorDown();
        mTo = b.ColorMirrorDownTo();
        pic = isMax ? &b.MaxPictureDown() : &b.MinPictureDown();
    } else if (hot) {
        border = b.BorderColorHot();
        c = b.ColorHot();
        cTo = b.ColorHotTo();
        m = b.ColorMirrorHot();
        mTo = b.ColorMirrorHotTo();
        pic = isMax ? &b.MaxPictureHot() : &b.MinPictureHot();
    }
    QPainter& p = Canvas.Painter();
    if (!pic->Empty()) {
        p.save();
        if (!Vertical())
            p.setClipRect(R.ToQRect(), Qt::IntersectClip);
        pic->DrawAt(Canvas, R.Left, R.Top);
        p.restore();
        return;
    }
    const TColor light = BlendColors(border, clWhite, 30);
    const int size = b.Size();
    TRect area = R;
    {
        gp::TGPGraphics g(p);
        if (b.Shape() == bsRound) {
            area = Vertical() ? TRect{R.Left + (R.Width() - size) / 2, R.Top,
                                      R.Left + (R.Width() - size) / 2 + size, R.Top + size}
                              : TRect{R.Left, R.Top + (R.Height() - size) / 2, R.Left + size,
                                      R.Top + (R.Height() - size) / 2 + size};
            gp::TGPGraphicsPath circle;
            circle.AddEllipse(F(area));
            g.SetClip(&circle);
            DrawMirrorGradient(g, F(area), b.GradientMirror(), b.Gradient(), mTo, m, cTo, c, border, light,
                               0);
            g.ResetClip();
        } else {
            DrawMirrorGradient(g, F(R), b.GradientMirror(), b.Gradient(), mTo, m, cTo, c, border, light, 1);
        }
    }
    // Glyph: minus on the min button, plus on the max button.
    const int len = size / 2;
    const int cx = area.Left + area.Width() / 2, cy = area.Top + area.Height() / 2;
    const bool upright = Vertical() && b.RotateText();
    auto bar = [&](bool vertical) {
        return vertical ? TRect{cx - 2, cy - len / 2, cx + 2, cy - len / 2 + len}
                        : TRect{cx - len / 2, cy - 2, cx - len / 2 + len, cy + 2};
    };
    // Outlines first, then the insides over them, so the plus is outlined as one cross.
    std::vector<TRect> bars{bar(upright)};
    if (isMax)
        bars.push_back(bar(!upright));
    Canvas.Brush.Style = bsClear;
    Canvas.Pen.Color = c;
    for (const TRect& r : bars)
        Canvas.Rectangle(r);
    Canvas.Brush.Style = bsSolid;
    for (TRect inner : bars) {
        InflateRect(inner, -1, -1);
        FillSolid(Canvas, inner, border);
    }
}

void TCustomTrackBar::DrawRateImages(TCanvas& Canvas)
{
    for (int v = FMin + 1; v <= FMax; ++v) {
        const TRect r = GetRateRect(v);
        if (Absent(r) || r.Left <= 0 || r.Bottom <= 0)
            continue;
        (v > FPosition ? FIRateInActive : FIRateActive).DrawAt(Canvas, r.Left, r.Top);
    }
}

} // namespace fx
