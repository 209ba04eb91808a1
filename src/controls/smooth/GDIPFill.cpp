#include "controls/smooth/GDIPFill.h"

#include "base/Rounding.h"
#include "framework/IniFile.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>

namespace fx
{

using namespace gp;

namespace
{
const QString kClipFormat = QStringLiteral("application/x-morvex-gdip-fill");
const QString kClipSection = QStringLiteral("GDI+ Fill");

ARGB A(int alpha, TColor c)
{
    return ArgbFromColor(std::uint8_t(std::clamp(alpha, 0, 255)), c);
}
} // namespace

QString StreamToHex(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex().toUpper());
}

bool HexToStream(const QString& text, QByteArray& out)
{
    out.clear();
    const QString t = text.toUpper();
    out.reserve(t.size() / 2);
    auto digit = [](QChar c) {
        if (c >= u'0' && c <= u'9')
            return c.unicode() - u'0';
        if (c >= u'A' && c <= u'F')
            return c.unicode() - u'A' + 10;
        return -1;
    };
    for (int i = 0; i + 1 < t.size(); i += 2) {
        const int hi = digit(t[i]), lo = digit(t[i + 1]);
        if (hi < 0 || lo < 0)
            return false;
        out.append(char(hi * 16 + lo));
    }
    return true;
}

void AspectFit(TPictureMode mode, double rw, double rh, double w, double h, double& fw, double& fh)
{
    if (rw <= 0 || rh <= 0 || w <= 0 || h <= 0) {
        fw = fh = 0;
        return;
    }
    if (mode == pmNormal && w < rw && h < rh) {
        fw = w;
        fh = h;
    } else if (rw / rh > w / h) {
        fh = rh;
        fw = w * rh / h;
    } else {
        fw = rw;
        fh = h * rw / w;
    }
}

namespace
{
// Placement runs in 64 bits and ends inside this range, so that a right or bottom edge
// (position plus size) is always an int, whatever the fill's numbers or the picture's size.
constexpr std::int64_t kPlacementLimit = std::int64_t(1) << 24;

int Bounded(std::int64_t v)
{
    return int(std::clamp(v, -kPlacementLimit, kPlacementLimit));
}
} // namespace

TGPRect PicturePlacement(TFillPicturePosition position, int left, int top, const fw::TRect& r, int w, int h,
                         bool aspect, TPictureMode mode)
{
    using I = std::int64_t;
    const I l = r.Left, t = r.Top, rr = r.Right, b = r.Bottom, iw = w, ih = h;
    const I cx = l + (rr - l - iw) / 2, cy = t + (b - t - ih) / 2;
    auto place = [&](I x, I y) { return TGPRect{Bounded(x), Bounded(y), Bounded(iw), Bounded(ih)}; };
    switch (position) {
    case ppTopLeft:
        return place(l, t);
    case ppTopCenter:
        return place(cx, t);
    case ppTopRight:
        return place(rr - iw, t);
    case ppBottomLeft:
        return place(l, b - ih);
    case ppBottomCenter:
        return place(cx, b - ih);
    case ppBottomRight:
        return place(rr - iw, b - ih);
    case ppTiled:
        return {0, 0, 0, 0};
    case ppStretched: {
        const double rw = double(rr - l), rh = double(b - t);
        double fw = rw, fh = rh;
        if (aspect)
            AspectFit(mode, rw, rh, w, h, fw, fh);
        auto round = [](double v) { return Bounded(RoundHalfEven(v)); };
        return {round((rw - fw) / 2 + double(l)), round((rh - fh) / 2 + double(t)), round(fw), round(fh)};
    }
    case ppCenterLeft:
        return place(l, cy);
    case ppCenterCenter:
        return place(cx, cy);
    case ppCenterRight:
        return place(rr - iw, cy);
    case ppCustom:
        return place(left, top);
    }
    return {0, 0, 0, 0};
}

