#include "controls/GDIPFill.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QSaveFile>
#include <QStringList>
#include <QTextStream>
#include <cmath>

namespace fx {

using gp::REAL;
using gp::TGPRectF;

// ---- geometry helpers ----

void RoundedPath(gp::TGPGraphicsPath& path, const TGPRectF& r, float radius, TFillRoundingType rt)
{
    const REAL d = radius * 2;
    const bool round = radius > 0 && d <= r.Width + 0.001f && d <= r.Height + 0.001f;
    const bool tl = round && (rt == rtTop || rt == rtBoth || rt == rtLeft);
    const bool tr = round && (rt == rtTop || rt == rtBoth || rt == rtRight);
    const bool br = round && (rt == rtBottom || rt == rtBoth || rt == rtRight);
    const bool bl = round && (rt == rtBottom || rt == rtBoth || rt == rtLeft);
    const REAL x = r.X, y = r.Y, w = r.Width, h = r.Height;
    if (tl)
        path.AddArc(x, y, d, d, 180, 90);
    else
        path.AddLine(x, y, x, y);
    if (tr)
        path.AddArc(x + w - d, y, d, d, 270, 90);
    else
        path.AddLine(x + w, y, x + w, y);
    if (br)
        path.AddArc(x + w - d, y + h - d, d, d, 0, 90);
    else
        path.AddLine(x + w, y + h, x + w, y + h);
    if (bl)
        path.AddArc(x, y + h - d, d, d, 90, 90);
    else
        path.AddLine(x, y + h, x, y + h);
    path.CloseFigure();
}

void AspectFit(TPictureMode mode, double RW, double RH, double w, double h, double& fw, double& fh)
{
    if (RW <= 0 || RH <= 0 || w <= 0 || h <= 0) {
        fw = fh = 0;
        return;
    }
    if (mode == pmNormal && w < RW && h < RH) {
        fw = w;
        fh = h;
        return;
    }
    if (RW / RH > w / h) {
        fh = RH;
        fw = w * RH / h;
    } else {
        fw = RW;
        fh = h * RW / w;
    }
}

fw::TRect FillPictureRect(const fw::TRect& r, int w, int h, TFillPicturePosition pos, int left, int top, bool aspect,
                          TPictureMode mode)
{
    const int cx = r.Left + (r.Right - r.Left - w) / 2;
    const int cy = r.Top + (r.Bottom - r.Top - h) / 2;
    switch (pos) {
    case ppTopLeft: return fw::Bounds(r.Left, r.Top, w, h);
    case ppTopCenter: return fw::Bounds(cx, r.Top, w, h);
    case ppTopRight: return fw::Bounds(r.Right - w, r.Top, w, h);
    case ppBottomLeft: return fw::Bounds(r.Left, r.Bottom - h, w, h);
    case ppBottomCenter: return fw::Bounds(cx, r.Bottom - h, w, h);
    case ppBottomRight: return fw::Bounds(r.Right - w, r.Bottom - h, w, h);
    case ppTiled: return {};
    case ppStretched: {
        const double RW = r.Width(), RH = r.Height();
        double fw = RW, fh = RH;
        if (aspect)
            AspectFit(mode, RW, RH, w, h, fw, fh);
        return fw::Bounds(gp::Round((RW - fw) / 2 + r.Left), gp::Round((RH - fh) / 2 + r.Top), gp::Round(fw),
                          gp::Round(fh));
    }
    case ppCenterLeft: return fw::Bounds(r.Left, cy, w, h);
    case ppCenterCenter: return fw::Bounds(cx, cy, w, h);
    case ppCenterRight: return fw::Bounds(r.Right - w, cy, w, h);
    case ppCustom: return fw::Bounds(left, top, w, h);
    }
    return {};
}

QString StreamToHex(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex().toUpper());
}

bool HexToStream(const QString& text, QByteArray& out, QString* error)
{
    QByteArray result;
    result.reserve(text.size() / 2);
    auto digit = [](QChar c) -> int {
        const char16_t u = QChar(c).toUpper().unicode();
        if (u >= '0' && u <= '9')
            return u - '0';
        if (u >= 'A' && u <= 'F')
            return u - 'A' + 10;
        return -1;
    };
    for (qsizetype i = 0; i + 1 < text.size(); i += 2) {
        const int hi = digit(text[i]), lo = digit(text[i + 1]);
        if (hi < 0 || lo < 0) {
            if (error)
                *error = QStringLiteral("No Hex-Number");
            return false;
        }
        result.append(char(hi * 16 + lo));
    }
    out = result;
    return true;
}

// ---- TGDIPFill ----

TGDIPFill::TGDIPFill() : FPicture(std::make_unique<TFxGDIPPicture>()), FBackGroundPicture(std::make_unique<TFxGDIPPicture>())
{
    FPicture->OnChange = [this](TPictureBytes*) { NotifyChange(); };
    FBackGroundPicture->OnChange = [this](TPictureBytes*) { NotifyChange(); };
}

TGDIPFill::~TGDIPFill()
{
    FPicture->OnChange = nullptr;
    FBackGroundPicture->OnChange = nullptr;
}

void TGDIPFill::SetPicture(const TFxGDIPPicture* v)
{
    if (v != FPicture.get())
        FPicture->Assign(v);
    NotifyChange();
}

