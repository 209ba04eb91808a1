#include "framework/gdiplus/GDIPAPI.h"

#include "framework/Canvas.h"

#include <memory>

namespace gp
{

ARGB ArgbFromColor(std::uint8_t alpha, fw::TColor c)
{
    const fw::TColor rgb = fw::ColorToRGB(c) & 0xFFFFFF;
    return ComposeArgb(alpha, std::uint8_t(fw::GetRValue(rgb)), std::uint8_t(fw::GetGValue(rgb)),
                       std::uint8_t(fw::GetBValue(rgb)));
}

TGPTextureBrush::TGPTextureBrush(TGPImage* image, WrapMode wrap)
{
    lastResult = GdipCreateTexture(image ? image->Native() : nullptr, wrap, &nativeBrush);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(TGPPointF p1, TGPPointF p2, ARGB c1, ARGB c2)
{
    lastResult = GdipCreateLineBrush(reinterpret_cast<GpPointF*>(&p1), reinterpret_cast<GpPointF*>(&p2), c1,
                                     c2, WrapModeTile, &nativeBrush);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(TGPRectF r, ARGB c1, ARGB c2, LinearGradientMode mode)
{
    lastResult =
        GdipCreateLineBrushFromRect(reinterpret_cast<GpRectF*>(&r), c1, c2, mode, WrapModeTile, &nativeBrush);
}

TGPLinearGradientBrush::TGPLinearGradientBrush(TGPRectF r, ARGB c1, ARGB c2, REAL angle, bool scalable)
{
    lastResult = GdipCreateLineBrushFromRectWithAngle(reinterpret_cast<GpRectF*>(&r), c1, c2, angle, scalable,
                                                      WrapModeTile, &nativeBrush);
}

Status TGPLinearGradientBrush::SetInterpolationColors(const ARGB* colors, const REAL* positions, int count)
{
    if (count <= 0)
        return Keep(InvalidParameter, lastResult);
    return Keep(GdipSetLinePresetBlend(nativeBrush, colors, positions, count), lastResult);
}

TGPPathGradientBrush::TGPPathGradientBrush(TGPGraphicsPath* path)
{
    lastResult = GdipCreatePathGradientFromPath(path ? path->Native() : nullptr, &nativeBrush);
}

Status TGPPathGradientBrush::SetCenterColor(ARGB c)
{
    Keep(GdipSetPathGradientCenterColor(nativeBrush, c), lastResult);
    return lastResult;
}

Status TGPPathGradientBrush::GetCenterColor(ARGB& c)
{
    Keep(GdipGetPathGradientCenterColor(nativeBrush, &c), lastResult);
    return lastResult;
}

int TGPPathGradientBrush::GetPointCount()
{
    int n = 0;
    Keep(GdipGetPathGradientPointCount(nativeBrush, &n), lastResult);
    return n;
}

Status TGPPathGradientBrush::SetSurroundColors(const ARGB* colors, int& count)
{
    const int points = GetPointCount();
    if (!colors || count > points || points <= 0)
        return Keep(InvalidParameter, lastResult);
    int n = count;
    Keep(GdipSetPathGradientSurroundColorsWithCount(nativeBrush, colors, &n), lastResult);
    if (lastResult == Ok)
        count = n;
    return lastResult;
}

Status TGPPathGradientBrush::GetSurroundColors(ARGB* colors, int& count)
{
    if (!colors)
        return Keep(InvalidParameter, lastResult);
    int have = 0;
    Keep(GdipGetPathGradientSurroundColorCount(nativeBrush, &have), lastResult);
    if (lastResult != Ok)
        return lastResult;
    if (count < have || have <= 0)
        return Keep(InsufficientBuffer, lastResult);
    int n = count;
    Keep(GdipGetPathGradientSurroundColorsWithCount(nativeBrush, colors, &n), lastResult);
    if (lastResult == Ok)
        count = n;
    return lastResult;
}

Status TGPPathGradientBrush::SetInterpolationColors(const ARGB* colors, const REAL* positions, int count)
{
    if (count <= 0 || !colors)
        return Keep(InvalidParameter, lastResult);
    return Keep(GdipSetPathGradientPresetBlend(nativeBrush, colors, positions, count), lastResult);
}

DashStyle TGPPen::GetDashStyle()
{
    DashStyle s = DashStyleSolid;
    Keep(GdipGetPenDashStyle(nativePen, &s), lastResult);
    return s;
}

int TGPGraphicsPath::GetPointCount()
{
    int n = 0;
    Keep(GdipGetPointCount(nativePath, &n), lastResult);
    return n;
}

TGPMatrix* TGPMatrix::Clone()
{
    GpMatrix* clone = nullptr;
    Keep(GdipCloneMatrix(nativeMatrix, &clone), lastResult);
    if (lastResult != Ok) {
        if (clone)
            GdipDeleteMatrix(clone);
        return nullptr;
    }
    return new TGPMatrix(clone);
}

REAL TGPMatrix::OffsetX()
{
    REAL e[6];
    return GetElements(e) == Ok ? e[4] : 0;
}

REAL TGPMatrix::OffsetY()
{
    REAL e[6];
    return GetElements(e) == Ok ? e[5] : 0;
}

Status TGPMatrix::RotateAt(REAL angle, TGPPointF c, MatrixOrder order)
{
    if (order == MatrixOrderAppend) {
        Translate(-c.X, -c.Y, order);
        Rotate(angle, order);
        return Translate(c.X, c.Y, order);
    }
    Translate(c.X, c.Y, order);
    Rotate(angle, order);
    return Translate(-c.X, -c.Y, order);
}

bool TGPMatrix::IsIdentity()
{
    bool r = false;
    return Keep(GdipIsMatrixIdentity(nativeMatrix, &r), lastResult) == Ok && r;
}

TGPFontFamily* TGPFontFamily::GenericSansSerif()
{
    static TGPFontFamily* family = [] {
        GpFontFamily* native = nullptr;
        const Status s = GdipGetGenericFontFamilySansSerif(&native);
        return new TGPFontFamily(native, s);
    }();
    return family;
}

TGPFont::TGPFont(TGPFontFamily* family, REAL emSize, int style, Unit unit)
{
    lastResult = GdipCreateFont(family ? family->Native() : nullptr, emSize, style, unit, &nativeFont);
}

TGPFont::TGPFont(const QString& familyName, REAL emSize, int style, Unit unit)
{
    TGPFontFamily family(familyName);
    lastResult = GdipCreateFont(family.Native(), emSize, style, unit, &nativeFont);
    if (lastResult != Ok)
        lastResult =
            GdipCreateFont(TGPFontFamily::GenericSansSerif()->Native(), emSize, style, unit, &nativeFont);
}

StringAlignment TGPStringFormat::GetAlignment()
{
    StringAlignment a = StringAlignmentNear;
    Keep(GdipGetStringFormatAlign(nativeFormat, &a), lastError);
    return a;
}

StringAlignment TGPStringFormat::GetLineAlignment()
{
    StringAlignment a = StringAlignmentNear;
    Keep(GdipGetStringFormatLineAlign(nativeFormat, &a), lastError);
    return a;
}

unsigned TGPImage::GetWidth()
{
    unsigned w = 0;
    return Keep(GdipGetImageWidth(nativeImage, &w), lastResult) == Ok ? w : 0;
}

unsigned TGPImage::GetHeight()
{
    unsigned h = 0;
    return Keep(GdipGetImageHeight(nativeImage, &h), lastResult) == Ok ? h : 0;
}

int TGPImage::GetPixelFormat()
{
    int f = 0;
    Keep(GdipGetImagePixelFormat(nativeImage, &f), lastResult);
    return f;
}

TGPImageFormat TGPImage::GetFormat()
{
    RawFormat raw = RawUndefined;
    if (Keep(GdipGetImageRawFormat(nativeImage, &raw), lastResult) != Ok)
        return ifUndefined;
    switch (raw) {
    case RawMemoryBMP:
        return ifMemoryBMP;
    case RawBMP:
        return ifBMP;
    case RawEMF:
        return ifEMF;
    case RawWMF:
        return ifWMF;
    case RawJPEG:
        return ifJPEG;
    case RawPNG:
        return ifPNG;
    case RawGIF:
        return ifGIF;
    case RawTIFF:
        return ifTIFF;
    case RawEXIF:
        return ifEXIF;
    case RawIcon:
        return ifIcon;
    default:
        return ifUndefined;
    }
}

TGPGraphics::TGPGraphics(TGPImage* image)
{
    if (image)
        lastResult = GdipGetImageGraphicsContext(image->Native(), &nativeGraphics);
}

SmoothingMode TGPGraphics::GetSmoothingMode()
{
    SmoothingMode m = SmoothingModeInvalid;
    if (Keep(GdipGetSmoothingMode(nativeGraphics, &m), lastResult) != Ok)
        return SmoothingModeInvalid;
    return m;
}

Status TGPGraphics::DrawImageRect(TGPImage* image, TGPRectF r)
{
    return DrawImage(image, REAL(Round(r.X)), REAL(Round(r.Y)), REAL(Round(r.Width)), REAL(Round(r.Height)));
}

Status TGPGraphics::DrawImage(TGPImage* image, TGPRectF d, REAL sx, REAL sy, REAL sw, REAL sh, Unit unit,
                              TGPImageAttributes* attributes)
{
    return Keep(GdipDrawImageRectRect(nativeGraphics, image ? image->Native() : nullptr, d.X, d.Y, d.Width,
                                      d.Height, sx, sy, sw, sh, unit,
                                      attributes ? attributes->Native() : nullptr),
                lastResult);
}

Status TGPGraphics::MeasureString(const QString& text, int length, TGPFont* font, TGPRectF layout,
                                  TGPStringFormat* format, TGPRectF& box)
{
    return Keep(GdipMeasureString(nativeGraphics, text, length, font ? font->Native() : nullptr,
                                  reinterpret_cast<GpRectF*>(&layout), format ? format->Native() : nullptr,
                                  reinterpret_cast<GpRectF*>(&box), nullptr, nullptr),
                lastResult);
}

Status TGPGraphics::DrawString(const QString& text, int length, TGPFont* font, TGPRectF layout,
                               TGPStringFormat* format, TGPBrush* brush)
{
    // The length is bounded by the text itself (never read past it).
    const int n = std::clamp(length, 0, int(text.size()));
    return Keep(GdipDrawString(nativeGraphics, text, n, font ? font->Native() : nullptr,
                               reinterpret_cast<GpRectF*>(&layout), format ? format->Native() : nullptr,
                               brush ? brush->Native() : nullptr),
                lastResult);
}

TGPFont* TGPGraphics::MakeFont(const fw::TFont& font)
{
    auto* family = new TGPFontFamily(fw::SubstituteFamily(font.Name()));
    if (family->GetLastStatus() == FontFamilyNotFound || family->GetLastStatus() == FontStyleNotFound) {
        delete family;
        family = new TGPFontFamily(fw::SubstituteFamily(QStringLiteral("Arial")));
    }
    int style = 0;
    if (font.Style() & fw::fsBold)
        style |= FontStyleBold;
    if (font.Style() & fw::fsItalic)
        style |= FontStyleItalic;
    if (font.Style() & fw::fsUnderline)
        style |= FontStyleUnderline;
    auto* result = new TGPFont(family, REAL(font.Size()), style, UnitPoint);
    delete family;
    return result;
}

int TGPGraphics::TextWidth(const QString& text, const fw::TFont& font)
{
    std::unique_ptr<TGPFont> f(MakeFont(font));
    TGPRectF box;
    MeasureString(text, int(text.size()), f.get(), TGPRectF{0, 0, 10000, 10000}, box);
    return Round(box.Width);
}

int TGPGraphics::TextHeight(const QString& text, const fw::TFont& font)
{
    std::unique_ptr<TGPFont> f(MakeFont(font));
    TGPRectF box;
    MeasureString(text, int(text.size()), f.get(), TGPRectF{0, 0, 10000, 10000}, box);
    return Round(box.Height);
}

int TGPGraphics::DrawText(const QString& text, int length, fw::TColor background, unsigned flags,
                          const fw::TFont& font, fw::TRect& rect)
{
    std::unique_ptr<TGPFont> f(MakeFont(font));
    const bool calc = flags & fw::DT_CALCRECT;
    TGPRectF box;
    double margin = 2;
    if (calc || background != fw::clNone) {
        QString copy = text;
        if (font.Size() > 8)
            margin += Round((font.Size() - 8) / 1.5);
        if (copy.size() > 1 && copy.endsWith(u' '))
            copy[copy.size() - 1] = u'i';
        MeasureString(copy, length, f.get(),
                      TGPRectF{REAL(rect.Left), REAL(rect.Top), REAL(rect.Right - rect.Left + 1000),
                               REAL(rect.Bottom - rect.Top)},
                      box);
        rect.Right = rect.Left + Round(box.Width - margin);
        rect.Bottom = rect.Top + Round(box.Height);
    }
    if (background != fw::clNone) {
        TGPSolidBrush b(OpaqueArgbFromColor(background));
        FillRectangle(&b, REAL(rect.Left + 1), REAL(rect.Top), REAL(box.Width - margin + 1), box.Height);
    }
    if (!calc) {
        TGPSolidBrush b(OpaqueArgbFromColor(font.Color()));
        DrawString(text, length, f.get(), TGPPointF{REAL(rect.Left), REAL(rect.Top)}, &b);
    }
    return rect.Bottom - rect.Top;
}

} // namespace gp