void RoundedPath(TGPGraphicsPath& path, TGPRectF R, REAL radius, TFillRoundingType type)
{
    if (radius <= 0 || type == rtNone) {
        path.AddRectangle(R);
        return;
    }
    const REAL d = std::min(radius * 2, std::min(R.Width, R.Height));
    if (d <= 0) {
        path.AddRectangle(R);
        return;
    }
    const bool tl = type == rtTop || type == rtBoth || type == rtLeft;
    const bool tr = type == rtTop || type == rtBoth || type == rtRight;
    const bool br = type == rtBottom || type == rtBoth || type == rtRight;
    const bool bl = type == rtBottom || type == rtBoth || type == rtLeft;
    const REAL x = R.X, y = R.Y, r = R.X + R.Width, b = R.Y + R.Height;
    if (tl)
        path.AddArc(x, y, d, d, 180, 90);
    else
        path.AddLine(x, y, x, y);
    if (tr)
        path.AddArc(r - d, y, d, d, 270, 90);
    else
        path.AddLine(r, y, r, y);
    if (br)
        path.AddArc(r - d, b - d, d, d, 0, 90);
    else
        path.AddLine(r, b, r, b);
    if (bl)
        path.AddArc(x, b - d, d, d, 90, 90);
    else
        path.AddLine(x, b, x, b);
    path.CloseFigure();
}

TGDIPFill::TGDIPFill()
{
    FPicture.OnChange = [this](TPictureBytes*) { NotifyChange(); };
    FBackGroundPicture.OnChange = [this](TPictureBytes*) { NotifyChange(); };
}

void TGDIPFill::NotifyChange()
{
    if (OnChange && FUpdateCount == 0)
        OnChange(this);
}

void TGDIPFill::SetPicture(const TFxGDIPPicture* p)
{
    if (p != &FPicture)
        FPicture.Assign(p);
    NotifyChange();
}

void TGDIPFill::SetBackGroundPicture(const TFxGDIPPicture* p)
{
    if (p != &FBackGroundPicture)
        FBackGroundPicture.Assign(p);
    NotifyChange();
}

void TGDIPFill::CopyValues(const TGDIPFill& s)
{
    FPictureAspectRatio = s.FPictureAspectRatio;
    FPictureAspectMode = s.FPictureAspectMode;
    FBackGroundPictureAspectRatio = s.FBackGroundPictureAspectRatio;
    FBackGroundPictureAspectMode = s.FBackGroundPictureAspectMode;
    FColor = s.FColor;
    FColorTo = s.FColorTo;
    FColorMirror = s.FColorMirror;
    FColorMirrorTo = s.FColorMirrorTo;
    FGradientType = s.FGradientType;
    FGradientMirrorType = s.FGradientMirrorType;
    FHatchStyle = s.FHatchStyle;
    FHatchStyleMirror = s.FHatchStyleMirror;
    FBackGroundPicturePosition = s.FBackGroundPicturePosition;
    FBackGroundPictureLeft = s.FBackGroundPictureLeft;
    FBackGroundPictureTop = s.FBackGroundPictureTop;
    FPicturePosition = s.FPicturePosition;
    FPictureLeft = s.FPictureLeft;
    FPictureTop = s.FPictureTop;
    FPictureSize = s.FPictureSize;
    FPictureWidth = s.FPictureWidth;
    FPictureHeight = s.FPictureHeight;
    FOpacity = s.FOpacity;
    FOpacityTo = s.FOpacityTo;
    FOpacityMirror = s.FOpacityMirror;
    FOpacityMirrorTo = s.FOpacityMirrorTo;
    FBorderColor = s.FBorderColor;
    FBorderWidth = s.FBorderWidth;
    FRounding = s.FRounding;
    FRoundingType = s.FRoundingType;
    FShadowColor = s.FShadowColor;
    FShadowOffset = s.FShadowOffset;
    FShadowType = s.FShadowType;
    FAngle = s.FAngle;
    FBorderOpacity = s.FBorderOpacity;
    FBackGroundPictureMode = s.FBackGroundPictureMode;
    FGlowGradientColor = s.FGlowGradientColor;
    FGlowRadialColor = s.FGlowRadialColor;
    FGlow = s.FGlow;
}

void TGDIPFill::Assign(const TGDIPFill& s)
{
    if (&s == this)
        return;
    BeginUpdate();
    CopyValues(s);
    FBackGroundPicture.Assign(&s.FBackGroundPicture);
    FPicture.Assign(&s.FPicture);
    EndUpdate();
    NotifyChange();
}

// ---- painting ----