void TGDIPFill::SetBackGroundPicture(const TFxGDIPPicture* v)
{
    if (v != FBackGroundPicture.get())
        FBackGroundPicture->Assign(v);
    NotifyChange();
}

void TGDIPFill::NotifyChange()
{
    if (OnChange && FUpdateCount == 0)
        OnChange(this);
}

void TGDIPFill::Assign(const TGDIPFill* s)
{
    if (!s || s == this)
        return;
    // Field by field, then one notice.
    BeginUpdate();
    FPictureAspectRatio = s->FPictureAspectRatio;
    FPictureAspectMode = s->FPictureAspectMode;
    FBackGroundPictureAspectRatio = s->FBackGroundPictureAspectRatio;
    FBackGroundPictureAspectMode = s->FBackGroundPictureAspectMode;
    FColor = s->FColor;
    FColorTo = s->FColorTo;
    FColorMirror = s->FColorMirror;
    FColorMirrorTo = s->FColorMirrorTo;
    FGradientType = s->FGradientType;
    FGradientMirrorType = s->FGradientMirrorType;
    FHatchStyle = s->FHatchStyle;
    FHatchStyleMirror = s->FHatchStyleMirror;
    FBackGroundPicture->Assign(s->FBackGroundPicture.get());
    FBackGroundPicturePosition = s->FBackGroundPicturePosition;
    FBackGroundPictureLeft = s->FBackGroundPictureLeft;
    FBackGroundPictureTop = s->FBackGroundPictureTop;
    FPicture->Assign(s->FPicture.get());
    FPicturePosition = s->FPicturePosition;
    FPictureLeft = s->FPictureLeft;
    FPictureTop = s->FPictureTop;
    FpictureSize = s->FpictureSize;
    FpictureWidth = s->FpictureWidth;
    FpictureHeight = s->FpictureHeight;
    FOpacity = s->FOpacity;
    FOpacityTo = s->FOpacityTo;
    FOpacityMirror = s->FOpacityMirror;
    FOpacityMirrorTo = s->FOpacityMirrorTo;
    FBorderColor = s->FBorderColor;
    FBorderWidth = s->FBorderWidth;
    FRounding = s->FRounding;
    FRoundingType = s->FRoundingType;
    FShadowColor = s->FShadowColor;
    FShadowOffset = s->FShadowOffset;
    FShadowType = s->FShadowType;
    FAngle = s->FAngle;
    FBorderOpacity = s->FBorderOpacity;
    FBackGroundPictureMode = s->FBackGroundPictureMode;
    FGlowGradientColor = s->FGlowGradientColor;
    FGlowRadialColor = s->FGlowRadialColor;
    FGlow = s->FGlow;
    EndUpdate();
    NotifyChange();
}

// ---- drawing ----

namespace {

// Sets a smoothing mode for a scope and restores the previous one.
class SmoothingScope {
public:
    SmoothingScope(gp::TGPGraphics& g, gdip::SmoothingMode mode, bool active = true) : FG(g), FActive(active)
    {
        if (!FActive)
            return;
        FOld = g.GetSmoothingMode();
        g.SetSmoothingMode(mode);
    }
    ~SmoothingScope()
    {
        if (FActive)
            FG.SetSmoothingMode(FOld);
    }

private:
    gp::TGPGraphics& FG;
    bool FActive;
    gdip::SmoothingMode FOld = gdip::SmoothingModeDefault;
};

fw::TRect IntRect(const TGPRectF& r)
{
    const int x = gp::Round(r.X), y = gp::Round(r.Y);
    return fw::Bounds(x, y, gp::Round(r.Width), gp::Round(r.Height));
}

struct AreaParams {
    TFxGradientType type;
    TColor c1;
    int a1;
    TColor c2;
    int a2;
    HatchStyle hatch;
    int angle;
    TFxGDIPPicture* texture;
    bool mirror;
};

void FillGradientArea(gp::TGPGraphics& g, const TGPRectF& r, gp::TGPGraphicsPath* path, const AreaParams& p)
{
    auto fillArea = [&](gp::TGPBrush& brush) {
        if (path)
            g.FillPath(&brush, path);
        else
            g.FillRectangle(&brush, r);
    };
    const TGPRectF grown{r.X - 1, r.Y - 1, r.Width + 2, r.Height + 2};
    const gdip::ARGB a = gp::ArgbFromColor(std::uint8_t(p.a1), p.c1);
    const gdip::ARGB b = gp::ArgbFromColor(std::uint8_t(p.a2), p.c2);
    switch (p.type) {
    case gp::gtSolid: {
        gp::TGPSolidBrush brush(a);
        fillArea(brush);
        break;
    }
    case gp::gtVertical:
    case gp::gtHorizontal:
    case gp::gtForwardDiagonal:
    case gp::gtBackwardDiagonal: {
        const gdip::LinearGradientMode mode =
            p.type == gp::gtVertical ? gdip::LinearGradientModeVertical
            : p.type == gp::gtHorizontal ? gdip::LinearGradientModeHorizontal
            : p.type == gp::gtForwardDiagonal ? gdip::LinearGradientModeForwardDiagonal
                                              : gdip::LinearGradientModeBackwardDiagonal;
        gp::TGPLinearGradientBrush brush(grown, a, b, mode);
        brush.SetGammaCorrection(true);
        fillArea(brush);
        if (p.mirror) {
            gp::TGPSolidBrush top(a);
            g.FillRectangle(&top, r.X, r.Y, r.Width, 1);
        }
        break;
    }
    case gp::gtAngle: {
        gp::TGPLinearGradientBrush brush(grown, a, b, REAL(p.angle), true);
        brush.SetGammaCorrection(true);
        fillArea(brush);
        break;
    }
    case gp::gtHatch: {
        gp::TGPHatchBrush brush(p.hatch, a, b);
        fillArea(brush);
        break;
    }
    case gp::gtTexture:
        if (p.texture) {
            if (path)
                p.texture->FillPath(g, *path);
            else
                p.texture->FillRect(g, r);
        }
        break;
    case gp::gtRadial:
    case gp::gtPath:
    case gp::gtNone:
        break;
    }
}

} // namespace