namespace
{

void FillRadial(TGPGraphics& g, TGPRectF R, TColor color, TColor colorTo, int opacity, int opacityTo,
                bool top, REAL radius, TFillRoundingType type)
{
    TGPGraphicsPath outline;
    RoundedPath(outline, R, radius, type);
    {
        TGPSolidBrush solid(top ? A(opacity, color) : A(opacityTo, colorTo));
        g.FillPath(&solid, &outline);
    }
    g.SetClip(&outline, CombineModeIntersect);
    TGPGraphicsPath ellipse;
    if (top)
        ellipse.AddEllipse(R.X, R.Y - R.Height / 2, R.Width, R.Height * 1.5f);
    else
        ellipse.AddEllipse(R.X, R.Y, R.Width, R.Height * 1.5f);
    TGPPathGradientBrush brush(&ellipse);
    brush.SetCenterPoint({R.X + R.Width / 2, top ? R.Y : R.Y + R.Height});
    brush.SetCenterColor(top ? A(opacityTo, colorTo) : A(opacity, color));
    ARGB surround = top ? A(opacity, color) : A(opacityTo, colorTo);
    int n = 1;
    brush.SetSurroundColors(&surround, n);
    g.FillRectangle(&brush, R);
    g.ResetClip();
}

// A shadow that follows the rounded outline: a path gradient from clear at the outline to its opacity a
// tenth of the way to the centre, and even from there on.
void FillSoftShadow(TGPGraphics& g, TGPRectF R, REAL radius, TFillRoundingType type, TColor color)
{
    TGPGraphicsPath outline;
    RoundedPath(outline, R, radius, type);
    TGPPathGradientBrush brush(&outline);
    brush.SetWrapMode(WrapModeClamp);
    const ARGB colours[3] = {0, A(180, color), A(180, color)};
    const REAL positions[3] = {0, 0.1f, 1};
    brush.SetInterpolationColors(colours, positions, 3);
    g.FillPath(&brush, &outline);
}

void FillGradientArea(TGPGraphics& g, TGPGraphicsPath* outline, TGPRectF R, TFxGradientType type, TColor c1,
                      int a1, TColor c2, int a2, int hatch, int angle, TFxGDIPPicture* texture, TColor border,
                      int borderWidth, bool mirror)
{
    auto fill = [&](TGPBrush& b) {
        if (outline)
            g.FillPath(&b, outline);
        else
            g.FillRectangle(&b, R);
    };
    const TGPRectF grown{R.X - 1, R.Y - 1, R.Width + 2, R.Height + 2};
    switch (type) {
    case gtSolid: {
        TGPSolidBrush b(A(a1, c1));
        fill(b);
        break;
    }
    case gtVertical:
    case gtHorizontal:
    case gtForwardDiagonal:
    case gtBackwardDiagonal: {
        const LinearGradientMode mode = type == gtVertical          ? LinearGradientModeVertical
                                        : type == gtHorizontal      ? LinearGradientModeHorizontal
                                        : type == gtForwardDiagonal ? LinearGradientModeForwardDiagonal
                                                                    : LinearGradientModeBackwardDiagonal;
        TGPLinearGradientBrush b(grown, A(a1, c1), A(a2, c2), mode);
        b.SetGammaCorrection(true);
        fill(b);
        if (mirror) {
            TGPSolidBrush top(A(a1, c1));
            g.FillRectangle(&top, R.X, R.Y, R.Width, 1);
        }
        break;
    }
    case gtAngle: {
        TGPLinearGradientBrush b(grown, A(a1, c1), A(a2, c2), REAL(angle), true);
        b.SetGammaCorrection(true);
        fill(b);
        break;
    }
    case gtHatch: {
        TGPHatchBrush b(hatch, A(a1, c1), A(a2, c2));
        fill(b);
        break;
    }
    case gtTexture:
        if (texture && !texture->Empty()) {
            if (outline)
                texture->FillPath(g, *outline);
            else
                texture->FillRect(g, R);
        }
        break;
    default:
        break;
    }
    if (border != fw::clNone) {
        TGPPen pen(A(a1, border), REAL(borderWidth));
        if (outline)
            g.DrawPath(&pen, outline);
        else
            g.DrawRectangle(&pen, R);
    }
}

} // namespace