void TGDIPFill::FillRadial(gp::TGPGraphics& g, TGPRectF r, TColor c, TColor cto, int o, int oto, bool top,
                           TFillRoundingType rt)
{
    gp::TGPGraphicsPath outline;
    RoundedPath(outline, r, REAL(FRounding), rt);
    {
        gp::TGPSolidBrush solid(top ? gp::ArgbFromColor(std::uint8_t(o), c) : gp::ArgbFromColor(std::uint8_t(oto), cto));
        g.FillPath(&solid, &outline);
    }
    g.SetClip(&outline);
    gp::TGPGraphicsPath ellipse;
    if (top)
        ellipse.AddEllipse(r.X, r.Y - r.Height / 2, r.Width, r.Height * 1.5f);
    else
        ellipse.AddEllipse(r.X, r.Y, r.Width, r.Height * 1.5f);
    gp::TGPPathGradientBrush brush(&ellipse);
    brush.SetCenterPoint(top ? gp::TGPPointF{r.X + r.Width / 2, r.Y} : gp::TGPPointF{r.X + r.Width / 2, r.Y + r.Height});
    int count = 1;
    if (top) {
        brush.SetCenterColor(gp::ArgbFromColor(std::uint8_t(oto), cto));
        const gdip::ARGB s = gp::ArgbFromColor(std::uint8_t(o), c);
        brush.SetSurroundColors(&s, count);
    } else {
        brush.SetCenterColor(gp::ArgbFromColor(std::uint8_t(o), c));
        const gdip::ARGB s = gp::ArgbFromColor(std::uint8_t(oto), cto);
        brush.SetSurroundColors(&s, count);
    }
    g.FillRectangle(&brush, r);
    g.ResetClip();
}

void TGDIPFill::DrawGradientBackGround(gp::TGPGraphics& g, TGPRectF r, bool mirror, int oc, int octo, int ocmr,
                                       int ocmrto)
{
    AreaParams p{};
    if (mirror)
        p = {FGradientMirrorType, FColorMirror, ocmr, FColorMirrorTo, ocmrto, FHatchStyleMirror, FAngle, nullptr, true};
    else
        p = {FGradientType, FColor, oc, FColorTo, octo, FHatchStyle, FAngle, nullptr, false};
    if (p.c1 == fw::clNone)
        p.type = gp::gtNone;
    else if (p.c2 == fw::clNone)
        p.type = gp::gtSolid;
    if (FBackGroundPicturePosition == ppTiled)
        p.texture = FBackGroundPicture.get();

    std::unique_ptr<gp::TGPGraphicsPath> outline;
    if (FRounding != 0) {
        TFillRoundingType rt = FRoundingType;
        if (FColorMirror != fw::clNone) {
            if (!mirror)
                rt = (rt == rtNone || rt == rtBottom) ? rtNone : (rt == rtLeft || rt == rtRight) ? rt : rtTop;
            else
                rt = (rt == rtNone || rt == rtTop) ? rtNone : (rt == rtLeft || rt == rtRight) ? rt : rtBottom;
        }
        outline = std::make_unique<gp::TGPGraphicsPath>();
        RoundedPath(*outline, r, REAL(FRounding), rt);
    }
    SmoothingScope smooth(g, gdip::SmoothingModeAntiAlias, outline != nullptr);
    FillGradientArea(g, r, outline.get(), p);
}

void TGDIPFill::DrawGlow(gp::TGPGraphics& g, TGPRectF r)
{
    if (FGlow == gmNone)
        return;
    g.SetClip(r);
    const TGPRectF I{r.X + 1, r.Y + 1, r.Width - 2, r.Height - 2};
    if (FGlow == gmGradient || FGlow == gmRadialGradient) {
        {
            gp::TGPGraphicsPath outline;
            RoundedPath(outline, I, REAL(FRounding), FRoundingType);
            gp::TGPPen pen(gp::ArgbFromColor(200, FGlowGradientColor), 1);
            g.DrawPath(&pen, &outline);
        }
        const TGPRectF b1{I.X + 5, I.Y, I.Width - 10, 4};
        if (b1.Width > 0) {
            gp::TGPLinearGradientBrush brush(TGPRectF{b1.X - 1, b1.Y - 1, b1.Width + 2, b1.Height + 2},
                                             gp::ArgbFromColor(175, FGlowGradientColor),
                                             gp::ArgbFromColor(0, FGlowGradientColor), gdip::LinearGradientModeVertical);
            const gp::TGPPointF left[3] = {{I.X, I.Y}, {I.X + 5, I.Y}, {I.X + 5, I.Y + 4}};
            const gp::TGPPointF right[3] = {{I.X + I.Width, I.Y}, {I.X + I.Width - 5, I.Y}, {I.X + I.Width - 5, I.Y + 4}};
            g.FillPolygon(&brush, left, 3);
            g.FillPolygon(&brush, right, 3);
            g.FillRectangle(&brush, b1);
        }
        const TGPRectF b2{I.X + 5, I.Y + I.Height - 7, I.Width - 10, 7};
        if (b2.Width > 0) {
            gp::TGPLinearGradientBrush brush(TGPRectF{b2.X - 1, b2.Y - 1, b2.Width + 2, b2.Height + 2},
                                             gp::ArgbFromColor(0, FGlowGradientColor),
                                             gp::ArgbFromColor(220, FGlowGradientColor), gdip::LinearGradientModeVertical);
            const REAL bottom = I.Y + I.Height;
            const gp::TGPPointF left[3] = {{I.X, bottom}, {I.X + 5, bottom}, {I.X + 5, bottom - 7}};
            const gp::TGPPointF right[3] = {{I.X + I.Width, bottom}, {I.X + I.Width - 5, bottom}, {I.X + I.Width - 5, bottom - 7}};
            g.FillPolygon(&brush, left, 3);
            g.FillPolygon(&brush, right, 3);
            g.FillRectangle(&brush, b2);
        }
    }
    if ((FGlow == gmRadial || FGlow == gmRadialGradient) && I.Width > 20 && I.Height > 0) {
        gp::TGPGraphicsPath ellipse;
        const TGPRectF e{I.X + 10, I.Y - I.Height / 2, I.Width - 20, 3 * I.Height};
        ellipse.AddEllipse(e);
        gp::TGPPathGradientBrush brush(&ellipse);
        brush.SetCenterPoint({e.X + e.Width / 2, e.Y + e.Height / 2});
        brush.SetCenterColor(gp::ArgbFromColor(150, FGlowRadialColor));
        int count = 1;
        const gdip::ARGB s = gp::ArgbFromColor(0, FColor == fw::clNone ? fw::clWhite : FColor);
        brush.SetSurroundColors(&s, count);
        g.FillPath(&brush, &ellipse);
    }
    g.ResetClip();
}

void TGDIPFill::DrawPicture(gp::TGPGraphics& g, const fw::TRect& r, TFxGDIPPicture& pic, int w, int h,
                            TFillPicturePosition pos, int left, int top, bool aspect, TPictureMode mode)
{
    if (pic.Empty() || pos == ppTiled)
        return;
    const fw::TRect at = FillPictureRect(r, w, h, pos, left, top, aspect, mode);
    if (at.IsEmpty())
        return;
    pic.GDIPDraw(g, at);
}