void TGDIPFill::DrawGradientBackGround(TGPGraphics& g, TGPRectF R, bool Mirror, int oc, int octo, int ocmr,
                                       int ocmrto)
{
    TFxGradientType type = Mirror ? FGradientMirrorType : FGradientType;
    const TColor c1 = Mirror ? FColorMirror : FColor;
    const TColor c2 = Mirror ? FColorMirrorTo : FColorTo;
    const int a1 = Mirror ? ocmr : oc, a2 = Mirror ? ocmrto : octo;
    const int hatch = Mirror ? FHatchStyleMirror : FHatchStyle;
    if (c1 == fw::clNone)
        type = gtNone;
    else if (c2 == fw::clNone)
        type = gtSolid;
    std::unique_ptr<TGPGraphicsPath> outline;
    SmoothingMode old = SmoothingModeNone;
    if (FRounding != 0) {
        TFillRoundingType rt = FRoundingType;
        if (FColorMirror != fw::clNone) {
            if (!Mirror)
                rt = (rt == rtNone || rt == rtBottom) ? rtNone : (rt == rtLeft || rt == rtRight) ? rt : rtTop;
            else
                rt = (rt == rtNone || rt == rtTop) ? rtNone : (rt == rtLeft || rt == rtRight) ? rt : rtBottom;
        }
        outline = std::make_unique<TGPGraphicsPath>();
        RoundedPath(*outline, R, REAL(FRounding), rt);
        old = g.GetSmoothingMode();
        g.SetSmoothingMode(SmoothingModeAntiAlias);
    }
    FillGradientArea(g, outline.get(), R, type, c1, a1, c2, a2, hatch, FAngle,
                     FBackGroundPicturePosition == ppTiled ? &FBackGroundPicture : nullptr, fw::clNone, 0,
                     Mirror);
    if (outline)
        g.SetSmoothingMode(old == SmoothingModeInvalid ? SmoothingModeNone : old);
}

void TGDIPFill::DrawGlow(TGPGraphics& g, TGPRectF R)
{
    if (FGlow == gmNone)
        return;
    g.SetClip(R, CombineModeReplace);
    const TGPRectF I{R.X + 1, R.Y + 1, R.Width - 2, R.Height - 2};
    if (FGlow == gmGradient || FGlow == gmRadialGradient) {
        {
            TGPGraphicsPath outline;
            RoundedPath(outline, I, REAL(FRounding), FRoundingType);
            TGPPen pen(A(200, FGlowGradientColor));
            g.DrawPath(&pen, &outline);
        }
        const TGPRectF b1{I.X + 5, I.Y, I.Width - 10, 4};
        if (b1.Width > 0) {
            TGPLinearGradientBrush up({b1.X - 1, b1.Y - 1, b1.Width + 2, b1.Height + 2},
                                      A(175, FGlowGradientColor), A(0, FGlowGradientColor),
                                      LinearGradientModeVertical);
            const TGPPointF t1[3] = {{I.X, I.Y}, {I.X + 5, I.Y}, {I.X + 5, I.Y + 4}};
            const TGPPointF t2[3] = {
                {I.X + I.Width, I.Y}, {I.X + I.Width - 5, I.Y}, {I.X + I.Width - 5, I.Y + 4}};
            g.FillPolygon(&up, t1, 3);
            g.FillPolygon(&up, t2, 3);
            g.FillRectangle(&up, b1);
            const TGPRectF b2{I.X + 5, I.Y + I.Height - 7, I.Width - 10, 7};
            TGPLinearGradientBrush down({b2.X - 1, b2.Y - 1, b2.Width + 2, b2.Height + 2},
                                        A(0, FGlowGradientColor), A(220, FGlowGradientColor),
                                        LinearGradientModeVertical);
            const REAL yb = I.Y + I.Height;
            const TGPPointF t3[3] = {{I.X, yb}, {I.X + 5, yb}, {I.X + 5, yb - 7}};
            const TGPPointF t4[3] = {
                {I.X + I.Width, yb}, {I.X + I.Width - 5, yb}, {I.X + I.Width - 5, yb - 7}};
            g.FillPolygon(&down, t3, 3);
            g.FillPolygon(&down, t4, 3);
            g.FillRectangle(&down, b2);
        }
    }
    if (FGlow == gmRadial || FGlow == gmRadialGradient) {
        TGPGraphicsPath ellipse;
        const TGPRectF e{I.X + 10, I.Y - I.Height / 2, I.Width - 20, 3 * I.Height};
        if (e.Width > 0 && e.Height > 0) {
            ellipse.AddEllipse(e);
            TGPPathGradientBrush b(&ellipse);
            b.SetCenterPoint({e.X + e.Width / 2, e.Y + e.Height / 2});
            b.SetCenterColor(A(150, FGlowRadialColor));
            ARGB s = A(0, FColor);
            int n = 1;
            b.SetSurroundColors(&s, n);
            g.FillPath(&b, &ellipse);
        }
    }
    g.ResetClip();
}