void TGDIPFill::Fill(gp::TGPGraphics* graphics, TGPRectF r, int ABorderOpacity, int AOpacity, int AOpacityTo,
                     int AOpacityMirror, int AOpacityMirrorTo, TGPRectF* contentRect)
{
    if (!graphics)
        return;
    gp::TGPGraphics& g = *graphics;
    const int bo = ABorderOpacity == 255 ? FBorderOpacity : ABorderOpacity;
    const int oc = AOpacity == 255 ? FOpacity : AOpacity;
    const int octo = AOpacityTo == 255 ? FOpacityTo : AOpacityTo;
    const int ocmr = AOpacityMirror == 255 ? FOpacityMirror : AOpacityMirror;
    const int ocmrto = AOpacityMirrorTo == 255 ? FOpacityMirrorTo : AOpacityMirrorTo;
    const bool border = FBorderWidth > 0 && FBorderColor != fw::clNone;

    if (r.Width == 1 || r.Height == 1) {
        if (border) {
            gp::TGPPen pen(gp::ArgbFromColor(std::uint8_t(bo), FBorderColor), REAL(FBorderWidth));
            g.DrawLine(&pen, r.X, r.Y, r.X + r.Width, r.Y + r.Height);
        }
    } else {
        const int o = FShadowOffset;
        if (o > 0 && FShadowColor != fw::clNone) {
            switch (FShadowType) {
            case stBottom:
                FillRadial(g, TGPRectF{r.X, r.Y + r.Height - 2 * o, r.Width, REAL(2 * o)}, FShadowColor, FShadowColor, 0,
                           255, true, rtBottom);
                r.Height -= o;
                break;
            case stRightBottom:
            case stSurround: {
                gp::TGPGraphicsPath outline;
                if (FShadowType == stRightBottom)
                    RoundedPath(outline, r, REAL(FRounding), FRoundingType);
                else
                    RoundedPath(outline, r, REAL(o), rtBoth);
                gp::TGPPathGradientBrush brush(&outline);
                brush.SetWrapMode(gdip::WrapModeClamp);
                const gdip::ARGB shade = gp::ArgbFromColor(180, FShadowColor);
                const gdip::ARGB colors[3] = {0, shade, shade};
                const REAL positions[3] = {0, 0.1f, 1};
                brush.SetInterpolationColors(colors, positions, 3);
                g.FillPath(&brush, &outline);
                if (FShadowType == stRightBottom) {
                    r.Width -= o;
                    r.Height -= o;
                } else {
                    r.X += o;
                    r.Y += o;
                    r.Width -= 2 * o;
                    r.Height -= 2 * o;
                }
                break;
            }
            }
        }

        if (FGradientType == gp::gtHatch || FGradientType == gp::gtTexture || FColorMirror == fw::clNone) {
            if (FGradientType == gp::gtRadial && FColor != fw::clNone)
                FillRadial(g, r, FColor, FColorTo == fw::clNone ? FColor : FColorTo, oc, octo, true, FRoundingType);
            else
                DrawGradientBackGround(g, r, false, oc, octo, ocmr, ocmrto);
        } else {
            const REAL h = r.Height / 2;
            const TGPRectF upper{r.X, r.Y, r.Width, r.Height - h + 1};
            const TGPRectF lower{r.X, r.Y + h - 1, r.Width, r.Height - h + 1};
            if (FGradientType == gp::gtRadial && FColor != fw::clNone)
                FillRadial(g, upper, FColor, FColorTo == fw::clNone ? FColor : FColorTo, oc, octo, true, rtTop);
            else
                DrawGradientBackGround(g, upper, false, oc, octo, ocmr, ocmrto);
            if (FGradientMirrorType == gp::gtRadial && FColorMirror != fw::clNone)
                FillRadial(g, lower, FColorMirror, FColorMirrorTo == fw::clNone ? FColorMirror : FColorMirrorTo, ocmr,
                           ocmrto, false, rtBottom);
            else
                DrawGradientBackGround(g, lower, true, oc, octo, ocmr, ocmrto);
        }

        if (FBackGroundPictureMode == pmInsideFill && FGradientType == gp::gtTexture) {
            gp::TGPGraphicsPath outline;
            RoundedPath(outline, r, REAL(FRounding), FRoundingType);
            g.SetClip(&outline);
            DrawPicture(g, IntRect(r), *FBackGroundPicture, FBackGroundPicture->Width(), FBackGroundPicture->Height(),
                        FBackGroundPicturePosition, FBackGroundPictureLeft, FBackGroundPictureTop,
                        FBackGroundPictureAspectRatio, FBackGroundPictureAspectMode);
            g.ResetClip();
        }

        if (border) {
            gp::TGPGraphicsPath outline;
            RoundedPath(outline, r, REAL(FRounding), FRoundingType);
            gp::TGPPen pen(gp::ArgbFromColor(std::uint8_t(bo), FBorderColor), REAL(FBorderWidth));
            g.DrawPath(&pen, &outline);
        }
    }

    DrawGlow(g, r);

    const REAL bw = REAL(FBorderWidth);
    FFocusRect = TGPRectF{r.X + bw, r.Y + bw, r.Width - 2 * bw, r.Height - 2 * bw};
    if (FFocus && FFocusRect.Width > 0 && FFocusRect.Height > 0) {
        SmoothingScope smooth(g, gdip::SmoothingModeDefault);
        gp::TGPGraphicsPath outline;
        RoundedPath(outline, FFocusRect, REAL(FRounding - FBorderWidth), FRoundingType);
        gp::TGPPen pen(gp::ArgbFromColor(std::uint8_t(oc), FFocusColor), 1);
        pen.SetDashStyle(gdip::DashStyleDot);
        g.DrawPath(&pen, &outline);
    }

    if (FBackGroundPictureMode == pmOutsideFill && FGradientType == gp::gtTexture)
        DrawPicture(g, IntRect(r), *FBackGroundPicture, FBackGroundPicture->Width(), FBackGroundPicture->Height(),
                    FBackGroundPicturePosition, FBackGroundPictureLeft, FBackGroundPictureTop,
                    FBackGroundPictureAspectRatio, FBackGroundPictureAspectMode);

    if (!FPicture->Empty()) {
        FPicture->GetImageSizes();
        const int w = FpictureSize == psCustom ? FpictureWidth : FPicture->Width();
        const int h = FpictureSize == psCustom ? FpictureHeight : FPicture->Height();
        DrawPicture(g, IntRect(r), *FPicture, w, h, FPicturePosition, FPictureLeft, FPictureTop, FPictureAspectRatio,
                    FPictureAspectMode);
    }

    if (contentRect)
        *contentRect = r;
}

// ---- persistence ----

namespace {

constexpr long long kColorLo = -2147483647LL - 1, kColorHi = 2147483647LL;
// Pictures in a section are bounded so that a bad file cannot ask for unbounded memory.
constexpr qsizetype kMaxHexText = 64 * 1024 * 1024;

} // namespace