TGPRectF TGDIPFill::FillShadow(TGPGraphics& g, TGPRectF R)
{
    const int so = FShadowOffset;
    if (so <= 0 || FShadowColor == fw::clNone)
        return R;
    if (FShadowType == stBottom) {
        FillRadial(g, {R.X, R.Y + R.Height - 2 * so, R.Width, REAL(2 * so)}, FShadowColor, FShadowColor, 0,
                   255, true, REAL(FRounding), rtBottom);
        R.Height -= so;
        return R;
    }
    if (FShadowType == stRightBottom) {
        FillSoftShadow(g, R, REAL(FRounding), FRoundingType, FShadowColor);
        R.Width -= so;
        R.Height -= so;
    } else {
        FillSoftShadow(g, R, REAL(so), rtBoth, FShadowColor);
        R.X += so;
        R.Y += so;
        R.Width -= 2 * so;
        R.Height -= 2 * so;
    }
    return R;
}

void TGDIPFill::FillBackground(TGPGraphics& g, const TGPRectF& R, int o, int oTo, int oM, int oMTo)
{
    if (FGradientType == gtHatch || FGradientType == gtTexture || FColorMirror == fw::clNone) {
        if (FGradientType == gtRadial && FColor != fw::clNone)
            FillRadial(g, R, FColor, FColorTo == fw::clNone ? FColor : FColorTo, o, oTo, true,
                       REAL(FRounding), FRoundingType);
        else
            DrawGradientBackGround(g, R, false, o, oTo, oM, oMTo);
        return;
    }
    const REAL h = R.Height / 2;
    const TGPRectF upper{R.X, R.Y, R.Width, R.Height - h + 1};
    const TGPRectF lower{R.X, R.Y + h - 1, R.Width, R.Height - h + 1};
    if (FGradientType == gtRadial && FColor != fw::clNone)
        FillRadial(g, upper, FColor, FColorTo == fw::clNone ? FColor : FColorTo, o, oTo, true,
                   REAL(FRounding), rtTop);
    else
        DrawGradientBackGround(g, upper, false, o, oTo, oM, oMTo);
    if (FGradientMirrorType == gtRadial && FColorMirror != fw::clNone)
        FillRadial(g, lower, FColorMirror, FColorMirrorTo == fw::clNone ? FColorMirror : FColorMirrorTo, oM,
                   oMTo, false, REAL(FRounding), rtBottom);
    else
        DrawGradientBackGround(g, lower, true, o, oTo, oM, oMTo);
}

void TGDIPFill::DrawInsidePicture(TGPGraphics& g, const TGPRectF& R)
{
    const fw::TRect ir{Round(R.X), Round(R.Y), Round(R.X + R.Width), Round(R.Y + R.Height)};
    TGPGraphicsPath outline;
    RoundedPath(outline, R, REAL(FRounding), FRoundingType);
    g.SetClip(&outline, CombineModeIntersect);
    const TGPRect p =
        PicturePlacement(FBackGroundPicturePosition, FBackGroundPictureLeft, FBackGroundPictureTop, ir,
                         FBackGroundPicture.Width(), FBackGroundPicture.Height(),
                         FBackGroundPictureAspectRatio, FBackGroundPictureAspectMode);
    if (FBackGroundPicturePosition != ppTiled)
        FBackGroundPicture.GDIPDraw(g, fw::TRect{p.X, p.Y, p.X + p.Width, p.Y + p.Height});
    g.ResetClip();
}