QMap<QString, QString> TGDIPFill::SaveToSection() const
{
    QMap<QString, QString> k;
    auto put = [&](const char* name, long long v) { k.insert(QString::fromLatin1(name), QString::number(v)); };
    put("Color", FColor);
    put("ColorTo", FColorTo);
    put("ColorMirror", FColorMirror);
    put("ColorMirrorTo", FColorMirrorTo);
    put("GradientType", FGradientType);
    put("GradientMirrorType", FGradientMirrorType);
    put("HatchStyle", FHatchStyle);
    put("HatchStyleMirror", FHatchStyleMirror);
    put("BackGroundPictureMode", FBackGroundPictureMode);
    put("BackGroundPicturePosition", FBackGroundPicturePosition);
    put("BackGroundPictureLeft", FBackGroundPictureLeft);
    put("BackGroundPictureTop", FBackGroundPictureTop);
    put("PicturePosition", FPicturePosition);
    put("PictureLeft", FPictureLeft);
    put("PictureTop", FPictureTop);
    put("PictureSize", FpictureSize);
    put("PictureWidth", FpictureWidth);
    put("PictureHeight", FpictureHeight);
    put("Opacity", FOpacity);
    put("OpacityTo", FOpacityTo);
    put("OpacityMirror", FOpacityMirror);
    put("OpacityMirrorTo", FOpacityMirrorTo);
    put("BorderColor", FBorderColor);
    put("BorderOpacity", FBorderOpacity);
    put("BorderWidth", FBorderWidth);
    put("Rounding", FRounding);
    put("RoundingType", FRoundingType);
    put("ShadowOffset", FShadowOffset);
    put("ShadowColor", FShadowColor);
    put("Angle", FAngle);
    put("Glow", FGlow);
    put("GlowGradientColor", FGlowGradientColor);
    put("GlowRadialColor", FGlowRadialColor);
    // The picture's text length goes under a key of its own so that "PictureSize" keeps the property.
    const QString pic = FPicture->Empty() ? QString() : StreamToHex(FPicture->Data());
    k.insert(QStringLiteral("Picture"), pic);
    put("PictureDataSize", pic.size());
    const QString bg = FBackGroundPicture->Empty() ? QString() : StreamToHex(FBackGroundPicture->Data());
    k.insert(QStringLiteral("BackgroundPicture"), bg);
    put("BackgroundPictureSize", bg.size());
    return k;
}

bool TGDIPFill::LoadFromSection(const QMap<QString, QString>& keys, QString* error)
{
    // Keys are case-insensitive, as in INI files.
    QMap<QString, QString> lower;
    for (auto it = keys.begin(); it != keys.end(); ++it)
        lower.insert(it.key().toLower(), it.value());
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    bool ok = true;
    QString bad;
    // Each read takes the current value as default.
    auto read = [&](const char* name, long long current, long long lo, long long hi) -> long long {
        const auto it = lower.constFind(QString::fromLatin1(name).toLower());
        if (it == lower.constEnd() || it.value().trimmed().isEmpty())
            return current;
        bool good = false;
        const long long v = it.value().trimmed().toLongLong(&good);
        if (!good || v < lo || v > hi) {
            if (ok)
                bad = QStringLiteral("Bad value for \"%1\": %2").arg(QString::fromLatin1(name), it.value());
            ok = false;
            return current;
        }
        return v;
    };
    const long long I32lo = -2147483647LL - 1, I32hi = 2147483647LL;
    const long long gtHi = gp::gtNone, ppHi = ppCustom;
    const TColor color = TColor(read("Color", FColor, kColorLo, kColorHi));
    const TColor colorTo = TColor(read("ColorTo", FColorTo, kColorLo, kColorHi));
    const TColor colorMirror = TColor(read("ColorMirror", FColorMirror, kColorLo, kColorHi));
    const TColor colorMirrorTo = TColor(read("ColorMirrorTo", FColorMirrorTo, kColorLo, kColorHi));
    const auto gradientType = TFxGradientType(read("GradientType", FGradientType, 0, gtHi));
    const auto gradientMirrorType = TFxGradientType(read("GradientMirrorType", FGradientMirrorType, 0, gtHi));
    const int hatch = int(read("HatchStyle", FHatchStyle, 0, HatchStyleMax));
    const int hatchMirror = int(read("HatchStyleMirror", FHatchStyleMirror, 0, HatchStyleMax));
    const auto bgMode = TFillPictureMode(read("BackGroundPictureMode", FBackGroundPictureMode, 0, pmOutsideFill));
    const auto bgPos = TFillPicturePosition(read("BackGroundPicturePosition", FBackGroundPicturePosition, 0, ppHi));
    const int bgLeft = int(read("BackGroundPictureLeft", FBackGroundPictureLeft, I32lo, I32hi));
    const int bgTop = int(read("BackGroundPictureTop", FBackGroundPictureTop, I32lo, I32hi));
    const auto picPos = TFillPicturePosition(read("PicturePosition", FPicturePosition, 0, ppHi));
    const int picLeft = int(read("PictureLeft", FPictureLeft, I32lo, I32hi));
    const int picTop = int(read("PictureTop", FPictureTop, I32lo, I32hi));
    // Files of the older form hold the picture's text length here; only 0 and 1 are the property.
    long long picSizeRaw = read("PictureSize", FpictureSize, I32lo, I32hi);
    const auto picSize = (picSizeRaw == psOriginal || picSizeRaw == psCustom) ? TFillPictureSize(picSizeRaw) : FpictureSize;
    const int picWidth = int(read("PictureWidth", FpictureWidth, I32lo, I32hi));
    const int picHeight = int(read("PictureHeight", FpictureHeight, I32lo, I32hi));
    const int opacity = int(read("Opacity", FOpacity, 0, 255));
    const int opacityTo = int(read("OpacityTo", FOpacityTo, 0, 255));
    const int opacityMirror = int(read("OpacityMirror", FOpacityMirror, 0, 255));
    const int opacityMirrorTo = int(read("OpacityMirrorTo", FOpacityMirrorTo, 0, 255));
    const TColor borderColor = TColor(read("BorderColor", FBorderColor, kColorLo, kColorHi));
    const int borderOpacity = int(read("BorderOpacity", FBorderOpacity, 0, 255));
    const int borderWidth = int(read("BorderWidth", FBorderWidth, I32lo, I32hi));
    const int rounding = int(read("Rounding", FRounding, I32lo, I32hi));
    const auto roundingType = TFillRoundingType(read("RoundingType", FRoundingType, 0, rtRight));
    const int shadowOffset = int(read("ShadowOffset", FShadowOffset, I32lo, I32hi));
    const TColor shadowColor = TColor(read("ShadowColor", FShadowColor, kColorLo, kColorHi));
    const int angle = int(read("Angle", FAngle, I32lo, I32hi));
    const auto glow = TGlowMode(read("Glow", FGlow, 0, gmRadialGradient));
    const TColor glowGradient = TColor(read("GlowGradientColor", FGlowGradientColor, kColorLo, kColorHi));
    const TColor glowRadial = TColor(read("GlowRadialColor", FGlowRadialColor, kColorLo, kColorHi));
    if (!ok)
        return fail(bad);

    // Pictures: decoded and checked before anything is stored.
    auto readPicture = [&](const char* key, QByteArray& bytes, bool& present) -> bool {
        const QString text = lower.value(QString::fromLatin1(key).toLower());
        present = !text.isEmpty();
        if (!present)
            return true;
        if (text.size() > kMaxHexText)
            return fail(QStringLiteral("Picture too large in \"%1\"").arg(QString::fromLatin1(key)));
        QString why;
        if (!HexToStream(text, bytes, &why))
            return fail(why);
        return true;
    };
    QByteArray picBytes, bgBytes;
    bool hasPic = false, hasBg = false;
    if (!readPicture("Picture", picBytes, hasPic) || !readPicture("BackgroundPicture", bgBytes, hasBg))
        return false;
    TFxGDIPPicture newPic, newBg;
    QString why;
    if (hasPic && !picBytes.isEmpty() && !newPic.LoadFromStream(picBytes, &why))
        return fail(QStringLiteral("Picture: ") + why);
    if (hasBg && !bgBytes.isEmpty() && !newBg.LoadFromStream(bgBytes, &why))
        return fail(QStringLiteral("BackgroundPicture: ") + why);

    BeginUpdate();
    FColor = color;
    FColorTo = colorTo;
    FColorMirror = colorMirror;
    FColorMirrorTo = colorMirrorTo;
    FGradientType = gradientType;
    FGradientMirrorType = gradientMirrorType;
    FHatchStyle = hatch;
    FHatchStyleMirror = hatchMirror;
    FBackGroundPictureMode = bgMode;
    FBackGroundPicturePosition = bgPos;
    FBackGroundPictureLeft = bgLeft;
    FBackGroundPictureTop = bgTop;
    FPicturePosition = picPos;
    FPictureLeft = picLeft;
    FPictureTop = picTop;
    FpictureSize = picSize;
    FpictureWidth = picWidth;
    FpictureHeight = picHeight;
    FOpacity = std::uint8_t(opacity);
    FOpacityTo = std::uint8_t(opacityTo);
    FOpacityMirror = std::uint8_t(opacityMirror);
    FOpacityMirrorTo = std::uint8_t(opacityMirrorTo);
    FBorderColor = borderColor;
    FBorderOpacity = std::uint8_t(borderOpacity);
    FBorderWidth = borderWidth;
    FRounding = rounding;
    FRoundingType = roundingType;
    FShadowOffset = shadowOffset;
    FShadowColor = shadowColor;
    FAngle = angle;
    FGlow = glow;
    FGlowGradientColor = glowGradient;
    FGlowRadialColor = glowRadial;
    if (hasPic && !picBytes.isEmpty())
        FPicture->Assign(&newPic);
    if (hasBg && !bgBytes.isEmpty())
        FBackGroundPicture->Assign(&newBg);
    EndUpdate();
    NotifyChange();
    return true;
}

namespace {

// A whole INI file kept as lines, so that a save changes one section and keeps the rest.
struct IniText {
    QStringList lines;

    bool Read(const QString& fileName, QString* error)
    {
        QFile f(fileName);
        if (!f.exists())
            return true;
        if (!f.open(QIODevice::ReadOnly)) {
            if (error)
                *error = QStringLiteral("open '%1': %2").arg(fileName, f.errorString());
            return false;
        }
        const QString text = QString::fromUtf8(f.readAll());
        lines = text.split(QLatin1Char('\n'));
        for (QString& l : lines)
            if (l.endsWith(QLatin1Char('\r')))
                l.chop(1);
        while (!lines.isEmpty() && lines.back().isEmpty())
            lines.pop_back();
        return true;
    }