void TGDIPFill::DrawFocusOutline(TGPGraphics& g, int opacity)
{
    const SmoothingMode old = g.GetSmoothingMode();
    g.SetSmoothingMode(SmoothingModeDefault);
    TGPGraphicsPath outline;
    RoundedPath(outline, FocusRect, REAL(FRounding - FBorderWidth), FRoundingType);
    TGPPen pen(A(opacity, FocusColor), 1);
    pen.SetDashStyle(DashStyleDot);
    g.DrawPath(&pen, &outline);
    g.SetSmoothingMode(old == SmoothingModeInvalid ? SmoothingModeNone : old);
}

void TGDIPFill::DrawOutsidePictures(TGPGraphics& g, const TGPRectF& R)
{
    const fw::TRect ir{Round(R.X), Round(R.Y), Round(R.X + R.Width), Round(R.Y + R.Height)};
    if (FBackGroundPictureMode == pmOutsideFill && FGradientType == gtTexture &&
        !FBackGroundPicture.Empty() && FBackGroundPicturePosition != ppTiled) {
        const TGPRect p =
            PicturePlacement(FBackGroundPicturePosition, FBackGroundPictureLeft, FBackGroundPictureTop, ir,
                             FBackGroundPicture.Width(), FBackGroundPicture.Height(),
                             FBackGroundPictureAspectRatio, FBackGroundPictureAspectMode);
        FBackGroundPicture.GDIPDraw(g, fw::TRect{p.X, p.Y, p.X + p.Width, p.Y + p.Height});
    }
    if (!FPicture.Empty()) {
        FPicture.GetImageSizes();
        const int w = FPictureSize == psOriginal ? FPicture.Width() : FPictureWidth;
        const int h = FPictureSize == psOriginal ? FPicture.Height() : FPictureHeight;
        if (FPicturePosition != ppTiled) {
            const TGPRect p = PicturePlacement(FPicturePosition, FPictureLeft, FPictureTop, ir, w, h,
                                               FPictureAspectRatio, FPictureAspectMode);
            FPicture.GDIPDraw(g, fw::TRect{p.X, p.Y, p.X + p.Width, p.Y + p.Height});
        }
    }
}

void TGDIPFill::Fill(TGPGraphics* Graphics, TGPRectF R, int ABorderOpacity, int AOpacity, int AOpacityTo,
                     int AOpacityMirror, int AOpacityMirrorTo, TGPRectF* content)
{
    if (!Graphics)
        return;
    TGPGraphics& g = *Graphics;
    const int bo = ABorderOpacity == 255 ? FBorderOpacity : ABorderOpacity;
    const int o = AOpacity == 255 ? FOpacity : AOpacity;
    const int oTo = AOpacityTo == 255 ? FOpacityTo : AOpacityTo;
    const int oM = AOpacityMirror == 255 ? FOpacityMirror : AOpacityMirror;
    const int oMTo = AOpacityMirrorTo == 255 ? FOpacityMirrorTo : AOpacityMirrorTo;
    const bool line = R.Width == 1 || R.Height == 1;
    if (line) {
        if (FBorderWidth > 0 && FBorderColor != fw::clNone) {
            TGPPen pen(A(bo, FBorderColor), REAL(FBorderWidth));
            g.DrawLine(&pen, R.X, R.Y, R.X + R.Width, R.Y + R.Height);
        }
    } else {
        R = FillShadow(g, R);
        FillBackground(g, R, o, oTo, oM, oMTo);
        if (FBackGroundPictureMode == pmInsideFill && FGradientType == gtTexture &&
            !FBackGroundPicture.Empty())
            DrawInsidePicture(g, R);
        if (FBorderWidth > 0 && FBorderColor != fw::clNone) {
            TGPGraphicsPath outline;
            RoundedPath(outline, R, REAL(FRounding), FRoundingType);
            TGPPen pen(A(bo, FBorderColor), REAL(FBorderWidth));
            g.DrawPath(&pen, &outline);
        }
    }
    DrawGlow(g, R);
    FocusRect = {R.X + FBorderWidth, R.Y + FBorderWidth, R.Width - 2 * FBorderWidth,
                 R.Height - 2 * FBorderWidth};
    if (Focus)
        DrawFocusOutline(g, o);
    DrawOutsidePictures(g, R);
    if (content)
        *content = R;
}

// ---- persistence ----

void TGDIPFill::SaveToIni(fw::TIniFile& ini, const QString& s) const
{
    auto w = [&](const char* key, int v) { ini.WriteInteger(s, QString::fromLatin1(key), v); };
    w("Color", FColor);
    w("ColorTo", FColorTo);
    w("ColorMirror", FColorMirror);
    w("ColorMirrorTo", FColorMirrorTo);
    w("GradientType", FGradientType);
    w("GradientMirrorType", FGradientMirrorType);
    w("HatchStyle", FHatchStyle);
    w("HatchStyleMirror", FHatchStyleMirror);
    w("BackGroundPictureMode", FBackGroundPictureMode);
    w("BackGroundPicturePosition", FBackGroundPicturePosition);
    w("BackGroundPictureLeft", FBackGroundPictureLeft);
    w("BackGroundPictureTop", FBackGroundPictureTop);
    w("PicturePosition", FPicturePosition);
    w("PictureLeft", FPictureLeft);
    w("PictureTop", FPictureTop);
    w("PictureSize", FPictureSize);
    w("PictureWidth", FPictureWidth);
    w("PictureHeight", FPictureHeight);
    w("Opacity", FOpacity);
    w("OpacityTo", FOpacityTo);
    w("OpacityMirror", FOpacityMirror);
    w("OpacityMirrorTo", FOpacityMirrorTo);
    w("BorderColor", FBorderColor);
    w("BorderOpacity", FBorderOpacity);
    w("BorderWidth", FBorderWidth);
    w("Rounding", FRounding);
    w("RoundingType", FRoundingType);
    w("ShadowOffset", FShadowOffset);
    w("ShadowColor", FShadowColor);
    w("Angle", FAngle);
    w("Glow", FGlow);
    w("GlowGradientColor", FGlowGradientColor);
    w("GlowRadialColor", FGlowRadialColor);
    // The hex text's length goes under its own key, so that "PictureSize" keeps the property.
    const QString pic = FPicture.Empty() ? QString() : StreamToHex(FPicture.Data());
    ini.WriteString(s, QStringLiteral("Picture"), pic);
    w("PictureDataSize", int(pic.size()));
    const QString bg = FBackGroundPicture.Empty() ? QString() : StreamToHex(FBackGroundPicture.Data());
    ini.WriteString(s, QStringLiteral("BackgroundPicture"), bg);
    w("BackgroundPictureSize", int(bg.size()));
}

bool TGDIPFill::ReadValues(const fw::TIniFile& ini, const QString& s, QString& badKey)
{
    bool bad = false;
    auto r = [&](const char* key, auto& field, int lo, int hi) {
        const QString k = QString::fromLatin1(key);
        if (!ini.ValueExists(s, k))
            return;
        bool ok = false;
        const int v = ini.ReadString(s, k, QString()).trimmed().toInt(&ok);
        if (!ok || v < lo || v > hi) {
            bad = true;
            badKey = k;
            return;
        }
        field = static_cast<std::remove_reference_t<decltype(field)>>(v);
    };
    constexpr int kMin = std::numeric_limits<int>::min(), kMax = std::numeric_limits<int>::max();
    // Picture positions and sizes are pixels: a 16-bit range keeps every placement sum small.
    constexpr int kPixMin = -32768, kPixMax = 32767;
    r("Color", FColor, kMin, kMax);
    r("ColorTo", FColorTo, kMin, kMax);
    r("ColorMirror", FColorMirror, kMin, kMax);
    r("ColorMirrorTo", FColorMirrorTo, kMin, kMax);
    r("GradientType", FGradientType, gtSolid, gtNone);
    r("GradientMirrorType", FGradientMirrorType, gtSolid, gtNone);
    r("HatchStyle", FHatchStyle, 0, 52);
    r("HatchStyleMirror", FHatchStyleMirror, 0, 52);
    r("BackGroundPictureMode", FBackGroundPictureMode, pmInsideFill, pmOutsideFill);
    r("BackGroundPicturePosition", FBackGroundPicturePosition, ppTopLeft, ppCustom);
    r("BackGroundPictureLeft", FBackGroundPictureLeft, kPixMin, kPixMax);
    r("BackGroundPictureTop", FBackGroundPictureTop, kPixMin, kPixMax);
    r("PicturePosition", FPicturePosition, ppTopLeft, ppCustom);
    r("PictureLeft", FPictureLeft, kPixMin, kPixMax);
    r("PictureTop", FPictureTop, kPixMin, kPixMax);
    if (ini.ValueExists(s, QStringLiteral("PictureDataSize")))
        r("PictureSize", FPictureSize, psOriginal, psCustom);
    // An older section holds the hex length under "PictureSize"; then the property keeps its value.
    r("PictureWidth", FPictureWidth, kPixMin, kPixMax);
    r("PictureHeight", FPictureHeight, kPixMin, kPixMax);
    r("Opacity", FOpacity, 0, 255);
    r("OpacityTo", FOpacityTo, 0, 255);
    r("OpacityMirror", FOpacityMirror, 0, 255);
    r("OpacityMirrorTo", FOpacityMirrorTo, 0, 255);
    r("BorderColor", FBorderColor, kMin, kMax);
    r("BorderOpacity", FBorderOpacity, 0, 255);
    r("BorderWidth", FBorderWidth, 0, 10000);
    r("Rounding", FRounding, 0, 10000);
    r("RoundingType", FRoundingType, rtNone, rtRight);
    r("ShadowOffset", FShadowOffset, 0, 10000);
    r("ShadowColor", FShadowColor, kMin, kMax);
    r("Angle", FAngle, kMin, kMax);
    r("Glow", FGlow, gmNone, gmRadialGradient);
    r("GlowGradientColor", FGlowGradientColor, kMin, kMax);
    r("GlowRadialColor", FGlowRadialColor, kMin, kMax);
    return !bad;
}