    static bool IsSection(const QString& line, QString* name)
    {
        const QString t = line.trimmed();
        if (!t.startsWith(QLatin1Char('[')) || !t.endsWith(QLatin1Char(']')))
            return false;
        if (name)
            *name = t.mid(1, t.size() - 2).trimmed();
        return true;
    }

    // The [first, last) line range of a section's body; first = -1 when absent.
    void Find(const QString& section, int& first, int& last) const
    {
        first = last = -1;
        for (int i = 0; i < lines.size(); ++i) {
            QString name;
            if (!IsSection(lines[i], &name))
                continue;
            if (first >= 0) {
                last = i;
                return;
            }
            if (name.compare(section, Qt::CaseInsensitive) == 0)
                first = i + 1;
        }
        if (first >= 0)
            last = int(lines.size());
    }

    QMap<QString, QString> Section(const QString& section) const
    {
        QMap<QString, QString> keys;
        int first, last;
        Find(section, first, last);
        for (int i = first; first >= 0 && i < last; ++i) {
            const QString& l = lines[i];
            const int eq = int(l.indexOf(QLatin1Char('=')));
            if (eq <= 0 || l.trimmed().startsWith(QLatin1Char(';')))
                continue;
            const QString key = l.left(eq).trimmed();
            if (!keys.contains(key))
                keys.insert(key, l.mid(eq + 1).trimmed());
        }
        return keys;
    }

    void Replace(const QString& section, const QStringList& body)
    {
        int first, last;
        Find(section, first, last);
        if (first < 0) {
            if (!lines.isEmpty())
                lines.append(QString());
            lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
            lines.append(body);
            return;
        }
        // Keep a blank line that separated this section from the next.
        int end = last;
        while (end > first && lines[end - 1].trimmed().isEmpty())
            --end;
        QStringList out = lines.mid(0, first);
        out.append(body);
        out.append(lines.mid(end));
        lines = out;
    }
};

const char* const kKeyOrder[] = {
    "Color", "ColorTo", "ColorMirror", "ColorMirrorTo", "GradientType", "GradientMirrorType", "HatchStyle",
    "HatchStyleMirror", "BackGroundPictureMode", "BackGroundPicturePosition", "BackGroundPictureLeft",
    "BackGroundPictureTop", "PicturePosition", "PictureLeft", "PictureTop", "PictureSize", "PictureWidth",
    "PictureHeight", "Opacity", "OpacityTo", "OpacityMirror", "OpacityMirrorTo", "BorderColor", "BorderOpacity",
    "BorderWidth", "Rounding", "RoundingType", "ShadowOffset", "ShadowColor", "Angle", "Glow", "GlowGradientColor",
    "GlowRadialColor", "Picture", "PictureDataSize", "BackgroundPicture", "BackgroundPictureSize"};

QStringList OrderedBody(const QMap<QString, QString>& keys)
{
    QStringList body;
    for (const char* k : kKeyOrder) {
        const QString key = QString::fromLatin1(k);
        body.append(key + QLatin1Char('=') + keys.value(key));
    }
    return body;
}

} // namespace

bool TGDIPFill::SaveToFile(const QString& fileName, const QString& section, QString* error) const
{
    IniText ini;
    if (!ini.Read(fileName, error))
        return false;
    ini.Replace(section, OrderedBody(SaveToSection()));
    QSaveFile f(fileName);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error)
            *error = QStringLiteral("write '%1': %2").arg(fileName, f.errorString());
        return false;
    }
    const QByteArray bytes = (ini.lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
    if (f.write(bytes) != bytes.size() || !f.commit()) {
        if (error)
            *error = QStringLiteral("write '%1': %2").arg(fileName, f.errorString());
        return false;
    }
    return true;
}

bool TGDIPFill::LoadFromFile(const QString& fileName, const QString& section, QString* error)
{
    if (!QFile::exists(fileName)) {
        if (error)
            *error = QStringLiteral("open '%1': no such file").arg(fileName);
        return false;
    }
    IniText ini;
    if (!ini.Read(fileName, error))
        return false;
    return LoadFromSection(ini.Section(section), error);
}

const char* TGDIPFill::ClipboardFormat() { return "GDI+ Fill"; }

bool TGDIPFill::SaveToClipBoard() const
{
    QClipboard* clip = QGuiApplication::clipboard();
    if (!clip)
        return false;
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(ClipboardFormat()), OrderedBody(SaveToSection()).join(QLatin1Char('\n')).toUtf8());
    clip->setMimeData(data);
    return true;
}

bool TGDIPFill::LoadFromClipBoard(QString* error)
{
    QClipboard* clip = QGuiApplication::clipboard();
    const QMimeData* data = clip ? clip->mimeData() : nullptr;
    const QString fmt = QString::fromLatin1(ClipboardFormat());
    if (!data || !data->hasFormat(fmt))
        return true;
    IniText ini;
    ini.lines = QStringList{QStringLiteral("[Fill]")} + QString::fromUtf8(data->data(fmt)).split(QLatin1Char('\n'));
    return LoadFromSection(ini.Section(QStringLiteral("Fill")), error);
}

} // namespace fx