bool TGDIPFill::LoadFromIni(const fw::TIniFile& ini, const QString& s, QString* error)
{
    auto fail = [&](const QString& why) {
        if (error)
            *error = QStringLiteral("fill [%1]: %2").arg(s, why);
        return false;
    };
    // Read into a copy first: a bad value leaves this fill untouched.
    TGDIPFill n;
    n.CopyValues(*this);
    QString badKey;
    if (!n.ReadValues(ini, s, badKey))
        return fail(QStringLiteral("bad value for \"%1\"").arg(badKey));
    QByteArray pic, bg;
    const QString picHex = ini.ReadString(s, QStringLiteral("Picture"), QString());
    const QString bgHex = ini.ReadString(s, QStringLiteral("BackgroundPicture"), QString());
    if (!HexToStream(picHex, pic))
        return fail(QStringLiteral("No Hex-Number in \"Picture\""));
    if (!HexToStream(bgHex, bg))
        return fail(QStringLiteral("No Hex-Number in \"BackgroundPicture\""));
    QString why;
    if (!pic.isEmpty() && !n.FPicture.LoadFromStream(pic, &why))
        return fail(QStringLiteral("\"Picture\": ") + why);
    if (!bg.isEmpty() && !n.FBackGroundPicture.LoadFromStream(bg, &why))
        return fail(QStringLiteral("\"BackgroundPicture\": ") + why);
    BeginUpdate();
    CopyValues(n);
    if (!pic.isEmpty())
        FPicture.Assign(&n.FPicture);
    if (!bg.isEmpty())
        FBackGroundPicture.Assign(&n.FBackGroundPicture);
    EndUpdate();
    NotifyChange();
    return true;
}

bool TGDIPFill::SaveToFile(const QString& fileName, const QString& section, QString* error) const
{
    fw::TIniFile ini(fileName);
    if (!ini.Load(error))
        return false;
    ini.EraseSection(section);
    SaveToIni(ini, section);
    return ini.Save(error);
}

bool TGDIPFill::LoadFromFile(const QString& fileName, const QString& section, QString* error)
{
    fw::TIniFile ini(fileName);
    if (!ini.Load(error))
        return false;
    return LoadFromIni(ini, section, error);
}

void TGDIPFill::SaveToClipBoard() const
{
    fw::TIniFile ini;
    SaveToIni(ini, kClipSection);
    auto* data = new QMimeData;
    data->setData(kClipFormat, ini.Text().toUtf8());
    QGuiApplication::clipboard()->setMimeData(data);
}

bool TGDIPFill::LoadFromClipBoard(QString* error)
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasFormat(kClipFormat))
        return true; // nothing of ours on the clipboard
    fw::TIniFile ini;
    ini.Parse(QString::fromUtf8(data->data(kClipFormat)));
    return LoadFromIni(ini, kClipSection, error);
}

} // namespace fx
